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
// A value ready to bind: dates become their stored text, a double the decimal of its first 15
// significant digits; everything else passes unchanged.
QVariant toDbValue(const QVariant& v);

// Prepares and runs a statement with named parameters (":Name" in the text, keys without
// the colon in the map, compared case-insensitively). Throws NkError with the driver's text.
QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const QVariantMap& params = {});
// First column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantMap& params = {});
// Names of the ":X" parameters in statement order (each once), as written in the text.
QStringList parameterNames(const QString& sql);

// Transactions that write: SQLite starts them with BEGIN IMMEDIATE so two savers queue.
void beginTransaction(const QSqlDatabase& db);
void commit(const QSqlDatabase& db);
void rollback(const QSqlDatabase& db) noexcept;

// Dialect spellings: the text to put in place of what the documents wrote for the server.
QString lastInsertIdSql(const QSqlDatabase& db); // replaces "SELECT @@IDENTITY"
QString concatOp(const QSqlDatabase& db);        // "+" on texts
QString nowSql(const QSqlDatabase& db);          // getdate()
// A number as text right-aligned in `width` places without decimals (the server's str()).
QString wholeNumberTextSql(Backend backend, const QString& expression, int width);

// The statement as the connection's engine takes it; every place that prepares a statement
// passes it through here. SQLite: unchanged. PostgreSQL: LIKE becomes ILIKE (SQLite's LIKE
// ignores the case of letters, as the suite's server did, also on expressions such as
// "a || b"), and every ":X" takes the spelling of its first occurrence (the server's driver
// binds names exactly, SQLite's ignores their case).
QString dialectSql(const QSqlDatabase& db, const QString& sql);

// A value read from the database as the program keeps it on both backends: the server's
// timestamps become the stored date text "yyyy-MM-dd HH:mm:ss", and its numerics (read as
// exact decimal text) become a double when the double's shortest text is that very decimal;
// a decimal no double holds exactly stays text. `fieldType` is the column's type in the
// query's record. SQLite's values pass unchanged.
QVariant fromDb(const QVariant& v, QMetaType fieldType);
// Every value of the current row of `q`, through fromDb; `columns` is q.record(), taken once
// per statement.
QVector<QVariant> rowValues(const QSqlQuery& q);
QVector<QVariant> rowValues(const QSqlQuery& q, const QSqlRecord& columns);
// The record of the current row of `q` with its values through fromDb.
QSqlRecord rowRecord(const QSqlQuery& q);

} // namespace Db
