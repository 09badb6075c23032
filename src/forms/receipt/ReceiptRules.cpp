#include "forms/receipt/ReceiptRules.h"

#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/DocumentDelete.h"
#include "data/NkError.h"
#include "data/Rounding.h"
#include "data/ServerProcs.h"
#include "data/Session.h"
#include "data/StoredDocument.h"
#include "data/TDM.h"

#include <QSignalBlocker>

#include <cmath>
#include <QCoreApplication>

namespace ReceiptRules {

using SaveSteps::Step;

CheckResult CheckComplete(CachedDataSet& lines, bool vendorFilled)
{
    CheckResult res;
    if (!vendorFilled) {
        res.messages << QCoreApplication::translate("ReceiptRules", "ยังไม่ได้ป้อนรหัสเจ้าหนี้");
        return res;
    }
    if (lines.state() != CachedDataSet::State::Browse)
        lines.Post();
    int counted = 0;
    bool failed = false;
    int r = 0;
    while (r < lines.RecordCount()) {
        if (lines.value(r, QStringLiteral("Product")).toInt() <= 0) {
            lines.setRecNo(r);
            lines.Delete();
            continue;
        }
        const QString name = lines.value(r, QStringLiteral("ProductName")).toString();
        const bool service = lines.value(r, QStringLiteral("ProductType")).toString() == QLatin1String("S");
        const bool hasWarehouse = lines.value(r, QStringLiteral("Warehouse")).toInt() > 0;
        const bool goodsOk = lines.value(r, QStringLiteral("ProductUnits")).toInt() > 0
                             && lines.value(r, QStringLiteral("Quantity")).toDouble() > 0 && hasWarehouse && !service;
        if (!(goodsOk || (!hasWarehouse && service))) {
            res.messages << QCoreApplication::translate("ReceiptRules", "สินค้า : ") + name + QStringLiteral("\r") + QCoreApplication::translate("ReceiptRules", " ป้อนข้อมูลไม่ครบ");
            failed = true;
        } else if (lines.value(r, QStringLiteral("UseSerial")).toString() == QLatin1String("Y")
                   && lines.value(r, QStringLiteral("Serial")).toString().trimmed().isEmpty()) {
            res.messages << name + QCoreApplication::translate("ReceiptRules", " ยังไม่ได้ป้อน Serial");
            failed = true;
        }
        if (failed) {
            res.row = r;
            break;
        }
        ++counted;
        ++r;
    }
    if (failed || counted == 0) {
        res.messages << QCoreApplication::translate("ReceiptRules", "บันทึกข้อมูลไม่ครบถ้วน !");
        return res;
    }
    res.ok = true;
    return res;
}

namespace {
QDateTime wholeDay(const QVariant& v)
{
    const QDateTime d = Db::dateFromValue(v);
    return QDateTime(d.isValid() ? d.date() : QDate::currentDate(), QTime(0, 0));
}
} // namespace

SaveResult Save(const SaveInput& in)
{
    CachedDataSet& hd = *in.header;
    CachedDataSet& dt = *in.lines;
    const ReceiptSql::Names& n = in.names;
    const int userId = Session::current() ? Session::current()->UserId : 0;

    // Dates to whole days, the type letter.
    const QDateTime docDate = wholeDay(hd.FieldByName(n.date));
    hd.SetField(n.date, Db::dateToText(docDate));
    for (const QString& f : {n.taxDate, n.printTaxDate})
        hd.SetField(f, Db::dateToText(wholeDay(hd.FieldByName(f))));
    if (n.credit)
        hd.SetField(QStringLiteral("DueDate"), Db::dateToText(wholeDay(hd.FieldByName(QStringLiteral("DueDate")))));
    hd.SetField(n.type, in.type);
    if (dt.state() != CachedDataSet::State::Browse)
        dt.Post();
    const bool isNew = hd.rowState(hd.RecNo()) == CachedDataSet::RowState::Inserted;
    const double net = hd.FieldByName(QStringLiteral("Total")).toDouble() - hd.FieldByName(QStringLiteral("TaxTotal")).toDouble();
    const double gross = hd.FieldByName(QStringLiteral("TaxAmt")).toDouble() + hd.FieldByName(QStringLiteral("NoTaxAmt")).toDouble();

    SaveResult out;
    DM->StartTransaction();
    try {
        // Another workstation may have saved this document since it was opened here, or this
        // screen's own try did, its reply lost with the connection.
        if (const auto saved = StoredDocument::EnsureUnchanged(hd, {&dt}, n.no))
            return {saved->id, saved->number, docDate};
        QString number = hd.AsString(n.no);
        int id = 0;
        if (isNew) {
            // A number in use (typed, or one a colleague typed by hand before the code numbered
            // itself) is refused or passed over; an automatic one is drawn at the end.
            if (in.autoRun) {
                number = DM->ProvisionalDocNo();
                hd.SetField(n.no, number);
            } else {
                SaveSteps::report(Step::Number);
                DM->CheckDocNoFree(n.hd, number, in.type);
            }
            hd.SetField(QStringLiteral("DelFlag"), QStringLiteral("N"));
            if (n.credit) {
                hd.SetField(QStringLiteral("Clear"), QStringLiteral("N"));
                hd.SetField(QStringLiteral("PaidAmount"), 0);
            }
            for (const char* f : {"Posted", "Imported", "BeginBalance"})
                hd.SetField(QLatin1String(f), QStringLiteral("N"));
            if (hd.FieldByName(QStringLiteral("PoHd")).isNull())
                hd.SetField(QStringLiteral("PoHd"), 0);
            if (hd.FieldByName(QStringLiteral("PrepaidAmount")).isNull())
                hd.SetField(QStringLiteral("PrepaidAmount"), 0);
            hd.Post();
            SaveSteps::report(Step::Header);
            DM->ApplyDocumentHeader(hd, number);
            id = hd.InsertedId();
            if (id <= 0)
                throw NkError(QStringLiteral("The new document has no Id"));
            if (!in.autoRun) {
                SaveSteps::report(Step::Log);
                DM->AddUserLog(1, 0, number);
            }
        } else {
            id = hd.AsInteger(QStringLiteral("ID"));
            hd.Post();
            SaveSteps::report(Step::Header);
            DM->ApplyDocumentHeader(hd, number);
            SaveSteps::report(Step::Log);
            DM->AddUserLog(2, id, number);
        }

        SaveSteps::report(Step::Lines);
        const QString dateText = Db::dateToText(docDate);
        // Bookkeeping columns no grid shows: nobody needs to hear of each one.
        const QSignalBlocker quiet(&dt);
        for (int r = 0; r < dt.RecordCount(); ++r) {
            dt.assign(r, n.lineHd, id);
            dt.assign(r, n.lineRecNo, r + 1);
            dt.assign(r, n.date, dateText);
            const double total = dt.value(r, QStringLiteral("Total")).toDouble();
            dt.assign(r, QStringLiteral("Cost"), gross != 0 ? total * net / gross : 0.0);
            if (dt.value(r, QStringLiteral("PoDt")).isNull())
                dt.assign(r, QStringLiteral("PoDt"), 0);
        }
        dt.ApplyUpdates();
        if (in.runGL) {
            SaveSteps::report(Step::GL);
            ServerProcs::GenerateGL(DM->DMdata(), n.credit ? QStringLiteral("GL_MrHd") : QStringLiteral("GL_PcHd"), id,
                                    userId, isNew);
        }
        number = DM->FinishNewDocument(hd, n.no, id, in.docCode, docDate);
        SaveSteps::report(Step::Commit);
        DM->Commit();
        out.id = id;
        out.number = number;
        out.date = docDate;
    } catch (...) {
        DM->RollbackDocument(hd, n.no, isNew && in.autoRun);
        hd.Edit();
        throw;
    }
    hd.CommitUpdates();
    dt.CommitUpdates();
    return out;
}

void Delete(const ReceiptSql::Names& n, CachedDataSet& hd, bool removeGL)
{
    const QString number = hd.AsString(n.no);
    DocumentDelete::MarkDeleted(hd, number, {.beforeHeader = [&] {
                                    if (removeGL)
                                        DM->DelGL(hd.AsInteger(QStringLiteral("ID")), number.trimmed());
                                }});
}

// ---- purchase orders -------------------------------------------------------------------------

void TakeOrderHeader(const CachedDataSet& o, CachedDataSet& hd, bool credit)
{
    auto take = [&](const char* to, const char* from) { hd.SetField(QLatin1String(to), o.FieldByName(QLatin1String(from))); };
    take("Vendor", "Vendor");
    take("Price_IE", "Price_IE");
    take("Reference", "Reference");
    take("Remark", "Remark");
    take("Project", "Project");
    take("Department", "Department");
    for (int i = 1; i <= 3; ++i)
        for (const QString& f : {QStringLiteral("DiscName%1"), QStringLiteral("DiscRate%1"), QStringLiteral("DiscAmt%1")})
            hd.SetField(f.arg(i), o.FieldByName(f.arg(i)));
    take("CanUseTax", "CanUseTax");
    if (credit) {
        const int days = o.FieldByName(QStringLiteral("CreditDays")).toInt();
        hd.SetField(QStringLiteral("DueDays"), days);
        const QDateTime date = Db::dateFromValue(hd.FieldByName(QStringLiteral("MrDate")));
        hd.SetField(QStringLiteral("DueDate"), Db::dateToText(date.addDays(days)));
    }
    take("TaxCode", "HdTaxCode");
    take("TaxRate", "HdTaxRate");
}

double OrderLineQuantity(double backOrder, double fraction)
{
    return fraction != 0 ? backOrder / fraction : backOrder;
}

void AppendOrderLines(const CachedDataSet& o, CachedDataSet& dt, const QString& poNo, bool setPurchaseCode)
{
    for (int r = 0; r < o.RecordCount(); ++r) {
        auto v = [&](const char* f) { return o.value(r, QLatin1String(f)); };
        const QString type = v("ProductType").toString();
        const bool service = type == QLatin1String("S") || type == QLatin1String("M");
        // Only a service line is without a warehouse; a miscellaneous item takes one like goods.
        const bool noWarehouse = type == QLatin1String("S");
        const bool serial = !service && v("UseSerial").toString() == QLatin1String("Y");
        // Serial goods: one line per ordered unit (the ordered quantity, not the back order).
        const int count = serial ? int(std::trunc(v("Quantity").toDouble())) : 1;
        for (int k = 0; k < count; ++k) {
            dt.Append();
            auto set = [&](const char* f, const QVariant& x) {
                if (dt.hasField(QLatin1String(f)))
                    dt.SetField(QLatin1String(f), x);
            };
            set("ProductType", service ? type : QStringLiteral("P"));
            set("PoDt", v("Id"));
            set("Product", v("Product"));
            set("ProductCode", v("ProductCode"));
            set("ProductName", v("ProductName"));
            if (setPurchaseCode) {
                set("PurchaseCode", v("ProductCode"));
                set("PurchaseName", v("ProductName"));
            }
            set("ProductUnits", v("ProductUnits"));
            set("ProductUnitsOld", v("ProductUnits"));
            set("ProjectItemHd", v("ProjectItemHd"));
            set("ProjectItemCode", v("ProjectItemCode"));
            set("UnitName", v("UnitName"));
            set("PoNo", poNo.isNull() ? v("PoNo") : QVariant(poNo));
            set("TaxCode", v("TaxCode"));
            set("TaxRate", v("TaxRate"));
            set("MemoLine", v("MemoLine"));
            if (noWarehouse) {
                set("Warehouse", QVariant());
                set("WhCode", QVariant());
            } else {
                const bool ownWh = !v("WhCode").toString().trimmed().isEmpty();
                set("Warehouse", ownWh ? v("Warehouse") : v("DefaultWh"));
                set("WhCode", ownWh ? v("WhCode") : v("WareHouseCode"));
            }
            set("LotControl", service ? QStringLiteral("N") : v("LotControl"));
            set("UseSerial", service ? QStringLiteral("N") : v("UseSerial"));
            if (serial) {
                set("Quantity", 1);
                set("Fraction", 1);
            } else {
                set("Quantity", OrderLineQuantity(v("BackOrder").toDouble(), v("Fraction").toDouble()));
                set("Fraction", v("Fraction"));
            }
            set("QWeightSize", v("QWeightSize"));
            set("Price", v("Price"));
            set("Discount", v("Discount"));
            const double qty = dt.FieldByName(QStringLiteral("Quantity")).toDouble();
            const double gross = v("Price").toDouble() * qty;
            const double total = ApplyDiscountText(v("Discount").toString(), gross);
            set("Total", total);
            set("DiscountAmt", RoundDecimal(gross, 2, 15) - total);
            dt.Post();
        }
    }
}

} // namespace ReceiptRules
