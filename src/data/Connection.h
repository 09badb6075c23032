#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Where the databases live, decided by the server name (first line of "Server.Dat"):
//   "postgresql://host[:port]" or "pg:host[:port]"  -> a PostgreSQL server, one database each
//   anything else                                    -> a folder of SQLite files,
//                                                       <folder>/<database>.sqlite
struct ServerLocation {
    enum class Kind { Embedded, PostgreSQL };
    Kind kind = Kind::Embedded;
    QString folder; // embedded: absolute folder
    QString host;   // server
    int port = 5432;
};

namespace Connection {

// First line of "Server.Dat" in the folder, as it stands; "KOV" when missing or empty.
QString readServerName(const QString& workingFolder);
ServerLocation parseServerName(const QString& serverName, const QString& workingFolder);
QString databaseFile(const ServerLocation& where, const QString& databaseName);

// The connection parameters in the order the suite's driver used them; rebuilt from scratch
// at every connect. Kept for administrators and tests; the Qt connection is set from them.
QStringList buildParams(const QString& databaseName, const QString& serverName);

// (Re)configures the named Qt connection from scratch and opens it. Throws NkError when the
// database cannot be opened (a missing SQLite file is an error, never silently created).
QSqlDatabase open(const QString& connectionName, const QString& databaseName,
                  const QString& serverName, const QString& workingFolder);

// Settings every connection gets right after it opens (busy timeout, case-insensitive LIKE,
// foreign keys, the user functions SQLite lacks).
void configureOpened(QSqlDatabase& db);

} // namespace Connection
