#pragma once
#include <QString>
#include <QVector>
#include <optional>

class CachedDataSet;

// The money of purchase documents without any widget: the line amounts with their discount
// texts, the split into taxed and untaxed goods, the three end-of-bill discounts, the tax for
// prices that include or exclude it, a hand-typed tax, the deposit deducted from a bill and
// the payable total. Vendor bills and purchase orders share the rules; where they differ the
// Kind says which:
//
//                              Bill                               Order
//  line DiscountAmt            R15(gross) - Total                 gross - Total
//  a line counts as taxed      its tax rate is above 0            its computed tax is above 0
//  end-of-bill discounts       not rounded                        each rounded to 2 places
//  Total with prices excl. tax not rounded                        rounded to 2 places
//  a hand-typed tax            moves Total by typed - computed    leaves Total alone
//  deposit                     deducted from the goods after      none (PrepaidAmount 0)
//                              the bill-end discounts
//
// Every rounding is RoundDecimal to 2 places, half away from zero (negative amounts round
// like their magnitude). Nothing here shows a message: the result says when the form has to.
namespace PurchaseTotals {

enum class Kind { Bill, Order };

struct Line {
    bool hasProduct = true; // a line without product keeps the amounts it has and still counts
    double quantity = 0;
    double price = 0;
    QString discount;       // discount text ("10%5", "5/2", "20")
    double taxRate = 0;     // the line's own rate in percent
    // Results (for a line without product: its amounts as they stand).
    double total = 0;       // after the line discount; tax included when prices include it
    double discountAmt = 0;
    double productAmount = 0; // before tax
    double tax = 0;           // the line's tax (TaxTotal of the line data set)
};

struct Header {
    bool pricesExcludeTax = true; // Price_IE "E"; anything else includes tax
    double taxRate = 0;           // the document's rate: it alone computes the document tax
    double discRate[3] = {0, 0, 0};
    double discAmt[3] = {0, 0, 0}; // kept as typed where the rate is 0
    double prepaidAmount = 0;
    // The tax as the user typed it, kept while it differs from the computed one.
    bool taxAdjusted = false;
    double taxTotal = 0;
};

struct Result {
    double taxAmt = 0;       // taxed goods after the deposit
    double noTaxAmt = 0;     // untaxed goods after the deposit
    double taxCal = 0;       // tax as computed
    double taxTotal = 0;     // tax of the document: taxCal, or the hand-typed tax
    double total = 0;        // payable total, tax included
    double calculatedTotal = 0; // the total before a hand-typed tax moved it
    double sumDiscount = 0;
    double amountProduct = 0; // goods after the discounts, without tax
    double discRate[3] = {0, 0, 0};
    double discAmt[3] = {0, 0, 0};
    bool mixedDiscountsCleared = false; // taxed and untaxed goods: the discounts went to 0
    bool taxAdjusted = false;
    // The most a deposit may take off: the goods the deposit comes off (taxed goods when
    // there are any, else the untaxed ones) after the bill-end discounts, in the document's
    // prices. A deposit above it is refused.
    double maxPrepaid = 0;
    bool prepaidTooLarge = false;
    // A line whose discount text is not a number: nothing was computed or written; the text
    // and the piece of it that is not a number.
    int badLine = -1;
    QString badDiscount;
    QString badPiece;
    bool refused() const { return badLine >= 0 || prepaidTooLarge; }
};

// Text of the message shown when end-of-bill discounts meet taxed and untaxed goods.
QString MixedDiscountMessage();
// Caption of the tax-adjustment box: plain, or with the computed tax in parentheses.
QString TaxAdjustedCaption(bool adjusted, double taxCal);

// One line. A line without product is left as it is. Throws NkError for a discount text
// with a piece that is not a number.
void CalculateLine(Kind kind, bool pricesExcludeTax, double headerTaxRate, Line& line);

// The three discounts applied one after the other to x; a rate of 0 keeps its amount.
double CalDiscount(Kind kind, double x, const double rate[3], double amt[3]);

// Every line, then the document. Lines are updated in place. Percentage discounts work on the
// goods before the deposit is deducted: the deposit is money already paid, not a discount.
// A discount text that cannot be read stops the calculation before any line is changed
// (badLine); a deposit above the goods it comes off is computed but flagged.
Result CalculateAll(Kind kind, const Header& header, QVector<Line>& lines);

// The user left the tax field with `typedTax`: the result of the last calculation with the
// tax taken as typed (or back to the computed tax when the two read the same).
Result AdjustTax(Kind kind, const Result& last, double typedTax);

// Deposit deducted from a bill when the deposit is chosen and no amount is set yet.
double ProposedPrepaidAmount(bool pricesExcludeTax, double depositTotal, double depositTaxTotal,
                             double depositPaid, double depositTaxRate);

// A line total typed by hand on a line with a price (bills): the discount text that gives it
// (the amount off to 2 decimals, empty for none), or none when the line's present text
// already gives the typed total to the satang (or the quantity is 0).
std::optional<QString> DiscountForTypedTotal(double price, double quantity, const QString& discount, double typedTotal);

// A line total typed by hand where the line has no price (orders): a two-decimal price and an
// amount off, so that price x quantity less the amount gives the total. None for quantity 0.
struct DerivedPrice {
    double price = 0;
    double discount = 0; // amount, 2 decimals
};
std::optional<DerivedPrice> PriceForTypedTotal(double quantity, double typedTotal);

// What a stored bill adds to the landed cost of its import lot: its goods and services after
// the line and bill-end discounts, before the deposit (a deposit is a payment, not a lower
// cost); without VAT when the company reclaims it, with it when it does not.
struct StoredBill {
    bool pricesExcludeTax = true;
    double taxRate = 0;       // the bill's rate
    double taxedGoods = 0;    // sum of the line totals whose rate is above 0
    double untaxedGoods = 0;  // sum of the other line totals
    double discAmt[3] = {0, 0, 0};
    double taxCal = 0;        // as stored: the tax computed at save
    double taxTotal = 0;      // as stored: the tax of the bill, typed or computed
    bool taxReclaimable = true; // CanUseTax "Y"
};
struct BillCost {
    double counted = 0;   // 2 decimals
    double vatLeftOut = 0; // VAT of the whole bill that the company reclaims, 2 decimals
};
BillCost CostOfBill(const StoredBill& bill);

// The message for a deposit above what it may take off.
QString PrepaidTooLargeMessage(double maxPrepaid, bool thai);
// The message for a line whose discount text cannot be read (line numbers from 1).
QString BadDiscountMessage(int line, const QString& discount, const QString& piece, bool thai);

// ---- the same rules over the form's data sets -------------------------------------------------
// Column names shared by the bill and order line and header queries: line Product, Quantity,
// Price, Discount, TaxRate, Total, DiscountAmt, ProductAmount, TaxTotal; header Price_IE,
// TaxRate, DiscRate1..3, DiscAmt1..3, PrepaidAmount (when present), TaxAmt, NoTaxAmt, TaxCal,
// TaxTotal, Total. Lines are written without moving the cursor.
QVector<Line> ReadLines(const CachedDataSet& lines);
void WriteLines(CachedDataSet& lines, const QVector<Line>& values);
Header ReadHeader(const CachedDataSet& header, bool taxAdjusted);
void WriteHeader(CachedDataSet& header, const Result& r);

} // namespace PurchaseTotals
