#pragma once
// A common-cathode triode stage: its operating point from the supply, the
// plate load and either a cathode resistor (self bias) or a fixed grid
// bias, what the stage does at that point, and the data of its chart.
//
// The stage, with Va and Vg measured from the cathode:
//   self bias:   Va = B+ - Ia * (Rb + Rk),  Vg = -Ia * Rk
//   fixed bias:  Va = B+ - Ia * Rb,         Vg = the bias (cathode grounded)
// The output drives the next stage's grid resistor Rcf through a coupling
// capacitor, so the AC load is RL = Rb * Rcf / (Rb + Rcf).
//
// Worked example (12AX7A (RCA fit), B+ 250 V, Rb 100k, Rk 1.5k, Rcf 470k):
//   Ia 0.87855 mA, Va 160.83 V, Vg -1.3178 V, rp 65.70k, gm 1.5262 mA/V,
//   mu 100.26, gain 55.80 bypassed and 27.55 unbypassed, output swing
//   72.44 V peak, second harmonic 3.478 %, plate dissipation 0.1413 W of
//   the 1 W limit.

#include <optional>
#include <string>
#include <vector>

#include "tube/triode.h"

namespace korvane {

enum class BiasKind {
    Cathode,  // Vg = -Ia * Rk
    Fixed,    // Vg = gridBias, no cathode resistor
};

struct StageInput {
    double supply = 0;         // B+, V
    double plateLoad = 0;      // Rb, ohms
    double followingGrid = 0;  // Rcf, ohms
    BiasKind bias = BiasKind::Cathode;
    double cathode = 0;        // Rk, ohms (cathode bias only)
    double gridBias = 0;       // V, below 0 (fixed bias only)
};

struct StagePoint {
    double ia = 0;  // plate current, A
    double va = 0;  // plate to cathode, V
    double vg = 0;  // grid to cathode, V
    double vk = 0;  // cathode to ground, V (0 with fixed bias)
    double rp = 0;  // plate resistance, ohms
    double gm = 0;  // transconductance, A/V
    double mu = 0;  // amplification factor, gm * rp
    // The voltage gain into RL, as a magnitude (the stage inverts):
    //   bypassed:    mu * RL / (rp + RL)
    //   unbypassed:  mu * RL / (rp + RL + (mu + 1) * Rk)   (the same with fixed bias)
    double gainBypassed = 0;
    double gainUnbypassed = 0;
    // The largest symmetric output swing, V peak, along the AC load line
    // (slope -1/RL through the point, Rk bypassed): the smaller of the fall
    // to where the grid reaches 0 V and the rise to where the current
    // reaches 0 (Ia * RL); never below 0.
    double swing = 0;
    // Second harmonic, percent, by the three-point method for a grid signal
    // of peak |Vg| (the grid from 0 V to twice the bias), along the AC load
    // line: 100 * (Imax + Imin - 2 Ia) / (2 * (Imax - Imin)); 0 when the
    // bias is too small for Imax and Imin to differ.
    double secondHarmonic = 0;
    double dissipation = 0;  // Va * Ia, W
    std::optional<double> dissipationLimit;  // the library's rating, W
    // What the designer should know about the point, empty when all is
    // well: the dissipation above its limit, B+ above the plate voltage
    // rating (the plate reaches B+ when the tube cuts off).
    std::vector<std::string> notes;
};

// The point, or the message that says why there is none.
struct StageResult {
    std::string error;  // empty when `point` holds the point
    StagePoint point;
};

// The operating point and everything at it. The inputs are checked in the
// window's order; each fault gives one message naming the value and why:
//   Rb -100     -> "The Plate Load Resistor must be above 0 ohms: it is -100."
//   B+ 0        -> "The Supply Voltage (B+) must be above 0 V: it is 0."
//   bias 1.5    -> "The Fixed Grid Bias must be below 0 V: it is 1.5. ..."
//   12AX7A, fixed bias -6 V -> "The tube does not conduct at this point: ..."
// The current is found by Brent's method between 0 and B+ / (Rb + Rk), at
// most 200 steps; every number in the point is finite, or a message says
// which one is not.
StageResult SolveStage(const TriodeModel& model, const TriodeLimits& limits, const StageInput& in);

// The plate current on the line Va = va0 - (Ia - ia0) * rl for grid voltage
// vg: how far the current moves along a load line through (va0, ia0) as the
// grid is driven. Amperes; NaN when it cannot be found (SolveStage turns
// that into a message).
//   12AX7A (RCA fit), the worked example's point, rl 82456, vg 0 -> 1.8000e-3
double LoadLineCurrent(const TriodeModel& model, double va0, double ia0, double rl, double vg);

// ---- The chart -------------------------------------------------------------

struct ChartPoint {
    double va = 0;  // V
    double ia = 0;  // A
};

struct PlateCurve {
    double vg = 0;  // V
    // A, at StageChart::va[0], va[1], ...: the curve ends at the first
    // sample above iaMax (so that its line reaches the top of the chart),
    // or before a sample the model gives as no finite number.
    std::vector<double> ia;
};

// What the chart draws for a solved stage. The axes run from 0 to vaMax
// (= B+) and from 0 to iaMax (1.25 * B+ / (Rb + Rk)); the curves are
// sampled at the same 101 plate voltages; the lines are clipped to the
// axes' box. Every number is finite.
//   12AX7A (RCA fit), B+ 250 V: grid step 0.5 V, curves 0, -0.5, ... -3 V
//   300B (Western Electric fit), B+ 400 V: grid step 20 V, curves 0, -20, ... -100 V
struct StageChart {
    double vaMax = 0;
    double iaMax = 0;
    double gridStep = 0;  // V between curves: 1, 2 or 5 times a power of 10
    std::vector<double> va;
    // 0 V first, then every grid step down to where x = 0 at vaMax (about
    // eight curves, at most 20).
    std::vector<PlateCurve> curves;
    ChartPoint dcLine[2];  // (B+, 0) and (0, B+ / (Rb + Rk))
    ChartPoint acLine[2];  // (Va + Ia * RL, 0) up to Va = 0 or the top of the box
    ChartPoint point;      // the operating point
    std::optional<double> dissipationLimit;  // W, the library's rating
    // Ia = Pmax / Va from where it enters the box at the top to vaMax, 41
    // points evenly spaced in log Va; empty without a rating or when the
    // curve misses the box.
    std::vector<ChartPoint> dissipationCurve;
};

// The chart of a point that SolveStage found for the same model and input.
StageChart ChartData(const TriodeModel& model, const TriodeLimits& limits, const StageInput& in,
                     const StagePoint& point);

// The chart's data as CSV for a spreadsheet: a header line, then one line
// per plate voltage sample, with what the chart draws there inside its
// box: each curve's current, the load lines and the dissipation limit;
// an empty cell where one is above the box or beside it. Currents in mA, 6
// significant digits, below 1e-9 mA as 0; lines end in CR LF. The worked
// example above:
//   Va (V),Ia (mA) Vg 0 V,Ia (mA) Vg -0.5 V,...,Ia (mA) Vg -3 V,
//       DC load line (mA),AC load line (mA),Dissipation limit (mA)
//   0,0,0,0,0,0,0,0,2.46305,2.82901,
//   2.5,0.0353088,0.00705065,0,0,0,0,0,2.43842,2.79869,
//   ...
//   250,,,,2.12622,1.21041,0.463104,0.00247355,0,,
std::string ChartCsv(const StageChart& chart);

}  // namespace korvane
