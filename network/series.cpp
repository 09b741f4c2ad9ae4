#include "network/series.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "network/network_search.h"
#include "network/standard_value.h"

namespace korvane {
namespace {

constexpr std::array<double, 12> kE12 = {1.0, 1.2, 1.5, 1.8, 2.2, 2.7,
                                         3.3, 3.9, 4.7, 5.6, 6.8, 8.2};

// E192 in hundredths of its decade's first value; E96 is every second of
// these and E48 every fourth. 9.20 stands where the rounded geometric
// series would give 9.19, as the standard has it.
constexpr std::array<int, 192> kE192 = {
    100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115, 117, 118, 120,
    121, 123, 124, 126, 127, 129, 130, 132, 133, 135, 137, 138, 140, 142, 143, 145,
    147, 149, 150, 152, 154, 156, 158, 160, 162, 164, 165, 167, 169, 172, 174, 176,
    178, 180, 182, 184, 187, 189, 191, 193, 196, 198, 200, 203, 205, 208, 210, 213,
    215, 218, 221, 223, 226, 229, 232, 234, 237, 240, 243, 246, 249, 252, 255, 258,
    261, 264, 267, 271, 274, 277, 280, 284, 287, 291, 294, 298, 301, 305, 309, 312,
    316, 320, 324, 328, 332, 336, 340, 344, 348, 352, 357, 361, 365, 370, 374, 379,
    383, 388, 392, 397, 402, 407, 412, 417, 422, 427, 432, 437, 442, 448, 453, 459,
    464, 470, 475, 481, 487, 493, 499, 505, 511, 517, 523, 530, 536, 542, 549, 556,
    562, 569, 576, 583, 590, 597, 604, 612, 619, 626, 634, 642, 649, 657, 665, 673,
    681, 690, 698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806, 816,
    825, 835, 845, 856, 866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988};

constexpr double kCeiling = 10000000.0;
constexpr int kDecades = 7;  // 1 ohm to 9.xx MOhm

std::vector<double> TwoDigitTable(const double* base, std::size_t n) {
    std::vector<double> table{0.0};
    double decade = 1.0;
    for (int k = 0; k < kDecades; ++k) {
        for (std::size_t j = 0; j < n; ++j) table.push_back(base[j] * decade);
        decade *= 10.0;
    }
    table.push_back(kCeiling);
    return table;
}

// Every `step`-th value of E192, each the double nearest its decimal:
// hundredths and tenths by one division, whole ohms and up by one exact
// product.
std::vector<double> ThreeDigitTable(std::size_t step) {
    static constexpr double kWholeScale[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
    static_assert(sizeof kWholeScale / sizeof kWholeScale[0] == kDecades - 2);
    std::vector<double> table{0.0};
    table.reserve(2 + kDecades * kE192.size() / step);
    for (int k = 0; k < kDecades; ++k) {
        for (std::size_t j = 0; j < kE192.size(); j += step) {
            const double n = kE192[j];
            table.push_back(k == 0   ? n / 100.0
                            : k == 1 ? n / 10.0
                                     : n * kWholeScale[static_cast<std::size_t>(k - 2)]);
        }
    }
    table.push_back(kCeiling);
    return table;
}

std::size_t Index(Series series) { return static_cast<std::size_t>(series); }

// The chosen entry, by the rule StandardValue follows: the first entry
// above r and the one below it, the nearer relative to r, a tie to the
// lower; below zero 1 ohm, from the ceiling up the ceiling. The first entry
// above r is found by halving the table, or by stepping from `hint` when
// one is given.
std::size_t Nearest(const std::vector<double>& table, double r,
                    std::optional<std::size_t> hint = std::nullopt) {
    const std::size_t top = table.size() - 1;
    if (r < 0.0) return 1;
    if (r >= table[top]) return top;
    const auto last = table.begin() + static_cast<std::ptrdiff_t>(top);
    const auto i = hint ? FirstEntryAbove(table.data(), top, r, *hint)
                        : static_cast<std::size_t>(std::upper_bound(table.begin() + 1, last, r) -
                                                   table.begin());
    const double upper = std::fabs(r - table[i]) / r;
    const double lower = std::fabs(r - table[i - 1]) / r;
    return upper < lower ? i : i - 1;
}

// Three significant digits with " k" or " M": the resistance text of the
// listing ("47.0 k", "550   ") without its padding, plain ohms ending in
// one space as the short texts do ("550 ").
std::string ThreeDigitText(double value) {
    if (value == 0.0) return "0 ";
    std::string text = COhms(value);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (text.back() != 'k' && text.back() != 'M') text.push_back(' ');
    return text;
}

}  // namespace

const char* SeriesName(Series series) {
    static constexpr std::array<const char*, kSeriesCount> names = {"E12", "E24", "E48", "E96",
                                                                     "E192"};
    return names[Index(series)];
}

Series SeriesAt(std::size_t index) { return static_cast<Series>(index); }

std::optional<Series> SeriesFromName(std::string_view name) {
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        if (name == SeriesName(SeriesAt(i))) return SeriesAt(i);
    }
    return std::nullopt;
}

int ValuesPerDecade(Series series) {
    static constexpr std::array<int, kSeriesCount> counts = {12, 24, 48, 96, 192};
    return counts[Index(series)];
}

namespace {

std::vector<double> MakeTable(Series series) {
    switch (series) {
        case Series::E12: return TwoDigitTable(kE12.data(), kE12.size());
        case Series::E24:
            return std::vector<double>(StandardValueTable().begin(), StandardValueTable().end());
        case Series::E48: return ThreeDigitTable(4);
        case Series::E96: return ThreeDigitTable(2);
        case Series::E192: break;
    }
    return ThreeDigitTable(1);
}

std::vector<std::string> MakeTexts(Series series) {
    std::vector<std::string> texts;
    for (double value : SeriesTable(series)) texts.push_back(SeriesValueText(series, value));
    return texts;
}

}  // namespace

const std::vector<double>& SeriesTable(Series series) { return OncePerSeries<&MakeTable>(series); }

std::string SeriesValueText(Series series, double value) {
    if (series == Series::E12 || series == Series::E24) {
        double w = value;
        return value == 0.0 ? std::string("0 ") : StandardValue(w);
    }
    return ThreeDigitText(value);
}

std::size_t SnapIndex(Series series, double r) {
    if (series == Series::E24) return StandardValueIndex(r);
    if (r == 0.0) return 0;
    return Nearest(SeriesTable(series), r);
}

std::size_t SnapIndexNear(Series series, double r, std::size_t hint) {
    if (series == Series::E24) return StandardValueIndexNear(r, hint);
    if (r == 0.0) return 0;
    return Nearest(SeriesTable(series), r, hint);
}

const std::string& SeriesTextAt(Series series, std::size_t index) {
    if (series == Series::E24) return StandardValueText(index);
    return OncePerSeries<&MakeTexts>(series)[index];
}

std::string SnapToSeries(Series series, double& r) {
    if (r == 0.0) return {};
    const std::size_t index = SnapIndex(series, r);
    r = SeriesTable(series)[index];
    return SeriesTextAt(series, index);
}

Tolerance ToleranceAt(std::size_t index) { return static_cast<Tolerance>(index); }

const char* ToleranceText(Tolerance tolerance) {
    static constexpr std::array<const char*, kToleranceCount> texts = {"0", "0.1", "0.5",
                                                                       "1", "2",   "5"};
    return texts[static_cast<std::size_t>(tolerance)];
}

const char* ToleranceLabel(Tolerance tolerance) {
    static constexpr std::array<const char*, kToleranceCount> labels = {
        "none", "0.1 %", "0.5 %", "1 %", "2 %", "5 %"};
    return labels[static_cast<std::size_t>(tolerance)];
}

std::optional<Tolerance> ToleranceFromText(std::string_view text) {
    for (std::size_t i = 0; i < kToleranceCount; ++i) {
        if (text == ToleranceText(ToleranceAt(i))) return ToleranceAt(i);
    }
    return std::nullopt;
}

double ToleranceFraction(Tolerance tolerance) {
    static constexpr std::array<double, kToleranceCount> fractions = {0.0,  0.001, 0.005,
                                                                      0.01, 0.02,  0.05};
    return fractions[static_cast<std::size_t>(tolerance)];
}

FactorBounds FactorWithinTolerance(double r1, double r2, double t) {
    const double r1High = r1 * (1 + t), r1Low = r1 * (1 - t);
    const double r2High = r2 * (1 + t), r2Low = r2 * (1 - t);
    return FactorBounds{r2Low / (r2Low + r1High), r2High / (r2High + r1Low)};
}

}  // namespace korvane
