#include "forms/import/ImportCostQuery.h"

#include "data/DbUtil.h"
#include "data/Rounding.h"
#include "forms/purchase/PurchaseTotals.h"

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

QString CostSql(Db::Backend backend)
{
    // The average price is a real division even when the engine keeps whole amounts as
    // integers, and a product whose quantities sum to 0 gets no price instead of an error.
    // A cancelled import document (DelFlag "Y", kept with its lines) brings no goods into the
    // lot. The order by code makes the sheet read like a product list.
    //
    // The duty of a product is its rows of ImDtDuty in the lot. SQLite reads them product by
    // product (it works out the view's duty groups once for the statement). The server would
    // work them out again for every product, over every import ever saved (half a second for a
    // lot of 1,000 products in a company with a year of imports), so there the duty of every
    // product of the lot is summed in one pass and joined.
    const bool server = backend == Db::Backend::PostgreSQL;
    QStringList sql{
        QStringLiteral("Select P.Code, P.Id,P.ThaiName, Sum(D.Quantity) Quantity, "
                       "Sum(D.Total) * 1.0 / NullIf(Sum(D.Quantity), 0) Price,"),
        QStringLiteral("  Sum(D.Total) Total, Sum(D.Total * H.ExchangeRate) Baht, Sum(D.Quantity)  Expense,"),
        server ? QStringLiteral("  Max(V.Duty) As Duty,")
               : QStringLiteral("  (Select Sum(V.Duty) From ImDtDuty V Where (V.ImportLotNo = :GetId) And (V.Product = P.Id)) As Duty,"),
        QStringLiteral("  Sum(D.Quantity) TotalCost, Sum(D.Quantity) Cost"),
        QStringLiteral("From ImDt D"),
        QStringLiteral("Inner Join ImHd H On (H.Id = D.ImHd)"),
        QStringLiteral("Inner Join ImDuty Y On (Y.Id = D.ImDuty)"),
        QStringLiteral("Inner Join ProductView P On (P.Id = D.Product)"),
    };
    if (server)
        sql << QStringLiteral("Left Join (Select Product, Sum(Duty) Duty From ImDtDuty Where (ImportLotNo = :GetId) "
                              "Group By Product) V On (V.Product = P.Id)");
    sql << QStringLiteral("Where (H.ImportLotNo = :GetId) And (Coalesce(H.DelFlag, 'N') <> 'Y')")
        << QStringLiteral("Group By P.Code, P.Id,P.ThaiName") << QStringLiteral("Order By P.Code, P.Id");
    return sql.join(QLatin1Char('\n'));
}

QString DocumentsSql()
{
    // What a bill adds is computed from its stored figures (PurchaseTotals::CostOfBill): the
    // taxed and untaxed goods are the sums of its line totals, split by the lines' rates as
    // the bill's own calculation splits them. A foreign payment brings its paid amounts less
    // their tax. Columns by position: Kind, Id, number, date, vendor code and name, Price_IE,
    // TaxRate, CanUseTax, DiscAmt1..3, TaxCal, TaxTotal, taxed goods, untaxed goods.
    auto bill = [](const char* kind, const char* hd, const char* dt, const char* no, const char* date) {
        return QStringLiteral(
                   "Select '%1' Kind, H.Id, H.%4 DocNo, H.%5 DocDate, V.Code VendorCode, V.Name VendorName,\n"
                   "  H.Price_IE, H.TaxRate, H.CanUseTax, H.DiscAmt1, H.DiscAmt2, H.DiscAmt3, H.TaxCal, H.TaxTotal,\n"
                   "  (Select Coalesce(Sum(Case When D.TaxRate > 0 Then D.Total Else 0 End), 0) From %3 D Where D.%2 = H.Id) Taxed,\n"
                   "  (Select Coalesce(Sum(Case When D.TaxRate > 0 Then 0 Else D.Total End), 0) From %3 D Where D.%2 = H.Id) Untaxed\n"
                   "From %2 H Left Join Vendor V On (V.Id = H.Vendor)\n"
                   "Where (H.ImportLotNo = :GetId) And (H.DelFlag = 'N')")
            .arg(QLatin1String(kind), QLatin1String(hd), QLatin1String(dt), QLatin1String(no), QLatin1String(date));
    };
    return bill("C", "MrHd", "MrDt", "MrNo", "MrDate") + QStringLiteral("\nUnion All\n")
           + bill("P", "PcHd", "PcDt", "PcNo", "PcDate") + QStringLiteral("\nUnion All\n")
           + QStringList{
                 QStringLiteral("Select 'F' Kind, H.Id, H.FrMiscPdNo DocNo, H.FrMiscPdDate DocDate, V.Code VendorCode, V.Name VendorName,"),
                 QStringLiteral("  'E' Price_IE, 0 TaxRate, 'Y' CanUseTax, 0 DiscAmt1, 0 DiscAmt2, 0 DiscAmt3,"),
                 QStringLiteral("  (Select Coalesce(Sum(Coalesce(D.TaxAmount, 0)), 0) From FrMiscPdDt D Where D.FrMiscPdHd = H.Id) TaxCal,"),
                 QStringLiteral("  (Select Coalesce(Sum(Coalesce(D.TaxAmount, 0)), 0) From FrMiscPdDt D Where D.FrMiscPdHd = H.Id) TaxTotal,"),
                 QStringLiteral("  (Select Coalesce(Sum(D.PaidAmount - Coalesce(D.TaxAmount, 0)), 0) From FrMiscPdDt D Where D.FrMiscPdHd = H.Id) Taxed,"),
                 QStringLiteral("  0 Untaxed"),
                 QStringLiteral("From FrMiscPdHd H Left Join FrVendor V On (V.Id = H.FrVendor)"),
                 QStringLiteral("Where (H.ImportLotNo = :GetId) And (H.DelFlag = 'N')"),
                 QStringLiteral("Order By 4, 3"),
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
    QSqlQuery q = run(db, CostSql(Db::backendOf(db)), QStringLiteral("GetId"), lotId);
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

QVector<LotExpenseDocument> LotDocuments(const QSqlDatabase& db, qint64 lotId)
{
    QSqlQuery q = run(db, DocumentsSql(), QStringLiteral("GetId"), lotId);
    QVector<LotExpenseDocument> docs;
    while (q.next()) {
        LotExpenseDocument d;
        const QString kind = q.value(0).toString();
        d.DocKind = kind == QLatin1String("C")   ? LotExpenseDocument::Kind::CreditBill
                    : kind == QLatin1String("P") ? LotExpenseDocument::Kind::CashBill
                                                 : LotExpenseDocument::Kind::ForeignPayment;
        d.Id = q.value(1).toLongLong();
        d.Number = q.value(2).toString().trimmed();
        d.Date = Db::dateFromValue(q.value(3)).toString(QStringLiteral("dd/MM/yyyy"));
        d.VendorCode = q.value(4).toString().trimmed();
        d.VendorName = q.value(5).toString().trimmed();
        PurchaseTotals::StoredBill b;
        b.pricesExcludeTax = q.value(6).toString().trimmed() == QLatin1String("E");
        b.taxRate = q.value(7).toDouble();
        b.taxReclaimable = q.value(8).toString().trimmed() == QLatin1String("Y");
        for (int i = 0; i < 3; ++i)
            b.discAmt[i] = q.value(9 + i).toDouble();
        b.taxCal = q.value(12).toDouble();
        b.taxTotal = q.value(13).toDouble();
        b.taxedGoods = q.value(14).toDouble();
        b.untaxedGoods = q.value(15).toDouble();
        if (d.DocKind == LotExpenseDocument::Kind::ForeignPayment) {
            d.Counted = RoundDecimal(b.taxedGoods, 2, 18);
            d.VatLeftOut = RoundDecimal(b.taxTotal, 2, 18);
        } else {
            const PurchaseTotals::BillCost c = PurchaseTotals::CostOfBill(b);
            d.Counted = c.counted;
            d.VatLeftOut = c.vatLeftOut;
        }
        docs.push_back(d);
    }
    return docs;
}

double LotExpense(const QSqlDatabase& db, qint64 lotId)
{
    return LotExpenseTotal(LotDocuments(db, lotId));
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
    in.Documents = LotDocuments(db, lotId);
    in.LotExpense = LotExpenseTotal(in.Documents);
    in.Currency = LotCurrency(db, lotId);
    return in;
}

} // namespace ImportCostQuery
