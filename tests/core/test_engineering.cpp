// Numbers read with SI prefixes and RKM codes, and the numeric parse's
// forms left as they were.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "io/engineering.h"
#include "io/numeric.h"

namespace korvane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(EngineeringValue, PrefixesRkmCodesAndThePlainForms) {
    const struct {
        const char* text;
        double value;
        bool whole;  // read whole with a prefix or as an RKM code
    } cases[] = {
        // Typed as component values are printed.
        {"100k", 100000, true},    {"2k2", 2200, true},       {"4M7", 4.7e6, true},
        {"4R7", 4.7, true},        {"470n", 4.7e-7, true},    {"1.5m", 0.0015, true},
        {"10u", 1e-5, true},       {"10\xB5", 1e-5, true},    {"22p", 2.2e-11, true},
        {"2G", 2e9, true},         {"1T", 1e12, true},        {"3K", 3000, true},
        {"47R", 47, true},         {"1e3k", 1e6, true},       {"5E-3M", 5000, true},
        {".5k", 500, true},        {"1e999p", kInf, true},    {"1e308k", kInf, true},
        // RKM codes: the letter is the point.
        {"R47", 0.47, true},       {"1n5", 1.5e-9, true},     {"6p8", 6.8e-12, true},
        {"n33", 3.3e-10, true},    {"4K7", 4700, true},       {"1u5", 1.5e-6, true},
        {"0R", 0, true},           {"12k345", 12345, true},
        // Signs and blanks.
        {"-2k2", -2200, true},     {"+4R7", 4.7, true},       {"-1.5m", -0.0015, true},
        {"- 5k", -5000, true},     {" 100k\t", 100000, true}, {"\n2k2 ", 2200, true},
        {"4.7 k", 4700, true},     {"1 000k", 1e6, true},
        // The numeric parse's forms read as before.
        {"100e3", 100000, false},  {"393.4e-3", 0.3934, false}, {" 4.939e+3  ", 4939, false},
        {"1 000", 1000, false},    {"- 5", -5, false},        {"", 0, false},
        {"1e999", kInf, false},    {"1E2", 100, false},
        // Not whole in either form: the numeric parse's leading number.
        {"100k ohms", 100, false}, {"2 k2", 2, false},        {"1E", 1, false},
        {"2kk", 2, false},         {"k", 0, false},           {"R", 0, false},
        {"1.5k2", 1.5, false},     {"100 kk", 100, false},    {"4,7k", 4, false},
        {"2k2e3", 2, false},       {"12AX7", 12, false},      {"1f", 1, false},
        {"- 2k2", -2, false},      {"2k-2", 2, false},        {"1.k.5", 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(EngineeringValue(c.text), c.value);
        EXPECT_EQ(ReadNumber(c.text, Notation::Engineering), c.value);
        EXPECT_EQ(ReadNumber(c.text, Notation::Plain), NumericValue(c.text));
        EXPECT_EQ(ReadsWholeAsEngineering(c.text), c.whole);
    }
}

// A prefix scales the decimal number, not its double: each text is the same
// double as its exponent form, whatever rounding the product would add.
TEST(EngineeringValue, SameDoubleAsTheExponentForm) {
    const struct {
        const char* engineering;
        const char* exponent;
    } cases[] = {{"100k", "100e3"},   {"4M7", "4.7e6"},      {"470n", "470e-9"},
                 {"0.3m", "0.3e-3"},  {"3.3u", "3.3e-6"},    {"6p8", "6.8e-12"},
                 {"1.1T", "1.1e12"},  {"-0.7n", "-0.7e-9"},  {"9e-320k", "9e-317"}};
    for (const auto& c : cases) {
        EXPECT_EQ(EngineeringValue(c.engineering), NumericValue(c.exponent)) << c.engineering;
    }
}

}  // namespace
}  // namespace korvane
