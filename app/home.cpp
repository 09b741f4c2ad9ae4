#include "app/home.h"

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

std::vector<std::pair<std::string, std::string>> DefaultFiles() {
    return {
        {kFeedbackFileName, DefaultFeedbackFile()},
        {kGainFileName, DefaultGainFile()},
        {kXfmrFileName, DefaultXfmrFile()},
    };
}

}  // namespace korvane
