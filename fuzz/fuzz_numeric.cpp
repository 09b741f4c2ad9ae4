// The numeric parse, the general number text and the Roundoff text.
//
// Input: the whole input is one text for NumericValue. When it is 8 bytes
// or longer, its first 8 bytes are also taken as a double (in the machine's
// byte order), so that every double, NaN and infinities included, reaches
// NumberText and Roundoff; the parsed value goes through them too.
//
// Checked against the C library: NumericValue against strtod on the leading
// number once the blanks, tabs and line feeds are taken out; NumberText
// against printf's "%.15G" (the same rule, but for the zero before the
// point); Roundoff against the value its text stands for.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "format/roundoff.h"
#include "fuzz/fuzz_support.h"
#include "io/numeric.h"

namespace korvane::fuzz {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The leading decimal number of `text` once every blank, tab and line feed
// is taken out, by the grammar of io/numeric.h, read with strtod; 0 when
// there is none.
double ReferenceValue(std::string_view text) {
    std::string squeezed;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') squeezed.push_back(c);
    }
    std::size_t i = 0;
    const std::size_t n = squeezed.size();
    if (i < n && (squeezed[i] == '+' || squeezed[i] == '-')) ++i;
    std::size_t digits = 0;
    auto digitRun = [&] {
        while (i < n && IsDigit(squeezed[i])) {
            ++i;
            ++digits;
        }
    };
    digitRun();
    if (i < n && squeezed[i] == '.') {
        ++i;
        digitRun();
    }
    if (digits == 0) return 0.0;
    if (i < n && (squeezed[i] == 'e' || squeezed[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (squeezed[j] == '+' || squeezed[j] == '-')) ++j;
        const std::size_t from = j;
        while (j < n && IsDigit(squeezed[j])) ++j;
        if (j > from) i = j;
    }
    const std::string number = squeezed.substr(0, i);
    return std::strtod(number.c_str(), nullptr);
}

bool SameDouble(double a, double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

std::string PrintfText(double v) {
    if (v == 0) return " 0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", std::fabs(v));
    std::string digits(buf);
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);
    return (v < 0 ? "-" : " ") + digits;
}

void CheckNumberText(double v) {
    if (!std::isfinite(v)) return;  // only finite values are passed in
    const std::string text = NumberText(v);
    KORVANE_REQUIRE_SHOW(text == PrintfText(v), Shown(text) + " vs printf " + Shown(PrintfText(v)));
    KORVANE_REQUIRE(!HoldsInfOrNan(text));
    KORVANE_REQUIRE(CutNumberText(v) == text.substr(1));
    // The text reads back as its fifteen-digit value, and that value gives
    // the same text again (unless the fifteen digits round above the
    // largest double, where the text reads back as infinity).
    const double back = NumericValue(text);
    const double reference = std::strtod(text.c_str(), nullptr);
    KORVANE_REQUIRE_SHOW(SameDouble(back, reference), Shown(text));
    if (!std::isfinite(back)) {
        KORVANE_REQUIRE_SHOW(std::fabs(v) >= 1.797693134862315e308, Shown(text));
    } else if (std::fabs(back) >= std::numeric_limits<double>::min()) {
        // (Below the normal range fewer than fifteen digits are exact.)
        KORVANE_REQUIRE_SHOW(NumberText(back) == text, Shown(text));
    }
}

void CheckRoundoff(double v) {
    const std::string text = Roundoff(v);
    RoundoffParts parts;
    KORVANE_REQUIRE_SHOW(ParseRoundoff(text, parts), Shown(text));
    KORVANE_REQUIRE(!HoldsInfOrNan(text));
    KORVANE_REQUIRE_SHOW(parts.negative == (v < 0), Shown(text));
    const double m = std::fabs(v);
    if (!(m <= 9.9995e12)) {  // NaN too
        KORVANE_REQUIRE_SHOW(parts.mask, Shown(text));
        return;
    }
    KORVANE_REQUIRE_SHOW(!parts.mask, Shown(text));
    if (m <= 9.9995e-16) {
        KORVANE_REQUIRE_SHOW(parts.mantissa == "0.000", Shown(text));
        return;
    }
    // The text stands for mantissa x 10^exponent, within half a unit of its
    // last digit of the value.
    const std::size_t point = parts.mantissa.find('.');
    const int decimals =
        point == std::string::npos ? 0 : static_cast<int>(parts.mantissa.size() - point - 1);
    const std::string number = parts.mantissa + "e" + std::to_string(parts.exponent);
    const double shown = std::strtod(number.c_str(), nullptr);
    const double unit = std::pow(10.0, parts.exponent - decimals);
    KORVANE_REQUIRE_SHOW(shown != 0, Shown(text));
    KORVANE_REQUIRE_SHOW(std::fabs(shown - m) <= 0.5 * unit * (1 + 1e-9),
                         Shown(text) + " for " + PrintfText(v));
    // The 10-character text is the top of a divisor-10 band only.
    if (text.size() == 10) KORVANE_REQUIRE_SHOW(parts.mantissa == "1000", Shown(text));
}

}  // namespace
}  // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    const std::string_view text = Bytes(data, size);

    const double value = NumericValue(text);
    KORVANE_REQUIRE(!std::isnan(value));
    const double reference = ReferenceValue(text);
    KORVANE_REQUIRE_SHOW(SameDouble(value, reference),
                         Shown(text) + " gives " + PrintfText(value) + ", strtod " + PrintfText(reference));
    CheckNumberText(value);
    CheckRoundoff(value);

    if (size >= 8) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        CheckNumberText(raw);
        CheckRoundoff(raw);
    }
    return 0;
}
