#pragma once
#include "report/ReportExpr.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// The layout of a banded report as read from a ".frf" file (format: docs/report-format.md).
// Lengths are millimetres, font sizes and line widths points. Every expression is compiled
// when the file loads, so a fault is reported with its file, line and column before anything
// is printed.

struct ReportFont {
    QString family;  // empty: the report's default font
    qreal size = 0;  // points; 0: the report's default size
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

enum class ReportObjectType { Text, RichText, Line, Rect, RoundRect, Shape, Picture, CheckBox, Barcode };
enum class ReportBandType { ReportTitle, PageHeader, GroupHeader, MasterData, GroupFooter, Summary, PageFooter };

struct ReportObject {
    ReportObjectType type = ReportObjectType::Text;
    QString name;
    QRectF rect;       // mm, relative to the band's top left corner
    QString content;   // text with [expressions]; picture file; check box / bar code expression
    SourceMap source;  // where content came from
    int line = 0;      // file line of the object

    // Text
    ReportFont font;
    QColor color = Qt::black;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    QString format;     // display format of the expressions' values
    bool wrap = true;   // break long texts into lines at the object's width
    bool stretch = false;  // grow downwards when wrapped lines need more room
    qreal padding = 0.5;   // mm between frame and text

    // Frame and fill (text, rectangles, shapes, check boxes)
    enum FrameSide { Left = 1, Top = 2, Right = 4, Bottom = 8, All = 15 };
    int frame = 0;
    qreal frameWidth = 0.5;  // points
    QColor frameColor = Qt::black;
    Qt::PenStyle frameStyle = Qt::SolidLine;
    QColor fill;  // invalid: no fill

    qreal radius = 2;          // mm, rounded rectangles
    QString shape = QStringLiteral("ellipse");  // ellipse, triangle, diamond
    QString symbology = QStringLiteral("code128");  // bar codes
    bool showText = true;      // bar codes: human-readable line under the bars
    bool keepAspect = true;    // pictures

    // Compiled
    ReportTemplate tmpl;     // text, rich text, picture file name, bar code data
    ReportExpression expr;   // check box value
};

struct ReportBand {
    ReportBandType type = ReportBandType::MasterData;
    qreal height = 10;  // mm
    bool stretch = false;
    QString dataSet;        // master data band: the data set it runs over
    QString groupText;      // group header: the expression whose change starts a group
    ReportExpression group;
    bool newPageBefore = false;
    bool newPageAfter = false;
    bool onFirstPage = true;  // page header and footer: also on the first page
    bool repeat = false;      // group header: printed again at the top of every page its group runs onto
    QList<ReportObject> objects;
    int line = 0;
};

struct ReportDataSetDef {
    enum class Kind { Memory, Sql };
    QString name;
    Kind kind = Kind::Memory;
    QString sql;
    SourceMap source;
    int line = 0;
};

struct ReportVariableDef {
    QString name;
    QString text;
    ReportExpression expr;
    int line = 0;
};

class ReportLayout {
public:
    QString fileName;
    QString title;
    QString paper = QStringLiteral("A4");  // A3, A4, A5, B5, Letter, Legal, or WIDTHxHEIGHT in mm
    bool landscape = false;
    QMarginsF margins{10, 10, 10, 10};
    ReportFont font{QStringLiteral("Noto Sans Thai"), 10};
    QList<ReportDataSetDef> dataSets;
    QList<ReportVariableDef> variables;
    QList<ReportBand> bands;

    // Throws ReportError on anything it cannot read.
    static ReportLayout parse(const QString& text, const QString& fileName = {});
    static ReportLayout load(const QString& path);  // throws NkError when unreadable
    QString toText() const;
    void save(const QString& path) const;  // throws NkError

    QSizeF pageSize() const;  // mm, turned for landscape
    QRectF printableRect() const;
    const ReportBand* band(ReportBandType type) const;
};

// Where an object sits, for messages: "MasterData band, text \"Total\"", or with the object's
// place in its band (from 0) when it has no name: "PageHeader band, line object 3".
QString reportObjectWhere(const ReportBand& band, const ReportObject& o, int index);

// The text of a layout file: UTF-8, or code page 874 (TIS-620) when the bytes are not UTF-8.
QString decodeLayoutText(const QByteArray& bytes);

// The font a report object prints with: its own settings over the report's default, the
// default family falling back to any installed Thai font when it is missing.
QFont reportQFont(const ReportFont& f, const ReportFont& fallback);
