#pragma once
// The feedback divider: R1 from the output transformer secondary to the
// feedback point, R2 from there to ground, B = R2 / (R1 + R2). The search
// walks R1 through the standard values across a range of total resistance
// and pairs each with the standard R2 nearest to the wanted factor.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/outcome.h"
#include "io/engineering.h"
#include "network/series.h"

namespace korvane {

struct NetworkRow {
    double r1 = 0, r2 = 0, b = 0, error = 0, rin = 0, ro = 0;
    double current = 0, pr1 = 0, pr2 = 0;
    // The lowest and highest factor within the search's tolerance (b and b
    // without one).
    double bLow = 0, bHigh = 0;
    // The series' own texts of R1 and R2, which last as long as the program
    // ("" for a value of exactly 0).
    std::string_view r1Text, r2Text;
};

struct NetworkSearchResult {
    std::vector<NetworkRow> rows;
    // Row i's listed line: 81 characters with ordinary values; 105 with the
    // two columns of the factor's bounds under a tolerance.
    std::vector<std::string> lines;
    // Set when the values cannot be calculated with: the text says which
    // values, and no row is listed.
    std::optional<std::string> fault;
};

// Every standard R1 of the series from the one nearest (1 - bw) * rtMin up to
// the last not above (1 - bw) * rtMax (the first always listed), each with
// its row: R1 steps to the table's next value (for E24, what times 1.1 then
// the snap gives from every value up to 9.1 MOhm). With a tolerance,
// each line ends with the factor's lowest and highest value. Takes
// values that passed the panel's validation (0 < bw <= 1, rtMin < rtMax,
// neither zero). At 10 MOhm, the top of the table, the walk lists that row
// once and stops. Faults (no rows): bw = 1 (no series resistor), a bw so
// small that (1 - bw) / bw overflows, an R1 that snaps to 0 (R1lo at most
// 0.5 ohm), a value that is not finite, and a vout so large that the
// current or power overflows.
NetworkSearchResult NetworkSearch(double bw, double rtMin, double rtMax, double vout,
                                  Series series = kDefaultSeries,
                                  Tolerance tolerance = kDefaultTolerance);

// The texts of a row's factor and error as its listed line shows them.
// B rounded half up to three decimals: 0.4 -> " .4", 0.39337 -> " .393", 1 -> " 1".
std::string ListedFactorText(double b);
// The error rounded half up to two decimals, a "0" put after the sign
// position below 1 in magnitude: 0.5 -> " 0.5", -0.25 -> "-0.25",
// 0 -> " 00", 1.68 -> " 1.68".
std::string ListedErrorText(double error);

// The column heading above the list, with the bounds' columns under a
// tolerance.
const std::string& NetworkHeading(Tolerance tolerance = kDefaultTolerance);

// One press of Calculate on the network panel.
struct NetworkInput {
    std::string txtAr, txtRtMin, txtRtMax;
    int check2 = 1;
    Series series = kDefaultSeries;
    Tolerance tolerance = kDefaultTolerance;
    // How the fields and the feedback file's values are read.
    Notation notation = Notation::Plain;
    // Korvane_Feedback.dat's content, or nothing when it could not be read.
    std::optional<std::string> feedbackFile;
    // How to name that file in a message (its full path; a panel whose path
    // Windows-1252 cannot hold passes a placeholder and fills it in itself).
    std::string feedbackFileName;
};

// A press's effects (the copy into TxtAr as field 0, the list cleared, its
// lines or one message) and the numbers behind the listed lines.
struct NetworkOutcome : Outcome {
    std::vector<NetworkRow> rows;
    // The message is about a missing or short feedback file and holds
    // NetworkInput::feedbackFileName.
    bool feedbackFileUnreadable = false;
};

// The whole press: reads the feedback file's power output, speaker
// impedance and feedback factor text, copies the factor into TxtAr when
// check2 is 1, clears the list, validates, and lists the search rows. A
// missing or short feedback file, or an arithmetic fault, clears the list
// and reports the fault (Outcome::fault) instead of listing rows.
NetworkOutcome NetworkCalculate(const NetworkInput& input);

}  // namespace korvane
