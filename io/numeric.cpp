#include "io/numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

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

constexpr double kPow[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// Writes t / 10^d for a whole t from 1 to below 10^15 at `out` as its
// digits with the point d places from the right: no zero before the point,
// the fraction's trailing zeros dropped. (393, 3) -> ".393"; (1010, 2) ->
// "10.1"; (5, 2) -> ".05". Rounding t / 10^d to 15 significant digits gives
// exactly these digits, so this is the number text without its sign
// position. Returns the end of what it wrote.
char* WriteDigitsWithPoint(char* out, double t, std::size_t d) {
    char digits[24];
    const auto n = static_cast<std::size_t>(
        std::to_chars(digits, digits + sizeof digits, static_cast<long long>(t)).ptr - digits);
    // The fraction (the last d digits, with zeros before them when t has
    // fewer) without its trailing zeros, and the whole part before it
    // (none below 1).
    std::size_t last = n;
    while (d > 0 && digits[last - 1] == '0') {
        --last;
        --d;
    }
    const std::size_t whole = last > d ? last - d : 0;
    char* at = out;
    for (std::size_t i = 0; i < last; ++i) {
        if (i == whole) {  // where the fraction starts
            *at++ = '.';
            for (std::size_t z = last; z < d; ++z) *at++ = '0';
        }
        *at++ = digits[i];
    }
    return at;
}

// Whether t / 10^d, for a whole t, is written by WriteDigitsWithPoint: t
// below 10^15, and the quotient not below 1e-4, where the number text takes
// the exponent form.
bool WithPoint(double t, std::size_t d) {
    return d < std::size(kPow) && t < 1e15 && t * 1e4 >= kPow[d];
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

    // The quick road for the values most texts are made of, a whole number
    // of tenths, hundredths, ... (27.6, 0.393, 1.01): when m x 10^d is a
    // whole number T for some d up to 9, m lies within half a unit in the
    // last place of T / 10^d, far closer than half a unit of the fifteenth
    // significant digit, so rounding m to 15 digits gives exactly T / 10^d.
    const double m = std::fabs(value);
    for (std::size_t d = 0; d < std::size(kPow); ++d) {
        const double t = m * kPow[d];
        if (t != std::floor(t)) continue;
        if (!WithPoint(t, d)) break;
        char text[kNumberTextRoom];
        out.append(text, WriteDigitsWithPoint(text, t, d));
        return out;
    }

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

char* WriteScaledNumberText(char* out, double k, int places) {
    const double m = std::fabs(k);
    const auto d = static_cast<std::size_t>(places);
    if (m != 0 && (places < 0 || !WithPoint(m, d))) {
        const std::string text = NumberText(k / std::pow(10.0, static_cast<double>(places)));
        return std::copy(text.begin(), text.end(), out);
    }
    *out++ = k < 0 ? '-' : ' ';
    if (m == 0) {
        out[-1] = ' ';
        *out++ = '0';
        return out;
    }
    return WriteDigitsWithPoint(out, m, d);
}

std::string ScaledNumberText(double k, int places) {
    char text[kNumberTextRoom];
    return std::string(text, WriteScaledNumberText(text, k, places));
}

std::string CutNumberText(double value) { return NumberText(value).substr(1); }

double RoundHalfEven(double value) {
    // The default rounding mode rounds halves to the even neighbour.
    return std::nearbyint(value);
}

}  // namespace korvane
