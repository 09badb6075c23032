// The menu on the demo company: opening it (the program started, a first connection to the
// configuration database, the companies, the window shown) against the bare sqlite3 library opening the same file and
// running the same statement; signing in (the password hash check and the user's entries); and
// starting a work form from it (Enter on an entry, the process started and ended) against a
// bare QProcess starting the same program with the same arguments. The stand-in program is
// /bin/true, so what is measured is what the menu adds to a form's own start-up.
#include "app/TDMConfig.h"
#include "menu/FormLauncher.h"
#include "menu/TFrMenu.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>

namespace {

std::unique_ptr<TestEnv> g_env;

void ensureEnv()
{
    if (!g_env)
        g_env = std::make_unique<TestEnv>();
}

const char* const Companies =
    "SELECT O.DatabaseName, P.Code, P.NameThai, P.NameEng FROM DatabaseList O "
    "Inner Join Company P On (P.Id = O.Company) Inner Join CompanyConfig C On (C.Company = O.Company) "
    "Order By P.Code, O.DatabaseName";

void signIn(TFrMenu& m, const char* code, const char* password)
{
    auto* user = m.findChild<QLineEdit*>("EdUser");
    user->setText(QString::fromLatin1(code));
    auto* pw = m.findChild<QLineEdit*>("EdPassword");
    pw->setText(QString::fromLatin1(password));
    QTest::keyClick(pw, Qt::Key_Return);
}

void BM_MenuOpen(benchmark::State& state)
{
    ensureEnv();
    for (auto _ : state) {
        DMConfig->CloseConnection(); // as in a new process
        TFrMenu m;
        m.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(m.isVisible());
    }
}

void BM_MenuOpen_sqlite3(benchmark::State& state)
{
    ensureEnv();
    const QByteArray path = QDir(g_env->folder()).filePath("data/KOV_CONFIG.sqlite").toUtf8();
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, Companies, -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            benchmark::DoNotOptimize(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
}

// The part of opening that happens before the window: the program loaded and the application
// object made (the program ends there when asked for its help text).
void BM_MenuProgramStart(benchmark::State& state)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../namkhao-menu");
    for (auto _ : state) {
        QProcess p;
        p.start(program, {QStringLiteral("--help")});
        p.waitForFinished();
        if (p.exitCode() != 0)
            state.SkipWithError("namkhao-menu --help failed");
    }
}

void BM_SignIn(benchmark::State& state)
{
    ensureEnv();
    TFrMenu m;
    m.show();
    for (auto _ : state) {
        signIn(m, "ADMIN", "demo");
        state.PauseTiming();
        if (!m.signedIn())
            state.SkipWithError("not signed in");
        m.findChild<QPushButton*>("BtSignOut")->click();
        state.ResumeTiming();
    }
}

void BM_StartForm_Menu(benchmark::State& state)
{
    ensureEnv();
    TFrMenu m;
    m.launcher()->setProgram(QStringLiteral("/bin/true"));
    m.show();
    signIn(m, "ADMIN", "demo");
    auto* tree = m.findChild<QTreeWidget*>("TvMenu");
    for (auto _ : state) {
        QTest::keyClick(tree, Qt::Key_Return);
        while (m.launcher()->running() > 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void BM_StartForm_QProcess(benchmark::State& state)
{
    ensureEnv();
    const QStringList args{"1", "1", "DEMO", "-", "INBOUND", "09/12/2026"};
    for (auto _ : state) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.setWorkingDirectory(g_env->folder());
        p.start(QStringLiteral("/bin/true"), args);
        p.waitForFinished();
    }
}

} // namespace

BENCHMARK(BM_MenuOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MenuOpen_sqlite3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MenuProgramStart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SignIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartForm_Menu)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartForm_QProcess)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    g_env.reset();
    benchmark::Shutdown();
    return 0;
}
