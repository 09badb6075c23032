#pragma once
#include <QString>
#include <QStringList>

// The statements of the vendor bills, kept as the module's documents give them (only the
// engine's spellings differ). Credit bills (PayType "D") use MrHd/MrDt, cash bills PcHd/PcDt;
// the columns that differ are addressed through the name map.
namespace ReceiptSql {

struct Names {
    bool credit = true;
    QString hd, dt;             // MrHd / PcHd, MrDt / PcDt
    QString no, date, type;     // MrNo, MrDate, MrType
    QString taxNo, taxDate, printTaxDate;
    QString lineHd, lineRecNo;  // MrHd, MrRecNo
};
Names names(const QString& payType);

QString header(const Names& n);
QString headerColumns(const Names& n);
QString headerInsert(const Names& n);
QString headerModify(const Names& n);
QString headerDelete(const Names& n);
// Reads the Id of a header by its number and type (kept for callers that have only a number).
QString headerIdByNumber(const Names& n);

QString lines(const Names& n);
QString lineColumns(const Names& n);
QString lineInsert(const Names& n);
QString lineModify(const Names& n);
QString lineDelete(const Names& n);

// Payment voucher that settled a credit bill.
QString paymentVoucher();
// Other live bills with the same tax invoice number (both tables, whichever form asks).
QString duplicateTaxNo();
// Deposit of the bill's vendor by number.
QString prepaid();
// Latest purchase price of a product unit, any vendor / this vendor (first row).
QString lastPrice(const Names& n);
QString lastPriceOfVendor(const Names& n);

// Open lines of one purchase order of the bill's type, with the order's header values.
QString purchaseOrder();
// Id of a purchase order by number.
QString purchaseOrderId();

} // namespace ReceiptSql
