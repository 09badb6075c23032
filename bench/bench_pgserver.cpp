// The server backend on a PostgreSQL server of the benchmark's own (scripts/pg-test-server):
// each piece of work as the program does it (Qt SQL, the form's save path, the search and
// import cost statements) against the same statements sent through libpq directly, so the
// ratio compares across machines:
//   - saving an import document of 1,000 lines in 10 duty groups;
//   - the product search over 100,000 products (name begins with, contains, code prefix),
//     and the case-insensitive match itself: LIKE on the citext column vs ILIKE;
//   - the import cost statements of a lot of 10,000 lines;
//   - throughput of 1 and of 4 workstations saving import documents at the same time, of one
//     document code and of codes of their own (the same on the embedded backend:
//     bench_inboundsave), into a company with a year of earlier imports; and the server's own
//     benchmark program with 1 and 4 clients on the same server, the floor of that ratio.
#include "data/CachedDataSet.h"
#include "data/Connection.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "forms/import/ImportCostQuery.h"
#include "forms/import/InboundRules.h"
#include "search/SearchQuery.h"
#include "search/TFrSearchProductService.h"
#include "Savers.h"
#include "support/ImportDoc.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QUuid>
#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const QDate kToday(2026, 12, 9);
constexpr int Lines = 1000;
constexpr int Groups = 10;
constexpr int Products = 100000;
constexpr int CostLot = 9;
constexpr int CostLines = 10000;

std::unique_ptr<TestServer> g_server;
std::unique_ptr<TestEnv> g_env;
PGconn* g_pq = nullptr;
int g_unit = 0;

void sql(const QString& text)
{
    Db::exec(g_env->company(), text);
}

// The catalogue of the search and the lot of the import cost, written by the server itself.
void build()
{
    sql("INSERT INTO Product (Id, Code, ThaiName, ProductType, Blocked, MasterCode, TaxCode, DefaultWh, Remark, Picture1) "
        "SELECT 1000 + i, 'P' || lpad(i::text, 6, '0'), "
        "(ARRAY['ปากกา','ดินสอ','สมุด','แฟ้ม','กระดาษ','หมึก','ยางลบ','เทป','กาว','ไม้บรรทัด'])[i % 10 + 1] || ' รุ่น ' || i, "
        "CASE WHEN i % 20 = 0 THEN 'S' ELSE 'P' END, CASE WHEN i % 50 = 0 THEN 'Y' ELSE 'N' END, 'N', 1, 1, '', '' "
        "FROM generate_series(1, 100000) i");
    sql("INSERT INTO ProductUnits (Product, UnitName, Fraction, SmallUnitFlag, StockUnitFlag, SaleFlag, PurcFlag) "
        "SELECT 1000 + i, u.name, u.fraction, u.small, u.stock, 'Y', 'Y' FROM generate_series(1, 100000) i, "
        "(VALUES ('ชิ้น', 1, 'Y', 'N'), ('กล่อง', 12, 'N', 'Y'), ('ลัง', 144, 'N', 'N')) u(name, fraction, small, stock)");
    sql(QString("INSERT INTO ImportLotNo (Id, Code, Description, Active) VALUES (%1, 'COSTLOT', 'bench', 'Y')").arg(CostLot));
    // 20 documents of 500 lines over 1,000 products, one duty group each; 50 expense bills.
    sql(QString("INSERT INTO ImHd (ID, DelFlag, ImNo, ImDate, ImportLotNo, Currency, ExchangeRate, Total, BeginBalance) "
                "SELECT 5000 + d, 'N', 'COST' || d, '2026-12-01', %1, 2, 34 + d * 0.137, 0, 'N' FROM generate_series(1, 20) d")
            .arg(CostLot));
    sql("INSERT INTO ImDuty (ID, ImHd, DutyNo, Total) SELECT 5000 + d, 5000 + d, 1, 1000 FROM generate_series(1, 20) d");
    sql(QString("INSERT INTO ImDt (ImHd, ImRecNo, Product, ProductUnits, Warehouse, ImDuty, Quantity, Fraction, Total) "
                "SELECT 5001 + n / 500, n % 500 + 1, 1001 + n % 1000, 1, 1, 5001 + n / 500, 1 + n % 17, 1, "
                "10.25 * (1 + n % 17) + (n % 7) * 0.33 FROM generate_series(0, %1 - 1) n")
            .arg(CostLines));
    sql(QString("INSERT INTO MrHd (MrNo, ImportLotNo, DelFlag, Total) SELECT 'MRC' || b, %1, "
                "CASE WHEN b % 10 = 0 THEN 'Y' ELSE 'N' END, 1000 + b * 37.25 FROM generate_series(1, 50) b")
            .arg(CostLot));
    // A year of earlier imports (3,000 documents with their duty groups, lines and vouchers):
    // the savers save into tables of an office's size, which the server has counted, as
    // they would be after a while of work; into near-empty tables the server plans its
    // statements for tables of a few rows, and keeps those plans as the tables grow.
    sql("INSERT INTO ImHd (ID, DelFlag, ImNo, ImDate, ImportLotNo, Currency, ExchangeRate, Total, BeginBalance) "
        "SELECT 10000 + d, 'N', 'H' || d, '2026-01-01'::timestamp + (d / 10) * interval '1 day', 1, 2, 35.5, 100, 'N' "
        "FROM generate_series(1, 3000) d");
    sql("INSERT INTO ImDuty (ID, ImHd, DutyNo, Total) SELECT 10000 + n, 10001 + (n - 1) / 2, 1 + (n - 1) % 2, 50 "
        "FROM generate_series(1, 6000) n");
    sql("INSERT INTO ImDt (ImHd, ImRecNo, Product, ProductUnits, Warehouse, ImDuty, Quantity, Fraction, Total) "
        "SELECT 10001 + n / 3, n % 3 + 1, 1, 1, 1, 10001 + (n / 3) * 2, 1, 1, 33 FROM generate_series(0, 8999) n");
    sql("INSERT INTO glhd (id, gldocno, gldate, gldesc, glfromdoctype, glfromdocid, glfromdocno, totaldebit, totalcredit, "
        "posted, userid) SELECT 100000 + d, 'H' || d, '2026-01-01', 'history', 'IM', 10000 + d, 'H' || d, 100, 100, 'N', 1 "
        "FROM generate_series(1, 3000) d");
    sql("INSERT INTO gldt (glhd, glrecno, account, description, debit, credit) "
        "SELECT 100001 + n / 3, n % 3 + 1, '1140', 'history', 50, 50 FROM generate_series(0, 8999) n");
    ImportDoc::addOwnCodes(g_env->company(), 4, 2026); // for the savers that do not share one
    // Rows written with Ids of their own: the tables' counters go past them, so the saves of
    // any number of repetitions take Ids of their own.
    for (const char* table : {"Product", "ImportLotNo", "ImHd", "ImDuty", "glhd"})
        sql(QString("SELECT setval(pg_get_serial_sequence('%1', 'id'), (SELECT max(Id) FROM %1))").arg(table).toLower());
    sql("ANALYZE");
}

PGconn* connectDirect()
{
    const ServerLocation where = g_env->location();
    const QByteArray info = QString("host='%1' port=%2 dbname='%3' user='%4'")
                                .arg(where.host)
                                .arg(where.port)
                                .arg(Connection::serverDatabaseName(where, "DEMO"), Connection::serverUser())
                                .toUtf8();
    PGconn* c = PQconnectdb(info.constData());
    if (PQstatus(c) != CONNECTION_OK) {
        std::fprintf(stderr, "%s\n", PQerrorMessage(c));
        std::abort();
    }
    return c;
}

PGresult* check(PGresult* r)
{
    const ExecStatusType s = PQresultStatus(r);
    if (s != PGRES_COMMAND_OK && s != PGRES_TUPLES_OK) {
        std::fprintf(stderr, "%s\n", PQresultErrorMessage(r));
        std::abort();
    }
    return r;
}

void run(const char* text)
{
    PQclear(check(PQexec(g_pq, text)));
}

// A statement of the program with its ":Name" parameters as $1..$n, run with text values;
// every value of every row is read.
qint64 runDirect(const QString& statement, const QVariantMap& params)
{
    QString text = statement;
    QList<QByteArray> values;
    const QStringList names = Db::parameterNames(statement);
    for (int i = 0; i < names.size(); ++i) {
        text.replace(QRegularExpression(":" + names[i] + "\\b", QRegularExpression::CaseInsensitiveOption),
                     "$" + QString::number(i + 1));
        QVariant value;
        for (auto it = params.cbegin(); it != params.cend(); ++it)
            if (it.key().compare(names[i], Qt::CaseInsensitive) == 0)
                value = it.value();
        values << value.toString().toUtf8();
    }
    text = Db::dialectSql(g_env->company(), text);
    std::vector<const char*> raw;
    for (const QByteArray& v : values)
        raw.push_back(v.constData());
    const QByteArray sqlText = text.toUtf8();
    PGresult* r = check(PQexecParams(g_pq, sqlText.constData(), int(raw.size()), nullptr, raw.data(), nullptr, nullptr, 0));
    const int rows = PQntuples(r), cols = PQnfields(r);
    for (int i = 0; i < rows; ++i)
        for (int c = 0; c < cols; ++c)
            benchmark::DoNotOptimize(PQgetvalue(r, i, c));
    PQclear(r);
    return rows;
}

// ---- saving an import document ----------------------------------------------------------

void BM_ImportSave_Qt(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        ImportDoc d;
        d.newHeader();
        for (int g = 0; g < Groups; ++g)
            d.group(100 + g);
        for (int i = 0; i < Lines; ++i)
            d.line(1 + i % 12, g_unit, 1 + i % 7, 10.25 * (1 + i % 13), 1 + i % Groups);
        InboundRules::CheckComplete(d.dt, d.duty, true, true);
        state.ResumeTiming();
        InboundRules::Save(d.input(true));
    }
    state.counters["lines/s"] = benchmark::Counter(double(Lines) * state.iterations(), benchmark::Counter::kIsRate);
}

// The statements of the save (header, duty groups, lines, ledger voucher, then the number,
// set on the header and the voucher, and the log) sent through libpq, the lines as one
// prepared statement.
void BM_ImportSave_Libpq(benchmark::State& state)
{
    static bool prepared = false;
    if (!prepared) {
        PQclear(check(PQprepare(g_pq, "line",
                                "insert into ImDt (ImHd, ImRecNo, ImDate, PoDt, Product, ProductUnits, Warehouse, LotNo, "
                                "SerialNo, ImDuty, Quantity, Fraction, Cost, Total) values "
                                "($1, $2, '2026-12-09 15:30:00', null, $3, $4, 1, null, null, $5, $6, 1, 0, $7)",
                                0, nullptr)));
        prepared = true;
    }
    for (auto _ : state) {
        run("BEGIN");
        const QByteArray standIn = "#NK#" + QUuid::createUuid().toByteArray(QUuid::Id128);
        const char* hdValues[] = {standIn.constData()};
        PGresult* hd = check(PQexecParams(g_pq,
                                          "insert into ImHd (DelFlag, ImNo, ImDate, ImportLotNo, FrVendor, Currency, "
                                          "ExchangeRate, Total, Clear, PaidAmount, Posted, Imported, BeginBalance) values "
                                          "('N', $1, '2026-12-09 15:30:00', 1, 1, 2, 35.5, 0, 'N', 0, 'N', 'N', 'N') RETURNING ID",
                                          1, nullptr, hdValues, nullptr, nullptr, 0));
        const QByteArray id = PQgetvalue(hd, 0, 0);
        PQclear(hd);
        QByteArray groupIds[Groups];
        for (int g = 0; g < Groups; ++g) {
            const QByteArray dutyNo = QByteArray::number(g + 1), total = QByteArray::number(100 + g);
            const char* v[] = {id.constData(), dutyNo.constData(), total.constData()};
            PGresult* r = check(PQexecParams(g_pq, "insert into ImDuty (ImHd, DutyNo, Total) values ($1, $2, $3) RETURNING ID",
                                             3, nullptr, v, nullptr, nullptr, 0));
            groupIds[g] = PQgetvalue(r, 0, 0);
            PQclear(r);
        }
        const QByteArray unit = QByteArray::number(g_unit);
        for (int i = 0; i < Lines; ++i) {
            const QByteArray rec = QByteArray::number(i + 1), product = QByteArray::number(1 + i % 12),
                             qty = QByteArray::number(1 + i % 7), total = QByteArray::number(10.25 * (1 + i % 13));
            const char* v[] = {id.constData(), rec.constData(), product.constData(), unit.constData(),
                               groupIds[i % Groups].constData(), qty.constData(), total.constData()};
            PQclear(check(PQexecPrepared(g_pq, "line", 7, v, nullptr, nullptr, 0)));
        }
        const char* idValue[] = {id.constData()};
        PQclear(check(PQexecParams(g_pq, "SELECT H.ImNo, H.ImDate, H.Total, H.ExchangeRate, (SELECT COALESCE(SUM(T.Total), 0) "
                                         "FROM ImDuty T WHERE T.ImHd = H.ID) AS Duty FROM ImHd H WHERE H.ID = $1",
                                   1, nullptr, idValue, nullptr, nullptr, 0)));
        const char* glValues[] = {standIn.constData(), id.constData()};
        PGresult* gl = check(PQexecParams(g_pq, "INSERT INTO glhd (gldocno, glfromdoctype, glfromdocid, glfromdocno, totaldebit, "
                                                "totalcredit, posted, userid, createdate) VALUES ($1, 'IM', $2, $1, 1, 1, 'N', 1, "
                                                "localtimestamp(0)) RETURNING id",
                                          2, nullptr, glValues, nullptr, nullptr, 0));
        const QByteArray glId = PQgetvalue(gl, 0, 0);
        PQclear(gl);
        for (int l = 1; l <= 3; ++l) {
            const QByteArray rec = QByteArray::number(l);
            const char* v[] = {glId.constData(), rec.constData()};
            PQclear(check(PQexecParams(g_pq, "INSERT INTO gldt (glhd, glrecno, account, description, debit, credit) "
                                             "VALUES ($1, $2, '1140', 'x', 1, 0)",
                                       2, nullptr, v, nullptr, nullptr, 0)));
        }
        // The number last, as the program draws it: the counter's own value is a number
        // never used before, however often the benchmark is repeated.
        PGresult* no = check(PQexec(g_pq, "UPDATE DocumentNo SET LastNo = COALESCE(LastNo, 0) + 1 WHERE Code = 'IMPORT' "
                                          "AND DocYear = 2026 RETURNING Prefix, LastNo, DocumentLength"));
        const QByteArray number = QByteArray(PQgetvalue(no, 0, 0)) + "L" + PQgetvalue(no, 0, 1);
        PQclear(no);
        const char* numberValues[] = {number.constData(), id.constData(), standIn.constData()};
        PQclear(check(PQexecParams(g_pq, "UPDATE ImHd SET ImNo = $1 WHERE ID = $2 AND NOT EXISTS (SELECT 1 FROM ImHd "
                                         "WHERE ImNo = $1)",
                                   2, nullptr, numberValues, nullptr, nullptr, 0)));
        PQclear(check(PQexecParams(g_pq, "UPDATE glhd SET gldocno = $1, glfromdocno = $1 WHERE glfromdocid = $2 AND "
                                         "glfromdocno = $3",
                                   3, nullptr, numberValues, nullptr, nullptr, 0)));
        PQclear(check(PQexecParams(g_pq,
                                   "INSERT INTO UserLog (LogDate, UserId, MenuId, FunctionListId, DocumentId, Remark) "
                                   "VALUES (localtimestamp(0), 1, 1, 1, 0, $1)",
                                   1, nullptr, numberValues, nullptr, nullptr, 0)));
        run("COMMIT");
    }
    state.counters["lines/s"] = benchmark::Counter(double(Lines) * state.iterations(), benchmark::Counter::kIsRate);
}

// ---- product search ---------------------------------------------------------------------

struct SearchCase {
    int method;
    const char* code;
    const char* name;
};
// Begins with a word (10,000 rows), contains a model number (11 rows), a code prefix.
const SearchCase Searches[] = {{0, "", "ดินสอ"}, {1, "", "รุ่น 4242"}, {0, "P0421", ""}};

ProductSearchStatement searchOf(const SearchCase& c)
{
    ProductSearchInput in;
    in.method = c.method;
    in.code = QString::fromUtf8(c.code);
    in.name = QString::fromUtf8(c.name);
    in.typeItem = 0;
    in.backend = Db::Backend::PostgreSQL;
    return BuildProductSearch(in);
}

void BM_ProductSearch_Qt(benchmark::State& state)
{
    const ProductSearchStatement st = searchOf(Searches[state.range(0)]);
    SearchQuery q;
    q.SQL = st.lines;
    for (auto it = st.params.cbegin(); it != st.params.cend(); ++it)
        q.setParam(it.key(), it.value());
    for (auto _ : state) {
        q.Close();
        q.Open(g_env->company());
    }
    state.counters["rows"] = double(q.RecordCount());
}

void BM_ProductSearch_Libpq(benchmark::State& state)
{
    const ProductSearchStatement st = searchOf(Searches[state.range(0)]);
    const QString text = st.lines.join('\n');
    qint64 rows = 0;
    for (auto _ : state)
        rows = runDirect(text, st.params);
    state.counters["rows"] = double(rows);
}

// The case-insensitive match of a name anywhere in 100,000 citext names: the column's own
// LIKE (0), the ILIKE the program sends (1), and lower() on both sides over text (2).
void BM_NameMatch_Libpq(benchmark::State& state)
{
    static const char* forms[] = {"SELECT count(*) FROM Product WHERE ThaiName LIKE $1",
                                  "SELECT count(*) FROM Product WHERE ThaiName ILIKE $1",
                                  "SELECT count(*) FROM Product WHERE lower(ThaiName::text) LIKE lower($1)"};
    const char* v[] = {"%รุ่น 4242%"};
    for (auto _ : state)
        PQclear(check(PQexecParams(g_pq, forms[state.range(0)], 1, nullptr, v, nullptr, nullptr, 0)));
}

// ---- import cost --------------------------------------------------------------------------

void BM_ImportCost_Qt(benchmark::State& state)
{
    for (auto _ : state) {
        const ImportCostQuery::Input in = ImportCostQuery::Read(g_env->company(), CostLot);
        if (in.Rows.size() != 1000)
            state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(in);
    }
}

void BM_ImportCost_Libpq(benchmark::State& state)
{
    const QVariantMap lot{{"GetId", CostLot}};
    for (auto _ : state) {
        runDirect(ImportCostQuery::CostSql(Db::Backend::PostgreSQL), lot);
        runDirect(ImportCostQuery::DocumentsSql(), lot);
        runDirect(ImportCostQuery::CurrencySql(), lot);
    }
}

// ---- workstations saving at once ------------------------------------------------------------

// The floor under BM_Savers on this machine: the server's own benchmark program (pgbench: its
// transaction of a bank teller, five statements prepared, between BEGIN and END) with 1 and
// with 4 clients on the same server, in the same run. Clients and server share the machine's
// processors, as the savers and the server do; its 4-to-1 ratio is what any client gets here.
// shared_rows 1 is pgbench's own transaction, whose clients update the same few branch rows
// (as savers of one code update one counter row); 0 is its variant without those updates,
// where clients share no row (as savers of codes of their own).
QString pgbenchProgram()
{
    QStringList dirs = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(dirs.begin(), dirs.end(), [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    for (const QString& d : dirs)
        if (QFile::exists(QStringLiteral("/usr/lib/postgresql/%1/bin/pgbench").arg(d)))
            return QStringLiteral("/usr/lib/postgresql/%1/bin/pgbench").arg(d);
    return QStringLiteral("pgbench");
}

void BM_SaversFloor(benchmark::State& state)
{
    const ServerLocation where = g_env->location();
    const QString database = QStringLiteral("nk_pgbench_floor");
    const QStringList connection{QStringLiteral("-h"), where.host, QStringLiteral("-p"), QString::number(where.port),
                                 QStringLiteral("-U"), Connection::serverUser()};
    auto pgbench = [&](const QStringList& args, QString* out) {
        QProcess p;
        p.start(pgbenchProgram(), connection + args + QStringList{database});
        const bool ok = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        *out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        return ok;
    };
    static bool made = false;
    QString out;
    if (!made) {
        run(qPrintable(QStringLiteral("DROP DATABASE IF EXISTS ") + database));
        run(qPrintable(QStringLiteral("CREATE DATABASE ") + database));
        if (!pgbench({QStringLiteral("-i"), QStringLiteral("-q"), QStringLiteral("-s"), QStringLiteral("4")}, &out)) {
            state.SkipWithError(qPrintable(QStringLiteral("pgbench -i: ") + out));
            return;
        }
        made = true;
    }
    const QString clients = QString::number(state.range(0));
    double tps = 0;
    for (auto _ : state) {
        QStringList args{QStringLiteral("-n"), QStringLiteral("-M"), QStringLiteral("prepared"), QStringLiteral("-c"),
                         clients, QStringLiteral("-j"), clients, QStringLiteral("-T"), QStringLiteral("2")};
        if (state.range(1) == 0)
            args << QStringLiteral("-N");
        if (!pgbench(args, &out)) {
            state.SkipWithError(qPrintable(QStringLiteral("pgbench: ") + out));
            return;
        }
        tps = out.section(QStringLiteral("tps = "), -1).section(QLatin1Char(' '), 0, 0).toDouble();
    }
    state.counters["transactions/s"] = tps;
}


} // namespace

BENCHMARK(BM_ImportSave_Qt)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ImportSave_Libpq)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ProductSearch_Qt)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProductSearch_Libpq)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NameMatch_Libpq)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportCost_Qt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportCost_Libpq)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaversFloor)
    ->ArgNames({"clients", "shared_rows"})
    ->ArgsProduct({{1, 4}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

int main(int argc, char** argv)
{
    if (const int saver = ImportDoc::saverMain(argc, argv); saver >= 0)
        return saver;
    QApplication app(argc, argv);
    qputenv("NK_TEST_BACKEND", "postgresql");
    benchmark::Initialize(&argc, argv);
    g_server = std::make_unique<TestServer>();
    g_env = std::make_unique<TestEnv>(TestEnv::Data::Demo, kToday, g_server->name());
    g_unit = g_env->scalar("select Id from ProductUnits where Product = 1 and SmallUnitFlag = 'Y'").toInt();
    build();
    g_pq = connectDirect();
    run("SET jit = off"); // as the program's sessions
    RegisterSaversBenchmark([] { return g_env->folder(); });
    benchmark::RunSpecifiedBenchmarks();
    PQfinish(g_pq);
    g_env.reset();
    g_server.reset();
    benchmark::Shutdown();
    return 0;
}
