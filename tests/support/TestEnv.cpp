#include "support/TestEnv.h"
#include "data/Translation.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/DbAdmin.h"
#include "data/DbUtil.h"
#include "data/PgSchema.h"
#include "data/TDM.h"
#include "data/product/TDmMisc.h"
#include "data/product/TDmProduct.h"
#include "data/product/TDmService.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <stdexcept>

bool TestEnv::onServer()
{
    return qEnvironmentVariable("NK_TEST_BACKEND") == QLatin1String("postgresql");
}

QString TestEnv::testServer()
{
    QFile f(QDir(qEnvironmentVariable("NK_TEST_PG_DIR")).filePath(QStringLiteral("server")));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("No PostgreSQL test server: %s is missing (CTest starts it with scripts/pg-test-server)",
               qPrintable(f.fileName()));
    return QString::fromUtf8(f.readAll()).trimmed();
}

ServerLocation TestEnv::freshServerLocation(const QString& server)
{
    static int serial = 0;
    ServerLocation where = Connection::parseServerName(server.isEmpty() ? testServer() : server, QDir::currentPath());
    where.prefix = QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(++serial);
    return where;
}

namespace {

// On the server the databases of a TestEnv are copies of template databases built once per
// test server, kind of data and day (building takes a second, copying a third of one). Their
// product pictures are in the test server's folder, which lives as long as the server.
void createOnServer(const ServerLocation& where, TestEnv::Data data, const QDate& today)
{
    const QString config = QLatin1String(TDMConfig::ConfigDatabase);
    const QString company = QStringLiteral("DEMO");
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::number(int(data)));
    hash.addData(today.toString(Qt::ISODate).toUtf8());
    for (const char* script : {"config.sql", "demo_config.sql", "company.sql", "demo_company.sql"})
        hash.addData(DbAdmin::scriptText(QLatin1String(script)).toUtf8());
    ServerLocation templates = where;
    templates.prefix = QStringLiteral("tpl_") + QString::fromLatin1(hash.result().toHex().left(12));
    DbAdmin::withServerLock(where, 0x4e4b5445, [&] {
        if (!DbAdmin::databaseExists(templates, company)) {
            if (data == TestEnv::Data::Demo) {
                DbAdmin::createDemo(templates, today,
                                    QDir(qEnvironmentVariable("NK_TEST_PG_DIR")).filePath(QStringLiteral("pictures")));
            } else {
                DbAdmin::createConfigDatabase(templates);
                DbAdmin::createCompanyDatabase(templates, company);
            }
        }
        DbAdmin::copyDatabase(templates, where, config);
        DbAdmin::copyDatabase(templates, where, company);
    });
}

} // namespace

ServerLocation TestEnv::location() const
{
    return Connection::parseServerName(m_serverName, m_dir->path());
}

TestEnv::TestEnv(Data data, const QDate& today, const QString& server)
    : m_dir(std::make_unique<QTemporaryDir>())
    , m_oldCwd(QDir::currentPath())
{
    if (!m_dir->isValid())
        throw std::runtime_error("cannot create a temporary folder");
    const QString root = m_dir->path();
    const QString dataFolder = QDir(root).filePath(QStringLiteral("data"));
    QDir().mkpath(dataFolder);
    m_serverName = onServer() && server != QLatin1String(Embedded) ? Connection::serverNameOf(freshServerLocation(server))
                                                                   : QString::fromLatin1(Embedded);
    const ServerLocation where = location();
    const QString pictures = QDir(dataFolder).filePath(QStringLiteral("pictures"));
    if (isServer()) {
        createOnServer(where, data, today);
    } else if (data == Data::Demo) {
        DbAdmin::createDemo(where, today, pictures);
    } else {
        DbAdmin::createConfigDatabase(where);
        DbAdmin::createCompanyDatabase(where, companyName());
    }
    QFile f(QDir(root).filePath(QStringLiteral("Server.Dat")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write Server.Dat");
    f.write(m_serverName.toUtf8() + "\n");
    f.close();
    QDir::setCurrent(root);

    MessageService::setScripted(true);
    delete DM;
    delete DMConfig;
    DM = new TDM;
    DMConfig = new TDMConfig;
    delete DmProduct;
    delete DmService;
    delete DmMisc;
    DmProduct = new TDmProduct;
    DmService = new TDmService;
    DmMisc = new TDmMisc;
    DM->setDatabaseName(companyName());
    DMConfig->MenuId = 1;
    DMConfig->UserId = 1;
    DMConfig->WorkingDate = QDateTime(today, QTime(0, 0));
    if (data == Data::Demo) {
        DMConfig->GetCompanyConfig(companyName());
        DMConfig->CheckRight(1, 1);
    } else {
        DMConfig->CompanyCode = companyName();
        Translation::useLanguage(true);
        DMConfig->AccessRight = DMConfig->AddRight = DMConfig->ModifyRight = DMConfig->DeleteRight = true;
    }
    MessageService::clearShown();
}

TestEnv::~TestEnv()
{
    delete DmProduct;
    delete DmService;
    delete DmMisc;
    DmProduct = nullptr;
    DmService = nullptr;
    DmMisc = nullptr;
    delete DM;
    delete DMConfig;
    DM = nullptr;
    DMConfig = nullptr;
    MessageService::setScripted(false);
    QDir::setCurrent(m_oldCwd);
    if (isServer()) {
        DbAdmin::dropDatabase(location(), companyName());
        DbAdmin::dropDatabase(location(), QLatin1String(TDMConfig::ConfigDatabase));
    }
}

TestServer::TestServer(int maxConnections)
{
    QStringList options{QStringLiteral("--owner"), QString::number(QCoreApplication::applicationPid())};
    if (maxConnections > 0)
        options << QStringLiteral("--max-connections") << QString::number(maxConnections);
    run(QStringLiteral("start"), options);
    // Its password joins the process's password file (each line names its server's socket).
    QFile mine(QDir(m_dir.path()).filePath(QStringLiteral("pgpass")));
    QFile shared(qEnvironmentVariable("PGPASSFILE"));
    QByteArray lines = mine.open(QIODevice::ReadOnly) ? mine.readAll() : QByteArray();
    if (shared.open(QIODevice::ReadOnly))
        lines += shared.readAll();
    QFile both(QDir(m_dir.path()).filePath(QStringLiteral("pgpass-all")));
    if (!both.open(QIODevice::WriteOnly) || both.write(lines) != lines.size())
        qFatal("cannot write %s", qPrintable(both.fileName()));
    both.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    m_oldPassFile = qgetenv("PGPASSFILE");
    qputenv("PGPASSFILE", both.fileName().toLocal8Bit());
}

TestServer::~TestServer()
{
    qputenv("PGPASSFILE", m_oldPassFile);
    run(QStringLiteral("stop"));
}

QString TestServer::name() const
{
    QFile f(QDir(m_dir.path()).filePath(QStringLiteral("server")));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

void TestServer::pause()
{
    run(QStringLiteral("pause"));
}

void TestServer::resume()
{
    run(QStringLiteral("resume"));
}

void TestServer::run(const QString& command, const QStringList& options)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral("bash"),
            QStringList{QStringLiteral(NK_SOURCE_DIR "/scripts/pg-test-server"), command, m_dir.path()} + options);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        qFatal("pg-test-server %s failed", qPrintable(command));
}

QString TestEnv::folder() const
{
    return m_dir->path();
}

QSqlDatabase TestEnv::company()
{
    return DM->DMdata();
}

QSqlDatabase TestEnv::config()
{
    return DMConfig->DmCfg();
}

QVariant TestEnv::scalar(const QString& sql, const QVariantMap& params)
{
    return Db::scalar(company(), sql, params);
}

int TestEnv::count(const QString& table, const QString& where, const QVariantMap& params)
{
    QString sql = QStringLiteral("select count(*) from ") + table;
    if (!where.isEmpty())
        sql += QStringLiteral(" where ") + where;
    return scalar(sql, params).toInt();
}

QString TestEnv::row(const QString& sql, const QVariantMap& params)
{
    QSqlQuery q = Db::exec(company(), sql, params);
    if (!q.next())
        return {};
    QStringList values;
    for (const QVariant& v : Db::rowValues(q))
        values << v.toString();
    return values.join(QLatin1Char('/'));
}

void TestEnv::exec(const QString& sql, const QVariantMap& params)
{
    const bool ddl = sql.trimmed().startsWith(QLatin1String("CREATE"), Qt::CaseInsensitive);
    Db::exec(company(), ddl && isServer() ? PgSchema::translate(sql) : sql, params);
}
