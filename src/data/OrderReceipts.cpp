#include "data/OrderReceipts.h"

#include "data/DbUtil.h"

#include <QSqlRecord>
#include <QStringList>

namespace OrderReceipts {

namespace {

// Ids are the program's own integers, never typed text: they are written into the list.
QString idList(const QList<int>& ids)
{
    QStringList l;
    for (int id : ids)
        l << QString::number(id);
    return l.join(QLatin1Char(','));
}

// What the live import documents hold of the order line `line` (an expression naming the
// line's Id), in small units; `extra` narrows the documents.
QString receivedBy(const QString& line, const QString& extra = {})
{
    return QStringLiteral("Coalesce((Select Sum(D.Quantity * D.Fraction) From ImDt D Inner Join ImHd I On (I.ID = D.ImHd) "
                          "Where (D.PoDt = %1) And (Coalesce(I.DelFlag, 'N') <> 'Y')%2), 0)")
        .arg(line, extra);
}

bool onServer(const QSqlDatabase& db)
{
    return Db::backendOf(db) == Db::Backend::PostgreSQL;
}

void lockRows(const QSqlDatabase& db, const QString& where)
{
    if (!onServer(db))
        return; // a writing transaction holds the whole file
    Db::runWaitingForLocks(db, [&] {
        Db::exec(db, QStringLiteral("Select Id From FrPoDt Where %1 Order By Id For Update").arg(where));
    });
}

// The lines `where` selects, then their orders' Clear.
void recompute(const QSqlDatabase& db, const QString& where, const QString& orders)
{
    const QString ordered = QStringLiteral("(Coalesce(Quantity, 0) * Coalesce(Fraction, 1))");
    const QString open = QStringLiteral("(%1 - Received > %2)").arg(ordered).arg(Epsilon, 0, 'f', 6);
    Db::exec(db, QStringLiteral("Update FrPoDt Set Received = %1%2").arg(receivedBy(QStringLiteral("FrPoDt.ID")), where));
    Db::exec(db, QStringLiteral("Update FrPoDt Set BackOrder = Case When %1 Then %2 - Received Else 0 End, "
                                "Clear = Case When %1 Then 'N' Else 'Y' End%3")
                     .arg(open, ordered, where));
    Db::exec(db, QStringLiteral("Update FrPoHd Set Clear = Case When Exists (Select 1 From FrPoDt D Where (D.FrPoHd = "
                                "FrPoHd.ID) And (D.Clear <> 'Y')) Then 'N' Else 'Y' End "
                                "Where Exists (Select 1 From FrPoDt D Where (D.FrPoHd = FrPoHd.ID))%1")
                     .arg(orders));
}

} // namespace

QHash<int, Line> Read(const QSqlDatabase& db, const QList<int>& ids, int document)
{
    QHash<int, Line> out;
    if (ids.isEmpty())
        return out;
    QSqlQuery q = Db::exec(
        db,
        QStringLiteral("Select F.Id, H.PoNo, F.PoRecNo, F.Fraction, Coalesce(F.Quantity, 0) * Coalesce(F.Fraction, 1), %1, "
                       "Coalesce((Select Sum(D.Quantity * D.Fraction) From ImDt D Where (D.PoDt = F.Id) And (D.ImHd = :Doc)), 0) "
                       "From FrPoDt F Inner Join FrPoHd H On (H.ID = F.FrPoHd) Where F.Id In (%2)")
            .arg(receivedBy(QStringLiteral("F.Id"), QStringLiteral(" And (D.ImHd <> :Doc)")), idList(ids)),
        {{QStringLiteral("Doc"), document}});
    const QSqlRecord columns = q.record();
    while (q.next()) {
        const QVector<QVariant> v = Db::rowValues(q, columns);
        Line l;
        l.id = v[0].toInt();
        l.poNo = v[1].toString();
        l.recNo = v[2].toInt();
        l.fraction = v[3].isNull() || v[3].toDouble() <= 0 ? 1.0 : v[3].toDouble();
        l.ordered = v[4].toDouble();
        l.others = v[5].toDouble();
        l.mine = v[6].toDouble();
        out.insert(l.id, l);
    }
    return out;
}

QHash<int, Line> Lock(const QSqlDatabase& db, const QList<int>& ids, int document)
{
    if (ids.isEmpty())
        return {};
    lockRows(db, QStringLiteral("Id In (%1)").arg(idList(ids)));
    return Read(db, ids, document);
}

void LockOrder(const QSqlDatabase& db, int order)
{
    lockRows(db, QStringLiteral("FrPoHd = %1").arg(order));
}

QList<int> LinesOfDocument(const QSqlDatabase& db, int document)
{
    QList<int> ids;
    if (document <= 0)
        return ids;
    QSqlQuery q = Db::exec(db, QStringLiteral("Select Distinct PoDt From ImDt Where (ImHd = :Doc) And (PoDt > 0)"),
                           {{QStringLiteral("Doc"), document}});
    while (q.next())
        ids << q.value(0).toInt();
    return ids;
}

void Recompute(const QSqlDatabase& db, const QList<int>& ids)
{
    if (ids.isEmpty())
        return;
    const QString list = idList(ids);
    recompute(db, QStringLiteral(" Where Id In (%1)").arg(list),
              QStringLiteral(" And (ID In (Select FrPoHd From FrPoDt Where Id In (%1)))").arg(list));
}

void RecomputeOrder(const QSqlDatabase& db, int order)
{
    recompute(db, QStringLiteral(" Where FrPoHd = %1").arg(order), QStringLiteral(" And (ID = %1)").arg(order));
}

int RecomputeAll(const QSqlDatabase& db)
{
    recompute(db, QString(), QString());
    return Db::scalar(db, QStringLiteral("Select Count(*) From FrPoDt")).toInt();
}

} // namespace OrderReceipts
