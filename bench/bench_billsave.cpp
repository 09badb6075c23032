// Saving a 200-line import expense bill on credit through the form's save path (validation,
// amounts, credit check, numbering, header, log, lines, GL, print dialog, back to a new bill),
// and its saving transaction alone, against the bare sqlite3 library inserting the same header
// and lines in one transaction; and opening either expense form to a usable window. Compare
// the CPU columns: on a shared machine the wall times mostly measure the neighbours.
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/TDM.h"
#include "forms/base/TFaGetDocNo.h"
#include "widgets/DbEdits.h"
#include "forms/receipt/ReceiptRules.h"
#include "forms/receipt/TFrImExcTran.h"
#include "forms/receipt/TFrImExpTran.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr int Lines = 200;

std::unique_ptr<TestEnv> g_env;

void ensureEnv()
{
    if (!g_env) {
        g_env = std::make_unique<TestEnv>();
        DMConfig->CheckRight(3, 1);
        MessageService::setDialogHook([](QDialog* d) {
            d->reject();
            return int(QDialog::Rejected);
        });
    }
}

void showForm(TFrMrTran& f)
{
    f.show();
    QApplication::setActiveWindow(&f);
    QCoreApplication::processEvents();
}

// The lines as a user leaves them: services 1 to 3 in turn, priced, with quantity.
void fillBill(TFrMrTran& f, const QString& number)
{
    // The number is typed and left, as the user does; the bill is then a new one.
    f.FaGetDocNo->DocNo->setFocus();
    f.FaGetDocNo->DocNo->setText(number);
    f.Reference->setFocus();
    QCoreApplication::processEvents();
    CachedDataSet& hd = *f.QHd;
    hd.SetField("ImportLotNo", 2);
    hd.SetField("Vendor", 2);
    hd.SetField("TaxCode", 1);
    hd.SetField("TaxRate", 7);
    hd.SetField("Price_IE", "E");
    CachedDataSet& dt = *f.QDt;
    dt.EmptyDataSet();
    for (int i = 0; i < Lines; ++i) {
        dt.Append();
        const int s = i % 3;
        dt.SetField("Product", 11 + s);
        dt.SetField("ProductType", "S");
        dt.SetField("ProductCode", QStringLiteral("S00%1").arg(s + 1));
        dt.SetField("ProductName", "service");
        dt.SetField("ProductUnits", 27 + s);
        dt.SetField("Fraction", 1);
        dt.SetField("TaxCode", 1);
        dt.SetField("TaxRate", 7);
        dt.SetField("Quantity", 1 + i % 4);
        dt.SetField("Price", 100.25 * (1 + i % 9));
        dt.Post();
    }
}

void BM_FormSavePath(benchmark::State& state)
{
    ensureEnv();
    TFrImExpTran f;
    showForm(f);
    // Numbers of their own in every run: the benchmark may be repeated.
    static int serial = 0;
    const int before = g_env->count("MrHd", "MrNo like '%B0%'");
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++n;
        fillBill(f, QStringLiteral("B%1").arg(++serial, 6, 10, QLatin1Char('0')));
        f.AcSave->setEnabled(true);
        MessageService::queueAnswer(true);
        MessageService::clearShown();
        state.ResumeTiming();
        f.AcSaveExecute();
        state.PauseTiming();
        if (g_env->count("MrHd", "MrNo like '%B0%'") != before + n) {
            QStringList shown;
            for (const auto& m : MessageService::shown())
                shown << m.text;
            state.SkipWithError(qPrintable(QStringLiteral("bill %1 was not saved: ").arg(n) + shown.join(" | ")));
            break;
        }
        state.ResumeTiming();
    }
    if (g_env->count("MrHd", "MrNo like '%B0%'") != before + n)
        state.SkipWithError(qPrintable(QStringLiteral("bills were not saved: %1 of %2 ")
                                           .arg(g_env->count("MrHd", "MrNo like '%B0%'") - before)
                                           .arg(n)
                                       + MessageService::lastText()));
    state.counters["lines/s"] = benchmark::Counter(double(Lines) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FormSavePath)->Unit(benchmark::kMillisecond)->Iterations(20);

// The saving transaction alone (numbering, header, log, lines, GL, commit) on the data sets
// as the form leaves them after its checks and amounts.
void BM_SaveTransaction(benchmark::State& state)
{
    ensureEnv();
    TFrImExpTran f;
    showForm(f);
    static int serial = 0;
    const int before = g_env->count("MrHd", "MrNo like '%T0%'");
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++n;
        fillBill(f, QStringLiteral("T%1").arg(++serial, 6, 10, QLatin1Char('0')));
        f.CalculateAll();
        ReceiptRules::SaveInput in;
        in.names = f.Names;
        in.header = f.QHd;
        in.lines = f.QDt;
        in.type = f.MrType;
        in.docCode = f.MrDocCode;
        in.runGL = true;
        state.ResumeTiming();
        ReceiptRules::Save(in);
        state.PauseTiming();
        f.AcNewExecute();
        state.ResumeTiming();
    }
    if (g_env->count("MrHd", "MrNo like '%T0%'") != before + n)
        state.SkipWithError("bills were not saved");
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
                           "insert into MrHd (DelFlag, MrType, MrNo, MrDate, ImportLotNo, Vendor, TaxCode, TaxRate, "
                           "Price_IE, Total, TaxAmt, TaxTotal, TaxCal, Clear, PaidAmount, Posted, Imported, BeginBalance, "
                           "PoHd, PrepaidAmount) values ('N', 'S', ?, '2026-12-09 00:00:00', 2, 2, 1, 7, 'E', 1000, 1000, "
                           "70, 70, 'N', 0, 'N', 'N', 'N', 0, 0)",
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
                           "insert into MrDt (MrHd, MrRecNo, MrDate, PoDt, Product, TaxCode, TaxRate, ProductUnits, "
                           "Quantity, QWeightSize, Fraction, Price, Cost, Discount, DiscountAmt, ProductAmount, Total) "
                           "values (?, ?, '2026-12-09 00:00:00', 0, ?, 1, 7, ?, ?, 0, 1, ?, ?, '', 0, ?, ?)",
                           -1, &l, nullptr);
        for (int i = 0; i < Lines; ++i) {
            const double total = (1 + i % 4) * 100.25 * (1 + i % 9);
            sqlite3_bind_int64(l, 1, id);
            sqlite3_bind_int(l, 2, i + 1);
            sqlite3_bind_int(l, 3, 11 + i % 3);
            sqlite3_bind_int(l, 4, 27 + i % 3);
            sqlite3_bind_double(l, 5, 1 + i % 4);
            sqlite3_bind_double(l, 6, 100.25 * (1 + i % 9));
            sqlite3_bind_double(l, 7, total);
            sqlite3_bind_double(l, 8, total);
            sqlite3_bind_double(l, 9, total);
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

// From nothing to a form standing on a new bill with the focus in the number.
template <class Form>
void BM_OpenForm(benchmark::State& state)
{
    ensureEnv();
    for (auto _ : state) {
        Form f;
        f.show();
        QCoreApplication::processEvents();
        if (!f.FaGetDocNo->DocNo->isEnabled())
            state.SkipWithError("the form did not open a new bill");
        state.PauseTiming();
        f.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenForm<TFrImExpTran>)->Name("BM_OpenCreditForm")->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_OpenForm<TFrImExcTran>)->Name("BM_OpenCashForm")->Unit(benchmark::kMillisecond)->Iterations(10);

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
