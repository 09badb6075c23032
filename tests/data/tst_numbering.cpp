// Document numbers: padding, code lengths and numbering modes, the series sent to the
// server, writing a header with its number, and savers of one code at once.
#include "app/MessageService.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/Numbering.h"
#include "data/TDM.h"
#include "support/ImportDoc.h"
#include "support/TestEnv.h"

#include <QProcess>
#include <QtTest>

class TstNumbering : public QObject {
    Q_OBJECT

private:
    // Tables this test relies on; the statements do nothing where the schema has them.
    static void ensureTables(TestEnv& env)
    {
        env.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS DocumentNo (Id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                "Code TEXT COLLATE NOCASE NOT NULL, DocYear INTEGER NOT NULL, Description TEXT, "
                                "Prefix TEXT DEFAULT '', LastNo INTEGER NOT NULL DEFAULT 0, "
                                "DocumentLength INTEGER NOT NULL DEFAULT 10, AutoRun TEXT DEFAULT 'N', DocType TEXT)"));
        env.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS DocNoConvert (Id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                "Code TEXT COLLATE NOCASE NOT NULL, DocYear INTEGER NOT NULL, DocumentNo INTEGER NOT NULL)"));
        env.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS NumTestHd (Id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                "DocNo TEXT COLLATE NOCASE, DocDate TEXT)"));
        env.exec(QStringLiteral("delete from DocumentNo"));
        env.exec(QStringLiteral("delete from DocNoConvert"));
    }
    static void setConfig(TestEnv& env, int runYear, const QString& ivMonthly, const QString& rcptMonthly = QStringLiteral("N"))
    {
        env.exec(QStringLiteral("delete from Config"));
        env.exec(QStringLiteral("insert into Config (RunYear, LastIvRunMonth, LastRcptRunMonth) values (:y, :iv, :rc)"),
                 {{QStringLiteral("y"), runYear}, {QStringLiteral("iv"), ivMonthly}, {QStringLiteral("rc"), rcptMonthly}});
        DM->RefreshConfig();
    }
    static int addCode(TestEnv& env, const QString& code, int year, int length, const QString& autoRun,
                       const QString& prefix = {})
    {
        env.exec(QStringLiteral("insert into DocumentNo (Code, DocYear, Description, Prefix, LastNo, DocumentLength, AutoRun) "
                                "values (:c, :y, :c, :p, 0, :l, :a)"),
                 {{QStringLiteral("c"), code}, {QStringLiteral("y"), year}, {QStringLiteral("p"), prefix},
                  {QStringLiteral("l"), length}, {QStringLiteral("a"), autoRun}});
        return env.scalar(QStringLiteral("select Id from DocumentNo where Code = :c and DocYear = :y"),
                          {{QStringLiteral("c"), code}, {QStringLiteral("y"), year}})
            .toInt();
    }
    static int lastNo(TestEnv& env, const QString& code, int year)
    {
        return env.scalar(QStringLiteral("select LastNo from DocumentNo where Code = :c and DocYear = :y"),
                          {{QStringLiteral("c"), code}, {QStringLiteral("y"), year}})
            .toInt();
    }

private slots:
    void padLeft_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short number gets blanks in front") << "12" << 6 << " " << "    12";
        QTest::newRow("long number is cut to its first characters") << "1234567" << 6 << " " << "123456";
        QTest::newRow("blanks around the text are removed first") << "  AB1  " << 6 << " " << "   AB1";
        QTest::newRow("exact width unchanged") << "IM0001" << 6 << " " << "IM0001";
        QTest::newRow("month with zero") << "7" << 2 << "0" << "07";
        QTest::newRow("length zero gives empty") << "12" << 0 << " " << "";
        QTest::newRow("empty text is all fill") << "" << 3 << " " << "   ";
        QTest::newRow("Thai text counts characters") << QStringLiteral("ก ข") << 4 << " " << QStringLiteral(" ก ข");
    }
    void padLeft()
    {
        QFETCH(QString, text);
        QFETCH(int, length);
        QFETCH(QString, fill);
        QFETCH(QString, expected);
        QCOMPARE(PadLeft(text, length, fill.at(0)), expected);
    }

    void dateParts()
    {
        QCOMPARE(YearOfDate(QDateTime(QDate(2027, 1, 3), QTime(10, 0))), 2027);
        QCOMPARE(MonthOfDate(QDateTime(QDate(2026, 12, 31), QTime(23, 59))), 12);
        QCOMPARE(MonthOfDate(QDate(2026, 1, 1)), 1);
        QCOMPARE(YearOfDate(QDate()), 0);
        QCOMPARE(TrimLeadingSpaces(QStringLiteral("   12 ")), QStringLiteral("12 "));
        QCOMPARE(TrimLeadingSpaces(QStringLiteral("   ")), QString());
    }

    void monthlyCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("month");
        QTest::addColumn<bool>("invoices");
        QTest::addColumn<bool>("receipts");
        QTest::addColumn<QString>("expected");
        QTest::newRow("IV-P in December") << "IV-P" << 12 << true << false << "IV-P12";
        QTest::newRow("IV-P longer code, January") << "IV-PX" << 1 << true << false << "IV-P01";
        QTest::newRow("SO-P") << "SO-P" << 5 << true << false << "SO-P05";
        QTest::newRow("IV-P without monthly series") << "IV-P" << 12 << false << true << "IV-P";
        QTest::newRow("ARRCPT with monthly receipts") << "ARRCPT" << 3 << false << true << "ARRCPT-03";
        QTest::newRow("ARRCPT without") << "ARRCPT" << 3 << true << false << "ARRCPT";
        QTest::newRow("other codes unchanged") << "IMPORT" << 12 << true << true << "IMPORT";
        QTest::newRow("lower case is another code") << "iv-p" << 12 << true << true << "iv-p";
    }
    void monthlyCode()
    {
        QFETCH(QString, code);
        QFETCH(int, month);
        QFETCH(bool, invoices);
        QFETCH(bool, receipts);
        QFETCH(QString, expected);
        QCOMPARE(MonthlyDocCode(code, month, invoices, receipts), expected);
    }

    void docLengthAndAutoRun()
    {
        TestEnv env(TestEnv::Data::Empty, QDate(2026, 12, 9));
        ensureTables(env);
        setConfig(env, 2026, QStringLiteral("N"));
        addCode(env, QStringLiteral("IMPORT"), 2026, 8, QStringLiteral("Y"));
        addCode(env, QStringLiteral("IMPORT"), 2025, 4, QStringLiteral("N"));
        const int served = addCode(env, QStringLiteral("FRPO-P"), 2026, 6, QStringLiteral("N"));
        env.exec(QStringLiteral("insert into DocNoConvert (Code, DocYear, DocumentNo) values ('IMPORT2', 2026, :d)"),
                 {{QStringLiteral("d"), served}});

        DM->AutoRun = false;
        QCOMPARE(DM->GetDocLength(QStringLiteral("IMPORT")), 8); // the RunYear row, not 2025's
        QVERIFY(DM->AutoRun);

        // A converted code takes the width of the row serving it and keeps the previous mode.
        QCOMPARE(DM->GetDocLength(QStringLiteral("IMPORT2")), 6);
        QVERIFY(DM->AutoRun);

        QCOMPARE(DM->GetDocLength(QStringLiteral("FRPO-P")), 6);
        QVERIFY(!DM->AutoRun);
        QVERIFY(MessageService::shown().isEmpty());

        DM->AutoRun = true;
        QCOMPARE(DM->GetDocLength(QStringLiteral("NOPE")), 0);
        QVERIFY(!DM->AutoRun);
        QCOMPARE(MessageService::shown().size(), 1);
        QCOMPARE(MessageService::lastText(), QStringLiteral("ไม่พบรหัสเอกสาร NOPE\rปี 2026"));
        // With length 0 every typed number pads to the empty text.
        QCOMPARE(PadLeft(QStringLiteral("123"), 0), QString());
    }

    void newDocNoSeries_data()
    {
        QTest::addColumn<QString>("ivMonthly");
        QTest::addColumn<QDate>("docDate");
        QTest::addColumn<QString>("expectCode");
        QTest::addColumn<int>("expectYear");
        QTest::newRow("December, monthly: IV-P12") << "Y" << QDate(2026, 12, 15) << "IV-P12" << 2026;
        QTest::newRow("December, yearly: IV-P") << "N" << QDate(2026, 12, 15) << "IV-P" << 2026;
        QTest::newRow("January of next year, monthly") << "Y" << QDate(2027, 1, 4) << "IV-P01" << 2027;
        QTest::newRow("January of next year, yearly") << "N" << QDate(2027, 1, 4) << "IV-P" << 2027;
    }
    void newDocNoSeries()
    {
        QFETCH(QString, ivMonthly);
        QFETCH(QDate, docDate);
        QFETCH(QString, expectCode);
        QFETCH(int, expectYear);
        TestEnv env(TestEnv::Data::Empty, QDate(2026, 12, 9));
        ensureTables(env);
        setConfig(env, 2026, ivMonthly); // RunYear stays 2026 even for the January document
        const QStringList codes{QStringLiteral("IV-P"), QStringLiteral("IV-P12"), QStringLiteral("IV-P01")};
        for (int year : {2026, 2027})
            for (const QString& c : codes)
                addCode(env, c, year, 10, QStringLiteral("Y"));

        const QString no = DM->NewDocNo(QStringLiteral("IV-P"), QDateTime(docDate, QTime(9, 30)));
        QVERIFY(!no.trimmed().isEmpty());
        for (int year : {2026, 2027})
            for (const QString& c : codes)
                QCOMPARE(lastNo(env, c, year), (c == expectCode && year == expectYear) ? 1 : 0);
    }

    void postNewDocNoWritesNumberAndLogs()
    {
        TestEnv env(TestEnv::Data::Empty, QDate(2026, 12, 9));
        ensureTables(env);
        setConfig(env, 2026, QStringLiteral("N"));
        addCode(env, QStringLiteral("TEST"), 2026, 10, QStringLiteral("Y"));
        const int logsBefore = env.count(QStringLiteral("UserLog"));

        CachedDataSet hd;
        hd.setSQL(QStringLiteral("select Id, DocNo, DocDate from NumTestHd where DocNo = :GetNo"));
        hd.setUpdateSQL(QStringLiteral("insert into NumTestHd (DocNo, DocDate) values (:DocNo, :DocDate)"),
                        QStringLiteral("update NumTestHd set DocNo = :DocNo, DocDate = :DocDate where Id = :OLD_Id"),
                        QStringLiteral("delete from NumTestHd where Id = :OLD_Id"));
        hd.setParam(QStringLiteral("GetNo"), QString());
        hd.Open();
        hd.Append();
        hd.SetField(QStringLiteral("DocDate"), Db::dateToText(QDate(2026, 12, 9)));
        hd.Post();

        const QDateTime date(QDate(2026, 12, 9), QTime());
        DM->StartTransaction();
        const int id = DM->PostNewDocNo(hd, date, QStringLiteral("TEST"), QStringLiteral("DocNo"), QStringLiteral("getno"));
        // The header went in under a stand-in; the number is drawn last, and a transaction
        // that forgot to draw it commits nothing.
        QVERIFY(TDM::IsProvisionalDocNo(hd.AsString(QStringLiteral("DocNo"))));
        QCOMPARE(env.count(QStringLiteral("UserLog")), logsBefore);
        QVERIFY_THROWS_EXCEPTION(NkError, DM->Commit());
        const QString drawn = DM->FinishNewDocument(hd, QStringLiteral("DocNo"), id, QStringLiteral("TEST"), date);
        QCOMPARE(hd.AsString(QStringLiteral("DocNo")), drawn);
        DM->Commit();
        hd.CommitUpdates();

        const QString number = hd.AsString(QStringLiteral("DocNo"));
        QVERIFY(!number.trimmed().isEmpty());
        QCOMPARE(id, env.scalar(QStringLiteral("select Id from NumTestHd where DocNo = :n"), {{QStringLiteral("n"), number}}).toInt());
        QVERIFY(id > 0);
        QCOMPARE(lastNo(env, QStringLiteral("TEST"), 2026), 1);
        QCOMPARE(env.count(QStringLiteral("UserLog")), logsBefore + 1);
        QCOMPARE(env.scalar(QStringLiteral("select FunctionListId from UserLog order by Id desc limit 1")).toInt(), 1);
        QCOMPARE(env.scalar(QStringLiteral("select Remark from UserLog order by Id desc limit 1")).toString(), number);

        // Saving the same header again logs a change with the row's Id and keeps the number.
        hd.setParam(QStringLiteral("GetNo"), number);
        hd.Refresh();
        QCOMPARE(hd.RecordCount(), 1);
        hd.SetField(QStringLiteral("DocDate"), Db::dateToText(QDate(2026, 12, 10)));
        hd.Post();
        DM->StartTransaction();
        QCOMPARE(DM->PostDocNo(hd, QStringLiteral("ignored"), QStringLiteral("TEST"), QStringLiteral("DocNo"),
                               QStringLiteral("GetNo")),
                 id);
        DM->Commit();
        QCOMPARE(env.scalar(QStringLiteral("select FunctionListId from UserLog order by Id desc limit 1")).toInt(), 2);
        QCOMPARE(env.scalar(QStringLiteral("select DocumentId from UserLog order by Id desc limit 1")).toInt(), id);
        QCOMPARE(lastNo(env, QStringLiteral("TEST"), 2026), 1);
    }

    // The order and bill forms post their headers here: a number is unique within its kind
    // (PoType), an automatic number passes over one typed by hand, and the Id returned is the
    // new row's own.
    void postedNumbersAreUniquePerKind()
    {
        TestEnv env(TestEnv::Data::Empty, QDate(2026, 12, 9));
        ensureTables(env);
        setConfig(env, 2026, QStringLiteral("N"));
        addCode(env, QStringLiteral("PO-P"), 2026, 10, QStringLiteral("Y"), QStringLiteral("PO"));
        env.exec(QStringLiteral("insert into PoHd (PoType, PoNo) values ('P', 'PO00000001'), ('S', '      A1')"));
        auto newOrder = [](CachedDataSet& hd) {
            hd.setSQL(QStringLiteral("select ID, PoType, PoNo, PoDate from PoHd where PoNo = :GetNo and PoType = 'P'"));
            hd.setUpdateSQL(QStringLiteral("insert into PoHd (PoType, PoNo, PoDate) values (:PoType, :PoNo, :PoDate)"), {}, {});
            hd.setParam(QStringLiteral("GetNo"), QString());
            hd.Open();
            hd.Append();
            hd.SetField(QStringLiteral("PoType"), QStringLiteral("P"));
            hd.Post();
        };
        const QDateTime date(QDate(2026, 12, 9), QTime());
        {
            // Typed: "A1" of kind S does not stand in the way of kind P.
            CachedDataSet hd;
            newOrder(hd);
            DM->StartTransaction();
            const int id = DM->PostDocNo(hd, QStringLiteral("      A1"), QStringLiteral("PO-P"), QStringLiteral("PoNo"),
                                         QStringLiteral("GetNo"));
            DM->Commit();
            QCOMPARE(id, env.scalar(QStringLiteral("select ID from PoHd where PoNo = '      A1' and PoType = 'P'")).toInt());
        }
        {
            // Typed again for kind P: refused, nothing written.
            CachedDataSet hd;
            newOrder(hd);
            const int rows = env.count(QStringLiteral("PoHd")), logs = env.count(QStringLiteral("UserLog"));
            DM->StartTransaction();
            try {
                DM->PostDocNo(hd, QStringLiteral("      A1"), QStringLiteral("PO-P"), QStringLiteral("PoNo"), QStringLiteral("GetNo"));
                QFAIL("a number in use was posted");
            } catch (const NkError& e) {
                QCOMPARE(int(e.kind()), int(NkError::Kind::Duplicate));
                QVERIFY(e.userText().startsWith(QStringLiteral("เลขที่เอกสาร A1 มีอยู่แล้ว")));
            }
            DM->Rollback();
            QCOMPARE(env.count(QStringLiteral("PoHd")), rows);
            QCOMPARE(env.count(QStringLiteral("UserLog")), logs);
        }
        {
            // Automatic: PO00000001 was typed by hand earlier, the next free one is taken.
            CachedDataSet hd;
            newOrder(hd);
            DM->StartTransaction();
            const int id = DM->PostNewDocNo(hd, date, QStringLiteral("PO-P"), QStringLiteral("PoNo"), QStringLiteral("GetNo"));
            DM->FinishNewDocument(hd, QStringLiteral("PoNo"), id, QStringLiteral("PO-P"), date);
            DM->Commit();
            QCOMPARE(hd.AsString(QStringLiteral("PoNo")), QStringLiteral("PO00000002"));
            QCOMPARE(id, env.scalar(QStringLiteral("select ID from PoHd where PoNo = 'PO00000002'")).toInt());
            QCOMPARE(lastNo(env, QStringLiteral("PO-P"), 2026), 2);
        }
        // The schema holds the line as well, whoever writes.
        QVERIFY_THROWS_EXCEPTION(NkError, env.exec(QStringLiteral("insert into PoHd (PoType, PoNo) values ('P', 'PO00000002')")));
    }

    // Four workstations save import documents of one code at the same time, the number drawn
    // at the end of each save, and now and then a save fails after its number was drawn (and
    // is saved again): every document is stored whole, and the numbers follow each other
    // without a gap or a repeat.
    void fourProcessesNumberWithoutRepeatOrGap()
    {
        const int savers = 4, each = 200, failEvery = 20;
        TestEnv env(TestEnv::Data::Demo, QDate(2026, 12, 9));
        const int lastNo = env.scalar(QStringLiteral("select LastNo from DocumentNo where Code = 'IMPORT' and DocYear = 2026")).toInt();
        const int before = env.count(QStringLiteral("ImHd"));
        const QVariantMap newer{{QStringLiteral("m"), env.scalar(QStringLiteral("select max(ID) from ImHd"))}};
        std::vector<std::unique_ptr<QProcess>> procs;
        for (int i = 0; i < savers; ++i) {
            procs.push_back(std::make_unique<QProcess>());
            procs.back()->start(QCoreApplication::applicationFilePath(),
                                {ImportDoc::SaverSwitch, env.folder(), QString::number(each), QStringLiteral("IMPORT"),
                                 QString::number(failEvery)});
        }
        QStringList numbers;
        int failed = 0;
        for (const auto& p : procs) {
            QVERIFY(p->waitForFinished(280000));
            QVERIFY2(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0, p->readAllStandardError().constData());
            for (const QString& line : QString::fromUtf8(p->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
                line.startsWith('!') ? void(++failed) : numbers.append(line);
        }
        const int n = savers * each;
        QCOMPARE(failed, savers * each / failEvery);
        QStringList expected;
        for (int i = lastNo + 1; i <= lastNo + n; ++i)
            expected << QStringLiteral("IM2026-%1").arg(i, 5, 10, QLatin1Char('0'));
        numbers.sort();
        QCOMPARE(numbers, expected);
        QCOMPARE(env.count(QStringLiteral("ImHd")), before + n);
        QCOMPARE(env.count(QStringLiteral("ImHd"), QStringLiteral("ImNo like '#NK#%'")), 0);
        QCOMPARE(env.count(QStringLiteral("ImDt"), QStringLiteral("ImHd > :m"), newer), 3 * n);
        QCOMPARE(env.count(QStringLiteral("ImDuty"), QStringLiteral("ImHd > :m"), newer), 2 * n);
        // Each voucher and log row carries its document's own number.
        QCOMPARE(env.count(QStringLiteral("glhd G inner join ImHd H on H.ID = G.glfromdocid"),
                           QStringLiteral("H.ID > :m and G.glfromdoctype = 'IM' and G.glfromdocno = H.ImNo "
                                          "and G.gldocno = H.ImNo and G.gldesc like '%' || H.ImNo || '%'"),
                           newer),
                 n);
        QCOMPARE(env.count(QStringLiteral("UserLog L inner join ImHd H on H.ImNo = L.Remark"),
                           QStringLiteral("H.ID > :m and L.FunctionListId = 1"), newer),
                 n);
        QCOMPARE(env.count(QStringLiteral("ImHd H"),
                           QStringLiteral("H.ID > :m and abs(H.Total - (select sum(D.Total) from ImDt D where D.ImHd = H.ID)) > 0.001"), newer),
                 0);
    }
};

int main(int argc, char** argv)
{
    if (const int saver = ImportDoc::saverMain(argc, argv); saver >= 0)
        return saver;
    QCoreApplication app(argc, argv);
    TstNumbering tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_numbering.moc"
