#include "forms/import/LandedCostEstimate.h"

#include "data/NumberFormat.h"
#include "data/Rounding.h"

#include <QSet>
#include <algorithm>

namespace {
// Decided on 18 significant digits, as the cost sheet is.
double R2(double v) { return RoundDecimal(v, 2, 18); }
double R4(double v) { return RoundDecimal(v, 4, 18); }
} // namespace

// ---- defaults -------------------------------------------------------------------------------

LandedCostEstimate::ExpenseSource LandedCostEstimate::AverageExpenseShare(const QVector<LotFigures>& latestFirst,
                                                                          int count)
{
    ExpenseSource out;
    static const NumberPattern share(QStringLiteral("#,##0.00##"));
    QStringList used;
    double sum = 0;
    int n = 0;
    for (const LotFigures& lot : latestFirst) {
        if (n >= count)
            break;
        if (lot.Baht == 0)
            continue; // no value to share the expenses by
        const double s = R4(lot.Expense * 100 / lot.Baht);
        sum += s;
        ++n;
        used << lot.Code.trimmed() + QLatin1Char(' ') + share.format(s) + QLatin1Char('%');
    }
    if (n == 0)
        return out;
    out.Found = true;
    out.Share = R4(sum / n);
    out.Lots = used.join(QStringLiteral(", "));
    return out;
}

QHash<int, LandedCostEstimate::DutySource> LandedCostEstimate::DutyShares(const QVector<ProductInLot>& rows)
{
    QHash<int, const ProductInLot*> latest;
    for (const ProductInLot& r : rows) {
        if (R2(r.Baht) == 0)
            continue; // worth nothing there: no share to take
        const ProductInLot*& best = latest[r.Product];
        if (!best || r.Arrived > best->Arrived || (r.Arrived == best->Arrived && r.Lot > best->Lot))
            best = &r;
    }
    QHash<int, DutySource> out;
    for (auto it = latest.constBegin(); it != latest.constEnd(); ++it) {
        DutySource d;
        d.Found = true;
        d.Share = R4(R2(it.value()->Duty) * 100 / R2(it.value()->Baht));
        d.Lot = it.value()->Lot;
        d.LotCode = it.value()->LotCode.trimmed();
        out.insert(it.key(), d);
    }
    return out;
}

// ---- the estimate ---------------------------------------------------------------------------

void LandedCostEstimate::applyRate(const RateSource& source)
{
    if (header.RateTyped)
        return;
    header.RateFrom = source;
    header.HasRate = source.Found;
    header.Rate = source.Found ? source.Rate : 0;
}

void LandedCostEstimate::applyExpenseShare(const ExpenseSource& source)
{
    if (header.ExpenseTyped)
        return;
    header.ExpenseFrom = source;
    header.HasExpenseShare = source.Found;
    header.ExpenseShare = source.Found ? source.Share : 0;
}

void LandedCostEstimate::applyDutyShares(const QHash<int, DutySource>& shares)
{
    for (Line& l : lines) {
        if (l.DutyLookedUp || l.DutyTyped || l.Product <= 0)
            continue;
        l.DutyFrom = shares.value(l.Product);
        l.HasDutyShare = l.DutyFrom.Found;
        l.DutyShare = l.DutyFrom.Found ? l.DutyFrom.Share : 0;
        l.DutyLookedUp = true;
    }
}

void LandedCostEstimate::typeRate(bool has, double rate)
{
    header.RateTyped = true;
    header.RateFrom = RateSource();
    header.HasRate = has && rate > 0;
    header.Rate = header.HasRate ? RoundDecimal(rate, 7, 18) : 0;
}

void LandedCostEstimate::typeExpenseShare(bool has, double share)
{
    header.ExpenseTyped = true;
    header.ExpenseFrom = ExpenseSource();
    header.HasExpenseShare = has;
    header.ExpenseShare = has ? R4(share) : 0;
}

void LandedCostEstimate::typeDutyShare(int line, bool has, double share)
{
    if (line < 0 || line >= lines.size())
        return;
    Line& l = lines[line];
    l.DutyTyped = true;
    l.DutyLookedUp = true;
    l.DutyFrom = DutySource();
    l.HasDutyShare = has;
    l.DutyShare = has ? R4(share) : 0;
}

QList<int> LandedCostEstimate::productsToLookUp() const
{
    QList<int> out;
    QSet<int> seen;
    for (const Line& l : lines)
        if (!l.DutyLookedUp && !l.DutyTyped && l.Product > 0 && !seen.contains(l.Product)) {
            seen.insert(l.Product);
            out << l.Product;
        }
    return out;
}

void LandedCostEstimate::compute()
{
    m_total = 0;
    m_hasTotal = header.HasRate;
    for (Line& l : lines) {
        l.HasCost = header.HasRate && l.Product > 0;
        l.GoodsBaht = l.Duty = l.Expense = l.LandedCost = l.UnitCost = 0;
        l.HasUnitCost = false;
        if (!l.HasCost)
            continue;
        l.GoodsBaht = R2(l.Amount * header.Rate);
        l.Duty = l.HasDutyShare ? R2(l.GoodsBaht * l.DutyShare / 100) : 0;
        l.Expense = header.HasExpenseShare ? R2(l.GoodsBaht * header.ExpenseShare / 100) : 0;
        l.LandedCost = R2(l.GoodsBaht + l.Duty + l.Expense);
        l.HasUnitCost = l.Quantity != 0;
        l.UnitCost = l.HasUnitCost ? R4(l.LandedCost / l.Quantity) : 0;
        m_total += l.LandedCost;
    }
    m_total = R2(m_total);
}

// ---- estimate against actual ----------------------------------------------------------------

QVector<LandedCostEstimate::Comparison> LandedCostEstimate::Compare(const ImportCostResult& actual,
                                                                   const QVector<Receipt>& receipts)
{
    // Per product: the small units the lot received, and of them those that came from
    // estimated order lines with the estimate's amounts for that part (each line's amounts
    // taken in proportion to what was received of what it was estimated for).
    struct Part {
        double stock = 0;
        bool estimated = false;
        double q = 0, g = 0, b = 0, d = 0, x = 0, l = 0;
        bool withoutDuty = false;
        QSet<QString> orders;
    };
    QHash<qint64, Part> parts;
    for (const Receipt& r : receipts) {
        Part& p = parts[r.Product];
        p.stock += r.Received;
        if (!r.HasEstimate || !r.EstimateHasCost || r.Ordered == 0)
            continue;
        p.estimated = true;
        const double f = r.Received / r.Ordered;
        p.q += r.Received;
        p.g += f * r.Amount;
        p.b += f * r.GoodsBaht;
        p.d += f * r.Duty;
        p.x += f * r.Expense;
        p.l += f * r.LandedCost;
        p.withoutDuty = p.withoutDuty || !r.EstimateHasDuty;
        if (!r.OrderNo.trimmed().isEmpty())
            p.orders.insert(r.OrderNo.trimmed());
    }

    QVector<Comparison> out;
    out.reserve(actual.Rows.size());
    for (const ImportCostRow& row : actual.Rows) {
        Comparison c;
        c.Product = row.Id;
        c.Code = row.Code;
        c.Name = row.ThaiName;
        c.Quantity = row.Quantity;
        c.Actual = row.Cost;
        const Part p = parts.value(row.Id);
        QStringList orders(p.orders.cbegin(), p.orders.cend());
        orders.sort();
        c.Orders = orders.join(QStringLiteral(", "));
        if (!p.estimated) {
            c.State = Comparison::Status::NoEstimate;
            out.push_back(c);
            continue;
        }
        if (!row.HasCost || row.Quantity == 0 || p.q == 0 || p.stock == 0) {
            c.State = Comparison::Status::NoQuantity;
            out.push_back(c);
            continue;
        }
        c.State = Comparison::Status::Compared;
        c.EstimateWithoutDuty = p.withoutDuty;
        // The sheet's unit holds stock / quantity small units; the estimate per small unit
        // times that is the estimate per unit of the sheet.
        const double perUnit = p.stock / row.Quantity / p.q;
        const double ge = p.g * perUnit, be = p.b * perUnit;
        const double de = p.b != 0 ? p.d / p.b : 0, xe = p.b != 0 ? p.x / p.b : 0;
        const double ga = row.Total / row.Quantity, ba = row.Baht / row.Quantity, ua = row.Duty / row.Quantity;
        // The actual rate of the goods; without a goods value there is none, and the expected
        // one stands (no part for the rate).
        const double ra = row.Total != 0 ? row.Baht / row.Total : (p.g != 0 ? p.b / p.g : 0);
        const double e0 = R4(p.l * perUnit);
        const double e1 = R4(ge * ra * (1 + de + xe));    // the actual rate
        const double e2 = R4(ba * (1 + de + xe));         // the actual goods price
        const double e3 = R4(ba * (1 + xe) + ua);         // the actual duty
        const double e4 = row.Cost;                       // the actual expenses: the sheet's cost
        c.Estimated = e0;
        c.Difference = R4(e4 - e0);
        c.Rate = R4(e1 - e0);
        c.Price = R4(e2 - e1);
        c.DutyPart = R4(e3 - e2);
        c.ExpensePart = R4(e4 - e3);
        c.HasPercent = e0 != 0;
        c.Percent = c.HasPercent ? R2(c.Difference * 100 / e0) : 0;
        c.EstGoods = be;
        c.EstDuty = p.d * perUnit;
        c.EstExpense = p.x * perUnit;
        c.ActGoods = ba;
        c.ActDuty = ua;
        c.ActExpense = row.Expense / row.Quantity;
        out.push_back(c);
    }
    return out;
}

bool LandedCostEstimate::anyCompared(const QVector<Comparison>& rows)
{
    return std::any_of(rows.begin(), rows.end(),
                       [](const Comparison& c) { return c.State == Comparison::Status::Compared; });
}
