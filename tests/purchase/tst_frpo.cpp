#include "receipt/ReceiptTestKit.h"
#include "data/Translation.h"

#include "app/StartUp.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/Numbering.h"
#include "data/OrderReceipts.h"
#include "data/SaveSteps.h"
#include "data/TDM.h"
#include "forms/import/InboundPickers.h"
#include "forms/import/TFaGetFrVendor.h"
#include "forms/import/TFrInbound.h"
#include "forms/purchase/PoRules.h"
#include "forms/purchase/PurchasePickers.h"
#include "forms/purchase/TFaPurchaseTotals.h"
#include "forms/purchase/TFrFrPoTran.h"
#include "forms/purchase/TFrLastPrice.h"
#include "forms/purchase/TFrPoShip.h"
#include "forms/purchase/TFrSearchPoRQNo.h"
#include "print/TFrDocPrintForm.h"
#include "report/ReportExport.h"
#include "report/ReportPage.h"
#include "report/TReport.h"
#include "search/SearchQuery.h"
#include "search/TFaGetCustomerShip.h"
#include "search/TFaGetMisc.h"
#include "search/TFaGetProject.h"
#include "search/TFaGetTaxCode.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QTableView>

using namespace ReceiptTestKit;

// The foreign purchase order driven by keys on the demo company (menu entry 6), and what it
// leaves in the database, in the import document that takes its lines and on paper.
class TstFrPo : public QObject {
    Q_OBJECT

    static QString lines(TestEnv& env, int id)
    {
        QStringList l;
        QSqlQuery q = Db::exec(env.company(),
                               "select PoRecNo, Quantity, Fraction, Price, Total, Received, BackOrder, Clear, Warehouse "
                               "from FrPoDt where FrPoHd = :i order by PoRecNo",
                               {{"i", id}});
        while (q.next()) {
            QStringList v;
            for (const QVariant& value : Db::rowValues(q)) // as the program reads them on either backend
                v << value.toString();
            l << v.join('/');
        }
        return l.join(" | ");
    }

private slots:
    void cleanup()
    {
        SaveSteps::setHook(nullptr);
        PurchasePickers::setOverrides({});
        InboundPickers::setOverrides({});
        MessageService::setDialogHook(nullptr);
    }

    // Vendor terms, amounts in the vendor's currency without tax, the price basis of an
    // opened order, the rows of a new order and the print code.
    void foreignOrderByKeys()
    {
        TestEnv env;
        QString printCode, printedNo;
        MessageService::setDialogHook([&](QDialog* d) {
            if (auto* p = qobject_cast<TFrDocPrintForm*>(d)) {
                printCode = p->PrintCode;
                printedNo = p->DocNo;
            }
            d->reject();
            return int(QDialog::Rejected);
        });
        TFrFrPoTran f;
        open(f, 6);
        QVERIFY(f.AutoRun);
        QVERIFY(!f.FaGetTaxCode->isVisible() && !f.Price_IE->isVisible() && !f.Totals->GbDiscount->isVisible());
        QVERIFY(!f.Totals->TaxTotal->isVisible() && f.Totals->Total->isVisible());
        QVERIFY(!f.FaGetProject->isEnabled());
        enterOrder(f, "F001", {});
        if (QTest::currentTestFailed())
            return;
        // The vendor's currency (USD), credit days and group tax code at rate 0.
        QCOMPARE(f.QHd->FieldByName("Currency").toInt(), 2);
        QCOMPARE(f.FaGetMisc->Edit->text(), QStringLiteral("USD"));
        QCOMPARE(f.QHd->FieldByName("CreditDays").toInt(), 60);
        QCOMPARE(f.QHd->FieldByName("TaxCode").toInt(), 2);
        QCOMPARE(f.QHd->FieldByName("TaxRate").toDouble(), 0.0);
        QCOMPARE(f.QHd->AsString("Price_IE"), QStringLiteral("E"));
        // The same vendor chosen again changes nothing typed since.
        f.CreditDays->setFocus();
        field("5");
        f.FaGetFrVendor->Edit->setFocus();
        settle();
        field("F001");
        QCOMPARE(f.QHd->FieldByName("CreditDays").toInt(), 5);
        // Another vendor brings its own terms.
        f.FaGetFrVendor->Edit->setFocus();
        settle();
        field("F002");
        QCOMPARE(f.QHd->FieldByName("Currency").toInt(), 3);
        QCOMPARE(f.QHd->FieldByName("CreditDays").toInt(), 30);
        // 0.5 x 4.25 = 2.125 and 1 x 1: 3.125 rounds up to 3.13, no tax.
        f.ProformaNo->setFocus();
        field("PI-'50%'");
        f.PaidType->setCurrentIndex(3); // "อื่น ๆ"
        f.PaidType->activated(3);
        QCOMPARE(f.PaidType->currentText(), QStringLiteral("อื่น ๆ"));
        backTo(f, f.DgDt);
        cell(f, 0, "ProductCode", "P001");
        cell(f, 0, "Quantity", "0.5");
        cell(f, 0, "Price", "4.25");
        cell(f, 1, "ProductCode", "P003");
        cell(f, 1, "Quantity", "1");
        cell(f, 1, "Price", "1");
        QCOMPARE(f.QHd->AsFloat("Total"), 3.13);
        QCOMPARE(f.QHd->AsFloat("TaxCal"), 0.0);
        QCOMPARE(f.QHd->AsFloat("NoTaxAmt"), 3.125);
        QCOMPARE(f.QDt->value(0, "WhCode").toString(), QStringLiteral("WH01"));
        save(f);
        QCOMPARE(printCode, QStringLiteral("FRPO-P"));
        QCOMPARE(printedNo, number(3));
        QVERIFY(f.FaGetDocNo->DocNo->isEnabled()); // a new order waits
        const int id = orderId(env, number(3));
        QVERIFY2(id > 0, qPrintable(MessageService::lastText()));
        QCOMPARE(env.row("select PoType, Currency, Total, TaxCal, Price_IE, Approved || Clear || DelFlag || Posted || Imported, "
                         "PaidType, ProformaNo, CreditDays from FrPoHd where Id = :i",
                         {{"i", id}}),
                 QStringLiteral("P/3/3.13/0/E/NNNNN/X/PI-'50%'/30"));
        // New lines wait for all they order, in small units (boxes of 12 are the first units).
        QCOMPARE(lines(env, id), QStringLiteral("1/0.5/12/4.25/2.125/0/6/N/1 | 2/1/12/1/1/0/12/N/1"));
        QCOMPARE(env.count("UserLog", "FunctionListId = 1 and trim(Remark) = :n", {{"n", number(3)}}), 1);
        QCOMPARE(f.StatusSaved->text(), QStringLiteral("บันทึกแล้ว เลขที่เอกสาร %1").arg(number(3)));

        // A stored order priced with tax included is opened priced without it.
        env.exec("update FrPoHd set Price_IE = 'I' where Id = 2");
        MessageService::clearShown();
        openOrder(f, number(2));
        QCOMPARE(f.QHd->AsString("Price_IE"), QStringLiteral("E"));
        QCOMPARE(f.QHd->AsFloat("Total"), 142000.0);
        // The demo orders are approved while the company approves orders: locked.
        QCOMPARE(MessageService::lastText(), QStringLiteral("PO was Approved\rCan not Modify"));
        QVERIFY(!f.AcSave->isEnabled() && !f.AcDel->isEnabled() && !f.AcApprove->isEnabled());
    }

    // An order made and approved here, taken into an import document by "Ref PO" and saved.
    void lotStory()
    {
        TestEnv env;
        Dialogs dialogs;
        {
            TFrFrPoTran f;
            open(f, 6);
            enterOrder(f, "F001", {{"P001", "10", ""}, {"P006", "3", "2.5"}});
            if (QTest::currentTestFailed())
                return;
            // The box of 12 pens: the vendor's part row gives its price and code.
            cell(f, 0, "UnitName", "กล่อง");
            QCOMPARE(f.QDt->value(0, "Price").toDouble(), 1.5);
            QCOMPARE(f.QDt->value(0, "PurchaseCode").toString(), QStringLiteral("BP-100"));
            QCOMPARE(f.QHd->AsFloat("Total"), 22.5);
            save(f);
            const int id = orderId(env, number(3));
            QVERIFY2(id > 0, qPrintable(MessageService::lastText()));
            QCOMPARE(lines(env, id), QStringLiteral("1/10/12/1.5/15/0/120/N/1 | 2/3/12/2.5/7.5/0/36/N/2"));
            // Approved by F9 after its question; it stays approved when opened again.
            openOrder(f, number(3));
            QVERIFY(f.BApprove->isVisible() && f.AcApprove->isEnabled());
            MessageService::clearShown();
            MessageService::queueAnswer(true);
            key(Qt::Key_F9);
            QCOMPARE(MessageService::shown().first().text, QStringLiteral("Confirm Approve ?"));
            QCOMPARE(env.scalar("select Approved from FrPoHd where Id = :i", {{"i", id}}).toString(), QStringLiteral("Y"));
            openOrder(f, number(3));
            QCOMPARE(MessageService::lastText(), QStringLiteral("PO was Approved\rCan not Modify"));
            QVERIFY(!f.AcSave->isEnabled() && !f.AcApprove->isEnabled());
        }
        const int poId = orderId(env, number(3));
        TFrInbound im;
        im.PoType = "P";
        open(im, 1);
        enterImportHeader(im, QStringLiteral("LOT%1-01").arg(year()), "35.5");
        InboundPickers::Overrides o;
        o.frPo = [&](int, const QString&) { return PadLeft(number(3), 12, ' '); };
        InboundPickers::setOverrides(o);
        im.BtLoadFrPo->click();
        QCOMPARE(im.QDt->RecordCount(), 2);
        QCOMPARE(im.QHd->FieldByName("Currency").toInt(), 2);
        MessageService::clearShown();
        im.BtLoadFrPo->click(); // the same order again
        QCOMPARE(MessageService::lastText(), QStringLiteral("เอกสารที่เลือกได้ถูกทำการการเลือกไว้ก่อนหน้านี้แล้ว !"));
        QCOMPARE(im.QDt->RecordCount(), 2);
        im.DgDuty->setFocus();
        im.QDuty->SetField("Total", 100);
        im.QDuty->Post();
        MessageService::queueAnswer(true);
        im.AcSave->trigger();
        const int imId = env.scalar("select max(Id) from ImHd").toInt();
        QCOMPARE(env.scalar("select FrVendor || '/' || Currency || '/' || Total from ImHd where Id = :i", {{"i", imId}}).toString(),
                 QStringLiteral("1/2/22.5"));
        QStringList imLines;
        QSqlQuery q = Db::exec(env.company(),
                               "select D.PoDt, D.Quantity, D.Fraction, D.Total, D.Warehouse from ImDt D where D.ImHd = :i "
                               "order by D.ImRecNo",
                               {{"i", imId}});
        while (q.next()) {
            const QVector<QVariant> v = Db::rowValues(q);
            imLines << QStringLiteral("%1 %2x%3 %4 WH%5").arg(v[0].toString(), v[1].toString(), v[2].toString(),
                                                              v[3].toString(), v[4].toString());
        }
        const QVariantList dt = {env.scalar("select min(Id) from FrPoDt where FrPoHd = :i", {{"i", poId}}),
                                 env.scalar("select max(Id) from FrPoDt where FrPoHd = :i", {{"i", poId}})};
        QCOMPARE(imLines, QStringList({QStringLiteral("%1 10x12 15 WH1").arg(dt[0].toInt()),
                                       QStringLiteral("%1 3x12 7.5 WH2").arg(dt[1].toInt())}));
    }

    // F6 on a new order: another order's header and lines, no number, nothing stored yet.
    void copyGivesANewUnsavedOrder()
    {
        TestEnv env;
        Dialogs dialogs;
        env.exec("update FrPoDt set Received = 24, BackOrder = 1176, Clear = 'N' where Id = 1");
        const int orders = env.count("FrPoHd");
        TFrFrPoTran f;
        open(f, 6);
        QVERIFY(!f.BCopy->isVisible());
        f.FaGetDocNo->DocNo->setFocus();
        field(QString());
        QVERIFY(f.BCopy->isVisible() && f.AcCopy->isEnabled());
        InboundPickers::Overrides o;
        o.frPo = [&](int, const QString& type) { return type == "P" ? PadLeft(number(1), 12, ' ') : QString(); };
        InboundPickers::setOverrides(o);
        key(Qt::Key_F6);
        QCOMPARE(f.QDt->RecordCount(), 3);
        QCOMPARE(f.QHd->AsString("PoNo"), QString());
        QCOMPARE(f.QHd->rowState(f.QHd->RecNo()), CachedDataSet::RowState::Inserted);
        QCOMPARE(f.FaGetFrVendor->Edit->text(), QStringLiteral("F001"));
        QCOMPARE(f.QHd->AsString("ProformaNo"), QStringLiteral("PI-7788"));
        QCOMPARE(f.QHd->AsFloat("Total"), 1710.0);
        QCOMPARE(env.count("FrPoHd"), orders);
        save(f);
        const int id = orderId(env, number(3));
        QVERIFY2(id > 0, qPrintable(MessageService::lastText()));
        // The copy waits for all it orders, whatever the first order received.
        QCOMPARE(lines(env, id), QStringLiteral("1/100/12/1.5/150/0/1200/N/1 | 2/50/12/7.2/360/0/600/N/1 | 3/10/144/120/1200/0/1440/N/2"));
        QCOMPARE(env.scalar("select Approved from FrPoHd where Id = :i", {{"i", id}}).toString(), QStringLiteral("N"));
    }

    void faultAtEveryStep_data()
    {
        QTest::addColumn<int>("step");
        for (SaveSteps::Step s : {SaveSteps::Step::Number, SaveSteps::Step::Log, SaveSteps::Step::Header,
                                  SaveSteps::Step::Lines, SaveSteps::Step::Commit})
            QTest::addRow("step %d", int(s)) << int(s);
    }
    void faultAtEveryStep()
    {
        QFETCH(int, step);
        TestEnv env;
        Dialogs dialogs;
        auto counts = [&] {
            return QList<int>{env.count("FrPoHd"), env.count("FrPoDt"), env.count("UserLog"),
                              env.scalar("select LastNo from DocumentNo where Code = 'FRPO-P' and DocYear = :y", {{"y", year()}})
                                  .toInt()};
        };
        const QList<int> before = counts();
        TFrFrPoTran f;
        open(f, 6);
        enterOrder(f, "F003", {{"P002", "4", "3.3"}});
        if (QTest::currentTestFailed())
            return;
        SaveSteps::setHook([step](SaveSteps::Step s) {
            if (int(s) == step)
                throw NkError("disk full");
        });
        MessageService::queueAnswer(true);
        f.AcSave->trigger();
        QCOMPARE(dialogs.seen, QStringList({"TFrShowError"}));
        QCOMPARE(counts(), before);
        QCOMPARE(f.QDt->value(0, "ProductCode").toString(), QStringLiteral("P002"));
        QCOMPARE(f.QHd->AsString("PoNo"), QString()); // the number drawn inside went with it
        SaveSteps::setHook(nullptr);
        dialogs.seen.clear();
        MessageService::queueAnswer(true);
        f.AcSave->trigger();
        QCOMPARE(dialogs.seen, QStringList({"TFrDocPrintForm", "TFrDocPrintFormGLAuto"}));
        QCOMPARE(counts(), QList<int>({before[0] + 1, before[1] + 1, before[2] + 1, before[3] + 1}));
        QCOMPARE(lines(env, orderId(env, number(3))), QStringLiteral("1/4/12/3.3/13.2/0/48/N/1"));
    }

    // A saved order's line: 100 boxes of 12 ordered, 240 pens received by an import, 960 outstanding.
    void editingASavedOrder_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("line");
        QTest::newRow("more boxes") << "110" << "" << "110/12/1080";
        QTest::newRow("crates of 144") << "10" << "ลัง" << "10/144/1200";
        QTest::newRow("pieces: never below 0") << "100" << "ชิ้น" << "100/1/0";
    }
    void editingASavedOrder()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, unit);
        QFETCH(QString, line);
        TestEnv env;
        Dialogs dialogs;
        env.exec("update FrPoHd set Approved = 'N' where Id = 1");
        // The demo's first import took 20 boxes of the line instead of all 100.
        env.exec("update ImDt set Quantity = 20 where Id = 1");
        OrderReceipts::RecomputeAll(env.company());
        QCOMPARE(env.row("select Received, BackOrder from FrPoDt where Id = 1"), QStringLiteral("240/960"));
        TFrFrPoTran f;
        open(f, 6);
        openOrder(f, number(1));
        QVERIFY(f.AcSave->isEnabled());
        if (!unit.isEmpty())
            cell(f, 0, "UnitName", unit);
        cell(f, 0, "Quantity", quantity);
        save(f);
        QCOMPARE(env.row("select Quantity, Fraction, BackOrder from FrPoDt where Id = 1"), line);
        QCOMPARE(env.row("select Received, BackOrder from FrPoDt where Id = 2"), QStringLiteral("600/0")); // untouched
        QCOMPARE(env.count("UserLog", "FunctionListId = 2 and DocumentId = 1"), 1);
    }

    void backOrderRule_data()
    {
        QTest::addColumn<bool>("newOrder");
        QTest::addColumn<QVariant>("backOrder");
        QTest::addColumn<double>("quantity");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<QVariant>("oldQuantity");
        QTest::addColumn<QVariant>("oldFraction");
        QTest::addColumn<double>("expected");
        QTest::newRow("new order") << true << QVariant(96.0) << 12.0 << 12.0 << QVariant(10.0) << QVariant(12.0) << 144.0;
        QTest::newRow("12 units instead of 10") << false << QVariant(96.0) << 12.0 << 12.0 << QVariant(10.0) << QVariant(12.0) << 120.0;
        QTest::newRow("unit of 6") << false << QVariant(96.0) << 10.0 << 6.0 << QVariant(10.0) << QVariant(12.0) << 36.0;
        QTest::newRow("line added to a saved order") << false << QVariant() << 3.0 << 12.0 << QVariant() << QVariant() << 36.0;
    }
    void backOrderRule()
    {
        QFETCH(bool, newOrder);
        QFETCH(QVariant, backOrder);
        QFETCH(double, quantity);
        QFETCH(double, fraction);
        QFETCH(QVariant, oldQuantity);
        QFETCH(QVariant, oldFraction);
        QFETCH(double, expected);
        QCOMPARE(PoRules::BackOrderAtSave(newOrder, backOrder, quantity, fraction, oldQuantity, oldFraction), expected);
    }

    void refusals()
    {
        TestEnv env;
        Dialogs dialogs;
        const int orders = env.count("FrPoHd");
        TFrFrPoTran f;
        open(f, 6);
        // No vendor.
        f.FaGetDocNo->DocNo->setFocus();
        field(QString());
        backTo(f, f.Reference);
        MessageService::clearShown();
        MessageService::queueAnswer(true);
        key(Qt::Key_F10);
        QCOMPARE(MessageService::lastText(), QStringLiteral("ยังไม่ได้ป้อนรหัสผู้ขาย"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.FaGetFrVendor->Edit));
        // A line without quantity, and a goods line whose warehouse was emptied: the cursor
        // goes where the line is incomplete.
        f.AcNew->trigger();
        enterOrder(f, "F001", {{"P001", "2", "1"}, {"P002", "0", ""}});
        if (QTest::currentTestFailed())
            return;
        MessageService::clearShown();
        save(f);
        QCOMPARE(MessageService::lastText(), QStringLiteral("บันทึกข้อมูลไม่ครบถ้วน !"));
        QCOMPARE(f.DgDt->currentIndex().row(), 1);
        QCOMPARE(f.DgDt->currentFieldName(), QStringLiteral("Quantity"));
        cell(f, 1, "Quantity", "1");
        cell(f, 0, "WhCode", "NOSUCH");
        QVERIFY(f.QDt->value(0, "Warehouse").isNull());
        save(f);
        QCOMPARE(f.DgDt->currentFieldName(), QStringLiteral("WhCode"));
        QCOMPARE(env.count("FrPoHd"), orders);
        // With a company that locks projects the order is still saved (its project is not typed).
        env.exec("update Config set LockInputProject = 'Y'");
        cell(f, 0, "WhCode", "WH02");
        save(f);
        QCOMPARE(env.count("FrPoHd"), orders + 1);
        // Manual numbering: a number must be typed, and one in use is refused before writing.
        env.exec("update DocumentNo set AutoRun = 'N' where Code = 'FRPO-P'");
        f.AcNew->trigger();
        f.FaGetDocNo->DocNo->setFocus();
        MessageService::clearShown();
        key(Qt::Key_Return);
        QCOMPARE(MessageService::lastText(), QStringLiteral("จะต้องป้อนเลขที่เอกสาร"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.FaGetDocNo->DocNo));
        f.AcNew->trigger();
        f.FaGetDocNo->DocNo->setFocus();
        field("X-1");
        key(Qt::Key_Return);
        key(Qt::Key_Return);
        field("F001");
        backTo(f, f.DgDt);
        cell(f, 0, "ProductCode", "P002");
        cell(f, 0, "Quantity", "1");
        env.exec("insert into FrPoHd (PoType, PoNo, FrVendor) values ('P', :n, 1)", {{"n", PadLeft("X-1", 12, ' ')}});
        const int logs = env.count("UserLog");
        MessageService::clearShown();
        save(f);
        QVERIFY2(MessageService::lastText().contains(QStringLiteral("X-1 มีอยู่แล้ว")), qPrintable(MessageService::lastText()));
        QCOMPARE(env.count("UserLog"), logs);
        QCOMPARE(f.QDt->value(0, "ProductCode").toString(), QStringLiteral("P002"));
        // A fully received order: said, not saved; Delete with its question keeps the header.
        env.exec("update FrPoHd set Approved = 'N', Clear = 'Y' where Id = 2");
        MessageService::clearShown();
        openOrder(f, number(2));
        QCOMPARE(MessageService::lastText(), QStringLiteral("รายการสั่งซื้อรับหมดแล้ว ไม่สามารถแก้ไขได้"));
        QVERIFY(!f.AcSave->isEnabled() && !f.AcDel->isEnabled());
        env.exec("update FrPoHd set Clear = 'N' where Id = 2");
        openOrder(f, number(2));
        MessageService::clearShown();
        MessageService::queueAnswer(true);
        key(Qt::Key_F8);
        QCOMPARE(MessageService::shown().first().text, QStringLiteral("ลบข้อมูล ?"));
        QCOMPARE(env.scalar("select DelFlag from FrPoHd where Id = 2").toString(), QStringLiteral("Y"));
        QCOMPARE(env.count("FrPoDt", "FrPoHd = 2"), 0);
        QCOMPARE(env.count("UserLog", "FunctionListId = 3 and DocumentId = 2"), 1);
    }

    // The line entry of the order: vendor codes, the total typed without price, the ship date,
    // the last prices of the foreign vendor, the memo line.
    void linesByKeyboard()
    {
        TestEnv env;
        Dialogs dialogs;
        TFrFrPoTran f;
        open(f, 6);
        enterOrder(f, "F001", {});
        if (QTest::currentTestFailed())
            return;
        f.ShipDate->setFocus();
        field(QDate::currentDate().addDays(30).toString("dd/MM/yyyy"));
        // The vendor's own code of the notebook; its box is priced by the vendor.
        f.EntryType->setCurrentIndex(2);
        backTo(f, f.DgDt);
        cell(f, 0, "PurchaseCode", "NB-A5");
        QCOMPARE(f.QDt->value(0, "ProductCode").toString(), QStringLiteral("P003"));
        cell(f, 0, "UnitName", "กล่อง");
        QCOMPARE(f.QDt->value(0, "Price").toDouble(), 7.2);
        QCOMPARE(f.QDt->value(0, "PurchaseName").toString(), QStringLiteral("Notebook A5, box of 12"));
        QCOMPARE(Db::dateFromValue(f.QDt->value(0, "ShipDate")).date(), QDate::currentDate().addDays(30));
        QCOMPARE(f.DgDt->gridModel()->columns().at(1).field, QStringLiteral("PurchaseName"));
        f.EntryType->setCurrentIndex(0);
        // A typed ship date stays when its cell is left.
        cell(f, 0, "ShipDate", QDate::currentDate().addDays(45).toString("dd/MM/yyyy"));
        cell(f, 0, "Quantity", "2");
        QCOMPARE(Db::dateFromValue(f.QDt->value(0, "ShipDate")).date(), QDate::currentDate().addDays(45));
        // A total typed where the line has no price: 100 for 3 is 33.34 less 0.02.
        cell(f, 1, "ProductCode", "P010");
        f.QDt->SetField("Price", 0);
        f.QDt->Post();
        cell(f, 1, "Quantity", "3");
        cell(f, 1, "Total", "100");
        QCOMPARE(f.QDt->value(1, "Price").toDouble(), 33.34);
        QCOMPARE(f.QDt->value(1, "Discount").toString(), QStringLiteral("0.02"));
        QCOMPARE(f.QDt->value(1, "Total").toDouble(), 100.0);
        QVERIFY(f.DgDt->gridModel()->columns().last().readOnly);
        // The last prices of this vendor are those of its import documents, newest first.
        f.QDt->setRecNo(0);
        QStringList listed;
        MessageService::setDialogHook([&](QDialog* d) {
            auto* p = qobject_cast<TFrLastPriceListVendor*>(d);
            if (!p) {
                d->reject();
                return int(QDialog::Rejected);
            }
            p->show();
            for (int r = 0; r < p->QPrice->rowCount(); ++r)
                listed << p->QPrice->value(r, "MrNo").toString() + " " + p->QPrice->value(r, "Price").toString();
            p->accept();
            return p->result();
        });
        env.exec("update ImDt set Product = 3, ProductUnits = 8, Total = 345 where Id = 3"); // 6.90 a box in March
        f.LastPriceClick();
        QCOMPARE(listed, QStringList({QStringLiteral("IM%1-00002 6.9").arg(year()), QStringLiteral("IM%1-00001 7.2").arg(year())}));
        QCOMPARE(f.QDt->value(0, "Price").toDouble(), 6.9);
        // The extra description.
        MessageService::setDialogHook(nullptr);
        PurchasePickers::Overrides o;
        o.memo = [](CachedDataSet* l, const QString& field) {
            l->SetField(field, QStringLiteral("สีน้ำเงิน 'A'"));
            return true;
        };
        PurchasePickers::setOverrides(o);
        f.LineMemoClick();
        QCOMPARE(f.QDt->value(0, "MemoLine").toString(), QStringLiteral("สีน้ำเงิน 'A'"));
        // The delete button leaves a line without product alone.
        const int count = f.QDt->RecordCount();
        f.QDt->Append();
        f.BtDeleteLine->click();
        QCOMPARE(f.QDt->RecordCount(), count + 1);
        f.QDt->Cancel();
        QVERIFY(f.QDt->Locate("ProductCode", "P010"));
        f.BtDeleteLine->click();
        QCOMPARE(f.QDt->RecordCount(), count - 1);
        QVERIFY(!f.QDt->Locate("ProductCode", "P010"));
        QCOMPARE(f.QHd->AsFloat("Total"), 13.8);
    }

    // Every amount of a foreign order is in its currency: a unit the vendor has no price of
    // its own for takes the vendor's last import price in that currency, never the baht price
    // of the product file.
    void pricesInTheOrderCurrency()
    {
        TestEnv env;
        Dialogs dialogs;
        TFrFrPoTran f;
        open(f, 6);
        enterOrder(f, "F001", {{"P001", "10", ""}});
        if (QTest::currentTestFailed())
            return;
        auto price = [&] { return f.QDt->value(0, "Price").toDouble(); };
        cell(f, 0, "UnitName", "กล่อง");
        QCOMPARE(price(), 1.5); // the vendor's own price of a box
        cell(f, 0, "UnitName", "ลัง");
        QCOMPARE(price(), 0.0); // no dollar price known (the product file says 600.00 baht)
        env.exec("update ImDt set ProductUnits = 3, Quantity = 2, Total = 30 where Id = 3"); // 15.00 USD a carton
        cell(f, 0, "UnitName", "กล่อง");
        cell(f, 0, "UnitName", "ลัง");
        QCOMPARE(price(), 15.0);
    }

    // An approved order (save and approval off) can still be printed again: Ctrl+P opens the
    // print dialog for the order as stored.
    void approvedOrderPrintsAgain()
    {
        TestEnv env;
        env.exec("update Config set PO_Approved = 'N'");
        TFrFrPoTran f;
        open(f, 6);
        QVERIFY(!f.AcPrint->isEnabled());
        openOrder(f, number(1));
        QVERIFY(!f.AcSave->isEnabled());
        QVERIFY(f.BPrint->isVisible() && f.AcPrint->isEnabled());
        QString printed;
        MessageService::setDialogHook([&](QDialog* d) {
            if (auto* p = qobject_cast<TFrDocPrintForm*>(d))
                printed = p->DocNo + QLatin1Char(' ') + p->PrintCode;
            d->reject();
            return int(QDialog::Rejected);
        });
        backTo(f, f.Reference);
        key(Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(printed, number(1) + QStringLiteral(" FRPO-P"));
    }

    // A discount text that cannot be read stops the save of an order too: "abc" with the
    // quantity changed afterwards would otherwise store a total for the old quantity.
    void unreadableDiscountStopsTheSave()
    {
        TestEnv env;
        Dialogs dialogs;
        TFrFrPoTran f;
        open(f, 6);
        enterOrder(f, "F001", {{"P003", "10", "7.2"}});
        if (QTest::currentTestFailed())
            return;
        const int before = env.count("FrPoHd");
        cell(f, 0, "Discount", "abc");
        cell(f, 0, "Quantity", "20");
        MessageService::clearShown();
        save(f);
        QCOMPARE(MessageService::lastText(), QStringLiteral("รายการที่ 1: ส่วนลด \"abc\" ไม่ถูกต้อง: \"abc\" ไม่ใช่ตัวเลข"));
        QCOMPARE(f.DgDt->currentFieldName(), QStringLiteral("Discount"));
        QCOMPARE(env.count("FrPoHd"), before);
    }

    // The request search (every typed text bound), the delivery-place dialog.
    void sideDialogs()
    {
        TestEnv env;
        env.exec("insert into PoRQHd (PoRQNo, PoRQDate, Department, Project, employee, Clear) values "
                 "('RQ''1%', '2026-01-05 00:00:00', 6, 1, 1, 'N'), ('RQ2', '2026-01-06 00:00:00', 8, NULL, 2, 'N'), "
                 "('RQ100', '2026-01-07 00:00:00', 6, NULL, NULL, 'N')");
        TFrSearchPoRQNo s;
        auto found = [&](const QString& code, const QString& dep, const QString& emp) {
            s.show();
            s.Code->setText(code);
            s.EdDepartment->setText(dep);
            s.EdEmployee->setText(emp);
            s.BtSearchClick();
            QStringList l;
            for (int r = 0; r < s.QSearch->rowCount(); ++r)
                l << s.QSearch->value(r, "PoRQNo").toString();
            s.hide();
            return l;
        };
        QCOMPARE(found("", "", ""), QStringList({"RQ2", "RQ100", "RQ'1%"}));
        QCOMPARE(found("RQ'1%", "", ""), QStringList({"RQ'1%"}));
        QCOMPARE(found("RQ1", "", ""), QStringList({"RQ100"}));
        QCOMPARE(found("", "PUR", ""), QStringList({"RQ100", "RQ'1%"}));
        QCOMPARE(found("", "", "E002"), QStringList({"RQ2"}));
        QCOMPARE(s.QSearch->value(0, "EmpName").toString(), QStringLiteral("สุดา"));
        // The order keeps the chosen request as its reference, without its lines.
        Dialogs dialogs;
        TFrFrPoTran f;
        open(f, 6);
        f.FaGetDocNo->DocNo->setFocus();
        field(QString());
        PurchasePickers::Overrides o;
        o.requestNo = [] { return QStringLiteral("RQ2"); };
        PurchasePickers::setOverrides(o);
        f.PurcReqNo->setFocus();
        key(Qt::Key_F5);
        key(Qt::Key_Return);
        QCOMPARE(f.QHd->AsString("PurcRequestNo"), QStringLiteral("RQ2"));
        QCOMPARE(f.QDt->RecordCount(), 0);

        // The delivery place: shown on a new order's delivery row, kept in its cache.
        CachedDataSet ship(nullptr, "QShip");
        ship.setSQL("SELECT S.PoHd, S.ShipAddr1, S.ShipAddr2, S.ShipAddr3, S.Province, S.ZipCode, S.PhoneNo, S.FaxNo "
                    "FROM PoShip S WHERE (S.PoHd = :GetHdId)");
        ship.setParam("GetHdId", 0);
        ship.Open();
        TFrPoShip dlg;
        dlg.bind(&ship);
        MessageService::setDialogHook([](QDialog* d) {
            auto* p = qobject_cast<TFrPoShip*>(d);
            p->show();
            p->FaGetCustomerShip->UseShipAddr->click();
            p->FaGetCustomerShip->Address1->setText(QStringLiteral("ท่าเรือ 'B'"));
            p->FaGetCustomerShip->Address1->commit();
            p->reject();
            return int(QDialog::Rejected);
        });
        MessageService::execDialog(&dlg);
        QCOMPARE(ship.RecordCount(), 1);
        QCOMPARE(ship.AsString("ShipAddr1"), QStringLiteral("ท่าเรือ 'B'"));
    }

    void picturesThaiAndEnglish_data()
    {
        QTest::addColumn<bool>("thai");
        QTest::newRow("thai") << true;
        QTest::newRow("english") << false;
    }
    void picturesThaiAndEnglish()
    {
        QFETCH(bool, thai);
        TestEnv env;
        Dialogs dialogs;
        TFrFrPoTran f;
        open(f, 6);
        Translation::useLanguage(thai);
        f.RefreshScreen();
        enterOrder(f, "F002", {{"P004", "20", "3500"}, {"P005", "30", "2400"}, {"P006", "12.5", "95.75"}});
        if (QTest::currentTestFailed())
            return;
        cell(f, 2, "Discount", "5%");
        f.ProformaNo->setFocus();
        field("SB-2231");
        QCOMPARE(f.FaGetFrVendor->Caption->text(), thai ? QStringLiteral("เจ้าหนี้") : QStringLiteral("Vendor"));
        QCOMPARE(f.PaidType->itemText(3), thai ? QStringLiteral("อื่น ๆ") : QStringLiteral("Other"));
        QCOMPARE(f.DgDt->gridModel()->headerData(1, Qt::Horizontal).toString(),
                 thai ? QStringLiteral("ชื่อสินค้า") : QStringLiteral("Product Name"));
        QVERIFY(f.width() <= 1366 && f.frameGeometry().height() <= 768 - 40);
        f.grab().save(QDir(qEnvironmentVariable("NK_BUILD_DIR", ".")).filePath(QStringLiteral("frpo-%1.png").arg(thai ? "thai" : "english")));
    }

    // A product is named in the user's language where the product file has that name: as it is
    // typed, and the same when the saved order is opened again.
    void productNamesInTheUsersLanguage_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("name");
        QTest::newRow("ADMIN reads Thai") << 1 << QStringLiteral("เครื่องคิดเลขตั้งโต๊ะ");
        QTest::newRow("JOHN reads English") << 2 << QStringLiteral("Desk Calculator");
    }
    void productNamesInTheUsersLanguage()
    {
        QFETCH(int, user);
        QFETCH(QString, name);
        TestEnv env;
        Dialogs dialogs;
        DMConfig->CheckRight(6, user); // the user's language, as start-up reads it
        TFrFrPoTran f;
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        settle();
        enterOrder(f, "F002", {{"P004", "20", "3500"}});
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(f.QDt->AsString("ProductName"), name);
        save(f);
        const QString no = env.scalar("select PoNo from FrPoHd order by Id desc").toString().trimmed();
        openOrder(f, no);
        QCOMPARE(f.QDt->RecordCount(), 1);
        QCOMPARE(f.QDt->AsString("ProductName"), name);
        Translation::useLanguage(true);
    }

    // The printed order of a saved order: its lines, totals and the amount in words in its
    // currency.
    void printedOrder()
    {
        TestEnv env;
        for (const QString& f : QDir(QStringLiteral(NK_SOURCE_DIR "/reports")).entryList({QStringLiteral("*.frf")}))
            QFile::copy(QStringLiteral(NK_SOURCE_DIR "/reports/") + f, QDir(env.folder()).filePath(f));
        QStringList printed;
        MessageService::setDialogHook([&](QDialog* d) {
            auto* p = qobject_cast<TFrDocPrintForm*>(d);
            if (p && p->metaObject() == &TFrDocPrintForm::staticMetaObject) {
                p->BDisplay->click();
                if (p->Report()->pageCount() > 0) {
                    printed = p->Report()->prepared().pages[0].texts();
                    ReportExport::toImage(p->Report()->prepared().pages[0],
                                          QDir(qEnvironmentVariable("NK_BUILD_DIR", ".")).filePath("order_FRPO-P.png"), 110);
                }
            }
            d->reject();
            return int(QDialog::Rejected);
        });
        TFrFrPoTran f;
        open(f, 6);
        enterOrder(f, "F001", {{"P001", "0.125", "8"}, {"P003", "1500", "1.25"}});
        if (QTest::currentTestFailed())
            return;
        cell(f, 1, "Discount", "10%");
        save(f);
        QVERIFY2(orderId(env, number(3)) > 0, qPrintable(MessageService::lastText()));
        // 1.00 + 1,687.50 = 1,688.50 dollars.
        for (const QString& t : {QStringLiteral("0.125"), QStringLiteral("1,687.50"), QStringLiteral("1,688.50"),
                                 QStringLiteral("USD ONE  THOUSAND SIX  HUNDRED EIGHTY EIGHT   POINT FIFTY")})
            QVERIFY2(printed.contains(t), qPrintable(t + " | " + printed.mid(30).join(" | ")));
    }

    void programCodeOpensTheForm()
    {
        TestEnv env;
        StartUp::registerAllForms();
        std::unique_ptr<QWidget> w(StartUp::createForm(QStringLiteral(" frpo ")));
        auto* f = qobject_cast<TFrFrPoTran*>(w.get());
        QVERIFY(f);
        QVERIFY(f->ForeignOrder);
        QCOMPARE(f->PoType, QStringLiteral("P"));
        QVERIFY(f->FrPoShip && !f->FrPoShip->isVisible());
        const QString exe = qEnvironmentVariable("NK_TEST_BIN_DIR") + "/namkhao";
        if (!QFile::exists(exe))
            QSKIP("work-form program not built");
        QProcess p;
        p.setWorkingDirectory(env.folder());
        QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
        pe.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(pe);
        p.start(exe, {"6", "1", "DEMO", "-", "frpo", QDate::currentDate().toString("dd/MM/yyyy")});
        QVERIFY(p.waitForStarted(10000));
        QVERIFY(!p.waitForFinished(4000)); // a window is open
        p.kill();
        p.waitForFinished(5000);
    }
};

QTEST_MAIN(TstFrPo)
#include "tst_frpo.moc"
