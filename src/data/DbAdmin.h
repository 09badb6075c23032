#pragma once
#include <QDate>
#include <QSqlDatabase>
#include <QString>

// Creates databases from the scripts in db/ (carried inside the library): an empty
// configuration database, an empty company database, or the demo pair. Tests build their
// databases with the same code.
namespace DbAdmin {

// Runs a script of statements separated by ";" at the end of a line. "--" comment lines are
// skipped. Placeholders {{YEAR}}, {{NEXTYEAR}}, {{PREVYEAR}}, {{TODAY}} (yyyy-MM-dd) are
// replaced from `today`. Throws NkError naming the statement that failed.
void runScript(const QSqlDatabase& db, const QString& scriptText, const QDate& today = QDate::currentDate());
QString scriptText(const QString& resourceName); // e.g. "company.sql" from :/db/

// Embedded backend: create <folder>/<name>.sqlite (fails when it exists).
void createConfigDatabase(const QString& folder);                      // KOV_CONFIG.sqlite
void createCompanyDatabase(const QString& folder, const QString& name);
// KOV_CONFIG with the demo users and menus plus the DEMO company with its data.
void createDemo(const QString& folder, const QDate& today = QDate::currentDate());

// Brings a company database made by an older schema up to date: document numbers become
// unique per kind in every document table (ImHd, MrHd, PcHd, PoHd, FrPoHd). A table that
// already holds the same number twice keeps its old index and every such number is listed,
// so they can be renumbered first; the program refuses new duplicates either way. Returns
// one line per table. upgradeCompanyDatabase opens <folder>/<name>.sqlite itself.
QStringList makeDocumentNumbersUnique(const QSqlDatabase& db);
QStringList upgradeCompanyDatabase(const QString& folder, const QString& name);

} // namespace DbAdmin
