// The landed cost estimates on a company database of the full schema, enlarged as the import
// cost benchmark enlarges its lot: 1,000 products, three earlier costed lots of 10,000 import
// lines each (with their duty groups and expense bills), 20 estimated orders of 500 lines, and
// a fourth lot of 10,000 lines that took over every one of those order lines.
//   - the estimate of a 500-line order: every default with its statements (rate, expense
//     share over the latest lots' cost sheets, each product's duty share), then the amounts;
//   - the comparison of the 10,000-line lot: its cost sheet and the received estimates read,
//     then compared.
#include "data/DbAdmin.h"
#include "data/DbUtil.h"
#include "forms/import/ImportCostQuery.h"
#include "forms/import/LandedCostEstimate.h"
#include "forms/import/LandedCostQuery.h"

#include "FixtureMain.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int Products = 1000;
constexpr int Lines = 10000;
constexpr int Documents = 20;
constexpr int EarlierLots = 3;
constexpr int OrderLines = 500;
constexpr int Orders = Lines / OrderLines;
constexpr int Vendor = 1;
constexpr int Currency = 1;
constexpr int ArrivingLot = EarlierLots + 1;

struct Fixture {
    QTemporaryDir dir;
    QSqlDatabase db;

    Fixture()
    {
        DbAdmin::createCompanyDatabase(dir.path(), QStringLiteral("BENCH"));
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(dir.filePath(QStringLiteral("BENCH.sqlite")));
        if (!db.open())
            std::abort();
        build();
    }

    void exec(QSqlQuery& q)
    {
        if (!q.exec()) {
            std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
            std::abort();
        }
    }
    void exec(const QString& sql)
    {
        QSqlQuery q(db);
        if (!q.exec(sql)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(sql), qPrintable(q.lastError().text()));
            std::abort();
        }
    }
    QSqlQuery prepare(const QString& sql)
    {
        QSqlQuery q(db);
        if (!q.prepare(sql))
            std::abort();
        return q;
    }

    void build()
    {
        db.transaction();
        exec(QStringLiteral("insert into Misc (Id, GroupCode, Code, Description) values (1, 'CURRENCY', 'USD', 'US dollar')"));
        exec(QStringLiteral("insert into FrVendor (Id, Code, Name, Currency) values (1, 'F001', 'Vendor', 1), (2, 'F002', 'Other', 1)"));
        exec(QStringLiteral("insert into Vendor (Id, Code, Name) values (1, 'V001', 'Forwarder')"));
        QSqlQuery product = prepare(QStringLiteral("insert into Product (Id, Code, ThaiName, ProductType) values (?, ?, ?, 'P')"));
        for (int p = 1; p <= Products; ++p) {
            product.addBindValue(p);
            product.addBindValue(QStringLiteral("P%1").arg(p, 5, 10, QLatin1Char('0')));
            product.addBindValue(QStringLiteral("สินค้านำเข้า %1").arg(p));
            exec(product);
        }
        // Estimated orders of 500 lines each, every line with its estimate.
        QSqlQuery order = prepare(QStringLiteral("insert into FrPoHd (ID, PoType, PoNo, FrVendor, Currency) values (?, 'P', ?, 1, 1)"));
        QSqlQuery orderLine = prepare(QStringLiteral(
            "insert into FrPoDt (ID, FrPoHd, PoRecNo, Product, ProductUnits, Quantity, Fraction, Total) values (?, ?, ?, ?, 1, ?, ?, ?)"));
        QSqlQuery estHd = prepare(QStringLiteral(
            "insert into FrPoEstHd (FrPoHd, FrVendor, Currency, ExchangeRate, ExpenseShare, Total) values (?, 1, 1, 35, 9, 0)"));
        QSqlQuery estDt = prepare(QStringLiteral(
            "insert into FrPoEstDt (FrPoHd, FrPoDt, Product, Quantity, Fraction, Amount, DutyShare, GoodsBaht, Duty, Expense, "
            "LandedCost, UnitCost) values (?, ?, ?, ?, ?, ?, 10, ?, ?, ?, ?, ?)"));
        for (int o = 1; o <= Orders; ++o) {
            order.addBindValue(o);
            order.addBindValue(QStringLiteral("FP%1").arg(o, 5, 10, QLatin1Char('0')));
            exec(order);
            estHd.addBindValue(o);
            exec(estHd);
            for (int i = 0; i < OrderLines; ++i) {
                const int id = (o - 1) * OrderLines + i + 1;
                const double qty = 1 + id % 17, fraction = id % 3 == 0 ? 12 : 1, amount = 10.25 * qty;
                const double goods = amount * 35, duty = goods * 0.1, expense = goods * 0.09;
                orderLine.addBindValue(id);
                orderLine.addBindValue(o);
                orderLine.addBindValue(i + 1);
                orderLine.addBindValue(id % Products + 1);
                orderLine.addBindValue(qty);
                orderLine.addBindValue(fraction);
                orderLine.addBindValue(amount);
                exec(orderLine);
                for (const QVariant& v : QVariantList{o, id, id % Products + 1, qty, fraction, amount, goods, duty, expense,
                                                      goods + duty + expense, (goods + duty + expense) / qty})
                    estDt.addBindValue(v);
                exec(estDt);
            }
        }
        // Lots 1 to 3 earlier, of the vendor; lot 4 took over the order lines, one each.
        QSqlQuery lot = prepare(QStringLiteral("insert into ImportLotNo (Id, Code, Active) values (?, ?, 'Y')"));
        QSqlQuery hd = prepare(QStringLiteral(
            "insert into ImHd (ID, DelFlag, ImNo, ImDate, ImportLotNo, FrVendor, Currency, ExchangeRate, BeginBalance) "
            "values (?, 'N', ?, ?, ?, ?, 1, ?, 'N')"));
        QSqlQuery duty = prepare(QStringLiteral("insert into ImDuty (ID, ImHd, DutyNo, Total) values (?, ?, 1, 1000)"));
        QSqlQuery dt = prepare(QStringLiteral(
            "insert into ImDt (ImHd, ImRecNo, PoDt, Product, ProductUnits, Warehouse, ImDuty, Quantity, Fraction, Total) "
            "values (?, ?, ?, ?, 1, 1, ?, ?, ?, ?)"));
        int docId = 0;
        for (int l = 1; l <= ArrivingLot; ++l) {
            lot.addBindValue(l);
            lot.addBindValue(QStringLiteral("LOT%1").arg(l));
            exec(lot);
            for (int d = 0; d < Documents; ++d) {
                ++docId;
                hd.addBindValue(docId);
                hd.addBindValue(QStringLiteral("IM%1").arg(docId, 5, 10, QLatin1Char('0')));
                hd.addBindValue(QStringLiteral("2026-%1-%2 00:00:00").arg(l + 1, 2, 10, QLatin1Char('0')).arg(d + 1, 2, 10, QLatin1Char('0')));
                hd.addBindValue(l);
                hd.addBindValue(d % 4 == 3 ? 2 : Vendor);
                hd.addBindValue(34.0 + d * 0.137 + l);
                exec(hd);
                duty.addBindValue(docId);
                duty.addBindValue(docId);
                exec(duty);
                for (int i = 0; i < Lines / Documents; ++i) {
                    const int n = d * (Lines / Documents) + i;
                    dt.addBindValue(docId);
                    dt.addBindValue(i + 1);
                    dt.addBindValue(l == ArrivingLot ? QVariant(n + 1) : QVariant());
                    dt.addBindValue(l == ArrivingLot ? (n + 1) % Products + 1 : n % Products + 1);
                    dt.addBindValue(docId);
                    dt.addBindValue(1 + n % 17);
                    dt.addBindValue(n % 3 == 0 ? 12 : 1);
                    dt.addBindValue(10.25 * (1 + n % 17) + (n % 7) * 0.33);
                    exec(dt);
                }
            }
            // 50 expense bills of three lines each.
            for (int b = 1; b <= 50; ++b) {
                const int id = l * 100 + b;
                exec(QStringLiteral("insert into MrHd (ID, DelFlag, MrType, MrNo, MrDate, ImportLotNo, Vendor, TaxRate, Price_IE, "
                                    "CanUseTax, Total) values (%1, 'N', 'S', 'B%1', '2026-02-01 00:00:00', %2, 1, 7, 'E', 'Y', %3)")
                         .arg(id)
                         .arg(l)
                         .arg(1000 + b * 37.25));
                for (int line = 0; line < 3; ++line)
                    exec(QStringLiteral("insert into MrDt (MrHd, MrRecNo, Product, ProductUnits, TaxRate, Total) values "
                                        "(%1, %2, 1, 1, %3, %4)")
                             .arg(id)
                             .arg(line + 1)
                             .arg(line < 2 ? 7 : 0)
                             .arg(1000 + b * 37.25));
            }
        }
        db.commit();
        exec(QStringLiteral("analyze"));
    }
};

Fixture* fixture = nullptr;

LandedCostEstimate order500()
{
    LandedCostEstimate e;
    e.header.Currency = Currency;
    e.header.Vendor = Vendor;
    for (int i = 0; i < OrderLines; ++i) {
        LandedCostEstimate::Line l;
        l.Product = i * 2 % Products + 1;
        l.Quantity = 1 + i % 9;
        l.Amount = 12.5 * l.Quantity;
        e.lines << l;
    }
    return e;
}

// Every default of a new 500-line order read, and its amounts computed.
void BM_Estimate500Lines(benchmark::State& state)
{
    for (auto _ : state) {
        LandedCostEstimate e = order500();
        LandedCostQuery::TakeDefaults(fixture->db, e, true, true);
        e.compute();
        if (!e.hasTotal() || !e.lines[0].HasDutyShare || !e.header.HasExpenseShare)
            state.SkipWithError("a default is missing");
        benchmark::DoNotOptimize(e);
    }
}

// The parts: each product's duty share (one statement), the expense share (the latest three
// lots' cost sheets), the rate.
void BM_Estimate500_DutyShares(benchmark::State& state)
{
    QList<int> products;
    for (const LandedCostEstimate::Line& l : order500().lines)
        products << l.Product;
    for (auto _ : state)
        benchmark::DoNotOptimize(LandedCostEstimate::DutyShares(LandedCostQuery::ProductLots(fixture->db, products, LandedCostQuery::CostedLots(fixture->db, 0))));
}

void BM_Estimate_ExpenseShare(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(LandedCostQuery::ExpectedExpenses(fixture->db, Vendor, LandedCostQuery::Setting()));
}

// Stored with the order, inside a transaction (rolled back each time).
void BM_Estimate500_Store(benchmark::State& state)
{
    LandedCostEstimate e = order500();
    LandedCostQuery::TakeDefaults(fixture->db, e, true, true);
    e.compute();
    for (int i = 0; i < e.lines.size(); ++i)
        e.lines[i].OrderLine = 1000000 + i;
    for (auto _ : state) {
        fixture->db.transaction();
        LandedCostQuery::Store(fixture->db, 999999, e);
        fixture->db.rollback();
    }
}

// The comparison of the 10,000-line lot: its cost sheet, the estimates its lines took over,
// the comparison.
void BM_Comparison10000Lines(benchmark::State& state)
{
    for (auto _ : state) {
        const ImportCostQuery::Input in = ImportCostQuery::Read(fixture->db, ArrivingLot);
        const ImportCostResult sheet = ComputeImportCost(in.Rows, in.LotExpense);
        const auto rows = LandedCostEstimate::Compare(sheet, LandedCostQuery::Receipts(fixture->db, ArrivingLot));
        if (rows.size() != Products || !LandedCostEstimate::anyCompared(rows))
            state.SkipWithError("nothing compared");
        benchmark::DoNotOptimize(rows);
    }
}

void BM_Comparison_Receipts(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(LandedCostQuery::Receipts(fixture->db, ArrivingLot));
}

void BM_Comparison_SheetOnly(benchmark::State& state)
{
    for (auto _ : state) {
        const ImportCostQuery::Input in = ImportCostQuery::Read(fixture->db, ArrivingLot);
        benchmark::DoNotOptimize(ComputeImportCost(in.Rows, in.LotExpense));
    }
}

} // namespace

BENCHMARK(BM_Estimate500Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Estimate500_DutyShares)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Estimate_ExpenseShare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Estimate500_Store)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Comparison10000Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Comparison_Receipts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Comparison_SheetOnly)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runWithFixture(argc, argv, fixture, QStringLiteral("bench"));
}
