#include "data/NkError.h"
#include "data/Rounding.h"

#include <QTest>
#include <cmath>
#include <limits>

class TstRoundDecimal : public QObject {
    Q_OBJECT
private slots:
    void roundDecimal_data();
    void roundDecimal();
    void resultIsNearestDouble();
    void discount_data();
    void discount();
    void badDiscount_data();
    void badDiscount();
};

void TstRoundDecimal::roundDecimal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("significant");
    QTest::addColumn<double>("expected");

    QTest::newRow("1.005 decides on its text") << 1.005 << 2 << 18 << 1.01;
    QTest::newRow("2.345") << 2.345 << 2 << 18 << 2.35;
    QTest::newRow("2.344") << 2.344 << 2 << 18 << 2.34;
    QTest::newRow("2.675") << 2.675 << 2 << 15 << 2.68;
    QTest::newRow("whole number unchanged") << 7.0 << 2 << 18 << 7.0;
    QTest::newRow("large whole number") << 123456789012.0 << 2 << 15 << 123456789012.0;
    QTest::newRow("three places") << 1.23450 << 3 << 15 << 1.235;
    QTest::newRow("four places") << 0.123449 << 4 << 15 << 0.1234;
    QTest::newRow("carry through nines") << 9.995 << 2 << 15 << 10.0;
    QTest::newRow("noise in the sixth place counts") << 2.3449999999 << 2 << 15 << 2.35;
    QTest::newRow("small value rounds to zero") << 0.004 << 2 << 15 << 0.0;
    QTest::newRow("small value rounds up") << 0.005 << 2 << 15 << 0.01;
    QTest::newRow("beyond 32 bits") << 3000000000.125 << 2 << 18 << 3000000000.13;
    // Decimals 0: a whole number by the same rule.
    QTest::newRow("0 decimals up") << 2.5 << 0 << 15 << 3.0;
    QTest::newRow("0 decimals down") << 2.4999 << 0 << 15 << 2.0;
    QTest::newRow("0 decimals 1e9") << 1234567890.5 << 0 << 15 << 1234567891.0;
    // Negative values round their magnitude and keep the sign.
    QTest::newRow("negative 2.345") << -2.345 << 2 << 18 << -2.35;
    QTest::newRow("negative 2.344") << -2.344 << 2 << 18 << -2.34;
    QTest::newRow("negative 0 decimals") << -2.5 << 0 << 15 << -3.0;
    QTest::newRow("negative to zero") << -0.001 << 2 << 15 << 0.0;
    QTest::newRow("zero") << 0.0 << 2 << 15 << 0.0;
}

void TstRoundDecimal::roundDecimal()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(int, significant);
    QFETCH(double, expected);
    const double r = RoundDecimal(value, decimals, significant);
    // Exact: the result is the double nearest to the rounded decimal text.
    QCOMPARE(QString::number(r, 'g', 17), QString::number(expected, 'g', 17));
    QVERIFY(!std::signbit(r) || expected < 0);
}

void TstRoundDecimal::resultIsNearestDouble()
{
    // 2.34 + 0.01 in binary arithmetic is 2.3499999999999996; the rounded text "2.35" is not.
    QVERIFY(RoundDecimal(2.345, 2, 15) == 2.35);
    QVERIFY(RoundDecimal(0.125, 2, 15) == 0.13);
    QVERIFY(std::isnan(RoundDecimal(std::numeric_limits<double>::quiet_NaN(), 2, 15)));
    QCOMPARE(RoundDecimal(1e25, 2, 15), 1e25);
}

void TstRoundDecimal::discount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("chained percentages") << "10%5%" << 1000.0 << 855.0;
    QTest::newRow("slashes") << "10/5/" << 1000.0 << 855.0;
    QTest::newRow("percentage and amount") << "10%50" << 1000.0 << 850.0;
    QTest::newRow("amount only") << "100" << 1000.0 << 900.0;
    QTest::newRow("empty") << "" << 1000.0 << 1000.0;
    QTest::newRow("blanks only") << "   " << 1000.0 << 1000.0;
    QTest::newRow("percent alone") << "%" << 1000.0 << 1000.0;
    QTest::newRow("slash alone") << " / " << 1000.0 << 1000.0;
    QTest::newRow("one percentage") << "10%" << 1000.0 << 900.0;
    QTest::newRow("decimal percentage") << "2.5%" << 1000.0 << 975.0;
    QTest::newRow("decimal amount") << "0.5" << 10.0 << 9.5;
    QTest::newRow("blanks around pieces") << " 10 % 5 % " << 1000.0 << 855.0;
    QTest::newRow("not rounded") << "3%" << 33.33 << 32.3301;
    QTest::newRow("order matters for the amount") << "50%100" << 1000.0 << 400.0;
}

void TstRoundDecimal::discount()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(ApplyDiscountText(text, value), expected);
    const auto r = TryApplyDiscountText(text, value);
    QVERIFY(r.has_value());
    QCOMPARE(*r, expected);
}

void TstRoundDecimal::badDiscount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("piece");
    QTest::newRow("word") << "abc" << "abc";
    QTest::newRow("letter after percentage") << "10%x" << "x";
    QTest::newRow("empty piece before percent") << "10%%" << "";
    QTest::newRow("empty piece first") << "%5%" << "";
    QTest::newRow("thousands separator") << "1,000" << "1,000";
    QTest::newRow("two points") << "1.2.3%" << "1.2.3";
    QTest::newRow("Thai digits") << QStringLiteral("๑๐%") << QStringLiteral("๑๐");
    QTest::newRow("infinity") << "inf" << "inf";
}

void TstRoundDecimal::badDiscount()
{
    QFETCH(QString, text);
    QFETCH(QString, piece);
    QString bad = QStringLiteral("unset");
    QVERIFY(!TryApplyDiscountText(text, 1000.0, &bad).has_value());
    QCOMPARE(bad, piece);
    try {
        ApplyDiscountText(text, 1000.0);
        QFAIL("no error for a piece that is not a number");
    } catch (const NkError& e) {
        QCOMPARE(e.message(), DiscountTextErrorMessage(text, piece));
        QVERIFY(e.message().contains(QStringLiteral("ไม่ใช่ตัวเลข")));
        QVERIFY(e.message().contains(u'"' + piece + u'"'));
    }
}

QTEST_GUILESS_MAIN(TstRoundDecimal)
#include "tst_RoundDecimal.moc"
