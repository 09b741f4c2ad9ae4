// One run reports:
//  - Roundoff against snprintf("%.4g") over the same million values, spread
//    over every band of the engineering text (and beyond both ends), fixed
//    seed; NumberText over them too, as it is Roundoff's and the search's
//    number formatter.
//  - NetworkSearch over the widest range: every standard R1 from 1 ohm to
//    10 MOhm (bw .5, RtMin 2 ohm, RtMax 20 MOhm, vout sqrt(212)).

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "format/roundoff.h"
#include "io/numeric.h"
#include "network/network_search.h"
#include "network/series.h"
#include "spread_values.h"

namespace {

constexpr std::size_t kValues = 1000000;

// Mantissas 1 to 10, decimal exponents -16 to 13 (the zero text, all 28
// bands and the out-of-range mask), either sign.
const std::vector<double>& Values() {
    static const std::vector<double> values = [] {
        std::mt19937_64 gen(20240611);
        std::vector<double> v;
        korvane::bench::AppendSpreadValues(v, gen, kValues, -16, 13);
        return v;
    }();
    return values;
}

void BM_Roundoff(benchmark::State& state) {
    const auto& values = Values();
    for (auto _ : state) {
        for (double v : values) {
            std::string text = korvane::Roundoff(v);
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

void BM_Snprintf4g(benchmark::State& state) {
    const auto& values = Values();
    char buffer[32];
    for (auto _ : state) {
        for (double v : values) {
            std::snprintf(buffer, sizeof buffer, "%.4g", v);
            benchmark::DoNotOptimize(buffer);
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

void BM_NumberText(benchmark::State& state) {
    const auto& values = Values();
    for (auto _ : state) {
        for (double v : values) {
            std::string text = korvane::NumberText(v);
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

void BM_NetworkSearchWidest(benchmark::State& state) {
    const double vout = std::sqrt(212.0);
    std::size_t rows = 0;
    for (auto _ : state) {
        korvane::NetworkSearchResult result = korvane::NetworkSearch(0.5, 2.0, 20000000.0, vout);
        rows = result.rows.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_StandardValue(benchmark::State& state) {
    const auto& values = Values();
    for (auto _ : state) {
        for (std::size_t i = 0; i < 1000; ++i) {
            double r = std::fabs(values[i]) * 1e-3 + 1.0;  // spread over the table's span
            std::string text = korvane::StandardValue(r);
            benchmark::DoNotOptimize(text);
            benchmark::DoNotOptimize(r);
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}

}  // namespace

BENCHMARK(BM_Roundoff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Snprintf4g)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NumberText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NetworkSearchWidest)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StandardValue)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
