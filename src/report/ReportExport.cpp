#include "report/ReportExport.h"

#include "data/NkError.h"
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
    if (!painter.begin(&device)) throw NkError(QStringLiteral("Cannot start printing"));
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
    painter.end();
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

}  // namespace

void ReportExport::toPdf(const PreparedReport& report, const QString& path)
{
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) throw NkError(QStringLiteral("Cannot write %1: %2").arg(path, probe.errorString()));
    }
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

void ReportExport::print(const PreparedReport& report, QPrinter* printer, const ReportPrintOptions& options)
{
    const QList<int> order = reportPrintSequence(int(report.pages.size()), options);
    printer->setFullPage(true);
    printer->setCopyCount(1);
    printer->setCollateCopies(false);
    if (!report.title.isEmpty()) printer->setDocName(report.title);
    renderPages(*printer, report, order);
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

QString ReportExport::csvText(const PreparedReport& report, qreal scaleX, qreal scaleY, QChar delimiter)
{
    struct Run {
        qreal y;
        qreal x;
        QString text;
    };
    // All pages stacked without page breaks.
    QList<Run> runs;
    qreal pageTop = 0;
    for (const ReportPage& page : report.pages) {
        for (const PageItem& i : page.items) {
            if (i.kind != PageItem::Kind::Text) continue;
            const QRectF cell = i.cell.isValid() ? i.cell : i.rect;
            runs.append({pageTop + i.baseline.y(), cell.left(), i.text});
        }
        pageTop += page.size.height();
    }
    std::stable_sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.y < b.y; });
    // Columns: the left edges of the text boxes on a grid of 2 mm / scaleX; rows: baselines
    // closer than 1 mm / scaleY share a row.
    const qreal colGrid = 2.0 / std::max<qreal>(scaleX, 0.1);
    const qreal rowGrid = 1.0 / std::max<qreal>(scaleY, 0.1);
    std::map<long long, int> columns;
    for (const Run& r : runs) columns[qRound64(r.x / colGrid)] = 0;
    int n = 0;
    for (auto& c : columns) c.second = n++;
    auto quote = [&](const QString& s) {
        if (s.contains(delimiter) || s.contains(QLatin1Char('"')) || s.contains(QLatin1Char('\n'))) {
            QString q = s;
            q.replace(QLatin1Char('"'), QLatin1String("\"\""));
            return QLatin1Char('"') + q + QLatin1Char('"');
        }
        return s;
    };
    QString out;
    for (int i = 0; i < runs.size();) {
        int j = i;
        QStringList cells(n);
        while (j < runs.size() && runs[j].y - runs[i].y < rowGrid) {
            QString& cell = cells[columns[qRound64(runs[j].x / colGrid)]];
            if (!cell.isEmpty()) cell += QLatin1Char(' ');
            cell += runs[j].text;
            ++j;
        }
        while (!cells.isEmpty() && cells.last().isEmpty()) cells.removeLast();
        QStringList quoted;
        for (const QString& c : cells) quoted.append(quote(c));
        out += quoted.join(delimiter) + QStringLiteral("\r\n");
        i = j;
    }
    return out;
}

void ReportExport::toCsv(const PreparedReport& report, const QString& path, qreal scaleX, qreal scaleY, QChar delimiter)
{
    // The byte-order mark makes a spreadsheet on a Thai Windows desktop read UTF-8 instead of
    // the local code page.
    writeFile(path, QByteArray("\xEF\xBB\xBF") + csvText(report, scaleX, scaleY, delimiter).toUtf8());
}

void ReportExport::toImage(const ReportPage& page, const QString& path, qreal dpi)
{
    if (!ReportRenderer::toImage(page, dpi).save(path)) throw NkError(QStringLiteral("Cannot write %1").arg(path));
}
