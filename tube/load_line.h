#pragma once
// What the Triode Load Line window shows and hands on, as texts: its input
// and result rows, the results of a solved stage, the chart's summary for a
// screen reader, the RC Stage Gain fields the stage fills, the tube a typed
// text chooses, and a designer's own tube from the texts of its editor. No
// toolkit here: the window puts these texts into its controls.
//
// Texts that come from a tube file (names, sources, the reasons a line was
// skipped) are that file's bytes, UTF-8; the rest is ASCII.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/engineering.h"
#include "tube/stage.h"
#include "tube/tube_library.h"

namespace korvane {

// A row of the window: its caption and the unit beside it (empty when the
// quantity has none).
struct RowText {
    const char* caption;
    const char* unit;
};

// ---- The stage ---------------------------------------------------------------

// The inputs, in the window's order:
//   "Supply Voltage (B+)" V, "Plate Load Resistor" Ohms,
//   "Cathode Resistor" Ohms, "Following Stage Grid Resistor" Ohms
inline constexpr std::size_t kLoadLineInputs = 4;
const std::array<RowText, kLoadLineInputs>& LoadLineInputRows();

// The stage the input texts give, in that order, each read with ReadNumber
// in `notation`; the cathode resistor biases it. SolveStage checks the
// values and says which one makes no sense.
//   {"250", "100e3", "1500", "470e3"}, Plain      -> B+ 250, Rb 1e5, Rk 1500, Rcf 4.7e5
//   {"250", "100k", "1k5", "470k"}, Engineering   -> the same
//   {"250", "100k", "1k5", "470k"}, Plain         -> B+ 250, Rb 100, Rk 1, Rcf 470
StageInput LoadLineInput(const std::array<std::string, kLoadLineInputs>& texts, Notation notation);

// The results, in the window's order, with their units:
//   Plate Voltage V, Plate Current A, Grid Bias V, Plate Resistance Ohms,
//   Transconductance A/V, Amplification Factor, Gain (Rk bypassed) V/V,
//   Gain (Rk unbypassed) V/V, Output Swing V peak, Second Harmonic %,
//   Plate Dissipation W
inline constexpr std::size_t kLoadLineResults = 11;
const std::array<RowText, kLoadLineResults>& LoadLineResultRows();

// The results of a point as Roundoff texts in those units. The worked
// example of tube/stage.h (12AX7A (RCA fit), B+ 250 V, Rb 100k, Rk 1.5k,
// Rcf 470k):
//   " 160.8     ", " 878.5e-6  ", "-1.318     ", " 65.70e+3  ", " 1.526e-3  ",
//   " 100.3     ", " 55.80     ", " 27.55     ", " 72.44     ", " 3.478     ",
//   " 141.3e-3  "
std::array<std::string, kLoadLineResults> LoadLineResultTexts(const StagePoint& point);

// Two sentences on the chart, for a screen reader; four significant
// digits. The worked example (one line):
//   "12AX7A (RCA fit): operating point 160.8 V, 0.8785 mA, grid -1.318 V;
//    gain 55.8 with Rk bypassed, 27.55 unbypassed. Plate curves from 0 V
//    to -3 V in steps of 0.5 V, the DC and AC load lines; the plate
//    dissipation limit of 1 W lies above the chart."
// The end is ", and the plate dissipation limit of 1 W." when its curve
// crosses the chart, and "." for a tube with no rating.
std::string LoadLineSummary(const std::string& tubeName, const StagePoint& point,
                            const StageChart& chart);

// ---- RC Stage Gain -----------------------------------------------------------

// The shortest text the numeric parse (NumericValue) reads back as the same
// double: positional for magnitudes from 1e-4 up to 1e15 (and for 0), in
// exponent form beyond. The general number text has 15 digits and is not
// enough for every double.
//   100000 -> "100000"   65696.78601234567 -> "65696.78601234567"
//   0.1 + 0.2 -> "0.30000000000000004"   -1500 -> "-1500"
//   1e20 -> "1e+20"      1.5e-7 -> "1.5e-07"
std::string RoundTripText(double value);

// The RC Stage Gain panel's fields 0 to 5 for a solved stage: the tube
// number (the tube's name, with any comma as a space and any double quote
// left out, so that the inputs file reads it back as one item), the
// model's plate resistance at the point, Rb, Rcf, Rk, and the model's gain
// with Rk bypassed, which is what a printed table row gives. Numbers as
// RoundTripText.
//   "12AX7A (RCA fit)", the worked example ->
//     {"12AX7A (RCA fit)", "65696.786...", "100000", "470000", "1500", "55.803..."}
//   a tube named "My \"hot\" 12AX7, 2" -> tube number "My hot 12AX7  2"
std::array<std::string, 6> RcStageFieldsFor(const std::string& tubeName, const StageInput& in,
                                            const StagePoint& point);

// ---- Choosing a tube ---------------------------------------------------------

// Which of the tubes that FilterTubes found for `typed` the window chooses:
// the one whose name is what was typed (case, spaces and hyphens do not
// count); else a default row of the group typed; else the first default
// row found; else the first found. Nothing when none was found.
//   "ECC83" -> 12AX7A (RCA fit)       "7025" -> 7025 (Sylvania fit)
//   "12ax7a (sylvania fit)" -> 12AX7A (Sylvania fit)
//   "ECC82" -> 12AU7 (Sylvania fit)   "zzz" -> nothing
std::optional<std::size_t> ChosenTube(const std::vector<Tube>& tubes,
                                      const std::vector<std::size_t>& found,
                                      std::string_view typed);

// ---- A designer's own tubes --------------------------------------------------

// The lines of a tube file that were skipped, one a line, CR LF between
// them; past the first 20, one line tells how many more.
//   {{4, "MU is empty."}, {7, "KG1 must be above 0: it is -2."}}
//     -> "Line 4: MU is empty.\r\nLine 7: KG1 must be above 0: it is -2."
std::string SkippedLinesText(const std::vector<TableProblem>& problems);

// The fields of the tube editor, in its order: Name, Aliases ("|" or ","
// between them), MU, EX, KG1, KP, KVB, VCT, the two ratings and Source.
inline constexpr std::size_t kTubeEditorFields = 11;
const std::array<RowText, kTubeEditorFields>& TubeEditorRows();

// The editor's texts for a tube; numbers as RoundTripText, an unknown
// rating as the empty text, aliases with "|" between them.
std::array<std::string, kTubeEditorFields> TubeEditorTexts(const Tube& tube);

// A designer's tube from the editor's texts, or why there is none. Each
// number must be the whole text of its field (blanks around it allowed),
// read in `notation`; VCT and the ratings may be empty. The tube is its
// own group, never a group's default row, and has no ratings source.
// `taken` holds the names already in use (the built-in rows' and the
// designer's other tubes'), compared as typed.
//   {"My 12AX7", "", "100", "1.4", "1060", "600", "300", "", "1", "", ""} -> that tube
//   name ""            -> "The tube needs a name."
//   name "12AX7A (RCA fit)" -> "The name \"12AX7A (RCA fit)\" is already in use."
//   MU "abc"           -> "MU must be a number: it is \"abc\"."
//   KVB ""             -> "KVB is empty."
//   MU "0"             -> "The tube's MU must be above 0: it is 0."   (CheckModel)
//   Max plate dissipation "-1" -> "Max Plate Dissipation must be above 0 W: it is -1."
//   TubeEditorTexts(t) read back -> t, for any tube the editor made
struct EditedTube {
    std::string error;  // empty when `tube` holds the tube
    Tube tube;
};
EditedTube TubeFromEditorTexts(const std::array<std::string, kTubeEditorFields>& texts,
                               Notation notation, const std::vector<std::string>& taken);

}  // namespace korvane
