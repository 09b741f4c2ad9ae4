// The numeric parse, the general number text, the rounding to even and the
// Windows-1252 conversion.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "io/cp1252.h"
#include "io/numeric.h"

namespace korvane {
namespace {

TEST(NumericValue, LeadingNumberOfAText) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"100e3", 100000},      {"393.4e-3", 0.3934},  {"2k2", 2},          {" 4.939e+3  ", 4939},
        {"", 0},                {"abc", 0},            {"1 000", 1000},     {"- 5", -5},
        {"\t12\n.5", 12.5},     {"+7", 7},             {".5", 0.5},         {"5.", 5},
        {".", 0},               {"-", 0},              {"-.25", -0.25},     {"1e", 1},
        {"1e+", 1},             {"1E2", 100},          {"1e 2", 100},       {"1.2.3", 1.2},
        {"12,5", 12},           {"0x10", 0},           {"1d3", 1},          {"-0", 0},
        {"1e-400", 0},          {"  -3.3V", -3.3},     {"\r5", 0},          {"57", 57},
        {"0.1", 0.1},           {"123456789012345678901234567890", 1.2345678901234568e29},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumericValue(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(NumericValue, OverflowIsInfinite) {
    EXPECT_EQ(NumericValue("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue("0.00000001e310"), 1e302);
    EXPECT_EQ(NumericValue("0.0000000000000000000001e320"), 1e298);
    EXPECT_EQ(NumericValue("0." + std::string(400, '0') + "1e5"), 0.0) << "below range, not above";
    EXPECT_EQ(NumericValue("1e99999999999999999999"), std::numeric_limits<double>::infinity());
}

TEST(NumberText, GeneralConversion) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.1 + 0.2, " .3"},        {0.4, " .4"},          {-0.25, "-.25"},      {0, " 0"},
        {-0.0, " 0"},              {100000, " 100000"},   {1e20, " 1E+20"},     {0.000015, " 1.5E-05"},
        {0.0001, " .0001"},        {0.00001, " 1E-05"},   {1e14, " 100000000000000"},
        {1e15, " 1E+15"},          {-1e15, "-1E+15"},     {999999999999999.9, " 1E+15"},
        {27.6, " 27.6"},           {33.47, " 33.47"},     {10.3, " 10.3"},      {0.2, " .2"},
        {4.7, " 4.7"},             {1.235, " 1.235"},     {123456789.125, " 123456789.125"},
        {1.0 / 3, " .333333333333333"}, {2.0 / 3, " .666666666666667"}, {-1e-300, "-1E-300"},
        {1.5e300, " 1.5E+300"},    {470000, " 470000"},   {-20, "-20"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberText(c.value), c.text) << "value " << c.value;
    }
    EXPECT_EQ(CutNumberText(4.7), "4.7");
    EXPECT_EQ(CutNumberText(2000), "2000");
}

TEST(NumberText, ReadsBackAsItsFifteenDigitValue) {
    for (double v = 1e-7; v < 1e17; v *= 1.37) {
        const double back = NumericValue(NumberText(v));
        EXPECT_NEAR(back, v, v * 1e-14) << v;
        EXPECT_EQ(NumericValue(NumberText(-v)), -back);
    }
}

// The number text through printf's 15 significant digits, for comparison.
std::string PrintfNumberText(double v) {
    if (v == 0) return " 0";
    std::string out(1, v < 0 ? '-' : ' ');
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    const std::string s(buf);
    const std::size_t e = s.find('e');
    const int exponent = std::atoi(s.c_str() + e + 1);
    std::string digits;
    for (std::size_t i = 0; i < e; ++i) {
        if (s[i] != '.') digits += s[i];
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    if (exponent < -4 || exponent >= 15) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out.append(1, '.').append(digits, 1);
        const int mag = std::abs(exponent);
        return out + "E" + (exponent < 0 ? "-" : "+") + (mag < 10 ? "0" : "") + std::to_string(mag);
    }
    if (exponent < 0) return out + "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto intLen = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intLen) return out + digits + std::string(intLen - digits.size(), '0');
    return out + digits.substr(0, intLen) + "." + digits.substr(intLen);
}

// Short decimals (a whole number of tenths, hundredths, ...) take a quicker
// road than other values; both must give the fifteen-digit text.
TEST(NumberText, AgreesWithFifteenDigitPrintf) {
    std::mt19937_64 rng(42);
    std::uniform_int_distribution<long long> whole(0, 999999999999LL);
    std::uniform_int_distribution<int> places(0, 14);
    std::uniform_real_distribution<double> exponent(-320, 300);
    for (int i = 0; i < 200000; ++i) {
        const double shortDecimal =
            static_cast<double>(whole(rng) >> (places(rng) * 3)) / std::pow(10.0, places(rng));
        const double any = std::pow(10.0, exponent(rng));
        for (double v : {shortDecimal, -shortDecimal, any, -any}) {
            ASSERT_EQ(NumberText(v), PrintfNumberText(v)) << v;
        }
    }
}

TEST(Rounding, WholeNumberHalvesToEven) {
    const struct {
        double in, out;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-0.5, 0}, {0.49, 0},
                 {0.51, 1}, {1.4999, 1}, {7, 7}, {-3.6, -4}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(Cp1252, RoundTripsEverySingleByteCharacter) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(ToCp1252(FromCp1252(all)), all);
    EXPECT_EQ(FromCp1252("\xB1"), u"\u00B1");
    EXPECT_EQ(FromCp1252("\x80\x96"), u"\u20AC\u2013");
    EXPECT_EQ(ToCp1252(u"\u03A9 \U0001F600 \u20AC"), "? ? \x80");
}

// ---------------------------------------------- the scaled number text

std::string Scaled(long long k, int places) {
    char text[kNumberTextRoom];
    const std::string written(text, WriteScaledNumberText(text, static_cast<double>(k), places));
    EXPECT_EQ(written, ScaledNumberText(static_cast<double>(k), places));
    return written;
}

TEST(ScaledNumberText, WritesTheQuotientsNumberText) {
    const struct {
        long long k;
        int places;
        const char* text;
    } cases[] = {
        {393, 3, " .393"},   {400, 3, " .4"},        {1000, 3, " 1"},      {0, 3, " 0"},
        {-25, 2, "-.25"},    {1010, 2, " 10.1"},     {5, 2, " .05"},       {-100, 2, "-1"},
        {47, 0, " 47"},      {1, 4, " .0001"},       {12345678, 9, " .012345678"},
        // below 1e-4 the number text has an exponent
        {1, 5, " 1E-05"},    {-3, 9, "-3E-09"},
        // 15 digits and more go through the general conversion
        {999999999999999, 0, " 999999999999999"}, {1000000000000000, 0, " 1E+15"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Scaled(c.k, c.places), c.text) << c.k << " / 10^" << c.places;
    }
}

TEST(ScaledNumberText, AgreesWithNumberTextForEveryFourDigitNumber) {
    // Every whole number the listed lines' short fields are made of, at
    // every scale they use, and a little beyond.
    static constexpr double kPow[] = {1, 10, 100, 1e3, 1e4, 1e5};
    for (int p = 0; p <= 5; ++p) {
        for (long long k = -10001; k <= 10001; ++k) {
            ASSERT_EQ(Scaled(k, p), NumberText(static_cast<double>(k) / kPow[p]))
                << k << " / 10^" << p;
        }
    }
}

TEST(ScaledNumberText, AgreesWithNumberTextOfTheQuotient) {
    static constexpr double kPow[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    std::mt19937_64 rng(8);
    std::uniform_int_distribution<int> digits(0, 15);
    std::uniform_int_distribution<int> places(0, 9);
    for (int i = 0; i < 200000; ++i) {
        // Whole numbers of every length up to 15 digits, with and without
        // trailing zeros.
        const int length = digits(rng);
        long long limit = 1;
        for (int d = 0; d < length; ++d) limit *= 10;
        long long k = std::uniform_int_distribution<long long>(0, limit - 1)(rng);
        if (i % 3 == 0) k -= k % 1000;
        if (i % 2 == 0) k = -k;
        const int p = places(rng);
        ASSERT_EQ(Scaled(k, p), NumberText(static_cast<double>(k) / kPow[p])) << k << " / 10^" << p;
    }
}

}  // namespace
}  // namespace korvane
