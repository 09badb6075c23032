// The work-form program from its start to the import form shown on the demo company, and the
// resident memory of the process with that form open; against the same for a bare Qt Widgets
// process that shows an empty window (the floor any such program stands on). Each iteration
// starts a process: the program reports its shown form and ends (NK_QUIT_WHEN_SHOWN).
#include "app/StartUp.h"
#include "data/DbAdmin.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

QString g_self;
QString g_program;
QTemporaryDir* g_folder = nullptr;

// Runs one process to its end; its report line gives the resident memory at the shown form.
void runProcess(benchmark::State& state, const QString& program, const QStringList& args)
{
    double rssMb = 0;
    for (auto _ : state) {
        QProcess p;
        p.setWorkingDirectory(g_folder->path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("NK_QUIT_WHEN_SHOWN"), QStringLiteral("1"));
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(program, args);
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            state.SkipWithError("the process did not end normally");
            return;
        }
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        if (!out.contains(QLatin1String("NK_SHOWN"))) {
            state.SkipWithError("no form was shown");
            return;
        }
        rssMb = out.section(QStringLiteral("rss_kb="), 1).section(QLatin1Char('\n'), 0, 0).toDouble() / 1024.0;
    }
    state.counters["rss_MB"] = rssMb;
}

void BM_ImportForm_namkhao(benchmark::State& state)
{
    runProcess(state, g_program,
               {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("DEMO"), QStringLiteral("-"),
                QStringLiteral("INBOUND"), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))});
}

void BM_EmptyWindow_bareQt(benchmark::State& state)
{
    runProcess(state, g_self, {QStringLiteral("--bare-qt")});
}

// The floor: a Qt Widgets process that shows one empty window and ends.
int bareQt(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.resize(860, 600);
    w.show();
    QTimer::singleShot(0, &app, [] {
        QTextStream(stdout) << "NK_SHOWN QWidget rss_kb=" << StartUp::residentMemoryKb() << Qt::endl;
        QCoreApplication::exit(0);
    });
    return app.exec();
}

} // namespace

BENCHMARK(BM_ImportForm_namkhao)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmptyWindow_bareQt)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--bare-qt") == 0)
        return bareQt(argc, argv);
    QCoreApplication app(argc, argv);
    g_self = QCoreApplication::applicationFilePath();
    g_program = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../namkhao"));
    if (!QFile::exists(g_program)) {
        std::fprintf(stderr, "namkhao not found next to the benchmarks: %s\n", qPrintable(g_program));
        return 1;
    }
    QTemporaryDir folder;
    g_folder = &folder;
    DbAdmin::createDemo(QDir(folder.path()).filePath(QStringLiteral("data")));
    QFile serverDat(QDir(folder.path()).filePath(QStringLiteral("Server.Dat")));
    if (!serverDat.open(QIODevice::WriteOnly))
        return 1;
    serverDat.write("data\n");
    serverDat.close();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
