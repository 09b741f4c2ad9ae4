#include "design/design_file.h"

#include <cstdio>
#include <string>
#include <vector>

#include "feedback/feedback_file.h"
#include "io/cp1252.h"
#include "network/xfmr_file.h"
#include "rcstage/gain_file.h"

namespace korvane {
namespace {

constexpr std::string_view kFirstLine = "Korvane design";
constexpr std::string_view kVersionWord = "version ";
constexpr std::string_view kEndLine = "end";
constexpr std::string_view kUnended = ", the last without a line end";

// The three parts, in the order they stand in a design.
struct Part {
    const char* fileName;
    const char* calculator;  // whose inputs these are, for a message
    bool (*loads)(const std::string& bytes);  // as its panel would load it
};
constexpr Part kParts[] = {
    {kGainFileName, "RC Stage Gain", [](const std::string& b) { return LoadGainFile(b).ok; }},
    {kFeedbackFileName, "Global Feedback",
     [](const std::string& b) { return LoadFeedbackFile(b).ok; }},
    {kXfmrFileName, "Feedback Network", [](const std::string& b) { return LoadXfmrFile(b).ok; }},
};
constexpr std::size_t kPartCount = 3;

// Part p's bytes.
std::string& BytesOf(DesignFiles& files, std::size_t p) {
    return p == 0 ? files.gain : p == 1 ? files.feedback : files.xfmr;
}
const std::string& BytesOf(const DesignFiles& files, std::size_t p) {
    return p == 0 ? files.gain : p == 1 ? files.feedback : files.xfmr;
}

// A byte that is written as "\xNN": the controls, and the five bytes that
// Windows-1252 leaves undefined (they would come out as invisible C1
// controls).
bool WrittenAsHex(unsigned char b) {
    return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

void WriteLine(std::string& out, std::string_view line) {
    for (const char ch : line) {
        const auto b = static_cast<unsigned char>(ch);
        if (ch == '\\') {
            out += "\\\\";
        } else if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\n') {
            out += "\\n";
        } else if (WrittenAsHex(b)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(b));
            out += hex;
        } else {
            AppendUtf8(out, Cp1252Char(ch));
        }
    }
    out += '\n';
}

// A file's lines: its bytes cut at each CR LF. `ended` is false when the
// bytes after the last CR LF are not empty (they are then the last line).
struct FileLines {
    std::vector<std::string_view> lines;
    bool ended = true;
};

FileLines SplitFile(std::string_view bytes) {
    FileLines split;
    std::size_t from = 0;
    while (from < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", from);
        if (end == std::string_view::npos) {
            split.lines.push_back(bytes.substr(from));
            split.ended = false;
            break;
        }
        split.lines.push_back(bytes.substr(from, end - from));
        from = end + 2;
    }
    return split;
}

std::string Heading(const Part& part, const FileLines& split) {
    std::string heading = part.fileName;
    heading += ' ';
    heading += std::to_string(split.lines.size());
    heading += split.lines.size() == 1 ? " line" : " lines";
    if (!split.ended) heading += kUnended;
    return heading;
}

// ------------------------------------------------------------- reading

// The design's lines: its text cut at each LF, a CR before the LF dropped.
// `lastEnded` is false when the text's last line has no LF (a file cut
// short ends so, or one whose last line end an editor took away).
struct DesignLines {
    std::vector<std::string_view> lines;
    bool lastEnded = true;
};

DesignLines SplitDesign(std::string_view text) {
    DesignLines split;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) {
            split.lines.push_back(text.substr(from));
            split.lastEnded = false;
            break;
        }
        std::string_view line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        split.lines.push_back(line);
        from = end + 1;
    }
    return split;
}

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Up to nine digits as a number; nothing for anything else.
std::optional<std::size_t> Count(std::string_view digits) {
    if (!AllDigits(digits) || digits.size() > 9) return std::nullopt;
    std::size_t n = 0;
    for (const char c : digits) n = n * 10 + static_cast<std::size_t>(c - '0');
    return n;
}

struct PartHeading {
    std::size_t lines = 0;
    bool ended = true;
};

// "Korvane_Gain.dat 11 lines" (", the last without a line end" after it
// when so); nothing when the line is not the heading of `part`.
std::optional<PartHeading> ReadHeading(std::string_view line, const Part& part) {
    const std::string_view name = part.fileName;
    if (line.substr(0, name.size()) != name || line.size() <= name.size() || line[name.size()] != ' ') {
        return std::nullopt;
    }
    line.remove_prefix(name.size() + 1);
    PartHeading heading;
    if (line.size() >= kUnended.size() && line.substr(line.size() - kUnended.size()) == kUnended) {
        heading.ended = false;
        line.remove_suffix(kUnended.size());
    }
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return std::nullopt;
    const auto count = Count(line.substr(0, space));
    const std::string_view word = line.substr(space + 1);
    if (!count || (word != "lines" && word != "line")) return std::nullopt;
    // A file with no lines has no last line to be without its end.
    if (*count == 0 && !heading.ended) return std::nullopt;
    heading.lines = *count;
    return heading;
}

DesignRead Refused(DesignFault fault, std::string why) {
    DesignRead read;
    read.fault = fault;
    read.why = std::move(why);
    return read;
}

std::string Hex4(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// One design line back to its inputs-file bytes, appended to `out`; on
// failure the words that say what is wrong with it.
std::optional<std::string> DecodeLine(std::string_view line, std::string& out) {
    std::size_t pos = 0;
    while (pos < line.size()) {
        if (line[pos] == '\\') {
            const char kind = pos + 1 < line.size() ? line[pos + 1] : '\0';
            if (kind == '\\') {
                out += '\\';
                pos += 2;
            } else if (kind == 'r') {
                out += '\r';
                pos += 2;
            } else if (kind == 'n') {
                out += '\n';
                pos += 2;
            } else if (kind == 'x' && pos + 3 < line.size() && HexDigit(line[pos + 2]) >= 0 &&
                       HexDigit(line[pos + 3]) >= 0) {
                out += static_cast<char>(HexDigit(line[pos + 2]) * 16 + HexDigit(line[pos + 3]));
                pos += 4;
            } else {
                return std::string("holds a backslash that is none of the escapes \\\\, \\r, \\n "
                                   "and \\x with two hex digits");
            }
            continue;
        }
        const auto c = NextUtf8(line, pos);
        if (!c) return std::string("is not UTF-8 text");
        const auto byte = Cp1252Byte(*c);
        if (!byte) {
            return "holds a character (" + Hex4(*c) + ") that an inputs file cannot hold";
        }
        out += *byte;
    }
    return std::nullopt;
}

// Where a part's lines stand in the design.
struct PartSpan {
    std::size_t first = 0;  // index of its first line in the design
    PartHeading heading;
};

}  // namespace

std::string WriteDesign(const DesignFiles& files) {
    std::string out;
    out += kFirstLine;
    out += '\n';
    out += kVersionWord;
    out += std::to_string(kDesignFormat);
    out += '\n';
    for (std::size_t p = 0; p < kPartCount; ++p) {
        const FileLines split = SplitFile(BytesOf(files, p));
        out += Heading(kParts[p], split);
        out += '\n';
        for (const std::string_view line : split.lines) WriteLine(out, line);
    }
    out += kEndLine;
    out += '\n';
    return out;
}

DesignRead ReadDesign(std::string_view utf8) {
    // A byte order mark, as some editors put first, is passed over.
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
    const DesignLines design = SplitDesign(utf8);
    const std::vector<std::string_view>& lines = design.lines;
    // A line that is not what belongs there but is the text's last one, with
    // no line end, is most likely the start of what belongs there: the text
    // was cut in the middle of it.
    auto cutInside = [&](std::size_t i) { return i + 1 == lines.size() && !design.lastEnded; };
    auto lineNo = [](std::size_t i) { return std::to_string(i + 1); };

    if (lines.empty() || lines[0] != kFirstLine) {
        return Refused(DesignFault::NotADesign, "it is not a Korvane design");
    }
    if (lines.size() < 2) {
        return Refused(DesignFault::CutShort, "it is cut short: its format version is missing");
    }
    const std::string_view versionLine = lines[1];
    const bool versionWord = versionLine.substr(0, kVersionWord.size()) == kVersionWord;
    const std::string_view digits = versionWord ? versionLine.substr(kVersionWord.size()) : "";
    if (!versionWord || !AllDigits(digits)) {
        if (cutInside(1)) {
            return Refused(DesignFault::CutShort, "it is cut short: its format version is missing");
        }
        return Refused(DesignFault::Damaged, "it is damaged: line 2 should give its format version");
    }
    // More digits than any format number will have is a newer format too.
    const auto version = Count(digits);
    if (!version || *version > static_cast<std::size_t>(kDesignFormat)) {
        const std::string format = version ? " (format " + std::to_string(*version) + ")" : "";
        return Refused(DesignFault::NewerFormat,
                       "it was made by a newer version of Korvane" + format +
                           "; this version reads format " + std::to_string(kDesignFormat));
    }
    if (*version < 1) {
        return Refused(DesignFault::Damaged, "it is damaged: line 2 gives no format version");
    }

    // The shape first: where each part stands and the end line after them.
    PartSpan spans[kPartCount];
    std::size_t at = 2;
    for (std::size_t p = 0; p < kPartCount; ++p) {
        const Part& part = kParts[p];
        if (at >= lines.size()) {
            return Refused(DesignFault::CutShort, std::string("it is cut short: its ") +
                                                      part.fileName + " is missing");
        }
        const auto heading = ReadHeading(lines[at], part);
        if (!heading) {
            if (cutInside(at)) {
                return Refused(DesignFault::CutShort, std::string("it is cut short: its ") +
                                                          part.fileName + " is missing");
            }
            return Refused(DesignFault::Damaged, "it is damaged: line " + lineNo(at) +
                                                     " should begin its " + part.fileName);
        }
        spans[p] = {at + 1, *heading};
        if (lines.size() - spans[p].first < heading->lines) {
            return Refused(DesignFault::CutShort, std::string("it is cut short: lines of its ") +
                                                      part.fileName + " are missing");
        }
        at = spans[p].first + heading->lines;
    }
    if (at >= lines.size() || (lines[at] != kEndLine && cutInside(at))) {
        return Refused(DesignFault::CutShort, "it is cut short: its end line is missing");
    }
    if (lines[at] != kEndLine) {
        return Refused(DesignFault::Damaged,
                       "it is damaged: line " + lineNo(at) + " should be its end line");
    }
    for (std::size_t i = at + 1; i < lines.size(); ++i) {
        if (!lines[i].empty()) {
            return Refused(DesignFault::Damaged,
                           "it is damaged: line " + lineNo(i) + " stands after its end line");
        }
    }

    // Then every line, and each file as its panel would load it.
    DesignFiles files;
    for (std::size_t p = 0; p < kPartCount; ++p) {
        const Part& part = kParts[p];
        std::string& bytes = BytesOf(files, p);
        for (std::size_t k = 0; k < spans[p].heading.lines; ++k) {
            const std::size_t i = spans[p].first + k;
            if (const auto wrong = DecodeLine(lines[i], bytes)) {
                return Refused(DesignFault::CannotHold,
                               "line " + std::to_string(k + 1) + " of its " + part.fileName +
                                   " (line " + lineNo(i) + " of the design) " + *wrong);
            }
            if (k + 1 < spans[p].heading.lines || spans[p].heading.ended) bytes += "\r\n";
        }
    }
    for (std::size_t p = 0; p < kPartCount; ++p) {
        const Part& part = kParts[p];
        if (!part.loads(BytesOf(files, p))) {
            return Refused(DesignFault::DoesNotLoad, std::string("its ") + part.calculator +
                                                         " inputs (" + part.fileName +
                                                         ") are not right: the panel could "
                                                         "not load them");
        }
    }
    DesignRead read;
    read.files = std::move(files);
    return read;
}

std::string DesignRefusalText(std::string_view fileNameUtf8, const std::string& why) {
    std::string text = "The design \"";
    text += fileNameUtf8;
    text += "\" cannot be opened: ";
    text += why;
    text += ". Nothing was changed.";
    return text;
}

DesignFiles DefaultDesignFiles() {
    return {DefaultGainFile(), DefaultFeedbackFile(), DefaultXfmrFile()};
}

}  // namespace korvane
