#pragma once
// The overall negative feedback of a push-pull power amplifier.
//
// Fields (index into `fields`):
//   0 tube number (never read)  1 P, power output  2 Z, speaker impedance
//   3 Vg, AC grid drive         4 Vb, DC grid bias  5 Ad, driver/inverter gain
//   6 B, feedback factor (input in factor mode, result in dB mode)
//   7 F, dB of feedback (input in dB mode, result in factor mode)
//   8 open-loop Vin (result)    9 closed-loop Vin (result)

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "calc/outcome.h"
#include "io/engineering.h"

namespace korvane {

struct FeedbackInput {
    std::array<std::string, 10> fields;
    bool option1 = true;   // dB mode (else factor mode)
    bool option4 = true;   // Vg is the peak voltage of one grid
    bool option5 = false;  // Vg is the peak grid-to-grid voltage
    bool ab2 = false;      // operation with grid current accepted
    Notation notation = Notation::Plain;  // how fields 1 to 7 are read
};

// Asks the grid-current question (Yes/No); true for Yes.
using AskYesNo = std::function<bool(const std::string& question)>;

struct FeedbackOutcome : Outcome {
    bool ab2 = false;  // the new value of the flag
};

// One press of Calculate. `ask` is called at most once.
FeedbackOutcome FeedbackCalculate(const FeedbackInput& input, const AskYesNo& ask);

// Raises a number text by one unit of its fourth significant digit when its
// value lies in [1, 10) or [10, 100); any other text comes back unchanged.
//   " 33.46     " -> " 33.47"    " 4.567     " -> " 4.568"
//   " 108.2     " -> " 108.2     "
std::string NudgeUp(std::string_view text);

// Captions set when the panel opens, and the fixed units, rows 0 to 9.
const std::array<std::string, 10>& FeedbackLabels();
const std::array<std::string, 10>& FeedbackUnits();

}  // namespace korvane
