#pragma once
// The engineering text of a computed result: four significant digits and a
// suffix for the power of ten, in a fixed width of 11 characters in all
// ordinary cases (sign position, six-character mantissa, five-character
// suffix), so that results line up in a fixed-pitch font.
//
//   0            -> " 0.000     "     5e-17        -> " 0.000     "
//   -5e-17       -> "-0.000     "     1            -> " 1.000     "
//   -3.3         -> "-3.300     "     2.0625       -> " 2.063     "
//   12.345       -> " 12.35     "     57           -> " 57.00     "
//   0.5          -> " 500.0e-3  "     0.000123456  -> " 123.5e-6  "
//   1.5e-10      -> " 150.0e-12 "     1e-15        -> " 1.000e-15 "
//   1234.5       -> " 1.235e+3  "     9999.5       -> " 10.00e+3  "
//   470000       -> " 470.0e+3  "     9.9e12       -> " 9.900e+12 "
//   999.95       -> " 1000     "      (10 characters: a divisor-10 band's top)
//   2e13         -> "+*.***E\xB1* "   (out of range; "-" first when negative)
//
// Magnitudes up to 9.9995e-16 give the zero text (with "-" first for a
// negative value that is not exactly zero); magnitudes above 9.9995e12, and
// infinities and NaN, give the out-of-range mask. The text is Windows-1252:
// the plus-minus sign is the single byte 0xB1.

#include <cstddef>
#include <string>

namespace korvane {

std::string Roundoff(double value);

// The room Roundoff's text needs: at most 11 characters.
inline constexpr std::size_t kRoundoffRoom = 16;

// Roundoff's text written at `out`, which has room for kRoundoffRoom
// characters; returns the end of the text.
char* WriteRoundoff(char* out, double value);

}  // namespace korvane
