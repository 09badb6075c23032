#include "app/MessageService.h"
#include "app/StartUp.h"
#include "app/TDMConfig.h"
#include "app/TFormLogo.h"
#include "data/Connection.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/TDM.h"
#include "forms/import/TFrInbound.h"
#include "forms/import/TFrInboundBegin.h"
#include "support/TestEnv.h"

#include "data/DbAdmin.h"
#include "support/SqliteFile.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <unistd.h>
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

    // How the working folder is broken before the program starts.
    enum Setup { Ready, NoServerDat, EmptyServerDat, NoConfigDb, CorruptConfigDb, EmptyConfigDb, ReadOnlyFolder,
                 NoCompanyDb, CorruptCompanyDb };

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    struct Run {
        bool finished = false;
        QProcess::ExitStatus status = QProcess::CrashExit;
        int code = -1;
        QList<QJsonObject> shown; // what the message log recorded
        QString out;
    };
    // The work-form program started in `folder`, headless, with every box recorded and answered.
    static Run runProgram(const QString& folder, const QStringList& args, bool asOtherUser, bool quitWhenShown = false)
    {
        Run r;
        const QString exe = qEnvironmentVariable("NK_TEST_BIN_DIR") + "/namkhao";
        QTemporaryDir logDir;
        QFile::setPermissions(logDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                                 | QFile::WriteOther | QFile::ExeOther);
        const QString log = logDir.filePath("messages.jsonl");
        QProcess p;
        p.setWorkingDirectory(folder);
        QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
        pe.insert("QT_QPA_PLATFORM", "offscreen");
        pe.insert("NK_MESSAGE_LOG", log);
        pe.insert("XDG_RUNTIME_DIR", logDir.path());
        if (quitWhenShown)
            pe.insert("NK_QUIT_WHEN_SHOWN", "1");
        p.setProcessEnvironment(pe);
        if (asOtherUser)
            p.start("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", exe} + args);
        else
            p.start(exe, args);
        r.finished = p.waitForFinished(30000);
        if (!r.finished) {
            p.kill();
            p.waitForFinished();
        }
        r.status = p.exitStatus();
        r.code = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        QFile f(log);
        if (f.open(QIODevice::ReadOnly))
            for (const QByteArray& line : f.readAll().split('\n'))
                if (!line.trimmed().isEmpty())
                    r.shown << QJsonDocument::fromJson(line).object();
        return r;
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

        const ServerLocation pg = Connection::parseServerName("postgresql://db.local:5433", "/w");
        QCOMPARE(int(pg.kind), int(ServerLocation::Kind::PostgreSQL));
        QCOMPARE(pg.host, QString("db.local"));
        QCOMPARE(pg.port, 5433);
        QCOMPARE(Connection::parseServerName("pg:db2", "/w").port, 5432);
        const ServerLocation emb = Connection::parseServerName("data", "/w");
        QCOMPARE(int(emb.kind), int(ServerLocation::Kind::Embedded));
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

    // Every way start-up can fail, run as the real program: it shows its message (recorded
    // and answered through the message log) and ends normally with status 0.
    void everyStartUpFailureShowsItsMessageAndEnds_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("setup");
        QTest::addColumn<QString>("kind"); // of the one message shown; empty: none
        QTest::addColumn<QString>("text"); // what it says (a part of it)
        QTest::addColumn<int>("errorLogRows");
        const QString today = QDate::currentDate().toString("dd/MM/yyyy");
        const QString cfg = "KOV_CONFIG";
        QTest::newRow("no parameter") << QStringList() << int(Ready) << "" << "" << 0;
        QTest::newRow("date not a date") << params("1", "1", "DEMO", "INBOUND", "32/13/2026") << int(Ready) << "error"
                                         << "'32/13/2026' is not a valid date" << 0;
        QTest::newRow("date missing") << QStringList({"1", "1", "DEMO", "-", "INBOUND"}) << int(Ready) << "error"
                                      << "'' is not a valid date" << 0;
        QTest::newRow("menu id not an integer") << params("x", "1", "DEMO", "INBOUND", today) << int(Ready) << "error"
                                                << "'x' is not a valid integer value" << 0;
        QTest::newRow("user id not an integer") << params("1", "1.5", "DEMO", "INBOUND", today) << int(Ready)
                                                << "error" << "'1.5' is not a valid integer value" << 0;
        QTest::newRow("unknown company") << params("1", "1", "NOPE", "INBOUND", today) << int(Ready) << "information"
                                         << "Not Found Database : NOPE" << 0;
        QTest::newRow("Server.Dat missing") << params("1", "1", "DEMO", "INBOUND", today) << int(NoServerDat)
                                            << "error" << cfg << 0;
        QTest::newRow("Server.Dat empty") << params("1", "1", "DEMO", "INBOUND", today) << int(EmptyServerDat)
                                          << "error" << cfg << 0;
        QTest::newRow("KOV_CONFIG missing") << params("1", "1", "DEMO", "INBOUND", today) << int(NoConfigDb)
                                            << "error" << cfg << 0;
        QTest::newRow("KOV_CONFIG corrupt") << params("1", "1", "DEMO", "INBOUND", today) << int(CorruptConfigDb)
                                            << "error" << cfg << 0;
        QTest::newRow("KOV_CONFIG without tables") << params("1", "1", "DEMO", "INBOUND", today) << int(EmptyConfigDb)
                                                   << "error" << cfg << 0;
        QTest::newRow("read-only folder") << params("1", "1", "DEMO", "INBOUND", today) << int(ReadOnlyFolder)
                                          << "error" << cfg << 0;
        QTest::newRow("no access right") << params("1", "3", "DEMO", "INBOUND", today) << int(Ready) << "" << "" << 0;
        QTest::newRow("unknown program code") << params("1", "1", "DEMO", "NOSUCHCODE", today) << int(Ready) << ""
                                              << "" << 0;
        // The work form finds no company database when it opens: the error hook (log row,
        // red dialog), then the end.
        QTest::newRow("company database missing") << params("1", "1", "DEMO", "INBOUND", today) << int(NoCompanyDb)
                                                  << "errordialog" << "ติดต่อฐานข้อมูลไม่ได้" << 1;
        QTest::newRow("company database corrupt") << params("1", "1", "DEMO", "IMPORTCOST", today)
                                                  << int(CorruptCompanyDb) << "errordialog" << "ติดต่อฐานข้อมูลไม่ได้" << 1;
    }
    void everyStartUpFailureShowsItsMessageAndEnds()
    {
        QFETCH(QStringList, args);
        QFETCH(int, setup);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(int, errorLogRows);
        QTemporaryDir dir;
        const QString data = dir.filePath("data");
        DbAdmin::createDemo(data);
        writeFile(dir.filePath("Server.Dat"), "data\n");
        const QString cfgFile = data + "/KOV_CONFIG.sqlite";
        bool otherUser = false;
        switch (Setup(setup)) {
        case NoServerDat: QFile::remove(dir.filePath("Server.Dat")); break;
        case EmptyServerDat: writeFile(dir.filePath("Server.Dat"), ""); break;
        case NoConfigDb: QFile::remove(cfgFile); break;
        case CorruptConfigDb: writeFile(cfgFile, QByteArray(8192, 'x')); break;
        case EmptyConfigDb: QFile::remove(cfgFile); SqliteFile(cfgFile).query("create table t (x)"); break;
        case NoCompanyDb: QFile::remove(data + "/DEMO.sqlite"); break;
        case CorruptCompanyDb: writeFile(data + "/DEMO.sqlite", QByteArray(8192, 'x')); break;
        case ReadOnlyFolder:
            // Nothing in the folder can be written (an administrator would not be held back,
            // so the program runs as another user then).
            for (const QString& f : {data, dir.path()})
                QFile::setPermissions(f, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                             | QFile::ReadOther | QFile::ExeOther);
            otherUser = ::geteuid() == 0;
            break;
        case Ready: break;
        }
        const Run r = runProgram(dir.path(), args, otherUser);
        QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(r.finished, "the program did not end");
        QCOMPARE(r.status, QProcess::NormalExit);
        QCOMPARE(r.code, 0);
        if (kind.isEmpty()) {
            QVERIFY2(r.shown.isEmpty(), qPrintable(r.shown.value(0).value("text").toString()));
        } else {
            QCOMPARE(r.shown.size(), 1);
            QCOMPARE(r.shown[0].value("kind").toString(), kind);
            QVERIFY2(r.shown[0].value("text").toString().contains(text), qPrintable(r.shown[0].value("text").toString()));
        }
        if (QFile::exists(cfgFile) && setup != CorruptConfigDb && setup != EmptyConfigDb)
            QCOMPARE(SqliteFile(cfgFile).count("select count(*) from ErrorLog"), errorLogRows);
    }

    // The work form shown: the splash has gone, and the window has one title. A company code
    // typed in lower case opens the company's own database (the configuration's spelling).
    void shownFormStandsAlone()
    {
        // The splash shows its picture (white words on blue), not the plain blue it falls back to.
        const QImage splash = TFormLogo().grab().toImage();
        splash.save(QDir(qEnvironmentVariable("NK_BUILD_DIR", ".")).filePath("splash.png"));
        int white = 0;
        for (int y = 0; y < splash.height(); ++y)
            for (int x = 0; x < splash.width(); ++x)
                white += qGray(splash.pixel(x, y)) > 200;
        QVERIFY2(white > 500, qPrintable(QString("white pixels on the splash: %1").arg(white)));
        QTemporaryDir dir;
        DbAdmin::createDemo(dir.filePath("data"));
        writeFile(dir.filePath("Server.Dat"), "data\n");
        for (const auto& [code, company] : {std::pair{"INBOUND", "DEMO"}, std::pair{"IMPORTCOST", "demo"}}) {
            const Run r = runProgram(dir.path(), params("1", "1", company, code, QDate::currentDate().toString("dd/MM/yyyy")),
                                     false, true);
            QVERIFY(r.finished);
            QCOMPARE(r.code, 0);
            QVERIFY2(r.shown.isEmpty(), qPrintable(r.shown.value(0).value("text").toString()));
            const QString line = r.out.section("NK_SHOWN ", 1).section('\n', 0, 0);
            QVERIFY2(line.contains(" windows=FrInbound") || line.contains(" windows=TFr"), qPrintable(r.out));
            QVERIFY2(!line.contains("TFormLogo"), qPrintable(line));
            QVERIFY2(line.contains(" frame_ns="), qPrintable(line)); // told once the form is drawn
            const QString title = line.section(" title=", 1).section(" display=", 0, 0);
            QVERIFY2(title.endsWith(" (Version 1.05.03.26)"), qPrintable(line));
            QCOMPARE(line.section(" display=", 1).section(" windows=", 0, 0), title);
        }
    }
};

QTEST_MAIN(TstStartUp)
#include "tst_startup.moc"
