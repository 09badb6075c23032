#include "forms/import/ImportCostCalc.h"

#include "data/Rounding.h"

#include "data/NumberFormat.h"

namespace {
// Every figure of the cost sheet is decided on 18 significant digits.
constexpr int Digits = 18;
double Round2(double v) { return RoundDecimal(v, 2, Digits); }
double Round4(double v) { return RoundDecimal(v, 4, Digits); }
} // namespace

ImportCostResult ComputeImportCost(const QVector<ImportCostQueryRow>& rows, double lotExpense)
{
    ImportCostResult result;
    result.LotExpense = lotExpense;
    if (rows.isEmpty())
        return result;

    // First pass: price, baht value and duty to 2 decimals; the value totals.
    result.Rows.reserve(rows.size());
    double sumQuantity = 0;
    for (const ImportCostQueryRow& in : rows) {
        ImportCostRow r;
        r.Code = in.Code;
        r.Id = in.Id;
        r.ThaiName = in.ThaiName;
        r.Quantity = in.Quantity;
        r.Price = Round2(in.Price);
        r.Total = in.Total;
        r.Baht = Round2(in.Baht);
        r.Duty = Round2(in.Duty);
        result.SumTotal += r.Total;
        result.SumBaht += r.Baht;
        result.SumDuty += r.Duty;
        sumQuantity += r.Quantity;
        result.Rows.push_back(r);
    }

    // Second pass: each product's share of the lot's expenses, by its part of the lot's baht
    // value. A lot whose baht value is 0 gives no shares by value (the share would divide by
    // 0); its expenses are then spread by quantity, and when the quantities also sum to 0
    // nothing is spread and the result says so.
    if (result.SumBaht != 0)
        result.Spread = ExpenseSpread::ByValue;
    else if (sumQuantity != 0)
        result.Spread = ExpenseSpread::ByQuantity;
    else
        result.Spread = ExpenseSpread::None;
    for (ImportCostRow& r : result.Rows) {
        double share = 0;
        switch (result.Spread) {
        case ExpenseSpread::ByValue: share = r.Baht * 100 / result.SumBaht; break;
        case ExpenseSpread::ByQuantity: share = r.Quantity * 100 / sumQuantity; break;
        case ExpenseSpread::None: share = 0; break;
        }
        r.Expense = Round2(lotExpense * share / 100);
        result.SumExpense += r.Expense;
    }

    // Third pass: landed cost and cost per unit. A product whose quantities sum to 0 has a
    // landed cost but no cost per unit.
    for (ImportCostRow& r : result.Rows) {
        r.TotalCost = Round2(r.Expense + (r.Duty + r.Baht));
        r.HasCost = r.Quantity != 0;
        r.Cost = r.HasCost ? Round4(r.TotalCost / r.Quantity) : 0;
        result.SumTotalCost += r.TotalCost;
    }
    return result;
}

QString ImportCostSpreadNote(const ImportCostResult& result, bool thai)
{
    if (result.Rows.isEmpty())
        return {};
    switch (result.Spread) {
    case ExpenseSpread::ByValue:
        return {};
    case ExpenseSpread::ByQuantity:
        return thai ? QStringLiteral("มูลค่าสินค้าเป็นเงินบาทของ Lot นี้เป็น 0 จึงเฉลี่ยค่าใช้จ่ายตามจำนวน")
                    : QStringLiteral("The lot's goods value in baht is 0, so expenses are spread by quantity.");
    case ExpenseSpread::None:
        if (result.LotExpense == 0)
            return {};
        {
            const QString amount = FormatFloat(QStringLiteral("#,##0.00"), result.LotExpense);
            return thai ? QStringLiteral("มูลค่าและจำนวนสินค้าของ Lot นี้เป็น 0 จึงไม่ได้เฉลี่ยค่าใช้จ่าย %1 บาท").arg(amount)
                        : QStringLiteral("The lot's goods value and quantity are 0, so expenses of %1 baht are not spread.")
                              .arg(amount);
        }
    }
    return {};
}
