#include "network/network_csv.h"

#include <charconv>
#include <system_error>

namespace korvane {
namespace {

// 15 significant digits, as a spreadsheet keeps a number: all a double
// holds of it, without the last digit's noise (a table value of
// 220.00000000000003 ohms is 220). Not the locale's decimal point.
void AppendNumber(std::string& out, double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    out.append(buffer, result.ec == std::errc{} ? result.ptr : buffer);
}

}  // namespace

std::string NetworkCsv(const std::vector<NetworkRow>& rows, Tolerance tolerance) {
    const bool bounds = tolerance != Tolerance::None;
    std::string out =
        "R1 (ohms),R2 (ohms),B,Error (%),Rin (ohms),Ro (ohms),Current (A),P in R1 (W),"
        "P in R2 (W)";
    out += bounds ? ",B low,B high\r\n" : "\r\n";
    for (const NetworkRow& row : rows) {
        const double values[] = {row.r1,  row.r2,      row.b,   row.error, row.rin,
                                 row.ro, row.current, row.pr1, row.pr2};
        for (std::size_t i = 0; i < std::size(values); ++i) {
            if (i > 0) out.push_back(',');
            AppendNumber(out, values[i]);
        }
        if (bounds) {
            out.push_back(',');
            AppendNumber(out, row.bLow);
            out.push_back(',');
            AppendNumber(out, row.bHigh);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace korvane
