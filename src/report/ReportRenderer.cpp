#include "report/ReportRenderer.h"

#include <QGlyphRun>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>
#include <cmath>

namespace {
// Text runs are shaped once per font and text, at this size in pixels, and drawn as glyph runs
// scaled to the device: pages repeat the same texts, and shaping is the costly part of drawing
// them. Unhinted glyph positions scale exactly.
constexpr qreal kShapePixels = 1000;

struct Shaped {
    QList<QGlyphRun> runs;  // positions relative to the baseline origin, at kShapePixels
};

const Shaped& shaped(const QFont& font, const QString& text)
{
    // (Pages are drawn on the one user-interface thread.)
    static QHash<QFont, QHash<QString, Shaped>> cache;
    static int count = 0;
    QHash<QString, Shaped>& texts = cache[font];
    auto it = texts.constFind(text);
    if (it != texts.constEnd()) return *it;
    if (++count > 20000) {
        cache.clear();
        count = 0;
    }
    QFont f = font;
    f.setPixelSize(int(kShapePixels));
    f.setHintingPreference(QFont::PreferNoHinting);
    QTextLayout layout(text, f);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    Shaped s;
    if (line.isValid()) {
        line.setLineWidth(1e9);
        layout.endLayout();
        const QPointF baseline(0, line.ascent());
        for (QGlyphRun run : layout.glyphRuns()) {
            QList<QPointF> positions = run.positions();
            for (QPointF& p : positions) p -= baseline;
            run.setPositions(positions);
            s.runs.append(run);
        }
    } else {
        layout.endLayout();
    }
    return *cache[font].insert(text, s);
}

// A font at a size, kept: making one is costly, and a device draws at few sizes. The font is
// known by its identity, not its family name: a fallback font drawn for characters no installed
// font has carries no family name at all, and asking for it reads past an empty list.
QRawFont sizedFont(const QRawFont& font, qreal pixels)
{
    static QHash<QPair<QRawFont, qint64>, QRawFont> fonts;
    const auto key = qMakePair(font, qint64(qRound64(pixels * 64)));
    auto it = fonts.constFind(key);
    if (it != fonts.constEnd()) return *it;
    if (fonts.size() > 200) fonts.clear();
    QRawFont sized = font;
    sized.setPixelSize(pixels);
    return *fonts.insert(key, sized);
}

void drawShapedText(QPainter* painter, const QPointF& origin, const QFont& font, qreal pixels, const QString& text)
{
    const qreal scale = pixels / kShapePixels;
    for (QGlyphRun run : shaped(font, text).runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& p : positions) p = origin + p * scale;
        run.setPositions(positions);
        run.setRawFont(sizedFont(run.rawFont(), run.rawFont().pixelSize() * scale));
        painter->drawGlyphRun(QPointF(0, 0), run);
    }
}
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

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const PageItem& i : page.items) {
        switch (i.kind) {
        case PageItem::Kind::Text: {
            if (!highlight.isEmpty() && i.text.contains(highlight, Qt::CaseInsensitive))
                painter->fillRect(mapRect(i.rect), QColor(255, 230, 0, 160));
            painter->setPen(i.color);
            // The run's size is on paper (points; pixels of rich text at 96 dpi); the device
            // draws it at the page's scale.
            const qreal points = i.font.pointSizeF() > 0 ? i.font.pointSizeF() : i.font.pixelSize() * 0.75;
            drawShapedText(painter, map(i.baseline), i.font, std::max<qreal>(points * pxPerPt, 0.1), i.text);
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
    // A picture of at most 50 million pixels (an A0 page at 150 dpi): larger pages are drawn at
    // a lower resolution rather than asking for gigabytes.
    const qreal inches = std::max<qreal>(page.size.width() / 25.4 * page.size.height() / 25.4, 1e-6);
    dpi = std::clamp<qreal>(std::min<qreal>(dpi, std::sqrt(50e6 / inches)), 1, 2400);
    const QSize px(std::max(1, qRound(page.size.width() / 25.4 * dpi)), std::max(1, qRound(page.size.height() / 25.4 * dpi)));
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
