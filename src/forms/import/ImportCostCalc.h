#pragma once
#include <QString>
#include <QVector>

// The landed cost of the products of one import lot, computed from what the cost query and
// the expense query read. No database and no widget here: the result form and the tests call
// ComputeImportCost directly.

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
};

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

    bool isEmpty() const { return Rows.isEmpty(); }
    // True when the lot has expenses that could not be spread over its products.
    bool expensesLeftOut() const { return Spread == ExpenseSpread::None && LotExpense != 0 && !Rows.isEmpty(); }
};

// The three passes over the cost rows. lotExpense is the lot's total of expense bills and
// foreign miscellaneous payments (0 when there are none).
ImportCostResult ComputeImportCost(const QVector<ImportCostQueryRow>& rows, double lotExpense);

// A short note for the screen and the sheet when the expenses were not spread by value;
// empty in the normal case.
QString ImportCostSpreadNote(const ImportCostResult& result, bool thai);
