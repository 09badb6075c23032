// Saving a 500-line foreign purchase order through the form's save path (completeness check,
// amounts, numbering, header, log, lines, print dialog, back to a new order), and its saving
// transaction alone, against the bare sqlite3 library inserting the same header and lines in
// one transaction; and opening the order form to a usable window. Compare the CPU columns: on
// a shared machine the wall times mostly measure the neighbours.
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/TDM.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/purchase/PoRules.h"
#include "forms/purchase/TFrFrPoTran.h"
#include "support/TestEnv.h"
#include "widgets/DbEdits.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr int Lines = 500;

std::unique_ptr<TestEnv> g_env;

void ensureEnv()
{
    if (!g_env) {
        g_env = std::make_unique<TestEnv>();
        DMConfig->CheckRight(6, 1);
        MessageService::setDialogHook([](QDialog* d) {
            d->reject();
            return int(QDialog::Rejected);
        });
    }
}

void showForm(TFrFrPoTran& f)
{
    f.show();
    QApplication::setActiveWindow(&f);
    QCoreApplication::processEvents();
}

// The order as a user leaves it: pens and notebooks by the box in turn, priced, with quantity
// (the stored columns only: the lookups of typed codes are not what is measured).
void fillOrder(TFrFrPoTran& f)
{
    // The number is left empty (automatic numbering), as the user does; the order is new.
    f.FaGetDocNo->DocNo->setFocus();
    f.FaGetDocNo->DocNo->setText(QString());
    f.Reference->setFocus();
    QCoreApplication::processEvents();
    CachedDataSet& hd = *f.QHd;
    hd.SetField("FrVendor", 1);
    hd.SetField("Currency", 2);
    hd.SetField("TaxCode", 2);
    hd.SetField("TaxRate", 0);
    hd.SetField("Price_IE", "E");
    CachedDataSet& dt = *f.QDt;
    dt.EmptyDataSet();
    for (int i = 0; i < Lines; ++i) {
        dt.Append();
        const bool pen = i % 2 == 0;
        dt.SetField("Product", pen ? 1 : 3);
        dt.SetField("ProductType", "P");
        dt.SetField("ProductUnits", pen ? 2 : 8);
        dt.SetField("Warehouse", 1);
        dt.SetField("Fraction", 12);
        dt.SetField("TaxCode", 2);
        dt.SetField("TaxRate", 0);
        dt.SetField("Quantity", 1 + i % 4);
        dt.SetField("Price", 1.25 * (1 + i % 9));
        dt.Post();
    }
}

int ordersSaved()
{
    return g_env->count("FrPoHd", "Id > 2");
}

void BM_FormSavePath(benchmark::State& state)
{
    ensureEnv();
    TFrFrPoTran f;
    showForm(f);
    const int before = ordersSaved();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fillOrder(f);
        ++n;
        MessageService::queueAnswer(true);
        MessageService::clearShown();
        state.ResumeTiming();
        f.AcSaveExecute();
        state.PauseTiming();
        if (ordersSaved() - before != n) {
            state.SkipWithError(qPrintable(QStringLiteral("order %1 was not saved: ").arg(n) + MessageService::lastText()));
            break;
        }
        state.ResumeTiming();
    }
    state.counters["lines/s"] = benchmark::Counter(double(Lines) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FormSavePath)->Unit(benchmark::kMillisecond)->Iterations(20);

// The saving transaction alone (numbering, header, log, lines, commit) on the data sets as
// the form leaves them after its check and amounts.
void BM_SaveTransaction(benchmark::State& state)
{
    ensureEnv();
    TFrFrPoTran f;
    showForm(f);
    const int before = ordersSaved();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fillOrder(f);
        ++n;
        f.CalculateAll();
        PoRules::SaveInput in;
        in.config = f.Cfg;
        in.header = f.QHd;
        in.lines = f.QDt;
        in.autoRun = f.AutoRun;
        in.newDocument = true;
        in.approvedSetting = QStringLiteral("N");
        state.ResumeTiming();
        PoRules::Save(in);
        state.PauseTiming();
        f.AcNewExecute();
        state.ResumeTiming();
    }
    if (ordersSaved() - before != n)
        state.SkipWithError("orders were not saved");
    state.counters["lines/s"] = benchmark::Counter(double(Lines) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SaveTransaction)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_BareSqlite(benchmark::State& state)
{
    ensureEnv();
    const QString file = QDir(g_env->folder()).filePath("data/DEMO.sqlite");
    DM->CloseConnection(); // the bare run owns the file alone
    sqlite3* db = nullptr;
    if (sqlite3_open(file.toUtf8().constData(), &db) != SQLITE_OK)
        std::abort();
    sqlite3_busy_timeout(db, 30000);
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* h = nullptr;
        sqlite3_prepare_v2(db,
                           "insert into FrPoHd (DelFlag, PoType, PoNo, PoDate, CanUseTax, FrVendor, TaxCode, TaxRate, "
                           "Price_IE, ShipDate, CreditDays, NoTaxAmt, TaxAmt, TaxTotal, TaxCal, Total, Clear, Posted, "
                           "Imported, PaidType, Currency, Approved) values ('N', 'P', ?, '2026-12-09 00:00:00', 'Y', 1, "
                           "2, 0, 'E', '2026-12-09 00:00:00', 60, 1000, 0, 0, 0, 1000, 'N', 'N', 'N', 'T', 2, 'N')",
                           -1, &h, nullptr);
        // A number of its own in every run: the benchmark may be repeated on the same file.
        static int serial = 0;
        const QByteArray no = QStringLiteral("BARE%1").arg(++serial, 6, 10, QLatin1Char('0')).toUtf8();
        sqlite3_bind_text(h, 1, no.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(h);
        sqlite3_finalize(h);
        const sqlite3_int64 id = sqlite3_last_insert_rowid(db);
        sqlite3_stmt* l = nullptr;
        sqlite3_prepare_v2(db,
                           "insert into FrPoDt (FrPoHd, PoRecNo, PoDate, Product, TaxCode, TaxRate, ProductUnits, "
                           "ShipDate, Warehouse, Quantity, QWeightSize, Received, BackOrder, Fraction, Price, Discount, "
                           "DiscountAmt, ProductAmount, Total, Clear, MemoLine) values (?, ?, '2026-12-09 00:00:00', ?, "
                           "2, 0, ?, '2026-12-09 00:00:00', 1, ?, 0, 0, ?, 12, ?, '', 0, ?, ?, 'N', '')",
                           -1, &l, nullptr);
        for (int i = 0; i < Lines; ++i) {
            const bool pen = i % 2 == 0;
            const double qty = 1 + i % 4;
            const double price = 1.25 * (1 + i % 9);
            sqlite3_bind_int64(l, 1, id);
            sqlite3_bind_int(l, 2, i + 1);
            sqlite3_bind_int(l, 3, pen ? 1 : 3);
            sqlite3_bind_int(l, 4, pen ? 2 : 8);
            sqlite3_bind_double(l, 5, qty);
            sqlite3_bind_double(l, 6, qty * 12);
            sqlite3_bind_double(l, 7, price);
            sqlite3_bind_double(l, 8, qty * price);
            sqlite3_bind_double(l, 9, qty * price);
            sqlite3_step(l);
            sqlite3_reset(l);
        }
        sqlite3_finalize(l);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    state.counters["lines/s"] = benchmark::Counter(double(Lines) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond)->Iterations(20);

// From nothing to the order form standing on a new order with the focus in the number.
void BM_OpenOrderForm(benchmark::State& state)
{
    ensureEnv();
    for (auto _ : state) {
        TFrFrPoTran f;
        f.show();
        QCoreApplication::processEvents();
        if (!f.FaGetDocNo->DocNo->isEnabled())
            state.SkipWithError("the form did not open a new order");
        state.PauseTiming();
        f.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenOrderForm)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    g_env.reset();
    benchmark::Shutdown();
    return 0;
}
