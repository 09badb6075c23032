#include "app/MessageService.h"
#include "data/Translation.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "data/TDM.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/import/TFaGetFrVendor.h"
#include "forms/import/TFaGetImportLotNo.h"
#include "forms/import/InboundPickers.h"
#include "forms/import/TFrInbound.h"
#include "forms/import/TFrInboundBegin.h"
#include "search/TFaGetDate.h"
#include "search/TFaGetMisc.h"
#include "search/TFaGetRemark.h"
#include "search/TFaGetWarehouse.h"
#include "search/TFrSearchProductService.h"
#include "forms/receipt/TFrImExcTran.h"
#include "forms/receipt/TFrImExpTran.h"
#include "receipt/ReceiptTestKit.h"
#include "data/DbUtil.h"
#include "support/TestEnv.h"
#include "widgets/DbEdits.h"
#include "widgets/TDataGrid.h"
#include "widgets/TDescLabel.h"
#include "widgets/TLookupEdit.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

// A document typed from the keyboard into the import form as a user types it: keys go to
// whatever has the focus, searches open as real dialogs, and the saved rows are read back.
class TstKeyboardEntry : public QObject {
    Q_OBJECT

    static QWidget* focus() { return QApplication::focusWidget(); }
    static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QWidget* w = focus();
        QVERIFY2(w, "nothing has the focus");
        QTest::keyClick(w, k, m);
        QCoreApplication::processEvents();
    }
    static void type(const QString& text)
    {
        for (const QChar ch : text) {
            QWidget* w = focus();
            QVERIFY2(w, "nothing has the focus");
            QTest::keyClick(w, ch.toLatin1());
        }
        QCoreApplication::processEvents();
    }
    // Enter in the line grid until the cursor stands in the column.
    static void enterTo(TFrInbound& f, const QString& field)
    {
        for (int i = 0; i < 8 && f.DgDt->currentFieldName() != field; ++i)
            key(Qt::Key_Return);
        QCOMPARE(f.DgDt->currentFieldName(), field);
    }
    static bool inGrid(TDataGrid* g) { return focus() && (focus() == g || g->isAncestorOf(focus())); }

    static void open(TFrInbound& f)
    {
        f.PoType = QStringLiteral("P");
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
    }
    // The header from the keyboard, Enter after each field, ending in the line grid.
    static void typeHeader(TFrInbound& f)
    {
        QCOMPARE(focus(), f.FaGetDocNo->DocNo);
        type(QStringLiteral("KB1"));
        key(Qt::Key_Return); // number
        key(Qt::Key_Return); // date
        type(QStringLiteral("LOT%1-01").arg(QDate::currentDate().year()));
        key(Qt::Key_Return);
        type(QStringLiteral("BL-7"));
        key(Qt::Key_Return);
        QCOMPARE(focus(), f.FaGetFrVendor->Edit);
        type(QStringLiteral("F001"));
        key(Qt::Key_Return); // the currency comes with the vendor
        key(Qt::Key_Return);
        type(QStringLiteral("35.5"));
        for (int i = 0; i < 6 && !inGrid(f.DgDt); ++i)
            key(Qt::Key_Return); // warehouse, remark, the order button
        QVERIFY(inGrid(f.DgDt));
    }
    // One line typed from its product cell: code, quantity, amount; Enter past the amount.
    static void typeLine(TFrInbound& f, const QString& code, const QString& qty, const QString& total)
    {
        QCOMPARE(f.DgDt->currentFieldName(), QStringLiteral("ProductCode"));
        type(code);
        enterTo(f, QStringLiteral("Quantity"));
        type(qty);
        key(Qt::Key_Return);
        type(total);
        key(Qt::Key_Return);
    }
    // F10 with Yes to the question; the print dialogs that follow are closed.
    static QStringList saveAndReadLines(TestEnv& env)
    {
        MessageService::queueAnswer(true);
        key(Qt::Key_F10);
        const int id = env.scalar(QStringLiteral("select Id from ImHd where ImNo like '%KB1'")).toInt();
        QStringList lines;
        QSqlQuery q = Db::exec(env.company(),
                               QStringLiteral("select P.Code, D.Quantity, D.Total from ImDt D join Product P on "
                                              "P.Id = D.Product where D.ImHd = :i order by D.ImRecNo"),
                               {{QStringLiteral("i"), id}});
        while (q.next())
            lines << QStringLiteral("%1 %2 %3").arg(q.value(0).toString()).arg(q.value(1).toDouble()).arg(q.value(2).toDouble());
        return lines;
    }
    // Dialogs run as real windows: the product search is typed into, the print dialogs closed.
    static void realDialogs(const QString& productCode)
    {
        MessageService::setDialogHook([productCode](QDialog* d) {
            if (!qobject_cast<TFrSearchProductService*>(d)) {
                d->reject();
                return int(QDialog::Rejected);
            }
            d->show();
            QApplication::setActiveWindow(d);
            if (!QTest::qWaitForWindowActive(d))
                return int(QDialog::Rejected);
            QTest::keyClick(focus(), Qt::Key_F1); // to the code box
            for (const QChar ch : productCode)
                QTest::keyClick(focus(), ch.toLatin1());
            QTest::keyClick(focus(), Qt::Key_Return); // search
            QTest::keyClick(focus(), Qt::Key_Return); // choose the first row
            // As the desktop does when a dialog closes: its owner is active again.
            d->parentWidget()->window()->activateWindow();
            QTest::qWaitForWindowActive(d->parentWidget()->window());
            return d->result();
        });
    }

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    // A lot code that names no lot yet is created after a question (a new company has no
    // lots); No leaves the field refused; a closed lot of that code is not created again.
    void lotCreatedAfterAQuestion_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("taken");
        QTest::newRow("created") << "LOT-NEW-1" << true << 1 << true;
        QTest::newRow("not wanted") << "LOT-NEW-2" << false << 1 << false;
        QTest::newRow("closed lot") << "LOT-CLOSED" << true << 0 << false;
    }
    void lotCreatedAfterAQuestion()
    {
        QFETCH(QString, code);
        QFETCH(bool, answer);
        QFETCH(int, questions);
        QFETCH(bool, taken);
        env->exec(QStringLiteral("insert into ImportLotNo (Code, Description, Active) values ('LOT-CLOSED', 'old', 'N')"));
        const int lots = env->count(QStringLiteral("ImportLotNo"));
        TFrInbound f;
        open(f);
        type(QStringLiteral("KB3"));
        key(Qt::Key_Return); // number
        key(Qt::Key_Return); // date
        QCOMPARE(focus(), static_cast<QWidget*>(f.FaGetImportLotNo->Code));
        MessageService::clearShown();
        MessageService::queueAnswer(answer);
        type(code.toLower()); // typed as it comes; lot codes are upper case
        key(Qt::Key_Return);
        QCOMPARE(MessageService::shown().size(), questions);
        if (questions)
            QCOMPARE(MessageService::lastText(), QStringLiteral("ไม่พบ Lot นำเข้า %1\rต้องการสร้าง Lot ใหม่ ?").arg(code));
        QCOMPARE(env->count(QStringLiteral("ImportLotNo")), lots + (taken ? 1 : 0));
        const int id = env->scalar(QStringLiteral("select Id from ImportLotNo where Code = :c and Active = 'Y'"),
                                   {{QStringLiteral("c"), code}})
                           .toInt();
        QCOMPARE(f.QHd->FieldByName(QStringLiteral("ImportLotNo")).toInt(), taken ? id : 0);
        QCOMPARE(f.FaGetImportLotNo->Code->valid(), taken);
    }

    // Tab reaches the "Ref PO" button of a new document and Space presses it; a remark typed
    // before the order is taken over stays.
    void refPoButtonByKeys()
    {
        env->exec(QStringLiteral("update DocumentNo set AutoRun = 'N' where Code = 'IMPORT'"));
        TFrInbound f;
        open(f);
        type(QStringLiteral("KB2"));
        key(Qt::Key_Return);
        f.FaGetRemark->Remark->setFocus();
        type(QStringLiteral("urgent"));
        key(Qt::Key_Tab);
        QCOMPARE(focus(), static_cast<QWidget*>(f.BtLoadFrPo));
        InboundPickers::Overrides o;
        o.frPo = [](int, const QString&) { return QStringLiteral("FP%1-00002").arg(QDate::currentDate().year()); };
        InboundPickers::setOverrides(o);
        key(Qt::Key_Space);
        InboundPickers::setOverrides({});
        QVERIFY2(f.QDt->RecordCount() > 0 && f.QDt->value(0, "PoDt").toInt() > 0, qPrintable(MessageService::lastText()));
        QCOMPARE(f.QHd->AsString("Remark"), QStringLiteral("urgent"));
    }

    // A picker opened from a new line writes into that line; the line above stays as typed.
    void searchOnANewLineFillsThatLine()
    {
        env->exec(QStringLiteral("update DocumentNo set AutoRun = 'N' where Code = 'IMPORT'"));
        TFrInbound f;
        open(f);
        typeHeader(f);
        typeLine(f, QStringLiteral("P001"), QStringLiteral("100"), QStringLiteral("250.50"));
        QCOMPARE(f.QDt->RecordCount(), 2); // Enter past the amount added line 2
        realDialogs(QStringLiteral("P005"));
        key(Qt::Key_F5);
        QCOMPARE(f.QDt->RecordCount(), 2);
        QCOMPARE(f.QDt->value(0, "ProductCode").toString(), QStringLiteral("P001"));
        QCOMPARE(f.QDt->value(0, "Quantity").toDouble(), 100.0);
        QCOMPARE(f.QDt->value(1, "ProductCode").toString(), QStringLiteral("P005"));
        QVERIFY(inGrid(f.DgDt));
        enterTo(f, QStringLiteral("Quantity"));
        type(QStringLiteral("3"));
        key(Qt::Key_Return);
        type(QStringLiteral("90"));
        key(Qt::Key_Return);
        // Out of the lines to the duty groups with the keyboard.
        key(Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(inGrid(f.DgDuty));
        key(Qt::Key_Return);
        type(QStringLiteral("40"));
        key(Qt::Key_Return);
        QCOMPARE(saveAndReadLines(*env), QStringList({"P001 100 250.5", "P005 3 90"}));
        QCOMPARE(env->scalar(QStringLiteral("select Currency from ImHd where ImNo like '%KB1'")).toInt(), 2);
    }

    // A lookup fills its values however the field is left: the vendor's currency.
    void vendorCurrencyWhateverWayTheFieldIsLeft_data()
    {
        QTest::addColumn<bool>("billsBroughtForward");
        QTest::addColumn<int>("leaveKey");
        QTest::newRow("import, Enter") << false << int(Qt::Key_Return);
        QTest::newRow("import, Tab") << false << int(Qt::Key_Tab);
        QTest::newRow("bills brought forward, Enter") << true << int(Qt::Key_Return);
        QTest::newRow("bills brought forward, Tab") << true << int(Qt::Key_Tab);
    }
    void vendorCurrencyWhateverWayTheFieldIsLeft()
    {
        QFETCH(bool, billsBroughtForward);
        QFETCH(int, leaveKey);
        env->exec(QStringLiteral("update DocumentNo set AutoRun = 'N' where Code = 'IMPORT'"));
        std::unique_ptr<TFrInbound> f(billsBroughtForward ? new TFrInboundBegin : new TFrInbound);
        open(*f);
        type(QStringLiteral("KB1"));
        for (int i = 0; i < 6 && focus() != f->FaGetFrVendor->Edit; ++i)
            key(Qt::Key_Return);
        QCOMPARE(focus(), f->FaGetFrVendor->Edit);
        type(QStringLiteral("F001"));
        key(Qt::Key(leaveKey));
        TLookupEdit* currency = f->FaGetMisc->Edit;
        QCOMPARE(focus(), currency);
        QCOMPARE(currency->text(), QStringLiteral("USD"));
        QVERIFY(currency->valid());
        key(Qt::Key(leaveKey)); // leaving the filled currency keeps it
        QCOMPARE(currency->text(), QStringLiteral("USD"));
        QVERIFY(currency->valid());
        QCOMPARE(f->QHd->FieldByName(QStringLiteral("Currency")).toInt(), 2);
        if (billsBroughtForward) {
            MessageService::queueAnswer(true);
            key(Qt::Key_F10);
            QCOMPARE(env->scalar(QStringLiteral("select Currency from ImHd where ImNo like '%KB1' and BeginBalance = 'Y'"))
                         .toInt(),
                     2);
        }
    }

    // The keyboard leaves the line grid: Ctrl+Tab, Ctrl+Shift+Tab, Tab after the last cell.
    void keysOutOfTheLineGrid_data()
    {
        QTest::addColumn<QList<int>>("keys"); // key, modifiers, key, modifiers ...
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("keptField"); // a value typed on the way out
        QTest::addColumn<QString>("keptValue");
        const int ctrl = int(Qt::ControlModifier);
        const int none = 0;
        QTest::newRow("Ctrl+Tab") << QList<int>{Qt::Key_Tab, ctrl} << true << QString() << QString();
        QTest::newRow("Ctrl+Shift+Tab") << QList<int>{Qt::Key_Tab, ctrl | int(Qt::ShiftModifier)} << false
                                        << QString() << QString();
        QTest::newRow("Ctrl+End, Tab") << QList<int>{Qt::Key_End, ctrl, Qt::Key_Tab, none} << true << QString()
                                       << QString();
        QTest::newRow("Tab while typing in the last cell")
            << QList<int>{Qt::Key_End, ctrl, Qt::Key_5, none, Qt::Key_Tab, none} << true << "Total" << "5";
        QTest::newRow("Ctrl+Tab while typing a code")
            << QList<int>{Qt::Key_P, none, Qt::Key_0, none, Qt::Key_0, none, Qt::Key_1, none, Qt::Key_Tab, ctrl}
            << true << "ProductCode" << "P001";
    }
    void keysOutOfTheLineGrid()
    {
        QFETCH(QList<int>, keys);
        QFETCH(bool, forward);
        QFETCH(QString, keptField);
        QFETCH(QString, keptValue);
        TFrInbound f;
        open(f);
        f.FaGetRemark->Remark->setFocus();
        for (int i = 0; i < 3 && !inGrid(f.DgDt); ++i)
            key(Qt::Key_Return); // past the order button into the lines
        QVERIFY(inGrid(f.DgDt));
        for (int i = 0; i + 1 < keys.size(); i += 2)
            key(Qt::Key(keys[i]), Qt::KeyboardModifiers(keys[i + 1]));
        if (forward)
            QVERIFY2(inGrid(f.DgDuty), focus() ? focus()->metaObject()->className() : "none");
        else
            QCOMPARE(focus(), f.BtLoadFrPo);
        QCOMPARE(f.KeyPreview, !forward); // on again outside the grids
        if (!keptField.isEmpty())
            QCOMPARE(f.QDt->value(0, keptField).toString(), keptValue);
    }

    // A refused value keeps the cursor in its cell; correcting it goes on from there.
    void refusedValueStaysInItsCell_data()
    {
        QTest::addColumn<bool>("thai");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("kept"); // in the cell editor again
        QTest::newRow("letters in a quantity") << true << "Quantity" << "abc"
                                               << "'abc' ไม่ใช่ค่าที่ถูกต้องสำหรับ จำนวน" << "abc";
        QTest::newRow("unknown product code") << true << "ProductCode" << "p999" << "ไม่พบรหัสสินค้า : P999"
                                              << "P999";
        QTest::newRow("unknown product code, English") << false << "ProductCode" << "p999"
                                                       << "Item code not found : P999" << "P999";
        QTest::newRow("letters in an amount, English") << false << "Total" << "1x"
                                                       << "'1x' is not a valid value for Total" << "1x";
    }
    void refusedValueStaysInItsCell()
    {
        QFETCH(bool, thai);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, kept);
        env->exec(QStringLiteral("update DocumentNo set AutoRun = 'N' where Code = 'IMPORT'"));
        Translation::useLanguage(thai);
        TFrInbound f;
        open(f);
        typeHeader(f);
        const QList<QPair<QString, QString>> line{{"ProductCode", "P001"}, {"Quantity", "12"}, {"Total", "250.50"}};
        for (const auto& [column, value] : line) {
            enterTo(f, column);
            if (column == field) {
                MessageService::clearShown();
                type(typed);
                key(Qt::Key_Return);
                QCOMPARE(MessageService::lastText(), message);
                QCOMPARE(f.DgDt->currentFieldName(), field);
                QCOMPARE(f.DgDt->currentIndex().row(), 0);
                auto* editor = qobject_cast<QLineEdit*>(focus());
                QVERIFY2(editor && f.DgDt->isAncestorOf(editor), "the refused cell is edited again");
                QCOMPARE(editor->text(), kept);
                QCOMPARE(f.QDt->value(0, "Product").isNull(), field == QLatin1String("ProductCode"));
            }
            type(value); // the correction replaces the selected text
            key(Qt::Key_Return);
        }
        key(Qt::Key_Tab, Qt::ControlModifier);
        key(Qt::Key_Return);
        type(QStringLiteral("40"));
        key(Qt::Key_Return);
        realDialogs(QString()); // the print dialogs are closed
        QCOMPARE(saveAndReadLines(*env), QStringList({"P001 12 250.5"}));
    }

    // The document warehouse may stay empty without being marked; a required field is.
    void optionalFieldIsNeverMarked()
    {
        TFrInbound f;
        open(f);
        f.FaGetWarehouse->Edit->setFocus();
        key(Qt::Key_Return);
        QVERIFY(f.FaGetWarehouse->Edit->valid());
        QCOMPARE(f.FaGetWarehouse->DescLabel->text(), QString());
        QVERIFY(f.FaGetWarehouse->Edit->styleSheet().isEmpty());
        f.FaGetMisc->Edit->setFocus();
        key(Qt::Key_Return);
        QVERIFY(!f.FaGetMisc->Edit->valid());
        QCOMPARE(f.FaGetMisc->DescLabel->text(), TLookupEdit::emptyRefusedText());
    }

    // A header read on the screen and typed in that order by Enter: each value lands in the
    // field it was typed for. The walk goes row by row, never back up to a field it passed by,
    // except the bills' order number: it comes after the vendor (beside the lot), so a vendor
    // code typed after the lot is the vendor's. "Field=typed" types before Enter, as a user
    // does: over what the field shows (the vendor's credit days).
    void enterFollowsTheScreen_data()
    {
        QTest::addColumn<int>("menuId"); // 2 foreign order, 3 credit bill, 4 cash bill
        QTest::addColumn<QStringList>("walk");
        QTest::addColumn<QStringList>("stored"); // "Column=value" of the header afterwards
        const QString lot = QStringLiteral("Code=LOT%1-01").arg(QDate::currentDate().year());
        QTest::newRow("foreign order")
            << 2
            << QStringList{"DocNo", "EntryType", "DateEdit", "Vendor=F001", "PurcReqNo=PR-7", "PurcReqDate", "PaidType",
                           "CanUseTax", "ShipDate", "CreditDays=45", "Reference=REF-1", "ProformaNo=PI-9",
                           "Remark=by sea"}
            << QStringList{"PurcRequestNo=PR-7", "CreditDays=45", "Reference=REF-1", "ProformaNo=PI-9", "Remark=by sea"};
        QTest::newRow("credit expense bill")
            << 3
            << QStringList{"DocNo=MS0900", "EntryType", "DateEdit", lot, "Vendor=V001", "PoHd", "TaxCode", "CanUseTax",
                           "MrTaxNo=INV-9", "MrTaxDate", "MrPrintTaxDate", "Price_IE", "DueDays", "DueDate",
                           "Reference=REF-2", "PrepaidNo", "Remark", "FaGetProject", "FaGetDepartment"}
            << QStringList{"Vendor=1", "MrTAXNO=INV-9", "Reference=REF-2"};
        QTest::newRow("cash expense bill")
            << 4
            << QStringList{"DocNo", "EntryType", "DateEdit", lot, "Vendor=V001", "PoHd", "TaxCode", "CanUseTax",
                           "MrTaxNo=RC-9", "MrTaxDate", "MrPrintTaxDate", "Price_IE", "Reference=REF-3", "PrepaidNo",
                           "Remark"}
            << QStringList{"Vendor=1", "PcTaxNo=RC-9", "Reference=REF-3"};
    }
    void enterFollowsTheScreen()
    {
        QFETCH(int, menuId);
        QFETCH(QStringList, walk);
        QFETCH(QStringList, stored);
        ReceiptTestKit::Dialogs dialogs;
        std::unique_ptr<TFrDocument> f(menuId == 2   ? static_cast<TFrDocument*>(new TFrFrPoTran)
                                       : menuId == 3 ? static_cast<TFrDocument*>(new TFrImExpTran)
                                                     : new TFrImExcTran);
        ReceiptTestKit::open(*f, menuId);
        const auto name = [](QWidget* w) {
            return !w ? QStringLiteral("nothing") : w->objectName() == QLatin1String("Edit") ? w->parentWidget()->objectName() : w->objectName();
        };
        QWidget* before = nullptr;
        for (const QString& step : walk) {
            const QString field = step.section(QLatin1Char('='), 0, 0);
            QCOMPARE(name(focus()), field);
            const int top = focus()->mapTo(f.get(), QPoint()).y();
            if (before && field != QLatin1String("PoHd"))
                QVERIFY2(top >= before->mapTo(f.get(), QPoint()).y() - 4,
                         qPrintable(field + QStringLiteral(" stands above ") + name(before)));
            before = focus();
            ReceiptTestKit::typeKeys(step.section(QLatin1Char('='), 1)); // over what the field shows
            key(Qt::Key_Return);
        }
        QVERIFY2(f->DgDt->isAncestorOf(focus()) || focus() == f->DgDt, qPrintable(name(focus())));
        for (const QString& pair : stored) {
            const QString column = pair.section(QLatin1Char('='), 0, 0);
            QCOMPARE(column + QLatin1Char('=') + f->QHd->AsString(column).trimmed(), pair);
        }
    }

    // A date or number that cannot be stored is named and stays in its field for correction,
    // however the field is left: Enter, Tab, F10. Nothing typed vanishes unseen.
    void unreadableHeaderValueStays_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("leaveKey");
        QTest::addColumn<QString>("message");
        QTest::newRow("date, Enter") << "ShipDate" << "45122026" << int(Qt::Key_Return)
                                     << "'45/12/2026' ไม่ใช่วันที่ที่ถูกต้อง (วว/ดด/ปปปป)";
        QTest::newRow("date, Tab") << "ShipDate" << "3102" << int(Qt::Key_Tab)
                                   << "'31/02/____' ไม่ใช่วันที่ที่ถูกต้อง (วว/ดด/ปปปป)";
        QTest::newRow("date, F10") << "ShipDate" << "00" << int(Qt::Key_F10)
                                   << "'00/__/____' ไม่ใช่วันที่ที่ถูกต้อง (วว/ดด/ปปปป)";
        QTest::newRow("number, Enter") << "CreditDays" << "-" << int(Qt::Key_Return)
                                       << "'-' ไม่ใช่ตัวเลขที่ถูกต้อง";
    }
    void unreadableHeaderValueStays()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, leaveKey);
        QFETCH(QString, message);
        ReceiptTestKit::Dialogs dialogs;
        TFrFrPoTran f;
        ReceiptTestKit::open(f, 2);
        ReceiptTestKit::enterOrder(f, QStringLiteral("F001"), {{"P001", "10", ""}});
        const QVariant kept = f.QHd->FieldByName(field);
        const int orders = env->count(QStringLiteral("FrPoHd"));
        auto* edit = f.findChild<TDbEdit*>(field);
        edit->setFocus();
        edit->selectAll();
        edit->del();
        ReceiptTestKit::typeKeys(typed);
        const QString shown = edit->displayText();
        MessageService::clearShown();
        key(Qt::Key(leaveKey));
        QCOMPARE(MessageService::lastText(), message);
        QCOMPARE(focus(), static_cast<QWidget*>(edit));
        QCOMPARE(edit->displayText(), shown);
        QVERIFY(!edit->selectedText().isEmpty());
        QCOMPARE(f.QHd->FieldByName(field), kept);
        QCOMPARE(env->count(QStringLiteral("FrPoHd")), orders); // F10 saved nothing
        // Corrected, it is stored and Enter goes on.
        const bool date = field == QLatin1String("ShipDate");
        ReceiptTestKit::field(date ? QStringLiteral("15012030") : QStringLiteral("30"));
        QVERIFY(focus() != edit);
        QCOMPARE(f.QHd->AsString(field).left(10), date ? QStringLiteral("2030-01-15") : QStringLiteral("30"));
    }

    // Pictures of the mended screens for a person to look at; every description shows whole
    // and each form fits a 1366×768 desktop with its title bar.
    void screensFitAndShowTheirTexts_data()
    {
        QTest::addColumn<bool>("billsBroughtForward");
        QTest::addColumn<bool>("thai");
        QTest::newRow("import") << false << true;
        QTest::newRow("import, English") << false << false;
        QTest::newRow("bills brought forward") << true << true;
    }
    void screensFitAndShowTheirTexts()
    {
        QFETCH(bool, billsBroughtForward);
        QFETCH(bool, thai);
        Translation::useLanguage(thai);
        env->exec(QStringLiteral("update DocumentNo set AutoRun = 'N' where Code = 'IMPORT'"));
        std::unique_ptr<TFrInbound> f(billsBroughtForward ? new TFrInboundBegin : new TFrInbound);
        open(*f);
        type(QStringLiteral("KB1"));
        key(Qt::Key_Return);
        const auto fill = [](TLookupEdit* e, const QString& code) {
            e->setFocus();
            type(code);
            key(Qt::Key_Return);
        };
        if (!billsBroughtForward)
            fill(f->FaGetImportLotNo->Edit, QStringLiteral("LOT%1-01").arg(QDate::currentDate().year()));
        fill(f->FaGetFrVendor->Edit, QStringLiteral("F001"));
        fill(f->FaGetWarehouse->Edit, QStringLiteral("WH01"));
        const int titleBar = 32;
        QVERIFY(f->width() <= 1366 && f->height() + titleBar <= 768 - 40); // 40: a taskbar
        for (TDescLabel* d : f->findChildren<TDescLabel*>()) {
            if (!d->isVisible())
                continue;
            QVERIFY2(!d->elided(), qPrintable(d->text()));
            // Nothing to its right overlaps it.
            const QRect r(d->mapTo(f.get(), QPoint()), d->size());
            for (QLabel* other : f->findChildren<QLabel*>()) {
                if (other == d || !other->isVisible())
                    continue;
                const QRect o(other->mapTo(f.get(), QPoint()), other->size());
                QVERIFY2(!r.intersects(o), qPrintable(d->text() + QStringLiteral(" / ") + other->text()));
            }
        }
        const QString name = QStringLiteral("keyboard-%1%2.png")
                                 .arg(billsBroughtForward ? QStringLiteral("begin") : QStringLiteral("inbound"),
                                      thai ? QString() : QStringLiteral("-english"));
        QVERIFY(f->grab().save(QDir(qEnvironmentVariable("NK_BUILD_DIR", QDir::tempPath())).filePath(name)));
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TstKeyboardEntry)
#include "tst_keyboardentry.moc"
