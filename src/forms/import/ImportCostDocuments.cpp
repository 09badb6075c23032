#include "forms/import/ImportCostDocuments.h"
#include "data/Translation.h"

#include "forms/import/ImportCostModel.h"
#include "report/PageItems.h"
#include "report/ReportText.h"

#include <QFont>
#include <algorithm>
#include <QCoreApplication>

namespace {
// A text in the language the caller asked for (printed pages are Thai whatever the user's).
QString say(bool thai, const char* text)
{
    return Translation::inLanguage(thai, "ImportCostDocuments", text);
}
} // namespace


ImportCostDocumentModel::ImportCostDocumentModel(QObject* parent) : QAbstractTableModel(parent) {}

void ImportCostDocumentModel::setDocuments(const QVector<LotExpenseDocument>& documents, bool thai)
{
    beginResetModel();
    m_docs = documents;
    m_thai = thai;
    m_counted = LotExpenseTotal(documents);
    double vat = 0;
    for (const LotExpenseDocument& d : documents)
        vat += d.VatLeftOut;
    m_vat = vat;
    endResetModel();
}

int ImportCostDocumentModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_docs.size()) + 1;
}

int ImportCostDocumentModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ImportCostDocumentModel::title(int column, bool thai)
{
    switch (column) {
    case Kind: return say(thai, QT_TRANSLATE_NOOP("ImportCostDocuments", "ประเภท"));
    case Number: return say(thai, QT_TRANSLATE_NOOP("ImportCostDocuments", "เลขที่"));
    case Date: return say(thai, QT_TRANSLATE_NOOP("ImportCostDocuments", "วันที่"));
    case Vendor: return say(thai, QT_TRANSLATE_NOOP("ImportCostDocuments", "ผู้จำหน่าย"));
    case Counted: return say(thai, QT_TRANSLATE_NOOP("ImportCostDocuments", "ยอดที่นับเป็นต้นทุน"));
    case VatLeftOut: return say(thai, QT_TRANSLATE_NOOP("ImportCostDocuments", "ภาษีซื้อที่ไม่นับ"));
    }
    return {};
}

QVariant ImportCostDocumentModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const bool total = index.row() == m_docs.size();
    const int col = index.column();
    const bool money = col == Counted || col == VatLeftOut;
    switch (role) {
    case Qt::DisplayRole: {
        if (total) {
            if (col == Kind)
                return say(m_thai, QT_TRANSLATE_NOOP("ImportCostDocuments", "รวมค่าใช้จ่ายของล็อต"));
            if (money)
                return ImportCostModel::formatAmount(col == Counted ? m_counted : m_vat);
            return {};
        }
        const LotExpenseDocument& d = m_docs[index.row()];
        switch (col) {
        case Kind: return LotExpenseDocumentKind(d.DocKind, m_thai);
        case Number: return d.Number;
        case Date: return d.Date;
        case Vendor: return (d.VendorCode + QStringLiteral("  ") + d.VendorName).trimmed();
        case Counted: return ImportCostModel::formatAmount(d.Counted);
        case VatLeftOut: return ImportCostModel::formatAmount(d.VatLeftOut);
        }
        return {};
    }
    case Qt::EditRole:
        if (!money)
            return data(index, Qt::DisplayRole);
        if (total)
            return col == Counted ? m_counted : m_vat;
        return col == Counted ? m_docs[index.row()].Counted : m_docs[index.row()].VatLeftOut;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment((money ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    case Qt::FontRole:
        if (total) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    default:
        return {};
    }
}

QVariant ImportCostDocumentModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return title(section, m_thai);
}

Qt::ItemFlags ImportCostDocumentModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

namespace ImportCostDocuments {

namespace {
// Column widths in parts of the page's width: kind, number, date, vendor, counted, VAT.
constexpr qreal Parts[] = {0.17, 0.13, 0.09, 0.31, 0.15, 0.15};
} // namespace

QString Note(bool thai)
{
    return say(thai, QT_TRANSLATE_NOOP("ImportCostDocuments", "นับค่าสินค้าและบริการหลังหักส่วนลด ก่อนหักมัดจำ ไม่รวมภาษีซื้อที่ขอคืนได้ "
                                 "(รวมภาษีเมื่อขอคืนไม่ได้)"));
}

QList<ReportPage> pages(const QVector<LotExpenseDocument>& documents, const QSizeF& pageSize, const QMarginsF& margins,
                        const QString& title, const QString& condition, bool thai)
{
    PageItems::Table t;
    t.title = title;
    t.condition = condition;
    t.heading = say(thai, QT_TRANSLATE_NOOP("ImportCostDocuments", "เอกสารค่าใช้จ่ายของล็อต"));
    for (int c = 0; c < ImportCostDocumentModel::ColumnCount; ++c) {
        t.columns << ImportCostDocumentModel::title(c, thai);
        t.parts << Parts[c];
        t.right << (c >= ImportCostDocumentModel::Counted);
    }
    double vat = 0;
    for (const LotExpenseDocument& d : documents) {
        t.rows << QStringList{LotExpenseDocumentKind(d.DocKind, thai), d.Number, d.Date,
                              leftClusters((d.VendorCode + QStringLiteral("  ") + d.VendorName).trimmed(), 40),
                              ImportCostModel::formatAmount(d.Counted), ImportCostModel::formatAmount(d.VatLeftOut)};
        vat += d.VatLeftOut;
    }
    t.total = {say(thai, QT_TRANSLATE_NOOP("ImportCostDocuments", "รวมค่าใช้จ่ายของล็อต")), QString(), QString(),
               QString(), ImportCostModel::formatAmount(LotExpenseTotal(documents)), ImportCostModel::formatAmount(vat)};
    t.note = Note(thai);
    return PageItems::tablePages(t, pageSize, margins);
}

} // namespace ImportCostDocuments
