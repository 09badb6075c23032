#include "data/Units.h"

#include <QTest>

// The quantity-text rules on their own, with a box of 12 pieces unless a row says otherwise.
class TstUnitText : public QObject {
    Q_OBJECT
private slots:
    void qtyText_data();
    void qtyText();
    void qtyPart_data();
    void qtyPart();
    void missingUnit();
    void stockQty_data();
    void stockQty();
    void fraction_data();
    void fraction();
    void smallUnitCount_data();
    void smallUnitCount();
};

static UnitText::Unit box(double fraction = 12)
{
    return UnitText::Unit{QStringLiteral("box"), QStringLiteral("piece"), fraction};
}

void TstUnitText::qtyText_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<double>("q");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("expected");
    const QString none;
    QTest::newRow("30") << 12.0 << 30.0 << none << none << "2 box 6 piece";
    QTest::newRow("24") << 12.0 << 24.0 << none << none << "2 box";
    QTest::newRow("5") << 12.0 << 5.0 << none << none << "5 piece";
    QTest::newRow("0") << 12.0 << 0.0 << none << none << "0 box";
    QTest::newRow("-30") << 12.0 << -30.0 << none << none << "- 2 box 6 piece";
    QTest::newRow("-5 keeps the sign text") << 12.0 << -5.0 << none << none << "-  5 piece";
    QTest::newRow("30.5") << 12.0 << 30.5 << none << none << "2 box 6.5 piece";
    QTest::newRow("0.25") << 12.0 << 0.25 << none << none << ".25 piece";
    QTest::newRow("thousands of boxes") << 12.0 << 12000.0 << none << none << "1,000 box";
    QTest::newRow("fraction 1") << 1.0 << 1234.5 << none << none << "1,234.5 box";
    QTest::newRow("fraction 1, zero") << 1.0 << 0.0 << none << none << "0 box";
    QTest::newRow("fraction 0 shows the whole quantity twice")
        << 0.0 << 5.0 << none << none << "5 box 5 piece";
    QTest::newRow("fraction 0, part unit") << 0.0 << 2.5 << none << none << "2 box 2.5 piece";
    QTest::newRow("beyond 32 bits") << 12.0 << 36000000006.0 << none << none
                                    << "3,000,000,000 box 6 piece";
    QTest::newRow("unit texts around names") << 12.0 << 30.0 << "(" << ")" << "2 (box) 6 (piece)";
    QTest::newRow("unit texts with blanks") << 12.0 << 24.0 << none << " " << "2 box";
}

void TstUnitText::qtyText()
{
    QFETCH(double, fraction);
    QFETCH(double, q);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QString, expected);
    QCOMPARE(UnitText::qtyText(box(fraction), q, left, right), expected);
}

void TstUnitText::qtyPart_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("part");
    QTest::addColumn<double>("q");
    QTest::addColumn<QString>("expected");
    QTest::newRow("5 part 1") << 12.0 << 1 << 5.0 << "";
    QTest::newRow("5 part 2") << 12.0 << 2 << 5.0 << " 5 piece";
    QTest::newRow("30 part 1") << 12.0 << 1 << 30.0 << "2 box";
    QTest::newRow("30 part 2") << 12.0 << 2 << 30.0 << " 6 piece";
    QTest::newRow("24 part 2") << 12.0 << 2 << 24.0 << "";
    QTest::newRow("-30 part 1") << 12.0 << 1 << -30.0 << "- 2 box";
    QTest::newRow("-24 part 2 gives the sign only") << 12.0 << 2 << -24.0 << "- ";
    QTest::newRow("fraction 1 part 1") << 1.0 << 1 << 7.0 << "";
    QTest::newRow("fraction 1 part 2") << 1.0 << 2 << 7.0 << "7 box";
    QTest::newRow("part 3") << 12.0 << 3 << 30.0 << "30 IDERROR";
    QTest::newRow("part 0 negative") << 12.0 << 0 << -30.0 << "30 IDERROR";
}

void TstUnitText::qtyPart()
{
    QFETCH(double, fraction);
    QFETCH(int, part);
    QFETCH(double, q);
    QFETCH(QString, expected);
    QCOMPARE(UnitText::qtyPart(box(fraction), part, q), expected);
}

void TstUnitText::missingUnit()
{
    QCOMPARE(UnitText::missingUnitText(-1234.5, true), QStringLiteral("1,234.5 ERROR"));
    QCOMPARE(UnitText::missingUnitText(5, false), QStringLiteral("5 ERROR"));
}

void TstUnitText::stockQty_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<double>("q");
    QTest::addColumn<QString>("expected");
    QTest::newRow("25") << 12.0 << 25.0 << "2 DOZ 1 PCS";
    QTest::newRow("24") << 12.0 << 24.0 << "2 DOZ";
    QTest::newRow("5 keeps its leading blank") << 12.0 << 5.0 << " 5 PCS";
    QTest::newRow("0") << 12.0 << 0.0 << "0 DOZ";
    QTest::newRow("-25") << 12.0 << -25.0 << "- 2 DOZ 1 PCS";
    QTest::newRow("fraction 1 with part units") << 1.0 << 1.5 << "1.5 DOZ";
    QTest::newRow("fraction 0 counts as 1") << 0.0 << 5.0 << "5 DOZ";
}

void TstUnitText::stockQty()
{
    QFETCH(double, fraction);
    QFETCH(double, q);
    QFETCH(QString, expected);
    QCOMPARE(UnitText::stockQtyText(q, fraction, QStringLiteral("DOZ"), QStringLiteral("PCS")),
             expected);
}

void TstUnitText::fraction_data()
{
    QTest::addColumn<qint64>("n");
    QTest::addColumn<qint64>("e");
    QTest::addColumn<QString>("expected");
    QTest::newRow("18 of 12: 1 1/2") << qint64(18) << qint64(12) << "1;1/2  box";
    QTest::newRow("8 of 12: 2/3") << qint64(8) << qint64(12) << ";2/3  box";
    QTest::newRow("24 of 12: 2") << qint64(24) << qint64(12) << "2;box";
    QTest::newRow("0") << qint64(0) << qint64(12) << ";0  box";
    QTest::newRow("6 of 12: 1/2") << qint64(6) << qint64(12) << ";1/2  box";
    QTest::newRow("7 of 12 stays") << qint64(7) << qint64(12) << ";7/12  box";
    QTest::newRow("thousands of boxes") << qint64(12000 * 12 + 3) << qint64(12)
                                        << "12,000;1/4  box";
    QTest::newRow("stock unit of 1") << qint64(5) << qint64(1) << "5;box";
    QTest::newRow("negative") << qint64(-18) << qint64(12) << "-1;-1/2  box";
    QTest::newRow("negative below one unit") << qint64(-8) << qint64(12) << ";-2/3  box";
    QTest::newRow("large prime-ish stock unit") << qint64(1000000006) << qint64(1000000007)
                                                << ";1,000,000,006/1,000,000,007  box";
    QTest::newRow("stock fraction 0") << qint64(18) << qint64(0) << "ERROR";
    QTest::newRow("stock fraction negative") << qint64(18) << qint64(-12) << "ERROR";
}

void TstUnitText::fraction()
{
    QFETCH(qint64, n);
    QFETCH(qint64, e);
    QFETCH(QString, expected);
    QCOMPARE(UnitText::fractionText(n, e, QStringLiteral("box")), expected);
}

void TstUnitText::smallUnitCount_data()
{
    QTest::addColumn<double>("q");
    QTest::addColumn<double>("f");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("n");
    QTest::newRow("1.5 boxes of 12") << 1.5 << 12.0 << true << qint64(18);
    QTest::newRow("cut, not rounded") << 1.55 << 12.0 << true << qint64(18);
    QTest::newRow("two places rounded first") << 0.6667 << 3.0 << true << qint64(2);
    QTest::newRow("negative cut toward zero") << -1.55 << 12.0 << true << qint64(-18);
    QTest::newRow("beyond 32 bits") << 3e9 << 12.0 << true << qint64(36000000000LL);
    QTest::newRow("beyond 64 bits") << 1e19 << 12.0 << false << qint64(0);
}

void TstUnitText::smallUnitCount()
{
    QFETCH(double, q);
    QFETCH(double, f);
    QFETCH(bool, ok);
    QFETCH(qint64, n);
    qint64 got = 0;
    QCOMPARE(UnitText::smallUnitCount(q, f, got), ok);
    if (ok)
        QCOMPARE(got, n);
}

QTEST_GUILESS_MAIN(TstUnitText)
#include "tst_UnitText.moc"
