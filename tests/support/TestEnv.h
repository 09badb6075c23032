#pragma once
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>
#include <memory>

#include "data/Connection.h"

// A private working folder with "Server.Dat", the configuration database and a company
// database built from db/, and the global data modules DM and DMConfig set up as start-up
// would leave them for user 1 on menu 1 of company DEMO. The message service is scripted.
// One TestEnv at a time per process.
//
// The backend: SQLite files in <folder>/data, or, when NK_TEST_BACKEND is "postgresql" (set by
// CTest for the tests it runs a second time on the server), the test server started by
// scripts/pg-test-server, whose name is read from NK_TEST_PG_DIR/server. There each TestEnv
// has databases of its own under a prefix unique to it (see ServerLocation), dropped again
// at the end, so tests run side by side.
class TestEnv {
public:
    enum class Data { Demo, Empty };
    // `server`: another test server than the run's (TestServer::name), or Embedded for SQLite
    // files whatever the run's backend.
    static constexpr const char* Embedded = "data";
    explicit TestEnv(Data data = Data::Demo, const QDate& today = QDate::currentDate(), const QString& server = {});
    ~TestEnv();
    TestEnv(const TestEnv&) = delete;
    TestEnv& operator=(const TestEnv&) = delete;

    // The backend chosen for this test run.
    static bool onServer();
    // The test server's name without a prefix ("pg:/tmp/...:5432"); fails the run when the
    // server was not started.
    static QString testServer();
    // A server location under a prefix no other TestEnv or process uses.
    static ServerLocation freshServerLocation(const QString& server = {});

    QString folder() const;
    QString serverName() const { return m_serverName; } // the first line of Server.Dat
    ServerLocation location() const;
    bool isServer() const { return location().kind == ServerLocation::Kind::PostgreSQL; }
    QString companyName() const { return QStringLiteral("DEMO"); }
    QSqlDatabase company();  // DM->DMdata()
    QSqlDatabase config();   // DMConfig->DmCfg()
    // Runs a statement on the company database and returns the first column of the first row.
    QVariant scalar(const QString& sql, const QVariantMap& params = {});
    int count(const QString& table, const QString& where = {}, const QVariantMap& params = {});
    // The values of the first row as the program reads them on either backend, joined by "/"
    // (numbers without trailing zeros: "1/1000/0.5").
    QString row(const QString& sql, const QVariantMap& params = {});
    // A statement on the company database; CREATE statements written for SQLite are
    // translated for the server as the schema scripts are.
    void exec(const QString& sql, const QVariantMap& params = {});

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_oldCwd;
    QString m_serverName;
};

// A PostgreSQL server of one test's own (scripts/pg-test-server), for what the run's shared
// server must not go through: being stopped and started again, or running out of connection
// slots (`maxConnections`, 0: the script's default). Removed at the end, and stopped by the
// script's watchdog when the process ends any other way (killed, crashed).
class TestServer {
public:
    explicit TestServer(int maxConnections = 0);
    ~TestServer();
    QString name() const; // for TestEnv
    void pause();         // the server goes down, its data stays
    void resume();

private:
    void run(const QString& command, const QStringList& options = {});
    QTemporaryDir m_dir;
    QByteArray m_oldPassFile;
};
