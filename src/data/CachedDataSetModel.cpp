#include "data/CachedDataSetModel.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/NkError.h"

#include "data/NumberFormat.h"


QString CachedDataSetModel::formatNumber(const QVariant& v, const QString& pattern)
{
    if (v.isNull() || !v.isValid())
        return {};
    return FormatFloat(pattern, v.toDouble());
}

bool CachedDataSetModel::parseNumber(const QString& text, double& out)
{
    QString s = text.trimmed();
    s.remove(QLatin1Char(','));
    if (s.isEmpty()) {
        out = 0.0;
        return true;
    }
    bool ok = false;
    out = s.toDouble(&ok);
    return ok;
}

CachedDataSetModel::CachedDataSetModel(CachedDataSet* ds, QObject* parent)
    : QAbstractTableModel(parent)
    , m_ds(ds)
{
    connect(ds, &CachedDataSet::reset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(ds, &CachedDataSet::rowChanged, this, [this](int row) {
        if (!m_cols.isEmpty())
            emit dataChanged(index(row, 0), index(row, int(m_cols.size()) - 1));
    });
    connect(ds, &CachedDataSet::rowAboutToBeInserted, this, [this](int row) { beginInsertRows({}, row, row); });
    connect(ds, &CachedDataSet::rowInserted, this, [this](int) { endInsertRows(); });
    connect(ds, &CachedDataSet::rowAboutToBeRemoved, this, [this](int row) { beginRemoveRows({}, row, row); });
    connect(ds, &CachedDataSet::rowRemoved, this, [this](int) { endRemoveRows(); });
}

void CachedDataSetModel::setColumns(const QVector<GridColumn>& cols)
{
    bool sameFields = cols.size() == m_cols.size();
    for (int i = 0; sameFields && i < cols.size(); ++i)
        sameFields = cols[i].field.compare(m_cols[i].field, Qt::CaseInsensitive) == 0;
    if (sameFields && !cols.isEmpty()) {
        // Same columns with other titles or states: no reset, so an open cell editor stays.
        m_cols = cols;
        emit headerDataChanged(Qt::Horizontal, 0, int(cols.size()) - 1);
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, int(cols.size()) - 1));
        return;
    }
    beginResetModel();
    m_cols = cols;
    endResetModel();
}

int CachedDataSetModel::columnOf(const QString& field) const
{
    for (int i = 0; i < m_cols.size(); ++i)
        if (m_cols[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void CachedDataSetModel::setColumnReadOnly(const QString& field, bool ro)
{
    const int c = columnOf(field);
    if (c >= 0)
        m_cols[c].readOnly = ro;
}

QColor CachedDataSetModel::alternateRowColor()
{
    // 16776176 is a BGR colour value: blue 0xFF, green 0xFB, red 0xF0.
    const int v = 16776176;
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int CachedDataSetModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_ds)
        return 0;
    return m_ds->RecordCount();
}

int CachedDataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_cols.size());
}

QVariant CachedDataSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_ds || index.row() >= m_ds->RecordCount() || index.column() >= m_cols.size())
        return {};
    const GridColumn& c = m_cols[index.column()];
    const QVariant v = m_ds->value(index.row(), c.field);
    switch (role) {
    case Qt::DisplayRole:
        if (c.isDate) {
            const QDateTime dt = Db::dateFromValue(v);
            return dt.isValid() && !Db::isEmptyDate(dt) ? dt.toString(QStringLiteral("dd/MM/yyyy")) : QString();
        }
        if (!c.displayFormat.isEmpty())
            return formatNumber(v, c.displayFormat);
        return v.toString();
    case Qt::EditRole:
        if (c.isDate) {
            const QDateTime dt = Db::dateFromValue(v);
            return dt.isValid() && !Db::isEmptyDate(dt) ? dt.toString(QStringLiteral("dd/MM/yyyy")) : QString();
        }
        if (!c.editFormat.isEmpty())
            return formatNumber(v, c.editFormat);
        return v;
    case Qt::TextAlignmentRole:
        return int(c.alignment);
    case Qt::BackgroundRole:
        if (index.row() % 2 == 1)
            return alternateRowColor();
        return {};
    default:
        return {};
    }
}

bool CachedDataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !m_ds || index.column() >= m_cols.size())
        return false;
    const GridColumn& c = m_cols[index.column()];
    if (c.readOnly)
        return false;
    QVariant v = value;
    if (c.isDate && v.typeId() == QMetaType::QString) {
        const QDate d = QDate::fromString(v.toString().trimmed(), QStringLiteral("dd/MM/yyyy"));
        if (!d.isValid())
            return false;
        v = Db::dateToText(d);
    } else if (c.upperCase && v.typeId() == QMetaType::QString) {
        v = v.toString().toUpper();
    } else if (!c.displayFormat.isEmpty() && v.typeId() == QMetaType::QString) {
        double d = 0;
        if (!parseNumber(v.toString(), d))
            return false;
        v = d;
    }
    const int field = m_ds->fieldIndex(c.field);
    if (field < 0)
        return false;
    m_ds->setValue(index.row(), field, v);
    return true;
}

QVariant CachedDataSetModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_cols.size())
        return m_cols[section].title;
    if (o == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return {};
}

Qt::ItemFlags CachedDataSetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() < m_cols.size() && !m_cols[index.column()].readOnly)
        f |= Qt::ItemIsEditable;
    return f;
}
