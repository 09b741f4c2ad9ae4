#include "tube/tube_library.h"

#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <system_error>

namespace korvane {
namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerText(std::string_view text) {
    std::string out;
    for (const char c : text) out.push_back(Lower(c));
    return out;
}

// The fields of one line (no line break in it), or why it cannot be read.
std::string ReadCsvLine(std::string_view line, std::vector<std::string>& fields) {
    std::size_t i = 0;
    const std::size_t n = line.size();
    for (;;) {
        while (i < n && line[i] == ' ') ++i;
        std::string field;
        if (i < n && line[i] == '"') {
            ++i;
            for (;;) {
                if (i >= n) return "A double quote is not closed on this line.";
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.push_back(line[i++]);
            }
            while (i < n && line[i] == ' ') ++i;
            if (i < n && line[i] != ',') {
                return "Field " + std::to_string(fields.size() + 1) +
                       " has text after its closing double quote.";
            }
        } else {
            const std::size_t end = std::min(line.find(',', i), n);
            field = std::string(Trimmed(line.substr(i, end - i)));
            i = end;
        }
        fields.push_back(std::move(field));
        if (i >= n) return {};
        ++i;  // the comma
    }
}

// The columns ReadTubeTable knows.
enum Column { kGroup, kName, kAliases, kMu, kEx, kKg1, kKp, kKvb, kVct, kPaMax, kVaMax, kDefault,
              kSource, kRatingsSource, kColumns };
constexpr const char* kColumnNames[kColumns] = {
    "tube", "name", "aliases", "MU", "EX", "KG1", "KP", "KVB", "VCT",
    "pa_max_w", "va_max_v", "default", "source", "ratings_source"};
constexpr bool kNeeded[kColumns] = {false, true, false, true, true, true, true, true,
                                    false, false, false, false, false, false};

std::optional<double> ReadNumber(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

// Reads the tube of one row; the empty text, or why the row is no tube.
std::string ReadTube(const std::vector<std::string>& fields, const int (&at)[kColumns], Tube& tube) {
    const auto text = [&](Column c) -> std::string {
        return at[c] < 0 ? std::string() : fields[static_cast<std::size_t>(at[c])];
    };
    tube.name = text(kName);
    if (tube.name.empty()) return "The name is empty.";
    tube.group = text(kGroup).empty() ? tube.name : text(kGroup);
    const std::string all = text(kAliases);
    std::size_t start = 0;
    while (start <= all.size()) {
        const std::size_t bar = std::min(all.find('|', start), all.size());
        const std::string_view alias = Trimmed(std::string_view(all).substr(start, bar - start));
        if (!alias.empty()) tube.aliases.emplace_back(alias);
        start = bar + 1;
    }

    // Each number: empty allowed (optional columns), above 0 or 0 and above.
    enum Rule { kAbove0, kAtLeast0, kAny };
    const auto number = [&](Column c, Rule rule, bool optional,
                            std::optional<double>& out) -> std::string {
        const std::string field = text(c);
        const char* name = kColumnNames[c];
        if (field.empty()) {
            if (optional) return {};
            return std::string(name) + " is empty.";
        }
        const std::optional<double> value = ReadNumber(field);
        if (!value) return std::string(name) + " must be a number: it is \"" + field + "\".";
        const std::string tail = ": it is " + field + ".";
        if (rule == kAbove0 && !(*value > 0)) return std::string(name) + " must be above 0" + tail;
        if (rule == kAtLeast0 && !(*value >= 0)) return std::string(name) + " must be 0 or above" + tail;
        out = value;
        return {};
    };
    std::optional<double> mu, ex, kg1, kp, kvb, vct;
    const struct {
        Column column;
        Rule rule;
        bool optional;
        std::optional<double>& out;
    } numbers[] = {{kMu, kAbove0, false, mu},
                   {kEx, kAbove0, false, ex},
                   {kKg1, kAbove0, false, kg1},
                   {kKp, kAbove0, false, kp},
                   {kKvb, kAtLeast0, false, kvb},
                   {kVct, kAny, true, vct},
                   {kPaMax, kAbove0, true, tube.limits.plateDissipation},
                   {kVaMax, kAbove0, true, tube.limits.plateVoltage}};
    for (const auto& n : numbers) {
        std::string why = number(n.column, n.rule, n.optional, n.out);
        if (!why.empty()) return why;
    }
    tube.model = {*mu, *ex, *kg1, *kp, *kvb, vct.value_or(0.0)};

    const std::string flag = text(kDefault);
    if (flag != "" && flag != "0" && flag != "1") {
        return "default must be 0, 1 or empty: it is \"" + flag + "\".";
    }
    tube.isDefault = flag == "1";
    tube.source = text(kSource);
    tube.ratingsSource = text(kRatingsSource);
    return {};
}

// A text as a CSV field: quoted when reading it back would change it.
std::string Field(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    const bool quote = text.find_first_of(",\"") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return text;
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    return out + "\"";
}

std::string NumberField(double value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::string Squeezed(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ' && c != '-') out.push_back(Lower(c));
    }
    return out;
}

}  // namespace

CsvText ReadCsv(std::string_view text) {
    CsvText out;
    int line = 0;
    // A spreadsheet may begin its file with the UTF-8 byte order mark.
    std::size_t pos = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (pos < text.size()) {
        ++line;
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string_view body = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
        if (Trimmed(body).empty()) continue;
        CsvRow row{line, {}};
        std::string why = ReadCsvLine(body, row.fields);
        if (why.empty()) {
            out.rows.push_back(std::move(row));
        } else {
            out.problems.push_back({line, std::move(why)});
        }
    }
    return out;
}

TubeTable ReadTubeTable(std::string_view text) {
    TubeTable out;
    CsvText csv = ReadCsv(text);
    out.problems = std::move(csv.problems);
    if (csv.rows.empty()) return out;

    const CsvRow& header = csv.rows.front();
    int at[kColumns];
    for (int c = 0; c < kColumns; ++c) {
        at[c] = -1;
        const std::string wanted = LowerText(kColumnNames[c]);
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            if (LowerText(header.fields[i]) == wanted) {
                at[c] = static_cast<int>(i);
                break;
            }
        }
        if (kNeeded[c] && at[c] < 0) {
            out.problems.push_back({header.line, std::string("The first line names no column \"") +
                                                     kColumnNames[c] + "\": no tube can be read."});
            return out;
        }
    }

    std::map<std::string, int> lineOfName;
    for (std::size_t r = 1; r < csv.rows.size(); ++r) {
        const CsvRow& row = csv.rows[r];
        if (row.fields.size() != header.fields.size()) {
            out.problems.push_back({row.line, "The line has " + std::to_string(row.fields.size()) +
                                                  " fields, where the first line names " +
                                                  std::to_string(header.fields.size()) + "."});
            continue;
        }
        Tube tube;
        std::string why = ReadTube(row.fields, at, tube);
        if (why.empty()) {
            const auto [seen, added] = lineOfName.emplace(tube.name, row.line);
            if (!added) {
                why = "The name \"" + tube.name + "\" is already on line " +
                      std::to_string(seen->second) + ".";
            }
        }
        if (why.empty()) {
            out.tubes.push_back(std::move(tube));
        } else {
            out.problems.push_back({row.line, std::move(why)});
        }
    }
    return out;
}

std::string WriteTubeTable(const std::vector<Tube>& tubes) {
    std::string out;
    for (int c = 0; c < kColumns; ++c) {
        if (c > 0) out += ',';
        out += kColumnNames[c];
    }
    out += "\r\n";
    for (const Tube& t : tubes) {
        std::string aliases;
        for (const std::string& a : t.aliases) {
            if (!aliases.empty()) aliases += '|';
            aliases += a;
        }
        const auto limit = [](const std::optional<double>& v) {
            return v ? NumberField(*v) : std::string();
        };
        const std::string cells[kColumns] = {
            Field(t.group), Field(t.name), Field(aliases),
            NumberField(t.model.mu), NumberField(t.model.ex), NumberField(t.model.kg1),
            NumberField(t.model.kp), NumberField(t.model.kvb), NumberField(t.model.vct),
            limit(t.limits.plateDissipation), limit(t.limits.plateVoltage),
            t.isDefault ? "1" : "0", Field(t.source), Field(t.ratingsSource)};
        for (int c = 0; c < kColumns; ++c) {
            if (c > 0) out += ',';
            out += cells[c];
        }
        out += "\r\n";
    }
    return out;
}

std::vector<std::size_t> FilterTubes(const std::vector<Tube>& tubes, std::string_view typed) {
    const std::string wanted = Squeezed(typed);
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < tubes.size(); ++i) {
        const Tube& t = tubes[i];
        bool found = Squeezed(t.name).find(wanted) != std::string::npos ||
                     Squeezed(t.group).find(wanted) != std::string::npos;
        for (const std::string& alias : t.aliases) {
            found = found || Squeezed(alias).find(wanted) != std::string::npos;
        }
        if (found) out.push_back(i);
    }
    return out;
}

const std::vector<Tube>& BuiltInTubes() {
    static const std::vector<Tube> tubes = ReadTubeTable(BuiltInTubeText()).tubes;
    return tubes;
}

}  // namespace korvane
