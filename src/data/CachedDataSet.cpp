#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/TDM.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

CachedDataSet::CachedDataSet(QObject* parent, const QString& name)
    : QObject(parent)
    , m_name(name)
{
    setObjectName(name);
}

QSqlDatabase CachedDataSet::database() const
{
    if (m_hasDb)
        return m_db;
    if (!DM)
        throw NkError(QStringLiteral("No database session for %1").arg(m_name));
    return DM->DMdata();
}

void CachedDataSet::setSQL(const QString& sql)
{
    m_sql = sql;
}

void CachedDataSet::setParam(const QString& name, const QVariant& value)
{
    m_params.insert(name.toUpper(), value);
}

QVariant CachedDataSet::param(const QString& name) const
{
    return m_params.value(name.toUpper());
}

QStringList CachedDataSet::paramNames() const
{
    return Db::parameterNames(m_sql);
}

void CachedDataSet::setUpdateSQL(const QString& insertSql, const QString& modifySql, const QString& deleteSql)
{
    m_insertSql = insertSql;
    m_modifySql = modifySql;
    m_deleteSql = deleteSql;
}

void CachedDataSet::defineFields(const QStringList& names)
{
    m_fields = names;
    m_fieldIndex.clear();
}

// ---- open / close ------------------------------------------------------------------------

namespace {
// Every NULL as a null text, as Qt's SQLite driver has always given them to data sets: a NULL
// typed by its column (the engine read directly, or the server's driver) shows a missing
// number as 0.
void nullsAsText(QVector<QVariant>& values)
{
    for (QVariant& v : values)
        if (v.isNull() && v.typeId() != QMetaType::QString)
            v = QVariant(QMetaType::fromType<QString>());
}
} // namespace

void CachedDataSet::Open()
{
    if (Active())
        return;
    m_rows.clear();
    m_deleted.clear();
    if (!m_sql.trimmed().isEmpty()) {
        // A form opens the same statements at every document: kept prepared, as the reads.
        QSqlRecord rec;
        Db::readRows(database(), m_sql, m_params, rec, [this](QVector<QVariant>& values) {
            nullsAsText(values);
            Row r;
            r.cur = std::move(values);
            r.old = r.cur;
            m_rows.append(std::move(r));
        });
        m_fields.clear();
        m_fieldIndex.clear();
        for (int i = 0; i < rec.count(); ++i)
            m_fields << rec.fieldName(i);
    }
    m_state = State::Browse;
    m_rowModified = false;
    m_cur = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    emit reset();
    emit currentChanged(m_cur);
    if (AfterScroll)
        AfterScroll(*this);
}

void CachedDataSet::OpenEditRow()
{
    Close();
    Open();
    if (IsEmpty())
        Append();
    else
        Edit();
}

void CachedDataSet::Close()
{
    m_rows.clear();
    m_deleted.clear();
    m_state = State::Inactive;
    m_cur = -1;
    m_eof = m_bof = true;
    m_rowModified = false;
    emit reset();
}

void CachedDataSet::checkActive() const
{
    if (!Active())
        throw NkError(QStringLiteral("Data set %1 is not open").arg(m_name));
}

void CachedDataSet::ensureCurrent() const
{
    checkActive();
    if (m_cur < 0 || m_cur >= m_rows.size())
        throw NkError(QStringLiteral("Data set %1 has no current row").arg(m_name));
}

// ---- fields ------------------------------------------------------------------------------

int CachedDataSet::fieldIndex(const QString& name) const
{
    // Forms ask for the same few names over and over: each spelling is found once.
    const auto it = m_fieldIndex.constFind(name);
    if (it != m_fieldIndex.cend())
        return *it;
    int found = -1;
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0) {
            found = i;
            break;
        }
    m_fieldIndex.insert(name, found);
    return found;
}

QVariant CachedDataSet::FieldByName(const QString& name) const
{
    const int f = fieldIndex(name);
    if (f < 0)
        throw NkError(QStringLiteral("%1: Field '%2' not found").arg(m_name, name));
    if (m_cur < 0 || m_cur >= m_rows.size())
        return {};
    return m_rows[m_cur].cur[f];
}

QString CachedDataSet::AsString(const QString& name) const
{
    return FieldByName(name).toString();
}

double CachedDataSet::AsFloat(const QString& name) const
{
    return FieldByName(name).toDouble();
}

int CachedDataSet::AsInteger(const QString& name) const
{
    return FieldByName(name).toInt();
}

void CachedDataSet::SetField(const QString& name, const QVariant& value)
{
    const int f = fieldIndex(name);
    if (f < 0)
        throw NkError(QStringLiteral("%1: Field '%2' not found").arg(m_name, name));
    ensureCurrent();
    if (m_state == State::Browse)
        Edit();
    QVariant& slot = m_rows[m_cur].cur[f];
    if (slot == value && slot.isNull() == value.isNull())
        return;
    slot = value;
    m_rowModified = true;
    emit fieldChanged(m_cur, f);
    emit rowChanged(m_cur);
    if (OnFieldChange)
        OnFieldChange(*this, m_fields[f]);
}

QVariant CachedDataSet::value(int row, int field) const
{
    if (row < 0 || row >= m_rows.size() || field < 0 || field >= m_fields.size())
        return {};
    return m_rows[row].cur[field];
}

QVariant CachedDataSet::value(int row, const QString& name) const
{
    return value(row, fieldIndex(name));
}

void CachedDataSet::setValue(int row, int field, const QVariant& v)
{
    if (row < 0 || row >= m_rows.size() || field < 0 || field >= m_fields.size())
        return;
    if (row != m_cur)
        setRecNo(row);
    SetField(m_fields[field], v);
}

void CachedDataSet::assign(int row, const QString& name, const QVariant& v)
{
    const int f = fieldIndex(name);
    if (row < 0 || row >= m_rows.size() || f < 0)
        return;
    Row& r = m_rows[row];
    if (r.cur[f] == v && r.cur[f].isNull() == v.isNull())
        return;
    r.cur[f] = v;
    if (r.st == RowState::Unchanged)
        r.st = RowState::Modified;
    if (row == m_cur && m_state != State::Browse)
        m_rowModified = true;
    emit fieldChanged(row, f);
    emit rowChanged(row);
}

QVariant CachedDataSet::oldValue(int row, const QString& name) const
{
    const int f = fieldIndex(name);
    if (row < 0 || row >= m_rows.size() || f < 0)
        return {};
    return m_rows[row].old[f];
}

CachedDataSet::RowState CachedDataSet::rowState(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return RowState::Unchanged;
    return m_rows[row].st;
}

// ---- navigation --------------------------------------------------------------------------

void CachedDataSet::setCurrent(int row)
{
    if (m_state == State::Edit || m_state == State::Insert)
        Post();
    if (m_rows.isEmpty()) {
        m_cur = -1;
        m_eof = m_bof = true;
    } else {
        m_cur = qBound(0, row, int(m_rows.size()) - 1);
    }
    emit currentChanged(m_cur);
    if (AfterScroll)
        AfterScroll(*this);
}

void CachedDataSet::setRecNo(int row)
{
    checkActive();
    if (row == m_cur)
        return;
    setCurrent(row);
    m_bof = m_eof = false;
}

void CachedDataSet::First()
{
    checkActive();
    setCurrent(0);
    m_bof = true;
    m_eof = m_rows.isEmpty();
}

void CachedDataSet::Last()
{
    checkActive();
    setCurrent(int(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.isEmpty();
}

void CachedDataSet::Next()
{
    checkActive();
    if (m_cur + 1 >= m_rows.size()) {
        if (m_state != State::Browse)
            Post();
        m_eof = true;
        return;
    }
    setCurrent(m_cur + 1);
    m_bof = false;
    m_eof = false;
}

void CachedDataSet::Prior()
{
    checkActive();
    if (m_cur <= 0) {
        m_bof = true;
        return;
    }
    setCurrent(m_cur - 1);
    m_bof = false;
    m_eof = false;
}

bool CachedDataSet::Locate(const QString& field, const QVariant& value)
{
    checkActive();
    const int f = fieldIndex(field);
    if (f < 0)
        return false;
    for (int i = 0; i < m_rows.size(); ++i) {
        const QVariant& v = m_rows[i].cur[f];
        const bool eq = (v.typeId() == QMetaType::QString || value.typeId() == QMetaType::QString)
            ? v.toString().compare(value.toString(), Qt::CaseInsensitive) == 0
            : v == value;
        if (eq) {
            setRecNo(i);
            return true;
        }
    }
    return false;
}

// ---- editing -----------------------------------------------------------------------------

int CachedDataSet::newRow(int at)
{
    checkActive();
    if (m_state == State::Edit || m_state == State::Insert)
        Post();
    Row r;
    r.cur.resize(m_fields.size());
    r.old.resize(m_fields.size());
    r.st = RowState::Inserted;
    at = qBound(0, at, int(m_rows.size()));
    emit rowAboutToBeInserted(at);
    m_rows.insert(at, r);
    m_cur = at;
    m_state = State::Insert;
    m_rowModified = false;
    m_eof = m_bof = false;
    emit rowInserted(at);
    emit currentChanged(m_cur);
    if (OnNewRecord)
        OnNewRecord(*this);
    return at;
}

void CachedDataSet::Append()
{
    newRow(int(m_rows.size()));
}

void CachedDataSet::Insert()
{
    newRow(m_cur < 0 ? 0 : m_cur);
}

void CachedDataSet::Edit()
{
    ensureCurrent();
    if (m_state != State::Browse)
        return;
    m_editBackup = m_rows[m_cur];
    m_state = State::Edit;
    m_rowModified = false;
}

bool CachedDataSet::Modified() const
{
    return m_rowModified;
}

void CachedDataSet::Post()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    if (BeforePost)
        BeforePost(*this); // may throw: the row stays in edit
    Row& r = m_rows[m_cur];
    if (m_state == State::Edit && r.st == RowState::Unchanged && r.cur != r.old)
        r.st = RowState::Modified;
    m_state = State::Browse;
    m_rowModified = false;
    if (AfterPost)
        AfterPost(*this);
}

void CachedDataSet::Cancel()
{
    if (m_state == State::Insert) {
        const int row = m_cur;
        emit rowAboutToBeRemoved(row);
        m_rows.removeAt(row);
        m_state = State::Browse;
        m_rowModified = false;
        emit rowRemoved(row);
        m_cur = m_rows.isEmpty() ? -1 : qMin(row, int(m_rows.size()) - 1);
        m_eof = m_bof = m_rows.isEmpty();
        emit currentChanged(m_cur);
    } else if (m_state == State::Edit) {
        m_rows[m_cur] = m_editBackup;
        m_state = State::Browse;
        m_rowModified = false;
        emit fieldChanged(m_cur, -1);
        emit rowChanged(m_cur);
    }
}

void CachedDataSet::Delete()
{
    ensureCurrent();
    if (m_state == State::Insert) {
        Cancel();
        return;
    }
    if (m_state == State::Edit)
        Cancel();
    if (BeforeDelete)
        BeforeDelete(*this);
    const int row = m_cur;
    emit rowAboutToBeRemoved(row);
    Row r = m_rows.takeAt(row);
    if (r.st != RowState::Inserted) {
        r.st = RowState::Deleted;
        m_deleted.append(r);
    }
    emit rowRemoved(row);
    m_cur = m_rows.isEmpty() ? -1 : qMin(row, int(m_rows.size()) - 1);
    m_eof = m_bof = m_rows.isEmpty();
    emit currentChanged(m_cur);
    if (AfterDelete)
        AfterDelete(*this);
}

void CachedDataSet::EmptyDataSet()
{
    checkActive();
    if (m_state != State::Browse)
        Cancel();
    for (Row& r : m_rows) {
        if (r.st != RowState::Inserted) {
            r.st = RowState::Deleted;
            m_deleted.append(r);
        }
    }
    m_rows.clear();
    m_cur = -1;
    m_eof = m_bof = true;
    emit reset();
    emit currentChanged(m_cur);
}

// ---- cached updates ----------------------------------------------------------------------

bool CachedDataSet::UpdatesPending() const
{
    if (!m_deleted.isEmpty())
        return true;
    if (m_state == State::Insert || (m_state == State::Edit && m_rowModified))
        return true;
    for (const Row& r : m_rows)
        if (r.st != RowState::Unchanged)
            return true;
    return false;
}

void CachedDataSet::ApplyUpdates()
{
    checkActive();
    if (m_state != State::Browse)
        Post();
    const QSqlDatabase db = database();
    const bool hasKey = fieldIndex(m_keyField) >= 0;
    // Each statement prepared once per apply and run for every row it fits: the column (or,
    // for ":OLD_X", the value as read) behind each parameter is found once.
    struct Writer {
        std::unique_ptr<Db::RowWriter> writer;
        QVector<int> fields; // column of each parameter, -1 when none
        QVector<bool> old;   // the parameter takes the value as read (":OLD_X")
    };
    Writer ins, mod, del;
    auto run = [&](Writer& w, const QString& sql, const Row& row) {
        if (sql.trimmed().isEmpty())
            throw NkError(QStringLiteral("%1: no statement to apply the change").arg(m_name));
        if (!w.writer) {
            w.writer = std::make_unique<Db::RowWriter>(db, sql, &w == &ins && hasKey ? m_keyField : QString());
            for (const QString& name : w.writer->parameters()) {
                const bool old = name.toUpper().startsWith(QLatin1String("OLD_"));
                w.old.append(old);
                w.fields.append(fieldIndex(old ? name.mid(4) : name));
            }
        }
        const QStringList& params = w.writer->parameters();
        for (int i = 0; i < params.size(); ++i) {
            const int f = w.fields[i];
            if (f >= 0)
                w.writer->bind(i, w.old[i] ? row.old[f] : row.cur[f]);
            else
                w.writer->bind(i, m_params.value(params[i].toUpper()));
        }
        w.writer->exec();
    };
    for (Row& r : m_rows)
        r.newId = QVariant();
    for (const Row& r : m_deleted)
        run(del, m_deleteSql, r);
    for (Row& r : m_rows) {
        if (r.st == RowState::Inserted) {
            run(ins, m_insertSql, r);
            r.newId = ins.writer->insertedId();
        } else if (r.st == RowState::Modified) {
            run(mod, m_modifySql, r);
        }
    }
}

int CachedDataSet::InsertedId(int row) const
{
    if (row < 0)
        row = m_cur;
    if (row < 0 || row >= m_rows.size())
        return 0;
    return m_rows[row].newId.toInt();
}

QString CachedDataSet::InsertKey(int row, bool* made)
{
    if (made)
        *made = false;
    if (row < 0)
        row = m_cur;
    if (row < 0 || row >= m_rows.size() || m_rows[row].st != RowState::Inserted)
        return {};
    QString& key = m_rows[row].insertKey;
    if (key.isEmpty()) {
        key = QUuid::createUuid().toString(QUuid::WithoutBraces);
        if (made)
            *made = true;
    }
    // An edit begun before the key was made must not drop it when cancelled.
    if (row == m_cur && m_state != State::Browse)
        m_editBackup.insertKey = key;
    return key;
}

void CachedDataSet::CommitUpdates()
{
    m_deleted.clear();
    const int key = fieldIndex(m_keyField);
    for (int i = 0; i < m_rows.size(); ++i) {
        Row& r = m_rows[i];
        if (key >= 0 && r.st == RowState::Inserted && r.newId.isValid() && r.cur[key] != r.newId) {
            r.cur[key] = r.newId;
            emit fieldChanged(i, key);
            emit rowChanged(i);
        }
        r.newId = QVariant();
        r.old = r.cur;
        r.st = RowState::Unchanged;
    }
}

void CachedDataSet::clearHooks()
{
    OnNewRecord = nullptr;
    BeforePost = nullptr;
    AfterPost = nullptr;
    BeforeDelete = nullptr;
    AfterDelete = nullptr;
    AfterScroll = nullptr;
    OnFieldChange = nullptr;
}

void CachedDataSet::CancelUpdates()
{
    if (m_state != State::Browse)
        Cancel();
    QList<Row> kept;
    for (Row& r : m_rows) {
        if (r.st == RowState::Inserted)
            continue;
        r.cur = r.old;
        r.st = RowState::Unchanged;
        kept.append(r);
    }
    for (Row& r : m_deleted) {
        r.cur = r.old;
        r.st = RowState::Unchanged;
        kept.append(r);
    }
    m_deleted.clear();
    m_rows = kept;
    m_cur = m_rows.isEmpty() ? -1 : 0;
    m_eof = m_bof = m_rows.isEmpty();
    emit reset();
    emit currentChanged(m_cur);
}

namespace {
// One comparable text per value: what two readings of the same stored value give alike
// (numbers to the sixth decimal, dates as ISO text, blank and null alike).
QString storedText(const QVariant& v)
{
    if (v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QString::number(v.toDouble(), 'f', 6);
    case QMetaType::QDateTime:
        return v.toDateTime().toString(Qt::ISODate);
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    default:
        return v.toString().trimmed();
    }
}
} // namespace

bool CachedDataSet::StoredAsRead() const
{
    return storedAs(false);
}

bool CachedDataSet::StoredAsSent() const
{
    return storedAs(true);
}

bool CachedDataSet::storedAs(bool sent) const
{
    if (!Active() || m_sql.trimmed().isEmpty() || m_modifySql.isEmpty())
        return true;
    // The columns the update statement writes, and the key.
    QList<int> columns;
    static const QRegularExpression param(QStringLiteral(":([A-Za-z_][A-Za-z0-9_]*)"));
    for (auto it = param.globalMatch(m_modifySql); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (name.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive))
            continue;
        const int at = fieldIndex(name);
        if (at >= 0 && !columns.contains(at))
            columns << at;
    }
    if (const int key = fieldIndex(m_keyField); key >= 0 && !columns.contains(key))
        columns << key;
    if (columns.isEmpty())
        return true;
    const auto rowText = [&](const QVector<QVariant>& values) {
        QStringList parts;
        for (int c : columns)
            parts << (c < values.size() ? storedText(values[c]) : QString());
        return parts.join(QChar(0x1f));
    };
    QStringList asRead;
    if (sent) {
        const int key = fieldIndex(m_keyField);
        for (const Row& r : m_rows) {
            QVector<QVariant> values = r.cur;
            if (r.st == RowState::Inserted) {
                if (!r.newId.isValid() || key < 0)
                    return false;
                values[key] = r.newId;
            }
            asRead << rowText(values);
        }
    } else {
        for (const Row& r : m_rows)
            if (r.st != RowState::Inserted)
                asRead << rowText(r.old);
        for (const Row& r : m_deleted)
            asRead << rowText(r.old);
    }
    QStringList now;
    QSqlRecord rec;
    Db::readRows(database(), m_sql, m_params, rec, [&](QVector<QVariant>& values) {
        nullsAsText(values);
        now << rowText(values);
    });
    // The same statement gives the same columns; a statement whose columns moved is a change.
    if (rec.count() != m_fields.size())
        return false;
    asRead.sort();
    now.sort();
    return asRead == now;
}
