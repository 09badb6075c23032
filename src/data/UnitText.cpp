#include "data/Units.h"

#include "data/NumberFormat.h"

#include <cmath>
#include <numeric>

namespace UnitText {

static const NumberPattern& quantityPattern()
{
    static const NumberPattern p(QStringLiteral("###,###,##0.###### "));
    return p;
}
static const NumberPattern& wholePattern()
{
    static const NumberPattern p(QStringLiteral("###,###,##0 "));
    return p;
}
static const NumberPattern& restPattern()
{
    static const NumberPattern p(QStringLiteral(" ######.###### "));
    return p;
}
static const NumberPattern& termPattern()
{
    static const NumberPattern p(QStringLiteral("#,###.##;-#,###.##"));
    return p;
}

QString formatQuantity(double q) { return quantityPattern().format(q); }
QString formatWhole(double w) { return wholePattern().format(w); }
QString formatRest(double r) { return restPattern().format(r); }

QString missingUnitText(double q, bool trimmed)
{
    const QString t = formatQuantity(std::fabs(q)) + QLatin1String(Error);
    return trimmed ? t.trimmed() : t;
}

QString qtyText(const Unit& unit, double q, const QString& left, const QString& right)
{
    QString sign;
    if (q < 0) {
        sign = QStringLiteral("- ");
        q = -q;
    }
    QString text;
    if (unit.fraction == 1) {
        text = formatQuantity(q) + left + unit.largeName + right;
    } else {
        const double d = std::max(unit.fraction, 1.0);
        const double w = std::trunc(q / d);
        if (w != 0)
            text = formatWhole(w) + left + unit.largeName + right;
        // The rest subtracts the unit's own fraction: a fraction of 0 leaves the whole
        // quantity as rest.
        const double r = q - w * unit.fraction;
        if (r != 0)
            text += formatRest(std::fabs(r)) + left + unit.smallName + right;
    }
    if (text.isEmpty())
        text = QStringLiteral("0 ") + left + unit.largeName + right;
    return (sign + text).trimmed();
}

QString qtyPart(const Unit& unit, int part, double q)
{
    QString sign;
    if (q < 0) {
        sign = QStringLiteral("- ");
        q = -q;
    }
    QString large;
    QString small;
    if (unit.fraction == 1) {
        small = formatQuantity(q) + unit.largeName;
    } else {
        const double d = std::max(unit.fraction, 1.0);
        const double w = std::trunc(q / d);
        if (w != 0)
            large = formatWhole(w) + unit.largeName;
        const double r = q - w * unit.fraction;
        if (r != 0)
            small = formatRest(std::fabs(r)) + unit.smallName;
    }
    if (part == 1)
        return sign + large;
    if (part == 2)
        return sign + small;
    return formatQuantity(q) + QLatin1String(PartError);
}

QString stockQtyText(double q, double stockFraction, const QString& stockUnit, const QString& smallUnit)
{
    QString prefix;
    if (q < 0) {
        prefix = QStringLiteral("- ");
        q = -q;
    }
    QString text;
    if (stockFraction == 1) {
        text = formatQuantity(q) + stockUnit;
    } else {
        const double f = std::max(stockFraction, 1.0);
        const double w = std::trunc(q / f);
        if (w != 0)
            text = formatWhole(w) + stockUnit;
        const double r = q - w * f;
        if (r != 0)
            text += formatRest(r) + smallUnit;
    }
    if (text.isEmpty())
        text = QStringLiteral("0 ") + stockUnit;
    return prefix + text;
}

bool smallUnitCount(double q, double f, qint64& n)
{
    const double v = q * f;
    if (!std::isfinite(v))
        return false;
    // The product passes through "0.##": rounded to two places, then cut to whole units.
    NumberText::Decimal d = NumberText::fromDouble(v, 15);
    d.roundToPlaces(2);
    const std::string digits = d.integerDigits();
    if (digits.size() > 18)
        return false;
    qint64 m = 0;
    for (char c : digits)
        m = m * 10 + (c - '0');
    n = v < 0 ? -m : m;
    return true;
}

QString fractionText(qint64 n, qint64 e, const QString& stockUnit)
{
    if (e < 1)
        return QLatin1String(Error);
    QString whole;
    QString fraction;
    if (n == 0) {
        fraction = QStringLiteral("0");
    } else {
        const qint64 units = n / e; // toward zero, like the remainder below
        if (units != 0) {
            whole = termPattern().format(double(units));
            n -= units * e;
        }
        if (n % e != 0) {
            if (e == 2 * n) {
                fraction = QStringLiteral("1/2");
            } else {
                // Reduced by the greatest common divisor; a negative rest keeps its sign.
                const qint64 g = std::gcd(n < 0 ? -n : n, e);
                fraction = termPattern().format(double(n / g)) + u'/'
                           + termPattern().format(double(e / g));
            }
        }
    }
    return (whole.trimmed() + u';' + (fraction + QStringLiteral("  ") + stockUnit).trimmed()).trimmed();
}

} // namespace UnitText
