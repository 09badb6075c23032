#include "report/ReportPrepare.h"

#include "data/DbUtil.h"
#include "report/ReportLimits.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextBlock>
#include <QTextDocument>
#include <QFontMetricsF>
#include <QTextLayout>

#ifdef NK_HAVE_ZINT
#include <zint.h>
#endif

namespace {

QPaintDevice* referenceDevice()
{
    static QImage device = [] {
        QImage img(1, 1, QImage::Format_ARGB32);
        const int dpm = qRound(kReportRefDpi / 0.0254);
        img.setDotsPerMeterX(dpm);
        img.setDotsPerMeterY(dpm);
        return img;
    }();
    return &device;
}

QString htmlEscaped(const QString& s) { return s.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")); }

}  // namespace

static QList<ReportTextLine> layoutUncached(const QString& textIn, const QFont& font, qreal widthMm, bool wrap, qreal maxHeightMm);

// What decides the lines of a text besides the text itself.
static QString boxKey(const QFont& font, qreal widthMm, bool wrap, qreal maxHeightMm)
{
    return font.key() + QChar(1) + QString::number(widthMm, 'f', 3) + QChar(1) + QString::number(maxHeightMm, 'f', 1) +
           (wrap ? QChar('w') : QChar('n'));
}

static QList<ReportTextLine> layoutInBox(const QString& box, const QString& text, const QFont& font, qreal widthMm, bool wrap,
                                         qreal maxHeightMm)
{
    // Long texts are laid out every time: kept, they would fill memory.
    if (text.size() > ReportLimits::MaxCachedText) return layoutUncached(text, font, widthMm, wrap, maxHeightMm);
    // Documents repeat the same texts (captions, units, names) on every row and page, and a
    // report using TOTALPAGES is laid out twice: lay each text out once.
    // (Reports are prepared on the one user-interface thread.)
    static QHash<QString, QHash<QString, QList<ReportTextLine>>> cache;  // box -> text -> lines
    static int cached = 0;
    QHash<QString, QList<ReportTextLine>>& texts = cache[box];
    auto it = texts.constFind(text);
    if (it != texts.constEnd()) return *it;
    if (++cached > 20000) {
        cache.clear();
        cached = 0;
        return layoutUncached(text, font, widthMm, wrap, maxHeightMm);
    }
    QList<ReportTextLine> lines = layoutUncached(text, font, widthMm, wrap, maxHeightMm);
    texts.insert(text, lines);
    return lines;
}

QList<ReportTextLine> layoutReportText(const QString& text, const QFont& font, qreal widthMm, bool wrap, qreal maxHeightMm)
{
    return layoutInBox(boxKey(font, widthMm, wrap, maxHeightMm), text, font, widthMm, wrap, maxHeightMm);
}

// A short Latin text (ASCII letters, digits, punctuation) without line breaks that fits its
// width is one line: measured without a text layout, since most cells of a document are such
// numbers and codes. Its line metrics are those of a laid-out digit in the same font, which
// such texts share; anything else takes the full layout.
static bool measureSingleLine(const QString& text, const QFont& font, qreal widthMm, ReportTextLine* out)
{
    if (text.isEmpty() || text.size() > 200 || text.front() == QLatin1Char(' ') || text.back() == QLatin1Char(' ')) return false;
    bool alnum = false;
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 || u > 0x7e) return false;
        alnum = alnum || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
    }
    if (!alnum) return false;
    struct Metrics {
        QFontMetricsF metrics;
        qreal ascent = 0;
        qreal height = 0;
    };
    static QHash<QString, Metrics> cache;  // by font key; a report has few fonts
    const QString key = font.key();
    auto it = cache.constFind(key);
    if (it == cache.constEnd()) {
        QTextLayout sample(QStringLiteral("0"), font, referenceDevice());
        sample.beginLayout();
        QTextLine line = sample.createLine();
        line.setLineWidth(1e6);
        sample.endLayout();
        it = cache.insert(key, Metrics{QFontMetricsF(font, referenceDevice()), line.ascent(), line.height()});
    }
    const qreal width = it->metrics.horizontalAdvance(text);
    if (width > mmToRefPx(std::max<qreal>(widthMm, 1))) return false;
    out->text = text;
    out->x = 0;
    out->width = refPxToMm(width);
    out->top = 0;
    out->ascent = refPxToMm(it->ascent);
    out->height = refPxToMm(it->height);
    return true;
}

static QList<ReportTextLine> layoutUncached(const QString& textIn, const QFont& font, qreal widthMm, bool wrap, qreal maxHeightMm)
{
    ReportTextLine single;
    if (measureSingleLine(textIn, font, widthMm, &single)) return {single};
    QString text = textIn;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, font, referenceDevice());
    QTextOption opt;
    opt.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout.setTextOption(opt);
    layout.setCacheEnabled(true);
    QList<ReportTextLine> out;
    const qreal width = mmToRefPx(std::max<qreal>(widthMm, 1));
    qreal y = 0;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
        ReportTextLine l;
        l.text = text.mid(line.textStart(), line.textLength());
        while (!l.text.isEmpty() && (l.text.back().isSpace() || l.text.back() == QChar::LineSeparator)) l.text.chop(1);
        l.width = refPxToMm(line.naturalTextWidth());
        l.top = refPxToMm(line.y());
        l.ascent = refPxToMm(line.ascent());
        l.height = refPxToMm(line.height());
        out.append(l);
        // Lines below the room there is are never printed: not laid out either.
        if (maxHeightMm > 0 && l.top + l.height > maxHeightMm) break;
    }
    layout.endLayout();
    return out;
}

namespace {

struct Accumulator {
    Decimal sum;
    long long count = 0;
    ReportValue min, max;
    void reset() { *this = Accumulator(); }
};

enum class Scope { Report, Page, Group };

struct AggregateInfo {
    Scope scope = Scope::Report;
    int group = -1;  // group index for Scope::Group
    Accumulator acc;
};

// A master data band with its group headers (outermost first) and footers (innermost first).
struct Section {
    const ReportBand* data = nullptr;
    QList<const ReportBand*> headers;
    QList<const ReportBand*> footers;
};

class Preparer : public EvalContext {
public:
    Preparer(const ReportLayout& layout, ReportEnvironment& env, int totalPages)
        : m_layout(layout), m_env(env), m_totalPages(totalPages)
    {
    }

    PreparedReport run()
    {
        m_printable = m_layout.printableRect();
        // Page setup may have changed paper and margins since the layout was read.
        if (m_layout.pageSize().isEmpty() || m_printable.width() < ReportLimits::MinPaperMm ||
            m_printable.height() < ReportLimits::MinPaperMm)
            throw ReportError(m_layout.fileName, 1, 1, QStringLiteral("The paper size and margins leave no room to print"));
        openDataSets();
        collectAggregates();
        m_pageFooter = m_layout.band(ReportBandType::PageFooter);
        m_pageHeader = m_layout.band(ReportBandType::PageHeader);

        // Bands in the order they run.
        QList<Section> sections;
        QList<const ReportBand*> pendingHeaders;
        for (const ReportBand& b : m_layout.bands) {
            if (b.type == ReportBandType::GroupHeader) {
                pendingHeaders.append(&b);
            } else if (b.type == ReportBandType::MasterData) {
                Section s;
                s.data = &b;
                s.headers = pendingHeaders;
                pendingHeaders.clear();
                sections.append(s);
            } else if (b.type == ReportBandType::GroupFooter && !sections.isEmpty()) {
                sections.last().footers.append(&b);
            }
        }

        startPage();
        if (const ReportBand* title = m_layout.band(ReportBandType::ReportTitle)) printBand(*title);
        for (const Section& s : sections) runSection(s);
        if (const ReportBand* summary = m_layout.band(ReportBandType::Summary)) printBand(*summary);
        finishPage();
        m_report.title = m_layout.title;
        return m_report;
    }

    // ---- EvalContext ------------------------------------------------------------------
    bool lookupName(const QString& name, ReportValue* out) override
    {
        const QString upper = name.toUpper();
        if (upper == QLatin1String("PAGE#") || upper == QLatin1String("PAGE")) {
            *out = ReportValue::number(Decimal(m_pageNo));
            return true;
        }
        if (upper == QLatin1String("TOTALPAGES")) {
            *out = ReportValue::number(Decimal(m_totalPages > 0 ? m_totalPages : m_pageNo));
            return true;
        }
        if (upper == QLatin1String("LINE#")) {
            *out = ReportValue::number(Decimal(m_lineNo));
            return true;
        }
        if (m_values.contains(upper)) {
            *out = m_values.value(upper);
            return true;
        }
        const ReportExpression* expr = nullptr;
        auto it = m_env.variables.constFind(upper);
        if (it != m_env.variables.constEnd()) {
            expr = &it.value();
        } else {
            for (const ReportVariableDef& v : m_layout.variables)
                if (v.name.compare(name, Qt::CaseInsensitive) == 0) expr = &v.expr;
        }
        if (expr) {
            if (m_depth > 32) throw NkError(QStringLiteral("Variable %1 refers to itself").arg(name));
            // Variables that use each other several times each multiply their work.
            if (++m_variableUses > 100000) throw NkError(QStringLiteral("Variables refer to each other too often (%1)").arg(name));
            ++m_depth;
            try {
                *out = expr->evaluate(*this);
            } catch (...) {
                --m_depth;
                throw;
            }
            --m_depth;
            return true;
        }
        if (upper == QLatin1String("DATE")) {
            *out = ReportValue::date(QDate::currentDate());
            return true;
        }
        // A field of the data set being printed, else of any data set that has it.
        if (m_current && fieldOf(m_currentName, m_current, name, out)) return true;
        for (auto d = m_sets.constBegin(); d != m_sets.constEnd(); ++d)
            if (fieldOf(d.key(), d.value().get(), name, out)) return true;
        return false;
    }

    bool lookupField(const QString& dataSet, const QString& field, ReportValue* out) override
    {
        auto it = m_sets.constFind(dataSet.toLower());
        if (it == m_sets.constEnd()) return false;
        if (fieldOf(it.key(), it.value().get(), field, out)) return true;
        if (it.value()->fields().isEmpty()) {  // a table the program did not hand over
            *out = ReportValue();
            return true;
        }
        return false;
    }

    ReportValue aggregateValue(const AggregateNode* node) override
    {
        auto it = m_aggregates.constFind(node);
        if (it == m_aggregates.constEnd()) node->fail(QStringLiteral("Totals need a master data band"));
        const Accumulator& a = it->acc;
        switch (node->kind) {
        case AggregateNode::Kind::Sum:
            return ReportValue::number(a.sum);
        case AggregateNode::Kind::Count:
            return ReportValue::number(Decimal(a.count));
        case AggregateNode::Kind::Avg:
            return ReportValue::number(a.count ? a.sum / Decimal(a.count) : Decimal());
        case AggregateNode::Kind::Min:
            return a.min;
        case AggregateNode::Kind::Max:
            return a.max;
        }
        return {};
    }

    bool callUserFunction(const QString& name, const QList<ReportValue>& args, ReportValue* out) override
    {
        if (!m_env.userFunction) return false;
        QVariantList values;
        for (const ReportValue& a : args) values.append(a.toVariant());
        QVariant result;
        if (!m_env.userFunction(name, values, result)) return false;
        *out = ReportValue::fromVariant(result);
        if (out->isNull()) *out = ReportValue::text(QString());
        return true;
    }

    ReportValue sqlScalar(const QString& statement, const QList<ReportValue>& params) override
    {
        QSqlQuery q(m_env.database);
        if (!q.prepare(Db::dialectSql(m_env.database, statement))) throw NkError(q.lastError().text());
        for (int i = 0; i < params.size(); ++i) q.bindValue(i, params[i].toVariant());
        if (!q.exec()) throw NkError(q.lastError().text());
        return q.next() ? ReportValue::fromVariant(Db::rowValues(q).value(0)) : ReportValue();
    }

    bool setVariableValue(const QString& name, const ReportValue& value) override
    {
        m_values.insert(name.toUpper(), value);
        return true;
    }

private:
    bool fieldOf(const QString& setName, const ReportDataSet* set, const QString& field, ReportValue* out) const
    {
        int f = set->fieldIndex(field);
        if (f < 0) return false;
        int row = m_rows.value(setName, 0);
        *out = row < set->rowCount() ? ReportValue::fromVariant(set->value(row, f)) : ReportValue();
        return true;
    }

    void openDataSets()
    {
        for (auto it = m_env.dataSets.constBegin(); it != m_env.dataSets.constEnd(); ++it)
            m_sets.insert(it.key().toLower(), it.value());
        for (const ReportDataSetDef& d : m_layout.dataSets) {
            const QString key = d.name.toLower();
            if (d.kind == ReportDataSetDef::Kind::Memory) {
                if (!m_sets.contains(key)) m_sets.insert(key, std::make_shared<MemoryDataSet>());
                continue;
            }
            auto set = std::make_shared<SqlDataSet>();
            try {
                set->open(m_env.database, d.sql, [this](const QString& name) {
                    ReportValue v;
                    return lookupName(name, &v) ? v.toVariant() : QVariant();
                });
            } catch (const ReportError&) {
                throw;
            } catch (const NkError& e) {
                const SourceMap::Origin o = d.source.lines.value(0);
                throw ReportError(m_layout.fileName, d.line, o.column, QStringLiteral("Data set %1: %2").arg(d.name, e.message()));
            }
            m_sets.insert(key, set);
        }
    }

    void collectAggregates()
    {
        int group = -1;
        for (const ReportBand& b : m_layout.bands) {
            Scope scope = Scope::Report;
            int g = -1;
            if (b.type == ReportBandType::GroupHeader) {
                ++group;
                scope = Scope::Group;
                g = group;
            } else if (b.type == ReportBandType::GroupFooter) {
                scope = Scope::Group;
                g = group--;
            } else if (b.type == ReportBandType::PageFooter || b.type == ReportBandType::PageHeader) {
                scope = Scope::Page;
            } else if (b.type == ReportBandType::MasterData) {
                group = -1;
                for (const ReportBand& h : m_layout.bands) {
                    if (&h == &b) break;
                    if (h.type == ReportBandType::GroupHeader) ++group;
                    if (h.type == ReportBandType::MasterData) group = -1;
                }
            }
            for (const ReportObject& o : b.objects) {
                QList<const AggregateNode*> nodes = o.tmpl.aggregates() + o.expr.aggregates();
                for (const AggregateNode* n : nodes) m_aggregates.insert(n, AggregateInfo{scope, g, {}});
            }
        }
    }

    void accumulate()
    {
        for (auto it = m_aggregates.begin(); it != m_aggregates.end(); ++it) {
            const AggregateNode* n = it.key();
            Accumulator& a = it->acc;
            if (!n->argument) {
                ++a.count;
                continue;
            }
            ReportValue v = n->argument->eval(*this);
            if (v.isNull()) continue;
            ++a.count;
            if (n->kind == AggregateNode::Kind::Sum || n->kind == AggregateNode::Kind::Avg) {
                Decimal d;
                if (!v.toNumber(&d)) n->fail(QStringLiteral("Cannot total \"%1\"").arg(v.toText()));
                a.sum = a.sum + d;
            } else if (n->kind == AggregateNode::Kind::Min || n->kind == AggregateNode::Kind::Max) {
                const bool isMin = n->kind == AggregateNode::Kind::Min;
                ReportValue& cur = isMin ? a.min : a.max;
                const int c = cur.isNull() ? 0 : compareValues(v, cur);
                if (cur.isNull() || (isMin ? c < 0 : c > 0)) cur = v;
            }
        }
    }

    static int compareValues(const ReportValue& a, const ReportValue& b)
    {
        if (a.isNumber() && b.isNumber()) return a.n.compare(b.n);
        if (a.isDate() && b.isDate()) return a.d < b.d ? -1 : (b.d < a.d ? 1 : 0);
        return QString::compare(a.toText(), b.toText());
    }

    void resetAggregates(Scope scope, int fromGroup = 0)
    {
        for (auto it = m_aggregates.begin(); it != m_aggregates.end(); ++it)
            if (it->scope == scope && (scope != Scope::Group || it->group >= fromGroup)) it->acc.reset();
    }

    void runSection(const Section& s)
    {
        const QString key = s.data->dataSet.toLower();
        std::shared_ptr<ReportDataSet> set;
        if (!key.isEmpty()) {
            set = m_sets.value(key);
            if (!set)
                throw ReportError(m_layout.fileName, s.data->line, 1, QStringLiteral("Unknown data set \"%1\"").arg(s.data->dataSet));
        }
        const int rows = set ? set->rowCount() : 1;
        m_current = set.get();
        m_currentName = key;
        QList<ReportValue> groupValues(s.headers.size());
        m_repeatHeaders.clear();
        for (const ReportBand* h : s.headers)
            if (h->repeat) m_repeatHeaders.append(h);
        for (int row = 0; row < rows; ++row) {
            m_rows[key] = row;
            m_lineNo = row + 1;
            // Which group changed: the outermost one whose value differs from the last row.
            int changed = row == 0 ? 0 : -1;
            QList<ReportValue> values;
            for (int g = 0; g < s.headers.size(); ++g) {
                values.append(s.headers[g]->group.evaluate(*this));
                if (changed < 0 && row > 0 && compareValues(values[g], groupValues[g]) != 0) changed = g;
            }
            if (changed >= 0 && !s.headers.isEmpty()) {
                if (row > 0) {
                    m_rows[key] = row - 1;
                    m_lineNo = row;
                    printFooters(s, changed);
                    m_rows[key] = row;
                    m_lineNo = row + 1;
                }
                for (int g = changed; g < s.headers.size(); ++g) {
                    resetAggregates(Scope::Group, g);
                    printBand(*s.headers[g]);
                }
            }
            groupValues = values;
            printBand(*s.data, true);
        }
        if (rows > 0 && !s.headers.isEmpty()) {
            m_rows[key] = rows - 1;
            printFooters(s, 0);
        } else if (rows > 0 && s.headers.isEmpty()) {
            for (const ReportBand* f : s.footers) printBand(*f);
        }
        m_repeatHeaders.clear();
        m_current = nullptr;
    }

    void printFooters(const Section& s, int downToGroup)
    {
        // Footers are listed innermost first; footer i closes header (count-1-i).
        for (int i = 0; i < s.footers.size(); ++i) {
            int g = int(s.headers.size()) - 1 - i;
            if (g >= downToGroup) printBand(*s.footers[i]);
        }
    }

    // ---- pages ------------------------------------------------------------------------
    qreal footerHeight() const { return m_pageFooter ? m_pageFooter->height : 0; }
    qreal bottomLimit() const { return m_printable.bottom() - footerHeight(); }

    void startPage()
    {
        const int maxPages = std::min(m_env.maxPages, ReportLimits::MaxPages);
        if (m_pageNo >= maxPages)
            throw ReportError(m_layout.fileName, 1, 1, QStringLiteral("The report would have more than %1 pages").arg(maxPages));
        ++m_pageNo;
        m_page = ReportPage();
        m_page.size = m_layout.pageSize();
        m_y = m_printable.top();
        resetAggregates(Scope::Page);
        m_bodyStarted = false;
        if (m_pageHeader && (m_pageNo > 1 || m_pageHeader->onFirstPage))
            drawBand(*m_pageHeader, measureBand(*m_pageHeader), PageItem::Role::PageHeader);
    }

    void finishPage()
    {
        if (m_pageFooter && (m_pageNo > 1 || m_pageFooter->onFirstPage)) {
            m_y = m_printable.bottom() - m_pageFooter->height;
            drawBand(*m_pageFooter, measureBand(*m_pageFooter), PageItem::Role::PageFooter);
        }
        m_report.pages.append(m_page);
    }

    void newPage()
    {
        finishPage();
        startPage();
    }

    void printBand(const ReportBand& band, bool isData = false)
    {
        // A break asked for after the previous band happens only when something follows, so
        // a report never ends on an empty page.
        const bool breakPending = m_breakPending;
        m_breakPending = false;
        if ((band.newPageBefore || breakPending) && m_bodyStarted) {
            newPage();
            printRepeatedHeaders(band);
        }
        QList<PageItem> items = measureBand(band);
        qreal h = m_measuredHeight;
        if (m_y + h > bottomLimit() + 0.01 && m_bodyStarted) {
            newPage();
            printRepeatedHeaders(band);
            items = measureBand(band);  // page numbers may have changed
            h = m_measuredHeight;
        }
        if (isData) {
            accumulate();
            if (usesTotals(band)) items = measureBand(band);  // running totals include this row
        }
        drawBand(band, items);
        m_bodyStarted = true;
        if (band.newPageAfter) m_breakPending = true;
    }

    // Group headers marked "repeat" head every page their group runs onto (column titles of
    // a table); those listed before `band` when it is a header itself.
    void printRepeatedHeaders(const ReportBand& band)
    {
        for (const ReportBand* h : m_repeatHeaders) {
            if (h == &band) break;
            const QList<PageItem> items = measureBand(*h);
            drawBand(*h, items, PageItem::Role::RepeatedHeader);
        }
    }

    bool usesTotals(const ReportBand& band)
    {
        auto it = m_bandTotals.constFind(&band);
        if (it != m_bandTotals.constEnd()) return *it;
        bool uses = false;
        for (const ReportObject& o : band.objects) uses = uses || !o.tmpl.aggregates().isEmpty() || !o.expr.aggregates().isEmpty();
        m_bandTotals.insert(&band, uses);
        return uses;
    }

    void drawBand(const ReportBand&, const QList<PageItem>& items, PageItem::Role role = PageItem::Role::Body)
    {
        const QPointF offset(m_printable.left(), m_y);
        if (m_page.items.size() + items.size() > ReportLimits::MaxItemsPerPage)
            throw ReportError(m_layout.fileName, 1, 1, QStringLiteral("A page would hold more than %1 items").arg(ReportLimits::MaxItemsPerPage));
        for (PageItem i : items) {
            i.rect.translate(offset);
            i.p1 += offset;
            i.p2 += offset;
            i.baseline += offset;
            i.cell.translate(offset);
            i.polygon.translate(offset);
            i.role = role;
            m_page.items.append(i);
        }
        m_y += m_measuredHeight;
    }

    // Items of a band relative to its top left corner; m_measuredHeight gets its height.
    QList<PageItem> measureBand(const ReportBand& band)
    {
        QList<PageItem> items;
        qreal height = band.height;
        m_growTo = 0;
        for (const ReportObject& o : band.objects) {
            qreal bottom = addObject(band, o, items);
            if (band.stretch) height = std::max(height, bottom);
        }
        if (height > band.height + 0.01) {
            // The band grew: objects that reach its bottom grow with it, so the frames of a
            // table row stay closed next to a wrapped cell.
            m_growTo = height;
            m_bandDesign = band.height;
            items.clear();
            for (const ReportObject& o : band.objects) addObject(band, o, items);
            m_growTo = 0;
        }
        m_measuredHeight = height;
        return items;
    }

    QString formatted(const ReportValue& v, const QString& format) { return formatReportValue(v, format); }

    static PageItem frameItem(const ReportObject& o, const QRectF& r)
    {
        PageItem f;
        f.kind = PageItem::Kind::Rect;
        f.rect = r;
        f.brush = o.fill;
        f.penWidth = 0;
        return f;
    }

    void addFrame(const ReportObject& o, const QRectF& r, QList<PageItem>& items)
    {
        if (o.fill.isValid()) items.append(frameItem(o, r));
        if (!o.frame) return;
        auto side = [&](QPointF a, QPointF b) {
            PageItem l;
            l.kind = PageItem::Kind::Line;
            l.p1 = a;
            l.p2 = b;
            l.penWidth = o.frameWidth;
            l.penColor = o.frameColor;
            l.penStyle = o.frameStyle;
            l.rect = QRectF(a, b).normalized();
            items.append(l);
        };
        if (o.frame & ReportObject::Left) side(r.topLeft(), r.bottomLeft());
        if (o.frame & ReportObject::Top) side(r.topLeft(), r.topRight());
        if (o.frame & ReportObject::Right) side(r.topRight(), r.bottomRight());
        if (o.frame & ReportObject::Bottom) side(r.bottomLeft(), r.bottomRight());
    }

    // Returns the bottom of the object as placed (mm, band-relative). A failure names the file,
    // the band and the object.
    qreal addObject(const ReportBand& band, const ReportObject& o, QList<PageItem>& items)
    {
        m_variableUses = 0;
        try {
            return addObjectItems(o, items);
        } catch (const ReportError& e) {
            throw ReportError(e.file().isEmpty() ? m_layout.fileName : e.file(), e.line(), e.column(),
                              objectWhere(band, o) + QStringLiteral(": ") + e.text());
        } catch (const NkError& e) {
            throw ReportError(m_layout.fileName, o.line, 1, objectWhere(band, o) + QStringLiteral(": ") + e.message());
        }
    }

    static QString objectWhere(const ReportBand& band, const ReportObject& o)
    {
        return reportObjectWhere(band, o, int(&o - band.objects.constData()));
    }

    qreal addObjectItems(const ReportObject& o, QList<PageItem>& items)
    {
        switch (o.type) {
        case ReportObjectType::Text:
            return addText(o, items);
        case ReportObjectType::RichText:
            return addRichText(o, items);
        case ReportObjectType::Line: {
            PageItem l;
            l.kind = PageItem::Kind::Line;
            l.p1 = o.rect.topLeft();
            l.p2 = o.rect.topLeft() + QPointF(o.rect.width(), o.rect.height());
            l.rect = QRectF(l.p1, l.p2).normalized();
            l.penWidth = o.frameWidth;
            l.penColor = o.frameColor;
            l.penStyle = o.frameStyle;
            items.append(l);
            return l.rect.bottom();
        }
        case ReportObjectType::Rect:
        case ReportObjectType::RoundRect:
        case ReportObjectType::Shape: {
            PageItem r;
            r.rect = o.type == ReportObjectType::Shape ? o.rect : grown(o, o.rect);
            r.penWidth = o.frameWidth;
            r.penColor = o.frameColor;
            r.penStyle = o.frameStyle;
            r.brush = o.fill;
            if (o.type == ReportObjectType::RoundRect) {
                r.kind = PageItem::Kind::Rect;
                r.radius = o.radius;
            } else if (o.type == ReportObjectType::Rect) {
                r.kind = PageItem::Kind::Rect;
            } else if (o.shape == QLatin1String("ellipse")) {
                r.kind = PageItem::Kind::Ellipse;
            } else {
                r.kind = PageItem::Kind::Polygon;
                const QRectF& b = o.rect;
                if (o.shape == QLatin1String("triangle"))
                    r.polygon << QPointF(b.center().x(), b.top()) << b.bottomRight() << b.bottomLeft();
                else
                    r.polygon << QPointF(b.center().x(), b.top()) << QPointF(b.right(), b.center().y())
                              << QPointF(b.center().x(), b.bottom()) << QPointF(b.left(), b.center().y());
            }
            items.append(r);
            return o.rect.bottom();
        }
        case ReportObjectType::Picture:
            return addPicture(o, items);
        case ReportObjectType::CheckBox:
            return addCheckBox(o, items);
        case ReportObjectType::Barcode:
            return addBarcode(o, items);
        }
        return o.rect.bottom();
    }

    // Objects print on every row: their fonts, and what else decides how their texts break
    // into lines, are made once.
    const QFont& fontOf(const ReportObject& o)
    {
        auto it = m_fonts.find(&o);
        if (it == m_fonts.end()) it = m_fonts.insert(&o, reportQFont(o.font, m_layout.font));
        return *it;
    }
    const QString& boxKeyOf(const ReportObject& o, qreal widthMm, qreal maxHeightMm)
    {
        auto it = m_boxKeys.find(&o);
        if (it == m_boxKeys.end()) it = m_boxKeys.insert(&o, boxKey(fontOf(o), widthMm, o.wrap, maxHeightMm));
        return *it;
    }

    // The box of an object in a band that grew (see measureBand).
    QRectF grown(const ReportObject& o, QRectF box) const
    {
        if (m_growTo > 0 && o.rect.bottom() >= m_bandDesign - 0.01) box.setBottom(std::max(box.bottom(), m_growTo));
        return box;
    }

    qreal addText(const ReportObject& o, QList<PageItem>& items)
    {
        const QString text = o.tmpl.evaluate(*this, [&](const ReportValue& v) { return formatted(v, o.format); });
        const QFont& font = fontOf(o);
        const QRectF inner = o.rect.adjusted(o.padding, o.padding, -o.padding, -o.padding);
        // No object prints beyond a page: a text taller than that is laid out only that far.
        const qreal maxHeight = m_printable.height() + 1;
        QList<ReportTextLine> lines = layoutInBox(boxKeyOf(o, inner.width(), maxHeight), text, font, inner.width(), o.wrap, maxHeight);
        qreal textHeight = 0;
        for (const ReportTextLine& l : lines) textHeight = l.top + l.height;
        QRectF box = o.rect;
        if (o.stretch && textHeight + 2 * o.padding > box.height()) box.setHeight(textHeight + 2 * o.padding);
        box = grown(o, box);
        addFrame(o, box, items);
        const QRectF area = box.adjusted(o.padding, o.padding, -o.padding, -o.padding);
        qreal top = area.top();
        if (o.align & Qt::AlignVCenter)
            top += (area.height() - textHeight) / 2;
        else if (o.align & Qt::AlignBottom)
            top += area.height() - textHeight;
        for (const ReportTextLine& l : lines) {
            if (l.text.isEmpty()) continue;
            // Lines that do not fit a fixed box are cut, but the first always prints.
            if (&l != &lines.first() && top + l.top + l.height > area.bottom() + 0.2) break;
            PageItem t;
            t.kind = PageItem::Kind::Text;
            t.text = l.text;
            t.font = font;
            t.color = o.color;
            qreal x = area.left();
            if (o.align & Qt::AlignRight)
                x = area.right() - l.width;
            else if (o.align & Qt::AlignHCenter)
                x = area.left() + (area.width() - l.width) / 2;
            t.baseline = QPointF(x, top + l.top + l.ascent);
            t.rect = QRectF(x, top + l.top, l.width, l.height);
            t.cell = box;
            items.append(t);
        }
        return box.bottom();
    }

    qreal addRichText(const ReportObject& o, QList<PageItem>& items)
    {
        const QString html = o.tmpl.evaluate(*this, [&](const ReportValue& v) { return htmlEscaped(formatted(v, o.format)); });
        const QFont& font = fontOf(o);
        QTextDocument doc;
        doc.documentLayout()->setPaintDevice(referenceDevice());
        doc.setDefaultFont(font);
        doc.setDocumentMargin(0);
        doc.setHtml(html);
        const QRectF inner = o.rect.adjusted(o.padding, o.padding, -o.padding, -o.padding);
        doc.setTextWidth(mmToRefPx(inner.width()));
        const qreal docHeight = refPxToMm(doc.size().height());
        QRectF box = o.rect;
        if (o.stretch && docHeight + 2 * o.padding > box.height()) box.setHeight(docHeight + 2 * o.padding);
        box = grown(o, box);
        addFrame(o, box, items);
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            QTextLayout* bl = block.layout();
            const QPointF pos = bl->position();
            for (int li = 0; li < bl->lineCount(); ++li) {
                QTextLine line = bl->lineAt(li);
                const int lineStart = block.position() + line.textStart();
                const int lineEnd = lineStart + line.textLength();
                for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
                    QTextFragment frag = it.fragment();
                    if (!frag.isValid()) continue;
                    int s = std::max(frag.position(), lineStart);
                    int e = std::min(frag.position() + frag.length(), lineEnd);
                    if (s >= e) continue;
                    QString text = frag.text().mid(s - frag.position(), e - s);
                    if (text.trimmed().isEmpty()) continue;
                    QTextCharFormat fmt = frag.charFormat();
                    PageItem t;
                    t.kind = PageItem::Kind::Text;
                    t.text = text;
                    t.font = fmt.font();
                    t.font.setHintingPreference(QFont::PreferNoHinting);
                    t.color = fmt.foreground().style() == Qt::NoBrush ? o.color : fmt.foreground().color();
                    const qreal x0 = line.cursorToX(s - block.position());
                    const qreal x1 = line.cursorToX(e - block.position());
                    t.baseline = inner.topLeft() + QPointF(refPxToMm(pos.x() + x0), refPxToMm(pos.y() + line.y() + line.ascent()));
                    t.rect = QRectF(inner.left() + refPxToMm(pos.x() + x0), inner.top() + refPxToMm(pos.y() + line.y()),
                                    refPxToMm(x1 - x0), refPxToMm(line.height()));
                    if (!o.stretch && t.rect.bottom() > box.bottom() + 0.2) continue;
                    t.cell = box;
                    items.append(t);
                }
            }
        }
        return box.bottom();
    }

    qreal addPicture(const ReportObject& o, QList<PageItem>& items)
    {
        QString path = o.tmpl.evaluate(*this, nullptr).trimmed();
        addFrame(o, o.rect, items);
        if (path.isEmpty()) return o.rect.bottom();
        if (QFileInfo(path).isRelative() && !m_env.layoutFolder.isEmpty()) path = QDir(m_env.layoutFolder).filePath(path);
        QImage img(path);
        if (img.isNull()) return o.rect.bottom();
        PageItem p;
        p.kind = PageItem::Kind::Image;
        p.image = img;
        QSizeF s = o.rect.size();
        if (o.keepAspect) {
            QSizeF is = img.size();
            is.scale(s, Qt::KeepAspectRatio);
            s = is;
        }
        p.rect = QRectF(o.rect.topLeft() + QPointF((o.rect.width() - s.width()) / 2, (o.rect.height() - s.height()) / 2), s);
        items.append(p);
        return o.rect.bottom();
    }

    qreal addCheckBox(const ReportObject& o, QList<PageItem>& items)
    {
        ReportValue v = o.expr.evaluate(*this);
        bool checked = false;
        if (!v.toBool(&checked)) checked = !v.toText().isEmpty();
        const qreal side = std::min(o.rect.width(), o.rect.height());
        const QRectF box(o.rect.topLeft(), QSizeF(side, side));
        PageItem r;
        r.kind = PageItem::Kind::Rect;
        r.rect = box;
        r.penWidth = o.frameWidth;
        r.penColor = o.frameColor;
        r.brush = o.fill;
        items.append(r);
        if (checked) {
            PageItem m;
            m.kind = PageItem::Kind::Polygon;
            m.penWidth = std::max<qreal>(o.frameWidth, 1);
            m.penColor = o.color;
            m.polygon << box.topLeft() + QPointF(side * 0.2, side * 0.5) << box.topLeft() + QPointF(side * 0.42, side * 0.75)
                      << box.topLeft() + QPointF(side * 0.8, side * 0.22);
            m.rect = box;
            m.radius = -1;  // open polyline
            items.append(m);
        }
        return o.rect.bottom();
    }

    qreal addBarcode(const ReportObject& o, QList<PageItem>& items)
    {
        const QString data = o.tmpl.evaluate(*this, nullptr);
        addFrame(o, o.rect, items);
        if (data.isEmpty()) return o.rect.bottom();
        if (data.size() > ReportLimits::MaxBarcodeData)
            throw NkError(QStringLiteral("A bar code holds at most %1 characters, not %2").arg(ReportLimits::MaxBarcodeData).arg(data.size()));
        const QFont& font = fontOf(o);
        qreal textHeight = 0;
        QList<ReportTextLine> lines;
        if (o.showText) {
            lines = layoutReportText(data, font, o.rect.width(), false);
            textHeight = lines.isEmpty() ? 0 : lines.first().height;
        }
        const QRectF barArea(o.rect.left(), o.rect.top(), o.rect.width(), std::max<qreal>(1, o.rect.height() - textHeight));
#ifdef NK_HAVE_ZINT
        static const QHash<QString, int> symbologies = {
            {QStringLiteral("code128"), BARCODE_CODE128}, {QStringLiteral("code39"), BARCODE_CODE39},
            {QStringLiteral("ean13"), BARCODE_EANX},      {QStringLiteral("qrcode"), BARCODE_QRCODE},
            {QStringLiteral("datamatrix"), BARCODE_DATAMATRIX}, {QStringLiteral("pdf417"), BARCODE_PDF417}};
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = symbologies.value(o.symbology, BARCODE_CODE128);
        symbol->show_hrt = 0;
        symbol->input_mode = UNICODE_MODE;
        const QByteArray utf8 = data.toUtf8();
        int rc = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(utf8.constData()), int(utf8.size()));
        if (rc < ZINT_ERROR) rc = ZBarcode_Buffer_Vector(symbol, 0);
        if (rc >= ZINT_ERROR) {
            const QString err = QString::fromLatin1(symbol->errtxt);
            ZBarcode_Delete(symbol);
            throw NkError(QStringLiteral("Bar code \"%1\": %2").arg(data.left(40), err));
        }
        const zint_vector* v = symbol->vector;
        if (v && v->width > 0 && v->height > 0) {
            const bool square = symbol->symbology == BARCODE_QRCODE || symbol->symbology == BARCODE_DATAMATRIX;
            qreal sx = barArea.width() / v->width, sy = barArea.height() / v->height;
            if (square) sx = sy = std::min(sx, sy);
            for (const zint_vector_rect* r = v->rectangles; r; r = r->next) {
                PageItem b;
                b.kind = PageItem::Kind::Rect;
                b.rect = QRectF(barArea.left() + r->x * sx, barArea.top() + r->y * sy, r->width * sx, r->height * sy);
                b.brush = o.color;
                items.append(b);
            }
        }
        ZBarcode_Delete(symbol);
#else
        Q_UNUSED(barArea);
#endif
        if (!lines.isEmpty()) {
            PageItem t;
            t.kind = PageItem::Kind::Text;
            t.text = lines.first().text;
            t.font = font;
            t.color = o.color;
            const qreal x = o.rect.left() + (o.rect.width() - lines.first().width) / 2;
            t.baseline = QPointF(x, barArea.bottom() + lines.first().ascent);
            t.rect = QRectF(x, barArea.bottom(), lines.first().width, textHeight);
            t.cell = o.rect;
            items.append(t);
        }
        return o.rect.bottom();
    }

    const ReportLayout& m_layout;
    ReportEnvironment& m_env;
    int m_totalPages;
    PreparedReport m_report;
    ReportPage m_page;
    QRectF m_printable;
    const ReportBand* m_pageHeader = nullptr;
    const ReportBand* m_pageFooter = nullptr;
    qreal m_y = 0;
    qreal m_measuredHeight = 0;
    qreal m_growTo = 0;
    qreal m_bandDesign = 0;
    bool m_bodyStarted = false;
    bool m_breakPending = false;
    QList<const ReportBand*> m_repeatHeaders;  // of the section being printed
    int m_pageNo = 0;
    int m_lineNo = 0;
    int m_depth = 0;
    int m_variableUses = 0;  // of the object being printed
    QHash<QString, std::shared_ptr<ReportDataSet>> m_sets;
    QHash<QString, int> m_rows;
    const ReportDataSet* m_current = nullptr;
    QString m_currentName;
    QHash<const AggregateNode*, AggregateInfo> m_aggregates;
    QHash<QString, ReportValue> m_values;
    QHash<const ReportBand*, bool> m_bandTotals;
    QHash<const ReportObject*, QFont> m_fonts;
    QHash<const ReportObject*, QString> m_boxKeys;
};

bool usesTotalPages(const ReportLayout& layout)
{
    for (const ReportBand& b : layout.bands)
        for (const ReportObject& o : b.objects)
            if (o.content.contains(QLatin1String("TOTALPAGES"), Qt::CaseInsensitive)) return true;
    return false;
}

}  // namespace

PreparedReport prepareReport(const ReportLayout& layout, ReportEnvironment& env)
{
    PreparedReport first = Preparer(layout, env, 0).run();
    if (!usesTotalPages(layout)) return first;
    return Preparer(layout, env, int(first.pages.size())).run();
}
