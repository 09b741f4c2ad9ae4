// One Calculate press of the Feedback Network panel, the search behind it,
// and the standard values.
//
// Input: the first byte modulo 3 is Check2's value (printable seeds start
// with "0", "1" or "2"); with its top bit set the feedback file could not
// be read. The rest, cut at every NUL byte, gives TxtAr, TxtRtMin,
// TxtRtMax, the feedback file's content, the name it is shown by, and the
// choices: a series name and a tolerance text with a comma between ("E96,1";
// anything else means E24 and no tolerance) (missing ones empty).
//
// The press must not crash and must follow network/network_search.h: the
// list is always cleared; a missing or short feedback file, or a power
// output and speaker impedance that give no output voltage, are reported
// with the texts they came from, byte for byte; TxtAr gets the file's
// feedback factor text unchanged when Check2 is 1; inputs the validation
// turns away get a message and no rows; otherwise the rows are the search's
// for the values read. No text says "inf" or "nan" (the echoed input texts
// aside). The search lists every R1 of the series from the one nearest
// (1 - B) x Rt min up to the last not above (1 - B) x Rt max, so never more
// rows than the series' values above zero (169 in E24, 1345 in E192); each
// row's R2 is a value of the series, and its last columns are the Roundoff
// texts of the current and the two powers, then under a tolerance those of
// the factor's lowest and highest value, which hold the factor between them.
// As a table (network/network_table.h): each row's cells stand in its line
// in order, one per column, none blank or holding a tab; the copy of every
// row is a heading line and a line per row with a tab between each two
// cells; a sort order is a permutation in the order of its column's values;
// the smallest error is no larger in magnitude than any other.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/roundoff.h"
#include "fuzz/fuzz_support.h"
#include "io/items.h"
#include "io/numeric.h"
#include "network/network_search.h"
#include "network/network_table.h"
#include "network/series.h"

namespace korvane::fuzz {
namespace {

const auto& Table() { return SeriesTable(Series::E24); }

// The index of `r` in the series' table, or nothing.
std::optional<std::size_t> TableIndex(const std::vector<double>& t, double r) {
    const auto it = std::find(t.begin(), t.end(), r);
    if (it == t.end()) return std::nullopt;
    return static_cast<std::size_t>(it - t.begin());
}

// The nearest standard value in relative terms (ties to the lower), 0 for
// 0, 10 MOhm from 10 MOhm up, 1 ohm for any negative value; a value of the
// table snaps to itself with the same text.
void CheckStandardValue(double r) {
    if (std::isnan(r)) return;
    double chosen = r;
    const std::string text = StandardValue(chosen);
    if (r == 0) {
        KORVANE_REQUIRE(chosen == 0 && text.empty());
        return;
    }
    const auto index = TableIndex(Table(), chosen);
    KORVANE_REQUIRE(index.has_value());
    KORVANE_REQUIRE(!text.empty() && !HoldsInfOrNan(text));
    const auto& t = Table();
    if (r >= t.back()) {
        KORVANE_REQUIRE(chosen == t.back());
    } else if (r > 0) {
        const auto above = std::upper_bound(t.begin(), t.end(), r);  // not end: r < 10 MOhm
        const double upper = *above;
        const double lower = *(above - 1);
        KORVANE_REQUIRE(chosen == lower || chosen == upper);
        const double other = chosen == lower ? upper : lower;
        KORVANE_REQUIRE(std::fabs(r - chosen) <= std::fabs(r - other) * (1 + 1e-12));
    } else {
        KORVANE_REQUIRE_SHOW(chosen == 1.0, Shown(r));
    }
    if (chosen != 0) {
        double again = chosen;
        KORVANE_REQUIRE(StandardValue(again) == text && again == chosen);
    }
}

// The message holds `echo` byte for byte from `at`; returns the message
// with it cut out, for the checks on the program's own words.
std::string CutEcho(const std::string& message, std::size_t at, const std::string& echo) {
    KORVANE_REQUIRE_SHOW(at <= message.size() && message.compare(at, echo.size(), echo) == 0,
                         Shown(message) + " does not hold " + Shown(echo));
    return message.substr(0, at) + message.substr(at + echo.size());
}

void CheckTable(const NetworkSearchResult& search, Tolerance tolerance) {
    const auto& rows = search.rows;
    const std::size_t columns = NetworkColumnCount(tolerance);
    std::vector<std::size_t> all;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::vector<std::string> cells = NetworkCells(rows[k], tolerance);
        KORVANE_REQUIRE(cells.size() == columns);
        std::size_t at = 0;
        for (const std::string& cell : cells) {
            KORVANE_REQUIRE(!cell.empty() && cell.find_first_of(" \t\n") != 0 &&
                            cell.find('\t') == std::string::npos);
            at = search.lines[k].find(cell, at);
            KORVANE_REQUIRE_SHOW(at != std::string::npos, Shown(search.lines[k]) + " " + Shown(cell));
            at += cell.size();
        }
        all.push_back(k);
    }
    const std::string copy = NetworkCopyText(rows, all, tolerance);
    KORVANE_REQUIRE(static_cast<std::size_t>(std::count(copy.begin(), copy.end(), '\n')) ==
                    rows.size() + 1);
    KORVANE_REQUIRE(static_cast<std::size_t>(std::count(copy.begin(), copy.end(), '\t')) ==
                    (rows.size() + 1) * (columns - 1));

    const auto column = static_cast<NetworkColumn>(rows.size() % columns);
    const bool descending = rows.size() % 2 == 1;
    std::vector<std::size_t> order = NetworkSortOrder(rows, column, descending);
    for (std::size_t k = 1; k < order.size(); ++k) {
        const double a = NetworkColumnValue(rows[order[k - 1]], column);
        const double b = NetworkColumnValue(rows[order[k]], column);
        KORVANE_REQUIRE(descending ? !(a < b) : !(b < a));
    }
    std::sort(order.begin(), order.end());
    KORVANE_REQUIRE(order == all);

    const std::optional<std::size_t> smallest = SmallestErrorRow(rows);
    KORVANE_REQUIRE(smallest && *smallest < rows.size());
    for (const NetworkRow& row : rows) {
        KORVANE_REQUIRE(std::fabs(rows[*smallest].error) <= std::fabs(row.error));
    }
}

void CheckRows(const NetworkSearchResult& search, double bw, double rtMin, double rtMax,
               Series series, Tolerance tolerance) {
    const std::vector<double>& table = SeriesTable(series);
    const auto& rows = search.rows;
    KORVANE_REQUIRE(!rows.empty());
    KORVANE_REQUIRE(rows.size() <= table.size() - 1);
    // One line per row.
    KORVANE_REQUIRE(search.lines.size() == rows.size());
    const double r1lo = (1.0 - bw) * rtMin;
    const double r1hi = (1.0 - bw) * rtMax;
    KORVANE_REQUIRE(rows.front().r1 == Snap(series, r1lo).value);

    std::size_t previous = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const NetworkRow& row = rows[k];
        const std::string_view line = search.lines[k];
        const auto i1 = TableIndex(table, row.r1);
        const auto i2 = TableIndex(table, row.r2);
        KORVANE_REQUIRE(i1 && *i1 >= 1);
        KORVANE_REQUIRE(i2.has_value());
        if (k > 0) {
            KORVANE_REQUIRE(*i1 == previous + 1);
            KORVANE_REQUIRE(row.r1 <= r1hi);
        }
        previous = *i1;

        KORVANE_REQUIRE(Snap(series, row.r1).text == row.r1Text);
        KORVANE_REQUIRE(row.b == row.r2 / (row.r1 + row.r2) && row.b >= 0 && row.b <= 1);
        KORVANE_REQUIRE(std::isfinite(row.error));
        KORVANE_REQUIRE(row.current >= 0 && std::isfinite(row.pr1) && row.pr1 >= 0 &&
                        std::isfinite(row.pr2) && row.pr2 >= 0);

        KORVANE_REQUIRE_SHOW(!HoldsInfOrNan(line), Shown(line));
        KORVANE_REQUIRE(line.compare(0, row.r1Text.size(), row.r1Text) == 0);
        const std::string current = Roundoff(row.current);
        const std::string pr1 = Roundoff(row.pr1);
        const std::string pr2 = Roundoff(row.pr2);
        for (const std::string* text : {&current, &pr1, &pr2}) {
            RoundoffParts parts;
            KORVANE_REQUIRE_SHOW(ParseRoundoff(*text, parts), Shown(*text));
        }
        std::string tail = current + " " + pr1 + " " + pr2 + " ";
        if (tolerance != Tolerance::None) {
            KORVANE_REQUIRE(row.bLow <= row.b && row.b <= row.bHigh);
            tail += Roundoff(row.bLow) + " " + Roundoff(row.bHigh) + " ";
        } else {
            KORVANE_REQUIRE(row.bLow == row.b && row.bHigh == row.b);
        }
        KORVANE_REQUIRE_SHOW(line.size() > tail.size() &&
                                 line.compare(line.size() - tail.size(), tail.size(), tail) == 0,
                             Shown(line));
    }
    // The walk ends at the top of the table or before the first value
    // above R1hi.
    KORVANE_REQUIRE(previous == table.size() - 1 || table[previous + 1] > r1hi);
    CheckTable(search, tolerance);
}

}  // namespace
}  // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    if (size == 0) return 0;
    const std::vector<std::string> parts = SplitAtNul(Bytes(data + 1, size - 1));
    NetworkInput input;
    input.check2 = data[0] % 3;
    input.txtAr = Part(parts, 0);
    input.txtRtMin = Part(parts, 1);
    input.txtRtMax = Part(parts, 2);
    if ((data[0] & 0x80u) == 0) input.feedbackFile = Part(parts, 3);
    input.feedbackFileName = Part(parts, 4);
    const std::string choices = Part(parts, 5);
    const std::size_t comma = choices.find(',');
    if (comma != std::string::npos) {
        input.series = SeriesFromName(choices.substr(0, comma)).value_or(kDefaultSeries);
        input.tolerance = ToleranceFromText(choices.substr(comma + 1)).value_or(kDefaultTolerance);
    }

    for (const std::string* text : {&input.txtAr, &input.txtRtMin, &input.txtRtMax}) {
        CheckStandardValue(NumericValue(*text));
    }

    const NetworkOutcome out = NetworkCalculate(input);
    KORVANE_REQUIRE(out.clearsList());
    const std::vector<std::string> lines = out.listLines();
    const std::vector<std::string> messages = out.messages();
    KORVANE_REQUIRE(messages.size() <= 1);
    const std::optional<std::string> message =
        messages.empty() ? std::nullopt : std::optional<std::string>(messages.front());
    const std::optional<std::string> txtAr = out.field(0);
    KORVANE_REQUIRE(lines.size() <= SeriesTable(input.series).size() - 1);
    KORVANE_REQUIRE(out.rows.size() == lines.size());
    if (out.fault) KORVANE_REQUIRE(message && lines.empty());

    const std::vector<std::string> items =
        input.feedbackFile ? ReadItems(*input.feedbackFile) : std::vector<std::string>{};
    if (items.size() < 7) {
        KORVANE_REQUIRE(out.fault && out.feedbackFileUnreadable && !txtAr);
        // The file's name stands on a line of its own after the first.
        const std::string& text = *message;
        const std::size_t lineEnd = text.find("\r\n");
        KORVANE_REQUIRE(lineEnd != std::string::npos);
        const std::string own = CutEcho(text, lineEnd + 2, input.feedbackFileName);
        KORVANE_REQUIRE_SHOW(!HoldsInfOrNan(own), Shown(own));
        return 0;
    }
    KORVANE_REQUIRE(!out.feedbackFileUnreadable);

    const double power = NumericValue(items[1]);
    const double impedance = NumericValue(items[2]);
    const double product = power * impedance;
    if (!std::isfinite(power) || !std::isfinite(impedance) || !std::isfinite(product) ||
        product < 0) {
        KORVANE_REQUIRE(out.fault && !txtAr);
        // The power output ("<item 2>" W) and the speaker impedance
        // ("<item 3>" ohms) ...
        const std::string& text = *message;
        const std::size_t powerAt = text.find("(\"");
        KORVANE_REQUIRE(powerAt != std::string::npos);
        std::string own = CutEcho(text, powerAt + 2, items[1]);
        const std::size_t impedanceAt = own.find("(\"", powerAt + 2);
        KORVANE_REQUIRE(impedanceAt != std::string::npos);
        own = CutEcho(own, impedanceAt + 2, items[2]);
        KORVANE_REQUIRE_SHOW(!HoldsInfOrNan(own), Shown(own));
        return 0;
    }
    const double vout = std::sqrt(product);

    const std::string& factorText = input.check2 == 1 ? items[6] : input.txtAr;
    if (input.check2 == 1) {
        KORVANE_REQUIRE(txtAr && *txtAr == items[6]);
    } else {
        KORVANE_REQUIRE(!txtAr);
    }
    const double bw = NumericValue(factorText);
    const double rtMin = NumericValue(input.txtRtMin);
    const double rtMax = NumericValue(input.txtRtMax);
    CheckStandardValue(bw);
    const bool valid = bw <= 1 && bw > 0 && rtMin != 0 && rtMax != 0 && rtMin < rtMax;
    if (!valid) {
        KORVANE_REQUIRE(!out.fault && message && lines.empty());
        KORVANE_REQUIRE_SHOW(!HoldsInfOrNan(*message), Shown(*message));
        return 0;
    }
    CheckStandardValue((1.0 - bw) * rtMin);
    CheckStandardValue((1.0 - bw) * rtMax);

    const NetworkSearchResult search =
        NetworkSearch(bw, rtMin, rtMax, vout, input.series, input.tolerance);
    KORVANE_REQUIRE(out.fault == search.fault.has_value());
    if (search.fault) {
        KORVANE_REQUIRE(search.rows.empty() && message == search.fault);
        KORVANE_REQUIRE_SHOW(!HoldsInfOrNan(*search.fault), Shown(*search.fault));
        return 0;
    }
    KORVANE_REQUIRE(!message);
    KORVANE_REQUIRE(lines == search.lines);
    CheckRows(search, bw, rtMin, rtMax, input.series, input.tolerance);
    return 0;
}
