#include "app/home.h"

#include "calc/field_help.h"
#include "feedback/feedback_file.h"
#include "network/xfmr_file.h"
#include "rcstage/gain_file.h"

namespace korvane {

const std::string& IntroText() {
    static const std::string text =
        std::string("1 - RC Stage Gain - Uses tube manual data ") +
        "to calculate the gain of a stage without a cathode " + "bypass capacitor." +
        "\r\n\r\n" + "2 - Global Feedback - Makes calculations of " +
        "over-all feedback based on results of RC Stage Gain " +
        "and tube manual data on power output tubes." + "\r\n\r\n" +
        "3 - Feedback Network - Selects standard bvalue resistors " +
        "to be used in the feedback network." + "\r\n\r\n" +
        "To get help with a particular value enter it as zero.";
    return text;
}

std::string HomeHelpText() {
    return std::string("Korvane\r\n\r\n") +
           "Choose a calculator with its button.  Each has a help page of its own: open it "
           "and choose Help > Help on This Calculator (F1).  Point at a field, or give it "
           "the focus and press Shift+F1, for what its value is and where to find it." +
           "\r\n\r\n" +
           "RC Stage Gain\r\n" +
           "    The gain of a triode stage with its cathode resistor unbypassed, or the "
           "resistor to add for a wanted gain.  Its values come from the tube manual: the "
           "tube's plate resistance and one row of the 'Resistance Coupled Amplifier' tables." +
           "\r\n\r\n" +
           "Global Feedback\r\n" +
           "    The overall negative feedback of a push-pull power amplifier, as a factor or "
           "in dB, and the input voltages without and with it.  Its values come from the "
           "'Typical Operation' data of the output tubes and from the RC Stage Gain results, "
           "which you carry over by hand." +
           "\r\n\r\n" +
           "Feedback Network\r\n" +
           "    The pairs of standard resistors for the feedback divider closest to a feedback "
           "factor, which it can take from the inputs the Global Feedback panel saved when it "
           "last closed." +
           "\r\n\r\n" + HelpOnZeroText() + "\r\n\r\n" + NotationHelpText() + "\r\n";
}

std::vector<std::pair<std::string, std::string>> DefaultFiles() {
    return {
        {kFeedbackFileName, DefaultFeedbackFile()},
        {kGainFileName, DefaultGainFile()},
        {kXfmrFileName, DefaultXfmrFile()},
    };
}

}  // namespace korvane
