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
        // Typed the way resistor values are printed: read as their lead, and
        // what Engineering notation would read them as.
        {"100k", "Read as 100 (100k is 100000 with Engineering notation on)"},
        {"2k2", "Read as 2 (2k2 is 2200 with Engineering notation on)"},
        {"4,7", "Read as 4"},
        {"4.7 k", "Read as 4.7 (4.7 k is 4700 with Engineering notation on)"},
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

// With Engineering notation off the note tells what turning it on would
// change; with it on, a text read whole either way has no note, and any
// other text is noted as the numeric parse reads it.
TEST(ReadAsNote, InBothNotations) {
    const std::optional<std::string> none;
    const struct {
        const char* text;
        std::optional<std::string> plain, engineering;
    } cases[] = {
        {"100k", "Read as 100 (100k is 100000 with Engineering notation on)", none},
        {" 2k2\t", "Read as 2 (2k2 is 2200 with Engineering notation on)", none},
        {"470n", "Read as 470 (470n is 4.7E-07 with Engineering notation on)", none},
        {"10\xB5", "Read as 10 (10\xB5 is 1E-05 with Engineering notation on)", none},
        {"R47", "Read as 0 (R47 is .47 with Engineering notation on)", none},
        {"-4.7 k", "Read as -4.7 (-4.7 k is -4700 with Engineering notation on)", none},
        {"1e308k", "Read as 1E+308 (1e308k is a number too large with Engineering notation on)",
         none},
        // The same value either way: nothing to add.
        {"47R", "Read as 47", none},
        // Not whole in either notation.
        {"100k ohms", "Read as 100", "Read as 100"},
        {"2 k2", "Read as 2", "Read as 2"},
        {"abc", "Read as 0", "Read as 0"},
        {"1e999 W", "Read as a number too large", "Read as a number too large"},
        // Read whole as plain numbers.
        {"100e3", none, none},
        {" 4.939e+3  ", none, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(ReadAsNote(c.text, Notation::Plain), c.plain);
        EXPECT_EQ(ReadAsNote(c.text), c.plain);
        EXPECT_EQ(ReadAsNote(c.text, Notation::Engineering), c.engineering);
    }
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
