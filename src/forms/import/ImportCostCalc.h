#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// The landed cost of the products of one import lot, computed from what the cost query and
// the expense query read. No database and no widget here: the result form and the tests call
// ComputeImportCost directly.

// What the lot's expenses are split by. Value is the cost sheet's own rule and the default;
// the others are options an accountant may choose for one costing.
enum class CostBasis {
    Value,         // baht value of the goods
    StockQuantity, // line quantity x the unit's fraction (small units)
    NetWeight,     // product net weight x stock quantity
    GrossWeight,   // product gross weight x stock quantity
    Volume,        // Size_W x Size_L x Size_H x stock quantity
    Equal          // the same share for every product
};
inline constexpr CostBasis AllCostBases[] = {CostBasis::Value,       CostBasis::StockQuantity, CostBasis::NetWeight,
                                             CostBasis::GrossWeight, CostBasis::Volume,        CostBasis::Equal};

// One row of the cost query: one product of the lot.
struct ImportCostQueryRow {
    QString Code;
    qint64 Id = 0;
    QString ThaiName;
    double Quantity = 0; // sum of the line quantities, units as entered
    double Price = 0;    // average price in the lot currency (0 when the quantities sum to 0)
    double Total = 0;    // goods value in the lot currency
    double Baht = 0;     // goods value in baht, each line at its own document's rate
    double Duty = 0;     // duty in baht (0 when the lot has none for the product)
    // Read only for the bases other than value: the quantity in small units and the
    // product's own figures per small unit (0 when not entered).
    double StockQuantity = 0;
    double NetWeight = 0;
    double GrossWeight = 0;
    double SizeW = 0, SizeL = 0, SizeH = 0;
};

// One document that adds to the lot's expenses: a credit or cash expense bill, or a foreign
// miscellaneous payment. Counted is what it adds to the landed cost (goods and services after
// discounts, before any deposit, without the VAT the company reclaims); VatLeftOut is that
// reclaimed VAT, shown so the figure ties to the document's total.
struct LotExpenseDocument {
    enum class Kind { CreditBill, CashBill, ForeignPayment };
    Kind DocKind = Kind::CreditBill;
    qint64 Id = 0;
    QString Number;
    QString Date;       // dd/MM/yyyy
    QString VendorCode;
    QString VendorName;
    double Counted = 0;    // 2 decimals
    double VatLeftOut = 0; // 2 decimals
};
// The kind as the list names it ("ค่าใช้จ่ายเงินเชื่อ" / "Expense on credit").
QString LotExpenseDocumentKind(LotExpenseDocument::Kind kind, bool thai);
// The sum of what the documents add: the lot's expenses.
double LotExpenseTotal(const QVector<LotExpenseDocument>& documents);

// One computed row of the cost sheet.
struct ImportCostRow {
    QString Code;
    qint64 Id = 0;
    QString ThaiName;
    double Quantity = 0;
    double Price = 0;     // 2 decimals
    double Total = 0;     // as summed
    double Baht = 0;      // 2 decimals
    double Duty = 0;      // 2 decimals
    double Expense = 0;   // the row's share of the lot's expenses, 2 decimals
    double TotalCost = 0; // Expense + Duty + Baht, 2 decimals
    double Cost = 0;      // TotalCost per unit, 4 decimals; 0 when HasCost is false
    bool HasCost = true;  // false when the quantities sum to 0: there is no cost per unit
};

// How the lot's expenses were spread over the products.
enum class ExpenseSpread {
    ByValue,    // in proportion to each product's baht value (the normal case)
    ByBasis,    // by the basis chosen instead of value
    ByQuantity, // the lot's baht value is 0: in proportion to the quantities
    None        // neither value nor quantity gives a basis: nothing is spread
};

struct ImportCostResult {
    QVector<ImportCostRow> Rows;
    // Footer: sums of the rows as shown.
    double SumTotal = 0;
    double SumBaht = 0;
    double SumDuty = 0;
    double SumExpense = 0;   // may differ from LotExpense by a few satang (each share is rounded)
    double SumTotalCost = 0;
    double LotExpense = 0;   // the lot's expenses as read
    ExpenseSpread Spread = ExpenseSpread::ByValue;
    CostBasis Basis = CostBasis::Value;
    // A basis other than value is refused when a product lacks the data it needs (no weight,
    // no size) or the lot's total of it is 0: the sheet then has no rows, and Missing names
    // the products ("code name") that lack it.
    bool Refused = false;
    QStringList Missing;

    bool isEmpty() const { return Rows.isEmpty(); }
    // True when the lot has expenses that could not be spread over its products.
    bool expensesLeftOut() const { return Spread == ExpenseSpread::None && LotExpense != 0 && !Rows.isEmpty(); }
};

// The three passes over the cost rows. lotExpense is the lot's total of expense bills and
// foreign miscellaneous payments (0 when there are none). The second pass shares the expenses
// by the basis; every rounding is the same for all of them.
ImportCostResult ComputeImportCost(const QVector<ImportCostQueryRow>& rows, double lotExpense,
                                   CostBasis basis = CostBasis::Value);

// A product's part of the lot under a basis other than value (1 for equal), to 6 decimals.
double CostBasisMeasure(const ImportCostQueryRow& row, CostBasis basis);
// The basis as the screens name it ("น้ำหนักสุทธิ" / "Net weight").
QString CostBasisCaption(CostBasis basis, bool thai);
// The cost sheet's sentence on how the expenses were split; for value it is the sheet's
// original text.
QString CostBasisSheetNote(CostBasis basis);
// The message for a refused basis, naming the products that lack its data.
QString CostBasisRefusal(const ImportCostResult& result, bool thai);

// Per-unit cost of each product under the value basis beside another basis of the same lot.
struct ImportCostComparison {
    QString Code;
    QString ThaiName;
    double Quantity = 0;
    double ValueCost = 0; // 4 decimals
    double BasisCost = 0; // 4 decimals
    double Difference = 0; // BasisCost - ValueCost
    bool HasCost = true;   // false when the quantities sum to 0
};
// Both results come from the same rows, so they list the same products in the same order.
QVector<ImportCostComparison> CompareImportCost(const ImportCostResult& byValue, const ImportCostResult& byBasis);

// A short note for the screen and the sheet when the expenses were not spread by value;
// empty in the normal case.
QString ImportCostSpreadNote(const ImportCostResult& result, bool thai);
