#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/NkError.h"
#include "data/ServerProcs.h"
#include "data/TDM.h"
#include "forms/import/InboundRules.h"
#include "forms/import/InboundSql.h"
#include "support/ImportDoc.h"
#include "support/TestEnv.h"

#include <QtTest>

// The import document's rules on the demo company: validation, duty numbering and the save
// transaction with a failure injected at every step.
class TstInboundRules : public QObject {
    Q_OBJECT

    using Doc = ImportDoc;

    int unitOf(TestEnv& env, int product)
    {
        return env.scalar("select Id from ProductUnits where Product = :p and SmallUnitFlag = 'Y'", {{"p", product}})
            .toInt();
    }

    struct Counts {
        int hd, dt, duty, log, gl;
        bool operator==(const Counts& o) const
        {
            return hd == o.hd && dt == o.dt && duty == o.duty && log == o.log && gl == o.gl;
        }
    };
    Counts counts(TestEnv& env)
    {
        return {env.count("ImHd"), env.count("ImDt"), env.count("ImDuty"), env.count("UserLog"), env.count("glhd")};
    }

private slots:
    void cleanup()
    {
        InboundRules::setSaveStepHook(nullptr);
        ServerProcs::setFailureHook(nullptr);
    }

    void validationWalk()
    {
        TestEnv env;
        const int u1 = unitOf(env, 1);
        {
            // Product-less lines go, the walk stops at a zero quantity and nothing after it goes.
            Doc d;
            d.newHeader();
            d.line(0, 0, 0, 0);
            d.line(1, u1, 0, 10);
            d.line(0, 0, 0, 0);
            d.group(5);
            const auto r = InboundRules::CheckComplete(d.dt, d.duty, true, true);
            QVERIFY(!r.ok);
            QCOMPARE(r.messages, QStringList({"ป้อนข้อมูล ในรายการสินค้าไม่ครบถ้วน"}));
            QCOMPARE(d.dt.RecordCount(), 2);
            QCOMPARE(r.row, 0);
        }
        {
            Doc d;
            d.newHeader();
            d.line(1, u1, 0, 10);
            const auto r = InboundRules::CheckComplete(d.dt, d.duty, false, true);
            QCOMPARE(r.messages, QStringList({"ป้อนข้อมูล ในรายการสินค้าไม่ครบถ้วน", "ท่านยังไม่ได้ป้อน Import Lot No"}));
        }
        {
            // Only product-less lines: removed, and the incomplete-data message.
            Doc d;
            d.newHeader();
            d.line(0, 0, 0, 0);
            d.group(5);
            const auto r = InboundRules::CheckComplete(d.dt, d.duty, true, true);
            QVERIFY(!r.ok);
            QCOMPARE(d.dt.RecordCount(), 0);
            QCOMPARE(r.messages, QStringList({"ป้อนข้อมูล ในรายการสินค้าไม่ครบถ้วน"}));
        }
        {
            // Groups 1 and 3 with an empty 2 become 1 and 2; no groups at all is refused.
            Doc d;
            d.newHeader();
            d.line(1, u1, 2, 10);
            d.group(5);
            d.group(QVariant());
            d.group(7);
            auto r = InboundRules::CheckComplete(d.dt, d.duty, true, true);
            QVERIFY(r.ok);
            QCOMPARE(d.duty.RecordCount(), 2);
            QCOMPARE(d.duty.value(0, "DutyNo").toInt(), 1);
            QCOMPARE(d.duty.value(1, "DutyNo").toInt(), 2);
            QCOMPARE(d.duty.value(1, "Total").toDouble(), 7.0);
            d.duty.EmptyDataSet();
            d.group(QVariant());
            r = InboundRules::CheckComplete(d.dt, d.duty, true, true);
            QVERIFY(!r.ok);
            QCOMPARE(r.messages, QStringList({"ป้อนข้อมูลอากรไม่ถูกต้อง"}));
            QCOMPARE(int(r.focus), int(InboundRules::CheckResult::Focus::DutyAmount));
        }
        {
            // Complete lines without a lot.
            Doc d;
            d.newHeader();
            d.line(1, u1, 2, 10);
            d.group(5);
            const auto r = InboundRules::CheckComplete(d.dt, d.duty, false, true);
            QVERIFY(!r.ok);
            QCOMPARE(r.messages, QStringList({"Not Found Import Lot No"}));
            QCOMPARE(int(r.focus), int(InboundRules::CheckResult::Focus::ImportLot));
        }
        {
            // A line whose duty number names no group is refused before anything is written.
            Doc d;
            d.newHeader();
            d.line(1, u1, 2, 10, 1);
            d.line(1, u1, 1, 5, 3);
            d.group(5);
            d.group(6);
            const auto r = InboundRules::CheckComplete(d.dt, d.duty, true, true);
            QVERIFY(!r.ok);
            QCOMPARE(r.messages, QStringList({"รายการที่ 2 ไม่มีกลุ่มอากรลำดับที่ 3"}));
            QCOMPARE(r.row, 1);
        }
    }

    void saveWritesHeaderLinesDutyLogAndGL_data()
    {
        QTest::addColumn<bool>("autoRun");
        QTest::addColumn<bool>("gl");
        QTest::newRow("automatic number, GL") << true << true;
        QTest::newRow("typed number, no GL") << false << false;
    }
    void saveWritesHeaderLinesDutyLogAndGL()
    {
        QFETCH(bool, autoRun);
        QFETCH(bool, gl);
        TestEnv env(TestEnv::Data::Demo, QDate(2026, 12, 9));
        env.exec("update Config set AutoGenGL = :g", {{"g", gl ? "Y" : "N"}});
        DM->RefreshConfig();
        const Counts before = counts(env);
        const int u1 = unitOf(env, 1), u2 = unitOf(env, 2);
        Doc d;
        d.newHeader();
        d.line(1, u1, 10, 100, 1);
        d.line(2, u2, 5, 50, 2);
        d.line(1, u1, 1, 7.25); // no duty number: group 1
        d.group(30);
        d.group(20);
        QVERIFY(InboundRules::CheckComplete(d.dt, d.duty, true, true).ok);
        d.hd.SetField("Total", InboundRules::CalculateAll(d.dt));
        const QString typed = "    IM-777"; // as padded to the code's length
        const auto res = InboundRules::Save(d.input(autoRun, typed));
        QVERIFY(res.id > 0);
        QCOMPARE(res.year, 2026);
        if (autoRun)
            QCOMPARE(res.number, QString("IM2026-00004")); // LastNo 3 in the demo
        else
            QCOMPARE(res.number, typed);
        QCOMPARE(env.scalar("select ImNo from ImHd where Id = :i", {{"i", res.id}}).toString(), res.number);
        QCOMPARE(env.scalar("select ImDate from ImHd where Id = :i", {{"i", res.id}}).toString(),
                 QString("2026-12-09 00:00:00")); // time of day cut off
        QCOMPARE(env.scalar("select DueDate from ImHd where Id = :i", {{"i", res.id}}).toString(),
                 QString("2026-12-09 00:00:00"));
        QCOMPARE(env.scalar("select Total from ImHd where Id = :i", {{"i", res.id}}).toDouble(), 157.25);
        QCOMPARE(env.count("ImHd", "Id = :i and DelFlag = 'N' and BeginBalance = 'N' and Clear = 'N'", {{"i", res.id}}), 1);
        QCOMPARE(env.count("ImDuty", "ImHd = :i", {{"i", res.id}}), 2);
        QCOMPARE(env.count("ImDt", "ImHd = :i and Cost = 0", {{"i", res.id}}), 3);
        // Lines carry their group's Id; the line without a number went to group 1.
        QCOMPARE(env.count("ImDt D inner join ImDuty T on T.Id = D.ImDuty",
                           "D.ImHd = :i and T.ImHd = :i and T.DutyNo = 1", {{"i", res.id}}), 2);
        QCOMPARE(env.count("ImDt", "ImHd = :i and ImRecNo in (1, 2, 3)", {{"i", res.id}}), 3);
        QCOMPARE(env.count("UserLog", "FunctionListId = 1 and DocumentId = 0 and Remark = :n", {{"n", res.number}}), 1);
        QCOMPARE(env.count("glhd", "glfromdocid = :i", {{"i", res.id}}), gl ? 1 : 0);
        QCOMPARE(env.count("ImHd"), before.hd + 1);
        QVERIFY(!d.hd.UpdatesPending() && !d.dt.UpdatesPending() && !d.duty.UpdatesPending());
        if (gl) {
            QCOMPARE(env.scalar("select sum(d.debit) - sum(d.credit) from gldt d inner join glhd h on h.id = d.glhd "
                                "where h.glfromdocid = :i", {{"i", res.id}}).toDouble(), 0.0);
        }

        // Changing the saved document: action 2 with its Id, lines rewritten with Cost 0.
        env.exec("update ImDt set Cost = 99 where ImHd = :i", {{"i", res.id}});
        Doc e(res.number);
        QCOMPARE(e.dt.RecordCount(), 3);
        e.hd.SetField("TransportNo", "BL-1");
        e.dt.First();
        e.dt.SetField("Quantity", 11);
        const auto res2 = InboundRules::Save(e.input(autoRun));
        QCOMPARE(res2.id, res.id);
        QCOMPARE(env.count("UserLog", "FunctionListId = 2 and DocumentId = :i", {{"i", res.id}}), 1);
        QCOMPARE(env.count("ImDt", "ImHd = :i and Cost = 0", {{"i", res.id}}), 3);
        QCOMPARE(env.count("glhd", "glfromdocid = :i", {{"i", res.id}}), gl ? 1 : 0);
    }

    void failureAtEveryStepLeavesNothingAndRetrySucceeds_data()
    {
        QTest::addColumn<int>("step");
        QTest::newRow("number") << int(InboundRules::SaveStep::Number);
        QTest::newRow("header") << int(InboundRules::SaveStep::Header);
        QTest::newRow("log") << int(InboundRules::SaveStep::Log);
        QTest::newRow("duty") << int(InboundRules::SaveStep::Duty);
        QTest::newRow("lines") << int(InboundRules::SaveStep::Lines);
        QTest::newRow("gl") << int(InboundRules::SaveStep::GL);
        QTest::newRow("commit") << int(InboundRules::SaveStep::Commit);
    }
    void failureAtEveryStepLeavesNothingAndRetrySucceeds()
    {
        QFETCH(int, step);
        TestEnv env(TestEnv::Data::Demo, QDate(2026, 12, 9));
        const Counts before = counts(env);
        const QString lastNo = env.scalar("select LastNo from DocumentNo where Code = 'IMPORT' and DocYear = 2026").toString();
        const int u1 = unitOf(env, 1);
        Doc d;
        d.newHeader();
        d.line(1, u1, 10, 100, 1);
        d.line(1, u1, 3, 30, 2);
        d.group(30);
        d.group(20);
        QVERIFY(InboundRules::CheckComplete(d.dt, d.duty, true, true).ok);
        InboundRules::setSaveStepHook([step](InboundRules::SaveStep s) {
            if (int(s) == step)
                throw NkError("injected failure");
        });
        QVERIFY_THROWS_EXCEPTION(NkError, InboundRules::Save(d.input(true)));
        QVERIFY(!DM->InTransaction());
        QVERIFY(counts(env) == before);
        QCOMPARE(env.scalar("select LastNo from DocumentNo where Code = 'IMPORT' and DocYear = 2026").toString(), lastNo);
        // The edits are still there, pending, without a phantom number.
        QVERIFY(d.hd.UpdatesPending() && d.dt.UpdatesPending() && d.duty.UpdatesPending());
        QCOMPARE(d.dt.RecordCount(), 2);
        QCOMPARE(d.hd.AsString("ImNo"), QString());

        InboundRules::setSaveStepHook(nullptr);
        const auto res = InboundRules::Save(d.input(true));
        QCOMPARE(res.number, QString("IM2026-00004")); // drawn again, nothing was used up
        QCOMPARE(env.count("ImHd"), before.hd + 1);
        QCOMPARE(env.count("ImDt", "ImHd = :i", {{"i", res.id}}), 2);
        QCOMPARE(env.count("ImDuty", "ImHd = :i", {{"i", res.id}}), 2);
        QCOMPARE(env.count("UserLog"), before.log + 1);
    }

    void serverProcedureFailureRollsBack()
    {
        TestEnv env(TestEnv::Data::Demo, QDate(2026, 12, 9));
        const Counts before = counts(env);
        Doc d;
        d.newHeader();
        d.line(1, unitOf(env, 1), 1, 1);
        d.group(1);
        QVERIFY(InboundRules::CheckComplete(d.dt, d.duty, true, true).ok);
        ServerProcs::setFailureHook([](const QString& name) {
            if (name.compare("GL_ImHd", Qt::CaseInsensitive) == 0)
                throw NkError("GL failed");
        });
        QVERIFY_THROWS_EXCEPTION(NkError, InboundRules::Save(d.input(true)));
        QVERIFY(counts(env) == before);
    }

    // A number in use, by either kind of ImHd row, is refused before anything is written;
    // automatic numbering passes over numbers typed by hand earlier.
    void numberInUseIsRefusedBeforeAnythingIsWritten_data()
    {
        QTest::addColumn<bool>("autoRun");
        QTest::addColumn<QString>("taken");        // inserted beforehand as a bill brought forward
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("savedAs");      // empty: refused
        QTest::newRow("typed number of an import document") << false << "" << "IM2026-00002" << "";
        QTest::newRow("typed number of a bill brought forward") << false << "  BF-1" << "  BF-1" << "";
        QTest::newRow("automatic number typed by hand earlier") << true << "IM2026-00004" << "" << "IM2026-00005";
    }
    void numberInUseIsRefusedBeforeAnythingIsWritten()
    {
        QFETCH(bool, autoRun);
        QFETCH(QString, taken);
        QFETCH(QString, typed);
        QFETCH(QString, savedAs);
        TestEnv env(TestEnv::Data::Demo, QDate(2026, 12, 9));
        if (!taken.isEmpty())
            env.exec("insert into ImHd (ImNo, ImDate, BeginBalance, Total) values (:n, '2026-01-05 00:00:00', 'Y', 10)",
                     {{"n", taken}});
        const Counts before = counts(env);
        Doc d;
        d.newHeader();
        d.line(1, unitOf(env, 1), 10, 100, 1);
        d.group(5);
        QVERIFY(InboundRules::CheckComplete(d.dt, d.duty, true, true).ok);
        if (savedAs.isEmpty()) {
            try {
                InboundRules::Save(d.input(autoRun, typed));
                QFAIL("a number in use was saved");
            } catch (const NkError& e) {
                QCOMPARE(int(e.kind()), int(NkError::Kind::Duplicate));
                QCOMPARE(e.userText(), QString("เลขที่เอกสาร %1 มีอยู่แล้ว กรุณาใช้เลขที่อื่น\nยังไม่ได้บันทึกข้อมูล")
                                           .arg(typed.trimmed()));
            }
            QVERIFY(counts(env) == before);
            QVERIFY(!DM->InTransaction());
            QVERIFY(d.dt.UpdatesPending()); // kept for another number
            return;
        }
        const auto res = InboundRules::Save(d.input(autoRun, typed));
        QCOMPARE(res.number, savedAs);
        QCOMPARE(env.scalar("select LastNo from DocumentNo where Code = 'IMPORT' and DocYear = 2026").toInt(), 5);
        QCOMPARE(env.count("ImDt", "ImHd = :i", {{"i", res.id}}), 1);
        QCOMPARE(env.count("ImHd", "ImNo = :n", {{"n", taken}}), 1);
    }

    // An old database may hold a number twice (it had no unique index): the number is still
    // refused, and a new document's lines and total are its own.
    void oldDatabaseWithoutUniqueNumbers()
    {
        TestEnv env(TestEnv::Data::Demo, QDate(2026, 12, 9));
        env.exec("drop index IX_ImHd_ImNo");
        env.exec("insert into ImHd (ImNo, ImDate, BeginBalance, Total) values ('OLD-1', '2026-01-05 00:00:00', 'N', 1)");
        env.exec("insert into ImHd (ImNo, ImDate, BeginBalance, Total) values ('OLD-1', '2026-01-06 00:00:00', 'Y', 2)");
        {
            Doc d;
            d.newHeader();
            d.line(1, unitOf(env, 1), 10, 100, 1);
            d.group(5);
            QVERIFY(InboundRules::CheckComplete(d.dt, d.duty, true, true).ok);
            QVERIFY_THROWS_EXCEPTION(NkError, InboundRules::Save(d.input(false, "OLD-1")));
            QCOMPARE(env.count("ImHd", "ImNo = 'OLD-1'"), 2);
        }
        Doc d;
        d.newHeader();
        d.line(1, unitOf(env, 1), 10, 100, 1);
        d.line(0, 0, 0, 50); // no product: dropped, and not counted in the total
        d.group(5);
        d.hd.SetField("Total", 150);
        QVERIFY(InboundRules::CheckComplete(d.dt, d.duty, true, true).ok);
        const auto res = InboundRules::Save(d.input(true));
        QCOMPARE(env.scalar("select max(Id) from ImHd").toInt(), res.id);
        QCOMPARE(env.count("ImDt", "ImHd = :i", {{"i", res.id}}), 1);
        QCOMPARE(env.count("ImDuty", "ImHd = :i", {{"i", res.id}}), 1);
        QCOMPARE(env.scalar("select Total from ImHd where Id = :i", {{"i", res.id}}).toDouble(),
                 env.scalar("select sum(Total) from ImDt where ImHd = :i", {{"i", res.id}}).toDouble());
        QCOMPARE(d.hd.AsInteger("ID"), res.id); // the row on screen knows its Id after the commit
    }

    void dutyRenumbering()
    {
        CachedDataSet duty;
        duty.defineFields({"ID", "ImHd", "DutyNo", "Total"});
        duty.Open();
        for (int i = 0; i < 3; ++i) {
            duty.Append();
            duty.SetField("Total", 10 * (i + 1));
        }
        QCOMPARE(InboundRules::RenumberDuty(duty), 3);
        duty.setRecNo(1);
        duty.Delete();
        QCOMPARE(InboundRules::RenumberDuty(duty), 2);
        QCOMPARE(duty.value(1, "DutyNo").toInt(), 2); // the old group 3
        QCOMPARE(duty.value(1, "Total").toInt(), 30);
        QCOMPARE(InboundRules::EffectiveDutyNo(QVariant()), 1);
        QCOMPARE(InboundRules::EffectiveDutyNo(0), 1);
        QCOMPARE(InboundRules::EffectiveDutyNo(2), 2);
    }
};

QTEST_MAIN(TstInboundRules)
#include "tst_inboundrules.moc"
