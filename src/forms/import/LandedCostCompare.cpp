#include "forms/import/LandedCostCompare.h"
#include "data/Translation.h"

#include "data/NumberFormat.h"
#include "forms/import/ImportCostModel.h"
#include "report/PageItems.h"
#include "report/ReportText.h"

#include <QColor>
#include <QFont>
#include <QCoreApplication>

using Comparison = LandedCostEstimate::Comparison;

namespace {
const QString PerUnit = QStringLiteral("#,##0.0000");
const QString Signed = QStringLiteral("+#,##0.0000;-#,##0.0000;0.0000");
const QString SignedPercent = QStringLiteral("+#,##0.00;-#,##0.00;0.00");

QString pick(bool thai, const char* text)
{
    return Translation::inLanguage(thai, "LandedCostCompare", text);
}

bool figure(int column)
{
    return column >= LandedCostCompareModel::Quantity && column <= LandedCostCompareModel::Expenses;
}
} // namespace

LandedCostCompareModel::LandedCostCompareModel(QObject* parent) : QAbstractTableModel(parent) {}

void LandedCostCompareModel::setRows(const QVector<Comparison>& rows, bool thai)
{
    beginResetModel();
    m_rows = rows;
    m_thai = thai;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int LandedCostCompareModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int LandedCostCompareModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString LandedCostCompareModel::title(int column, bool thai)
{
    switch (column) {
    case Code: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "รหัส"));
    case Name: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ชื่อสินค้า"));
    case Orders: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ใบสั่งซื้อ"));
    case Quantity: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "จำนวน"));
    case Estimated: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ประมาณการ/หน่วย"));
    case Actual: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "จริง/หน่วย"));
    case Difference: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ส่วนต่าง(บาท)"));
    case Percent: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ส่วนต่าง %"));
    case Rate: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "จากอัตราแลกเปลี่ยน"));
    case Price: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "จากราคาสินค้า"));
    case Duty: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "จากอากร"));
    case Expenses: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "จากค่าใช้จ่าย"));
    case Note: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "หมายเหตุ"));
    }
    return {};
}

QString LandedCostCompareModel::cell(const Comparison& c, int column, bool thai)
{
    const bool compared = c.State == Comparison::Status::Compared;
    switch (column) {
    case Code: return c.Code;
    case Name: return c.Name;
    case Orders: return c.Orders;
    case Quantity: return ImportCostModel::formatAmount(c.Quantity);
    case Estimated: return compared ? FormatFloat(PerUnit, c.Estimated) : QString();
    case Actual: return compared || c.Quantity != 0 ? FormatFloat(PerUnit, c.Actual) : QString();
    case Difference: return compared ? FormatFloat(Signed, c.Difference) : QString();
    case Percent: return compared && c.HasPercent ? FormatFloat(SignedPercent, c.Percent) + QLatin1Char('%') : QString();
    case Rate: return compared ? FormatFloat(Signed, c.Rate) : QString();
    case Price: return compared ? FormatFloat(Signed, c.Price) : QString();
    case Duty: return compared ? FormatFloat(Signed, c.DutyPart) : QString();
    case Expenses: return compared ? FormatFloat(Signed, c.ExpensePart) : QString();
    case Note:
        switch (c.State) {
        case Comparison::Status::NoEstimate: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ไม่ได้มาจากใบสั่งซื้อที่มีประมาณการ"));
        case Comparison::Status::NoQuantity: return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ไม่มีจำนวน เทียบไม่ได้"));
        case Comparison::Status::Compared:
            if (c.EstimateWithoutDuty)
                return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ประมาณการไม่รวมอากร"));
            if (!c.HasPercent)
                return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ประมาณการเป็น 0"));
            return {};
        }
    }
    return {};
}

QVariant LandedCostCompareModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Comparison& c = m_rows[index.row()];
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return cell(c, col, m_thai);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment((figure(col) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    case Qt::ForegroundRole: {
        // A cost above the estimate in red, below it in green.
        if (c.State != Comparison::Status::Compared || col < Difference || col > Expenses || col == Percent)
            return {};
        const double v = col == Difference ? c.Difference
                         : col == Rate     ? c.Rate
                         : col == Price    ? c.Price
                         : col == Duty     ? c.DutyPart
                                           : c.ExpensePart;
        if (v == 0)
            return {};
        return QColor(v > 0 ? QColor(0xb0, 0, 0) : QColor(0, 0x70, 0));
    }
    default:
        return {};
    }
}

QVariant LandedCostCompareModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return title(section, m_thai);
}

Qt::ItemFlags LandedCostCompareModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

namespace LandedCostCompare {

QString NothingToCompare(bool thai)
{
    return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ใบนำเข้าของล็อตนี้ไม่ได้รับสินค้าตามใบสั่งซื้อที่มีต้นทุนประมาณการ จึงไม่มีประมาณการให้เทียบ"));
}

QString Explanation(bool thai)
{
    return pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ส่วนต่างแยกทีละขั้นตามลำดับ อัตราแลกเปลี่ยน ราคาสินค้า อากร ค่าใช้จ่าย โดยแทนค่าประมาณการด้วยค่าจริงทีละค่า "
                "ผลรวมเท่ากับส่วนต่าง"));
}

QVector<ImportCostChartBar> Bars(const QVector<Comparison>& rows, bool thai)
{
    static const NumberPattern percent(SignedPercent);
    QVector<ImportCostChartBar> bars;
    for (const Comparison& c : rows) {
        if (c.State != Comparison::Status::Compared)
            continue;
        ImportCostChartBar estimate{c.Code, c.Name, c.EstGoods, c.EstDuty, c.EstExpense};
        estimate.Label = c.Code.trimmed() + QStringLiteral("  ") + leftClusters(c.Name.trimmed(), 22)
                         + pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "  ประมาณการ"));
        estimate.Faded = true;
        ImportCostChartBar actual{c.Code, c.Name, c.ActGoods, c.ActDuty, c.ActExpense};
        actual.Label = pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "จริง"))
                       + (c.HasPercent ? QStringLiteral(" (") + percent.format(c.Percent) + QStringLiteral("%)") : QString());
        bars << estimate << actual;
    }
    return bars;
}

ImportCostChartTexts ChartTexts(const QString& title, const QString& condition, bool thai)
{
    ImportCostChartTexts t;
    t.Title = title;
    t.Condition = condition;
    t.Thai = thai;
    t.Heading = pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ต้นทุนต่อหน่วยประมาณการเทียบจริง (บาท) แท่งจางคือประมาณการ"));
    t.BarsPerGroup = 2;
    return t;
}

QList<ReportPage> tablePages(const QVector<Comparison>& rows, const QSizeF& pageSize, const QMarginsF& margins,
                             const QString& title, const QString& condition, bool thai)
{
    // Columns in parts of the page's width: code, name, orders, quantity, estimated, actual,
    // difference, percent, the four causes, note.
    static const qreal parts[] = {0.06, 0.13, 0.09, 0.05, 0.08, 0.07, 0.075, 0.06, 0.085, 0.07, 0.055, 0.07, 0.105};
    PageItems::Table t;
    t.title = title;
    t.condition = condition;
    t.heading = pick(thai, QT_TRANSLATE_NOOP("LandedCostCompare", "ต้นทุนประมาณการเทียบจริงต่อหน่วย (บาท)"));
    for (int c = 0; c < LandedCostCompareModel::ColumnCount; ++c) {
        t.columns << LandedCostCompareModel::title(c, thai);
        t.parts << parts[c];
        t.right << figure(c);
    }
    for (const Comparison& r : rows) {
        QStringList cells;
        for (int c = 0; c < LandedCostCompareModel::ColumnCount; ++c)
            cells << (c == LandedCostCompareModel::Name ? leftClusters(LandedCostCompareModel::cell(r, c, thai), 24)
                                                        : LandedCostCompareModel::cell(r, c, thai));
        t.rows << cells;
    }
    t.note = Explanation(thai);
    t.points = 7.5;
    return PageItems::tablePages(t, pageSize, margins);
}

QList<ReportPage> pages(const QVector<Comparison>& rows, const QSizeF& pageSize, const QMarginsF& margins,
                        const QString& title, const QString& condition, bool thai)
{
    QList<ReportPage> out = tablePages(rows, pageSize, margins, title, condition, thai);
    out += ImportCostChart::pages(Bars(rows, thai), pageSize, margins, ChartTexts(title, condition, thai));
    return out;
}

} // namespace LandedCostCompare
