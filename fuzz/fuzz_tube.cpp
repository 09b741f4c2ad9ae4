// The triode stage's solver and chart on any doubles.
//
// Input: the first byte's bits choose the form: bit 0 fixed bias (else
// cathode bias); bit 1 the values as texts cut at NUL bytes and read by the
// numeric parse (printable seeds), else as raw 8-byte doubles; bit 2 a
// built-in tube (the second byte picks it) instead of the model's six
// values; bit 3 ratings given. The values, in order: MU EX KG1 KP KVB VCT
// (unless a built-in tube), then B+ Rb Rcf Rk bias Pmax Vmax; missing ones
// are 0.
//
// SolveStage must end (libFuzzer's timeout) and give a message or a point
// whose numbers are all finite, with the current at least 1 uA, rp and gm
// above 0, no gain below 0, the unbypassed gain not above the bypassed one,
// and the swing 0 or above. The chart of a point has only finite numbers,
// curves no longer than the samples, and a CSV line per sample.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "io/numeric.h"
#include "tube/stage.h"
#include "tube/tube_library.h"

namespace korvane::fuzz {
namespace {

std::vector<double> Values(const std::uint8_t* data, std::size_t size, bool texts) {
    std::vector<double> values;
    if (texts) {
        for (const std::string& part : SplitAtNul(Bytes(data, size))) values.push_back(NumericValue(part));
        return values;
    }
    for (std::size_t i = 0; i + sizeof(double) <= size; i += sizeof(double)) {
        double v;
        std::memcpy(&v, data + i, sizeof v);
        values.push_back(v);
    }
    return values;
}

void RequireFinite(double value, const char* what) {
    KORVANE_REQUIRE_SHOW(std::isfinite(value), std::string(what) + " " + Shown(value));
}

// The first line of a text that holds "inf" or "nan".
std::string LineWithInfOrNan(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find("\r\n", start), text.size());
        const std::string line = text.substr(start, end - start);
        if (HoldsInfOrNan(line)) return line;
        start = end + 2;
    }
    return {};
}

}  // namespace
}  // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    if (size < 2) return 0;
    const unsigned form = data[0];
    const bool builtIn = (form & 4) != 0;
    const std::vector<double> values = Values(data + 2, size - 2, (form & 2) != 0);
    std::size_t next = 0;
    const auto take = [&] { return next < values.size() ? values[next++] : 0.0; };

    TriodeModel model;
    if (builtIn) {
        const std::vector<Tube>& tubes = BuiltInTubes();
        model = tubes[data[1] % tubes.size()].model;
    } else {
        model.mu = take();
        model.ex = take();
        model.kg1 = take();
        model.kp = take();
        model.kvb = take();
        model.vct = take();
    }
    StageInput in;
    in.bias = (form & 1) != 0 ? BiasKind::Fixed : BiasKind::Cathode;
    in.supply = take();
    in.plateLoad = take();
    in.followingGrid = take();
    in.cathode = take();
    in.gridBias = take();
    TriodeLimits limits;
    const double pmax = take(), vmax = take();
    if ((form & 8) != 0 && pmax > 0 && std::isfinite(pmax)) limits.plateDissipation = pmax;
    if ((form & 8) != 0 && vmax > 0 && std::isfinite(vmax)) limits.plateVoltage = vmax;

    const StageResult result = SolveStage(model, limits, in);
    if (!result.error.empty()) return 0;
    const StagePoint& p = result.point;
    const double all[] = {p.ia, p.va, p.vg, p.vk, p.rp, p.gm, p.mu, p.gainBypassed, p.gainUnbypassed,
                          p.swing, p.secondHarmonic, p.dissipation};
    for (const double v : all) RequireFinite(v, "point");
    KORVANE_REQUIRE_SHOW(p.ia >= 1e-6, Shown(p.ia));
    KORVANE_REQUIRE(p.rp > 0 && p.gm > 0);
    KORVANE_REQUIRE(p.gainBypassed >= 0 && p.gainUnbypassed >= 0);
    KORVANE_REQUIRE_SHOW(p.gainUnbypassed <= p.gainBypassed * (1 + 1e-12),
                         Shown(p.gainUnbypassed) + " " + Shown(p.gainBypassed));
    KORVANE_REQUIRE_SHOW(p.swing >= 0, Shown(p.swing));
    for (const std::string& note : p.notes) KORVANE_REQUIRE_SHOW(!HoldsInfOrNan(note), Shown(note));

    const StageChart chart = ChartData(model, limits, in, p);
    for (const double v : {chart.vaMax, chart.iaMax, chart.gridStep}) RequireFinite(v, "chart axis");
    for (const double v : chart.va) RequireFinite(v, "sample");
    KORVANE_REQUIRE(!chart.curves.empty() && chart.curves.size() <= 20);
    for (const PlateCurve& c : chart.curves) {
        RequireFinite(c.vg, "curve grid voltage");
        KORVANE_REQUIRE(c.ia.size() <= chart.va.size());
        for (const double v : c.ia) RequireFinite(v, "curve current");
    }
    for (const ChartPoint& q : {chart.dcLine[0], chart.dcLine[1], chart.acLine[0], chart.acLine[1],
                                chart.point}) {
        RequireFinite(q.va, "line Va");
        RequireFinite(q.ia, "line Ia");
    }
    for (const ChartPoint& q : chart.dissipationCurve) {
        RequireFinite(q.va, "limit Va");
        RequireFinite(q.ia, "limit Ia");
    }
    const std::string csv = ChartCsv(chart);
    KORVANE_REQUIRE_SHOW(!HoldsInfOrNan(csv), Shown(csv.substr(0, csv.find("\r\n"))) + " ... " +
                                                  Shown(LineWithInfOrNan(csv)));
    std::size_t lines = 0;
    for (std::size_t at = csv.find("\r\n"); at != std::string::npos; at = csv.find("\r\n", at + 2)) ++lines;
    KORVANE_REQUIRE(lines == chart.va.size() + 1);
    return 0;
}
