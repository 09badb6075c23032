// Saving an import document of 1,000 lines in 10 duty groups through the form's save path
// (cached data sets, numbering, log, duty look-up, GL), against the bare sqlite3 library
// inserting the same header, duty and line rows in one transaction; and the throughput of 1
// and of 4 workstations saving import documents at the same time, of one document code and of
// codes of their own (the same on a server: bench_pgserver).
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "forms/import/InboundRules.h"
#include "forms/import/InboundSql.h"
#include "Savers.h"
#include "support/ImportDoc.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr int Lines = 1000;
constexpr int Groups = 10;

std::unique_ptr<TestEnv> g_env;
int g_unit = 0;

void ensureEnv()
{
    if (!g_env) {
        g_env = std::make_unique<TestEnv>(TestEnv::Data::Demo, QDate(2026, 12, 9));
        ImportDoc::addOwnCodes(g_env->company(), 4, 2026);
        g_unit = g_env->scalar("select Id from ProductUnits where Product = 1 and SmallUnitFlag = 'Y'").toInt();
    }
}

void BM_FormSavePath(benchmark::State& state)
{
    ensureEnv();
    for (auto _ : state) {
        state.PauseTiming();
        CachedDataSet hd, dt, duty;
        hd.setSQL(InboundSql::header(false));
        hd.setUpdateSQL(InboundSql::headerInsert(), InboundSql::headerModify(), InboundSql::HeaderDelete);
        hd.setParam("GetNo", QString());
        hd.Open();
        dt.setSQL(InboundSql::Lines);
        dt.setUpdateSQL(InboundSql::lineInsert(), InboundSql::lineModify(), InboundSql::LineDelete);
        dt.setParam("GetId", 0);
        dt.Open();
        duty.setSQL(InboundSql::Duty);
        duty.setUpdateSQL(InboundSql::DutyInsert, InboundSql::DutyModify, InboundSql::DutyDelete);
        duty.setParam("GetId", 0);
        duty.Open();
        hd.Append();
        hd.SetField("ImDate", "2026-12-09 00:00:00");
        hd.SetField("ImportLotNo", 1);
        hd.SetField("FrVendor", 1);
        hd.SetField("Currency", 2);
        hd.SetField("ExchangeRate", 35.5);
        hd.SetField("Total", 0);
        for (int g = 0; g < Groups; ++g) {
            duty.Append();
            duty.SetField("DutyNo", g + 1);
            duty.SetField("Total", 100 + g);
        }
        for (int i = 0; i < Lines; ++i) {
            dt.Append();
            dt.SetField("Product", 1 + i % 12);
            dt.SetField("ProductUnits", g_unit);
            dt.SetField("Warehouse", 1);
            dt.SetField("Fraction", 1);
            dt.SetField("Quantity", 1 + i % 7);
            dt.SetField("Total", 10.25 * (1 + i % 13));
            dt.SetField("DutyNo", 1 + i % Groups);
        }
        dt.Post();
        state.ResumeTiming();
        InboundRules::SaveInput in;
        in.header = &hd;
        in.lines = &dt;
        in.duty = &duty;
        in.autoRun = true;
        in.runGL = true;
        InboundRules::Save(in);
    }
    state.counters["lines/s"] = benchmark::Counter(double(Lines) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FormSavePath)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_BareSqlite(benchmark::State& state)
{
    ensureEnv();
    const QString file = QDir(g_env->folder()).filePath("data/DEMO.sqlite");
    sqlite3* db = nullptr;
    if (sqlite3_open(file.toUtf8().constData(), &db) != SQLITE_OK)
        std::abort();
    sqlite3_busy_timeout(db, 30000);
    DM->CloseConnection(); // the bare run owns the file alone
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* h = nullptr;
        sqlite3_prepare_v2(db,
                           "insert into ImHd (DelFlag, ImNo, ImDate, ImportLotNo, FrVendor, Currency, ExchangeRate, "
                           "DueDate, Total, Clear, PaidAmount, Posted, Imported, BeginBalance) values "
                           "('N', ?, '2026-12-09 00:00:00', 1, 1, 2, 35.5, '2026-12-09 00:00:00', 0, 'N', 0, 'N', 'N', 'N')",
                           -1, &h, nullptr);
        // A number of its own in every run: the benchmark may be repeated on the same file.
        static int serial = 0;
        const QByteArray no = QStringLiteral("BARE%1").arg(++serial, 6, 10, QLatin1Char('0')).toUtf8();
        sqlite3_bind_text(h, 1, no.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(h);
        sqlite3_finalize(h);
        const sqlite3_int64 id = sqlite3_last_insert_rowid(db);
        sqlite3_stmt* d = nullptr;
        sqlite3_prepare_v2(db, "insert into ImDuty (ImHd, DutyNo, Total) values (?, ?, ?)", -1, &d, nullptr);
        sqlite3_int64 groupIds[Groups];
        for (int g = 0; g < Groups; ++g) {
            sqlite3_bind_int64(d, 1, id);
            sqlite3_bind_int(d, 2, g + 1);
            sqlite3_bind_double(d, 3, 100 + g);
            sqlite3_step(d);
            sqlite3_reset(d);
            groupIds[g] = sqlite3_last_insert_rowid(db);
        }
        sqlite3_finalize(d);
        sqlite3_stmt* l = nullptr;
        sqlite3_prepare_v2(db,
                           "insert into ImDt (ImHd, ImRecNo, ImDate, PoDt, Product, ProductUnits, Warehouse, LotNo, "
                           "SerialNo, ImDuty, Quantity, Fraction, Cost, Total) values "
                           "(?, ?, '2026-12-09 00:00:00', null, ?, ?, 1, null, null, ?, ?, 1, 0, ?)",
                           -1, &l, nullptr);
        for (int i = 0; i < Lines; ++i) {
            sqlite3_bind_int64(l, 1, id);
            sqlite3_bind_int(l, 2, i + 1);
            sqlite3_bind_int(l, 3, 1 + i % 12);
            sqlite3_bind_int(l, 4, g_unit);
            sqlite3_bind_int64(l, 5, groupIds[i % Groups]);
            sqlite3_bind_double(l, 6, 1 + i % 7);
            sqlite3_bind_double(l, 7, 10.25 * (1 + i % 13));
            sqlite3_step(l);
            sqlite3_reset(l);
        }
        sqlite3_finalize(l);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    state.counters["lines/s"] = benchmark::Counter(double(Lines) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond)->Iterations(10);


} // namespace

int main(int argc, char** argv)
{
    if (const int saver = ImportDoc::saverMain(argc, argv); saver >= 0)
        return saver;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RegisterSaversBenchmark([] {
        ensureEnv();
        return g_env->folder();
    });
    benchmark::RunSpecifiedBenchmarks();
    g_env.reset();
    benchmark::Shutdown();
    return 0;
}
