#include "app/TDMConfig.h"
#include "data/Translation.h"
#include "app/MessageService.h"
#include "data/Connection.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/ServerProcs.h"
#include "data/TDM.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>

TDMConfig* DMConfig = nullptr;

TDMConfig::TDMConfig(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("DMConfig"));
    setLocator([]() -> Session* { return DMConfig; });
    // The configuration database is read in single statements: never inside a transaction.
    m_idle = new IdleRelease(QLatin1String(ConnectionName), [] { return true; }, [this] { m_connected = false; }, this);
    Db::setReopen(QLatin1String(ConnectionName), [this] { DmCfg(); });
}

TDMConfig::~TDMConfig()
{
    Db::setReopen(QLatin1String(ConnectionName), {});
    CloseConnection();
    if (DMConfig == this)
        DMConfig = nullptr;
}

QString TDMConfig::ReadServerName() const
{
    return Connection::readServerName(DM ? DM->StartFolder : QDir::currentPath());
}

bool TDMConfig::Connected() const
{
    return m_connected && QSqlDatabase::contains(QLatin1String(ConnectionName))
        && QSqlDatabase::database(QLatin1String(ConnectionName), false).isOpen();
}

QSqlDatabase TDMConfig::DmCfg()
{
    if (!Connected()) {
        const QString server = ReadServerName();
        m_params.clear();
        m_params = Connection::buildParams(QLatin1String(ConfigDatabase), server);
        const QSqlDatabase db = Connection::open(QLatin1String(ConnectionName), QLatin1String(ConfigDatabase), server,
                                                 DM ? DM->StartFolder : QDir::currentPath());
        m_connected = true;
        m_idle->watch(db);
    }
    m_idle->used();
    return QSqlDatabase::database(QLatin1String(ConnectionName), false);
}

void TDMConfig::setIdleRelease(int milliseconds)
{
    m_idle->setLimit(milliseconds);
}

void TDMConfig::CloseConnection()
{
    m_idle->stop();
    m_connected = false;
    if (QSqlDatabase::contains(QLatin1String(ConnectionName))) {
        Db::forgetConnection(QLatin1String(ConnectionName));
        {
            QSqlDatabase db = QSqlDatabase::database(QLatin1String(ConnectionName), false);
            db.close();
        }
        QSqlDatabase::removeDatabase(QLatin1String(ConnectionName));
    }
}

bool TDMConfig::GetCompanyConfig(const QString& companyCode)
{
    static const QString QCompanyConfig = QStringLiteral(
        "SELECT C.Company, C.PicturePath, C.Public_Price_IE, C.DefaultWh, C.POS1_Wh, C.POS1_TaxCode, "
        "C.POS1_Price_IE, C.POS1_PriceType, C.POS1_SumDetail, C.DefaultPosComPort,C.DefaultTax, "
        "C.DefaultPosMenuId,M.Command,M.MenuOption, O.Description, O.YearNo, P.Id, P.Code, P.Password, "
        "P.NameThai, P.NameEng, P.ShortName, P.Address1, P.Address2, P.Address3, P.Address4, P.Province, "
        "P.Zip, P.Telephone, P.Fax, P.EMail, P.Logo, P.TaxNo, P.InstallDate, P.RunYear, P.LocalServer "
        "FROM CompanyConfig C Inner Join DatabaseList O On (O.Company = C.Company) Inner Join Company P "
        "On (P.Id = O.Company) Left Outer Join Menu M On (M.Id = C.DefaultPosMenuId) "
        "Where (O.DatabaseName = :GetName)");
    static const QString QCompany = QStringLiteral(
        "SELECT ID,CODE, PASSWORD, NAMETHAI, NAMEENG, SHORTNAME, ADDRESS1, ADDRESS2, ADDRESS3, ADDRESS4, "
        "PROVINCE, ZIP, TELEPHONE, FAX, EMAIL, LOGO, TAXNO, RUNYEAR FROM COMPANY Where (Id = (Select "
        "Distinct Company From DatabaseList Where DatabaseName = :GetName))");

    const QVariantMap p{{QStringLiteral("GetName"), companyCode}};
    QSqlQuery q = Db::exec(DmCfg(), QCompanyConfig, p);
    if (!q.next()) {
        if (BeforeMessage)
            BeforeMessage();
        MessageService::information(QStringLiteral("Not Found Database : ") + companyCode);
        return false;
    }
    CompanyNameThai = q.value(QStringLiteral("NameThai")).toString();
    PicturePath = q.value(QStringLiteral("PicturePath")).toString();
    CompanyCode = companyCode;
    // The lookup ignores letter case; the database's own name is the list's spelling.
    DatabaseName = Db::scalar(DmCfg(), QStringLiteral("SELECT DatabaseName FROM DatabaseList WHERE DatabaseName = :GetName"), p)
                       .toString()
                       .trimmed();

    QSqlQuery c = Db::exec(DmCfg(), QCompany, p);
    CompanyRow.clear();
    if (c.next()) {
        const QSqlRecord r = c.record();
        for (int i = 0; i < r.count(); ++i)
            CompanyRow.insert(r.fieldName(i).toUpper(), r.value(i));
    }
    Db::exec(DmCfg(), QStringLiteral("select * from softwareconfig"));
    return true;
}

void TDMConfig::CheckRight(int menuId, int userId)
{
    const MenuCaptionResult r = ServerProcs::MENUCAPTION(DmCfg(), menuId, userId);
    MenuCaption = r.Caption.trimmed();
    UserCode = r.UserCode;
    // A right is granted only by exactly "Y".
    AccessRight = r.AccessR == QLatin1String("Y");
    AddRight = r.AddR == QLatin1String("Y");
    ModifyRight = r.ModifyR == QLatin1String("Y");
    DeleteRight = r.DeleteR == QLatin1String("Y");

    QSqlQuery u = Db::exec(DmCfg(), QStringLiteral("select * from  username where id=:uid"),
                           {{QStringLiteral("uid"), userId}});
    if (u.next()) {
        ThaiLanguage = ServerProcs::IsThaiLanguage(u.value(QStringLiteral("LanguageNo")));
        ApprovePo = u.value(QStringLiteral("Approve_PO")).toString() == QLatin1String("Y");
    } else {
        ThaiLanguage = false;
        ApprovePo = false;
    }
    Translation::useLanguage(ThaiLanguage);
    SaveConfirmText = tr("จัดเก็บข้อมูล ?");
    DeleteConfirmText = tr("ลบข้อมูล ?");
}
