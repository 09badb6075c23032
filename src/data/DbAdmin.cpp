#include "data/DbAdmin.h"
#include "data/Numbering.h"

#include "data/DbCatalog.h"
#include "data/DbUtil.h"
#include "data/OrderReceipts.h"
#include "data/NkError.h"
#include "data/PgSchema.h"
#include "data/ServerProcs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <functional>
#include <memory>
#include <vector>

namespace {

QString substitute(QString text, const QDate& today)
{
    const QDate d = today.isValid() ? today : QDate::currentDate();
    text.replace(QLatin1String("{{YEAR}}"), QString::number(d.year()));
    text.replace(QLatin1String("{{NEXTYEAR}}"), QString::number(d.year() + 1));
    text.replace(QLatin1String("{{PREVYEAR}}"), QString::number(d.year() - 1));
    text.replace(QLatin1String("{{TODAY}}"), d.toString(QStringLiteral("yyyy-MM-dd")));
    static const QRegularExpression lastDay(QStringLiteral("\\{\\{LASTDAY:(\\d{4})-(\\d{2})\\}\\}"));
    QRegularExpressionMatch m;
    while ((m = lastDay.match(text)).hasMatch()) {
        const QDate first(m.captured(1).toInt(), m.captured(2).toInt(), 1);
        text.replace(m.capturedStart(), m.capturedLength(),
                     first.addMonths(1).addDays(-1).toString(QStringLiteral("yyyy-MM-dd")));
    }
    return text;
}

// Single quotes open and close string literals; a doubled quote inside a literal toggles
// twice and so leaves the state as it was.
bool quoteStateAfter(const QString& line, bool inQuote)
{
    for (const QChar c : line)
        if (c == QLatin1Char('\''))
            inQuote = !inQuote;
    return inQuote;
}

void execStatement(const QSqlDatabase& db, const QString& text, int number, int line)
{
    const QString statement = Db::backendOf(db) == Db::Backend::PostgreSQL ? PgSchema::translate(text) : text;
    if (statement.trimmed().isEmpty())
        return;
    QSqlQuery q(db);
    if (!q.exec(statement))
        throw NkError(QStringLiteral("Script statement %1 (line %2) failed: %3\n%4")
                          .arg(number)
                          .arg(line)
                          .arg(q.lastError().text(), statement.left(400)));
}

// A SQLite file, or a database of a server by its name there, opened on a connection of its
// own, removed again when the object goes.
class ScratchConnection {
public:
    explicit ScratchConnection(const QString& path)
        : m_name(QStringLiteral("nk_dbadmin_") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        openOrThrow(db, path);
    }
    ScratchConnection(const ServerLocation& server, const QString& serverDatabase)
        : m_name(QStringLiteral("nk_dbadmin_") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        if (!server.host.isEmpty())
            db.setHostName(server.host);
        db.setPort(server.port);
        db.setDatabaseName(serverDatabase);
        db.setUserName(Connection::serverUser());
        db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=namkhao-db"));
        openOrThrow(db, serverDatabase);
        Connection::configureOpened(db);
    }
    ~ScratchConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    ScratchConnection(const ScratchConnection&) = delete;
    ScratchConnection& operator=(const ScratchConnection&) = delete;
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    void openOrThrow(QSqlDatabase& db, const QString& what)
    {
        if (db.open())
            return;
        const QString err = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw NkError(QStringLiteral("Cannot open database %1: %2").arg(what, err));
    }
    QString m_name;
};

void removeDatabaseFiles(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    QFile::remove(path + QStringLiteral("-journal"));
}

void refuseExisting(const QString& path)
{
    if (QFileInfo::exists(path))
        throw NkError(QStringLiteral("ฐานข้อมูลมีอยู่แล้ว (database already exists): %1").arg(path));
}

using AfterScripts = std::function<void(const QSqlDatabase&)>;

void runScripts(const QSqlDatabase& db, const QStringList& scripts, const QDate& today, const AfterScripts& after)
{
    for (const QString& script : scripts)
        DbAdmin::runScript(db, DbAdmin::scriptText(script), today);
    if (after)
        after(db);
}

// Builds a new database file from scripts in one transaction, then switches it to write-ahead
// logging. A failure leaves no file behind, so the command can simply be run again.
void buildDatabase(const QString& path, const QStringList& scripts, const QDate& today,
                   const AfterScripts& after = {})
{
    refuseExisting(path);
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw NkError(QStringLiteral("Cannot create folder %1").arg(folder));
    try {
        ScratchConnection conn(path);
        QSqlDatabase db = conn.db();
        QSqlQuery begin(db);
        if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
            throw NkError(QStringLiteral("Cannot start transaction on %1: %2").arg(path, begin.lastError().text()));
        try {
            runScripts(db, scripts, today, after);
            QSqlQuery commit(db);
            if (!commit.exec(QStringLiteral("COMMIT")))
                throw NkError(QStringLiteral("Cannot commit %1: %2").arg(path, commit.lastError().text()));
        } catch (...) {
            QSqlQuery rollback(db);
            rollback.exec(QStringLiteral("ROLLBACK"));
            throw;
        }
        QSqlQuery wal(db);
        if (!wal.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
            throw NkError(QStringLiteral("Cannot switch %1 to WAL: %2").arg(path, wal.lastError().text()));
    } catch (...) {
        removeDatabaseFiles(path);
        throw;
    }
}

// A database name as a quoted identifier of the server.
QString quotedName(const QString& serverName)
{
    return QLatin1Char('"') + QString(serverName).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// The server's own database ("postgres", else "template1"), to create, copy and drop the
// company databases from: one session per server, kept for the process.
QSqlDatabase maintenance(const ServerLocation& where)
{
    const QString name = QStringLiteral("nk_dbadmin_server %1:%2").arg(where.host).arg(where.port);
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen())
            return db;
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
    QString failure;
    for (const QString& database : {QStringLiteral("postgres"), QStringLiteral("template1")}) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        if (!where.host.isEmpty())
            db.setHostName(where.host);
        db.setPort(where.port);
        db.setDatabaseName(database);
        db.setUserName(Connection::serverUser());
        db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=namkhao-db"));
        if (db.open()) {
            Connection::configureOpened(db);
            return db;
        }
        failure = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
    throw NkError(QStringLiteral("Cannot connect to server %1: %2").arg(Connection::serverNameOf(where), failure));
}

bool serverDatabaseExists(const ServerLocation& where, const QString& serverName)
{
    return Db::scalar(maintenance(where), QStringLiteral("SELECT count(*) FROM pg_database WHERE datname = :n"),
                      {{QStringLiteral("n"), serverName}})
               .toInt()
        > 0;
}

void dropServerDatabase(const ServerLocation& where, const QString& serverName) noexcept
{
    try {
        QSqlQuery q(maintenance(where));
        q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(quotedName(serverName)));
    } catch (...) {
    }
}

// The server's twin of buildDatabase: CREATE DATABASE, then the scripts in one transaction;
// a failure drops the database again.
void buildServerDatabase(const ServerLocation& where, const QString& name, const QStringList& scripts,
                         const QDate& today, const AfterScripts& after = {})
{
    const QString serverName = Connection::serverDatabaseName(where, name);
    {
        const QSqlDatabase admin = maintenance(where);
        if (Db::scalar(admin, QStringLiteral("SELECT count(*) FROM pg_database WHERE datname = :n"),
                       {{QStringLiteral("n"), serverName}})
                .toInt()
            > 0)
            throw NkError(QStringLiteral("ฐานข้อมูลมีอยู่แล้ว (database already exists): %1 on %2")
                              .arg(serverName, Connection::serverNameOf(where)));
        QSqlQuery q(admin);
        if (!q.exec(QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(quotedName(serverName))))
            throw NkError(QStringLiteral("Cannot create database %1 on %2: %3")
                              .arg(serverName, Connection::serverNameOf(where), q.lastError().text()));
    }
    try {
        ScratchConnection conn(where, serverName);
        QSqlDatabase db = conn.db();
        Db::beginTransaction(db);
        try {
            Db::exec(db, QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"));
            runScripts(db, scripts, today, after);
            DbAdmin::resetIdentities(db);
            Db::commit(db);
        } catch (...) {
            Db::rollback(db);
            throw;
        }
    } catch (...) {
        dropServerDatabase(where, serverName);
        throw;
    }
}

void build(const ServerLocation& where, const QString& name, const QStringList& scripts, const QDate& today,
           const AfterScripts& after = {});

const char* const kConfigName = "KOV_CONFIG";

QString checkedName(const QString& name)
{
    const QString n = name.trimmed();
    if (n.isEmpty() || n.contains(QLatin1Char('/')) || n.contains(QLatin1Char('\\')) || n.startsWith(QLatin1Char('.'))
        || n.contains(QLatin1Char('"')) || n.size() > 50)
        throw NkError(QStringLiteral("Invalid database name: '%1'").arg(name));
    return n;
}

QString companyPath(const QString& folder, const QString& name)
{
    return QDir(folder).absoluteFilePath(checkedName(name) + QStringLiteral(".sqlite"));
}

void build(const ServerLocation& where, const QString& name, const QStringList& scripts, const QDate& today,
           const AfterScripts& after)
{
    if (where.kind == ServerLocation::Kind::Embedded)
        buildDatabase(Connection::databaseFile(where, checkedName(name)), scripts, today, after);
    else
        buildServerDatabase(where, checkedName(name), scripts, today, after);
}

void exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery q(db);
    if (values.isEmpty()) { // a server prepares no DDL
        if (!q.exec(sql))
            throw NkError(q.lastError().text());
        return;
    }
    if (!q.prepare(sql))
        throw NkError(q.lastError().text());
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw NkError(q.lastError().text());
}

} // namespace

QString DbAdmin::copyDemoPictures(const QString& target)
{
    QDir().mkpath(target);
    QDirIterator it(QStringLiteral(":/db/pictures"), {QStringLiteral("*.jpg")}, QDir::Files);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = QDir(target).filePath(QFileInfo(src).fileName());
        if (!QFileInfo::exists(dst)) {
            QFile::copy(src, dst);
            QFile::setPermissions(dst, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        }
    }
    return target;
}

namespace {

// The demo documents carry their ledger vouchers, as saving them with AutoGenGL would.
void generateDemoVouchers(const QSqlDatabase& db)
{
    const std::vector<std::pair<QString, QString>> docs = {
        {QStringLiteral("GL_ImHd"), QStringLiteral("SELECT ID FROM ImHd WHERE DelFlag = 'N' AND BeginBalance = 'N' ORDER BY ID")},
        {QStringLiteral("GL_MrHd"), QStringLiteral("SELECT ID FROM MrHd WHERE DelFlag = 'N' ORDER BY ID")},
        {QStringLiteral("GL_PcHd"), QStringLiteral("SELECT ID FROM PcHd WHERE DelFlag = 'N' ORDER BY ID")}};
    for (const auto& [proc, sql] : docs) {
        QSqlQuery q(db);
        if (!q.exec(sql))
            throw NkError(q.lastError().text());
        QList<int> ids;
        while (q.next())
            ids << q.value(0).toInt();
        q.finish();
        for (int id : ids)
            ServerProcs::GenerateGL(db, proc, id, 1);
    }
}

} // namespace

namespace DbAdmin {

void runScript(const QSqlDatabase& db, const QString& scriptText, const QDate& today)
{
    const QString text = substitute(scriptText, today);
    const QStringList lines = text.split(QLatin1Char('\n'));
    QString statement;
    bool inQuote = false;
    int statementLine = 0;
    int number = 0;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!inQuote) {
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith(QLatin1String("--")))
                continue;
            if (trimmed.isEmpty() && statement.trimmed().isEmpty())
                continue;
        }
        if (statement.trimmed().isEmpty())
            statementLine = i + 1;
        inQuote = quoteStateAfter(line, inQuote);
        if (!statement.isEmpty())
            statement += QLatin1Char('\n');
        statement += line;
        if (inQuote)
            continue;
        QString end = line;
        while (!end.isEmpty() && end.back().isSpace())
            end.chop(1);
        if (end.endsWith(QLatin1Char(';'))) {
            while (!statement.isEmpty() && statement.back().isSpace())
                statement.chop(1);
            statement.chop(1); // the closing ";"
            if (!statement.trimmed().isEmpty())
                execStatement(db, statement, ++number, statementLine);
            statement.clear();
        }
    }
    if (inQuote)
        throw NkError(QStringLiteral("Script statement %1 (line %2) has an unterminated string").arg(number + 1).arg(statementLine));
    if (!statement.trimmed().isEmpty())
        execStatement(db, statement, ++number, statementLine);
}

QString scriptText(const QString& resourceName)
{
    QFile f(QStringLiteral(":/db/") + resourceName);
    if (!f.open(QIODevice::ReadOnly))
        throw NkError(QStringLiteral("Database script not found: %1").arg(resourceName));
    return QString::fromUtf8(f.readAll());
}

void createConfigDatabase(const QString& folder)
{
    createConfigDatabase(Connection::parseServerName(folder, folder));
}

void createCompanyDatabase(const QString& folder, const QString& name)
{
    createCompanyDatabase(Connection::parseServerName(folder, folder), name);
}

void createDemo(const QString& folder, const QDate& today)
{
    createDemo(Connection::parseServerName(folder, folder), today);
}

void createConfigDatabase(const ServerLocation& where)
{
    build(where, QLatin1String(kConfigName), {QStringLiteral("config.sql")}, QDate::currentDate());
}

void createCompanyDatabase(const ServerLocation& where, const QString& name)
{
    build(where, name, {QStringLiteral("company.sql")}, QDate::currentDate());
}

void createDatabase(const ServerLocation& where, const QString& name, const QStringList& scripts,
                    const std::function<void(const QSqlDatabase&)>& fill)
{
    build(where, name, scripts, QDate::currentDate(), fill);
}

bool databaseExists(const ServerLocation& where, const QString& name)
{
    if (where.kind == ServerLocation::Kind::Embedded)
        return QFileInfo::exists(Connection::databaseFile(where, name.trimmed()));
    return serverDatabaseExists(where, Connection::serverDatabaseName(where, name));
}

void dropDatabase(const ServerLocation& where, const QString& name)
{
    if (where.kind == ServerLocation::Kind::Embedded)
        removeDatabaseFiles(Connection::databaseFile(where, name.trimmed()));
    else
        dropServerDatabase(where, Connection::serverDatabaseName(where, name));
}

void copyDatabase(const ServerLocation& from, const ServerLocation& to, const QString& name)
{
    const QString source = Connection::serverDatabaseName(from, name);
    const QString target = Connection::serverDatabaseName(to, name);
    QSqlQuery q(maintenance(to));
    if (!q.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(quotedName(target), quotedName(source))))
        throw NkError(QStringLiteral("Cannot copy database %1 to %2: %3").arg(source, target, q.lastError().text()));
}

void withServerLock(const ServerLocation& where, qint64 key, const std::function<void()>& work)
{
    const QSqlDatabase admin = maintenance(where);
    Db::exec(admin, QStringLiteral("SELECT pg_advisory_lock(:k)"), {{QStringLiteral("k"), key}});
    try {
        work();
    } catch (...) {
        QSqlQuery(admin).exec(QStringLiteral("SELECT pg_advisory_unlock_all()"));
        throw;
    }
    Db::exec(admin, QStringLiteral("SELECT pg_advisory_unlock(:k)"), {{QStringLiteral("k"), key}});
}

void resetIdentities(const QSqlDatabase& db)
{
    QSqlQuery q = Db::exec(db, QStringLiteral("SELECT table_name, column_name FROM information_schema.columns "
                                              "WHERE table_schema = current_schema() AND is_identity = 'YES'"));
    QList<QPair<QString, QString>> columns;
    while (q.next())
        columns.append({q.value(0).toString(), q.value(1).toString()});
    q.finish();
    for (const auto& [table, column] : columns)
        Db::exec(db, QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                                    "COALESCE((SELECT MAX(%2) FROM %1), 0) + 1, false)")
                         .arg(table, column));
}

void createDemo(const ServerLocation& where, const QDate& today, const QString& picturesFolder)
{
    const QString config = QLatin1String(kConfigName);
    const QString demo = QStringLiteral("DEMO");
    for (const QString& name : {config, demo})
        if (databaseExists(where, name))
            throw NkError(QStringLiteral("ฐานข้อมูลมีอยู่แล้ว (database already exists): %1").arg(name));
    const QString pictures = DbAdmin::copyDemoPictures(
        !picturesFolder.isEmpty() ? picturesFolder
        : where.kind == ServerLocation::Kind::Embedded ? QDir(where.folder).absoluteFilePath(QStringLiteral("pictures"))
                                                       : QDir::current().absoluteFilePath(QStringLiteral("pictures")));
    build(where, config, {QStringLiteral("config.sql"), QStringLiteral("demo_config.sql")}, today,
          [&](const QSqlDatabase& db) {
              exec(db, QStringLiteral("UPDATE CompanyConfig SET PicturePath = ?"), {pictures});
          });
    try {
        build(where, demo, {QStringLiteral("company.sql"), QStringLiteral("demo_company.sql")}, today,
              [&](const QSqlDatabase& db) {
                  exec(db, QStringLiteral("UPDATE Config SET PicturePath = ?"), {pictures});
                  generateDemoVouchers(db);
              });
    } catch (...) {
        dropDatabase(where, config);
        throw;
    }
}

QStringList makeDocumentNumbersUnique(const QSqlDatabase& db)
{
    QStringList report;
    const QList<DbCatalog::Index> indexes = DbCatalog::indexes(db);
    for (const char* table : {"ImHd", "MrHd", "PcHd", "PoHd", "FrPoHd"}) {
        const DocNumberKey key = DocNumberKeyOf(QLatin1String(table));
        const QString index = QStringLiteral("IX_%1_%2").arg(key.table, key.numberColumn);
        QStringList columns{key.numberColumn};
        if (!key.kindColumn.isEmpty())
            columns << key.kindColumn;
        bool unique = false;
        for (const DbCatalog::Index& i : indexes)
            if (i.name.compare(index, Qt::CaseInsensitive) == 0)
                unique = i.unique;
        if (unique) {
            report << QStringLiteral("%1: numbers already unique").arg(key.table);
            continue;
        }
        QSqlQuery dup(db);
        if (!dup.exec(QStringLiteral("SELECT %1, count(*) FROM %2 GROUP BY %1 HAVING count(*) > 1 ORDER BY %1")
                          .arg(columns.join(QStringLiteral(", ")), key.table)))
            throw NkError(dup.lastError().text());
        QStringList taken;
        while (dup.next()) {
            QString number = QLatin1Char('"') + dup.value(0).toString() + QLatin1Char('"');
            if (!key.kindColumn.isEmpty())
                number += QStringLiteral(" (%1 %2)").arg(key.kindColumn, dup.value(1).toString());
            taken << number;
        }
        if (!taken.isEmpty()) {
            report << QStringLiteral("%1: left as it is, these numbers are used more than once: %2")
                          .arg(key.table, taken.join(QStringLiteral(", ")));
            continue;
        }
        exec(db, QStringLiteral("DROP INDEX IF EXISTS %1").arg(index));
        exec(db, QStringLiteral("CREATE UNIQUE INDEX %1 ON %2 (%3)").arg(index, key.table, columns.join(QStringLiteral(", "))));
        report << QStringLiteral("%1: numbers made unique").arg(key.table);
    }
    return report;
}

QStringList receiveOrdersFromImports(const QSqlDatabase& db)
{
    Db::exec(db, QStringLiteral("CREATE INDEX IF NOT EXISTS IX_ImDt_PoDt ON ImDt (PoDt)"));
    Db::beginTransaction(db);
    int lines = 0;
    try {
        lines = OrderReceipts::RecomputeAll(db);
        Db::commit(db);
    } catch (...) {
        Db::rollback(db);
        throw;
    }
    return {QStringLiteral("FrPoDt: received quantities of %1 order lines computed from the import documents").arg(lines)};
}

QString scriptSection(const QString& resourceName, const QString& heading)
{
    // A section runs from its heading line ("-- ===... heading") to the next such line.
    const QStringList lines = scriptText(resourceName).split(QLatin1Char('\n'));
    static const QRegularExpression rule(QStringLiteral("^--\\s*={10,}\\s*(.*)$"));
    QStringList section;
    bool inside = false;
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = rule.match(line.trimmed());
        if (m.hasMatch()) {
            if (inside)
                break;
            inside = m.captured(1).trimmed() == heading;
            continue;
        }
        if (inside)
            section << line;
    }
    if (section.isEmpty())
        throw NkError(QStringLiteral("Section \"%1\" not found in %2").arg(heading, resourceName));
    return section.join(QLatin1Char('\n'));
}

QStringList addLandedCostEstimates(const QSqlDatabase& db)
{
    bool had = false;
    for (const DbCatalog::Table& t : DbCatalog::tables(db))
        had = had || t.name == QLatin1String("frpoesthd");
    Db::beginTransaction(db);
    try {
        runScript(db, scriptSection(QStringLiteral("company.sql"), QStringLiteral("landed cost estimates of foreign orders")));
        Db::commit(db);
    } catch (...) {
        Db::rollback(db);
        throw;
    }
    return {had ? QStringLiteral("FrPoEstHd, FrPoEstDt, FrPoEstSetting: landed cost estimates already there")
                : QStringLiteral("FrPoEstHd, FrPoEstDt, FrPoEstSetting: landed cost estimates of foreign orders added")};
}

QStringList addSaveKeys(const QSqlDatabase& db)
{
    // The identity a new document's save writes, so a save whose reply was lost is found
    // instead of stored twice (TDM::FindEarlierSave).
    QStringList added, had;
    Db::beginTransaction(db);
    try {
        for (const char* name : {"ImHd", "MrHd", "PcHd", "FrPoHd"}) {
            const QString table = QLatin1String(name);
            const bool present = DbCatalog::hasColumn(db, table, QStringLiteral("SaveKey"));
            if (!present)
                execStatement(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN SaveKey TEXT").arg(table), 1, 0);
            execStatement(db, QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS IX_%1_SaveKey ON %1 (SaveKey)").arg(table), 2, 0);
            (present ? had : added) << table;
        }
        Db::commit(db);
    } catch (...) {
        Db::rollback(db);
        throw;
    }
    QStringList report;
    if (!added.isEmpty())
        report << QStringLiteral("%1: save keys added").arg(added.join(QStringLiteral(", ")));
    if (!had.isEmpty())
        report << QStringLiteral("%1: save keys already there").arg(had.join(QStringLiteral(", ")));
    return report;
}

namespace {
QStringList upgrade(const QSqlDatabase& db)
{
    return makeDocumentNumbersUnique(db) + receiveOrdersFromImports(db) + addLandedCostEstimates(db) + addSaveKeys(db);
}
} // namespace

QStringList upgradeCompanyDatabase(const QString& folder, const QString& name)
{
    const QString path = companyPath(folder, name);
    if (!QFileInfo::exists(path))
        throw NkError(QStringLiteral("Database not found: %1").arg(path));
    ScratchConnection conn(path);
    return upgrade(conn.db());
}

QStringList upgradeCompanyDatabase(const ServerLocation& where, const QString& name)
{
    if (where.kind == ServerLocation::Kind::Embedded)
        return upgradeCompanyDatabase(where.folder, name);
    const QString serverName = Connection::serverDatabaseName(where, checkedName(name));
    if (!serverDatabaseExists(where, serverName))
        throw NkError(QStringLiteral("Database not found: %1 on %2").arg(serverName, Connection::serverNameOf(where)));
    ScratchConnection conn(where, serverName);
    return upgrade(conn.db());
}

} // namespace DbAdmin
