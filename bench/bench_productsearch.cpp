// Product search (name begins with, name contains, code prefix) and the product code check over
// a catalogue of 100,000 products with 3 units each, in a company database built from the
// schema: through Qt SQL as the program runs them, and the same statements through the bare
// sqlite3 library. The ratio of the two is what to compare across machines.
#include "data/DbAdmin.h"
#include "data/DbUtil.h"
#include "data/product/TDmProduct.h"
#include "search/SearchQuery.h"
#include "search/TFrSearchProductService.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

constexpr int Products = 100000;
const QStringList Words = {QStringLiteral("ปากกา"), QStringLiteral("ดินสอ"), QStringLiteral("สมุด"),
                           QStringLiteral("แฟ้ม"), QStringLiteral("กระดาษ"), QStringLiteral("หมึก"),
                           QStringLiteral("ยางลบ"), QStringLiteral("เทป"), QStringLiteral("กาว"),
                           QStringLiteral("ไม้บรรทัด")};

struct Fixture {
    QTemporaryDir dir;
    QString file;
    QSqlDatabase db;
    sqlite3* raw = nullptr;
    TDmProduct dm;

    Fixture()
    {
        DbAdmin::createCompanyDatabase(dir.path(), QStringLiteral("BENCH"));
        file = QDir(dir.path()).filePath(QStringLiteral("BENCH.sqlite"));
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(file);
        if (!db.open())
            std::abort();
        build();
        Db::keepStatements(QStringLiteral("bench")); // as every connection of the program does
        dm.setDatabase(db);
        if (sqlite3_open_v2(file.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            std::abort();
    }
    ~Fixture() { sqlite3_close(raw); }

    void build()
    {
        Db::exec(db, QStringLiteral("INSERT INTO Tax (Id, Code, Rate) VALUES (1, 'VAT7', 7)"));
        Db::exec(db, QStringLiteral("INSERT INTO Warehouse (Id, Code, Name) VALUES (1, 'WH01', 'คลังหลัก')"));
        db.transaction();
        QSqlQuery p(db), u(db);
        p.prepare(QStringLiteral("INSERT INTO Product (Id, Code, ThaiName, ProductType, Blocked, MasterCode, TaxCode, "
                                 "DefaultWh, Remark, Picture1) VALUES (?, ?, ?, ?, ?, 'N', 1, 1, '', '')"));
        u.prepare(QStringLiteral("INSERT INTO ProductUnits (Product, UnitName, Fraction, SmallUnitFlag, StockUnitFlag, "
                                 "SaleFlag, PurcFlag) VALUES (?, ?, ?, ?, ?, 'Y', 'Y')"));
        for (int i = 1; i <= Products; ++i) {
            p.addBindValue(i);
            p.addBindValue(QStringLiteral("P%1").arg(i, 6, 10, QLatin1Char('0')));
            p.addBindValue(Words[i % Words.size()] + QStringLiteral(" รุ่น %1").arg(i));
            p.addBindValue(i % 20 == 0 ? QStringLiteral("S") : QStringLiteral("P"));
            p.addBindValue(i % 50 == 0 ? QStringLiteral("Y") : QStringLiteral("N"));
            if (!p.exec())
                std::abort();
            const struct { const char* name; int fraction; const char* small; const char* stock; } units[] = {
                {"ชิ้น", 1, "Y", "N"}, {"กล่อง", 12, "N", "Y"}, {"ลัง", 144, "N", "N"}};
            for (const auto& un : units) {
                u.addBindValue(i);
                u.addBindValue(QString::fromUtf8(un.name));
                u.addBindValue(un.fraction);
                u.addBindValue(QLatin1String(un.small));
                u.addBindValue(QLatin1String(un.stock));
                if (!u.exec())
                    std::abort();
            }
        }
        db.commit();
        Db::exec(db, QStringLiteral("ANALYZE"));
    }
};

Fixture* fixture = nullptr;

// Named parameters of the text in order, turned into the positional binds of sqlite3.
int bindRaw(sqlite3_stmt* stmt, const QVariantMap& params)
{
    for (int i = 1; i <= sqlite3_bind_parameter_count(stmt); ++i) {
        const QString name = QString::fromUtf8(sqlite3_bind_parameter_name(stmt, i)).mid(1);
        QVariant v;
        for (auto it = params.cbegin(); it != params.cend(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                v = it.value();
        if (v.typeId() == QMetaType::Int) {
            sqlite3_bind_int(stmt, i, v.toInt());
        } else {
            const QByteArray b = v.toString().toUtf8();
            sqlite3_bind_text(stmt, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        }
    }
    return 0;
}

// Prepares, binds, steps through every row reading every column: what the program does.
qint64 runRaw(const QString& sql, const QVariantMap& params)
{
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(fixture->raw, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(fixture->raw));
        std::abort();
    }
    bindRaw(stmt, params);
    qint64 rows = 0;
    const int n = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < n; ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
        ++rows;
    }
    sqlite3_finalize(stmt);
    return rows;
}

ProductSearchStatement searchOf(int method, const QString& code, const QString& name)
{
    ProductSearchInput in;
    in.method = method;
    in.code = code;
    in.name = name;
    in.typeItem = 0;
    return BuildProductSearch(in);
}

struct Case {
    int method;
    const char* code;
    const char* name;
};
// Begins with a word (10,000 rows), contains a model number (about 11 rows), a code prefix.
const Case Cases[] = {{0, "", "ดินสอ"}, {1, "", "รุ่น 4242"}, {0, "P0421", ""}};

void BM_Search_Qt(benchmark::State& state)
{
    const Case& c = Cases[state.range(0)];
    const ProductSearchStatement st = searchOf(c.method, QString::fromUtf8(c.code), QString::fromUtf8(c.name));
    SearchQuery q;
    q.SQL = st.lines;
    for (auto it = st.params.cbegin(); it != st.params.cend(); ++it)
        q.setParam(it.key(), it.value());
    qint64 rows = 0;
    for (auto _ : state) {
        q.Close();
        q.Open(fixture->db);
        rows = q.RecordCount();
    }
    state.counters["rows"] = double(rows);
}

void BM_Search_sqlite3(benchmark::State& state)
{
    const Case& c = Cases[state.range(0)];
    const ProductSearchStatement st = searchOf(c.method, QString::fromUtf8(c.code), QString::fromUtf8(c.name));
    const QString sql = st.lines.join(QLatin1Char('\n'));
    qint64 rows = 0;
    for (auto _ : state)
        rows = runRaw(sql, st.params);
    state.counters["rows"] = double(rows);
}

QString randomCode(std::mt19937& rng)
{
    std::uniform_int_distribution<int> d(1, Products);
    return QStringLiteral("P%1").arg(d(rng), 6, 10, QLatin1Char('0'));
}

void BM_ExistsProduct_Qt(benchmark::State& state)
{
    std::mt19937 rng(7);
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture->dm.ExistsProduct(randomCode(rng)));
}

void BM_ExistsProduct_sqlite3(benchmark::State& state)
{
    std::mt19937 rng(7);
    const QString sql = QString::fromLatin1(TDmProduct::SqlChkProduct);
    for (auto _ : state)
        benchmark::DoNotOptimize(runRaw(sql, {{QStringLiteral("GetCode"), randomCode(rng)}}));
}

} // namespace

BENCHMARK(BM_Search_Qt)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search_sqlite3)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExistsProduct_Qt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExistsProduct_sqlite3)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    {
        Fixture f;
        fixture = &f;
        benchmark::RunSpecifiedBenchmarks();
        fixture = nullptr;
        Db::forgetConnection(QStringLiteral("bench"));
        f.db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    benchmark::Shutdown();
    return 0;
}
