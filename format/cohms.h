#pragma once
// The resistance text of the feedback network's Rin and Ro columns: three
// significant digits with a unit prefix, padded with spaces to at least six
// characters.
//
//   550     -> "550   "     132     -> "132   "     1010    -> "1.01 k"
//   90.099  -> "90.1  "     9570    -> "9.57 k"     47000   -> "47.0 k"
//   100000  -> "100 k "     2.2e6   -> "2.20 M"     12e6    -> "12.0 M"
//   10      -> "10.0  "     4.7     -> "4.70  "     99.95   -> "100   "
//   9995    -> "10.0 k"     999500  -> "1.00 M"     9995000 -> "10 M  "
//   9995001 -> "10.0 M"
//
// `r` must be finite.

#include <cstddef>
#include <string>

namespace korvane {

std::string COhms(double r);

// The room COhms's text needs, with room to spare: a number text and a
// unit.
inline constexpr std::size_t kCOhmsRoom = 48;

// COhms's text written at `out`, which has room for kCOhmsRoom characters;
// returns the end of the text.
char* WriteCOhms(char* out, double r);

}  // namespace korvane
