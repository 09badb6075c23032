#include "ReceiptTestKit.h"

#include "app/StartUp.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/SaveSteps.h"
#include "data/TDM.h"
#include "forms/import/ImportCostCalc.h"
#include "forms/import/ImportCostQuery.h"
#include "forms/purchase/PurchasePickers.h"
#include "forms/purchase/TFaPurchaseTotals.h"
#include "forms/receipt/ReceiptPickers.h"
#include "forms/receipt/TFrImExcTran.h"
#include "forms/receipt/TFrImExpTran.h"
#include "print/TFrDocPrintForm.h"
#include "report/ReportPage.h"
#include "report/TReport.h"
#include "search/TFaGetProject.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QDir>
#include <QProcess>
#include <QPushButton>

using namespace ReceiptTestKit;

// The two import-expense forms driven by keys on the demo company, and what they leave in
// the database and in the import cost of a lot.
class TstImportExpense : public QObject {
    Q_OBJECT

    static QString year() { return QString::number(QDate::currentDate().year()); }
    static QString lot2() { return QStringLiteral("LOT%1-02").arg(year()); }
    static int lot2Id(TestEnv& env) { return env.scalar("select Id from ImportLotNo where Code = :c", {{"c", lot2()}}).toInt(); }

    // The demo's second lot holds one import line of P004 worth 16,450.00 baht; a second
    // line of P001 worth 30,000 yen at 0.235 = 7,050.00 baht makes the shares 70% and 30%.
    static void secondProductInLot2(TestEnv& env)
    {
        env.exec("insert into ImDt (ImHd, ImRecNo, ImDate, Product, ProductUnits, Warehouse, ImDuty, Quantity, Fraction, "
                 "Cost, Total) select ImHd, 2, ImDate, 1, 2, 1, ImDuty, 10, 12, 0, 30000 from ImDt where ImHd = 3");
    }

private slots:
    void cleanup()
    {
        SaveSteps::setHook(nullptr);
        PurchasePickers::setOverrides({});
        ReceiptPickers::setOverrides({});
        MessageService::setDialogHook(nullptr);
    }

    void lotStoryThroughBothForms()
    {
        TestEnv env;
        secondProductInLot2(env);
        const int lot = lot2Id(env);
        QCOMPARE(ImportCostQuery::LotExpense(env.company(), lot), 0.0);
        Dialogs dialogs;

        // A credit bill of 1,070.00, tax included, numbered by hand under MR-S.
        {
            TFrImExpTran f;
            open(f, 3);
            QCOMPARE(f.windowTitle(), QStringLiteral("ค่าใช้จ่ายในการนำเข้าเงินเชื่อ [S12.02.09]"));
            QVERIFY(!f.AutoRun);
            QCOMPARE(f.DocNoLength, 10);
            enterBill(f, {"MS0100", lot2(), "V002", true, "S001", "1070"});
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(f.QHd->AsFloat("Total"), 1070.0);
            QCOMPARE(f.QHd->AsFloat("TaxCal"), 70.0);
            MessageService::queueAnswer(true);
            key(Qt::Key_F10);
            QCOMPARE(dialogs.seen, QStringList({"TFrDocPrintForm", "TFrDocPrintFormGLAuto"}));
            QVERIFY(f.FaGetDocNo1->DocNo->isEnabled()); // a new bill waits
        }
        const QString mrNo = QStringLiteral("    MS0100");
        const int mrId = env.scalar("select Id from MrHd where MrNo = :n", {{"n", mrNo}}).toInt();
        QVERIFY2(mrId > 0, qPrintable(MessageService::lastText()));
        QCOMPARE(env.scalar("select MrType || Clear || DelFlag || Price_IE from MrHd where Id = :i", {{"i", mrId}}).toString(),
                 QStringLiteral("SNNI"));
        QCOMPARE(env.scalar("select Total from MrHd where Id = :i", {{"i", mrId}}).toDouble(), 1070.0);
        QCOMPARE(env.scalar("select ImportLotNo from MrHd where Id = :i", {{"i", mrId}}).toInt(), lot);
        QCOMPARE(env.scalar("select PaidAmount from MrHd where Id = :i", {{"i", mrId}}).toDouble(), 0.0);
        // The line: quantity 1 of the service, costed at the net 1,000.00.
        QCOMPARE(env.scalar("select MrRecNo || '/' || Quantity || '/' || Cost || '/' || ProductAmount from MrDt "
                            "where MrHd = :i", {{"i", mrId}}).toString(),
                 QStringLiteral("1/1.0/1000.0/1000.0"));
        QCOMPARE(env.count("UserLog", "FunctionListId = 1 and Remark = :n", {{"n", mrNo}}), 1);
        QCOMPARE(env.count("glhd", "glfromdocid = :i and trim(glfromdocno) = 'MS0100'", {{"i", mrId}}), 1);

        // A cash bill of 535.00 (500.00 + 7%), numbered automatically under PC-S.
        const QString pcNo = QStringLiteral("CS%1-00002").arg(year());
        {
            TFrImExcTran f;
            open(f, 4);
            QVERIFY(f.AutoRun);
            QVERIFY(!f.DueDays->isVisible());
            QVERIFY(!f.FaGetProject1->isEnabled());
            QVERIFY(!f.QHd->hasField("DueDays") && !f.QHd->hasField("Clear") && !f.QHd->hasField("PaidAmount"));
            enterBill(f, {"", lot2(), "V001", false, "S002", "500"});
            if (QTest::currentTestFailed())
                return;
            MessageService::queueAnswer(true);
            key(Qt::Key_F10);
        }
        const int pcId = env.scalar("select Id from PcHd where PcNo = :n", {{"n", pcNo}}).toInt();
        QVERIFY2(pcId > 0, qPrintable(MessageService::lastText()));
        QCOMPARE(env.scalar("select PcType || Price_IE from PcHd where Id = :i", {{"i", pcId}}).toString(), QStringLiteral("SE"));
        QCOMPARE(env.scalar("select Total from PcHd where Id = :i", {{"i", pcId}}).toDouble(), 535.0);

        // The lot's cost: 1,605.00 of expenses, 70% on P004 (16,450.00 baht), 30% on P001.
        auto shares = [&] {
            const ImportCostQuery::Input in = ImportCostQuery::Read(env.company(), lot);
            const ImportCostResult r = ComputeImportCost(in.Rows, in.LotExpense);
            QMap<QString, double> m;
            for (const ImportCostRow& row : r.Rows)
                m.insert(row.Code, row.Expense);
            m.insert("lot", r.LotExpense);
            return m;
        };
        QMap<QString, double> s = shares();
        QCOMPARE(s.value("lot"), 1605.0);
        QCOMPARE(s.value("P004"), 1123.5);
        QCOMPARE(s.value("P001"), 481.5);

        // Deleting the credit bill takes it out of the cost: 535.00 left, 374.50 and 160.50.
        {
            TFrImExpTran f;
            open(f, 3);
            f.FaGetDocNo1->DocNo->setFocus();
            field("MS0100");
            QCOMPARE(f.QHd->AsInteger("ID"), mrId);
            QVERIFY(f.AcDel->isEnabled());
            MessageService::clearShown();
            MessageService::queueAnswer(true);
            key(Qt::Key_F8);
            QCOMPARE(MessageService::shown().first().text, QStringLiteral("ลบข้อมูล ?"));
        }
        QCOMPARE(env.scalar("select DelFlag from MrHd where Id = :i", {{"i", mrId}}).toString(), QStringLiteral("Y"));
        QCOMPARE(env.count("MrDt", "MrHd = :i", {{"i", mrId}}), 1); // the lines stay
        QCOMPARE(env.count("glhd", "glfromdocid = :i and trim(glfromdocno) = 'MS0100'", {{"i", mrId}}), 0);
        QCOMPARE(env.count("UserLog", "FunctionListId = 3 and DocumentId = :i", {{"i", mrId}}), 1);
        s = shares();
        QCOMPARE(s.value("lot"), 535.0);
        QCOMPARE(s.value("P004"), 374.5);
        QCOMPARE(s.value("P001"), 160.5);
    }

    void faultAtEveryStep_data()
    {
        QTest::addColumn<bool>("credit");
        QTest::addColumn<int>("step");
        for (bool credit : {true, false})
            for (SaveSteps::Step s : {SaveSteps::Step::Number, SaveSteps::Step::Header, SaveSteps::Step::Log,
                                      SaveSteps::Step::Lines, SaveSteps::Step::GL, SaveSteps::Step::Commit})
                QTest::addRow("%s step %d", credit ? "credit" : "cash", int(s)) << credit << int(s);
    }
    void faultAtEveryStep()
    {
        QFETCH(bool, credit);
        QFETCH(int, step);
        TestEnv env;
        Dialogs dialogs;
        const QString hd = credit ? "MrHd" : "PcHd";
        const QString dt = credit ? "MrDt" : "PcDt";
        auto counts = [&] {
            return QList<int>{env.count(hd), env.count(dt), env.count("UserLog"), env.count("glhd"),
                              env.scalar("select LastNo from DocumentNo where Code = :c and DocYear = :y",
                                         {{"c", credit ? "MR-S" : "PC-S"}, {"y", year()}})
                                  .toInt()};
        };
        const QList<int> before = counts();
        std::unique_ptr<TFrMrTran> f(credit ? static_cast<TFrMrTran*>(new TFrImExpTran) : new TFrImExcTran);
        open(*f, credit ? 3 : 4);
        enterBill(*f, {credit ? "MS0200" : "", lot2(), "V002", false, "S003", "250.50"});
        if (QTest::currentTestFailed())
            return;
        SaveSteps::setHook([step](SaveSteps::Step s) {
            if (int(s) == step)
                throw NkError("disk full");
        });
        MessageService::queueAnswer(true);
        f->AcSave->trigger();
        QCOMPARE(dialogs.seen, QStringList({"TFrShowError"}));
        QCOMPARE(counts(), before);
        // The typed bill is still there, line and amounts.
        QCOMPARE(f->QDt->value(0, "ProductCode").toString(), QStringLiteral("S003"));
        QCOMPARE(f->QHd->AsFloat("Total"), 268.035);
        QVERIFY(f->AcSave->isEnabled());
        SaveSteps::setHook(nullptr);
        dialogs.seen.clear();
        MessageService::queueAnswer(true);
        f->AcSave->trigger();
        QCOMPARE(dialogs.seen, QStringList({"TFrDocPrintForm", "TFrDocPrintFormGLAuto"}));
        const QList<int> after = counts();
        QCOMPARE(after[0], before[0] + 1);
        QCOMPARE(after[1], before[1] + 1);
        QCOMPARE(after[3], before[3] + 1);
        QCOMPARE(after[4], before[4] + (credit ? 0 : 1)); // only automatic numbering draws
        QCOMPARE(env.scalar(QStringLiteral("select Total from %1 order by Id desc limit 1").arg(hd)).toDouble(), 268.035);
    }
};

QTEST_MAIN(TstImportExpense)
#include "tst_importexpense.moc"
