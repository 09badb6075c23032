#include "forms/purchase/PurchaseTotals.h"
#include "data/Translation.h"

#include "data/CachedDataSet.h"
#include "data/NumberFormat.h"
#include "data/Rounding.h"
#include <QCoreApplication>

namespace PurchaseTotals {

namespace {
// A text in the language the caller asked for.
QString say(bool thai, const char* text)
{
    return Translation::inLanguage(thai, "PurchaseTotals", text);
}

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
    return QCoreApplication::translate("PurchaseTotals", "รายการสินค้า มีแบบ มีภาษี และ ไม่มีภาษี\rไม่สามารถกำหนดส่วนลดท้ายบิลได้\r"
                          "โปรแกรมจะกำหนดให้ส่วนลดท้ายบิลเป็น 0");
}

QString TaxAdjustedCaption(bool adjusted, double taxCal)
{
    if (!adjusted)
        return QCoreApplication::translate("PurchaseTotals", "ปรับปรุงภาษี");
    return QCoreApplication::translate("PurchaseTotals", "ปรับปรุงภาษี (") + FormatFloat(QStringLiteral("###,###,##0.00"), taxCal) + QStringLiteral(")");
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
    // Every discount text is read before anything changes, so a bad one leaves the lines and
    // the document exactly as they were and the caller can name the line.
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].hasProduct)
            continue;
        QString piece;
        if (!TryApplyDiscountText(lines[i].discount, 0, &piece)) {
            r.badLine = i;
            r.badDiscount = lines[i].discount;
            r.badPiece = piece;
            return r;
        }
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
    // The deposit comes off the taxed goods when there are any, else off the untaxed ones,
    // after the percentage discounts have been taken from the goods as billed.
    const double P = h.prepaidAmount;
    const bool fromTaxed = T > 0;
    const bool mixed = T != 0 && N != 0;
    if (mixed)
        clearDiscounts();
    const double base = fromTaxed ? T : N;
    const double rest = mixed ? base : CalDiscount(kind, base, r.discRate, r.discAmt);
    r.sumDiscount = sumOf(r.discAmt);
    r.maxPrepaid = rest;
    r.prepaidTooLarge = P > 0 && R(P) > R(rest);
    // The taxed and untaxed goods after the deposit.
    const double Tp = fromTaxed ? T - P : T;
    const double Np = fromTaxed ? N : N - P;

    const auto round = [kind](double x) { return kind == Kind::Order ? R(x) : x; };
    if (h.pricesExcludeTax) {
        if (mixed)
            r.total = round((rate + 100) * Tp / 100 + Np);
        else if (fromTaxed)
            r.total = round((rest - P) * (rate + 100) / 100 + N);
        else
            r.total = round(rest - P + (rate + 100) * T / 100);
        if (Tp > 0)
            r.taxCal = R((T - r.sumDiscount - P) * rate / 100);
        r.amountProduct = T + N - r.sumDiscount - P;
    } else {
        if (mixed) {
            r.total = Tp + Np;
            r.taxCal = R(rate * Tp / (rate + 100));
        } else if (fromTaxed) {
            r.total = rest - P + N;
            // Without a document rate there is no tax, whatever binary rest the total carries.
            r.taxCal = rate > 0 ? r.total - R(r.total * 100 / (rate + 100)) : 0;
        } else {
            r.total = rest - P + T;
        }
        r.amountProduct = T + N - r.sumDiscount - P - r.taxCal;
    }
    r.taxAmt = Tp;
    r.noTaxAmt = Np;
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

BillCost CostOfBill(const StoredBill& b)
{
    // The bill computed again from its stored goods without the deposit: the discounts as
    // the amounts they came to, the taxed and untaxed goods as two lines.
    Header h;
    h.pricesExcludeTax = b.pricesExcludeTax;
    h.taxRate = b.taxRate;
    for (int i = 0; i < 3; ++i)
        h.discAmt[i] = b.discAmt[i];
    QVector<Line> goods(2);
    for (Line& l : goods)
        l.hasProduct = false;
    goods[0].total = goods[0].productAmount = b.taxedGoods;
    goods[0].taxRate = 1; // counts as taxed
    goods[1].total = goods[1].productAmount = b.untaxedGoods;
    const Result r = CalculateAll(Kind::Bill, h, goods);
    // A tax typed by hand moves the bill's VAT by what was typed over the computed tax.
    const double vat = r.taxCal + (b.taxTotal - b.taxCal);
    const double net = b.pricesExcludeTax ? r.amountProduct : r.total - vat;
    const double gross = b.pricesExcludeTax ? r.amountProduct + vat : r.total;
    BillCost c;
    c.counted = R(b.taxReclaimable ? net : gross);
    c.vatLeftOut = b.taxReclaimable ? R(vat) : 0;
    return c;
}

QString PrepaidTooLargeMessage(double maxPrepaid, bool thai)
{
    const QString most = FormatFloat(QStringLiteral("###,###,##0.00"), qMax(0.0, maxPrepaid));
    return say(thai, QT_TRANSLATE_NOOP("PurchaseTotals", "ยอดหักมัดจำเกินมูลค่าสินค้า\rหักมัดจำได้ไม่เกิน %1")).arg(most);
}

QString BadDiscountMessage(int line, const QString& discount, const QString& piece, bool thai)
{
    return say(thai, QT_TRANSLATE_NOOP("PurchaseTotals", "รายการที่ %1: ส่วนลด \"%2\" ไม่ถูกต้อง: \"%3\" ไม่ใช่ตัวเลข"))
        .arg(line)
        .arg(discount, piece);
}

double ProposedPrepaidAmount(bool pricesExcludeTax, double depositTotal, double depositTaxTotal, double depositPaid,
                             double depositTaxRate)
{
    if (!pricesExcludeTax)
        return depositTotal - depositPaid;
    const double paidTax = depositTaxRate + 100 != 0 ? R(depositTaxRate * depositPaid / (depositTaxRate + 100), 15) : 0;
    return R(depositTotal - depositTaxTotal, 15) - (depositPaid - paidTax);
}

std::optional<QString> DiscountForTypedTotal(double price, double quantity, const QString& discount, double typedTotal)
{
    if (quantity == 0)
        return std::nullopt;
    const double gross = price * quantity;
    const QString pattern = QStringLiteral("###,###,##0.00");
    const std::optional<double> current = TryApplyDiscountText(discount, gross);
    if (current && FormatFloat(pattern, *current) == FormatFloat(pattern, typedTotal))
        return std::nullopt;
    const double off = R(R(gross, 15) - typedTotal, 15);
    return off != 0 ? QString::number(off, 'f', 2) : QString();
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
