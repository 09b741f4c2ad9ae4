#include "format/roundoff.h"

#include <cmath>

#include "io/numeric.h"

namespace korvane {
namespace {

struct Band {
    double low;
    double high;
    double scale;    // the product of the two factors, in double
    double divisor;
    const char* suffix;
};

// A magnitude belongs to the first band with low <= m <= high, so one on a
// boundary goes to the lower band. Each bound lies half a unit of the fourth
// digit below a power of ten: a value that rounds up into the next decade is
// already written with that decade's decimals.
const Band kBands[] = {
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

constexpr const char* kZeroText = " 0.000     ";
constexpr const char* kOutOfRange = "+*.***E\xB1* ";

// The number text of y with its decimals completed to four digits.
void AppendCompleted(std::string& text, double y) {
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
    text += t;
}

// The mantissa y = n / divisor, where n = floor(m * scale + 0.5) is a whole
// number from 1000 to 10000: the number text of y completed to four digits
// (" 4.7" -> " 4.700", " 47" -> " 47.00", " 100" -> " 100.0"). Written
// straight from the digits of n, which is what rounding y to 15 significant
// digits and completing the decimals gives; " 1000" (n = 10000 in a
// divisor-10 band) keeps its five characters.
void AppendMantissa(std::string& text, double n, double divisor) {
    if (!(n >= 1000 && n <= 10000)) {
        // Not reached from the bands; the general rule, for safety.
        AppendCompleted(text, n / divisor);
        return;
    }
    const int whole = static_cast<int>(n);
    if (whole == 10000) {
        text += divisor == 1000 ? " 10.00" : divisor == 100 ? " 100.0" : " 1000";
        return;
    }
    const int intDigits = divisor == 1000 ? 1 : divisor == 100 ? 2 : 3;
    char digits[4] = {static_cast<char>('0' + whole / 1000), static_cast<char>('0' + whole / 100 % 10),
                      static_cast<char>('0' + whole / 10 % 10), static_cast<char>('0' + whole % 10)};
    text.push_back(' ');
    text.append(digits, static_cast<std::size_t>(intDigits));
    text.push_back('.');
    text.append(digits + intDigits, static_cast<std::size_t>(4 - intDigits));
}

}  // namespace

std::string Roundoff(double value) {
    const bool negative = value < 0;
    const double m = negative ? -value : value;
    if (m == 0) return kZeroText;

    std::string text;
    text.reserve(12);
    if (m <= 9.9995e-16) {
        text = kZeroText;
    } else {
        const Band* band = nullptr;
        for (const Band& b : kBands) {
            if (b.low <= m && m <= b.high) {
                band = &b;
                break;
            }
        }
        if (band == nullptr) {
            text = kOutOfRange;  // above 9.9995e12, infinity or NaN
        } else {
            const double n = std::floor(m * band->scale + 0.5);
            AppendMantissa(text, n, band->divisor);
            text += band->suffix;
        }
    }
    if (negative) text[0] = '-';
    return text;
}

}  // namespace korvane
