#include "network/network_table.h"

#include <algorithm>
#include <cmath>

#include "format/cohms.h"
#include "format/roundoff.h"

namespace korvane {
namespace {

// Where each column's values start in a listed line with ordinary values.
constexpr std::size_t kColumnStart[] = {0, 7, 14, 21, 30, 38, 45, 57, 69, 81, 93};

constexpr const char* kColumnName[] = {"R1",      "R2",      "B",       "%Error",
                                       "Rin",     "Ro",      "Current", "P in R1",
                                       "P in R2", "B low",   "B high"};

std::size_t Index(NetworkColumn column) { return static_cast<std::size_t>(column); }

std::string WithoutBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return "";
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

std::size_t NetworkColumnCount(Tolerance tolerance) {
    return tolerance == Tolerance::None ? 9 : 11;
}

const char* NetworkColumnName(NetworkColumn column) { return kColumnName[Index(column)]; }

NetworkColumn NetworkColumnAt(std::size_t at, Tolerance tolerance) {
    std::size_t column = 0;
    while (column + 1 < NetworkColumnCount(tolerance) && kColumnStart[column + 1] <= at) ++column;
    return static_cast<NetworkColumn>(column);
}

std::pair<std::size_t, std::size_t> NetworkColumnNameSpan(NetworkColumn column,
                                                          Tolerance tolerance) {
    const std::string& heading = NetworkHeading(tolerance);
    const std::string name = NetworkColumnName(column);
    const std::size_t first = heading.find(name, kColumnStart[Index(column)]);
    return {first, first + name.size()};
}

double NetworkColumnValue(const NetworkRow& row, NetworkColumn column) {
    switch (column) {
        case NetworkColumn::R1: return row.r1;
        case NetworkColumn::R2: return row.r2;
        case NetworkColumn::B: return row.b;
        case NetworkColumn::Error: return row.error;
        case NetworkColumn::Rin: return row.rin;
        case NetworkColumn::Ro: return row.ro;
        case NetworkColumn::Current: return row.current;
        case NetworkColumn::PR1: return row.pr1;
        case NetworkColumn::PR2: return row.pr2;
        case NetworkColumn::BLow: return row.bLow;
        case NetworkColumn::BHigh: return row.bHigh;
    }
    return 0;
}

std::vector<std::string> NetworkCells(const NetworkRow& row, Tolerance tolerance) {
    std::vector<std::string> cells = {
        WithoutBlanks(row.r1Text),
        WithoutBlanks(row.r2Text),
        WithoutBlanks(ListedFactorText(row.b)),
        WithoutBlanks(ListedErrorText(row.error)),
        WithoutBlanks(COhms(row.rin)),
        WithoutBlanks(COhms(row.ro)),
        WithoutBlanks(Roundoff(row.current)),
        WithoutBlanks(Roundoff(row.pr1)),
        WithoutBlanks(Roundoff(row.pr2)),
    };
    if (tolerance != Tolerance::None) {
        cells.push_back(WithoutBlanks(Roundoff(row.bLow)));
        cells.push_back(WithoutBlanks(Roundoff(row.bHigh)));
    }
    return cells;
}

std::vector<std::size_t> NetworkSortOrder(const std::vector<NetworkRow>& rows,
                                          NetworkColumn column, bool descending) {
    std::vector<std::size_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const double va = NetworkColumnValue(rows[a], column);
        const double vb = NetworkColumnValue(rows[b], column);
        return descending ? vb < va : va < vb;
    });
    return order;
}

std::optional<std::size_t> SmallestErrorRow(const std::vector<NetworkRow>& rows) {
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!best || std::fabs(rows[i].error) < std::fabs(rows[*best].error)) best = i;
    }
    return best;
}

std::string NetworkCopyText(const std::vector<NetworkRow>& rows,
                            const std::vector<std::size_t>& shown, Tolerance tolerance) {
    std::string text;
    const auto addLine = [&text](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) text += '\t';
            text += cells[i];
        }
        text += '\n';
    };
    std::vector<std::string> names;
    for (std::size_t c = 0; c < NetworkColumnCount(tolerance); ++c) {
        names.emplace_back(kColumnName[c]);
    }
    addLine(names);
    for (std::size_t i : shown) {
        if (i < rows.size()) addLine(NetworkCells(rows[i], tolerance));
    }
    return text;
}

}  // namespace korvane
