#include "tube/load_line.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "format/roundoff.h"
#include "io/numeric.h"

namespace korvane {
namespace {

constexpr std::array<RowText, kLoadLineInputs> kInputRows = {{
    {"Supply Voltage (B+)", "V"},
    {"Plate Load Resistor", "Ohms"},
    {"Cathode Resistor", "Ohms"},
    {"Following Stage Grid Resistor", "Ohms"},
}};

constexpr std::array<RowText, kLoadLineResults> kResultRows = {{
    {"Plate Voltage", "V"},
    {"Plate Current", "A"},
    {"Grid Bias", "V"},
    {"Plate Resistance", "Ohms"},
    {"Transconductance", "A/V"},
    {"Amplification Factor", ""},
    {"Gain (Rk bypassed)", "V/V"},
    {"Gain (Rk unbypassed)", "V/V"},
    {"Output Swing", "V peak"},
    {"Second Harmonic", "%"},
    {"Plate Dissipation", "W"},
}};

enum EditorField { kName, kAliases, kMu, kEx, kKg1, kKp, kKvb, kVct, kPaMax, kVaMax, kSource };

constexpr std::array<RowText, kTubeEditorFields> kEditorRows = {{
    {"Name", ""},
    {"Aliases", ""},
    {"MU", ""},
    {"EX", ""},
    {"KG1", "V^EX/A"},
    {"KP", ""},
    {"KVB", "V^2"},
    {"VCT", "V"},
    {"Max Plate Dissipation", "W"},
    {"Max Plate Voltage", "V"},
    {"Source", ""},
}};

std::string Squeezed(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == ' ' || c == '-') continue;
        out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return out;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The value of a field that must hold one number and nothing else; the
// empty text gives nothing, `why` says what else is wrong.
std::optional<double> WholeNumber(std::string_view text, Notation notation, const char* name,
                                  std::string& why) {
    const std::string_view t = Trimmed(text);
    if (t.empty()) return std::nullopt;
    double value = 0;
    if (NumericEnd(t) == t.size()) {
        value = NumericValue(t);
    } else if (notation == Notation::Engineering && ReadsWholeAsEngineering(t)) {
        value = EngineeringValue(t);
    } else {
        why = std::string(name) + " must be a number: it is \"" + std::string(t) + "\".";
        return std::nullopt;
    }
    if (!std::isfinite(value)) {
        why = std::string(name) + " must be a finite number: it is \"" + std::string(t) + "\".";
        return std::nullopt;
    }
    return value;
}

}  // namespace

const std::array<RowText, kLoadLineInputs>& LoadLineInputRows() { return kInputRows; }

StageInput LoadLineInput(const std::array<std::string, kLoadLineInputs>& texts, Notation notation) {
    StageInput in;
    in.bias = BiasKind::Cathode;
    in.supply = ReadNumber(texts[0], notation);
    in.plateLoad = ReadNumber(texts[1], notation);
    in.cathode = ReadNumber(texts[2], notation);
    in.followingGrid = ReadNumber(texts[3], notation);
    return in;
}

const std::array<RowText, kLoadLineResults>& LoadLineResultRows() { return kResultRows; }

std::array<std::string, kLoadLineResults> LoadLineResultTexts(const StagePoint& p) {
    const double values[kLoadLineResults] = {p.va,  p.ia,           p.vg,
                                             p.rp,  p.gm,           p.mu,
                                             p.gainBypassed, p.gainUnbypassed, p.swing,
                                             p.secondHarmonic, p.dissipation};
    std::array<std::string, kLoadLineResults> out;
    for (std::size_t i = 0; i < kLoadLineResults; ++i) out[i] = Roundoff(values[i]);
    return out;
}

std::string LoadLineSummary(const std::string& tubeName, const StagePoint& p,
                            const StageChart& chart) {
    std::string out = tubeName + ": operating point " + MessageNumber(p.va, 4) + " V, " +
                      MessageNumber(p.ia * 1000, 4) + " mA, grid " + MessageNumber(p.vg, 4) +
                      " V; gain " + MessageNumber(p.gainBypassed, 4) + " with Rk bypassed, " +
                      MessageNumber(p.gainUnbypassed, 4) + " unbypassed.";
    if (!chart.curves.empty()) {
        out += " Plate curves from " + MessageNumber(chart.curves.front().vg, 4) + " V to " +
               MessageNumber(chart.curves.back().vg, 4) + " V in steps of " +
               MessageNumber(chart.gridStep, 4) + " V, ";
    } else {
        out += " ";
    }
    out += "the DC and AC load lines";
    if (!chart.dissipationLimit) {
        out += ".";
    } else if (chart.dissipationCurve.empty()) {
        out += "; the plate dissipation limit of " + MessageNumber(*chart.dissipationLimit, 4) +
               " W lies above the chart.";
    } else {
        out += ", and the plate dissipation limit of " + MessageNumber(*chart.dissipationLimit, 4) +
               " W.";
    }
    return out;
}

std::string RoundTripText(double value) {
    char buffer[400];
    const double size = std::fabs(value);
    const bool positional = value == 0 || (size >= 1e-4 && size < 1e15);
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value,
                      positional ? std::chars_format::fixed : std::chars_format::scientific);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::array<std::string, 6> RcStageFieldsFor(const std::string& tubeName, const StageInput& in,
                                            const StagePoint& point) {
    std::string number;
    for (const char c : tubeName) {
        if (c == '"') continue;
        number.push_back(c == ',' ? ' ' : c);
    }
    return {number,
            RoundTripText(point.rp),
            RoundTripText(in.plateLoad),
            RoundTripText(in.followingGrid),
            RoundTripText(in.cathode),
            RoundTripText(point.gainBypassed)};
}

std::optional<std::size_t> ChosenTube(const std::vector<Tube>& tubes,
                                      const std::vector<std::size_t>& found,
                                      std::string_view typed) {
    if (found.empty()) return std::nullopt;
    const std::string wanted = Squeezed(typed);
    for (const std::size_t i : found) {
        if (Squeezed(tubes[i].name) == wanted) return i;
    }
    for (const std::size_t i : found) {
        if (tubes[i].isDefault && Squeezed(tubes[i].group) == wanted) return i;
    }
    for (const std::size_t i : found) {
        if (tubes[i].isDefault) return i;
    }
    return found.front();
}

std::string SkippedLinesText(const std::vector<TableProblem>& problems) {
    constexpr std::size_t kMostListed = 20;
    std::string out;
    for (std::size_t i = 0; i < problems.size() && i < kMostListed; ++i) {
        if (i > 0) out += "\r\n";
        out += "Line " + std::to_string(problems[i].line) + ": " + problems[i].why;
    }
    if (problems.size() > kMostListed) {
        const std::size_t more = problems.size() - kMostListed;
        out += "\r\n... and " + std::to_string(more) + (more == 1 ? " more line." : " more lines.");
    }
    return out;
}

const std::array<RowText, kTubeEditorFields>& TubeEditorRows() { return kEditorRows; }

std::array<std::string, kTubeEditorFields> TubeEditorTexts(const Tube& tube) {
    std::string aliases;
    for (const std::string& a : tube.aliases) {
        if (!aliases.empty()) aliases += " | ";
        aliases += a;
    }
    const auto rating = [](const std::optional<double>& v) {
        return v ? RoundTripText(*v) : std::string();
    };
    return {tube.name,
            aliases,
            RoundTripText(tube.model.mu),
            RoundTripText(tube.model.ex),
            RoundTripText(tube.model.kg1),
            RoundTripText(tube.model.kp),
            RoundTripText(tube.model.kvb),
            RoundTripText(tube.model.vct),
            rating(tube.limits.plateDissipation),
            rating(tube.limits.plateVoltage),
            tube.source};
}

EditedTube TubeFromEditorTexts(const std::array<std::string, kTubeEditorFields>& texts,
                               Notation notation, const std::vector<std::string>& taken) {
    EditedTube out;
    Tube& tube = out.tube;
    // Line breaks would end the file's line: they become spaces.
    const auto oneLine = [](std::string_view text) {
        std::string line(Trimmed(text));
        for (char& c : line) {
            if (c == '\r' || c == '\n') c = ' ';
        }
        return line;
    };
    tube.name = oneLine(texts[kName]);
    if (tube.name.empty()) {
        out.error = "The tube needs a name.";
        return out;
    }
    for (const std::string& name : taken) {
        if (name == tube.name) {
            out.error = "The name \"" + tube.name + "\" is already in use.";
            return out;
        }
    }
    tube.group = tube.name;
    const std::string all = oneLine(texts[kAliases]);
    std::size_t start = 0;
    while (start <= all.size()) {
        const std::size_t end = std::min(all.find_first_of("|,", start), all.size());
        const std::string_view alias = Trimmed(std::string_view(all).substr(start, end - start));
        if (!alias.empty()) tube.aliases.emplace_back(alias);
        start = end + 1;
    }

    const struct {
        EditorField field;
        bool needed;
        double* out;
    } numbers[] = {{kMu, true, &tube.model.mu},   {kEx, true, &tube.model.ex},
                   {kKg1, true, &tube.model.kg1}, {kKp, true, &tube.model.kp},
                   {kKvb, true, &tube.model.kvb}, {kVct, false, &tube.model.vct}};
    for (const auto& n : numbers) {
        const char* name = kEditorRows[static_cast<std::size_t>(n.field)].caption;
        const std::optional<double> value = WholeNumber(texts[static_cast<std::size_t>(n.field)], notation, name, out.error);
        if (!out.error.empty()) return out;
        if (!value && n.needed) {
            out.error = std::string(name) + " is empty.";
            return out;
        }
        *n.out = value.value_or(0.0);
    }
    out.error = CheckModel(tube.model);
    if (!out.error.empty()) return out;

    const struct {
        EditorField field;
        std::optional<double>* out;
    } ratings[] = {{kPaMax, &tube.limits.plateDissipation}, {kVaMax, &tube.limits.plateVoltage}};
    for (const auto& r : ratings) {
        const RowText& row = kEditorRows[static_cast<std::size_t>(r.field)];
        const std::optional<double> value = WholeNumber(texts[static_cast<std::size_t>(r.field)], notation, row.caption, out.error);
        if (!out.error.empty()) return out;
        if (value && !(*value > 0)) {
            out.error = std::string(row.caption) + " must be above 0 " + row.unit + ": it is " +
                        MessageNumber(*value) + ".";
            return out;
        }
        *r.out = value;
    }
    tube.source = oneLine(texts[kSource]);
    return out;
}

}  // namespace korvane
