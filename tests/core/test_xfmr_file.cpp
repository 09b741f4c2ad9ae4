// Korvane_Xfmr.dat: default content, loading, saving, round trips.

#include <gtest/gtest.h>

#include <ostream>

#include <optional>
#include <string>
#include <vector>

#include "network/xfmr_file.h"

namespace korvane {
namespace {

TEST(XfmrFile, DefaultContentByteForByte) {
    EXPECT_EQ(DefaultXfmrFile(), "393.4e-3\r\n550\r\n1200\r\n1\r\n");
    EXPECT_STREQ(kXfmrFileName, "Korvane_Xfmr.dat");
}

TEST(XfmrFile, DefaultLoadsChecked) {
    const XfmrFileLoad load = LoadXfmrFile(DefaultXfmrFile());
    EXPECT_TRUE(load.ok);
    EXPECT_EQ(load.fields, (std::vector<std::string>{"393.4e-3", "550", "1200"}));
    EXPECT_EQ(load.check2, 1);
}

struct LoadCase {
    const char* name;
    std::optional<std::string> bytes;
    std::vector<std::string> fields;  // what the panel gets filled with
    std::optional<int> check2;
    bool ok;
};
// Names the case in test listings.
void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class XfmrLoads : public ::testing::TestWithParam<LoadCase> {};

TEST_P(XfmrLoads, ReadsWhatItCan) {
    const LoadCase& c = GetParam();
    const XfmrFileLoad load = LoadXfmrFile(c.bytes);
    EXPECT_EQ(load.ok, c.ok) << c.name;
    EXPECT_EQ(load.fields, c.fields) << c.name;
    EXPECT_EQ(load.check2, c.check2) << c.name;
}

const std::vector<std::string> kThree = {"393.4e-3", "550", "2k2"};

INSTANTIATE_TEST_SUITE_P(
    Cases, XfmrLoads,
    ::testing::Values(
        LoadCase{"saved form", std::string("393.4e-3\r\n550\r\n2k2\r\n 1 \r\n"), kThree, 1, true},
        LoadCase{"half rounds to even 0", std::string("393.4e-3\r\n550\r\n2k2\r\n0.5\r\n"),
                 kThree, 0, true},
        LoadCase{"1.5 rounds to 2 (grey)", std::string("393.4e-3\r\n550\r\n2k2\r\n1.5\r\n"),
                 kThree, 2, true},
        LoadCase{"fourth line 5", std::string("393.4e-3\r\n550\r\n2k2\r\n5\r\n"), kThree,
                 std::nullopt, false},
        LoadCase{"only three lines", std::string("393.4e-3\r\n550\r\n2k2\r\n"), kThree,
                 std::nullopt, false},
        LoadCase{"two lines", std::string("393.4e-3\r\n550\r\n"), {"393.4e-3", "550"},
                 std::nullopt, false},
        LoadCase{"missing", std::nullopt, {}, std::nullopt, false},
        LoadCase{"leading spaces dropped", std::string(" .4\r\n 550\r\n1200\r\n 0 \r\n"),
                 {".4", "550", "1200"}, 0, true}));

TEST(XfmrFile, SavesCheckBoxInNumericPrintForm) {
    EXPECT_EQ(SaveXfmrFile("393.4e-3", "550", "2k2", 1), "393.4e-3\r\n550\r\n2k2\r\n 1 \r\n");
    EXPECT_EQ(SaveXfmrFile("", "", "", 0), "\r\n\r\n\r\n 0 \r\n");
    EXPECT_EQ(SaveXfmrFile(".1", "1000", "1010", 2), ".1\r\n1000\r\n1010\r\n 2 \r\n");
}

// Lines 5 and 6: the series and the tolerance. A file of four lines, as
// every file before them, opens with E24 and none; so does any value not
// known there, without a read failure.
TEST(XfmrFile, SeriesAndToleranceLines) {
    const std::string four = "393.4e-3\r\n550\r\n1200\r\n 1 \r\n";
    const struct {
        const char* name;
        std::string tail;
        Series series;
        Tolerance tolerance;
    } cases[] = {
        {"four lines", "", Series::E24, Tolerance::None},
        {"E96 at 1 %", "E96\r\n1\r\n", Series::E96, Tolerance::P1},
        {"E192 at 0.1 %", "E192\r\n0.1\r\n", Series::E192, Tolerance::P0_1},
        {"E12, no sixth line", "E12\r\n", Series::E12, Tolerance::None},
        {"unknown series", "E6\r\n5\r\n", Series::E24, Tolerance::P5},
        {"unknown tolerance", "E48\r\n3\r\n", Series::E48, Tolerance::None},
        {"both unknown", "e96\r\n1 %\r\n", Series::E24, Tolerance::None},
        {"leading spaces", "  E96\r\n 2\r\n", Series::E96, Tolerance::P2},
        {"empty lines", "\r\n\r\n", Series::E24, Tolerance::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const XfmrFileLoad load = LoadXfmrFile(four + c.tail);
        EXPECT_TRUE(load.ok);
        EXPECT_EQ(load.fields, (std::vector<std::string>{"393.4e-3", "550", "1200"}));
        EXPECT_EQ(load.check2, 1);
        EXPECT_EQ(load.series, c.series);
        EXPECT_EQ(load.tolerance, c.tolerance);
    }
    // A failure in the first four lines is still one, whatever follows.
    EXPECT_FALSE(LoadXfmrFile("393.4e-3\r\n550\r\n1200\r\n7\r\nE96\r\n1\r\n").ok);
}

TEST(XfmrFile, SavesTheChoicesOnlyWhenNotTheDefaults) {
    EXPECT_EQ(SaveXfmrFile("393.4e-3", "550", "1200", 1, Series::E24, Tolerance::None),
              "393.4e-3\r\n550\r\n1200\r\n 1 \r\n");
    EXPECT_EQ(SaveXfmrFile("393.4e-3", "550", "1200", 1, Series::E96, Tolerance::P1),
              "393.4e-3\r\n550\r\n1200\r\n 1 \r\nE96\r\n1\r\n");
    EXPECT_EQ(SaveXfmrFile("393.4e-3", "550", "1200", 0, Series::E24, Tolerance::P0_5),
              "393.4e-3\r\n550\r\n1200\r\n 0 \r\nE24\r\n0.5\r\n");
    for (std::size_t s = 0; s < kSeriesCount; ++s) {
        for (std::size_t t = 0; t < kToleranceCount; ++t) {
            const XfmrFileLoad load = LoadXfmrFile(
                SaveXfmrFile("a,b", "550", "1200", 2, SeriesAt(s), ToleranceAt(t)));
            EXPECT_TRUE(load.ok);
            EXPECT_EQ(load.fields[0], "a,b");
            EXPECT_EQ(load.series, SeriesAt(s));
            EXPECT_EQ(load.tolerance, ToleranceAt(t));
        }
    }
}

struct RoundTrip {
    std::string txtAr, txtRtMin, txtRtMax;
    int check2;
};
// Names the case in test listings.
void PrintTo(const RoundTrip& c, std::ostream* os) { *os << "\"" << c.txtAr << "\" \"" << c.txtRtMin << "\" \"" << c.txtRtMax << "\" " << c.check2; }

class XfmrRoundTrips : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(XfmrRoundTrips, ComeBackUnchanged) {
    const RoundTrip& c = GetParam();
    const XfmrFileLoad load = LoadXfmrFile(SaveXfmrFile(c.txtAr, c.txtRtMin, c.txtRtMax, c.check2));
    EXPECT_TRUE(load.ok);
    EXPECT_EQ(load.fields, (std::vector<std::string>{c.txtAr, c.txtRtMin, c.txtRtMax}));
    EXPECT_EQ(load.check2, c.check2);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, XfmrRoundTrips,
    ::testing::Values(RoundTrip{"393.4e-3", "550", "1200", 1},
                      RoundTrip{"0,1", "550", "1,200", 0},      // commas stay in their field
                      RoundTrip{"a, b, c", ",", "1200,", 2},
                      RoundTrip{"", "", "", 1}));

}  // namespace
}  // namespace korvane
