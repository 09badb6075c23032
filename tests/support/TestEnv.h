#pragma once
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>
#include <memory>

// A private working folder with "Server.Dat", the configuration database and a company
// database built from db/, and the global data modules DM and DMConfig set up as start-up
// would leave them for user 1 on menu 1 of company DEMO. The message service is scripted.
// One TestEnv at a time per process.
class TestEnv {
public:
    enum class Data { Demo, Empty };
    explicit TestEnv(Data data = Data::Demo, const QDate& today = QDate::currentDate());
    ~TestEnv();
    TestEnv(const TestEnv&) = delete;
    TestEnv& operator=(const TestEnv&) = delete;

    QString folder() const;
    QString companyName() const { return QStringLiteral("DEMO"); }
    QSqlDatabase company();  // DM->DMdata()
    QSqlDatabase config();   // DMConfig->DmCfg()
    // Runs a statement on the company database and returns the first column of the first row.
    QVariant scalar(const QString& sql, const QVariantMap& params = {});
    int count(const QString& table, const QString& where = {}, const QVariantMap& params = {});
    void exec(const QString& sql, const QVariantMap& params = {});

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_oldCwd;
};
