#pragma once
// What each field of the RC stage panel is, for its tool tip, What's This
// and the calculator's help page (quoting the messages of rc_messages.h
// that a zero brings), and which fields the shown result is worked out
// from.

#include <array>
#include <string>

#include "calc/field_help.h"

namespace korvane {

// Rows 0 to 9, whichever mode the check box sets: row 1's message is the
// plate resistance help, rows 2 to 7 the table values help, row 8 the
// wanted gain message; rows 0 and 9 have none.
const std::array<FieldHelp, 10>& RcStageFieldHelp();

// "Help on This Calculator" for the panel, in the mode of the check box
// state (captions as that mode shows them).
std::string RcStageHelpPage(int check);

// Gain mode (check 1): field 8 from fields 1 to 7. Otherwise: field 9 from
// fields 1 to 8. The check box state itself is an input too.
ResultDependence RcStageDependence(int check);

}  // namespace korvane
