#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include "data/Connection.h"

// How a company outgrows the embedded files: its SQLite database is copied to a PostgreSQL
// server, with what the configuration database there needs to open it.
namespace DbMigrate {

// Copies company `name` of the SQLite folder to the server, which must not have it yet:
// the database is created from the schema and filled in one transaction, every table's
// rows with their Ids. The server's KOV_CONFIG is created as a copy of the folder's when it
// has none; otherwise the company's rows (Company, DatabaseList, CompanyConfig) are added to
// it unless it lists the database already (users, menus and rights stay as they are there).
// Afterwards each copied table's row count and the sum of each of its number columns are
// read back from both sides and compared; any difference (or any failure) removes what was
// created and throws NkError. Returns a report, one line per table.
QStringList copyCompany(const QString& folder, const QString& name, const ServerLocation& server);

// Copies the rows of every table of `from` into the same tables of `to` (same schema,
// `to` empty) on `to`'s open transaction. A table or column the target lacks is an error;
// empty texts in date columns become NULL.
void copyRows(const QSqlDatabase& from, const QSqlDatabase& to);
// Row counts and sums of number columns of every table, compared; a line per table, or
// NkError naming the first difference.
QStringList compareRows(const QSqlDatabase& from, const QSqlDatabase& to);

} // namespace DbMigrate
