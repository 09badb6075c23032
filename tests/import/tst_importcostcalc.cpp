#include "forms/import/ImportCostCalc.h"
#include "forms/import/ImportCostQuery.h"
#include "data/Rounding.h"
#include "ImportCostTestDb.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>
#include <cmath>

// Every expected figure below is worked out by hand in the comments next to it.

namespace {

ImportCostQueryRow row(const QString& code, double quantity, double price, double total,
                       double baht, double duty)
{
    ImportCostQueryRow r;
    r.Code = code;
    r.Id = code.isEmpty() ? 0 : code.back().unicode();
    r.ThaiName = QStringLiteral("สินค้า ") + code;
    r.Quantity = quantity;
    r.Price = price;
    r.Total = total;
    r.Baht = baht;
    r.Duty = duty;
    return r;
}

bool allFinite(const ImportCostResult& res)
{
    for (const ImportCostRow& r : res.Rows)
        for (double v : {r.Quantity, r.Price, r.Total, r.Baht, r.Duty, r.Expense, r.TotalCost, r.Cost})
            if (!std::isfinite(v))
                return false;
    for (double v : {res.SumTotal, res.SumBaht, res.SumDuty, res.SumExpense, res.SumTotalCost})
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

class TestImportCostCalc : public QObject {
    Q_OBJECT

private slots:
    void spreadByValue();
    void lotWithoutExpenses();
    void equalThirds();
    void costPerUnitRounding();
    void firstPassRounding();
    void emptyLot();
    void zeroBahtSpreadsByQuantity();
    void zeroBahtAndQuantityLeavesExpensesOut();
    void zeroQuantityHasNoUnitCost();
    void splitBases_data();
    void splitBases();
    void basisRefused_data();
    void basisRefused();

    void queryTwoRatesAndDeletedBills();
    void queryEmptyLot();
    void queryMeasures();

private:
    QSqlDatabase makeDb();
};

void TestImportCostCalc::spreadByValue()
{
    // Lot baht value 1,000 + 3,000 + 6,000 = 10,000; expenses 555.55.
    //   A: share 1,000 x 100 / 10,000 = 10 %  -> 555.55 x 10 / 100 = 55.555  -> 55.56
    //   B: share 30 %                          -> 166.665                     -> 166.67
    //   C: share 60 %                          -> 333.33                      -> 333.33
    // Shares rounded one by one: 55.56 + 166.67 + 333.33 = 555.56, a satang above the lot.
    //   A: 55.56 + (100.00 + 1,000.00) = 1,155.56;  / 10 = 115.556      -> 115.5560
    //   B: 166.67 + (0 + 3,000.00)     = 3,166.67;  / 7  = 452.38142... -> 452.3814
    //   C: 333.33 + (250.00 + 6,000.00) = 6,583.33; / 3  = 2,194.44333  -> 2,194.4433
    const QVector<ImportCostQueryRow> rows{
        row("A", 10, 2.857142, 28.5714, 1000.00, 100.00),
        row("B", 7, 12.24, 85.68, 3000.00, 0),
        row("C", 3, 57.14, 171.42, 6000.00, 250.00),
    };
    const ImportCostResult res = ComputeImportCost(rows, 555.55);
    QCOMPARE(res.Spread, ExpenseSpread::ByValue);
    QCOMPARE(res.Rows.size(), 3);
    QCOMPARE(res.Rows[0].Expense, 55.56);
    QCOMPARE(res.Rows[1].Expense, 166.67);
    QCOMPARE(res.Rows[2].Expense, 333.33);
    QCOMPARE(res.Rows[0].TotalCost, 1155.56);
    QCOMPARE(res.Rows[1].TotalCost, 3166.67);
    QCOMPARE(res.Rows[2].TotalCost, 6583.33);
    QCOMPARE(res.Rows[0].Cost, 115.556);
    QCOMPARE(res.Rows[1].Cost, 452.3814);
    QCOMPARE(res.Rows[2].Cost, 2194.4433);
    // Price to 2 decimals: 2.857142 -> 2.86.
    QCOMPARE(res.Rows[0].Price, 2.86);
    // Footer: goods value 28.5714 + 85.68 + 171.42 = 285.6714 (not rounded), baht 10,000,
    // duty 350, expenses 555.56, landed cost 10,905.56.
    QCOMPARE(res.SumTotal, 285.6714);
    QCOMPARE(res.SumBaht, 10000.0);
    QCOMPARE(res.SumDuty, 350.0);
    QCOMPARE(res.SumExpense, 555.56);
    QCOMPARE(res.LotExpense, 555.55);
    QCOMPARE(res.SumTotalCost, 10905.56);
    QVERIFY(ImportCostSpreadNote(res, true).isEmpty());
}

void TestImportCostCalc::lotWithoutExpenses()
{
    // No expenses: every share is 0 and the landed cost is baht + duty.
    //   X: 1,234.50 + 65.50 = 1,300.00; / 4 = 325.0000
    //   Y: 800.00 + 0 = 800.00;         / 3 = 266.66666... -> 266.6667
    const ImportCostResult res = ComputeImportCost(
        {row("X", 4, 10, 40, 1234.50, 65.50), row("Y", 3, 8, 24, 800.00, 0)}, 0);
    QCOMPARE(res.Rows[0].Expense, 0.0);
    QCOMPARE(res.Rows[1].Expense, 0.0);
    QCOMPARE(res.Rows[0].TotalCost, 1300.0);
    QCOMPARE(res.Rows[1].TotalCost, 800.0);
    QCOMPARE(res.Rows[0].Cost, 325.0);
    QCOMPARE(res.Rows[1].Cost, 266.6667);
    QCOMPARE(res.SumExpense, 0.0);
    QCOMPARE(res.SumTotalCost, 2100.0);
}

void TestImportCostCalc::equalThirds()
{
    // 100.00 over three products of 500.00 baht each: share 33.333...% -> 33.333... -> 33.33
    // each; the footer shows 3 x 33.33 = 99.99. Landed cost 533.33 each, / 2 = 266.665
    // -> 266.665 (fifth decimal 0), footer 1,599.99.
    const ImportCostResult res = ComputeImportCost(
        {row("A", 2, 1, 2, 500, 0), row("B", 2, 1, 2, 500, 0), row("C", 2, 1, 2, 500, 0)}, 100.00);
    for (const ImportCostRow& r : res.Rows) {
        QCOMPARE(r.Expense, 33.33);
        QCOMPARE(r.TotalCost, 533.33);
        QCOMPARE(r.Cost, 266.665);
    }
    QCOMPARE(res.SumExpense, 99.99);
    QCOMPARE(res.SumTotalCost, 1599.99);
}

void TestImportCostCalc::costPerUnitRounding()
{
    // P: landed cost 1.23 over 8 units = 0.15375: fifth decimal 5 -> 0.1538 (up).
    // Q: landed cost 1.01 over 16 units = 0.063125: fifth decimal 2 -> 0.0631 (cut).
    // R: landed cost 2.00 over 3 units = 0.666666...: fifth decimal 6 -> 0.6667 (up).
    const ImportCostResult res = ComputeImportCost(
        {row("P", 8, 0, 0, 1.23, 0), row("Q", 16, 0, 0, 1.01, 0), row("R", 3, 0, 0, 0, 2.00)}, 0);
    QCOMPARE(res.Rows[0].Cost, 0.1538);
    QCOMPARE(res.Rows[1].Cost, 0.0631);
    QCOMPARE(res.Rows[2].Cost, 0.6667);
}

void TestImportCostCalc::firstPassRounding()
{
    // Price, baht and duty are rounded before anything is added or shared:
    //   baht 1,234.565 -> 1,234.57; duty 10.005 -> 10.01; price 3.14159 -> 3.14.
    //   Baht 765.434 -> 765.43; the lot's baht value is 1,234.57 + 765.43 = 2,000.00.
    //   Expenses 200.00: shares 61.7285 % and 38.2715 % -> 123.457 -> 123.46, 76.543 -> 76.54.
    //   Landed cost S: 123.46 + (10.01 + 1,234.57) = 1,368.04, / 1 = 1,368.04.
    const ImportCostResult res = ComputeImportCost(
        {row("S", 1, 3.14159, 3.14159, 1234.565, 10.005), row("T", 1, 5, 5, 765.434, 0)}, 200.00);
    QCOMPARE(res.Rows[0].Baht, 1234.57);
    QCOMPARE(res.Rows[0].Duty, 10.01);
    QCOMPARE(res.Rows[0].Price, 3.14);
    QCOMPARE(res.Rows[1].Baht, 765.43);
    QCOMPARE(res.SumBaht, 2000.0);
    QCOMPARE(res.SumDuty, 10.01);
    QCOMPARE(res.Rows[0].Expense, 123.46);
    QCOMPARE(res.Rows[1].Expense, 76.54);
    QCOMPARE(res.Rows[0].TotalCost, 1368.04);
    QCOMPARE(res.Rows[1].TotalCost, 841.97); // 76.54 + 765.43
}

void TestImportCostCalc::emptyLot()
{
    const ImportCostResult res = ComputeImportCost({}, 1500.00);
    QVERIFY(res.isEmpty());
    QCOMPARE(res.SumExpense, 0.0);
    QCOMPARE(res.SumTotalCost, 0.0);
    QVERIFY(!res.expensesLeftOut());
    QVERIFY(ImportCostSpreadNote(res, true).isEmpty());
}

void TestImportCostCalc::zeroBahtSpreadsByQuantity()
{
    // Free goods (every baht value 0): expenses 100.00 by quantity 1 : 3
    //   -> 25 % = 25.00 and 75 % = 75.00; landed cost 25.00 / 1 = 25.0000, 75.00 / 3 = 25.0000.
    const ImportCostResult res = ComputeImportCost(
        {row("F", 1, 0, 0, 0, 0), row("G", 3, 0, 0, 0, 0)}, 100.00);
    QCOMPARE(res.Spread, ExpenseSpread::ByQuantity);
    QVERIFY(allFinite(res));
    QCOMPARE(res.Rows[0].Expense, 25.0);
    QCOMPARE(res.Rows[1].Expense, 75.0);
    QCOMPARE(res.Rows[0].Cost, 25.0);
    QCOMPARE(res.Rows[1].Cost, 25.0);
    QCOMPARE(res.SumExpense, 100.0);
    QVERIFY(!ImportCostSpreadNote(res, true).isEmpty());
    QVERIFY(ImportCostSpreadNote(res, false).contains(QLatin1String("by quantity")));
}

void TestImportCostCalc::zeroBahtAndQuantityLeavesExpensesOut()
{
    const ImportCostResult res = ComputeImportCost({row("Z", 0, 0, 0, 0, 12.50)}, 80.00);
    QCOMPARE(res.Spread, ExpenseSpread::None);
    QVERIFY(allFinite(res));
    QCOMPARE(res.Rows[0].Expense, 0.0);
    QCOMPARE(res.Rows[0].TotalCost, 12.5); // the duty alone
    QVERIFY(!res.Rows[0].HasCost);
    QVERIFY(res.expensesLeftOut());
    QVERIFY(ImportCostSpreadNote(res, false).contains(QLatin1String("80.00")));
}

void TestImportCostCalc::zeroQuantityHasNoUnitCost()
{
    // A product whose quantities cancel out keeps its share and landed cost but has no cost
    // per unit: 50.00 baht of 150.00 -> a third of 30.00 = 10.00; 50.00 + 10.00 = 60.00.
    const ImportCostResult res = ComputeImportCost(
        {row("N", 0, 0, 5, 50.00, 0), row("M", 2, 5, 10, 100.00, 0)}, 30.00);
    QVERIFY(allFinite(res));
    QCOMPARE(res.Rows[0].Expense, 10.0);
    QCOMPARE(res.Rows[0].TotalCost, 60.0);
    QVERIFY(!res.Rows[0].HasCost);
    QCOMPARE(res.Rows[0].Cost, 0.0);
    QVERIFY(res.Rows[1].HasCost);
    QCOMPARE(res.Rows[1].Cost, 60.0); // 20.00 + 100.00 = 120.00 / 2
}

// A lot of three products, A and B bought in boxes of 10 pieces, C in pieces; 1,000.00 of
// expenses:
//          typed      pieces  net kg/pc  gross kg/pc  W x L x H     baht
//   A      1 box        10      2          2.5        1 x 2 x 3    1,000.00   (duty 50.00)
//   B      3 boxes      30      1          1.5        2 x 2 x 2    2,000.00
//   C     60 pieces     60      0.5        0.5        1 x 1 x 1    7,000.00
namespace {
QVector<ImportCostQueryRow> boxedLot()
{
    QVector<ImportCostQueryRow> rows{row("A", 1, 100, 100, 1000, 50), row("B", 3, 66.67, 200, 2000, 0),
                                     row("C", 60, 11.67, 700, 7000, 0)};
    const double figures[3][6] = {{10, 2, 2.5, 1, 2, 3}, {30, 1, 1.5, 2, 2, 2}, {60, 0.5, 0.5, 1, 1, 1}};
    for (int i = 0; i < 3; ++i) {
        rows[i].StockQuantity = figures[i][0];
        rows[i].NetWeight = figures[i][1];
        rows[i].GrossWeight = figures[i][2];
        rows[i].SizeW = figures[i][3];
        rows[i].SizeL = figures[i][4];
        rows[i].SizeH = figures[i][5];
    }
    return rows;
}
} // namespace

void TestImportCostCalc::splitBases_data()
{
    QTest::addColumn<CostBasis>("basis");
    QTest::addColumn<QVector<double>>("expense");
    QTest::addColumn<double>("sumExpense");
    QTest::addColumn<double>("costA"); // (expense A + 50.00 + 1,000.00) / 1 box
    // Baht 1,000 : 2,000 : 7,000.
    QTest::newRow("value") << CostBasis::Value << QVector<double>{100, 200, 700} << 1000.0 << 1150.0;
    // Pieces 10 : 30 : 60 of 100, not the quantities as typed (1 : 3 : 60).
    QTest::newRow("stock quantity") << CostBasis::StockQuantity << QVector<double>{100, 300, 600} << 1000.0
                                    << 1150.0;
    // Net kg 10 x 2 = 20 : 30 x 1 = 30 : 60 x 0.5 = 30 of 80 -> 250, 375, 375.
    QTest::newRow("net weight") << CostBasis::NetWeight << QVector<double>{250, 375, 375} << 1000.0 << 1300.0;
    // Gross kg 25 : 45 : 30 of 100.
    QTest::newRow("gross weight") << CostBasis::GrossWeight << QVector<double>{250, 450, 300} << 1000.0 << 1300.0;
    // Volume 6 x 10 = 60 : 8 x 30 = 240 : 1 x 60 = 60 of 360 -> 166.666... -> 166.67,
    // 666.666... -> 666.67, 166.67: a satang over the lot.
    QTest::newRow("volume") << CostBasis::Volume << QVector<double>{166.67, 666.67, 166.67} << 1000.01 << 1216.67;
    // A third each: 333.33, footer 999.99.
    QTest::newRow("equal") << CostBasis::Equal << QVector<double>{333.33, 333.33, 333.33} << 999.99 << 1383.33;
}

void TestImportCostCalc::splitBases()
{
    QFETCH(CostBasis, basis);
    QFETCH(QVector<double>, expense);
    QFETCH(double, sumExpense);
    QFETCH(double, costA);
    const ImportCostResult res = ComputeImportCost(boxedLot(), 1000.00, basis);
    QVERIFY(!res.Refused);
    QCOMPARE(res.Basis, basis);
    QCOMPARE(res.Rows.size(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(res.Rows[i].Expense, expense[i]);
    QCOMPARE(res.SumExpense, sumExpense);
    QCOMPARE(res.Rows[0].Cost, costA);
    // The other columns do not depend on the basis.
    QCOMPARE(res.SumBaht, 10000.0);
    QCOMPARE(res.SumDuty, 50.0);
    QVERIFY(allFinite(res));
    QVERIFY(ImportCostSpreadNote(res, true).isEmpty());

    // Compared with the value basis: A's cost per unit moves from 1,150.0000 by the
    // difference of its share, to 4 decimals.
    const QVector<ImportCostComparison> cmp = CompareImportCost(ComputeImportCost(boxedLot(), 1000.00), res);
    QCOMPARE(cmp.size(), 3);
    QCOMPARE(cmp[0].ValueCost, 1150.0);
    QCOMPARE(cmp[0].BasisCost, costA);
    QCOMPARE(cmp[0].Difference, RoundDecimal(costA - 1150.0, 4, 18));
}

void TestImportCostCalc::basisRefused_data()
{
    QTest::addColumn<CostBasis>("basis");
    QTest::addColumn<QString>("clear"); // the figure taken away
    QTest::addColumn<QStringList>("missing");
    QTest::newRow("B without net weight") << CostBasis::NetWeight << QStringLiteral("B.net")
                                          << QStringList{QStringLiteral("B สินค้า B")};
    QTest::newRow("no gross weight at all") << CostBasis::GrossWeight << QStringLiteral("*.gross")
                                            << QStringList{QStringLiteral("A สินค้า A"), QStringLiteral("B สินค้า B"),
                                                           QStringLiteral("C สินค้า C")};
    QTest::newRow("C without height") << CostBasis::Volume << QStringLiteral("C.height")
                                      << QStringList{QStringLiteral("C สินค้า C")};
    // Quantities summing to 0: every product is named.
    QTest::newRow("no stock quantity") << CostBasis::StockQuantity << QStringLiteral("*.quantity")
                                       << QStringList{QStringLiteral("A สินค้า A"), QStringLiteral("B สินค้า B"),
                                                      QStringLiteral("C สินค้า C")};
}

void TestImportCostCalc::basisRefused()
{
    QFETCH(CostBasis, basis);
    QFETCH(QString, clear);
    QFETCH(QStringList, missing);
    QVector<ImportCostQueryRow> rows = boxedLot();
    const QString who = clear.section(QLatin1Char('.'), 0, 0);
    const QString what = clear.section(QLatin1Char('.'), 1);
    for (ImportCostQueryRow& r : rows) {
        if (who != QLatin1String("*") && r.Code != who)
            continue;
        if (what == QLatin1String("net"))
            r.NetWeight = 0;
        else if (what == QLatin1String("gross"))
            r.GrossWeight = 0;
        else if (what == QLatin1String("height"))
            r.SizeH = 0;
        else
            r.StockQuantity = 0;
    }
    const ImportCostResult res = ComputeImportCost(rows, 1000.00, basis);
    QVERIFY(res.Refused);
    QCOMPARE(res.Missing, missing);
    QVERIFY(res.Rows.isEmpty()); // nothing to show or print, nothing divided by 0
    QCOMPARE(res.SumExpense, 0.0);
    const QString thai = CostBasisRefusal(res, true);
    const QString english = CostBasisRefusal(res, false);
    for (const QString& product : missing) {
        QVERIFY2(thai.contains(product), qPrintable(thai));
        QVERIFY2(english.contains(product), qPrintable(english));
    }
    QVERIFY(thai.contains(CostBasisCaption(basis, true)));
    QVERIFY(english.contains(CostBasisCaption(basis, false).toLower()));
    // Value and equal shares never lack data.
    QVERIFY(!ComputeImportCost(rows, 1000.00, CostBasis::Equal).Refused);
    QVERIFY(!ComputeImportCost(rows, 1000.00).Refused);
}

// ---- the statements against a small database of the tables they read -------------------

QSqlDatabase TestImportCostCalc::makeDb()
{
    return ImportCostTestDb::create();
}

void TestImportCostCalc::queryTwoRatesAndDeletedBills()
{
    QSqlDatabase db = makeDb();
    {
        QSqlQuery q(db);
        const char* data[] = {
            "insert into ImportLotNo values (7, 'LOT-7', 'Shipment seven', 'Y'), (8, 'LOT-8', 'Other', 'Y')",
            "insert into Misc values (1, 'CURRENCY', 'USD  ', 'US dollar'), (2, 'DEPARTMENT', 'XXX', ''), "
            "(3, 'CURRENCY', 'JPY', 'Yen')",
            "insert into ProductView values (11, 'P-A', 'Alpha'), (12, 'P-B', 'Beta')",
            // Lot 7: two documents at different rates, one document of lot 8.
            // Document 4 of lot 7 was cancelled (in yen): it counts nowhere.
            "insert into ImHd values (4, 'Y', 7, 3, 0.25), (1, 'N', 7, 1, 35.5), (2, 'N', 7, 1, 36.25), "
            "(3, 'N', 8, 1, 40)",
            "insert into ImDuty values (1, 1, 1, 900), (2, 2, 1, 300), (3, 3, 1, 10), (4, 4, 1, 5)",
            "insert into ImDt values "
            "(1, 1, 11, 1, 10, 100),"  // Alpha 10 for 100 USD at 35.5
            "(2, 2, 11, 2, 5, 60),"    // Alpha 5 for 60 USD at 36.25
            "(3, 1, 12, 1, 3, 50.5),"  // Beta 3 for 50.5 USD at 35.5
            "(4, 1, 12, 99, 100, 999),"  // no duty group row: not counted
            "(5, 1, 13, 1, 100, 999),"   // product not in ProductView: not counted
            "(6, 3, 11, 3, 100, 999),"   // lot 8: not counted
            "(7, 4, 11, 4, 1000, 5000)", // cancelled document: not counted
            "insert into ImDtDuty values (7, 11, 800.004), (7, 11, 200), (7, 12, 0), (8, 11, 5)",
            // Expenses of lot 7 and, deleted or of lot 8, ones that must not count.
            "insert into Vendor values (1, 'V001', 'Freight'), (2, 'V002', 'Broker')",
            "insert into FrVendor values (1, 'F001', 'Insurer')",
            // A credit bill of 550 less 50 off, 7% reclaimable: counts 500, leaves out 35.
            "insert into MrHd (Id, ImportLotNo, DelFlag, Total, MrNo, MrDate, Vendor, TaxRate, DiscAmt1, TaxCal, "
            "TaxTotal) values (1, 7, 'N', 535, '    MS0001', '2026-02-01 00:00:00', 1, 7, 50, 35, 35)",
            "insert into MrDt (MrHd, TaxRate, Total) values (1, 7, 550)",
            // A cash bill of 300.25 including 7% that cannot be reclaimed: counts all of it.
            "insert into PcHd (Id, ImportLotNo, DelFlag, Total, PcNo, PcDate, Vendor, Price_IE, TaxRate, CanUseTax, "
            "TaxCal, TaxTotal) values (1, 7, 'N', 300.25, 'CS-1', '2026-02-03 00:00:00', 2, 'I', 7, 'N', 19.64, 19.64)",
            "insert into PcDt (PcHd, TaxRate, Total) values (1, 7, 300.25)",
            "insert into MrHd (Id, ImportLotNo, DelFlag, Total) values (2, 7, 'Y', 200), (3, 8, 'N', 70)",
            "insert into MrDt (MrHd, Total) values (2, 200), (3, 70)",
            "insert into PcHd (Id, ImportLotNo, DelFlag, Total) values (2, 7, 'Y', 50)",
            "insert into PcDt (PcHd, Total) values (2, 50)",
            "insert into FrMiscPdHd values (1, 7, 'N', 'FM-1', '2026-01-15 00:00:00', 1), (2, 7, 'Y', 'FM-2', null, 1), "
            "(3, 8, 'N', 'FM-3', null, 1)",
            "insert into FrMiscPdDt values (1, 1, 1000, 70), (2, 1, 100, null), (3, 2, 999, 0), (4, 3, 5, 0)",
        };
        for (const char* s : data)
            QVERIFY2(q.exec(QString::fromLatin1(s)), qPrintable(q.lastError().text()));
    }

    const ImportCostQuery::Input in = ImportCostQuery::Read(db, 7);
    QCOMPARE(in.Rows.size(), 2);
    // Alpha: quantity 10 + 5 = 15; goods 100 + 60 = 160 USD; price 160 / 15 = 10.666...
    //   baht 100 x 35.5 + 60 x 36.25 = 3,550 + 2,175 = 5,725; duty 800.004 + 200 = 1,000.004.
    const ImportCostQueryRow& a = in.Rows[0];
    QCOMPARE(a.Code, QStringLiteral("P-A"));
    QCOMPARE(a.Id, qint64(11));
    QCOMPARE(a.Quantity, 15.0);
    QCOMPARE(a.Total, 160.0);
    QCOMPARE(a.Price, 160.0 / 15.0);
    QCOMPARE(a.Baht, 5725.0);
    QCOMPARE(a.Duty, 1000.004);
    // Beta: 3 units, 50.5 USD, price 16.8333..., baht 50.5 x 35.5 = 1,792.75, duty 0.
    const ImportCostQueryRow& b = in.Rows[1];
    QCOMPARE(b.Code, QStringLiteral("P-B"));
    QCOMPARE(b.Quantity, 3.0);
    QCOMPARE(b.Price, 50.5 / 3.0);
    QCOMPARE(b.Baht, 1792.75);
    QCOMPARE(b.Duty, 0.0);
    // Expenses: credit 500 + cash 300.25 + foreign (1,000 - 70) + (100 - 0) = 1,830.25, the
    // documents oldest first with the VAT each leaves out.
    QCOMPARE(in.LotExpense, 1830.25);
    QStringList docs;
    for (const LotExpenseDocument& d : in.Documents)
        docs << QStringLiteral("%1 %2 %3 %4/%5").arg(d.Number, d.Date, d.VendorCode).arg(d.Counted).arg(d.VatLeftOut);
    QCOMPARE(docs, QStringList({"FM-1 15/01/2026 F001 1030/70", "MS0001 01/02/2026 V001 500/35",
                                "CS-1 03/02/2026 V002 300.25/0"}));
    QCOMPARE(in.Currency, QStringLiteral("USD"));

    // Through the computation: baht 5,725 + 1,792.75 = 7,517.75.
    //   Alpha: 1,830.25 x 5,725 / 7,517.75    = 1,393.7922 -> 1,393.79
    //   Beta:  1,830.25 x 1,792.75 / 7,517.75 =   436.4578 ->   436.46
    //   Alpha landed 1,393.79 + (1,000.00 + 5,725.00) = 8,118.79; / 15 = 541.25266 -> 541.2527
    //   Beta  landed 436.46 + (0 + 1,792.75) = 2,229.21; / 3 = 743.07 -> 743.0700
    const ImportCostResult res = ComputeImportCost(in.Rows, in.LotExpense);
    QCOMPARE(res.Rows[0].Price, 10.67);
    QCOMPARE(res.Rows[1].Price, 16.83);
    QCOMPARE(res.Rows[0].Duty, 1000.0);
    QCOMPARE(res.Rows[0].Expense, 1393.79);
    QCOMPARE(res.Rows[1].Expense, 436.46);
    QCOMPARE(res.Rows[0].Cost, 541.2527);
    QCOMPARE(res.Rows[1].Cost, 743.07);
    QCOMPARE(res.SumTotalCost, 10348.0); // 8,118.79 + 2,229.21

    // Deleting the last live credit bill takes it out of the lot's expenses.
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("update MrHd set DelFlag = 'Y' where Id = 1")));
    QCOMPARE(ImportCostQuery::LotExpense(db, 7), 1330.25);

    // Cancelling the two live documents leaves nothing to cost, and no currency: the
    // cancelled yen document does not label the lot.
    QVERIFY(q.exec(QStringLiteral("update ImHd set DelFlag = 'Y' where Id in (1, 2)")));
    QVERIFY(ImportCostQuery::CostRows(db, 7).isEmpty());
    QVERIFY(ImportCostQuery::LotCurrency(db, 7).isEmpty());

    const ImportCostQuery::LotInfo lot = ImportCostQuery::Lot(db, 7);
    QVERIFY(lot.Found);
    QCOMPARE(lot.Code, QStringLiteral("LOT-7"));
    QCOMPARE(lot.Description, QStringLiteral("Shipment seven"));
}

void TestImportCostCalc::queryEmptyLot()
{
    QSqlDatabase db = makeDb();
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("insert into ImportLotNo values (9, 'LOT-9', 'Empty', 'Y')")));
    QVERIFY(ImportCostTestDb::addBill(db, "MrHd", 1, 9, "N", 400));
    const ImportCostQuery::Input in = ImportCostQuery::Read(db, 9);
    QVERIFY(in.Rows.isEmpty());
    QCOMPARE(in.LotExpense, 0.0); // not read for a lot without products
    QVERIFY(in.Currency.isEmpty());
    // The expense documents are the lot's whether or not it has import lines yet.
    QCOMPARE(ImportCostQuery::LotExpense(db, 9), 400.0);
    QVERIFY(ImportCostQuery::Lot(db, 0).Found == false);
    QVERIFY(ComputeImportCost(in.Rows, in.LotExpense).isEmpty());
}

void TestImportCostCalc::queryMeasures()
{
    QSqlDatabase db = makeDb();
    QSqlQuery q(db);
    const char* data[] = {
        "alter table ImDt add column Fraction integer default 1",
        "create table Product (Id integer primary key, NetWeight real, GrossWeight real, Size_W real, Size_L real, "
        "Size_H real)",
        "insert into ProductView values (11, 'P-A', 'Alpha'), (12, 'P-B', 'Beta')",
        "insert into Product values (11, 0.25, 0.3, 10, 20, 5), (12, null, 2, 1, 1, 1)",
        "insert into ImHd values (1, 'N', 7, 1, 35), (2, 'N', 7, 1, 36), (3, 'Y', 7, 1, 36), (4, 'N', 8, 1, 36)",
        "insert into ImDuty values (1, 1, 1, 0), (2, 2, 1, 0), (3, 3, 1, 0), (4, 4, 1, 0)",
        // Alpha: 4 boxes of 12 and 5 pieces counted; Beta 2 cartons of 144.
        "insert into ImDt (Id, ImHd, Product, ImDuty, Quantity, Total, Fraction) values "
        "(1, 1, 11, 1, 4, 100, 12), (2, 2, 11, 2, 5, 10, 1), (3, 1, 12, 1, 2, 50, 144),"
        "(4, 1, 11, 99, 100, 1, 12),"  // no duty group row: not counted
        "(5, 3, 11, 3, 100, 1, 12),"   // cancelled document
        "(6, 4, 11, 4, 100, 1, 12)",   // another lot
    };
    for (const char* s : data)
        QVERIFY2(q.exec(QString::fromLatin1(s)), qPrintable(q.lastError().text()));

    // The value basis reads no measures.
    QCOMPARE(ImportCostQuery::Read(db, 7).Rows[0].StockQuantity, 0.0);
    const ImportCostQuery::Input in = ImportCostQuery::Read(db, 7, CostBasis::NetWeight);
    QCOMPARE(in.Rows.size(), 2);
    const ImportCostQueryRow& a = in.Rows[0];
    QCOMPARE(a.Code, QStringLiteral("P-A"));
    QCOMPARE(a.Quantity, 9.0);       // as typed: 4 + 5
    QCOMPARE(a.StockQuantity, 53.0); // 4 x 12 + 5 x 1
    QCOMPARE(a.NetWeight, 0.25);
    QCOMPARE(a.GrossWeight, 0.3);
    QCOMPARE(a.SizeW * a.SizeL * a.SizeH, 1000.0);
    const ImportCostQueryRow& b = in.Rows[1];
    QCOMPARE(b.StockQuantity, 288.0);
    QCOMPARE(b.NetWeight, 0.0); // not entered
    // Beta has no net weight: refused by name. By gross weight: 53 x 0.3 = 15.9 and
    // 288 x 2 = 576 kg of 591.9; no expenses, so every share is 0.
    QCOMPARE(ComputeImportCost(in.Rows, in.LotExpense, CostBasis::NetWeight).Missing,
             QStringList{QStringLiteral("P-B Beta")});
    QCOMPARE(CostBasisMeasure(a, CostBasis::GrossWeight), 15.9);
    QVERIFY(!ComputeImportCost(in.Rows, in.LotExpense, CostBasis::GrossWeight).Refused);
}

QTEST_GUILESS_MAIN(TestImportCostCalc)
#include "tst_importcostcalc.moc"
