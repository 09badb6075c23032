#include "forms/import/ImportCostModel.h"
#include "data/Translation.h"

#include "data/NumberFormat.h"

#include <QColor>
#include <QCoreApplication>

namespace {
// A text in the language the caller asked for (printed pages are Thai whatever the user's).
QString say(bool thai, const char* text)
{
    return Translation::inLanguage(thai, "ImportCostModel", text);
}
} // namespace


ImportCostModel::ImportCostModel(QObject* parent) : QAbstractTableModel(parent) {}

void ImportCostModel::setResult(const ImportCostResult& result, const QString& currency)
{
    beginResetModel();
    m_result = result;
    m_currency = currency;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int ImportCostModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_result.Rows.size());
}

int ImportCostModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ImportCostModel::formatAmount(double value)
{
    // Rounded on the value's decimal text like every figure of the sheet, so a cost per unit
    // of 204.165 shows as 204.17 and not as its binary neighbour 204.16.
    static const NumberPattern pattern(QStringLiteral("#,##0.00"));
    return pattern.format(value);
}

QVariant ImportCostModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ImportCostRow& r = m_result.Rows[index.row()];
    const int col = index.column();
    double value = 0;
    switch (col) {
    case Code:
    case ThaiName:
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return col == Code ? r.Code : r.ThaiName;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return {};
    case Quantity: value = r.Quantity; break;
    case Price: value = r.Price; break;
    case Total: value = r.Total; break;
    case Baht: value = r.Baht; break;
    case Duty: value = r.Duty; break;
    case Expense: value = r.Expense; break;
    case TotalCost: value = r.TotalCost; break;
    case Cost: value = r.Cost; break;
    default: return {};
    }
    // A product without quantity has no cost per unit: its cell stays empty.
    const bool blank = col == Cost && !r.HasCost;
    switch (role) {
    case Qt::DisplayRole:
        return blank ? QString() : formatAmount(value);
    case Qt::EditRole:
        return blank ? QVariant() : QVariant(value);
    case Qt::ToolTipRole:
        // The cost per unit is computed to 4 decimals; the cell shows 2.
        if (col == Cost && !blank)
            return FormatFloat(QStringLiteral("#,##0.0000"), value);
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant ImportCostModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString cur = m_currency;
    switch (section) {
    case Code: return QCoreApplication::translate("ImportCostModel", "รหัส");
    case ThaiName: return QCoreApplication::translate("ImportCostModel", "ชื่อสินค้า");
    case Quantity: return QCoreApplication::translate("ImportCostModel", "จำนวน");
    case Price: return QCoreApplication::translate("ImportCostModel", "ราคา/หน่วย(") + cur + QLatin1Char(')');
    case Total: return QCoreApplication::translate("ImportCostModel", "รวมเงิน(") + cur + QLatin1Char(')');
    case Baht: return QCoreApplication::translate("ImportCostModel", "รวมเงิน(บาท)");
    case Duty: return QCoreApplication::translate("ImportCostModel", "อากร");
    case Expense: return QCoreApplication::translate("ImportCostModel", "ค่าใช้จ่าย");
    case TotalCost: return QCoreApplication::translate("ImportCostModel", "ราคารวม");
    case Cost: return QCoreApplication::translate("ImportCostModel", "ต้นทุน/หน่วย(บาท)");
    }
    return {};
}

Qt::ItemFlags ImportCostModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable; // read-only
}

QString ImportCostModel::fieldName(int column)
{
    static const char* names[] = {"Code", "ThaiName", "Quantity", "Price", "Total",
                                  "Baht", "Duty", "Expense", "TotalCost", "Cost"};
    return column >= 0 && column < ColumnCount ? QString::fromLatin1(names[column]) : QString();
}

int ImportCostModel::widthChars(int column)
{
    static const int widths[] = {10, 30, 10, 8, 12, 12, 12, 10, 12, 10};
    return column >= 0 && column < ColumnCount ? widths[column] : 0;
}

QString ImportCostModel::footerText(int column) const
{
    if (m_result.Rows.isEmpty())
        return {};
    switch (column) {
    case Total: return formatAmount(m_result.SumTotal);
    case Baht: return formatAmount(m_result.SumBaht);
    case Duty: return formatAmount(m_result.SumDuty);
    case Expense: return formatAmount(m_result.SumExpense);
    case TotalCost: return formatAmount(m_result.SumTotalCost);
    default: return {};
    }
}

ImportCostCompareModel::ImportCostCompareModel(QObject* parent) : QAbstractTableModel(parent) {}

void ImportCostCompareModel::setComparison(const QVector<ImportCostComparison>& rows, CostBasis basis, bool thai)
{
    beginResetModel();
    m_rows = rows;
    m_basis = basis;
    m_thai = thai;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int ImportCostCompareModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ImportCostCompareModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ImportCostCompareModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ImportCostComparison& r = m_rows[index.row()];
    const int col = index.column();
    if (col == Code || col == ThaiName) {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return col == Code ? r.Code : r.ThaiName;
        return {};
    }
    double value = 0;
    switch (col) {
    case Quantity: value = r.Quantity; break;
    case ValueCost: value = r.ValueCost; break;
    case BasisCost: value = r.BasisCost; break;
    case Difference: value = r.Difference; break;
    default: return {};
    }
    // Costs per unit are compared on their 4 computed decimals: a split changes them by
    // satang and less. A product without quantity has none to compare.
    const bool blank = col != Quantity && !r.HasCost;
    switch (role) {
    case Qt::DisplayRole:
        if (blank)
            return QString();
        if (col == Quantity)
            return ImportCostModel::formatAmount(value);
        return FormatFloat(col == Difference ? QStringLiteral("+#,##0.0000;-#,##0.0000;0.0000")
                                             : QStringLiteral("#,##0.0000"),
                           value);
    case Qt::EditRole:
        return blank ? QVariant() : QVariant(value);
    case Qt::ForegroundRole:
        if (col == Difference && !blank && value != 0)
            return QColor(value > 0 ? QColor(0xb0, 0, 0) : QColor(0, 0x70, 0));
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant ImportCostCompareModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    const bool t = m_thai;
    switch (section) {
    case Code: return say(t, QT_TRANSLATE_NOOP("ImportCostModel", "รหัส"));
    case ThaiName: return say(t, QT_TRANSLATE_NOOP("ImportCostModel", "ชื่อสินค้า"));
    case Quantity: return say(t, QT_TRANSLATE_NOOP("ImportCostModel", "จำนวน"));
    case ValueCost:
        return (say(t, QT_TRANSLATE_NOOP("ImportCostModel", "ต้นทุน/หน่วย ตาม")))
               + CostBasisCaption(CostBasis::Value, t);
    case BasisCost:
        return (say(t, QT_TRANSLATE_NOOP("ImportCostModel", "ต้นทุน/หน่วย ตาม"))) + CostBasisCaption(m_basis, t);
    case Difference: return say(t, QT_TRANSLATE_NOOP("ImportCostModel", "ผลต่าง"));
    }
    return {};
}

Qt::ItemFlags ImportCostCompareModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
