// The help every field carries, checked against what the calculations do:
// a zero brings a message the field's help quotes, the help names the
// field's unit, and the rule of which inputs a result depends on agrees
// with which changed inputs change it.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "calc/field_help.h"
#include "feedback/feedback_calc.h"
#include "feedback/feedback_file.h"
#include "feedback/feedback_help.h"
#include "network/network_help.h"
#include "network/network_search.h"
#include "rcstage/rc_calc.h"
#include "rcstage/rc_help.h"

namespace korvane {
namespace {

using Texts = std::array<std::string, 10>;

const Texts kRcDefaults = {"12AX7", "80000", "100e3", "470e3", "1800",
                           "57",    "100e3", "470e3", "10",    ""};
const Texts kFeedbackDefaults = {"6 L6", "26.5", "8", "22.5", "22.5", "25", "0.1", "20", "", ""};

Outcome Rc(const Texts& fields, int check) { return RcStageCalculate({fields, check}); }

Outcome Feedback(const Texts& fields, bool dbMode) {
    FeedbackInput in;
    in.fields = fields;
    in.option1 = dbMode;
    return FeedbackCalculate(in, [](const std::string&) { return false; });
}

// A Global Feedback inputs file with the defaults and a saved factor.
std::string FeedbackFileWithFactor(const std::string& factor) {
    Texts fields = {"6 L6", "26.5", "8", "22.5", "22.5", "25", factor, "20", "", ""};
    return SaveFeedbackFile(fields, {true, false, false, true, false}, false);
}

NetworkOutcome Network(const std::array<std::string, 3>& fields, int check2) {
    NetworkInput in;
    in.txtAr = fields[0];
    in.txtRtMin = fields[1];
    in.txtRtMax = fields[2];
    in.check2 = check2;
    in.feedbackFile = FeedbackFileWithFactor("393.4e-3");
    in.feedbackFileName = "Korvane_Feedback.dat";
    return NetworkCalculate(in);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// ---- a zero asks for help, and the field's help quotes the answer

TEST(FieldHelp, AZeroBringsAMessageTheFieldsHelpQuotes) {
    struct Case {
        const char* name;
        const FieldHelp& help;
        std::function<std::vector<std::string>()> press;  // messages with the field at 0
    };
    const auto rc = [](int field, int check) {
        return [=] {
            Texts t = kRcDefaults;
            t[static_cast<std::size_t>(field)] = "0";
            return Rc(t, check).messages();
        };
    };
    const auto feedback = [](int field, bool db) {
        return [=] {
            Texts t = kFeedbackDefaults;
            t[static_cast<std::size_t>(field)] = "";
            return Feedback(t, db).messages();
        };
    };
    const auto network = [](int field) {
        return [=] {
            std::array<std::string, 3> t = {"393.4e-3", "550", "1200"};
            t[static_cast<std::size_t>(field)] = "0";
            return Network(t, 0).messages();
        };
    };
    const auto& r = RcStageFieldHelp();
    const auto& f = FeedbackFieldHelp();
    const auto& n = NetworkFieldHelp();
    const Case cases[] = {
        {"rp", r[1], rc(1, kCheckClear)},          {"Rb", r[2], rc(2, kCheckClear)},
        {"Rcf", r[3], rc(3, kCheckSet)},           {"Rk", r[4], rc(4, kCheckClear)},
        {"AvRC", r[5], rc(5, kCheckClear)},        {"wanted gain", r[8], rc(8, kCheckClear)},
        {"power", f[1], feedback(1, true)},        {"impedance", f[2], feedback(2, true)},
        {"drive", f[3], feedback(3, false)},       {"bias", f[4], feedback(4, true)},
        {"driver gain", f[5], feedback(5, true)},  {"factor", f[6], feedback(6, false)},
        {"wanted factor", n[0], network(0)},       {"Rt min", n[1], network(1)},
        {"Rt max", n[2], network(2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> messages = c.press();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(c.help.message.find(messages[0]), std::string::npos) << messages[0];
        EXPECT_EQ(c.help.full(), c.help.brief + "\r\n\r\n" + c.help.message);
    }
}

TEST(FieldHelp, EveryFieldSaysWhatItIsAndItsUnit) {
    struct Panel {
        const char* name;
        std::vector<FieldHelp> help;
        std::vector<std::string> units;
    };
    const Panel panels[] = {
        {"RC stage",
         {RcStageFieldHelp().begin(), RcStageFieldHelp().end()},
         {RcStageUnits().begin(), RcStageUnits().end()}},
        {"global feedback",
         {FeedbackFieldHelp().begin(), FeedbackFieldHelp().end()},
         {FeedbackUnits().begin(), FeedbackUnits().end()}},
        {"feedback network",
         {NetworkFieldHelp().begin(), NetworkFieldHelp().end()},
         {"", "Ohms", "Ohms"}},
    };
    for (const Panel& panel : panels) {
        for (std::size_t i = 0; i < panel.help.size(); ++i) {
            SCOPED_TRACE(std::string(panel.name) + " field " + std::to_string(i));
            const std::string& brief = panel.help[i].brief;
            EXPECT_GE(brief.size(), 30u);
            EXPECT_LE(brief.size(), 260u) << "a line or two for a tool tip";
            EXPECT_EQ(brief.find('\r'), std::string::npos);
            const std::string unit = Lower(panel.units[i]);
            if (!unit.empty() && unit != "db") {
                EXPECT_NE(brief.find(unit), std::string::npos) << brief;
            }
        }
    }
}

// ---- which inputs a result depends on

// Each field other than the results is changed in turn: the results change
// exactly when the rule names that field as an input.
TEST(ResultDependence, TheRuleNamesExactlyTheFieldsThatChangeTheResults) {
    const Texts rcChanged = {"6SN7", "90000", "120e3", "500e3", "2000",
                             "60",   "120e3", "500e3", "12",    "7"};
    const Texts feedbackChanged = {"6SN7", "30", "16", "20", "25", "30", "0.2", "25", "1", "2"};
    struct Case {
        const char* name;
        ResultDependence rule;
        Texts defaults, changed;
        std::function<Outcome(const Texts&)> press;
    };
    const Case cases[] = {
        {"RC wanted gain", RcStageDependence(kCheckClear), kRcDefaults, rcChanged,
         [](const Texts& t) { return Rc(t, kCheckClear); }},
        {"RC gain mode", RcStageDependence(kCheckSet), kRcDefaults, rcChanged,
         [](const Texts& t) { return Rc(t, kCheckSet); }},
        {"feedback dB mode", FeedbackDependence(true), kFeedbackDefaults, feedbackChanged,
         [](const Texts& t) { return Feedback(t, true); }},
        {"feedback factor mode", FeedbackDependence(false), kFeedbackDefaults, feedbackChanged,
         [](const Texts& t) { return Feedback(t, false); }},
    };
    for (const Case& c : cases) {
        const auto results = [&](const Texts& fields) {
            const Outcome out = c.press(fields);
            std::vector<std::string> texts;
            for (int r : c.rule.results) texts.push_back(out.field(r).value_or("(not written)"));
            return texts;
        };
        const std::vector<std::string> before = results(c.defaults);
        for (const std::string& text : before) ASSERT_NE(text, "(not written)") << c.name;
        for (int i = 0; i < 10; ++i) {
            const bool isResult = std::count(c.rule.results.begin(), c.rule.results.end(), i) > 0;
            if (isResult) continue;
            SCOPED_TRACE(std::string(c.name) + ", field " + std::to_string(i));
            Texts fields = c.defaults;
            fields[static_cast<std::size_t>(i)] = c.changed[static_cast<std::size_t>(i)];
            const bool isInput = std::count(c.rule.inputs.begin(), c.rule.inputs.end(), i) > 0;
            EXPECT_EQ(results(fields) != before, isInput);
        }
    }
}

// ---- the note beside Check2

TEST(SavedFactor, SaysWhatCheck2WillTake) {
    const struct {
        const char* name;
        std::optional<std::string> file;
        const char* shown;
        const char* described;  // a part of the description
    } cases[] = {
        {"a result saved", FeedbackFileWithFactor(" 393.4e-3  "), "(saved: 393.4e-3)",
         "takes the feedback factor 393.4e-3 from the saved Global Feedback inputs"},
        {"typed", FeedbackFileWithFactor("0.1"), "(saved: 0.1)", "factor 0.1 from"},
        {"the default file", DefaultFeedbackFile(), "(none saved)", "They hold none yet"},
        {"no file", std::nullopt, "(no saved inputs)", "cannot be read"},
        {"six lines", std::string("6 L6\r\n26.5\r\n8\r\n22.5\r\n22.5\r\n25\r\n"),
         "(no saved inputs)", "too short"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SavedFactorNote note = SavedFactor(c.file);
        EXPECT_EQ(note.shown, c.shown);
        EXPECT_NE(note.description.find(c.described), std::string::npos) << note.description;
    }
}

}  // namespace
}  // namespace korvane
