#include "report/ReportExport.h"

#include "data/NkError.h"
#include "report/ReportPdfText.h"
#include "report/ReportRenderer.h"

#include <QFile>
#include <QHash>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <map>

QList<int> parseReportPageList(const QString& text, int pageCount)
{
    QSet<int> pages;
    for (QString part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        part = part.trimmed();
        if (part.isEmpty()) continue;
        bool ok1 = true, ok2 = true;
        int from, to;
        int dash = part.indexOf(QLatin1Char('-'));
        if (dash < 0) {
            from = to = part.toInt(&ok1);
        } else {
            const QString a = part.left(dash).trimmed(), b = part.mid(dash + 1).trimmed();
            from = a.isEmpty() ? 1 : a.toInt(&ok1);
            to = b.isEmpty() ? pageCount : b.toInt(&ok2);
        }
        if (!ok1 || !ok2 || from < 1 || to < from) throw NkError(QStringLiteral("Page list \"%1\" cannot be read").arg(text));
        for (int p = from; p <= std::min(to, pageCount); ++p) pages.insert(p);
    }
    QList<int> out(pages.begin(), pages.end());
    std::sort(out.begin(), out.end());
    return out;
}

QList<int> reportPrintSequence(int pageCount, const ReportPrintOptions& options)
{
    QList<int> pages;
    if (options.pageList.trimmed().isEmpty()) {
        for (int p = 1; p <= pageCount; ++p) pages.append(p);
    } else {
        pages = parseReportPageList(options.pageList, pageCount);
    }
    QList<int> chosen;
    for (int p : pages) {
        if (options.pageSet == ReportPrintOptions::PageSet::Odd && p % 2 == 0) continue;
        if (options.pageSet == ReportPrintOptions::PageSet::Even && p % 2 == 1) continue;
        chosen.append(p - 1);
    }
    const int copies = std::max(1, options.copies);
    QList<int> out;
    if (options.collate) {
        for (int c = 0; c < copies; ++c) out += chosen;
    } else {
        for (int p : chosen)
            for (int c = 0; c < copies; ++c) out.append(p);
    }
    return out;
}

namespace {

QPageLayout pageLayoutFor(const QSizeF& mm)
{
    const bool landscape = mm.width() > mm.height();
    const QSizeF portrait = landscape ? mm.transposed() : mm;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

void writeFile(const QString& path, const QByteArray& data)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) throw NkError(QStringLiteral("Cannot write %1: %2").arg(path, f.errorString()));
    f.write(data);
    if (!f.commit()) throw NkError(QStringLiteral("Cannot write %1: %2").arg(path, f.errorString()));
}

// Renders pages in the given order on a paged device (PDF writer or printer).
template <class Device>
void renderPages(Device& device, const PreparedReport& report, const QList<int>& order)
{
    if (order.isEmpty()) return;
    device.setPageLayout(pageLayoutFor(report.pages[order.first()].size));
    QPainter painter;
    if (!painter.begin(&device)) throw NkError(QStringLiteral("ไม่สามารถพิมพ์ได้ (the printer or file did not accept the document)"));
    bool first = true;
    for (int index : order) {
        const ReportPage& page = report.pages[index];
        if (!first) {
            device.setPageLayout(pageLayoutFor(page.size));
            device.newPage();
        }
        first = false;
        ReportRenderer::render(&painter, page, QRectF(0, 0, device.width(), device.height()));
    }
    if (!painter.end()) throw NkError(QStringLiteral("ไม่สามารถพิมพ์ได้ (the document could not be finished)"));
}

QString rtfEscape(const QString& s)
{
    QString out;
    for (QChar c : s) {
        ushort u = c.unicode();
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (u < 0x80) {
            out += c;
        } else {
            out += QStringLiteral("\\u%1?").arg(qint16(u));
        }
    }
    return out;
}

int twips(qreal mm) { return qRound(mm * 1440.0 / 25.4); }

// Gives the Thai of a written PDF file its tone marks and vowels back (see ReportPdfText.h).
void completePdfText(const PreparedReport& report, const QString& path)
{
    QList<QFont> fonts;
    QSet<QString> seen;
    for (const ReportPage& p : report.pages)
        for (const PageItem& i : p.items) {
            if (i.kind != PageItem::Kind::Text) continue;
            const QString key = i.font.families().join(QLatin1Char(',')) + QString::number(i.font.weight()) + (i.font.italic() ? u'i' : u'n');
            if (seen.contains(key)) continue;
            seen.insert(key);
            fonts.append(i.font);
        }
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) throw NkError(QStringLiteral("Cannot read %1: %2").arg(path, in.errorString()));
    const QByteArray written = in.readAll();
    in.close();
    const QByteArray completed = ReportPdfText::completeThaiText(written, fonts);
    if (completed != written) writeFile(path, completed);
}

}  // namespace

void ReportExport::toPdf(const PreparedReport& report, const QString& path)
{
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) throw NkError(QStringLiteral("Cannot write %1: %2").arg(path, probe.errorString()));
    }
    {
        QPdfWriter writer(path);
        writer.setResolution(1200);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("Namkhao"));
        QList<int> order;
        for (int i = 0; i < report.pages.size(); ++i) order.append(i);
        if (order.isEmpty()) {
            // An empty report still gives a valid (blank) document.
            QPainter p(&writer);
            return;
        }
        renderPages(writer, report, order);
    }
    completePdfText(report, path);
}

void ReportExport::print(const PreparedReport& report, QPrinter* printer, const ReportPrintOptions& options)
{
    const QList<int> order = reportPrintSequence(int(report.pages.size()), options);
    printer->setFullPage(true);
    printer->setCopyCount(1);
    printer->setCollateCopies(false);
    // The job's name is also the file name a print dialog proposes for printing to a file.
    if (!report.title.isEmpty()) printer->setDocName(safeFileName(report.title));
    renderPages(*printer, report, order);
    if (printer->printerState() == QPrinter::Error || printer->printerState() == QPrinter::Aborted)
        throw NkError(QStringLiteral("ไม่สามารถพิมพ์ได้ (the printer reported an error)"));
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
        completePdfText(report, printer->outputFileName());
}

void ReportExport::toRtf(const PreparedReport& report, const QString& path, qreal scaleX, qreal scaleY)
{
    QStringList fonts;
    QList<QColor> colors{Qt::black};
    for (const ReportPage& p : report.pages)
        for (const PageItem& i : p.items) {
            if (i.kind != PageItem::Kind::Text) continue;
            if (!fonts.contains(i.font.family())) fonts.append(i.font.family());
            if (!colors.contains(i.color)) colors.append(i.color);
        }
    if (fonts.isEmpty()) fonts.append(QStringLiteral("Noto Sans Thai"));
    QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg874\\deff0\\uc1\n{\\fonttbl");
    for (int f = 0; f < fonts.size(); ++f) out += QStringLiteral("{\\f%1\\fswiss\\fcharset222 %2;}").arg(f).arg(rtfEscape(fonts[f]));
    out += QStringLiteral("}\n{\\colortbl;");
    for (const QColor& c : colors) out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
    out += QStringLiteral("}\n");
    const QSizeF first = report.pages.isEmpty() ? QSizeF(210, 297) : report.pages.first().size;
    out += QStringLiteral("\\paperw%1\\paperh%2\\margl0\\margr0\\margt0\\margb0\\sectd\n")
               .arg(twips(first.width() * scaleX))
               .arg(twips(first.height() * scaleY));
    for (int pi = 0; pi < report.pages.size(); ++pi) {
        const ReportPage& page = report.pages[pi];
        if (pi > 0) out += QStringLiteral("\\page\n");
        for (const PageItem& i : page.items) {
            if (i.kind == PageItem::Kind::Text) {
                const int fs = qRound(i.font.pointSizeF() * 2);
                out += QStringLiteral("{\\pard\\pvpg\\phpg\\posx%1\\posy%2\\absw%3\\absh-%4\\f%5\\fs%6\\cf%7%8%9%10 %11\\par}\n")
                           .arg(twips(i.rect.left() * scaleX))
                           .arg(twips(i.rect.top() * scaleY))
                           .arg(twips(std::max<qreal>(i.rect.width() * scaleX, 1) + 1))
                           .arg(twips(std::max<qreal>(i.rect.height() * scaleY, 1)))
                           .arg(fonts.indexOf(i.font.family()))
                           .arg(fs)
                           .arg(colors.indexOf(i.color) + 1)
                           .arg(i.font.bold() ? QStringLiteral("\\b") : QString())
                           .arg(i.font.italic() ? QStringLiteral("\\i") : QString())
                           .arg(i.font.underline() ? QStringLiteral("\\ul") : QString())
                           .arg(rtfEscape(i.text));
            } else if (i.kind == PageItem::Kind::Line && i.penWidth > 0) {
                const QPointF a(i.p1.x() * scaleX, i.p1.y() * scaleY), b(i.p2.x() * scaleX, i.p2.y() * scaleY);
                out += QStringLiteral("{\\*\\do\\dobxpage\\dobypage\\dodhgt0\\dpline\\dpptx0\\dppty0\\dpptx%1\\dppty%2"
                                      "\\dpx%3\\dpy%4\\dpxsize%1\\dpysize%2\\dplinew%5\\dplinecor0\\dplinecog0\\dplinecob0}\n")
                           .arg(twips(b.x() - a.x()))
                           .arg(twips(b.y() - a.y()))
                           .arg(twips(a.x()))
                           .arg(twips(a.y()))
                           .arg(qRound(i.penWidth * 20));
            } else if ((i.kind == PageItem::Kind::Rect || i.kind == PageItem::Kind::Ellipse) && i.penWidth > 0) {
                out += QStringLiteral("{\\*\\do\\dobxpage\\dobypage\\dodhgt0\\%1\\dpx%2\\dpy%3\\dpxsize%4\\dpysize%5\\dplinew%6"
                                      "\\dplinecor0\\dplinecog0\\dplinecob0\\dpfillpat0}\n")
                           .arg(i.kind == PageItem::Kind::Ellipse ? QStringLiteral("dpellipse")
                                                                  : i.radius > 0 ? QStringLiteral("dprect\\dproundr")
                                                                                 : QStringLiteral("dprect"))
                           .arg(twips(i.rect.left() * scaleX))
                           .arg(twips(i.rect.top() * scaleY))
                           .arg(twips(i.rect.width() * scaleX))
                           .arg(twips(i.rect.height() * scaleY))
                           .arg(qRound(i.penWidth * 20));
            }
        }
    }
    out += QStringLiteral("}\n");
    writeFile(path, out.toLatin1());
}

namespace {
// Lines of one text box go into one cell. Thai wraps between words without a blank and
// fragments of one line follow each other directly; other wrapped lines lost a blank.
void appendLine(QString& cell, const QString& line, bool sameLine)
{
    if (cell.isEmpty() || line.isEmpty() || sameLine) {
        cell += line;
        return;
    }
    auto thai = [](QChar c) { return c.unicode() >= 0x0E00 && c.unicode() <= 0x0E7F; };
    const QChar a = cell.back(), b = line.front();
    if (!thai(a) && !thai(b) && a != QLatin1Char('-') && a != QLatin1Char('/')) cell += QLatin1Char(' ');
    cell += line;
}
}  // namespace

QString ReportExport::csvText(const PreparedReport& report, qreal scaleX, qreal scaleY, QChar delimiter)
{
    struct Cell {
        qreal top;   // mm from the top of the first page
        qreal left;  // mm
        qreal lastBaseline;
        QRectF box;
        int page;
        QString text;
    };
    // One cell per text box; pages one after the other, with the page header of the first page
    // only, the page footer of the last only, and no headers repeated on later pages.
    QList<Cell> cells;
    qreal pageTop = 0;
    const int lastPage = int(report.pages.size()) - 1;
    for (int p = 0; p <= lastPage; ++p) {
        const ReportPage& page = report.pages[p];
        QHash<QPair<qreal, qreal>, int> cellAt;  // box top left of this page -> index in cells
        for (const PageItem& i : page.items) {
            if (i.kind != PageItem::Kind::Text) continue;
            if ((i.role == PageItem::Role::PageHeader && p > 0) || (i.role == PageItem::Role::PageFooter && p < lastPage) ||
                i.role == PageItem::Role::RepeatedHeader)
                continue;
            const QRectF box = i.cell.isValid() ? i.cell : i.rect;
            const auto key = qMakePair(box.left(), box.top());
            auto found = cellAt.constFind(key);
            if (found != cellAt.constEnd() && cells[*found].box == box) {
                Cell& c = cells[*found];
                appendLine(c.text, i.text, qAbs(i.baseline.y() - c.lastBaseline) < 0.1);
                c.lastBaseline = i.baseline.y();
                continue;
            }
            cellAt.insert(key, int(cells.size()));
            cells.append({pageTop + box.top(), box.left(), i.baseline.y(), box, p, i.text});
        }
        pageTop += page.size.height();
    }
    std::stable_sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) { return a.top < b.top; });

    // Rows: boxes whose tops are closer than 1 mm / scaleY.
    const qreal rowGrid = 1.0 / std::max<qreal>(scaleY, 0.1);
    QList<QList<const Cell*>> rows;
    for (int i = 0; i < cells.size();) {
        QList<const Cell*> row;
        for (int j = i; j < cells.size() && cells[j].top - cells[i].top < rowGrid; ++j) row.append(&cells[j]);
        i += int(row.size());
        std::stable_sort(row.begin(), row.end(), [](const Cell* a, const Cell* b) { return a->left < b->left; });
        rows.append(row);
    }

    // Columns: the left edges (on a grid of 2 mm / scaleX) of the row with the most boxes, the
    // table; every other text goes into the column it starts under, so no column stays empty.
    const qreal colGrid = 2.0 / std::max<qreal>(scaleX, 0.1);
    auto gridOf = [&](qreal x) { return qRound64(x / colGrid); };
    QList<long long> columns;
    const QList<const Cell*>* widest = nullptr;
    for (const auto& row : rows)
        if (!widest || row.size() > widest->size()) widest = &row;
    if (widest)
        for (const Cell* c : *widest)
            if (!columns.contains(gridOf(c->left))) columns.append(gridOf(c->left));
    std::sort(columns.begin(), columns.end());
    auto columnOf = [&](qreal x) {
        const auto it = std::upper_bound(columns.begin(), columns.end(), gridOf(x));
        return it == columns.begin() ? 0 : int(it - columns.begin()) - 1;
    };
    auto quote = [&](const QString& s) {
        if (s.contains(delimiter) || s.contains(QLatin1Char('"')) || s.contains(QLatin1Char('\n'))) {
            QString q = s;
            q.replace(QLatin1Char('"'), QLatin1String("\"\""));
            return QLatin1Char('"') + q + QLatin1Char('"');
        }
        return s;
    };
    QString out;
    for (const auto& row : rows) {
        QStringList texts(std::max<qsizetype>(columns.size(), 1));
        for (const Cell* c : row) {
            QString& t = texts[columnOf(c->left)];
            if (!t.isEmpty()) t += QLatin1Char(' ');
            t += c->text;
        }
        while (!texts.isEmpty() && texts.last().isEmpty()) texts.removeLast();
        QStringList quoted;
        for (const QString& t : texts) quoted.append(quote(t));
        out += quoted.join(delimiter) + QStringLiteral("\r\n");
    }
    return out;
}

void ReportExport::toCsv(const PreparedReport& report, const QString& path, qreal scaleX, qreal scaleY, QChar delimiter)
{
    // The byte-order mark makes a spreadsheet on a Thai Windows desktop read UTF-8 instead of
    // the local code page.
    writeFile(path, QByteArray("\xEF\xBB\xBF") + csvText(report, scaleX, scaleY, delimiter).toUtf8());
}

void ReportExport::toCsv(const QList<PreparedReport>& sections, const QString& path)
{
    QStringList texts;
    for (const PreparedReport& r : sections) texts << csvText(r);
    writeFile(path, QByteArray("\xEF\xBB\xBF") + texts.join(QStringLiteral("\r\n")).toUtf8());
}

void ReportExport::toImage(const ReportPage& page, const QString& path, qreal dpi)
{
    if (!ReportRenderer::toImage(page, dpi).save(path)) throw NkError(QStringLiteral("Cannot write %1").arg(path));
}

QString ReportExport::safeFileName(const QString& title)
{
    QString out;
    out.reserve(title.size());
    for (const QChar c : title) {
        const bool bad = c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c);
        const QChar put = bad ? QLatin1Char('-') : (c.isSpace() ? QLatin1Char(' ') : c);
        if (put == QLatin1Char(' ') && (out.isEmpty() || out.endsWith(QLatin1Char(' '))))
            continue;
        out += put;
    }
    out = out.trimmed();
    while (out.startsWith(QLatin1Char('.')) || out.startsWith(QLatin1Char('-')))
        out.remove(0, 1);
    out = out.trimmed();
    return out.isEmpty() ? QStringLiteral("report") : out.left(120);
}
