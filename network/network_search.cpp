#include "network/network_search.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "format/roundoff.h"
#include "io/digit_pairs.h"
#include "io/items.h"
#include "io/numeric.h"
#include "network/standard_value.h"

namespace korvane {
namespace {

// A value for a message: six significant digits, in the number text without
// the sign position's space.
[[gnu::cold]] std::string Shown(double value) {
    if (value != 0.0 && std::isfinite(value)) {
        const double scale = std::pow(10.0, 5.0 - std::floor(std::log10(std::fabs(value))));
        const double rounded = std::round(value * scale) / scale;
        if (std::isfinite(rounded)) value = rounded;
    }
    std::string text = NumberText(value);
    if (!text.empty() && text.front() == ' ') text.erase(0, 1);
    return text;
}

// The number text of whole / 10^places, where whole is a rounded value
// (floor(x * 10^places + 0.5), or with the scale applied by division): the
// digits of the whole number with the point put in, as NumberText of the
// quotient gives them.
char* WriteQuotient(char* out, double whole, int places) {
    static constexpr double kPow[] = {1.0, 10.0, 100.0, 1000.0};
    if (std::fabs(whole) < 1e15) {
        return WriteScaledNumberText(out, static_cast<long long>(whole), places);
    }
    const std::string text = NumberText(whole / kPow[places]);
    return std::copy(text.begin(), text.end(), out);
}

// B rounded half up to three decimals: " .393", " .4", " 1".
char* WriteFactorText(char* out, double b) {
    return WriteQuotient(out, std::floor(b * 1000.0 + 0.5), 3);
}

// The error rounded half up to two decimals, with a "0" put before the
// point of a magnitude below 1: " 0.5", "-0.25", and " 00" for zero.
char* WriteErrorText(char* out, double error) {
    const double whole = std::floor(error * 100.0 + 0.5);
    if (!(std::fabs(whole) < 1e15)) {
        std::string text = NumberText(whole / 100.0);
        if (std::fabs(NumericValue(text)) < 1.0) text.insert(text.begin() + 1, '0');
        return std::copy(text.begin(), text.end(), out);
    }
    char* end = WriteQuotient(out, whole, 2);
    if (std::fabs(whole) < 100.0) {
        // Below 1 in magnitude: the text is " .xx", "-.xx" or " 0".
        std::copy_backward(out + 1, end, end + 1);
        out[1] = '0';
        ++end;
    }
    return end;
}

// A listed line is written where the text has at least this much room; the
// longest fields (resistances and numbers far beyond any standard value)
// fit with room to spare.
constexpr std::size_t kLineRoom = 400;

// Writes one space, then spaces until the line is n characters long. The
// gap to a column is a few characters (each is 7 from the last, and every
// field has at least one): sixteen spaces are stored at once, more only
// when needed.
char* PadTo(char* line, char* at, std::size_t n) {
    std::memset(at, ' ', 16);
    char* const column = line + n;
    if (column <= at) return at + 1;
    if (column - at > 16) std::memset(at, ' ', static_cast<std::size_t>(column - at));
    return column;
}

// The value texts are a few characters: copied one by one.
char* Put(char* at, std::string_view text) {
    for (const char c : text) *at++ = c;
    return at;
}

char* Put(char* at, const char* text) {
    while (*text != '\0') *at++ = *text++;
    return at;
}

// COhms written at `out`, which has room for 40 characters and is preceded by
// one more that is used while writing (and left as it was); returns the end.
char* WriteCOhms(char* out, double r);

[[gnu::cold]] std::string RangeFault(const char* what) {
    return std::string("The ") + what +
           " is beyond the range of numbers that can be calculated with: no divider can be listed.";
}

[[gnu::cold]] std::string TooSmallR1(double bw, double rtMin, double r1lo) {
    return "With a feedback factor of " + Shown(bw) + " and a minimum total resistance of " +
           Shown(rtMin) + " ohms, the smallest R1 is " + Shown(r1lo) +
           " ohms, which rounds to no resistor at all (the smallest standard value is 1 ohm): "
           "no divider can be listed.  Raise the minimum total resistance or lower the feedback "
           "factor.";
}

[[gnu::cold]] std::string R2BeyondRange(double bw, double r1) {
    return "The feedback factor " + Shown(bw) + " with R1 = " + Shown(r1) +
           " ohms gives an R2 beyond the range of numbers that can be calculated "
           "with: no divider can be listed.";
}

[[gnu::cold]] std::string ErrorBeyondRange(double bw) {
    return "The error against a feedback factor of " + Shown(bw) +
           " is beyond the range of numbers that can be calculated with: no "
           "divider can be listed.";
}

[[gnu::cold]] std::string VoutTooLarge(double vout) {
    return "An output voltage of " + Shown(vout) +
           " volts is too large: the current and the power in the resistors are "
           "beyond the range of numbers that can be calculated with, so no divider "
           "can be listed.";
}

// A value as it stands in the R1 or R2 column: its text, and the text with
// the spaces up to the next column (7 characters) as one 8-byte block, for
// the texts of 6 characters or fewer (every series' are).
struct ValueColumn {
    std::string_view text;
    char block[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    bool fits = true;
};

// The column of a value that is exactly 0, whose text is empty.
const ValueColumn kNoValue;

std::vector<ValueColumn> MakeColumns(Series series) {
    std::vector<ValueColumn> columns(SeriesTable(series).size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        ValueColumn& c = columns[i];
        c.text = SeriesTextAt(series, i);
        c.fits = c.text.size() <= 6;
        if (c.fits) std::copy(c.text.begin(), c.text.end(), c.block);
    }
    return columns;
}

// Each series' columns, made the first time it is searched.
const std::vector<ValueColumn>& ValueColumns(Series series) {
    return OncePerSeries<&MakeColumns>(series);
}

// A row's two values as they stand in their columns.
struct RowColumns {
    const ValueColumn* r1;
    const ValueColumn* r2;
};

// Writes a value at `at` and the spaces up to column `next` (at least one),
// as PadTo does; returns the end.
char* WriteValueColumn(char* line, char* at, const ValueColumn& value, std::size_t next) {
    if (value.fits && at + 7 == line + next) {
        std::memcpy(at, value.block, sizeof value.block);
        return at + 7;
    }
    return PadTo(line, Put(at, value.text), next);
}

// Writes the row's listed line at `line`, which has room for kLineRoom
// characters; returns its end.
char* WriteLine(char* line, const NetworkRow& row, const RowColumns& values, bool bounds) {
    char* at = WriteValueColumn(line, line, *values.r1, 7);
    at = WriteValueColumn(line, at, *values.r2, 14);
    at = WriteFactorText(at, row.b);
    at = PadTo(line, at, 21);
    at = WriteErrorText(at, row.error);
    at = PadTo(line, at, 28);
    *at++ = ' ';
    *at++ = ' ';
    at = WriteCOhms(at, row.rin);
    *at++ = ' ';
    *at++ = ' ';
    at = WriteCOhms(at, row.ro);
    at = PadTo(line, at, 42);
    at += WriteRoundoff(at, row.current);
    at = PadTo(line, at, 49);
    at += WriteRoundoff(at, row.pr1);
    at = PadTo(line, at, 56);
    at += WriteRoundoff(at, row.pr2);
    at = PadTo(line, at, 49);  // the last column gets its single trailing space
    if (bounds) {
        at += WriteRoundoff(at, row.bLow);
        at = PadTo(line, at, 49);
        at += WriteRoundoff(at, row.bHigh);
        at = PadTo(line, at, 49);
    }
    return at;
}

// The index the walk goes to from the table's value at `index`: for E24
// the value times 1.1 then snapped, which always reaches the next value
// (worked out once for every entry); for the other series the next value.
// The top of the table stays where it is.
std::size_t NextInWalk(Series series, std::size_t index) {
    if (series == Series::E24) {
        static const std::vector<std::size_t> next = [] {
            const auto& table = SeriesTable(Series::E24);
            std::vector<std::size_t> n(table.size());
            for (std::size_t i = 0; i < table.size(); ++i) {
                n[i] = SnapIndex(Series::E24, table[i] * 1.1);
            }
            return n;
        }();
        return next[index];
    }
    const std::size_t top = SeriesTable(series).size() - 1;
    return index < top ? index + 1 : top;
}

[[gnu::cold]] NetworkSearchResult Fault(std::string why) {
    NetworkSearchResult result;
    result.fault = std::move(why);
    return result;
}

}  // namespace

namespace {

// COhms of a rounded value by the completion rule: its number text, its
// decimals completed, the unit, and the padding. Kept out of WriteCOhms so
// that its three-digit case needs no stack frame.
[[gnu::noinline]] char* WriteCOhmsByRule(char* out, double whole, int decimals,
                                         const char* suffix) {
    // The number text, its decimals completed, then without its sign
    // position: written from out[-1], whose character is put back.
    char* const signAt = out - 1;
    const char kept = *signAt;
    char* at = WriteQuotient(signAt, whole, decimals);
    const auto size = at - signAt;
    if (decimals == 1) {
        if (size == 3) at = Put(at, ".0");
    } else if (decimals == 2) {
        if (size == 2) at = Put(at, ".00");
        if (size == 4) at = Put(at, "0");
    }
    *signAt = kept;
    // The unit (" ", " k" or " M") and the padding to six characters, each
    // stored as a fixed block (out has the room), then cut to length.
    std::memcpy(at, suffix, 2);
    at += suffix[1] == '\0' ? 1 : 2;
    std::memset(at, ' ', 8);
    return at < out + 6 ? out + 6 : at;
}

char* WriteCOhms(char* out, double r) {
    // The row by r: the rounded value (a whole number of units of the last
    // decimal), how many decimals the completion gives its text, and the
    // unit.
    double whole = 0.0;
    int decimals = 0;
    const char* suffix = " ";
    if (r > 9995000.0) {
        whole = std::floor(r / 100000.0 + 0.5);
        decimals = 1;
        suffix = " M";
    } else if (r >= 999500.0) {
        whole = std::floor(r / 10000.0 + 0.5);
        decimals = 2;
        suffix = " M";
    } else if (r >= 99950.0) {
        whole = std::floor(r / 1000.0 + 0.5);
        suffix = " k";
    } else if (r >= 9995.0) {
        whole = std::floor(r / 100.0 + 0.5);
        decimals = 1;
        suffix = " k";
    } else if (r >= 999.5) {
        whole = std::floor(r / 10.0 + 0.5);
        decimals = 2;
        suffix = " k";
    } else if (r >= 99.95) {
        whole = std::floor(r + 0.5);
    } else if (r >= 9.995) {
        whole = std::floor(r * 10.0 + 0.5);
        decimals = 1;
    } else {
        whole = std::floor(r * 100.0 + 0.5);
        decimals = 2;
    }

    if (whole >= 100.0 && whole <= 999.0) {
        // Three digits, the usual case: the completed decimals keep every
        // digit, so the text is the digits with the point `decimals` from
        // the right, then the unit, padded to exactly six characters. Made
        // as the bytes of one word, first character lowest, and stored at
        // once (out has the room).
        static_assert(std::endian::native == std::endian::little,
                      "the word is written lowest byte first");
        const auto n = static_cast<unsigned>(whole);
        const std::uint64_t first = '0' + n / 100;
        std::uint16_t pair = 0;
        std::memcpy(&pair, kDigitPairs.at + 2 * (n % 100), 2);
        std::uint64_t digits = 0;
        unsigned width = 32;  // bits of the digits and the point
        if (decimals == 0) {
            digits = first | std::uint64_t{pair} << 8;
            width = 24;
        } else if (decimals == 1) {
            digits = first | (std::uint64_t{pair} & 0xFFu) << 8 | std::uint64_t{'.'} << 16 |
                     (std::uint64_t{pair} >> 8) << 24;
        } else {
            digits = first | std::uint64_t{'.'} << 8 | std::uint64_t{pair} << 16;
        }
        const std::uint64_t unit =
            std::uint64_t{static_cast<unsigned char>(suffix[0])} |
            std::uint64_t{static_cast<unsigned char>(suffix[1] == '\0' ? ' ' : suffix[1])} << 8;
        constexpr std::uint64_t kSpaces = 0x2020202020202020u;
        const std::uint64_t word = digits | unit << width | kSpaces << (width + 16);
        std::memcpy(out, &word, sizeof word);
        return out + 6;
    }

    return WriteCOhmsByRule(out, whole, decimals, suffix);
}

}  // namespace

std::string COhms(const double& r) {
    char text[48];
    text[0] = ' ';  // the character WriteCOhms borrows and puts back
    return std::string(text + 1, WriteCOhms(text + 1, r));
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
    // A value snapped to the series: its index, and its text ("" when the
    // value is exactly 0, as SnapToSeries gives it).
    const std::vector<ValueColumn>& columns = ValueColumns(series);
    const auto columnOf = [&](double r, std::size_t index) -> const ValueColumn& {
        return r == 0.0 ? kNoValue : columns[index];
    };
    std::vector<RowColumns> rowColumns;
    std::size_t r1Index = SnapIndex(series, r1lo);
    double r1 = table[r1Index];
    double r1Unsnapped = r1lo;
    {
        // One row per standard value from R1 up to the last not above R1hi
        // (at least the first): room for them all at once.
        const auto from = std::lower_bound(table.begin(), table.end(), r1);
        const auto to = std::upper_bound(table.begin(), table.end(), r1hi);
        const std::size_t expected = to > from ? static_cast<std::size_t>(to - from) : 1u;
        result.rows.reserve(expected);
        result.lineEnds.reserve(expected);
        rowColumns.reserve(expected);
        // Room for every line at its usual length, and for the longest one
        // after the last.
        const std::size_t usual = tolerance == Tolerance::None ? 81 : 105;
        result.text.resize(expected * usual + kLineRoom);
    }
    std::size_t r2Hint = 0;
    for (;;) {
        const ValueColumn& r1Column = columnOf(r1Unsnapped, r1Index);
        const double r2Wanted = r1 / ratio;
        if (!std::isfinite(r2Wanted)) {
            return Fault(R2BeyondRange(bw, r1));
        }
        // R2 rises with R1, a step or two each row: its index is found from
        // the last row's.
        const std::size_t r2Index = result.rows.empty() ? SnapIndex(series, r2Wanted)
                                                        : SnapIndexNear(series, r2Wanted, r2Hint);
        r2Hint = r2Index;
        const double r2 = table[r2Index];
        const ValueColumn& r2Column = columnOf(r2Wanted, r2Index);
        rowColumns.push_back({&r1Column, &r2Column});

        const double total = r2 + r1;
        if (total == 0.0) return Fault(TooSmallR1(bw, rtMin, r1lo));
        const double b = r2 / total;
        const double error = (b - bw) * 100.0 / bw;
        if (!std::isfinite(error)) {
            return Fault(ErrorBeyondRange(bw));
        }
        const double current = vout / total;
        const double squared = current * current;
        const double pr1 = squared * r1;
        const double pr2 = squared * r2;
        if (!std::isfinite(squared) || !std::isfinite(pr1) || !std::isfinite(pr2)) {
            return Fault(VoutTooLarge(vout));
        }
        // The bounds' formula with no tolerance is the factor's own.
        const FactorBounds bounds =
            t == 0.0 ? FactorBounds{b, b} : FactorWithinTolerance(r1, r2, t);
        result.rows.push_back(NetworkRow{.r1 = r1,
                                         .r2 = r2,
                                         .b = b,
                                         .error = error,
                                         .rin = total,
                                         .ro = r2 * r1 / total,
                                         .current = current,
                                         .pr1 = pr1,
                                         .pr2 = pr2,
                                         .bLow = bounds.low,
                                         .bHigh = bounds.high,
                                         .r1Text = r1Column.text,
                                         .r2Text = r2Column.text});

        const double previous = r1;
        const std::size_t nextIndex = NextInWalk(series, r1Index);
        const double next = table[nextIndex];
        // 10 MOhm, the top of the table, snaps back to itself: list it once.
        if (!(next > previous)) break;
        r1Index = nextIndex;
        r1 = r1Unsnapped = next;
        if (!(r1 <= r1hi)) break;
    }

    // The lines, once every row's numbers are known: the rows' arithmetic
    // does not wait on the writing of texts, nor the texts on it.
    const bool bounds = tolerance != Tolerance::None;
    std::size_t used = 0;  // characters of text written so far
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        if (result.text.size() - used < kLineRoom) {
            result.text.resize(std::max(2 * result.text.size(), used + kLineRoom));
        }
        char* const line = result.text.data() + used;
        char* const end = WriteLine(line, result.rows[i], rowColumns[i], bounds);
        used += static_cast<std::size_t>(end - line);
        result.lineEnds.push_back(used);
    }
    result.text.resize(used);
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

    // Items 1 to 7 of the feedback file: 2 is the power output, 3 the
    // speaker impedance, 7 the feedback factor text.
    std::vector<std::string> items;
    if (input.feedbackFile) {
        ItemReader reader(*input.feedbackFile);
        while (items.size() < 7) {
            auto item = reader.next();
            if (!item) break;
            items.push_back(std::move(*item));
        }
    }
    if (items.size() < 7) {
        out.clearList = true;
        out.fault = true;
        out.feedbackFileUnreadable = true;
        out.message = "The Global Feedback inputs file could not be read, or it holds fewer than 7 "
                      "lines:\r\n" +
                      input.feedbackFileName +
                      "\r\nThe output voltage comes from its power output and speaker impedance.  "
                      "Open the Global Feedback panel and close it again: closing the panel "
                      "writes this file.";
        return out;
    }

    const std::string& powerText = items[1];
    const std::string& impedanceText = items[2];
    const double power = NumericValue(powerText);
    const double impedance = NumericValue(impedanceText);
    const double product = power * impedance;
    const std::string named = "The power output (\"" + powerText +
                              "\" W) and the speaker impedance (\"" + impedanceText +
                              "\" ohms) saved by the Global Feedback panel";
    if (!std::isfinite(power) || !std::isfinite(impedance) || !std::isfinite(product)) {
        out.clearList = true;
        out.fault = true;
        out.message = named +
                      " are too large: the output voltage is beyond the range of numbers that "
                      "can be calculated with.  Correct them on the Global Feedback panel and "
                      "close it to save them.";
        return out;
    }
    if (product < 0.0) {
        out.clearList = true;
        out.fault = true;
        out.message = named +
                      " multiply to a negative number, which has no square root: the output "
                      "voltage cannot be calculated.  Correct them on the Global Feedback panel "
                      "and close it to save them.";
        return out;
    }
    const double vout = std::sqrt(product);

    std::string factorText = input.txtAr;
    if (input.check2 == 1) {
        factorText = items[6];
        out.txtAr = factorText;
    }
    out.clearList = true;

    const double bw = NumericValue(factorText);
    const double rtMin = NumericValue(input.txtRtMin);
    const double rtMax = NumericValue(input.txtRtMax);
    if (bw > 1.0) {
        out.message = "The Feedback Factor can't be greater than 1.";
        return out;
    }
    if (bw <= 0.0) {
        out.message = "The feedback factor is the ratio of the output voltage to the input "
                      "voltage of resistor network.  It's value can be anything between 0 and 1 "
                      "but never 0.";
        return out;
    }
    if (rtMin == 0.0 || rtMax == 0.0) {
        out.message = "Rt min and Rt max MUST NOT be zero.";
        return out;
    }
    if (rtMin >= rtMax) {
        out.message = "Rt min MUST be less than Rt max.";
        return out;
    }

    NetworkSearchResult search =
        NetworkSearch(bw, rtMin, rtMax, vout, input.series, input.tolerance);
    if (search.fault) {
        out.fault = true;
        out.message = std::move(*search.fault);
        return out;
    }
    out.lines.reserve(search.rows.size());
    for (std::size_t i = 0; i < search.rows.size(); ++i) out.lines.emplace_back(search.line(i));
    out.rows = std::move(search.rows);
    return out;
}

}  // namespace korvane
