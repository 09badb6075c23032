#pragma once
#include "report/ReportPage.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QMarginsF>
#include <QStringList>
#include <QVector>
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

// A list laid out as pages: the title (centred) and the condition line on every page, the
// heading of the list, the column titles in bold under it with a rule, the rows, and on the
// last page a rule, the total row in bold and a note.
struct Table {
    QString title;
    QString condition;
    QString heading;
    QStringList columns;
    QVector<qreal> parts;   // each column's part of the page's width
    QVector<bool> right;    // right-aligned columns (figures)
    QVector<QStringList> rows;
    QStringList total;      // empty: no total row
    QString note;
    qreal points = 9;       // size of the rows' text
};
// As many pages as the rows need (at least one), of the given size and margins.
QList<ReportPage> tablePages(const Table& table, const QSizeF& pageSize, const QMarginsF& margins);

} // namespace PageItems
