#pragma once
// Workstations saving import documents at the same time, on either backend (bench_inboundsave,
// bench_pgserver): 1 and 4 processes saving 100 documents each, all numbered from code IMPORT
// or each from a code of its own; documents per second (ImportDoc::saversThroughput). The
// program's main starts with ImportDoc::saverMain, so its children can save.
#include "support/ImportDoc.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <functional>

// `folder`: the working folder of the company the savers save on, asked for when the
// benchmark runs.
inline void RegisterSaversBenchmark(std::function<QString()> folder)
{
    benchmark::RegisterBenchmark("BM_Savers",
                                 [folder](benchmark::State& state) {
                                     const QString where = folder();
                                     double perSecond = 0;
                                     for (auto _ : state) {
                                         perSecond = ImportDoc::saversThroughput(
                                             QCoreApplication::applicationFilePath(), where, int(state.range(0)), 100,
                                             state.range(1) != 0);
                                         if (perSecond <= 0)
                                             state.SkipWithError("a saver failed");
                                     }
                                     state.counters["documents/s"] = perSecond;
                                 })
        ->ArgNames({"savers", "own_codes"})
        ->Args({1, 0})
        ->Args({4, 0})
        ->Args({4, 1})
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->UseRealTime();
}
