#pragma once
#include "report/ReportData.h"
#include "report/ReportLayout.h"
#include "report/ReportLimits.h"
#include "report/ReportPage.h"

#include <QHash>
#include <QSqlDatabase>
#include <functional>
#include <memory>

// The program's user functions (amounts in words, unit texts): given the upper-case name and
// the evaluated arguments, set result and answer true, or answer false for an unknown name.
using ReportUserFunction = std::function<bool(const QString& name, const QVariantList& args, QVariant& result)>;

// Everything a layout is filled from besides itself.
struct ReportEnvironment {
    QHash<QString, std::shared_ptr<ReportDataSet>> dataSets;  // by lower-case name, handed over
    QHash<QString, ReportExpression> variables;               // by upper-case name, set by the program
    QSqlDatabase database;                                    // SQL data sets and the SQL function
    ReportUserFunction userFunction;
    QString layoutFolder;  // pictures are found relative to it
    int maxPages = ReportLimits::MaxPages;  // a preparation that would produce more pages fails
};

// One line of laid-out text, in mm relative to the text box.
struct ReportTextLine {
    QString text;
    qreal x = 0;
    qreal width = 0;
    qreal top = 0;
    qreal ascent = 0;
    qreal height = 0;
};
// Breaks text into lines at widthMm (Thai at its word boundaries); '\n' starts a new line.
// With maxHeightMm > 0 the lines stop at the first that reaches below it.
QList<ReportTextLine> layoutReportText(const QString& text, const QFont& font, qreal widthMm, bool wrap, qreal maxHeightMm = 0);

// Fills the layout's bands with data, page by page. Throws ReportError/NkError on failure.
PreparedReport prepareReport(const ReportLayout& layout, ReportEnvironment& env);
