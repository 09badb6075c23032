#include "receipt/ReceiptTestKit.h"
#include "data/Translation.h"

#include "data/DbAdmin.h"
#include "data/Numbering.h"
#include "data/Rounding.h"
#include "data/TDM.h"
#include "data/DbUtil.h"
#include "forms/import/InboundPickers.h"
#include "forms/import/LandedCostCompare.h"
#include "forms/import/LandedCostQuery.h"
#include "forms/import/TFrInbound.h"
#include "forms/import/TFrShowImportCost.h"
#include "forms/purchase/PurchasePickers.h"
#include "forms/purchase/TFaPoEstimate.h"
#include "report/ReportExport.h"
#include "support/TestEnv.h"

#include <QFileDialog>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

using namespace ReceiptTestKit;

// The estimated landed cost of a foreign order (its page, typed by keys) and the estimate
// against the actual cost of the lot that brought the goods, on the demo company with two
// earlier lots of vendor F003 (Rhein Papier, EUR), worked out by hand:
//
//   Lot EST-A, import document IM-EST-A of 10/05, rate 38:
//     P002 100 boxes 500 EUR = 19,000.00 baht, duty group 1,900.00 (10%)
//     P007  50 boxes 250 EUR =  9,500.00 baht, duty group   475.00 (5%)
//     expense bill 2,850.00 on 28,500.00 baht: 10%
//   Lot EST-B, import document IM-EST-B of 12/06, rate 40:
//     P002 200 boxes 1,000 EUR = 40,000.00 baht, duty 4,800.00 (12%)
//     expense bill 3,200.00 on 40,000.00 baht: 8%
//   Defaults of an order of F003: rate 40 (IM-EST-B, the latest EUR document); duty P002 12%
//   (EST-B, its latest lot), P007 5% (EST-A), P010 none (never imported); expenses the mean of
//   the vendor's two costed lots (8 + 10) / 2 = 9%.
//   The order: P002 50 boxes x 5.20 = 260 EUR, P007 20 x 5.00 = 100 EUR, P010 10 x 2.00 = 20 EUR
//     P002 260 x 40 = 10,400.00 + 12% 1,248.00 + 9% 936.00 = 12,584.00, per box 251.6800
//     P007 100 x 40 =  4,000.00 +  5%   200.00 + 9% 360.00 =  4,560.00, per box 228.0000
//     P010  20 x 40 =    800.00 + no duty      + 9%  72.00 =    872.00, per box  87.2000
//     order 18,016.00
//   Lot EST-C takes the order over at rate 41, P002 at 265 EUR (5.30 a box); duty 1,195.15 on
//   P002, 246.00 on P007 and P010 (spread 205.00 / 41.00 by value); expenses 1,894.20 (12% of
//   10,865 + 4,100 + 820 = 15,785 baht: 1,303.80 / 492.00 / 98.40):
//     P002 10,865.00 + 1,195.15 + 1,303.80 = 13,363.95, per box 267.2790
//     P007  4,100.00 +   205.00 +   492.00 =  4,797.00, per box 239.8500
//     P010    820.00 +    41.00 +    98.40 =    959.40, per box  95.9400
//   Estimate against actual, each step putting one actual figure in place of the estimate
//   (per box; estimated price g, rate r, duty share d, expense share x; actual value b):
//     P002 est 251.68: rate  5.2 x 41 x 1.21 = 257.972 -> +6.2920; price 217.30 x 1.21 = 262.933
//          -> +4.9610; duty 217.30 x 1.09 + 23.903 = 260.760 -> -2.1730; expenses 267.279
//          -> +6.5190; difference +15.5990 (+6.20%)
//     P007 est 228.00: rate 5 x 41 x 1.14 = 233.70 -> +5.7000; price 0; duty 0; expenses +6.1500;
//          difference +11.8500 (+5.20%)
//     P010 est 87.20: rate 2 x 41 x 1.09 = 89.38 -> +2.1800; price 0; duty 82 x 1.09 + 4.10 =
//          93.48 -> +4.1000; expenses +2.4600; difference +8.7400 (+10.02%)
class TstPoEstimate : public QObject {
    Q_OBJECT

    static QString date(const char* monthDay) { return year() + QLatin1Char('-') + QLatin1String(monthDay) + QStringLiteral(" 00:00:00"); }

    struct ImLine {
        int product, unit;
        double quantity, total;
        int duty; // group number
    };
    // A lot of vendor F003 in EUR with one import document, its duty groups and an expense
    // bill, written as the forms would leave them.
    static int addLot(TestEnv& env, const QString& code, const QString& day, double rate, const QList<ImLine>& lines,
                      const QList<double>& duty, double expense)
    {
        env.exec("insert into ImportLotNo (Code, Description, EffectiveDate, Active) values (:c, :c, :d, 'Y')",
                 {{"c", code}, {"d", day}});
        const int lot = env.scalar("select Id from ImportLotNo where Code = :c", {{"c", code}}).toInt();
        env.exec("insert into ImHd (DelFlag, ImNo, ImDate, ImportLotNo, FrVendor, Currency, ExchangeRate, DueDate, Total, "
                 "Clear, PaidAmount, Posted, Imported, BeginBalance) values ('N', :n, :d, :l, 3, 4, :r, :d, 0, 'N', 0, 'N', "
                 "'N', 'N')",
                 {{"n", "IM-" + code}, {"d", day}, {"l", lot}, {"r", rate}});
        const int im = env.scalar("select Id from ImHd where ImNo = :n", {{"n", "IM-" + code}}).toInt();
        for (int g = 0; g < duty.size(); ++g)
            env.exec("insert into ImDuty (ImHd, DutyNo, Total) values (:h, :n, :t)", {{"h", im}, {"n", g + 1}, {"t", duty[g]}});
        int recNo = 0;
        for (const ImLine& l : lines)
            env.exec("insert into ImDt (ImHd, ImRecNo, ImDate, Product, ProductUnits, Warehouse, ImDuty, Quantity, Fraction, "
                     "Cost, Total) values (:h, :r, :d, :p, :u, 1, (select Id from ImDuty where ImHd = :h and DutyNo = :g), "
                     ":q, 12, 0, :t)",
                     {{"h", im}, {"r", ++recNo}, {"d", day}, {"p", l.product}, {"u", l.unit}, {"g", l.duty},
                      {"q", l.quantity}, {"t", l.total}});
        if (expense > 0)
            addBill(env, lot, code, expense);
        return lot;
    }
    // An expense bill of untaxed services: it adds its amount.
    static void addBill(TestEnv& env, int lot, const QString& code, double amount)
    {
        env.exec("insert into MrHd (DelFlag, MrType, MrNo, MrDate, ImportLotNo, Vendor, TaxCode, TaxRate, Price_IE, "
                 "CanUseTax, DiscAmt1, DiscAmt2, DiscAmt3, NoTaxAmt, TaxAmt, TaxCal, TaxTotal, Total) values ('N', 'S', :n, "
                 ":d, :l, 1, 1, 0, 'E', 'Y', 0, 0, 0, :a, 0, 0, 0, :a)",
                 {{"n", "MS-" + code}, {"d", date("05-01")}, {"l", lot}, {"a", amount}});
        env.exec("insert into MrDt (MrHd, MrRecNo, Product, TaxCode, TaxRate, ProductUnits, Quantity, Fraction, Price, "
                 "Total) values ((select Id from MrHd where MrNo = :n), 1, 11, 1, 0, 27, 1, 1, :a, :a)",
                 {{"n", "MS-" + code}, {"a", amount}});
    }
    // Lots EST-A and EST-B of the worked example.
    static void earlierLots(TestEnv& env)
    {
        addLot(env, "EST-A", date("05-10"), 38, {{2, 5, 100, 500, 1}, {7, 18, 50, 250, 2}}, {1900, 475}, 2850);
        addLot(env, "EST-B", date("06-12"), 40, {{2, 5, 200, 1000, 1}}, {4800}, 3200);
    }

    // The page opened by its key.
    static void showPage(TFrFrPoTran& f)
    {
        backTo(f, f.Reference);
        key(Qt::Key_2, Qt::AltModifier);
        QCOMPARE(f.PageControl->currentWidget(), static_cast<QWidget*>(f.FaPoEstimate));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.FaPoEstimate->EdRate));
    }
    // A grid row of the page: duty share, where from, duty, expenses, landed cost, per unit.
    static QString pageRow(TFrFrPoTran& f, int row)
    {
        QStringList cells;
        CachedDataSetModel* m = f.FaPoEstimate->DgEst->gridModel();
        for (const char* c : {"DutyShare", "DutyFrom", "Duty", "Expense", "LandedCost", "UnitCost"})
            cells << m->index(row, m->columnOf(QLatin1String(c))).data().toString();
        return cells.join(" | ");
    }
    // The stored estimate, header then lines, values as the program reads them on either
    // backend joined by "/" (nothing between two "/" for none).
    static QString stored(TestEnv& env, int order)
    {
        QStringList out;
        for (const char* sql : {"select ExchangeRate, RateDocNo, RateTyped, ExpenseShare, ExpenseLots, ExpenseVendorOnly, "
                                "ExpenseTyped, Total from FrPoEstHd where FrPoHd = :o",
                                "select E.DutyShare, E.DutyLotCode, E.DutyTyped, E.GoodsBaht, E.Duty, E.Expense, "
                                "E.LandedCost, E.UnitCost from FrPoEstDt E inner join FrPoDt D on D.ID = E.FrPoDt "
                                "where E.FrPoHd = :o order by D.PoRecNo"}) {
            QSqlQuery q = Db::exec(env.company(), QLatin1String(sql), {{"o", order}});
            while (q.next()) {
                QStringList v;
                for (const QVariant& value : Db::rowValues(q))
                    v << (value.isNull() ? QString() : value.toString());
                out << v.join('/');
            }
        }
        return out.join(" | ");
    }
    // Types into a cell of the page's grid as into the order's lines.
    static void estimateCell(TFaPoEstimate* e, int row, const char* column, const QString& text)
    {
        e->DgEst->setFocus();
        settle();
        e->DgEst->setCurrentIndex(e->DgEst->gridModel()->index(row, e->DgEst->gridModel()->columnOf(QLatin1String(column))));
        settle();
        typeKeys(text.left(1));
        if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            edit->selectAll();
            edit->del();
        }
        typeKeys(text);
        key(Qt::Key_Return);
    }
    static QString screenshot(const QString& name)
    {
        const QString dir = qEnvironmentVariable("NK_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/screenshots");
        QDir().mkpath(dir);
        return dir + QLatin1Char('/') + name;
    }

private slots:
    void cleanup()
    {
        PurchasePickers::setOverrides({});
        InboundPickers::setOverrides({});
        MessageService::setDialogHook(nullptr);
    }

    // The worked example: the order's defaults and where they came from, what is stored, the
    // lot that brings the goods and the comparison whose parts add up to the difference.
    void workedExample()
    {
        TestEnv env;
        Dialogs dialogs;
        earlierLots(env);
        TFrFrPoTran f;
        open(f, 6);
        enterOrder(f, "F003", {{"P002", "50", "5.2"}, {"P007", "20", "5"}, {"P010", "10", "2"}});
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(f.QHd->AsFloat("Total"), 380.0);
        showPage(f);
        TFaPoEstimate* e = f.FaPoEstimate;
        QCOMPARE(e->EdRate->text(), QStringLiteral("40.0000000"));
        QCOMPARE(e->LbRateFrom->text(), QStringLiteral("จากใบนำเข้า IM-EST-B วันที่ 12/06/%1").arg(year()));
        QCOMPARE(e->EdExpense->text(), QStringLiteral("9.00"));
        QCOMPARE(e->LbExpenseFrom->text(), QStringLiteral("เฉลี่ยจากล็อตล่าสุดของผู้ขายนี้: EST-B 8.00%, EST-A 10.00%"));
        QCOMPARE(pageRow(f, 0), QStringLiteral("12.00 | ล็อต EST-B | 1,248.00 | 936.00 | 12,584.00 | 251.6800"));
        QCOMPARE(pageRow(f, 1), QStringLiteral("5.00 | ล็อต EST-A | 200.00 | 360.00 | 4,560.00 | 228.0000"));
        QCOMPARE(pageRow(f, 2), QStringLiteral(" | ไม่เคยนำเข้า ไม่รวมอากร |  | 72.00 | 872.00 | 87.2000"));
        QCOMPARE(e->LbTotal->text(), QStringLiteral("ต้นทุนรวมโดยประมาณของใบสั่งซื้อ 18,016.00 บาท"));
        f.grab().save(screenshot(QStringLiteral("po_estimate.png")));
        // The order's own figures are those of an order without the page.
        QCOMPARE(f.QHd->AsFloat("Total"), 380.0);
        save(f);
        const int id = orderId(env, number(3));
        QVERIFY2(id > 0, qPrintable(MessageService::lastText()));
        QCOMPARE(stored(env, id), QStringLiteral("40/IM-EST-B/N/9/EST-B 8.00%, EST-A 10.00%/Y/N/18016"
                                                 " | 12/EST-B/N/10400/1248/936/12584/251.68"
                                                 " | 5/EST-A/N/4000/200/360/4560/228"
                                                 " | //N/800//72/872/87.2"));

        // Lot EST-C takes the order over by "Ref PO": rate 41, P002 at 265 EUR.
        env.exec("insert into ImportLotNo (Code, Description, EffectiveDate, Active) values ('EST-C', 'EST-C', :d, 'Y')",
                 {{"d", date("07-01")}});
        const int lotC = env.scalar("select Id from ImportLotNo where Code = 'EST-C'").toInt();
        {
            TFrInbound im;
            im.PoType = "P";
            open(im, 1);
            enterImportHeader(im, "EST-C", "41");
            InboundPickers::Overrides o;
            o.frPo = [&](int, const QString&) { return PadLeft(number(3), 12, ' '); };
            InboundPickers::setOverrides(o);
            im.BtLoadFrPo->click();
            QCOMPARE(im.QDt->RecordCount(), 3);
            cell(im, 0, "Total", "265");
            for (int r : {1, 2}) {
                im.QDt->setRecNo(r);
                im.QDt->SetField("DutyNo", 2);
                im.QDt->Post();
            }
            im.DgDuty->setFocus();
            im.QDuty->SetField("Total", 1195.15);
            im.QDuty->Post();
            im.QDuty->Append();
            im.QDuty->SetField("Total", 246);
            im.QDuty->Post();
            MessageService::queueAnswer(true);
            im.AcSave->trigger();
        }
        addBill(env, lotC, "EST-C", 1894.20);
        QCOMPARE(env.row("select Total, ExchangeRate from ImHd where ImportLotNo = :l", {{"l", lotC}}), QStringLiteral("385/41"));

        const QString layout = QDir(DM->StartFolder).filePath(TFrShowImportCost::reportFileName());
        QFile::remove(layout);
        QVERIFY(QFile::copy(QStringLiteral(NK_SOURCE_DIR "/reports/RP_ShowImportCost.frf"), layout));
        TFrShowImportCost s(lotC, DM->DMdata());
        s.show();
        QCOMPARE(s.result().Rows.size(), 3);
        QCOMPARE(s.result().Rows[0].Cost, 267.279);
        QCOMPARE(s.result().Rows[1].Cost, 239.85);
        QCOMPARE(s.result().Rows[2].Cost, 95.94);
        // Per product: estimated, actual, difference, percent, and the four parts, which add
        // up to the difference to the last of the 4 decimals.
        const QStringList expected{
            "P002 estimated 251.68 actual 267.279 difference 15.599 (6.2%) rate 6.292 price 4.961 duty -2.173 expenses 6.519 sum 15.599",
            "P007 estimated 228 actual 239.85 difference 11.85 (5.2%) rate 5.7 price 0 duty 0 expenses 6.15 sum 11.85",
            "P010 estimated 87.2 actual 95.94 difference 8.74 (10.02%) rate 2.18 price 0 duty 4.1 expenses 2.46 sum 8.74"};
        QStringList came;
        for (const LandedCostEstimate::Comparison& c : s.estimateComparison()) {
            QVERIFY2(c.State == LandedCostEstimate::Comparison::Status::Compared, qPrintable(c.Code));
            QCOMPARE(c.Orders, number(3));
            auto n = [](double v) { return QString::number(v, 'g', 15); };
            came << QStringLiteral("%1 estimated %2 actual %3 difference %4 (%5%) rate %6 price %7 duty %8 expenses %9 sum %10")
                        .arg(c.Code, n(c.Estimated), n(c.Actual), n(c.Difference), n(c.Percent), n(c.Rate), n(c.Price),
                             n(c.DutyPart), n(c.ExpensePart))
                        .arg(n(RoundDecimal(c.Rate + c.Price + c.DutyPart + c.ExpensePart, 4, 18)));
        }
        QCOMPARE(came, expected);
        auto shown = [&](int row, int col) { return s.estimateModel()->index(row, col).data().toString(); };
        QCOMPARE(shown(0, LandedCostCompareModel::Difference), QStringLiteral("+15.5990"));
        QCOMPARE(shown(0, LandedCostCompareModel::Percent), QStringLiteral("+6.20%"));
        QCOMPARE(shown(0, LandedCostCompareModel::Duty), QStringLiteral("-2.1730"));
        QCOMPARE(shown(2, LandedCostCompareModel::Note), QStringLiteral("ประมาณการไม่รวมอากร"));
        QCOMPARE(s.LbEstimate->text(), LandedCostCompare::Explanation(true));
        QCOMPARE(s.ChEstimate->bars().size(), 6); // estimate and actual of each product
        s.PcCost->setCurrentIndex(4);
        s.resize(1280, 760);
        s.grab().save(screenshot(QStringLiteral("estimate_against_actual.png")));

        // The PDF: the sheet, the documents, the cost chart, then the comparison and its picture.
        QVERIFY(s.prepareCostSheet());
        const PreparedReport pdf = s.pdfPages();
        QStringList texts;
        for (const ReportPage& p : pdf.pages)
            texts += p.texts();
        const QString all = texts.join('\n');
        for (const char* t : {"ต้นทุนประมาณการเทียบจริงต่อหน่วย (บาท)", "+15.5990", "-2.1730", "+6.5190", "+10.02%",
                              "ต้นทุนต่อหน่วยประมาณการเทียบจริง (บาท) แท่งจางคือประมาณการ"})
            QVERIFY2(all.contains(QString::fromUtf8(t)), t);
        const QString pdfPath = screenshot(QStringLiteral("estimate_against_actual.pdf"));
        ReportExport::toPdf(pdf, pdfPath);
        QVERIFY(QFile::exists(pdfPath));
        // The CSV: the sheet's lines, then the comparison's columns.
        const QString csvPath = QDir(env.folder()).filePath(QStringLiteral("sheet.csv"));
        MessageService::setDialogHook([&](QDialog* d) {
            auto* fd = qobject_cast<QFileDialog*>(d);
            if (!fd)
                return int(QDialog::Rejected);
            fd->selectFile(csvPath);
            return int(QDialog::Accepted);
        });
        s.BExportCsv->click();
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(csv.readAll().mid(3)).split(QStringLiteral("\r\n"));
        QVERIFY(!lines.filter(QStringLiteral("\"13,363.95\"")).isEmpty()); // the sheet
        QVERIFY2(lines.contains(QStringLiteral("รหัส,ชื่อสินค้า,ใบสั่งซื้อ,จำนวน,ประมาณการ/หน่วย,จริง/หน่วย,ส่วนต่าง(บาท),"
                                               "ส่วนต่าง %,จากอัตราแลกเปลี่ยน,จากราคาสินค้า,จากอากร,จากค่าใช้จ่าย,หมายเหตุ")),
                 qPrintable(lines.join('\n')));
        QVERIFY2(!lines.filter(QRegularExpression(QStringLiteral("^P002,.*,251.6800,267.2790,\\+15.5990,\\+6.20%,\\+6.2920,"
                                                                  "\\+4.9610,-2.1730,\\+6.5190")))
                      .isEmpty(),
                 qPrintable(lines.join('\n')));
    }

    // Typed values and defaults as they were at the save stay with the order: reopened after
    // a later lot changed every default, saved again, copied (F6) and approved.
    void keptWhenReopenedCopiedApproved()
    {
        TestEnv env;
        Dialogs dialogs;
        earlierLots(env);
        TFrFrPoTran f;
        open(f, 6);
        enterOrder(f, "F003", {{"P002", "10", "5"}, {"P010", "4", "2"}});
        if (QTest::currentTestFailed())
            return;
        showPage(f);
        TFaPoEstimate* e = f.FaPoEstimate;
        // The rate typed, Enter to the expenses and on into the lines; the never imported
        // product's duty share typed.
        field("39.5");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(e->EdExpense));
        QCOMPARE(e->LbRateFrom->text(), QStringLiteral("ป้อนเอง"));
        estimateCell(e, 1, "DutyShare", "7");
        // 50 EUR x 39.5 = 1,975.00 + 12% 237.00 + 9% 177.75 = 2,389.75, per box / 10 = 238.9750;
        // 8 EUR x 39.5 = 316.00 + 7% 22.12 + 9% 28.44 = 366.56, per box / 4 = 91.6400; 2,756.31.
        const QStringList page{QStringLiteral("12.00 | ล็อต EST-B | 237.00 | 177.75 | 2,389.75 | 238.9750"),
                               QStringLiteral("7.00 | ป้อนเอง | 22.12 | 28.44 | 366.56 | 91.6400")};
        QCOMPARE(QStringList({pageRow(f, 0), pageRow(f, 1)}), page);
        QCOMPARE(e->LbTotal->text(), QStringLiteral("ต้นทุนรวมโดยประมาณของใบสั่งซื้อ 2,756.31 บาท"));
        save(f);
        const int id = orderId(env, number(3));
        QVERIFY2(id > 0, qPrintable(MessageService::lastText()));
        const QString kept = QStringLiteral("39.5//Y/9/EST-B 8.00%, EST-A 10.00%/Y/N/2756.31"
                                            " | 12/EST-B/N/1975/237/177.75/2389.75/238.975"
                                            " | 7//Y/316/22.12/28.44/366.56/91.64");
        QCOMPARE(stored(env, id), kept);

        // A later lot at 45 with other duty and expenses.
        addLot(env, "EST-D", date("08-01"), 45, {{2, 5, 10, 100, 1}, {10, 25, 10, 20, 1}}, {500}, 1000);
        openOrder(f, number(3));
        showPage(f);
        QCOMPARE(QStringList({pageRow(f, 0), pageRow(f, 1)}), page);
        QCOMPARE(e->EdRate->text(), QStringLiteral("39.5000000"));
        QCOMPARE(e->LbExpenseFrom->text(), QStringLiteral("เฉลี่ยจากล็อตล่าสุดของผู้ขายนี้: EST-B 8.00%, EST-A 10.00%"));
        QCOMPARE(e->LbNote->text(), QStringLiteral("ประมาณการเมื่อ %1").arg(QDate::currentDate().toString("dd/MM/yyyy")));
        save(f);
        QCOMPARE(stored(env, id), kept);

        // F4 takes today's defaults in place of the values used, after its question: rate 45 of
        // IM-EST-D; P010 now has a duty history there (500.00 spread 416.67 / 83.33 over 4,500 and
        // 900 baht: 9.2589%); expenses (1,000 / 5,400 = 18.5185% + 8 + 10) / 3 = 12.1728.
        // Alt+1 returns to the lines; the order left unsaved keeps its estimate.
        openOrder(f, number(3));
        showPage(f);
        MessageService::queueAnswer(true);
        key(Qt::Key_F4);
        QCOMPARE(e->EdRate->text(), QStringLiteral("45.0000000"));
        QCOMPARE(e->LbRateFrom->text(), QStringLiteral("จากใบนำเข้า IM-EST-D วันที่ 01/08/%1").arg(year()));
        QCOMPARE(e->EdExpense->text(), QStringLiteral("12.1728"));
        QCOMPARE(pageRow(f, 1).section(QStringLiteral(" | "), 0, 1), QStringLiteral("9.2589 | ล็อต EST-D"));
        key(Qt::Key_1, Qt::AltModifier);
        QCOMPARE(f.PageControl->currentIndex(), 0);
        openOrder(f, number(3));
        showPage(f);
        QCOMPARE(QStringList({pageRow(f, 0), pageRow(f, 1)}), page);

        // F6 on a new order copies the order with its estimate.
        f.AcNew->trigger();
        f.FaGetDocNo->DocNo->setFocus();
        field(QString());
        InboundPickers::Overrides o;
        o.frPo = [&](int, const QString&) { return PadLeft(number(3), 12, ' '); };
        InboundPickers::setOverrides(o);
        key(Qt::Key_F6);
        QCOMPARE(f.QDt->RecordCount(), 2);
        showPage(f);
        QCOMPARE(QStringList({pageRow(f, 0), pageRow(f, 1)}), page);
        save(f);
        QCOMPARE(stored(env, orderId(env, number(4))), kept);

        // Approved: shown as stored, nothing can be typed.
        openOrder(f, number(3));
        MessageService::queueAnswer(true);
        key(Qt::Key_F9);
        QCOMPARE(env.scalar("select Approved from FrPoHd where Id = :i", {{"i", id}}).toString(), QStringLiteral("Y"));
        openOrder(f, number(3));
        showPage(f);
        QCOMPARE(QStringList({pageRow(f, 0), pageRow(f, 1)}), page);
        QVERIFY(e->EdRate->isReadOnly() && !e->BtDefaults->isEnabled());
        QCOMPARE(stored(env, id), kept);
    }

    // What nobody knows yet is said, never shown as 0: an order in a currency never imported
    // whose vendor has no costed lot, and a lot whose imports took over no estimated order.
    void unknownsShownPlainly()
    {
        TestEnv env;
        Dialogs dialogs;
        earlierLots(env);
        TFrFrPoTran f;
        open(f, 6);
        enterOrder(f, "F004", {{"P002", "10", "5"}, {"P010", "1", "3"}});
        if (QTest::currentTestFailed())
            return;
        showPage(f);
        TFaPoEstimate* e = f.FaPoEstimate;
        QCOMPARE(e->EdRate->text(), QString());
        QCOMPARE(e->LbRateFrom->text(), QStringLiteral("ยังไม่เคยนำเข้าในสกุลเงิน CNY กรุณาป้อนอัตราที่คาดไว้"));
        // The vendor has no costed lot: the latest three of every vendor, the demo's first lot
        // at 17,000.00 on 64,005.00 baht = 26.5604%: (8 + 10 + 26.5604) / 3 = 14.8535.
        QCOMPARE(e->LbExpenseFrom->text(),
                 QStringLiteral("ผู้ขายนี้ยังไม่มีล็อตที่คิดต้นทุนแล้ว เฉลี่ยจากล็อตล่าสุดของทุกผู้ขาย: EST-B 8.00%, EST-A 10.00%, "
                                "LOT%1-01 26.5604%").arg(year()));
        QCOMPARE(e->EdExpense->text(), QStringLiteral("14.8535"));
        QCOMPARE(pageRow(f, 0), QStringLiteral("12.00 | ล็อต EST-B |  |  |  | "));
        QCOMPARE(pageRow(f, 1), QStringLiteral(" | ไม่เคยนำเข้า ไม่รวมอากร |  |  |  | "));
        QCOMPARE(e->LbTotal->text(), QStringLiteral("ยังประมาณการไม่ได้ ไม่มีอัตราแลกเปลี่ยน"));
        save(f);
        const int id = orderId(env, number(3));
        QVERIFY2(id > 0, qPrintable(MessageService::lastText()));
        QCOMPARE(stored(env, id), QStringLiteral("//N/14.8535/EST-B 8.00%, EST-A 10.00%, LOT%1-01 26.5604%/N/N/"
                                                 " | 12/EST-B/N///// | //N/////").arg(year()));

        // The company's setting: the latest lot of every vendor only.
        env.exec("update FrPoEstSetting set Lots = 1, VendorOnly = 'N'");
        f.AcNew->trigger();
        enterOrder(f, "F003", {{"P002", "1", "1"}});
        showPage(f);
        QCOMPARE(e->LbExpenseFrom->text(), QStringLiteral("เฉลี่ยจากล็อตล่าสุดของทุกผู้ขาย: EST-B 8.00%"));

        // The demo's first lot took over orders without estimates: nothing to compare, and
        // the exports are as they were.
        TFrShowImportCost s(1, DM->DMdata());
        s.show();
        QCOMPARE(s.estimateModel()->rowCount(), 0);
        QCOMPARE(s.LbEstimate->text(), LandedCostCompare::NothingToCompare(true));
        QVERIFY(s.ChEstimate->bars().isEmpty());
        QCOMPARE(s.estimateComparison().size(), 3);
        for (const LandedCostEstimate::Comparison& c : s.estimateComparison())
            QVERIFY(c.State == LandedCostEstimate::Comparison::Status::NoEstimate);
    }

    // The page and the comparison in English.
    void englishCaptions()
    {
        TestEnv env;
        Dialogs dialogs;
        earlierLots(env);
        TFrFrPoTran f;
        open(f, 6);
        Translation::useLanguage(false);
        f.RefreshScreen();
        enterOrder(f, "F003", {{"P010", "1", "2"}});
        if (QTest::currentTestFailed())
            return;
        showPage(f);
        TFaPoEstimate* e = f.FaPoEstimate;
        QCOMPARE(f.PageControl->tabText(1), QStringLiteral("Estimated landed cost (&2)"));
        QCOMPARE(e->LbRate->text(), QStringLiteral("Expected exchange rate"));
        QCOMPARE(e->LbRateFrom->text(), QStringLiteral("From import document IM-EST-B of 12/06/%1").arg(year()));
        QCOMPARE(e->LbExpenseFrom->text(), QStringLiteral("Average of the vendor's latest lots: EST-B 8.00%, EST-A 10.00%"));
        QCOMPARE(pageRow(f, 0).section(QStringLiteral(" | "), 1, 1), QStringLiteral("Never imported: no duty counted"));
        QCOMPARE(e->LbTotal->text(), QStringLiteral("Estimated landed cost of the order: 87.20 baht"));
        QCOMPARE(e->DgEst->gridModel()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Amount(EUR)"));
        f.grab().save(screenshot(QStringLiteral("po_estimate_english.png")));
        TFrShowImportCost s(1, DM->DMdata());
        s.show();
        QCOMPARE(s.PcCost->tabText(4), QStringLiteral("Estimate against actual (&5)"));
        QCOMPARE(s.LbEstimate->text(), LandedCostCompare::NothingToCompare(false));
    }

    // A company made before estimates: the order works as before and says why there is no
    // estimate; namkhao-db upgrade adds the tables once.
    void olderCompanyUpgraded()
    {
        TestEnv env;
        Dialogs dialogs;
        for (const char* t : {"FrPoEstDt", "FrPoEstHd", "FrPoEstSetting"})
            env.exec(QStringLiteral("drop table %1").arg(QLatin1String(t)));
        TFrFrPoTran f;
        open(f, 6);
        enterOrder(f, "F001", {{"P001", "2", "1"}});
        if (QTest::currentTestFailed())
            return;
        showPage(f);
        QCOMPARE(f.FaPoEstimate->LbNote->text(),
                 QStringLiteral("ฐานข้อมูลนี้ยังไม่มีตารางต้นทุนประมาณการ (ใช้คำสั่ง namkhao-db upgrade)"));
        QVERIFY(f.FaPoEstimate->EdRate->isReadOnly());
        save(f);
        QVERIFY2(orderId(env, number(3)) > 0, qPrintable(MessageService::lastText()));

        QCOMPARE(DbAdmin::addLandedCostEstimates(env.company()),
                 QStringList{"FrPoEstHd, FrPoEstDt, FrPoEstSetting: landed cost estimates of foreign orders added"});
        QCOMPARE(DbAdmin::addLandedCostEstimates(env.company()),
                 QStringList{"FrPoEstHd, FrPoEstDt, FrPoEstSetting: landed cost estimates already there"});
        QCOMPARE(env.row("select count(*), min(Lots), min(VendorOnly) from FrPoEstSetting"), QStringLiteral("1/3/Y"));
        // The order saved without an estimate gets one when its page is looked at and saved.
        openOrder(f, number(3));
        showPage(f);
        QVERIFY(f.FaPoEstimate->LbNote->text().startsWith(QStringLiteral("ใบสั่งซื้อนี้บันทึกไว้โดยยังไม่มีประมาณการ")));
        save(f);
        QCOMPARE(env.count("FrPoEstHd", "FrPoHd = :i", {{"i", orderId(env, number(3))}}), 1);
    }
};

QTEST_MAIN(TstPoEstimate)
#include "tst_poestimate.moc"
