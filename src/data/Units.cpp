#include "data/DbUtil.h"
#include "data/TDM.h"
#include "data/Units.h"

#include <QSqlQuery>
#include <cmath>

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
bool readUnit(TDM& dm, int unitId, UnitRow& row)
{
    QSqlQuery q = Db::exec(dm.DMdata(), QString::fromLatin1(QUnitFraction),
                           {{QStringLiteral("GetUnit"), unitId}});
    if (!q.next())
        return false;
    row.unit.largeName = q.value(0).toString();
    row.unit.fraction = q.value(1).toDouble();
    row.unit.smallName = q.value(2).toString();
    row.product = q.value(3).toLongLong();
    return true;
}

QString configRaw(TDM& dm, const char* column)
{
    const QString name = QString::fromLatin1(column);
    if (!dm.HasConfigColumn(name))
        return {};
    return dm.Config(name).toString();
}

} // namespace

QString TDM::UnitQtyText(int unitId, double quantity)
{
    UnitRow row;
    if (!readUnit(*this, unitId, row))
        return UnitText::missingUnitText(quantity, true);
    return UnitText::qtyText(row.unit, quantity, configRaw(*this, "UnitLeft"), configRaw(*this, "UnitRight"));
}

QString TDM::UnitQtyPart(int unitId, int part, double quantity)
{
    UnitRow row;
    if (!readUnit(*this, unitId, row))
        return UnitText::missingUnitText(quantity, false);
    return UnitText::qtyPart(row.unit, part, quantity);
}

QString TDM::UnitFractionText(int unitId, double quantity)
{
    UnitRow row;
    if (!readUnit(*this, unitId, row))
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
