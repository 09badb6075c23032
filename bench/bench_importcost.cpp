// Import cost of one lot of 10,000 import lines over 1,000 products with 50 expense bills:
// the statements through Qt SQL, the same statements through the bare sqlite3 library, and
// the three-pass computation on the rows read; and the whole costing (statements and
// computation) under each split basis.
#include "forms/import/ImportCostCalc.h"
#include "forms/import/ImportCostQuery.h"

#include "FixtureMain.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr qint64 Lot = 1;
constexpr int Products = 1000;
constexpr int Lines = 10000;
constexpr int Documents = 20;
constexpr int ExpenseBills = 50;

struct Fixture {
    QTemporaryDir dir;
    QString file;
    QSqlDatabase db;
    sqlite3* raw = nullptr;

    Fixture()
    {
        file = dir.filePath(QStringLiteral("cost.sqlite"));
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(file);
        if (!db.open())
            std::abort();
        build();
        if (sqlite3_open_v2(file.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            std::abort();
    }
    ~Fixture() { sqlite3_close(raw); }

    void exec(QSqlQuery& q, const QString& sql)
    {
        if (!q.exec(sql)) {
            std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
            std::abort();
        }
    }

    // The tables the statements read, with the keys a company database has on them; lot 1 is
    // costed, lot 2 is a second shipment of the same size that the statements must skip.
    void build()
    {
        QSqlQuery q(db);
        const char* ddl[] = {
            "create table ProductView (Id integer primary key, Code text, ThaiName text)",
            "create table Misc (Id integer primary key, GroupCode text collate nocase, Code text, Description text)",
            "create table ImHd (Id integer primary key, DelFlag text, ImportLotNo integer, Currency integer, "
            "ExchangeRate numeric)",
            "create index ImHd_Lot on ImHd (ImportLotNo)",
            "create table ImDuty (Id integer primary key, ImHd integer, DutyNo integer, Total numeric)",
            "create table ImDt (Id integer primary key, ImHd integer, Product integer, ImDuty integer, "
            "Quantity numeric, Total numeric, Fraction integer default 1)",
            "create table Product (Id integer primary key, NetWeight real, GrossWeight real, Size_W real, "
            "Size_L real, Size_H real)",
            "create index ImDt_ImHd on ImDt (ImHd)",
            "create table ImDtDuty (ImportLotNo integer, Product integer, Duty numeric)",
            "create index ImDtDuty_Lot on ImDtDuty (ImportLotNo, Product)",
            "create table Vendor (Id integer primary key, Code text, Name text)",
            "create table FrVendor (Id integer primary key, Code text, Name text)",
            "create table MrHd (Id integer primary key, ImportLotNo integer, DelFlag text, Total numeric, MrNo text, "
            "MrDate text, Vendor integer, Price_IE text default 'E', TaxRate numeric default 7, CanUseTax text "
            "default 'Y', DiscAmt1 numeric default 0, DiscAmt2 numeric default 0, DiscAmt3 numeric default 0, "
            "TaxCal numeric default 0, TaxTotal numeric default 0)",
            "create index MrHd_Lot on MrHd (ImportLotNo)",
            "create table MrDt (Id integer primary key, MrHd integer, TaxRate numeric, Total numeric)",
            "create index MrDt_Hd on MrDt (MrHd)",
            "create table PcHd (Id integer primary key, ImportLotNo integer, DelFlag text, Total numeric, PcNo text, "
            "PcDate text, Vendor integer, Price_IE text default 'E', TaxRate numeric default 7, CanUseTax text "
            "default 'N', DiscAmt1 numeric default 0, DiscAmt2 numeric default 0, DiscAmt3 numeric default 0, "
            "TaxCal numeric default 0, TaxTotal numeric default 0)",
            "create index PcHd_Lot on PcHd (ImportLotNo)",
            "create table PcDt (Id integer primary key, PcHd integer, TaxRate numeric, Total numeric)",
            "create index PcDt_Hd on PcDt (PcHd)",
            "create table FrMiscPdHd (Id integer primary key, ImportLotNo integer, DelFlag text, FrMiscPdNo text, "
            "FrMiscPdDate text, FrVendor integer)",
            "create index FrMiscPdHd_Lot on FrMiscPdHd (ImportLotNo)",
            "create table FrMiscPdDt (Id integer primary key, FrMiscPdHd integer, PaidAmount numeric, "
            "TaxAmount numeric)",
            "create index FrMiscPdDt_Hd on FrMiscPdDt (FrMiscPdHd)",
        };
        for (const char* s : ddl)
            exec(q, QString::fromLatin1(s));
        db.transaction();
        exec(q, QStringLiteral("insert into Misc values (1, 'CURRENCY', 'USD', 'US dollar')"));
        q.prepare(QStringLiteral("insert into ProductView values (?, ?, ?)"));
        for (int p = 1; p <= Products; ++p) {
            q.addBindValue(p);
            q.addBindValue(QStringLiteral("P%1").arg(p, 5, 10, QLatin1Char('0')));
            q.addBindValue(QStringLiteral("สินค้านำเข้า %1").arg(p));
            q.exec();
        }
        q.prepare(QStringLiteral("insert into Product values (?, ?, ?, ?, ?, ?)"));
        for (int p = 1; p <= Products; ++p) {
            q.addBindValue(p);
            q.addBindValue(0.05 + p % 13 * 0.1);
            q.addBindValue(0.06 + p % 13 * 0.11);
            q.addBindValue(5 + p % 7);
            q.addBindValue(10 + p % 5);
            q.addBindValue(2 + p % 3);
            q.exec();
        }
        QSqlQuery hd(db), duty(db), dt(db), dd(db);
        hd.prepare(QStringLiteral("insert into ImHd values (?, 'N', ?, 1, ?)"));
        duty.prepare(QStringLiteral("insert into ImDuty values (?, ?, 1, 1000)"));
        dt.prepare(QStringLiteral(
            "insert into ImDt (ImHd, Product, ImDuty, Quantity, Total, Fraction) values (?, ?, ?, ?, ?, ?)"));
        dd.prepare(QStringLiteral("insert into ImDtDuty values (?, ?, ?)"));
        int docId = 0;
        for (int lot = 1; lot <= 2; ++lot) {
            for (int d = 0; d < Documents; ++d) {
                ++docId;
                hd.addBindValue(docId);
                hd.addBindValue(lot);
                hd.addBindValue(34.0 + d * 0.137);
                hd.exec();
                duty.addBindValue(docId);
                duty.addBindValue(docId);
                duty.exec();
                for (int i = 0; i < Lines / Documents; ++i) {
                    const int n = d * (Lines / Documents) + i;
                    dt.addBindValue(docId);
                    dt.addBindValue(n % Products + 1);
                    dt.addBindValue(docId);
                    dt.addBindValue(1 + n % 17);
                    dt.addBindValue(10.25 * (1 + n % 17) + (n % 7) * 0.33);
                    dt.addBindValue(n % 3 == 0 ? 12 : 1);
                    dt.exec();
                }
            }
            for (int p = 1; p <= Products; ++p) {
                dd.addBindValue(lot);
                dd.addBindValue(p);
                dd.addBindValue(12.5 + p % 9);
                dd.exec();
            }
        }
        // 50 expense bills of lot 1 (credit, cash and foreign payments), a few deleted.
        for (int b = 1; b <= ExpenseBills; ++b) {
            const QString del = b % 10 == 0 ? QStringLiteral("Y") : QStringLiteral("N");
            const QString amount = QString::number(1000 + b * 37.25, 'f', 2);
            // Bills of three lines each, two taxed and one not.
            const QString hd = b % 3 == 0 ? QStringLiteral("Mr") : QStringLiteral("Pc");
            if (b % 3 != 2) {
                exec(q, QStringLiteral("insert into %1Hd (Id, ImportLotNo, DelFlag, Total, %1No, %1Date, Vendor) "
                                       "values (%2, 1, '%3', %4, 'B%2', '2026-02-01 00:00:00', 1)")
                            .arg(hd).arg(b).arg(del, amount));
                for (int line = 0; line < 3; ++line)
                    exec(q, QStringLiteral("insert into %1Dt (%1Hd, TaxRate, Total) values (%2, %3, %4)")
                                .arg(hd).arg(b).arg(line < 2 ? 7 : 0).arg(amount));
            } else {
                exec(q, QStringLiteral("insert into FrMiscPdHd (Id, ImportLotNo, DelFlag) values (%1, 1, '%2')")
                            .arg(b)
                            .arg(del));
                exec(q, QStringLiteral("insert into FrMiscPdDt values (%1, %1, %2, 7)").arg(b).arg(amount));
            }
        }
        db.commit();
        exec(q, QStringLiteral("analyze"));
    }
};

Fixture* fixture = nullptr;

// The same statement through sqlite3 directly: prepare, bind the lot, step, read the columns.
void rawRun(const QString& sql, const char* param, int columns, benchmark::State& state)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(fixture->raw, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(fixture->raw));
        return;
    }
    sqlite3_bind_int64(stmt, sqlite3_bind_parameter_index(stmt, param), Lot);
    double sink = 0;
    int rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(stmt, c) == SQLITE_TEXT)
                sink += sqlite3_column_bytes(stmt, c);
            else
                sink += sqlite3_column_double(stmt, c);
        }
    }
    sqlite3_finalize(stmt);
    benchmark::DoNotOptimize(sink);
    benchmark::DoNotOptimize(rows);
}

void BM_CostQuery_Qt(benchmark::State& state)
{
    for (auto _ : state) {
        auto rows = ImportCostQuery::CostRows(fixture->db, Lot);
        if (rows.size() != Products)
            state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(rows);
    }
}

void BM_CostQuery_Sqlite3(benchmark::State& state)
{
    const QString sql = ImportCostQuery::CostSql(Db::Backend::SQLite);
    for (auto _ : state)
        rawRun(sql, ":GetId", 11, state);
}

void BM_ExpenseQuery_Qt(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ImportCostQuery::LotExpense(fixture->db, Lot));
}

void BM_ExpenseQuery_Sqlite3(benchmark::State& state)
{
    const QString sql = ImportCostQuery::DocumentsSql();
    for (auto _ : state)
        rawRun(sql, ":GetId", 16, state);
}

// Everything the result form reads: cost rows, expenses, currency.
void BM_AllStatements_Qt(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ImportCostQuery::Read(fixture->db, Lot));
}

void BM_AllStatements_Sqlite3(benchmark::State& state)
{
    const QString cost = ImportCostQuery::CostSql(Db::Backend::SQLite);
    const QString expense = ImportCostQuery::DocumentsSql();
    const QString currency = ImportCostQuery::CurrencySql();
    for (auto _ : state) {
        rawRun(cost, ":GetId", 11, state);
        rawRun(expense, ":GetId", 16, state);
        rawRun(currency, ":getid", 1, state);
    }
}

void BM_Computation(benchmark::State& state)
{
    const ImportCostQuery::Input in = ImportCostQuery::Read(fixture->db, Lot);
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeImportCost(in.Rows, in.LotExpense));
    state.SetItemsProcessed(state.iterations() * in.Rows.size());
}

void BM_ReadAndCompute_Qt(benchmark::State& state)
{
    for (auto _ : state) {
        const ImportCostQuery::Input in = ImportCostQuery::Read(fixture->db, Lot);
        benchmark::DoNotOptimize(ComputeImportCost(in.Rows, in.LotExpense));
    }
}

void BM_MeasureQuery_Qt(benchmark::State& state)
{
    QVector<ImportCostQueryRow> rows = ImportCostQuery::CostRows(fixture->db, Lot);
    for (auto _ : state) {
        ImportCostQuery::ReadMeasures(fixture->db, Lot, rows);
        benchmark::DoNotOptimize(rows);
    }
}

void BM_MeasureQuery_Sqlite3(benchmark::State& state)
{
    const QString sql = ImportCostQuery::MeasureSql();
    for (auto _ : state)
        rawRun(sql, ":GetId", 7, state);
}

// What the result form does for a basis: read the lot (with the measures for a basis other
// than value), compute under the basis and, for the comparison, under the value basis too.
void BM_CostUnderBasis(benchmark::State& state)
{
    const CostBasis basis = AllCostBases[state.range(0)];
    for (auto _ : state) {
        const ImportCostQuery::Input in = ImportCostQuery::Read(fixture->db, Lot, basis);
        const ImportCostResult res = ComputeImportCost(in.Rows, in.LotExpense, basis);
        if (res.Refused || res.Rows.size() != Products)
            state.SkipWithError("the basis was refused");
        const ImportCostResult byValue =
            basis == CostBasis::Value ? res : ComputeImportCost(in.Rows, in.LotExpense);
        benchmark::DoNotOptimize(CompareImportCost(byValue, res));
    }
    state.SetLabel(CostBasisCaption(basis, false).toStdString());
}

} // namespace

BENCHMARK(BM_CostQuery_Qt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CostQuery_Sqlite3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpenseQuery_Qt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpenseQuery_Sqlite3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllStatements_Qt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllStatements_Sqlite3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Computation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndCompute_Qt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeasureQuery_Qt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeasureQuery_Sqlite3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CostUnderBasis)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runWithFixture(argc, argv, fixture, QStringLiteral("bench"));
}
