#include "app/MessageService.h"
#include "data/TDM.h"
#include "support/TestEnv.h"

#include <QTest>

// Accounting periods of the years 2026 and 2027; the 2027 row overlaps the end of 2026 and,
// being the later year, decides there.
class TstPeriodGuard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void checkPeriod_data();
    void checkPeriod();
    void lockVisibleAfterRefresh();

private:
    void setPeriod(int year, int period, const QString& start, const QString& stop,
                   const QVariant& lock);
    TestEnv* m_env = nullptr;
};

static const QString Message =
    QStringLiteral("รอบบัญชีนี้ถูกผ่านรายการบัญชีไปแล้ว ไม่สามารถเพิ่มเติม หรือ แก้ไขได้");

void TstPeriodGuard::setPeriod(int year, int period, const QString& start, const QString& stop,
                               const QVariant& lock)
{
    const QString n = QString::number(period);
    m_env->exec(QStringLiteral("update accountperiod set Start%1=:start, Stop%1=:stop, Lock%1=:lock "
                               "where AccountYear=:year").arg(n),
                {{QStringLiteral("start"), start}, {QStringLiteral("stop"), stop},
                 {QStringLiteral("lock"), lock}, {QStringLiteral("year"), year}});
}

void TstPeriodGuard::initTestCase()
{
    m_env = new TestEnv;
}

void TstPeriodGuard::cleanupTestCase()
{
    delete m_env;
    m_env = nullptr;
}

void TstPeriodGuard::init()
{
    m_env->exec(QStringLiteral("delete from accountperiod"));
    m_env->exec(QStringLiteral("insert into accountperiod (AccountYear) values (2026)"));
    m_env->exec(QStringLiteral("insert into accountperiod (AccountYear) values (2027)"));
    for (int m = 1; m <= 12; ++m) {
        const QDate first(2026, m, 1);
        setPeriod(2026, m, first.toString(QStringLiteral("yyyy-MM-dd 00:00:00")),
                  first.addMonths(1).addDays(-1).toString(QStringLiteral("yyyy-MM-dd 00:00:00")),
                  QStringLiteral("N"));
    }
    setPeriod(2026, 1, QStringLiteral("2026-01-01 00:00:00"), QStringLiteral("2026-01-31 00:00:00"),
              QStringLiteral("Y"));
    setPeriod(2026, 2, QStringLiteral("2026-02-01 00:00:00"), QStringLiteral("2026-02-28 00:00:00"),
              QStringLiteral("y"));
    setPeriod(2026, 4, QStringLiteral("2026-04-01 00:00:00"), QStringLiteral("2026-04-30 00:00:00"),
              QString(""));
    setPeriod(2026, 5, QStringLiteral("2026-05-01 00:00:00"), QStringLiteral("2026-05-31 00:00:00"),
              QVariant());
    setPeriod(2026, 6, QStringLiteral("2026-06-01 00:00:00"), QStringLiteral("2026-06-30 00:00:00"),
              QStringLiteral("Y"));
    // A start stored with a time of day: the morning of that day is not yet in the period.
    setPeriod(2026, 7, QStringLiteral("2026-07-01 08:00:00"), QStringLiteral("2026-07-31 00:00:00"),
              QStringLiteral("Y"));
    setPeriod(2026, 11, QStringLiteral("2026-11-01 00:00:00"), QStringLiteral("2026-11-30 00:00:00"),
              QStringLiteral("N"));
    setPeriod(2026, 12, QStringLiteral("2026-12-01 00:00:00"), QStringLiteral("2026-12-31 00:00:00"),
              QStringLiteral("Y"));
    // The later year covers December open and November locked.
    setPeriod(2027, 1, QStringLiteral("2026-12-01 00:00:00"), QStringLiteral("2026-12-31 00:00:00"),
              QStringLiteral("N"));
    setPeriod(2027, 12, QStringLiteral("2026-11-01 00:00:00"), QStringLiteral("2026-11-30 00:00:00"),
              QStringLiteral("Y"));
    DM->RefreshConfig();
    MessageService::clearShown();
}

void TstPeriodGuard::checkPeriod_data()
{
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<bool>("open");
    auto at = [](int y, int m, int d, int h = 0, int min = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, min));
    };
    QTest::newRow("stop day of a locked period") << at(2026, 1, 31) << false;
    QTest::newRow("first day of a locked period") << at(2026, 1, 1) << false;
    QTest::newRow("day after, next period open") << at(2026, 2, 1) << true;
    QTest::newRow("late evening of the stop day") << at(2026, 1, 31, 23, 59) << false;
    QTest::newRow("late evening in an open period") << at(2026, 2, 1, 23, 59) << true;
    QTest::newRow("late evening in a locked period") << at(2026, 6, 15, 22, 45) << false;
    QTest::newRow("lower-case y is open") << at(2026, 2, 14) << true;
    QTest::newRow("N is open") << at(2026, 3, 10) << true;
    QTest::newRow("empty lock is open") << at(2026, 4, 10) << true;
    QTest::newRow("null lock is open") << at(2026, 5, 10) << true;
    QTest::newRow("before a start with a time of day") << at(2026, 7, 1, 23, 0) << true;
    QTest::newRow("after a start with a time of day") << at(2026, 7, 2) << false;
    QTest::newRow("no period of any year") << at(2025, 12, 31) << true;
    QTest::newRow("far future") << at(2030, 1, 1) << true;
    QTest::newRow("later year opens an overlap") << at(2026, 12, 15) << true;
    QTest::newRow("later year locks an overlap") << at(2026, 11, 15) << false;
}

void TstPeriodGuard::checkPeriod()
{
    QFETCH(QDateTime, date);
    QFETCH(bool, open);
    QCOMPARE(MessageService::tell(DM->CheckPeriod(date)), open);
    if (open) {
        QVERIFY(MessageService::shown().isEmpty());
    } else {
        QCOMPARE(MessageService::shown().size(), 1);
        QCOMPARE(MessageService::shown().first().kind, MessageService::Kind::Information);
        QCOMPARE(MessageService::lastText(), Message);
    }
}

void TstPeriodGuard::lockVisibleAfterRefresh()
{
    const QDateTime date(QDate(2026, 3, 10), QTime(9, 0));
    QVERIFY(MessageService::tell(DM->CheckPeriod(date)));
    setPeriod(2026, 3, QStringLiteral("2026-03-01 00:00:00"), QStringLiteral("2026-03-31 00:00:00"),
              QStringLiteral("Y"));
    QVERIFY(MessageService::tell(DM->CheckPeriod(date))); // another user's lock: not seen until the next refresh
    DM->RefreshConfig();
    QVERIFY(!MessageService::tell(DM->CheckPeriod(date)));
    QCOMPARE(MessageService::lastText(), Message);
}

QTEST_GUILESS_MAIN(TstPeriodGuard)
#include "tst_PeriodGuard.moc"
