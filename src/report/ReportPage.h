#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// Prepared pages: what a report looks like after its bands were filled with data, as plain
// drawing primitives in millimetres. The same pages go to the preview, the printer, PDF,
// images and the text exports.

// Text is measured on a reference device of this resolution so that line breaks do not depend
// on the screen or printer the pages are shown on.
constexpr qreal kReportRefDpi = 1200.0;
inline qreal refPxToMm(qreal px) { return px * 25.4 / kReportRefDpi; }
inline qreal mmToRefPx(qreal mm) { return mm * kReportRefDpi / 25.4; }

struct PageItem {
    enum class Kind { Text, Line, Rect, Ellipse, Polygon, Image };
    Kind kind = Kind::Text;
    // The band the item was printed by, as far as the exports need it: the CSV export keeps
    // the page header of the first page, the page footer of the last and no repeated headers.
    enum class Role : quint8 { Body, PageHeader, PageFooter, RepeatedHeader };
    Role role = Role::Body;
    QRectF rect;  // mm: the box of a text run or shape; a line runs from p1 to p2
    QPointF p1, p2;
    // Text runs: one line of text drawn from its baseline origin.
    QString text;
    QPointF baseline;
    QRectF cell;  // mm: the box of the text object the run belongs to (columns of exports)
    QFont font;  // point size in points; drawn at the device's scale
    QColor color = Qt::black;
    // Lines and outlines
    qreal penWidth = 0;  // points; 0: no outline
    QColor penColor = Qt::black;
    Qt::PenStyle penStyle = Qt::SolidLine;
    QColor brush;  // invalid: not filled
    qreal radius = 0;  // mm, rounded rectangles
    QPolygonF polygon;  // mm
    QImage image;
};

struct ReportPage {
    QSizeF size;  // mm
    QList<PageItem> items;
    // The text runs in reading order (top to bottom, left to right), for tests and finding.
    QStringList texts() const;
};

// Prepared reports saved from the preview (".nkp") and opened again with its Load button. A
// file is checked as it is read: counts against the bytes there are, kinds and pen styles
// against what exists, sizes and lengths against the limits of a report, so a damaged or
// foreign file is refused with NkError instead of being drawn.
struct PreparedReport {
    QString title;
    QList<ReportPage> pages;
    void save(const QString& path) const;  // throws NkError
    static PreparedReport load(const QString& path);  // throws NkError
    QByteArray toBytes() const;
    static PreparedReport fromBytes(const QByteArray& bytes, const QString& name);  // throws NkError
};
