#include "search/SearchQuery.h"

#include "data/DbUtil.h"

#include <QColor>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlQuery>

SearchQuery::SearchQuery(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void SearchQuery::setSQL(const QString& text)
{
    SQL = text.split(QLatin1Char('\n'));
}

void SearchQuery::setParam(const QString& name, const QVariant& value)
{
    m_params.insert(name.toUpper(), value);
}

QVariant SearchQuery::param(const QString& name) const
{
    return m_params.value(name.toUpper());
}

void SearchQuery::Open(const QSqlDatabase& db)
{
    beginResetModel();
    m_rows.clear();
    m_active = false;
    try {
        // Searches run again at every key: their statements stay prepared.
        Db::readRows(db, text(), m_params, m_record,
                     [this](QVector<QVariant>& row) { m_rows.append(std::move(row)); });
        m_active = true;
    } catch (...) {
        m_rows.clear();
        endResetModel();
        throw;
    }
    m_delFlag = m_record.indexOf(QStringLiteral("DelFlag"));
    m_clear = m_record.indexOf(QStringLiteral("Clear"));
    m_activeCol = m_record.indexOf(QStringLiteral("Active"));
    endResetModel();
}

void SearchQuery::Close()
{
    if (!m_active && m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    m_active = false;
    endResetModel();
}

bool SearchQuery::isBlob(int fieldIndex) const
{
    if (fieldIndex < 0 || fieldIndex >= m_record.count())
        return false;
    return m_record.field(fieldIndex).metaType().id() == QMetaType::QByteArray;
}

QVariant SearchQuery::value(int row, int field) const
{
    if (row < 0 || row >= m_rows.size() || field < 0 || field >= m_rows[row].size())
        return {};
    return m_rows[row][field];
}

QVariant SearchQuery::value(int row, const QString& field) const
{
    return value(row, fieldIndex(field));
}

void SearchQuery::addColumn(const QString& field, const QString& title, int width, Qt::Alignment alignment,
                            const QString& displayFormat)
{
    beginResetModel();
    m_columns.append({field, title, width, alignment, displayFormat});
    endResetModel();
}

void SearchQuery::clearColumns()
{
    beginResetModel();
    m_columns.clear();
    endResetModel();
}

void SearchQuery::setColumnTitle(const QString& field, const QString& title)
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].field.compare(field, Qt::CaseInsensitive) == 0) {
            m_columns[i].title = title;
            emit headerDataChanged(Qt::Horizontal, i, i);
        }
    }
}

QString SearchQuery::columnField(int column) const
{
    if (!m_columns.isEmpty())
        return column >= 0 && column < m_columns.size() ? m_columns[column].field : QString();
    return column >= 0 && column < m_record.count() ? m_record.fieldName(column) : QString();
}

int SearchQuery::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SearchQuery::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_columns.isEmpty() ? m_record.count() : int(m_columns.size());
}

QColor SearchQuery::rowColor(int row) const
{
    if (m_delFlag >= 0 && value(row, m_delFlag).toString().trimmed() == QLatin1String("Y"))
        return QColor(Qt::red);
    if (m_clear >= 0 && value(row, m_clear).toString().trimmed() == QLatin1String("Y"))
        return QColor(Qt::blue);
    if (m_activeCol >= 0 && value(row, m_activeCol).toString().trimmed() == QLatin1String("N"))
        return QColor(Qt::red);
    return {};
}

QString SearchQuery::formatValue(const QVariant& v, const QString& displayFormat)
{
    if (v.isNull() || !v.isValid())
        return {};
    const int type = v.metaType().id();
    if (type == QMetaType::QByteArray)
        return {};
    if (!displayFormat.isEmpty() && displayFormat.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (ok) {
            const int dot = displayFormat.indexOf(QLatin1Char('.'));
            const int decimals = dot < 0 ? 0 : int(displayFormat.size() - dot - 1);
            QLocale c = QLocale::c();
            if (!displayFormat.contains(QLatin1Char(',')))
                c.setNumberOptions(QLocale::OmitGroupSeparator);
            else
                c.setNumberOptions({});
            return c.toString(d, 'f', decimals);
        }
    }
    if (type == QMetaType::QDateTime || type == QMetaType::QDate) {
        const QDateTime dt = Db::dateFromValue(v);
        return Db::isEmptyDate(dt) ? QString() : dt.toString(QStringLiteral("dd/MM/yyyy"));
    }
    if (type == QMetaType::QString) {
        // Dates travel as their stored text; show them the way users type them.
        static const QRegularExpression storedDate(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}( \\d{2}:\\d{2}:\\d{2})?$"));
        const QString s = v.toString();
        if (storedDate.match(s).hasMatch()) {
            const QDateTime dt = Db::dateFromValue(s);
            if (dt.isValid())
                return Db::isEmptyDate(dt) ? QString() : dt.toString(QStringLiteral("dd/MM/yyyy"));
        }
        return s;
    }
    return v.toString();
}

QVariant SearchQuery::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const int row = index.row();
    const QString field = columnField(index.column());
    const int f = fieldIndex(field);
    const SearchColumn* col = m_columns.isEmpty() ? nullptr : &m_columns[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return formatValue(value(row, f), col ? col->displayFormat : QString());
    case Qt::EditRole:
        return value(row, f);
    case Qt::TextAlignmentRole:
        if (col)
            return int(col->alignment);
        return {};
    case Qt::BackgroundRole: {
        const QColor c = rowColor(row);
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::ForegroundRole:
        return rowColor(row).isValid() ? QVariant(QColor(Qt::white)) : QVariant();
    default:
        return {};
    }
}

QVariant SearchQuery::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (!m_columns.isEmpty()) {
        if (section < 0 || section >= m_columns.size())
            return {};
        return m_columns[section].title.isEmpty() ? m_columns[section].field : m_columns[section].title;
    }
    return section >= 0 && section < m_record.count() ? m_record.fieldName(section) : QVariant();
}
