#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

// Where the databases live, decided by the server name (first line of "Server.Dat"):
//   "postgresql://host[:port][/prefix]" or "pg:host[:port][/prefix]"
//                  -> a PostgreSQL server, one database each, named prefix_name in lower case
//                     (host may be the folder of the server's Unix socket, e.g. /run/postgresql;
//                     a prefix after such a folder needs the port)
//   anything else  -> a folder of SQLite files, <folder>/<database>.sqlite
struct ServerLocation {
    enum class Kind { Embedded, PostgreSQL };
    Kind kind = Kind::Embedded;
    QString folder; // embedded: absolute folder
    QString host;   // server; empty: libpq's default (PGHOST or the local socket)
    int port = 5432;
    QString prefix; // server: put in front of every database name, with "_"
};

namespace Connection {

// First line of "Server.Dat" in the folder, as it stands; "KOV" when missing or empty.
QString readServerName(const QString& workingFolder);
ServerLocation parseServerName(const QString& serverName, const QString& workingFolder);
QString databaseFile(const ServerLocation& where, const QString& databaseName);
// The name of a database on the server: the prefix and the name, in lower case.
// The server name that names `where` (for a server: "pg:host:port[/prefix]").
QString serverNameOf(const ServerLocation& where);
QString serverDatabaseName(const ServerLocation& where, const QString& databaseName);
// The user the program signs in as on a server: PGUSER when set, otherwise "kov". Passwords
// and other options come only from libpq's own files and variables (PGPASSFILE or ~/.pgpass,
// PGSSLMODE, ...), never from Server.Dat.
QString serverUser();

// The connection parameters in the order the suite's driver used them; rebuilt from scratch
// at every connect. Kept for administrators and tests; the Qt connection is set from them.
QStringList buildParams(const QString& databaseName, const QString& serverName);

// (Re)configures the named Qt connection from scratch and opens it. Throws NkError when the
// database cannot be opened (a missing SQLite file is an error, never silently created; a
// server without a free connection slot is an error of kind ServerFull). A connection opened
// again on the same backend keeps its registration, so copies of it held elsewhere (a
// dialog's) use the new one.
QSqlDatabase open(const QString& connectionName, const QString& databaseName,
                  const QString& serverName, const QString& workingFolder);

// Settings every connection gets right after it opens (busy timeout, case-insensitive LIKE,
// foreign keys, the user functions SQLite lacks).
void configureOpened(QSqlDatabase& db);

} // namespace Connection

// Gives a server connection back to its server once it has been idle for a while (no
// statement, no transaction), so an open form nobody works in holds no connection slot; its
// owner opens it again at the next statement, as after a lost connection. The connection keeps
// its registration (copies of it follow when it opens again). `mayRelease` says whether it may
// go now (not inside a transaction); `released` tells the owner it went.
class IdleRelease : public QObject {
public:
    static constexpr int DefaultMs = 60000;
    IdleRelease(const QString& connectionName, std::function<bool()> mayRelease, std::function<void()> released,
                QObject* parent = nullptr);
    void watch(const QSqlDatabase& db); // after each connect: a server connection is watched
    void used();                        // at every use of the connection; cheap
    void stop();                        // the owner closed it
    void setLimit(int milliseconds);    // 0: DefaultMs

private:
    void check();
    QString m_name;
    std::function<bool()> m_mayRelease;
    std::function<void()> m_released;
    QTimer m_timer;
    QElapsedTimer m_lastUse;
    int m_limit = DefaultMs;
    bool m_watching = false;
};
