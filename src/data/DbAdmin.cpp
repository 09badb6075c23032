#include "data/DbAdmin.h"
#include "data/Numbering.h"

#include "data/NkError.h"
#include "data/ServerProcs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <functional>
#include <vector>

namespace {

QString substitute(QString text, const QDate& today)
{
    const QDate d = today.isValid() ? today : QDate::currentDate();
    text.replace(QLatin1String("{{YEAR}}"), QString::number(d.year()));
    text.replace(QLatin1String("{{NEXTYEAR}}"), QString::number(d.year() + 1));
    text.replace(QLatin1String("{{PREVYEAR}}"), QString::number(d.year() - 1));
    text.replace(QLatin1String("{{TODAY}}"), d.toString(QStringLiteral("yyyy-MM-dd")));
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

void execStatement(const QSqlDatabase& db, const QString& statement, int number, int line)
{
    QSqlQuery q(db);
    if (!q.exec(statement))
        throw NkError(QStringLiteral("Script statement %1 (line %2) failed: %3\n%4")
                          .arg(number)
                          .arg(line)
                          .arg(q.lastError().text(), statement.left(400)));
}

// A SQLite file opened on a connection of its own, removed again when the object goes.
class ScratchConnection {
public:
    explicit ScratchConnection(const QString& path)
        : m_name(QStringLiteral("nk_dbadmin_") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (!db.open()) {
            const QString err = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            throw NkError(QStringLiteral("Cannot create database %1: %2").arg(path, err));
        }
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
            for (const QString& script : scripts)
                DbAdmin::runScript(db, DbAdmin::scriptText(script), today);
            if (after)
                after(db);
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

QString configPath(const QString& folder)
{
    return QDir(folder).absoluteFilePath(QStringLiteral("KOV_CONFIG.sqlite"));
}

QString companyPath(const QString& folder, const QString& name)
{
    const QString n = name.trimmed();
    if (n.isEmpty() || n.contains(QLatin1Char('/')) || n.contains(QLatin1Char('\\')) || n.startsWith(QLatin1Char('.')))
        throw NkError(QStringLiteral("Invalid database name: '%1'").arg(name));
    return QDir(folder).absoluteFilePath(n + QStringLiteral(".sqlite"));
}

void exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery q(db);
    if (!q.prepare(sql))
        throw NkError(q.lastError().text());
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw NkError(q.lastError().text());
}

// Product pictures of the demo go next to the databases, in <folder>/pictures.
QString copyDemoPictures(const QString& folder)
{
    const QString target = QDir(folder).absoluteFilePath(QStringLiteral("pictures"));
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
    buildDatabase(configPath(folder), {QStringLiteral("config.sql")}, QDate::currentDate());
}

void createCompanyDatabase(const QString& folder, const QString& name)
{
    buildDatabase(companyPath(folder, name), {QStringLiteral("company.sql")}, QDate::currentDate());
}

void createDemo(const QString& folder, const QDate& today)
{
    const QString cfgPath = configPath(folder);
    const QString demoPath = companyPath(folder, QStringLiteral("DEMO"));
    refuseExisting(cfgPath);
    refuseExisting(demoPath);
    const QString pictures = copyDemoPictures(folder);
    buildDatabase(cfgPath, {QStringLiteral("config.sql"), QStringLiteral("demo_config.sql")}, today,
                  [&](const QSqlDatabase& db) {
                      exec(db, QStringLiteral("UPDATE CompanyConfig SET PicturePath = ?"), {pictures});
                  });
    try {
        buildDatabase(demoPath, {QStringLiteral("company.sql"), QStringLiteral("demo_company.sql")}, today,
                      [&](const QSqlDatabase& db) {
                          exec(db, QStringLiteral("UPDATE Config SET PicturePath = ?"), {pictures});
                          generateDemoVouchers(db);
                      });
    } catch (...) {
        removeDatabaseFiles(cfgPath);
        throw;
    }
}

QStringList makeDocumentNumbersUnique(const QSqlDatabase& db)
{
    QStringList report;
    for (const char* table : {"ImHd", "MrHd", "PcHd", "PoHd", "FrPoHd"}) {
        const DocNumberKey key = DocNumberKeyOf(QLatin1String(table));
        const QString index = QStringLiteral("IX_%1_%2").arg(key.table, key.numberColumn);
        QStringList columns{key.numberColumn};
        if (!key.kindColumn.isEmpty())
            columns << key.kindColumn;
        bool unique = false;
        QSqlQuery list(db);
        if (!list.exec(QStringLiteral("PRAGMA index_list(%1)").arg(key.table)))
            throw NkError(list.lastError().text());
        while (list.next())
            if (list.value(QStringLiteral("name")).toString().compare(index, Qt::CaseInsensitive) == 0)
                unique = list.value(QStringLiteral("unique")).toInt() == 1;
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

QStringList upgradeCompanyDatabase(const QString& folder, const QString& name)
{
    const QString path = companyPath(folder, name);
    if (!QFileInfo::exists(path))
        throw NkError(QStringLiteral("Database not found: %1").arg(path));
    ScratchConnection conn(path);
    return makeDocumentNumbersUnique(conn.db());
}

} // namespace DbAdmin
