#pragma once
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <functional>

#include "data/Connection.h"

// Creates databases from the scripts in db/ (carried inside the library): an empty
// configuration database, an empty company database, or the demo pair. Tests build their
// databases with the same code.
namespace DbAdmin {

// Runs a script of statements separated by ";" at the end of a line. "--" comment lines are
// skipped. Placeholders {{YEAR}}, {{NEXTYEAR}}, {{PREVYEAR}}, {{TODAY}} (yyyy-MM-dd) are
// replaced from `today`, then {{LASTDAY:yyyy-MM}} by the last day of that month (yyyy-MM-dd).
// On a server each statement is first translated by PgSchema. Throws NkError naming the
// statement that failed.
void runScript(const QSqlDatabase& db, const QString& scriptText, const QDate& today = QDate::currentDate());
QString scriptText(const QString& resourceName); // e.g. "company.sql" from :/db/

// Embedded backend: create <folder>/<name>.sqlite (fails when it exists).
void createConfigDatabase(const QString& folder);                      // KOV_CONFIG.sqlite
void createCompanyDatabase(const QString& folder, const QString& name);
// KOV_CONFIG with the demo users and menus plus the DEMO company with its data.
void createDemo(const QString& folder, const QDate& today = QDate::currentDate());

// The same on either backend: a folder of SQLite files or a PostgreSQL server, where each
// database is created (as the connecting user, who needs the CREATEDB right), gets the citext
// extension and is built in one transaction; a failure drops it again. The demo's product
// pictures go to `picturesFolder` (default: <folder>/pictures, on a server ./pictures).
void createConfigDatabase(const ServerLocation& where);
void createCompanyDatabase(const ServerLocation& where, const QString& name);
void createDemo(const ServerLocation& where, const QDate& today = QDate::currentDate(),
                const QString& picturesFolder = {});
// A new database from scripts of db/ ("company.sql"), then `fill` on the same transaction.
void createDatabase(const ServerLocation& where, const QString& name, const QStringList& scripts,
                    const std::function<void(const QSqlDatabase&)>& fill = {});
bool databaseExists(const ServerLocation& where, const QString& name);
// Server: creates `name` under `to` as a copy of `name` under `from` (which must have no
// sessions while it is copied).
void copyDatabase(const ServerLocation& from, const ServerLocation& to, const QString& name);
// Server: runs `work` while holding the server-wide advisory lock `key`, so processes that
// create and copy the same databases take turns.
void withServerLock(const ServerLocation& where, qint64 key, const std::function<void()>& work);
// The demo's product pictures, copied into `folder`; returns the folder.
QString copyDemoPictures(const QString& folder);
// Removes a database (a server's even while sessions are connected to it).
void dropDatabase(const ServerLocation& where, const QString& name);
// Server: every identity counter continues after the largest Id stored (after rows were
// written with their Ids, as the demo data and a copied company are).
void resetIdentities(const QSqlDatabase& db);
// Brings a company database made by an older schema up to date: document numbers become
// unique per kind in every document table (ImHd, MrHd, PcHd, PoHd, FrPoHd). A table that
// already holds the same number twice keeps its old index and every such number is listed,
// so they can be renumbered first; the program refuses new duplicates either way. Returns
// one line per table. upgradeCompanyDatabase opens <folder>/<name>.sqlite, or the company
// database on a server, itself.
QStringList makeDocumentNumbersUnique(const QSqlDatabase& db);
// Brings the foreign orders in line with the import documents saved before imports received
// them: every order line's Received, BackOrder and Clear, and every order's Clear, computed
// from the live imports (OrderReceipts), in one transaction; adds the index of ImDt.PoDt.
QStringList receiveOrdersFromImports(const QSqlDatabase& db);
// The section of a script of db/ under the heading line "-- ===== <heading>", up to the next
// such line. Throws NkError when there is none.
QString scriptSection(const QString& resourceName, const QString& heading);
// The tables of the landed cost estimates of foreign orders (FrPoEstHd, FrPoEstDt and the
// setting FrPoEstSetting with its row), made by their own section of company.sql when a
// company lacks them; one line saying which.
QStringList addLandedCostEstimates(const QSqlDatabase& db);
// The column SaveKey (unique) of the four document headers, added where missing, in one
// transaction; a line for the tables that got it and one for those that had it.
QStringList addSaveKeys(const QSqlDatabase& db);
// All of the above.
QStringList upgradeCompanyDatabase(const QString& folder, const QString& name);
QStringList upgradeCompanyDatabase(const ServerLocation& where, const QString& name);

} // namespace DbAdmin
