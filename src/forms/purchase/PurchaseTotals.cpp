#include "forms/purchase/PurchaseTotals.h"

#include "data/CachedDataSet.h"
#include "data/NumberFormat.h"
#include "data/Rounding.h"

namespace PurchaseTotals {

namespace {
double R(double x, int significant = 18)
{
    return RoundDecimal(x, 2, significant);
}

// Two amounts compared as the text a person reads (15 significant digits).
bool sameText(double a, double b)
{
    return QString::number(a, 'g', 15) == QString::number(b, 'g', 15);
}

double sumOf(const double amt[3])
{
    return amt[0] + amt[1] + amt[2];
}
} // namespace

QString MixedDiscountMessage()
{
    return QStringLiteral("รายการสินค้า มีแบบ มีภาษี และ ไม่มีภาษี\rไม่สามารถกำหนดส่วนลดท้ายบิลได้\r"
                          "โปรแกรมจะกำหนดให้ส่วนลดท้ายบิลเป็น 0");
}

QString TaxAdjustedCaption(bool adjusted, double taxCal)
{
    if (!adjusted)
        return QStringLiteral("ปรับปรุงภาษี");
    return QStringLiteral("ปรับปรุงภาษี (") + FormatFloat(QStringLiteral("###,###,##0.00"), taxCal) + QStringLiteral(")");
}

void CalculateLine(Kind kind, bool pricesExcludeTax, double headerTaxRate, Line& line)
{
    if (!line.hasProduct)
        return;
    const double gross = line.price * line.quantity;
    line.total = ApplyDiscountText(line.discount, gross);
    line.discountAmt = (kind == Kind::Bill ? R(gross, 15) : gross) - line.total;
    if (pricesExcludeTax) {
        line.productAmount = line.total;
        line.tax = headerTaxRate > 0 ? R(line.total * (line.taxRate / 100)) : 0;
    } else if (headerTaxRate > 0) {
        line.productAmount = R(line.total * 100 / (line.taxRate + 100));
        line.tax = R(line.total * line.taxRate / (line.taxRate + 100));
    } else {
        line.productAmount = line.total;
        line.tax = 0;
    }
}

double CalDiscount(Kind kind, double x, const double rate[3], double amt[3])
{
    for (int i = 0; i < 3; ++i) {
        if (rate[i] != 0) {
            const double a = x * rate[i] / 100;
            amt[i] = kind == Kind::Order ? R(a) : a;
        }
        x -= amt[i];
    }
    return x;
}

Result CalculateAll(Kind kind, const Header& h, QVector<Line>& lines)
{
    Result r;
    for (int i = 0; i < 3; ++i) {
        r.discRate[i] = h.discRate[i];
        r.discAmt[i] = h.discAmt[i];
    }
    const double rate = h.taxRate;
    double T = 0;
    double N = 0;
    for (Line& l : lines) {
        CalculateLine(kind, h.pricesExcludeTax, rate, l);
        const double part = h.pricesExcludeTax ? l.productAmount : l.total;
        const bool taxed = kind == Kind::Bill ? l.taxRate > 0 : l.tax > 0;
        (taxed ? T : N) += part;
    }
    auto clearDiscounts = [&r] {
        for (int i = 0; i < 3; ++i)
            r.discRate[i] = r.discAmt[i] = 0;
    };
    if (rate > 0 && T > 0 && N > 0 && sumOf(r.discAmt) > 0) {
        r.mixedDiscountsCleared = true;
        clearDiscounts();
    }
    if (T > 0)
        T -= h.prepaidAmount;
    else
        N -= h.prepaidAmount;

    const auto round = [kind](double x) { return kind == Kind::Order ? R(x) : x; };
    if (h.pricesExcludeTax) {
        if (T != 0 && N != 0) {
            r.total = round((rate + 100) * T / 100 + N);
            clearDiscounts();
        } else if (T > 0) {
            r.total = round(CalDiscount(kind, T, r.discRate, r.discAmt) * (rate + 100) / 100 + N);
        } else {
            r.total = round(CalDiscount(kind, N, r.discRate, r.discAmt) + (rate + 100) * T / 100);
        }
        r.sumDiscount = sumOf(r.discAmt);
        if (T > 0)
            r.taxCal = R((T - r.sumDiscount) * rate / 100);
        r.amountProduct = T + N - r.sumDiscount;
    } else {
        if (T != 0 && N != 0) {
            clearDiscounts();
            r.total = N + T;
            r.taxCal = R(rate * T / (rate + 100));
        } else if (T > 0) {
            r.total = CalDiscount(kind, T, r.discRate, r.discAmt) + N;
            r.sumDiscount = sumOf(r.discAmt);
            // Without a document rate there is no tax, whatever binary rest the total carries.
            r.taxCal = rate > 0 ? r.total - R(r.total * 100 / (rate + 100)) : 0;
        } else {
            r.total = CalDiscount(kind, N, r.discRate, r.discAmt);
            r.sumDiscount = sumOf(r.discAmt);
        }
        r.amountProduct = T + N - r.sumDiscount - r.taxCal;
    }
    r.taxAmt = T;
    r.noTaxAmt = N;
    r.calculatedTotal = r.total;
    r.taxTotal = r.taxCal;
    if (h.taxAdjusted)
        return AdjustTax(kind, r, h.taxTotal);
    return r;
}

Result AdjustTax(Kind kind, const Result& last, double typedTax)
{
    Result r = last;
    if (sameText(typedTax, last.taxCal)) {
        r.taxAdjusted = false;
        r.taxTotal = last.taxCal;
        r.total = last.calculatedTotal;
        return r;
    }
    r.taxAdjusted = true;
    r.taxTotal = typedTax;
    r.total = kind == Kind::Bill ? last.calculatedTotal - last.taxCal + typedTax : last.calculatedTotal;
    return r;
}

double ProposedPrepaidAmount(bool pricesExcludeTax, double depositTotal, double depositTaxTotal, double depositPaid,
                             double depositTaxRate)
{
    if (!pricesExcludeTax)
        return depositTotal - depositPaid;
    const double paidTax = depositTaxRate + 100 != 0 ? R(depositTaxRate * depositPaid / (depositTaxRate + 100), 15) : 0;
    return R(depositTotal - depositTaxTotal, 15) - (depositPaid - paidTax);
}

double DiscountAmtForTypedTotal(double price, double quantity, double typedTotal, double discountAmt)
{
    const double gross = R(price * quantity, 15);
    const QString pattern = QStringLiteral("###,###,##0.00");
    if (FormatFloat(pattern, typedTotal + discountAmt) == FormatFloat(pattern, gross))
        return discountAmt;
    return R(gross - typedTotal, 15);
}

std::optional<DerivedPrice> PriceForTypedTotal(double quantity, double typedTotal)
{
    if (quantity == 0)
        return std::nullopt;
    DerivedPrice d;
    d.price = R(typedTotal / quantity, 15);
    const double total = R(typedTotal, 15);
    double amount = R(quantity * d.price, 15);
    if (sameText(amount, total))
        return d;
    // Cents cannot always carry the total: the price goes up a cent and the rest comes off.
    if (total >= amount) {
        d.price = R(d.price + 0.01, 15);
        amount = R(quantity * d.price, 15);
    }
    d.discount = R(amount - typedTotal, 15);
    return d;
}

// ---- data sets ------------------------------------------------------------------------------

namespace {
double num(const CachedDataSet& ds, int row, const QString& f)
{
    return ds.value(row, f).toDouble();
}
double hnum(const CachedDataSet& ds, const QString& f)
{
    return ds.hasField(f) ? ds.FieldByName(f).toDouble() : 0.0;
}
void setIfChanged(CachedDataSet& ds, const QString& f, double v)
{
    if (!ds.hasField(f))
        return;
    const QVariant cur = ds.FieldByName(f);
    if (cur.isNull() || cur.toDouble() != v)
        ds.SetField(f, v);
}
} // namespace

QVector<Line> ReadLines(const CachedDataSet& ds)
{
    QVector<Line> out;
    out.reserve(ds.RecordCount());
    for (int r = 0; r < ds.RecordCount(); ++r) {
        Line l;
        l.hasProduct = ds.value(r, QStringLiteral("Product")).toInt() >= 1;
        l.quantity = num(ds, r, QStringLiteral("Quantity"));
        l.price = num(ds, r, QStringLiteral("Price"));
        l.discount = ds.value(r, QStringLiteral("Discount")).toString();
        l.taxRate = num(ds, r, QStringLiteral("TaxRate"));
        l.total = num(ds, r, QStringLiteral("Total"));
        l.discountAmt = num(ds, r, QStringLiteral("DiscountAmt"));
        l.productAmount = num(ds, r, QStringLiteral("ProductAmount"));
        l.tax = num(ds, r, QStringLiteral("TaxTotal"));
        out.append(l);
    }
    return out;
}

void WriteLines(CachedDataSet& ds, const QVector<Line>& values)
{
    for (int r = 0; r < values.size() && r < ds.RecordCount(); ++r) {
        const Line& l = values[r];
        if (!l.hasProduct)
            continue;
        ds.assign(r, QStringLiteral("Total"), l.total);
        ds.assign(r, QStringLiteral("DiscountAmt"), l.discountAmt);
        ds.assign(r, QStringLiteral("ProductAmount"), l.productAmount);
        ds.assign(r, QStringLiteral("TaxTotal"), l.tax);
    }
}

Header ReadHeader(const CachedDataSet& ds, bool taxAdjusted)
{
    Header h;
    h.pricesExcludeTax = ds.FieldByName(QStringLiteral("Price_IE")).toString().trimmed() == QLatin1String("E");
    h.taxRate = hnum(ds, QStringLiteral("TaxRate"));
    for (int i = 0; i < 3; ++i) {
        h.discRate[i] = hnum(ds, QStringLiteral("DiscRate%1").arg(i + 1));
        h.discAmt[i] = hnum(ds, QStringLiteral("DiscAmt%1").arg(i + 1));
    }
    h.prepaidAmount = hnum(ds, QStringLiteral("PrepaidAmount"));
    h.taxAdjusted = taxAdjusted;
    h.taxTotal = hnum(ds, QStringLiteral("TaxTotal"));
    return h;
}

void WriteHeader(CachedDataSet& ds, const Result& r)
{
    for (int i = 0; i < 3; ++i) {
        setIfChanged(ds, QStringLiteral("DiscRate%1").arg(i + 1), r.discRate[i]);
        setIfChanged(ds, QStringLiteral("DiscAmt%1").arg(i + 1), r.discAmt[i]);
    }
    setIfChanged(ds, QStringLiteral("TaxAmt"), r.taxAmt);
    setIfChanged(ds, QStringLiteral("NoTaxAmt"), r.noTaxAmt);
    setIfChanged(ds, QStringLiteral("TaxCal"), r.taxCal);
    setIfChanged(ds, QStringLiteral("TaxTotal"), r.taxTotal);
    setIfChanged(ds, QStringLiteral("Total"), r.total);
}

} // namespace PurchaseTotals
