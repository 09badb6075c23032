#include "data/product/TDmProduct.h"

#include "data/DbUtil.h"
#include "data/TDM.h"
#include "data/Units.h"

#include <QSqlQuery>

TDmProduct* DmProduct = nullptr;

// ---- statements ----------------------------------------------------------------------------

const char* const TDmProduct::SqlChkProduct =
    "SELECT P.Id, P.Code, P.ThaiName, P.EngName, P.PosName, P.ProductType,P.PriceIE ,P.PrintFrac, P.UseSerial, "
    "P.LotControl, P.TaxCode, P.DefaultWh, P.PriceByVolumn,P.Discount, P.VolumnUnit, T.Rate TaxRate, "
    "W.Code WhCode, W.Name WhName,P.Blocked,P.Negative, P.Size_W,P.Size_L,P.Size_H,P.CartonsUnits,P.Cartons,"
    "P.NetWeight,P.GrossWeight\n"
    "FROM Product P\n"
    "INNER JOIN Tax T On (T.Id = P.TaxCode)\n"
    "INNER JOIN Warehouse W On (W.Id = P.DefaultWh)\n"
    "WHERE (P.Code = :GetCode) AND (P.Blocked <> 'Y')  And (P.MasterCode<>'Y')";

const char* const TDmProduct::SqlSpecialName =
    "Select P.Id, P.Code, ltrim(rtrim(P.ThaiName)) ThaiName, P.Remark, P.ProductType ,P.Picture1\n"
    "From ProductView P\n"
    "WHERE (P.Code = :GetCode) AND (P.Blocked <> 'Y')";

const char* const TDmProduct::SqlChkService =
    "SELECT P.Id, P.Code, P.ThaiName, P.EngName, P.PosName, P.ProductType, P.UseSerial, P.LotControl, "
    "P.TaxCode, P.DefaultWh, T.Rate TaxRate, P.Discount, W.Code WhCode, W.Name WhName,P.PriceIE ,P.PrintFrac,"
    "P.Discount\n"
    "FROM Product P\n"
    "INNER JOIN Tax T On (T.Id = P.TaxCode)\n"
    "INNER JOIN Warehouse W On (W.Id = P.DefaultWh)\n"
    "WHERE (P.Code = :GetCode) AND (P.Blocked <> 'Y') And (ProductType = 'S')";

const char* const TDmProduct::SqlChkMisc =
    "SELECT P.Id, P.Code, P.ThaiName, P.EngName, P.PosName, P.ProductType, P.UseSerial, P.LotControl, "
    "P.TaxCode, P.DefaultWh, T.Rate TaxRate, P.Discount, W.Code WhCode, W.Name WhName\n"
    "FROM Product P\n"
    "INNER JOIN Tax T On (T.Id = P.TaxCode)\n"
    "INNER JOIN Warehouse W On (W.Id = P.DefaultWh)\n"
    "WHERE (P.Code = :GetCode) AND (P.Blocked <> 'Y') And (ProductType = 'M')";

const char* const TDmProduct::SqlChkUnit =
    "SELECT Id, UnitName, Fraction, VolumnFraction,BarCode,PurcPrice,LabourCost\n"
    "From ProductUnits\n"
    "Where (Product = :GetProduct) And (UnitName = :GetUnit) And\n"
    "((SaleFlag Like :SaleUnit) Or (PurcFlag Like :PurcUnit) Or (SmallUnitFlag Like :SmallUnit) Or "
    "(StockUnitFlag Like :StockUnit))";

const char* const TDmProduct::SqlDefaultUnit =
    "SELECT U.Id, U.UnitName, U.Fraction, U.BarCode, U.VolumnFraction,U.PurcPrice\n"
    "FROM ProductUnits U\n"
    "WHERE (U.Product = :GetId) And (U.SaleFlag Like :SaleUnit) And (U.PurcFlag Like :PurcUnit) And\n"
    "(U.SmallUnitFlag Like :SmallUnit) And (U.StockUnitFlag Like :StockUnit)";

const char* const TDmProduct::SqlChkBarCode =
    "Select U.Id, U.BarCode, U.Fraction, U.UnitName, U.PurcFlag, U.SaleFlag, U.SmallUnitFlag, U.StockUnitFlag, "
    "P.Id ProductId, P.Code, P.ThaiName, P.EngName, P.PosName, P.UseSerial, P.LotControl, P.TaxCode, "
    "P.DefaultWh, U.PurcPrice, U.LabourCost, T.Rate TaxRate, W.Code WhCode, W.Name WhName,\n"
    "(select Pp.Price From ProductPrice Pp Where Pp.ProductUnits = U.Id And pp.PriceType = 19)Price\n"
    "From ProductUnits U\n"
    "Inner Join Product P On (P.Id = U.Product)\n"
    "Inner Join Tax T On (T.Id = P.TaxCode)\n"
    "Inner Join Warehouse W On (W.Id = P.DefaultWh)\n"
    "Where (U.BarCode = :GetCode) AND (P.Blocked <> 'Y') And (U.BarCode Is Not Null)";

const char* const TDmProduct::SqlChkLotNo =
    "SELECT Id, Code, HasExpired, ExpiredDate FROM LotNo WHERE (Code = :GetCode)";

const char* const TDmProduct::SqlChkWarehouse =
    "SELECT W.Id, W.Code, W.Name FROM WareHouse W WHERE (W.Code = :GetCode)";

const char* const TDmProduct::SqlPriceStandard =
    "Select PurcPrice,LabourCost From ProductUnits Where (Id = :GetId)";

const char* const TDmProduct::SqlExistsPartSource =
    "SELECT Id, Price, PurchaseCode, PurchaseName, DiscountStr, lastprice, lastdoccode, lastdocno, lastdate\n"
    "FROM PartSource\n"
    "Where (ProductUnits = :GetId) And (Vendor = :GetVId)";

const char* const TDmProduct::SqlChkPartSource =
    "Select V.Id, V.Product, V.ProductUnits, V.PurchaseCode, V.PurchaseName, P.Code, P.ThaiName, U.UnitName, "
    "U.Fraction, U.BarCode\n"
    "From PartSource V\n"
    "Inner Join Product P On (P.Id = V.Product)\n"
    "Inner Join ProductUnits U On (U.Id = V.ProductUnits)\n"
    "Where (V.PurchaseCode = :GetCode) And (V.Vendor = :GetVId)";

const char* const TDmProduct::SqlChkProjectItemCode =
    "select id,code from projectitemhd where project=:projectid and code=:code";

QString TDmProduct::SqlOnHand()
{
    // "top 1" of the server is "limit 1" at the end of each sub-select here.
    return QStringLiteral(
        "select coalesce(sum(o.quantity),0) qnty ,\n"
        "(select fraction from productunits where product=:pid and stockunitflag='Y' limit 1) stockunitfrac,\n"
        "(select unitname from productunits where product=:pid and stockunitflag='Y' limit 1) stockunitname,\n"
        "(select fraction from productunits where product=:pid and smallunitflag='Y' limit 1) smallunitfrac,\n"
        "(select unitname from productunits where product=:pid and smallunitflag='Y' limit 1) smallunitname\n"
        "from productonhand o\n"
        "inner join warehouse w on w.id=o.warehouse\n"
        "where (o.product = :pid) and (o.balanceyear = :yid)  ");
}

// ---- helpers -------------------------------------------------------------------------------

bool readFirstRow(const QSqlDatabase& db, const QString& sql, const QVariantMap& params, QSqlRecord& record)
{
    // The checks run for every code typed: their statements stay prepared.
    return Db::readFirst(db, sql, params, record);
}

TDmProduct::KindPatterns TDmProduct::kindPatterns(int kinds, const QString& other)
{
    const QString yes = QStringLiteral("Y%");
    KindPatterns p;
    p.sale = (kinds & UnitKind::Sale) ? yes : other;
    p.purc = (kinds & UnitKind::Purchase) ? yes : other;
    p.stock = (kinds & UnitKind::Stock) ? yes : other;
    p.small = (kinds & UnitKind::Small) ? yes : other;
    return p;
}

bool TDmProduct::lotValid(const QString& hasExpired, const QVariant& expiredDate, const QDateTime& referenceDate)
{
    if (hasExpired.trimmed() == QLatin1String("N"))
        return true;
    // A missing expiry date is the empty date (day zero), as stored: such a lot passes the
    // lot frame's zero reference date and fails against any real date.
    QDateTime expiry = Db::dateFromValue(expiredDate);
    if (!expiry.isValid())
        expiry = Db::emptyDate();
    return expiry >= referenceDate;
}

// ---- module --------------------------------------------------------------------------------

TDmProduct::TDmProduct(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("DmProduct"));
}

TDmProduct::~TDmProduct()
{
    if (DmProduct == this)
        DmProduct = nullptr;
}

void TDmProduct::setDatabase(const QSqlDatabase& db)
{
    m_db = db;
    m_hasDb = true;
}

QSqlDatabase TDmProduct::database() const
{
    if (m_hasDb)
        return m_db;
    return DM ? DM->DMdata() : QSqlDatabase();
}

bool TDmProduct::ExistsProduct(const QString& code)
{
    const QVariantMap p{{QStringLiteral("GetCode"), code}};
    const bool found = readFirstRow(database(), QString::fromLatin1(SqlChkProduct), p, QChkProduct);
    SpecialName.clear();
    if (found && DM && DM->Config(QStringLiteral("SearchProductNo")).toInt() == 2) {
        if (readFirstRow(database(), QString::fromLatin1(SqlSpecialName), p, QSpecialName))
            SpecialName = QSpecialName.value(QStringLiteral("ThaiName")).toString();
    }
    return found;
}

bool TDmProduct::ExistsProductUnit(int productId, const QString& unitName, int kinds)
{
    // An asked kind must be "Y"; the others are matched against "X%", which no Y/N flag is.
    const KindPatterns k = kindPatterns(kinds, QStringLiteral("X%"));
    return readFirstRow(database(), QString::fromLatin1(SqlChkUnit),
                        {{QStringLiteral("GetProduct"), productId},
                         {QStringLiteral("GetUnit"), unitName},
                         {QStringLiteral("SaleUnit"), k.sale},
                         {QStringLiteral("PurcUnit"), k.purc},
                         {QStringLiteral("SmallUnit"), k.small},
                         {QStringLiteral("StockUnit"), k.stock}},
                        QChkUnit);
}

QString TDmProduct::GetFirstUnit(int productId, int kinds)
{
    // Every asked kind must be "Y"; the others may be anything.
    const KindPatterns k = kindPatterns(kinds, QStringLiteral("%"));
    const bool found = readFirstRow(database(), QString::fromLatin1(SqlDefaultUnit),
                                    {{QStringLiteral("GetId"), productId},
                                     {QStringLiteral("SaleUnit"), k.sale},
                                     {QStringLiteral("PurcUnit"), k.purc},
                                     {QStringLiteral("SmallUnit"), k.small},
                                     {QStringLiteral("StockUnit"), k.stock}},
                                    QDefaultUnit);
    return found ? QDefaultUnit.value(QStringLiteral("UnitName")).toString() : QString();
}

bool TDmProduct::ExistsBarCode(const QString& barCode)
{
    return readFirstRow(database(), QString::fromLatin1(SqlChkBarCode), {{QStringLiteral("GetCode"), barCode}},
                        QChkBarCode);
}

Noticed<bool> TDmProduct::ExistsLotNo(const QString& lotCode, const QDateTime& referenceDate)
{
    if (!readFirstRow(database(), QString::fromLatin1(SqlChkLotNo), {{QStringLiteral("GetCode"), lotCode}},
                      QChkLotNo))
        return {false, {}};
    if (lotValid(QChkLotNo.value(QStringLiteral("HasExpired")).toString(),
                 QChkLotNo.value(QStringLiteral("ExpiredDate")), referenceDate))
        return {true, {}};
    return {false, tr("LotNo หมดอายุแล้ว")};
}

bool TDmProduct::ExistsWarehouse(const QString& code)
{
    return readFirstRow(database(), QString::fromLatin1(SqlChkWarehouse), {{QStringLiteral("GetCode"), code}},
                        QChkWarehouse);
}

bool TDmProduct::ExistsPartSource(int unitId, int vendorId)
{
    readFirstRow(database(), QString::fromLatin1(SqlPriceStandard), {{QStringLiteral("GetId"), unitId}},
                 QPriceStandard);
    return readFirstRow(database(), QString::fromLatin1(SqlExistsPartSource),
                        {{QStringLiteral("GetId"), unitId}, {QStringLiteral("GetVId"), vendorId}}, QExistsPartSource);
}

bool TDmProduct::ExistsVendorPartCode(const QString& partCode, int vendorId)
{
    return readFirstRow(database(), QString::fromLatin1(SqlChkPartSource),
                        {{QStringLiteral("GetCode"), partCode}, {QStringLiteral("GetVId"), vendorId}},
                        QChkPartSource);
}

bool TDmProduct::ExistsProjectItemCode(const QString& itemCode, int projectId)
{
    return readFirstRow(database(), QString::fromLatin1(SqlChkProjectItemCode),
                        {{QStringLiteral("projectid"), projectId}, {QStringLiteral("code"), itemCode}},
                        QChkProjectItemCode);
}

QString TDmProduct::ProductQuantity(int productId, int balanceYear)
{
    if (!readFirstRow(database(), SqlOnHand(),
                      {{QStringLiteral("pid"), productId}, {QStringLiteral("yid"), balanceYear}}, QOnHand))
        return QStringLiteral("Error");
    const double q = QOnHand.value(QStringLiteral("qnty")).toDouble();
    const double f = QOnHand.value(QStringLiteral("stockunitfrac")).toDouble();
    return UnitText::stockQtyText(q, f, QOnHand.value(QStringLiteral("stockunitname")).toString(),
                                  QOnHand.value(QStringLiteral("smallunitname")).toString());
}
