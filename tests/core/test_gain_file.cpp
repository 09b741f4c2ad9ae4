// Korvane_Gain.dat: the default content, loading (whole and partial),
// saving, and a tube number with a comma surviving the round trip.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/numeric.h"
#include "rcstage/gain_file.h"

namespace korvane {
namespace {

const std::string kDefault =
    "12AX7\r\n80000\r\n100e3\r\n470e3\r\n1800\r\n57\r\n100e3\r\n470e3\r\n10\r\n\r\n0\r\n";
const std::vector<std::string> kDefaultFields = {"12AX7", "80000", "100e3", "470e3", "1800",
                                                 "57",    "100e3", "470e3", "10",    ""};

// The first `n` lines of a file.
std::string FirstLines(const std::string& file, int n) {
    std::size_t end = 0;
    for (int i = 0; i < n; ++i) end = file.find("\r\n", end) + 2;
    return file.substr(0, end);
}

TEST(GainFile, DefaultContent) {
    EXPECT_EQ(DefaultGainFile(), kDefault);
    EXPECT_EQ(kGainFileName, std::string("Korvane_Gain.dat"));
}

TEST(GainFile, Loads) {
    struct Row {
        const char* name;
        std::optional<std::string> bytes;
        std::vector<std::string> fields;
        std::optional<int> check;
        bool ok;
    };
    const std::vector<Row> rows = {
        {"defaults", kDefault, kDefaultFields, 0, true},
        {"box set", FirstLines(kDefault, 10) + "1\r\n", kDefaultFields, 1, true},
        {"box grayed", FirstLines(kDefault, 10) + "2\r\n", kDefaultFields, 2, true},
        {"last line without its line end", FirstLines(kDefault, 10) + "1", kDefaultFields, 1, true},
        {"lines after the 11th ignored", kDefault + "junk\r\nmore\r\n", kDefaultFields, 0, true},
        {"no file", std::nullopt, {}, std::nullopt, false},
        {"empty file", std::string(), {}, std::nullopt, false},
        {"cut after 3 lines", FirstLines(kDefault, 3), {"12AX7", "80000", "100e3"}, std::nullopt, false},
        {"cut after 5 lines", FirstLines(kDefault, 5), {"12AX7", "80000", "100e3", "470e3", "1800"},
         std::nullopt, false},
        {"no check box line", FirstLines(kDefault, 10), kDefaultFields, std::nullopt, false},
        {"last line 7", FirstLines(kDefault, 10) + "7\r\n", kDefaultFields, std::nullopt, false},
        {"last line a result", FirstLines(kDefault, 10) + " 4.939e+3  \r\n", kDefaultFields,
         std::nullopt, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const GainFileLoad load = LoadGainFile(row.bytes);
        EXPECT_EQ(load.fields, row.fields);
        EXPECT_EQ(load.check, row.check);
        EXPECT_EQ(load.ok, row.ok);
    }
}

TEST(GainFile, SavedResultComesBackWithItsValue) {
    std::array<std::string, 10> fields;
    std::copy(kDefaultFields.begin(), kDefaultFields.end(), fields.begin());
    fields[9] = " 4.939e+3  ";
    const GainFileLoad load = LoadGainFile(SaveGainFile(fields, 0));
    ASSERT_TRUE(load.ok);
    EXPECT_EQ(NumericValue(load.fields[9]), 4939.0);
}

TEST(GainFile, SavesElevenLines) {
    const std::array<std::string, 10> fields = {"6SN7", "7700", "", "", "", "", "", "", "", ""};
    EXPECT_EQ(SaveGainFile(fields, 1), "6SN7\r\n7700\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n1\r\n");
    EXPECT_EQ(SaveGainFile(fields, 2), "6SN7\r\n7700\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n2\r\n");
}

TEST(GainFile, CommaInATextSurvivesSaveAndLoad) {
    const std::array<std::string, 10> fields = {"12AX7, 1/2", "80000", "100e3", "470e3", "1800",
                                                "57", "100e3", "470e3", "10", ""};
    const GainFileLoad load = LoadGainFile(SaveGainFile(fields, 1));
    ASSERT_TRUE(load.ok);
    EXPECT_EQ(load.fields, std::vector<std::string>(fields.begin(), fields.end()));
    EXPECT_EQ(load.check, 1);
}

}  // namespace
}  // namespace korvane
