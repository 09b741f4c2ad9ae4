#pragma once
// Random values spread over many decades, for the benchmarks and the text
// dump: both draw their values the same way.

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

namespace korvane::bench {

// Appends `count` values m x 10^e drawn from `gen`: m uniform in [1, 10), e
// a whole number uniform in [lowExp, highExp], a quarter of them negative.
inline void AppendSpreadValues(std::vector<double>& v, std::mt19937_64& gen, std::size_t count,
                               int lowExp, int highExp) {
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(lowExp, highExp);
    std::bernoulli_distribution negative(0.25);
    v.reserve(v.size() + count);
    for (std::size_t i = 0; i < count; ++i) {
        const double m = mantissa(gen) * std::pow(10.0, exponent(gen));
        v.push_back(negative(gen) ? -m : m);
    }
}

}  // namespace korvane::bench
