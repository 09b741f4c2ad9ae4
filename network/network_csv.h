#pragma once
// The network listing as CSV, for a spreadsheet: the numbers behind the
// screen's texts, in full.

#include <string>
#include <vector>

#include "network/network_search.h"
#include "network/series.h"

namespace korvane {

// A header line, then one line per row, one column per quantity:
//   R1 (ohms),R2 (ohms),B,Error (%),Rin (ohms),Ro (ohms),Current (A),
//   P in R1 (W),P in R2 (W)[,B low,B high]
// the last two with a tolerance. Numbers have 15 significant digits, the
// precision a spreadsheet keeps ("330", "220", "0.4", "0.0264710690162893"),
// with "." as the decimal point whatever the locale; every line ends with
// CR LF. UTF-8 (the text is ASCII).
std::string NetworkCsv(const std::vector<NetworkRow>& rows, Tolerance tolerance);

}  // namespace korvane
