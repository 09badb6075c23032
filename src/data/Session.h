#pragma once
#include <QDateTime>
#include <QString>
#include <QVariantMap>

// Who works, in which menu entry and company, with what rights and in which language: read
// once at start-up from the configuration database. The configuration data module
// (TDMConfig, DMConfig) is the process's session; data code reads it here, so it needs nothing
// of the application layer.
class Session {
public:
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
    bool ThaiLanguage = false;
    QString SaveConfirmText;
    QString DeleteConfirmText;

    // Company row columns kept for the report layouts (QCompany) and the company's picture
    // folder (CompanyConfig.PicturePath).
    QVariantMap CompanyRow;
    QString PicturePath;

    // Two-language text: Thai when ThaiLanguage, English otherwise.
    QString tr2(const QString& thai, const QString& english) const { return ThaiLanguage ? thai : english; }

    // The process's session; nullptr before start-up (or a test) has made one.
    static Session* current();
    // Thai unless the session's user reads English; Thai without a session.
    static bool thai();

protected:
    Session() = default;
    ~Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    // Where the process keeps its session (the application's DMConfig, which tests replace).
    static void setLocator(Session* (*locate)());
};
