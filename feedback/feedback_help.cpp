#include "feedback/feedback_help.h"

#include "feedback/feedback_calc.h"
#include "feedback/feedback_messages.h"

namespace korvane {

const std::array<FieldHelp, 10>& FeedbackFieldHelp() {
    static const std::string tubeDataAndDrive =
        std::string(kTubeDataHelp) + "\r\n\r\n" + kGridVoltageExplanation;
    static const std::array<FieldHelp, 10> help = {{
        {"The output tubes' type, for your reference only: the calculation does not read it.",
         ""},
        {"The power output of the output stage, in watts, from the 'Typical Operation' data "
         "in the tube manual.",
         kTubeDataHelp},
        {"The speaker impedance (the amplifier's output impedance), in ohms.", kLoadHelp},
        {"The AC grid driving voltage, in volts, from the 'Typical Operation' data: RMS or "
         "peak at one grid, or peak grid to grid, as the 'Grid Drive Voltage' options say.",
         tubeDataAndDrive},
        {"The DC grid bias, in volts, from the 'Typical Operation' data.  Entered as -22.5 "
         "or 22.5 alike: only its size is compared with the grid drive.",
         kTubeDataHelp},
        {"The gain of the driver and phase inverter: from the point the feedback returns to, "
         "up to one output tube's grid.  A ratio, no unit.",
         kGainHelp},
        {"The feedback factor B = R2 / (R1 + R2), more than 0 and at most 1.  You give it "
         "with 'Feedback Factor' chosen; with 'dB of Feedback' chosen, Calculate writes it "
         "here.",
         kFactorHelp},
        {"The feedback in dB.  You give it with 'dB of Feedback' chosen; with 'Feedback "
         "Factor' chosen, Calculate writes it here.",
         ""},
        {"Calculate writes here the input voltage, in volts, that drives the amplifier to "
         "full power without feedback.",
         ""},
        {"Calculate writes here the input voltage, in volts, that drives the amplifier to "
         "full power with the feedback.",
         ""},
    }};
    return help;
}

std::string FeedbackHelpPage() {
    std::vector<HelpEntry> entries;
    for (std::size_t i = 0; i < 10; ++i) {
        entries.push_back({FeedbackLabels()[i], FeedbackFieldHelp()[i]});
    }
    return HelpPage(
        "Global Feedback",
        "The overall negative feedback of a push-pull power amplifier, from the output "
        "tubes' power output, load impedance, grid drive and grid bias (the 'Typical "
        "Operation' data of the tube manual) and the gain of the driver/inverter stages.  "
        "Choose 'dB of Feedback' to give the dB you want and get the feedback factor, or "
        "'Feedback Factor' to give the factor and get the dB; either way Calculate gives "
        "the input voltages for full power without and with feedback.  When the grid "
        "drive's peak is above the bias, Calculate asks whether the output stage runs with "
        "grid current (class A2 or AB2).",
        entries);
}

ResultDependence FeedbackDependence(bool option1) {
    // The bias only decides whether the grid-current question is asked.
    if (option1) return {{6, 8, 9}, {1, 2, 3, 5, 7}};
    return {{7, 8, 9}, {1, 2, 3, 5, 6}};
}

}  // namespace korvane
