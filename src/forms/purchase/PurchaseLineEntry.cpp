#include "forms/purchase/PurchaseLineEntry.h"

#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/Rounding.h"
#include "data/TDM.h"
#include "data/product/TDmMisc.h"
#include "data/product/TDmProduct.h"
#include "data/product/TDmService.h"

#include <QHash>
#include <QCoreApplication>

namespace {
// Counts the entry's own writes so the form ignores them; survives an exception.
struct Busy {
    explicit Busy(int& n) : n(n) { ++n; }
    ~Busy() { --n; }
    int& n;
};
} // namespace

QString PurchaseLineEntry::CodeColumn(int entryType)
{
    switch (entryType) {
    case 1:
        return QStringLiteral("BarCode");
    case 2:
        return QStringLiteral("PurchaseCode");
    default:
        return QStringLiteral("ProductCode");
    }
}

PurchaseLineEntry::PurchaseLineEntry(CachedDataSet* lines, Policy policy)
    : m_lines(lines)
    , m_policy(policy)
{
}

void PurchaseLineEntry::set(const QString& field, const QVariant& v)
{
    if (m_lines->hasField(field))
        m_lines->SetField(field, v);
}

QVariant PurchaseLineEntry::get(const QString& field) const
{
    return m_lines->hasField(field) ? m_lines->FieldByName(field) : QVariant();
}

bool PurchaseLineEntry::PriceEmpty() const
{
    const QVariant p = get(QStringLiteral("Price"));
    return p.isNull() || p.toString().trimmed().isEmpty() || p.toDouble() == 0;
}

PurchaseLineEntry::SavedUnit PurchaseLineEntry::CurrentUnit() const
{
    if (!m_lines->Active() || m_lines->RecNo() < 0)
        return {};
    return {get(QStringLiteral("UnitName")), get(QStringLiteral("ProductUnits")), get(QStringLiteral("Fraction"))};
}

bool PurchaseLineEntry::AssignProduct(const QString& code, int unitId)
{
    if (!m_lines->Active() || m_lines->RecNo() < 0)
        return false;
    CreateProductModules();
    const QString lineType = get(QStringLiteral("ProductType")).toString().trimmed();
    bool found = false;
    if (m_policy == Policy::Import) {
        found = assignGoods(code, unitId);
    } else if (m_policy == Policy::Bill) {
        // New lines have no type: on a bill they are services unless taken over as goods.
        found = lineType == QLatin1String("P") ? assignGoods(code, unitId) : assignService(code, false);
    } else {
        const QString docType = documentType ? documentType().trimmed() : QString();
        auto wanted = [&](const char* letter) { return docType == QLatin1String(letter) || lineType == QLatin1String(letter); };
        if (wanted("P"))
            found = assignGoods(code, unitId);
        if (!found && wanted("S"))
            found = assignService(code, false);
        if (!found && wanted("M"))
            found = assignService(code, true);
    }
    if (found)
        return true;
    if (m_policy == Policy::Import) {
        Busy busy(m_busy);
        set(QStringLiteral("Product"), QVariant());
        set(QStringLiteral("ProductName"), QVariant());
    } else {
        ClearLineProduct();
    }
    return false;
}

bool PurchaseLineEntry::assignGoods(const QString& code, int unitId)
{
    const bool found = DmProduct->ExistsProduct(code);
    const bool import = m_policy == Policy::Import;
    if (found) {
        Busy busy(m_busy);
        const QSqlRecord& p = DmProduct->QChkProduct;
        const int previous = get(QStringLiteral("Product")).toInt();
        const int product = p.value(QStringLiteral("Id")).toInt();
        if (!import)
            set(QStringLiteral("ProductType"), QStringLiteral("P"));
        set(QStringLiteral("Product"), product);
        set(QStringLiteral("ProductCode"), p.value(QStringLiteral("Code")));
        const bool viewName = m_policy != Policy::Order && DM && DM->Config(QStringLiteral("SearchProductNo")).toInt() == 2;
        const QString english = p.value(QStringLiteral("EngName")).toString().trimmed();
        const bool inEnglish = m_policy == Policy::Order && englishNames && !english.isEmpty();
        set(QStringLiteral("ProductName"), viewName    ? DmProduct->SpecialName
                                          : inEnglish ? english
                                                      : p.value(QStringLiteral("ThaiName")).toString());
        set(QStringLiteral("PriceByVolumn"), p.value(QStringLiteral("PriceByVolumn")));
        if (unitId >= 1) {
            const QSqlRecord& u = DmProduct->QChkBarCode;
            set(QStringLiteral("ProductUnits"), unitId);
            set(QStringLiteral("UnitName"), u.value(QStringLiteral("UnitName")));
            set(QStringLiteral("Fraction"), u.value(QStringLiteral("Fraction")));
            set(QStringLiteral("BarCode"), u.value(QStringLiteral("BarCode")));
        } else {
            const bool noFraction = get(QStringLiteral("Fraction")).toDouble() == 0;
            const bool takeFirst = import || previous != product || (m_policy == Policy::Bill && noFraction);
            if (takeFirst) {
                const QString unit = DmProduct->GetFirstUnit(product, UnitKind::Purchase);
                const QSqlRecord u = import && unit.isEmpty() ? QSqlRecord() : DmProduct->QDefaultUnit;
                set(QStringLiteral("UnitName"), unit);
                set(QStringLiteral("ProductUnits"), u.value(QStringLiteral("Id")));
                set(QStringLiteral("Fraction"), u.value(QStringLiteral("Fraction")));
                set(QStringLiteral("BarCode"), u.value(QStringLiteral("BarCode")));
            }
        }
        set(QStringLiteral("LotControl"), p.value(QStringLiteral("LotControl")));
        if (m_policy != Policy::Order)
            set(QStringLiteral("UseSerial"), p.value(QStringLiteral("UseSerial")));
        // The import line takes the product's own warehouse, even when the document names one.
        if (import || get(QStringLiteral("Warehouse")).toInt() == 0) {
            set(QStringLiteral("Warehouse"), p.value(QStringLiteral("DefaultWh")));
            set(QStringLiteral("WhCode"), p.value(QStringLiteral("WhCode")));
        }
        if (import) {
            if (p.value(QStringLiteral("UseSerial")).toString() == QLatin1String("Y"))
                set(QStringLiteral("Quantity"), 1);
            return true;
        }
        set(QStringLiteral("TaxCode"), p.value(QStringLiteral("TaxCode")));
        if (m_policy == Policy::Bill) {
            const double headerRate = headerTaxRate ? headerTaxRate() : 0;
            set(QStringLiteral("TaxRate"), headerRate > 0 ? DM->GetTaxRate(p.value(QStringLiteral("TaxCode")).toInt()) : 0.0);
            if (p.value(QStringLiteral("UseSerial")).toString() == QLatin1String("Y"))
                set(QStringLiteral("Quantity"), 1);
        } else {
            set(QStringLiteral("TaxRate"), p.value(QStringLiteral("TaxRate")));
        }
        if (PriceEmpty())
            SetVendorPrice();
    }
    // The stock of the line's product after every goods lookup.
    const int product = get(QStringLiteral("Product")).toInt();
    StatusText = found && product > 0
        ? QCoreApplication::translate("PurchaseLineEntry", "คงเหลือปัจจุบัน ")
              + DmProduct->ProductQuantity(product, balanceYear ? balanceYear() : QDate::currentDate().year())
        : QString();
    return found;
}

bool PurchaseLineEntry::assignService(const QString& code, bool misc)
{
    const bool found = misc ? DmMisc->ExistsMisc(code) : DmService->ExistsService(code);
    if (!found)
        return false;
    Busy busy(m_busy);
    const QSqlRecord& s = misc ? DmMisc->QChkMisc : DmService->QChkService;
    const int product = s.value(QStringLiteral("Id")).toInt();
    set(QStringLiteral("ProductType"), misc ? QStringLiteral("M") : QStringLiteral("S"));
    set(QStringLiteral("Product"), product);
    set(QStringLiteral("ProductCode"), s.value(QStringLiteral("Code")));
    set(QStringLiteral("ProductName"), s.value(QStringLiteral("ThaiName")));
    const QString unit = DmProduct->GetFirstUnit(product, UnitKind::Purchase);
    set(QStringLiteral("UnitName"), unit);
    set(QStringLiteral("ProductUnits"), DmProduct->QDefaultUnit.value(QStringLiteral("Id")));
    set(QStringLiteral("BarCode"), DmProduct->QDefaultUnit.value(QStringLiteral("BarCode")));
    set(QStringLiteral("Fraction"), 1);
    set(QStringLiteral("LotControl"), QStringLiteral("N"));
    if (m_policy == Policy::Bill) {
        set(QStringLiteral("UseSerial"), QStringLiteral("N"));
        set(QStringLiteral("Warehouse"), QVariant());
        set(QStringLiteral("WhCode"), QVariant());
    }
    set(QStringLiteral("TaxCode"), s.value(QStringLiteral("TaxCode")));
    set(QStringLiteral("TaxRate"), s.value(QStringLiteral("TaxRate")));
    if (PriceEmpty())
        SetVendorPrice();
    StatusText.clear();
    return true;
}

bool PurchaseLineEntry::BarCodeExit(const QString& code)
{
    CreateProductModules();
    const bool found = DmProduct->ExistsBarCode(code.trimmed());
    const QString product = found ? DmProduct->QChkBarCode.value(QStringLiteral("Code")).toString() : QString();
    const int unit = found ? DmProduct->QChkBarCode.value(QStringLiteral("Id")).toInt() : 0;
    return AssignProduct(product, unit);
}

bool PurchaseLineEntry::PurchaseCodeExit(const QString& code)
{
    CreateProductModules();
    const int vendor = vendorId ? vendorId() : 0;
    const bool found = DmProduct->ExistsVendorPartCode(code.trimmed(), vendor);
    return AssignProduct(found ? DmProduct->QChkPartSource.value(QStringLiteral("Code")).toString() : QString(), 0);
}

void PurchaseLineEntry::SetVendorPrice()
{
    if (!m_lines->Active() || m_lines->RecNo() < 0)
        return;
    CreateProductModules();
    Busy busy(m_busy);
    const double headerRate = headerTaxRate ? headerTaxRate() : 0;
    set(QStringLiteral("TaxRate"), headerRate > 0 ? DM->GetTaxRate(get(QStringLiteral("TaxCode")).toInt()) : 0.0);
    if (m_policy == Policy::Order && headerShipDate) {
        const QDateTime ship = headerShipDate();
        set(QStringLiteral("ShipDate"), Db::dateToText(QDateTime(ship.date(), QTime(0, 0))));
    }
    const int unit = get(QStringLiteral("ProductUnits")).toInt();
    if (!applyPartSource(unit))
        setFallbackPrice(unit, false);
}

void PurchaseLineEntry::setFallbackPrice(int unitId, bool keepWhenNoStandard)
{
    if (fallbackPrice) {
        const std::optional<double> price = fallbackPrice(get(QStringLiteral("Product")).toInt(), unitId);
        set(QStringLiteral("Price"), price ? QVariant(*price) : QVariant());
        return;
    }
    const QVariant standard = DmProduct->QPriceStandard.value(QStringLiteral("PurcPrice"));
    if (!keepWhenNoStandard || !standard.isNull())
        set(QStringLiteral("Price"), standard.toDouble());
}

void PurchaseLineEntry::RetaxLines()
{
    if (!m_lines->Active())
        return;
    Busy busy(m_busy);
    const double headerRate = headerTaxRate ? headerTaxRate() : 0;
    QHash<int, double> rates;
    for (int r = 0; r < m_lines->RecordCount(); ++r) {
        if (m_lines->value(r, QStringLiteral("Product")).toInt() < 1)
            continue;
        const int code = m_lines->value(r, QStringLiteral("TaxCode")).toInt();
        double rate = 0;
        if (headerRate > 0) {
            auto it = rates.constFind(code);
            if (it == rates.constEnd())
                it = rates.insert(code, DM->GetTaxRate(code));
            rate = *it;
        }
        if (m_lines->value(r, QStringLiteral("TaxRate")).toDouble() != rate)
            m_lines->assign(r, QStringLiteral("TaxRate"), rate);
    }
}

bool PurchaseLineEntry::applyPartSource(int unitId)
{
    // The vendor's own row for the unit: its code, name, price and discount text.
    if (!DmProduct->ExistsPartSource(unitId, vendorId ? vendorId() : 0))
        return false;
    const QSqlRecord& v = DmProduct->QExistsPartSource;
    set(QStringLiteral("PurchaseCode"), v.value(QStringLiteral("PurchaseCode")));
    set(QStringLiteral("PurchaseName"), v.value(QStringLiteral("PurchaseName")));
    set(QStringLiteral("Price"), v.value(QStringLiteral("Price")));
    set(QStringLiteral("Discount"), v.value(QStringLiteral("DiscountStr")));
    return true;
}

void PurchaseLineEntry::ClearLineProduct()
{
    if (!m_lines->Active() || m_lines->RecNo() < 0)
        return;
    Busy busy(m_busy);
    set(QStringLiteral("Product"), QVariant());
    set(QStringLiteral("ProductCode"), QVariant());
    set(QStringLiteral("ProductName"), QVariant());
}

bool PurchaseLineEntry::UnitNameExit(const QString& name, const SavedUnit& saved)
{
    if (!m_lines->Active() || m_lines->RecNo() < 0)
        return false;
    CreateProductModules();
    Busy busy(m_busy);
    const int product = get(QStringLiteral("Product")).toInt();
    if (!DmProduct->ExistsProductUnit(product, name.trimmed(), UnitKind::Purchase)) {
        const bool empty = m_policy == Policy::Import;
        set(QStringLiteral("UnitName"), empty ? QVariant() : saved.name);
        set(QStringLiteral("ProductUnits"), empty ? QVariant() : saved.id);
        set(QStringLiteral("Fraction"), empty ? QVariant() : saved.fraction);
        return false;
    }
    const QSqlRecord u = DmProduct->QChkUnit;
    const int unit = u.value(QStringLiteral("Id")).toInt();
    set(QStringLiteral("UnitName"), u.value(QStringLiteral("UnitName")));
    set(QStringLiteral("ProductUnits"), unit);
    set(QStringLiteral("Fraction"), u.value(QStringLiteral("Fraction")));
    // The unit the line had before: the unit at load for bills, the laid-out unit for orders.
    const QString oldField = m_lines->hasField(QStringLiteral("ProductUnitsOld")) ? QStringLiteral("ProductUnitsOld") : QString();
    const int old = oldField.isEmpty() ? saved.id.toInt() : get(oldField).toInt();
    if (unit != old && m_policy != Policy::Import) {
        if (!oldField.isEmpty())
            set(oldField, unit);
        if (!applyPartSource(unit))
            setFallbackPrice(unit, m_policy == Policy::Bill);
    }
    return true;
}

void PurchaseLineEntry::QuantityExit(double quantity)
{
    if (!m_lines->Active() || m_lines->RecNo() < 0)
        return;
    Busy busy(m_busy);
    if (get(QStringLiteral("Quantity")).toDouble() != quantity || get(QStringLiteral("Quantity")).isNull())
        set(QStringLiteral("Quantity"), quantity);
    if (get(QStringLiteral("ProductType")).toString() != QLatin1String("P")
        || get(QStringLiteral("PriceByVolumn")).toString() != QLatin1String("Y"))
        return;
    // The line's own product, read again: another line's lookup may stand in the module.
    CreateProductModules();
    if (DmProduct->QChkProduct.value(QStringLiteral("Id")).toInt() != get(QStringLiteral("Product")).toInt()) {
        const QString code = get(QStringLiteral("ProductCode")).toString();
        if (!DmProduct->ExistsProduct(code))
            return;
    }
    const double w = DmProduct->QChkProduct.value(QStringLiteral("Size_W")).toDouble();
    const double l = DmProduct->QChkProduct.value(QStringLiteral("Size_L")).toDouble();
    if (w > 0 && l > 0)
        set(QStringLiteral("QWeightSize"), RoundDecimal(l * (w * quantity) / 10000, 3, 18));
}

bool PurchaseLineEntry::WhCodeExit(const QString& code)
{
    if (!m_lines->Active() || m_lines->RecNo() < 0)
        return false;
    CreateProductModules();
    Busy busy(m_busy);
    const bool found = DmProduct->ExistsWarehouse(code.trimmed());
    set(QStringLiteral("WhCode"), found ? DmProduct->QChkWarehouse.value(QStringLiteral("Code")) : QVariant());
    set(QStringLiteral("Warehouse"), found ? DmProduct->QChkWarehouse.value(QStringLiteral("Id")) : QVariant());
    return found;
}

PurchaseLineEntry::FieldResult PurchaseLineEntry::FieldExit(const QString& field, const SavedUnit& saved)
{
    FieldResult r;
    if (!m_lines->Active() || m_lines->RecNo() < 0)
        return r;
    const QString f = field.toUpper();
    const QString text = get(field).toString();
    if (f == QLatin1String("PRODUCTCODE")) {
        // An emptied code leaves the line as it is.
        if (!text.trimmed().isEmpty())
            r = {Field::Code, ProductCodeExit(text)};
    } else if (f == QLatin1String("BARCODE")) {
        r = {Field::Code, BarCodeExit(text)};
    } else if (f == QLatin1String("PURCHASECODE")) {
        r = {Field::Code, PurchaseCodeExit(text)};
    } else if (f == QLatin1String("UNITNAME")) {
        r = {Field::Unit, UnitNameExit(text, saved)};
    } else if (f == QLatin1String("WHCODE")) {
        r = {Field::Warehouse, WhCodeExit(text)};
    } else if (f == QLatin1String("QUANTITY")) {
        QuantityExit(get(QStringLiteral("Quantity")).toDouble());
        r.kind = Field::Quantity;
    } else if (f == QLatin1String("PRICE") || f == QLatin1String("DISCOUNT")) {
        r.kind = Field::Amount;
    } else if (f == QLatin1String("TOTAL")) {
        r.kind = Field::Total;
    }
    return r;
}
