#include "io/engineering.h"

#include <optional>
#include <string>

#include "io/numeric.h"

namespace korvane {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsNumericBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsNumericBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The power of ten a prefix letter stands for; nothing for any other
// character.
std::optional<int> PrefixPower(char c) {
    switch (c) {
    case 'p': return -12;
    case 'n': return -9;
    case 'u':
    case '\xB5': return -6;
    case 'm': return -3;
    case 'R': return 0;
    case 'k':
    case 'K': return 3;
    case 'M': return 6;
    case 'G': return 9;
    case 'T': return 12;
    default: return std::nullopt;
    }
}

// The number whose mantissa is `mantissa` (sign, digits, point) times
// 10^exponent, read by the numeric parse so that it is the nearest double
// and out-of-range values come out as the parse gives them.
double Scaled(const std::string& mantissa, long long exponent) {
    return NumericValue(mantissa + "e" + std::to_string(exponent));
}

// "100k", "1.5m", "1e3k", "4.7 k": the numeric parse's number, then one
// prefix letter.
std::optional<double> NumberWithPrefix(std::string_view text) {
    const std::size_t end = NumericEnd(text);
    if (end == 0) return std::nullopt;
    const std::string_view rest = TrimBlanks(text.substr(end));
    if (rest.size() != 1) return std::nullopt;
    const std::optional<int> power = PrefixPower(rest[0]);
    if (!power) return std::nullopt;

    // The number's characters without the blanks the parse skipped, its
    // exponent (saturated, as the parse does) split off.
    std::string mantissa;
    long long exponent = 0;
    bool inExponent = false;
    bool exponentNegative = false;
    for (const char c : text.substr(0, end)) {
        if (IsNumericBlank(c)) continue;
        if (c == 'e' || c == 'E') {
            inExponent = true;
        } else if (!inExponent) {
            mantissa.push_back(c);
        } else if (c == '-') {
            exponentNegative = true;
        } else if (IsDigit(c) && exponent < 1'000'000'000) {
            exponent = exponent * 10 + (c - '0');
        }
    }
    return Scaled(mantissa, (exponentNegative ? -exponent : exponent) + *power);
}

// "2k2", "4R7", "R47", "-1n5": digits, the letter in place of the point,
// digits.
std::optional<double> RkmCode(std::string_view text) {
    text = TrimBlanks(text);
    std::string mantissa;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) mantissa.push_back(text[i++]);
    bool anyDigit = false;
    auto digits = [&] {
        while (i < text.size() && IsDigit(text[i])) {
            mantissa.push_back(text[i++]);
            anyDigit = true;
        }
    };
    digits();
    if (i >= text.size()) return std::nullopt;
    const std::optional<int> power = PrefixPower(text[i++]);
    if (!power) return std::nullopt;
    mantissa.push_back('.');
    digits();
    if (i != text.size() || !anyDigit) return std::nullopt;
    return Scaled(mantissa, *power);
}

std::optional<double> EngineeringReading(std::string_view text) {
    if (const auto value = NumberWithPrefix(text)) return value;
    return RkmCode(text);
}

}  // namespace

double EngineeringValue(std::string_view text) {
    if (const auto value = EngineeringReading(text)) return *value;
    return NumericValue(text);
}

bool ReadsWholeAsEngineering(std::string_view text) {
    return EngineeringReading(text).has_value();
}

double ReadNumber(std::string_view text, Notation notation) {
    return notation == Notation::Engineering ? EngineeringValue(text) : NumericValue(text);
}

}  // namespace korvane
