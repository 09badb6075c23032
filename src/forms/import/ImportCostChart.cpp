#include "forms/import/ImportCostChart.h"
#include "data/Translation.h"

#include "data/NumberFormat.h"
#include "report/PageItems.h"
#include "report/ReportRenderer.h"
#include "report/ReportText.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <QCoreApplication>

QVector<ImportCostChartBar> ImportCostChartBars(const ImportCostResult& result)
{
    QVector<ImportCostChartBar> bars;
    bars.reserve(result.Rows.size());
    for (const ImportCostRow& r : result.Rows)
        bars.push_back({r.Code, r.ThaiName, r.Baht, r.Duty, r.Expense});
    return bars;
}

namespace ImportCostChart {

namespace {

constexpr qreal TitleHeight = 8, LineHeight = 6, Gap = 2, ScaleHeight = 6;

QFont chartFont(qreal points, bool bold = false)
{
    return PageItems::font(points, bold);
}

QString legend(int segment, bool thai)
{
    static const char* const texts[] = {QT_TRANSLATE_NOOP("ImportCostChart", "รวมเงิน(บาท)"),
                                        QT_TRANSLATE_NOOP("ImportCostChart", "อากร"),
                                        QT_TRANSLATE_NOOP("ImportCostChart", "ค่าใช้จ่าย")};
    return Translation::inLanguage(thai, "ImportCostChart", texts[segment]);
}

QString heading(const ImportCostChartTexts& t)
{
    if (!t.Heading.isEmpty())
        return t.Heading;
    const QString basis = CostBasisCaption(t.Basis, t.Thai);
    return Translation::inLanguage(t.Thai, "ImportCostChart",
                                   QT_TRANSLATE_NOOP("ImportCostChart", "ส่วนประกอบต้นทุนของสินค้าแต่ละรายการ (บาท)   ปันส่วนค่าใช้จ่ายตาม"))
           + (t.Thai ? basis : basis.toLower());
}

// A round step for about five divisions of the scale.
double scaleStep(double largest)
{
    if (!(largest > 0))
        return 1;
    const double raw = largest / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double n = raw / magnitude;
    return (n <= 1 ? 1 : n <= 2 ? 2 : n <= 5 ? 5 : 10) * magnitude;
}

} // namespace

QColor segmentColor(int segment)
{
    static const QColor colors[] = {QColor(0x4e, 0x79, 0xa7), QColor(0xf2, 0x8e, 0x2b), QColor(0x59, 0xa1, 0x4f)};
    return colors[qBound(0, segment, 2)];
}

qreal headRoom(const ImportCostChartTexts& texts)
{
    return (texts.Title.isEmpty() ? 0 : TitleHeight) + (texts.Condition.isEmpty() ? 0 : LineHeight) + 2 * LineHeight
           + Gap;
}

qreal footRoom()
{
    return ScaleHeight;
}

double largest(const QVector<ImportCostChartBar>& bars)
{
    double most = 0;
    for (const ImportCostChartBar& b : bars)
        most = std::max(most, std::max(b.Goods, 0.0) + std::max(b.Duty, 0.0) + std::max(b.Expense, 0.0));
    return most;
}

QList<PageItem> layout(const QVector<ImportCostChartBar>& bars, int first, int count, const QRectF& area,
                       double most, const ImportCostChartTexts& texts)
{
    QList<PageItem> items;
    qreal y = area.top();
    if (!texts.Title.isEmpty()) {
        PageItems::text(items, texts.Title, chartFont(14, true), QRectF(area.left(), y, area.width(), TitleHeight),
                Qt::AlignHCenter);
        y += TitleHeight;
    }
    if (!texts.Condition.isEmpty()) {
        PageItems::text(items, texts.Condition, chartFont(10), QRectF(area.left(), y, area.width(), LineHeight), Qt::AlignLeft);
        y += LineHeight;
    }
    PageItems::text(items, heading(texts), chartFont(10, true), QRectF(area.left(), y, area.width(), LineHeight), Qt::AlignLeft);
    y += LineHeight;
    const QFont legendFont = chartFont(8);
    qreal x = area.left();
    for (int s = 0; s < 3; ++s) {
        PageItems::rect(items, QRectF(x, y + 1.5, 3, 3), segmentColor(s));
        const QString text = legend(s, texts.Thai);
        const qreal w = PageItems::textWidth(text, legendFont);
        PageItems::text(items, text, legendFont, QRectF(x + 4.5, y, w + 1, LineHeight), Qt::AlignLeft);
        x += 4.5 + w + 8;
    }
    y += LineHeight + Gap;

    // Product names on the left, the bars in the middle, each bar's landed cost after it.
    const qreal labelWidth = std::min<qreal>(64, area.width() * 0.32);
    const qreal plotLeft = area.left() + labelWidth + 2;
    const qreal plotRight = std::max(plotLeft + 10, area.right() - 24);
    const double step = scaleStep(most);
    const double top = std::max(step, std::ceil(most / step) * step);
    const qreal mmPerBaht = (plotRight - plotLeft) / top;
    const qreal rowHeight =
        count > 0 ? std::clamp((area.bottom() - footRoom() - y) / count, RowHeight, MaxRowHeight) : RowHeight;
    const qreal plotTop = y;
    const qreal plotBottom = y + count * rowHeight;

    static const NumberPattern scaleFormat(QStringLiteral("#,##0"));
    static const NumberPattern amountFormat(QStringLiteral("#,##0.00"));
    const QFont scaleFont = chartFont(7);
    for (double v = 0; v <= top + step / 2; v += step) {
        const qreal gx = plotLeft + v * mmPerBaht;
        PageItems::line(items, QPointF(gx, plotTop), QPointF(gx, plotBottom), 0.25, QColor(0xd0, 0xd0, 0xd0));
        PageItems::text(items, scaleFormat.format(v), scaleFont, QRectF(gx - 15, plotBottom + 0.5, 30, ScaleHeight - 1),
                Qt::AlignHCenter, QColor(0x55, 0x55, 0x55));
    }
    PageItems::line(items, QPointF(plotLeft, plotTop), QPointF(plotLeft, plotBottom), 0.5, QColor(0x80, 0x80, 0x80));
    PageItems::line(items, QPointF(plotLeft, plotBottom), QPointF(plotRight, plotBottom), 0.5, QColor(0x80, 0x80, 0x80));

    const QFont labelFont = chartFont(8);
    const QFont amountFont = chartFont(7);
    for (int i = 0; i < count && first + i < bars.size(); ++i) {
        const ImportCostChartBar& b = bars[first + i];
        const qreal rowTop = plotTop + i * rowHeight;
        const QString label = !b.Label.isEmpty() ? b.Label
                                                 : b.Code.trimmed() + QStringLiteral("  ") + leftClusters(b.ThaiName.trimmed(), 30);
        PageItems::text(items, label, labelFont, QRectF(area.left(), rowTop, labelWidth, rowHeight), Qt::AlignLeft);
        qreal bx = plotLeft;
        const qreal barHeight = std::min<qreal>(rowHeight * 0.64, 6);
        const qreal barTop = rowTop + (rowHeight - barHeight) / 2;
        const double parts[] = {b.Goods, b.Duty, b.Expense};
        for (int s = 0; s < 3; ++s) {
            // A negative amount (a credit line) has no length to draw; its total says it.
            const qreal w = std::max(0.0, parts[s]) * mmPerBaht;
            if (w > 0)
                PageItems::rect(items, QRectF(bx, barTop, w, barHeight),
                                b.Faded ? segmentColor(s).lighter(150) : segmentColor(s));
            bx += w;
        }
        PageItems::text(items, amountFormat.format(b.total()), amountFont, QRectF(bx + 1.2, rowTop, 30, rowHeight),
                Qt::AlignLeft, QColor(0x33, 0x33, 0x33));
    }
    return items;
}

QList<ReportPage> pages(const QVector<ImportCostChartBar>& bars, const QSizeF& pageSize, const QMarginsF& margins,
                        const ImportCostChartTexts& texts)
{
    QList<ReportPage> out;
    const QRectF area(margins.left(), margins.top(), pageSize.width() - margins.left() - margins.right(),
                      pageSize.height() - margins.top() - margins.bottom());
    const int group = std::max(1, texts.BarsPerGroup);
    const int perPage = std::max(group, int((area.height() - headRoom(texts) - footRoom()) / RowHeight) / group * group);
    const double most = largest(bars);
    for (int first = 0; first < bars.size(); first += perPage) {
        ReportPage page;
        page.size = pageSize;
        // A page's rows are as tall as the room allows; the last page keeps the rows of the
        // others, so a bar is as thick on every page.
        const int count = std::min<int>(perPage, int(bars.size()) - first);
        QRectF room = area;
        if (bars.size() > perPage)
            room.setHeight(headRoom(texts) + count * RowHeight + footRoom());
        page.items = layout(bars, first, count, room, most, texts);
        out.append(page);
    }
    return out;
}

} // namespace ImportCostChart

ImportCostChartView::ImportCostChartView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ChCost"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void ImportCostChartView::setChart(const QVector<ImportCostChartBar>& bars, const ImportCostChartTexts& texts)
{
    m_bars = bars;
    m_texts = texts;
    m_dirty = true;
    setMinimumHeight(neededHeight());
    updateGeometry();
    update();
}

qreal ImportCostChartView::mmPerPixel() const
{
    return 25.4 / std::max(1, logicalDpiY());
}

int ImportCostChartView::neededHeight() const
{
    const qreal mm = 4 + ImportCostChart::headRoom(m_texts) + m_bars.size() * ImportCostChart::RowHeight
                     + ImportCostChart::footRoom() + 4;
    return int(std::ceil(mm / mmPerPixel()));
}

QSize ImportCostChartView::sizeHint() const
{
    return QSize(int(std::ceil(220 / mmPerPixel())), neededHeight());
}

const ReportPage& ImportCostChartView::page()
{
    if (m_dirty) {
        const qreal k = mmPerPixel();
        m_page.size = QSizeF(width() * k, height() * k);
        m_page.items = ImportCostChart::layout(m_bars, 0, int(m_bars.size()),
                                               QRectF(4, 4, m_page.size.width() - 8, m_page.size.height() - 8),
                                               ImportCostChart::largest(m_bars), m_texts);
        m_dirty = false;
    }
    return m_page;
}

void ImportCostChartView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_dirty = true;
}

void ImportCostChartView::paintEvent(QPaintEvent*)
{
    if (m_bars.isEmpty())
        return;
    QPainter p(this);
    ReportRenderer::render(&p, page(), QRectF(rect()));
}
