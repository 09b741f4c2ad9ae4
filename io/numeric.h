#pragma once
// Numbers in and out of texts, the way every field and file of Korvane
// reads and writes them. All texts are Windows-1252 bytes.

#include <string>
#include <string_view>

namespace korvane {

// The numeric value of a text: the longest leading decimal number, after
// skipping blanks, tabs and line feeds wherever they stand (also between
// digits). Optional sign, digits, "." as the decimal point whatever the
// locale, optional exponent "e"/"E" with optional sign and digits. Reading
// stops at the first character that cannot continue the number; a text with
// no leading number is 0. A number too large for a double gives +/-infinity
// (callers treat a non-finite value as a fault).
//   "100e3"        -> 100000
//   "393.4e-3"     -> 0.3934
//   "2k2"          -> 2
//   " 4.939e+3  "  -> 4939
//   "1 000"        -> 1000
//   "- 5"          -> -5
//   "", "abc", "." -> 0
double NumericValue(std::string_view text);

// Where the numeric parse of `text` stopped: the index after the last
// character it read (blanks it skipped on the way included), or 0 when the
// text has no leading number.
//   "100k" -> 3   "2k2" -> 1   " 4.939e+3  " -> 11   "1e" -> 1   "abc" -> 0
std::size_t NumericEnd(std::string_view text);

// The blanks the numeric parse skips: space, tab and line feed.
bool IsNumericBlank(char c);

// The general number-to-text conversion: rounded to 15 significant digits,
// no trailing zeros, no point for whole values, no zero before the point
// for magnitudes below 1, a sign position first (space or "-"). Exponent
// form when the decimal exponent is below -4 or 15 and above.
//   0.1 + 0.2 -> " .3"       -0.25    -> "-.25"      0    -> " 0"
//   100000    -> " 100000"   1e20     -> " 1E+20"    1.5e-5 -> " 1.5E-05"
// Only finite values are passed in; infinity gives " INF", NaN " NAN".
std::string NumberText(double value);

// NumberText(k / 10^places) for a whole number k: the number text of a
// value rounded to `places` decimals, from its count of units of the last
// decimal, as the texts of rounded results are made.
//   (393, 3) -> " .393"   (-25, 2) -> "-.25"   (1010, 2) -> " 10.1"
//   (4700, 3) -> " 4.7"   (0, 2) -> " 0"       (10000, 1) -> " 1000"
std::string ScaledNumberText(double k, int places);

// The longest number text, with room to spare: a sign, 17 digits, the
// point, "E", the exponent's sign and three digits.
inline constexpr std::size_t kNumberTextRoom = 32;

// ScaledNumberText written at `out`, which has room for kNumberTextRoom
// characters; returns the end of the text.
char* WriteScaledNumberText(char* out, double k, int places);

// NumberText without its sign position (the first character removed).
//   4.7 -> "4.7"   2000 -> "2000"
std::string CutNumberText(double value);

// Rounding to a whole number, halves to the even neighbour.
//   2.5 -> 2   3.5 -> 4   -2.5 -> -2   0.5 -> 0   1.5 -> 2
double RoundHalfEven(double value);

}  // namespace korvane
