#pragma once
#include <QString>

// Quantity texts in large and small units. Quantities are counted in small units; a unit's
// fraction is the number of small units it holds. These are the rules behind TDM's
// UnitQtyText, UnitQtyPart and UnitFractionText and behind the stock-on-hand text; TDM reads
// the unit rows and calls them.
namespace UnitText {

// Patterns of the texts; each brings its own blanks.
QString formatQuantity(double q); // "###,###,##0.###### "
QString formatWhole(double w);    // "###,###,##0 "
QString formatRest(double r);     // " ######.###### "

// The text given instead of a quantity text when the unit rows needed are missing.
inline constexpr const char* Error = "ERROR";
inline constexpr const char* PartError = "IDERROR";

struct Unit {
    QString largeName; // the unit's own name
    QString smallName; // the product's small unit
    double fraction = 1;
};

// Whole large units and the rest in small units; "- " in front of negative quantities;
// `left` and `right` around every unit name; blanks at both ends removed.
QString qtyText(const Unit& unit, double q, const QString& left = {}, const QString& right = {});
// The quantity text for a unit that does not exist: the quantity followed by "ERROR".
QString missingUnitText(double q, bool trimmed);
// Part 1: only the whole large units; part 2: only the rest in small units (with the sign text
// in front, not trimmed). Other parts: the quantity followed by "IDERROR".
QString qtyPart(const Unit& unit, int part, double q);

// The stock-on-hand text: like qtyText for the product's stock unit, but the rest is the
// quantity less whole units of max(fraction, 1), nothing is trimmed and no texts surround
// the unit names ("5 PCS" keeps the blank in front of 5).
QString stockQtyText(double q, double stockFraction, const QString& stockUnit,
                     const QString& smallUnit);

// Whole stock units and a reduced fraction of a stock unit for n small units:
// "1;1/2  box" for 18 with a box of 12, ";2/3  box" for 8, "2;box" for 24, ";0  box" for 0.
// A stock fraction below 1 gives "ERROR".
QString fractionText(qint64 n, qint64 stockFraction, const QString& stockUnit);
// The quantity q of a unit holding f small units, in whole small units: q × f rounded to two
// decimals and then cut to a whole number (so 0.6667 × 3 counts as 2 small units). No value
// when it lies beyond the 64-bit range.
bool smallUnitCount(double q, double f, qint64& n);

} // namespace UnitText
