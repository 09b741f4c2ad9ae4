// The items of the inputs files: reading, writing, and the conversions of
// Booleans and check box states.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/items.h"

namespace korvane {
namespace {

using Items = std::vector<std::string>;

TEST(ItemReader, SplitsAtCommasAndLineEnds) {
    const struct {
        const char* bytes;
        Items items;
    } cases[] = {
        {"12AX7\r\n80000\r\n", {"12AX7", "80000"}},
        {"  4.939e+3  \r\n", {"4.939e+3  "}},
        {"12AX7, 1/2\r\n", {"12AX7", "1/2"}},
        {"\r\n\r\n", {"", ""}},
        {"a,\r\nb\r\n", {"a", "", "b"}},
        {"last line without end", {"last line without end"}},
        {"lf\nonly\n", {"lf", "only"}},
        {"cr\ronly\r", {"cr", "only"}},
        {"\"12AX7, 1/2\"\r\nnext\r\n", {"12AX7, 1/2", "next"}},
        {"  \"quoted\" tail,x\r\n", {"quoted", "x"}},
        {"\"two\r\nlines\"\r\nafter\r\n", {"two\r\nlines", "after"}},
        {"\"unclosed\r\nrest", {"unclosed\r\nrest"}},
        {"", {}},
        {"\t tabbed\r\n", {"\t tabbed"}},   // only spaces are skipped
        {"  \tafter spaces\r\n", {"\tafter spaces"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadItems(c.bytes), c.items) << '"' << c.bytes << '"';
    }
}

TEST(ItemReader, ReportsTheEndOfTheData) {
    ItemReader reader("one\r\n");
    EXPECT_EQ(reader.next(), "one");
    EXPECT_EQ(reader.next(), std::nullopt);
    EXPECT_EQ(reader.next(), std::nullopt);
}

TEST(ItemLine, QuotesOnlyWhatReadingWouldChange) {
    const struct {
        const char* text;
        const char* line;
    } cases[] = {
        {"12AX7", "12AX7"},
        {" 4.939e+3  ", " 4.939e+3  "},
        {"", ""},
        {"12AX7, 1/2", "\"12AX7, 1/2\""},
        {"\"Mullard\" 12AX7", "\"'Mullard' 12AX7\""},
        {"  \"x", "\"  'x\""},
        {"say \"hi\"", "say \"hi\""},
        {"a,\"b\"", "\"a,'b'\""},
        {"\t\"x", "\t\"x"},  // the tab is read as part of the item, so no quotes
    };
    for (const auto& c : cases) EXPECT_EQ(ItemLine(c.text), c.line) << c.text;
}

// Whatever a field holds comes back as one item, and the items after it
// stay in their places.
TEST(WriteLines, RoundTripsEveryTextAsOneItem) {
    const Items texts = {"12AX7, 1/2", "80000", "", " 4.939e+3  ", "a,b,c",
                         "x\r\ny", "plain", "\t\"tabbed\""};
    const std::string bytes = WriteLines(texts);
    const Items back = ReadItems(bytes);
    ASSERT_EQ(back.size(), texts.size());
    EXPECT_EQ(back[0], "12AX7, 1/2");
    EXPECT_EQ(back[1], "80000");
    EXPECT_EQ(back[2], "");
    EXPECT_EQ(back[3], "4.939e+3  ") << "leading blanks are not kept";
    EXPECT_EQ(back[4], "a,b,c");
    EXPECT_EQ(back[5], "x\r\ny");
    EXPECT_EQ(back[6], "plain");
    EXPECT_EQ(back[7], "\t\"tabbed\"");
    EXPECT_EQ(WriteLines({"a", ""}), "a\r\n\r\n");
}

TEST(ToBoolean, TrueFalseAndNumbers) {
    const struct {
        const char* item;
        std::optional<bool> value;
    } cases[] = {
        {"True", true},   {"False", false}, {"TRUE", true},   {"false", false},  {" True ", true},
        {"0", false},     {"1", true},      {"-1", true},     {"0.0", false},    {"2.5e1", true},
        {"", std::nullopt}, {"yes", std::nullopt}, {"1x", std::nullopt}, {"12AX7", std::nullopt},
        {"Truex", std::nullopt}, {".", std::nullopt}, {"1e", std::nullopt},
        {"\tTrue", true},  // blanks around a Boolean, tabs too, as before
        {"1e400", std::nullopt}, {"-1e400", std::nullopt},  // beyond a double
        {"1e308", true}, {"1e-400", false},                 // in range, or underflow to 0
    };
    for (const auto& c : cases) EXPECT_EQ(ToBoolean(c.item), c.value) << '"' << c.item << '"';
    EXPECT_EQ(BooleanText(true), "True");
    EXPECT_EQ(BooleanText(false), "False");
}

TEST(CheckBoxValue, RoundsHalvesToEvenAndAcceptsZeroToTwo) {
    const struct {
        const char* item;
        std::optional<int> value;
    } cases[] = {
        {"0", 0},  {"1", 1}, {"2", 2}, {" 1 ", 1}, {"0.5", 0}, {"1.5", 2}, {"2.5", 2},
        {"", 0},   {"abc", 0}, {"-0.4", 0},
        {"3", std::nullopt}, {"7", std::nullopt}, {"-1", std::nullopt}, {"2.51", std::nullopt},
        {"4.939e+3  ", std::nullopt}, {"40000", std::nullopt}, {"1e999", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckBoxValue(c.item), c.value) << '"' << c.item << '"';
}

}  // namespace
}  // namespace korvane
