#include "design/design_sheet.h"

#include <array>
#include <utility>

#include "feedback/feedback_calc.h"
#include "feedback/feedback_file.h"
#include "calc/outcome.h"
#include "network/network_search.h"
#include "network/series.h"
#include "network/xfmr_file.h"
#include "rcstage/gain_file.h"
#include "rcstage/rc_calc.h"

namespace korvane {
namespace {

// The captions of the panels' check boxes and options.
constexpr const char* kCheck1Caption = "Tell me the gain with no bypass capacitor.";
constexpr const char* kCheck2Caption = "Use Feedback Factor from Global Feedback.";
constexpr const char* kModeCaption = "Feedback Factor or dB";
constexpr const char* kDriveCaption = "Grid Drive Voltage";

constexpr const char* kNotLoaded = "Not calculated: the saved inputs are not right.";

const char* YesNo(bool yes) { return yes ? "Yes" : "No"; }

std::string NotCalculated(const std::string& message, bool fault) {
    return (fault ? "Cannot be calculated: " : "Not calculated: ") + FirstSentence(message);
}

// The fields' texts as loaded; those the file did not hold stay empty.
std::array<std::string, 10> Fields(const std::vector<std::string>& loaded) {
    std::array<std::string, 10> fields;
    for (std::size_t i = 0; i < fields.size() && i < loaded.size(); ++i) fields[i] = loaded[i];
    return fields;
}

SheetSection RcStageSection(const std::string& bytes, Notation notation) {
    SheetSection section;
    section.title = "RC Stage Gain";
    const GainFileLoad load = LoadGainFile(bytes);
    const auto& labels = RcStageLabels();
    const auto& units = RcStageUnits();
    RcStageInput input;
    input.fields = Fields(load.fields);
    input.check = load.check.value_or(kCheckClear);
    input.notation = notation;
    const bool gainMode = input.check == kCheckSet;

    // Rows 6 and 7 are read in both modes; row 8 is an input only when the
    // wanted gain is asked for, and row 9 is always a result.
    for (std::size_t i = 0; i < (gainMode ? 8u : 9u); ++i) {
        section.inputs.push_back({labels[i], input.fields[i], units[i]});
    }
    section.inputs.push_back({kCheck1Caption, YesNo(gainMode), ""});
    if (!load.ok) {
        section.notCalculated = kNotLoaded;
        return section;
    }

    const Outcome out = RcStageCalculate(input);
    const std::vector<std::string> messages = out.messages();
    if (!messages.empty()) {
        section.notCalculated = NotCalculated(messages.back(), out.fault);
        return section;
    }
    const RcModeView mode = RcModeSwitch(input.check);
    for (const Effect& e : out.effects) {
        if (e.kind != Effect::Kind::SetField) continue;
        const auto i = static_cast<std::size_t>(e.index);
        std::string caption = labels[i];
        if (i == 8) caption = mode.label8;
        if (i == 9) caption = out.label(9).value_or(labels[9]);
        section.results.push_back({caption, e.text, units[i]});
    }
    return section;
}

SheetSection FeedbackSection(const std::string& bytes, Notation notation) {
    SheetSection section;
    section.title = "Global Feedback";
    const FeedbackFileLoad load = LoadFeedbackFile(bytes);
    const auto& labels = FeedbackLabels();
    const auto& units = FeedbackUnits();
    // The states the panel is built with, then those the file sets.
    const std::array<bool, 5> options =
        ApplyOptionsRead({true, false, false, true, false}, load.options);
    FeedbackInput input;
    input.fields = Fields(load.fields);
    input.option1 = options[0];
    input.option4 = options[3];
    input.option5 = options[4];
    input.ab2 = load.ab2.value_or(false);
    input.notation = notation;

    for (std::size_t i = 0; i <= 5; ++i) {
        section.inputs.push_back({labels[i], input.fields[i], units[i]});
    }
    // The factor is given in factor mode, the dB in dB mode; the other is
    // the result.
    const std::size_t given = input.option1 ? 7 : 6;
    section.inputs.push_back({labels[given], input.fields[given], units[given]});
    section.inputs.push_back({kModeCaption, input.option1 ? "dB of Feedback" : "Feedback Factor", ""});
    const char* drive = input.option5   ? "Peak Grid-to-Grid Voltage"
                        : input.option4 ? "Peak Grid Voltage"
                                        : "RMS Grid Voltage";
    section.inputs.push_back({kDriveCaption, drive, ""});
    if (!load.ok) {
        section.notCalculated = kNotLoaded;
        return section;
    }

    // Nothing is asked: the grid-current question gets the answer the saved
    // flag gives (it is asked only when the flag is False, so: No).
    bool asked = false;
    const FeedbackOutcome out = FeedbackCalculate(input, [&](const std::string&) {
        asked = true;
        return input.ab2;
    });
    if (out.fault || out.fieldWrites() == 0) {
        const std::vector<std::string> messages = out.messages();
        section.notCalculated =
            messages.empty() ? std::string(kNotLoaded) : NotCalculated(messages.back(), out.fault);
        return section;
    }
    for (const Effect& e : out.effects) {
        if (e.kind != Effect::Kind::SetField) continue;
        const auto i = static_cast<std::size_t>(e.index);
        section.results.push_back({labels[i], e.text, units[i]});
    }
    std::string gridCurrent = "Operation with grid current (class A2 or AB2): ";
    gridCurrent += input.ab2 ? "accepted, as saved." : "not accepted, as saved.";
    if (asked) gridCurrent += " These values drive the grids into grid current.";
    section.notes.push_back(gridCurrent);
    return section;
}

// What the network's Calculate shows: the one place that reads its
// outcome.
void AddNetworkResults(const NetworkOutcome& out, Tolerance tolerance, SheetSection& section) {
    const std::vector<std::string> messages = out.messages();
    if (!messages.empty()) {
        section.notCalculated = NotCalculated(messages.front(), out.fault);
        return;
    }
    if (const auto factor = out.field(0)) {
        section.results.push_back({"Feedback Factor (from Global Feedback)", *factor, ""});
    }
    section.listHeading = NetworkHeading(tolerance);
    section.listLines = out.listLines();
}

SheetSection NetworkSection(const std::string& bytes, const std::string& feedbackBytes,
                            Notation notation) {
    SheetSection section;
    section.title = "Feedback Network";
    const XfmrFileLoad load = LoadXfmrFile(bytes);
    const std::array<std::string, 10> fields = Fields(load.fields);
    const int check2 = load.check2.value_or(0);
    section.inputs = {
        {"Feedback Factor", fields[0], ""},
        {"Minimum Total Resistance", fields[1], "Ohms"},
        {"Maximum Total Resistance", fields[2], "Ohms"},
        {kCheck2Caption, YesNo(check2 == 1), ""},
        {"Resistor series", SeriesName(load.series), ""},
        {"Tolerance", ToleranceLabel(load.tolerance), ""},
    };
    if (!load.ok) {
        section.notCalculated = kNotLoaded;
        return section;
    }

    NetworkInput input;
    input.txtAr = fields[0];
    input.txtRtMin = fields[1];
    input.txtRtMax = fields[2];
    input.check2 = check2;
    input.series = load.series;
    input.tolerance = load.tolerance;
    input.feedbackFile = feedbackBytes;
    input.feedbackFileName = kFeedbackFileName;
    input.notation = notation;
    AddNetworkResults(NetworkCalculate(input), load.tolerance, section);
    return section;
}

}  // namespace

std::string FirstSentence(const std::string& message) {
    // Line breaks and runs of blanks become one space.
    std::string line;
    for (const char c : message) {
        const bool blank = c == ' ' || c == '\r' || c == '\n' || c == '\t';
        if (!blank) {
            line += c;
        } else if (!line.empty() && line.back() != ' ') {
            line += ' ';
        }
    }
    const std::size_t stop = line.find(". ");
    if (stop != std::string::npos) line.erase(stop + 1);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

DesignSheet MakeDesignSheet(const DesignFiles& files, std::string name, std::string date,
                            std::string version, Notation notation) {
    DesignSheet sheet;
    sheet.title = {std::move(name), std::move(date), "Korvane " + version};
    sheet.rcStage = RcStageSection(files.gain, notation);
    sheet.feedback = FeedbackSection(files.feedback, notation);
    sheet.network = NetworkSection(files.xfmr, files.feedback, notation);
    return sheet;
}

}  // namespace korvane
