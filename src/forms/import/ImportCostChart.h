#pragma once
#include "forms/import/ImportCostCalc.h"
#include "report/ReportPage.h"

#include <QMarginsF>
#include <QWidget>

// The make-up of each product's landed cost as a picture: per product one horizontal bar of
// goods value, duty and expenses in baht, stacked. The chart is laid out once as prepared
// report items in millimetres, so the result form and the PDF export draw the same picture
// through the report renderer (vector shapes, text that can be searched in the PDF).

// One bar: the baht columns of the product's row on the sheet.
struct ImportCostChartBar {
    QString Code;
    QString ThaiName;
    double Goods = 0;   // the Baht column
    double Duty = 0;    // the Duty column
    double Expense = 0; // the Expense column
    QString Label;      // printed instead of code and name when set
    bool Faded = false; // drawn in lighter colours (an estimate beside the actual)
    double total() const { return Goods + Duty + Expense; }
};
QVector<ImportCostChartBar> ImportCostChartBars(const ImportCostResult& result);

// The texts printed with the chart; empty ones are left out.
struct ImportCostChartTexts {
    QString Title;     // the sheet's title
    QString Condition; // the sheet's lot line
    CostBasis Basis = CostBasis::Value;
    bool Thai = true;
    QString Heading;      // in place of the make-up sentence with the basis when set
    int BarsPerGroup = 1; // bars that belong together stay on one page
};

namespace ImportCostChart {

// Each product takes a row of RowHeight mm, more (up to MaxRowHeight) where the room allows.
constexpr qreal RowHeight = 6;
constexpr qreal MaxRowHeight = 12;

// The colours of goods value, duty and expenses.
QColor segmentColor(int segment);
// The room the texts and legend above the bars and the scale under them take (mm).
qreal headRoom(const ImportCostChartTexts& texts);
qreal footRoom();
// The bars [first, first + count) laid out in `area` (mm), every bar on a scale of 0 to at
// least `largest` baht, so the pages of one lot compare; rows as tall as `area` allows between
// RowHeight and MaxRowHeight.
QList<PageItem> layout(const QVector<ImportCostChartBar>& bars, int first, int count, const QRectF& area,
                       double largest, const ImportCostChartTexts& texts);
// The chart as pages of the given size and margins, as many as the products need.
QList<ReportPage> pages(const QVector<ImportCostChartBar>& bars, const QSizeF& pageSize, const QMarginsF& margins,
                        const ImportCostChartTexts& texts);
// The largest landed cost among the bars (0 for none).
double largest(const QVector<ImportCostChartBar>& bars);

} // namespace ImportCostChart

// The chart on screen: as wide as the widget, as tall as its products need (it sits in a
// scroll area).
class ImportCostChartView : public QWidget {
    Q_OBJECT
public:
    explicit ImportCostChartView(QWidget* parent = nullptr);

    void setChart(const QVector<ImportCostChartBar>& bars, const ImportCostChartTexts& texts);
    const QVector<ImportCostChartBar>& bars() const { return m_bars; }
    // The page drawn at the widget's present size.
    const ReportPage& page();

    QSize sizeHint() const override;
    // The height the products need at the smallest rows.
    int neededHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    qreal mmPerPixel() const;
    QVector<ImportCostChartBar> m_bars;
    ImportCostChartTexts m_texts;
    ReportPage m_page;
    bool m_dirty = true;
};
