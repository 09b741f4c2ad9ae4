#include "network/network_search.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "calc/arith.h"
#include "feedback/feedback_file.h"
#include "format/cohms.h"
#include "format/roundoff.h"
#include "io/numeric.h"
#include "network/network_messages.h"

namespace korvane {
namespace {

// A value for a message: six significant digits, in the number text without
// the sign position's space.
std::string Shown(double value) {
    if (value != 0.0 && std::isfinite(value)) {
        const double scale = std::pow(10.0, 5.0 - std::floor(std::log10(std::fabs(value))));
        const double rounded = std::round(value * scale) / scale;
        if (std::isfinite(rounded)) value = rounded;
    }
    std::string text = NumberText(value);
    if (!text.empty() && text.front() == ' ') text.erase(0, 1);
    return text;
}

std::string RangeFault(const char* what) {
    return std::string("The ") + what +
           " is beyond the range of numbers that can be calculated with: no divider can be listed.";
}

std::string TooSmallR1(double bw, double rtMin, double r1lo) {
    return "With a feedback factor of " + Shown(bw) + " and a minimum total resistance of " +
           Shown(rtMin) + " ohms, the smallest R1 is " + Shown(r1lo) +
           " ohms, which rounds to no resistor at all (the smallest standard value is 1 ohm): "
           "no divider can be listed.  Raise the minimum total resistance or lower the feedback "
           "factor.";
}

std::string R2BeyondRange(double bw, double r1) {
    return "The feedback factor " + Shown(bw) + " with R1 = " + Shown(r1) +
           " ohms gives an R2 beyond the range of numbers that can be calculated "
           "with: no divider can be listed.";
}

std::string ErrorBeyondRange(double bw) {
    return "The error against a feedback factor of " + Shown(bw) +
           " is beyond the range of numbers that can be calculated with: no "
           "divider can be listed.";
}

std::string VoutTooLarge(double vout) {
    return "An output voltage of " + Shown(vout) +
           " volts is too large: the current and the power in the resistors are "
           "beyond the range of numbers that can be calculated with, so no divider "
           "can be listed.";
}

NetworkSearchResult Fault(std::string why) {
    NetworkSearchResult result;
    result.fault = std::move(why);
    return result;
}

// B rounded half up to three decimals, written at `out` (room for
// kNumberTextRoom characters): " .393", " .4", " 1".
char* WriteFactorText(char* out, double b) {
    return WriteScaledNumberText(out, std::floor(b * 1000.0 + 0.5), 3);
}

// The error rounded half up to two decimals, with a "0" put after the sign
// position when the text's value is below 1 in magnitude: " .5" -> " 0.5",
// "-.25" -> "-0.25", " 0" -> " 00". The text of a whole number of
// hundredths is below 1 exactly when that number is below 100. Written at
// `out` (room for kNumberTextRoom + 1 characters).
char* WriteErrorText(char* out, double error) {
    const double hundredths = std::floor(error * 100.0 + 0.5);
    char* end = WriteScaledNumberText(out, hundredths, 2);
    if (std::fabs(hundredths) < 100.0) {
        std::memmove(out + 2, out + 1, static_cast<std::size_t>(end - out - 1));
        out[1] = '0';
        ++end;
    }
    return end;
}

// A listed line is written in a buffer of this size: its fields are a few
// characters each (a number text at most 32, the others fewer), far less
// in all than this.
constexpr std::size_t kLineRoom = 320;

// The row's listed line: each value, then one space and more up to the
// next column.
std::string Line(const NetworkRow& row, bool bounds) {
    char line[kLineRoom];
    char* at = line;
    const auto padTo = [&](std::size_t n) {
        do {
            *at++ = ' ';
        } while (at < line + n);
    };
    const auto put = [&](std::string_view text) {
        for (const char c : text) *at++ = c;
    };
    put(row.r1Text);
    padTo(7);
    put(row.r2Text);
    padTo(14);
    at = WriteFactorText(at, row.b);
    padTo(21);
    at = WriteErrorText(at, row.error);
    padTo(28);
    put("  ");
    at = WriteCOhms(at, row.rin);
    put("  ");
    at = WriteCOhms(at, row.ro);
    padTo(42);
    at = WriteRoundoff(at, row.current);
    padTo(49);
    at = WriteRoundoff(at, row.pr1);
    padTo(56);
    at = WriteRoundoff(at, row.pr2);
    padTo(49);  // the last column gets its single trailing space
    if (bounds) {
        at = WriteRoundoff(at, row.bLow);
        padTo(49);
        at = WriteRoundoff(at, row.bHigh);
        padTo(49);
    }
    return std::string(line, at);
}

}  // namespace

std::string ListedFactorText(double b) {
    char text[kNumberTextRoom];
    return std::string(text, WriteFactorText(text, b));
}

std::string ListedErrorText(double error) {
    char text[kNumberTextRoom + 1];
    return std::string(text, WriteErrorText(text, error));
}

NetworkSearchResult NetworkSearch(double bw, double rtMin, double rtMax, double vout,
                                  Series series, Tolerance tolerance) {
    if (!std::isfinite(bw)) return Fault(RangeFault("feedback factor"));
    if (!std::isfinite(rtMin)) return Fault(RangeFault("minimum total resistance"));
    if (!std::isfinite(rtMax)) return Fault(RangeFault("maximum total resistance"));
    if (!std::isfinite(vout)) return Fault(RangeFault("output voltage"));
    if (bw == 0.0) {
        return Fault("A feedback factor of 0 needs no resistor R2: no divider can be listed.");
    }

    const double share = 1.0 - bw;  // R1's share of the total resistance
    const double r1lo = share * rtMin;
    const double r1hi = share * rtMax;
    // R2 = R1 / ratio for the wanted factor exactly.
    const double ratio = share / bw;
    if (ratio == 0.0) {
        return Fault(
            "A feedback factor of exactly 1 needs no series resistor R1: no divider can be listed.");
    }
    if (!std::isfinite(ratio)) {
        return Fault("A feedback factor of " + Shown(bw) +
                     " is too small: the ratio R1 / R2 = (1 - B) / B is beyond the range of "
                     "numbers that can be calculated with, so no divider can be listed.");
    }

    NetworkSearchResult result;
    const double t = ToleranceFraction(tolerance);
    const std::vector<double>& table = SeriesTable(series);
    Snapped r1 = Snap(series, r1lo);
    // One row per table value from R1 up to R1hi (at least one).
    const auto rows = static_cast<std::size_t>(
        std::upper_bound(table.begin(), table.end(), r1hi) - table.begin());
    result.rows.reserve(rows > r1.index ? rows - r1.index : 1);
    result.lines.reserve(result.rows.capacity());
    std::size_t r2Hint = 1;
    for (;;) {
        Checked c;
        const double r2Wanted = c.div(r1.value, ratio, nullptr);
        if (c.failed()) return Fault(R2BeyondRange(bw, r1.value));
        // R2 rises with R1, a step or two each row: it is found from the
        // last row's.
        const Snapped r2 = Snap(series, r2Wanted, r2Hint);
        r2Hint = r2.index;

        const double total = c.add(r2.value, r1.value);
        const double b = c.div(r2.value, total, "");
        if (c.failed()) return Fault(TooSmallR1(bw, rtMin, r1lo));
        const double error = c.div(c.mul(c.sub(b, bw), 100.0), bw, nullptr);
        if (c.failed()) return Fault(ErrorBeyondRange(bw));
        const double current = c.div(vout, total, nullptr);
        const double squared = c.mul(current, current);
        const double pr1 = c.mul(squared, r1.value);
        const double pr2 = c.mul(squared, r2.value);
        if (c.failed()) return Fault(VoutTooLarge(vout));
        // The bounds' formula with no tolerance is the factor's own.
        const FactorBounds bounds =
            t == 0.0 ? FactorBounds{b, b} : FactorWithinTolerance(r1.value, r2.value, t);
        result.rows.push_back(NetworkRow{.r1 = r1.value,
                                         .r2 = r2.value,
                                         .b = b,
                                         .error = error,
                                         .rin = total,
                                         .ro = r2.value * r1.value / total,
                                         .current = current,
                                         .pr1 = pr1,
                                         .pr2 = pr2,
                                         .bLow = bounds.low,
                                         .bHigh = bounds.high,
                                         .r1Text = r1.text,
                                         .r2Text = r2.text});
        result.lines.push_back(Line(result.rows.back(), tolerance != Tolerance::None));

        // The next standard value; 10 MOhm, the top of the table, is listed
        // once.
        const std::size_t next = r1.index + 1;
        if (next >= table.size()) break;
        r1 = {table[next], next, SeriesText(series, next)};
        if (!(r1.value <= r1hi)) break;
    }
    return result;
}

const std::string& NetworkHeading(Tolerance tolerance) {
    static const std::string heading =
        " R1     R2       B    %Error   Rin     Ro      Current     P in R1     P in R2";
    // Over the bounds' columns as "P in R2" stands over its own: two
    // characters in from where the column starts.
    static const std::string withBounds = heading + "     B low       B high";
    return tolerance == Tolerance::None ? heading : withBounds;
}

NetworkOutcome NetworkCalculate(const NetworkInput& input) {
    NetworkOutcome out;

    // Item 2 of the feedback file is the power output, 3 the speaker
    // impedance, 7 the feedback factor text; the rest is not needed here.
    const FeedbackFileLoad feedback = LoadFeedbackFile(input.feedbackFile);
    if (feedback.fields.size() < 7) {
        out.clearList();
        out.feedbackFileUnreadable = true;
        out.faulted("The Global Feedback inputs file could not be read, or it holds fewer than 7 "
                    "lines:\r\n" +
                    input.feedbackFileName +
                    "\r\nThe output voltage comes from its power output and speaker impedance.  "
                    "Open the Global Feedback panel and close it again: closing the panel "
                    "writes this file.");
        return out;
    }

    const std::string& powerText = feedback.fields[1];
    const std::string& impedanceText = feedback.fields[2];
    const std::string named = "The power output (\"" + powerText +
                              "\" W) and the speaker impedance (\"" + impedanceText +
                              "\" ohms) saved by the Global Feedback panel";
    Checked c;
    const double product = c.mul(ReadNumber(powerText, input.notation),
                                 ReadNumber(impedanceText, input.notation));
    const double vout = c.sqrt(product, "");
    if (c.failed()) {
        out.clearList();
        out.faulted(named + (product < 0.0
                                 ? " multiply to a negative number, which has no square root: the "
                                   "output voltage cannot be calculated.  Correct them on the "
                                   "Global Feedback panel and close it to save them."
                                 : " are too large: the output voltage is beyond the range of "
                                   "numbers that can be calculated with.  Correct them on the "
                                   "Global Feedback panel and close it to save them."));
        return out;
    }

    std::string factorText = input.txtAr;
    if (input.check2 == 1) {
        factorText = feedback.fields[6];
        out.setField(0, factorText);
    }
    out.clearList();

    const double bw = ReadNumber(factorText, input.notation);
    const double rtMin = ReadNumber(input.txtRtMin, input.notation);
    const double rtMax = ReadNumber(input.txtRtMax, input.notation);
    if (bw > 1.0) {
        out.message(kNetworkFactorAboveOne);
        return out;
    }
    if (bw <= 0.0) {
        out.message(kNetworkFactorHelp);
        return out;
    }
    if (rtMin == 0.0 || rtMax == 0.0) {
        out.message(kNetworkRangeZero);
        return out;
    }
    if (rtMin >= rtMax) {
        out.message(kNetworkRangeOrder);
        return out;
    }

    NetworkSearchResult search =
        NetworkSearch(bw, rtMin, rtMax, vout, input.series, input.tolerance);
    if (search.fault) {
        out.faulted(std::move(*search.fault));
        return out;
    }
    for (std::string& line : search.lines) out.addLine(std::move(line));
    out.rows = std::move(search.rows);
    return out;
}

}  // namespace korvane
