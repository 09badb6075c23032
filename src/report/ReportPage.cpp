#include "report/ReportPage.h"

#include "data/NkError.h"
#include "report/ReportLimits.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace {
constexpr quint32 kMagic = 0x4e4b5250;  // "NKRP"
constexpr quint32 kVersion = 3;         // 3 added the item's role; 2 is still read
// The fewest bytes a page and an item take in a file, to bound counts read from it.
constexpr qint64 kMinPageBytes = 20;
constexpr qint64 kMinItemBytes = 150;

void write(QDataStream& s, const PreparedReport& r)
{
    s.setVersion(QDataStream::Qt_6_0);
    s << kMagic << kVersion << r.title << qint32(r.pages.size());
    for (const ReportPage& p : r.pages) {
        s << p.size << qint32(p.items.size());
        for (const PageItem& i : p.items) {
            s << qint32(i.kind) << i.rect << i.p1 << i.p2 << i.text << i.baseline << i.cell << i.font.toString() << i.color
              << i.penWidth << i.penColor << qint32(i.penStyle) << i.brush << i.radius << i.polygon << i.image << quint8(i.role);
        }
    }
}

// Reads one prepared report, checking each value before it is used.
class Reader {
public:
    Reader(QIODevice* device, const QString& name) : m_device(device), m_name(name), m_s(device)
    {
        m_s.setVersion(QDataStream::Qt_6_0);
    }

    PreparedReport read()
    {
        quint32 magic = 0, version = 0;
        m_s >> magic >> version;
        if (magic != kMagic || (version != 2 && version != kVersion))
            throw NkError(QStringLiteral("%1 is not a prepared report").arg(m_name));
        PreparedReport r;
        qint32 pageCount = 0;
        m_s >> r.title >> pageCount;
        checkStream();
        m_where = QStringLiteral("page count");
        checkCount(pageCount, ReportLimits::MaxPages, kMinPageBytes);
        for (qint32 p = 0; p < pageCount; ++p) {
            m_where = QStringLiteral("page %1").arg(p + 1);
            ReportPage page;
            qint32 itemCount = 0;
            m_s >> page.size >> itemCount;
            checkStream();
            check(page.size.width() >= ReportLimits::MinPaperMm && page.size.width() <= ReportLimits::MaxPaperMm &&
                      page.size.height() >= ReportLimits::MinPaperMm && page.size.height() <= ReportLimits::MaxPaperMm,
                  QStringLiteral("paper size"));
            checkCount(itemCount, ReportLimits::MaxItemsPerPage, kMinItemBytes);
            page.items.reserve(itemCount);
            for (qint32 n = 0; n < itemCount; ++n) {
                m_where = QStringLiteral("page %1, item %2").arg(p + 1).arg(n + 1);
                page.items.append(readItem(version));
            }
            r.pages.append(page);
        }
        return r;
    }

private:
    PageItem readItem(quint32 version)
    {
        PageItem i;
        qint32 kind = 0, style = 0;
        QString font;
        m_s >> kind >> i.rect >> i.p1 >> i.p2 >> i.text >> i.baseline >> i.cell >> font >> i.color >> i.penWidth >> i.penColor >>
            style >> i.brush >> i.radius;
        checkStream();
        check(kind >= int(PageItem::Kind::Text) && kind <= int(PageItem::Kind::Image), QStringLiteral("kind %1").arg(kind));
        check(style >= Qt::NoPen && style <= Qt::DashDotDotLine, QStringLiteral("pen style %1").arg(style));
        i.kind = PageItem::Kind(kind);
        i.penStyle = Qt::PenStyle(style);
        checkRect(i.rect);
        checkRect(i.cell);
        checkPoint(i.p1);
        checkPoint(i.p2);
        checkPoint(i.baseline);
        check(std::isfinite(i.penWidth) && i.penWidth >= 0 && i.penWidth <= ReportLimits::MaxLineWidthPt, QStringLiteral("line width"));
        check(std::isfinite(i.radius) && i.radius >= -1 && i.radius <= ReportLimits::MaxLengthMm, QStringLiteral("radius"));
        check(i.text.size() <= ReportLimits::MaxText, QStringLiteral("text length"));
        check(font.size() <= 1000 && (font.isEmpty() || i.font.fromString(font)), QStringLiteral("font"));
        if (!font.isEmpty()) {
            const qreal points = i.font.pointSizeF();
            const int pixels = i.font.pixelSize();
            check((points > 0 && points <= ReportLimits::MaxFontPt) || (points <= 0 && pixels > 0 && pixels <= 4 * ReportLimits::MaxFontPt),
                  QStringLiteral("font size"));
        }
        readPolygon(i.polygon);
        m_s >> i.image;
        if (version >= 3) {
            quint8 role = 0;
            m_s >> role;
            check(role <= quint8(PageItem::Role::RepeatedHeader), QStringLiteral("role %1").arg(role));
            i.role = PageItem::Role(role);
        }
        checkStream();
        check(i.image.width() <= ReportLimits::MaxImageSide && i.image.height() <= ReportLimits::MaxImageSide,
              QStringLiteral("picture size"));
        return i;
    }

    // Written as a list of points; read point by point so that a damaged count cannot ask for
    // memory the file does not hold.
    void readPolygon(QPolygonF& polygon)
    {
        quint32 count = 0;
        m_s >> count;
        checkStream();
        checkCount(qint64(count), ReportLimits::MaxPolygonPoints, 16);
        polygon.reserve(count);
        for (quint32 k = 0; k < count; ++k) {
            QPointF p;
            m_s >> p;
            checkPoint(p);
            polygon.append(p);
        }
        checkStream();
    }

    void checkCount(qint64 count, qint64 limit, qint64 minBytes)
    {
        check(count >= 0 && count <= limit, QStringLiteral("count %1").arg(count));
        check(count * minBytes <= m_device->bytesAvailable(), QStringLiteral("count %1 beyond the end of the file").arg(count));
    }
    void checkPoint(const QPointF& p)
    {
        const qreal limit = 2 * ReportLimits::MaxPaperMm;
        check(std::isfinite(p.x()) && std::isfinite(p.y()) && std::abs(p.x()) <= limit && std::abs(p.y()) <= limit,
              QStringLiteral("position"));
    }
    void checkRect(const QRectF& r)
    {
        checkPoint(r.topLeft());
        checkPoint(r.bottomRight());
    }
    void checkStream()
    {
        if (m_s.status() != QDataStream::Ok) throw NkError(QStringLiteral("%1 is damaged (%2: the file ends early)").arg(m_name, m_where));
    }
    void check(bool ok, const QString& what)
    {
        if (!ok) throw NkError(QStringLiteral("%1 is damaged (%2: %3)").arg(m_name, m_where, what));
    }

    QIODevice* m_device;
    QString m_name;
    QDataStream m_s;
    QString m_where = QStringLiteral("header");
};
}  // namespace

QStringList ReportPage::texts() const
{
    QList<const PageItem*> runs;
    for (const PageItem& i : items)
        if (i.kind == PageItem::Kind::Text) runs.append(&i);
    std::stable_sort(runs.begin(), runs.end(), [](const PageItem* a, const PageItem* b) {
        if (qAbs(a->baseline.y() - b->baseline.y()) > 0.5) return a->baseline.y() < b->baseline.y();
        return a->baseline.x() < b->baseline.x();
    });
    QStringList out;
    for (const PageItem* i : runs) out.append(i->text);
    return out;
}

void PreparedReport::save(const QString& path) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) throw NkError(QStringLiteral("Cannot write %1: %2").arg(path, f.errorString()));
    QDataStream s(&f);
    write(s, *this);
    if (!f.commit()) throw NkError(QStringLiteral("Cannot write %1: %2").arg(path, f.errorString()));
}

QByteArray PreparedReport::toBytes() const
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    write(s, *this);
    return bytes;
}

PreparedReport PreparedReport::load(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw NkError(QStringLiteral("Cannot read %1: %2").arg(path, f.errorString()));
    return Reader(&f, path).read();
}

PreparedReport PreparedReport::fromBytes(const QByteArray& bytes, const QString& name)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return Reader(&buffer, name).read();
}
