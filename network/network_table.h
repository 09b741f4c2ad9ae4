#pragma once
// The listed dividers as a table: its columns and where their names stand
// in the heading, each row's texts as the listed line shows them, the
// orders the list can be shown in, the row with the smallest error, and
// the text a copy puts on the clipboard. The listed lines themselves are
// NetworkSearch's.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "network/network_search.h"
#include "network/series.h"

namespace korvane {

// Columns, in the order of the line: R1, R2, B, %Error, Rin, Ro, Current,
// P in R1, P in R2, and with a tolerance B low and B high.
enum class NetworkColumn : std::size_t {
    R1, R2, B, Error, Rin, Ro, Current, PR1, PR2, BLow, BHigh
};

// 9, or 11 with a tolerance.
std::size_t NetworkColumnCount(Tolerance tolerance);
// The column's name as the heading writes it: "R1", "%Error", "P in R1", "B high".
const char* NetworkColumnName(NetworkColumn column);

// The column whose heading covers character `at` of NetworkHeading(tolerance)
// (counted from 0), or any character right of it: each column from where
// its values start in the line up to where the next one's start, the last
// one onwards.
//   0 .. 6 -> R1   7 .. 13 -> R2   21 .. 29 -> Error   69 .. 80 -> PR2
//   81 or more -> PR2 without a tolerance; BLow up to 92, then BHigh, with one
NetworkColumn NetworkColumnAt(std::size_t at, Tolerance tolerance);

// Where the column's name stands in the heading, as [first, end):
//   R1 -> {1, 3}   Error -> {22, 28}   PR1 -> {59, 66}
std::pair<std::size_t, std::size_t> NetworkColumnNameSpan(NetworkColumn column,
                                                          Tolerance tolerance);

// The number a column is sorted by: the row's own value, in full.
double NetworkColumnValue(const NetworkRow& row, NetworkColumn column);

// The row's texts, one per column, as its line shows them without the
// blanks around them:
//   {"330", "220", ".4", "1.68", "550", "132", "26.47e-3", "231.3e-3", "154.2e-3"}
std::vector<std::string> NetworkCells(const NetworkRow& row, Tolerance tolerance);

// The rows' indices in the order of the column's values, ascending or
// descending; rows of equal value keep the order of the search.
std::vector<std::size_t> NetworkSortOrder(const std::vector<NetworkRow>& rows,
                                          NetworkColumn column, bool descending);

// The row whose error is smallest in magnitude (the first of equals), or
// nothing for no rows.
std::optional<std::size_t> SmallestErrorRow(const std::vector<NetworkRow>& rows);

// The rows `shown` (indices into `rows`, in the order given) as text for a
// spreadsheet: a heading line of the column names, then one line per row,
// the cells separated by a TAB; every line ends with "\n".
//   "R1\tR2\tB\t%Error\tRin\tRo\tCurrent\tP in R1\tP in R2\n"
//   "330\t220\t.4\t1.68\t550\t132\t26.47e-3\t231.3e-3\t154.2e-3\n"
std::string NetworkCopyText(const std::vector<NetworkRow>& rows,
                            const std::vector<std::size_t>& shown, Tolerance tolerance);

}  // namespace korvane
