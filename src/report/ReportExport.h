#pragma once
#include "report/ReportPage.h"

#include <QList>
#include <QString>

class QPrinter;

// Which prepared pages go to the printer, how often and in which order. The engine orders
// copies itself and hands the printer one copy, so no driver multiplies them again.
struct ReportPrintOptions {
    enum class PageSet { All, Odd, Even };
    QString pageList;  // "1-3,5"; empty: every page
    int copies = 1;
    bool collate = true;  // 1 2 3 1 2 3 rather than 1 1 2 2 3 3
    PageSet pageSet = PageSet::All;
};

// 0-based indexes of the pages to print, in printing order. Odd and even refer to the page
// numbers of the report. Throws NkError for a page list it cannot read.
QList<int> reportPrintSequence(int pageCount, const ReportPrintOptions& options);
// Parses "1-3,5,8-" (1-based, open ranges to the last page) into sorted page numbers.
QList<int> parseReportPageList(const QString& text, int pageCount);

namespace ReportExport {
// Each writes the whole prepared report; they throw NkError when the file cannot be written.
void toPdf(const PreparedReport& report, const QString& path);
// Positioned frames per text run; Thai and other non-ASCII text as \uN escapes.
void toRtf(const PreparedReport& report, const QString& path, qreal scaleX = 1.3, qreal scaleY = 1.0);
// One spreadsheet row per printed line, one column per text box position, all pages one
// after the other without page breaks. UTF-8 with a byte-order mark, CRLF line ends.
void toCsv(const PreparedReport& report, const QString& path, qreal scaleX = 1.5, qreal scaleY = 1.0,
           QChar delimiter = QLatin1Char(','));
QString csvText(const PreparedReport& report, qreal scaleX = 1.5, qreal scaleY = 1.0, QChar delimiter = QLatin1Char(','));
// Several reports in one file, each with columns of its own, an empty line between them.
void toCsv(const QList<PreparedReport>& sections, const QString& path);
void toImage(const ReportPage& page, const QString& path, qreal dpi = 150);
// Prints the chosen pages to the printer as it is set up (no dialog). Throws NkError.
void print(const PreparedReport& report, QPrinter* printer, const ReportPrintOptions& options);
// A file name made of a title ("ใบสั่งซื้อต่างประเทศ / Purchase Order" gives "ใบสั่งซื้อต่างประเทศ -
// Purchase Order"): characters no file system takes, and "/" which would make a folder,
// become "-"; blanks run together; never empty ("report").
QString safeFileName(const QString& title);
}  // namespace ReportExport
