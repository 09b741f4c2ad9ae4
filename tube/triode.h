#pragma once
// Norman Koren's triode model: the plate current from the plate and grid
// voltages and six parameters, as the built-in tube table gives them
// (data/tubes/README.md). With Va the plate-to-cathode and Vg the
// grid-to-cathode voltage, in volts:
//
//   x  = 1/MU + (Vg + VCT) / sqrt(KVB + Va^2)
//   E1 = (Va / KP) * ln(1 + exp(KP * x))
//   Ia = 2 * E1^EX / KG1        amperes; 0 when E1 <= 0 or Va <= 0
//
// The grid current that flows when Vg is above 0 is not in the model: the
// equations go on smoothly there, and the stage calculations (tube/stage.h)
// never take the grid above 0 V.

#include <optional>
#include <string>

namespace korvane {

struct TriodeModel {
    double mu = 0;   // amplification factor
    double ex = 0;   // exponent of the current law
    double kg1 = 0;  // current scale, V^EX / A
    double kp = 0;   // sharpness of the cut-off corner
    double kvb = 0;  // low-voltage term added to Va^2, V^2
    double vct = 0;  // contact potential added to Vg, V

    friend bool operator==(const TriodeModel&, const TriodeModel&) = default;
};

// The ratings the library knows for a tube, each only where it has one.
struct TriodeLimits {
    std::optional<double> plateDissipation;  // W per section
    std::optional<double> plateVoltage;      // V

    friend bool operator==(const TriodeLimits&, const TriodeLimits&) = default;
};

// Why the parameters cannot be calculated with, or the empty text when they
// can: MU, EX, KG1 and KP finite and above 0, KVB finite and 0 or above,
// VCT finite.
//   {100.26, 1.394, 1651.8, 17950.75, 524.4, 0.5} -> ""
//   MU 0     -> "The tube's MU must be above 0: it is 0."
//   KVB -1   -> "The tube's KVB must be 0 or above: it is -1."
//   KG1 inf  -> "The tube's KG1 must be a finite number: it is inf."
std::string CheckModel(const TriodeModel& model);

// A number as the tube messages show it: `digits` significant digits,
// printf's %g.
//   -100 -> "-100"   0.5 -> "0.5"   1.2104e-3, 3 -> "0.00121"   inf -> "inf"
std::string MessageNumber(double value, int digits = 6);

// The plate current, in amperes.
//   12AX7A (RCA fit), Va 250 V, Vg -2 V      -> 1.2104e-3
//   300B (Western Electric fit), 300 V, -61 V -> 59.299e-3
//   any model, Va 0 V or below               -> 0
// ln(1 + exp(y)) is taken as y + ln(1 + exp(-y)) for y above 0, so that a
// sharp corner (KP of thousands) does not overflow.
double PlateCurrent(const TriodeModel& model, double va, double vg);

// The plate current and its two slopes at one point, from the derivatives
// of the equations above (not by differences): 1 / dIaDVa is the plate
// resistance, dIaDVg the transconductance. All 0 where the current is 0.
//   12AX7A (RCA fit), 250 V, -2 V -> ia 1.2104e-3, 1/dIaDVa 59704 ohms,
//                                    dIaDVg 1.6807e-3 A/V
struct PlateSlopes {
    double ia = 0;
    double dIaDVa = 0;  // A/V
    double dIaDVg = 0;  // A/V
};
PlateSlopes PlateCurrentSlopes(const TriodeModel& model, double va, double vg);

}  // namespace korvane
