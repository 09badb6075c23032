#include "data/DbUtil.h"
#include "data/NkError.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

namespace Db {

namespace {
const QString kDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString describe(const QSqlError& e, const QString& sql)
{
    QString text = e.databaseText().trimmed();
    if (text.isEmpty())
        text = e.text().trimmed();
    if (!e.driverText().isEmpty() && !text.contains(e.driverText()))
        text += QStringLiteral(" (") + e.driverText() + QStringLiteral(")");
    return text + QStringLiteral("\n") + sql.simplified().left(400);
}

struct LockWait {
    std::function<void(bool)> hook;
    int limitMs = BusyTimeoutMs;
};
LockWait& lockWait()
{
    static LockWait w;
    return w;
}

} // namespace

NkError::Kind errorKind(const QSqlError& error)
{
    const QString code = error.nativeErrorCode().trimmed();
    const QString text = (error.databaseText() + QLatin1Char(' ') + error.driverText()).toLower();
    bool numeric = false;
    const int sqliteCode = code.toInt(&numeric) & 0xff;
    if (numeric) {
        // SQLite result codes (the primary code is the low byte of an extended one).
        switch (sqliteCode) {
        case 5: // SQLITE_BUSY
        case 6: // SQLITE_LOCKED
            return NkError::Kind::Busy;
        case 13: // SQLITE_FULL
            return NkError::Kind::DiskFull;
        case 8: // SQLITE_READONLY
            return NkError::Kind::ReadOnly;
        case 14: // SQLITE_CANTOPEN
        case 26: // SQLITE_NOTADB
        case 11: // SQLITE_CORRUPT
            return NkError::Kind::Connection;
        case 19: // SQLITE_CONSTRAINT
            if (text.contains(QLatin1String("unique")))
                return NkError::Kind::Duplicate;
            break;
        case 10: // SQLITE_IOERR: a full disk shows up here too on some systems
            if (text.contains(QLatin1String("full")))
                return NkError::Kind::DiskFull;
            return NkError::Kind::Connection;
        default:
            break;
        }
    } else if (code.size() == 5) {
        // PostgreSQL SQLSTATE.
        if (code == QLatin1String("23505"))
            return NkError::Kind::Duplicate;
        if (code == QLatin1String("53100"))
            return NkError::Kind::DiskFull;
        if (code == QLatin1String("25006"))
            return NkError::Kind::ReadOnly;
        if (code == QLatin1String("55P03") || code == QLatin1String("40P01") || code == QLatin1String("57014"))
            return NkError::Kind::Busy;
        if (code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P")))
            return NkError::Kind::Connection;
    }
    // Drivers that give no code: their texts.
    if (text.contains(QLatin1String("database is locked")) || text.contains(QLatin1String("database table is locked")))
        return NkError::Kind::Busy;
    if (text.contains(QLatin1String("disk is full")) || text.contains(QLatin1String("no space left")))
        return NkError::Kind::DiskFull;
    if (text.contains(QLatin1String("readonly")) || text.contains(QLatin1String("read-only")))
        return NkError::Kind::ReadOnly;
    if (text.contains(QLatin1String("unique constraint")) || text.contains(QLatin1String("duplicate key")))
        return NkError::Kind::Duplicate;
    if (error.type() == QSqlError::ConnectionError && text.contains(QLatin1String("connect")))
        return NkError::Kind::Connection;
    return NkError::Kind::General;
}

NkError sqlError(const QSqlError& error, const QString& sql)
{
    return NkError(describe(error, sql), errorKind(error));
}

Backend backendOf(const QSqlDatabase& db)
{
    return db.driverName().startsWith(QLatin1String("QPSQL")) ? Backend::PostgreSQL : Backend::SQLite;
}

QDateTime emptyDate()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

bool isEmptyDate(const QDateTime& dt)
{
    return !dt.isValid() || dt.date() == QDate(1899, 12, 30);
}

QString dateToText(const QDateTime& dt)
{
    return (dt.isValid() ? dt : emptyDate()).toString(kDateFormat);
}

QString dateToText(const QDate& d)
{
    return dateToText(d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime());
}

QDateTime dateFromValue(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return {};
    switch (v.metaType().id()) {
    case QMetaType::QDateTime:
        return v.toDateTime();
    case QMetaType::QDate:
        return QDateTime(v.toDate(), QTime(0, 0));
    default:
        break;
    }
    const QString s = v.toString().trimmed();
    if (s.isEmpty())
        return {};
    QDateTime dt = QDateTime::fromString(s, kDateFormat);
    if (!dt.isValid())
        dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd"));
    if (!dt.isValid())
        dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(s.left(19), kDateFormat);
    return dt;
}

QVariant toDbValue(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::QDateTime:
        return dateToText(v.toDateTime());
    case QMetaType::QDate:
        return dateToText(v.toDate());
    default:
        return v;
    }
}

QVariant paramValue(const QVariantMap& params, const QString& name)
{
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return toDbValue(*it);
    return {};
}

QStringList parameterNames(const QString& sql)
{
    // ":Name" outside quoted strings; "::" (casts) is not a parameter.
    QStringList names;
    QStringList upper;
    bool inQuote = false;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'')) {
            inQuote = !inQuote;
            continue;
        }
        if (inQuote || c != QLatin1Char(':'))
            continue;
        if (i + 1 < sql.size() && sql[i + 1] == QLatin1Char(':')) {
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < sql.size() && (sql[j].isLetterOrNumber() || sql[j] == QLatin1Char('_')))
            ++j;
        if (j > i + 1) {
            const QString n = sql.mid(i + 1, j - i - 1);
            if (!upper.contains(n.toUpper())) {
                names << n;
                upper << n.toUpper();
            }
        }
        i = j - 1;
    }
    return names;
}

QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const QVariantMap& params)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw sqlError(q.lastError(), sql);
    for (const QString& n : parameterNames(sql))
        q.bindValue(QLatin1Char(':') + n, paramValue(params, n));
    if (!q.exec())
        throw sqlError(q.lastError(), sql);
    return q;
}

QString likeText(const QString& typed)
{
    QString out;
    out.reserve(typed.size());
    for (const QChar c : typed) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantMap& params)
{
    QSqlQuery q = exec(db, sql, params);
    if (q.next())
        return q.value(0);
    return {};
}

void setLockWaitHook(std::function<void(bool waiting)> hook)
{
    lockWait().hook = std::move(hook);
}

void setLockWaitLimit(int milliseconds)
{
    lockWait().limitMs = milliseconds > 0 ? milliseconds : BusyTimeoutMs;
}

void beginTransaction(const QSqlDatabase& db)
{
    if (backendOf(db) != Backend::SQLite) {
        QSqlDatabase d(db);
        if (!d.transaction())
            throw sqlError(d.lastError(), QStringLiteral("BEGIN"));
        return;
    }
    const QString begin = QStringLiteral("BEGIN IMMEDIATE");
    QSqlQuery q(db);
    // Short tries, so the wait can be shown; the connection's own timeout afterwards.
    q.exec(QStringLiteral("PRAGMA busy_timeout = 200"));
    bool ok = q.exec(begin);
    QSqlError failure = q.lastError();
    if (!ok && errorKind(failure) == NkError::Kind::Busy) {
        LockWait& w = lockWait();
        QElapsedTimer waited;
        waited.start();
        while (!ok && errorKind(failure) == NkError::Kind::Busy && waited.elapsed() < w.limitMs) {
            if (w.hook)
                w.hook(true);
            ok = q.exec(begin);
            failure = q.lastError();
        }
        if (w.hook)
            w.hook(false);
    }
    QSqlQuery(db).exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(BusyTimeoutMs));
    if (!ok)
        throw sqlError(failure, begin);
}

void commit(const QSqlDatabase& db)
{
    if (backendOf(db) == Backend::SQLite) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("COMMIT")))
            throw sqlError(q.lastError(), QStringLiteral("COMMIT"));
        return;
    }
    QSqlDatabase d(db);
    if (!d.commit())
        throw sqlError(d.lastError(), QStringLiteral("COMMIT"));
}

void rollback(const QSqlDatabase& db) noexcept
{
    if (backendOf(db) == Backend::SQLite) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("ROLLBACK"));
        return;
    }
    QSqlDatabase d(db);
    d.rollback();
}

QString lastInsertIdSql(const QSqlDatabase& db)
{
    return backendOf(db) == Backend::SQLite ? QStringLiteral("SELECT last_insert_rowid() AS New_Id")
                                            : QStringLiteral("SELECT lastval() AS New_Id");
}

QString insertReturningId(const QSqlDatabase& db, const QString& insertSql, const QString& keyColumn)
{
    if (backendOf(db) == Backend::PostgreSQL && !keyColumn.isEmpty())
        return insertSql + QStringLiteral("\nRETURNING ") + keyColumn;
    return insertSql;
}

QVariant insertedId(const QSqlDatabase& db, QSqlQuery& executedInsert)
{
    if (backendOf(db) == Backend::PostgreSQL)
        return executedInsert.next() ? executedInsert.value(0) : QVariant();
    return executedInsert.lastInsertId();
}

QString concatOp(const QSqlDatabase&)
{
    return QStringLiteral("||");
}

QString nowSql(const QSqlDatabase& db)
{
    return backendOf(db) == Backend::SQLite ? QStringLiteral("datetime('now','localtime')")
                                            : QStringLiteral("to_char(now(),'YYYY-MM-DD HH24:MI:SS')");
}

} // namespace Db
