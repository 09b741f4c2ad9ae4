// Prints the texts the core makes from a large, fixed set of inputs: the
// engineering text, the number text, the resistance text and whole network
// listings in every series and tolerance, with the numbers behind each row
// in hexadecimal. Two builds whose dumps are the same file write the same
// bytes. Run as: korvane_text_dump > dump.txt
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "format/cohms.h"
#include "format/roundoff.h"
#include "io/numeric.h"
#include "network/network_search.h"
#include "network/series.h"
#include "spread_values.h"

namespace {

void Put(std::string_view s) {
    std::fwrite(s.data(), 1, s.size(), stdout);
    std::fputc('\n', stdout);
}

// Values on each side of every power of ten and of every band and
// rounding boundary the texts use, and the specials.
std::vector<double> EdgeValues() {
    std::vector<double> v = {0.0, -0.0, std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::min(), std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
    const double marks[] = {1.0, 9.9995, 9.995, 9.95, 9.5, 5.0, 1.05, 2.5};
    for (int e = -20; e <= 16; ++e) {
        for (double mark : marks) {
            const double x = std::stod(std::to_string(mark) + "e" + std::to_string(e));
            double y = x;
            for (int k = 0; k < 3; ++k) y = std::nextafter(y, 0.0);
            for (int k = 0; k < 7; ++k) {
                v.push_back(y);
                v.push_back(-y);
                y = std::nextafter(y, 1e300);
            }
        }
    }
    return v;
}

std::vector<double> RandomValues(std::size_t count, int lowExp, int highExp, unsigned seed) {
    std::mt19937_64 gen(seed);
    std::vector<double> v;
    korvane::bench::AppendSpreadValues(v, gen, count, lowExp, highExp);
    // Values with few decimals, as results often are.
    std::uniform_int_distribution<int> whole(0, 2000000);
    std::uniform_int_distribution<int> places(0, 9);
    for (std::size_t i = 0; i < count / 4; ++i) {
        v.push_back(whole(gen) / std::pow(10.0, places(gen)));
    }
    return v;
}

void DumpTexts() {
    std::vector<double> values = EdgeValues();
    for (double x : RandomValues(1000000, -18, 15, 20240611)) values.push_back(x);
    for (double x : values) {
        Put(korvane::Roundoff(x));
        if (std::isfinite(x)) {
            Put(korvane::NumberText(x));
            Put(korvane::COhms(x));
        }
    }
}

void DumpSearch(double bw, double rtMin, double rtMax, double vout) {
    for (std::size_t s = 0; s < korvane::kSeriesCount; ++s) {
        for (std::size_t t = 0; t < korvane::kToleranceCount; ++t) {
            const auto result = korvane::NetworkSearch(bw, rtMin, rtMax, vout, korvane::SeriesAt(s),
                                                       korvane::ToleranceAt(t));
            std::printf("search %a %a %a %a %zu %zu\n", bw, rtMin, rtMax, vout, s, t);
            if (result.fault) Put(*result.fault);
            for (std::size_t i = 0; i < result.rows.size(); ++i) {
                const auto& row = result.rows[i];
                Put(result.lines[i]);
                Put(std::string(row.r1Text) + "|" + std::string(row.r2Text));
                std::printf("%a %a %a %a %a %a %a %a %a %a %a\n", row.r1, row.r2, row.b, row.error,
                            row.rin, row.ro, row.current, row.pr1, row.pr2, row.bLow, row.bHigh);
            }
        }
    }
}

void DumpSearches() {
    DumpSearch(0.5, 2.0, 20000000.0, std::sqrt(212.0));
    DumpSearch(0.0393, 5000.0, 20000.0, std::sqrt(212.0));
    DumpSearch(1.0, 1.0, 2.0, 1.0);
    DumpSearch(1e-300, 1.0, 2.0, 1.0);
    DumpSearch(0.3, -50.0, 1000.0, 10.0);
    DumpSearch(0.3, 0.5, 1000.0, 1e200);
    DumpSearch(0.999, 1.0, 1e9, 3.0);
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> logBw(-7.0, 0.0);
    std::uniform_real_distribution<double> logR(-1.0, 7.5);
    std::uniform_real_distribution<double> spread(0.01, 2.0);
    std::uniform_real_distribution<double> logV(-3.0, 3.0);
    for (int i = 0; i < 400; ++i) {
        const double bw = std::pow(10.0, logBw(gen));
        const double rtMin = std::pow(10.0, logR(gen));
        const double rtMax = rtMin * std::pow(10.0, spread(gen));
        DumpSearch(bw, rtMin, rtMax, std::pow(10.0, logV(gen)));
    }
}

}  // namespace

int main() {
    DumpTexts();
    DumpSearches();
    for (std::size_t t = 0; t < korvane::kToleranceCount; ++t) {
        Put(korvane::NetworkHeading(korvane::ToleranceAt(t)));
    }
    return 0;
}
