#pragma once
// The series of preferred resistor values a divider is built from, E12 to
// E192 (IEC 60063), each from 1 ohm to 10 MOhm, and the tolerances the
// listing can show the effect of.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

enum class Series { E12, E24, E48, E96, E192 };

// "E12", "E24", "E48", "E96", "E192" - the names shown and saved.
const char* SeriesName(Series series);
// The series of a name as saved; nothing for any other text.
//   "E96" -> E96   "e96" -> nothing   "E6" -> nothing
std::optional<Series> SeriesFromName(std::string_view name);
inline constexpr Series kDefaultSeries = Series::E24;
inline constexpr std::size_t kSeriesCount = 5;
Series SeriesAt(std::size_t index);  // in the order of the enum

// The table values are chosen from: index 0 is 0 (the lower neighbour of
// 1 ohm), then every value of the series from 1 ohm up in seven decades
// (1 ohm to 9.xx MOhm), then 10 MOhm, the ceiling. E12 and E24 are their
// two-digit base values times 1, 10, ... 10^6, each the double product of
// the two (1.1 x 100 is 110.00000000000001); E48 and finer, whose values
// have three digits, are the doubles nearest to their decimals (4.99, 49.9,
// 499, ...). Strictly ascending. Made once, at first use.
//   E24: 170 entries, [1] = 1, [24] = 9.1, [50] = 110.00000000000001, [169] = 1e7
const std::vector<double>& SeriesTable(Series series);

// The text of the table's value at `index`: for E12 and E24 the short text
// ("4.7 k", "10 ", "1 M"), for E48 and finer three significant digits
// ("4.99 k", "1.02 M", "49.9 ", "107 k", "1.00 k"); "0 " at index 0. Made
// once with the table.
const std::string& SeriesText(Series series, std::size_t index);

// A resistance snapped to the series: the chosen table value, its index and
// its text ("" for an r of exactly 0, which stays 0).
struct Snapped {
    double value = 0;
    std::size_t index = 0;
    std::string_view text;
};

// The nearest value of the series to `r` in relative terms: walking the
// table from index 1 (or from `hint`, which finds the same entry sooner
// when r is near it) to the first entry above r, the nearer of that entry
// and the one below it, each distance divided by r itself; a tie goes to
// the lower. So 0 < r <= 0.5 gives 0, every negative r gives 1 ohm, and
// every r from 10 MOhm up gives 10 MOhm. `r` must not be NaN.
//   E24: 4650 -> 4700 "4.7 k"   10.5 -> 10 "10 "   999 -> 1000 "1 k"
//        9.6e6 -> 1e7 "10 M"    0.3 -> 0 "0 "      -50 -> 1 "1 "   0 -> 0 ""
//   E96: 5000 -> 4990 "4.99 k"  1.02e6 -> 1.02e6 "1.02 M"   9.8 -> 9.76 "9.76 "
Snapped Snap(Series series, double r, std::size_t hint = 1);

// The E24 snap, `r` in and out, returning the value's text.
//   4650 -> 4700, "4.7 k"   935000 -> 910000, "910 k"   25e6 -> 1e7, "10 M"
std::string StandardValue(double& r);

// The tolerance of both resistors, for the bounds of the factor a pair can
// give: none, 0.1 %, 0.5 %, 1 %, 2 % or 5 %.
enum class Tolerance { None, P0_1, P0_5, P1, P2, P5 };
inline constexpr Tolerance kDefaultTolerance = Tolerance::None;
inline constexpr std::size_t kToleranceCount = 6;
Tolerance ToleranceAt(std::size_t index);  // in the order of the enum
// As saved: "0", "0.1", "0.5", "1", "2", "5".
const char* ToleranceText(Tolerance tolerance);
// As shown in the choice: "none", "0.1 %", "0.5 %", "1 %", "2 %", "5 %".
const char* ToleranceLabel(Tolerance tolerance);
// The tolerance of a saved text; nothing for any other text.
//   "1" -> P1   "0.5" -> P0_5   "0" -> None   "3" -> nothing   "" -> nothing
std::optional<Tolerance> ToleranceFromText(std::string_view text);
// As a fraction: 0, 0.001, 0.005, 0.01, 0.02, 0.05.
double ToleranceFraction(Tolerance tolerance);

// The lowest and highest factor R2 / (R1 + R2) that a pair of resistors of
// nominal r1 and r2 can give within tolerance t (a fraction): R2 low with
// R1 high, and R2 high with R1 low.
//   r1 330, r2 220, t 0.01 -> low 0.392, high 0.408 (about)
struct FactorBounds {
    double low = 0, high = 0;
};
FactorBounds FactorWithinTolerance(double r1, double r2, double t);

}  // namespace korvane
