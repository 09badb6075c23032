#include "data/NkError.h"
#include "forms/purchase/PurchaseTotals.h"

#include <QTest>

using namespace PurchaseTotals;

// The money of bills and orders, figured by hand for each row.
struct TypedLine {
    double price;
    double qty;
    QString disc;
    double rate;
};
Q_DECLARE_METATYPE(QVector<TypedLine>)
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
    void depositLimit_data();
    void depositLimit();
    void lotCostOfABill_data();
    void lotCostOfABill();
    void typedLineTotal_data();
    void typedLineTotal();
};

void TstPurchaseTotals::document_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("excl");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QVector<TypedLine>>("lines");
    QTest::addColumn<QList<double>>("disc");    // rate1, rate2, rate3, amt1, amt2, amt3
    QTest::addColumn<double>("prepaid");
    QTest::addColumn<QList<double>>("expected"); // taxAmt, noTaxAmt, taxCal, total, sumDisc, amountProduct
    QTest::addColumn<QList<double>>("discAmt");
    QTest::addColumn<bool>("mixed");

    const QList<double> none{0, 0, 0, 0, 0, 0};
    const Kind B = Kind::Bill, O = Kind::Order;
    // Bills.
    QTest::newRow("bill E: 1000 taxed, 10% off")
        << B << true << 7.0 << QVector<TypedLine>{{1000, 1, "", 7}} << QList<double>{10, 0, 0, 0, 0, 0} << 0.0
        << QList<double>{1000, 0, 63, 963, 100, 900} << QList<double>{100, 0, 0} << false;
    QTest::newRow("bill I: 1070 taxed") << B << false << 7.0 << QVector<TypedLine>{{1070, 1, "", 7}} << none << 0.0
                                        << QList<double>{1070, 0, 70, 1070, 0, 1000} << QList<double>{0, 0, 0} << false;
    QTest::newRow("bill E: taxed and untaxed with a discount amount")
        << B << true << 7.0 << QVector<TypedLine>{{1000, 1, "", 7}, {500, 1, "", 0}} << QList<double>{0, 0, 0, 50, 0, 0}
        << 0.0 << QList<double>{1000, 500, 70, 1570, 0, 1500} << QList<double>{0, 0, 0} << true;
    // 1000 - 1500 deposit leaves T at -500: total 0 + 107 x -500 / 100, and no tax.
    QTest::newRow("bill E: deposit larger than the taxed goods")
        << B << true << 7.0 << QVector<TypedLine>{{1000, 1, "", 7}} << none << 1500.0
        << QList<double>{-500, 0, 0, -535, 0, -500} << QList<double>{0, 0, 0} << false;
    // 2 x 535 = 1070 less a deposit of 107: T 963, total 963 incl. tax 963 - 900 = 63.
    QTest::newRow("bill I: deposit deducted") << B << false << 7.0 << QVector<TypedLine>{{535, 2, "", 7}} << none << 107.0
                                              << QList<double>{963, 0, 63, 963, 0, 900} << QList<double>{0, 0, 0} << false;
    // Untaxed service: 2% of the goods (20), then the deposit off the untaxed goods.
    QTest::newRow("bill E: untaxed goods with deposit and 2% off")
        << B << true << 7.0 << QVector<TypedLine>{{1000, 1, "", 0}} << QList<double>{2, 0, 0, 0, 0, 0} << 100.0
        << QList<double>{0, 900, 0, 880, 20, 880} << QList<double>{20, 0, 0} << false;
    // The percentage works on the goods as billed, before the deposit: 10% of 10,000 = 1,000;
    // 9,000 - 4,672.90 = 4,327.10, tax 302.90 (302.897), payable 4,327.10 x 1.07 = 4,629.997.
    QTest::newRow("bill E: 10% off before the deposit")
        << B << true << 7.0 << QVector<TypedLine>{{10000, 1, "", 7}} << QList<double>{10, 0, 0, 0, 0, 0} << 4672.90
        << QList<double>{5327.10, 0, 302.90, 4629.997, 1000, 4327.10} << QList<double>{1000, 0, 0} << false;
    // Prices including tax: 10,700 less 10% = 9,630, less the 5,000 deposit = 4,630.00,
    // of which tax 4,630 - 4,327.10 = 302.90.
    QTest::newRow("bill I: 10% off before the deposit")
        << B << false << 7.0 << QVector<TypedLine>{{10700, 1, "", 7}} << QList<double>{10, 0, 0, 0, 0, 0} << 5000.0
        << QList<double>{5700, 0, 302.90, 4630, 1070, 4327.10} << QList<double>{1070, 0, 0} << false;
    // Bills keep the unrounded discount: 10% of 1000.555 is 100.0555; 900.4995 x 1.07 = 963.534465.
    QTest::newRow("bill E: amounts not rounded")
        << B << true << 7.0 << QVector<TypedLine>{{1000.555, 1, "", 7}} << QList<double>{10, 0, 0, 0, 0, 0} << 0.0
        << QList<double>{1000.555, 0, 63.03, 963.534465, 100.0555, 900.4995} << QList<double>{100.0555, 0, 0} << false;
    // Orders.
    QTest::newRow("order E: 1000 taxed") << O << true << 7.0 << QVector<TypedLine>{{1000, 1, "", 7}} << none << 0.0
                                         << QList<double>{1000, 0, 70, 1070, 0, 1000} << QList<double>{0, 0, 0} << false;
    QTest::newRow("order I: 1070 taxed") << O << false << 7.0 << QVector<TypedLine>{{1070, 1, "", 7}} << none << 0.0
                                         << QList<double>{1070, 0, 70, 1070, 0, 1000} << QList<double>{0, 0, 0} << false;
    // 10% of 1000 = 100, 5% of 900 = 45, 20 typed; 835 x 1.07 = 893.45.
    QTest::newRow("order E: chained discounts and a typed amount")
        << O << true << 7.0 << QVector<TypedLine>{{1000, 1, "", 7}} << QList<double>{10, 5, 0, 0, 0, 20} << 0.0
        << QList<double>{1000, 0, 58.45, 893.45, 165, 835} << QList<double>{100, 45, 20} << false;
    QTest::newRow("order E: taxed and untaxed with a discount amount")
        << O << true << 7.0 << QVector<TypedLine>{{1000, 1, "", 7}, {500, 1, "", 0}} << QList<double>{0, 0, 0, 50, 0, 0}
        << 0.0 << QList<double>{1000, 500, 70, 1570, 0, 1500} << QList<double>{0, 0, 0} << true;
    // Rate 0: no line has tax, all goods are untaxed; 10% of 100.56 is 10.056, rounded 10.06.
    QTest::newRow("order E: document rate 0")
        << O << true << 0.0 << QVector<TypedLine>{{100.56, 1, "", 7}} << QList<double>{10, 0, 0, 0, 0, 0} << 0.0
        << QList<double>{0, 100.56, 0, 90.5, 10.06, 90.5} << QList<double>{10.06, 0, 0} << false;
    QTest::newRow("order I: two taxed lines, 10% off")
        << O << false << 7.0 << QVector<TypedLine>{{535, 1, "", 7}, {535, 1, "", 7}} << QList<double>{10, 0, 0, 0, 0, 0}
        << 0.0 << QList<double>{1070, 0, 63, 963, 107, 900} << QList<double>{107, 0, 0} << false;
}

void TstPurchaseTotals::document()
{
    QFETCH(Kind, kind);
    QFETCH(bool, excl);
    QFETCH(double, rate);
    QFETCH(QVector<TypedLine>, lines);
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
    for (const TypedLine& s : lines) {
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
    // A bad discount text stops the calculation before anything changes, with the line and
    // the piece named.
    ls[0].discount = QStringLiteral("10%%");
    ls[0].quantity = 2;
    const Result bad = CalculateAll(Kind::Bill, h, ls);
    QCOMPARE(bad.badLine, 0);
    QCOMPARE(bad.badPiece, QString());
    QVERIFY(bad.refused());
    QCOMPARE(ls[0].total, 100.0); // still the amount of quantity 1
    QCOMPARE(BadDiscountMessage(bad.badLine + 1, bad.badDiscount, bad.badPiece, true),
             QStringLiteral("รายการที่ 1: ส่วนลด \"10%%\" ไม่ถูกต้อง: \"\" ไม่ใช่ตัวเลข"));
    QVERIFY_THROWS_EXCEPTION(NkError, CalculateLine(Kind::Bill, true, 7, ls[0]));
}

void TstPurchaseTotals::depositLimit_data()
{
    QTest::addColumn<bool>("excl");
    QTest::addColumn<QVector<TypedLine>>("lines");
    QTest::addColumn<double>("discRate");
    QTest::addColumn<double>("prepaid");
    QTest::addColumn<double>("most");
    QTest::addColumn<bool>("refused");
    QTest::newRow("E: all of the goods") << true << QVector<TypedLine>{{1000, 1, "", 7}} << 0.0 << 1000.0 << 1000.0 << false;
    QTest::newRow("E: above the goods") << true << QVector<TypedLine>{{1000, 1, "", 7}} << 0.0 << 1500.0 << 1000.0 << true;
    // 10% off leaves 900 to deduct from.
    QTest::newRow("E: above what the discount leaves") << true << QVector<TypedLine>{{1000, 1, "", 7}} << 10.0 << 950.0
                                                      << 900.0 << true;
    // Taxed and untaxed goods: the deposit comes off the taxed ones only.
    QTest::newRow("E: taxed part of mixed goods") << true << QVector<TypedLine>{{1000, 1, "", 7}, {500, 1, "", 0}} << 0.0
                                                  << 1200.0 << 1000.0 << true;
    QTest::newRow("I: gross goods") << false << QVector<TypedLine>{{1070, 1, "", 7}} << 0.0 << 1070.0 << 1070.0 << false;
    QTest::newRow("E: untaxed goods only") << true << QVector<TypedLine>{{300, 2, "", 0}} << 0.0 << 600.01 << 600.0 << true;
}

void TstPurchaseTotals::depositLimit()
{
    QFETCH(bool, excl);
    QFETCH(QVector<TypedLine>, lines);
    QFETCH(double, discRate);
    QFETCH(double, prepaid);
    QFETCH(double, most);
    QFETCH(bool, refused);
    Header h;
    h.pricesExcludeTax = excl;
    h.taxRate = 7;
    h.discRate[0] = discRate;
    h.prepaidAmount = prepaid;
    QVector<Line> ls;
    for (const TypedLine& typed : lines) {
        Line l;
        l.price = typed.price;
        l.quantity = typed.qty;
        l.taxRate = typed.rate;
        ls << l;
    }
    const Result r = CalculateAll(Kind::Bill, h, ls);
    QCOMPARE(r.maxPrepaid, most);
    QCOMPARE(r.prepaidTooLarge, refused);
    QCOMPARE(PrepaidTooLargeMessage(1000, false), QStringLiteral("The deposit deducted is more than the goods it comes off.\rAt most 1,000.00 can be deducted."));
}

void TstPurchaseTotals::lotCostOfABill_data()
{
    QTest::addColumn<bool>("excl");
    QTest::addColumn<QList<double>>("goods"); // taxed, untaxed, discount amount
    QTest::addColumn<QList<double>>("tax");   // TaxCal, TaxTotal as stored
    QTest::addColumn<bool>("reclaimable");
    QTest::addColumn<double>("counted");
    QTest::addColumn<double>("vatLeftOut");
    // 13,580.06 + 7% = 950.60 (950.6042).
    QTest::newRow("reclaimable VAT is not a cost") << true << QList<double>{13580.06, 0, 0} << QList<double>{950.60, 950.60}
                                                   << true << 13580.06 << 950.60;
    QTest::newRow("VAT that cannot be reclaimed is") << true << QList<double>{13580.06, 0, 0}
                                                     << QList<double>{950.60, 950.60} << false << 14530.66 << 0.0;
    // 10,000 less 10% = 9,000 whatever deposit was deducted; tax 630 on the whole.
    QTest::newRow("discounted goods, deposit not a cost") << true << QList<double>{10000, 0, 1000}
                                                          << QList<double>{302.90, 302.90} << true << 9000.0 << 630.0;
    // 10,700 incl. less 1,070: 9,630, of which 9,000 net and 630 tax.
    QTest::newRow("prices including tax") << false << QList<double>{10700, 0, 1070} << QList<double>{302.90, 302.90}
                                          << true << 9000.0 << 630.0;
    QTest::newRow("prices including tax, not reclaimable") << false << QList<double>{10700, 0, 1070}
                                                           << QList<double>{302.90, 302.90} << false << 9630.0 << 0.0;
    // A tax typed 1 above the computed one moves the VAT by 1.
    QTest::newRow("tax typed by hand, reclaimable") << true << QList<double>{1000, 0, 0} << QList<double>{70, 71} << true
                                                    << 1000.0 << 71.0;
    QTest::newRow("tax typed by hand, not reclaimable") << true << QList<double>{1000, 0, 0} << QList<double>{70, 71}
                                                        << false << 1071.0 << 0.0;
    QTest::newRow("taxed and untaxed goods") << true << QList<double>{1000, 500, 0} << QList<double>{70, 70} << true
                                             << 1500.0 << 70.0;
    QTest::newRow("untaxed goods only") << true << QList<double>{0, 2500.5, 0} << QList<double>{0, 0} << false << 2500.5
                                        << 0.0;
}

void TstPurchaseTotals::lotCostOfABill()
{
    QFETCH(bool, excl);
    QFETCH(QList<double>, goods);
    QFETCH(QList<double>, tax);
    QFETCH(bool, reclaimable);
    QFETCH(double, counted);
    QFETCH(double, vatLeftOut);
    StoredBill b;
    b.pricesExcludeTax = excl;
    b.taxRate = 7;
    b.taxedGoods = goods[0];
    b.untaxedGoods = goods[1];
    b.discAmt[0] = goods[2];
    b.taxCal = tax[0];
    b.taxTotal = tax[1];
    b.taxReclaimable = reclaimable;
    const BillCost c = CostOfBill(b);
    QCOMPARE(c.counted, counted);
    QCOMPARE(c.vatLeftOut + 1, vatLeftOut + 1); // fuzzy around 0
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

void TstPurchaseTotals::typedLineTotal_data()
{
    QTest::addColumn<QString>("discount");
    QTest::addColumn<double>("typed");
    QTest::addColumn<QString>("expected"); // "-" when nothing changes
    // 100 x 3 typed as 250: 50 off, whatever the text said before.
    QTest::newRow("no discount yet") << QString() << 250.0 << QStringLiteral("50.00");
    QTest::newRow("a percentage replaced") << QStringLiteral("10%") << 250.0 << QStringLiteral("50.00");
    QTest::newRow("the total the text gives") << QStringLiteral("10%") << 270.0 << QStringLiteral("-");
    QTest::newRow("the gross: no discount") << QStringLiteral("5") << 300.0 << QString();
    QTest::newRow("a text that cannot be read") << QStringLiteral("abc") << 280.0 << QStringLiteral("20.00");
}

void TstPurchaseTotals::typedLineTotal()
{
    QFETCH(QString, discount);
    QFETCH(double, typed);
    QFETCH(QString, expected);
    const std::optional<QString> text = DiscountForTypedTotal(100, 3, discount, typed);
    QCOMPARE(text ? *text : QStringLiteral("-"), expected);
    if (!text || text->isEmpty())
        return;
    // The next calculation keeps the typed total.
    Line l;
    l.price = 100;
    l.quantity = 3;
    l.discount = *text;
    CalculateLine(Kind::Bill, true, 7, l);
    QCOMPARE(l.total, typed);
    QVERIFY(!DiscountForTypedTotal(100, 0, discount, typed));
}

QTEST_GUILESS_MAIN(TstPurchaseTotals)
#include "tst_purchasetotals.moc"
