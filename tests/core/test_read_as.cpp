// The note beside a field whose text is not one number.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "format/read_as.h"
#include "format/roundoff.h"
#include "io/numeric.h"

namespace korvane {
namespace {

TEST(ReadAsNote, SaysWhatATextIsReadAs) {
    const struct {
        const char* text;
        std::optional<std::string> note;
    } cases[] = {
        // Typed the way resistor values are printed: read as their lead.
        {"100k", "Read as 100"},
        {"2k2", "Read as 2"},
        {"4,7", "Read as 4"},
        {"4.7 k", "Read as 4.7"},
        {"12 AX7", "Read as 12"},
        {"abc", "Read as 0"},
        {"-", "Read as 0"},
        {".", "Read as 0"},
        {"1e", "Read as 1"},
        {"1e+", "Read as 1"},
        {".5.5", "Read as .5"},
        {"0.000015x", "Read as 1.5E-05"},
        {"  -3.3V", "Read as -3.3"},
        {"-.25 A", "Read as -.25"},
        {"-0x", "Read as 0"},
        {"1e999 W", "Read as a number too large"},
        // One number, blanks around it or inside it: no note.
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"\t", std::nullopt},
        {"100e3", std::nullopt},
        {"  470e3  ", std::nullopt},
        {"1 000", std::nullopt},
        {"- 5", std::nullopt},
        {"1e999", std::nullopt},
        // What results are written as.
        {" 4.939e+3  ", std::nullopt},
        {" .3934", std::nullopt},
        {"4.939e+3  ", std::nullopt},  // as read back from a file
        {" 100000", std::nullopt},
        {"0", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadAsNote(c.text), c.note) << '"' << c.text << '"';
}

// Every text Roundoff writes into a field reads as one number, the
// out-of-range mask included, which is no number but the program's own.
TEST(ReadAsNote, NoNoteOnAnyResultText) {
    for (double v : {0.0, 5e-17, -5e-17, 1.0, -3.3, 0.5, 1.5e-10, 1234.5, 999.95, 999950.0,
                     9.9e12, 2e13, -2e13, 1e300}) {
        EXPECT_EQ(ReadAsNote(Roundoff(v)), std::nullopt) << v;
        EXPECT_EQ(ReadAsNote(NumberText(v)), std::nullopt) << v;
    }
}

TEST(NumericEnd, WhereTheParseStopped) {
    const struct {
        const char* text;
        std::size_t end;
    } cases[] = {
        {"100k", 3}, {"2k2", 1}, {" 4.939e+3  ", 11}, {"1e", 1}, {"1e5x", 3},
        {"abc", 0},  {"", 0},    {"  ", 0},           {"- 5 ", 4},
    };
    for (const auto& c : cases) EXPECT_EQ(NumericEnd(c.text), c.end) << '"' << c.text << '"';
}

}  // namespace
}  // namespace korvane
