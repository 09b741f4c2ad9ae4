// The global feedback calculation: both modes, the maximum-feedback
// message, the grid current question and AB2, the help messages and their
// order, the faults, and NudgeUp.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "effects_text.h"
#include "feedback/feedback_calc.h"

namespace korvane {
namespace {

using testing::Field;
using testing::Focus;
using testing::Message;
using Lines = std::vector<std::string>;

const std::string kGainHelp =
    "The 'Gain of Driver/Inverter' is the product\r\nof the gains of all stages between the "
    "point\r\nto which feedback is returned and one of the\r\npower output tube grids.";
const std::string kTubeHelp =
    "The 'Power Output', 'AC Grid Driving Voltage', and\r\n'DC Grid Bias Voltage', values can "
    "all be found\r\nin the 'Typical Operation' data in the tube\r\nmanual entry for the tube "
    "you are using.";
const std::string kLoadHelp =
    "The 'Speaker Impedance' or output impedance\r\nof the amplifier must be given.";
const std::string kFactorHelp =
    "The feedback factor, B, must be between 0 and 1.\r\nIt is given by B = R2 / (R1 + R2) "
    "where R1\r\nis the series feedback resistor from the output\r\ntransformer secondary to the "
    "cathode or grid of\r\nthe tube receiving the fed back signal.  R2 is\r\nthe resistor from "
    "cathode or grid to ground.";
const std::string kQuestion =
    "You have entered values that will cause grid current\r\nto flow over part of the input "
    "cycle.  If you are operating\r\nthe output stage in class A2, AB2, or B2 this is "
    "alright.\r\n\r\nDo you wish to continue in A2 or AB2 operation?";
const std::string kExplanation =
    "Perhaps you are confused about the meanings of the various grid voltage settings.  RMS "
    "grid voltage is the Root Mean Square voltage at the grid of one of the power output "
    "tubes.  This value must not exceed 0.707 times the DC Bias voltage.  The peak grid voltage "
    "is the peak voltage applied to the grid of one of the output tubes.  This value must not "
    "exceed the DC Bias voltage.  The Peak Grid-to-Grid voltage is the peak voltage between the "
    "grids of the two output tubes.  This value must not exceed twice the DC Bias voltage.";
const std::string kDriveRange =
    "The 'AC Grid Driving Voltage' and the 'DC Grid Bias Voltage (Check)' give a result beyond "
    "the range of numbers the program can work with.  Check them for a misplaced exponent.";
const std::string kFeedbackRange =
    "With this amount of feedback the results come out beyond the range of numbers the "
    "program can work with.  Check the 'dB of Feedback' or the 'Feedback Factor' and the "
    "'Gain of Driver/Inverter' for a misplaced exponent.";
const std::string kOpenLoopZero =
    "With these values the open-loop gain comes out as zero, so the feedback cannot be "
    "calculated.  Check the 'Power Output', the 'Speaker Impedance', the 'AC Grid Driving "
    "Voltage' and the 'Gain of Driver/Inverter'.";

enum Drive { kRms, kPeak, kGridToGrid };
enum Mode { kDb, kFactor };

// The panel's default inputs with some fields changed.
FeedbackInput Inputs(const std::map<int, std::string>& changes, Mode mode = kDb,
                     Drive drive = kPeak, bool ab2 = false) {
    FeedbackInput in{{"6 L6", "26.5", "8", "22.5", "22.5", "25", "", "20", "", ""}};
    for (const auto& [index, text] : changes) in.fields[static_cast<std::size_t>(index)] = text;
    in.option1 = mode == kDb;
    in.option4 = drive == kPeak;
    in.option5 = drive == kGridToGrid;
    in.ab2 = ab2;
    return in;
}

// Records the questions asked and gives one answer.
struct Asker {
    bool answer = false;
    std::vector<std::string> asked;
    AskYesNo callback() {
        return [this](const std::string& q) {
            asked.push_back(q);
            return answer;
        };
    }
};

struct Case {
    const char* name;
    std::map<int, std::string> changes;
    Mode mode;
    Drive drive;
    Lines effects;
};

// Cases without grid current: no question may be asked and AB2 stays False.
void RunCases(const std::vector<Case>& cases, bool fault) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Asker asker;
        const FeedbackOutcome out = FeedbackCalculate(Inputs(c.changes, c.mode, c.drive), asker.callback());
        EXPECT_EQ(testing::EffectLines(out), c.effects);
        EXPECT_EQ(out.fault, fault);
        EXPECT_TRUE(asker.asked.empty());
        EXPECT_FALSE(out.ab2);
    }
}

const Lines kDefaultResults = {Field(6, " 393.4e-3  "), Field(8, " 636.4e-3  "),
                               Field(9, " 6.364     ")};

TEST(FeedbackCalculate, Results) {
    RunCases({
            {"defaults", {}, kDb, kPeak, kDefaultResults},
            {"45 V peak grid-to-grid is 22.5 V peak per grid", {{3, "45"}}, kDb, kGridToGrid,
             kDefaultResults},
            {"F = -20 counts as 20, field 7 kept", {{7, "-20"}}, kDb, kPeak, kDefaultResults},
            {"F = 0", {{7, "0"}}, kDb, kPeak,
             {Field(6, " 0.000     "), Field(8, " 636.4e-3  "), Field(9, " 636.4e-3  ")}},
            {"factor 0.1", {{6, "0.1"}}, kFactor, kPeak,
             {Field(7, " 10.3"), Field(8, " 636.4e-3  "), Field(9, " 2.092     ")}},
            {"factor 0.001: no zero before the point", {{6, "0.001"}}, kFactor, kPeak,
             {Field(7, " .2"), Field(8, " 636.4e-3  "), Field(9, " 651.0e-3  ")}},
            // 20 log10(1 + A) with A = 22.88 is 27.56; closed loop Vout (A + 1) / A.
            {"dB mode with B exactly 1 accepted", {{1, "100"}, {2, "1"}, {3, "10"}, {4, "100"}, {5, "9"}},
             kDb, kRms, {Field(6, " 1.000     "), Field(8, " 1.111     "), Field(9, " 11.11     ")}},
            {"factor 1 accepted", {{6, "1"}}, kFactor, kPeak,
             {Field(7, " 27.6"), Field(8, " 636.4e-3  "), Field(9, " 15.20     ")}},
        },
        false);
}

TEST(FeedbackCalculate, MessagesLeaveTheFields) {
    const auto maxFeedback = [](const std::string& gain) {
        return Message("For the given driver/inverter gain the maximum amount of feedback you "
                       "can have is  27.6 dB.  For the amount of feedback the minimum "
                       "driver/inverter gain is " + gain + ".");
    };
    RunCases({
            {"F = 30: nudged minimum gain", {{7, "30"}}, kDb, kPeak,
             {maxFeedback(" 33.47"), Focus(5)}},
            {"F = 40: gain above 100 not nudged", {{7, "40"}}, kDb, kPeak,
             {maxFeedback(" 108.2     "), Focus(5)}},
            // Vout 10, Ao 1, A = Ad: with Ad 8.99 no divider gives the 20 dB that B = 1 with
            // Ad 9 just gives.
            {"B just above 1", {{1, "100"}, {2, "1"}, {3, "10"}, {4, "100"}, {5, "8.99"}}, kDb, kRms,
             {Message("For the given driver/inverter gain the maximum amount of feedback you can "
                      "have is  20 dB.  For the amount of feedback the minimum driver/inverter "
                      "gain is  9.001."),
              Focus(5)}},
            {"B = 0", {{6, "0"}}, kFactor, kPeak, {Message(kFactorHelp)}},
            {"B = 1.01", {{6, "1.01"}}, kFactor, kPeak, {Message(kFactorHelp)}},
            {"B empty", {{6, ""}}, kFactor, kPeak, {Message(kFactorHelp)}},
            {"B negative", {{6, "-0.1"}}, kFactor, kPeak, {Message(kFactorHelp)}},
            {"Ad = 0 and P = 0: gain message only", {{5, "0"}, {1, "0"}}, kDb, kPeak,
             {Message(kGainHelp)}},
            {"P = 0", {{1, "0"}}, kDb, kPeak, {Message(kTubeHelp)}},
            {"Vg empty", {{3, ""}}, kFactor, kPeak, {Message(kTubeHelp)}},
            {"Vb a word", {{4, "abc"}}, kDb, kPeak, {Message(kTubeHelp)}},
            {"Z = 0 and P = 0: tube data first", {{2, "0"}, {1, "0"}}, kDb, kPeak,
             {Message(kTubeHelp)}},
            {"Z = 0", {{2, "0"}}, kDb, kPeak, {Message(kLoadHelp)}},
        },
        false);
}

TEST(FeedbackCalculate, Faults) {
    RunCases({
            {"Z x P negative", {{2, "-8"}}, kDb, kPeak,
             {Message("The 'Power Output' times the 'Speaker Impedance' is negative, so the "
                      "output voltage (the square root of their product) cannot be calculated.  "
                      "Check the signs of these two values.")}},
            // Z 1, P 100, RMS drive 10: Vout 10, Ao 1, so A = Ad.
            {"B x A + 1 negative", {{1, "100"}, {2, "1"}, {3, "10"}, {4, "100"}, {5, "-25"}, {6, ".1"}},
             kFactor, kRms,
             {Message("With these values B times the open-loop gain plus 1 is not positive (the "
                      "open-loop gain is negative), so the dB of feedback cannot be calculated.  "
                      "Check the signs of the 'Gain of Driver/Inverter', the 'Power Output' and "
                      "the 'Speaker Impedance'.")}},
            {"B x A + 1 zero", {{1, "100"}, {2, "1"}, {3, "10"}, {4, "100"}, {5, "-10"}, {6, ".1"}},
             kFactor, kRms,
             {Message("With these values B times the open-loop gain plus 1 is not positive (the "
                      "open-loop gain is negative), so the dB of feedback cannot be calculated.  "
                      "Check the signs of the 'Gain of Driver/Inverter', the 'Power Output' and "
                      "the 'Speaker Impedance'.")}},
            {"F = 7000 dB overflows", {{7, "7000"}}, kDb, kPeak,
             {Message("The 'dB of Feedback' is too large to calculate with (more than about "
                      "6165 dB).")}},
            {"Z x P underflows: open-loop gain zero", {{1, "1e-200"}, {2, "1e-200"}}, kDb, kPeak,
             {Message(kOpenLoopZero)}},
            {"Z x P underflows, factor mode", {{1, "1e-200"}, {2, "1e-200"}, {6, ".5"}}, kFactor,
             kPeak,
             {Message(kOpenLoopZero)}},
            {"open-loop gain underflows through the drive and the driver gain",
             {{3, "1e300"}, {4, "1e300"}, {5, "1e-30"}}, kDb, kPeak, {Message(kOpenLoopZero)}},
            {"grid drive underflows to zero", {{3, "5e-324"}}, kDb, kGridToGrid,
             {Message("The 'AC Grid Driving Voltage' is too small to calculate with: the grid "
                      "drive comes out as zero.")}},
            {"overflow of the headroom, before any question", {{3, "1e10"}, {4, "1e-300"}}, kDb,
             kRms, {Message(kDriveRange)}},
            // Vout 1e-150, Ao 6.3e-152, k 1e160: B = 1.6e301 stays finite, Admin 1.6e311 not.
            {"overflow of the minimum gain", {{1, "1e-300"}, {2, "1"}, {5, "1e10"}, {7, "3200"}},
             kDb, kPeak,
             {Message(kFeedbackRange)}},
            {"Ad too large for a double", {{5, "1e999"}}, kDb, kPeak,
             {Message("The value of 'Gain of Driver/Inverter' is too large a number to "
                      "calculate with.")}},
            {"F too large for a double", {{7, "-1e999"}}, kDb, kPeak,
             {Message("The value of 'dB of Feedback' is too large a number to calculate with.")}},
            {"B too large for a double", {{6, "1e999"}}, kFactor, kPeak,
             {Message("The value of 'Feedback Factor' is too large a number to calculate with.")}},
        },
        true);
}

// RMS drive 22.5 V at 22.5 V bias: r = -0.414, grid current.
TEST(FeedbackCalculate, GridCurrentQuestion) {
    const Lines results = {Field(7, " 8.4"), Field(8, " 900.0e-3  "), Field(9, " 2.356     ")};
    struct Row {
        const char* name;
        bool ab2Before;
        bool answer;
        std::size_t questions;
        bool ab2After;
        Lines effects;
    };
    const std::vector<Row> rows = {
        {"asked, Yes", false, true, 1, true, results},
        {"asked, No: explanation first", false, false, 1, false,
         [&] {
             Lines l = {Message(kExplanation)};
             l.insert(l.end(), results.begin(), results.end());
             return l;
         }()},
        {"accepted before: not asked", true, false, 0, true, results},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Asker asker{row.answer, {}};
        const auto out = FeedbackCalculate(Inputs({{6, "0.1"}}, kFactor, kRms, row.ab2Before),
                                           asker.callback());
        ASSERT_EQ(asker.asked.size(), row.questions);
        if (row.questions == 1) {
            EXPECT_EQ(asker.asked[0], kQuestion);
        }
        EXPECT_EQ(out.ab2, row.ab2After);
        EXPECT_EQ(testing::EffectLines(out), row.effects);
        EXPECT_FALSE(out.fault);
    }
}

// Tube manuals print the grid bias as a negative voltage, and designers type
// it so: the grid current check compares the peak drive with the bias's
// magnitude, so -22.5 V asks exactly when +22.5 V does. The bias enters
// nothing else, so the results do not depend on its sign.
TEST(FeedbackCalculate, BiasIsReadAsAMagnitude) {
    // RMS 22.5 V: A = 16.18, B = 9 / A; peak 40 V: A = 12.87; peak 22 V: A = 23.40.
    const Lines rmsResults = {Field(6, " 556.3e-3  "), Field(8, " 900.0e-3  "),
                              Field(9, " 9.000     ")};
    const Lines peak40Results = {Field(6, " 699.3e-3  "), Field(8, " 1.131     "),
                                 Field(9, " 11.31     ")};
    struct Row {
        const char* name;
        std::map<int, std::string> changes;
        Drive drive;
        bool asked;
        Lines effects;
    };
    const std::vector<Row> rows = {
        {"RMS 22.5 V, bias -22.5 V", {{4, "-22.5"}}, kRms, true, rmsResults},
        {"RMS 22.5 V, bias +22.5 V", {{4, "22.5"}}, kRms, true, rmsResults},
        {"peak 40 V, bias -38 V", {{3, "40"}, {4, "-38"}}, kPeak, true, peak40Results},
        {"peak 40 V, bias +38 V", {{3, "40"}, {4, "38"}}, kPeak, true, peak40Results},
        {"defaults with bias -22.5 V: peak equal to the bias", {{4, "-22.5"}}, kPeak, false,
         kDefaultResults},
        {"peak 22 V, bias -22.5 V: below the bias", {{3, "22"}, {4, "-22.5"}}, kPeak, false,
         {Field(6, " 384.6e-3  "), Field(8, " 622.3e-3  "), Field(9, " 6.223     ")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Asker asker{true, {}};
        const auto out = FeedbackCalculate(Inputs(row.changes, kDb, row.drive), asker.callback());
        EXPECT_EQ(asker.asked.size(), row.asked ? 1u : 0u);
        EXPECT_EQ(out.ab2, row.asked);
        EXPECT_EQ(testing::EffectLines(out), row.effects);
        EXPECT_FALSE(out.fault);
    }
}

// With Engineering notation on, values typed with prefixes give the effects
// of their exponent forms; read plainly, the same texts give other effects.
TEST(FeedbackCalculate, EngineeringNotationReadsPrefixes) {
    const struct {
        const char* name;
        std::map<int, std::string> typed, exponentForm;
        Mode mode;
    } rows[] = {
        {"power 100k", {{1, "100k"}}, {{1, "100e3"}}, kDb},
        {"factor 100m, load 8R", {{2, "8R"}, {6, "100m"}}, {{2, "8"}, {6, "100e-3"}}, kFactor},
        {"drive 22R5 RMS, bias -22R5, gain 2k5", {{3, "22R5"}, {4, "-22R5"}, {5, "2k5"}},
         {{3, "22.5"}, {4, "-22.5"}, {5, "2500"}}, kDb},
    };
    auto run = [](const FeedbackInput& in) {
        Asker asker{true, {}};
        const FeedbackOutcome out = FeedbackCalculate(in, asker.callback());
        Lines lines = testing::EffectLines(out);
        lines.push_back(out.ab2 ? "AB2" : "not AB2");
        return lines;
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FeedbackInput engineering = Inputs(row.typed, row.mode);
        engineering.notation = Notation::Engineering;
        const Lines expected = run(Inputs(row.exponentForm, row.mode));
        EXPECT_EQ(run(engineering), expected);
        EXPECT_NE(run(Inputs(row.typed, row.mode)), expected);
    }
}

TEST(FeedbackCalculate, Ab2Transitions) {
    struct Row {
        const char* name;
        FeedbackInput input;
        bool ab2After;
        bool fault;
    };
    const std::vector<Row> rows = {
        {"r = 0 withdraws the acceptance", Inputs({}, kDb, kPeak, true), false, false},
        {"r = 0 with AB2 False changes nothing", Inputs({}, kDb, kPeak, false), false, false},
        {"r above 0.01 keeps it", Inputs({{3, "10"}}, kDb, kPeak, true), true, false},
        {"r below -0.01 keeps it", Inputs({}, kDb, kRms, true), true, false},
        {"stop at the help checks keeps it", Inputs({{5, "0"}}, kDb, kRms, true), true, false},
        // Bias 100 V, peak drive 99.5 / 100.5 / 98 V: r = 0.005, -0.005, 0.02.
        {"r = 0.005 withdraws it", Inputs({{3, "99.5"}, {4, "100"}}, kDb, kPeak, true), false, false},
        {"r = -0.005 withdraws it", Inputs({{3, "100.5"}, {4, "100"}}, kDb, kPeak, true), false, false},
        {"r = -0.005 asks nothing", Inputs({{3, "100.5"}, {4, "100"}}, kDb, kPeak, false), false, false},
        {"r = 0.02 keeps it", Inputs({{3, "98"}, {4, "100"}}, kDb, kPeak, true), true, false},
        {"withdrawn, then the factor message", Inputs({{6, "0"}}, kFactor, kPeak, true), false, false},
        {"withdrawn, then a fault", Inputs({{7, "7000"}}, kDb, kPeak, true), false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Asker asker{true, {}};
        const auto out = FeedbackCalculate(row.input, asker.callback());
        EXPECT_TRUE(asker.asked.empty());
        EXPECT_EQ(out.ab2, row.ab2After);
        EXPECT_EQ(out.fault, row.fault);
    }
}

TEST(FeedbackCalculate, AcceptedThenFaultWritesNothing) {
    Asker asker{true, {}};
    const auto out = FeedbackCalculate(Inputs({{2, "-8"}}, kDb, kRms), asker.callback());
    EXPECT_EQ(asker.asked.size(), 1u);
    EXPECT_TRUE(out.ab2);
    EXPECT_TRUE(out.fault);
    EXPECT_EQ(out.fieldWrites(), 0);
}

TEST(FeedbackCalculate, NoAnswerThenAskedAgain) {
    Asker asker{false, {}};
    const FeedbackInput in = Inputs({}, kDb, kRms);
    const auto first = FeedbackCalculate(in, asker.callback());
    FeedbackInput again = in;
    again.ab2 = first.ab2;
    FeedbackCalculate(again, asker.callback());
    EXPECT_EQ(asker.asked.size(), 2u);
}

TEST(NudgeUp, RaisesTheFourthDigit) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {" 33.46     ", " 33.47"},  {" 4.567     ", " 4.568"},  {" 1.000     ", " 1.001"},
        {" 9.999     ", " 10"},     {" 10.00     ", " 10.01"},  {" 99.99     ", " 100"},
        {" 108.2     ", " 108.2     "},  {" 100.0     ", " 100.0     "},
        {" 999.9e-3  ", " 999.9e-3  "},  {" 0.000     ", " 0.000     "},
        {"-5.000     ", "-5.000     "},  {" 1.235e+3  ", " 1.235e+3  "},
        {" 33.47e-3  ", " 33.47e-3  "},
    };
    for (const auto& [in, expected] : rows) EXPECT_EQ(NudgeUp(in), expected) << "[" << in << "]";
}

TEST(Feedback, CaptionsAndUnits) {
    const std::array<std::string, 10> labels = {
        "Tube Number (reference only)", "Power Output (Tube Manual Data)", "Speaker Impedance",
        "AC Grid Driving Voltage",      "DC Grid Bias Voltage (Check)",   "Gain of Driver/Inverter",
        "Feedback Factor",              "dB of Feedback",                 "Open-Loop Vin",
        "Closed-Loop Vin",
    };
    const std::array<std::string, 10> units = {"",  "Watts", "Ohms",  "Volts", "Volts",
                                               "",  "",      "dB",    "Volts", "Volts"};
    EXPECT_EQ(FeedbackLabels(), labels);
    EXPECT_EQ(FeedbackUnits(), units);
}

}  // namespace
}  // namespace korvane
