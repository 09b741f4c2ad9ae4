#pragma once
// What each field of the Feedback Network panel is, for its tool tip,
// What's This and the calculator's help page (quoting the messages of
// network_messages.h); which fields the listing is worked out from; and
// the note beside Check2 on the factor it will take.

#include <array>
#include <optional>
#include <string>

#include "calc/field_help.h"

namespace korvane {

// TxtAr, TxtRtMin, TxtRtMax.
const std::array<FieldHelp, 3>& NetworkFieldHelp();

// "Help on This Calculator" for the panel.
std::string NetworkHelpPage();

// The list is worked out from the three fields; with Check2 set (1) the
// factor comes from the Global Feedback inputs instead of TxtAr. Check2,
// the series, the tolerance and the saved inputs are inputs too. `results`
// is empty: the result is the list.
ResultDependence NetworkDependence(int check2);

// What Check2 takes: line 7 of the saved Global Feedback inputs, the
// feedback factor, which Calculate copies into TxtAr.
struct SavedFactorNote {
    std::string shown;        // beside the check box, short
    std::string description;  // its tool tip and accessible description
};
// `feedbackFile` is Korvane_Feedback.dat's content, or nothing when it
// could not be read.
//   line 7 " 393.4e-3  " -> {"(saved: 393.4e-3)", "With the box set, Calculate takes
//                            the feedback factor 393.4e-3 from the saved Global
//                            Feedback inputs ..."}
//   line 7 empty         -> {"(none saved)", ...}
//   unreadable or short  -> {"(no saved inputs)", ...}
SavedFactorNote SavedFactor(const std::optional<std::string>& feedbackFile);

}  // namespace korvane
