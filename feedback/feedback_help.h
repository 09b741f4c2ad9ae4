#pragma once
// What each field of the Global Feedback panel is, for its tool tip, What's
// This and the calculator's help page (quoting the messages of
// feedback_messages.h that a zero brings), and which fields the shown
// results are worked out from.

#include <array>
#include <string>

#include "calc/field_help.h"

namespace korvane {

// Rows 0 to 9, whichever mode the options set.
const std::array<FieldHelp, 10>& FeedbackFieldHelp();

// "Help on This Calculator" for the panel.
std::string FeedbackHelpPage();

// dB mode (Option1): fields 6, 8 and 9 from fields 1, 2, 3, 5 and 7.
// Factor mode: fields 7, 8 and 9 from fields 1, 2, 3, 5 and 6. The bias,
// field 4, only decides whether Calculate asks about grid current: no
// result is worked out from it. The options are inputs too.
ResultDependence FeedbackDependence(bool option1);

}  // namespace korvane
