#include "data/Units.h"

#include "data/DbUtil.h"
#include "data/NumberFormat.h"
#include "data/TDM.h"

#include <QSqlQuery>
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

// ---- TDM: the unit rows ------------------------------------------------------------------

namespace {

const char* const QUnitFraction =
    "SELECT U.UnitName LUnit, U.Fraction, M.UnitName SUnit, U.Product IdProd "
    "FROM ProductUnits U Inner Join ProductUnits M On ((U.Product = M.Product) And "
    "(M.SmallUnitFlag = 'Y')) Where (U.Id = :GetUnit)";

const char* const QStockUnitQnty =
    "SELECT U.Id,U.UnitName, U.Fraction, (Select S.UnitName From ProductUnits S "
    "Where (S.SmallUnitFlag = 'Y') And (S.Product = :GetProduct) limit 1) As SmallUnit "
    "FROM ProductUnits U Where (U.StockUnitFlag = 'Y') And (U.Product = :GetProduct)";

struct UnitRow {
    UnitText::Unit unit;
    qint64 product = 0;
};

// Reads a unit with its product's small unit; false when there is no such row.
bool readUnit(int unitId, UnitRow& row)
{
    QSqlQuery q = Db::exec(DM->DMdata(), QString::fromLatin1(QUnitFraction),
                           {{QStringLiteral("GetUnit"), unitId}});
    if (!q.next())
        return false;
    row.unit.largeName = q.value(0).toString();
    row.unit.fraction = q.value(1).toDouble();
    row.unit.smallName = q.value(2).toString();
    row.product = q.value(3).toLongLong();
    return true;
}

QString configRaw(const char* column)
{
    const QString name = QString::fromLatin1(column);
    if (!DM->HasConfigColumn(name))
        return {};
    return DM->Config(name).toString();
}

} // namespace

QString TDM::UnitQtyText(int unitId, double quantity)
{
    UnitRow row;
    if (!readUnit(unitId, row))
        return UnitText::missingUnitText(quantity, true);
    return UnitText::qtyText(row.unit, quantity, configRaw("UnitLeft"), configRaw("UnitRight"));
}

QString TDM::UnitQtyPart(int unitId, int part, double quantity)
{
    UnitRow row;
    if (!readUnit(unitId, row))
        return UnitText::missingUnitText(quantity, false);
    return UnitText::qtyPart(row.unit, part, quantity);
}

QString TDM::UnitFractionText(int unitId, double quantity)
{
    UnitRow row;
    if (!readUnit(unitId, row))
        return QLatin1String(UnitText::Error);
    qint64 n = 0;
    if (!UnitText::smallUnitCount(quantity, row.unit.fraction, n))
        return QLatin1String(UnitText::Error);
    QSqlQuery q = Db::exec(DMdata(), QString::fromLatin1(QStockUnitQnty),
                           {{QStringLiteral("GetProduct"), row.product}});
    if (!q.next())
        return QLatin1String(UnitText::Error); // the product has no stock unit
    const double e = q.value(2).toDouble();
    const QString stockUnit = q.value(1).toString();
    if (!(e >= 1) || e > 9.2e18)
        return QLatin1String(UnitText::Error);
    return UnitText::fractionText(n, qint64(std::llround(e)), stockUnit);
}
