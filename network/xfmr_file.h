#pragma once
// Korvane_Xfmr.dat: the Feedback Network panel's inputs - the texts of
// TxtAr, TxtRtMin and TxtRtMax, then Check2's value in the numeric print
// form (" 1 "); then, when either differs from its default, the resistor
// series ("E96") and the tolerance ("1") as lines 5 and 6. With E24 and no
// tolerance the file is the four lines it always was. Every line ends with
// CR LF.

#include <optional>

#include "network/series.h"
#include <string>
#include <vector>

namespace korvane {

inline constexpr const char* kXfmrFileName = "Korvane_Xfmr.dat";

struct XfmrFileLoad {
    // Items read into TxtAr, TxtRtMin, TxtRtMax, in order: all three, or
    // those read before the file ended (the panel keeps what was filled).
    std::vector<std::string> fields;
    // Check2's value (0, 1 or 2) when item 4 is a valid check box state.
    std::optional<int> check2;
    // All four items read and item 4 valid; otherwise the panel shows
    // "File not found or not right." after filling `fields`.
    bool ok = false;
    // Items 5 and 6; the defaults when the file ends before them (a file of
    // four lines) or holds anything else there.
    Series series = kDefaultSeries;
    Tolerance tolerance = kDefaultTolerance;
};

// `bytes` is the file's content, or nothing when it could not be opened.
//   "393.4e-3\r\n550\r\n1200\r\n1\r\n" -> fields as written, check2 1, ok
//   fourth line "0.5" -> 0;  "1.5" -> 2;  "5" or no fourth line -> not ok
//   then "E96\r\n1\r\n" -> E96, 1 %;  "E6" or "3" there -> E24, none
XfmrFileLoad LoadXfmrFile(const std::optional<std::string>& bytes);

// The file's content. A text holding a comma is written quoted, so that it
// reads back as one item.
std::string SaveXfmrFile(const std::string& txtAr, const std::string& txtRtMin,
                         const std::string& txtRtMax, int check2,
                         Series series = kDefaultSeries, Tolerance tolerance = kDefaultTolerance);

// The content written at start-up when the file is missing:
// "393.4e-3", "550", "1200", "1".
std::string DefaultXfmrFile();

}  // namespace korvane
