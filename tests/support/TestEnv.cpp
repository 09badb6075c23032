#include "support/TestEnv.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/DbAdmin.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "data/product/TDmMisc.h"
#include "data/product/TDmProduct.h"
#include "data/product/TDmService.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <stdexcept>

TestEnv::TestEnv(Data data, const QDate& today)
    : m_dir(std::make_unique<QTemporaryDir>())
    , m_oldCwd(QDir::currentPath())
{
    if (!m_dir->isValid())
        throw std::runtime_error("cannot create a temporary folder");
    const QString root = m_dir->path();
    const QString dataFolder = QDir(root).filePath(QStringLiteral("data"));
    QDir().mkpath(dataFolder);
    if (data == Data::Demo) {
        DbAdmin::createDemo(dataFolder, today);
    } else {
        DbAdmin::createConfigDatabase(dataFolder);
        DbAdmin::createCompanyDatabase(dataFolder, companyName());
    }
    QFile f(QDir(root).filePath(QStringLiteral("Server.Dat")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write Server.Dat");
    f.write("data\n");
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
        DMConfig->ThaiLanguage = true;
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

void TestEnv::exec(const QString& sql, const QVariantMap& params)
{
    Db::exec(company(), sql, params);
}
