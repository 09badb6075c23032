#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "support/TestEnv.h"

#include <QAbstractItemModelTester>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

// The cached data set against a small table of its own in the company database of the run's
// backend: which statements reach the database, with which values, and what survives a
// failed save.
class TstCachedDataSet : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> m_env;
    QSqlDatabase m_db;

    int count(const QString& where = {})
    {
        return Db::scalar(m_db, "select count(*) from Line" + (where.isEmpty() ? QString() : " where " + where))
            .toInt();
    }

    void setupLines(CachedDataSet& ds)
    {
        ds.setDatabase(m_db);
        ds.setSQL("select Id, Hd, Code, Qty from Line where Hd = :Hd order by Id");
        ds.setParam("Hd", 1);
        ds.setUpdateSQL("insert into Line (Hd, Code, Qty) values (:Hd, :Code, :Qty)",
                        "update Line set Code = :Code, Qty = :Qty where Id = :OLD_ID",
                        "delete from Line where Id = :OLD_ID");
        ds.Open();
    }

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<TestEnv>(TestEnv::Data::Empty);
        m_db = m_env->company();
    }
    void cleanupTestCase()
    {
        m_db = QSqlDatabase();
        m_env.reset();
    }
    void init()
    {
        Db::exec(m_db, "drop table if exists Line");
        m_env->exec("create table Line (Id integer primary key autoincrement, Hd integer, "
                    "Code text collate nocase, Qty real check (Qty >= 0))");
        Db::exec(m_db, "insert into Line (Hd, Code, Qty) values (1, 'A', 1), (1, 'B', 2), (2, 'C', 3)");
    }

    void fieldsAreCaseInsensitiveAndParametersBound()
    {
        CachedDataSet ds(nullptr, "QDt");
        setupLines(ds);
        QCOMPARE(ds.RecordCount(), 2);
        QCOMPARE(ds.FieldByName("code").toString(), QString("A"));
        QCOMPARE(ds.FieldByName("CODE").toString(), QString("A"));
        ds.Next();
        QCOMPARE(ds.AsString("Code"), QString("B"));
        ds.Next();
        QVERIFY(ds.Eof());
        QVERIFY_THROWS_EXCEPTION(NkError, ds.FieldByName("NoSuchField"));
    }

    // A missing number reads as empty, not as 0, on either backend.
    void missingNumberReadsEmpty()
    {
        Db::exec(m_db, "insert into Line (Hd, Code, Qty) values (3, 'N', null)");
        CachedDataSet ds(nullptr, "QDt");
        setupLines(ds);
        ds.Close();
        ds.setParam("Hd", 3);
        ds.Open();
        QVERIFY2(ds.FieldByName("Qty").isNull() && ds.FieldByName("Qty").toString().isEmpty(),
                 qPrintable("Qty read as " + ds.FieldByName("Qty").toString()));
    }

    void applySendsTheFittingStatementPerRow()
    {
        CachedDataSet ds;
        setupLines(ds);
        ds.First();
        ds.SetField("Qty", 5);          // modify A
        ds.Post();
        ds.Next();
        ds.Delete();                    // delete B
        ds.Append();                    // insert D
        ds.SetField("Hd", 1);
        ds.SetField("Code", "D");
        ds.SetField("Qty", 4);
        ds.Post();
        QVERIFY(ds.UpdatesPending());
        QCOMPARE(count(), 3);           // nothing written before applying

        Db::beginTransaction(m_db);
        ds.ApplyUpdates();
        Db::commit(m_db);
        ds.CommitUpdates();
        QVERIFY(!ds.UpdatesPending());
        QCOMPARE(Db::scalar(m_db, "select Qty from Line where Code = 'A'").toDouble(), 5.0);
        QCOMPARE(count("Code = 'B'"), 0);
        QCOMPARE(count("Code = 'D' and Hd = 1"), 1);
        QCOMPARE(count("Code = 'C'"), 1); // the other header's line is untouched
    }

    // Each inserted row learns its own Id from its insert, even when its values equal those
    // of another row; after the commit the row carries it, a failed apply leaves no Id.
    void insertedRowsTakeTheirIdFromTheInsert()
    {
        CachedDataSet ds;
        setupLines(ds);
        for (int i = 0; i < 2; ++i) {
            ds.Append();
            ds.SetField("Hd", 1);
            ds.SetField("Code", "SAME");
            ds.SetField("Qty", 5);
        }
        ds.Post();
        Db::exec(m_db, "begin");
        ds.ApplyUpdates();
        const int first = ds.InsertedId(2), second = ds.InsertedId(3);
        QCOMPARE(first, Db::scalar(m_db, "select min(Id) from Line where Code = 'SAME'").toInt());
        QCOMPARE(second, Db::scalar(m_db, "select max(Id) from Line where Code = 'SAME'").toInt());
        QVERIFY(first != second);
        QCOMPARE(ds.InsertedId(0), 0); // read, not inserted
        QVERIFY(ds.value(2, "Id").isNull()); // not before the commit
        Db::exec(m_db, "commit");
        ds.CommitUpdates();
        QCOMPARE(ds.value(2, "Id").toInt(), first);
        QCOMPARE(ds.value(3, "Id").toInt(), second);
        QCOMPARE(ds.InsertedId(2), 0);
    }

    void oldValuesBindTheRowAsRead()
    {
        // The update statement finds the row by its code as read, not as changed.
        CachedDataSet ds;
        setupLines(ds);
        ds.setUpdateSQL("", "update Line set Code = :Code where Code = :OLD_Code", "");
        ds.First();
        ds.SetField("Code", "Z");
        Db::beginTransaction(m_db);
        ds.ApplyUpdates();
        Db::commit(m_db);
        QCOMPARE(count("Code = 'Z'"), 1);
        QCOMPARE(count("Code = 'A'"), 0);
    }

    void failedSaveKeepsChangesAndRetrySucceeds()
    {
        CachedDataSet ds;
        setupLines(ds);
        ds.Append();
        ds.SetField("Hd", 1);
        ds.SetField("Code", "OK");
        ds.SetField("Qty", 1);
        ds.Append();
        ds.SetField("Hd", 1);
        ds.SetField("Code", "BAD");
        ds.SetField("Qty", -1); // refused by the table's check
        ds.Post();

        Db::beginTransaction(m_db);
        QVERIFY_THROWS_EXCEPTION(NkError, ds.ApplyUpdates());
        Db::rollback(m_db);
        QCOMPARE(count("Code in ('OK','BAD')"), 0); // nothing half-written
        QVERIFY(ds.UpdatesPending());

        ds.Last();
        ds.SetField("Qty", 2);
        Db::beginTransaction(m_db);
        ds.ApplyUpdates();
        Db::commit(m_db);
        ds.CommitUpdates();
        QCOMPARE(count("Code in ('OK','BAD')"), 2);
        QVERIFY(!ds.UpdatesPending());
    }

    void cancelAndDeleteOfNewRowsLeaveNoTrace()
    {
        CachedDataSet ds;
        setupLines(ds);
        ds.Append();
        ds.Cancel();
        QCOMPARE(ds.RecordCount(), 2);
        ds.Append();
        ds.SetField("Code", "X");
        ds.Post();
        ds.Delete();
        QCOMPARE(ds.RecordCount(), 2);
        QVERIFY(!ds.UpdatesPending());

        ds.First();
        ds.SetField("Code", "changed");
        ds.Cancel();
        QCOMPARE(ds.AsString("Code"), QString("A"));
        QVERIFY(!ds.UpdatesPending());
    }

    void cancelUpdatesRestoresRowsAsRead()
    {
        CachedDataSet ds;
        setupLines(ds);
        ds.First();
        ds.SetField("Code", "Q");
        ds.Next();
        ds.Delete();
        ds.Append();
        ds.SetField("Code", "NEW");
        ds.CancelUpdates();
        QCOMPARE(ds.RecordCount(), 2);
        QStringList codes;
        for (ds.First(); !ds.Eof(); ds.Next())
            codes << ds.AsString("Code");
        codes.sort();
        QCOMPARE(codes, QStringList({"A", "B"}));
    }

    void inMemoryTableAndModel()
    {
        CachedDataSet ds;
        ds.defineFields({"Code", "Amount", "DocDate"});
        ds.Open();
        CachedDataSetModel model(&ds);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setColumns({{"Code", "Code", 8},
                          {"Amount", "Amount", 12, "#,##0.00", "###0.00", false, Qt::AlignRight},
                          {"DocDate", "Date", 10, {}, {}, true, Qt::AlignLeft, true}});
        for (int i = 0; i < 3; ++i) {
            ds.Append();
            ds.SetField("Code", QString("C%1").arg(i));
            ds.SetField("Amount", 1234.5 * (i + 1));
            ds.SetField("DocDate", "2026-12-09 00:00:00");
            ds.Post();
        }
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.data(model.index(0, 1)).toString(), QString("1,234.50"));
        QCOMPARE(model.data(model.index(0, 1), Qt::EditRole).toString(), QString("1234.50"));
        QCOMPARE(model.data(model.index(0, 2)).toString(), QString("09/12/2026"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("Amount"));
        // Every second row is light blue; the first is not painted.
        QCOMPARE(model.data(model.index(1, 0), Qt::BackgroundRole).value<QColor>(), QColor(0xF0, 0xFB, 0xFF));
        QVERIFY(!model.data(model.index(0, 0), Qt::BackgroundRole).isValid());
        // Read-only columns refuse edits; typed numbers with commas are read.
        QVERIFY(!model.setData(model.index(0, 2), "01/01/2026"));
        QVERIFY(model.setData(model.index(2, 1), "2,000.25"));
        QCOMPARE(ds.value(2, "Amount").toDouble(), 2000.25);
        QVERIFY(!model.setData(model.index(2, 1), "abc"));
        ds.setRecNo(1);
        ds.Delete();
        QCOMPARE(model.rowCount(), 2);
    }

    void typedQuoteIsBoundNotPasted()
    {
        CachedDataSet ds;
        ds.setDatabase(m_db);
        ds.setSQL("select Code from Line where Code = :Code");
        ds.setParam("Code", "x' or '1'='1");
        ds.Open();
        QCOMPARE(ds.RecordCount(), 0);
        Db::exec(m_db, "insert into Line (Hd, Code, Qty) values (9, :c, 0)", {{"c", "O'NEIL"}});
        ds.Close();
        ds.setParam("Code", "o'neil"); // case-insensitive like the server
        ds.Open();
        QCOMPARE(ds.RecordCount(), 1);
    }

    // Stored date texts read back as the dates they name; what is not a date stays no date.
    void storedDateTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("date and time") << "2026-12-09 14:05:59" << QDateTime(QDate(2026, 12, 9), QTime(14, 5, 59));
        QTest::newRow("date only") << "2026-02-28" << QDateTime(QDate(2026, 2, 28), QTime(0, 0));
        QTest::newRow("blanks around") << "  2026-01-02 00:00:00 " << QDateTime(QDate(2026, 1, 2), QTime(0, 0));
        QTest::newRow("T between") << "2026-01-02T03:04:05" << QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5));
        QTest::newRow("fractions of a second") << "2026-01-02 03:04:05.250" << QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5));
        QTest::newRow("no such day") << "2026-02-30" << QDateTime();
        QTest::newRow("no such hour") << "2026-02-03 25:00:00" << QDateTime();
        QTest::newRow("sign in the year") << "-026-02-03" << QDateTime();
        QTest::newRow("letters") << "2026-0a-03" << QDateTime();
        QTest::newRow("empty") << "  " << QDateTime();
    }
    void storedDateTexts()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        QCOMPARE(Db::dateFromValue(text), expected);
    }
};

QTEST_GUILESS_MAIN(TstCachedDataSet)
#include "tst_cacheddataset.moc"
