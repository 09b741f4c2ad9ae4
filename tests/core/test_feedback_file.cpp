// Korvane_Feedback.dat: the default content, loading (whole and partial),
// how the option states read are applied, saving, and a comma round trip.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "feedback/feedback_file.h"

namespace korvane {
namespace {

const std::string kDefault =
    "6 L6\r\n26.5\r\n8\r\n22.5\r\n22.5\r\n25\r\n\r\n20\r\n\r\n\r\n"
    "True\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\nFalse\r\n";
const std::vector<std::string> kDefaultFields = {"6 L6", "26.5", "8",  "22.5", "22.5",
                                                 "25",   "",     "20", "",     ""};
const std::string kFields = "6 L6\r\n26.5\r\n8\r\n22.5\r\n22.5\r\n25\r\n\r\n20\r\n\r\n\r\n";

TEST(FeedbackFile, DefaultContent) {
    EXPECT_EQ(DefaultFeedbackFile(), kDefault);
    EXPECT_EQ(kFeedbackFileName, std::string("Korvane_Feedback.dat"));
}

TEST(FeedbackFile, Loads) {
    struct Row {
        const char* name;
        std::optional<std::string> bytes;
        std::vector<std::string> fields;
        std::vector<bool> options;
        std::optional<bool> ab2;
        bool ok;
    };
    const std::vector<std::string> five = {"6 L6", "26.5", "8", "22.5", "22.5"};
    const std::vector<Row> rows = {
        {"defaults", kDefault, kDefaultFields, {true, false, false, true, false}, false, true},
        {"AB2 True, numbers as Booleans", kFields + "0\r\n-1\r\n0\r\n0\r\n2.5\r\nTrue\r\n",
         kDefaultFields, {false, true, false, false, true}, true, true},
        {"lines after the 16th ignored", kDefault + "True\r\n", kDefaultFields,
         {true, false, false, true, false}, false, true},
        {"no file", std::nullopt, {}, {}, std::nullopt, false},
        {"cut after 5 lines", kFields.substr(0, kFields.find("25\r\n")), five, {}, std::nullopt, false},
        {"15 lines: no AB2", kFields + "True\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\n", kDefaultFields,
         {true, false, false, true, false}, std::nullopt, false},
        {"option line not a Boolean", kFields + "True\r\nFalse\r\nmaybe\r\nTrue\r\nFalse\r\nFalse\r\n",
         kDefaultFields, {true, false}, std::nullopt, false},
        {"empty option line", kFields + "True\r\n\r\nFalse\r\nTrue\r\nFalse\r\nFalse\r\n",
         kDefaultFields, {true}, std::nullopt, false},
        {"AB2 line not a Boolean", kFields + "True\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\nyes\r\n",
         kDefaultFields, {true, false, false, true, false}, std::nullopt, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const FeedbackFileLoad load = LoadFeedbackFile(row.bytes);
        EXPECT_EQ(load.fields, row.fields);
        EXPECT_EQ(load.options, row.options);
        EXPECT_EQ(load.ab2, row.ab2);
        EXPECT_EQ(load.ok, row.ok);
    }
}

TEST(FeedbackFile, OptionsReadAreSetOneByOne) {
    using Options = std::array<bool, 5>;
    struct Row {
        const char* name;
        Options before;
        std::vector<bool> read;
        Options after;
    };
    const std::vector<Row> rows = {
        {"defaults", {false, true, true, false, false}, {true, false, false, true, false},
         {true, false, false, true, false}},
        {"Option1 and Option2 both True: the later wins", {true, false, false, true, false},
         {true, true, false, true, false}, {false, true, false, true, false}},
        {"both False: neither selected", {true, false, false, true, false},
         {false, false, false, true, false}, {false, false, false, true, false}},
        {"Option3 then Option5 True", {true, false, false, true, false},
         {true, false, true, false, true}, {true, false, false, false, true}},
        {"all False: nothing selected", {true, false, false, true, false},
         {false, false, false, false, false}, {false, false, false, false, false}},
        {"a partial read keeps the rest", {true, false, false, false, true}, {false, true},
         {false, true, false, false, true}},
        {"nothing read", {false, true, true, false, false}, {}, {false, true, true, false, false}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ApplyOptionsRead(row.before, row.read), row.after);
    }
}

TEST(FeedbackFile, Saves) {
    const std::array<std::string, 10> fields = {"EL34", "", "", "", "", "", " 393.4e-3  ", "", "", ""};
    EXPECT_EQ(SaveFeedbackFile(fields, {false, true, true, false, false}, true),
              "EL34\r\n\r\n\r\n\r\n\r\n\r\n 393.4e-3  \r\n\r\n\r\n\r\n"
              "False\r\nTrue\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\n");
}

TEST(FeedbackFile, CommaInATextSurvivesSaveAndLoad) {
    const std::array<std::string, 10> fields = {"6L6, 5881", "26.5", "8", "22.5", "22.5", "25",
                                                "", "20", "", ""};
    const std::array<bool, 5> options = {false, true, true, false, false};
    const FeedbackFileLoad load = LoadFeedbackFile(SaveFeedbackFile(fields, options, true));
    ASSERT_TRUE(load.ok);
    EXPECT_EQ(load.fields, std::vector<std::string>(fields.begin(), fields.end()));
    EXPECT_EQ(load.options, std::vector<bool>(options.begin(), options.end()));
    EXPECT_EQ(load.ab2, true);
}

}  // namespace
}  // namespace korvane
