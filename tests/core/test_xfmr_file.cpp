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
