// Amounts in words and quantity texts at document-printing volume: a million amounts to Thai
// and English words, a million quantities formatted as unit texts and with the number
// patterns. Each run reports items per second.
#include "data/NumberFormat.h"
#include "data/Rounding.h"
#include "data/Units.h"
#include "print/AmountWords.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int Count = 1000000;

// Amounts with satang spread over 0.01 .. 99,999,999.99 (deterministic).
const std::vector<double>& amounts()
{
    static const std::vector<double> v = [] {
        std::vector<double> a;
        a.reserve(Count);
        quint64 x = 88172645463325252ULL;
        for (int i = 0; i < Count; ++i) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            a.push_back(double(x % 10000000000ULL) / 100.0);
        }
        return a;
    }();
    return v;
}

// Quantities in pieces, some with part pieces.
const std::vector<double>& quantities()
{
    static const std::vector<double> v = [] {
        std::vector<double> a;
        a.reserve(Count);
        for (int i = 0; i < Count; ++i)
            a.push_back((i % 7 == 0) ? i * 0.25 : double(i % 100000));
        return a;
    }();
    return v;
}

void BM_ThaiBahtText(benchmark::State& state)
{
    const auto& a = amounts();
    for (auto _ : state) {
        for (double x : a)
            benchmark::DoNotOptimize(ThaiBahtText(x, 2));
    }
    state.SetItemsProcessed(state.iterations() * Count);
}

void BM_EnglishBahtText(benchmark::State& state)
{
    const auto& a = amounts();
    for (auto _ : state) {
        for (double x : a)
            benchmark::DoNotOptimize(EnglishBahtText(x, 2));
    }
    state.SetItemsProcessed(state.iterations() * Count);
}

void BM_UnitQtyText(benchmark::State& state)
{
    const auto& q = quantities();
    const UnitText::Unit box{QStringLiteral("กล่อง"), QStringLiteral("ชิ้น"), 12};
    for (auto _ : state) {
        for (double x : q)
            benchmark::DoNotOptimize(UnitText::qtyText(box, x));
    }
    state.SetItemsProcessed(state.iterations() * Count);
}

void BM_FormatPattern(benchmark::State& state)
{
    const auto& a = amounts();
    const NumberPattern p(QStringLiteral("#,##0.00"));
    for (auto _ : state) {
        for (double x : a)
            benchmark::DoNotOptimize(p.format(x));
    }
    state.SetItemsProcessed(state.iterations() * Count);
}

// The reference: Qt's own fixed-point text of the same amounts, so the figures above read as
// ratios that compare across machines.
void BM_Baseline_QStringNumber(benchmark::State& state)
{
    const auto& a = amounts();
    for (auto _ : state) {
        for (double x : a)
            benchmark::DoNotOptimize(QString::number(x, 'f', 2));
    }
    state.SetItemsProcessed(state.iterations() * Count);
}

void BM_RoundDecimal(benchmark::State& state)
{
    const auto& a = amounts();
    for (auto _ : state) {
        double sum = 0;
        for (double x : a)
            sum += RoundDecimal(x * 1.07, 2, 15);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Count);
}

} // namespace

BENCHMARK(BM_ThaiBahtText)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnglishBahtText)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnitQtyText)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatPattern)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_QStringNumber)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoundDecimal)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
