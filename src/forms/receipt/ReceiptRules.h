#pragma once
#include "data/SaveSteps.h"
#include "forms/receipt/ReceiptSql.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class CachedDataSet;

// The rules of the vendor bills that need no widget: the validation walk, the saving and
// deleting transactions, and the take-over of purchase-order lines. The form calls them;
// tests call them directly.
namespace ReceiptRules {

struct CheckResult {
    bool ok = false;
    QStringList messages; // in the order they are shown
    int row = -1;         // the line the walk stopped on
};
// Removes lines without product (up to the first failing line) and checks the others: a
// goods line needs unit, quantity above 0 and warehouse; a service line no warehouse; a
// serial product its serial. Also refuses a missing vendor.
CheckResult CheckComplete(CachedDataSet& lines, bool vendorFilled);

struct SaveInput {
    ReceiptSql::Names names;
    CachedDataSet* header = nullptr;
    CachedDataSet* lines = nullptr;
    QString type;           // MrType
    QString docCode;        // MR-S / PC-S
    bool autoRun = false;
    bool runGL = false;
};
struct SaveResult {
    int id = 0;
    QString number;
    QDateTime date;
};
// One transaction: number, header, new Id, log, lines (numbered, dated, costed), GL,
// commit. On failure: rollback and rethrow, every cached change kept for another try (an
// automatic number drawn inside is cleared again).
SaveResult Save(const SaveInput& in);

// Soft delete: the GL voucher (when the company posts), DelFlag "Y", the log; lines stay.
void Delete(const ReceiptSql::Names& names, CachedDataSet& header, bool removeGL);

// ---- purchase orders ---------------------------------------------------------------------------
// The header values a bill takes from an order row of ReceiptSql::purchaseOrder().
void TakeOrderHeader(const CachedDataSet& order, CachedDataSet& header, bool credit);
// Appends one line per open order line (serial goods: one line per ordered unit, quantity 1).
// poNo: the number written into each line; setPurchaseCode: the order's part code and name.
void AppendOrderLines(const CachedDataSet& order, CachedDataSet& lines, const QString& poNo, bool setPurchaseCode);
// Quantity a bill receives of an order line: the back order (small units) in the line's unit.
double OrderLineQuantity(double backOrder, double fraction);

} // namespace ReceiptRules
