#include "forms/import/LandedCostQuery.h"

#include "data/DbUtil.h"
#include "data/Rounding.h"
#include "forms/import/ImportCostQuery.h"

#include <QSqlRecord>
#include <QStringList>

namespace LandedCostQuery {

namespace {

// An import document that counts: not cancelled, not a bill brought forward.
const char* const LiveImport = "(Coalesce(H.DelFlag, 'N') <> 'Y') And (Coalesce(H.BeginBalance, 'N') <> 'Y')";
// Its lot has a live expense document.
const char* const HasExpenseDocument =
    "((Exists (Select 1 From MrHd M Where (M.ImportLotNo = H.ImportLotNo) And (M.DelFlag = 'N')))\n"
    "  Or (Exists (Select 1 From PcHd C Where (C.ImportLotNo = H.ImportLotNo) And (C.DelFlag = 'N')))\n"
    "  Or (Exists (Select 1 From FrMiscPdHd F Where (F.ImportLotNo = H.ImportLotNo) And (F.DelFlag = 'N'))))";

void rows(const QSqlDatabase& db, const QString& sql, const QVariantMap& params,
          const std::function<void(QVector<QVariant>&)>& each)
{
    QSqlRecord columns;
    Db::readRows(db, sql, params, columns, each);
}

QDate dateOf(const QVariant& v)
{
    const QDateTime d = Db::dateFromValue(v);
    return d.isValid() && !Db::isEmptyDate(d) ? d.date() : QDate();
}

QVariant dateValue(const QDate& d)
{
    return d.isValid() ? QVariant(Db::dateToText(d)) : QVariant();
}

QVariant number(bool has, double v)
{
    return has ? QVariant(v) : QVariant();
}

QString flag(bool on)
{
    return on ? QStringLiteral("Y") : QStringLiteral("N");
}

bool isFlag(const QVariant& v)
{
    return v.toString().trimmed() == QLatin1String("Y");
}

} // namespace

bool Available(const QSqlDatabase& db)
{
    int found = 0;
    for (const QString& t : db.tables())
        if (t.compare(QLatin1String("FrPoEstHd"), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String("FrPoEstDt"), Qt::CaseInsensitive) == 0)
            ++found;
    return found == 2;
}

Setting ReadSetting(const QSqlDatabase& db)
{
    Setting s;
    bool read = false;
    rows(db, QStringLiteral("Select Lots, VendorOnly From FrPoEstSetting Order By ID"), {}, [&](QVector<QVariant>& v) {
        if (read)
            return; // the first row only
        read = true;
        if (!v[0].isNull())
            s.Lots = qMax(1, v[0].toInt());
        s.VendorOnly = v[1].isNull() || isFlag(v[1]);
    });
    return s;
}

LandedCostEstimate::RateSource ExpectedRate(const QSqlDatabase& db, int currency)
{
    LandedCostEstimate::RateSource r;
    if (currency <= 0)
        return r;
    const QString sql = QStringLiteral("Select H.ExchangeRate, H.ID, H.ImNo, H.ImDate\n"
                                       "From ImHd H\n"
                                       "Where (H.Currency = :Currency) And %1 And (H.ExchangeRate > 0)\n"
                                       "Order By H.ImDate Desc, H.ID Desc\n"
                                       "Limit 1")
                            .arg(QLatin1String(LiveImport));
    rows(db, sql, {{QStringLiteral("Currency"), currency}}, [&](QVector<QVariant>& v) {
        r.Found = true;
        r.Rate = v[0].toDouble();
        r.ImHd = v[1].toLongLong();
        r.DocNo = v[2].toString().trimmed();
        r.DocDate = dateOf(v[3]);
    });
    return r;
}

QVector<CostedLot> CostedLots(const QSqlDatabase& db, int vendor)
{
    const QString sql =
        QStringLiteral("Select H.ImportLotNo, L.Code, Max(H.ImDate) Arrived\n"
                       "From ImHd H\n"
                       "Inner Join ImportLotNo L On (L.Id = H.ImportLotNo)\n"
                       "Where %1\n"
                       "  And %2\n"
                       "  And ((:Vendor = 0) Or (H.ImportLotNo In (Select V.ImportLotNo From ImHd V\n"
                       "    Where (V.FrVendor = :Vendor) And (Coalesce(V.DelFlag, 'N') <> 'Y')\n"
                       "      And (Coalesce(V.BeginBalance, 'N') <> 'Y'))))\n"
                       "Group By H.ImportLotNo, L.Code\n"
                       "Order By 3 Desc, 1 Desc")
            .arg(QLatin1String(LiveImport), QLatin1String(HasExpenseDocument));
    QVector<CostedLot> out;
    rows(db, sql, {{QStringLiteral("Vendor"), qMax(0, vendor)}}, [&](QVector<QVariant>& v) {
        out.push_back({v[0].toLongLong(), v[1].toString().trimmed(), dateOf(v[2])});
    });
    return out;
}

double LotBaht(const QSqlDatabase& db, qint64 lot)
{
    // The lines of the cost sheet: of the lot, with their duty group and product, the document
    // not cancelled.
    const QString sql = QStringLiteral("Select D.Product, Sum(D.Total * H.ExchangeRate) Baht\n"
                                       "From ImDt D\n"
                                       "Inner Join ImHd H On (H.Id = D.ImHd)\n"
                                       "Inner Join ImDuty Y On (Y.Id = D.ImDuty)\n"
                                       "Inner Join ProductView P On (P.Id = D.Product)\n"
                                       "Where (H.ImportLotNo = :Lot) And (Coalesce(H.DelFlag, 'N') <> 'Y')\n"
                                       "Group By D.Product");
    double sum = 0;
    rows(db, sql, {{QStringLiteral("Lot"), lot}}, [&](QVector<QVariant>& v) { sum += RoundDecimal(v[1].toDouble(), 2, 18); });
    return RoundDecimal(sum, 2, 18);
}

LandedCostEstimate::ExpenseSource ExpectedExpenses(const QSqlDatabase& db, int vendor, const Setting& setting)
{
    const bool vendorOnly = setting.VendorOnly && vendor > 0;
    QVector<CostedLot> lots = CostedLots(db, vendorOnly ? vendor : 0);
    const bool vendorHadNone = vendorOnly && lots.isEmpty();
    if (vendorHadNone)
        lots = CostedLots(db, 0);
    // Each lot's expenses and goods value as its cost sheet totals them, until enough lots
    // have a goods value.
    QVector<LandedCostEstimate::LotFigures> figures;
    int valued = 0;
    for (const CostedLot& lot : lots) {
        if (valued >= setting.Lots)
            break;
        const double baht = LotBaht(db, lot.Lot);
        figures.push_back({lot.Lot, lot.Code, ImportCostQuery::LotExpense(db, lot.Lot), baht});
        if (baht != 0)
            ++valued;
    }
    LandedCostEstimate::ExpenseSource out = LandedCostEstimate::AverageExpenseShare(figures, setting.Lots);
    out.VendorOnly = vendorOnly && !vendorHadNone;
    out.VendorHadNone = vendorHadNone;
    return out;
}

namespace {
// Ids of the program's own (never typed text) as a list for "In (...)".
QString idList(const QList<int>& products)
{
    QStringList ids;
    for (int p : products)
        ids << QString::number(p);
    return ids.join(QLatin1Char(','));
}
QString idList(const QVector<CostedLot>& lots)
{
    QStringList ids;
    for (const CostedLot& l : lots)
        ids << QString::number(l.Lot);
    return ids.join(QLatin1Char(','));
}
} // namespace

QString ProductLotsSql(const QList<int>& products, const QVector<CostedLot>& lots)
{
    return QStringLiteral("Select D.Product, H.ImportLotNo, Sum(D.Total * H.ExchangeRate) Baht\n"
                          "From ImDt D\n"
                          "Inner Join ImHd H On (H.Id = D.ImHd)\n"
                          "Inner Join ImDuty Y On (Y.Id = D.ImDuty)\n"
                          "Where (D.Product In (%1)) And (H.ImportLotNo In (%2)) And %3\n"
                          "Group By D.Product, H.ImportLotNo")
        .arg(idList(products), idList(lots), QLatin1String(LiveImport));
}

QString ProductDutySql(const QList<int>& products, const QVector<CostedLot>& lots)
{
    // The duty as the cost sheet takes it: the lot's and product's rows of ImDtDuty.
    return QStringLiteral("Select V.Product, V.ImportLotNo, Sum(V.Duty) Duty\n"
                          "From ImDtDuty V\n"
                          "Where (V.Product In (%1)) And (V.ImportLotNo In (%2))\n"
                          "Group By V.Product, V.ImportLotNo")
        .arg(idList(products), idList(lots));
}

QVector<LandedCostEstimate::ProductInLot> ProductLots(const QSqlDatabase& db, const QList<int>& products,
                                                      const QVector<CostedLot>& lots)
{
    QVector<LandedCostEstimate::ProductInLot> out;
    if (products.isEmpty() || lots.isEmpty())
        return out;
    QHash<qint64, const CostedLot*> byId;
    for (const CostedLot& l : lots)
        byId.insert(l.Lot, &l);
    QHash<QPair<int, qint64>, int> at;
    rows(db, ProductLotsSql(products, lots), {}, [&](QVector<QVariant>& v) {
        LandedCostEstimate::ProductInLot p;
        p.Product = v[0].toInt();
        p.Lot = v[1].toLongLong();
        const CostedLot* lot = byId.value(p.Lot);
        p.LotCode = lot ? lot->Code : QString();
        p.Arrived = lot ? lot->Arrived : QDate();
        p.Baht = v[2].toDouble();
        at.insert({p.Product, p.Lot}, int(out.size()));
        out.push_back(p);
    });
    rows(db, ProductDutySql(products, lots), {}, [&](QVector<QVariant>& v) {
        const auto it = at.constFind({v[0].toInt(), v[1].toLongLong()});
        if (it != at.constEnd())
            out[*it].Duty = v[2].toDouble();
    });
    return out;
}

void TakeDefaults(const QSqlDatabase& db, LandedCostEstimate& estimate, bool rate, bool expenses)
{
    if (rate && !estimate.header.RateTyped)
        estimate.applyRate(ExpectedRate(db, estimate.header.Currency));
    if (expenses && !estimate.header.ExpenseTyped)
        estimate.applyExpenseShare(ExpectedExpenses(db, estimate.header.Vendor, ReadSetting(db)));
    const QList<int> products = estimate.productsToLookUp();
    if (!products.isEmpty())
        estimate.applyDutyShares(LandedCostEstimate::DutyShares(ProductLots(db, products, CostedLots(db, 0))));
}

// ---- stored with the order --------------------------------------------------------------------

bool Load(const QSqlDatabase& db, int order, LandedCostEstimate::Header& h,
          QHash<qint64, LandedCostEstimate::Line>& lines)
{
    bool found = false;
    rows(db,
         QStringLiteral("Select EstDate, FrVendor, Currency, ExchangeRate, RateImHd, RateDocNo, RateDocDate, RateTyped,\n"
                        "  ExpenseShare, ExpenseLots, ExpenseVendorOnly, ExpenseTyped\n"
                        "From FrPoEstHd Where FrPoHd = :Order"),
         {{QStringLiteral("Order"), order}}, [&](QVector<QVariant>& v) {
             found = true;
             h = LandedCostEstimate::Header();
             h.EstDate = dateOf(v[0]);
             h.Vendor = v[1].toInt();
             h.Currency = v[2].toInt();
             h.HasRate = !v[3].isNull();
             h.Rate = v[3].toDouble();
             h.RateTyped = isFlag(v[7]);
             h.RateFrom.Found = h.HasRate && !h.RateTyped;
             h.RateFrom.Rate = h.Rate;
             h.RateFrom.ImHd = v[4].toLongLong();
             h.RateFrom.DocNo = v[5].toString().trimmed();
             h.RateFrom.DocDate = dateOf(v[6]);
             h.HasExpenseShare = !v[8].isNull();
             h.ExpenseShare = v[8].toDouble();
             h.ExpenseTyped = isFlag(v[11]);
             h.ExpenseFrom.Found = h.HasExpenseShare && !h.ExpenseTyped;
             h.ExpenseFrom.Share = h.ExpenseShare;
             h.ExpenseFrom.Lots = v[9].toString().trimmed();
             h.ExpenseFrom.VendorOnly = isFlag(v[10]);
         });
    lines.clear();
    if (!found)
        return false;
    rows(db,
         QStringLiteral("Select FrPoDt, Product, Quantity, Fraction, Amount, DutyShare, DutyLot, DutyLotCode, DutyTyped\n"
                        "From FrPoEstDt Where FrPoHd = :Order"),
         {{QStringLiteral("Order"), order}}, [&](QVector<QVariant>& v) {
             LandedCostEstimate::Line l;
             l.OrderLine = v[0].toLongLong();
             l.Product = v[1].toInt();
             l.Quantity = v[2].toDouble();
             l.Fraction = v[3].toDouble();
             l.Amount = v[4].toDouble();
             l.DutyLookedUp = true;
             l.HasDutyShare = !v[5].isNull();
             l.DutyShare = v[5].toDouble();
             l.DutyTyped = isFlag(v[8]);
             l.DutyFrom.Found = l.HasDutyShare && !l.DutyTyped;
             l.DutyFrom.Share = l.DutyShare;
             l.DutyFrom.Lot = v[6].toLongLong();
             l.DutyFrom.LotCode = v[7].toString().trimmed();
             lines.insert(l.OrderLine, l);
         });
    return true;
}

void Remove(const QSqlDatabase& db, int order)
{
    const QVariantMap p{{QStringLiteral("Order"), order}};
    Db::exec(db, QStringLiteral("Delete From FrPoEstDt Where FrPoHd = :Order"), p);
    Db::exec(db, QStringLiteral("Delete From FrPoEstHd Where FrPoHd = :Order"), p);
}

void Store(const QSqlDatabase& db, int order, const LandedCostEstimate& e)
{
    Remove(db, order);
    const LandedCostEstimate::Header& h = e.header;
    const bool rateFrom = h.HasRate && !h.RateTyped && h.RateFrom.Found;
    const bool expenseFrom = h.HasExpenseShare && !h.ExpenseTyped && h.ExpenseFrom.Found;
    Db::exec(db,
             QStringLiteral("Insert Into FrPoEstHd (FrPoHd, EstDate, FrVendor, Currency, ExchangeRate, RateImHd, RateDocNo,\n"
                            "  RateDocDate, RateTyped, ExpenseShare, ExpenseLots, ExpenseVendorOnly, ExpenseTyped, Total)\n"
                            "Values (:FrPoHd, :EstDate, :FrVendor, :Currency, :ExchangeRate, :RateImHd, :RateDocNo,\n"
                            "  :RateDocDate, :RateTyped, :ExpenseShare, :ExpenseLots, :ExpenseVendorOnly, :ExpenseTyped, :Total)"),
             {{QStringLiteral("FrPoHd"), order},
              {QStringLiteral("EstDate"), dateValue(h.EstDate)},
              {QStringLiteral("FrVendor"), h.Vendor},
              {QStringLiteral("Currency"), h.Currency},
              {QStringLiteral("ExchangeRate"), number(h.HasRate, h.Rate)},
              {QStringLiteral("RateImHd"), rateFrom ? QVariant(h.RateFrom.ImHd) : QVariant()},
              {QStringLiteral("RateDocNo"), rateFrom ? QVariant(h.RateFrom.DocNo) : QVariant()},
              {QStringLiteral("RateDocDate"), rateFrom ? dateValue(h.RateFrom.DocDate) : QVariant()},
              {QStringLiteral("RateTyped"), flag(h.RateTyped)},
              {QStringLiteral("ExpenseShare"), number(h.HasExpenseShare, h.ExpenseShare)},
              {QStringLiteral("ExpenseLots"), expenseFrom ? QVariant(h.ExpenseFrom.Lots) : QVariant()},
              {QStringLiteral("ExpenseVendorOnly"), flag(expenseFrom && h.ExpenseFrom.VendorOnly)},
              {QStringLiteral("ExpenseTyped"), flag(h.ExpenseTyped)},
              {QStringLiteral("Total"), number(e.hasTotal(), e.total())}});
    Db::RowWriter w(db, QStringLiteral("Insert Into FrPoEstDt (FrPoHd, FrPoDt, Product, Quantity, Fraction, Amount,\n"
                                       "  DutyShare, DutyLot, DutyLotCode, DutyTyped, GoodsBaht, Duty, Expense, LandedCost, UnitCost)\n"
                                       "Values (:FrPoHd, :FrPoDt, :Product, :Quantity, :Fraction, :Amount,\n"
                                       "  :DutyShare, :DutyLot, :DutyLotCode, :DutyTyped, :GoodsBaht, :Duty, :Expense, :LandedCost, :UnitCost)"));
    for (const LandedCostEstimate::Line& l : e.lines) {
        const bool dutyFrom = l.HasDutyShare && !l.DutyTyped && l.DutyFrom.Found;
        const QVariantMap v{{QStringLiteral("FrPoHd"), order},
                            {QStringLiteral("FrPoDt"), l.OrderLine},
                            {QStringLiteral("Product"), l.Product},
                            {QStringLiteral("Quantity"), l.Quantity},
                            {QStringLiteral("Fraction"), l.Fraction},
                            {QStringLiteral("Amount"), l.Amount},
                            {QStringLiteral("DutyShare"), number(l.HasDutyShare, l.DutyShare)},
                            {QStringLiteral("DutyLot"), dutyFrom ? QVariant(l.DutyFrom.Lot) : QVariant()},
                            {QStringLiteral("DutyLotCode"), dutyFrom ? QVariant(l.DutyFrom.LotCode) : QVariant()},
                            {QStringLiteral("DutyTyped"), flag(l.DutyTyped)},
                            {QStringLiteral("GoodsBaht"), number(l.HasCost, l.GoodsBaht)},
                            {QStringLiteral("Duty"), number(l.HasCost && l.HasDutyShare, l.Duty)},
                            {QStringLiteral("Expense"), number(l.HasCost && h.HasExpenseShare, l.Expense)},
                            {QStringLiteral("LandedCost"), number(l.HasCost, l.LandedCost)},
                            {QStringLiteral("UnitCost"), number(l.HasUnitCost, l.UnitCost)}};
        for (int i = 0; i < w.parameters().size(); ++i)
            w.bind(i, Db::paramValue(v, w.parameters()[i]));
        w.exec();
    }
}

// ---- estimate against actual ------------------------------------------------------------------

QString ReceiptsSql()
{
    // The lines the cost sheet counts (of the lot, with their duty group and product, the
    // document not cancelled), each with the estimate of the order line it took over. Not
    // grouped: what a line adds to its product's estimate is in proportion to its units.
    return QStringLiteral(
        "Select D.Product, D.Quantity * Coalesce(D.Fraction, 1) Received, E.ID,\n"
        "  E.Quantity * E.Fraction Ordered, E.Amount, E.GoodsBaht, E.Duty, E.Expense, E.LandedCost,\n"
        "  Case When E.DutyShare Is Null Then 0 Else 1 End HasDuty, O.PoNo\n"
        "From ImDt D\n"
        "Inner Join ImHd H On (H.Id = D.ImHd)\n"
        "Inner Join ImDuty Y On (Y.Id = D.ImDuty)\n"
        "Inner Join ProductView P On (P.Id = D.Product)\n"
        "Left Join FrPoEstDt E On (E.FrPoDt = D.PoDt)\n"
        "Left Join FrPoHd O On (O.ID = E.FrPoHd)\n"
        "Where (H.ImportLotNo = :GetId) And (Coalesce(H.DelFlag, 'N') <> 'Y')");
}

QVector<LandedCostEstimate::Receipt> Receipts(const QSqlDatabase& db, qint64 lot)
{
    QVector<LandedCostEstimate::Receipt> out;
    rows(db, ReceiptsSql(), {{QStringLiteral("GetId"), lot}}, [&](QVector<QVariant>& v) {
        LandedCostEstimate::Receipt r;
        r.Product = v[0].toInt();
        r.Received = v[1].toDouble();
        r.HasEstimate = !v[2].isNull();
        r.Ordered = v[3].toDouble();
        r.Amount = v[4].toDouble();
        r.GoodsBaht = v[5].toDouble();
        r.Duty = v[6].toDouble();
        r.Expense = v[7].toDouble();
        r.EstimateHasCost = !v[8].isNull();
        r.LandedCost = v[8].toDouble();
        r.EstimateHasDuty = v[9].toInt() == 1;
        r.OrderNo = v[10].toString().trimmed();
        out.push_back(r);
    });
    return out;
}

} // namespace LandedCostQuery
