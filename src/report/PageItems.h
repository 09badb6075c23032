#pragma once
#include "report/ReportPage.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>

// Building blocks for pages a program lays out itself (charts, document lists) rather than
// through a layout file: text runs, filled rectangles and lines in millimetres, drawn later by
// the report renderer on screen, on paper and in PDF files like any prepared page.
namespace PageItems {

// The report engine's default font at this size.
QFont font(qreal points, bool bold = false);
// One line of text in a box, vertically centred; text wider than the box is not wrapped.
void text(QList<PageItem>& items, const QString& text, const QFont& font, const QRectF& box, Qt::Alignment align,
          const QColor& color = Qt::black);
void rect(QList<PageItem>& items, const QRectF& r, const QColor& fill);
void line(QList<PageItem>& items, const QPointF& a, const QPointF& b, qreal width, const QColor& color);
// The width a text takes in a font (mm).
qreal textWidth(const QString& text, const QFont& font);

} // namespace PageItems
