#include "report/PageItems.h"

#include "report/ReportLayout.h"
#include "report/ReportPrepare.h"

#include <algorithm>

namespace PageItems {

QFont font(qreal points, bool bold)
{
    ReportFont f;
    f.size = points;
    f.bold = bold;
    return reportQFont(f, ReportFont());
}

void text(QList<PageItem>& items, const QString& text, const QFont& font, const QRectF& box, Qt::Alignment align,
          const QColor& color)
{
    if (text.isEmpty())
        return;
    const QList<ReportTextLine> lines = layoutReportText(text, font, box.width(), false);
    if (lines.isEmpty())
        return;
    const ReportTextLine& l = lines.first();
    qreal x = box.left();
    if (align & Qt::AlignRight)
        x = box.right() - l.width;
    else if (align & Qt::AlignHCenter)
        x = box.left() + (box.width() - l.width) / 2;
    const qreal top = box.top() + (box.height() - l.height) / 2;
    PageItem t;
    t.kind = PageItem::Kind::Text;
    t.text = l.text;
    t.font = font;
    t.color = color;
    t.baseline = QPointF(x, top + l.ascent);
    t.rect = QRectF(x, top, l.width, l.height);
    t.cell = box;
    items.append(t);
}

void rect(QList<PageItem>& items, const QRectF& r, const QColor& fill)
{
    PageItem i;
    i.kind = PageItem::Kind::Rect;
    i.rect = r;
    i.brush = fill;
    items.append(i);
}

void line(QList<PageItem>& items, const QPointF& a, const QPointF& b, qreal width, const QColor& color)
{
    PageItem i;
    i.kind = PageItem::Kind::Line;
    i.p1 = a;
    i.p2 = b;
    i.penWidth = width;
    i.penColor = color;
    items.append(i);
}

qreal textWidth(const QString& text, const QFont& font)
{
    return layoutReportText(text, font, 1000, false).value(0).width;
}

QList<ReportPage> tablePages(const Table& t, const QSizeF& pageSize, const QMarginsF& margins)
{
    constexpr qreal TitleHeight = 8, LineHeight = 6, RowHeight = 5.5;
    const QRectF area(margins.left(), margins.top(), pageSize.width() - margins.left() - margins.right(),
                      pageSize.height() - margins.top() - margins.bottom());
    const qreal head = (t.title.isEmpty() ? 0 : TitleHeight) + (t.condition.isEmpty() ? 0 : LineHeight) + 2 * LineHeight;
    const qreal foot = 2 * RowHeight + LineHeight;
    const int perPage = std::max(1, int((area.height() - head - foot) / RowHeight));
    const QFont titleFont = font(14, true);
    const QFont lineFont = font(10);
    const QFont boldFont = font(t.points, true);
    const QFont rowFont = font(t.points);

    auto row = [&](QList<PageItem>& items, qreal y, const QStringList& cells, const QFont& f) {
        qreal x = area.left();
        for (int c = 0; c < t.parts.size(); ++c) {
            const qreal w = area.width() * t.parts[c];
            if (c < cells.size())
                text(items, cells[c], f, QRectF(x + 1, y, w - 2, RowHeight),
                     c < t.right.size() && t.right[c] ? Qt::AlignRight : Qt::AlignLeft);
            x += w;
        }
    };

    QList<ReportPage> out;
    const int count = int(t.rows.size());
    for (int first = 0; first == 0 || first < count; first += perPage) {
        ReportPage page;
        page.size = pageSize;
        QList<PageItem>& items = page.items;
        qreal y = area.top();
        if (!t.title.isEmpty()) {
            text(items, t.title, titleFont, QRectF(area.left(), y, area.width(), TitleHeight), Qt::AlignHCenter);
            y += TitleHeight;
        }
        if (!t.condition.isEmpty()) {
            text(items, t.condition, lineFont, QRectF(area.left(), y, area.width(), LineHeight), Qt::AlignLeft);
            y += LineHeight;
        }
        text(items, t.heading, lineFont, QRectF(area.left(), y, area.width(), LineHeight), Qt::AlignLeft);
        y += LineHeight;
        row(items, y, t.columns, boldFont);
        y += LineHeight;
        line(items, QPointF(area.left(), y), QPointF(area.right(), y), 0.5, Qt::black);
        for (int i = first; i < std::min(count, first + perPage); ++i) {
            row(items, y, t.rows[i], rowFont);
            y += RowHeight;
        }
        if (first + perPage >= count) {
            if (!t.total.isEmpty()) {
                line(items, QPointF(area.left(), y), QPointF(area.right(), y), 0.5, Qt::black);
                row(items, y, t.total, boldFont);
                y += RowHeight + 1;
            }
            text(items, t.note, rowFont, QRectF(area.left(), y, area.width(), LineHeight), Qt::AlignLeft);
        }
        out.append(page);
    }
    return out;
}

} // namespace PageItems
