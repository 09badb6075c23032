#pragma once
#include <QCoreApplication>
#include <QSqlDatabase>
#include <benchmark/benchmark.h>

// The main of a benchmark whose runs share one company built once: the fixture is made, the
// benchmarks run with `slot` pointing at it, and its connection is closed and forgotten before
// the program ends (Google Benchmark's own options, repetitions included, apply).
template <class Fixture>
int runWithFixture(int argc, char** argv, Fixture*& slot, const QString& connectionName)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    {
        Fixture f;
        slot = &f;
        benchmark::RunSpecifiedBenchmarks();
        slot = nullptr;
        f.db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    benchmark::Shutdown();
    return 0;
}
