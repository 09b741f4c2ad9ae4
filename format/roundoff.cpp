#include "format/roundoff.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "io/numeric.h"

namespace korvane {
namespace {

struct Band {
    double low;
    double high;
    double scale;    // the product of the two factors, in double
    double divisor;
    int decimals;        // of the mantissa: 3, 2 or 1 as the divisor is 1000, 100 or 10
    const char* suffix;  // five characters
};

// A magnitude belongs to the first band with low <= m <= high, so one on a
// boundary goes to the lower band. Each bound lies half a unit of the fourth
// digit below a power of ten: a value that rounds up into the next decade is
// already written with that decade's decimals.
constexpr Band kBands[] = {
    {9.9995e-16, 9.9995e-15, 1000 * 1e15, 1000, 3, "e-15 "},
    {9.9995e-15, 9.9995e-14, 100 * 1e15, 100, 2, "e-15 "},
    {9.9995e-14, 9.9995e-13, 10 * 1e15, 10, 1, "e-15 "},
    {9.9995e-13, 9.9995e-12, 1000 * 1e12, 1000, 3, "e-12 "},
    {9.9995e-12, 9.9995e-11, 100 * 1e12, 100, 2, "e-12 "},
    {9.9995e-11, 9.9995e-10, 10 * 1e12, 10, 1, "e-12 "},
    {9.9995e-10, 9.9995e-9, 1000 * 1e9, 1000, 3, "e-9  "},
    {9.9995e-9, 9.9995e-8, 100 * 1e9, 100, 2, "e-9  "},
    {9.9995e-8, 9.9995e-7, 10 * 1e9, 10, 1, "e-9  "},
    {9.9995e-7, 9.9995e-6, 1000 * 1e6, 1000, 3, "e-6  "},
    {9.9995e-6, 9.9995e-5, 100 * 1e6, 100, 2, "e-6  "},
    {9.9995e-5, 0.00099995, 10 * 1e6, 10, 1, "e-6  "},
    {0.00099995, 0.0099995, 1000 * 1000.0, 1000, 3, "e-3  "},
    {0.0099995, 0.099995, 100 * 1000.0, 100, 2, "e-3  "},
    {0.099995, 0.99995, 10 * 1000.0, 10, 1, "e-3  "},
    {0.99995, 9.9995, 1000, 1000, 3, "     "},
    {9.9995, 99.995, 100, 100, 2, "     "},
    {99.995, 999.95, 10, 10, 1, "     "},
    {999.95, 9999.5, 1000 * 0.001, 1000, 3, "e+3  "},
    {9999.5, 99995, 100 * 0.001, 100, 2, "e+3  "},
    {99995, 999950, 10 * 0.001, 10, 1, "e+3  "},
    {999950, 9999500, 1000 * 1e-6, 1000, 3, "e+6  "},
    {9999500, 99995000, 100 * 1e-6, 100, 2, "e+6  "},
    {99995000, 999950000, 10 * 1e-6, 10, 1, "e+6  "},
    {999950000, 9999500000, 1000 * 1e-9, 1000, 3, "e+9  "},
    {9999500000, 99995000000, 100 * 1e-9, 100, 2, "e+9  "},
    {99995000000, 999950000000, 10 * 1e-9, 10, 1, "e+9  "},
    {999950000000, 9999500000000, 1000 * 1e-12, 1000, 3, "e+12 "},
};

constexpr char kZeroText[] = " 0.000     ";
constexpr char kOutOfRange[] = "+*.***E\xB1* ";

// Writes the text of a magnitude in its band at `out`: the mantissa y =
// n / divisor (n a whole number) as its number text, its decimals
// completed to four digits (" 4.7" -> " 4.700", " 47" -> " 47.00", " 100"
// -> " 100.0"; a text of another length, such as " 1000" at the top of a
// divisor-10 band, is left as it is), then the band's suffix. Returns the
// end of the text.
char* WriteInBand(char* out, double n, const Band& band) {
    char* end = WriteScaledNumberText(out, n, band.decimals);
    const auto size = [&] { return end - out; };
    const auto append = [&](const char* more) {
        while (*more != '\0') *end++ = *more++;
    };
    const double y = n / band.divisor;
    if (1 <= y && y <= 9.9995) {
        if (size() == 2) append(".000");
        if (size() == 4) append("00");
        if (size() == 5) append("0");
    } else if (9.9995 <= y && y <= 99.995) {
        if (size() == 3) append(".00");
        if (size() == 5) append("0");
    } else if (99.995 <= y && y <= 1000) {
        if (size() == 4) append(".0");
    }
    append(band.suffix);
    return end;
}

// The first band that holds m (above 9.9995e-16), or none above the top
// band (infinity and NaN included). The bands follow each other without
// gaps, each from the last one's high, so it is the first whose high is not
// below m. Each band is a decade, the k-th from 1e-15 up, so m's binary
// exponent (log10 2 = 0.30103 decades an octave) puts the search within a
// band of the right one, and it steps from there.
const Band* BandOf(double m) {
    constexpr int kTop = static_cast<int>(std::size(kBands)) - 1;
    if (!(m <= kBands[kTop].high)) return nullptr;
    int i = std::clamp(static_cast<int>(std::ilogb(m) * 0.30103) + 15, 0, kTop);
    while (i > 0 && kBands[i - 1].high >= m) --i;
    while (kBands[i].high < m) ++i;
    return &kBands[i];
}

}  // namespace

char* WriteRoundoff(char* out, double value) {
    const bool negative = value < 0;
    const double m = negative ? -value : value;
    const auto put = [](char* at, const char* text) {
        while (*text != '\0') *at++ = *text++;
        return at;
    };
    if (m == 0) return put(out, kZeroText);  // no sign, even for -0
    // Up to 9.9995e-16 the zero text; above the bands (infinity and NaN
    // too) the out-of-range mask.
    const Band* band = m <= 9.9995e-16 ? nullptr : BandOf(m);
    char* const end = band != nullptr ? WriteInBand(out, std::floor(m * band->scale + 0.5), *band)
                      : m <= 9.9995e-16 ? put(out, kZeroText)
                                        : put(out, kOutOfRange);
    if (negative) out[0] = '-';
    return end;
}

std::string Roundoff(double value) {
    char text[kRoundoffRoom];
    return std::string(text, WriteRoundoff(text, value));
}

}  // namespace korvane
