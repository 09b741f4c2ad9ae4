#pragma once
// The gain of a resistance-coupled triode stage with its cathode resistor
// unbypassed, from a tube manual's plate resistance and one row of its RC
// amplifier tables; or, for a wanted gain below the table's, the resistor to
// add in AC series or AC parallel with the cathode resistor.
//
// Rows of the panel (index into `fields`):
//   0 tube number (never read)   1 rp    2 Rb    3 Rcf    4 Rk    5 AvRC
//   6 RbY (0: take Rb)           7 RcfY (0: take Rcf)
//   8 wanted gain (input) or gain with no bypass capacitor (result)
//   9 resistor to add (result)

#include <array>
#include <optional>
#include <string>

#include "calc/outcome.h"
#include "io/engineering.h"

namespace korvane {

// Check box states: 0 clear, 1 set, 2 grayed (counts as clear).
inline constexpr int kCheckClear = 0;
inline constexpr int kCheckSet = 1;
inline constexpr int kCheckGrayed = 2;

struct RcStageInput {
    std::array<std::string, 10> fields;
    int check = kCheckClear;
    Notation notation = Notation::Plain;  // how fields 1 to 8 are read
};

// One press of Calculate. Effects, in order: the substitutions of fields 6
// and 7 (SetField), then either one Message, or the result field (8 in gain
// mode; 9 in wanted-gain mode followed by SetLabel 9). On an arithmetic
// fault the substitutions stay and a fault message follows.
Outcome RcStageCalculate(const RcStageInput& input);

// The captions, units and field-9 state that the check box state asks for.
// Label 5 is set only when the box is not set.
struct RcModeView {
    std::optional<std::string> label5;
    std::string label6, unit6, label7, unit7, label8, label9, unit9;
    bool field9Enabled = true;
};
RcModeView RcModeSwitch(int check);

// Captions set when the panel opens, rows 0 to 9, and the units as the
// window is built.
const std::array<std::string, 10>& RcStageLabels();
const std::array<std::string, 10>& RcStageUnits();

}  // namespace korvane
