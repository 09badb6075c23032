#include "report/ReportPage.h"

#include "data/NkError.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace {
constexpr quint32 kMagic = 0x4e4b5250;  // "NKRP"
constexpr quint32 kVersion = 2;
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
    s.setVersion(QDataStream::Qt_6_0);
    s << kMagic << kVersion << title << qint32(pages.size());
    for (const ReportPage& p : pages) {
        s << p.size << qint32(p.items.size());
        for (const PageItem& i : p.items) {
            s << qint32(i.kind) << i.rect << i.p1 << i.p2 << i.text << i.baseline << i.cell << i.font.toString() << i.color
              << i.penWidth << i.penColor << qint32(i.penStyle) << i.brush << i.radius << i.polygon << i.image;
        }
    }
    if (!f.commit()) throw NkError(QStringLiteral("Cannot write %1: %2").arg(path, f.errorString()));
}

PreparedReport PreparedReport::load(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw NkError(QStringLiteral("Cannot read %1: %2").arg(path, f.errorString()));
    QDataStream s(&f);
    s.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, version = 0;
    s >> magic >> version;
    if (magic != kMagic || version != kVersion) throw NkError(QStringLiteral("%1 is not a prepared report").arg(path));
    PreparedReport r;
    qint32 pageCount = 0;
    s >> r.title >> pageCount;
    for (qint32 p = 0; p < pageCount && s.status() == QDataStream::Ok; ++p) {
        ReportPage page;
        qint32 itemCount = 0;
        s >> page.size >> itemCount;
        for (qint32 n = 0; n < itemCount && s.status() == QDataStream::Ok; ++n) {
            PageItem i;
            qint32 kind = 0, style = 0;
            QString font;
            s >> kind >> i.rect >> i.p1 >> i.p2 >> i.text >> i.baseline >> i.cell >> font >> i.color >> i.penWidth >> i.penColor >>
                style >> i.brush >> i.radius >> i.polygon >> i.image;
            i.kind = PageItem::Kind(kind);
            i.penStyle = Qt::PenStyle(style);
            i.font.fromString(font);
            page.items.append(i);
        }
        r.pages.append(page);
    }
    if (s.status() != QDataStream::Ok) throw NkError(QStringLiteral("%1 is damaged").arg(path));
    return r;
}
