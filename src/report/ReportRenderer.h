#pragma once
#include "report/ReportPage.h"

class QPainter;

// Draws prepared pages on any painter: the preview, a printer, a PDF writer or an image.
class ReportRenderer {
public:
    // Draws the page into target (device pixels of the painter), scaled to fit it exactly.
    // highlight: text runs whose text contains it are marked (the preview's find).
    static void render(QPainter* painter, const ReportPage& page, const QRectF& target,
                       const QString& highlight = {});
    // A picture of the page at the given resolution, white background.
    static QImage toImage(const ReportPage& page, qreal dpi = 150);
};
