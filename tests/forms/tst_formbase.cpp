#include "app/MessageService.h"
#include "data/Translation.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/base/TFrForm.h"
#include "forms/base/TFrHdDtTransaction.h"
#include "search/TFaGetDate.h"
#include "data/CachedDataSetModel.h"
#include "widgets/DbEdits.h"
#include "widgets/TDataGrid.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

// The keyboard frame of the document forms, driven headless on real widgets.
class TestForm : public TFrHdDtTransaction {
public:
    QLineEdit* E1;
    QLineEdit* E2;
    TestForm()
    {
        setWindowTitle("Test form");
        E1 = new QLineEdit(PnHeader);
        E1->setObjectName("E1");
        E2 = new QLineEdit(PnHeader);
        E2->setObjectName("E2");
        PnHeader->layout()->addWidget(E1);
        PnHeader->layout()->addWidget(E2);
        QHd->defineFields({"DocNo", "DocDate", "DelFlag", "Posted", "Imported"});
        QHd->Open();
        QHd->Append();
        FaGetDocNo->bind(QHd, "DocNo");
        FaGetDate->bind(QHd, "DocDate");
        QDt->defineFields({"Code", "Qty"});
        QDt->Open();
        GridColumn code;
        code.field = "Code";
        code.title = "รหัสสินค้า";
        code.widthChars = 12;
        code.upperCase = true;
        GridColumn qty;
        qty.field = "Qty";
        qty.title = "จำนวน";
        qty.displayFormat = "#,##0.00";
        qty.editFormat = "###0.00";
        qty.alignment = Qt::AlignRight;
        DgDt->setDataSet(QDt, {code, qty});
        resize(700, 450);
    }
};

class TstFormBase : public QObject {
    Q_OBJECT

    static void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QWidget* w = QApplication::focusWidget();
        QVERIFY(w);
        QTest::keyClick(w, Qt::Key(k), m);
    }

private slots:
    void init()
    {
        MessageService::setScripted(true);
        delete DMConfig;
        DMConfig = new TDMConfig;
        Translation::useLanguage(true);
    }
    void cleanup()
    {
        delete DMConfig;
        DMConfig = nullptr;
        MessageService::setScripted(false);
    }

    void showResetsToNewDocument()
    {
        TestForm f;
        f.AcSave->setEnabled(true);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(!f.AcSave->isEnabled());
        QVERIFY(!f.AcDel->isEnabled());
        QCOMPARE(f.PageControl->tabText(0), QString("รายละเอียดเอกสาร"));
        QCOMPARE(QApplication::applicationDisplayName(), QString("Test form"));
        QVERIFY(!f.AcPrint->isVisible());
        QCOMPARE(f.AcSave->shortcut(), QKeySequence(Qt::Key_F10));
        QCOMPARE(f.AcNew->shortcut(), QKeySequence(Qt::Key_F3));
        QCOMPARE(f.AcDel->shortcut(), QKeySequence(Qt::Key_F8));
        QCOMPARE(f.AcExit->toolTip(), QString("Exit Program"));
        Translation::useLanguage(false);
        f.AcNew->trigger();
        QCOMPARE(f.PageControl->tabText(0), QString("Description"));
    }

    void enterWalksTheTabOrderAndIsSwallowed()
    {
        TestForm f;
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.E1->setFocus();
        QCOMPARE(QApplication::focusWidget(), f.E1);
        f.E1->setText("abc");
        key(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.E2);
        QCOMPARE(f.E1->text(), QString("abc"));
        // From the last control the focus wraps around instead of submitting anything.
        int guard = 0;
        QSet<QWidget*> seen;
        while (QApplication::focusWidget() != f.E1 && guard++ < 30) {
            seen.insert(QApplication::focusWidget());
            key(Qt::Key_Return);
            if (QApplication::focusWidget() && f.DgDt->isAncestorOf(QApplication::focusWidget()))
                break;
            if (QApplication::focusWidget() == f.DgDt)
                break;
        }
        QVERIFY(guard < 30);
        QVERIFY(MessageService::shown().isEmpty());
    }

    void escapeAsksExitQuestionAndNoKeepsTheForm()
    {
        TestForm f;
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.E1->setFocus();
        MessageService::queueAnswer(false);
        key(Qt::Key_Escape);
        QCOMPARE(MessageService::shown().size(), 1);
        QCOMPARE(MessageService::lastText(), QString("ออกจากโปรแกรม ?"));
        QVERIFY(f.isVisible());

        // The close box asks the same question; Yes closes.
        MessageService::clearShown();
        Translation::useLanguage(false);
        MessageService::queueAnswer(true);
        QVERIFY(f.close());
        QCOMPARE(MessageService::lastText(), QString("Exit Program ?"));
        QVERIFY(!f.isVisible());
    }

    void escapeInsideTheGridCancelsTheCellOnly()
    {
        TestForm f;
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.QDt->Append();
        f.QDt->SetField("Code", "P001");
        f.QDt->Post();
        f.DgDt->setFocus();
        QVERIFY(!f.KeyPreview); // the grid switched key preview off
        f.DgDt->editCell(0, "Code");
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor && f.DgDt->isAncestorOf(editor));
        QTest::keyClicks(editor, "X");
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(f.QDt->value(0, "Code").toString(), QString("P001"));
        QVERIFY(MessageService::shown().isEmpty());
        QVERIFY(f.isVisible());

        // Leaving the grid switches key preview on again; then Escape asks.
        f.E1->setFocus();
        QVERIFY(f.KeyPreview);
        MessageService::queueAnswer(false);
        key(Qt::Key_Escape);
        QCOMPARE(MessageService::shown().size(), 1);
    }

    void gridEnterAppendsAndLeavingDropsUntouchedRow()
    {
        TestForm f;
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.DgDt->setFocus();
        QTest::keyClick(f.DgDt, Qt::Key_Return); // empty grid: a first row
        QCOMPARE(f.QDt->RecordCount(), 1);
        f.DgDt->editCell(0, "Code");
        QWidget* editor = QApplication::focusWidget();
        QTest::keyClicks(editor, "p002");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(f.QDt->value(0, "Code").toString(), QString("P002")); // codes are upper case
        QCOMPARE(f.DgDt->currentFieldName(), QString("Qty"));
        f.DgDt->editCell(0, "Qty");
        editor = QApplication::focusWidget();
        QTest::keyClicks(editor, "1,250.5");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(f.QDt->value(0, "Qty").toDouble(), 1250.5);
        // Enter past the last cell appends a row; leaving the grid drops it untouched.
        QTest::keyClick(f.DgDt, Qt::Key_Return);
        QCOMPARE(f.QDt->RecordCount(), 2);
        f.E1->setFocus();
        QCOMPARE(f.QDt->RecordCount(), 1);

        // Row deletion asks first.
        MessageService::queueAnswer(false);
        f.DgDt->deleteCurrentRow();
        QCOMPARE(f.QDt->RecordCount(), 1);
        MessageService::queueAnswer(true);
        f.DgDt->deleteCurrentRow();
        QCOMPARE(f.QDt->RecordCount(), 0);
    }

    void numberFrameRefusesCancelledDocuments()
    {
        TestForm f;
        int lookups = 0;
        f.FaGetDocNo->DocNoExit = [&] {
            ++lookups;
            // The lookup of an empty number gives a blank document.
            if (f.FaGetDocNo->DocNo->text().isEmpty()) {
                f.QHd->SetField("DocNo", "");
                f.QHd->SetField("DelFlag", "N");
            }
        };
        f.QHd->SetField("DelFlag", "Y");
        f.QHd->SetField("Posted", "Y");
        f.QHd->SetField("DocNo", "IM001");
        f.FaGetDocNo->DocNo->setText("IM001");
        f.FaGetDocNo->FrameExit();
        QCOMPARE(MessageService::shown().size(), 3); // cancelled, posted, then posted again
        QCOMPARE(MessageService::shown().at(0).text, QString("เอกสารถูกยกเลิกแล้ว"));
        QCOMPARE(MessageService::shown().at(1).text, QString("เอกสารถูกปิดบัญชีแล้ว"));
        QCOMPARE(f.FaGetDocNo->DocNo->text(), QString());
        QCOMPARE(lookups, 1);
        QVERIFY(f.FaGetDocNo->BtSearch->isEnabled());
    }

    // Each toolbar button shows an icon and its key next to the caption.
    void toolbarShowsKeysAndIcons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("new") << "BNew" << "New F3";
        QTest::newRow("delete") << "BDel" << "Delete F8";
        QTest::newRow("save") << "BSave" << "Save F10";
        QTest::newRow("exit") << "BExit" << "Exit Ctrl+X";
    }
    void toolbarShowsKeysAndIcons()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        TestForm f;
        auto* b = f.findChild<QToolButton*>(button);
        QVERIFY(b);
        QCOMPARE(b->text(), text);
        QVERIFY(!b->icon().isNull());
        QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        QCOMPARE(b->defaultAction()->text(), text.section(' ', 0, 0)); // the action keeps its caption
    }

    // The form's keys work in text fields too: Ctrl+X asks the exit question and cuts nothing;
    // Ctrl+Tab moves on from a text field as Tab does.
    void formKeysWinInTextFields()
    {
        TestForm f;
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.E1->setFocus();
        f.E1->setText("abc");
        f.E1->selectAll();
        MessageService::queueAnswer(false);
        key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(MessageService::lastText(), QString("ออกจากโปรแกรม ?"));
        QCOMPARE(f.E1->text(), QString("abc"));
        QVERIFY(f.isVisible());
        key(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), f.E2);
        key(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), f.E1);
        // Inside a cell editor too.
        f.QDt->Append();
        f.DgDt->setFocus();
        f.DgDt->editCell(0, "Code");
        QVERIFY(f.DgDt->isAncestorOf(QApplication::focusWidget()));
        MessageService::queueAnswer(false);
        key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(MessageService::shown().size(), 2);
    }

    void frFormHidesOptionalButtons()
    {
        TFrForm f;
        f.resize(400, 200);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(!f.BHist->isVisible() && !f.BCopy->isVisible() && !f.BPrint->isVisible());
        QVERIFY(f.BSave->isVisible());
        QVERIFY(!f.ChgCode->isVisible());
        QVERIFY(!f.AcChgCode->isEnabled());
        QCOMPARE(f.AcChgCode->shortcut(), QKeySequence(Qt::Key_F12));
        QCOMPARE(f.ChgCode->text(), QString("CHGCODE"));
        f.ChgCode->clear();
        QTest::keyClicks(f.ChgCode, "ab1");
        QCOMPARE(f.ChgCode->text(), QString("AB1")); // codes are typed in capitals
        MessageService::queueAnswer(true);
        QVERIFY(f.close());
    }
};

QTEST_MAIN(TstFormBase)
#include "tst_formbase.moc"
