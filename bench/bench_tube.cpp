// The tube stage's speed, as a designer typing meets it:
//  - BM_SolveStage: the operating point and everything at it (SolveStage)
//    for every built-in tube in turn, with a cathode resistor that changes
//    each call.
//  - BM_Recompute: one changed input's whole recompute: SolveStage and the
//    chart's curves and lines (ChartData).
//  - BM_ChartCsv: the chart's data as CSV ("Copy Data").
// The two first also time each call on its own and report the median and
// the 95th percentile as counters (p50_us, p95_us).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "tube/stage.h"
#include "tube/tube_library.h"

namespace {

using korvane::BuiltInTubes;
using korvane::StageInput;
using korvane::Tube;

// The inputs of call `i`: a built-in tube with a stage that suits it, the
// cathode resistor stepping through 40 values as if being typed.
struct Call {
    const Tube* tube;
    StageInput in;
};

Call CallNumber(std::size_t i) {
    const std::vector<Tube>& tubes = BuiltInTubes();
    const Tube& tube = tubes[i % tubes.size()];
    StageInput in;
    in.supply = 300;
    in.followingGrid = 470e3;
    // A load and a cathode resistor about right for the tube's mu.
    const bool power = tube.model.mu < 10;
    in.plateLoad = power ? 3000 : 100e3 / (1 + 50 / tube.model.mu);
    in.cathode = (power ? 500.0 : 1000.0) * (1 + static_cast<double>(i % 40) / 20);
    return {&tube, in};
}

void Percentiles(benchmark::State& state, std::vector<double>& micros) {
    if (micros.empty()) return;
    std::sort(micros.begin(), micros.end());
    state.counters["p50_us"] = micros[micros.size() / 2];
    state.counters["p95_us"] = micros[micros.size() * 95 / 100];
}

template <class Work>
void Timed(benchmark::State& state, Work work) {
    std::vector<double> micros;
    micros.reserve(1 << 16);
    std::size_t i = 0;
    for (auto _ : state) {
        const Call call = CallNumber(i++);
        const auto start = std::chrono::steady_clock::now();
        work(call);
        const auto end = std::chrono::steady_clock::now();
        if (micros.size() < (1u << 20)) {
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    Percentiles(state, micros);
}

void BM_SolveStage(benchmark::State& state) {
    BuiltInTubes();  // read the table before timing
    Timed(state, [](const Call& c) {
        korvane::StageResult r = korvane::SolveStage(c.tube->model, c.tube->limits, c.in);
        benchmark::DoNotOptimize(r);
    });
}

void BM_Recompute(benchmark::State& state) {
    BuiltInTubes();
    Timed(state, [](const Call& c) {
        korvane::StageResult r = korvane::SolveStage(c.tube->model, c.tube->limits, c.in);
        korvane::StageChart chart = korvane::ChartData(c.tube->model, c.tube->limits, c.in, r.point);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(chart);
    });
}

void BM_ChartCsv(benchmark::State& state) {
    const Call c = CallNumber(2);
    const korvane::StageResult r = korvane::SolveStage(c.tube->model, c.tube->limits, c.in);
    const korvane::StageChart chart = korvane::ChartData(c.tube->model, c.tube->limits, c.in, r.point);
    for (auto _ : state) {
        std::string csv = korvane::ChartCsv(chart);
        benchmark::DoNotOptimize(csv);
    }
}

}  // namespace

BENCHMARK(BM_SolveStage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Recompute)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChartCsv)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
