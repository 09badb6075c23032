#include "forms/import/InboundRules.h"
#include "data/Translation.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/DocumentDelete.h"
#include "data/NkError.h"
#include "data/NumberFormat.h"
#include "data/OrderReceipts.h"
#include "data/ServerProcs.h"
#include "data/Session.h"
#include "data/StoredDocument.h"
#include "data/TDM.h"

#include <QDateTime>
#include <QHash>
#include <QSqlQuery>

#include <algorithm>
#include <QCoreApplication>

namespace InboundRules {

namespace {
// A text in the language the caller asked for.
QString say(bool thai, const char* text)
{
    return Translation::inLanguage(thai, "InboundRules", text);
}

bool emptyId(const QVariant& v)
{
    return v.isNull() || v.toString().trimmed().isEmpty() || v.toInt() == 0;
}

constexpr double eps = OrderReceipts::Epsilon;

double fractionOf(const CachedDataSet& lines, int row)
{
    const double f = lines.value(row, QStringLiteral("Fraction")).toDouble();
    return f > 0 ? f : 1.0;
}

// A quantity in small units as the line's unit shows it: "1.5 กล่อง".
QString inLineUnit(const CachedDataSet& lines, int row, double small)
{
    return FormatFloat(QStringLiteral("#,##0.####"), small / fractionOf(lines, row)) + QLatin1Char(' ')
           + lines.value(row, QStringLiteral("UnitName")).toString().trimmed();
}

// "รายการที่ 2 P001" / "Line 2 P001"
QString lineName(const CachedDataSet& lines, int row, bool thai)
{
    return (say(thai, QT_TRANSLATE_NOOP("InboundRules", "รายการที่ %1 %2")))
        .arg(row + 1)
        .arg(lines.value(row, QStringLiteral("ProductCode")).toString().trimmed());
}

QString excessText(const CachedDataSet& lines, int row, const OrderReceipts::Line& order, double excess, bool thai)
{
    return (say(thai, QT_TRANSLATE_NOOP("InboundRules", "%1 รับเกินจำนวนค้างรับของใบสั่งซื้อ %2 อยู่ %3")))
        .arg(lineName(lines, row, thai), order.poNo.trimmed(), inLineUnit(lines, row, excess));
}

// The order lines taken over, by the first line naming each.
QList<int> byFirstRow(const QHash<int, Taken>& taken)
{
    QList<int> ids = taken.keys();
    std::sort(ids.begin(), ids.end(), [&](int a, int b) { return taken[a].row < taken[b].row; });
    return ids;
}

} // namespace

QHash<int, Taken> TakenByLines(const CachedDataSet& lines)
{
    QHash<int, Taken> out;
    for (int r = 0; r < lines.RecordCount(); ++r) {
        const int line = lines.value(r, QStringLiteral("PoDt")).toInt();
        if (line <= 0)
            continue;
        Taken& t = out[line];
        if (t.row < 0)
            t.row = r;
        t.quantity += lines.value(r, QStringLiteral("Quantity")).toDouble() * fractionOf(lines, r);
    }
    return out;
}

QList<OverReceipt> OverReceipts(const CachedDataSet& lines, const OrdersSeen& seen, bool thai)
{
    QList<OverReceipt> out;
    const QHash<int, Taken> taken = TakenByLines(lines);
    for (int id : byFirstRow(taken)) {
        const auto s = seen.constFind(id);
        if (s == seen.cend())
            continue;
        const Taken& t = taken[id];
        // What the document held already was agreed to when it was saved.
        if (t.quantity <= qMax(s->free(), s->mine) + eps)
            continue;
        OverReceipt o;
        o.orderLine = id;
        o.row = t.row;
        o.excess = t.quantity - s->free();
        o.question = excessText(lines, t.row, *s, o.excess, thai)
                     + (say(thai, QT_TRANSLATE_NOOP("InboundRules", "\nต้องการรับสินค้าเกินจำนวนที่สั่งหรือไม่ ?")));
        out << o;
    }
    return out;
}

std::optional<Refusal> CheckOrders(const CachedDataSet& lines, const OrdersSeen& now, const OrdersSeen& seen,
                                   const QSet<int>& agreed, bool thai)
{
    const QHash<int, Taken> taken = TakenByLines(lines);
    for (int id : byFirstRow(taken)) {
        const auto n = now.constFind(id);
        if (n == now.cend())
            continue; // the order line is gone: nothing to receive against
        const Taken& t = taken[id];
        // Not more than the document held, or not more than is outstanding now: no question.
        if (t.quantity <= n->mine + eps || t.quantity <= n->free() + eps)
            continue;
        const OrderReceipts::Line& s = seen.contains(id) ? seen[id] : *n;
        const double allowed = agreed.contains(id) ? t.quantity : qMax(s.free(), s.mine);
        Refusal r;
        r.row = t.row;
        r.poNo = n->poNo;
        if (n->free() < s.free() - eps) {
            // Another document received of the order line since this one read it.
            r.text = (say(thai, QT_TRANSLATE_NOOP("InboundRules", "%1 : ยอดค้างรับของใบสั่งซื้อ %2 เปลี่ยนไป เครื่องอื่นรับสินค้าของใบสั่งซื้อนี้ไปแล้ว "
                                            "ค้างรับขณะนี้ %3\nยังไม่ได้บันทึกข้อมูล กรุณาแก้จำนวน หรืออ้างใบสั่งซื้อใหม่ "
                                            "แล้วบันทึกอีกครั้ง")))
                         .arg(lineName(lines, t.row, thai), n->poNo.trimmed(),
                              inLineUnit(lines, t.row, qMax(0.0, n->free())));
            return r;
        }
        if (t.quantity > allowed + eps) {
            r.text = excessText(lines, t.row, *n, t.quantity - n->free(), thai)
                     + (say(thai, QT_TRANSLATE_NOOP("InboundRules", "\nยังไม่ได้บันทึกข้อมูล")));
            return r;
        }
    }
    return std::nullopt;
}

QString ReceivedInFullText(bool thai)
{
    return say(thai, QT_TRANSLATE_NOOP("InboundRules", "รายการสั่งซื้อรับหมดแล้ว"));
}

double CalculateAll(CachedDataSet& lines)
{
    double total = 0;
    for (int r = 0; r < lines.RecordCount(); ++r)
        total += lines.value(r, QStringLiteral("Total")).toDouble();
    return total;
}

int RenumberDuty(CachedDataSet& duty)
{
    if (!duty.Active())
        return 0;
    const int n = duty.RecordCount();
    for (int r = 0; r < n; ++r)
        if (duty.value(r, QStringLiteral("DutyNo")).toInt() != r + 1)
            duty.assign(r, QStringLiteral("DutyNo"), r + 1);
    return n;
}

int EffectiveDutyNo(const QVariant& dutyNo)
{
    const int n = dutyNo.toInt();
    return n <= 0 ? 1 : n;
}

CheckResult CheckComplete(CachedDataSet& lines, CachedDataSet& duty, bool importLotFilled, bool thai)
{
    CheckResult res;
    if (lines.state() != CachedDataSet::State::Browse)
        lines.Post();
    if (duty.state() != CachedDataSet::State::Browse)
        duty.Post();

    // 1. Lines: product-less ones go; the walk stops at the first incomplete line.
    bool lineFailed = false;
    int passed = 0;
    int r = 0;
    while (r < lines.RecordCount()) {
        if (emptyId(lines.value(r, QStringLiteral("Product")))) {
            lines.setRecNo(r);
            lines.Delete();
            continue;
        }
        if (lines.value(r, QStringLiteral("ProductUnits")).toInt() <= 0
            || lines.value(r, QStringLiteral("Quantity")).toDouble() <= 0) {
            lineFailed = true;
            res.row = r;
            break;
        }
        ++passed;
        ++r;
    }
    if (lineFailed || passed == 0)
        res.messages << QCoreApplication::translate("InboundRules", "ป้อนข้อมูล ในรายการสินค้าไม่ครบถ้วน");
    if (lineFailed && !importLotFilled)
        res.messages << QCoreApplication::translate("InboundRules", "ท่านยังไม่ได้ป้อน Import Lot No");

    // 2. Duty groups: amount-less ones go, the rest are numbered 1..n.
    bool dutyOk = false;
    if (!lineFailed && passed > 0) {
        int d = 0;
        while (d < duty.RecordCount()) {
            const QVariant t = duty.value(d, QStringLiteral("Total"));
            if (t.isNull() || t.toString().trimmed().isEmpty()) {
                duty.setRecNo(d);
                duty.Delete();
                continue;
            }
            ++d;
        }
        const int groups = RenumberDuty(duty);
        if (groups == 0) {
            res.messages << QCoreApplication::translate("InboundRules", "ป้อนข้อมูลอากรไม่ถูกต้อง");
            res.focus = CheckResult::Focus::DutyAmount;
        } else {
            dutyOk = true;
            // Every line must land in a group that exists: a duty number beyond the groups
            // (left over after groups were deleted) is refused with the line named.
            for (int l = 0; l < lines.RecordCount(); ++l) {
                const int no = EffectiveDutyNo(lines.value(l, QStringLiteral("DutyNo")));
                if (no > groups) {
                    dutyOk = false;
                    res.messages << (say(thai, QT_TRANSLATE_NOOP("InboundRules", "รายการที่ %1 ไม่มีกลุ่มอากรลำดับที่ %2")))
                                            .arg(l + 1)
                                            .arg(no);
                    res.focus = CheckResult::Focus::LineDutyNo;
                    res.row = l;
                    break;
                }
            }
        }
    }

    // 3. The import lot.
    if (!lineFailed && !importLotFilled) {
        res.messages << QStringLiteral("Not Found Import Lot No");
        res.focus = CheckResult::Focus::ImportLot;
    }
    res.ok = !lineFailed && passed > 0 && dutyOk && importLotFilled;
    return res;
}

SaveResult Save(const SaveInput& in)
{
    CachedDataSet& hd = *in.header;
    SaveResult out;
    const int userId = Session::current() ? Session::current()->UserId : 0;
    // The time of day is cut off the document date.
    const QDateTime docDate = QDateTime(Db::dateFromValue(hd.FieldByName(QStringLiteral("ImDate"))).date(), QTime(0, 0));
    hd.SetField(QStringLiteral("ImDate"), Db::dateToText(docDate));
    hd.Post();
    const bool isNew = hd.rowState(hd.RecNo()) == CachedDataSet::RowState::Inserted;

    DM->StartTransaction();
    try {
        // Another workstation may have saved this document since it was opened here, or this
        // screen's own try did, its reply lost with the connection.
        if (const auto saved = StoredDocument::EnsureUnchanged(hd, {in.lines, in.duty}, QStringLiteral("ImNo")))
            return {saved->id, saved->number, docDate.date().year()};
        QString number;
        int id = 0;
        // The total stored is that of the lines stored: lines dropped by the validation do
        // not count.
        if (in.lines)
            hd.SetField(QStringLiteral("Total"), CalculateAll(*in.lines));
        if (isNew) {
            // A number in use (by an import document or a bill brought forward) is refused
            // before anything is written; automatic numbering passes over numbers typed by
            // hand earlier, and draws the number at the end (FinishNewDocument).
            if (in.autoRun) {
                number = DM->ProvisionalDocNo();
            } else {
                reportStep(SaveStep::Number);
                number = in.typedNumber;
                DM->CheckDocNoFree(QStringLiteral("ImHd"), number);
            }
            hd.SetField(QStringLiteral("ImNo"), number);
            hd.SetField(QStringLiteral("Clear"), QStringLiteral("N"));
            hd.SetField(QStringLiteral("DelFlag"), QStringLiteral("N"));
            hd.SetField(QStringLiteral("PaidAmount"), 0);
            hd.SetField(QStringLiteral("Posted"), QStringLiteral("N"));
            hd.SetField(QStringLiteral("Imported"), QStringLiteral("N"));
            hd.SetField(QStringLiteral("BeginBalance"), in.beginBalance ? QStringLiteral("Y") : QStringLiteral("N"));
            hd.SetField(QStringLiteral("DueDate"), Db::dateToText(docDate));
            if (in.beginBalance)
                hd.SetField(QStringLiteral("ImportLotNo"), in.beginLotId);
            hd.Post();
            reportStep(SaveStep::Header);
            DM->ApplyDocumentHeader(hd, number);
            // The new Id comes from the insert itself: never read back by number.
            id = hd.InsertedId();
            if (id <= 0)
                throw NkError(QStringLiteral("Impossible Error ImNo !!!! ") + number);
            if (!in.autoRun) {
                reportStep(SaveStep::Log);
                DM->AddUserLog(1, 0, number);
            }
        } else {
            id = hd.AsInteger(QStringLiteral("ID"));
            number = hd.AsString(QStringLiteral("ImNo"));
            hd.Post();
            reportStep(SaveStep::Header);
            DM->ApplyDocumentHeader(hd, number);
            reportStep(SaveStep::Log);
            DM->AddUserLog(2, id, number);
        }
        out.id = id;
        out.number = number;
        out.year = docDate.date().year();

        if (in.duty) {
            reportStep(SaveStep::Duty);
            CachedDataSet& duty = *in.duty;
            for (int r = 0; r < duty.RecordCount(); ++r)
                if (duty.value(r, QStringLiteral("ImHd")).toInt() != id)
                    duty.setValue(r, duty.fieldIndex(QStringLiteral("ImHd")), id);
            if (duty.RecordCount() > 0)
                duty.First();
            duty.ApplyUpdates();
        }
        if (in.lines) {
            reportStep(SaveStep::Lines);
            CachedDataSet& lines = *in.lines;
            // The Id of every group of the document, for the lines: the groups just written
            // hold them (a new one its Id from its insert; lines come with their groups). No
            // statement per line, none to read them back.
            QHash<int, int> groupIds;
            if (in.duty) {
                const CachedDataSet& duty = *in.duty;
                for (int r = 0; r < duty.RecordCount(); ++r) {
                    const int groupId = duty.rowState(r) == CachedDataSet::RowState::Inserted
                                            ? duty.InsertedId(r)
                                            : duty.value(r, QStringLiteral("ID")).toInt();
                    groupIds.insert(duty.value(r, QStringLiteral("DutyNo")).toInt(), groupId);
                }
            }
            const QString dateText = Db::dateToText(docDate);
            for (int r = 0; r < lines.RecordCount(); ++r) {
                lines.setRecNo(r);
                int no = lines.value(r, QStringLiteral("DutyNo")).toInt();
                if (no <= 0) {
                    no = in.duty && in.duty->RecordCount() > 0 ? in.duty->value(0, QStringLiteral("DutyNo")).toInt() : 1;
                    lines.SetField(QStringLiteral("DutyNo"), no);
                }
                const auto it = groupIds.constFind(no);
                if (it == groupIds.cend())
                    throw NkError(QCoreApplication::translate("InboundRules", "รายการที่ %1 ไม่มีกลุ่มอากรลำดับที่ %2").arg(r + 1).arg(no));
                lines.SetField(QStringLiteral("ImHd"), id);
                lines.SetField(QStringLiteral("ImRecNo"), r + 1);
                lines.SetField(QStringLiteral("ImDate"), dateText);
                lines.SetField(QStringLiteral("ImDuty"), *it);
                lines.SetField(QStringLiteral("Cost"), 0);
                lines.Post();
            }
            // The order lines taken over, now and as stored, are locked and checked before
            // the lines are written, and follow the imports after.
            const QSqlDatabase db = DM->DMdata();
            QList<int> orderLines = isNew ? QList<int>() : OrderReceipts::LinesOfDocument(db, id);
            for (int line : TakenByLines(lines).keys())
                if (!orderLines.contains(line))
                    orderLines << line;
            std::sort(orderLines.begin(), orderLines.end());
            if (!orderLines.isEmpty()) {
                const OrdersSeen now = OrderReceipts::Lock(db, orderLines, id);
                if (const auto refused = CheckOrders(lines, now, in.orders, in.overAgreed, in.thai))
                    throw OrderRefused(*refused);
            }
            lines.ApplyUpdates();
            OrderReceipts::Recompute(db, orderLines);
        }
        if (in.runGL) {
            reportStep(SaveStep::GL);
            ServerProcs::GenerateGL(DM->DMdata(), QStringLiteral("GL_ImHd"), id, userId, isNew);
        }
        out.number = DM->FinishNewDocument(hd, QStringLiteral("ImNo"), id, in.docCode, docDate);
        reportStep(SaveStep::Commit);
        DM->Commit();
    } catch (...) {
        DM->RollbackDocument(hd, QStringLiteral("ImNo"), isNew && in.autoRun);
        throw;
    }
    hd.CommitUpdates();
    if (in.lines)
        in.lines->CommitUpdates();
    if (in.duty)
        in.duty->CommitUpdates();
    return out;
}

void Delete(CachedDataSet& hd)
{
    const int id = hd.AsInteger(QStringLiteral("ID"));
    const QSqlDatabase db = DM->DMdata();
    QList<int> orderLines;
    DocumentDelete::MarkDeleted(hd, hd.AsString(QStringLiteral("ImNo")),
                                {.beforeHeader =
                                     [&] {
                                         orderLines = OrderReceipts::LinesOfDocument(db, id);
                                         OrderReceipts::Lock(db, orderLines, id);
                                     },
                                 .afterLog = [&] { OrderReceipts::Recompute(db, orderLines); }});
}

void DeleteBeginBalance(CachedDataSet& hd)
{
    // A bill brought forward has no lines and nothing refers to it: it goes for good.
    const int id = hd.AsInteger(QStringLiteral("ID"));
    const QString number = hd.AsString(QStringLiteral("ImNo"));
    DM->StartTransaction();
    try {
        hd.Delete();
        hd.ApplyUpdates();
        DM->AddUserLog(3, id, number);
        DM->Commit();
    } catch (...) {
        DM->Rollback();
        hd.CancelUpdates();
        if (hd.RecNo() >= 0)
            hd.Edit();
        throw;
    }
    hd.CommitUpdates();
}

int EnsureBeginLot()
{
    const QSqlDatabase db = DM->DMdata();
    // "if not exists" is spelled as an insert that selects nothing when the lot is there.
    Db::exec(db, QStringLiteral("insert into importlotno (code,description,effectivedate,active) "
                                "select 'BEGIN','Lot เริ่มต้นระบบ',") + Db::nowSql(db)
                 + QStringLiteral(",'Y' where not exists (select id from importlotno where code='BEGIN')"));
    return Db::scalar(db, QStringLiteral("select  id\nfrom importlotno\nwhere code='BEGIN'")).toInt();
}

} // namespace InboundRules
