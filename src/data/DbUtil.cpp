#include "data/DbUtil.h"
#include "data/NkError.h"

#include <QElapsedTimer>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

#include <charconv>
#include <cmath>

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
        if (code == QLatin1String("53300"))
            return NkError::Kind::ServerFull;
        if (code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P")))
            return NkError::Kind::Connection;
    }
    // Drivers that give no code: their texts. A server refusing a connection for want of a
    // slot says so in the sign-in answer, which comes without a code.
    for (const char* full : {"too many clients", "connection slots are reserved", "too many connections"})
        if (text.contains(QLatin1String(full)))
            return NkError::Kind::ServerFull;
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
    // A server lost in the middle of a statement: libpq's words, without a code.
    for (const char* lost : {"server closed the connection", "no connection to the server", "terminating connection",
                             "could not receive data from server", "could not send data to server"})
        if (text.contains(QLatin1String(lost)))
            return NkError::Kind::Connection;
    return NkError::Kind::Database;
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

namespace {
// The number in s[from, from + n) when every character there is a digit, else -1.
int digitsAt(const QString& s, int from, int n)
{
    int v = 0;
    for (int i = from; i < from + n; ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

// "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss" exactly; anything else (or an impossible date) is
// invalid and left to the general parser.
QDateTime fixedDateTime(const QString& s)
{
    if ((s.size() != 10 && s.size() != 19) || s[4] != u'-' || s[7] != u'-')
        return {};
    const int y = digitsAt(s, 0, 4), m = digitsAt(s, 5, 2), day = digitsAt(s, 8, 2);
    const QDate d = y < 1 || m < 1 || day < 1 ? QDate() : QDate(y, m, day);
    if (!d.isValid())
        return {};
    if (s.size() == 10)
        return QDateTime(d, QTime(0, 0));
    if (s[10] != u' ' || s[13] != u':' || s[16] != u':')
        return {};
    const QTime t(digitsAt(s, 11, 2), digitsAt(s, 14, 2), digitsAt(s, 17, 2));
    return t.isValid() ? QDateTime(d, t) : QDateTime();
}
}  // namespace

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
    // Stored dates are "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss": read at their fixed places, which
    // costs a fraction of the general parser a save of many lines would otherwise run per line.
    if (const QDateTime fixed = fixedDateTime(s); fixed.isValid())
        return fixed;
    QDateTime dt = QDateTime::fromString(s, kDateFormat);
    if (!dt.isValid())
        dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd"));
    if (!dt.isValid())
        dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(s.left(19), kDateFormat);
    return dt;
}

static double toFifteenDigits(double x)
{
    // Most amounts already are such a decimal: their shortest text (which reads back as the
    // same double) has 15 significant digits or fewer, and then it is the nearest 15-digit
    // decimal too. Only the others take the slower rounding through the text.
    if (!std::isfinite(x) || x == 0)
        return x;
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x);
    if (ec == std::errc()) {
        int digits = 0;
        bool leading = true;
        for (const char* p = buf; p < end && *p != 'e'; ++p) {
            if (*p < '0' || *p > '9')
                continue;
            if (leading && *p == '0')
                continue;
            leading = false;
            ++digits;
        }
        if (digits <= 15)
            return x;
    }
    return QString::number(x, 'g', 15).toDouble();
}

QVariant toDbValue(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::QDateTime:
        return dateToText(v.toDateTime());
    case QMetaType::QDate:
        return dateToText(v.toDate());
    case QMetaType::Double:
    case QMetaType::Float:
        // The decimal the amount stands for: its first 15 significant digits (a sum of typed
        // amounts such as 0.1 + 0.2 differs from it only beyond them), as the report engine
        // reads a double too. The server stores that decimal exactly.
        return v.isNull() ? v : QVariant(toFifteenDigits(v.toDouble()));
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
    const QString text = dialectSql(db, sql);
    if (backendOf(db) == Backend::PostgreSQL && parameterNames(sql).isEmpty()) {
        // Sent as it stands: the server prepares only queries, not CREATE, SET and the like.
        if (!q.exec(text))
            throw sqlError(q.lastError(), sql);
        return q;
    }
    if (!q.prepare(text))
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
        return backendOf(db) == Backend::SQLite ? q.value(0) : fromDb(q.value(0), q.record().field(0).metaType());
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

namespace {

bool openServerConnection(const QSqlDatabase& db)
{
    return db.driverName() == QLatin1String("QPSQL") && db.isOpen();
}

} // namespace

void runWaitingForLocks(const QSqlDatabase& db, const std::function<void()>& work)
{
    if (!openServerConnection(db)) {
        work();
        return;
    }
    // The savepoint tells whether a transaction is open: the server refuses one outside a
    // transaction (and one inside a transaction that already failed), and a refused savepoint
    // leaves nothing behind. The driver reads what an earlier statement left unread before it
    // sends it, so the answer is this statement's own. The driver judges a text of several
    // statements by its first, so the savepoint comes first; the short timeout goes with it,
    // and with every return to it, in the same round trip.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SAVEPOINT nk_lock_wait; SET LOCAL lock_timeout = 200"))) {
        work();
        return;
    }
    LockWait& w = lockWait();
    QElapsedTimer waited;
    waited.start();
    bool waiting = false;
    auto stopWaiting = [&] {
        if (waiting && w.hook)
            w.hook(false);
    };
    for (;;) {
        try {
            work();
        } catch (const NkError& e) {
            // Back to before the try (the savepoint stays, the short timeout is set again for
            // the next one); the transaction lives on.
            if (e.kind() != NkError::Kind::Busy || waited.elapsed() >= w.limitMs) {
                q.exec(QStringLiteral("ROLLBACK TO SAVEPOINT nk_lock_wait"));
                q.exec(QStringLiteral("RELEASE SAVEPOINT nk_lock_wait"));
                stopWaiting();
                throw;
            }
            q.exec(QStringLiteral("ROLLBACK TO SAVEPOINT nk_lock_wait; SET LOCAL lock_timeout = 200"));
            waiting = true;
            if (w.hook)
                w.hook(true);
            continue;
        }
        q.exec(QStringLiteral("RELEASE SAVEPOINT nk_lock_wait; SET LOCAL lock_timeout = %1").arg(BusyTimeoutMs));
        stopWaiting();
        return;
    }
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
                                            : QStringLiteral("localtimestamp(0)");
}

QString wholeNumberTextSql(Backend backend, const QString& expression, int width)
{
    if (backend == Backend::SQLite)
        return QStringLiteral("printf('%%1.0f',%2)").arg(width).arg(expression);
    return QStringLiteral("lpad(round((%1)::numeric)::text,%2)").arg(expression).arg(width);
}

namespace {

QString serverSpelling(const QString& sql)
{
    QString out;
    out.reserve(sql.size() + 16);
    QHash<QString, QString> spelling; // upper-case name -> first spelling
    const int n = int(sql.size());
    auto isWord = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); };
    for (int i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int end = sql.indexOf(c, i + 1);
            const int stop = end < 0 ? n : end + 1;
            out += QStringView(sql).mid(i, stop - i);
            i = stop - 1;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            const int nl = sql.indexOf(QLatin1Char('\n'), i);
            const int stop = nl < 0 ? n : nl;
            out += QStringView(sql).mid(i, stop - i);
            i = stop - 1;
            continue;
        }
        if (c == QLatin1Char(':')) {
            if (i + 1 < n && sql[i + 1] == QLatin1Char(':')) { // a cast
                out += QLatin1String("::");
                ++i;
                continue;
            }
            int j = i + 1;
            while (j < n && isWord(sql[j]))
                ++j;
            if (j > i + 1 && (i == 0 || !isWord(sql[i - 1]))) {
                const QString name = sql.mid(i + 1, j - i - 1);
                const QString key = name.toUpper();
                auto it = spelling.constFind(key);
                if (it == spelling.constEnd())
                    it = spelling.insert(key, name);
                out += QLatin1Char(':') + *it;
                i = j - 1;
                continue;
            }
        }
        if ((c == QLatin1Char('L') || c == QLatin1Char('l')) && i + 4 <= n && (i == 0 || !isWord(sql[i - 1]))
            && sql.mid(i, 4).compare(QLatin1String("LIKE"), Qt::CaseInsensitive) == 0
            && (i + 4 == n || !isWord(sql[i + 4]))) {
            out += QLatin1String("ILIKE");
            i += 3;
            continue;
        }
        out += c;
    }
    return out;
}

} // namespace

bool execKept(const QSqlDatabase& db, const QString& sql, const QVariantMap& params, QSqlRecord* first)
{
    QSqlRecord row;
    return readFirst(db, sql, params, first ? *first : row);
}

namespace {
QHash<QString, std::function<void()>>& reopeners()
{
    static QHash<QString, std::function<void()>> r;
    return r;
}
} // namespace

void setReopen(const QString& connectionName, std::function<void()> reopen)
{
    if (reopen)
        reopeners().insert(connectionName, std::move(reopen));
    else
        reopeners().remove(connectionName);
}

QString dialectSql(const QSqlDatabase& db, const QString& sql)
{
    if (backendOf(db) == Backend::SQLite)
        return sql;
    if (!db.isOpen()) {
        // Given back while idle (or lost): its owner opens it again; a copy shares the opened
        // connection.
        const auto it = reopeners().constFind(db.connectionName());
        if (it != reopeners().constEnd())
            (*it)();
    }
    // The same texts come again and again (searches at every key, the lines of a save).
    static QHash<QString, QString> cache;
    if (const auto it = cache.constFind(sql); it != cache.constEnd())
        return *it;
    if (cache.size() > 2000)
        cache.clear();
    const QString out = serverSpelling(sql);
    cache.insert(sql, out);
    return out;
}

QVariant fromDb(const QVariant& v, QMetaType fieldType)
{
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return v.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(dateToText(v.toDateTime()));
    case QMetaType::QDate:
        return v.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(dateToText(v.toDate()));
    case QMetaType::QString: {
        if (fieldType.id() != QMetaType::Double || v.isNull())
            return v;
        const QString text = v.toString();
        bool ok = false;
        const double d = text.toDouble(&ok);
        if (!ok)
            return v;
        // The decimal as the double's shortest text would write it: without trailing zeros.
        QString exact = text;
        if (exact.contains(QLatin1Char('.'))) {
            while (exact.endsWith(QLatin1Char('0')))
                exact.chop(1);
            if (exact.endsWith(QLatin1Char('.')))
                exact.chop(1);
        }
        if (exact == QLatin1String("-0"))
            exact = QStringLiteral("0");
        const QString shortest = QString::number(d, 'f', QLocale::FloatingPointShortest);
        return shortest == exact ? QVariant(d) : v;
    }
    default:
        return v;
    }
}

QVector<QVariant> rowValues(const QSqlQuery& q)
{
    return rowValues(q, q.record());
}

QVector<QVariant> rowValues(const QSqlQuery& q, const QSqlRecord& columns)
{
    const int n = columns.count();
    QVector<QVariant> values(n);
    const bool server = q.driver() && q.driver()->dbmsType() == QSqlDriver::PostgreSQL;
    for (int i = 0; i < n; ++i)
        values[i] = server ? fromDb(q.value(i), columns.field(i).metaType()) : q.value(i);
    return values;
}

QSqlRecord rowRecord(const QSqlQuery& q)
{
    QSqlRecord rec = q.record();
    if (q.driver() && q.driver()->dbmsType() == QSqlDriver::PostgreSQL)
        for (int i = 0; i < rec.count(); ++i)
            rec.setValue(i, fromDb(rec.value(i), rec.field(i).metaType()));
    return rec;
}

} // namespace Db
