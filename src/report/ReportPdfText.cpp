#include "report/ReportPdfText.h"

#include <QGlyphRun>
#include <QHash>
#include <QPainterPath>
#include <QRawFont>
#include <QSet>
#include <QTextLayout>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

// ---- fonts: which shaped variant stands for which character ---------------------------------

// The PostScript name of a font (name table, name 6), as the PDF writer names embedded fonts.
QString postScriptName(const QRawFont& font)
{
    const QByteArray t = font.fontTable("name");
    if (t.size() < 6) return {};
    const auto u16 = [&](qsizetype at) { return at + 2 <= t.size() ? qFromBigEndian<quint16>(t.constData() + at) : quint16(0); };
    const int count = u16(2);
    const int strings = u16(4);
    QString mac;
    for (int r = 0; r < count; ++r) {
        const qsizetype rec = 6 + 12 * qsizetype(r);
        const quint16 platform = u16(rec), nameId = u16(rec + 6), length = u16(rec + 8), offset = u16(rec + 10);
        if (nameId != 6 || strings + offset + length > t.size()) continue;
        const char* data = t.constData() + strings + offset;
        if (platform == 3 || platform == 0) {
            QString s;
            for (int k = 0; k + 1 < length; k += 2) s += QChar(qFromBigEndian<quint16>(data + k));
            return s;
        }
        if (platform == 1) mac = QString::fromLatin1(data, length);
    }
    return mac;
}

struct FontVariants {
    QRawFont font;                       // at the comparison size
    QHash<quint32, QString> text;        // glyph of a shaped variant -> the characters it shows
    QMultiHash<int, quint32> byElements; // variants by the element count of their outline
};

constexpr qreal kComparePixels = 100;

// How far apart two outlines are (pixels at the comparison size), or a large number when they
// are not made of the same elements. The same glyph read from the embedded subset and from the
// installed font differs by rounding (about a pixel at most); other glyphs by far more.
qreal outlineDistance(const QPainterPath& a, const QPainterPath& b)
{
    constexpr qreal far = 1e9;
    if (a.elementCount() != b.elementCount() || a.elementCount() == 0) return far;
    qreal d = 0;
    for (int i = 0; i < a.elementCount(); ++i) {
        const QPainterPath::Element x = a.elementAt(i), y = b.elementAt(i);
        if (x.type != y.type) return far;
        d = std::max({d, std::abs(x.x - y.x), std::abs(x.y - y.y)});
    }
    return d;
}
constexpr qreal kSameOutline = 2.5;

// Consonants of each shape (plain, tall, with a tail below, with a removable tail, round)
// with each upper and lower vowel and tone mark alone, tone marks over each upper and under
// vowel, and tone marks with SARA AM: the contexts in which a font substitutes marks.
QStringList thaiProbes()
{
    QStringList probes;
    const QList<char16_t> marks{0x0E31, 0x0E34, 0x0E35, 0x0E36, 0x0E37, 0x0E38, 0x0E39, 0x0E3A,
                                0x0E47, 0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C, 0x0E4D, 0x0E4E};
    const QList<char16_t> vowels{0x0E31, 0x0E34, 0x0E35, 0x0E36, 0x0E37, 0x0E38, 0x0E39};
    const QList<char16_t> tones{0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C};
    const QList<char16_t> consonants{0x0E01, 0x0E02, 0x0E04, 0x0E07, 0x0E0D, 0x0E0E, 0x0E0F, 0x0E10, 0x0E1A,
                                     0x0E1B, 0x0E1D, 0x0E1F, 0x0E2B, 0x0E2C, 0x0E2D, 0x0E2E};
    for (char16_t c : consonants) {
        for (char16_t m : marks) probes << (QString(QChar(c)) + QChar(m));
        for (char16_t v : vowels)
            for (char16_t t : tones) probes << (QString(QChar(c)) + QChar(v) + QChar(t));
        for (char16_t t : tones) probes << (QString(QChar(c)) + QChar(t) + QChar(0x0E33));
    }
    return probes;
}

// Shapes the probes in `font` and records, for each font the shaper used, which glyphs no
// character map leads to and which characters they stand for.
void learn(const QFont& font, QHash<QString, FontVariants>& known)
{
    static const QStringList probes = thaiProbes();
    QTextLayout layout(probes.join(QLatin1Char(' ')), font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) return;
    line.setLineWidth(1e9);
    layout.endLayout();
    std::map<QString, QList<quint32>> glyphsByFont;
    std::map<QString, QRawFont> rawByFont;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QString name = postScriptName(run.rawFont());
        if (name.isEmpty()) continue;
        glyphsByFont[name] += run.glyphIndexes();
        rawByFont[name] = run.rawFont();
    }
    for (const auto& [name, glyphs] : glyphsByFont) {
        if (known.contains(name)) continue;
        FontVariants& v = known[name];
        v.font = rawByFont[name];
        v.font.setPixelSize(kComparePixels);
        const QList<quint32> space = v.font.glyphIndexesForString(QStringLiteral(" "));
        if (space.isEmpty()) continue;
        // One probe between two blanks; a font that did not shape every probe is left alone.
        QList<QList<quint32>> clusters(1);
        for (quint32 g : glyphs) {
            if (g == space.first())
                clusters.append(QList<quint32>());
            else
                clusters.last().append(g);
        }
        if (clusters.size() != probes.size()) continue;
        for (int p = 0; p < probes.size(); ++p) {
            const QString& chars = probes[p];
            const QList<quint32>& shaped = clusters[p];
            QList<quint32> variants;
            QString missing;
            for (quint32 g : shaped) {
                bool mapped = false;
                for (QChar c : chars) mapped = mapped || v.font.glyphIndexesForString(QString(c)).value(0) == g;
                if (!mapped && !variants.contains(g)) variants.append(g);
            }
            for (QChar c : chars)
                if (!shaped.contains(v.font.glyphIndexesForString(QString(c)).value(0))) missing += c;
            // One variant per missing character, in order; or one variant for two characters.
            if (variants.isEmpty() || missing.isEmpty()) continue;
            if (variants.size() == missing.size()) {
                for (int k = 0; k < variants.size(); ++k)
                    if (!v.text.contains(variants[k])) v.text.insert(variants[k], QString(missing[k]));
            } else if (variants.size() == 1 && !v.text.contains(variants.first())) {
                v.text.insert(variants.first(), missing);
            }
        }
        for (auto it = v.text.constBegin(); it != v.text.constEnd(); ++it)
            v.byElements.insert(v.font.pathForGlyph(it.key()).elementCount(), it.key());
    }
}

// ---- PDF objects -----------------------------------------------------------------------------

struct PdfObject {
    int number = 0;
    qsizetype start = 0;  // "N 0 obj"
    qsizetype end = 0;    // just after the object, before the next one
};

struct PdfFile {
    QByteArray bytes;
    QList<PdfObject> objects;  // in file order
    QHash<int, int> index;     // object number -> position in objects
    QByteArray trailer;        // the trailer dictionary
    int size = 0;

    QByteArray object(int number) const
    {
        const auto it = index.constFind(number);
        if (it == index.constEnd()) return {};
        const PdfObject& o = objects[*it];
        return bytes.mid(o.start, o.end - o.start);
    }
};

qsizetype skipSpace(const QByteArray& b, qsizetype p)
{
    while (p < b.size() && (b[p] == ' ' || b[p] == '\n' || b[p] == '\r' || b[p] == '\t')) ++p;
    return p;
}

long long readNumber(const QByteArray& b, qsizetype& p)
{
    p = skipSpace(b, p);
    long long n = 0;
    const qsizetype start = p;
    while (p < b.size() && b[p] >= '0' && b[p] <= '9' && p - start < 12) n = n * 10 + (b[p++] - '0');
    return p == start ? -1 : n;
}

// Objects from the cross-reference table; false for a file this code does not understand.
bool parse(PdfFile& f)
{
    const qsizetype sx = f.bytes.lastIndexOf("startxref");
    if (sx < 0) return false;
    qsizetype p = sx + 9;
    const long long xref = readNumber(f.bytes, p);
    if (xref <= 0 || xref >= sx || f.bytes.mid(xref, 4) != "xref") return false;
    p = xref + 4;
    for (;;) {
        p = skipSpace(f.bytes, p);
        if (f.bytes.mid(p, 7) == "trailer") break;
        const long long first = readNumber(f.bytes, p), count = readNumber(f.bytes, p);
        if (first < 0 || count < 0 || count > 1000000) return false;
        for (long long k = 0; k < count; ++k) {
            const long long offset = readNumber(f.bytes, p);
            readNumber(f.bytes, p);  // generation
            p = skipSpace(f.bytes, p);
            if (offset < 0 || p >= f.bytes.size()) return false;
            if (f.bytes[p++] == 'n' && offset < xref) f.objects.append({int(first + k), qsizetype(offset), 0});
            f.size = std::max(f.size, int(first + k + 1));
        }
    }
    f.trailer = f.bytes.mid(p + 7, sx - p - 7).trimmed();
    std::sort(f.objects.begin(), f.objects.end(), [](const PdfObject& a, const PdfObject& b) { return a.start < b.start; });
    for (int i = 0; i < f.objects.size(); ++i) {
        f.objects[i].end = i + 1 < f.objects.size() ? f.objects[i + 1].start : xref;
        f.index.insert(f.objects[i].number, i);
    }
    return !f.objects.isEmpty() && f.objects.first().start > 0;
}

// The object number after `key` in "key N 0 R" (or "key [N 0 R]"); -1 when none.
int reference(const QByteArray& object, const QByteArray& key)
{
    qsizetype p = object.indexOf(key);
    if (p < 0) return -1;
    p = skipSpace(object, p + key.size());
    if (p < object.size() && object[p] == '[') ++p;
    const long long n = readNumber(object, p);
    return n > 0 && n < (1 << 30) ? int(n) : -1;
}

// The data length a stream's dictionary gives, written in place or in an object of its own
// ("/Length 12 0 R", as Qt's writer does); -1 when it cannot be read.
long long streamLength(const PdfFile& file, const QByteArray& object, qsizetype dataStart)
{
    const qsizetype key = object.indexOf("/Length ");
    if (key < 0 || key > dataStart) return -1;
    qsizetype p = key + 8;
    const long long n = readNumber(object, p);
    if (n < 0) return -1;
    qsizetype q = p;
    const long long generation = readNumber(object, q);
    q = skipSpace(object, q);
    if (generation < 0 || q >= object.size() || object[q] != 'R') return n;  // in place
    const QByteArray holder = file.object(int(std::min<long long>(n, 1 << 30)));
    qsizetype h = holder.indexOf("obj");
    if (h < 0) return -1;
    h += 3;
    return readNumber(holder, h);
}

QByteArray streamData(const PdfFile& file, const QByteArray& object)
{
    qsizetype s = object.indexOf("stream");
    const qsizetype e = object.lastIndexOf("endstream");
    if (s < 0 || e < s) return {};
    s += 6;
    if (s < object.size() && object[s] == '\r') ++s;
    if (s < object.size() && object[s] == '\n') ++s;
    // Compressed data may itself end in a line-end byte: the length, when known, decides, and
    // trimming before "endstream" is only the fallback.
    const long long length = streamLength(file, object, s);
    if (length >= 0 && s + length <= e) return object.mid(s, length);
    qsizetype end = e;
    if (end > s && object[end - 1] == '\n') --end;
    if (end > s && object[end - 1] == '\r') --end;
    return object.mid(s, end - s);
}

QByteArray inflate(const QByteArray& data)
{
    QByteArray prefixed(4, '\0');
    qToBigEndian<quint32>(quint32(std::min<qsizetype>(data.size() * 4 + 1024, 64 << 20)), prefixed.data());
    return qUncompress(prefixed + data);
}

// Fast compression: a page's contents are written again for every PDF.
QByteArray deflate(const QByteArray& data) { return qCompress(data, 1).mid(4); }

QByteArray streamObject(int number, const QByteArray& data, bool compressed)
{
    QByteArray out = QByteArray::number(number) + " 0 obj\n<<\n/Length " + QByteArray::number(data.size()) + "\n";
    if (compressed) out += "/Filter /FlateDecode\n";
    return out + ">>\nstream\n" + data + "\nendstream\nendobj\n";
}

// ---- ToUnicode maps ----------------------------------------------------------------------------

QString hexText(const QByteArray& hex)
{
    QString s;
    for (qsizetype k = 0; k + 4 <= hex.size(); k += 4) s += QChar(char16_t(hex.mid(k, 4).toUShort(nullptr, 16)));
    return s;
}

QHash<int, QString> readToUnicode(const QByteArray& cmap)
{
    QHash<int, QString> map;
    QList<QByteArray> tokens;  // hex strings "<...>", "[" and "]", and the section keywords
    for (qsizetype p = std::max<qsizetype>(0, cmap.indexOf("endcodespacerange")); p < cmap.size(); ++p) {
        const char c = cmap[p];
        if (c == '<') {
            const qsizetype e = cmap.indexOf('>', p);
            if (e < 0) break;
            tokens << cmap.mid(p, e - p + 1);
            p = e;
        } else if (c == '[' || c == ']') {
            tokens << QByteArray(1, c);
        } else if (cmap.mid(p, 11) == "beginbfchar" || cmap.mid(p, 12) == "beginbfrange") {
            const bool range = cmap[p + 7] == 'r';
            tokens << (range ? QByteArray("range") : QByteArray("char"));
            p += range ? 11 : 10;
        }
    }
    auto hex = [](const QByteArray& t) { return t.mid(1, t.size() - 2); };
    bool range = false;
    for (qsizetype i = 0; i < tokens.size();) {
        if (tokens[i] == "range" || tokens[i] == "char") {
            range = tokens[i] == "range";
            ++i;
            continue;
        }
        if (!range) {
            if (i + 1 < tokens.size() && tokens[i].startsWith('<') && tokens[i + 1].startsWith('<'))
                map.insert(hex(tokens[i]).toInt(nullptr, 16), hexText(hex(tokens[i + 1])));
            i += 2;
            continue;
        }
        if (i + 2 >= tokens.size()) break;
        const int lo = hex(tokens[i]).toInt(nullptr, 16), hi = hex(tokens[i + 1]).toInt(nullptr, 16);
        if (tokens[i + 2] == "[") {
            qsizetype k = i + 3;
            for (int code = lo; k < tokens.size() && tokens[k] != "]"; ++k, ++code) map.insert(code, hexText(hex(tokens[k])));
            i = k + 1;
        } else {
            QString first = hexText(hex(tokens[i + 2]));
            for (int code = lo; code <= hi && code - lo < 65536 && !first.isEmpty(); ++code) {
                map.insert(code, first);
                first.back() = QChar(char16_t(first.back().unicode() + 1));
            }
            i += 3;
        }
    }
    return map;
}

QByteArray hex4(int v) { return QByteArray::number(v, 16).toUpper().rightJustified(4, '0'); }

QByteArray hexOf(const QString& s)
{
    static const char digits[] = "0123456789ABCDEF";
    QByteArray out(s.size() * 4, Qt::Uninitialized);
    char* d = out.data();
    for (QChar c : s) {
        const ushort u = c.unicode();
        *d++ = digits[u >> 12];
        *d++ = digits[(u >> 8) & 15];
        *d++ = digits[(u >> 4) & 15];
        *d++ = digits[u & 15];
    }
    return out;
}

QByteArray writeToUnicode(const QHash<int, QString>& map)
{
    QByteArray out = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                     "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                     "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    QList<int> codes = map.keys();
    std::sort(codes.begin(), codes.end());
    for (qsizetype i = 0; i < codes.size(); i += 100) {
        const qsizetype n = std::min<qsizetype>(100, codes.size() - i);
        out += QByteArray::number(n) + " beginbfchar\n";
        for (qsizetype k = i; k < i + n; ++k) out += '<' + hex4(codes[k]) + "> <" + hexOf(map.value(codes[k])) + ">\n";
        out += "endbfchar\n";
    }
    return out + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

// ---- page contents -----------------------------------------------------------------------------

bool isMarkText(const QString& s)
{
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (!c.isMark()) return false;
    return true;
}

// Glyph widths of a CID font ("/W [first [w w ...] first last w ...]"), in thousandths of an em.
QHash<int, qreal> readWidths(const QByteArray& font)
{
    QHash<int, qreal> widths;
    const qsizetype w = font.indexOf("/W [");
    if (w < 0) return widths;
    QList<QByteArray> tokens;
    int depth = 0;
    for (qsizetype p = w + 3; p < font.size(); ++p) {
        const char c = font[p];
        if (c == '[' || c == ']') {
            tokens << QByteArray(1, c);
            depth += c == '[' ? 1 : -1;
            if (depth == 0) break;
        } else if ((c >= '0' && c <= '9') || c == '.' || c == '-') {
            qsizetype e = p;
            while (e < font.size() && ((font[e] >= '0' && font[e] <= '9') || font[e] == '.' || font[e] == '-')) ++e;
            tokens << font.mid(p, e - p);
            p = e - 1;
        }
    }
    for (qsizetype i = 1; i + 1 < tokens.size();) {
        const int first = tokens[i].toInt();
        if (tokens[i + 1] == "[") {
            qsizetype k = i + 2;
            for (int code = first; k < tokens.size() && tokens[k] != "]"; ++k, ++code) widths.insert(code, tokens[k].toDouble());
            i = k + 1;
        } else if (i + 2 < tokens.size()) {
            for (int code = first; code <= tokens[i + 1].toInt() && code - first < 65536; ++code) widths.insert(code, tokens[i + 2].toDouble());
            i += 3;
        } else {
            break;
        }
    }
    return widths;
}

struct PdfFont {
    enum Kind : quint8 { Other, Mark, Nikhahit, SaraAa };
    QHash<int, QString> text;  // glyph -> characters
    QHash<int, qreal> widths;  // glyph -> advance in thousandths of an em
    QHash<int, Kind> kinds;    // glyphs that are not Other

    PdfFont() = default;
    PdfFont(const QHash<int, QString>& t, const QHash<int, qreal>& w) : text(t), widths(w)
    {
        for (auto it = text.constBegin(); it != text.constEnd(); ++it) {
            if (it.value() == QStringLiteral("\u0E4D"))
                kinds.insert(it.key(), Nikhahit);
            else if (it.value() == QStringLiteral("\u0E32"))
                kinds.insert(it.key(), SaraAa);
            else if (isMarkText(it.value()))
                kinds.insert(it.key(), Mark);
        }
    }
};

// Wraps each consonant-with-marks cluster of glyphs (one "x y Td <gid> Tj" line each, as the
// writer draws them) in an ActualText span; false when nothing changed. The span starts with
// the consonant, so its text stands on the consonant's baseline; when the last mark ends
// before the consonant does, character spacing on that mark carries the span to the
// consonant's end, so no blank is read between the cluster and the next letter (the glyphs are
// placed from the start of the line, so the spacing moves nothing on the page).
bool markClusters(QByteArray& content, const QHash<int, PdfFont>& fonts)
{
    struct Glyph {
        qsizetype start, end;  // the line, without its line end
        int code;
        PdfFont::Kind kind;
        qreal dx;              // from the glyph before
    };
    QByteArray out;
    qsizetype copied = 0;  // content before this offset is in `out`
    const PdfFont* font = nullptr;
    qreal fontSize = 0;
    QList<Glyph> cluster;
    auto flush = [&] {
        bool wrap = cluster.size() > 1 && font && font->text.contains(cluster.first().code) &&
                    cluster.first().kind != PdfFont::Mark;
        if (wrap) {
            QString actual;
            bool am = false;
            for (const Glyph& g : cluster) {
                if (g.kind == PdfFont::Nikhahit) {
                    am = true;  // NIKHAHIT, and SARA AA after it: SARA AM as written
                } else if (am && g.kind == PdfFont::SaraAa) {
                    actual += QChar(0x0E33);
                    am = false;
                } else {
                    actual += font->text.value(g.code);
                }
            }
            if (am) actual += QChar(0x0E4D);
            out += QByteArrayView(content).sliced(copied, cluster.first().start - copied);
            out += "/Span <</ActualText <FEFF" + hexOf(actual) + ">>> BDC\n";
            qreal x = 0;  // from the consonant
            const qreal end = font->widths.value(cluster.first().code) / 1000 * fontSize;
            for (int k = 0; k < cluster.size(); ++k) {
                const Glyph& g = cluster[k];
                if (k > 0) x += g.dx;
                const qreal spacing = end - x - font->widths.value(g.code) / 1000 * fontSize;
                const bool stretch = k + 1 == cluster.size() && spacing > 0.01;
                if (stretch) out += QByteArray::number(spacing, 'f', 4) + " Tc\n";
                out += QByteArrayView(content).sliced(g.start, g.end - g.start);
                out += '\n';
                if (stretch) out += "0 Tc\n";
            }
            out += "EMC\n";
            copied = std::min(cluster.last().end + 1, content.size());
        }
        cluster.clear();
    };
    for (qsizetype start = 0; start < content.size();) {
        qsizetype stop = content.indexOf('\n', start);
        if (stop < 0) stop = content.size();
        const QByteArrayView line(content.constData() + start, stop - start);
        const qsizetype lineStart = start;
        start = stop + 1;
        if (font && line.endsWith("> Tj")) {
            const qsizetype open = line.size() - 9;
            if (open > 4 && line[open] == '<' && line.sliced(open - 3, 3) == "Td ") {
                const int code = line.sliced(open + 1, 4).toInt(nullptr, 16);
                const PdfFont::Kind kind = font->kinds.value(code, PdfFont::Other);
                const bool joins = !cluster.isEmpty() &&
                                   (kind == PdfFont::Mark || kind == PdfFont::Nikhahit ||
                                    (kind == PdfFont::SaraAa && std::any_of(cluster.begin(), cluster.end(), [](const Glyph& g) {
                                         return g.kind == PdfFont::Nikhahit;
                                     })));
                if (!joins) flush();
                qreal dx = 0;
                if (joins) {
                    const qsizetype blank = line.indexOf(' ');
                    dx = line.first(blank < 0 ? 0 : blank).toDouble();
                }
                cluster.append({lineStart, stop, code, kind, dx});
                continue;
            }
        }
        flush();
        const qsizetype tf = line.indexOf(" Tf");
        if (tf > 0) {
            // "/F<object> size Tf": the writer names each font after its object.
            const qsizetype f = line.indexOf("/F");
            const qsizetype blank = f < 0 ? -1 : line.indexOf(' ', f);
            const int number = blank < 0 ? -1 : line.sliced(f + 2, blank - f - 2).toInt();
            const auto it = fonts.constFind(number);
            font = it == fonts.constEnd() ? nullptr : &it.value();
            fontSize = blank < 0 || tf <= blank ? 0 : line.sliced(blank + 1, tf - blank - 1).toDouble();
        }
    }
    flush();
    if (out.isEmpty()) return false;
    out += QByteArrayView(content).sliced(copied);
    content = out;
    return true;
}

}  // namespace

QByteArray ReportPdfText::completeThaiText(const QByteArray& pdf, const QList<QFont>& fonts)
{
    // Learned once per font for the life of the program (reports are written on the one
    // user-interface thread).
    static QHash<QString, FontVariants> known;
    static QSet<QString> learnedFonts;
    for (const QFont& f : fonts) {
        const QString key = f.families().join(QLatin1Char(',')) + QString::number(f.weight()) + (f.italic() ? u'i' : u'n');
        if (learnedFonts.contains(key)) continue;
        learnedFonts.insert(key);
        learn(f, known);
    }

    PdfFile file;
    file.bytes = pdf;
    if (!parse(file)) return pdf;
    QHash<int, QByteArray> replaced;           // object number -> new object
    QHash<int, PdfFont> textByFont;  // Type0 font object -> its glyphs
    for (const PdfObject& o : std::as_const(file.objects)) {
        const QByteArray obj = file.object(o.number);
        if (!obj.contains("/Subtype /Type0") || !obj.contains("/ToUnicode")) continue;
        const int toUnicode = reference(obj, "/ToUnicode");
        const int descendant = reference(obj, "/DescendantFonts");
        const int descriptor = reference(file.object(descendant), "/FontDescriptor");
        const QByteArray fontFile = file.object(reference(file.object(descriptor), "/FontFile2"));
        QHash<int, QString> map = readToUnicode(streamData(file, file.object(toUnicode)));
        if (map.isEmpty() || fontFile.isEmpty()) continue;

        qsizetype p = obj.indexOf("/BaseFont /");
        QString name = p < 0 ? QString() : QString::fromLatin1(obj.mid(p + 11, obj.indexOf('\n', p) - p - 11)).trimmed();
        if (name.size() > 7 && name[6] == QLatin1Char('+')) name = name.mid(7);  // subset prefix
        bool changed = false;
        // A blank drawn with the tab's glyph reads as a tab.
        for (auto it = map.begin(); it != map.end(); ++it)
            if (it.value() == QStringLiteral("\t")) {
                it.value() = QStringLiteral(" ");
                changed = true;
            }
        const auto variants = known.constFind(name);
        if (variants != known.constEnd() && !variants->text.isEmpty()) {
            const QRawFont subset(inflate(streamData(file, fontFile)), kComparePixels, QFont::PreferNoHinting);
            const QByteArray maxp = subset.isValid() ? subset.fontTable("maxp") : QByteArray();
            const int glyphs = maxp.size() >= 6 ? qFromBigEndian<quint16>(maxp.constData() + 4) : 0;
            for (int cid = 1; cid < glyphs; ++cid) {
                if (!map.value(cid).isEmpty()) continue;
                const QPainterPath path = subset.pathForGlyph(quint32(cid));
                const auto candidates = variants->byElements.values(path.elementCount());
                qreal best = kSameOutline;
                for (quint32 g : candidates) {
                    const qreal d = outlineDistance(variants->font.pathForGlyph(g), path);
                    if (d <= best) {
                        best = d;
                        map.insert(cid, variants->text.value(g));
                        changed = true;
                    }
                }
            }
        }
        textByFont.insert(o.number, {map, readWidths(file.object(descendant))});
        if (changed) replaced.insert(toUnicode, streamObject(toUnicode, writeToUnicode(map), false));
    }
    if (textByFont.isEmpty()) return pdf;

    for (const PdfObject& o : std::as_const(file.objects)) {
        const QByteArray obj = file.object(o.number);
        if (!obj.contains("/Type /Page\n") && !obj.contains("/Type /Page ")) continue;
        const int contents = reference(obj, "/Contents");
        const QByteArray stream = file.object(contents);
        if (stream.isEmpty() || !stream.contains("/FlateDecode")) continue;
        QByteArray content = inflate(streamData(file, stream));
        if (!content.isEmpty() && markClusters(content, textByFont))
            replaced.insert(contents, streamObject(contents, deflate(content), true));
    }
    if (replaced.isEmpty()) return pdf;

    // The same objects in the same order, replaced ones rewritten, and a new cross-reference table.
    QByteArray out = file.bytes.left(file.objects.first().start);
    QHash<int, qsizetype> offsets;
    for (const PdfObject& o : std::as_const(file.objects)) {
        offsets.insert(o.number, out.size());
        const auto r = replaced.constFind(o.number);
        out += r == replaced.constEnd() ? file.bytes.mid(o.start, o.end - o.start) : *r;
    }
    const qsizetype xref = out.size();
    out += "xref\n0 " + QByteArray::number(file.size) + "\n0000000000 65535 f \n";
    for (int n = 1; n < file.size; ++n) {
        const auto it = offsets.constFind(n);
        out += it == offsets.constEnd() ? QByteArray("0000000000 00000 f \n")
                                        : QByteArray::number(qlonglong(*it)).rightJustified(10, '0') + " 00000 n \n";
    }
    out += "trailer\n" + file.trailer + "\nstartxref\n" + QByteArray::number(qlonglong(xref)) + "\n%%EOF\n";
    return out;
}
