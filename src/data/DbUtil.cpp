#include "data/DbUtil.h"
#include "data/NkError.h"

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
} // namespace

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
        throw NkError(describe(q.lastError(), sql));
    QVariantMap upperParams;
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        upperParams.insert(it.key().toUpper(), it.value());
    for (const QString& n : parameterNames(sql)) {
        const auto it = upperParams.constFind(n.toUpper());
        q.bindValue(QLatin1Char(':') + n, it == upperParams.cend() ? QVariant() : toDbValue(*it));
    }
    if (!q.exec())
        throw NkError(describe(q.lastError(), sql));
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

void beginTransaction(const QSqlDatabase& db)
{
    if (backendOf(db) == Backend::SQLite) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
            throw NkError(describe(q.lastError(), QStringLiteral("BEGIN IMMEDIATE")));
        return;
    }
    QSqlDatabase d(db);
    if (!d.transaction())
        throw NkError(describe(d.lastError(), QStringLiteral("BEGIN")));
}

void commit(const QSqlDatabase& db)
{
    if (backendOf(db) == Backend::SQLite) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("COMMIT")))
            throw NkError(describe(q.lastError(), QStringLiteral("COMMIT")));
        return;
    }
    QSqlDatabase d(db);
    if (!d.commit())
        throw NkError(describe(d.lastError(), QStringLiteral("COMMIT")));
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
