#include "data/Rounding.h"
#include "forms/import/LandedCostEstimate.h"

#include <QtTest>

Q_DECLARE_METATYPE(ImportCostRow)
Q_DECLARE_METATYPE(QVector<LandedCostEstimate::Receipt>)

// The estimate of an order line, the defaults it is made from, and the estimate against the
// actual cost of a lot, computed by hand. A figure that is not known reads "-".
class TstLandedCost : public QObject {
    Q_OBJECT

    static QString n(double v) { return QString::number(v, 'g', 15); }

private slots:
    // goods = round2(amount x rate); duty = round2(goods x share / 100) when the share is
    // known; expenses likewise; landed = their sum; per unit = round4(landed / quantity).
    void lineEstimate_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("quantity");
        QTest::addColumn<QVariant>("rate");
        QTest::addColumn<QVariant>("duty");
        QTest::addColumn<QVariant>("expenses");
        QTest::addColumn<QString>("expected"); // goods/duty/expenses/landed/per unit
        QTest::newRow("all known") << 260.0 << 50.0 << QVariant(40) << QVariant(12) << QVariant(9)
                                   << "10400/1248/936/12584/251.68";
        QTest::newRow("never imported: no duty") << 20.0 << 10.0 << QVariant(40) << QVariant() << QVariant(9)
                                                 << "800/-/72/872/87.2";
        QTest::newRow("no costed lot: no expenses") << 100.0 << 20.0 << QVariant(40) << QVariant(5) << QVariant()
                                                    << "4000/200/-/4200/210";
        QTest::newRow("no rate: nothing") << 260.0 << 50.0 << QVariant() << QVariant(12) << QVariant(9) << "-/-/-/-/-";
        // 0.125 x 35 = 4.375 -> 4.38; 10% = 0.438 -> 0.44; 4.82 / 3 = 1.60666 -> 1.6067.
        QTest::newRow("halves round up") << 0.125 << 3.0 << QVariant(35) << QVariant(10) << QVariant(0)
                                         << "4.38/0.44/0/4.82/1.6067";
        QTest::newRow("quantity 0: no cost per unit") << 10.0 << 0.0 << QVariant(40) << QVariant(0) << QVariant(0)
                                                      << "400/0/0/400/-";
    }
    void lineEstimate()
    {
        QFETCH(double, amount);
        QFETCH(double, quantity);
        QFETCH(QVariant, rate);
        QFETCH(QVariant, duty);
        QFETCH(QVariant, expenses);
        QFETCH(QString, expected);
        LandedCostEstimate e;
        e.typeRate(rate.isValid(), rate.toDouble());
        e.typeExpenseShare(expenses.isValid(), expenses.toDouble());
        LandedCostEstimate::Line l;
        l.Product = 1;
        l.Quantity = quantity;
        l.Amount = amount;
        e.lines << l << l;
        e.typeDutyShare(0, duty.isValid(), duty.toDouble());
        e.typeDutyShare(1, duty.isValid(), duty.toDouble());
        e.compute();
        const LandedCostEstimate::Line& r = e.lines[0];
        auto v = [](bool has, double x) { return has ? n(x) : QStringLiteral("-"); };
        QCOMPARE(QStringList({v(r.HasCost, r.GoodsBaht), v(r.HasCost && r.HasDutyShare, r.Duty),
                              v(r.HasCost && e.header.HasExpenseShare, r.Expense), v(r.HasCost, r.LandedCost),
                              v(r.HasUnitCost, r.UnitCost)})
                     .join('/'),
                 expected);
        // The order's total is the sum of its lines' landed costs, or none without a rate.
        QCOMPARE(v(e.hasTotal(), e.total()), v(r.HasCost, 2 * r.LandedCost));
    }

    // The expense share averages the latest lots that have a goods value; a product's duty
    // share is that of its latest lot in which it had a value.
    void defaults()
    {
        const QVector<LandedCostEstimate::LotFigures> lots{
            {4, "L4", 500, 0}, {3, "L3", 800, 10000}, {2, "L2", 1000, 10000}, {1, "L1", 3000, 10000}};
        LandedCostEstimate::ExpenseSource x = LandedCostEstimate::AverageExpenseShare(lots, 2);
        QCOMPARE(QStringLiteral("%1 %2").arg(n(x.Share), x.Lots), QStringLiteral("9 L3 8.00%, L2 10.00%"));
        // 1,000 on 30,000 baht and 800 on 10,000: (3.3333 + 8) / 2 = 5.66665 -> 5.6667.
        x = LandedCostEstimate::AverageExpenseShare({{1, "A", 1000, 30000}, {2, "B", 800, 10000}}, 3);
        QCOMPARE(QStringLiteral("%1 %2").arg(n(x.Share), x.Lots), QStringLiteral("5.6667 A 3.3333%, B 8.00%"));
        QVERIFY(!LandedCostEstimate::AverageExpenseShare({{4, "L4", 500, 0}}, 3).Found);

        const QVector<LandedCostEstimate::ProductInLot> rows{
            {1, 7, "L7", QDate(2026, 8, 1), 0, 0},         // free samples, the latest
            {1, 6, "L6", QDate(2026, 6, 1), 3000, 333.33}, // 11.1110%
            {1, 5, "L5", QDate(2026, 3, 1), 9000, 900},
            {2, 5, "L5", QDate(2026, 3, 1), 400, 0}};
        const QHash<int, LandedCostEstimate::DutySource> d = LandedCostEstimate::DutyShares(rows);
        QCOMPARE(QStringLiteral("%1 %2").arg(n(d.value(1).Share), d.value(1).LotCode), QStringLiteral("11.111 L6"));
        QCOMPARE(QStringLiteral("%1 %2").arg(n(d.value(2).Share), d.value(2).LotCode), QStringLiteral("0 L5"));
        QVERIFY(!d.contains(3));
    }

    // The estimate against the lot's actual cost, per unit of the sheet's quantity.
    void comparison_data()
    {
        QTest::addColumn<ImportCostRow>("actual");
        QTest::addColumn<QVector<LandedCostEstimate::Receipt>>("receipts");
        QTest::addColumn<QString>("expected"); // estimated actual difference (percent) rate price duty expenses
        auto row = [](double qty, double total, double baht, double duty, double expense, double cost) {
            ImportCostRow r;
            r.Id = 1;
            r.Code = QStringLiteral("P1");
            r.Quantity = qty;
            r.Total = total;
            r.Baht = baht;
            r.Duty = duty;
            r.Expense = expense;
            r.TotalCost = baht + duty + expense;
            r.Cost = cost;
            r.HasCost = qty != 0;
            return r;
        };
        auto estimated = [](double received, double ordered, double amount, double goods, double duty, double expense,
                            double landed) {
            LandedCostEstimate::Receipt r;
            r.Product = 1;
            r.Received = received;
            r.HasEstimate = r.EstimateHasCost = r.EstimateHasDuty = true;
            r.Ordered = ordered;
            r.Amount = amount;
            r.GoodsBaht = goods;
            r.Duty = duty;
            r.Expense = expense;
            r.LandedCost = landed;
            return r;
        };
        // Ordered 50 boxes of 12 (600 pieces) at 260 EUR, estimated at 40 with 12% duty and
        // 9% expenses; received as 600 pieces at 265 EUR and rate 41, 1,195.15 duty and
        // 1,303.80 expenses: 13,363.95 / 600 = 22.2733 a piece, estimated 12,584 / 600 = 20.9733.
        // Per piece: rate 260 / 600 x 41 x 1.21 = 21.4977; price 10,865 / 600 x 1.21 = 21.9111;
        // duty 18.108333 x 1.09 + 1.991917 = 21.7300.
        QTest::newRow("boxes ordered, pieces received")
            << row(600, 265, 10865, 1195.15, 1303.80, 22.2733)
            << QVector<LandedCostEstimate::Receipt>{estimated(600, 600, 260, 10400, 1248, 936, 12584)}
            << "20.9733 22.2733 1.3 (6.2%) 0.5244 0.4134 -0.1811 0.5433";
        // Free goods: no goods value to take a rate from, so the expected one stands and the
        // whole goods value leaves by the price; the expenses came anyway.
        QTest::newRow("free on arrival")
            << row(10, 0, 0, 0, 50, 5) << QVector<LandedCostEstimate::Receipt>{estimated(120, 120, 20, 800, 0, 72, 872)}
            << "87.2 5 -82.2 (-94.27%) 0 -87.2 0 5";
        QTest::newRow("estimate of 0: no percent")
            << row(5, 10, 400, 0, 0, 80) << QVector<LandedCostEstimate::Receipt>{estimated(5, 5, 0, 0, 0, 0, 0)}
            << "0 80 80 (none) 0 80 0 0";
        // Two receipts of the line cancel out: no units to compare.
        QTest::newRow("received quantities cancel out")
            << row(10, 20, 820, 41, 98.4, 95.94)
            << QVector<LandedCostEstimate::Receipt>{estimated(120, 120, 20, 800, 0, 72, 872),
                                                    estimated(-120, 120, 20, 800, 0, 72, 872)}
            << "no quantity";
        QTest::newRow("quantity 0 on the sheet")
            << row(0, 20, 820, 41, 98.4, 0) << QVector<LandedCostEstimate::Receipt>{estimated(120, 120, 20, 800, 0, 72, 872)}
            << "no quantity";
        LandedCostEstimate::Receipt plain;
        plain.Product = 1;
        plain.Received = 10;
        LandedCostEstimate::Receipt noRate = estimated(10, 10, 20, 0, 0, 0, 0);
        noRate.EstimateHasCost = false;
        QTest::newRow("no estimated order") << row(10, 20, 820, 41, 98.4, 95.94)
                                            << QVector<LandedCostEstimate::Receipt>{plain} << "no estimate";
        QTest::newRow("estimate without a rate") << row(10, 20, 820, 41, 98.4, 95.94)
                                                 << QVector<LandedCostEstimate::Receipt>{noRate} << "no estimate";
    }
    void comparison()
    {
        QFETCH(ImportCostRow, actual);
        QFETCH(QVector<LandedCostEstimate::Receipt>, receipts);
        QFETCH(QString, expected);
        ImportCostResult result;
        result.Rows << actual;
        const QVector<LandedCostEstimate::Comparison> rows = LandedCostEstimate::Compare(result, receipts);
        QCOMPARE(rows.size(), 1);
        const LandedCostEstimate::Comparison& c = rows[0];
        QString came;
        switch (c.State) {
        case LandedCostEstimate::Comparison::Status::NoEstimate: came = QStringLiteral("no estimate"); break;
        case LandedCostEstimate::Comparison::Status::NoQuantity: came = QStringLiteral("no quantity"); break;
        case LandedCostEstimate::Comparison::Status::Compared:
            came = QStringLiteral("%1 %2 %3 (%4) %5 %6 %7 %8")
                       .arg(n(c.Estimated), n(c.Actual), n(c.Difference),
                            c.HasPercent ? n(c.Percent) + QLatin1Char('%') : QStringLiteral("none"), n(c.Rate),
                            n(c.Price), n(c.DutyPart), n(c.ExpensePart));
            // The parts add up to the difference.
            QCOMPARE(n(RoundDecimal(c.Rate + c.Price + c.DutyPart + c.ExpensePart, 4, 18)), n(c.Difference));
            break;
        }
        QCOMPARE(came, expected);
    }
};

QTEST_GUILESS_MAIN(TstLandedCost)
#include "tst_landedcost.moc"
