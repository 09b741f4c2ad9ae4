// The resistor series E12 to E192, snapping to them, their value texts,
// the tolerances and the factor bounds they give.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "network/series.h"

namespace korvane {
namespace {

const Series kAll[] = {Series::E12, Series::E24, Series::E48, Series::E96, Series::E192};

std::size_t ValuesPerDecade(Series s) {
    switch (s) {
        case Series::E12: return 12;
        case Series::E24: return 24;
        case Series::E48: return 48;
        case Series::E96: return 96;
        case Series::E192: return 192;
    }
    return 0;
}

// Snaps r in place and returns the value's text.
std::string SnapToSeries(Series s, double& r) {
    const Snapped snapped = Snap(s, r);
    r = snapped.value;
    return std::string(snapped.text);
}

bool Contains(const std::vector<double>& table, double value) {
    return std::any_of(table.begin(), table.end(),
                       [&](double v) { return std::fabs(v - value) <= 1e-9 * value; });
}

TEST(SeriesTable, CountsPerDecadeOrderAndEnds) {
    for (Series s : kAll) {
        SCOPED_TRACE(SeriesName(s));
        const std::vector<double>& t = SeriesTable(s);
        const std::size_t perDecade = ValuesPerDecade(s);
        ASSERT_EQ(t.size(), 1 + 7 * perDecade + 1);
        EXPECT_EQ(t.front(), 0.0);
        EXPECT_EQ(t[1], 1.0);
        EXPECT_EQ(t.back(), 10000000.0);
        EXPECT_TRUE(std::is_sorted(t.begin(), t.end()));
        EXPECT_EQ(std::adjacent_find(t.begin(), t.end()), t.end()) << "strictly ascending";
        // Each decade is the one before it times ten.
        for (std::size_t i = 1; i + perDecade < t.size() - 1; ++i) {
            EXPECT_NEAR(t[i + perDecade] / t[i], 10.0, 1e-12) << i;
        }
    }
}

TEST(SeriesTable, KnownValuesOfTheStandard) {
    const struct {
        Series series;
        double value;
        bool present;
    } cases[] = {
        {Series::E96, 4.99, true},    {Series::E96, 1.02, true},   {Series::E96, 9.76, true},
        {Series::E96, 107000, true},  {Series::E96, 49.9, true},   {Series::E96, 3.01, true},
        {Series::E96, 4.7, false},    {Series::E96, 1.01, false},  {Series::E48, 1.05, true},
        {Series::E48, 9.53, true},    {Series::E48, 1.02, false},  {Series::E192, 9.20, true},
        {Series::E192, 9.19, false},  {Series::E192, 1.01, true},  {Series::E192, 9.88, true},
        {Series::E12, 8.2, true},     {Series::E12, 9.1, false},   {Series::E12, 1.1, false},
        {Series::E24, 9.1, true},     {Series::E96, 9760000, true}, {Series::E192, 988000, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Contains(SeriesTable(c.series), c.value), c.present)
            << SeriesName(c.series) << " " << c.value;
    }
    // Three-digit values are the doubles nearest their decimals.
    const auto& e96 = SeriesTable(Series::E96);
    EXPECT_NE(std::find(e96.begin(), e96.end(), 4.99), e96.end());
    EXPECT_NE(std::find(e96.begin(), e96.end(), 49.9), e96.end());
    EXPECT_NE(std::find(e96.begin(), e96.end(), 499.0), e96.end());
}

// The coarser series are inside the finer ones: E12 in E24, E48 in E96 in E192.
TEST(SeriesTable, CoarserSeriesLieInFinerOnes) {
    const std::pair<Series, Series> nested[] = {{Series::E12, Series::E24},
                                                {Series::E48, Series::E96},
                                                {Series::E96, Series::E192}};
    for (const auto& [coarse, fine] : nested) {
        for (double v : SeriesTable(coarse)) {
            EXPECT_TRUE(Contains(SeriesTable(fine), v) || v == 0.0)
                << SeriesName(coarse) << " " << v << " in " << SeriesName(fine);
        }
    }
}

TEST(SnapToSeries, NearestValueAndItsText) {
    const struct {
        Series series;
        double in, out;
        const char* text;
    } cases[] = {
        {Series::E96, 5000, 4990, "4.99 k"},     {Series::E96, 1.02e6, 1020000, "1.02 M"},
        {Series::E96, 50, 49.9, "49.9 "},        {Series::E96, 107000, 107000, "107 k"},
        {Series::E96, 1000, 1000, "1.00 k"},     {Series::E96, 100, 100, "100 "},
        {Series::E96, 9.8, 9.76, "9.76 "},       {Series::E96, 1, 1, "1.00 "},
        {Series::E96, 25e6, 1e7, "10.0 M"},      {Series::E96, 0.3, 0, "0 "},
        {Series::E96, 0.7, 1, "1.00 "},          {Series::E96, -5e20, 1, "1.00 "},
        {Series::E96, 9.5e6, 9.53e6, "9.53 M"},  {Series::E192, 9.2, 9.2, "9.20 "},
        {Series::E48, 1.02, 1.0, "1.00 "},       {Series::E48, 1.03, 1.05, "1.05 "},
        {Series::E12, 4000, 3900, "3.9 k"},      {Series::E12, 1.34, 1.2, "1.2 "},
        {Series::E12, 1.36, 1.5, "1.5 "},        {Series::E12, -50, 1, "1 "},
        {Series::E24, 4650, 4700, "4.7 k"},      {Series::E24, 10.5, 10, "10 "},
        {Series::E24, 9.6e6, 1e7, "10 M"},       {Series::E24, -9.5e15, 1, "1 "},
    };
    for (const auto& c : cases) {
        double r = c.in;
        EXPECT_EQ(SnapToSeries(c.series, r), c.text) << SeriesName(c.series) << " " << c.in;
        EXPECT_NEAR(r, c.out, 1e-9 * std::max(1.0, c.out)) << SeriesName(c.series) << " " << c.in;
    }
    for (Series s : kAll) {
        double zero = 0.0;
        EXPECT_EQ(SnapToSeries(s, zero), "") << SeriesName(s);
        EXPECT_EQ(zero, 0.0);
    }
}

// E24 snaps exactly as StandardValue does, and every series' own values
// snap to themselves with their own index and text.
TEST(SnapToSeries, AgreesWithStandardValueAndKeepsTableValues) {
    for (double r = -100; r < 2e7; r = r < 1 ? r + 0.37 : r * 1.0173) {
        double a = r, b = r;
        EXPECT_EQ(SnapToSeries(Series::E24, a), StandardValue(b)) << r;
        EXPECT_EQ(a, b) << r;
    }
    for (Series s : kAll) {
        for (double v : SeriesTable(s)) {
            if (v == 0.0) continue;
            double r = v;
            const std::size_t index = Snap(s, v).index;
            EXPECT_EQ(SeriesTable(s)[index], v) << SeriesName(s);
            EXPECT_EQ(SnapToSeries(s, r), SeriesText(s, index)) << SeriesName(s) << " " << v;
            EXPECT_EQ(r, v) << SeriesName(s);
        }
    }
}

TEST(Snap, GivesTheSameEntryFromAnyHint) {
    std::mt19937_64 gen(31);
    std::uniform_real_distribution<double> exponent(-4.0, 8.0);
    for (Series s : kAll) {
        SCOPED_TRACE(SeriesName(s));
        const std::vector<double>& t = SeriesTable(s);
        // Entries, the points halfway between neighbours and their
        // neighbouring doubles, values far outside, and random ones.
        std::vector<double> values = {0.0, -0.0, -3.0, 0.4, 0.5, 0.6, 1e7, 2e7, 1e300};
        for (std::size_t i = 1; i < t.size(); ++i) {
            const double mid = (t[i - 1] + t[i]) / 2;
            for (double v : {t[i], std::nextafter(t[i], 0.0), mid, std::nextafter(mid, 0.0),
                             std::nextafter(mid, 1e300)}) {
                values.push_back(v);
            }
        }
        for (int n = 0; n < 2000; ++n) values.push_back(std::pow(10.0, exponent(gen)));
        std::uniform_int_distribution<std::size_t> anyHint(0, t.size() + 3);
        for (double r : values) {
            const std::size_t expected = Snap(s, r).index;
            for (std::size_t hint : {std::size_t{0}, std::size_t{1}, expected, expected + 1,
                                     expected > 2 ? expected - 2 : 0, t.size() - 1, anyHint(gen)}) {
                ASSERT_EQ(Snap(s, r, hint).index, expected) << "r " << r << " hint " << hint;
            }
        }
    }
}

TEST(SeriesNames, RoundTripAndRefuseOthers) {
    for (Series s : kAll) EXPECT_EQ(SeriesFromName(SeriesName(s)), s);
    for (const char* other : {"", "E6", "e24", "E24 ", "24", "E 96"}) {
        EXPECT_EQ(SeriesFromName(other), std::nullopt) << '"' << other << '"';
    }
}

TEST(Tolerances, TextsFractionsAndLabels) {
    const struct {
        Tolerance t;
        const char* text;
        const char* label;
        double fraction;
    } cases[] = {
        {Tolerance::None, "0", "none", 0},     {Tolerance::P0_1, "0.1", "0.1 %", 0.001},
        {Tolerance::P0_5, "0.5", "0.5 %", 0.005}, {Tolerance::P1, "1", "1 %", 0.01},
        {Tolerance::P2, "2", "2 %", 0.02},     {Tolerance::P5, "5", "5 %", 0.05},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(ToleranceText(c.t), c.text);
        EXPECT_STREQ(ToleranceLabel(c.t), c.label);
        EXPECT_EQ(ToleranceFraction(c.t), c.fraction);
        EXPECT_EQ(ToleranceFromText(c.text), c.t);
    }
    for (const char* other : {"", "3", "10", "1 %", "0.25", "none", "-1"}) {
        EXPECT_EQ(ToleranceFromText(other), std::nullopt) << '"' << other << '"';
    }
}

TEST(FactorWithinTolerance, LowAndHighCorners) {
    // R2 220 and R1 330 at 1 %: 217.8 / (217.8 + 333.3) and 222.2 / (222.2 + 326.7).
    const FactorBounds b = FactorWithinTolerance(330, 220, 0.01);
    EXPECT_DOUBLE_EQ(b.low, 217.8 / (217.8 + 333.3));
    EXPECT_DOUBLE_EQ(b.high, 222.2 / (222.2 + 326.7));
    EXPECT_LT(b.low, 0.4);
    EXPECT_GT(b.high, 0.4);
    const FactorBounds none = FactorWithinTolerance(330, 220, 0);
    EXPECT_DOUBLE_EQ(none.low, 0.4);
    EXPECT_DOUBLE_EQ(none.high, 0.4);
}

}  // namespace
}  // namespace korvane
