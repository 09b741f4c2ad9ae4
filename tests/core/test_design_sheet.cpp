// The design sheet: the inputs, and the results worked out afresh as each
// panel's Calculate shows them, or the one line that says why not.

#include <gtest/gtest.h>

#include <ostream>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "design/design_sheet.h"
#include "feedback/feedback_file.h"
#include "network/network_search.h"
#include "network/xfmr_file.h"
#include "rcstage/gain_file.h"

namespace korvane {

void PrintTo(const SheetRow& row, std::ostream* os) {
    *os << "{\"" << row.caption << "\", \"" << row.value << "\", \"" << row.unit << "\"}";
}

namespace {

using Rows = std::vector<SheetRow>;

const char* const kSeries = "Add in AC SERIES with Rk";

std::string Gain(const std::map<int, std::string>& changes, int check = 0) {
    std::array<std::string, 10> f = {"12AX7", "80000", "100e3", "470e3", "1800",
                                     "57",    "100e3", "470e3", "10",    ""};
    for (const auto& [i, text] : changes) f[static_cast<std::size_t>(i)] = text;
    return SaveGainFile(f, check);
}

enum Mode { kDb, kFactor };
enum Drive { kRms, kPeak, kGridToGrid };

std::string Feedback(const std::map<int, std::string>& changes, Mode mode = kDb,
                     Drive drive = kPeak, bool ab2 = false) {
    std::array<std::string, 10> f = {"6 L6", "26.5", "8", "22.5", "22.5", "25", "", "20", "", ""};
    for (const auto& [i, text] : changes) f[static_cast<std::size_t>(i)] = text;
    return SaveFeedbackFile(
        f, {mode == kDb, mode == kFactor, drive == kRms, drive == kPeak, drive == kGridToGrid}, ab2);
}

DesignSheet Sheet(const DesignFiles& files) { return MakeDesignSheet(files, "Amp", "2026-12-08", "0.1.0"); }

DesignFiles Files(std::string gain, std::string feedback, std::string xfmr) {
    return {std::move(gain), std::move(feedback), std::move(xfmr)};
}

// ------------------------------------------------------ the default files

TEST(DesignSheet, DefaultFiles) {
    const DesignSheet sheet = Sheet(DefaultDesignFiles());
    EXPECT_EQ(sheet.title, (std::vector<std::string>{"Amp", "2026-12-08", "Korvane 0.1.0"}));

    EXPECT_EQ(sheet.rcStage.title, "RC Stage Gain");
    EXPECT_EQ(sheet.rcStage.inputs,
              (Rows{{"Tube Number (reference only)", "12AX7", ""},
                    {"Plate resistance (Tube Data)", "80000", "Ohms"},
                    {"Plate Load Resistor (RC Amp Data)", "100e3", "Ohms"},
                    {"Following Stage Grid Resistor (RC Amp Data)", "470e3", "Ohms"},
                    {"Cathode Resistor (RC Amp Data)", "1800", "Ohms"},
                    {"Gain From RC Amplifier Table", "57", ""},
                    {"Plate Load Resistor (Your Value)", "100e3", "Ohms"},
                    {"Following Stage Grid Resistor (Your Value)", "470e3", "Ohms"},
                    {"Wanted Gain", "10", ""},
                    {"Tell me the gain with no bypass capacitor.", "No", ""}}));
    EXPECT_EQ(sheet.rcStage.results, (Rows{{kSeries, " 4.939e+3  ", "Ohms"}}));
    EXPECT_FALSE(sheet.rcStage.notCalculated.has_value());

    EXPECT_EQ(sheet.feedback.title, "Global Feedback");
    // dB mode: the dB is given, and the options stand as their captions.
    ASSERT_EQ(sheet.feedback.inputs.size(), 9u);
    EXPECT_EQ(sheet.feedback.inputs[5], (SheetRow{"Gain of Driver/Inverter", "25", ""}));
    EXPECT_EQ(sheet.feedback.inputs[6], (SheetRow{"dB of Feedback", "20", "dB"}));
    EXPECT_EQ(sheet.feedback.inputs[7], (SheetRow{"Feedback Factor or dB", "dB of Feedback", ""}));
    EXPECT_EQ(sheet.feedback.inputs[8], (SheetRow{"Grid Drive Voltage", "Peak Grid Voltage", ""}));
    EXPECT_EQ(sheet.feedback.results, (Rows{{"Feedback Factor", " 393.4e-3  ", ""},
                                            {"Open-Loop Vin", " 636.4e-3  ", "Volts"},
                                            {"Closed-Loop Vin", " 6.364     ", "Volts"}}));
    EXPECT_EQ(sheet.feedback.notes, (std::vector<std::string>{
                                        "Operation with grid current (class A2 or AB2): not "
                                        "accepted, as saved."}));

    // The check box takes the factor saved by the Global Feedback panel,
    // and the default file holds none yet.
    EXPECT_EQ(sheet.network.title, "Feedback Network");
    EXPECT_EQ(sheet.network.inputs[3],
              (SheetRow{"Use Feedback Factor from Global Feedback.", "Yes", ""}));
    EXPECT_EQ(sheet.network.notCalculated,
              "Not calculated: The feedback factor is the ratio of the output voltage to the "
              "input voltage of resistor network.");
    EXPECT_TRUE(sheet.network.listLines.empty());
    EXPECT_EQ(sheet.network.listHeading, "");
}

// The network worked example: the factor the Global Feedback panel saved
// after Calculate, 26.5 W into 8 ohms.
const std::string kFirstRow = std::string("330    ") + "220    " + " .4    " + " 1.68  " +
                              "  550   " + "  132   " + " " + " 26.47e-3  " + " " +
                              " 231.3e-3  " + " " + " 154.2e-3  " + " ";

TEST(DesignSheet, NetworkList) {
    const struct {
        const char* name;
        std::string feedback, xfmr;
        Rows results;
        Tolerance tolerance;
    } cases[] = {
        {"the saved factor taken", Feedback({{6, " 393.4e-3  "}}), DefaultXfmrFile(),
         {{"Feedback Factor (from Global Feedback)", "393.4e-3  ", ""}}, Tolerance::None},
        {"its own factor", DefaultFeedbackFile(), SaveXfmrFile("393.4e-3", "550", "1200", 0), {},
         Tolerance::None},
        {"with a tolerance", DefaultFeedbackFile(),
         SaveXfmrFile("393.4e-3", "550", "1200", 0, Series::E24, Tolerance::P1), {}, Tolerance::P1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DesignSheet sheet = Sheet(Files(DefaultGainFile(), c.feedback, c.xfmr));
        EXPECT_FALSE(sheet.network.notCalculated.has_value()) << *sheet.network.notCalculated;
        EXPECT_EQ(sheet.network.results, c.results);
        EXPECT_EQ(sheet.network.listHeading, NetworkHeading(c.tolerance));
        ASSERT_EQ(sheet.network.listLines.size(), 9u);
        EXPECT_EQ(sheet.network.listLines[0].substr(0, kFirstRow.size()), kFirstRow);
        EXPECT_EQ(sheet.network.listLines[0].size(), c.tolerance == Tolerance::None ? 81u : 105u);
        EXPECT_EQ(sheet.network.listLines[8].substr(0, 14), "680    430    ");
    }
}

// ------------------------------------------------------- results by case

struct Case {
    const char* name;
    DesignFiles files;
    Rows rc, feedback;
    std::optional<std::string> rcLine, feedbackLine, networkLine;
    std::vector<std::string> notes;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const Rows kFeedbackResults = {{"Feedback Factor", " 393.4e-3  ", ""},
                               {"Open-Loop Vin", " 636.4e-3  ", "Volts"},
                               {"Closed-Loop Vin", " 6.364     ", "Volts"}};
const std::string kNotAccepted = "Operation with grid current (class A2 or AB2): not accepted, as saved.";
const std::string kDefaultNetworkLine =
    "Not calculated: The feedback factor is the ratio of the output voltage to the input voltage "
    "of resistor network.";

class SheetResults : public ::testing::TestWithParam<Case> {};

TEST_P(SheetResults, AsCalculateShowsThem) {
    const Case& c = GetParam();
    const DesignSheet sheet = Sheet(c.files);
    EXPECT_EQ(sheet.rcStage.results, c.rc);
    EXPECT_EQ(sheet.rcStage.notCalculated, c.rcLine);
    EXPECT_EQ(sheet.feedback.results, c.feedback);
    EXPECT_EQ(sheet.feedback.notCalculated, c.feedbackLine);
    EXPECT_EQ(sheet.feedback.notes, c.notes);
    EXPECT_EQ(sheet.network.notCalculated, c.networkLine);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SheetResults,
    ::testing::Values(
        Case{"gain mode",
             Files(Gain({}, 1), DefaultFeedbackFile(), DefaultXfmrFile()),
             {{"Gain with no bypass capacitor", " 25.27     ", ""}},
             kFeedbackResults, std::nullopt, std::nullopt, kDefaultNetworkLine, {kNotAccepted}},
        Case{"your resistor 0: the table's, as Calculate writes it",
             Files(Gain({{6, "0"}}), DefaultFeedbackFile(), DefaultXfmrFile()),
             {{"Plate Load Resistor (Your Value)", " 100000", "Ohms"},
              {kSeries, " 4.939e+3  ", "Ohms"}},
             kFeedbackResults, std::nullopt, std::nullopt, kDefaultNetworkLine, {kNotAccepted}},
        Case{"wanted gain 30: parallel",
             Files(Gain({{8, "30"}}), DefaultFeedbackFile(), DefaultXfmrFile()),
             {{"Add in AC PARALLEL with Rk", " 4.559e+3  ", "Ohms"}},
             kFeedbackResults, std::nullopt, std::nullopt, kDefaultNetworkLine, {kNotAccepted}},
        Case{"help on the plate resistance",
             Files(Gain({{1, "0"}}), DefaultFeedbackFile(), DefaultXfmrFile()), {},
             kFeedbackResults,
             "Not calculated: The plate resistance is not a physical resistor but a parameter of "
             "the tube.",
             std::nullopt, kDefaultNetworkLine, {kNotAccepted}},
        Case{"the wanted-gain message after a substitution",
             Files(Gain({{6, ""}, {8, "0"}}), DefaultFeedbackFile(), DefaultXfmrFile()), {},
             kFeedbackResults,
             "Not calculated: When the check box is unchecked you must state a value for the "
             "'Wanted Gain'.",
             std::nullopt, kDefaultNetworkLine, {kNotAccepted}},
        Case{"a fault",
             Files(Gain({{2, "100"}, {3, "-100"}}), DefaultFeedbackFile(), DefaultXfmrFile()), {},
             kFeedbackResults,
             "Cannot be calculated: The table's 'Plate Load Resistor' and 'Following Stage Grid "
             "Resistor' add up to zero (or their parallel resistance comes out as zero), so the "
             "stage's load cannot be calculated.",
             std::nullopt, kDefaultNetworkLine, {kNotAccepted}},
        Case{"factor mode",
             Files(DefaultGainFile(), Feedback({{6, "0.1"}}, kFactor), DefaultXfmrFile()),
             {{kSeries, " 4.939e+3  ", "Ohms"}},
             {{"dB of Feedback", " 10.3", "dB"},
              {"Open-Loop Vin", " 636.4e-3  ", "Volts"},
              {"Closed-Loop Vin", " 2.092     ", "Volts"}},
             // The check box takes the factor given here: the network is listed.
             std::nullopt, std::nullopt, std::nullopt, {kNotAccepted}},
        Case{"grid current, not accepted as saved: results, nothing asked",
             Files(DefaultGainFile(), Feedback({{3, "30"}}), DefaultXfmrFile()),
             {{kSeries, " 4.939e+3  ", "Ohms"}},
             {{"Feedback Factor", " 524.5e-3  ", ""},
              {"Open-Loop Vin", " 848.5e-3  ", "Volts"},
              {"Closed-Loop Vin", " 8.485     ", "Volts"}},
             std::nullopt, std::nullopt, kDefaultNetworkLine,
             {kNotAccepted + " These values drive the grids into grid current."}},
        Case{"grid current accepted as saved",
             Files(DefaultGainFile(), Feedback({{3, "30"}}, kDb, kPeak, true), DefaultXfmrFile()),
             {{kSeries, " 4.939e+3  ", "Ohms"}},
             {{"Feedback Factor", " 524.5e-3  ", ""},
              {"Open-Loop Vin", " 848.5e-3  ", "Volts"},
              {"Closed-Loop Vin", " 8.485     ", "Volts"}},
             std::nullopt, std::nullopt, kDefaultNetworkLine,
             {"Operation with grid current (class A2 or AB2): accepted, as saved."}},
        Case{"more feedback than the gain allows",
             Files(DefaultGainFile(), Feedback({{7, "30"}}), DefaultXfmrFile()),
             {{kSeries, " 4.939e+3  ", "Ohms"}}, {}, std::nullopt,
             "Not calculated: For the given driver/inverter gain the maximum amount of feedback "
             "you can have is 27.6 dB.",
             kDefaultNetworkLine, {}},
        Case{"grid current not accepted, then more feedback than the gain allows: the last "
             "message",
             Files(DefaultGainFile(), Feedback({{3, "30"}, {7, "30"}}), DefaultXfmrFile()),
             {{kSeries, " 4.939e+3  ", "Ohms"}}, {}, std::nullopt,
             "Not calculated: For the given driver/inverter gain the maximum amount of feedback "
             "you can have is 25.2 dB.",
             kDefaultNetworkLine, {}},
        Case{"help on the driver gain, over lines",
             Files(DefaultGainFile(), Feedback({{5, "0"}}), DefaultXfmrFile()),
             {{kSeries, " 4.939e+3  ", "Ohms"}}, {}, std::nullopt,
             "Not calculated: The 'Gain of Driver/Inverter' is the product of the gains of all "
             "stages between the point to which feedback is returned and one of the power output "
             "tube grids.",
             kDefaultNetworkLine, {}},
        Case{"network: Rt min above Rt max",
             Files(DefaultGainFile(), DefaultFeedbackFile(), SaveXfmrFile(".4", "1200", "550", 0)),
             {{kSeries, " 4.939e+3  ", "Ohms"}}, kFeedbackResults, std::nullopt, std::nullopt,
             "Not calculated: Rt min MUST be less than Rt max.", {kNotAccepted}},
        Case{"network: a negative output voltage is a fault",
             Files(DefaultGainFile(), Feedback({{1, "-26.5"}}), SaveXfmrFile(".4", "550", "1200", 0)),
             {{kSeries, " 4.939e+3  ", "Ohms"}}, {}, std::nullopt,
             "Cannot be calculated: The 'Power Output' times the 'Speaker Impedance' is negative, "
             "so the output voltage (the square root of their product) cannot be calculated.",
             "Cannot be calculated: The power output (\"-26.5\" W) and the speaker impedance "
             "(\"8\" ohms) saved by the Global Feedback panel multiply to a negative number, "
             "which has no square root: the output voltage cannot be calculated.",
             {}},
        Case{"working files that do not load",
             Files("12AX7\r\n", "6 L6\r\n", "393.4e-3\r\n"), {}, {},
             "Not calculated: the saved inputs are not right.",
             "Not calculated: the saved inputs are not right.",
             "Not calculated: the saved inputs are not right.", {}}));

TEST(DesignSheet, InputRowsFollowTheModes) {
    const DesignSheet sheet =
        Sheet(Files(Gain({{8, " 25.27     "}}, 1), Feedback({{6, ".1"}}, kFactor, kGridToGrid),
                    SaveXfmrFile("a,b", "550", "1200", 2, Series::E96, Tolerance::P0_5)));
    // Gain mode: row 8 is the result, not an input.
    ASSERT_EQ(sheet.rcStage.inputs.size(), 9u);
    EXPECT_EQ(sheet.rcStage.inputs[7].caption, "Following Stage Grid Resistor (Your Value)");
    EXPECT_EQ(sheet.rcStage.inputs[8], (SheetRow{"Tell me the gain with no bypass capacitor.", "Yes", ""}));
    // Factor mode: the factor is given.
    ASSERT_EQ(sheet.feedback.inputs.size(), 9u);
    EXPECT_EQ(sheet.feedback.inputs[6], (SheetRow{"Feedback Factor", ".1", ""}));
    EXPECT_EQ(sheet.feedback.inputs[7], (SheetRow{"Feedback Factor or dB", "Feedback Factor", ""}));
    EXPECT_EQ(sheet.feedback.inputs[8], (SheetRow{"Grid Drive Voltage", "Peak Grid-to-Grid Voltage", ""}));
    // A grey check box takes no factor from the feedback file.
    EXPECT_EQ(sheet.network.inputs[0].value, "a,b");
    EXPECT_EQ(sheet.network.inputs[3].value, "No");
    EXPECT_EQ(sheet.network.inputs[4].value, "E96");
    EXPECT_EQ(sheet.network.inputs[5].value, "0.5 %");
    EXPECT_EQ(sheet.network.notCalculated, "Not calculated: The feedback factor is the ratio of the "
                                           "output voltage to the input voltage of resistor network.");
}

TEST(DesignSheet, FirstSentence) {
    const struct {
        const char* message;
        const char* line;
    } cases[] = {
        {"One.  Two.", "One."},
        {"No stop at all", "No stop at all"},
        {"Split\r\nover\r\n\r\nlines. Next", "Split over lines."},
        {"Keeps 0.707 and B = R2 / (R1 + R2).  Then", "Keeps 0.707 and B = R2 / (R1 + R2)."},
        {"  Leading blanks.\r\n", "Leading blanks."},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FirstSentence(c.message), c.line) << c.message;
}

}  // namespace
}  // namespace korvane
