#include "print/AmountWords.h"

#include <QTest>
#include <limits>

class TstAmountWords : public QObject {
    Q_OBJECT
private slots:
    void thaiNumber_data();
    void thaiNumber();
    void englishNumber_data();
    void englishNumber();
    void amounts_data();
    void amounts();
    void split_data();
    void split();
};

void TstAmountWords::thaiNumber_data()
{
    QTest::addColumn<qint64>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0") << qint64(0) << QString();
    QTest::newRow("1") << qint64(1) << QStringLiteral("หนึ่ง");
    QTest::newRow("2") << qint64(2) << QStringLiteral("สอง");
    QTest::newRow("10") << qint64(10) << QStringLiteral("สิบ");
    QTest::newRow("11") << qint64(11) << QStringLiteral("สิบเอ็ด");
    QTest::newRow("20") << qint64(20) << QStringLiteral("ยี่สิบ");
    QTest::newRow("21") << qint64(21) << QStringLiteral("ยี่สิบเอ็ด");
    QTest::newRow("32") << qint64(32) << QStringLiteral("สามสิบสอง");
    QTest::newRow("100") << qint64(100) << QStringLiteral("หนึ่งร้อย");
    QTest::newRow("101") << qint64(101) << QStringLiteral("หนึ่งร้อยเอ็ด");
    QTest::newRow("1250") << qint64(1250) << QStringLiteral("หนึ่งพันสองร้อยห้าสิบ");
    QTest::newRow("123456") << qint64(123456)
                            << QStringLiteral("หนึ่งแสนสองหมื่นสามพันสี่ร้อยห้าสิบหก");
    QTest::newRow("1,000,000") << qint64(1000000) << QStringLiteral("หนึ่งล้าน");
    QTest::newRow("1,000,001") << qint64(1000001) << QStringLiteral("หนึ่งล้านเอ็ด");
    QTest::newRow("10,000,000") << qint64(10000000) << QStringLiteral("สิบล้าน");
    QTest::newRow("21,000,000") << qint64(21000000) << QStringLiteral("ยี่สิบเอ็ดล้าน");
    QTest::newRow("2,147,483,647") << qint64(2147483647)
        << QStringLiteral("สองพันหนึ่งร้อยสี่สิบเจ็ดล้านสี่แสนแปดหมื่นสามพันหกร้อยสี่สิบเจ็ด");
    QTest::newRow("5,000,000,000") << qint64(5000000000LL) << QStringLiteral("ห้าพันล้าน");
    QTest::newRow("1,000,000,000,000") << qint64(1000000000000LL)
                                       << QStringLiteral("หนึ่งล้านล้าน");
    QTest::newRow("negative") << qint64(-5) << QString();
}

void TstAmountWords::thaiNumber()
{
    QFETCH(qint64, n);
    QFETCH(QString, expected);
    QCOMPARE(ThaiNumberWords(n), expected);
}

void TstAmountWords::englishNumber_data()
{
    QTest::addColumn<qint64>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0") << qint64(0) << "";
    QTest::newRow("negative") << qint64(-3) << "";
    QTest::newRow("7") << qint64(7) << "SEVEN ";
    QTest::newRow("13") << qint64(13) << "THIRTEEN ";
    QTest::newRow("20") << qint64(20) << "TWENTY ";
    QTest::newRow("40 FOURTY") << qint64(40) << "FOURTY ";
    QTest::newRow("44") << qint64(44) << "FOURTY FOUR ";
    QTest::newRow("99") << qint64(99) << "NINETY NINE ";
    QTest::newRow("100") << qint64(100) << "ONE  HUNDRED ";
    QTest::newRow("1,234") << qint64(1234) << "ONE  THOUSAND TWO  HUNDRED THIRTY FOUR ";
    QTest::newRow("15,000") << qint64(15000) << "FIFTEEN  THOUSAND ";
    QTest::newRow("20,000") << qint64(20000) << "TWENTY  THOUSAND ";
    QTest::newRow("40,000") << qint64(40000) << "FOURTY  THOUSAND ";
    QTest::newRow("45,000") << qint64(45000) << "FOURTY FIVE  THOUSAND ";
    QTest::newRow("999,999") << qint64(999999)
        << "NINE  HUNDRED NINETY NINE  THOUSAND NINE  HUNDRED NINETY NINE ";
    QTest::newRow("1,000,000") << qint64(1000000) << "ONE  MILLION ";
    QTest::newRow("10,000,000") << qint64(10000000) << "TEN  MILLION ";
    QTest::newRow("2,500,001") << qint64(2500001) << "TWO  MILLION FIVE  HUNDRED  THOUSAND ONE ";
    QTest::newRow("3,000,000,000") << qint64(3000000000LL) << "THREE  THOUSAND  MILLION ";
}

void TstAmountWords::englishNumber()
{
    QFETCH(qint64, n);
    QFETCH(QString, expected);
    QCOMPARE(EnglishNumberWords(n), expected);
}

void TstAmountWords::amounts_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("thaiBaht");
    QTest::addColumn<QString>("thaiDecimal");
    QTest::addColumn<QString>("englishBaht");
    QTest::addColumn<QString>("englishDecimal");

    QTest::newRow("0 prints nothing") << 0.0 << 2 << "" << "" << "" << "";
    QTest::newRow("1,250.50")
        << 1250.50 << 2 << QStringLiteral("หนึ่งพันสองร้อยห้าสิบบาทห้าสิบสตางค์")
        << QStringLiteral("หนึ่งพันสองร้อยห้าสิบจุดห้าสิบ")
        << "ONE  THOUSAND TWO  HUNDRED FIFTY  BAHT  AND FIFTY  SATANG"
        << "ONE  THOUSAND TWO  HUNDRED FIFTY   POINT FIFTY  ";
    QTest::newRow("1,234.50")
        << 1234.50 << 2 << QStringLiteral("หนึ่งพันสองร้อยสามสิบสี่บาทห้าสิบสตางค์")
        << QStringLiteral("หนึ่งพันสองร้อยสามสิบสี่จุดห้าสิบ")
        << "ONE  THOUSAND TWO  HUNDRED THIRTY FOUR  BAHT  AND FIFTY  SATANG"
        << "ONE  THOUSAND TWO  HUNDRED THIRTY FOUR   POINT FIFTY  ";
    QTest::newRow("21.00") << 21.0 << 2 << QStringLiteral("ยี่สิบเอ็ดบาทถ้วน")
                           << QStringLiteral("ยี่สิบเอ็ด") << "TWENTY ONE  BAHT  ONLY"
                           << "TWENTY ONE   ONLY";
    QTest::newRow("12.50") << 12.5 << 2 << QStringLiteral("สิบสองบาทห้าสิบสตางค์")
                           << QStringLiteral("สิบสองจุดห้าสิบ")
                           << "TWELVE  BAHT  AND FIFTY  SATANG" << "TWELVE   POINT FIFTY  ";
    QTest::newRow("0.75 has no word for zero baht")
        << 0.75 << 2 << QStringLiteral("บาทเจ็ดสิบห้าสตางค์") << QStringLiteral("จุดเจ็ดสิบห้า")
        << " BAHT  AND SEVENTY FIVE  SATANG" << "  POINT SEVENTY FIVE  ";
    QTest::newRow(".05 satang") << 3.05 << 2 << QStringLiteral("สามบาทห้าสตางค์")
                                << QStringLiteral("สามจุดห้า") << "THREE  BAHT  AND FIVE  SATANG"
                                << "THREE   POINT FIVE  ";
    QTest::newRow("1,000,000") << 1000000.0 << 2 << QStringLiteral("หนึ่งล้านบาทถ้วน")
                               << QStringLiteral("หนึ่งล้าน") << "ONE  MILLION  BAHT  ONLY"
                               << "ONE  MILLION   ONLY";
    QTest::newRow("10,000,000") << 10000000.0 << 2 << QStringLiteral("สิบล้านบาทถ้วน")
                                << QStringLiteral("สิบล้าน") << "TEN  MILLION  BAHT  ONLY"
                                << "TEN  MILLION   ONLY";
    QTest::newRow("40 FOURTY") << 40.0 << 2 << QStringLiteral("สี่สิบบาทถ้วน")
                               << QStringLiteral("สี่สิบ") << "FOURTY  BAHT  ONLY"
                               << "FOURTY   ONLY";
    QTest::newRow("last decimal rounded") << 10.999 << 2 << QStringLiteral("สิบเอ็ดบาทถ้วน")
                                          << QStringLiteral("สิบเอ็ด") << "ELEVEN  BAHT  ONLY"
                                          << "ELEVEN   ONLY";
    QTest::newRow("tiny amount rounds to 0 baht") << 0.001 << 2 << QStringLiteral("บาทถ้วน")
                                                  << "" << " BAHT  ONLY" << "  ONLY";
    QTest::newRow("one decimal") << 5.5 << 1 << QStringLiteral("ห้าบาทห้าสตางค์")
                                 << QStringLiteral("ห้าจุดห้า") << "FIVE  BAHT  AND FIVE  SATANG"
                                 << "FIVE   POINT FIVE  ";
    // Decimals 0: whole baht, rounded half away from zero.
    QTest::newRow("0 decimals") << 12.5 << 0 << QStringLiteral("สิบสามบาทถ้วน")
                                << QStringLiteral("สิบสาม") << "THIRTEEN  BAHT  ONLY"
                                << "THIRTEEN   ONLY";
    // Negative amounts: the magnitude after ลบ / MINUS.
    QTest::newRow("negative") << -100.25 << 2 << QStringLiteral("ลบหนึ่งร้อยบาทยี่สิบห้าสตางค์")
                              << QStringLiteral("ลบหนึ่งร้อยจุดยี่สิบห้า")
                              << "MINUS ONE  HUNDRED  BAHT  AND TWENTY FIVE  SATANG"
                              << "MINUS ONE  HUNDRED   POINT TWENTY FIVE  ";
    QTest::newRow("negative rounding to zero has no sign")
        << -0.001 << 2 << QStringLiteral("บาทถ้วน") << "" << " BAHT  ONLY" << "  ONLY";
    // Integer parts beyond 32 bits.
    QTest::newRow("3,000,000,000.01")
        << 3000000000.01 << 2 << QStringLiteral("สามพันล้านบาทหนึ่งสตางค์")
        << QStringLiteral("สามพันล้านจุดหนึ่ง")
        << "THREE  THOUSAND  MILLION  BAHT  AND ONE  SATANG"
        << "THREE  THOUSAND  MILLION   POINT ONE  ";
    QTest::newRow("too large") << 1e18 << 2 << "ERROR" << "ERROR" << "ERROR" << "ERROR";
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 2 << "ERROR"
                              << "ERROR" << "ERROR" << "ERROR";
}

void TstAmountWords::amounts()
{
    QFETCH(double, amount);
    QFETCH(int, decimals);
    QFETCH(QString, thaiBaht);
    QFETCH(QString, thaiDecimal);
    QFETCH(QString, englishBaht);
    QFETCH(QString, englishDecimal);
    QCOMPARE(ThaiBahtText(amount, decimals), thaiBaht);
    QCOMPARE(ThaiDecimalText(amount, decimals), thaiDecimal);
    QCOMPARE(EnglishBahtText(amount, decimals), englishBaht);
    QCOMPARE(EnglishDecimalText(amount, decimals), englishDecimal);
}

void TstAmountWords::split_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<qint64>("integer");
    QTest::addColumn<qint64>("fraction");
    QTest::newRow(".05 gives 5") << 7.05 << 2 << qint64(7) << qint64(5);
    QTest::newRow(".50 gives 50") << 7.5 << 2 << qint64(7) << qint64(50);
    QTest::newRow("18 digits show the binary value") << 1.015 << 2 << qint64(1) << qint64(1);
    QTest::newRow("0 decimals round half up") << 2.5 << 0 << qint64(3) << qint64(0);
    QTest::newRow("three decimals") << 1.5 << 3 << qint64(1) << qint64(500);
    QTest::newRow("largest") << 999999999999999872.0 << 2 << qint64(999999999999999872LL) << qint64(0);
    QTest::newRow("18 decimals") << 0.5 << 18 << qint64(0) << qint64(500000000000000000LL);
}

void TstAmountWords::split()
{
    QFETCH(double, amount);
    QFETCH(int, decimals);
    QFETCH(qint64, integer);
    QFETCH(qint64, fraction);
    const AmountParts p = SplitAmount(amount, decimals);
    QVERIFY(p.valid);
    QCOMPARE(p.integer, integer);
    QCOMPARE(p.fraction, fraction);
}

QTEST_GUILESS_MAIN(TstAmountWords)
#include "tst_AmountWords.moc"
