#include "report/ReportRenderer.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

namespace {
QPen makePen(const PageItem& i, qreal pxPerPt)
{
    if (i.penWidth <= 0) return Qt::NoPen;
    QPen pen(i.penColor, std::max<qreal>(i.penWidth * pxPerPt, 0.5), i.penStyle);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}
}  // namespace

void ReportRenderer::render(QPainter* painter, const ReportPage& page, const QRectF& target, const QString& highlight)
{
    if (page.size.isEmpty()) return;
    const qreal sx = target.width() / page.size.width();
    const qreal sy = target.height() / page.size.height();
    const qreal pxPerPt = sy * 25.4 / 72.0;
    auto map = [&](const QPointF& p) { return QPointF(target.left() + p.x() * sx, target.top() + p.y() * sy); };
    auto mapRect = [&](const QRectF& r) { return QRectF(map(r.topLeft()), QSizeF(r.width() * sx, r.height() * sy)); };
    const qreal deviceDpi = painter->device() ? painter->device()->logicalDpiY() : 96;

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const PageItem& i : page.items) {
        switch (i.kind) {
        case PageItem::Kind::Text: {
            QFont f = i.font;
            // The run's point size is on paper; the device draws it at the page's scale.
            f.setPointSizeF(std::max<qreal>(i.font.pointSizeF() * pxPerPt * 72.0 / deviceDpi, 0.1));
            f.setHintingPreference(QFont::PreferNoHinting);
            if (!highlight.isEmpty() && i.text.contains(highlight, Qt::CaseInsensitive))
                painter->fillRect(mapRect(i.rect), QColor(255, 230, 0, 160));
            painter->setFont(f);
            painter->setPen(i.color);
            painter->drawText(map(i.baseline), i.text);
            break;
        }
        case PageItem::Kind::Line:
            painter->setPen(makePen(i, pxPerPt));
            painter->drawLine(map(i.p1), map(i.p2));
            break;
        case PageItem::Kind::Rect: {
            painter->setPen(makePen(i, pxPerPt));
            painter->setBrush(i.brush.isValid() ? QBrush(i.brush) : QBrush(Qt::NoBrush));
            const QRectF r = mapRect(i.rect);
            if (i.radius > 0)
                painter->drawRoundedRect(r, i.radius * sx, i.radius * sy);
            else if (i.penWidth <= 0 && i.brush.isValid())
                painter->fillRect(r, i.brush);
            else
                painter->drawRect(r);
            break;
        }
        case PageItem::Kind::Ellipse:
            painter->setPen(makePen(i, pxPerPt));
            painter->setBrush(i.brush.isValid() ? QBrush(i.brush) : QBrush(Qt::NoBrush));
            painter->drawEllipse(mapRect(i.rect));
            break;
        case PageItem::Kind::Polygon: {
            QPolygonF poly;
            for (const QPointF& p : i.polygon) poly << map(p);
            painter->setPen(makePen(i, pxPerPt));
            if (i.radius < 0) {
                painter->drawPolyline(poly);
            } else {
                painter->setBrush(i.brush.isValid() ? QBrush(i.brush) : QBrush(Qt::NoBrush));
                painter->drawPolygon(poly);
            }
            break;
        }
        case PageItem::Kind::Image:
            painter->drawImage(mapRect(i.rect), i.image);
            break;
        }
    }
    painter->restore();
}

QImage ReportRenderer::toImage(const ReportPage& page, qreal dpi)
{
    const QSize px(qRound(page.size.width() / 25.4 * dpi), qRound(page.size.height() / 25.4 * dpi));
    QImage img(px, QImage::Format_ARGB32_Premultiplied);
    const int dpm = qRound(dpi / 0.0254);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    img.fill(Qt::white);
    QPainter p(&img);
    render(&p, page, QRectF(QPointF(0, 0), QSizeF(px)));
    p.end();
    return img;
}
