#pragma once
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <QVariantMap>

// Small helpers over Qt SQL shared by every statement of the module: the date text form,
// the spellings that differ between the embedded and the server backend, and statement
// execution that turns a database failure into an NkError.
namespace Db {

enum class Backend { SQLite, PostgreSQL };
Backend backendOf(const QSqlDatabase& db);

// Dates are stored as "yyyy-MM-dd HH:mm:ss"; the empty date is day zero, 30/12/1899.
QString dateToText(const QDateTime& dt);
QString dateToText(const QDate& d);
QDateTime dateFromValue(const QVariant& v); // text, QDate or QDateTime; invalid on garbage
QDateTime emptyDate();
bool isEmptyDate(const QDateTime& dt);
// A value ready to bind: dates become their stored text; everything else passes unchanged.
QVariant toDbValue(const QVariant& v);

// Prepares and runs a statement with named parameters (":Name" in the text, keys without
// the colon in the map, compared case-insensitively). Throws NkError with the driver's text.
QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const QVariantMap& params = {});
// First column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantMap& params = {});
// Names of the ":X" parameters in statement order (each once), as written in the text.
QStringList parameterNames(const QString& sql);

// A typed text searched for as it stands inside a LIKE pattern: "%", "_" and the escape
// character itself are escaped with a backslash; the statement adds LikeEscape after the
// pattern ("Name Like :GetName ESCAPE '\'"), so "50%" finds "50%" and not "500".
QString likeText(const QString& typed);
inline const char* const LikeEscape = " ESCAPE '\\'";

// Transactions that write: SQLite starts them with BEGIN IMMEDIATE so two savers queue.
void beginTransaction(const QSqlDatabase& db);
void commit(const QSqlDatabase& db);
void rollback(const QSqlDatabase& db) noexcept;

// Dialect spellings: the text to put in place of what the documents wrote for the server.
QString lastInsertIdSql(const QSqlDatabase& db); // replaces "SELECT @@IDENTITY"
QString concatOp(const QSqlDatabase& db);        // "+" on texts
QString nowSql(const QSqlDatabase& db);          // getdate()

} // namespace Db
