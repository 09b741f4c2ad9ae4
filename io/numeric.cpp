#include "io/numeric.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "io/digit_pairs.h"

namespace korvane {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The characters of the leading number of `text`, blanks removed: an
// optional "-", at least one mantissa digit, and the exponent only when it
// has digits. `exponent` gets the exponent's value (saturated), `firstDigit`
// and `pointAt` locate the mantissa's first non-zero digit and its point
// within `digits` so that an out-of-range value can tell overflow from
// underflow.
struct Scanned {
    std::string chars;  // what std::from_chars gets, e.g. "-12.5e3"
    bool negative = false;
    bool any = false;   // at least one mantissa digit
    long long exponent = 0;
    long long intDigits = 0;         // digits before the point
    long long firstNonZero = -1;     // index among all mantissa digits
    std::size_t end = 0;             // where reading stopped (0 without a number)
};

Scanned Scan(std::string_view text) {
    Scanned s;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skip = [&] { while (i < n && IsSkipped(text[i])) ++i; };

    skip();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        s.negative = text[i] == '-';
        ++i;
    }
    if (s.negative) s.chars.push_back('-');
    long long digitIndex = 0;
    bool point = false;
    for (;;) {
        skip();
        if (i >= n) break;
        const char c = text[i];
        if (IsDigit(c)) {
            if (c != '0' && s.firstNonZero < 0) s.firstNonZero = digitIndex;
            if (!point) ++s.intDigits;
            ++digitIndex;
            s.any = true;
            s.chars.push_back(c);
            ++i;
        } else if (c == '.' && !point) {
            point = true;
            s.chars.push_back(c);
            ++i;
        } else {
            break;
        }
    }
    if (!s.any) return s;
    s.end = i;

    // Exponent: taken only when at least one digit follows.
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        auto skipJ = [&] { while (j < n && IsSkipped(text[j])) ++j; };
        skipJ();
        bool expNegative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        std::string expDigits;
        long long value = 0;
        for (;;) {
            skipJ();
            if (j >= n || !IsDigit(text[j])) break;
            expDigits.push_back(text[j]);
            if (value < 1'000'000'000) value = value * 10 + (text[j] - '0');
            ++j;
        }
        if (!expDigits.empty()) {
            s.exponent = expNegative ? -value : value;
            s.chars.push_back('e');
            if (expNegative) s.chars.push_back('-');
            s.chars += expDigits;
            s.end = j;
        }
    }
    return s;
}

char* WriteFewDecimalDigits(char* at, unsigned u, int places);

// The digits of u / 10^places for u >= 1, without a sign position: the
// fraction's trailing zeros dropped, no whole part below 1, and the zeros
// after the point that a value below 0.1 has ("393", 3 -> ".393"; 1010, 2
// -> "10.1"; 5, 2 -> ".05"). places is 0 to 9; returns the end.
char* WriteDecimalDigits(char* at, unsigned long long u, int places) {
    if (u < 10000 && places <= 4) {
        return WriteFewDecimalDigits(at, static_cast<unsigned>(u), places);
    }
    static constexpr unsigned long long kScale[] = {1,       10,       100,       1000,      10000,
                                                    100000,  1000000,  10000000,  100000000, 1000000000};
    int decimals = places;
    while (decimals > 0 && u % 10 == 0) {
        u /= 10;
        --decimals;
    }
    const unsigned long long scale = kScale[decimals];
    const unsigned long long whole = u / scale;
    unsigned long long fraction = u % scale;
    if (whole != 0) at = std::to_chars(at, at + 20, whole).ptr;
    if (decimals > 0) {
        *at++ = '.';
        for (int d = decimals - 1; d >= 0; --d) {
            at[d] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        at += decimals;
    }
    return at;
}

// WriteDecimalDigits for u below 10^4 and places 0 to 4, the size of the
// factors, errors and resistances in a listed line: the four digits (with
// leading zeros) as the bytes of one word, first digit lowest, from the
// digit pairs; the whole part and the fraction are cut from it by shifts, so
// there is no division by a power chosen at run time. `at` has room for 10
// characters.
char* WriteFewDecimalDigits(char* at, unsigned u, int places) {
    static_assert(std::endian::native == std::endian::little,
                  "the word is written lowest byte first");
    std::uint16_t high = 0, low = 0;
    std::memcpy(&high, kDigitPairs.at + 2 * (u / 100), 2);
    std::memcpy(&low, kDigitPairs.at + 2 * (u % 100), 2);
    const std::uint32_t chars = high | std::uint32_t{low} << 16;
    const int digits = u >= 1000 ? 4 : u >= 100 ? 3 : u >= 10 ? 2 : 1;
    // The whole part, when there is one: the digits before the last `places`.
    const int wholeDigits = digits - places;
    if (wholeDigits > 0) {
        const std::uint32_t whole = chars >> (8 * (4 - digits));
        std::memcpy(at, &whole, 4);
        at += wholeDigits;
    }
    // The fraction without its trailing zeros: the last digits are the
    // word's top bytes, and a '0' byte is zero after the xor.
    const std::uint32_t nonZero = chars ^ 0x30303030u;
    const int zeros = nonZero == 0 ? 4 : std::countl_zero(nonZero) / 8;
    const int decimals = places - std::min(zeros, places);
    if (decimals > 0) {
        const std::uint32_t fraction = chars >> (8 * (4 - places));
        *at = '.';
        std::memcpy(at + 1, &fraction, 4);
        at += 1 + decimals;
    }
    return at;
}

// The quick road for the values most texts are made of, a whole number of
// tenths, hundredths, ... (27.6, 0.393, 1.01): when m x 10^d rounds to a
// whole number T below 10^15 for some d up to 9, m lies within half a unit in
// the last place of T / 10^d, far closer than half a unit of the fifteenth
// significant digit, so rounding m to 15 digits gives exactly T / 10^d.
// Appends the digits of T with the point d places from the right (trailing
// zeros of the fraction dropped) and returns true; returns false (appending
// nothing) when no such d exists or the value needs the exponent form.
bool AppendShortDecimal(std::string& out, double m) {
    static constexpr double kPow[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    for (int d = 0; d <= 9; ++d) {
        const double t = m * kPow[d];
        if (!(t < 1e15)) return false;
        if (t != std::floor(t)) continue;
        if (t * 1e4 < kPow[d]) return false;  // below 1e-4: exponent form
        char digits[24];
        out.append(digits, WriteDecimalDigits(digits, static_cast<unsigned long long>(t), d));
        return true;
    }
    return false;
}

}  // namespace

double NumericValue(std::string_view text) {
    const Scanned s = Scan(text);
    if (!s.any) return 0.0;
    double value = 0.0;
    const char* first = s.chars.data();
    const char* last = first + s.chars.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Decimal exponent of the leading digit: overflow when it is large.
        const long long lead = s.intDigits - s.firstNonZero - 1 + s.exponent;
        if (s.firstNonZero >= 0 && lead > 0) {
            return s.negative ? -std::numeric_limits<double>::infinity()
                              : std::numeric_limits<double>::infinity();
        }
        return s.negative ? -0.0 : 0.0;
    }
    if (ec != std::errc{} || ptr != last) return 0.0;
    return value;
}

std::size_t NumericEnd(std::string_view text) { return Scan(text).end; }

bool IsNumericBlank(char c) { return IsSkipped(c); }

std::string NumberText(double value) {
    std::string out;
    out.push_back(value < 0 ? '-' : ' ');
    if (std::isnan(value)) return out + "NAN";
    if (std::isinf(value)) return out + "INF";
    if (value == 0) return " 0";

    if (AppendShortDecimal(out, std::fabs(value))) return out;

    // 15 significant digits: d.dddddddddddddde+XX
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, 14);
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t ePos = sci.find('e');
    std::string digits;
    digits.reserve(15);
    for (std::size_t k = 0; k < ePos; ++k) {
        if (sci[k] != '.') digits.push_back(sci[k]);
    }
    int exponent = 0;
    std::from_chars(sci.data() + ePos + 1 + (sci[ePos + 1] == '+' ? 1 : 0),
                    sci.data() + sci.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    if (exponent < -4 || exponent >= 15) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1);
        }
        out.push_back('E');
        out.push_back(exponent < 0 ? '-' : '+');
        const int mag = exponent < 0 ? -exponent : exponent;
        if (mag < 10) out.push_back('0');
        out += std::to_string(mag);
        return out;
    }
    if (exponent < 0) {
        out.push_back('.');
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return out;
    }
    const auto intLen = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intLen) {
        out += digits;
        out.append(intLen - digits.size(), '0');
    } else {
        out.append(digits, 0, intLen);
        out.push_back('.');
        out.append(digits, intLen);
    }
    return out;
}

namespace {

// WriteScaledNumberText for every k and places: kept out of line so that
// the four-digit case needs no stack frame.
[[gnu::noinline]] char* WriteScaledByRule(char* out, long long k, int places) {
    static constexpr double kPow[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    constexpr long long kLimit = 1'000'000'000'000'000;  // 10^15
    const bool quick = places >= 0 && places <= 9 && k > -kLimit && k < kLimit &&
                       // below 1e-4 NumberText takes the exponent form
                       (k == 0 || static_cast<double>(k < 0 ? -k : k) * 1e4 >= kPow[places]);
    if (!quick) {
        const std::string text =
            NumberText(static_cast<double>(k) / std::pow(10.0, static_cast<double>(places)));
        return std::copy(text.begin(), text.end(), out);
    }
    if (k == 0) {
        *out++ = ' ';
        *out++ = '0';
        return out;
    }
    *out = k < 0 ? '-' : ' ';
    return WriteDecimalDigits(out + 1, static_cast<unsigned long long>(k < 0 ? -k : k), places);
}

}  // namespace

char* WriteScaledNumberText(char* out, long long k, int places) {
    if (k > -10000 && k < 10000 && places >= 0 && places <= 4) {
        // Four digits at most, and at least 1e-4 in magnitude unless 0: never
        // the exponent form.
        if (k == 0) {
            std::memcpy(out, " 0", 2);
            return out + 2;
        }
        *out = k < 0 ? '-' : ' ';
        return WriteFewDecimalDigits(out + 1, static_cast<unsigned>(k < 0 ? -k : k), places);
    }
    return WriteScaledByRule(out, k, places);
}

std::string CutNumberText(double value) { return NumberText(value).substr(1); }

double RoundHalfEven(double value) {
    // The default rounding mode rounds halves to the even neighbour.
    return std::nearbyint(value);
}

double RoundHalfUp(double value, int decimals) {
    static constexpr double kPowers[] = {1.0, 10.0, 100.0, 1000.0, 1e4, 1e5, 1e6};
    const double p = decimals >= 0 && decimals <= 6
                         ? kPowers[decimals]
                         : std::pow(10.0, decimals);
    return std::floor(value * p + 0.5) / p;
}

}  // namespace korvane
