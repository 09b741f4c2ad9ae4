#include "network/standard_value.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "io/numeric.h"

namespace korvane {
namespace {

constexpr std::array<double, 24> kE24 = {
    1.0, 1.1, 1.2, 1.3, 1.5, 1.6, 1.8, 2.0, 2.2, 2.4, 2.7, 3.0,
    3.3, 3.6, 3.9, 4.3, 4.7, 5.1, 5.6, 6.2, 6.8, 7.5, 8.2, 9.1};

constexpr std::size_t kTop = kStandardValueCount - 1;  // 10 MOhm

std::array<double, kStandardValueCount> BuildTable() {
    std::array<double, kStandardValueCount> table{};
    table[0] = 0.0;
    double decade = 1.0;
    for (std::size_t k = 0; k < 7; ++k) {
        for (std::size_t j = 0; j < kE24.size(); ++j) {
            // The product of base and power, rounded once to double.
            table[1 + j + 24 * k] = kE24[j] * decade;
        }
        decade *= 10.0;  // 10, 100, ... exact in double
    }
    table[kTop] = 10000000.0;
    return table;
}

// The short text of a chosen value w, by the table of ranges.
std::string ValueText(double w) {
    if (w > 950000.0) return CutNumberText(std::floor(w / 100000.0 + 0.5) / 10.0) + " M";
    if (w >= 9500.0) return CutNumberText(std::floor(w + 0.5) / 1000.0) + " k";
    if (w >= 950.0) return CutNumberText(std::floor(w * 10.0 + 0.5) / 10000.0) + " k";
    if (w >= 9.5) return CutNumberText(std::floor(w + 0.5)) + " ";
    return CutNumberText(std::floor(w * 10.0 + 0.5) / 10.0) + " ";
}

// The value can only ever be a table entry, so each entry's text is made
// once.
const std::array<std::string, kStandardValueCount>& Texts() {
    static const std::array<std::string, kStandardValueCount> texts = [] {
        std::array<std::string, kStandardValueCount> t;
        const auto& table = StandardValueTable();
        for (std::size_t i = 0; i < kStandardValueCount; ++i) t[i] = ValueText(table[i]);
        return t;
    }();
    return texts;
}

}  // namespace

const std::array<double, kStandardValueCount>& StandardValueTable() {
    static const std::array<double, kStandardValueCount> table = BuildTable();
    return table;
}

namespace {

// The entry chosen for r, with i the first entry from index 1 greater than
// r (or the top): the nearer of entries i and i - 1 in relative terms.
std::size_t NearerNeighbour(const std::array<double, kStandardValueCount>& table, double r,
                            std::size_t i) {
    // Relative distances to both neighbours, each divided by r itself (sign
    // included); an exact tie goes to the lower one. Dividing both by the
    // same positive r keeps their order, and only two distances within a
    // few units in the last place of each other can round to the same
    // quotient: the quotients are worked out when the two are within a
    // millionth of each other, a window far wider than that.
    const double toUpper = std::fabs(r - table[i]);
    const double toLower = std::fabs(r - table[i - 1]);
    if (toUpper < toLower * 0.999999) return i;
    if (toLower < toUpper * 0.999999) return i - 1;
    const double upper = toUpper / r;
    const double lower = toLower / r;
    return upper < lower ? i : i - 1;
}

// The index chosen for an r that is 0, negative or at the ceiling, or
// nothing for any other r.
std::optional<std::size_t> OutsideTheTable(double r) {
    if (r == 0.0) return 0;
    // Below zero both relative errors are negative and the upper one is
    // the smaller, so 1 ohm is chosen. Taken first because far below zero
    // (from about -9e15) both errors round to -1 and would tie.
    if (r < 0.0) return 1;
    // At or above the ceiling the upper error is the smaller one, so 10 MOhm
    // is chosen. Taken first because far above the ceiling (from about
    // 2e22) both differences round to the same double and would tie.
    if (r >= StandardValueTable()[kTop]) return kTop;
    return std::nullopt;
}

}  // namespace

std::size_t FirstEntryAbove(const double* table, std::size_t top, double r, std::size_t hint) {
    std::size_t i = std::clamp<std::size_t>(hint, 1, top);
    while (i > 1 && table[i - 1] > r) --i;
    while (i < top && table[i] <= r) ++i;
    return i;
}

std::size_t StandardValueIndex(double r) {
    if (const auto outside = OutsideTheTable(r)) return *outside;
    // The first entry from index 1 that is greater than r, or index 169
    // (10 MOhm) when no entry up to 9.1 MOhm is: the entry a walk from
    // index 1 stops at. The table is strictly ascending, so the first entry
    // greater than r is the upper bound of r in entries 1 to 168.
    const auto& table = StandardValueTable();
    const auto first = table.begin() + 1;
    const auto last = table.begin() + static_cast<std::ptrdiff_t>(kTop);
    const auto i = static_cast<std::size_t>(std::upper_bound(first, last, r) - table.begin());
    return NearerNeighbour(table, r, i);
}

std::size_t StandardValueIndexNear(double r, std::size_t hint) {
    if (const auto outside = OutsideTheTable(r)) return *outside;
    const auto& table = StandardValueTable();
    return NearerNeighbour(table, r, FirstEntryAbove(table.data(), kTop, r, hint));
}

const std::string& StandardValueText(std::size_t index) { return Texts()[index]; }

std::string StandardValue(double& r) {
    if (r == 0.0) return {};
    const std::size_t chosen = StandardValueIndex(r);
    r = StandardValueTable()[chosen];
    return Texts()[chosen];
}

}  // namespace korvane
