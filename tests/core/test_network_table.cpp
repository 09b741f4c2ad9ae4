// The listed dividers as a table: the heading's columns, the cells against
// the listed lines, the sort orders, the smallest error and the copy text.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "network/network_search.h"
#include "network/network_table.h"

namespace korvane {
namespace {

NetworkSearchResult WorkedExample(Series series = Series::E24,
                                  Tolerance tolerance = Tolerance::None) {
    return NetworkSearch(393.4e-3, 550, 1200, std::sqrt(212.0), series, tolerance);
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<NetworkColumn> Columns(Tolerance tolerance) {
    std::vector<NetworkColumn> out;
    for (std::size_t c = 0; c < NetworkColumnCount(tolerance); ++c) {
        out.push_back(static_cast<NetworkColumn>(c));
    }
    return out;
}

TEST(NetworkTable, EachNameInTheHeadingSelectsItsColumn) {
    for (Tolerance tolerance : {Tolerance::None, Tolerance::P1}) {
        const std::string& heading = NetworkHeading(tolerance);
        for (NetworkColumn column : Columns(tolerance)) {
            const auto [first, end] = NetworkColumnNameSpan(column, tolerance);
            EXPECT_EQ(heading.substr(first, end - first), NetworkColumnName(column));
            for (std::size_t at = first; at < end; ++at) {
                EXPECT_EQ(NetworkColumnAt(at, tolerance), column) << heading.substr(first, end - first);
            }
        }
        EXPECT_EQ(NetworkColumnAt(1000, tolerance), Columns(tolerance).back());
    }
    EXPECT_EQ(NetworkColumnAt(6, Tolerance::None), NetworkColumn::R1);
    EXPECT_EQ(NetworkColumnAt(7, Tolerance::None), NetworkColumn::R2);
}

// A row's cells are its line's texts, column by column: the characters of
// the line that each column covers, without their blanks.
TEST(NetworkTable, TheCellsAreTheListedLinesColumnByColumn) {
    const struct {
        Series series;
        Tolerance tolerance;
    } listings[] = {{Series::E24, Tolerance::None}, {Series::E96, Tolerance::P1}};
    for (const auto& listing : listings) {
        const NetworkSearchResult result = WorkedExample(listing.series, listing.tolerance);
        ASSERT_FALSE(result.rows.empty());
        for (std::size_t r = 0; r < result.rows.size(); ++r) {
            const std::string& line = result.lines[r];
            std::vector<std::string> byColumn(NetworkColumnCount(listing.tolerance));
            for (std::size_t at = 0; at < line.size(); ++at) {
                byColumn[static_cast<std::size_t>(NetworkColumnAt(at, listing.tolerance))] += line[at];
            }
            const std::vector<std::string> cells = NetworkCells(result.rows[r], listing.tolerance);
            ASSERT_EQ(cells.size(), byColumn.size());
            for (std::size_t c = 0; c < cells.size(); ++c) {
                EXPECT_EQ(cells[c], Trimmed(byColumn[c])) << "row " << r << ": " << line;
            }
        }
    }
    EXPECT_EQ(NetworkCells(WorkedExample().rows[0], Tolerance::None),
              (std::vector<std::string>{"330", "220", ".4", "1.68", "550", "132", "26.47e-3",
                                        "231.3e-3", "154.2e-3"}));
}

TEST(NetworkTable, SortsByAColumnEitherWayKeepingTheSearchOrderOfEquals) {
    std::vector<NetworkRow> rows(5);
    const double errors[] = {1.68, -0.96, 1.68, -0.14, -0.96};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].error = errors[i];
        rows[i].r1 = static_cast<double>(100 - i);
    }
    EXPECT_EQ(NetworkSortOrder(rows, NetworkColumn::Error, false),
              (std::vector<std::size_t>{1, 4, 3, 0, 2}));
    EXPECT_EQ(NetworkSortOrder(rows, NetworkColumn::Error, true),
              (std::vector<std::size_t>{0, 2, 3, 1, 4}));
    EXPECT_EQ(NetworkSortOrder(rows, NetworkColumn::R1, false),
              (std::vector<std::size_t>{4, 3, 2, 1, 0}));
    EXPECT_TRUE(NetworkSortOrder({}, NetworkColumn::B, false).empty());
}

TEST(NetworkTable, TheSmallestErrorIsTheSmallestInMagnitude) {
    // The worked example's sixth row has the error -0.14.
    const NetworkSearchResult result = WorkedExample();
    ASSERT_EQ(SmallestErrorRow(result.rows), std::optional<std::size_t>(5));
    EXPECT_EQ(NetworkCells(result.rows[5], Tolerance::None)[3], "-0.14");

    std::vector<NetworkRow> rows(4);
    const double errors[] = {0.5, -0.25, 0.25, -3};
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i].error = errors[i];
    EXPECT_EQ(SmallestErrorRow(rows), std::optional<std::size_t>(1));  // the first of equals
    EXPECT_EQ(SmallestErrorRow({}), std::nullopt);
}

TEST(NetworkTable, TheCopyIsAHeadingAndTheShownRowsSeparatedByTabs) {
    const NetworkSearchResult result = WorkedExample();
    EXPECT_EQ(NetworkCopyText(result.rows, {0, 5}, Tolerance::None),
              "R1\tR2\tB\t%Error\tRin\tRo\tCurrent\tP in R1\tP in R2\n"
              "330\t220\t.4\t1.68\t550\t132\t26.47e-3\t231.3e-3\t154.2e-3\n"
              "510\t330\t.393\t-0.14\t840\t200\t17.33e-3\t153.2e-3\t99.15e-3\n");
    const NetworkSearchResult bounds = WorkedExample(Series::E24, Tolerance::P1);
    const std::string text = NetworkCopyText(bounds.rows, {2, 0}, Tolerance::P1);
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "R1\tR2\tB\t%Error\tRin\tRo\tCurrent\tP in R1\tP in R2\tB low\tB high");
    std::size_t lines = 0, tabs = 0;
    for (char c : text) {
        lines += c == '\n';
        tabs += c == '\t';
    }
    EXPECT_EQ(lines, 3u);
    EXPECT_EQ(tabs, 3u * 10u);
    EXPECT_EQ(text.find("\n390\t240\t"), text.find('\n'));  // row 2 first, as shown
}

}  // namespace
}  // namespace korvane
