#include "app/MessageService.h"
#include "app/StartUp.h"
#include "app/TDMConfig.h"
#include "data/Connection.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/TDM.h"
#include "forms/import/TFrInbound.h"
#include "forms/import/TFrInboundBegin.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QProcess>
#include <QWidget>
#include <QtTest>

// Start-up from the command line to the one work form, the session context and rights,
// and the server name that decides where the databases are.
class TstStartUp : public QObject {
    Q_OBJECT

    static QStringList params(const QString& menu, const QString& user, const QString& company,
                              const QString& code, const QString& date)
    {
        return {menu, user, company, "anything", code, date};
    }

private slots:
    void initTestCase()
    {
        StartUp::registerForm("TESTFORM", [] { return new QWidget; });
    }

    void commandLineConversion_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("expectedMessage");
        QTest::newRow("valid") << params("7", "1", " DEMO ", " testform ", "09/12/2026") << true << "";
        QTest::newRow("bad date") << params("7", "1", "DEMO", "X", "31/02/2026") << false
                                  << "'31/02/2026' is not a valid date";
        QTest::newRow("date missing") << QStringList({"7", "1", "DEMO"}) << false << "'' is not a valid date";
        QTest::newRow("menu not integer") << params("7a", "1", "DEMO", "X", "09/12/2026") << false
                                          << "'7a' is not a valid integer value";
        QTest::newRow("user not integer") << params("7", "", "DEMO", "X", "09/12/2026") << false
                                          << "'' is not a valid integer value";
    }
    void commandLineConversion()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, ok);
        QFETCH(QString, expectedMessage);
        try {
            const StartUp::CommandLine cl = StartUp::parseCommandLine(args);
            QVERIFY(ok);
            QCOMPARE(cl.MenuId, 7);
            QCOMPARE(cl.CompanyCode, QString("DEMO"));
            QCOMPARE(cl.ProgramCode, QString("TESTFORM"));
        } catch (const NkError& e) {
            QVERIFY2(!ok, qPrintable(e.message()));
            QCOMPARE(e.message(), expectedMessage);
        }
    }

    void workingDateKeepsTimeOfDay()
    {
        QCOMPARE(StartUp::parseWorkingDate("09/12/2026 21:45"), QDateTime(QDate(2026, 12, 9), QTime(21, 45)));
        QCOMPARE(StartUp::parseWorkingDate("9/1/2027"), QDateTime(QDate(2027, 1, 9), QTime(0, 0)));
        QVERIFY(!StartUp::parseWorkingDate("2026-12-09").isValid());
    }

    void startOutcomes()
    {
        TestEnv env;
        delete DMConfig; // start-up fills the context itself
        DMConfig = nullptr;
        StartUp::Outcome o = StartUp::start(params("1", "1", "DEMO", "  testform ", "09/12/2026 22:10"));
        QCOMPARE(int(o.end), int(StartUp::Outcome::End::FormCreated));
        QVERIFY(o.form);
        delete o.form;
        QCOMPARE(DMConfig->WorkingDate.time(), QTime(22, 10));
        QVERIFY(DMConfig->AccessRight);

        MessageService::clearShown();
        o = StartUp::start(params("1", "1", "NOSUCH", "TESTFORM", "09/12/2026"));
        QCOMPARE(int(o.end), int(StartUp::Outcome::End::Message));
        QCOMPARE(MessageService::lastText(), QString("Not Found Database : NOSUCH"));

        // No access and an unknown code end quietly: no form, no message.
        MessageService::clearShown();
        o = StartUp::start(params("1", "3", "DEMO", "TESTFORM", "09/12/2026"));
        QCOMPARE(int(o.end), int(StartUp::Outcome::End::Quiet));
        QVERIFY(!o.form);
        o = StartUp::start(params("1", "1", "DEMO", "NOSUCHCODE", "09/12/2026"));
        QCOMPARE(int(o.end), int(StartUp::Outcome::End::Quiet));
        QVERIFY(MessageService::shown().isEmpty());

        o = StartUp::start(params("x", "1", "DEMO", "TESTFORM", "09/12/2026"));
        QCOMPARE(int(o.end), int(StartUp::Outcome::End::Message));
        QCOMPARE(MessageService::lastText(), QString("'x' is not a valid integer value"));
    }

    void programCodesCreateTheirForms()
    {
        TestEnv env;
        StartUp::registerAllForms();
        QScopedPointer<QWidget> inbound(StartUp::createForm(" inbound "));
        auto* in = qobject_cast<TFrInbound*>(inbound.data());
        QVERIFY(in);
        QCOMPARE(in->PoType, QString("P"));
        QCOMPARE(in->windowTitle(), QString("นำเข้าสินค้าจากต่างประเทศ"));
        QScopedPointer<QWidget> begin(StartUp::createForm("IMPBEGIN"));
        auto* b = qobject_cast<TFrInboundBegin*>(begin.data());
        QVERIFY(b);
        QCOMPARE(b->PoType, QString());
        QCOMPARE(b->windowTitle(), QString("บิลค้างจ่ายต่างประเทศยกมาจากปีก่อน"));
    }

    void rightsAndLanguage()
    {
        TestEnv env;
        DMConfig->CheckRight(1, 1);
        QVERIFY(DMConfig->AccessRight && DMConfig->AddRight && DMConfig->ModifyRight && DMConfig->DeleteRight);
        QVERIFY(DMConfig->ThaiLanguage);
        QCOMPARE(DMConfig->SaveConfirmText, QString("จัดเก็บข้อมูล ?"));
        QCOMPARE(DMConfig->DeleteConfirmText, QString("ลบข้อมูล ?"));

        DMConfig->CheckRight(1, 2);
        QVERIFY(!DMConfig->ThaiLanguage);
        QCOMPARE(DMConfig->SaveConfirmText, QString("Save Data ?"));
        QCOMPARE(DMConfig->DeleteConfirmText, QString("Delete Data ?"));

        DMConfig->CheckRight(1, 4);
        QVERIFY(DMConfig->AccessRight);
        QVERIFY(!DMConfig->AddRight && !DMConfig->ModifyRight && !DMConfig->DeleteRight);

        // Only exactly "Y" grants; any language but 1 is English.
        Db::exec(env.config(), "update MenuRight set Access_R = 'y', Add_R = 'YES', Modify_R = '', "
                               "Delete_R = 'Y' where MenuId = 1 and UserId = 1");
        Db::exec(env.config(), "update username set LanguageNo = 2 where Id = 1");
        DMConfig->CheckRight(1, 1);
        QVERIFY(!DMConfig->AccessRight);
        QVERIFY(!DMConfig->AddRight);
        QVERIFY(!DMConfig->ModifyRight);
        QVERIFY(DMConfig->DeleteRight);
        QVERIFY(!DMConfig->ThaiLanguage);
        Db::exec(env.config(), "update username set LanguageNo = null where Id = 1");
        DMConfig->CheckRight(1, 1);
        QVERIFY(!DMConfig->ThaiLanguage);

        // A user without a row: no language, no approval; rights from the procedure alone.
        DMConfig->CheckRight(1, 999);
        QVERIFY(!DMConfig->ThaiLanguage);
        QVERIFY(!DMConfig->ApprovePo);
    }

    void serverName()
    {
        QTemporaryDir dir;
        QCOMPARE(Connection::readServerName(dir.path()), QString("KOV"));
        QFile f(dir.filePath("Server.Dat"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(Connection::readServerName(dir.path()), QString("KOV"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\nsecond line\n");
        f.close();
        QCOMPARE(Connection::readServerName(dir.path()), QString("KOV"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("MYSERVER  \r\nnext\n");
        f.close();
        QCOMPARE(Connection::readServerName(dir.path()), QString("MYSERVER  "));

        const ServerSpec pg = Connection::parseServerName("postgresql://db.local:5433", "/w");
        QCOMPARE(int(pg.kind), int(ServerSpec::Kind::PostgreSQL));
        QCOMPARE(pg.host, QString("db.local"));
        QCOMPARE(pg.port, 5433);
        QCOMPARE(Connection::parseServerName("pg:db2", "/w").port, 5432);
        const ServerSpec emb = Connection::parseServerName("data", "/w");
        QCOMPARE(int(emb.kind), int(ServerSpec::Kind::Embedded));
        QCOMPARE(Connection::databaseFile(emb, "DEMO"), QString("/w/data/DEMO.sqlite"));
    }

    void reconnectRebuildsParameters()
    {
        TestEnv env;
        DM->DMdata();
        const QStringList first = DM->Params();
        QCOMPARE(first.count("USER NAME=kov"), 1);
        QCOMPARE(first.first(), QString("DATABASE NAME=DEMO"));
        QCOMPARE(first.at(1), QString("SERVER NAME=data"));
        DM->CloseConnection();
        QVERIFY(!DM->Connected());
        DM->DMdata();
        QCOMPARE(DM->Params(), first);
        QStringList unique = DM->Params();
        QCOMPARE(unique.removeDuplicates(), 0);
        QVERIFY(DM->Config("RunYear").isValid()); // the Config row is read again
    }

    void missingDatabaseIsAClearError()
    {
        TestEnv env;
        DM->CloseConnection();
        DM->setDatabaseName("NOPE");
        try {
            DM->DMdata();
            QFAIL("connected to a missing database");
        } catch (const NkError& e) {
            QVERIFY(e.message().contains("NOPE"));
        }
    }

    void processEndsQuietly()
    {
        const QString exe = qEnvironmentVariable("NK_TEST_BIN_DIR") + "/namkhao";
        if (!QFile::exists(exe))
            QSKIP("work-form program not built");
        QProcess p;
        p.start(exe, {});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);

        // A user without access: the splash shows briefly, then the process ends with 0.
        TestEnv env;
        QProcess q;
        q.setWorkingDirectory(env.folder());
        QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
        pe.insert("QT_QPA_PLATFORM", "offscreen");
        q.setProcessEnvironment(pe);
        q.start(exe, params("1", "3", "DEMO", "INBOUND", "09/12/2026"));
        QVERIFY(q.waitForFinished(20000));
        QCOMPARE(q.exitCode(), 0);
    }
};

QTEST_MAIN(TstStartUp)
#include "tst_startup.moc"
