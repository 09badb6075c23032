#include "forms/import/ImportCostQuery.h"

#include "data/DbUtil.h"

#include <QHash>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace ImportCostQuery {

namespace {

// Every occurrence of the parameter takes the lot id; a failure is thrown as NkError.
QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QString& param, qint64 lotId)
{
    return Db::exec(db, sql, {{param, lotId}});
}

} // namespace

QString CostSql()
{
    // The average price is a real division even when the engine keeps whole amounts as
    // integers, and a product whose quantities sum to 0 gets no price instead of an error.
    // A cancelled import document (DelFlag "Y", kept with its lines) brings no goods into the
    // lot. The order by code makes the sheet read like a product list.
    return QStringList{
        QStringLiteral("Select P.Code, P.Id,P.ThaiName, Sum(D.Quantity) Quantity, "
                       "Sum(D.Total) * 1.0 / NullIf(Sum(D.Quantity), 0) Price,"),
        QStringLiteral("  Sum(D.Total) Total, Sum(D.Total * H.ExchangeRate) Baht, Sum(D.Quantity)  Expense,"),
        QStringLiteral("  (Select Sum(V.Duty) From ImDtDuty V Where (V.ImportLotNo = :GetId) And (V.Product = P.Id)) As Duty,"),
        QStringLiteral("  Sum(D.Quantity) TotalCost, Sum(D.Quantity) Cost"),
        QStringLiteral("From ImDt D"),
        QStringLiteral("Inner Join ImHd H On (H.Id = D.ImHd)"),
        QStringLiteral("Inner Join ImDuty Y On (Y.Id = D.ImDuty)"),
        QStringLiteral("Inner Join ProductView P On (P.Id = D.Product)"),
        QStringLiteral("Where (H.ImportLotNo = :GetId) And (Coalesce(H.DelFlag, 'N') <> 'Y')"),
        QStringLiteral("Group By P.Code, P.Id,P.ThaiName"),
        QStringLiteral("Order By P.Code, P.Id"),
    }.join(QLatin1Char('\n'));
}

QString ExpenseSql()
{
    return QStringList{
        QStringLiteral("select ("),
        QStringLiteral("(select coalesce(sum(d.paidamount-coalesce(d.taxamount,0)),0) from frmiscpddt  d  "
                       "inner join frmiscpdhd h on h.id=d.frmiscpdhd where h.importlotno=:Getid and h.delflag='N') +"),
        QStringLiteral("(select coalesce(sum(total),0) from mrhd where importlotno=:Getid and delflag='N') +"),
        QStringLiteral("(select coalesce(sum(total),0) from pchd where importlotno=:Getid and delflag='N') "),
        QStringLiteral(")"),
        QStringLiteral("as expense"),
        QStringLiteral("from imdt d"),
        QStringLiteral("inner join imhd h on h.id=d.imhd"),
        QStringLiteral("where h.importlotno=:Getid"),
    }.join(QLatin1Char('\n'));
}

QString CurrencySql()
{
    // The lot's currency is taken from a document that counts in the cost.
    return QStringList{
        QStringLiteral("select m.code,h.exchangerate"),
        QStringLiteral("from imhd h"),
        QStringLiteral("inner join misc m on m.id=h.currency and m.groupcode='CURRENCY'"),
        QStringLiteral("where h.importlotno=:getid and coalesce(h.delflag,'N')<>'Y'"),
    }.join(QLatin1Char('\n'));
}

QString LotSql()
{
    return QStringList{
        QStringLiteral("Select Code, Description"),
        QStringLiteral("From ImportLotNo"),
        QStringLiteral("Where Id = :GetId"),
    }.join(QLatin1Char('\n'));
}

QString MeasureSql()
{
    // The same lines as the cost statement: of the lot, with their duty group, not cancelled.
    // Weights and sizes are the product's, per small unit.
    return QStringList{
        QStringLiteral("Select D.Product, Sum(D.Quantity * Coalesce(D.Fraction, 1)) StockQuantity,"),
        QStringLiteral("  P.NetWeight, P.GrossWeight, P.Size_W, P.Size_L, P.Size_H"),
        QStringLiteral("From ImDt D"),
        QStringLiteral("Inner Join ImHd H On (H.Id = D.ImHd)"),
        QStringLiteral("Inner Join ImDuty Y On (Y.Id = D.ImDuty)"),
        QStringLiteral("Inner Join Product P On (P.Id = D.Product)"),
        QStringLiteral("Where (H.ImportLotNo = :GetId) And (Coalesce(H.DelFlag, 'N') <> 'Y')"),
        QStringLiteral("Group By D.Product, P.NetWeight, P.GrossWeight, P.Size_W, P.Size_L, P.Size_H"),
    }.join(QLatin1Char('\n'));
}

QVector<ImportCostQueryRow> CostRows(const QSqlDatabase& db, qint64 lotId)
{
    QSqlQuery q = run(db, CostSql(), QStringLiteral("GetId"), lotId);
    QVector<ImportCostQueryRow> rows;
    // Columns by position: the backends differ in the case of the names they return.
    while (q.next()) {
        ImportCostQueryRow r;
        r.Code = q.value(0).toString();
        r.Id = q.value(1).toLongLong();
        r.ThaiName = q.value(2).toString();
        r.Quantity = q.value(3).toDouble();
        r.Price = q.value(4).toDouble(); // no price (quantities summing to 0) reads as 0
        r.Total = q.value(5).toDouble();
        r.Baht = q.value(6).toDouble();
        r.Duty = q.value(8).toDouble(); // no duty rows for the product reads as 0
        rows.push_back(r);
    }
    return rows;
}

double LotExpense(const QSqlDatabase& db, qint64 lotId)
{
    // Every row carries the same total; the first one is enough.
    QSqlQuery q = run(db, ExpenseSql(), QStringLiteral("Getid"), lotId);
    if (!q.next())
        return 0;
    return q.value(0).toDouble();
}

QString LotCurrency(const QSqlDatabase& db, qint64 lotId)
{
    QSqlQuery q = run(db, CurrencySql(), QStringLiteral("getid"), lotId);
    if (!q.next())
        return {};
    return q.value(0).toString().trimmed();
}

LotInfo Lot(const QSqlDatabase& db, qint64 lotId)
{
    QSqlQuery q = run(db, LotSql(), QStringLiteral("GetId"), lotId);
    LotInfo info;
    if (q.next()) {
        info.Found = true;
        info.Code = q.value(0).toString();
        info.Description = q.value(1).toString();
    }
    return info;
}

void ReadMeasures(const QSqlDatabase& db, qint64 lotId, QVector<ImportCostQueryRow>& rows)
{
    QHash<qint64, int> byId;
    byId.reserve(rows.size());
    for (int i = 0; i < rows.size(); ++i)
        byId.insert(rows[i].Id, i);
    QSqlQuery q = run(db, MeasureSql(), QStringLiteral("GetId"), lotId);
    while (q.next()) {
        const auto it = byId.constFind(q.value(0).toLongLong());
        if (it == byId.constEnd())
            continue;
        ImportCostQueryRow& r = rows[*it];
        r.StockQuantity = q.value(1).toDouble();
        r.NetWeight = q.value(2).toDouble(); // not entered (null) reads as 0
        r.GrossWeight = q.value(3).toDouble();
        r.SizeW = q.value(4).toDouble();
        r.SizeL = q.value(5).toDouble();
        r.SizeH = q.value(6).toDouble();
    }
}

Input Read(const QSqlDatabase& db, qint64 lotId, CostBasis basis)
{
    Input in;
    in.Rows = CostRows(db, lotId);
    if (in.Rows.isEmpty())
        return in;
    if (basis != CostBasis::Value)
        ReadMeasures(db, lotId, in.Rows);
    in.LotExpense = LotExpense(db, lotId);
    in.Currency = LotCurrency(db, lotId);
    return in;
}

} // namespace ImportCostQuery
