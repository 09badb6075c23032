// The vendor-bill form, second half: the line grid, the purchase-order take-over, the
// deposit, and saving and deleting.
#include "forms/receipt/TFrMrTran.h"

#include "app/ErrorReporting.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/Numbering.h"
#include "data/Rounding.h"
#include "data/TDM.h"
#include "data/product/TDmMisc.h"
#include "data/product/TDmVendor.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/import/TFaGetImportLotNo.h"
#include "forms/purchase/PurchasePickers.h"
#include "forms/purchase/PurchaseTotals.h"
#include "forms/purchase/TFaPurchaseLines.h"
#include "forms/purchase/TFaPurchaseTotals.h"
#include "forms/receipt/ReceiptPickers.h"
#include "forms/receipt/ReceiptRules.h"
#include "forms/receipt/TFaGetVendor.h"
#include "print/TFrDocPrintForm.h"
#include "search/TFaGetProject.h"
#include "search/TFaGetTaxCode.h"
#include "widgets/DbEdits.h"
#include "widgets/TDataGrid.h"
#include "widgets/TLookupEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr auto column = &TFaPurchaseLines::column;
} // namespace

// ---- grid -------------------------------------------------------------------------------------

void TFrMrTran::SetDgDtColumn()
{
    if (!QDt->Active())
        return;
    StatusInfo->clear();
    m_savedUnit = Entry->CurrentUnit();
    const bool row = QDt->RecNo() >= 0;
    const bool linePo = row && !QDt->AsString(QStringLiteral("PoNo")).trimmed().isEmpty();
    const bool headerPo = !PoHd->text().trimmed().isEmpty();
    QVector<GridColumn> cols;
    // The order line column takes no typing (its dialog fills it): Enter passes it by, F5
    // opens the order lines while neither the header nor the line names an order.
    // Widths are the documented ones (15, 20, 46) narrowed so every column fits the window.
    GridColumn po = column("PoNo", 11, true, false, QStringLiteral("PO No."));
    po.hasButton = !linePo && !headerPo;
    cols << po;
    const int entry = EntryType->currentIndex();
    if (entry == 1)
        cols << column("BarCode", 15, linePo, false, QStringLiteral("BAR CODE"));
    else if (entry == 2)
        cols << column("PurchaseCode", 15, linePo, false, tr("รหัส"));
    else
        cols << column("ProductCode", 15, linePo, true, tr("รหัส"));
    cols << column(entry == 2 ? "PurchaseName" : "ProductName", 38, true, false, tr("รายละเอียด"));
    GridColumn qty = column("Quantity", 8, false, false, tr("จำนวน"));
    qty.displayFormat = QStringLiteral("#,##0.000");
    qty.alignment = Qt::AlignRight | Qt::AlignVCenter;
    cols << qty << column("UnitName", 8, false, true, tr("หน่วยนับ"));
    cols << TFaPurchaseLines::amountColumns(8, false, tr("รวม"));
    Lines->setColumns(QDt, cols);
}

void TFrMrTran::lineChanged(const QString& field)
{
    if (m_inLines || Entry->assigning())
        return;
    using F = PurchaseLineEntry::Field;
    const PurchaseLineEntry::FieldResult r = Entry->FieldExit(field, m_savedUnit);
    switch (r.kind) {
    case F::Code:
    case F::Unit:
        SetDgDtColumn();
        StatusInfo->setText(Entry->StatusText);
        CalculateAll();
        if (r.kind == F::Code && r.found && QDt->AsString(QStringLiteral("ProductType")) == QLatin1String("S"))
            afterServiceEntered();
        break;
    case F::Quantity:
    case F::Amount:
        CalculateAll();
        break;
    case F::Total:
        GetTotalExit(QDt->AsFloat(QStringLiteral("Total")));
        break;
    case F::Warehouse:
    case F::Other:
        break;
    }
}

void TFrMrTran::afterServiceEntered()
{
    // A service is usually one of a kind: quantity 1 when none is typed, and the cursor
    // goes on to the price (after the grid's own move to the next cell).
    if (QDt->AsFloat(QStringLiteral("Quantity")) == 0) {
        m_inLines = true;
        QDt->SetField(QStringLiteral("Quantity"), 1);
        m_inLines = false;
        CalculateAll();
    }
    const int row = QDt->RecNo();
    QTimer::singleShot(0, this, [this, row] {
        QTimer::singleShot(0, this, [this, row] {
            if (DgDt->hasFocus() || DgDt->isAncestorOf(QApplication::focusWidget()))
                DgDt->setCurrentIndex(DgDt->gridModel()->index(row, DgDt->gridModel()->columnOf(QStringLiteral("Price"))));
        });
    });
}

void TFrMrTran::DgDtEnter()
{
    KeyPreview = false;
    if (vendorId() < 1 && FaGetVendor->Vendor->text().trimmed().isEmpty()) {
        MessageService::information(tr("ไม่ได้ระบุผู้จำหน่าย"));
        // The credit import-expense bill sends the user to the vendor.
        if (ImportExpense && credit())
            FaGetVendor->Vendor->setFocus();
        return;
    }
    if (!QDt->Active())
        return;
    if (QDt->IsEmpty())
        QDt->Append();
    const QModelIndex cur = DgDt->currentIndex();
    if (!cur.isValid() || cur.column() == 0)
        DgDt->setCurrentIndex(DgDt->gridModel()->index(qMax(0, QDt->RecNo()), 1));
}

void TFrMrTran::LastPriceClick()
{
    QSqlQuery q = Db::exec(DM->DMdata(), ReceiptSql::lastPrice(Names),
                           {{QStringLiteral("pid"), QDt->AsInteger(QStringLiteral("Product"))},
                            {QStringLiteral("uid"), QDt->AsInteger(QStringLiteral("ProductUnits"))}});
    if (!q.next()) {
        MessageService::information(tr("ไม่พบราคาซื้อล่าสุด จากทุกผู้ขาย"));
        return;
    }
    setLineField(QStringLiteral("Price"), q.value(0).toDouble());
    DgDt->setFocus();
}

void TFrMrTran::LastPriceVendorClick()
{
    QSqlQuery q = Db::exec(DM->DMdata(), ReceiptSql::lastPriceOfVendor(Names),
                           {{QStringLiteral("pid"), QDt->AsInteger(QStringLiteral("Product"))},
                            {QStringLiteral("uid"), QDt->AsInteger(QStringLiteral("ProductUnits"))},
                            {QStringLiteral("vid"), vendorId()}});
    if (!q.next()) {
        MessageService::information(tr("ไม่พบราคาซื้อล่าสุด ของผู้ขายรายนี้"));
        return;
    }
    setLineField(QStringLiteral("Price"), q.value(0).toDouble());
    DgDt->setFocus();
}

void TFrMrTran::ShowPurchaseHistory()
{
    const int product = QDt->AsInteger(QStringLiteral("Product"));
    if (product < 1 || vendorId() < 1)
        return;
    const QString caption = tr("ประวัติการซื้อ : ") + QDt->AsString(QStringLiteral("ProductName"))
                            + tr(" ของลูกค้า : ") + FaGetVendor->DescLabel->text();
    if (const auto price = PurchasePickers::purchaseHistory(this, caption, product, vendorId()))
        setLineField(QStringLiteral("Price"), *price);
}

void TFrMrTran::BtDeleteLineClick()
{
    if (!QDt->Active() || QDt->RecNo() < 0)
        return;
    if (QDt->AsString(QStringLiteral("Onhand")) == QLatin1String("N")) {
        MessageService::information(
            tr("Serial นี้ถูกขายออกไปเรียบร้อยแล้ว ไม่สามารถแก้ไข หรือ ลบรายการนี้ได้ !"));
        return;
    }
    QDt->Delete(); // recalculates
    if (QDt->IsEmpty())
        QDt->Append();
    DgDt->setFocus();
    DgDt->setCurrentIndex(DgDt->gridModel()->index(qMax(0, QDt->RecNo()), 2));
}

void TFrMrTran::GetTotalExit(double typedTotal)
{
    // A line total typed by hand stays: it becomes the line's discount as an amount (or, on a
    // line without a price, a price and an amount off), and the totals follow.
    const double quantity = QDt->AsFloat(QStringLiteral("Quantity"));
    m_inLines = true;
    if (Entry->PriceEmpty()) {
        if (const auto d = PurchaseTotals::PriceForTypedTotal(quantity, typedTotal)) {
            QDt->SetField(QStringLiteral("Price"), d->price);
            QDt->SetField(QStringLiteral("Discount"), d->discount != 0 ? QString::number(d->discount, 'f', 2) : QString());
        }
    } else if (const auto text = PurchaseTotals::DiscountForTypedTotal(QDt->AsFloat(QStringLiteral("Price")), quantity,
                                                                         QDt->AsString(QStringLiteral("Discount")),
                                                                         typedTotal)) {
        QDt->SetField(QStringLiteral("Discount"), *text);
    }
    m_inLines = false;
    CalculateAll();
}

// ---- purchase orders ------------------------------------------------------------------------

void TFrMrTran::BtSearchPoNoClick()
{
    const QString chosen = PurchasePickers::pickPoNo(this, MrType, 0, QStringLiteral("N"));
    BtSearchPoNo->setEnabled(false);
    if (chosen.isEmpty())
        return;
    PoHd->setText(chosen.trimmed());
    PoHd->setFocus();
}

bool TFrMrTran::openOrder(int poId)
{
    QPoHd->Close();
    QPoHd->setParam(QStringLiteral("GetId"), poId);
    QPoHd->setParam(QStringLiteral("GetType"), MrType);
    QPoHd->Open();
    return !QPoHd->IsEmpty();
}

bool TFrMrTran::orderDateAccepted()
{
    if (docDate().date() >= Db::dateFromValue(QPoHd->FieldByName(QStringLiteral("PoDate"))).date())
        return true;
    MessageService::information(tr("วันที่ใน PO ต้องน้อยกว่าวันที่รับของ"));
    QHd->SetField(QStringLiteral("PoHd"), 0);
    return false;
}

bool TFrMrTran::takeOverOrder(bool replaceLines, const QString& poNo, bool setPurchaseCode)
{
    // The lines are appended in one batch: no recalculation and no grid work per line.
    m_inLines = true;
    DgDt->setEnabled(false);
    try {
        ReceiptRules::TakeOrderHeader(*QPoHd, *QHd, credit());
        if (replaceLines) {
            QDt->EmptyDataSet();
        } else if (!QDt->IsEmpty() && QDt->value(QDt->RecordCount() - 1, QStringLiteral("Product")).toInt() < 1) {
            // The order's lines go after the lines already there; a blank line at the end goes.
            QDt->Last();
            QDt->Delete();
        }
        ReceiptRules::AppendOrderLines(*QPoHd, *QDt, poNo, setPurchaseCode);
    } catch (const NkError& e) {
        DgDt->setEnabled(true);
        m_inLines = false;
        ReportError(e);
        return false;
    }
    DgDt->setEnabled(true);
    m_inLines = false;
    FaGetVendor->Vendor->refresh();
    FaGetTaxCode->refresh();
    SetDgDtColumn();
    CalculateAll();
    return true;
}

void TFrMrTran::PoHdExit()
{
    BtSearchPoNo->setEnabled(false);
    if (!headerRow())
        return;
    const QString text = PoHd->text().trimmed();
    if (text.isEmpty()) {
        if (DocumentIsNew) {
            // Several orders may now be taken over, one after the other.
            PoHd->setEnabled(false);
            BtLoadPo->setEnabled(true);
        }
        return;
    }
    if (text == m_poTextAtEnter.trimmed() || !openOrder(QHd->FieldByName(QStringLiteral("PoHd")).toInt()))
        return;
    if (QPoHd->AsString(QStringLiteral("Approved")) == QLatin1String("N")) {
        MessageService::information(tr("PO ใบนี้ยังไม่ได้ อนุมัติ"));
        if (thaiLanguage())
            PoHd->clear();
        QHd->SetField(QStringLiteral("PoHd"), 0);
        return;
    }
    if (!orderDateAccepted()) {
        PoHd->clear();
        PoHd->setFocus();
        return;
    }
    if (!takeOverOrder(true, text, true))
        return;
    QDt->First();
    PoHd->setEnabled(false);
    Price_IE->setEnabled(false);
    MrTaxNo->setFocus();
}

void TFrMrTran::BtLoadPoClick()
{
    const QString chosen = PurchasePickers::pickPoNo(this, MrType, vendorId(), QStringLiteral("N"));
    if (chosen.isEmpty())
        return;
    QSqlQuery q = Db::exec(DM->DMdata(), ReceiptSql::purchaseOrderId(), {{QStringLiteral("GetNo"), chosen}});
    if (!q.next())
        return;
    const int id = q.value(0).toInt();
    const QString number = q.value(1).toString().trimmed();
    for (const QString& loaded : LoadedOrders)
        if (loaded.trimmed() == number) {
            MessageService::information(tr("เอกสารที่เลือกได้ถูกทำการการเลือกไว้ก่อนหน้านี้แล้ว !"));
            return;
        }
    AddPoToReceipt(id, number);
}

void TFrMrTran::AddPoToReceipt(int poId, const QString& poNo)
{
    if (!openOrder(poId) || !orderDateAccepted())
        return;
    LoadedOrders << poNo;
    takeOverOrder(false, QString(), false);
}

void TFrMrTran::PoNoCustomDlg()
{
    const auto line = PurchasePickers::pickPoLine(this, vendorId(), MrType);
    if (!line)
        return;
    auto v = [&](const char* f) { return line->value(QLatin1String(f)); };
    m_inLines = true;
    if (QHd->FieldByName(QStringLiteral("Project")).toInt() < 1 && v("Project").toInt() > 0)
        QHd->SetField(QStringLiteral("Project"), v("Project"));
    const QString type = v("ProductType").toString();
    const bool service = type == QLatin1String("S") || type == QLatin1String("M");
    // Only a service line is without a warehouse; a miscellaneous item keeps its order line's.
    const bool noWarehouse = type == QLatin1String("S");
    setLineField(QStringLiteral("PoNo"), line->poNo);
    setLineField(QStringLiteral("PoDt"), line->id);
    setLineField(QStringLiteral("Product"), v("Product"));
    setLineField(QStringLiteral("ProductType"), service ? type : QStringLiteral("P"));
    for (const char* f : {"ProductCode", "ProductName", "PurchaseCode", "PurchaseName", "Warehouse", "WhCode", "ProductUnits",
                          "ProjectItemHd", "ProjectItemCode", "UnitName", "Fraction", "LotControl", "UseSerial", "TaxCode",
                          "TaxRate", "MemoLine"})
        setLineField(QLatin1String(f), v(f));
    if (noWarehouse) {
        // A service line is complete only without a warehouse, whatever its order line says.
        setLineField(QStringLiteral("Warehouse"), QVariant());
        setLineField(QStringLiteral("WhCode"), QVariant());
    } else if (type == QLatin1String("M") && v("WhCode").toString().trimmed().isEmpty()) {
        setLineField(QStringLiteral("Warehouse"), v("DefaultWh"));
        setLineField(QStringLiteral("WhCode"), v("WareHouseCode"));
    }
    const bool serial = !service && v("UseSerial").toString() == QLatin1String("Y");
    if (serial) {
        setLineField(QStringLiteral("Quantity"), 1);
        setLineField(QStringLiteral("Fraction"), 1);
    } else {
        setLineField(QStringLiteral("Quantity"), ReceiptRules::OrderLineQuantity(v("BackOrder").toDouble(), v("Fraction").toDouble()));
    }
    setLineField(QStringLiteral("Price"), v("Price"));
    setLineField(QStringLiteral("Discount"), v("Discount"));
    const double gross = v("Price").toDouble() * QDt->AsFloat(QStringLiteral("Quantity"));
    try {
        const double total = ApplyDiscountText(v("Discount").toString(), gross);
        setLineField(QStringLiteral("Total"), total);
        setLineField(QStringLiteral("DiscountAmt"), RoundDecimal(gross, 2, 15) - total);
    } catch (const NkError& e) {
        m_inLines = false;
        ReportError(e);
        return;
    }
    m_inLines = false;
    SetDgDtColumn();
    CalculateAll();
}

// ---- deposit ----------------------------------------------------------------------------------

void TFrMrTran::FaGetPrepaidBtSearchClick()
{
    const QString chosen = ReceiptPickers::pickPrepaid(this, vendorId());
    if (chosen.isEmpty())
        return;
    PrepaidNo->setText(chosen.trimmed());
    PrepaidNo->setFocus();
}

void TFrMrTran::FaGetPrepaidDocNoExit()
{
    BtSearchPrepaid->setEnabled(false);
    if (!headerRow())
        return;
    const QString text = PrepaidNo->text();
    QSqlQuery q = Db::exec(DM->DMdata(), ReceiptSql::prepaid(),
                           {{QStringLiteral("GetNo"), text}, {QStringLiteral("GetVendor"), vendorId()}});
    if (!q.next()) {
        // Not found: back to the deposit the bill had.
        QHd->SetField(QStringLiteral("Prepaid"), PrepaidIdAtLoad > 0 ? QVariant(PrepaidIdAtLoad) : QVariant());
        QHd->SetField(QStringLiteral("PrNo"), PrepaidNoAtLoad);
        Totals->PrepaidAmount->setReadOnly(true);
        return;
    }
    Totals->PrepaidAmount->setReadOnly(false);
    PrepaidNoAtLoad = text;
    PrepaidIdAtLoad = q.value(0).toInt();
    QHd->SetField(QStringLiteral("Prepaid"), PrepaidIdAtLoad);
    QHd->SetField(QStringLiteral("PrNo"), text);
    if (QHd->AsFloat(QStringLiteral("PrepaidAmount")) == 0) {
        const bool excl = QHd->AsString(QStringLiteral("Price_IE")).trimmed() == QLatin1String("E");
        const double amount = PurchaseTotals::ProposedPrepaidAmount(excl, q.value(1).toDouble(), q.value(2).toDouble(),
                                                                    q.value(3).toDouble(), q.value(4).toDouble());
        QHd->SetField(QStringLiteral("PrepaidAmount"), amount);
        QHd->SetField(QStringLiteral("PrePaidBalance"), amount);
    }
    MessageService::information(tr("มัดจำ อัตราภาษี : ") + QString::number(q.value(4).toDouble(), 'g', 15).trimmed()
                                + QStringLiteral("%"));
}

// ---- validation, save, delete -----------------------------------------------------------------

bool TFrMrTran::CheckComplete()
{
    const bool vendor = !FaGetVendor->Vendor->text().trimmed().isEmpty() && vendorId() > 0;
    const ReceiptRules::CheckResult r = ReceiptRules::CheckComplete(*QDt, vendor);
    for (const QString& m : r.messages)
        MessageService::information(m);
    if (r.row >= 0)
        DgDt->setCurrentIndex(DgDt->gridModel()->index(r.row, 1));
    return r.ok;
}

void TFrMrTran::AcSaveExecute()
{
    if (!AcSave->isEnabled() || !headerRow())
        return;
    // The field being typed in is left first, so its own rule runs.
    Reference->setFocus();
    if (!beforeSave())
        return;
    if (!AutoRun && QHd->AsString(Names.no).trimmed().isEmpty()) {
        MessageService::information(tr("ท่านไม่ได้ป้อนเลขที่\rขณะนี้อยู่ในระบบเลขที่เอกสารไม่ Run อัตโนมัติ"));
        return;
    }
    // A project is required only where it can be typed: the cash bill has no project field,
    // like the foreign order, so the setting cannot trap it.
    if (FaGetProject->isEnabled() && DM->ConfigText(QStringLiteral("LockInputProject")) == QLatin1String("Y")
        && QHd->FieldByName(QStringLiteral("Project")).toInt() < 1) {
        MessageService::information(tr("ยังไม่ได้ป้อนรหัสโครงการ"));
        FaGetProject->setFocus();
        return;
    }
    if (DM->ConfigText(QStringLiteral("MrRefPO")) == QLatin1String("Y") && QHd->FieldByName(QStringLiteral("PoHd")).toInt() < 1) {
        MessageService::information(tr("ท่านยังไม่ได้ป้อนเลขที่ PO"));
        PoHd->setEnabled(true);
        PoHd->setFocus();
        return;
    }
    // The amounts are computed before the question: a line that cannot be computed or a
    // deposit above the goods stops the save with the cursor on it, and nothing disagreeing
    // with the lines is stored.
    if (!CheckComplete() || !CalculateAll()
        || !confirmSave())
        return;
    CreateProductModules();
    if (!MessageService::tell(DmVendor->CheckCreditLimit(vendorId(), QHd->AsFloat(QStringLiteral("Total")) - TotalAtLoad)))
        return;
    ReceiptRules::SaveInput in;
    in.names = Names;
    in.header = QHd;
    in.lines = QDt;
    in.type = MrType;
    in.docCode = MrDocCode;
    in.autoRun = AutoRun;
    in.runGL = DM->ConfigText(QStringLiteral("AutoGenGL")) == QLatin1String("Y");
    ReceiptRules::SaveResult res;
    try {
        res = ReceiptRules::Save(in);
    } catch (const NkError& e) {
        // Rolled back: the bill stays on screen with every change for another try.
        saveFailed(e);
        return;
    }
    PrintDocument(this, res.number, YearOfDate(res.date), MrDocCode);
    AcNewExecute();
}

void TFrMrTran::AcDelExecute()
{
    if (!AcDel->isEnabled() || !headerRow() || QHd->AsInteger(QStringLiteral("ID")) < 1)
        return;
    Reference->setFocus();
    if (!confirmDelete())
        return;
    try {
        ReceiptRules::Delete(Names, *QHd, DM->ConfigText(QStringLiteral("AutoGenGL")) == QLatin1String("Y"));
    } catch (const NkError& e) {
        ReportError(e);
        return;
    }
    AcNewExecute();
}

bool TFrMrTran::numberTaken(const QString& number) const
{
    return DM->DocNoTaken(Names.hd, number, MrType);
}
