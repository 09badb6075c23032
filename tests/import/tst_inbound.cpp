#include "app/MessageService.h"
#include "data/Translation.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/Connection.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/OrderReceipts.h"
#include "data/TDM.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/import/InboundPickers.h"
#include "forms/import/InboundRules.h"
#include "forms/import/TFaGetFrVendor.h"
#include "forms/import/TFaGetImportLotNo.h"
#include "forms/import/TFrInbound.h"
#include "forms/import/TFrInboundBegin.h"
#include <QLabel>
#include "search/TFaGetDate.h"
#include "search/TFaGetMisc.h"
#include "search/TFaGetWarehouse.h"
#include "support/SqliteFile.h"
#include "support/TestEnv.h"
#include "app/WaitFeedback.h"
#include "widgets/DbEdits.h"
#include "widgets/TDataGrid.h"
#include "widgets/TLookupEdit.h"

#include "data/CachedDataSetModel.h"

#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

// The import form driven headless on the demo company: typing into its fields and cells,
// its keys, its questions, and the rows it leaves in the database.
class TstInbound : public QObject {
    Q_OBJECT

    // How a save's database fails.
    enum Failure { Held, HeldThenFreed, Full, ReadOnly, FullAndLogFails, Refused };

    static void typeInto(QWidget* w, const QString& text)
    {
        w->setFocus();
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            e->selectAll();
            e->del();
        }
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    static void leave(QWidget* w, QWidget* next)
    {
        Q_UNUSED(w);
        next->setFocus();
        QCoreApplication::processEvents();
    }
    // Types a value into a line cell as a user would: start editing, type, Enter.
    static void cell(TFrInbound& f, int row, const QString& field, const QString& text)
    {
        f.DgDt->setFocus();
        f.DgDt->editCell(row, field);
        QCoreApplication::processEvents();
        QWidget* ed = QApplication::focusWidget();
        if (!qobject_cast<QLineEdit*>(ed) && !qobject_cast<QSpinBox*>(ed)) {
            // The cell editor with a "..." button: its line edit.
            for (QLineEdit* le : f.DgDt->viewport()->findChildren<QLineEdit*>())
                if (le->isVisible())
                    ed = le;
        }
        QVERIFY(ed);
        if (auto* spin = qobject_cast<QSpinBox*>(ed)) {
            spin->setValue(text.toInt());
        } else {
            auto* le = qobject_cast<QLineEdit*>(ed);
            QVERIFY2(le, qPrintable(QString("focus %1 field %2 row %3 cur %4 rows %5").arg(ed->metaObject()->className(), field).arg(row).arg(f.DgDt->currentIndex().row()).arg(f.QDt->RecordCount())));
            le->selectAll();
            le->del();
            for (const QChar ch : text)
                QTest::sendKeyEvent(QTest::Click, le, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
        QTest::keyClick(ed, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    static void dutyCell(TFrInbound& f, int row, const QString& text)
    {
        f.DgDuty->setFocus();
        while (f.QDuty->RecordCount() <= row)
            f.QDuty->Append();
        f.DgDuty->editCell(row, "Total");
        QCoreApplication::processEvents();
        QWidget* ed = QApplication::focusWidget();
        auto* le = qobject_cast<QLineEdit*>(ed);
        QVERIFY2(le, qPrintable(QString("focus %1 rows %2 state %3").arg(ed ? ed->metaObject()->className() : "none")
                                    .arg(f.QDuty->RecordCount()).arg(f.DgDuty->currentIndex().row())));
        le->selectAll();
        le->del();
        QTest::keyClicks(le, text);
        QTest::keyClick(le, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    void openForm(TFrInbound& f)
    {
        f.PoType = "P";
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
    }
    // Header of a new document: number (typed when numbering is manual), lot, vendor.
    void fillHeader(TFrInbound& f, const QString& number)
    {
        typeInto(f.FaGetDocNo->DocNo, number);
        leave(f.FaGetDocNo->DocNo, f.TransportNo);
        typeInto(f.FaGetImportLotNo->Edit, QString("LOT%1-01").arg(QDate::currentDate().year()));
        leave(f.FaGetImportLotNo->Edit, f.TransportNo);
        typeInto(f.TransportNo, "BL-2026-001");
        typeInto(f.FaGetFrVendor->Edit, "F001");
        leave(f.FaGetFrVendor->Edit, f.ExchangeRate);
        typeInto(f.ExchangeRate, "35.125");
        leave(f.ExchangeRate, f.TransportNo);
    }
    void fillBody(TFrInbound& f)
    {
        // Duty groups first: the line's duty spinner goes up to the number of groups.
        dutyCell(f, 0, "150");
        f.QDuty->Append();
        dutyCell(f, 1, "80.25");
        cell(f, 0, "ProductCode", "p001");
        cell(f, 0, "Quantity", "10");
        cell(f, 0, "Total", "1200.50");
        f.QDt->Append();
        cell(f, 1, "ProductCode", "P002");
        cell(f, 1, "DutyNo", "2");
        cell(f, 1, "Quantity", "24");
        cell(f, 1, "Total", "300");
        f.QDt->Append();
        cell(f, 2, "ProductCode", "P003");
        cell(f, 2, "Quantity", "5");
        cell(f, 2, "Total", "99.5");
    }

private slots:
    void cleanup()
    {
        InboundPickers::setOverrides({});
        InboundRules::setSaveStepHook(nullptr);
    }

    void newDocumentSavedThroughTheForm_data()
    {
        QTest::addColumn<bool>("autoRun");
        QTest::newRow("automatic numbering") << true;
        QTest::newRow("manual numbering") << false;
    }
    void newDocumentSavedThroughTheForm()
    {
        QFETCH(bool, autoRun);
        TestEnv env;
        const int year = QDate::currentDate().year();
        env.exec("update DocumentNo set AutoRun = :a where Code = 'IMPORT'", {{"a", autoRun ? "Y" : "N"}});
        TFrInbound f;
        openForm(f);
        QCOMPARE(f.DocNoLength, 12);
        QCOMPARE(f.AutoRun, autoRun);
        QVERIFY(f.windowTitle().endsWith(" (Version 1.05.03.26)"));
        fillHeader(f, autoRun ? "" : "777");
        QVERIFY(f.AcSave->isEnabled());
        QVERIFY(!f.AcDel->isEnabled());
        QVERIFY(!f.FaGetDocNo->DocNo->isEnabled()); // locked until New
        if (!autoRun)
            QCOMPARE(f.QHd->AsString("ImNo"), QString("         777"));
        fillBody(f);
        // The vendor brought its currency; the product lines their units and warehouses.
        QCOMPARE(f.QHd->FieldByName("Currency").toInt(), 2);
        QCOMPARE(f.QDt->value(0, "ProductName").toString(), QString("ปากกาลูกลื่นสีน้ำเงิน"));
        QVERIFY(f.QDt->value(0, "ProductUnits").toInt() > 0);
        QCOMPARE(f.QDt->value(0, "WhCode").toString(), QString("WH01"));
        QCOMPARE(f.QHd->FieldByName("Total").toDouble(), 1600.0);

        const QString shot = QDir(qEnvironmentVariable("NK_BUILD_DIR", ".")).filePath(
            autoRun ? "inbound-filled.png" : "inbound-filled-manual.png");
        f.grab().save(shot);

        MessageService::clearShown();
        QStringList dialogs;
        MessageService::setDialogHook([&](QDialog* d) {
            dialogs << d->metaObject()->className();
            d->reject();
            return int(QDialog::Rejected);
        });
        MessageService::queueAnswer(true); // save?
        f.AcSave->trigger();
        // The print dialog of the saved document, then the ledger voucher's (the demo posts).
        QCOMPARE(dialogs, QStringList({"TFrDocPrintForm", "TFrDocPrintFormGLAuto"}));
        QCOMPARE(MessageService::shown().first().text, QString("จัดเก็บข้อมูล ?"));
        const QString number = autoRun ? QString("IM%1-00004").arg(year) : QString("         777");
        const int id = env.scalar("select Id from ImHd where ImNo = :n", {{"n", number}}).toInt();
        QVERIFY2(id > 0, qPrintable(MessageService::lastText()));
        QCOMPARE(env.count("ImDt", "ImHd = :i", {{"i", id}}), 3);
        QCOMPARE(env.count("ImDuty", "ImHd = :i", {{"i", id}}), 2);
        QCOMPARE(env.scalar("select Total from ImHd where Id = :i", {{"i", id}}).toDouble(), 1600.0);
        QCOMPARE(env.scalar("select ExchangeRate from ImHd where Id = :i", {{"i", id}}).toDouble(), 35.125);
        QCOMPARE(env.scalar("select TransportNo from ImHd where Id = :i", {{"i", id}}).toString(), QString("BL-2026-001"));
        QCOMPARE(env.count("ImDt D inner join ImDuty T on T.Id = D.ImDuty", "D.ImHd = :i and T.DutyNo = 2", {{"i", id}}), 1);
        QCOMPARE(env.count("UserLog", "FunctionListId = 1 and DocumentId = 0 and Remark = :n", {{"n", number}}), 1);
        QCOMPARE(env.count("glhd", "glfromdocid = :i", {{"i", id}}), 1); // the demo posts automatically
        // Back on a blank document, the saved number in the status bar.
        QVERIFY(f.QHd->IsEmpty() || f.QHd->rowState(0) == CachedDataSet::RowState::Inserted);
        QVERIFY(f.FaGetDocNo->DocNo->isEnabled());
        QVERIFY(!f.AcSave->isEnabled());
        QCOMPARE(f.StatusSaved->text(), "บันทึกแล้ว เลขที่เอกสาร " + number.trimmed());
        QVERIFY(f.StatusSaved->isVisible());
        QCOMPARE(QApplication::applicationDisplayName(), f.windowTitle()); // one title
        f.grab().save(QDir(qEnvironmentVariable("NK_BUILD_DIR", ".")).filePath(
            autoRun ? "inbound-saved.png" : "inbound-saved-manual.png"));
    }

    // A line left without a product is dropped at save and its amount does not count.
    void storedTotalIsThatOfTheStoredLines()
    {
        TestEnv env;
        TFrInbound f;
        openForm(f);
        fillHeader(f, "");
        dutyCell(f, 0, "10");
        cell(f, 0, "ProductCode", "P001");
        cell(f, 0, "Quantity", "10");
        cell(f, 0, "Total", "100");
        f.QDt->Append();
        cell(f, 1, "Total", "50");
        QCOMPARE(f.QHd->FieldByName("Total").toDouble(), 150.0);
        MessageService::queueAnswer(true);
        QTest::keyClick(f.TransportNo, Qt::Key_F10);
        const int id = env.scalar("select max(Id) from ImHd").toInt();
        QCOMPARE(env.count("ImDt", "ImHd = :i", {{"i", id}}), 1);
        QCOMPARE(env.scalar("select Total from ImHd where Id = :i", {{"i", id}}).toDouble(), 100.0);
    }

    // Numbers typed by hand: one already used by a bill brought forward is refused when the
    // number is left; one another workstation saved meanwhile is refused by the save, which
    // writes nothing and lets the user type another number for the same document.
    void numberInUseIsRefused()
    {
        TestEnv env;
        env.exec("update DocumentNo set AutoRun = 'N' where Code = 'IMPORT'");
        env.exec("insert into ImHd (ImNo, ImDate, BeginBalance, Total) values ('        BF-9', '2026-01-05 00:00:00', 'Y', 1)");
        TFrInbound f;
        openForm(f);
        MessageService::clearShown();
        typeInto(f.FaGetDocNo->DocNo, "bf-9");
        leave(f.FaGetDocNo->DocNo, f.TransportNo);
        QCOMPARE(MessageService::shown().first().text, QString("เลขที่เอกสาร BF-9 มีอยู่แล้ว กรุณาใช้เลขที่อื่น"));
        QVERIFY(f.FaGetDocNo->DocNo->isEnabled());
        QVERIFY(f.FaGetDocNo->DocNo->text().trimmed().isEmpty());
        QCOMPARE(QApplication::focusWidget(), f.FaGetDocNo->DocNo);

        fillHeader(f, "778");
        fillBody(f);
        env.exec("insert into ImHd (ImNo, ImDate, BeginBalance, Total) values ('         778', '2026-01-05 00:00:00', 'N', 1)");
        const int rows = env.count("ImHd"), logs = env.count("UserLog");
        MessageService::clearShown();
        MessageService::queueAnswer(true);
        QTest::keyClick(f.TransportNo, Qt::Key_F10);
        QCOMPARE(MessageService::lastText(), QString("เลขที่เอกสาร 778 มีอยู่แล้ว กรุณาใช้เลขที่อื่น\nยังไม่ได้บันทึกข้อมูล"));
        QCOMPARE(env.count("ImHd"), rows);
        QCOMPARE(env.count("UserLog"), logs);
        QCOMPARE(QApplication::focusWidget(), f.FaGetDocNo->DocNo);

        typeInto(f.FaGetDocNo->DocNo, "779");
        QTest::keyClick(f.FaGetDocNo->DocNo, Qt::Key_Tab);
        QCOMPARE(f.QHd->AsString("ImNo"), QString("         779"));
        QCOMPARE(f.QDt->RecordCount(), 3);
        MessageService::setDialogHook([](QDialog* d) { d->reject(); return int(QDialog::Rejected); });
        MessageService::queueAnswer(true);
        QTest::keyClick(f.TransportNo, Qt::Key_F10);
        const int id = env.scalar("select Id from ImHd where ImNo = '         779'").toInt();
        QCOMPARE(env.count("ImDt", "ImHd = :i", {{"i", id}}), 3);
        QCOMPARE(f.StatusSaved->text(), QString("บันทึกแล้ว เลขที่เอกสาร 779"));
    }

    // A database that is held by another workstation, full or read-only: the user reads what
    // happened and that nothing was saved; the driver's words go to the error log and the
    // dialog's details. While a held database is waited for, the cursor and the status bar
    // say so.
    void databaseFailuresAreToldInPlainWords_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("shown");    // empty: saved
        QTest::addColumn<QString>("details");  // part of the driver's words
        QTest::newRow("held") << int(Held) << "ฐานข้อมูลถูกเครื่องอื่นใช้งานอยู่นานเกินไป\nยังไม่ได้บันทึกข้อมูล"
                              << "database is locked";
        QTest::newRow("held, then freed") << int(HeldThenFreed) << "" << "";
        QTest::newRow("disk full") << int(Full) << "พื้นที่เก็บฐานข้อมูลเต็ม\nยังไม่ได้บันทึกข้อมูล" << "full";
        QTest::newRow("read-only") << int(ReadOnly) << "ฐานข้อมูลเปิดได้เพื่ออ่านอย่างเดียว บันทึกไม่ได้\nยังไม่ได้บันทึกข้อมูล"
                                   << "readonly";
        QTest::newRow("disk full, error log too") << int(FullAndLogFails) << "พื้นที่เก็บฐานข้อมูลเต็ม\nยังไม่ได้บันทึกข้อมูล"
                                                  << "full";
        // A rule of the database (here a trigger) refuses the header for another reason.
        QTest::newRow("refused for another reason")
            << int(Refused) << "ฐานข้อมูลไม่รับคำสั่งของโปรแกรม กรุณาแจ้งผู้ดูแลระบบ\nยังไม่ได้บันทึกข้อมูล" << "refused by a rule";
    }
    void databaseFailuresAreToldInPlainWords()
    {
        QFETCH(int, failure);
        QFETCH(QString, shown);
        QFETCH(QString, details);
        const bool server = TestEnv::onServer();
        if (server && (failure == Full || failure == FullAndLogFails))
            QSKIP("a full disk is made with SQLite's page limit");
        if (server) // the server's words
            details = failure == ReadOnly ? QString("read-only") : failure == Held ? QString("lock timeout") : details;
        TestEnv env;
        InstallLockWaitFeedback();
        TFrInbound f;
        openForm(f);
        fillHeader(f, "");
        fillBody(f);
        const int rows = env.count("ImHd");
        const int logRows = Db::scalar(env.config(), "select count(*) from ErrorLog").toInt();

        // Another workstation: on SQLite it holds the file, on a server the counter of IMPORT.
        std::unique_ptr<TestSql> other;
        QString waitCursorAndText;
        if (failure == Held || failure == HeldThenFreed) {
            if (server) {
                other = std::make_unique<TestSql>(Connection::open("other", "DEMO", env.serverName(), env.folder()));
                Db::beginTransaction(other->db());
                other->query("select Id from DocumentNo where Code = 'IMPORT' for update");
            } else {
                other = std::make_unique<SqliteFile>(env.folder() + "/data/DEMO.sqlite");
                other->query("BEGIN IMMEDIATE");
            }
            Db::setLockWaitLimit(failure == Held ? 700 : 5000);
            QTimer::singleShot(300, [&] {
                if (QApplication::overrideCursor())
                    waitCursorAndText = QString::number(QApplication::overrideCursor()->shape());
                waitCursorAndText += " " + f.StatusBar->currentMessage();
                if (failure == HeldThenFreed)
                    Db::commit(other->db());
            });
        } else if (failure == ReadOnly) {
            env.exec(server ? "SET default_transaction_read_only = on" : "PRAGMA query_only = 1");
        } else if (failure == Refused) {
            if (server) {
                env.exec("create function refuse_imhd() returns trigger language plpgsql as "
                         "$$ begin raise exception 'refused by a rule'; end $$");
                env.exec("create trigger refuse_imhd before insert on imhd for each row execute function refuse_imhd()");
            } else {
                env.exec("create trigger refuse_imhd before insert on ImHd begin select raise(abort, 'refused by a rule'); end");
            }
        } else {
            // Many lines need new pages, and there are none left.
            for (int i = 0; i < 300; ++i) {
                f.QDt->Append();
                for (const char* c : {"Product", "ProductCode", "ProductUnits", "Warehouse", "Fraction", "Quantity", "Total"})
                    f.QDt->SetField(c, f.QDt->value(0, c));
                f.QDt->Post();
            }
            env.exec("PRAGMA max_page_count = " + env.scalar("PRAGMA page_count").toString());
            if (failure == FullAndLogFails)
                Db::exec(env.config(), "PRAGMA query_only = 1");
        }
        QStringList critical;
        static QStringList* sink = nullptr;
        sink = &critical;
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType t, const QMessageLogContext&, const QString& m) {
            if (t == QtCriticalMsg)
                sink->append(m);
        });
        MessageService::setDialogHook([](QDialog* d) { d->reject(); return int(QDialog::Rejected); });
        MessageService::clearShown();
        MessageService::queueAnswer(true);
        QTest::keyClick(f.TransportNo, Qt::Key_F10);
        qInstallMessageHandler(previous);
        Db::setLockWaitLimit(0);
        if (server) {
            env.exec("SET default_transaction_read_only = off");
            if (other)
                Db::rollback(other->db());
        } else {
            env.exec("PRAGMA query_only = 0");
            Db::exec(env.config(), "PRAGMA query_only = 0");
        }

        if (other)
            QCOMPARE(waitCursorAndText, QString::number(Qt::WaitCursor) + " กำลังรอฐานข้อมูล: เครื่องอื่นกำลังบันทึกข้อมูลอยู่...");
        QVERIFY(!QApplication::overrideCursor());
        const int logged = Db::scalar(env.config(), "select count(*) from ErrorLog").toInt() - logRows;
        if (shown.isEmpty()) {
            QCOMPARE(env.count("ImHd"), rows + 1);
            QCOMPARE(logged, 0);
            return;
        }
        const QList<MessageService::Shown> boxes = MessageService::shown();
        QCOMPARE(boxes.last().kind, MessageService::Kind::ErrorDialog);
        QCOMPARE(boxes.last().text, shown);
        QVERIFY2(boxes.last().details.contains(details, Qt::CaseInsensitive), qPrintable(boxes.last().details));
        QCOMPARE(env.count("ImHd"), rows);
        QCOMPARE(f.QDt->RecordCount() > 0, true); // still on screen for another try
        if (failure == FullAndLogFails) {
            QCOMPARE(logged, 0);
            QCOMPARE(critical.size(), 1);
            QVERIFY(critical[0].contains("could not be written") && critical[0].contains(details, Qt::CaseInsensitive));
        } else {
            QCOMPARE(logged, 1);
            QVERIFY(Db::scalar(env.config(), "select ErrorMsg from ErrorLog order by Id desc limit 1").toString()
                        .contains(details, Qt::CaseInsensitive));
        }
    }

    // A form destroyed while an edit has the focus: nothing of the form runs any more (the
    // edit does not commit its text into the half-destroyed form's data).
    void destroyedWithAFocusedEdit()
    {
        TestEnv env;
        auto* f = new TFrInbound;
        openForm(*f);
        fillHeader(*f, "");
        typeInto(f->FaGetFrVendor->Edit, "F002");
        typeInto(f->TransportNo, "X");
        QCOMPARE(QApplication::focusWidget(), f->TransportNo);
        int changes = 0;
        connect(f->QHd, &CachedDataSet::rowChanged, this, [&] { ++changes; });
        delete f;
        QCOMPARE(changes, 0);
    }

    void openEditAndDeleteAnExistingDocument()
    {
        TestEnv env;
        const QString number = env.scalar("select ImNo from ImHd where DelFlag = 'N' and BeginBalance = 'N' order by Id").toString();
        QVERIFY(!number.isEmpty());
        const int id = env.scalar("select Id from ImHd where ImNo = :n", {{"n", number}}).toInt();
        TFrInbound f;
        openForm(f);
        // The number is typed without its padding.
        typeInto(f.FaGetDocNo->DocNo, number.trimmed());
        leave(f.FaGetDocNo->DocNo, f.TransportNo);
        QCOMPARE(f.QHd->AsInteger("ID"), id);
        QVERIFY(f.AcSave->isEnabled() && f.AcDel->isEnabled());
        QVERIFY(!f.FaGetFrVendor->isEnabled()); // the vendor of a saved document is fixed
        QVERIFY(f.QDt->RecordCount() > 0);
        typeInto(f.TransportNo, "BL-CHANGED");
        leave(f.TransportNo, f.ExchangeRate);
        MessageService::queueAnswer(true);
        f.AcSave->trigger();
        QCOMPARE(env.scalar("select TransportNo from ImHd where Id = :i", {{"i", id}}).toString(), QString("BL-CHANGED"));
        QCOMPARE(env.count("UserLog", "FunctionListId = 2 and DocumentId = :i", {{"i", id}}), 1);

        typeInto(f.FaGetDocNo->DocNo, number.trimmed());
        leave(f.FaGetDocNo->DocNo, f.TransportNo);
        MessageService::clearShown();
        MessageService::queueAnswer(true);
        f.AcDel->trigger();
        QCOMPARE(MessageService::shown().first().text, QString("ลบข้อมูล ?"));
        QCOMPARE(env.scalar("select DelFlag from ImHd where Id = :i", {{"i", id}}).toString(), QString("Y"));
        QVERIFY(env.count("ImDt", "ImHd = :i", {{"i", id}}) > 0); // lines stay
        QCOMPARE(env.count("UserLog", "FunctionListId = 3 and DocumentId = :i", {{"i", id}}), 1);

        // Reopening the cancelled document is refused by the number frame.
        MessageService::clearShown();
        typeInto(f.FaGetDocNo->DocNo, number.trimmed());
        f.FaGetDocNo->DocNoExit();
        f.FaGetDocNo->FrameExit();
        QCOMPARE(MessageService::shown().first().text, QString("เอกสารถูกยกเลิกแล้ว"));
        QVERIFY(f.QHd->IsEmpty() || f.QHd->rowState(f.QHd->RecNo()) == CachedDataSet::RowState::Inserted);
    }

    void englishLabelsAndExistingDocumentPicture()
    {
        TestEnv env;
        Translation::useLanguage(false);
        const QString number = env.scalar("select ImNo from ImHd where DelFlag = 'N' and BeginBalance = 'N' order by Id").toString();
        TFrInbound f;
        openForm(f);
        QCOMPARE(f.FaGetDocNo->Caption->text(), QString("Received No."));
        QCOMPARE(f.BtLoadFrPo->text(), QString("Ref PO"));
        QCOMPARE(f.BtDeleteLine->text(), QString("Delete Line"));
        QCOMPARE(f.DgDt->gridModel()->headerData(0, Qt::Horizontal).toString(), QString("Item Code"));
        typeInto(f.FaGetDocNo->DocNo, number.trimmed());
        leave(f.FaGetDocNo->DocNo, f.TransportNo);
        QVERIFY(f.QDt->RecordCount() > 0);
        QVERIFY(f.QDuty->RecordCount() > 0);
        QCOMPARE(f.QDuty->value(0, "DutyNo").toInt(), 1);
        f.grab().save(QDir(qEnvironmentVariable("NK_BUILD_DIR", ".")).filePath("inbound-english.png"));
    }

    void manualNumberingKeysAndReminder()
    {
        TestEnv env;
        env.exec("update DocumentNo set AutoRun = 'N' where Code = 'IMPORT'");
        TFrInbound f;
        openForm(f);
        // Entering the lot with no number typed reminds the user that numbers are manual.
        MessageService::clearShown();
        f.FaGetImportLotNo->Edit->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(MessageService::lastText().startsWith("ท่านไม่ได้ป้อนเลขที่\nขณะนี้อยู่ในระบบที่ต้องกำหนดเลขเอง"));
        f.AcNew->trigger();
        // A number longer than the code's length keeps its first characters.
        typeInto(f.FaGetDocNo->DocNo, "ABCDEFGHIJKLMNO");
        QTest::keyClick(f.FaGetDocNo->DocNo, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(f.QHd->AsString("ImNo"), QString("ABCDEFGHIJKL"));
        QCOMPARE(f.FaGetDocNo->DocNo->text(), QString("ABCDEFGHIJKL"));
        // Enter walks on: date, lot, B/L number, vendor, currency.
        QCOMPARE(QApplication::focusWidget(), f.FaGetDate->DateEdit);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.FaGetImportLotNo->Edit);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.TransportNo);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.FaGetFrVendor->Edit);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.FaGetMisc->Edit);
    }

    void lockedPeriodDisablesSaveAndDelete()
    {
        TestEnv env;
        const QString number = env.scalar("select ImNo from ImHd where DelFlag = 'N' and BeginBalance = 'N' order by Id").toString();
        env.exec("update accountperiod set Lock1 = 'Y', Lock2 = 'Y', Lock3 = 'Y', Lock4 = 'Y', Lock5 = 'Y', Lock6 = 'Y', "
                 "Lock7 = 'Y', Lock8 = 'Y', Lock9 = 'Y', Lock10 = 'Y', Lock11 = 'Y', Lock12 = 'Y'");
        TFrInbound f;
        openForm(f);
        typeInto(f.FaGetDocNo->DocNo, number.trimmed());
        leave(f.FaGetDocNo->DocNo, f.TransportNo);
        QVERIFY(!f.AcSave->isEnabled());
        QVERIFY(!f.AcDel->isEnabled());
        QCOMPARE(MessageService::lastText(),
                 QString("รอบบัญชีนี้ถูกผ่านรายการบัญชีไปแล้ว ไม่สามารถเพิ่มเติม หรือ แก้ไขได้"));
    }

    void linesFromProductsAndOrders()
    {
        TestEnv env;
        TFrInbound f;
        openForm(f);
        fillHeader(f, "");
        // A serial product gets quantity 1; an unknown code empties the product.
        cell(f, 0, "ProductCode", "P004");
        QCOMPARE(f.QDt->value(0, "Quantity").toDouble(), 1.0);
        cell(f, 0, "ProductCode", "NOSUCH");
        QVERIFY(f.QDt->value(0, "Product").isNull());
        // A document warehouse locks the column, yet the product brings its own warehouse.
        typeInto(f.FaGetWarehouse->Edit, "WH01");
        leave(f.FaGetWarehouse->Edit, f.TransportNo);
        QVERIFY(f.QHd->FieldByName("Warehouse").toInt() > 0);
        cell(f, 0, "ProductCode", "P006");
        QCOMPARE(f.QDt->value(0, "WhCode").toString(), QString("WH02"));
        const int whCol = f.DgDt->gridModel()->columnOf("WhCode");
        QVERIFY(f.DgDt->gridModel()->columns()[whCol].readOnly);

        // Orders nothing was received of yet: loading replaces the lines; the same order twice
        // is refused.
        env.exec("update ImDt set PoDt = NULL");
        OrderReceipts::RecomputeAll(env.company());
        const QStringList orders = [&] {
            QStringList l;
            QSqlQuery q = Db::exec(env.company(), "select H.PoNo from FrPoHd H where exists "
                                                  "(select 1 from FrPoDt D where D.FrPoHd = H.Id) order by H.Id");
            while (q.next())
                l << q.value(0).toString();
            return l;
        }();
        QVERIFY(orders.size() >= 2);
        QString next = orders[0];
        InboundPickers::Overrides o;
        o.frPo = [&](int, const QString& type) {
            [&] { QCOMPARE(type, QString("P")); }();
            return next;
        };
        InboundPickers::setOverrides(o);
        QVERIFY(f.BtLoadFrPo->isEnabled());
        f.BtLoadFrPo->click();
        const int firstLines = env.count("FrPoDt D inner join FrPoHd H on H.Id = D.FrPoHd", "H.PoNo = :n", {{"n", orders[0]}});
        QCOMPARE(f.QDt->RecordCount(), firstLines);
        QCOMPARE(f.LoadedOrders, QStringList({orders[0]}));
        next = orders[1];
        f.BtLoadFrPo->click();
        QCOMPARE(f.QDt->RecordCount(),
                 env.count("FrPoDt D inner join FrPoHd H on H.Id = D.FrPoHd", "H.PoNo = :n", {{"n", orders[1]}}));
        next = orders[0];
        MessageService::clearShown();
        f.BtLoadFrPo->click();
        QCOMPARE(MessageService::lastText(), QString("เอกสารที่เลือกได้ถูกทำการการเลือกไว้ก่อนหน้านี้แล้ว !"));
        QCOMPARE(f.LoadedOrders.size(), 2);
    }

    void f5OpensTheCellPickers()
    {
        TestEnv env;
        TFrInbound f;
        openForm(f);
        fillHeader(f, "");
        QStringList asked;
        InboundPickers::Overrides o;
        o.product = [&] { asked << "product"; return QString("P005"); };
        o.unit = [&](int product) { asked << QString("unit %1").arg(product); return QString("ชิ้น"); };
        o.lot = [&] { asked << "lot"; return QString("NOSUCHLOT"); };
        InboundPickers::setOverrides(o);
        f.DgDt->setFocus();
        f.DgDt->setCurrentIndex(f.DgDt->gridModel()->index(0, f.DgDt->gridModel()->columnOf("ProductCode")));
        QTest::keyClick(f.DgDt, Qt::Key_F5);
        QCOMPARE(f.QDt->value(0, "ProductCode").toString(), QString("P005"));
        QCOMPARE(f.QDt->value(0, "LotControl").toString(), QString("Y"));
        // A lot-controlled product opens its lot column.
        QVERIFY(!f.DgDt->gridModel()->columns()[f.DgDt->gridModel()->columnOf("LotCode")].readOnly);
        f.DgDt->setCurrentIndex(f.DgDt->gridModel()->index(0, f.DgDt->gridModel()->columnOf("UnitName")));
        QTest::keyClick(f.DgDt, Qt::Key_F5);
        QCOMPARE(f.QDt->value(0, "UnitName").toString(), QString("ชิ้น"));
        QCOMPARE(f.QDt->value(0, "Fraction").toInt(), 1);
        f.DgDt->setCurrentIndex(f.DgDt->gridModel()->index(0, f.DgDt->gridModel()->columnOf("LotCode")));
        QTest::keyClick(f.DgDt, Qt::Key_F5);
        QVERIFY(f.QDt->value(0, "LotNo").isNull()); // an unknown lot is emptied
        QCOMPARE(asked, QStringList({"product", QString("unit %1").arg(f.QDt->value(0, "Product").toInt()), "lot"}));
    }

    void failedSaveKeepsTheDocumentOnScreen()
    {
        TestEnv env;
        const int before = env.count("ImHd");
        TFrInbound f;
        openForm(f);
        fillHeader(f, "");
        fillBody(f);
        InboundRules::setSaveStepHook([](InboundRules::SaveStep s) {
            if (s == InboundRules::SaveStep::Lines)
                throw NkError("disk full");
        });
        int errors = 0;
        MessageService::setDialogHook([&](QDialog* d) {
            ++errors;
            d->reject();
            return int(QDialog::Rejected);
        });
        MessageService::queueAnswer(true);
        f.AcSave->trigger();
        QCOMPARE(errors, 1); // the red error dialog
        QCOMPARE(env.count("ImHd"), before);
        QCOMPARE(f.QDt->RecordCount(), 3);
        QCOMPARE(f.QDt->value(2, "ProductCode").toString(), QString("P003"));
        InboundRules::setSaveStepHook(nullptr);
        MessageService::queueAnswer(true);
        f.AcSave->trigger();
        QCOMPARE(env.count("ImHd"), before + 1);
    }

    // The server goes down while a document is on screen, or in the middle of its save: the
    // save reports the lost connection in the user's language through the error dialog and
    // writes nothing; once the server is back, the same save goes through on a new connection.
    void serverStoppedWhileTheFormIsOpen_data()
    {
        QTest::addColumn<bool>("thai");
        QTest::addColumn<bool>("duringSave");
        QTest::newRow("Thai user, before the save") << true << false;
        QTest::newRow("English user, during the save") << false << true;
    }
    void serverStoppedWhileTheFormIsOpen()
    {
        if (!TestEnv::onServer())
            QSKIP("a server backend test");
        QFETCH(bool, thai);
        QFETCH(bool, duringSave);
        TestServer server;
        TestEnv env(TestEnv::Data::Demo, QDate::currentDate(), server.name());
        Translation::useLanguage(thai);
        const int before = env.count("ImHd");
        TFrInbound f;
        openForm(f);
        fillHeader(f, "");
        fillBody(f);
        MessageService::setDialogHook([](QDialog* d) {
            d->reject();
            return int(QDialog::Rejected);
        });
        bool paused = false;
        auto pause = [&] {
            if (!paused)
                server.pause();
            paused = true;
        };
        if (duringSave)
            InboundRules::setSaveStepHook([&](InboundRules::SaveStep step) {
                if (step == InboundRules::SaveStep::Lines)
                    pause(); // the header is written, the lines are not
            });
        else
            pause();
        MessageService::clearShown();
        MessageService::queueAnswer(true);
        f.AcSave->trigger();
        InboundRules::setSaveStepHook(nullptr);
        const QList<MessageService::Shown> boxes = MessageService::shown();
        QCOMPARE(boxes.last().kind, MessageService::Kind::ErrorDialog);
        QCOMPARE(boxes.last().text, thai ? QString("ติดต่อฐานข้อมูลไม่ได้") : QString("The database cannot be reached."));
        QVERIFY2(boxes.last().details.contains("connect", Qt::CaseInsensitive), qPrintable(boxes.last().details));
        QCOMPARE(f.QDt->RecordCount(), 3); // still on screen, pending
        QVERIFY(f.QHd->UpdatesPending());

        server.resume();
        QCOMPARE(env.count("ImHd"), before); // nothing half-written
        MessageService::clearShown();
        MessageService::queueAnswer(true);
        f.AcSave->trigger();
        for (const MessageService::Shown& box : MessageService::shown())
            QVERIFY2(box.kind != MessageService::Kind::ErrorDialog, qPrintable(box.text));
        QCOMPARE(env.count("ImHd"), before + 1);
        const int id = env.scalar("select max(ID) from ImHd").toInt();
        QCOMPARE(env.count("ImDt", "ImHd = :i", {{"i", id}}), 3);
        QCOMPARE(env.count("ImDuty", "ImHd = :i", {{"i", id}}), 2);
    }

    void billsBroughtForward()
    {
        TestEnv env;
        env.exec("delete from ImportLotNo where Code = 'BEGIN'");
        TFrInboundBegin f;
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QCOMPARE(env.count("ImportLotNo", "Code = 'BEGIN' and Active = 'Y' and Description = 'Lot เริ่มต้นระบบ'"), 1);
        // Header only: 220 pixels or what its rows of fields need, well below the import form.
        QVERIFY(f.height() >= 220 && f.height() < 320);
        f.grab().save(QDir(qEnvironmentVariable("NK_BUILD_DIR", ".")).filePath("inbound-begin.png"));
        QVERIFY(!f.DgDt->isVisible());
        QVERIFY(!f.FaGetImportLotNo->isVisible());
        InboundRules::EnsureBeginLot();
        QCOMPARE(env.count("ImportLotNo", "Code = 'BEGIN'"), 1);

        typeInto(f.FaGetDocNo->DocNo, "");
        MessageService::clearShown();
        f.FaGetDocNoDocNoExit();
        QCOMPARE(MessageService::lastText(), QString("ท่านยังไม่ได้เลขที่เอกสาร\nกรุณาป้อนเลขที่เอกสาร"));
        QCOMPARE(QApplication::focusWidget(), f.FaGetDocNo->DocNo);
        // A number must be typed to go on; with automatic numbering the saved one is drawn.
        typeInto(f.FaGetDocNo->DocNo, "1");
        leave(f.FaGetDocNo->DocNo, f.TransportNo);
        typeInto(f.FaGetFrVendor->Edit, "F002");
        leave(f.FaGetFrVendor->Edit, f.GetTotal);
        typeInto(f.GetTotal, "5000");
        leave(f.GetTotal, f.TransportNo);
        QCOMPARE(f.QHd->FieldByName("Total").toDouble(), 5000.0);
        MessageService::queueAnswer(true);
        f.AcSave->trigger();
        const int lot = env.scalar("select Id from ImportLotNo where Code = 'BEGIN'").toInt();
        const int id = env.scalar("select max(Id) from ImHd where BeginBalance = 'Y'").toInt();
        QCOMPARE(env.scalar("select ImportLotNo from ImHd where Id = :i", {{"i", id}}).toInt(), lot);
        QCOMPARE(env.scalar("select Total from ImHd where Id = :i", {{"i", id}}).toDouble(), 5000.0);
        QCOMPARE(env.count("ImDt", "ImHd = :i", {{"i", id}}), 0);
        QCOMPARE(env.count("ImDuty", "ImHd = :i", {{"i", id}}), 0);
        const QString number = env.scalar("select ImNo from ImHd where Id = :i", {{"i", id}}).toString();

        // The import form does not open a bill brought forward under the same number.
        {
            TFrInbound g;
            g.QHd->setParam("GetNo", number);
            g.QHd->Open();
            QVERIFY(g.QHd->IsEmpty());
        }
        // Hard delete with its log row.
        typeInto(f.FaGetDocNo->DocNo, number.trimmed());
        leave(f.FaGetDocNo->DocNo, f.TransportNo);
        QCOMPARE(f.QHd->AsInteger("ID"), id);
        MessageService::queueAnswer(true);
        f.AcDel->trigger();
        QCOMPARE(env.count("ImHd", "Id = :i", {{"i", id}}), 0);
        QCOMPARE(env.count("UserLog", "FunctionListId = 3 and DocumentId = :i and Remark = :n",
                           {{"i", id}, {"n", number}}), 1);
    }
};

QTEST_MAIN(TstInbound)
#include "tst_inbound.moc"
