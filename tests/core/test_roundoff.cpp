// Roundoff: every example of the result texts, both sides of every band
// bound, and a sweep against a plain rendering of the rule.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "format/roundoff.h"
#include "io/numeric.h"

namespace korvane {
namespace {

struct Case {
    double value;
    const char* text;
};

const std::string kMask = std::string("+*.***E") + '\xB1' + "* ";

// The text of the negative value: the same text with a minus in the sign
// place.
std::string Negative(std::string text) {
    text.at(0) = '-';
    return text;
}

TEST(Roundoff, WorkedExamples) {
    const Case cases[] = {
        {0, " 0.000     "},        {5e-17, " 0.000     "},     {-5e-17, "-0.000     "},
        {1, " 1.000     "},        {-3.3, "-3.300     "},      {2.0625, " 2.063     "},
        {12.345, " 12.35     "},   {57, " 57.00     "},        {0.5, " 500.0e-3  "},
        {0.0022, " 2.200e-3  "},   {0.000123456, " 123.5e-6  "}, {6.8e-9, " 6.800e-9  "},
        {1.5e-10, " 150.0e-12 "},  {1e-15, " 1.000e-15 "},     {1234.5, " 1.235e+3  "},
        {9999.5, " 10.00e+3  "},   {47000, " 47.00e+3  "},     {470000, " 470.0e+3  "},
        {9.9e12, " 9.900e+12 "},   {999950, " 1000e+3  "},     {999.95, " 1000     "},
        {0.99995, " 1000e-3  "},   {9.9996, " 10.00     "},     {99995, " 100.0e+3  "},
        {4700, " 4.700e+3  "},     {-1.5e-10, "-150.0e-12 "},  {-0.0, " 0.000     "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Roundoff(c.value), c.text) << "value " << c.value;
    }
}

TEST(Roundoff, OutOfRangeMask) {
    EXPECT_EQ(Roundoff(2e13), kMask);
    EXPECT_EQ(Roundoff(-2e13), Negative(kMask));
    EXPECT_EQ(kMask.size(), 10u);
    // Not a value the calculations pass in, but it must not crash or print
    // digits that look like a result.
    EXPECT_EQ(Roundoff(std::numeric_limits<double>::infinity()), kMask);
    EXPECT_EQ(Roundoff(std::numeric_limits<double>::quiet_NaN()), kMask);
}

// Each band's upper bound, the double just below it and the double just
// above it; the lowest bound of all (below it, the zero text) likewise.
TEST(Roundoff, BandBoundsOnBothSides) {
    const Case cases[] = {
    {9.999499999999999e-15, " 9.999e-15 "},
    {9.9995e-15, " 10.00e-15 "},
    {9.999500000000002e-15, " 10.00e-15 "},
    {9.999499999999998e-14, " 99.99e-15 "},
    {9.9995e-14, " 100.0e-15 "},
    {9.999500000000001e-14, " 100.0e-15 "},
    {9.999499999999998e-13, " 999.9e-15 "},
    {9.9995e-13, " 1000e-15 "},
    {9.999500000000002e-13, " 1.000e-12 "},
    {9.999499999999998e-12, " 9.999e-12 "},
    {9.9995e-12, " 10.00e-12 "},
    {9.999500000000002e-12, " 10.00e-12 "},
    {9.999499999999999e-11, " 99.99e-12 "},
    {9.9995e-11, " 100.0e-12 "},
    {9.999500000000001e-11, " 100.0e-12 "},
    {9.999499999999998e-10, " 999.9e-12 "},
    {9.9995e-10, " 1000e-12 "},
    {9.999500000000003e-10, " 1.000e-9  "},
    {9.999499999999998e-09, " 9.999e-9  "},
    {9.9995e-09, " 10.00e-9  "},
    {9.999500000000001e-09, " 10.00e-9  "},
    {9.999499999999999e-08, " 99.99e-9  "},
    {9.9995e-08, " 100.0e-9  "},
    {9.999500000000002e-08, " 100.0e-9  "},
    {9.999499999999998e-07, " 999.9e-9  "},
    {9.9995e-07, " 1000e-9  "},
    {9.999500000000003e-07, " 1.000e-6  "},
    {9.999499999999998e-06, " 9.999e-6  "},
    {9.9995e-06, " 10.00e-6  "},
    {9.999500000000001e-06, " 10.00e-6  "},
    {9.999499999999998e-05, " 99.99e-6  "},
    {9.9995e-05, " 100.0e-6  "},
    {9.999500000000001e-05, " 100.0e-6  "},
    {0.0009999499999999999, " 999.9e-6  "},
    {0.00099995, " 1000e-6  "},
    {0.0009999500000000003, " 1.000e-3  "},
    {0.009999499999999998, " 9.999e-3  "},
    {0.0099995, " 10.00e-3  "},
    {0.009999500000000001, " 10.00e-3  "},
    {0.09999499999999999, " 99.99e-3  "},
    {0.099995, " 100.0e-3  "},
    {0.09999500000000001, " 100.0e-3  "},
    {0.9999499999999999, " 999.9e-3  "},
    {0.99995, " 1000e-3  "},
    {0.9999500000000001, " 1.000     "},
    {9.999499999999998, " 9.999     "},
    {9.9995, " 10.00     "},
    {9.999500000000001, " 10.00     "},
    {99.99499999999999, " 99.99     "},
    {99.995, " 100.0     "},
    {99.99500000000002, " 100.0     "},
    {999.9499999999999, " 1000     "},
    {999.95, " 1000     "},
    {999.9500000000002, " 1.000e+3  "},
    {9999.499999999998, " 9.999e+3  "},
    {9999.5, " 10.00e+3  "},
    {9999.500000000002, " 10.00e+3  "},
    {99994.99999999999, " 100.0e+3  "},
    {99995, " 100.0e+3  "},
    {99995.00000000001, " 100.0e+3  "},
    {999949.9999999999, " 999.9e+3  "},
    {999950, " 1000e+3  "},
    {999950.0000000001, " 1.000e+6  "},
    {9999499.999999998, " 9.999e+6  "},
    {9999500, " 10.00e+6  "},
    {9999500.000000002, " 10.00e+6  "},
    {99994999.99999999, " 99.99e+6  "},
    {99995000, " 100.0e+6  "},
    {99995000.00000001, " 100.0e+6  "},
    {999949999.9999999, " 999.9e+6  "},
    {999950000, " 1000e+6  "},
    {999950000.0000001, " 1.000e+9  "},
    {9999499999.999998, " 10.00e+9  "},
    {9999500000, " 10.00e+9  "},
    {9999500000.000002, " 10.00e+9  "},
    {99994999999.99998, " 100.0e+9  "},
    {99995000000, " 100.0e+9  "},
    {99995000000.00002, " 100.0e+9  "},
    {999949999999.9999, " 999.9e+9  "},
    {999950000000, " 1000e+9  "},
    {999950000000.0001, " 1.000e+12 "},
    {9999499999999.998, " 9.999e+12 "},
    {9999500000000, " 10.00e+12 "},
    {9999500000000.002, "+*.***E\xB1* "},
    {9.999499999999998e-16, " 0.000     "},
    {9.9995e-16, " 0.000     "},
    {9.999500000000002e-16, " 1.000e-15 "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Roundoff(c.value), c.text) << "value " << c.value;
        EXPECT_EQ(Roundoff(-c.value), Negative(c.text)) << "value " << -c.value;
    }
}

// The rule written out plainly: band lookup, the mantissa through the
// general number text, completion of the decimals, suffix, sign.
std::string PlainRoundoff(double value) {
    struct Band {
        double low, high, scale, divisor;
        const char* suffix;
    };
    static const Band bands[] = {
        {9.9995e-16, 9.9995e-15, 1000 * 1e15, 1000, "e-15 "}, {9.9995e-15, 9.9995e-14, 100 * 1e15, 100, "e-15 "},
        {9.9995e-14, 9.9995e-13, 10 * 1e15, 10, "e-15 "},     {9.9995e-13, 9.9995e-12, 1000 * 1e12, 1000, "e-12 "},
        {9.9995e-12, 9.9995e-11, 100 * 1e12, 100, "e-12 "},   {9.9995e-11, 9.9995e-10, 10 * 1e12, 10, "e-12 "},
        {9.9995e-10, 9.9995e-9, 1000 * 1e9, 1000, "e-9  "},  {9.9995e-9, 9.9995e-8, 100 * 1e9, 100, "e-9  "},
        {9.9995e-8, 9.9995e-7, 10 * 1e9, 10, "e-9  "},        {9.9995e-7, 9.9995e-6, 1000 * 1e6, 1000, "e-6  "},
        {9.9995e-6, 9.9995e-5, 100 * 1e6, 100, "e-6  "},      {9.9995e-5, 0.00099995, 10 * 1e6, 10, "e-6  "},
        {0.00099995, 0.0099995, 1000 * 1000.0, 1000, "e-3  "}, {0.0099995, 0.099995, 100 * 1000.0, 100, "e-3  "},
        {0.099995, 0.99995, 10 * 1000.0, 10, "e-3  "},        {0.99995, 9.9995, 1000, 1000, "     "},
        {9.9995, 99.995, 100, 100, "     "},                  {99.995, 999.95, 10, 10, "     "},
        {999.95, 9999.5, 1000 * 0.001, 1000, "e+3  "},        {9999.5, 99995, 100 * 0.001, 100, "e+3  "},
        {99995, 999950, 10 * 0.001, 10, "e+3  "},             {999950, 9999500, 1000 * 1e-6, 1000, "e+6  "},
        {9999500, 99995000, 100 * 1e-6, 100, "e+6  "},        {99995000, 999950000, 10 * 1e-6, 10, "e+6  "},
        {999950000, 9999500000, 1000 * 1e-9, 1000, "e+9  "},  {9999500000, 99995000000, 100 * 1e-9, 100, "e+9  "},
        {99995000000, 999950000000, 10 * 1e-9, 10, "e+9  "},  {999950000000, 9999500000000, 1000 * 1e-12, 1000, "e+12 "},
    };
    const bool negative = value < 0;
    const double m = negative ? -value : value;
    if (m == 0) return " 0.000     ";
    std::string t;
    if (m <= 9.9995e-16) {
        t = " 0.000     ";
    } else {
        const Band* band = nullptr;
        for (const auto& b : bands) {
            if (b.low <= m && m <= b.high) {
                band = &b;
                break;
            }
        }
        if (band == nullptr) {
            t = kMask;
        } else {
            const double y = std::floor(m * band->scale + 0.5) / band->divisor;
            t = NumberText(y);
            const double v = NumericValue(t);
            if (1 <= v && v <= 9.9995) {
                if (t.size() == 2) t += ".000";
                if (t.size() == 4) t += "00";
                if (t.size() == 5) t += "0";
            } else if (9.9995 <= v && v <= 99.995) {
                if (t.size() == 3) t += ".00";
                if (t.size() == 5) t += "0";
            } else if (99.995 <= v && v <= 1000) {
                if (t.size() == 4) t += ".0";
            }
            t += band->suffix;
        }
    }
    if (negative) t.at(0) = '-';
    return t;
}

TEST(Roundoff, AgreesWithThePlainRuleAcrossAllDecades) {
    std::mt19937_64 rng(20261207);
    std::uniform_real_distribution<double> exponent(-17.0, 14.0);
    std::uniform_int_distribution<int> digits(1000, 10000);
    for (int i = 0; i < 100000; ++i) {
        // Spread over the decades, and values that sit on a rounding half.
        const double spread = std::pow(10.0, exponent(rng));
        const int e = static_cast<int>(std::floor(exponent(rng)));
        const double half = (digits(rng) + 0.5) * std::pow(10.0, e - 3);
        for (double v : {spread, half, std::nextafter(half, 0.0), std::nextafter(half, 1e300)}) {
            for (double s : {v, -v}) {
                const std::string got = Roundoff(s);
                ASSERT_EQ(got, PlainRoundoff(s)) << "value " << s;
                ASSERT_TRUE(got.size() == 11 || got.size() == 10) << got;
            }
        }
    }
}

}  // namespace
}  // namespace korvane
