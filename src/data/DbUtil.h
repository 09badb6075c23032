#pragma once
#include <memory>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QVariantMap>
#include <functional>

#include "data/NkError.h"

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

// A failed statement as the module's error: the driver's text and the statement (what the
// error log keeps), and the kind of failure (locked, disk full, read-only, connection, a
// duplicate value) from the driver's error code, so the user can be told in plain words.
NkError sqlError(const QSqlError& error, const QString& sql);
NkError::Kind errorKind(const QSqlError& error);

// Prepares and runs a statement with named parameters (":Name" in the text, keys without
// the colon in the map, compared case-insensitively). Throws NkError with the driver's text.
QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const QVariantMap& params = {});
// First column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantMap& params = {});
// Names of the ":X" parameters in statement order (each once), as written in the text.
QStringList parameterNames(const QString& sql);
// The value to bind to parameter `name` (case-insensitive key of `params`), ready to bind.
QVariant paramValue(const QVariantMap& params, const QString& name);

// Read statements that run again and again (code checks, searches): the rows are read
// completely before the call returns. readFirst: true when there was a row; without one the
// record keeps the statement's columns with null values. readRows gives `columns` and calls
// `row` with the values of each row (as fromDb gives them). On the embedded backend they run
// on the engine directly; connections that keep statements (keepStatements; every connection
// opened by Connection::open) prepare each text once, on the server too.
bool readFirst(const QSqlDatabase& db, const QString& sql, const QVariantMap& params, QSqlRecord& record);
void readRows(const QSqlDatabase& db, const QString& sql, const QVariantMap& params, QSqlRecord& columns,
              const std::function<void(QVector<QVariant>& values)>& row);
// A statement every save runs (the counter of a document code, the number set on a header,
// the log row), kept prepared like the reads above: on a server one round trip. `first`, when
// given, receives the first row of its RETURNING clause; true when there was one.
bool execKept(const QSqlDatabase& db, const QString& sql, const QVariantMap& params, QSqlRecord* first = nullptr);
// A server connection its owner gave back while idle (Connection::IdleRelease) opens again
// before its next statement (dialectSql), also when the statement comes through a copy of the
// connection kept by a dialog: the owner registers how it opens it (an empty function: none).
void setReopen(const QString& connectionName, std::function<void()> reopen);
// A write statement run once per row of a set (the inserts, changes and deletes a cached data
// set applies) inside the caller's transaction: prepared once, each named parameter bound by
// its place in parameters(). On the embedded backend it runs on the engine of the Qt
// connection directly; elsewhere through QSqlQuery. A failure is thrown as NkError.
class RowWriter {
public:
    // keyColumn: an insert whose new row's Id insertedId() gives (RETURNING on the server).
    RowWriter(const QSqlDatabase& db, const QString& sql, const QString& keyColumn = QString());
    ~RowWriter();
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;
    // The ":X" parameter names in statement order, each once.
    const QStringList& parameters() const;
    // The value of parameter i, as the program holds it (dates, amounts: toDbValue applies).
    void bind(int i, const QVariant& value);
    void exec();
    QVariant insertedId();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Prepared statements of the connection are kept from now on, until forgetConnection, which
// must run before the connection is closed or removed.
void keepStatements(const QString& connectionName);
void forgetConnection(const QString& connectionName);

// How long a statement waits for a database another workstation is writing.
inline constexpr int BusyTimeoutMs = 30000;

// A typed text searched for as it stands inside a LIKE pattern: "%", "_" and the escape
// character itself are escaped with a backslash; the statement adds LikeEscape after the
// pattern ("Name Like :GetName ESCAPE '\'"), so "50%" finds "50%" and not "500".
QString likeText(const QString& typed);
inline const char* const LikeEscape = " ESCAPE '\\'";

// Transactions that write: SQLite starts them with BEGIN IMMEDIATE so two savers queue.
// While another workstation holds the database, the start is retried until the wait limit
// (BusyTimeoutMs unless set) and the wait hook is called between tries (true while waiting,
// false once when the wait is over), so the user sees that the program waits. A wait that
// runs out throws an NkError of kind Busy.
void beginTransaction(const QSqlDatabase& db);
void setLockWaitHook(std::function<void(bool waiting)> hook);
void setLockWaitLimit(int milliseconds); // 0 restores BusyTimeoutMs
// A statement of a saving transaction that may wait for a row another workstation's saving
// transaction holds (the counter of a document code). On the server `work` is tried with a
// short lock timeout behind a savepoint, again and again until the wait limit, with the wait
// hook called between tries as for SQLite's BEGIN; a wait that runs out throws the server's
// NkError of kind Busy. Elsewhere `work` just runs.
void runWaitingForLocks(const QSqlDatabase& db, const std::function<void()>& work);
void commit(const QSqlDatabase& db);
void rollback(const QSqlDatabase& db) noexcept;

// Dialect spellings: the text to put in place of what the documents wrote for the server.
QString lastInsertIdSql(const QSqlDatabase& db); // replaces "SELECT @@IDENTITY"
// The Id of a row from its own insert: the statement to run for an insert whose table's key
// column is `keyColumn` (the server backend asks for the key back), and the Id it gave.
QString insertReturningId(const QSqlDatabase& db, const QString& insertSql, const QString& keyColumn);
QVariant insertedId(const QSqlDatabase& db, QSqlQuery& executedInsert);
QString concatOp(const QSqlDatabase& db);        // "+" on texts
QString nowSql(const QSqlDatabase& db);          // getdate()
// A number as text right-aligned in `width` places without decimals (the server's str()).
QString wholeNumberTextSql(Backend backend, const QString& expression, int width);

// The statement as the connection's engine takes it; every place that prepares a statement
// passes it through here (and a server connection given back while idle opens again here,
// see setReopen). SQLite: unchanged. PostgreSQL: LIKE becomes ILIKE (SQLite's LIKE
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
