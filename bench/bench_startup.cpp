// The work-form program from its start to the first drawn frame of the import form on the
// demo company, and the resident memory of the process with that form open; against the same
// for bare Qt Widgets processes that show an empty window (the floor any such program stands
// on): this benchmark's own program, which carries every library the benchmarks link, and
// bare_qt_window, linked to Qt Widgets alone. Each start is a process that reports its first
// frame and ends (NK_QUIT_WHEN_SHOWN, app/FirstFrame.h): the time runs from the start to that
// frame, process_ms until the process has ended. BM_StartUpRatio starts the three in turn, so
// a change of the machine's load falls on all of them alike, and gives the medians and ratios.
#include "BareWindow.h"
#include "app/FirstFrame.h"
#include "data/DbAdmin.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

QString g_self;
QString g_program;
QString g_qtOnly;
QTemporaryDir* g_folder = nullptr;

struct Start {
    double frameMs = 0;
    double processMs = 0;
    double rssMb = 0;
};

std::optional<Start> startOnce(const QString& program, const QStringList& args, QString* error)
{
    QProcess p;
    p.setWorkingDirectory(g_folder->path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("NK_QUIT_WHEN_SHOWN"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    const qint64 started = FirstFrame::steadyNowNs();
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        *error = QStringLiteral("the process did not end normally");
        return std::nullopt;
    }
    Start s;
    s.processMs = double(t.nsecsElapsed()) / 1e6;
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const qint64 frame = out.section(QStringLiteral("frame_ns="), 1).section(QLatin1Char('\n'), 0, 0).trimmed().toLongLong();
    if (!out.contains(QLatin1String("NK_SHOWN")) || frame <= started) {
        *error = QStringLiteral("no frame was reported");
        return std::nullopt;
    }
    s.frameMs = double(frame - started) / 1e6;
    s.rssMb = out.section(QStringLiteral("rss_kb="), 1).section(QLatin1Char(' '), 0, 0).toDouble() / 1024.0;
    return s;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

QStringList formArgs()
{
    return {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("DEMO"), QStringLiteral("-"),
            QStringLiteral("INBOUND"), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))};
}

void runProcess(benchmark::State& state, const QString& program, const QStringList& args)
{
    std::vector<double> process;
    double rssMb = 0;
    QString error;
    for (auto _ : state) {
        const std::optional<Start> s = startOnce(program, args, &error);
        if (!s) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        state.SetIterationTime(s->frameMs / 1e3);
        process.push_back(s->processMs);
        rssMb = s->rssMb;
    }
    state.counters["process_ms"] = median(process);
    state.counters["rss_MB"] = rssMb;
}

void BM_ImportForm_namkhao(benchmark::State& state)
{
    runProcess(state, g_program, formArgs());
}

void BM_EmptyWindow_bareQt(benchmark::State& state)
{
    runProcess(state, g_self, {QStringLiteral("--bare-qt")});
}

void BM_EmptyWindow_qtWidgetsOnly(benchmark::State& state)
{
    runProcess(state, g_qtOnly, {});
}

// The import form and both floors started in turn, each round beginning with another one;
// the time is the form's, the counters the medians of the three and the form's ratios.
void BM_StartUpRatio(benchmark::State& state)
{
    std::vector<double> times[3];
    const QString programs[3] = {g_program, g_self, g_qtOnly};
    const QStringList args[3] = {formArgs(), {QStringLiteral("--bare-qt")}, {}};
    int round = 0;
    QString error;
    for (auto _ : state) {
        for (int k = 0; k < 3; ++k) {
            const int which = (round + k) % 3;
            const std::optional<Start> s = startOnce(programs[which], args[which], &error);
            if (!s) {
                state.SkipWithError(qPrintable(error));
                break;
            }
            times[which].push_back(s->frameMs);
        }
        if (state.error_occurred())
            break;
        state.SetIterationTime(times[0].back() / 1e3);
        ++round;
    }
    const double form = median(times[0]), bare = median(times[1]), qtOnly = median(times[2]);
    state.counters["form_ms"] = form;
    state.counters["bare_ms"] = bare;
    state.counters["qtonly_ms"] = qtOnly;
    state.counters["vs_bare"] = bare > 0 ? form / bare : 0;
    state.counters["vs_qtonly"] = qtOnly > 0 ? form / qtOnly : 0;
}

} // namespace

BENCHMARK(BM_ImportForm_namkhao)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmptyWindow_bareQt)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmptyWindow_qtWidgetsOnly)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpRatio)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--bare-qt") == 0)
        return showBareWindow(argc, argv);
    QCoreApplication app(argc, argv);
    g_self = QCoreApplication::applicationFilePath();
    g_program = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../namkhao"));
    g_qtOnly = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("bare_qt_window"));
    for (const QString& needed : {g_program, g_qtOnly}) {
        if (!QFile::exists(needed)) {
            std::fprintf(stderr, "not found next to the benchmarks: %s\n", qPrintable(needed));
            return 1;
        }
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
