#include "forms/import/ImportCostCalc.h"
#include "data/Translation.h"

#include "data/Rounding.h"

#include "data/NumberFormat.h"
#include <QCoreApplication>

namespace {
// A text in the language the caller asked for.
QString say(bool thai, const char* text)
{
    return Translation::inLanguage(thai, "ImportCostCalc", text);
}

// Every figure of the cost sheet is decided on 18 significant digits.
constexpr int Digits = 18;
double Round2(double v) { return RoundDecimal(v, 2, Digits); }
double Round4(double v) { return RoundDecimal(v, 4, Digits); }

// True when the product lacks the figures of its own that the basis multiplies.
bool lacksBasisData(const ImportCostQueryRow& r, CostBasis basis)
{
    switch (basis) {
    case CostBasis::NetWeight: return !(r.NetWeight > 0);
    case CostBasis::GrossWeight: return !(r.GrossWeight > 0);
    case CostBasis::Volume: return !(r.SizeW > 0 && r.SizeL > 0 && r.SizeH > 0);
    default: return false;
    }
}

QString productLabel(const ImportCostQueryRow& r)
{
    return (r.Code.trimmed() + QLatin1Char(' ') + r.ThaiName.trimmed()).trimmed();
}
} // namespace

double CostBasisMeasure(const ImportCostQueryRow& r, CostBasis basis)
{
    double m = 0;
    switch (basis) {
    case CostBasis::Value: m = r.Baht; break;
    case CostBasis::StockQuantity: m = r.StockQuantity; break;
    case CostBasis::NetWeight: m = r.NetWeight * r.StockQuantity; break;
    case CostBasis::GrossWeight: m = r.GrossWeight * r.StockQuantity; break;
    case CostBasis::Volume: m = r.SizeW * r.SizeL * r.SizeH * r.StockQuantity; break;
    case CostBasis::Equal: m = 1; break;
    }
    // Kilograms of 0.008 x 1,800 units are 14.4, not their binary neighbour 14.3999...
    return RoundDecimal(m, 6, Digits);
}

ImportCostResult ComputeImportCost(const QVector<ImportCostQueryRow>& rows, double lotExpense, CostBasis basis)
{
    ImportCostResult result;
    result.LotExpense = lotExpense;
    result.Basis = basis;
    if (rows.isEmpty())
        return result;

    // A basis other than value needs its figure for every product, and a lot total above 0
    // to divide by; without them it is refused rather than giving a product no share.
    QVector<double> measures;
    double sumMeasure = 0;
    if (basis != CostBasis::Value) {
        measures.reserve(rows.size());
        for (const ImportCostQueryRow& in : rows) {
            if (lacksBasisData(in, basis))
                result.Missing.push_back(productLabel(in));
            measures.push_back(CostBasisMeasure(in, basis));
            sumMeasure += measures.back();
        }
        if (result.Missing.isEmpty() && !(sumMeasure > 0))
            for (int i = 0; i < rows.size(); ++i)
                if (!(measures[i] > 0))
                    result.Missing.push_back(productLabel(rows[i]));
        if (!result.Missing.isEmpty()) {
            result.Refused = true;
            return result;
        }
    }

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
    if (basis != CostBasis::Value)
        result.Spread = ExpenseSpread::ByBasis;
    else if (result.SumBaht != 0)
        result.Spread = ExpenseSpread::ByValue;
    else if (sumQuantity != 0)
        result.Spread = ExpenseSpread::ByQuantity;
    else
        result.Spread = ExpenseSpread::None;
    for (int i = 0; i < result.Rows.size(); ++i) {
        ImportCostRow& r = result.Rows[i];
        double share = 0;
        switch (result.Spread) {
        case ExpenseSpread::ByValue: share = r.Baht * 100 / result.SumBaht; break;
        case ExpenseSpread::ByBasis: share = measures[i] * 100 / sumMeasure; break;
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
    case ExpenseSpread::ByBasis:
        return {};
    case ExpenseSpread::ByQuantity:
        return say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "มูลค่าสินค้าเป็นเงินบาทของ Lot นี้เป็น 0 จึงเฉลี่ยค่าใช้จ่ายตามจำนวน"));
    case ExpenseSpread::None:
        if (result.LotExpense == 0)
            return {};
        {
            const QString amount = FormatFloat(QStringLiteral("#,##0.00"), result.LotExpense);
            return say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "มูลค่าและจำนวนสินค้าของ Lot นี้เป็น 0 จึงไม่ได้เฉลี่ยค่าใช้จ่าย %1 บาท"))
                .arg(amount);
        }
    }
    return {};
}

QString CostBasisCaption(CostBasis basis, bool thai)
{
    switch (basis) {
    case CostBasis::Value: return say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "มูลค่าสินค้า (บาท)"));
    case CostBasis::StockQuantity:
        return say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "จำนวนในหน่วยสต๊อก"));
    case CostBasis::NetWeight: return say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "น้ำหนักสุทธิ"));
    case CostBasis::GrossWeight: return say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "น้ำหนักรวม"));
    case CostBasis::Volume: return say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "ปริมาตร"));
    case CostBasis::Equal: return say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "เท่ากันทุกสินค้า"));
    }
    return {};
}

// Printed on the cost sheet, whose layout is Thai.
QString CostBasisSheetNote(CostBasis basis)
{
    QString how;
    switch (basis) {
    case CostBasis::Value: how = QStringLiteral("ตามมูลค่าสินค้าเป็นบาท"); break;
    case CostBasis::StockQuantity: how = QStringLiteral("ตามจำนวนในหน่วยสต๊อก"); break;
    case CostBasis::NetWeight: how = QStringLiteral("ตามน้ำหนักสุทธิ"); break;
    case CostBasis::GrossWeight: how = QStringLiteral("ตามน้ำหนักรวม"); break;
    case CostBasis::Volume: how = QStringLiteral("ตามปริมาตร (กว้าง x ยาว x สูง)"); break;
    case CostBasis::Equal: how = QStringLiteral("เท่ากันทุกรายการสินค้า"); break;
    }
    return QStringLiteral("ค่าใช้จ่ายนำเข้าปันส่วน") + how
           + QStringLiteral(" ปัดเศษทีละรายการ ยอดรวมค่าใช้จ่ายอาจต่างจากยอดค่าใช้จ่ายของล็อตได้เล็กน้อย");
}

QString CostBasisRefusal(const ImportCostResult& result, bool thai)
{
    if (!result.Refused)
        return {};
    // A long list is cut: the first products show what is missing, the count the rest.
    constexpr int Listed = 15;
    QStringList names = result.Missing.mid(0, Listed);
    const int more = int(result.Missing.size()) - int(names.size());
    if (more > 0)
        names << say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "และอีก %1 รายการ")).arg(more);
    const QString what = CostBasisCaption(result.Basis, thai);
    return say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "ปันส่วนค่าใช้จ่ายตาม%1ไม่ได้ สินค้าต่อไปนี้ไม่มีข้อมูล%1\n%2"))
        .arg(thai ? what : what.toLower(), names.join(QLatin1Char('\n')));
}

QVector<ImportCostComparison> CompareImportCost(const ImportCostResult& byValue, const ImportCostResult& byBasis)
{
    QVector<ImportCostComparison> out;
    if (byValue.Rows.size() != byBasis.Rows.size())
        return out;
    out.reserve(byValue.Rows.size());
    for (int i = 0; i < byValue.Rows.size(); ++i) {
        const ImportCostRow& v = byValue.Rows[i];
        const ImportCostRow& b = byBasis.Rows[i];
        ImportCostComparison c;
        c.Code = v.Code;
        c.ThaiName = v.ThaiName;
        c.Quantity = v.Quantity;
        c.HasCost = v.HasCost && b.HasCost;
        c.ValueCost = v.Cost;
        c.BasisCost = b.Cost;
        c.Difference = c.HasCost ? Round4(b.Cost - v.Cost) : 0;
        out.push_back(c);
    }
    return out;
}

QString LotExpenseDocumentKind(LotExpenseDocument::Kind kind, bool thai)
{
    switch (kind) {
    case LotExpenseDocument::Kind::CreditBill:
        return say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "ค่าใช้จ่ายเงินเชื่อ"));
    case LotExpenseDocument::Kind::CashBill:
        return say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "ค่าใช้จ่ายเงินสด"));
    case LotExpenseDocument::Kind::ForeignPayment:
        return say(thai, QT_TRANSLATE_NOOP("ImportCostCalc", "จ่ายเบ็ดเตล็ดต่างประเทศ"));
    }
    return {};
}

double LotExpenseTotal(const QVector<LotExpenseDocument>& documents)
{
    double sum = 0;
    for (const LotExpenseDocument& d : documents)
        sum += d.Counted;
    return RoundDecimal(sum, 2, 18);
}
