#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Preparation procedures an installation supplies without a new program: an SQL script named
// after the procedure ("SP_PrintImport.sql") in the folder of the report layouts. The print
// dialog runs it before preparing the layout that names the procedure, with the document's
// parameters bound by name (:No, :DocYear, :DocCode, :NewDocNo), all statements in one
// transaction on the company database. Format: docs/report-format.md.
namespace PrepareScript {

// The script of a procedure in the folder, or "" when there is none. File names compare
// without regard to case; an owner prefix "dbo." is dropped; a name holding anything but
// letters, digits and "_" has no script.
QString find(const QString& folder, const QString& procName);

// The statements of a script: split at ";" outside quoted texts and names, comments ("--" to
// the end of the line, "/* */") left out, empty statements dropped.
QStringList statements(const QString& script);

// Runs the script in one transaction; on the first failing statement everything is rolled
// back and NkError names the script, the statement's number and the database's reason.
void run(const QString& path, const QSqlDatabase& db, const QVariantMap& params);

} // namespace PrepareScript
