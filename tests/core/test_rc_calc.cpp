// The RC stage calculation: both outcomes, gain mode, substitution, the
// help messages and their order, the faults, and the mode switch.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "effects_text.h"
#include "rcstage/rc_calc.h"

namespace korvane {
namespace {

using testing::Field;
using testing::Label;
using testing::Message;
using Lines = std::vector<std::string>;

const std::string kPlateHelp =
    "The plate resistance is not a physical resistor but a parameter of the tube.  You find "
    "it by looking up the tube in the tube manual.  There may be two or more values given for "
    "different values of plate current and voltage.  Try to match the conditions found in the "
    "'resistance coupled amplifier' table as closely as possible.";
const std::string kTableHelp =
    "The values of the 'Plate Load Resistor', 'Following Stage Grid Resistor', 'Cathode "
    "Resistor', and 'Gain', can all be found in 'Resistance Coupled Amplifier' tables in the "
    "back of most tube manuals.\r\n\r\nThe values of 'Plate Load Resistor (Your Value)' and "
    "'Following Stage Grid Resistor (Your Value)' may be the same as those above but they "
    "don't have to be.  If you enter zero for one or both the value from above will be "
    "substituted.";
const std::string kWantedHelp =
    "When the check box is unchecked you must state a value for the 'Wanted Gain'.  This value "
    "must be less than the gain given in the Resistance Coupled Amplifier Tables and greater "
    "than zero.";
const std::string kSeries = "Add in AC SERIES with Rk";
const std::string kParallel = "Add in AC PARALLEL with Rk";

// The panel's default inputs with some fields changed.
RcStageInput Inputs(const std::map<int, std::string>& changes, int check = kCheckClear) {
    RcStageInput in{{"12AX7", "80000", "100e3", "470e3", "1800", "57", "100e3", "470e3", "10", ""},
                    check};
    for (const auto& [index, text] : changes) in.fields[static_cast<std::size_t>(index)] = text;
    return in;
}

struct Case {
    const char* name;
    std::map<int, std::string> changes;
    int check;
    Lines effects;
};

void RunCases(const std::vector<Case>& cases, bool fault) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome out = RcStageCalculate(Inputs(c.changes, c.check));
        EXPECT_EQ(testing::EffectLines(out), c.effects);
        EXPECT_EQ(out.fault, fault);
    }
}

TEST(RcStageCalculate, Results) {
    RunCases({
            {"defaults: series", {}, kCheckClear,
             {Field(9, " 4.939e+3  "), Label(9, kSeries)}},
            {"wanted gain 30: parallel", {{8, "30"}}, kCheckClear,
             {Field(9, " 4.559e+3  "), Label(9, kParallel)}},
            {"grayed box counts as clear", {}, kCheckGrayed,
             {Field(9, " 4.939e+3  "), Label(9, kSeries)}},
            {"gain mode", {}, kCheckSet, {Field(8, " 25.27     ")}},
            {"gain mode ignores the wanted gain", {{8, "abc"}, {9, "x"}}, kCheckSet,
             {Field(8, " 25.27     ")}},
            {"gain-mode result carried over: series, not equality", {{8, " 25.27     "}},
             kCheckClear, {Field(9, " 374.7e-3  "), Label(9, kSeries)}},
            {"stage cannot reach 45: negative parallel resistor", {{6, "50e3"}, {8, "45"}},
             kCheckClear, {Field(9, "-103.2     "), Label(9, kParallel)}},
            {"wanted gain 56.999", {{8, "56.999"}}, kCheckClear,
             {Field(9, " 25.16e-3  "), Label(9, kParallel)}},
            // rp 1, Rac 1, mu 63, RacY 1: RkNeed is exactly 1.9375.
            {"RkNeed equal to Rk",
             {{1, "1"}, {2, "2"}, {3, "2"}, {4, "1.9375"}, {5, "31.5"}, {6, "2"}, {7, "2"}, {8, ".5"}},
             kCheckClear, {Field(9, "0"), Label(9, "Add No Additional Resistor")}},
        },
        false);
}

// With Engineering notation on, values typed as a tube manual prints them
// give the effects of their exponent forms; the substituted texts stay the
// number texts. Read plainly, the same texts give other effects.
TEST(RcStageCalculate, EngineeringNotationReadsPrefixes) {
    const struct {
        const char* name;
        std::map<int, std::string> typed, exponentForm;
        int check;
    } rows[] = {
        {"every resistor with a prefix",
         {{1, "80k"}, {2, "100k"}, {3, "470k"}, {4, "1k8"}, {6, "100k"}, {7, ".47M"}},
         {{1, "80e3"}, {2, "100e3"}, {3, "470e3"}, {4, "1800"}, {6, "100e3"}, {7, "470e3"}},
         kCheckClear},
        {"gain mode, your resistors substituted", {{2, "100k"}, {3, "470K"}, {6, ""}, {7, "0R"}},
         {{2, "100e3"}, {3, "470e3"}, {6, ""}, {7, "0"}}, kCheckSet},
        {"wanted gain, cathode resistor 2k2", {{4, "2k2"}, {8, "30R"}}, {{4, "2200"}, {8, "30"}},
         kCheckClear},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RcStageInput engineering = Inputs(row.typed, row.check);
        engineering.notation = Notation::Engineering;
        const Lines expected = testing::EffectLines(RcStageCalculate(Inputs(row.exponentForm, row.check)));
        EXPECT_EQ(testing::EffectLines(RcStageCalculate(engineering)), expected);
        EXPECT_NE(testing::EffectLines(RcStageCalculate(Inputs(row.typed, row.check))), expected);
    }
}

TEST(RcStageCalculate, SubstitutesTheTableResistors) {
    RunCases({
            {"field 6 empty", {{6, ""}}, kCheckClear,
             {Field(6, " 100000"), Field(9, " 4.939e+3  "), Label(9, kSeries)}},
            {"field 6 zero", {{6, "0"}}, kCheckClear,
             {Field(6, " 100000"), Field(9, " 4.939e+3  "), Label(9, kSeries)}},
            {"field 7 empty", {{7, ""}}, kCheckClear,
             {Field(7, " 470000"), Field(9, " 4.939e+3  "), Label(9, kSeries)}},
            {"both, gain mode", {{6, "0"}, {7, ""}}, kCheckSet,
             {Field(6, " 100000"), Field(7, " 470000"), Field(8, " 25.27     ")}},
            {"substitution stays under the wanted gain message", {{6, ""}, {8, "0"}}, kCheckClear,
             {Field(6, " 100000"), Message(kWantedHelp)}},
        },
        false);
}

TEST(RcStageCalculate, HelpMessages) {
    RunCases({
            {"rp zero", {{1, "0"}}, kCheckClear, {Message(kPlateHelp)}},
            {"rp empty, table empty too", {{1, ""}, {2, ""}, {3, ""}, {4, ""}, {5, ""}}, kCheckClear,
             {Message(kPlateHelp)}},
            {"rp a word", {{1, "abc"}}, kCheckSet, {Message(kPlateHelp)}},
            {"Rb zero", {{2, "0"}}, kCheckClear, {Message(kTableHelp)}},
            {"Rcf empty", {{3, ""}}, kCheckSet, {Message(kTableHelp)}},
            {"Rk zero: no substitution", {{4, "0"}, {6, ""}, {7, "0"}}, kCheckClear,
             {Message(kTableHelp)}},
            {"AvRC zero", {{5, "0"}}, kCheckClear, {Message(kTableHelp)}},
            {"wanted gain equal to the table's", {{8, "57"}}, kCheckClear, {Message(kWantedHelp)}},
            {"wanted gain 0", {{8, "0"}}, kCheckClear, {Message(kWantedHelp)}},
            {"wanted gain -5", {{8, "-5"}}, kCheckClear, {Message(kWantedHelp)}},
            {"wanted gain abc", {{8, "abc"}}, kCheckClear, {Message(kWantedHelp)}},
            {"wanted gain above the table's", {{8, "60"}}, kCheckClear, {Message(kWantedHelp)}},
        },
        false);
}

TEST(RcStageCalculate, FaultsWriteNoResult) {
    const std::string tableRange =
        "The table's values ('Plate resistance', the table's resistors and its gain) give a "
        "result beyond the range of numbers the program can work with.  Check them for a "
        "misplaced exponent.";
    const std::string addRange =
        "The resistor to add for the 'Wanted Gain' comes out beyond the range of numbers the "
        "program can work with.  Check the 'Wanted Gain', the 'Cathode Resistor' and the other "
        "values for a misplaced exponent.";
    const std::string tableZero =
        "The table's 'Plate Load Resistor' and 'Following Stage Grid Resistor' add up to zero "
        "(or their parallel resistance comes out as zero), so the stage's load cannot be "
        "calculated.  Check the signs of these two values.";
    const std::string yoursZero =
        "Your 'Plate Load Resistor' and 'Following Stage Grid Resistor' add up to zero (or their "
        "parallel resistance comes out as zero), so your stage's load cannot be calculated.  "
        "Check the signs of these two values.";
    const std::string gainZero =
        "With these values the gain cannot be calculated: (mu + 1) x 'Cathode Resistor' + "
        "'Plate resistance' + the load of your resistors comes out as zero.  Check the signs of "
        "the values.";
    const std::string muMinusOne =
        "With these values the tube's amplification factor (mu) comes out as -1, so no cathode "
        "resistance can be calculated for the 'Wanted Gain'.  Check the 'Plate resistance', the "
        "table's resistors and the table's gain.";
    const std::string needZero =
        "The 'Wanted Gain' needs a total cathode resistance of zero, so no resistor in parallel "
        "with the 'Cathode Resistor' can give it.  Short the cathode resistor with a bypass "
        "capacitor instead, or ask for a lower gain.";
    const std::string reciprocals =
        "The cathode resistance that the 'Wanted Gain' needs is so close to the 'Cathode "
        "Resistor' that the resistor to add in parallel cannot be calculated.";
    // rp 1 and Rb = Rcf = 2 give Rac = 1 exactly, so mu = 2 x AvRC.
    RunCases({
            {"Rcf + Rb = 0", {{2, "100"}, {3, "-100"}}, kCheckClear, {Message(tableZero)}},
            {"Rb x Rcf underflows: Rac = 0", {{2, "1e-200"}, {3, "1e-200"}}, kCheckClear,
             {Message(tableZero)}},
            {"RbY + RcfY = 0", {{6, "100"}, {7, "-100"}}, kCheckSet, {Message(yoursZero)}},
            {"gain-mode denominator zero (mu 1, Rk -1, RacY 1)",
             {{1, "1"}, {2, "2"}, {3, "2"}, {4, "-1"}, {5, ".5"}, {6, "2"}, {7, "2"}}, kCheckSet,
             {Message(gainZero)}},
            {"mu = -1, substitutions stay",
             {{1, "-3"}, {2, "2"}, {3, "2"}, {4, "1"}, {5, ".5"}, {6, ""}, {7, ""}, {8, ".25"}},
             kCheckClear, {Field(6, " 2"), Field(7, " 2"), Message(muMinusOne)}},
            {"parallel with RkNeed = 0 (mu 6, RacY .5, wanted 2)",
             {{1, "1"}, {2, "2"}, {3, "2"}, {4, "5"}, {5, "3"}, {6, "1"}, {7, "1"}, {8, "2"}},
             kCheckClear, {Message(needZero)}},
            {"parallel with 1/RkNeed equal to 1/Rk (RkNeed 1.9375, one step below Rk)",
             {{1, "1"}, {2, "2"}, {3, "2"}, {4, "1.9375000000000002"}, {5, "31.5"}, {6, "2"},
              {7, "2"}, {8, ".5"}},
             kCheckClear, {Message(reciprocals)}},
            {"overflow of Rb x Rcf", {{2, "1e200"}, {3, "1e200"}}, kCheckClear, {Message(tableRange)}},
            // RkNeed is about 4.9e307 with RacY 5e7 and a wanted gain of 1e-300.
            {"overflow in RkNeed - Rk",
             {{4, "-1.7e308"}, {6, "1e8"}, {7, "1e8"}, {8, "1e-300"}}, kCheckClear,
             {Message(addRange)}},
            {"rp too large for a double", {{1, "1e999"}}, kCheckClear,
             {Message("The value of 'Plate resistance (Tube Data)' is too large a number to "
                      "calculate with.")}},
            {"RcfY too large for a double", {{7, "-1e999"}}, kCheckSet,
             {Message("The value of 'Following Stage Grid Resistor (Your Value)' is too large a "
                      "number to calculate with.")}},
            {"wanted gain too large for a double", {{8, "1e999"}}, kCheckClear,
             {Message("The value of 'Wanted Gain' is too large a number to calculate with.")}},
        },
        true);
}

TEST(RcModeSwitch, SetBoxEmptiesYourRowsAndDisablesField9) {
    const RcModeView set = RcModeSwitch(kCheckSet);
    EXPECT_FALSE(set.label5.has_value());
    EXPECT_EQ(set.label6, "");
    EXPECT_EQ(set.unit6, "");
    EXPECT_EQ(set.label7, "");
    EXPECT_EQ(set.unit7, "");
    EXPECT_EQ(set.label8, "Gain with no bypass capacitor");
    EXPECT_EQ(set.label9, "");
    EXPECT_EQ(set.unit9, "");
    EXPECT_FALSE(set.field9Enabled);
}

TEST(RcModeSwitch, ClearAndGrayedRestoreTheOpeningCaptions) {
    for (int check : {kCheckClear, kCheckGrayed}) {
        SCOPED_TRACE(check);
        const RcModeView clear = RcModeSwitch(check);
        EXPECT_EQ(clear.label5, "Gain From RC Amplifier Table");
        EXPECT_EQ(clear.label6, "Plate Load Resistor (Your Value)");
        EXPECT_EQ(clear.unit6, "Ohms");
        EXPECT_EQ(clear.label7, "Following Stage Grid Resistor (Your Value)");
        EXPECT_EQ(clear.unit7, "Ohms");
        EXPECT_EQ(clear.label8, "Wanted Gain");
        EXPECT_EQ(clear.label9, "Add to Rk");
        EXPECT_EQ(clear.unit9, "Ohms");
        EXPECT_TRUE(clear.field9Enabled);
        // The clear state is what the panel shows after opening.
        const auto& labels = RcStageLabels();
        const auto& units = RcStageUnits();
        EXPECT_EQ(clear.label5, labels[5]);
        EXPECT_EQ(clear.label6, labels[6]);
        EXPECT_EQ(clear.label7, labels[7]);
        EXPECT_EQ(clear.label8, labels[8]);
        EXPECT_EQ(clear.label9, labels[9]);
        EXPECT_EQ(clear.unit6, units[6]);
        EXPECT_EQ(clear.unit7, units[7]);
        EXPECT_EQ(clear.unit9, units[9]);
    }
}

TEST(RcStage, OpeningCaptionsAndUnits) {
    const std::array<std::string, 10> labels = {
        "Tube Number (reference only)",
        "Plate resistance (Tube Data)",
        "Plate Load Resistor (RC Amp Data)",
        "Following Stage Grid Resistor (RC Amp Data)",
        "Cathode Resistor (RC Amp Data)",
        "Gain From RC Amplifier Table",
        "Plate Load Resistor (Your Value)",
        "Following Stage Grid Resistor (Your Value)",
        "Wanted Gain",
        "Add to Rk",
    };
    const std::array<std::string, 10> units = {"",     "Ohms", "Ohms", "Ohms", "Ohms",
                                               "",     "Ohms", "Ohms", "",     "Ohms"};
    EXPECT_EQ(RcStageLabels(), labels);
    EXPECT_EQ(RcStageUnits(), units);
}

}  // namespace
}  // namespace korvane
