#include "data/NkError.h"
#include "forms/purchase/PurchaseTotals.h"

#include <QTest>

using namespace PurchaseTotals;

// The money of bills and orders, figured by hand for each row.
struct LineSpec {
    double price;
    double qty;
    QString disc;
    double rate;
};
Q_DECLARE_METATYPE(QVector<LineSpec>)
Q_DECLARE_METATYPE(PurchaseTotals::Kind)

class TstPurchaseTotals : public QObject {
    Q_OBJECT
private slots:
    void document_data();
    void document();
    void line_data();
    void line();
    void taxTypedByHand_data();
    void taxTypedByHand();
    void lineWithoutProductKeepsItsAmounts();
    void depositProposal_data();
    void depositProposal();
    void typedLineTotal();
};

void TstPurchaseTotals::document_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("excl");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QVector<LineSpec>>("lines");
    QTest::addColumn<QList<double>>("disc");    // rate1, rate2, rate3, amt1, amt2, amt3
    QTest::addColumn<double>("prepaid");
    QTest::addColumn<QList<double>>("expected"); // taxAmt, noTaxAmt, taxCal, total, sumDisc, amountProduct
    QTest::addColumn<QList<double>>("discAmt");
    QTest::addColumn<bool>("mixed");

    const QList<double> none{0, 0, 0, 0, 0, 0};
    const Kind B = Kind::Bill, O = Kind::Order;
    // Bills.
    QTest::newRow("bill E: 1000 taxed, 10% off")
        << B << true << 7.0 << QVector<LineSpec>{{1000, 1, "", 7}} << QList<double>{10, 0, 0, 0, 0, 0} << 0.0
        << QList<double>{1000, 0, 63, 963, 100, 900} << QList<double>{100, 0, 0} << false;
    QTest::newRow("bill I: 1070 taxed") << B << false << 7.0 << QVector<LineSpec>{{1070, 1, "", 7}} << none << 0.0
                                        << QList<double>{1070, 0, 70, 1070, 0, 1000} << QList<double>{0, 0, 0} << false;
    QTest::newRow("bill E: taxed and untaxed with a discount amount")
        << B << true << 7.0 << QVector<LineSpec>{{1000, 1, "", 7}, {500, 1, "", 0}} << QList<double>{0, 0, 0, 50, 0, 0}
        << 0.0 << QList<double>{1000, 500, 70, 1570, 0, 1500} << QList<double>{0, 0, 0} << true;
    // 1000 - 1500 deposit leaves T at -500: total 0 + 107 x -500 / 100, and no tax.
    QTest::newRow("bill E: deposit larger than the taxed goods")
        << B << true << 7.0 << QVector<LineSpec>{{1000, 1, "", 7}} << none << 1500.0
        << QList<double>{-500, 0, 0, -535, 0, -500} << QList<double>{0, 0, 0} << false;
    // 2 x 535 = 1070 less a deposit of 107: T 963, total 963 incl. tax 963 - 900 = 63.
    QTest::newRow("bill I: deposit deducted") << B << false << 7.0 << QVector<LineSpec>{{535, 2, "", 7}} << none << 107.0
                                              << QList<double>{963, 0, 63, 963, 0, 900} << QList<double>{0, 0, 0} << false;
    // Untaxed service: the deposit comes off the untaxed goods.
    QTest::newRow("bill E: untaxed goods with deposit and 2% off")
        << B << true << 7.0 << QVector<LineSpec>{{1000, 1, "", 0}} << QList<double>{2, 0, 0, 0, 0, 0} << 100.0
        << QList<double>{0, 900, 0, 882, 18, 882} << QList<double>{18, 0, 0} << false;
    // Bills keep the unrounded discount: 10% of 1000.555 is 100.0555; 900.4995 x 1.07 = 963.534465.
    QTest::newRow("bill E: amounts not rounded")
        << B << true << 7.0 << QVector<LineSpec>{{1000.555, 1, "", 7}} << QList<double>{10, 0, 0, 0, 0, 0} << 0.0
        << QList<double>{1000.555, 0, 63.03, 963.534465, 100.0555, 900.4995} << QList<double>{100.0555, 0, 0} << false;
    // Orders.
    QTest::newRow("order E: 1000 taxed") << O << true << 7.0 << QVector<LineSpec>{{1000, 1, "", 7}} << none << 0.0
                                         << QList<double>{1000, 0, 70, 1070, 0, 1000} << QList<double>{0, 0, 0} << false;
    QTest::newRow("order I: 1070 taxed") << O << false << 7.0 << QVector<LineSpec>{{1070, 1, "", 7}} << none << 0.0
                                         << QList<double>{1070, 0, 70, 1070, 0, 1000} << QList<double>{0, 0, 0} << false;
    // 10% of 1000 = 100, 5% of 900 = 45, 20 typed; 835 x 1.07 = 893.45.
    QTest::newRow("order E: chained discounts and a typed amount")
        << O << true << 7.0 << QVector<LineSpec>{{1000, 1, "", 7}} << QList<double>{10, 5, 0, 0, 0, 20} << 0.0
        << QList<double>{1000, 0, 58.45, 893.45, 165, 835} << QList<double>{100, 45, 20} << false;
    QTest::newRow("order E: taxed and untaxed with a discount amount")
        << O << true << 7.0 << QVector<LineSpec>{{1000, 1, "", 7}, {500, 1, "", 0}} << QList<double>{0, 0, 0, 50, 0, 0}
        << 0.0 << QList<double>{1000, 500, 70, 1570, 0, 1500} << QList<double>{0, 0, 0} << true;
    // Rate 0: no line has tax, all goods are untaxed; 10% of 100.56 is 10.056, rounded 10.06.
    QTest::newRow("order E: document rate 0")
        << O << true << 0.0 << QVector<LineSpec>{{100.56, 1, "", 7}} << QList<double>{10, 0, 0, 0, 0, 0} << 0.0
        << QList<double>{0, 100.56, 0, 90.5, 10.06, 90.5} << QList<double>{10.06, 0, 0} << false;
    QTest::newRow("order I: two taxed lines, 10% off")
        << O << false << 7.0 << QVector<LineSpec>{{535, 1, "", 7}, {535, 1, "", 7}} << QList<double>{10, 0, 0, 0, 0, 0}
        << 0.0 << QList<double>{1070, 0, 63, 963, 107, 900} << QList<double>{107, 0, 0} << false;
}

void TstPurchaseTotals::document()
{
    QFETCH(Kind, kind);
    QFETCH(bool, excl);
    QFETCH(double, rate);
    QFETCH(QVector<LineSpec>, lines);
    QFETCH(QList<double>, disc);
    QFETCH(double, prepaid);
    QFETCH(QList<double>, expected);
    QFETCH(QList<double>, discAmt);
    QFETCH(bool, mixed);

    Header h;
    h.pricesExcludeTax = excl;
    h.taxRate = rate;
    for (int i = 0; i < 3; ++i) {
        h.discRate[i] = disc[i];
        h.discAmt[i] = disc[3 + i];
    }
    h.prepaidAmount = prepaid;
    QVector<Line> ls;
    for (const LineSpec& s : lines) {
        Line l;
        l.price = s.price;
        l.quantity = s.qty;
        l.discount = s.disc;
        l.taxRate = s.rate;
        ls << l;
    }
    const Result r = CalculateAll(kind, h, ls);
    QCOMPARE(r.taxAmt, expected[0]);
    QCOMPARE(r.noTaxAmt, expected[1]);
    QCOMPARE(r.taxCal, expected[2]);
    QCOMPARE(r.total, expected[3]);
    QCOMPARE(r.sumDiscount, expected[4]);
    QCOMPARE(r.amountProduct, expected[5]);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(r.discAmt[i], discAmt[i]);
    QCOMPARE(r.mixedDiscountsCleared, mixed);
    if (mixed)
        QCOMPARE(r.discRate[0] + r.discRate[1] + r.discRate[2], 0.0);
    QCOMPARE(r.taxTotal, r.taxCal);
    QVERIFY(!r.taxAdjusted);
}

void TstPurchaseTotals::line_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("excl");
    QTest::addColumn<double>("headerRate");
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("qty");
    QTest::addColumn<QString>("disc");
    QTest::addColumn<double>("lineRate");
    QTest::addColumn<QList<double>>("expected"); // total, discountAmt, productAmount, tax

    QTest::newRow("10%5 on 300") << Kind::Bill << true << 7.0 << 100.0 << 3.0 << "10%5" << 7.0
                                 << QList<double>{265, 35, 265, 18.55};
    QTest::newRow("10%+5 on 300") << Kind::Order << true << 7.0 << 100.0 << 3.0 << "10%+5" << 7.0
                                  << QList<double>{265, 35, 265, 18.55};
    // "/" is "%": 5/2/ takes 5% then 2%; 5/2 takes 5% and then 2 baht.
    QTest::newRow("5/2/ on 300") << Kind::Order << true << 7.0 << 100.0 << 3.0 << "5/2/" << 7.0
                                 << QList<double>{279.3, 20.7, 279.3, 19.55};
    QTest::newRow("5/2 on 300") << Kind::Order << true << 7.0 << 100.0 << 3.0 << "5/2" << 7.0
                                << QList<double>{283, 17, 283, 19.81};
    QTest::newRow("% alone") << Kind::Order << true << 7.0 << 100.0 << 3.0 << "%" << 7.0 << QList<double>{300, 0, 300, 21};
    QTest::newRow("included: 1070") << Kind::Order << false << 7.0 << 1070.0 << 1.0 << "" << 7.0
                                    << QList<double>{1070, 0, 1000, 70};
    QTest::newRow("included, document rate 0") << Kind::Bill << false << 0.0 << 1070.0 << 1.0 << "" << 7.0
                                               << QList<double>{1070, 0, 1070, 0};
    // 33.333 x 3 = 99.999: a bill writes off the rest to 100.00, an order keeps it exact.
    QTest::newRow("bill discount against the rounded gross") << Kind::Bill << true << 7.0 << 33.333 << 3.0 << "" << 7.0
                                                             << QList<double>{99.999, 0.001, 99.999, 7};
    QTest::newRow("order discount against the gross") << Kind::Order << true << 7.0 << 33.333 << 3.0 << "" << 7.0
                                                      << QList<double>{99.999, 0, 99.999, 7};
    // A credit line: negative amounts round half away from zero (-7.035 to -7.04).
    QTest::newRow("negative line") << Kind::Bill << true << 7.0 << -100.5 << 1.0 << "" << 7.0
                                   << QList<double>{-100.5, 0, -100.5, -7.04};
}

void TstPurchaseTotals::line()
{
    QFETCH(Kind, kind);
    QFETCH(bool, excl);
    QFETCH(double, headerRate);
    QFETCH(double, price);
    QFETCH(double, qty);
    QFETCH(QString, disc);
    QFETCH(double, lineRate);
    QFETCH(QList<double>, expected);
    Line l;
    l.price = price;
    l.quantity = qty;
    l.discount = disc;
    l.taxRate = lineRate;
    CalculateLine(kind, excl, headerRate, l);
    QCOMPARE(l.total, expected[0]);
    QCOMPARE(l.discountAmt + 1, expected[1] + 1); // fuzzy around 0
    QCOMPARE(l.productAmount, expected[2]);
    QCOMPARE(l.tax, expected[3]);
}

void TstPurchaseTotals::taxTypedByHand_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<double>("typed");
    QTest::addColumn<double>("total");
    QTest::newRow("bill: typed 71, total rises by 1") << Kind::Bill << 71.0 << 1071.0;
    QTest::newRow("order: typed 75, total stays") << Kind::Order << 75.0 << 1070.0;
}

void TstPurchaseTotals::taxTypedByHand()
{
    QFETCH(Kind, kind);
    QFETCH(double, typed);
    QFETCH(double, total);
    Header h;
    h.pricesExcludeTax = false;
    h.taxRate = 7;
    QVector<Line> ls(1);
    ls[0].price = 1070;
    ls[0].quantity = 1;
    ls[0].taxRate = 7;
    const Result calc = CalculateAll(kind, h, ls);
    const Result adj = AdjustTax(kind, calc, typed);
    QVERIFY(adj.taxAdjusted);
    QCOMPARE(adj.taxTotal, typed);
    QCOMPARE(adj.taxCal, 70.0);
    QCOMPARE(adj.total, total);
    QCOMPARE(TaxAdjustedCaption(adj.taxAdjusted, adj.taxCal), QStringLiteral("ปรับปรุงภาษี (70.00)"));
    // A later change of the lines keeps the typed tax.
    h.taxAdjusted = true;
    h.taxTotal = typed;
    ls[0].quantity = 2;
    const Result again = CalculateAll(kind, h, ls);
    QVERIFY(again.taxAdjusted);
    QCOMPARE(again.taxTotal, typed);
    QCOMPARE(again.taxCal, 140.0);
    QCOMPARE(again.total, kind == Kind::Bill ? 2140.0 - 140.0 + typed : 2140.0);
    // Typing the computed tax ends the adjustment.
    const Result back = AdjustTax(kind, again, 140.0);
    QVERIFY(!back.taxAdjusted);
    QCOMPARE(back.total, 2140.0);
    QCOMPARE(TaxAdjustedCaption(back.taxAdjusted, back.taxCal), QStringLiteral("ปรับปรุงภาษี"));
}

void TstPurchaseTotals::lineWithoutProductKeepsItsAmounts()
{
    Header h;
    h.taxRate = 7;
    QVector<Line> ls(2);
    ls[0].price = 100;
    ls[0].quantity = 1;
    ls[0].taxRate = 7;
    ls[1].hasProduct = false; // its code was not found: the old amounts count until the save
    ls[1].price = 999;
    ls[1].quantity = 1;
    ls[1].total = ls[1].productAmount = 50;
    ls[1].taxRate = 7;
    const Result r = CalculateAll(Kind::Bill, h, ls);
    QCOMPARE(ls[1].total, 50.0);
    QCOMPARE(r.taxAmt, 150.0);
    QCOMPARE(r.total, 160.5);
    // A bad discount text stops the calculation with the piece named.
    ls[0].discount = QStringLiteral("10%%");
    QVERIFY_THROWS_EXCEPTION(NkError, CalculateAll(Kind::Bill, h, ls));
}

void TstPurchaseTotals::depositProposal_data()
{
    QTest::addColumn<bool>("excl");
    QTest::addColumn<QList<double>>("deposit"); // total, taxTotal, paid, taxRate
    QTest::addColumn<double>("expected");
    QTest::newRow("E, nothing paid") << true << QList<double>{107, 7, 0, 7} << 100.0;
    QTest::newRow("I, nothing paid") << false << QList<double>{107, 7, 0, 7} << 107.0;
    // 53.50 paid carries 3.50 tax: 100 - (53.50 - 3.50).
    QTest::newRow("E, half paid") << true << QList<double>{107, 7, 53.5, 7} << 50.0;
    QTest::newRow("I, half paid") << false << QList<double>{107, 7, 53.5, 7} << 53.5;
}

void TstPurchaseTotals::depositProposal()
{
    QFETCH(bool, excl);
    QFETCH(QList<double>, deposit);
    QFETCH(double, expected);
    QCOMPARE(ProposedPrepaidAmount(excl, deposit[0], deposit[1], deposit[2], deposit[3]), expected);
}

void TstPurchaseTotals::typedLineTotal()
{
    // 100 x 3 typed as 250: the discount becomes 50; the discount text is untouched, so the
    // next calculation gives 300 again.
    QCOMPARE(DiscountAmtForTypedTotal(100, 3, 250, 0), 50.0);
    QCOMPARE(DiscountAmtForTypedTotal(100, 3, 250, 50), 50.0);
    Line l;
    l.price = 100;
    l.quantity = 3;
    l.total = 250;
    l.discountAmt = 50;
    CalculateLine(Kind::Bill, true, 7, l);
    QCOMPARE(l.total, 300.0);
    QCOMPARE(l.discountAmt + 1, 1.0);
}

QTEST_GUILESS_MAIN(TstPurchaseTotals)
#include "tst_purchasetotals.moc"
