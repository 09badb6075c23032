#include "report/PageItems.h"

#include "report/ReportLayout.h"
#include "report/ReportPrepare.h"

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

} // namespace PageItems
