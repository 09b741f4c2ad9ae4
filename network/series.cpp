#include "network/series.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "format/cohms.h"
#include "io/numeric.h"

namespace korvane {
namespace {

constexpr std::array<double, 12> kE12 = {1.0, 1.2, 1.5, 1.8, 2.2, 2.7,
                                         3.3, 3.9, 4.7, 5.6, 6.8, 8.2};

constexpr std::array<double, 24> kE24 = {1.0, 1.1, 1.2, 1.3, 1.5, 1.6, 1.8, 2.0,
                                         2.2, 2.4, 2.7, 3.0, 3.3, 3.6, 3.9, 4.3,
                                         4.7, 5.1, 5.6, 6.2, 6.8, 7.5, 8.2, 9.1};

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

// Base values times 1, 10, ... 10^6, each product rounded once to double.
template <std::size_t N>
std::vector<double> TwoDigitTable(const std::array<double, N>& base) {
    std::vector<double> table{0.0};
    double decade = 1.0;
    for (int k = 0; k < kDecades; ++k) {
        for (double b : base) table.push_back(b * decade);
        decade *= 10.0;  // exact in double
    }
    table.push_back(kCeiling);
    return table;
}

// Every `step`-th value of E192, each the double nearest its decimal:
// hundredths and tenths by one division, whole ohms and up by one exact
// product.
std::vector<double> ThreeDigitTable(std::size_t step) {
    std::vector<double> table{0.0};
    double whole = 1.0;  // 1, 10, ... 10^4 for the decades from 100 ohms up
    for (int k = 0; k < kDecades; ++k) {
        for (std::size_t j = 0; j < kE192.size(); j += step) {
            const double n = kE192[j];
            table.push_back(k == 0 ? n / 100.0 : k == 1 ? n / 10.0 : n * whole);
        }
        if (k >= 2) whole *= 10.0;
    }
    table.push_back(kCeiling);
    return table;
}

// The short text of a two-digit series' value w, by the table of ranges.
std::string ShortText(double w) {
    if (w > 950000.0) return CutNumberText(std::floor(w / 100000.0 + 0.5) / 10.0) + " M";
    if (w >= 9500.0) return CutNumberText(std::floor(w + 0.5) / 1000.0) + " k";
    if (w >= 950.0) return CutNumberText(std::floor(w * 10.0 + 0.5) / 10000.0) + " k";
    if (w >= 9.5) return CutNumberText(std::floor(w + 0.5)) + " ";
    return CutNumberText(std::floor(w * 10.0 + 0.5) / 10.0) + " ";
}

// Three significant digits with " k" or " M": the resistance text of the
// listing ("47.0 k", "550   ") without its padding, plain ohms ending in
// one space as the short texts do ("550 ").
std::string ThreeDigitText(double value) {
    if (value == 0.0) return "0 ";
    std::string text = COhms(value);
    while (text.back() == ' ') text.pop_back();
    if (text.back() != 'k' && text.back() != 'M') text.push_back(' ');
    return text;
}

struct SeriesData {
    std::vector<double> table;
    std::vector<std::string> texts;
};

SeriesData Make(Series series) {
    SeriesData d;
    const bool twoDigit = series == Series::E12 || series == Series::E24;
    switch (series) {
        case Series::E12: d.table = TwoDigitTable(kE12); break;
        case Series::E24: d.table = TwoDigitTable(kE24); break;
        case Series::E48: d.table = ThreeDigitTable(4); break;
        case Series::E96: d.table = ThreeDigitTable(2); break;
        case Series::E192: d.table = ThreeDigitTable(1); break;
    }
    for (double value : d.table) d.texts.push_back(twoDigit ? ShortText(value) : ThreeDigitText(value));
    return d;
}

const SeriesData& Data(Series series) {
    static const std::array<SeriesData, kSeriesCount> all = {
        Make(Series::E12), Make(Series::E24), Make(Series::E48), Make(Series::E96),
        Make(Series::E192)};
    return all[static_cast<std::size_t>(series)];
}

// The index chosen for r (not 0, not NaN) by walking from `hint`.
std::size_t NearestIndex(const std::vector<double>& table, double r, std::size_t hint) {
    const std::size_t top = table.size() - 1;
    // Below zero both relative distances are negative and the upper one is
    // the smaller, so 1 ohm is chosen; from the ceiling up, the ceiling.
    // Taken first: far outside the table both distances round alike.
    if (r < 0.0) return 1;
    if (r >= table[top]) return top;
    // The first entry from index 1 greater than r (the walk ends at the top).
    std::size_t i = std::clamp<std::size_t>(hint, 1, top);
    while (i > 1 && table[i - 1] > r) --i;
    while (i < top && table[i] <= r) ++i;
    const double upper = std::fabs(r - table[i]) / r;
    const double lower = std::fabs(r - table[i - 1]) / r;
    return upper < lower ? i : i - 1;
}

}  // namespace

const std::vector<double>& SeriesTable(Series series) { return Data(series).table; }

const std::string& SeriesText(Series series, std::size_t index) {
    return Data(series).texts[index];
}

Snapped Snap(Series series, double r, std::size_t hint) {
    if (r == 0.0) return {};
    const SeriesData& d = Data(series);
    const std::size_t i = NearestIndex(d.table, r, hint);
    return {d.table[i], i, d.texts[i]};
}

std::string StandardValue(double& r) {
    const Snapped s = Snap(Series::E24, r);
    r = s.value;
    return std::string(s.text);
}

const char* SeriesName(Series series) {
    static constexpr std::array<const char*, kSeriesCount> names = {"E12", "E24", "E48", "E96",
                                                                     "E192"};
    return names[static_cast<std::size_t>(series)];
}

Series SeriesAt(std::size_t index) { return static_cast<Series>(index); }

std::optional<Series> SeriesFromName(std::string_view name) {
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        if (name == SeriesName(SeriesAt(i))) return SeriesAt(i);
    }
    return std::nullopt;
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
