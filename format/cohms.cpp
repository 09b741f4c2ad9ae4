#include "format/cohms.h"

#include <cmath>

#include "io/numeric.h"

namespace korvane {
namespace {

// One row of the choice by R: the value shown, x = k / 10^decimals (R
// rounded to three significant digits in the row's unit, as a count k of
// units of its last decimal), and the unit.
struct Scaled {
    double k;
    int decimals;
    const char* suffix;
};

Scaled ScaleFor(double r) {
    if (r > 9995000.0) return {std::floor(r / 100000.0 + 0.5), 1, " M"};
    if (r >= 999500.0) return {std::floor(r / 10000.0 + 0.5), 2, " M"};
    if (r >= 99950.0) return {std::floor(r / 1000.0 + 0.5), 0, " k"};
    if (r >= 9995.0) return {std::floor(r / 100.0 + 0.5), 1, " k"};
    if (r >= 999.5) return {std::floor(r / 10.0 + 0.5), 2, " k"};
    if (r >= 99.95) return {std::floor(r + 0.5), 0, " "};
    if (r >= 9.995) return {std::floor(r * 10.0 + 0.5), 1, " "};
    return {std::floor(r * 100.0 + 0.5), 2, " "};
}

}  // namespace

char* WriteCOhms(char* out, double r) {
    const Scaled s = ScaleFor(r);
    // The number text, completed by its length (which counts the sign
    // position): one decimal " 10" -> " 10.0"; two decimals " 1" -> " 1.00",
    // " 1.5" -> " 1.50"; then, after its sign position, the unit and spaces
    // up to six characters.
    char text[kNumberTextRoom + 16];
    char* end = WriteScaledNumberText(text, s.k, s.decimals);
    const auto size = [&] { return end - text; };
    const auto append = [&](const char* more) {
        while (*more != '\0') *end++ = *more++;
    };
    if (s.decimals == 1 && size() == 3) append(".0");
    if (s.decimals == 2 && size() == 2) append(".00");
    if (s.decimals == 2 && size() == 4) append("0");
    append(s.suffix);
    while (size() < 7) append(" ");
    for (const char* c = text + 1; c < end; ++c) *out++ = *c;
    return out;
}

std::string COhms(double r) {
    char text[kCOhmsRoom];
    return std::string(text, WriteCOhms(text, r));
}

}  // namespace korvane
