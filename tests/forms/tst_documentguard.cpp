#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/SaveSteps.h"
#include "data/TDM.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/import/TFrInbound.h"
#include "forms/purchase/TFrFrPoTran.h"
#include "forms/receipt/TFrImExpTran.h"
#include "receipt/ReceiptTestKit.h"
#include "support/ImportDoc.h"
#include "support/TestEnv.h"
#include "widgets/DbEdits.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <memory>
#include <utility>

using namespace ReceiptTestKit;

// What a document on screen does with work not yet stored: changes are asked about before
// they would be dropped, and a document another workstation saved first is not overwritten.
// The import document, the foreign order and the credit bill, each through its real form.
class TstDocumentGuard : public QObject {
    Q_OBJECT

public:
    enum class Kind { Import, Order, Bill };
    static constexpr const char* StationSwitch = "--workstation";

    static QString firstText(const QString& sql) { return Db::scalar(DM->DMdata(), sql).toString(); }

    // One of the three forms with a stored document's number and a header text field.
    struct Form {
        std::unique_ptr<TFrDocument> form;
        TDbEdit* text = nullptr;  // the header field the tests type into
        QString table, numberColumn, textColumn;
        QString number;            // a stored document of the form's kind

        explicit Form(Kind kind)
        {
            switch (kind) {
            case Kind::Import: {
                auto* f = new TFrInbound;
                f->PoType = QStringLiteral("P");
                form.reset(f);
                text = f->TransportNo;
                table = "ImHd", numberColumn = "ImNo", textColumn = "TransportNo";
                number = firstText(QStringLiteral("select ImNo from ImHd where DelFlag = 'N' and BeginBalance = 'N' order by Id"));
                break;
            }
            case Kind::Order: {
                auto* f = new TFrFrPoTran;
                form.reset(f);
                text = f->Reference;
                table = "FrPoHd", numberColumn = "PoNo", textColumn = "Reference";
                number = firstText(QStringLiteral("select PoNo from FrPoHd where DelFlag = 'N' and Clear = 'N' order by Id"));
                break;
            }
            case Kind::Bill: {
                auto* f = new TFrImExpTran;
                form.reset(f);
                text = f->MrTaxNo;
                table = "MrHd", numberColumn = "MrNo", textColumn = "MrTaxNo";
                number = firstText(QStringLiteral("select MrNo from MrHd where DelFlag = 'N' and Clear = 'N' order by Id"));
                break;
            }
            }
        }
        void show(int menuId = 3)
        {
            DMConfig->CheckRight(menuId, 1);
            form->show();
            QApplication::setActiveWindow(form.get());
            QVERIFY(QTest::qWaitForWindowActive(form.get()));
            settle();
        }
        // The stored document opened by its number, the cursor in the text field.
        void openStored()
        {
            form->AcNew->trigger();
            settle();
            form->FaGetDocNo->DocNo->setFocus();
            field(number.trimmed());
            QVERIFY2(form->QHd->RecNo() >= 0 && form->QHd->AsString(numberColumn) == number,
                     qPrintable("not opened: " + number));
            backTo(*form, text);
        }
        void typeText(const QString& t)
        {
            backTo(*form, text);
            text->selectAll();
            text->del();
            typeKeys(t);
        }
        // A new document typed by keys up to its first line, the cursor back in the text field.
        void typeNew()
        {
            const QString year = QString::number(QDate::currentDate().year());
            if (auto* im = qobject_cast<TFrInbound*>(form.get())) {
                enterImportHeader(*im, QStringLiteral("LOT%1-01").arg(year), "35.5");
                cell(*im, 0, "ProductCode", "P001");
                cell(*im, 0, "Quantity", "10");
                cell(*im, 0, "Total", "1200.50");
                im->QDuty->SetField("Total", 100);
                im->QDuty->Post();
            } else if (auto* po = qobject_cast<TFrFrPoTran*>(form.get())) {
                enterOrder(*po, QStringLiteral("F001"), {{"P001", "10", "5"}});
            } else if (auto* bill = qobject_cast<TFrImExpTran*>(form.get())) {
                enterBill(*bill, {QStringLiteral("MS0300"), QStringLiteral("LOT%1-02").arg(year), "V002", false, "S003", "250.50"});
            }
            backTo(*form, text);
        }
        QString stored(TestEnv& env) const
        {
            return env.scalar(QStringLiteral("select %1 from %2 where %3 = :n").arg(textColumn, table, numberColumn),
                              {{"n", number}})
                .toString()
                .trimmed();
        }
    };

    static int questions(const QString& start)
    {
        int n = 0;
        for (const auto& m : MessageService::shown())
            n += m.kind == MessageService::Kind::Question && m.text.startsWith(start);
        return n;
    }

private slots:
    void initTestCase() { QVERIFY(qEnvironmentVariableIsSet("QT_QPA_PLATFORM")); }

    // F3 and leaving the form with changes: save, drop them or go back; without changes
    // nothing new is asked.
    void unsavedChangesAreAskedAbout_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("leaveForm"); // Esc, else F3
        QTest::addColumn<int>("choice");     // 0 save, 1 don't save, 2 go back
        QTest::addColumn<QString>("stored"); // the text field afterwards
        QTest::addColumn<bool>("onScreen");  // the typed text still on screen
        for (const auto& [kind, name] : {std::pair{Kind::Import, "import"}, {Kind::Order, "order"}, {Kind::Bill, "bill"}}) {
            QTest::addRow("%s F3 go back", name) << kind << false << 2 << QString() << true;
            QTest::addRow("%s F3 drop", name) << kind << false << 1 << QString() << false;
            QTest::addRow("%s F3 save", name) << kind << false << 0 << QStringLiteral("TYPED-1") << false;
            QTest::addRow("%s Esc go back", name) << kind << true << 2 << QString() << true;
            QTest::addRow("%s Esc drop", name) << kind << true << 1 << QString() << false;
        }
    }
    void unsavedChangesAreAskedAbout()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, leaveForm);
        QFETCH(int, choice);
        QFETCH(QString, stored);
        QFETCH(bool, onScreen);
        TestEnv env;
        Dialogs dialogs;
        Form f(kind);
        QVERIFY2(!f.number.isEmpty(), "the demo has no such document");
        env.exec("update FrPoHd set Approved = 'N'"); // an approved order cannot be changed
        f.show();
        const QString before = f.stored(env);
        const QString ask = QStringLiteral("เอกสารนี้มีการแก้ไขที่ยังไม่ได้บันทึก");

        // Nothing typed: F3 and the stored document opened and left again ask nothing new.
        key(Qt::Key_F3);
        f.openStored();
        key(Qt::Key_Return);
        f.openStored();
        QCOMPARE(questions(ask), 0);

        f.typeText(QStringLiteral("TYPED-1"));
        MessageService::clearShown();
        MessageService::queueChoice(choice);
        key(leaveForm ? Qt::Key_Escape : Qt::Key_F3);
        QCOMPARE(questions(ask), 1);
        QCOMPARE(questions(QStringLiteral("ออกจากโปรแกรม")), 0); // one question, not two
        QCOMPARE(questions(QStringLiteral("จัดเก็บข้อมูล")), 0);
        QStringList shown;
        for (const auto& m : MessageService::shown())
            shown << m.text;
        QCOMPARE(QString("stored: " + f.stored(env)) + " (" + shown.join(" | ") + ")",
                 QString("stored: " + (stored.isEmpty() ? before : stored)) + " (" + shown.join(" | ") + ")");
        if (f.form->isVisible())
            QCOMPARE(QString("on screen: %1").arg(f.text->text() == QLatin1String("TYPED-1")),
                     QString("on screen: %1").arg(onScreen));
        QCOMPARE(QString("form open: %1").arg(f.form->isVisible()),
                 QString("form open: %1").arg(!(leaveForm && choice != 2)));
    }

    // Two workstations opened one document; the other saved first. This one's save is
    // refused with what it typed kept on screen, and the stored version can be opened.
    void anotherWorkstationSavedFirst_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("openStored");
        for (const auto& [kind, name] : {std::pair{Kind::Import, "import"}, {Kind::Order, "order"}, {Kind::Bill, "bill"}}) {
            QTest::addRow("%s, stored version opened", name) << kind << true;
            QTest::addRow("%s, typed text kept", name) << kind << false;
        }
    }
    void anotherWorkstationSavedFirst()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, openStored);
        TestEnv env;
        Dialogs dialogs;
        Form f(kind);
        env.exec("update FrPoHd set Approved = 'N'"); // an approved order cannot be changed
        f.show();
        f.openStored();
        f.typeText(QStringLiteral("MINE"));

        QProcess other;
        other.start(QCoreApplication::applicationFilePath(),
                    {StationSwitch, env.folder(), QString::number(int(kind)), QStringLiteral("THEIRS")});
        QVERIFY(other.waitForFinished(120000));
        QCOMPARE(QString::fromUtf8(other.readAllStandardOutput()).trimmed(), QStringLiteral("saved"));
        QCOMPARE(f.stored(env), QStringLiteral("THEIRS"));

        MessageService::clearShown();
        MessageService::queueAnswer(true);       // save?
        MessageService::queueAnswer(openStored); // open the stored version?
        key(Qt::Key_F10);
        QVERIFY2(MessageService::shown().size() >= 2
                     && MessageService::shown()[1].text.contains(QStringLiteral("ถูกบันทึกจากเครื่องอื่น")),
                 qPrintable(MessageService::lastText()));
        QCOMPARE(f.stored(env), QStringLiteral("THEIRS"));
        QCOMPARE(f.text->text(), openStored ? QStringLiteral("THEIRS") : QStringLiteral("MINE"));
        if (openStored)
            return;
        // Kept on screen, the work can still be saved over the other's once the user knows.
        MessageService::queueAnswer(true);
        MessageService::queueAnswer(false);
        key(Qt::Key_F10);
        QCOMPARE(f.stored(env), QStringLiteral("THEIRS")); // still refused: the screen was read before
    }

    // The connection drops during COMMIT: the server stored the document, the program heard
    // nothing and says it cannot tell. F10 again answers with the stored document: a new one
    // is not stored a second time under the next number, a correction is not refused as
    // another workstation's.
    void replyLostAtCommit_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("stored"); // a correction of a stored document, else a new one
        for (const auto& [kind, name] : {std::pair{Kind::Import, "import"}, {Kind::Order, "order"}, {Kind::Bill, "bill"}}) {
            QTest::addRow("%s, new", name) << kind << false;
            QTest::addRow("%s, corrected", name) << kind << true;
        }
    }
    void replyLostAtCommit()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, stored);
        TestEnv env;
        Dialogs dialogs;
        Form f(kind);
        env.exec("update FrPoHd set Approved = 'N'"); // an approved order cannot be changed
        f.show();
        if (stored) {
            f.openStored();
            f.typeText(QStringLiteral("AFTER-LOST"));
        } else {
            f.typeNew();
        }
        if (QTest::currentTestFailed())
            return;
        const int before = env.count(f.table);
        QSignalSpy saved(DM, &TDM::documentSaved);
        bool lose = true;
        SaveSteps::setHook([&lose](SaveSteps::Step s) {
            if (s != SaveSteps::Step::Committed || !std::exchange(lose, false))
                return;
            if (Db::backendOf(DM->DMdata()) == Db::Backend::PostgreSQL) // the server really drops it
                try {
                    Db::exec(DM->DMdata(), QStringLiteral("select pg_terminate_backend(pg_backend_pid())"));
                } catch (const NkError&) {
                }
            throw NkError(QStringLiteral("server closed the connection unexpectedly"), NkError::Kind::Connection);
        });
        MessageService::clearShown();
        MessageService::queueAnswer(true);
        key(Qt::Key_F10);
        SaveSteps::setHook({});
        const int added = stored ? 0 : 1;
        QCOMPARE(QString("documents added by the lost reply: %1").arg(env.count(f.table) - before),
                 QString("documents added by the lost reply: %1").arg(added));
        QVERIFY2(MessageService::lastText().contains(QStringLiteral("ไม่ทราบว่าบันทึกสำเร็จหรือไม่")),
                 qPrintable(MessageService::lastText()));
        QCOMPARE(QString("saved said: %1, lines on screen: %2").arg(saved.count()).arg(f.form->QDt->RecordCount() > 0),
                 QString("saved said: 0, lines on screen: 1"));

        dialogs.seen.clear();
        MessageService::clearShown();
        backTo(*f.form, f.text);
        if (kind == Kind::Bill && !stored) // the stored copy holds the same tax invoice number: used anyway
            for (int i = 0; i < 2; ++i)
                MessageService::queueAnswer(true);
        MessageService::queueAnswer(true);
        key(Qt::Key_F10);
        const QString number = stored ? f.number.trimmed()
                                      : env.scalar(QStringLiteral("select %1 from %2 order by Id desc limit 1").arg(f.numberColumn, f.table))
                                            .toString()
                                            .trimmed();
        QCOMPARE(QString("documents added after F10 again: %1").arg(env.count(f.table) - before),
                 QString("documents added after F10 again: %1").arg(added));
        QCOMPARE(QString("saved said: %1, then: %2")
                     .arg(saved.isEmpty() ? QString() : saved.last().first().toString(), dialogs.seen.join(' ')),
                 QString("saved said: %1, then: TFrDocPrintForm").arg(number)
                     + (dialogs.seen.size() > 1 ? " " + dialogs.seen.mid(1).join(' ') : QString()));
        if (stored)
            QCOMPARE(f.stored(env), QStringLiteral("AFTER-LOST"));
    }

public:
    // The other workstation: opens the document of `kind`, types `text` into its field and
    // saves by F10. Prints "saved" or what went wrong.
    static int runStation(const QString& folder, Kind kind, const QString& text)
    {
        ImportDoc::startWorkstation(folder);
        Dialogs dialogs;
        QString result;
        {
            Form f(kind);
            f.show();
            f.openStored();
            f.typeText(text);
            MessageService::queueAnswer(true);
            key(Qt::Key_F10);
            const QString stored = Db::scalar(DM->DMdata(), QStringLiteral("select %1 from %2 where %3 = :n")
                                                                .arg(f.textColumn, f.table, f.numberColumn),
                                              {{QStringLiteral("n"), f.number}})
                                       .toString();
            QStringList shown;
            for (const auto& m : MessageService::shown())
                shown << m.text;
            result = stored.trimmed() == text ? QStringLiteral("saved") : QStringLiteral("not saved: ") + shown.join(" | ");
        }
        std::printf("%s\n", qPrintable(result));
        return 0;
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc >= 5 && qstrcmp(argv[1], TstDocumentGuard::StationSwitch) == 0)
        return TstDocumentGuard::runStation(QString::fromLocal8Bit(argv[2]), TstDocumentGuard::Kind(atoi(argv[3])),
                                            QString::fromLocal8Bit(argv[4]));
    TstDocumentGuard tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_documentguard.moc"
