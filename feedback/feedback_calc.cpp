#include "feedback/feedback_calc.h"

#include <cmath>
#include <string>

#include "format/roundoff.h"
#include "calc/arith.h"
#include "io/engineering.h"
#include "io/numeric.h"
#include "feedback/feedback_messages.h"

namespace korvane {
namespace {

constexpr const char* kGridCurrentQuestion =
    "You have entered values that will cause grid current\r\n"
    "to flow over part of the input cycle.  If you are operating\r\n"
    "the output stage in class A2, AB2, or B2 this is alright.\r\n"
    "\r\n"
    "Do you wish to continue in A2 or AB2 operation?";

// Texts of the presses that the values make impossible to calculate.
constexpr const char* kPowerTimesLoadNegative =
    "The 'Power Output' times the 'Speaker Impedance' is negative, so the output "
    "voltage (the square root of their product) cannot be calculated.  Check the "
    "signs of these two values.";
constexpr const char* kGridDriveZero =
    "The 'AC Grid Driving Voltage' is too small to calculate with: the grid drive "
    "comes out as zero.";
constexpr const char* kOpenLoopGainZero =
    "With these values the open-loop gain comes out as zero, so the feedback cannot "
    "be calculated.  Check the 'Power Output', the 'Speaker Impedance', the 'AC Grid "
    "Driving Voltage' and the 'Gain of Driver/Inverter'.";
constexpr const char* kDriveRange =
    "The 'AC Grid Driving Voltage' and the 'DC Grid Bias Voltage (Check)' give a result "
    "beyond the range of numbers the program can work with.  Check them for a misplaced "
    "exponent.";
constexpr const char* kGainRange =
    "The open-loop gain (from the 'Power Output', the 'Speaker Impedance', the 'AC Grid "
    "Driving Voltage' and the 'Gain of Driver/Inverter') comes out beyond the range of "
    "numbers the program can work with.  Check these values for a misplaced exponent.";
constexpr const char* kFeedbackRange =
    "With this amount of feedback the results come out beyond the range of numbers the "
    "program can work with.  Check the 'dB of Feedback' or the 'Feedback Factor' and the "
    "'Gain of Driver/Inverter' for a misplaced exponent.";
constexpr const char* kClosedLoopGainZero =
    "With these values the closed-loop gain comes out as zero, so the closed-loop "
    "input voltage cannot be calculated.";
constexpr const char* kMaxFeedbackUndefined =
    "With these values the open-loop gain plus 1 is not positive, so the maximum "
    "feedback cannot be calculated.  Check the signs of the values.";
constexpr const char* kFeedbackLoopUndefined =
    "With these values B times the open-loop gain plus 1 is not positive (the "
    "open-loop gain is negative), so the dB of feedback cannot be calculated.  Check "
    "the signs of the 'Gain of Driver/Inverter', the 'Power Output' and the "
    "'Speaker Impedance'.";
constexpr const char* kFeedbackTooLarge =
    "The 'dB of Feedback' is too large to calculate with (more than about 6165 dB).";

std::string TooLarge(int row) {
    return "The value of '" + FeedbackLabels()[static_cast<std::size_t>(row)] +
           "' is too large a number to calculate with.";
}

}  // namespace

const std::array<std::string, 10>& FeedbackLabels() {
    static const std::array<std::string, 10> labels = {
        "Tube Number (reference only)",
        "Power Output (Tube Manual Data)",
        "Speaker Impedance",
        "AC Grid Driving Voltage",
        "DC Grid Bias Voltage (Check)",
        "Gain of Driver/Inverter",
        "Feedback Factor",
        "dB of Feedback",
        "Open-Loop Vin",
        "Closed-Loop Vin",
    };
    return labels;
}

const std::array<std::string, 10>& FeedbackUnits() {
    static const std::array<std::string, 10> units = {
        "", "Watts", "Ohms", "Volts", "Volts", "", "", "dB", "Volts", "Volts",
    };
    return units;
}

std::string NudgeUp(std::string_view text) {
    const double v = NumericValue(text);
    if (v >= 1 && v < 10) return NumberText(v + 0.001);
    if (v >= 10 && v < 100) return NumberText(v + 0.01);
    return std::string(text);
}

FeedbackOutcome FeedbackCalculate(const FeedbackInput& input, const AskYesNo& ask) {
    FeedbackOutcome out;
    out.ab2 = input.ab2;
    auto value = [&](int row) {
        return ReadNumber(input.fields[static_cast<std::size_t>(row)], input.notation);
    };

    const double p = value(1);
    const double z = value(2);
    const double vg = value(3);
    const double vb = value(4);
    const double ad = value(5);
    if (ad == 0) {
        out.message(kGainHelp);
        return out;
    }
    if (!(p != 0 && vb != 0 && vg != 0)) {
        out.message(kTubeDataHelp);
        return out;
    }
    if (z == 0) {
        out.message(kLoadHelp);
        return out;
    }
    const double read[] = {p, z, vg, vb, ad};
    for (int row = 1; row <= 5; ++row) {
        if (!std::isfinite(read[row - 1])) {
            out.faulted(TooLarge(row));
            return out;
        }
    }

    const double sqrt2 = std::sqrt(2.0);
    Checked c;
    c.stage(kDriveRange);

    // Grid drive as the RMS voltage at one grid.
    double vrms = vg;
    if (input.option4) vrms = c.div(vrms, sqrt2, nullptr);
    if (input.option5) vrms = c.div(vrms, c.mul(2.0, sqrt2), nullptr);

    // Grid current: the peak drive of one grid against the bias. Manuals
    // print the bias as a negative voltage, so its magnitude is compared.
    const double peak = c.mul(sqrt2, vrms);
    const double bias = std::fabs(vb);
    const double r = c.div(c.sub(bias, peak), bias, nullptr);  // vb is not zero here
    if (c.failed()) {
        out.faulted(c.why());
        return out;
    }
    if (std::fabs(r) <= 0.01 && out.ab2) out.ab2 = false;
    if (r < -0.01 && !out.ab2) {
        if (ask(kGridCurrentQuestion)) {
            out.ab2 = true;
        } else {
            out.message(kGridVoltageExplanation);
        }
    }

    // Output voltage at full power, the output stage's gain from one grid,
    // and the open-loop gain from the feedback point.
    c.stage(kGainRange);
    const double vout = c.sqrt(c.mul(z, p), kPowerTimesLoadNegative);
    const double ao = c.div(vout, vrms, kGridDriveZero);
    const double a = c.mul(ao, ad);
    if (c.failed()) {
        out.faulted(c.why());
        return out;
    }

    // Everything is computed before the first result is written.
    c.stage(kFeedbackRange);
    const double ln10 = std::log(10.0);
    double acl = 0;
    int resultField = 0;
    std::string resultText;
    if (input.option1) {
        const double f = std::fabs(value(7));
        if (!std::isfinite(f)) {
            out.faulted(TooLarge(7));
            return out;
        }
        const double k = c.pow10(c.div(f, 20.0, nullptr), kFeedbackTooLarge);
        acl = c.div(a, k, nullptr);
        const double b = c.div(c.sub(k, 1.0), a, kOpenLoopGainZero);
        if (c.failed()) {
            out.faulted(c.why());
            return out;
        }
        if (b > 1) {
            // No divider gives F: the most feedback the gain allows, and the
            // least driver gain that F needs.
            const double lnA1 = c.ln(c.add(a, 1.0), kMaxFeedbackUndefined);
            const double db = c.add(c.div(c.mul(200.0, lnA1), ln10, nullptr), 0.5);
            const double fmax = c.div(std::floor(db), 10.0, nullptr);
            const double amin = c.sub(k, 1.0);
            const double admin = c.div(amin, ao, kGridDriveZero);
            if (c.failed()) {
                out.faulted(c.why());
                return out;
            }
            const std::string gain = NudgeUp(Roundoff(admin));
            out.message("For the given driver/inverter gain the "
                        "maximum amount of feedback you can have "
                        "is " + NumberText(fmax) + " dB.  For the "
                        "amount of feedback the minimum driver/inverter "
                        "gain is " + gain + ".");
            out.focus(5);
            return out;
        }
        resultField = 6;
        resultText = Roundoff(b);
    } else {
        const double b = value(6);
        if (!std::isfinite(b)) {
            out.faulted(TooLarge(6));
            return out;
        }
        if (!(b > 0 && b <= 1)) {
            out.message(kFactorHelp);
            return out;
        }
        const double ba1 = c.add(c.mul(b, a), 1.0);
        acl = c.div(a, ba1, kFeedbackLoopUndefined);
        const double lnBA1 = c.ln(ba1, kFeedbackLoopUndefined);
        const double db = c.add(c.div(c.mul(200.0, lnBA1), ln10, nullptr), 0.5);
        const double fdb = c.div(std::floor(db), 10.0, nullptr);
        if (c.failed()) {
            out.faulted(c.why());
            return out;
        }
        resultField = 7;
        resultText = NumberText(fdb);
    }

    const double openLoop = c.div(vout, a, kOpenLoopGainZero);
    const double closedLoop = c.div(vout, acl, kClosedLoopGainZero);
    if (c.failed()) {
        out.faulted(c.why());
        return out;
    }
    out.setField(resultField, resultText);
    out.setField(8, Roundoff(openLoop));
    out.setField(9, Roundoff(closedLoop));
    return out;
}

}  // namespace korvane
