#pragma once
// The design sheet: one page that shows a design's inputs and the results
// its calculators give for them, worked out afresh as each panel's
// Calculate would, without asking anything. This is its content; the page
// (PDF or printer) is drawn from it on the Qt side.
//
// Every text is Windows-1252 bytes, as the panels' texts are.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "design/design_file.h"
#include "io/engineering.h"

namespace korvane {

// A caption, a value and its unit, as a panel's row shows them.
//   {"Plate resistance (Tube Data)", "80000", "Ohms"}
struct SheetRow {
    std::string caption, value, unit;

    friend bool operator==(const SheetRow&, const SheetRow&) = default;
};

struct SheetSection {
    std::string title;  // the calculator: "RC Stage Gain", ...
    // The inputs as saved, with the choices (check boxes, options) as rows
    // whose value is the choice's caption or "Yes" / "No".
    std::vector<SheetRow> inputs;
    // The results as Calculate would show them, in the order it writes
    // them; empty when `notCalculated` is set.
    std::vector<SheetRow> results;
    // Set when Calculate would show help or ask for other values ("Not
    // calculated: "), or report a fault ("Cannot be calculated: "), instead
    // of results: one line, with the first sentence of its message.
    //   "Not calculated: The plate resistance is not a physical resistor but a
    //    parameter of the tube."
    //   "Cannot be calculated: The table's values (...) give a result beyond the range ..."
    //   "Not calculated: the saved inputs are not right." (a file that does not load)
    std::optional<std::string> notCalculated;
    // Lines shown under the results (the grid-current state).
    std::vector<std::string> notes;
    // The network's list: its column heading and every row's line, in the
    // list's order, drawn in a fixed-pitch font; the page shows as many as
    // fit. Empty for the other calculators.
    std::string listHeading;
    std::vector<std::string> listLines;
};

struct DesignSheet {
    // The design's name, the date, and "Korvane " with the version.
    std::vector<std::string> title;
    SheetSection rcStage, feedback, network;
};

// The sheet of a design. `name`, `date` and `version` stand at the top as
// given (Windows-1252, as every text of the sheet).
//   the default files -> RC stage "Add in AC SERIES with Rk" " 4.939e+3  " Ohms;
//   feedback "Feedback Factor" " 393.4e-3  ", "Open-Loop Vin" " 636.4e-3  " Volts,
//   "Closed-Loop Vin" " 6.364     " Volts; network not calculated (the saved
//   Global Feedback inputs hold no factor yet, and the check box takes it).
// The fields are read in `notation`, as the panels read them.
DesignSheet MakeDesignSheet(const DesignFiles& files, std::string name, std::string date,
                            std::string version, Notation notation = Notation::Plain);

// The first sentence of a message as one line: its line breaks become
// spaces, and it ends at the first full stop followed by a space.
//   "The factor, B, must be\r\nbetween 0 and 1.\r\nIt is" ->
//   "The factor, B, must be between 0 and 1."
std::string FirstSentence(const std::string& message);

}  // namespace korvane
