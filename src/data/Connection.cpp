#include "data/Connection.h"
#include "data/DbUtil.h"
#include "data/NkError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QRegularExpression>
#include <QSqlDriver>
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
    // host[:port][/prefix]; a host that is a socket folder holds "/" itself, so its prefix
    // is recognised only after a port.
    static const QRegularExpression portAndPrefix(QStringLiteral("^(\\d+)(?:/([A-Za-z0-9_]*))?$"));
    const int colon = rest.lastIndexOf(QLatin1Char(':'));
    const QRegularExpressionMatch m = colon > 0 ? portAndPrefix.match(rest.mid(colon + 1)) : QRegularExpressionMatch();
    if (m.hasMatch()) {
        where.port = m.captured(1).toInt();
        where.prefix = m.captured(2);
        rest = rest.left(colon);
    } else if (!rest.startsWith(QLatin1Char('/'))) {
        const int slash = rest.indexOf(QLatin1Char('/'));
        if (slash >= 0) {
            where.prefix = rest.mid(slash + 1);
            rest = rest.left(slash);
        }
    }
    where.host = rest;
    return where;
}

QString serverNameOf(const ServerLocation& where)
{
    if (where.kind == ServerLocation::Kind::Embedded)
        return where.folder;
    QString name = QStringLiteral("pg:") + where.host + QLatin1Char(':') + QString::number(where.port);
    if (!where.prefix.isEmpty())
        name += QLatin1Char('/') + where.prefix;
    return name;
}

QString databaseFile(const ServerLocation& where, const QString& databaseName)
{
    return QDir(where.folder).filePath(databaseName + QStringLiteral(".sqlite"));
}

QString serverDatabaseName(const ServerLocation& where, const QString& databaseName)
{
    const QString name = databaseName.trimmed();
    return (where.prefix.isEmpty() ? name : where.prefix + QLatin1Char('_') + name).toLower();
}

QString serverUser()
{
    const QString user = qEnvironmentVariable("PGUSER");
    return user.isEmpty() ? QStringLiteral("kov") : user;
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
    QSqlQuery q(db);
    if (db.driverName() == QLatin1String("QPSQL")) {
        // Numerics arrive as their exact decimal text (Db::fromDb hands them on).
        db.setNumericalPrecisionPolicy(QSql::HighPrecision);
        // A query may run ten minutes; a saver waits for another one's lock as long as the
        // embedded backend waits for a busy file. Compiling a plan costs more than the short
        // statements of a form ever run (jit off). One round trip: a form connects again
        // after it gave its connection back.
        q.exec(QStringLiteral("SELECT set_config('statement_timeout', '600000', false), "
                              "set_config('lock_timeout', '%1', false), set_config('DateStyle', 'ISO, YMD', false), "
                              "set_config('client_min_messages', 'warning', false), set_config('jit', 'off', false)")
                   .arg(Db::BusyTimeoutMs));
        return;
    }
    if (db.driverName() != QLatin1String("QSQLITE"))
        return;
    q.exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
    q.exec(QStringLiteral("PRAGMA case_sensitive_like = OFF"));
}

QSqlDatabase open(const QString& connectionName, const QString& databaseName, const QString& serverName,
                  const QString& workingFolder)
{
    const ServerLocation where = parseServerName(serverName, workingFolder);
    const bool embedded = where.kind == ServerLocation::Kind::Embedded;
    const QString driver = embedded ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
    // Rebuilt from scratch at every connect: every setting is given again below. The same
    // driver keeps its registration (copies of the connection follow it); another is a new one.
    QSqlDatabase db;
    if (QSqlDatabase::contains(connectionName)) {
        Db::forgetConnection(connectionName);
        db = QSqlDatabase::database(connectionName, false);
        db.close();
        if (db.driverName() != driver) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connectionName);
        }
    }
    if (!db.isValid())
        db = QSqlDatabase::addDatabase(driver, connectionName);
    if (embedded) {
        const QString file = databaseFile(where, databaseName);
        if (!QFileInfo::exists(file))
            throw NkError(QStringLiteral("Cannot connect to database %1 on server %2: the file %3 does not exist")
                              .arg(databaseName, serverName, file),
                          NkError::Kind::Connection);
        db.setDatabaseName(file);
        // Two workstations saving at once wait for each other instead of failing.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(Db::BusyTimeoutMs));
    } else {
        db.setHostName(where.host); // empty: libpq's default
        db.setPort(where.port);
        db.setDatabaseName(serverDatabaseName(where, databaseName));
        db.setUserName(serverUser()); // the password: libpq's PGPASSFILE / ~/.pgpass
        db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=namkhao"));
    }
    if (!db.open()) {
        const QSqlError error = db.lastError();
        const bool full = Db::errorKind(error) == NkError::Kind::ServerFull;
        throw NkError(QStringLiteral("Cannot connect to database %1 on server %2: %3")
                          .arg(databaseName, serverName, error.text()),
                      full ? NkError::Kind::ServerFull : NkError::Kind::Connection);
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

IdleRelease::IdleRelease(const QString& connectionName, std::function<bool()> mayRelease,
                         std::function<void()> released, QObject* parent)
    : QObject(parent)
    , m_name(connectionName)
    , m_mayRelease(std::move(mayRelease))
    , m_released(std::move(released))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &IdleRelease::check);
}

void IdleRelease::watch(const QSqlDatabase& db)
{
    // The embedded backend's files cost nobody a slot: they stay open.
    m_watching = Db::backendOf(db) == Db::Backend::PostgreSQL;
    if (!m_watching)
        m_timer.stop();
}

void IdleRelease::used()
{
    if (!m_watching)
        return;
    m_lastUse.start();
    // Armed once; when it fires it looks at the last use and waits on for the rest.
    if (!m_timer.isActive())
        m_timer.start(m_limit);
}

void IdleRelease::stop()
{
    m_watching = false;
    m_timer.stop();
}

void IdleRelease::setLimit(int milliseconds)
{
    m_limit = milliseconds > 0 ? milliseconds : DefaultMs;
    if (m_timer.isActive())
        m_timer.start(m_limit);
}

void IdleRelease::check()
{
    const qint64 idle = m_lastUse.isValid() ? m_lastUse.elapsed() : m_limit;
    if (idle < m_limit) {
        m_timer.start(int(m_limit - idle));
        return;
    }
    if (!m_mayRelease()) {
        m_timer.start(m_limit);
        return;
    }
    m_watching = false;
    if (QSqlDatabase::contains(m_name)) {
        Db::forgetConnection(m_name);
        QSqlDatabase::database(m_name, false).close();
    }
    m_released();
}
