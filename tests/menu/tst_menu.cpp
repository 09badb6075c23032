#include "app/TDMConfig.h"
#include "data/TDM.h"
#include "data/DbUtil.h"
#include "data/PasswordHash.h"
#include "menu/FormLauncher.h"
#include "menu/TFrMenu.h"
#include "support/TestEnv.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <csignal>

// The menu as a user meets it: signing in with the keyboard, the entries it lists, and the
// work-form processes it starts; and the administrator's tool that stores passwords.
class TstMenu : public QObject {
    Q_OBJECT

    static const QString Wrong;

    static void signIn(TFrMenu& m, const QString& code, const QString& password)
    {
        auto* user = m.findChild<QLineEdit*>("EdUser");
        user->setFocus();
        user->selectAll();
        QTest::keyClicks(user, code);
        QTest::keyClick(user, Qt::Key_Return); // Enter moves on to the password
        auto* pw = m.findChild<QLineEdit*>("EdPassword");
        QVERIFY(pw->hasFocus());
        QTest::keyClicks(pw, password);
        QTest::keyClick(pw, Qt::Key_Return);
    }
    static bool open(TFrMenu& m)
    {
        m.show();
        return QTest::qWaitForWindowActive(&m);
    }
    static QString message(TFrMenu& m) { return m.findChild<QLabel*>("LbMessage")->text(); }
    static int page(TFrMenu& m) { return m.findChild<QStackedWidget*>()->currentIndex(); }

    static QString treeText(QTreeWidget* tree)
    {
        QStringList lines;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            int depth = 0;
            for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
                ++depth;
            lines << QString(depth * 2, QLatin1Char(' ')) + (*it)->text(0);
        }
        return lines.join(QLatin1Char('\n'));
    }

    void config(const QString& sql) { Db::exec(DMConfig->DmCfg(), sql); }

private slots:
    void signInRefusals_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("answer"); // empty: signed in
        QTest::newRow("hashed password") << QStringList() << "admin" << "demo" << "";
        QTest::newRow("plain password of older data")
            << QStringList{"update username set Password = 'Secret7  ' where Code = 'VIEWER'"} << "VIEWER" << "Secret7" << "";
        QTest::newRow("wrong password") << QStringList() << "ADMIN" << "Demo" << Wrong;
        QTest::newRow("plain password in other letter case")
            << QStringList{"update username set Password = 'Secret7' where Code = 'VIEWER'"} << "VIEWER" << "secret7" << Wrong;
        QTest::newRow("unknown user") << QStringList() << "NOBODY" << "demo" << Wrong;
        QTest::newRow("blocked user, in the user's language")
            << QStringList{"update username set Blocked = 'Y' where Code = 'JOHN'"} << "JOHN" << "demo" << "This user is blocked.";
        QTest::newRow("no access right") << QStringList() << "GUEST" << "demo" << "รหัสผู้ใช้นี้ไม่มีสิทธิ์ใช้งานเมนูใด";
        QTest::newRow("rights on headings only")
            << QStringList{"update MenuRight set Access_R = 'N' where UserId = 4 and MenuId <= 6"} << "VIEWER" << "demo"
            << "รหัสผู้ใช้นี้ไม่มีสิทธิ์ใช้งานเมนูใด";
        QTest::newRow("lower-case y grants nothing")
            << QStringList{"update MenuRight set Access_R = 'y' where UserId = 4 and MenuId <= 6"} << "VIEWER" << "demo"
            << "รหัสผู้ใช้นี้ไม่มีสิทธิ์ใช้งานเมนูใด";
    }
    void signInRefusals()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, code);
        QFETCH(QString, password);
        QFETCH(QString, answer);
        TestEnv env;
        for (const QString& sql : setup)
            config(sql);
        TFrMenu m;
        m.setRefusalDelay(200);
        QVERIFY(open(m));
        signIn(m, code, password);
        auto* pw = m.findChild<QLineEdit*>("EdPassword");
        QVERIFY(pw->text().isEmpty()); // the typed password is not kept on screen
        if (answer.isEmpty()) {
            QCOMPARE(page(m), 1);
            QVERIFY(m.signedIn());
            return;
        }
        if (answer == Wrong) {
            // Not answered at once: the sign-in waits, closed to further tries.
            QVERIFY(message(m).isEmpty());
            QVERIFY(!pw->isEnabled());
        }
        QTRY_COMPARE(message(m), answer);
        QVERIFY(pw->isEnabled() && pw->hasFocus());
        QCOMPARE(page(m), 0);
        QVERIFY(!m.signedIn());
    }

    void fiveWrongPasswordsLockSignInForAMinute()
    {
        TestEnv env;
        TFrMenu m;
        m.setRefusalDelay(0);
        qint64 now = 1'000'000;
        m.guard().setClock([&now] { return now; });
        QVERIFY(open(m));
        auto wrong = [&](const QString& code) {
            signIn(m, code, "nope");
            QTRY_VERIFY(!message(m).isEmpty());
        };
        // A right password ends a row of wrong ones.
        for (int i = 0; i < 4; ++i)
            wrong("NOBODY");
        signIn(m, "ADMIN", "demo");
        QCOMPARE(page(m), 1);
        m.findChild<QPushButton*>("BtSignOut")->click();

        for (int i = 0; i < 4; ++i)
            wrong("NOBODY");
        wrong("ADMIN");
        const QString locked = "ใส่รหัสผ่านผิด 5 ครั้งติดกัน กรุณารอ 60 วินาที\n5 wrong passwords in a row: wait 60 seconds.";
        QCOMPARE(message(m), locked);
        QCoreApplication::processEvents();
        QVERIFY(m.grab().save(QDir(qEnvironmentVariable("NK_BUILD_DIR")).filePath("menu-signin-locked.png")));
        now += 59'000;
        signIn(m, "ADMIN", "demo"); // even the right password waits for the minute
        QCOMPARE(message(m), QString("ใส่รหัสผ่านผิด 5 ครั้งติดกัน กรุณารอ 1 วินาที\n5 wrong passwords in a row: wait 1 second."));
        QCOMPARE(page(m), 0);
        now += 1'000;
        signIn(m, "ADMIN", "demo");
        QCOMPARE(page(m), 1);
    }

    void entriesInTheUsersLanguage_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QString>("screenshot");
        QTest::newRow("thai") << QStringList() << "ADMIN"
                              << "งานนำเข้า\n  นำเข้าสินค้าจากต่างประเทศ\n  บิลค้างจ่ายต่างประเทศยกมา\n  ต้นทุนการนำเข้า\n"
                                 "ค่าใช้จ่ายนำเข้า\n  ค่าใช้จ่ายในการนำเข้าเงินเชื่อ\n  ค่าใช้จ่ายในการนำเข้าเงินสด\n"
                                 "สั่งซื้อต่างประเทศ\n  สั่งซื้อจากต่างประเทศ"
                              << "menu-thai.png";
        QTest::newRow("english") << QStringList() << "JOHN"
                                 << "Imports\n  Import Goods\n  Foreign Bills Brought Forward\n  Import Cost\n"
                                    "Import Expenses\n  Import Expenses on Credit\n  Import Expenses in Cash\n"
                                    "Foreign Purchasing\n  Foreign Purchase Order"
                                 << "menu-english.png";
        // Only exactly "Y" opens an entry; a closed heading hides what is under it; an entry
        // whose parent is missing stands at the top; each level in MenuOrder, then Id.
        QTest::newRow("some rights")
            << QStringList{"update MenuRight set Access_R = 'N' where UserId = 4 and MenuId in (2, 8)",
                           "update MenuRight set Access_R = 'y' where UserId = 4 and MenuId = 5",
                           "update Menu set ParentId = 0, MenuOrder = 0 where Id = 6",
                           "update Menu set ParentId = 99 where Id = 3"}
            << "VIEWER"
            << "สั่งซื้อจากต่างประเทศ\nค่าใช้จ่ายในการนำเข้าเงินเชื่อ\nงานนำเข้า\n  นำเข้าสินค้าจากต่างประเทศ\nสั่งซื้อต่างประเทศ"
            << "";
    }
    void entriesInTheUsersLanguage()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, code);
        QFETCH(QString, tree);
        QFETCH(QString, screenshot);
        TestEnv env;
        for (const QString& sql : setup)
            config(sql);
        TFrMenu m;
        QVERIFY(open(m));
        signIn(m, code, "demo");
        QCOMPARE(page(m), 1);
        auto* tv = m.findChild<QTreeWidget*>("TvMenu");
        QCOMPARE(treeText(tv), tree);
        QVERIFY(tv->hasFocus());
        QVERIFY(!tv->currentItem()->text(0).isEmpty());
        if (!screenshot.isEmpty()) {
            m.statusBar()->showMessage(code == "JOHN" ? "\"Import Cost\" ended with failure status 1"
                                                      : "\"ต้นทุนการนำเข้า\" จบการทำงานโดยมีข้อผิดพลาด (สถานะ 1)");
            QCoreApplication::processEvents(); // the status bar lays out the new texts
            QVERIFY(m.grab().save(QDir(qEnvironmentVariable("NK_BUILD_DIR")).filePath(screenshot)));
        }
    }

    void choosingAnEntryStartsItsWorkForm()
    {
        TestEnv env;
        // A stand-in for the work-form program: writes its folder and arguments; the foreign
        // purchase order ends with a failure status, the others stay open a while.
        const QString standIn = QDir(env.folder()).filePath("standin.sh");
        QFile f(standIn);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > \"args-$5.txt\"\n"
                "[ \"$5\" = FRPO ] && exit 3\necho $$ > \"pid-$5.txt\"\nexec sleep 6\n");
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);

        auto menu = std::make_unique<TFrMenu>();
        TFrMenu& m = *menu;
        m.launcher()->setProgram(standIn);
        QVERIFY(open(m));
        signIn(m, "JOHN", "demo");
        m.findChild<QDateEdit*>("EdDate")->setDate(QDate(2026, 12, 9));
        auto* tv = m.findChild<QTreeWidget*>("TvMenu");
        tv->setFocus();
        QCOMPARE(tv->currentItem()->text(0), QString("Import Goods"));
        QTest::keyClick(tv, Qt::Key_Down);
        QTest::keyClick(tv, Qt::Key_Down);
        QTest::keyClick(tv, Qt::Key_Return);
        const QList<QTreeWidgetItem*> frpo = tv->findItems("Foreign Purchase Order", Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(frpo.size(), 1);
        const QPoint at = tv->visualItemRect(frpo.first()).center();
        QTest::mouseClick(tv->viewport(), Qt::LeftButton, {}, at); // a double click is two clicks in a row
        QTest::mouseDClick(tv->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(m.launcher()->running(), 2); // two forms at once

        auto readLines = [&](const QString& file) {
            QFile out(QDir(env.folder()).filePath(file));
            return out.open(QIODevice::ReadOnly) ? QString::fromUtf8(out.readAll()).split('\n', Qt::SkipEmptyParts)
                                                 : QStringList();
        };
        const QString here = QDir(env.folder()).canonicalPath();
        QTRY_COMPARE(readLines("args-IMPORTCOST.txt"), QStringList({here, "5", "2", "DEMO", "-", "IMPORTCOST", "09/12/2026"}));
        QTRY_COMPARE(readLines("args-FRPO.txt"), QStringList({here, "6", "2", "DEMO", "-", "FRPO", "09/12/2026"}));
        QTRY_COMPARE(m.statusBar()->currentMessage(), QString("\"Foreign Purchase Order\" ended with failure status 3"));

        m.launcher()->setProgram(QDir(env.folder()).filePath("no-such-program"));
        QTest::keyClick(tv, Qt::Key_Return);
        QTRY_VERIFY(m.statusBar()->currentMessage().startsWith("Cannot start \"Foreign Purchase Order\""));

        // Closing the menu leaves an open form running: it may hold unsaved work.
        QTRY_COMPARE(readLines("pid-IMPORTCOST.txt").size(), 1);
        const QString pid = readLines("pid-IMPORTCOST.txt").constFirst();
        QCOMPARE(m.launcher()->running(), 1);
        menu.reset();
        QVERIFY(QFileInfo::exists("/proc/" + pid));
        ::kill(pid.toInt(), SIGTERM);
    }

    void firstStartCreatesTheDemoCompany()
    {
        TestEnv env;
        QTemporaryDir empty; // a folder without Server.Dat, as for a user who just installed
        QDir::setCurrent(empty.path());
        delete DM; // the menu has no company session: it works in its current folder
        DM = nullptr;
        DMConfig->CloseConnection();
        TFrMenu m;
        m.offerDemo(empty.path());
        QVERIFY(open(m));
        auto* create = m.findChild<QPushButton*>("BtCreateDemo");
        QVERIFY(create->isVisible());
        create->click();
        QVERIFY(!create->isVisible());
        QVERIFY(QFile::exists(empty.filePath("data/DEMO.sqlite")));
        QCOMPARE(m.findChild<QLineEdit*>("EdUser")->text(), QString("ADMIN"));
        signIn(m, "ADMIN", "demo");
        QCOMPARE(page(m), 1);
        QDir::setCurrent(env.folder());
    }

    void adminToolStoresHashedPasswords()
    {
        TestEnv env;
        const QString tool = qEnvironmentVariable("NK_TEST_BIN_DIR") + "/namkhao-db";
        auto run = [&](const QStringList& args, const QByteArray& input, QByteArray* out = nullptr) {
            QProcess p;
            p.setWorkingDirectory(env.folder());
            p.start(tool, args);
            p.write(input);
            p.closeWriteChannel();
            p.waitForFinished(30000);
            if (out)
                *out = p.readAllStandardOutput() + p.readAllStandardError();
            return p.exitCode();
        };
        QByteArray said;
        QCOMPARE(run({"user", "john", "--password"}, "n3w Pass\n", &said), 0);
        QVERIFY(!said.contains("n3w"));
        const QString stored = Db::scalar(DMConfig->DmCfg(), "select Password from username where Code = 'JOHN'").toString();
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(PasswordHash::verify(stored, "n3w Pass"));
        QVERIFY(!PasswordHash::verify(stored, "demo"));
        QVERIFY(PasswordHash::hash("n3w Pass") != PasswordHash::hash("n3w Pass")); // salted
        QCOMPARE(run({"user", "NOBODY", "--password"}, "x\n"), 1);
        QCOMPARE(run({"user", "JOHN", "--password"}, "\n"), 1); // an empty password is not stored
        QVERIFY(PasswordHash::verify(Db::scalar(DMConfig->DmCfg(), "select Password from username where Code = 'JOHN'").toString(),
                                     "n3w Pass"));

        // The demo script starts a form under its own menu entry.
        QCOMPARE(run({"menu-entry", " importcost "}, {}, &said), 0);
        QCOMPARE(said, QByteArray("5\n"));
        QCOMPARE(run({"menu-entry", "NOSUCH"}, {}), 1);
    }
};

const QString TstMenu::Wrong = "รหัสผู้ใช้หรือรหัสผ่านไม่ถูกต้อง\nWrong user code or password.";

QTEST_MAIN(TstMenu)
#include "tst_menu.moc"
