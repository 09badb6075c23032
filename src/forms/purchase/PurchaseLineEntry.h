#pragma once
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

class CachedDataSet;

// How a code typed into a purchase line becomes a line: the product, service or
// miscellaneous item, its unit (its first purchase unit, or the unit of a bar code), its
// warehouse and tax, and the vendor's price. Shared by the vendor bills, the purchase orders
// and the import documents; the Policy says where their rules differ:
//
//                       Bill                         Order                       Import
//  lookups tried        goods when the line is "P",  each of goods / service /   goods
//                       else services                misc whose letter is the
//                                                    order's type or the line's
//                                                    type, in that order
//  goods' unit          first unit when the line     first unit when the         first unit (none when
//                       has no fraction or the       product changed             the product has no
//                       product changed                                          purchase unit)
//  goods' tax, price    GetTaxRate when the          the product's rate;         -
//                       document has a rate, else    the vendor's price
//                       0; the vendor's price
//  serial goods         quantity 1                   -                           quantity 1
//  warehouse            the product's when the line  as Bill; a service keeps    the product's, always
//                       has none; a service's is     its line's
//                       emptied
//  goods' name          display name of the product  Thai name                   as Bill
//                       view when SearchProductNo
//                       is 2
//  unknown code         product, code and name       as Bill                     product and name
//                       emptied                                                  emptied, the typed code
//                                                                                stays for correction
//  unknown unit name    back to the unit before      as Bill                     the unit is emptied
//
// Everything is written into the current row of the line data set, and only into columns
// the data set has, so a line query without (say) PurchaseCode still works. While the entry
// writes, assigning() is true: the form's field-change handler ignores those changes.
class PurchaseLineEntry {
public:
    enum class Policy { Bill, Order, Import };

    PurchaseLineEntry(CachedDataSet* lines, Policy policy);

    // What the entry needs from its document.
    std::function<int()> vendorId;            // the document's vendor (PartSource rows)
    std::function<double()> headerTaxRate;    // the document's tax rate
    std::function<QString()> documentType;    // the order's type letter (orders)
    std::function<QDateTime()> headerShipDate; // orders: SetVendorPrice dates the line
    std::function<int()> balanceYear;         // year of the stock shown after a goods lookup
    bool englishNames = false;                // orders: a product's English name where it has one
    // The price proposed for a unit the vendor has no row of its own for. Unset: the unit's
    // standard purchase price from the product file (in baht). A document in another currency
    // sets it (the vendor's last price in that currency, or none: the price is left empty).
    std::function<std::optional<double>(int product, int unit)> fallbackPrice;

    // Text for status panel 1 after the last goods lookup: empty, or the current balance.
    QString StatusText;

    bool assigning() const { return m_busy > 0; }

    // The line column the code is typed in for an entry type (0 product code, 1 bar code,
    // 2 vendor's part code).
    static QString CodeColumn(int entryType);

    // A code typed or chosen (unitId: the unit of a bar code, 0 to take the first unit).
    // True when an item was found; otherwise the line's product is emptied.
    bool AssignProduct(const QString& code, int unitId);
    // The code editors of the three entry types.
    bool ProductCodeExit(const QString& code) { return AssignProduct(code.trimmed(), 0); }
    bool BarCodeExit(const QString& code);
    bool PurchaseCodeExit(const QString& code);

    void SetVendorPrice();
    void ClearLineProduct();
    // Bills: the document's tax rate changed; every line takes its rate again by the rule of
    // the line entry (its own tax code's rate when the document has a rate, else 0).
    void RetaxLines();

    // The unit of the line as it was when the grid was last laid out; an unknown unit name
    // goes back to it.
    struct SavedUnit {
        QVariant name, id, fraction;
    };
    SavedUnit CurrentUnit() const;
    // A unit name typed: the unit and, when it changed, the price of the new unit.
    bool UnitNameExit(const QString& name, const SavedUnit& saved);
    // A quantity typed: the size quantity of goods priced by size.
    void QuantityExit(double quantity);
    // A warehouse code typed: the warehouse, or none when the code is unknown.
    bool WhCodeExit(const QString& code);

    // True when the line has no price yet (empty or 0).
    bool PriceEmpty() const;

    // A field of the current line changed through the grid: the code editors, the unit and
    // the quantity run their rules here; the form reacts to the kind of field (re-lays the
    // grid after a lookup, recomputes after an amount).
    enum class Field { Other, Code, Unit, Warehouse, Quantity, Amount, Total };
    struct FieldResult {
        Field kind = Field::Other;
        bool found = false; // a code: an item was found
    };
    FieldResult FieldExit(const QString& field, const SavedUnit& saved);

private:
    bool assignGoods(const QString& code, int unitId);
    bool assignService(const QString& code, bool misc);
    bool applyPartSource(int unitId);
    // The price of a unit without a vendor row: fallbackPrice, or the standard price.
    void setFallbackPrice(int unitId, bool keepWhenNoStandard);
    void set(const QString& field, const QVariant& v);
    QVariant get(const QString& field) const;

    CachedDataSet* m_lines;
    Policy m_policy;
    int m_busy = 0;
};
