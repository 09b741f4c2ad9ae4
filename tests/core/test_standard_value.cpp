// Standard (E24) values: selection, texts, and the table itself.

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "network/series.h"

namespace korvane {
namespace {

struct SnapCase {
    double in;
    double out;
    const char* text;
};
// Names the case in test listings.
void PrintTo(const SnapCase& c, std::ostream* os) { *os << c.in; }

class StandardValueExamples : public ::testing::TestWithParam<SnapCase> {};

TEST_P(StandardValueExamples, SnapsAndNames) {
    const SnapCase& c = GetParam();
    double r = c.in;
    EXPECT_EQ(StandardValue(r), c.text) << "R = " << c.in;
    EXPECT_EQ(r, c.out) << "R = " << c.in;
}

INSTANTIATE_TEST_SUITE_P(
    Worked, StandardValueExamples,
    ::testing::Values(
        SnapCase{4650, 4700, "4.7 k"},          // 4300 is further away
        SnapCase{10.5, 10, "10 "},              // exact tie goes to the lower
        SnapCase{155, 150, "150 "},
        SnapCase{999, 1000, "1 k"},
        SnapCase{99, 100, "100 "},
        SnapCase{47000, 47000, "47 k"},
        SnapCase{935000, 910000, "910 k"},
        SnapCase{9600000, 10000000, "10 M"},
        SnapCase{25000000, 10000000, "10 M"},   // never above 10 MOhm
        SnapCase{1e30, 10000000, "10 M"},       // both distances round alike up here
        SnapCase{9550000, 9100000, "9.1 M"},    // the mean of 9.1 M and 10 M
        SnapCase{0.3, 0, "0 "},
        SnapCase{0.5, 0, "0 "},                 // the mean of 0 and 1
        SnapCase{0.7, 1, "1 "},
        SnapCase{-50, 1, "1 "},                 // negative errors: the upper is smaller
        SnapCase{-9.5e15, 1, "1 "},             // both errors round to -1 up here
        SnapCase{-1e300, 1, "1 "},
        SnapCase{-5e-324, 1, "1 "},             // the smallest negative double
        SnapCase{2000, 2000, "2 k"},            // no ".0"
        SnapCase{1.04, 1, "1 "},
        SnapCase{3300, 3300, "3.3 k"},
        SnapCase{220, 2.2 * 100, "220 "},      // the table's product, 220.00000000000003
        SnapCase{6.8, 6.8, "6.8 "},
        SnapCase{1500000, 1500000, "1.5 M"},
        SnapCase{333.63, 330, "330 "}));

TEST(StandardValue, ZeroGivesEmptyTextAndStaysZero) {
    double r = 0.0;
    EXPECT_EQ(StandardValue(r), "");
    EXPECT_EQ(r, 0.0);
}

// The texts every entry must carry, written out decade by decade.
std::vector<std::string> ExpectedTexts() {
    const char* base[] = {"1",   "1.1", "1.2", "1.3", "1.5", "1.6", "1.8", "2",
                          "2.2", "2.4", "2.7", "3",   "3.3", "3.6", "3.9", "4.3",
                          "4.7", "5.1", "5.6", "6.2", "6.8", "7.5", "8.2", "9.1"};
    const int tens[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                        33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
    std::vector<std::string> t{"0 "};
    for (const char* b : base) t.push_back(std::string(b) + " ");
    for (int n : tens) t.push_back(std::to_string(n) + " ");
    for (int n : tens) t.push_back(std::to_string(n * 10) + " ");
    for (const char* b : base) t.push_back(std::string(b) + " k");
    for (int n : tens) t.push_back(std::to_string(n) + " k");
    for (int n : tens) t.push_back(std::to_string(n * 10) + " k");
    for (const char* b : base) t.push_back(std::string(b) + " M");
    t.push_back("10 M");
    return t;
}

TEST(StandardValueTable, HoldsTheDoubleProductsInAscendingOrder) {
    const auto& table = SeriesTable(Series::E24);
    ASSERT_EQ(table.size(), 170u);
    EXPECT_EQ(table[0], 0.0);
    EXPECT_EQ(table[1], 1.0);
    EXPECT_EQ(table[24], 9.1);
    EXPECT_EQ(table[2 + 48], 110.00000000000001);   // 1.1 x 100, not 110
    EXPECT_EQ(table[18 + 48], 509.99999999999994);  // 5.1 x 100, not 510
    EXPECT_EQ(table[169], 10000000.0);
    for (std::size_t i = 1; i < table.size(); ++i) EXPECT_LT(table[i - 1], table[i]) << i;
}

TEST(StandardValueTable, EveryEntryFedBackIsStable) {
    const auto& table = SeriesTable(Series::E24);
    const auto texts = ExpectedTexts();
    ASSERT_EQ(texts.size(), table.size());
    for (std::size_t i = 1; i < table.size(); ++i) {
        double r = table[i];
        EXPECT_EQ(StandardValue(r), texts[i]) << "entry " << i;
        EXPECT_EQ(r, table[i]) << "entry " << i;
        EXPECT_EQ(StandardValue(r), texts[i]) << "entry " << i << " twice";
    }
    double zero = table[0];
    EXPECT_EQ(StandardValue(zero), "");  // the zero entry fed back
}

// The network walk steps R1 to the table's next entry: what times 1.1, then
// the snap, gives from every entry; the top snaps back to itself.
TEST(StandardValueTable, TimesOnePointOneSnapsToTheNextEntry) {
    const auto& table = SeriesTable(Series::E24);
    for (std::size_t i = 1; i < table.size(); ++i) {
        double r = table[i] * 1.1;
        StandardValue(r);
        EXPECT_EQ(r, table[std::min(i + 1, table.size() - 1)]) << "entry " << i;
    }
}

TEST(StandardValueTable, SplitsBetweenNeighboursAtTheirMean) {
    // Just below the mean of two neighbours gives the lower, just above the
    // upper: every pair, so an off-by-one in finding the neighbours shows.
    const auto& table = SeriesTable(Series::E24);
    for (std::size_t i = 1; i < table.size(); ++i) {
        const double mean = (table[i - 1] + table[i]) / 2;
        double below = mean * (1 - 1e-9);
        double above = mean * (1 + 1e-9);
        StandardValue(below);
        StandardValue(above);
        EXPECT_EQ(below, table[i - 1]) << "between entries " << i - 1 << " and " << i;
        EXPECT_EQ(above, table[i]) << "between entries " << i - 1 << " and " << i;
    }
}

// The selection as a plain walk from index 1, the reference the fast lookup
// must match index for index.
double WalkReference(double r) {
    const auto& table = SeriesTable(Series::E24);
    if (r >= table[169]) return table[169];
    std::size_t i = 1;
    while (i < 169 && !(table[i] > r)) ++i;
    const double upper = std::fabs(r - table[i]) / r;
    const double lower = std::fabs(r - table[i - 1]) / r;
    return upper < lower ? table[i] : table[i - 1];
}

TEST(StandardValue, MatchesTheWalkEverywhere) {
    std::vector<double> probes;
    const auto& table = SeriesTable(Series::E24);
    for (std::size_t i = 1; i < table.size(); ++i) {
        probes.push_back(std::nextafter(table[i], 0.0));
        probes.push_back(std::nextafter(table[i], 1e30));
        probes.push_back((table[i - 1] + table[i]) / 2);
    }
    std::mt19937_64 gen(12345);
    std::uniform_real_distribution<double> exponent(-2.0, 8.0);
    for (int n = 0; n < 20000; ++n) probes.push_back(std::pow(10.0, exponent(gen)));
    for (double p : {-1e9, -1.0, -1e-9, 1e-300, 9.1e6, 1e7, 1.2e7, 1e20}) probes.push_back(p);

    for (double p : probes) {
        double r = p;
        StandardValue(r);
        ASSERT_EQ(r, WalkReference(p)) << "R = " << p;
    }
}

}  // namespace
}  // namespace korvane
