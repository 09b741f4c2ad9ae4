// Engineering notation: prefixes and RKM codes, and the read-as note in
// both notations.
//
// Input: the whole input is one text.
//
// Checked: EngineeringValue never gives NaN; a text it does not read whole
// with a prefix (always so without a letter) gets exactly NumericValue's
// double; a text it does read whole gets the double strtod gives for the
// decimal number the text stands for, found here by a grammar of its own;
// the note exists exactly when the notation does not read the text whole,
// and says the value used; the number text of a finite value reads back
// whole as a plain number, to the same value in both notations.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "format/read_as.h"
#include "fuzz/fuzz_support.h"
#include "io/engineering.h"
#include "io/numeric.h"

namespace korvane::fuzz {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNumberBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool SameDouble(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsNumberBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsNumberBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The power of ten of a prefix letter; nothing for another character.
std::optional<int> Power(char c) {
    switch (c) {
    case 'p': return -12;
    case 'n': return -9;
    case 'u': case '\xB5': return -6;
    case 'm': return -3;
    case 'R': return 0;
    case 'k': case 'K': return 3;
    case 'M': return 6;
    case 'G': return 9;
    case 'T': return 12;
    default: return std::nullopt;
    }
}

bool HasLetter(std::string_view text) {
    for (const char c : text) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\xB5') return true;
    }
    return false;
}

// mantissa x 10^exponent by strtod.
double Strtod(const std::string& mantissa, long long exponent) {
    const std::string number = mantissa + "e" + std::to_string(exponent);
    return std::strtod(number.c_str(), nullptr);
}

// A whole number in the numeric parse's grammar, blanks already taken out:
// its mantissa and exponent (saturated as the parse saturates it).
bool SplitNumber(std::string_view s, std::string& mantissa, long long& exponent) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    mantissa.assign(s.substr(0, i));
    exponent = 0;
    if (i == s.size()) return true;
    if (s[i] != 'e' && s[i] != 'E') return false;
    ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const std::size_t from = i;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[i] - '0');
    }
    if (i == from || i != s.size()) return false;
    if (negative) exponent = -exponent;
    return true;
}

// The value of a text read whole with a prefix or as an RKM code, or
// nothing.
std::optional<double> Reference(std::string_view text) {
    const std::string_view t = Trimmed(text);
    // A number, then one prefix letter: blanks may stand anywhere in it.
    std::string squeezed;
    for (const char c : t) {
        if (!IsNumberBlank(c)) squeezed.push_back(c);
    }
    if (!squeezed.empty()) {
        if (const auto power = Power(squeezed.back())) {
            std::string mantissa;
            long long exponent = 0;
            if (SplitNumber(std::string_view(squeezed).substr(0, squeezed.size() - 1), mantissa,
                            exponent)) {
                return Strtod(mantissa, exponent + *power);
            }
        }
    }
    // RKM: sign, digits, letter, digits; nothing else.
    std::size_t i = 0;
    std::string mantissa;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) mantissa.push_back(t[i++]);
    const std::size_t lead = i;
    while (i < t.size() && IsDigit(t[i])) mantissa.push_back(t[i++]);
    const std::size_t leadDigits = i - lead;
    if (i >= t.size()) return std::nullopt;
    const auto power = Power(t[i++]);
    if (!power) return std::nullopt;
    mantissa.push_back('.');
    const std::size_t trail = i;
    while (i < t.size() && IsDigit(t[i])) mantissa.push_back(t[i++]);
    if (i != t.size() || leadDigits + (i - trail) == 0) return std::nullopt;
    return Strtod(mantissa, *power);
}

// A value as the note writes it.
std::string NoteValue(double v) {
    if (!std::isfinite(v)) return "a number too large";
    return v < 0 ? NumberText(v) : CutNumberText(v);
}

void CheckNumberTextReadsBack(double v) {
    if (!std::isfinite(v)) return;
    for (const std::string& text : {NumberText(v), v >= 0 ? CutNumberText(v) : NumberText(v)}) {
        KORVANE_REQUIRE_SHOW(NumericEnd(text) == text.size(), Shown(text));
        KORVANE_REQUIRE_SHOW(!ReadsWholeAsEngineering(text), Shown(text));
        const double back = EngineeringValue(text);
        KORVANE_REQUIRE_SHOW(SameDouble(back, NumericValue(text)), Shown(text));
        KORVANE_REQUIRE_SHOW(!ReadAsNote(text, Notation::Plain), Shown(text));
        KORVANE_REQUIRE_SHOW(!ReadAsNote(text, Notation::Engineering), Shown(text));
        // Below the normal range fewer than fifteen digits are exact.
        if (std::fabs(v) >= std::numeric_limits<double>::min()) {
            KORVANE_REQUIRE_SHOW(NumberText(back) == NumberText(v), Shown(text) + " for " + Shown(v));
        }
    }
}

}  // namespace
}  // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    const std::string_view text = Bytes(data, size);

    const double value = EngineeringValue(text);
    const double plain = NumericValue(text);
    const bool whole = ReadsWholeAsEngineering(text);
    KORVANE_REQUIRE(!std::isnan(value));
    KORVANE_REQUIRE(SameDouble(ReadNumber(text, Notation::Engineering), value));
    KORVANE_REQUIRE(SameDouble(ReadNumber(text, Notation::Plain), plain));
    if (!HasLetter(text)) KORVANE_REQUIRE_SHOW(!whole && SameDouble(value, plain), Shown(text));
    if (!whole) KORVANE_REQUIRE_SHOW(SameDouble(value, plain), Shown(text));

    const std::optional<double> reference = Reference(text);
    KORVANE_REQUIRE_SHOW(whole == reference.has_value(), Shown(text));
    if (reference) {
        KORVANE_REQUIRE_SHOW(SameDouble(value, *reference),
                             Shown(text) + " gives " + Shown(value) + ", strtod " + Shown(*reference));
    }

    // The note: for a text the notation does not read whole, never for
    // Roundoff's out-of-range mask, and with the value used.
    const bool plainWhole = Trimmed(text.substr(NumericEnd(text))).empty();
    const std::string_view t = Trimmed(text);
    const bool isMask = t == "+*.***E\xB1*" || t == "-*.***E\xB1*";
    const auto plainNote = ReadAsNote(text, Notation::Plain);
    const auto engineeringNote = ReadAsNote(text, Notation::Engineering);
    KORVANE_REQUIRE_SHOW(plainNote.has_value() == (!plainWhole && !isMask), Shown(text));
    KORVANE_REQUIRE_SHOW(engineeringNote.has_value() == (!plainWhole && !whole && !isMask), Shown(text));
    KORVANE_REQUIRE(ReadAsNote(text) == plainNote);
    if (plainNote) {
        std::string expected = "Read as " + NoteValue(plain);
        if (whole && value != plain) {
            expected += " (" + std::string(t) + " is " + NoteValue(value) +
                        " with Engineering notation on)";
        }
        KORVANE_REQUIRE_SHOW(*plainNote == expected, Shown(*plainNote) + " for " + Shown(text));
    }
    if (engineeringNote) {
        KORVANE_REQUIRE_SHOW(*engineeringNote == "Read as " + NoteValue(value),
                             Shown(*engineeringNote) + " for " + Shown(text));
    }

    CheckNumberTextReadsBack(value);
    return 0;
}
