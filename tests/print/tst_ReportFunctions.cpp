#include "data/TDM.h"
#include "print/ReportFunctions.h"
#include "support/TestEnv.h"

#include <QTest>

// The seven user functions as the report engine calls them.
class TstReportFunctions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void call_data();
    void call();
    void unknownNameLeavesResult();
    void tooFewArguments();

private:
    TestEnv* m_env = nullptr;
    int m_piece = 0;
    int m_box = 0;
};

void TstReportFunctions::initTestCase()
{
    m_env = new TestEnv;
    m_env->exec(QStringLiteral("update Config set UnitLeft = '', UnitRight = ''"));
    DM->RefreshConfig();
    m_env->exec(QStringLiteral("insert into ProductUnits (Product, UnitName, Fraction, SmallUnitFlag, "
                               "StockUnitFlag) values (900011, 'piece', 1, 'Y', 'N')"));
    m_env->exec(QStringLiteral("insert into ProductUnits (Product, UnitName, Fraction, SmallUnitFlag, "
                               "StockUnitFlag) values (900011, 'box', 12, 'N', 'Y')"));
    m_piece = m_env->scalar(QStringLiteral("select Id from ProductUnits where Product = 900011 and UnitName = 'piece'")).toInt();
    m_box = m_env->scalar(QStringLiteral("select Id from ProductUnits where Product = 900011 and UnitName = 'box'")).toInt();
}

void TstReportFunctions::cleanupTestCase()
{
    delete m_env;
    m_env = nullptr;
}

void TstReportFunctions::call_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariantList>("args");
    QTest::addColumn<QString>("expected");
    // Unit ids are filled in by call(): -1 stands for the box, -2 for the piece.
    QTest::newRow("TELL_REAL_THAI") << "TELL_REAL_THAI" << QVariantList{1250.5, 2}
                                    << QStringLiteral("หนึ่งพันสองร้อยห้าสิบบาทห้าสิบสตางค์");
    QTest::newRow("lower case name") << "tell_real_thai" << QVariantList{21, 2}
                                     << QStringLiteral("ยี่สิบเอ็ดบาทถ้วน");
    QTest::newRow("TELL_REAL_THAI2") << "TELL_REAL_THAI2" << QVariantList{12.5, 2}
                                     << QStringLiteral("สิบสองจุดห้าสิบ");
    QTest::newRow("TELL_REAL_ENG") << "Tell_Real_Eng" << QVariantList{1234.5, 2}
                                   << "ONE  THOUSAND TWO  HUNDRED THIRTY FOUR  BAHT  AND FIFTY  SATANG";
    QTest::newRow("TELL_REAL_ENG2") << "TELL_REAL_ENG2" << QVariantList{40, 2} << "FOURTY   ONLY";
    QTest::newRow("arguments as texts") << "TELL_REAL_ENG" << QVariantList{"0.75", "2"}
                                        << " BAHT  AND SEVENTY FIVE  SATANG";
    QTest::newRow("ONHANDQUANTITY") << "ONHANDQUANTITY" << QVariantList{30, -1} << "2 box 6 piece";
    QTest::newRow("ONHANDQUANTITYLSUNIT 1") << "ONHANDQUANTITYLSUNIT" << QVariantList{30, -1, 1}
                                            << "2 box";
    QTest::newRow("ONHANDQUANTITYLSUNIT 2") << "ONHANDQUANTITYLSUNIT" << QVariantList{30, -1, 2}
                                            << " 6 piece";
    QTest::newRow("FRACSMALLBYSTOCK") << "FRACSMALLBYSTOCK" << QVariantList{18, -2} << "1;1/2  box";
}

void TstReportFunctions::call()
{
    QFETCH(QString, name);
    QFETCH(QVariantList, args);
    QFETCH(QString, expected);
    for (QVariant& a : args) {
        if (a.typeId() == QMetaType::Int && a.toInt() == -1)
            a = m_box;
        else if (a.typeId() == QMetaType::Int && a.toInt() == -2)
            a = m_piece;
    }
    QVariant result = QStringLiteral("before");
    QVERIFY(isReportUserFunction(name));
    QVERIFY(callReportUserFunction(name, args, result));
    QCOMPARE(result.toString(), expected);
}

void TstReportFunctions::unknownNameLeavesResult()
{
    QVariant result = QStringLiteral("before");
    QVERIFY(!callReportUserFunction(QStringLiteral("TELL_REAL_LAO"), {1, 2}, result));
    QCOMPARE(result.toString(), QStringLiteral("before"));
    QVERIFY(!isReportUserFunction(QStringLiteral("TELL_REAL_LAO")));
    QCOMPARE(reportUserFunctionNames().size(), 7);
    for (const QString& n : reportUserFunctionNames())
        QVERIFY2(isReportUserFunction(n), qPrintable(n));
}

void TstReportFunctions::tooFewArguments()
{
    QVariant result;
    QVERIFY(callReportUserFunction(QStringLiteral("ONHANDQUANTITYLSUNIT"), {30, m_box}, result));
    QCOMPARE(result.toString(), QStringLiteral("ERROR"));
}

QTEST_GUILESS_MAIN(TstReportFunctions)
#include "tst_ReportFunctions.moc"
