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

// Values in each decade: 12, 24, 48, 96, 192.
int ValuesPerDecade(Series series);

// What Make(S) gives, made the first time it is asked for and kept.
template <Series S, auto Make>
const auto& MadeOnce() {
    static const auto made = Make(S);
    return made;
}

// What Make(series) gives, made the first time that series asks for it and
// kept for the rest of the run, so that tables and texts are built only
// for the series in use.
template <auto Make>
const auto& OncePerSeries(Series series) {
    switch (series) {
        case Series::E12: return MadeOnce<Series::E12, Make>();
        case Series::E24: return MadeOnce<Series::E24, Make>();
        case Series::E48: return MadeOnce<Series::E48, Make>();
        case Series::E96: return MadeOnce<Series::E96, Make>();
        case Series::E192: break;
    }
    return MadeOnce<Series::E192, Make>();
}

// The table values are chosen from: index 0 is 0 (the lower neighbour of
// 1 ohm), then every value of the series from 1 ohm up in seven decades
// (1 ohm to 9.xx MOhm), then 10 MOhm, the ceiling. E12 and E24 are their
// two-digit base values times 1, 10, ... 10^6, each the double product of
// the two (1.1 x 100 is 110.00000000000001), as the E24 table always was;
// E48 and finer, whose values have three digits, are the doubles nearest to
// their decimals (4.99, 49.9, 499, ...). Strictly ascending.
const std::vector<double>& SeriesTable(Series series);

// Snaps `r` to the nearest value of the series in relative terms, as
// StandardValue does for E24 (and for E24 it is StandardValue): 0 below
// half an ohm, 10 MOhm as the ceiling, a tie to the lower value, every
// negative r to 1 ohm; r = 0 gives "" and stays 0. Returns the value's text:
// for E12 and E24 the short text ("4.7 k", "10 "), for E48 and finer three
// significant digits ("4.99 k", "1.02 M", "49.9 ", "107 k", "1.00 k").
std::string SnapToSeries(Series series, double& r);

// The index in SeriesTable(series) of the value SnapToSeries chooses for r
// (0 for r = 0); `r` must not be NaN.
std::size_t SnapIndex(Series series, double r);

// SnapIndex(series, r) found by stepping from the table's entry at `hint`,
// quicker for values that move a few entries at a time; any hint gives the
// same index. `r` must not be NaN.
std::size_t SnapIndexNear(Series series, double r, std::size_t hint);

// The text SnapToSeries gives for the table's value at `index` ("0 " at
// index 0, as for an r above 0 that rounds to no resistor), made once.
const std::string& SeriesTextAt(Series series, std::size_t index);

// The text of a value of the series' table, as SnapToSeries gives it.
std::string SeriesValueText(Series series, double value);

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
