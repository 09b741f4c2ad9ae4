#pragma once
// Standard (E24) resistor values from 1 ohm to 10 megohms.

#include <array>
#include <cstddef>
#include <string>

namespace korvane {

// Snaps `r` (ohms) to the nearest E24 value in relative terms, with 0 below
// 1 ohm and 10 MOhm as the ceiling; an exact tie goes to the lower value.
// Returns the value's short text. r = 0 gives "" and stays 0.
//   4650 -> 4700, "4.7 k"     10.5 -> 10, "10 "       155 -> 150, "150 "
//   999  -> 1000, "1 k"       935000 -> 910000, "910 k"
//   9.6e6 -> 1e7, "10 M"      0.3 -> 0, "0 "          -50 -> 1, "1 "
// Every r of 10 MOhm or more gives 10 MOhm. `r` must not be NaN.
std::string StandardValue(double& r);

// The index in StandardValueTable() of the entry StandardValue(r) chooses
// (0 for r = 0); `r` must not be NaN.
std::size_t StandardValueIndex(double r);

// StandardValueIndex(r) found by stepping from the entry at `hint` rather
// than by halving the table: the same index, quicker for a walk whose values
// move a few entries at a time. Any hint gives the right index; `r` must
// not be NaN.
std::size_t StandardValueIndexNear(double r, std::size_t hint);

// In an ascending table whose entries 1 to top are searched: the first
// entry from index 1 greater than r, or top when none below it is, found by
// stepping from `hint` (clamped to 1..top) down and then up.
std::size_t FirstEntryAbove(const double* table, std::size_t top, double r, std::size_t hint);

// The text StandardValue gives for the entry at `index`: "0 " at index 0,
// as for an r above 0 that rounds to no resistor (r = 0 itself gives "").
const std::string& StandardValueText(std::size_t index);

// The table the values are chosen from: index 0 is 0 (the lower neighbour
// of 1 ohm), 1 to 168 are the E24 base values times 1, 10, ... 10^6 (each
// the double product of base and power, so 1.1 x 100 is 110.00000000000001),
// 169 is 10 MOhm.
inline constexpr std::size_t kStandardValueCount = 170;
const std::array<double, kStandardValueCount>& StandardValueTable();

}  // namespace korvane
