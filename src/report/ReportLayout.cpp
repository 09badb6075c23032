#include "report/ReportLayout.h"

#include "report/ReportLimits.h"

#include <QFile>
#include <cmath>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHash>
#include <QPageSize>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextStream>

namespace {

struct Attr {
    QString key;    // lower case
    QString value;
    bool hasValue = false;
    int column = 0;
};

struct Line {
    QString keyword;  // lower case
    QList<QString> words;  // bare words after the keyword before attributes (band type, names)
    QList<Attr> attrs;
    bool hasContent = false;
    QString content;
    int contentColumn = 0;
    int number = 0;
};

const QHash<QString, ReportBandType>& bandNames()
{
    static const QHash<QString, ReportBandType> names = {
        {QStringLiteral("reporttitle"), ReportBandType::ReportTitle},
        {QStringLiteral("pageheader"), ReportBandType::PageHeader},
        {QStringLiteral("groupheader"), ReportBandType::GroupHeader},
        {QStringLiteral("masterdata"), ReportBandType::MasterData},
        {QStringLiteral("groupfooter"), ReportBandType::GroupFooter},
        {QStringLiteral("summary"), ReportBandType::Summary},
        {QStringLiteral("pagefooter"), ReportBandType::PageFooter}};
    return names;
}

QString bandName(ReportBandType t)
{
    switch (t) {
    case ReportBandType::ReportTitle:
        return QStringLiteral("ReportTitle");
    case ReportBandType::PageHeader:
        return QStringLiteral("PageHeader");
    case ReportBandType::GroupHeader:
        return QStringLiteral("GroupHeader");
    case ReportBandType::MasterData:
        return QStringLiteral("MasterData");
    case ReportBandType::GroupFooter:
        return QStringLiteral("GroupFooter");
    case ReportBandType::Summary:
        return QStringLiteral("Summary");
    case ReportBandType::PageFooter:
        return QStringLiteral("PageFooter");
    }
    return {};
}

const QHash<QString, ReportObjectType>& objectNames()
{
    static const QHash<QString, ReportObjectType> names = {
        {QStringLiteral("text"), ReportObjectType::Text},         {QStringLiteral("richtext"), ReportObjectType::RichText},
        {QStringLiteral("line"), ReportObjectType::Line},         {QStringLiteral("rect"), ReportObjectType::Rect},
        {QStringLiteral("roundrect"), ReportObjectType::RoundRect}, {QStringLiteral("shape"), ReportObjectType::Shape},
        {QStringLiteral("picture"), ReportObjectType::Picture},   {QStringLiteral("checkbox"), ReportObjectType::CheckBox},
        {QStringLiteral("barcode"), ReportObjectType::Barcode}};
    return names;
}

class LineParser {
public:
    LineParser(const QString& file, const QString& text, int number) : m_file(file), m_text(text), m_number(number) {}

    [[noreturn]] void error(int pos, const QString& msg) const { throw ReportError(m_file, m_number, pos + 1, msg); }

    Line parse()
    {
        Line l;
        l.number = m_number;
        skipSpace();
        l.keyword = word().toLower();
        bool attributesStarted = false;
        for (;;) {
            skipSpace();
            if (m_pos >= m_text.size()) break;
            if (m_text[m_pos] == QLatin1Char(':') && (m_pos + 1 >= m_text.size() || m_text[m_pos + 1].isSpace())) {
                ++m_pos;
                if (m_pos < m_text.size()) ++m_pos;  // the one blank after ":"
                l.hasContent = true;
                l.content = m_text.mid(m_pos);
                l.contentColumn = m_pos + 1;
                break;
            }
            Attr a;
            a.column = m_pos + 1;
            int start = m_pos;
            QString key = word();
            if (key.isEmpty()) error(start, QStringLiteral("Unexpected \"%1\"").arg(m_text[m_pos]));
            if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('=')) {
                ++m_pos;
                a.key = key.toLower();
                a.value = value();
                a.hasValue = true;
                attributesStarted = true;
                l.attrs.append(a);
            } else if (!attributesStarted && l.keyword != QLatin1String("text") && l.words.isEmpty() &&
                       (l.keyword == QLatin1String("band") || l.keyword == QLatin1String("dataset"))) {
                l.words.append(key);
            } else if (l.keyword == QLatin1String("dataset") && l.words.size() == 1) {
                l.words.append(key);
            } else {
                a.key = key.toLower();
                l.attrs.append(a);
            }
        }
        return l;
    }

private:
    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace()) ++m_pos;
    }
    QString word()
    {
        int start = m_pos;
        while (m_pos < m_text.size() &&
               (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == QLatin1Char('_') || m_text[m_pos] == QLatin1Char('#') ||
                m_text[m_pos] == QLatin1Char('-') || m_text[m_pos].isMark()))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }
    QString value()
    {
        if (m_pos >= m_text.size()) return {};
        QChar c = m_text[m_pos];
        if (c == QLatin1Char('"')) {
            QString out;
            int start = m_pos++;
            while (m_pos < m_text.size()) {
                QChar d = m_text[m_pos++];
                if (d == QLatin1Char('\\') && m_pos < m_text.size()) {
                    out += m_text[m_pos++];
                } else if (d == QLatin1Char('"')) {
                    return out;
                } else {
                    out += d;
                }
            }
            error(start, QStringLiteral("Quoted value not closed"));
        }
        if (c == QLatin1Char('[')) {
            // A bracketed expression runs to its matching "]" and may hold blanks and quotes.
            int start = m_pos, depth = 0;
            QChar quote;
            for (; m_pos < m_text.size(); ++m_pos) {
                QChar d = m_text[m_pos];
                if (!quote.isNull()) {
                    if (d == quote) quote = QChar();
                } else if (d == QLatin1Char('\'') || d == QLatin1Char('"')) {
                    quote = d;
                } else if (d == QLatin1Char('[')) {
                    ++depth;
                } else if (d == QLatin1Char(']') && --depth == 0) {
                    ++m_pos;
                    return m_text.mid(start, m_pos - start);
                }
            }
            error(start, QStringLiteral("\"[\" without its \"]\""));
        }
        int start = m_pos;
        while (m_pos < m_text.size() && !m_text[m_pos].isSpace()) ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    QString m_file;
    QString m_text;
    int m_number;
    int m_pos = 0;
};

// Reads attribute values with the position of the attribute and the band and object it
// belongs to ("MasterData band, text \"Total\"") for error messages.
class AttrReader {
public:
    AttrReader(const QString& file, const Line& line, const QString& context = {})
        : m_file(file), m_line(line), m_context(context)
    {
    }
    [[noreturn]] void error(const Attr& a, const QString& msg) const
    {
        throw ReportError(m_file, m_line.number, a.column, m_context.isEmpty() ? msg : m_context + QStringLiteral(": ") + msg);
    }

    // A number within [lo, hi]; "nan", "inf" and numbers outside are refused.
    qreal number(const Attr& a, qreal lo, qreal hi) const
    {
        bool ok = false;
        const qreal v = a.value.toDouble(&ok);
        if (!ok || !std::isfinite(v)) error(a, QStringLiteral("\"%1\" needs a number, not \"%2\"").arg(a.key, a.value));
        if (v < lo || v > hi) error(a, QStringLiteral("\"%1\" must be between %2 and %3, not %4").arg(a.key).arg(lo).arg(hi).arg(a.value));
        return v;
    }
    qreal length(const Attr& a) const { return number(a, 0, ReportLimits::MaxLengthMm); }
    qreal position(const Attr& a) const { return number(a, -ReportLimits::MaxLengthMm, ReportLimits::MaxLengthMm); }
    bool flag(const Attr& a) const
    {
        if (!a.hasValue) return true;
        QString v = a.value.toLower();
        if (v == QLatin1String("yes") || v == QLatin1String("true") || v == QLatin1String("y") || v == QLatin1String("1")) return true;
        if (v == QLatin1String("no") || v == QLatin1String("false") || v == QLatin1String("n") || v == QLatin1String("0")) return false;
        error(a, QStringLiteral("\"%1\" takes yes or no").arg(a.key));
    }
    QColor color(const Attr& a) const
    {
        if (a.value.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0) return {};
        QColor c = QColor::fromString(a.value);
        if (!c.isValid()) error(a, QStringLiteral("Unknown colour \"%1\"").arg(a.value));
        return c;
    }
    [[noreturn]] void unknown(const Attr& a) const { error(a, QStringLiteral("Unknown setting \"%1\"").arg(a.key)); }
    void need(const Attr& a) const
    {
        if (!a.hasValue) error(a, QStringLiteral("\"%1\" needs a value").arg(a.key));
    }

private:
    QString m_file;
    const Line& m_line;
    QString m_context;
};

bool applyFontAttr(const AttrReader& r, const Attr& a, ReportFont& f)
{
    if (a.key == QLatin1String("font")) {
        r.need(a);
        f.family = a.value;
    } else if (a.key == QLatin1String("size")) {
        f.size = r.number(a, 1, ReportLimits::MaxFontPt);
    } else if (a.key == QLatin1String("bold")) {
        f.bold = r.flag(a);
    } else if (a.key == QLatin1String("italic")) {
        f.italic = r.flag(a);
    } else if (a.key == QLatin1String("underline")) {
        f.underline = r.flag(a);
    } else {
        return false;
    }
    return true;
}

Qt::Alignment parseAlign(const AttrReader& r, const Attr& a)
{
    Qt::Alignment h = Qt::AlignLeft, v = Qt::AlignTop;
    for (const QString& part : a.value.toLower().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("left"))
            h = Qt::AlignLeft;
        else if (part == QLatin1String("right"))
            h = Qt::AlignRight;
        else if (part == QLatin1String("center"))
            h = Qt::AlignHCenter;
        else if (part == QLatin1String("justify"))
            h = Qt::AlignJustify;
        else if (part == QLatin1String("top"))
            v = Qt::AlignTop;
        else if (part == QLatin1String("middle"))
            v = Qt::AlignVCenter;
        else if (part == QLatin1String("bottom"))
            v = Qt::AlignBottom;
        else
            r.error(a, QStringLiteral("Unknown alignment \"%1\"").arg(part));
    }
    return h | v;
}

int parseFrame(const AttrReader& r, const Attr& a)
{
    int sides = 0;
    for (const QString& part : a.value.toLower().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("all"))
            sides |= ReportObject::All;
        else if (part == QLatin1String("none"))
            sides = 0;
        else if (part == QLatin1String("left"))
            sides |= ReportObject::Left;
        else if (part == QLatin1String("top"))
            sides |= ReportObject::Top;
        else if (part == QLatin1String("right"))
            sides |= ReportObject::Right;
        else if (part == QLatin1String("bottom"))
            sides |= ReportObject::Bottom;
        else
            r.error(a, QStringLiteral("Unknown frame side \"%1\"").arg(part));
    }
    return sides;
}

// Where a band sits, for messages: "MasterData band".
QString bandContext(const ReportBand& b) { return bandName(b.type) + QStringLiteral(" band"); }

const QStringList& barcodeSymbologies()
{
    static const QStringList names{QStringLiteral("code128"), QStringLiteral("code39"),     QStringLiteral("ean13"),
                                   QStringLiteral("qrcode"),  QStringLiteral("datamatrix"), QStringLiteral("pdf417")};
    return names;
}

// Expressions of attributes ("group=[...]") are compiled with their own position.
ReportExpression compileAttrExpr(const QString& file, int line, const Attr& a)
{
    QString text = a.value;
    int shift = 0;
    if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'))) {
        text = text.mid(1, text.size() - 2);
        shift = 1;
    }
    return ReportExpression::compile(text, SourceMap::at(file, line, a.column + a.key.size() + 1 + shift));
}

void compileObject(ReportObject& o)
{
    switch (o.type) {
    case ReportObjectType::CheckBox:
        o.expr = ReportExpression::compile(o.content, o.source, o.content, 0);
        break;
    case ReportObjectType::Line:
    case ReportObjectType::Rect:
    case ReportObjectType::RoundRect:
    case ReportObjectType::Shape:
        break;
    default:
        o.tmpl = ReportTemplate::compile(o.content, o.source);
        break;
    }
}

QString quoteValue(const QString& v)
{
    bool plain = !v.isEmpty();
    for (QChar c : v)
        if (c.isSpace() || c == QLatin1Char('"') || c == QLatin1Char('[') || c == QLatin1Char('\\')) plain = false;
    if (plain && v != QLatin1String(":")) return v;
    QString out = QStringLiteral("\"");
    for (QChar c : v) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('"');
}

QString num(qreal v) { return QString::number(v, 'g', 10); }

QString fontAttrs(const ReportFont& f)
{
    QString out;
    if (!f.family.isEmpty()) out += QStringLiteral(" font=") + quoteValue(f.family);
    if (f.size > 0) out += QStringLiteral(" size=") + num(f.size);
    if (f.bold) out += QStringLiteral(" bold");
    if (f.italic) out += QStringLiteral(" italic");
    if (f.underline) out += QStringLiteral(" underline");
    return out;
}

QString alignText(Qt::Alignment a)
{
    QString h = (a & Qt::AlignRight) ? QStringLiteral("right")
                : (a & Qt::AlignHCenter) ? QStringLiteral("center")
                : (a & Qt::AlignJustify) ? QStringLiteral("justify")
                                         : QStringLiteral("left");
    QString v = (a & Qt::AlignVCenter) ? QStringLiteral("middle") : (a & Qt::AlignBottom) ? QStringLiteral("bottom") : QStringLiteral("top");
    return h + QLatin1Char(',') + v;
}

QString frameText(int f)
{
    if (f == ReportObject::All) return QStringLiteral("all");
    QStringList parts;
    if (f & ReportObject::Left) parts << QStringLiteral("left");
    if (f & ReportObject::Top) parts << QStringLiteral("top");
    if (f & ReportObject::Right) parts << QStringLiteral("right");
    if (f & ReportObject::Bottom) parts << QStringLiteral("bottom");
    return parts.join(QLatin1Char(','));
}

// Content lines: the first after " : ", the rest as "| " continuation lines.
QString contentText(const QString& content, const QString& indent)
{
    QStringList lines = content.split(QLatin1Char('\n'));
    QString out = QStringLiteral(" : ") + lines.value(0) + QLatin1Char('\n');
    for (int i = 1; i < lines.size(); ++i) out += indent + QStringLiteral("| ") + lines[i] + QLatin1Char('\n');
    return out;
}

}  // namespace

ReportLayout ReportLayout::parse(const QString& text, const QString& fileName)
{
    ReportLayout layout;
    layout.fileName = fileName;
    const QString file = fileName.isEmpty() ? QStringLiteral("<layout>") : fileName;
    const QStringList lines = text.split(QLatin1Char('\n'));

    // What a "|" continuation line extends.
    QString* continued = nullptr;
    SourceMap* continuedSource = nullptr;
    ReportBand* band = nullptr;
    bool sawReport = false;

    int objectCount = 0;
    for (int i = 0; i < lines.size(); ++i) {
        QString raw = lines[i];
        if (raw.endsWith(QLatin1Char('\r'))) raw.chop(1);
        if (i == 0 && raw.startsWith(QChar(0xFEFF))) raw.remove(0, 1);
        const int number = i + 1;
        int first = 0;
        while (first < raw.size() && raw[first].isSpace()) ++first;
        if (first >= raw.size() || raw[first] == QLatin1Char('#')) continue;
        if (raw[first] == QLatin1Char('|')) {
            if (!continued) throw ReportError(file, number, first + 1, QStringLiteral("\"|\" line without a text to continue"));
            int start = first + 1;
            if (start < raw.size() && raw[start] == QLatin1Char(' ')) ++start;
            *continued += QLatin1Char('\n') + raw.mid(start);
            continuedSource->lines.append({number, start + 1});
            continue;
        }
        continued = nullptr;
        continuedSource = nullptr;
        if (raw.mid(first, 9).compare(QLatin1String("variable "), Qt::CaseInsensitive) == 0) {
            int eq = raw.indexOf(QLatin1Char('='));
            if (eq < 0) throw ReportError(file, number, first + 1, QStringLiteral("variable NAME = expression expected"));
            ReportVariableDef v;
            v.name = raw.mid(first + 8, eq - first - 8).trimmed();
            int exprStart = eq + 1;
            while (exprStart < raw.size() && raw[exprStart] == QLatin1Char(' ')) ++exprStart;
            v.text = raw.mid(exprStart).trimmed();
            v.line = number;
            if (v.name.isEmpty()) throw ReportError(file, number, first + 1, QStringLiteral("Variable without a name"));
            if (layout.variables.size() >= ReportLimits::MaxDefinitions)
                throw ReportError(file, number, first + 1, QStringLiteral("More than %1 variables").arg(ReportLimits::MaxDefinitions));
            v.expr = ReportExpression::compile(v.text, SourceMap::at(file, number, exprStart + 1));
            layout.variables.append(v);
            continue;
        }
        Line l = LineParser(file, raw, number).parse();
        AttrReader r(file, l);

        if (l.keyword == QLatin1String("report")) {
            sawReport = true;
            for (const Attr& a : l.attrs) {
                if (applyFontAttr(r, a, layout.font)) continue;
                if (a.key == QLatin1String("title")) {
                    layout.title = a.value;
                } else if (a.key == QLatin1String("page")) {
                    r.need(a);
                    layout.paper = a.value;
                    if (layout.pageSize().isEmpty())
                        r.error(a, QStringLiteral("Paper \"%1\" is none of A3, A4, A5, B5, Letter, Legal or WIDTHxHEIGHT "
                                                  "in mm (%2 to %3)")
                                       .arg(a.value)
                                       .arg(ReportLimits::MinPaperMm)
                                       .arg(ReportLimits::MaxPaperMm));
                } else if (a.key == QLatin1String("orientation")) {
                    layout.landscape = a.value.compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0;
                    if (!layout.landscape && a.value.compare(QLatin1String("portrait"), Qt::CaseInsensitive) != 0)
                        r.error(a, QStringLiteral("Orientation is portrait or landscape"));
                } else if (a.key == QLatin1String("margins")) {
                    QStringList m = a.value.split(QLatin1Char(','));
                    bool ok = m.size() == 4;
                    QList<qreal> v;
                    for (const QString& s : m) {
                        bool k = false;
                        v.append(s.toDouble(&k));
                        ok = ok && k && v.last() >= 0 && v.last() <= ReportLimits::MaxPaperMm;
                    }
                    if (!ok) r.error(a, QStringLiteral("Margins are left,top,right,bottom in mm"));
                    layout.margins = QMarginsF(v[0], v[1], v[2], v[3]);
                } else {
                    r.unknown(a);
                }
            }
            const QRectF printable = layout.printableRect();
            if (printable.width() < ReportLimits::MinPaperMm || printable.height() < ReportLimits::MinPaperMm)
                throw ReportError(file, number, first + 1, QStringLiteral("The margins leave no room on the page"));
        } else if (l.keyword == QLatin1String("dataset")) {
            if (layout.dataSets.size() >= ReportLimits::MaxDefinitions)
                throw ReportError(file, number, first + 1, QStringLiteral("More than %1 data sets").arg(ReportLimits::MaxDefinitions));
            ReportDataSetDef d;
            d.line = number;
            d.name = l.words.value(0);
            QString kind = l.words.value(1).toLower();
            if (d.name.isEmpty()) throw ReportError(file, number, first + 1, QStringLiteral("Data set without a name"));
            if (kind == QLatin1String("sql"))
                d.kind = ReportDataSetDef::Kind::Sql;
            else if (kind == QLatin1String("memory") || kind.isEmpty())
                d.kind = ReportDataSetDef::Kind::Memory;
            else
                throw ReportError(file, number, first + 1, QStringLiteral("A data set is sql or memory"));
            for (const Attr& a : l.attrs) r.unknown(a);
            d.sql = l.content;
            d.source = SourceMap::at(file, number, l.contentColumn);
            layout.dataSets.append(d);
            continued = &layout.dataSets.last().sql;
            continuedSource = &layout.dataSets.last().source;
        } else if (l.keyword == QLatin1String("band")) {
            if (layout.bands.size() >= ReportLimits::MaxBands)
                throw ReportError(file, number, first + 1, QStringLiteral("More than %1 bands").arg(ReportLimits::MaxBands));
            ReportBand b;
            b.line = number;
            const QString type = l.words.value(0).toLower();
            if (!bandNames().contains(type))
                throw ReportError(file, number, first + 6, QStringLiteral("Unknown band \"%1\"").arg(l.words.value(0)));
            b.type = bandNames().value(type);
            const AttrReader r(file, l, bandContext(b));
            for (const Attr& a : l.attrs) {
                if (a.key == QLatin1String("height")) {
                    b.height = r.length(a);
                } else if (a.key == QLatin1String("stretch")) {
                    b.stretch = r.flag(a);
                } else if (a.key == QLatin1String("dataset")) {
                    r.need(a);
                    b.dataSet = a.value;
                } else if (a.key == QLatin1String("group")) {
                    r.need(a);
                    b.groupText = a.value;
                    b.group = compileAttrExpr(file, number, a);
                } else if (a.key == QLatin1String("newpage")) {
                    b.newPageBefore = a.value.compare(QLatin1String("before"), Qt::CaseInsensitive) == 0;
                    b.newPageAfter = a.value.compare(QLatin1String("after"), Qt::CaseInsensitive) == 0;
                    if (!b.newPageBefore && !b.newPageAfter) r.error(a, QStringLiteral("newpage is before or after"));
                } else if (a.key == QLatin1String("firstpage")) {
                    b.onFirstPage = r.flag(a);
                } else if (a.key == QLatin1String("repeat")) {
                    b.repeat = r.flag(a);
                } else {
                    r.unknown(a);
                }
            }
            if (b.type == ReportBandType::GroupHeader && !b.group.isValid())
                throw ReportError(file, number, first + 1, bandContext(b) + QStringLiteral(": a group header needs group=[expression]"));
            layout.bands.append(b);
            band = &layout.bands.last();
        } else if (objectNames().contains(l.keyword)) {
            if (!band) throw ReportError(file, number, first + 1, QStringLiteral("An object must follow a band line"));
            if (++objectCount > ReportLimits::MaxObjects)
                throw ReportError(file, number, first + 1, QStringLiteral("More than %1 objects").arg(ReportLimits::MaxObjects));
            ReportObject o;
            o.type = objectNames().value(l.keyword);
            o.line = number;
            for (const Attr& a : l.attrs)
                if (a.key == QLatin1String("name")) o.name = a.value;
            const QString context = reportObjectWhere(*band, o, int(band->objects.size()));
            const AttrReader r(file, l, context);
            if (o.type == ReportObjectType::Line) o.frameWidth = 0.5;
            for (const Attr& a : l.attrs) {
                if (applyFontAttr(r, a, o.font)) continue;
                const QString& k = a.key;
                if (k == QLatin1String("x")) o.rect.moveLeft(r.position(a));
                else if (k == QLatin1String("y")) o.rect.moveTop(r.position(a));
                else if (k == QLatin1String("w")) o.rect.setWidth(r.length(a));
                else if (k == QLatin1String("h")) o.rect.setHeight(r.length(a));
                else if (k == QLatin1String("name")) o.name = a.value;
                else if (k == QLatin1String("color")) o.color = r.color(a);
                else if (k == QLatin1String("fill")) o.fill = r.color(a);
                else if (k == QLatin1String("align")) o.align = parseAlign(r, a);
                else if (k == QLatin1String("format")) o.format = a.value;
                else if (k == QLatin1String("wrap")) o.wrap = r.flag(a);
                else if (k == QLatin1String("nowrap")) o.wrap = false;
                else if (k == QLatin1String("stretch")) o.stretch = r.flag(a);
                else if (k == QLatin1String("padding")) o.padding = r.number(a, 0, 100);
                else if (k == QLatin1String("frame")) o.frame = parseFrame(r, a);
                else if (k == QLatin1String("framewidth") || k == QLatin1String("width")) o.frameWidth = r.number(a, 0, ReportLimits::MaxLineWidthPt);
                else if (k == QLatin1String("framecolor")) o.frameColor = r.color(a);
                else if (k == QLatin1String("style")) {
                    const QString s = a.value.toLower();
                    if (s == QLatin1String("solid")) o.frameStyle = Qt::SolidLine;
                    else if (s == QLatin1String("dash")) o.frameStyle = Qt::DashLine;
                    else if (s == QLatin1String("dot")) o.frameStyle = Qt::DotLine;
                    else r.error(a, QStringLiteral("A line style is solid, dash or dot"));
                } else if (k == QLatin1String("radius")) o.radius = r.length(a);
                else if (k == QLatin1String("shape")) o.shape = a.value.toLower();
                else if (k == QLatin1String("symbology")) {
                    o.symbology = a.value.toLower();
                    if (!barcodeSymbologies().contains(o.symbology))
                        r.error(a, QStringLiteral("A bar code is %1").arg(barcodeSymbologies().join(QStringLiteral(", "))));
                }
                else if (k == QLatin1String("showtext")) o.showText = r.flag(a);
                else if (k == QLatin1String("keepaspect")) o.keepAspect = r.flag(a);
                else r.unknown(a);
            }
            if (o.type == ReportObjectType::Shape && o.shape != QLatin1String("ellipse") &&
                o.shape != QLatin1String("triangle") && o.shape != QLatin1String("diamond"))
                throw ReportError(file, number, first + 1, context + QStringLiteral(": a shape is ellipse, triangle or diamond"));
            o.content = l.content;
            o.source = SourceMap::at(file, number, l.contentColumn);
            band->objects.append(o);
            continued = &band->objects.last().content;
            continuedSource = &band->objects.last().source;
        } else {
            throw ReportError(file, number, first + 1, QStringLiteral("Unknown line \"%1\"").arg(l.keyword));
        }
    }
    if (!sawReport) throw ReportError(file, 1, 1, QStringLiteral("A layout starts with a \"report\" line"));
    for (ReportBand& b : layout.bands) {
        for (int n = 0; n < b.objects.size(); ++n) {
            ReportObject& o = b.objects[n];
            if (o.content.size() > ReportLimits::MaxText)
                throw ReportError(file, o.line, 1, reportObjectWhere(b, o, n) + QStringLiteral(": the text is too long"));
            compileObject(o);
        }
    }
    for (const ReportDataSetDef& d : layout.dataSets)
        if (d.kind == ReportDataSetDef::Kind::Sql && d.sql.trimmed().isEmpty())
            throw ReportError(file, d.line, 1, QStringLiteral("Data set %1 has no statement").arg(d.name));
    return layout;
}

QString reportObjectWhere(const ReportBand& band, const ReportObject& o, int index)
{
    const QString where = bandName(band.type) + QStringLiteral(" band, ") + objectNames().key(o.type);
    if (!o.name.isEmpty()) return where + QStringLiteral(" \"%1\"").arg(o.name);
    return where + QStringLiteral(" object %1").arg(index + 1);
}

QString decodeLayoutText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    // Not UTF-8: a file saved by an editor on a Thai Windows desktop, in code page 874.
    static const ushort high[32] = {0x20AC, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0x2026, 0xFFFD, 0xFFFD,
                                    0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,
                                    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD};
    text.clear();
    text.reserve(bytes.size());
    for (char ch : bytes) {
        const uchar b = uchar(ch);
        if (b < 0x80)
            text += QChar(b);
        else if (b < 0xA0)
            text += QChar(high[b - 0x80]);
        else if (b == 0xA0)
            text += QChar(0x00A0);
        else if (b <= 0xDA || (b >= 0xDF && b <= 0xFB))
            text += QChar(ushort(b + 0x0D60));  // Thai block, in TIS-620 order
        else
            text += QChar(0xFFFD);
    }
    return text;
}

ReportLayout ReportLayout::load(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw NkError(QStringLiteral("Cannot read %1: %2").arg(path, f.errorString()));
    if (f.size() > ReportLimits::MaxLayoutBytes)
        throw ReportError(QFileInfo(path).fileName(), 1, 1,
                          QStringLiteral("A layout file of %1 bytes is larger than the %2 allowed").arg(f.size()).arg(ReportLimits::MaxLayoutBytes));
    return parse(decodeLayoutText(f.readAll()), QFileInfo(path).fileName());
}

QString ReportLayout::toText() const
{
    QString out = QStringLiteral("# Namkhao report layout\nreport");
    if (!title.isEmpty()) out += QStringLiteral(" title=") + quoteValue(title);
    out += QStringLiteral(" page=") + quoteValue(paper);
    out += landscape ? QStringLiteral(" orientation=landscape") : QStringLiteral(" orientation=portrait");
    out += QStringLiteral(" margins=%1,%2,%3,%4").arg(num(margins.left()), num(margins.top()), num(margins.right()), num(margins.bottom()));
    out += fontAttrs(font) + QLatin1Char('\n');
    for (const ReportVariableDef& v : variables) out += QStringLiteral("variable %1 = %2\n").arg(v.name, v.text);
    for (const ReportDataSetDef& d : dataSets) {
        out += QStringLiteral("dataset ") + d.name;
        if (d.kind == ReportDataSetDef::Kind::Sql)
            out += QStringLiteral(" sql") + contentText(d.sql, QStringLiteral("  "));
        else
            out += QStringLiteral(" memory\n");
    }
    for (const ReportBand& b : bands) {
        out += QStringLiteral("\nband ") + bandName(b.type) + QStringLiteral(" height=") + num(b.height);
        if (!b.dataSet.isEmpty()) out += QStringLiteral(" dataset=") + quoteValue(b.dataSet);
        if (!b.groupText.isEmpty()) out += QStringLiteral(" group=") + (b.groupText.startsWith(QLatin1Char('[')) ? b.groupText : quoteValue(b.groupText));
        if (b.stretch) out += QStringLiteral(" stretch");
        if (b.newPageBefore) out += QStringLiteral(" newpage=before");
        if (b.newPageAfter) out += QStringLiteral(" newpage=after");
        if (!b.onFirstPage) out += QStringLiteral(" firstpage=no");
        if (b.repeat) out += QStringLiteral(" repeat");
        out += QLatin1Char('\n');
        for (const ReportObject& o : b.objects) {
            out += QStringLiteral("  ") + objectNames().key(o.type);
            if (!o.name.isEmpty()) out += QStringLiteral(" name=") + quoteValue(o.name);
            out += QStringLiteral(" x=%1 y=%2 w=%3 h=%4").arg(num(o.rect.x()), num(o.rect.y()), num(o.rect.width()), num(o.rect.height()));
            const bool isText = o.type == ReportObjectType::Text || o.type == ReportObjectType::RichText;
            if (isText) {
                out += fontAttrs(o.font);
                if (o.color != Qt::black) out += QStringLiteral(" color=") + o.color.name();
                if (o.align != (Qt::AlignLeft | Qt::AlignTop)) out += QStringLiteral(" align=") + alignText(o.align);
                if (!o.format.isEmpty()) out += QStringLiteral(" format=") + quoteValue(o.format);
                if (!o.wrap) out += QStringLiteral(" wrap=no");
                if (o.stretch) out += QStringLiteral(" stretch");
                if (o.padding != 0.5) out += QStringLiteral(" padding=") + num(o.padding);
            }
            if (o.frame) out += QStringLiteral(" frame=") + frameText(o.frame);
            if (o.frameWidth != 0.5) out += QStringLiteral(" framewidth=") + num(o.frameWidth);
            if (o.frameColor != Qt::black) out += QStringLiteral(" framecolor=") + o.frameColor.name();
            if (o.frameStyle == Qt::DashLine) out += QStringLiteral(" style=dash");
            if (o.frameStyle == Qt::DotLine) out += QStringLiteral(" style=dot");
            if (o.fill.isValid()) out += QStringLiteral(" fill=") + o.fill.name();
            if (o.type == ReportObjectType::RoundRect) out += QStringLiteral(" radius=") + num(o.radius);
            if (o.type == ReportObjectType::Shape) out += QStringLiteral(" shape=") + o.shape;
            if (o.type == ReportObjectType::Barcode) {
                out += QStringLiteral(" symbology=") + o.symbology;
                if (!o.showText) out += QStringLiteral(" showtext=no");
            }
            if (o.type == ReportObjectType::Picture && !o.keepAspect) out += QStringLiteral(" keepaspect=no");
            if (!o.content.isEmpty())
                out += contentText(o.content, QStringLiteral("    "));
            else
                out += QLatin1Char('\n');
        }
    }
    return out;
}

void ReportLayout::save(const QString& path) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) throw NkError(QStringLiteral("Cannot write %1: %2").arg(path, f.errorString()));
    f.write(toText().toUtf8());
    if (!f.commit()) throw NkError(QStringLiteral("Cannot write %1: %2").arg(path, f.errorString()));
}

QSizeF ReportLayout::pageSize() const
{
    QSizeF s;
    const QString p = paper.trimmed().toLower();
    int x = p.indexOf(QLatin1Char('x'));
    if (x > 0) {
        bool ok1 = false, ok2 = false;
        s = QSizeF(p.left(x).toDouble(&ok1), p.mid(x + 1).toDouble(&ok2));
        auto fits = [](qreal mm) { return mm >= ReportLimits::MinPaperMm && mm <= ReportLimits::MaxPaperMm; };
        if (!ok1 || !ok2 || !fits(s.width()) || !fits(s.height())) return {};
    } else {
        static const QHash<QString, QPageSize::PageSizeId> ids = {
            {QStringLiteral("a3"), QPageSize::A3},       {QStringLiteral("a4"), QPageSize::A4},
            {QStringLiteral("a5"), QPageSize::A5},       {QStringLiteral("b5"), QPageSize::B5},
            {QStringLiteral("letter"), QPageSize::Letter}, {QStringLiteral("legal"), QPageSize::Legal}};
        if (!ids.contains(p)) return {};
        s = QPageSize::size(ids.value(p), QPageSize::Millimeter);
    }
    if (landscape != (s.width() > s.height())) s.transpose();
    return s;
}

QRectF ReportLayout::printableRect() const
{
    QSizeF s = pageSize();
    return QRectF(margins.left(), margins.top(), s.width() - margins.left() - margins.right(),
                  s.height() - margins.top() - margins.bottom());
}

const ReportBand* ReportLayout::band(ReportBandType type) const
{
    for (const ReportBand& b : bands)
        if (b.type == type) return &b;
    return nullptr;
}

QFont reportQFont(const ReportFont& f, const ReportFont& fallback)
{
    QString family = f.family.isEmpty() ? fallback.family : f.family;
    if (family.isEmpty()) family = QStringLiteral("Noto Sans Thai");
    QFont font(family);
    // Thai glyphs come from a Thai font when the chosen one has none.
    font.setFamilies({family, QStringLiteral("Noto Sans Thai"), QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(f.size > 0 ? f.size : (fallback.size > 0 ? fallback.size : 10));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}
