#include "data/NumberFormat.h"

#include <QTest>
#include <limits>

class TstNumberFormat : public QObject {
    Q_OBJECT
private slots:
    void format_data();
    void format();
    void fixedText_data();
    void fixedText();
    void reuseIsStable();
};

void TstNumberFormat::format_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    const QString qty = QStringLiteral("###,###,##0.###### ");
    QTest::newRow("qty 1234.5") << qty << 1234.5 << "1,234.5 ";
    QTest::newRow("qty 0") << qty << 0.0 << "0 ";
    QTest::newRow("qty whole") << qty << 30.0 << "30 ";
    QTest::newRow("qty six places rounded") << qty << 1.23456789 << "1.234568 ";
    QTest::newRow("qty million") << qty << 1234567.0 << "1,234,567 ";
    QTest::newRow("qty beyond the places") << qty << 12345678901234.0 << "12,345,678,901,234 ";
    QTest::newRow("qty beyond 32 bits") << qty << 3000000000.0 << "3,000,000,000 ";
    QTest::newRow("qty negative, no section") << qty << -1234.5 << "-1,234.5 ";
    QTest::newRow("qty binary noise") << qty << (0.1 + 0.2) << "0.3 ";

    const QString whole = QStringLiteral("###,###,##0 ");
    QTest::newRow("whole 2") << whole << 2.0 << "2 ";
    QTest::newRow("whole 1000") << whole << 1000.0 << "1,000 ";
    QTest::newRow("whole rounds half up") << whole << 2.5 << "3 ";

    const QString rest = QStringLiteral(" ######.###### ");
    QTest::newRow("rest 6") << rest << 6.0 << " 6 ";
    QTest::newRow("rest 0.5") << rest << 0.5 << " .5 ";
    QTest::newRow("rest 6.5") << rest << 6.5 << " 6.5 ";
    QTest::newRow("rest 0") << rest << 0.0 << "  ";
    QTest::newRow("rest no thousands") << rest << 1234.0 << " 1234 ";
    QTest::newRow("rest beyond the places") << rest << 12345678.0 << " 12345678 ";
    QTest::newRow("rest negative") << rest << -0.5 << " -.5 ";

    const QString term = QStringLiteral("#,###.##;-#,###.##");
    QTest::newRow("term 1234") << term << 1234.0 << "1,234";
    QTest::newRow("term 0") << term << 0.0 << "";
    QTest::newRow("term -1234.5") << term << -1234.5 << "-1,234.5";
    QTest::newRow("term 1.005") << term << 1.005 << "1.01";
    QTest::newRow("term -0.001 is zero") << term << -0.001 << "";

    const QString conv = QStringLiteral("0.##;-0.##");
    QTest::newRow("conv 2.999") << conv << 2.999 << "3";
    QTest::newRow("conv 7.5") << conv << 7.5 << "7.5";
    QTest::newRow("conv -7.5") << conv << -7.5 << "-7.5";
    QTest::newRow("conv 0") << conv << 0.0 << "0";
    QTest::newRow("conv 0.004") << conv << 0.004 << "0";
    QTest::newRow("conv -0.004 is not negative") << conv << -0.004 << "0";

    QTest::newRow("#,##0.00") << "#,##0.00" << 1234567.891 << "1,234,567.89";
    QTest::newRow("#,##0.00 zero") << "#,##0.00" << 0.0 << "0.00";
    QTest::newRow("#,##0.00 half up") << "#,##0.00" << 2.675 << "2.68";
    QTest::newRow("#,##0.00 negative") << "#,##0.00" << -2.5 << "-2.50";
    QTest::newRow("###0.00") << "###0.00" << 1234567.891 << "1234567.89";
    QTest::newRow(",0.00") << ",0.00" << 1234.5 << "1,234.50";
    QTest::newRow(",0.00 small") << ",0.00" << 0.05 << "0.05";
    QTest::newRow(",0.000") << ",0.000" << 12.3456 << "12.346";
    QTest::newRow(",0.0000000") << ",0.0000000" << 35.12345678 << "35.1234568";
    QTest::newRow(",0.00;-,0.00 neg") << ",0.00;-,0.00" << -1500.0 << "-1,500.00";
    QTest::newRow(",0.00;(,0.00) neg") << ",0.00;(,0.00)" << -1500.0 << "(1,500.00)";
    QTest::newRow("###,###,##0.00") << "###,###,##0.00" << 70.0 << "70.00";
    QTest::newRow("carry into a new digit") << "#,##0.00" << 999.999 << "1,000.00";
    QTest::newRow("leading zeros") << "000" << 7.0 << "007";
    QTest::newRow("zero section") << "0.00;-0.00;nil" << 0.0 << "nil";
    QTest::newRow("quoted literal") << "0.00' baht'" << 5.0 << "5.00 baht";
    QTest::newRow("literal between digits") << "00-00" << 1234.0 << "12-34";
    QTest::newRow("no integer place") << ".00" << 12.5 << "12.50";
    QTest::newRow("no integer place, thousands") << ",.00" << 1234.5 << "1,234.50";
    QTest::newRow("no integer place, below 1") << ".00" << 0.5 << ".50";
    QTest::newRow("no integer place, negative") << "'USD '.00" << -7.25 << "USD -7.25";
    QTest::newRow("empty pattern") << "" << 1.5 << "1.5";
    QTest::newRow("NaN") << "0.00" << std::numeric_limits<double>::quiet_NaN() << "NAN";
}

void TstNumberFormat::format()
{
    QFETCH(QString, pattern);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatFloat(pattern, value), expected);
}

void TstNumberFormat::fixedText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("significant");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1250.5 / 2") << 1250.5 << 18 << 2 << "1250.50";
    QTest::newRow("0.125 half up") << 0.125 << 18 << 2 << "0.13";
    QTest::newRow("no decimals") << 2.5 << 18 << 0 << "3";
    QTest::newRow("negative") << -12.345 << 15 << 2 << "-12.35";
    QTest::newRow("negative rounds to zero") << -0.001 << 15 << 2 << "0.00";
    QTest::newRow("18 digits expose the binary value") << 1.015 << 18 << 2 << "1.01";
    QTest::newRow("15 digits do not") << 1.015 << 15 << 2 << "1.02";
    QTest::newRow("large") << 9876543210123.0 << 18 << 2 << "9876543210123.00";
}

void TstNumberFormat::fixedText()
{
    QFETCH(double, value);
    QFETCH(int, significant);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(NumberText::fixedText(value, significant, decimals), expected);
}

void TstNumberFormat::reuseIsStable()
{
    const NumberPattern p(QStringLiteral("###,###,##0.###### "));
    QCOMPARE(p.format(1234.5), QStringLiteral("1,234.5 "));
    QCOMPARE(p.format(-1), QStringLiteral("-1 "));
    QCOMPARE(p.format(1234.5), QStringLiteral("1,234.5 "));
}

QTEST_GUILESS_MAIN(TstNumberFormat)
#include "tst_NumberFormat.moc"
