#include "data/TDM.h"
#include "support/TestEnv.h"

#include <QTest>

// TDM's unit texts read from ProductUnits: a product counted in pieces with a box of 12 as
// stock unit, a product without stock unit and a product whose stock unit holds 0 pieces.
class TstUnitTextDb : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void qtyText_data();
    void qtyText();
    void unitTextsAroundNames();
    void qtyPart_data();
    void qtyPart();
    void fractionText_data();
    void fractionText();

private:
    int addUnit(int product, const QString& name, int fraction, bool small, bool stock);
    TestEnv* m_env = nullptr;
    QHash<QString, int> m_unit;
};

static constexpr int Boxed = 900001;
static constexpr int NoStockUnit = 900002;
static constexpr int ZeroStockUnit = 900003;
static constexpr int MissingUnit = 999999;

int TstUnitTextDb::addUnit(int product, const QString& name, int fraction, bool small, bool stock)
{
    m_env->exec(QStringLiteral("insert into ProductUnits (Product, UnitName, Fraction, SmallUnitFlag, "
                               "StockUnitFlag) values (:p, :n, :f, :s, :k)"),
                {{QStringLiteral("p"), product}, {QStringLiteral("n"), name},
                 {QStringLiteral("f"), fraction},
                 {QStringLiteral("s"), small ? QStringLiteral("Y") : QStringLiteral("N")},
                 {QStringLiteral("k"), stock ? QStringLiteral("Y") : QStringLiteral("N")}});
    return m_env->scalar(QStringLiteral("select Id from ProductUnits where Product = :p and UnitName = :n"),
                         {{QStringLiteral("p"), product}, {QStringLiteral("n"), name}})
        .toInt();
}

void TstUnitTextDb::initTestCase()
{
    m_env = new TestEnv;
    m_env->exec(QStringLiteral("update Config set UnitLeft = '', UnitRight = ''"));
    DM->RefreshConfig();
    m_unit[QStringLiteral("piece")] = addUnit(Boxed, QStringLiteral("piece"), 1, true, false);
    m_unit[QStringLiteral("box")] = addUnit(Boxed, QStringLiteral("box"), 12, false, true);
    m_unit[QStringLiteral("zero")] = addUnit(Boxed, QStringLiteral("zero"), 0, false, false);
    m_unit[QStringLiteral("loose")] = addUnit(NoStockUnit, QStringLiteral("loose"), 1, true, false);
    m_unit[QStringLiteral("bag")] = addUnit(NoStockUnit, QStringLiteral("bag"), 10, false, false);
    m_unit[QStringLiteral("grain")] = addUnit(ZeroStockUnit, QStringLiteral("grain"), 1, true, false);
    m_unit[QStringLiteral("sack")] = addUnit(ZeroStockUnit, QStringLiteral("sack"), 0, false, true);
    m_unit[QStringLiteral("missing")] = MissingUnit;
}

void TstUnitTextDb::cleanupTestCase()
{
    delete m_env;
    m_env = nullptr;
}

void TstUnitTextDb::qtyText_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("q");
    QTest::addColumn<QString>("expected");
    QTest::newRow("30") << "box" << 30.0 << "2 box 6 piece";
    QTest::newRow("-30") << "box" << -30.0 << "- 2 box 6 piece";
    QTest::newRow("small unit itself") << "piece" << 1234.5 << "1,234.5 piece";
    QTest::newRow("unit of fraction 0") << "zero" << 5.0 << "5 zero 5 piece";
    QTest::newRow("unknown unit") << "missing" << -30.0 << "30 ERROR";
}

void TstUnitTextDb::qtyText()
{
    QFETCH(QString, unit);
    QFETCH(double, q);
    QFETCH(QString, expected);
    QCOMPARE(DM->UnitQtyText(m_unit.value(unit), q), expected);
}

void TstUnitTextDb::unitTextsAroundNames()
{
    m_env->exec(QStringLiteral("update Config set UnitLeft = '<', UnitRight = '> '"));
    DM->RefreshConfig();
    const QString text = DM->UnitQtyText(m_unit.value(QStringLiteral("box")), 30);
    const QString part = DM->UnitQtyPart(m_unit.value(QStringLiteral("box")), 1, 30);
    m_env->exec(QStringLiteral("update Config set UnitLeft = '', UnitRight = ''"));
    DM->RefreshConfig();
    QCOMPARE(text, QStringLiteral("2 <box>  6 <piece>"));
    QCOMPARE(part, QStringLiteral("2 box")); // parts never carry them
}

void TstUnitTextDb::qtyPart_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("part");
    QTest::addColumn<double>("q");
    QTest::addColumn<QString>("expected");
    QTest::newRow("5 part 2") << "box" << 2 << 5.0 << " 5 piece";
    QTest::newRow("30 part 1") << "box" << 1 << 30.0 << "2 box";
    QTest::newRow("part 3") << "box" << 3 << 30.0 << "30 IDERROR";
    QTest::newRow("unknown unit") << "missing" << 1 << 30.0 << "30 ERROR";
}

void TstUnitTextDb::qtyPart()
{
    QFETCH(QString, unit);
    QFETCH(int, part);
    QFETCH(double, q);
    QFETCH(QString, expected);
    QCOMPARE(DM->UnitQtyPart(m_unit.value(unit), part, q), expected);
}

void TstUnitTextDb::fractionText_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("q");
    QTest::addColumn<QString>("expected");
    QTest::newRow("18 pieces") << "piece" << 18.0 << "1;1/2  box";
    QTest::newRow("8 pieces") << "piece" << 8.0 << ";2/3  box";
    QTest::newRow("1.5 boxes") << "box" << 1.5 << "1;1/2  box";
    QTest::newRow("no stock unit") << "bag" << 3.0 << "ERROR";
    QTest::newRow("stock unit of fraction 0") << "grain" << 5.0 << "ERROR";
    QTest::newRow("unknown unit") << "missing" << 5.0 << "ERROR";
}

void TstUnitTextDb::fractionText()
{
    QFETCH(QString, unit);
    QFETCH(double, q);
    QFETCH(QString, expected);
    QCOMPARE(DM->UnitFractionText(m_unit.value(unit), q), expected);
}

QTEST_GUILESS_MAIN(TstUnitTextDb)
#include "tst_UnitTextDb.moc"
