#pragma once
#include <QtGlobal>

// What a layout, an expression or a saved prepared report may ask of the engine. Layouts and
// prepared reports are files anyone setting up a company may write or damage; a value beyond
// these bounds is refused with a report error instead of exhausting memory or time.
namespace ReportLimits {

constexpr qsizetype MaxText = 1'000'000;       // characters of one text value or printed text
constexpr qsizetype MaxCachedText = 2'000;     // texts longer than this are laid out every time
constexpr int MaxPages = 10'000;               // pages one preparation may produce
constexpr int MaxNesting = 200;                // parentheses and calls inside one another
constexpr qint64 MaxLayoutBytes = 4 << 20;     // size of a layout file
constexpr int MaxBands = 1'000;
constexpr int MaxObjects = 20'000;             // objects of all bands together
constexpr int MaxDefinitions = 5'000;          // variables, and data sets, of one layout
constexpr qreal MinPaperMm = 10;
constexpr qreal MaxPaperMm = 3'000;
constexpr qreal MaxLengthMm = 5'000;           // positions, sizes, band heights
constexpr qreal MaxFontPt = 400;
constexpr qreal MaxLineWidthPt = 100;
constexpr int MaxBarcodeData = 7'000;          // characters a bar code may encode
constexpr int MaxDays = 3'660'000;             // about ten thousand years, for date arithmetic
constexpr int MaxItemsPerPage = 1'000'000;     // drawing items of one prepared page
constexpr int MaxPolygonPoints = 100'000;
constexpr int MaxImageSide = 20'000;           // pixels of a picture in a prepared report

}  // namespace ReportLimits
