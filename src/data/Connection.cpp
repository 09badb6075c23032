#include "data/Connection.h"
#include "data/DbUtil.h"
#include "data/NkError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

namespace Connection {

QString readServerName(const QString& workingFolder)
{
    QFile f(QDir(workingFolder).filePath(QStringLiteral("Server.Dat")));
    QString line;
    if (f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&f);
        line = in.readLine(); // as it stands: blanks are kept
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return line.isEmpty() ? QStringLiteral("KOV") : line;
}

ServerLocation parseServerName(const QString& serverName, const QString& workingFolder)
{
    ServerLocation where;
    QString rest;
    if (serverName.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive))
        rest = serverName.mid(13);
    else if (serverName.startsWith(QLatin1String("pg:"), Qt::CaseInsensitive))
        rest = serverName.mid(3);
    else {
        where.kind = ServerLocation::Kind::Embedded;
        const QString name = serverName; // a folder name may legitimately end with blanks
        where.folder = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(name));
        return where;
    }
    where.kind = ServerLocation::Kind::PostgreSQL;
    rest = rest.trimmed();
    if (rest.endsWith(QLatin1Char('/')))
        rest.chop(1);
    const int colon = rest.lastIndexOf(QLatin1Char(':'));
    if (colon > 0) {
        bool ok = false;
        const int port = rest.mid(colon + 1).toInt(&ok);
        if (ok) {
            where.port = port;
            rest = rest.left(colon);
        }
    }
    where.host = rest;
    return where;
}

QString databaseFile(const ServerLocation& where, const QString& databaseName)
{
    return QDir(where.folder).filePath(databaseName + QStringLiteral(".sqlite"));
}

QStringList buildParams(const QString& databaseName, const QString& serverName)
{
    QStringList p;
    p << QStringLiteral("DATABASE NAME=") + databaseName
      << QStringLiteral("SERVER NAME=") + serverName
      << QStringLiteral("USER NAME=kov")
      << QStringLiteral("OPEN MODE=READ/WRITE");
    static const char* fixed[] = {"SCHEMA CACHE SIZE=8", "BLOB EDIT LOGGING=", "LANGDRIVER=",
                                  "SQLQRYMODE=", "SQLPASSTHRU MODE=SHARED AUTOCOMMIT", "DATE MODE=1",
                                  "SCHEMA CACHE TIME=-1", "MAX QUERY TIME=600", "MAX ROWS=-1",
                                  "BATCH COUNT=200", "ENABLE SCHEMA CACHE=FALSE", "SCHEMA CACHE DIR=",
                                  "HOST NAME=", "APPLICATION NAME=", "NATIONAL LANG NAME=",
                                  "ENABLE BCD=True", "TDS PACKET SIZE=4096", "BLOBS TO CACHE=-1",
                                  "BLOB SIZE=64"};
    for (const char* f : fixed)
        p << QString::fromLatin1(f);
    p << QStringLiteral("PASSWORD=mulberry");
    return p;
}

void configureOpened(QSqlDatabase& db)
{
    if (db.driverName() != QLatin1String("QSQLITE"))
        return;
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
    q.exec(QStringLiteral("PRAGMA case_sensitive_like = OFF"));
}

QSqlDatabase open(const QString& connectionName, const QString& databaseName, const QString& serverName,
                  const QString& workingFolder)
{
    const ServerLocation where = parseServerName(serverName, workingFolder);
    if (QSqlDatabase::contains(connectionName)) {
        // Rebuilt from scratch at every connect: no setting survives from the last one.
        Db::forgetConnection(connectionName);
        {
            QSqlDatabase old = QSqlDatabase::database(connectionName, false);
            old.close();
        }
        QSqlDatabase::removeDatabase(connectionName);
    }
    QSqlDatabase db;
    if (where.kind == ServerLocation::Kind::Embedded) {
        const QString file = databaseFile(where, databaseName);
        if (!QFileInfo::exists(file))
            throw NkError(QStringLiteral("Cannot connect to database %1 on server %2: the file %3 does not exist")
                              .arg(databaseName, serverName, file),
                          NkError::Kind::Connection);
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(file);
        // Two workstations saving at once wait for each other instead of failing.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(Db::BusyTimeoutMs));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
        db.setHostName(where.host);
        db.setPort(where.port);
        db.setDatabaseName(databaseName.toLower());
        db.setUserName(QStringLiteral("kov"));
        db.setPassword(QStringLiteral("mulberry"));
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    }
    if (!db.open()) {
        const QString msg = db.lastError().text();
        throw NkError(QStringLiteral("Cannot connect to database %1 on server %2: %3")
                          .arg(databaseName, serverName, msg),
                      NkError::Kind::Connection);
    }
    configureOpened(db);
    Db::keepStatements(connectionName);
    if (where.kind == ServerLocation::Kind::Embedded) {
        // SQLite opens any file lazily: a file that is no database (or that cannot be read)
        // is found out here, at the connect, and not by the first statement of a form.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            const QString msg = probe.lastError().text();
            probe = QSqlQuery();
            Db::forgetConnection(connectionName);
            db.close();
            throw NkError(QStringLiteral("Cannot connect to database %1 on server %2: %3")
                              .arg(databaseName, serverName, msg),
                          NkError::Kind::Connection);
        }
    }
    return db;
}

} // namespace Connection
