#include "tube/stage.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvane {
namespace {

// Below this the tube counts as cut off at its operating point.
constexpr double kLeastCurrent = 1e-6;  // A
constexpr int kMaxSteps = 200;
constexpr int kSamples = 101;
constexpr int kMostCurves = 20;

// Brent's method for the root of a continuous, falling f on [lo, hi] with
// f(lo) >= 0 >= f(hi): interpolation steps while they shrink the bracket
// fast enough, bisection otherwise. Stops when the bracket is within a few
// ulps of the root or a millionth of a billionth of its first width, or
// after kMaxSteps evaluations; nothing when it did not settle by then.
template <class F>
std::optional<double> FindRoot(F f, double lo, double hi) {
    double a = lo, b = hi;
    double fa = f(a), fb = f(b);
    if (fa == 0) return a;
    if (fb == 0) return b;
    if (!(fa > 0) || !(fb < 0)) return std::nullopt;
    const double floor = (hi - lo) * 1e-15;
    double c = a, fc = fa;
    double d = b - a, e = d;
    for (int step = 0; step < kMaxSteps; ++step) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol = 2 * std::numeric_limits<double>::epsilon() * std::fabs(b) + floor;
        const double m = 0.5 * (c - b);
        if (std::fabs(m) <= tol || fb == 0) return b;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
            const double s = fb / fa;
            double p, q;
            if (a == c) {
                p = 2 * m * s;
                q = 1 - s;
            } else {
                const double qa = fa / fc, r = fb / fc;
                p = s * (2 * m * qa * (qa - r) - (b - a) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0) {
                q = -q;
            } else {
                p = -p;
            }
            if (2 * p < std::min(3 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = m;
                e = m;
            }
        } else {
            d = m;
            e = m;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (m > 0 ? tol : -tol);
        fb = f(b);
    }
    return std::nullopt;
}

std::string Number(double value) { return MessageNumber(value); }

// The fault of one input, or the empty text.
std::string InputFault(const char* name, double value, const char* unit, bool below) {
    const std::string head = std::string("The ") + name;
    if (!std::isfinite(value)) return head + " must be a finite number: it is " + Number(value) + ".";
    if (below ? !(value < 0) : !(value > 0)) {
        return head + " must be " + (below ? "below" : "above") + " 0 " + unit + ": it is " +
               Number(value) + ".";
    }
    return {};
}

double Parallel(double a, double b) { return a * b / (a + b); }

}  // namespace

double LoadLineCurrent(const TriodeModel& model, double va0, double ia0, double rl, double vg) {
    const double top = ia0 + va0 / rl;
    const auto f = [&](double i) { return PlateCurrent(model, va0 - (i - ia0) * rl, vg) - i; };
    return FindRoot(f, 0.0, top).value_or(std::numeric_limits<double>::quiet_NaN());
}

StageResult SolveStage(const TriodeModel& model, const TriodeLimits& limits, const StageInput& in) {
    StageResult result;
    std::string& error = result.error;
    error = CheckModel(model);
    if (error.empty()) error = InputFault("Supply Voltage (B+)", in.supply, "V", false);
    if (error.empty()) error = InputFault("Plate Load Resistor", in.plateLoad, "ohms", false);
    const bool fixed = in.bias == BiasKind::Fixed;
    if (error.empty() && !fixed) {
        error = InputFault("Cathode Resistor", in.cathode, "ohms", false);
        if (!error.empty()) error += " For a stage without one, choose a fixed grid bias.";
    }
    if (error.empty() && fixed) {
        error = InputFault("Fixed Grid Bias", in.gridBias, "V", true);
        if (!error.empty() && std::isfinite(in.gridBias)) {
            error += " The model has no grid current, so the grid must stay negative.";
        }
    }
    if (error.empty()) {
        error = InputFault("Following Stage Grid Resistor", in.followingGrid, "ohms", false);
    }
    if (!error.empty()) return result;

    const double rk = fixed ? 0.0 : in.cathode;
    const double series = in.plateLoad + rk;
    const double top = in.supply / series;
    if (!std::isfinite(top) || !(top > 0)) {
        error = "With B+ " + Number(in.supply) + " V across " + Number(series) +
                " ohms the current cannot be calculated: it comes out as " + Number(top) + " A.";
        return result;
    }
    const auto gridAt = [&](double ia) { return fixed ? in.gridBias : -ia * rk; };
    const auto f = [&](double ia) {
        return PlateCurrent(model, in.supply - ia * series, gridAt(ia)) - ia;
    };
    const std::optional<double> root = FindRoot(f, 0.0, top);
    if (!root) {
        error = "The operating point cannot be found with these values: the plate current "
                "between 0 and " + Number(top) + " A does not settle.";
        return result;
    }

    StagePoint& p = result.point;
    p.ia = *root;
    p.va = in.supply - p.ia * series;
    p.vg = gridAt(p.ia);
    p.vk = p.ia * rk;
    if (!(p.ia >= kLeastCurrent)) {
        error = "The tube does not conduct at this point: with the plate at " + Number(p.va) +
                " V and the grid at " + Number(p.vg) + " V it draws " + Number(p.ia) +
                " A, less than 1 uA.";
        return result;
    }

    const PlateSlopes slopes = PlateCurrentSlopes(model, p.va, p.vg);
    p.rp = 1 / slopes.dIaDVa;
    p.gm = slopes.dIaDVg;
    p.mu = p.gm * p.rp;
    const double rl = Parallel(in.plateLoad, in.followingGrid);
    p.gainBypassed = p.mu * rl / (p.rp + rl);
    p.gainUnbypassed = p.mu * rl / (p.rp + rl + (p.mu + 1) * rk);

    // Along the AC load line: the grid at 0 V gives the highest current,
    // twice the bias the lowest.
    const double iHigh = LoadLineCurrent(model, p.va, p.ia, rl, 0.0);
    const double iLow = LoadLineCurrent(model, p.va, p.ia, rl, 2 * p.vg);
    // A bias of a few femtovolts leaves no room: the found currents may
    // then differ from the point's by rounding alone, either way.
    p.swing = std::max(0.0, std::min((iHigh - p.ia) * rl, p.ia * rl));
    p.secondHarmonic = iHigh > iLow ? 100 * (iHigh + iLow - 2 * p.ia) / (2 * (iHigh - iLow)) : 0.0;
    p.dissipation = p.va * p.ia;
    p.dissipationLimit = limits.plateDissipation;

    const struct {
        const char* name;
        double value;
    } results[] = {{"plate current", p.ia},
                   {"plate voltage", p.va},
                   {"grid voltage", p.vg},
                   {"cathode voltage", p.vk},
                   {"plate resistance", p.rp},
                   {"transconductance", p.gm},
                   {"amplification factor", p.mu},
                   {"gain with Rk bypassed", p.gainBypassed},
                   {"gain with Rk unbypassed", p.gainUnbypassed},
                   {"output swing", p.swing},
                   {"second harmonic", p.secondHarmonic},
                   {"plate dissipation", p.dissipation}};
    for (const auto& r : results) {
        if (!std::isfinite(r.value)) {
            error = std::string("With these values the ") + r.name + " comes out as " + Number(r.value) +
                    ", which cannot be shown.";
            return result;
        }
    }
    if (!(p.rp > 0) || !(p.gm > 0)) {
        error = "The tube's curves are flat at this point (plate resistance " + Number(p.rp) +
                " ohms, transconductance " + Number(p.gm) + " A/V): no gain can be found.";
        return result;
    }

    if (limits.plateDissipation && p.dissipation > *limits.plateDissipation) {
        p.notes.push_back("The plate dissipation, " + MessageNumber(p.dissipation, 3) +
                          " W, is above the tube's limit of " +
                          MessageNumber(*limits.plateDissipation, 3) + " W.");
    }
    if (limits.plateVoltage && in.supply > *limits.plateVoltage) {
        p.notes.push_back("The Supply Voltage (B+), " + MessageNumber(in.supply, 4) +
                          " V, is above the tube's plate voltage limit of " +
                          MessageNumber(*limits.plateVoltage, 4) +
                          " V: the plate reaches B+ when the tube cuts off.");
    }
    return result;
}

namespace {

// The least of 1, 2 and 5 times a power of ten that is at least `value`
// (kept between 1e-6 and 1e6).
double NiceStep(double value) {
    value = std::clamp(value, 1e-6, 1e6);
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= value) return m * power;
    }
    return 10 * power;
}

}  // namespace

StageChart ChartData(const TriodeModel& model, const TriodeLimits& limits, const StageInput& in,
                     const StagePoint& point) {
    StageChart chart;
    const bool fixed = in.bias == BiasKind::Fixed;
    const double series = in.plateLoad + (fixed ? 0.0 : in.cathode);
    const double rl = Parallel(in.plateLoad, in.followingGrid);
    const double dcTop = in.supply / series;
    chart.vaMax = in.supply;
    chart.iaMax = std::min(1.25 * dcTop, std::numeric_limits<double>::max());

    // The grid voltage that makes x = 0 at the top of the axis: the curves
    // are drawn down to it, about eight of them.
    double span = std::sqrt(model.kvb + chart.vaMax * chart.vaMax) / model.mu + model.vct;
    if (!std::isfinite(span) || !(span > 0)) span = chart.vaMax / model.mu;
    if (!std::isfinite(span) || !(span > 0)) span = 1;
    chart.gridStep = NiceStep(span / 8);

    chart.va.resize(kSamples);
    for (int i = 0; i < kSamples; ++i) {
        chart.va[static_cast<std::size_t>(i)] = chart.vaMax * i / (kSamples - 1);
    }
    for (int k = 0; k < kMostCurves; ++k) {
        const double vg = k == 0 ? 0.0 : -k * chart.gridStep;
        if (k > 0 && !(vg > -span)) break;
        PlateCurve curve;
        curve.vg = vg;
        curve.ia.reserve(chart.va.size());
        for (const double va : chart.va) {
            const double ia = PlateCurrent(model, va, vg);
            if (!std::isfinite(ia)) break;
            curve.ia.push_back(ia);
            if (ia > chart.iaMax) break;
        }
        chart.curves.push_back(std::move(curve));
    }

    chart.point = {point.va, point.ia};
    chart.dcLine[0] = {in.supply, 0};
    chart.dcLine[1] = {0, dcTop};
    chart.acLine[0] = {point.va + point.ia * rl, 0};
    const double acTop = point.ia + point.va / rl;
    chart.acLine[1] = acTop <= chart.iaMax
                          ? ChartPoint{0, acTop}
                          : ChartPoint{point.va - (chart.iaMax - point.ia) * rl, chart.iaMax};

    chart.dissipationLimit = limits.plateDissipation;
    if (limits.plateDissipation) {
        const double pmax = *limits.plateDissipation;
        const double first = pmax / chart.iaMax;
        // (Not when the ratio of its ends is beyond a double.)
        if (first > 0 && first < chart.vaMax && std::isfinite(chart.vaMax / first)) {
            constexpr int kLimitPoints = 40;
            const double ratio = chart.vaMax / first;
            for (int i = 0; i <= kLimitPoints; ++i) {
                const double va =
                    i == kLimitPoints ? chart.vaMax : first * std::pow(ratio, double(i) / kLimitPoints);
                chart.dissipationCurve.push_back({va, pmax / va});
            }
        }
    }
    return chart;
}

namespace {

// The current of the straight line a-b at `va`, when va is within its ends.
std::optional<double> OnLine(const ChartPoint (&line)[2], double va) {
    const ChartPoint& a = line[0];
    const ChartPoint& b = line[1];
    if (!(a.va != b.va) || va < std::min(a.va, b.va) || va > std::max(a.va, b.va)) return std::nullopt;
    return a.ia + (va - a.va) * ((b.ia - a.ia) / (b.va - a.va));
}

}  // namespace

std::string ChartCsv(const StageChart& chart) {
    std::string out = "Va (V)";
    for (const PlateCurve& c : chart.curves) out += ",Ia (mA) Vg " + MessageNumber(c.vg) + " V";
    out += ",DC load line (mA),AC load line (mA),Dissipation limit (mA)\r\n";
    // Only what lies inside the box, and only as a finite number of mA.
    const auto cell = [&](std::optional<double> amperes) {
        out += ',';
        if (!amperes || !(*amperes <= chart.iaMax) || !std::isfinite(*amperes * 1000)) return;
        out += *amperes < 1e-12 ? "0" : MessageNumber(*amperes * 1000);
    };
    for (std::size_t i = 0; i < chart.va.size(); ++i) {
        const double va = chart.va[i];
        out += MessageNumber(va);
        for (const PlateCurve& c : chart.curves) {
            cell(i < c.ia.size() ? std::optional<double>(c.ia[i]) : std::nullopt);
        }
        cell(OnLine(chart.dcLine, va));
        cell(OnLine(chart.acLine, va));
        std::optional<double> limit;
        if (chart.dissipationLimit && va > 0) limit = *chart.dissipationLimit / va;
        cell(limit);
        out += "\r\n";
    }
    return out;
}

}  // namespace korvane
