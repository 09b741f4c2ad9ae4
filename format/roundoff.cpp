#include "format/roundoff.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "io/digit_pairs.h"
#include "io/numeric.h"

namespace korvane {
namespace {

struct Band {
    double low;
    double high;
    double scale;    // the product of the two factors, in double
    double divisor;
    char suffix[8];  // five characters, then room to copy eight at once
};

// A magnitude belongs to the first band with low <= m <= high, so one on a
// boundary goes to the lower band. Each bound lies half a unit of the fourth
// digit below a power of ten: a value that rounds up into the next decade is
// already written with that decade's decimals.
constexpr Band kBands[] = {
    {9.9995e-16, 9.9995e-15, 1000 * 1e15, 1000, "e-15 "},
    {9.9995e-15, 9.9995e-14, 100 * 1e15, 100, "e-15 "},
    {9.9995e-14, 9.9995e-13, 10 * 1e15, 10, "e-15 "},
    {9.9995e-13, 9.9995e-12, 1000 * 1e12, 1000, "e-12 "},
    {9.9995e-12, 9.9995e-11, 100 * 1e12, 100, "e-12 "},
    {9.9995e-11, 9.9995e-10, 10 * 1e12, 10, "e-12 "},
    {9.9995e-10, 9.9995e-9, 1000 * 1e9, 1000, "e-9  "},
    {9.9995e-9, 9.9995e-8, 100 * 1e9, 100, "e-9  "},
    {9.9995e-8, 9.9995e-7, 10 * 1e9, 10, "e-9  "},
    {9.9995e-7, 9.9995e-6, 1000 * 1e6, 1000, "e-6  "},
    {9.9995e-6, 9.9995e-5, 100 * 1e6, 100, "e-6  "},
    {9.9995e-5, 0.00099995, 10 * 1e6, 10, "e-6  "},
    {0.00099995, 0.0099995, 1000 * 1000.0, 1000, "e-3  "},
    {0.0099995, 0.099995, 100 * 1000.0, 100, "e-3  "},
    {0.099995, 0.99995, 10 * 1000.0, 10, "e-3  "},
    {0.99995, 9.9995, 1000, 1000, "     "},
    {9.9995, 99.995, 100, 100, "     "},
    {99.995, 999.95, 10, 10, "     "},
    {999.95, 9999.5, 1000 * 0.001, 1000, "e+3  "},
    {9999.5, 99995, 100 * 0.001, 100, "e+3  "},
    {99995, 999950, 10 * 0.001, 10, "e+3  "},
    {999950, 9999500, 1000 * 1e-6, 1000, "e+6  "},
    {9999500, 99995000, 100 * 1e-6, 100, "e+6  "},
    {99995000, 999950000, 10 * 1e-6, 10, "e+6  "},
    {999950000, 9999500000, 1000 * 1e-9, 1000, "e+9  "},
    {9999500000, 99995000000, 100 * 1e-9, 100, "e+9  "},
    {99995000000, 999950000000, 10 * 1e-9, 10, "e+9  "},
    {999950000000, 9999500000000, 1000 * 1e-12, 1000, "e+12 "},
};

constexpr int kBandCount = static_cast<int>(sizeof kBands / sizeof kBands[0]);

// The band of a magnitude is found from its binary exponent: an octave
// [2^e, 2^(e+1)) holds at most one band boundary, as a decade is wider than
// an octave. kOctaves.firstAbove counts, for each octave 2^e, the boundaries
// (the lows of every band, then the top band's high) below 2^e; a magnitude
// in that octave is in the band before that count, or in the next band when
// it lies above the next boundary. Only octaves from 2^-50 (below
// 9.9995e-16) to 2^43 (holding 9.9995e12) are looked up.
constexpr int kLowestOctave = -50;
constexpr int kHighestOctave = 43;

struct Boundaries {
    double at[kBandCount + 1] = {};
};

// The lows of every band, then the top band's high.
constexpr Boundaries MakeBoundaries() {
    Boundaries b;
    for (int j = 0; j < kBandCount; ++j) b.at[j] = kBands[j].low;
    b.at[kBandCount] = kBands[kBandCount - 1].high;
    return b;
}

constexpr Boundaries kBoundaries = MakeBoundaries();

struct OctaveTable {
    unsigned char firstAbove[kHighestOctave - kLowestOctave + 1] = {};
};

constexpr OctaveTable MakeOctaveTable() {
    OctaveTable t;
    double p = 1.0;  // 2^kLowestOctave, exact in double
    for (int e = 0; e > kLowestOctave; --e) p /= 2;
    for (int e = kLowestOctave; e <= kHighestOctave; ++e) {
        int count = 0;
        while (count <= kBandCount && kBoundaries.at[count] < p) ++count;
        t.firstAbove[e - kLowestOctave] = static_cast<unsigned char>(count);
        p *= 2;
    }
    return t;
}

constexpr OctaveTable kOctaves = MakeOctaveTable();

// The band of a magnitude m with 9.9995e-16 < m <= 9.9995e12. The octave's
// count is at most kBandCount (2^43 is below the top boundary), and m is
// not above the top boundary, so the band is one of the table's.
int BandIndex(double m) {
    const auto bits = std::bit_cast<std::uint64_t>(m);
    const int octave = static_cast<int>(bits >> 52) - 1023;
    int count = kOctaves.firstAbove[octave - kLowestOctave];
    count += kBoundaries.at[count] < m ? 1 : 0;
    return count - 1;
}

constexpr char kZeroText[] = " 0.000     ";
constexpr char kOutOfRange[] = "+*.***E\xB1* ";

std::size_t Copy(char* out, const char* text, std::size_t length) {
    std::memcpy(out, text, length);
    return length;
}

// The number text of y with its decimals completed to four digits.
std::size_t WriteCompleted(char* out, double y) {
    std::string t = NumberText(y);
    if (1 <= y && y <= 9.9995) {
        if (t.size() == 2) t += ".000";
        if (t.size() == 4) t += "00";
        if (t.size() == 5) t += "0";
    } else if (9.9995 <= y && y <= 99.995) {
        if (t.size() == 3) t += ".00";
        if (t.size() == 5) t += "0";
    } else if (99.995 <= y && y <= 1000) {
        if (t.size() == 4) t += ".0";
    }
    return Copy(out, t.data(), t.size());
}

void WriteFourDigits(char* out, std::uint32_t n, unsigned intDigits, char sign = ' ');

// The mantissa y = n / divisor, where n = floor(m * scale + 0.5) is a whole
// number from 1000 to 10000: the number text of y completed to four digits
// (" 4.7" -> " 4.700", " 47" -> " 47.00", " 100" -> " 100.0"). Written
// straight from the digits of n, which is what rounding y to 15 significant
// digits and completing the decimals gives; " 1000" (n = 10000 in a
// divisor-10 band) keeps its five characters. The common case, n below
// 10000, is also written straight by WriteRoundoff.
std::size_t WriteMantissa(char* out, double n, double divisor) {
    if (!(n >= 1000 && n <= 10000)) {
        // Not reached from the bands; the general rule, for safety.
        return WriteCompleted(out, n / divisor);
    }
    if (n == 10000) {
        return divisor == 1000 ? Copy(out, " 10.00", 6)
               : divisor == 100 ? Copy(out, " 100.0", 6)
                                : Copy(out, " 1000", 5);
    }
    WriteFourDigits(out, static_cast<std::uint32_t>(n), divisor == 1000 ? 1 : divisor == 100 ? 2 : 3);
    return 6;
}

// n from 1000 to 9999 as the sign position (`sign`) and four digits with
// the point after the first intDigits of them: six characters, written as
// one eight-byte word (out has room for it).
void WriteFourDigits(char* out, std::uint32_t n, unsigned intDigits, char sign) {
    std::uint16_t high = 0, low = 0;
    std::memcpy(&high, kDigitPairs.at + 2 * (n / 100), 2);
    std::memcpy(&low, kDigitPairs.at + 2 * (n % 100), 2);
    // The digits as bytes, first digit lowest; the point goes in after
    // intDigits of them.
    const std::uint64_t chars = high | std::uint64_t{low} << 16;
    const unsigned cut = 8 * intDigits;
    const std::uint64_t before = chars & ((std::uint64_t{1} << cut) - 1);
    const std::uint64_t after = chars >> cut << (cut + 8);
    const std::uint64_t word =
        static_cast<unsigned char>(sign) | (before | std::uint64_t{'.'} << cut | after) << 8;
    static_assert(std::endian::native == std::endian::little, "the word is written lowest byte first");
    std::memcpy(out, &word, sizeof word);
}

// Digits before the point for each band: 1, 2 or 3 as its divisor is 1000,
// 100 or 10.
struct IntDigits {
    unsigned char at[kBandCount] = {};
};

constexpr IntDigits MakeIntDigits() {
    IntDigits d;
    for (int j = 0; j < kBandCount; ++j) {
        d.at[j] = kBands[j].divisor == 1000 ? 1 : kBands[j].divisor == 100 ? 2 : 3;
    }
    return d;
}

constexpr IntDigits kIntDigits = MakeIntDigits();

}  // namespace

// Every value by the whole rule: the zero text, the mask, and the mantissas
// written by WriteMantissa. Kept out of WriteRoundoff so that its common
// case needs no stack frame.
[[gnu::noinline]] std::size_t WriteRoundoffByRule(char* out, double value) {
    const bool negative = value < 0;
    const double m = negative ? -value : value;
    std::size_t length = 0;
    if (m <= 9.9995e-16) {
        length = Copy(out, kZeroText, sizeof kZeroText - 1);
        if (m == 0) return length;  // no sign, even for -0
    } else if (!(m <= 9.9995e12)) {
        length = Copy(out, kOutOfRange, sizeof kOutOfRange - 1);  // infinity and NaN too
    } else {
        const int index = BandIndex(m);
        const Band& band = kBands[index];
        // floor(x + 0.5) for the positive x: conversion drops the fraction.
        const auto n = static_cast<std::int64_t>(m * band.scale + 0.5);
        if (n >= 1000 && n < 10000) {
            WriteFourDigits(out, static_cast<std::uint32_t>(n), kIntDigits.at[index]);
            length = 6;
        } else {
            length = WriteMantissa(out, static_cast<double>(n), band.divisor);
        }
        std::memcpy(out + length, band.suffix, sizeof band.suffix);
        length += 5;
    }
    out[0] = negative ? '-' : out[0];
    return length;
}

std::size_t WriteRoundoff(char* out, double value) {
    // The common case: a magnitude within the bands whose mantissa rounds
    // to four digits below 10000, written as two eight-byte blocks with the
    // sign in the first character.
    const bool negative = value < 0;
    const double m = negative ? -value : value;
    if (m > 9.9995e-16 && m <= 9.9995e12) {
        const int index = BandIndex(m);
        const Band& band = kBands[index];
        // floor(x + 0.5) for the positive x: conversion drops the fraction.
        const auto n = static_cast<std::int64_t>(m * band.scale + 0.5);
        if (n >= 1000 && n < 10000) {
            WriteFourDigits(out, static_cast<std::uint32_t>(n), kIntDigits.at[index],
                            negative ? '-' : ' ');
            std::memcpy(out + 6, band.suffix, sizeof band.suffix);
            return 11;
        }
    }
    return WriteRoundoffByRule(out, value);
}

std::string Roundoff(double value) {
    char text[kRoundoffMaxLength];
    return std::string(text, WriteRoundoff(text, value));
}

}  // namespace korvane
