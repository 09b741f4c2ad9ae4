#include "network/network_help.h"

#include "feedback/feedback_file.h"
#include "network/network_messages.h"

namespace korvane {
namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

const std::string kWhereSaved =
    " from the saved Global Feedback inputs (line 7 of Korvane_Feedback.dat, as the "
    "Global Feedback panel last closed), not from the field.";

}  // namespace

const std::array<FieldHelp, 3>& NetworkFieldHelp() {
    static const std::string rangeMessages =
        std::string(kNetworkRangeZero) + "\r\n" + kNetworkRangeOrder;
    static const std::array<FieldHelp, 3> help = {{
        {"The feedback factor B = R2 / (R1 + R2) you want: more than 0 and at most 1, as "
         "Global Feedback works it out.  With 'Use Feedback Factor from Global Feedback' "
         "set, Calculate takes it from the saved Global Feedback inputs.",
         std::string(kNetworkFactorHelp) + "\r\n" + kNetworkFactorAboveOne},
        {"The smallest total resistance R1 + R2 of the divider you will take, in ohms.",
         rangeMessages},
        {"The largest total resistance R1 + R2 of the divider you will take, in ohms.",
         rangeMessages},
    }};
    return help;
}

std::string NetworkHelpPage() {
    const char* captions[] = {"Feedback Factor", "Minimum Total Resistance",
                              "Maximum Total Resistance"};
    std::vector<HelpEntry> entries;
    for (std::size_t i = 0; i < 3; ++i) entries.push_back({captions[i], NetworkFieldHelp()[i]});
    entries.push_back(
        {"Use Feedback Factor from Global Feedback.",
         {"Set, Calculate copies the feedback factor saved by the Global Feedback panel "
          "into 'Feedback Factor' and works with it; beside the box stands the factor it "
          "will take.  The power output and the speaker impedance (the output voltage) "
          "always come from the saved Global Feedback inputs.",
          ""}});
    entries.push_back(
        {"Series and Tolerance",
         {"The resistor series you buy from (E12, E24, E48, E96 or E192), and with a "
          "tolerance chosen, the lowest and highest factor each pair can give (the columns "
          "B low and B high).",
          ""}});
    entries.push_back(
        {"The list",
         {"One divider per standard R1 across the range of total resistance: R1 and R2, "
          "the factor B they give, its error in percent, the divider's input and output "
          "resistance, the signal current and the power in each resistor.  The row with "
          "the smallest error is framed.  Click a column's heading to sort by it, again "
          "to reverse the order, a third time for the order of the search; the list's "
          "context menu does the same.  Ctrl+C or Copy in the context menu copies the "
          "selected rows (all rows when none is selected) with the heading, one column "
          "per quantity separated by tabs, for a spreadsheet; Save as CSV... writes the "
          "numbers in full.",
          ""}});
    return HelpPage(
        "Feedback Network",
        "The pairs of standard resistors for the feedback divider (R1 from the output "
        "transformer's secondary to the feedback point, R2 from there to ground) that come "
        "closest to the feedback factor you want, within a range of total resistance.",
        entries);
}

ResultDependence NetworkDependence(int check2) {
    if (check2 == 1) return {{}, {1, 2}};
    return {{}, {0, 1, 2}};
}

SavedFactorNote SavedFactor(const std::optional<std::string>& feedbackFile) {
    const FeedbackFileLoad load = LoadFeedbackFile(feedbackFile);
    if (load.fields.size() < 7) {
        return {"(no saved inputs)",
                "The Global Feedback inputs file cannot be read, or it is too short: open the "
                "Global Feedback panel and close it again to write it."};
    }
    const std::string factor = Trimmed(load.fields[6]);
    if (factor.empty()) {
        return {"(none saved)",
                "With the box set, Calculate takes the feedback factor" + kWhereSaved +
                    "  They hold none yet: calculate it on the Global Feedback panel and "
                    "close that panel."};
    }
    return {"(saved: " + factor + ")",
            "With the box set, Calculate takes the feedback factor " + factor + kWhereSaved};
}

}  // namespace korvane
