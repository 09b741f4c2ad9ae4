// The network listing as CSV.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "network/network_csv.h"

namespace korvane {
namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos;) {
        parts.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
    parts.push_back(text.substr(from));
    return parts;
}

double Parse(const std::string& text) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_EQ(result.ptr, text.data() + text.size()) << text;
    return value;
}

TEST(NetworkCsv, TheWorkedExampleInFullPrecision) {
    const NetworkSearchResult result = NetworkSearch(393.4e-3, 550, 1200, std::sqrt(212.0));
    ASSERT_EQ(result.rows.size(), 9u);
    const std::string csv = NetworkCsv(result.rows, Tolerance::None);
    std::vector<std::string> lines = Split(csv, "\r\n");
    ASSERT_EQ(lines.back(), "");  // every line ends with CR LF
    lines.pop_back();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0],
              "R1 (ohms),R2 (ohms),B,Error (%),Rin (ohms),Ro (ohms),Current (A),P in R1 (W),"
              "P in R2 (W)");
    EXPECT_EQ(lines[1].substr(0, 12), "330,220,0.4,");
    for (std::size_t i = 0; i < 9; ++i) {
        const std::vector<std::string> cells = Split(lines[i + 1], ",");
        ASSERT_EQ(cells.size(), 9u) << lines[i + 1];
        const NetworkRow& row = result.rows[i];
        const double expected[] = {row.r1, row.r2,      row.b,   row.error, row.rin,
                                   row.ro, row.current, row.pr1, row.pr2};
        for (std::size_t c = 0; c < 9; ++c) {
            EXPECT_NEAR(Parse(cells[c]), expected[c], 5e-15 * std::fabs(expected[c])) << i << "," << c;
        }
    }
    EXPECT_EQ(csv.find(' ', csv.find("\r\n")), std::string::npos) << "no blanks in the numbers";
}

TEST(NetworkCsv, ToleranceAddsTheFactorBounds) {
    const NetworkSearchResult result = NetworkSearch(393.4e-3, 550, 1200, std::sqrt(212.0),
                                                     Series::E24, Tolerance::P1);
    const std::vector<std::string> lines = Split(NetworkCsv(result.rows, Tolerance::P1), "\r\n");
    EXPECT_TRUE(lines[0].ends_with(",P in R2 (W),B low,B high"));
    const std::vector<std::string> first = Split(lines[1], ",");
    ASSERT_EQ(first.size(), 11u);
    const FactorBounds b = FactorWithinTolerance(330, 220, 0.01);
    EXPECT_NEAR(Parse(first[9]), b.low, 1e-14);
    EXPECT_NEAR(Parse(first[10]), b.high, 1e-14);
}

TEST(NetworkCsv, NoRowsIsTheHeaderAlone) {
    EXPECT_EQ(Split(NetworkCsv({}, Tolerance::None), "\r\n").size(), 2u);
}

}  // namespace
}  // namespace korvane
