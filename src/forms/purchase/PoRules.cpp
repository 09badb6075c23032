#include "forms/purchase/PoRules.h"

#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/DocumentDelete.h"
#include "data/NkError.h"
#include "data/OrderReceipts.h"
#include "data/SaveSteps.h"
#include "data/StoredDocument.h"
#include "data/TDM.h"
#include "forms/import/LandedCostQuery.h"

#include <QSignalBlocker>

namespace PoRules {

using SaveSteps::Step;

CheckResult CheckLines(CachedDataSet& lines, bool warehouseRequired)
{
    CheckResult res;
    if (lines.state() != CachedDataSet::State::Browse)
        lines.Post();
    int counted = 0;
    int r = 0;
    while (r < lines.RecordCount()) {
        if (lines.value(r, QStringLiteral("Product")).toInt() <= 0) {
            lines.setRecNo(r);
            lines.Delete();
            continue;
        }
        QString missing;
        if (lines.value(r, QStringLiteral("ProductUnits")).toInt() <= 0)
            missing = QStringLiteral("UnitName");
        else if (lines.value(r, QStringLiteral("Quantity")).toDouble() <= 0)
            missing = QStringLiteral("Quantity");
        else if (warehouseRequired && lines.value(r, QStringLiteral("ProductType")).toString() == QLatin1String("P")
                 && lines.value(r, QStringLiteral("Warehouse")).toInt() <= 0)
            missing = QStringLiteral("WhCode");
        if (!missing.isEmpty()) {
            res.row = r;
            res.field = missing;
            return res;
        }
        ++counted;
        ++r;
    }
    res.ok = counted > 0;
    return res;
}

double BackOrderAtSave(bool newOrder, const QVariant& backOrderAsRead, double quantity, double fraction,
                       const QVariant& quantityAsRead, const QVariant& fractionAsRead)
{
    const double ordered = quantity * fraction;
    // A line that was never read waits for all it orders.
    if (newOrder || backOrderAsRead.isNull() || quantityAsRead.isNull())
        return ordered;
    const double before = quantityAsRead.toDouble() * fractionAsRead.toDouble();
    return qMax(0.0, backOrderAsRead.toDouble() + ordered - before);
}

namespace {
// Whole day of a date; a missing date is the empty date (day zero).
QString wholeDay(const QVariant& v)
{
    const QDateTime d = Db::dateFromValue(v);
    return Db::dateToText(d.isValid() ? QDateTime(d.date(), QTime(0, 0)) : Db::emptyDate());
}

bool blank(const QVariant& v)
{
    return v.isNull() || v.toString().trimmed().isEmpty();
}
} // namespace

SaveResult Save(const SaveInput& in)
{
    CachedDataSet& hd = *in.header;
    CachedDataSet& dt = *in.lines;
    const PoSql::Config& c = in.config;

    if (dt.state() != CachedDataSet::State::Browse)
        dt.Post();
    const bool isNew = hd.state() == CachedDataSet::State::Insert
                       || (hd.RecNo() >= 0 && hd.rowState(hd.RecNo()) == CachedDataSet::RowState::Inserted);
    const bool newOrder = in.newDocument || isNew;

    SaveResult out;
    DM->StartTransaction();
    try {
        // Another workstation may have saved this document since it was opened here, or this
        // screen's own try did, its reply lost with the connection.
        if (const auto saved = StoredDocument::EnsureUnchanged(hd, {&dt}, QStringLiteral("PoNo")))
            return {saved->id, saved->number, Db::dateFromValue(hd.FieldByName(QStringLiteral("PoDate")))};
        hd.SetField(QStringLiteral("PoDate"), wholeDay(hd.FieldByName(QStringLiteral("PoDate"))));
        hd.SetField(QStringLiteral("ShipDate"), wholeDay(hd.FieldByName(QStringLiteral("ShipDate"))));
        hd.SetField(QStringLiteral("PoType"), c.poType);
        const QDateTime docDate = Db::dateFromValue(hd.FieldByName(QStringLiteral("PoDate")));
        int id = 0;
        if (isNew) {
            for (const char* f : {"Clear", "DelFlag", "Posted", "Imported"})
                hd.SetField(QLatin1String(f), QStringLiteral("N"));
            if (blank(hd.FieldByName(QStringLiteral("CreditDays"))))
                hd.SetField(QStringLiteral("CreditDays"), 0);
            hd.SetField(QStringLiteral("Approved"), in.approvedSetting);
            SaveSteps::report(Step::Number);
            id = in.autoRun ? DM->PostNewDocNo(hd, docDate, c.docCode, QStringLiteral("PoNo"), QStringLiteral("GetNo"))
                            : DM->PostDocNo(hd, hd.AsString(QStringLiteral("PoNo")), c.docCode, QStringLiteral("PoNo"),
                                            QStringLiteral("GetNo"));
        } else {
            // Imports saved meanwhile wait until this order is written (and the other way
            // round), so what it received is computed from every import.
            if (c.foreign)
                OrderReceipts::LockOrder(DM->DMdata(), hd.AsInteger(QStringLiteral("ID")));
            id = DM->PostDocNo(hd, hd.AsString(QStringLiteral("PoNo")), c.docCode, QStringLiteral("PoNo"),
                               QStringLiteral("GetNo"));
        }
        if (id <= 0)
            throw NkError(QStringLiteral("The order has no Id after its header was written"));

        SaveSteps::report(Step::Lines);
        const QString dateText = hd.AsString(QStringLiteral("PoDate"));
        const QVariant headerShip = hd.FieldByName(QStringLiteral("ShipDate"));
        // Bookkeeping columns: nobody needs to hear of each one.
        const QSignalBlocker quiet(&dt);
        for (int r = 0; r < dt.RecordCount(); ++r) {
            auto v = [&](const char* f) { return dt.value(r, QLatin1String(f)); };
            dt.assign(r, c.lineLink, id);
            dt.assign(r, QStringLiteral("PoRecNo"), r + 1);
            dt.assign(r, QStringLiteral("PoDate"), dateText);
            // A line without its own date is delivered with the order.
            const QDateTime ship = Db::dateFromValue(v("ShipDate"));
            dt.assign(r, QStringLiteral("ShipDate"),
                      ship.isValid() && !Db::isEmptyDate(ship) ? wholeDay(v("ShipDate")) : headerShip);
            const double qty = v("Quantity").toDouble();
            const double fraction = v("Fraction").toDouble();
            const bool read = dt.rowState(r) != CachedDataSet::RowState::Inserted;
            if (newOrder) {
                dt.assign(r, QStringLiteral("Clear"), QStringLiteral("N"));
                dt.assign(r, QStringLiteral("Received"), 0);
            }
            dt.assign(r, QStringLiteral("BackOrder"),
                      BackOrderAtSave(newOrder, read ? dt.oldValue(r, QStringLiteral("BackOrder")) : QVariant(), qty,
                                      fraction, read ? dt.oldValue(r, QStringLiteral("Quantity")) : QVariant(),
                                      read ? dt.oldValue(r, QStringLiteral("Fraction")) : QVariant()));
            if (blank(v("Clear")))
                dt.assign(r, QStringLiteral("Clear"), QStringLiteral("N"));
            if (v("Received").isNull())
                dt.assign(r, QStringLiteral("Received"), 0);
        }
        dt.ApplyUpdates();
        // A foreign order's received and outstanding quantities are those of its imports,
        // whatever the lines held when they were read.
        if (c.foreign)
            OrderReceipts::RecomputeOrder(DM->DMdata(), id);
        if (in.afterLines)
            in.afterLines(id);
        DM->FinishNewDocument(hd, QStringLiteral("PoNo"), id, c.docCode, docDate);
        SaveSteps::report(Step::Commit);
        DM->Commit();
        out.id = id;
        out.number = hd.AsString(QStringLiteral("PoNo"));
        out.date = docDate;
    } catch (...) {
        DM->RollbackDocument(hd, QStringLiteral("PoNo"), isNew && in.autoRun);
        hd.Edit();
        throw;
    }
    hd.CommitUpdates();
    dt.CommitUpdates();
    return out;
}

void Delete(const PoSql::Config& c, CachedDataSet& hd, CachedDataSet& dt)
{
    const int id = hd.AsInteger(QStringLiteral("ID"));
    DocumentDelete::MarkDeleted(hd, hd.AsString(QStringLiteral("PoNo")),
                                {.afterLog =
                                     [&] {
                                         dt.EmptyDataSet(); // one change for all lines: no recalculation per line
                                         dt.ApplyUpdates();
                                         if (c.foreign && LandedCostQuery::Available(DM->DMdata()))
                                             LandedCostQuery::Remove(DM->DMdata(), id);
                                     },
                                 .undo = [&] { dt.CancelUpdates(); },
                                 .committed = [&] { dt.CommitUpdates(); }});
}

void Approve(const PoSql::Config& c, int id)
{
    DM->StartTransaction();
    try {
        Db::exec(DM->DMdata(), PoSql::approve(c), {{QStringLiteral("Id"), id}});
        DM->Commit();
    } catch (...) {
        DM->Rollback();
        throw;
    }
}

void CopyHeader(const CachedDataSet& source, CachedDataSet& hd, const QString& approvedSetting)
{
    for (const QString& f : source.fieldNames()) {
        if (f.compare(QLatin1String("PoNo"), Qt::CaseInsensitive) == 0 || f.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0
            || !hd.hasField(f))
            continue;
        hd.SetField(f, source.FieldByName(f));
    }
    hd.SetField(QStringLiteral("Approved"), approvedSetting);
}

void CopyLines(const CachedDataSet& source, CachedDataSet& dt)
{
    dt.EmptyDataSet();
    const QStringList fields = source.fieldNames();
    for (int r = 0; r < source.RecordCount(); ++r) {
        dt.Append();
        for (const QString& f : fields)
            if (f.compare(QLatin1String("ID"), Qt::CaseInsensitive) != 0 && dt.hasField(f))
                dt.SetField(f, source.value(r, f));
        dt.Post();
    }
}

} // namespace PoRules
