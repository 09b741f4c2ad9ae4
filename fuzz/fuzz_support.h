#pragma once
// What the fuzz targets share: the check that stops the run on a broken
// invariant, the splitting of an input into texts, and the text rules the
// targets check results against.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::fuzz {

// Prints the failed condition (and the texts that show it, with every byte
// outside printable ASCII as \xNN) and aborts, which libFuzzer reports as a
// crash and saves the input for.
[[noreturn]] inline void Broken(const char* what, const char* file, int line,
                                const std::string& detail = {}) {
    std::fprintf(stderr, "%s:%d: broken invariant: %s\n", file, line, what);
    if (!detail.empty()) std::fprintf(stderr, "  %s\n", detail.c_str());
    std::abort();
}

// A text with its unprintable bytes escaped, in double quotes, for Broken.
inline std::string Shown(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x20 && b < 0x7F && b != '\\' && b != '"') {
            out.push_back(ch);
        } else {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", static_cast<unsigned>(b));
            out += esc;
        }
    }
    return out + "\"";
}

// A double with all its digits, for Broken.
inline std::string Shown(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    return buf;
}

#define KORVANE_REQUIRE(cond)                                                 \
    do {                                                                      \
        if (!(cond)) ::korvane::fuzz::Broken(#cond, __FILE__, __LINE__);      \
    } while (0)

#define KORVANE_REQUIRE_SHOW(cond, detail)                                    \
    do {                                                                      \
        if (!(cond)) ::korvane::fuzz::Broken(#cond, __FILE__, __LINE__, (detail)); \
    } while (0)

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at every NUL byte: "a\0b\0" gives "a", "b", "" (a NUL ends
// one text and begins the next, so there is always at least one text).
inline std::vector<std::string> SplitAtNul(std::string_view bytes) {
    std::vector<std::string> parts(1);
    for (const char ch : bytes) {
        if (ch == '\0') {
            parts.emplace_back();
        } else {
            parts.back().push_back(ch);
        }
    }
    return parts;
}

// Text `i` of `parts`, or the empty text when there are fewer.
inline const std::string& Part(const std::vector<std::string>& parts, std::size_t i) {
    static const std::string empty;
    return i < parts.size() ? parts[i] : empty;
}

// True when the text holds "inf" or "nan" in any case.
inline bool HoldsInfOrNan(std::string_view text) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        const char a = lower(text[i]), b = lower(text[i + 1]), c = lower(text[i + 2]);
        if ((a == 'i' && b == 'n' && c == 'f') || (a == 'n' && b == 'a' && c == 'n')) return true;
    }
    return false;
}

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The promise of the inputs-file items (io/items.h): a text that holds a
// comma, CR or LF, or whose first character after any spaces is a double quote,
// is written quoted and reads back whole, its double quotes turned into
// single quotes; any other text is written as it stands and reads back
// without its leading spaces (a tab is kept).
inline bool WrittenQuoted(std::string_view text) {
    if (text.find_first_of(",\r\n") != std::string_view::npos) return true;
    std::size_t first = text.find_first_not_of(' ');
    return first != std::string_view::npos && text[first] == '"';
}

inline std::string ReadBack(std::string_view text) {
    std::string out(text);
    if (WrittenQuoted(text)) {
        for (char& c : out) {
            if (c == '"') c = '\'';
        }
        return out;
    }
    // Only spaces are skipped before an item: a tab is part of it.
    const std::size_t first = out.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : out.substr(first);
}

// A loader's fields are the file's first `count` items, as read.
template <class Fields>
void RequireLeadingItems(const Fields& fields, const std::vector<std::string>& items,
                         std::size_t count) {
    KORVANE_REQUIRE(fields.size() == (items.size() < count ? items.size() : count));
    for (std::size_t i = 0; i < fields.size(); ++i) KORVANE_REQUIRE(fields[i] == items[i]);
}

// Each saved text loaded back as the reading rules give it back.
template <class Written, class Loaded>
void RequireLoadedBack(const Written& written, const Loaded& loaded) {
    KORVANE_REQUIRE(loaded.size() == written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        KORVANE_REQUIRE_SHOW(loaded[i] == ReadBack(written[i]),
                             Shown(written[i]) + " loaded back as " + Shown(loaded[i]));
    }
}

// The shape of a Roundoff text (format/roundoff.h): the sign position
// (space or "-"), a mantissa of four significant digits ("1.235", "12.35",
// "123.5", or "1000" at the top of a divisor-10 band), and a five-character
// suffix; or the out-of-range mask "+*.***E\xB1* " with its sign first.
// On success `mantissa` gets the mantissa's characters and `exponent` the
// suffix's power of ten; `mask` tells the out-of-range text.
struct RoundoffParts {
    bool negative = false;
    bool mask = false;
    std::string mantissa;
    int exponent = 0;
};

inline bool ParseRoundoff(std::string_view text, RoundoffParts& parts) {
    parts = RoundoffParts{};
    if (text.size() != 10 && text.size() != 11) return false;
    if (text.substr(1) == "*.***E\xB1* ") {
        if (text[0] != '+' && text[0] != '-') return false;
        parts.negative = text[0] == '-';
        parts.mask = true;
        return true;
    }
    if (text[0] != ' ' && text[0] != '-') return false;
    parts.negative = text[0] == '-';
    const std::string_view suffix = text.substr(text.size() - 5);
    static constexpr struct {
        const char* text;
        int exponent;
    } kSuffixes[] = {{"e-15 ", -15}, {"e-12 ", -12}, {"e-9  ", -9}, {"e-6  ", -6}, {"e-3  ", -3},
                     {"     ", 0},   {"e+3  ", 3},    {"e+6  ", 6},  {"e+9  ", 9},  {"e+12 ", 12}};
    bool known = false;
    for (const auto& s : kSuffixes) {
        if (suffix == s.text) {
            parts.exponent = s.exponent;
            known = true;
        }
    }
    if (!known) return false;
    parts.mantissa.assign(text.substr(1, text.size() - 6));
    const std::string& m = parts.mantissa;
    auto digits = [](std::string_view s) {
        for (const char c : s) {
            if (c < '0' || c > '9') return false;
        }
        return true;
    };
    if (m.size() == 4) return m == "1000";  // the 10-character text
    if (m.size() != 5) return false;
    const std::size_t point = m.find('.');
    if (point < 1 || point > 3) return false;
    if (!digits(std::string_view(m).substr(0, point)) || !digits(std::string_view(m).substr(point + 1))) {
        return false;
    }
    // Four significant digits: no zero first, except the zero text 0.000.
    return m[0] != '0' || (m == "0.000" && parts.exponent == 0);
}

}  // namespace korvane::fuzz
