#include "rcstage/rc_help.h"

#include "rcstage/rc_calc.h"
#include "rcstage/rc_messages.h"

namespace korvane {

const std::array<FieldHelp, 10>& RcStageFieldHelp() {
    static const std::array<FieldHelp, 10> help = {{
        {"The tube's type, for your reference only: the calculation does not read it.", ""},
        {"The tube's plate resistance rp, in ohms: a parameter of the tube, not a resistor.  "
         "Look the tube up in the tube manual.",
         kPlateResistanceHelp},
        {"The plate load resistor Rb, in ohms, from the row of the tube manual's "
         "'Resistance Coupled Amplifier' table that you work from.",
         kTableValuesHelp},
        {"The following stage's grid resistor Rcf, in ohms, from the same row of the "
         "'Resistance Coupled Amplifier' table.",
         kTableValuesHelp},
        {"The cathode resistor Rk, in ohms, from the same row of the table.  The stage is "
         "worked out with it unbypassed.",
         kTableValuesHelp},
        {"The gain the table gives for that row: a ratio, no unit.", kTableValuesHelp},
        {"The plate load resistor you will use, in ohms.  0 or empty takes the table's "
         "value.",
         kTableValuesHelp},
        {"The following stage's grid resistor you will use, in ohms.  0 or empty takes "
         "the table's value.",
         kTableValuesHelp},
        {"Check box clear: the gain you want from the stage, more than 0 and less than the "
         "table's gain.  Check box set: Calculate writes here the gain with no bypass "
         "capacitor.",
         kWantedGainMessage},
        {"Calculate writes here the resistor to add to the cathode resistor, in ohms, in AC "
         "series or AC parallel as the caption says.",
         ""},
    }};
    return help;
}

std::string RcStageHelpPage(int check) {
    const RcModeView view = RcModeSwitch(check);
    std::array<std::string, 10> captions = RcStageLabels();
    // Gain mode empties some captions; the help names them all.
    captions[8] = view.label8;
    if (check == kCheckSet) captions[9] = "Add to Rk (not used with the check box set)";
    std::vector<HelpEntry> entries;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        entries.push_back({captions[i], RcStageFieldHelp()[i]});
    }
    return HelpPage(
        "RC Stage Gain",
        "The gain of a resistance-coupled triode stage whose cathode resistor has no bypass "
        "capacitor, built with your own plate load and grid resistors; or, for a wanted gain "
        "below the table's gain, the resistor to add in AC series or AC parallel with the "
        "cathode resistor.  Set the check box 'Tell me the gain with no bypass capacitor.' "
        "for the gain; clear it for the resistor to add.  The values come from the tube "
        "manual: the tube's plate resistance, and one row of its 'Resistance Coupled "
        "Amplifier' tables.",
        entries);
}

ResultDependence RcStageDependence(int check) {
    if (check == kCheckSet) return {{8}, {1, 2, 3, 4, 5, 6, 7}};
    return {{9}, {1, 2, 3, 4, 5, 6, 7, 8}};
}

}  // namespace korvane
