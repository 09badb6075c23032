#pragma once
#include <QDateTime>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <functional>

class IdleRelease;

// The configuration data module: the connection to "KOV_CONFIG" and the session context of
// the process (who, which menu entry, which company, what rights, which language), filled
// once at start-up.
class TDMConfig : public QObject {
    Q_OBJECT
public:
    explicit TDMConfig(QObject* parent = nullptr);
    ~TDMConfig() override;

    static constexpr const char* ConnectionName = "DmCfg";
    static constexpr const char* ConfigDatabase = "KOV_CONFIG";

    // Connects on first use, parameters rebuilt at every connect. Start-up closes it once it
    // has read the session context; a server connection is given back when idle
    // (TDM::setIdleRelease) and opened again at its next use.
    QSqlDatabase DmCfg();
    bool Connected() const;
    void CloseConnection();
    void setIdleRelease(int milliseconds);
    const QStringList& Params() const { return m_params; }

    // Server name of both connections: first line of "Server.Dat" in the working folder.
    QString ReadServerName() const;

    // Start-up. GetCompanyConfig returns false after showing "Not Found Database : " + code
    // (the caller then ends the process with status 0).
    bool GetCompanyConfig(const QString& companyCode);
    // Called right before that message shows (start-up takes the splash away first).
    std::function<void()> BeforeMessage;
    void CheckRight(int menuId, int userId);

    // Error reporting.
    void LogError(const QString& message) noexcept;
    void SendErrorMail(const QString& subject, const QString& body) noexcept;

    // Session context.
    int MenuId = 0;
    int UserId = 0;
    QDateTime WorkingDate;
    QString CompanyCode;
    QString DatabaseName; // the company database as DatabaseList spells it
    QString CompanyNameThai;
    QString MenuCaption;
    QString UserCode;
    bool AccessRight = false;
    bool AddRight = false;
    bool ModifyRight = false;
    bool DeleteRight = false;
    bool ApprovePo = false;
    bool ThaiLanguage = false; // set through Translation::useLanguage, which also switches the texts
    QString SaveConfirmText;
    QString DeleteConfirmText;

    // Company row columns kept for the report layouts (QCompany) and the company's picture
    // folder (CompanyConfig.PicturePath).
    QVariantMap CompanyRow;
    QString PicturePath;

private:
    QStringList m_params;
    bool m_connected = false;
    IdleRelease* m_idle = nullptr; // gives a server connection back when idle
};

extern TDMConfig* DMConfig;
