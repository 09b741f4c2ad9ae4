// The tube library: the built-in table, the CSV reader and its line-numbered
// problems, the user's file written and read back, and the filter.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tube/tube_library.h"

namespace korvane {
namespace {

using Texts = std::vector<std::string>;

TEST(BuiltInTubes, TheWholeTableWithOneDefaultPerGroup) {
    const TubeTable table = ReadTubeTable(BuiltInTubeText());
    EXPECT_TRUE(table.problems.empty());
    const std::vector<Tube>& tubes = BuiltInTubes();
    ASSERT_EQ(tubes.size(), 36u);
    std::map<std::string, int> defaults;
    for (const Tube& t : tubes) {
        defaults[t.group] += t.isDefault ? 1 : 0;
        EXPECT_FALSE(t.source.empty()) << t.name;
        EXPECT_EQ(CheckModel(t.model), "") << t.name;
        EXPECT_EQ(t.ratingsSource.empty(), !t.limits.plateDissipation.has_value()) << t.name;
    }
    EXPECT_EQ(defaults.size(), 16u);
    for (const auto& [group, count] : defaults) EXPECT_EQ(count, 1) << group;

    // One row in full: a quoted source with commas, two aliases, ratings.
    const Tube& rca = tubes[2];
    EXPECT_EQ(rca.group, "12AX7");
    EXPECT_EQ(rca.name, "12AX7A (RCA fit)");
    EXPECT_EQ(rca.aliases, (Texts{"ECC83", "7025"}));
    EXPECT_EQ(rca.model.mu, 100.26);
    EXPECT_EQ(rca.model.ex, 1.394);
    EXPECT_EQ(rca.model.kg1, 1651.8);
    EXPECT_EQ(rca.model.kp, 17950.75);
    EXPECT_EQ(rca.model.kvb, 524.4);
    EXPECT_EQ(rca.model.vct, 0.5);
    EXPECT_EQ(rca.limits.plateDissipation, 1.0);
    EXPECT_EQ(rca.limits.plateVoltage, 300.0);
    EXPECT_TRUE(rca.isDefault);
    EXPECT_EQ(rca.source,
              "vgreff/LTSpiceLibraries LTSpice/vglib/sub/Koren_Tubes.lib subckt 12AX7A: 'RCA data sheet AKA "
              "ECC83 7025', fit 31-May-2008 (S. Malcolm-Brown); same values in GLuisF/LTspice "
              "lib/sub/nk_triode.sub");
    EXPECT_EQ(tubes[6].limits.plateDissipation, std::nullopt);  // 7025: no rating found
}

TEST(ReadCsv, FieldsAndLineProblems) {
    struct Case {
        const char* text;
        std::vector<std::pair<int, Texts>> rows;
        std::vector<TableProblem> problems;
    };
    const Case cases[] = {
        {"a, b ,\"c,d\"\n", {{1, {"a", "b", "c,d"}}}, {}},
        {"\"say \"\"hi\"\"\"", {{1, {"say \"hi\""}}}, {}},
        {"x,,\r\n\r\n  \ny\rz", {{1, {"x", "", ""}}, {4, {"y"}}, {5, {"z"}}}, {}},
        {" \" kept \" ,a", {{1, {" kept ", "a"}}}, {}},
        {"\xEF\xBB\xBFname,MU\n", {{1, {"name", "MU"}}}, {}},
        {"\"open\nx\n", {{2, {"x"}}}, {{1, "A double quote is not closed on this line."}}},
        {"ok\n\"a\" b,c\nok2", {{1, {"ok"}}, {3, {"ok2"}}},
         {{2, "Field 1 has text after its closing double quote."}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CsvText csv = ReadCsv(c.text);
        std::vector<std::pair<int, Texts>> rows;
        for (const CsvRow& r : csv.rows) rows.emplace_back(r.line, r.fields);
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(csv.problems, c.problems);
    }
}

TEST(ReadTubeTable, EachBadLineOnceWithItsNumber) {
    const std::string text =
        "Name,mu,ex,kg1,kp,kvb,pa_max_w,default,notes\r\n"
        "Mine A,100,1.4,1060,600,300,,1,read\r\n"
        "Mine B,abc,1.4,1060,600,300,,,\r\n"
        "Mine C,100,1.4,-2,600,300,,,\r\n"
        "Mine D,100,1.4,1060,600,300,,\r\n"
        "Mine A,90,1.4,1060,600,300,,,\r\n"
        ",90,1.4,1060,600,300,,,\r\n"
        "Mine E,90,1.4,1060,600,-1,,,\r\n"
        "Mine F,90,1.4,1060,600,0,0,,\r\n"
        "Mine G,90,1.4,1060,,1,,,\r\n"
        "Mine H,90,1.4,1060,600,1,,yes,\r\n"
        "Mine I,1e999,1.4,1060,600,1,,,\r\n"
        "\"Mine, J\",90,1.4,1060,600,1,2.5,0,\r\n";
    const TubeTable table = ReadTubeTable(text);
    EXPECT_EQ(table.problems, (std::vector<TableProblem>{
                                  {3, "MU must be a number: it is \"abc\"."},
                                  {4, "KG1 must be above 0: it is -2."},
                                  {5, "The line has 8 fields, where the first line names 9."},
                                  {6, "The name \"Mine A\" is already on line 2."},
                                  {7, "The name is empty."},
                                  {8, "KVB must be 0 or above: it is -1."},
                                  {9, "pa_max_w must be above 0: it is 0."},
                                  {10, "KP is empty."},
                                  {11, "default must be 0, 1 or empty: it is \"yes\"."},
                                  {12, "MU must be a number: it is \"1e999\"."},
                              }));
    ASSERT_EQ(table.tubes.size(), 2u);
    EXPECT_EQ(table.tubes[0].name, "Mine A");
    EXPECT_EQ(table.tubes[0].group, "Mine A");  // no group column: the name
    EXPECT_TRUE(table.tubes[0].isDefault);
    EXPECT_EQ(table.tubes[0].model.vct, 0);     // no VCT column
    EXPECT_EQ(table.tubes[1].name, "Mine, J");
    EXPECT_EQ(table.tubes[1].limits.plateDissipation, 2.5);

    EXPECT_EQ(ReadTubeTable("name,MU,EX,KG1,KVB\nx,1,1,1,1\n").problems,
              (std::vector<TableProblem>{
                  {1, "The first line names no column \"KP\": no tube can be read."}}));
    EXPECT_TRUE(ReadTubeTable("").tubes.empty());
}

TEST(WriteTubeTable, ReadsBackEqual) {
    std::vector<Tube> tubes = BuiltInTubes();
    Tube mine;
    mine.group = "Mine";
    mine.name = " \"Quoted\", spaced ";
    mine.aliases = {"X1", "X 2"};
    mine.model = {0.1 + 0.2, 1.0 / 3, 1e-7, 12345.678901234567, 0, -0.5};
    mine.limits.plateVoltage = 333.3;
    mine.source = "typed by hand, \"from a sheet\"";
    tubes.push_back(mine);
    const std::string text = WriteTubeTable(tubes);
    const TubeTable back = ReadTubeTable(text);
    EXPECT_TRUE(back.problems.empty());
    EXPECT_EQ(back.tubes, tubes);
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "tube,name,aliases,MU,EX,KG1,KP,KVB,VCT,pa_max_w,va_max_v,default,source,ratings_source");
    EXPECT_NE(text.find("\r\nMine,\" \"\"Quoted\"\", spaced \",X1|X 2,0.30000000000000004,"
                        "0.3333333333333333,1e-07,12345.678901234567,0,-0.5,,333.3,0,"
                        "\"typed by hand, \"\"from a sheet\"\"\",\r\n"),
              std::string::npos);
    // A line break in a text would split the row: it is written as a space.
    mine.source = "two\r\nlines";
    EXPECT_EQ(ReadTubeTable(WriteTubeTable({mine})).tubes.at(0).source, "two  lines");
}

TEST(FilterTubes, NameGroupAndAliases) {
    const std::vector<Tube>& tubes = BuiltInTubes();
    struct Case {
        const char* typed;
        Texts names;
    };
    const Case cases[] = {
        {"ECC83",
         {"12AX7 (Koren 1996)", "12AX7 (Koren _OLD set)", "12AX7A (RCA fit)", "12AX7A (Sylvania fit)",
          "ECC83 (Mullard fit 2012)", "ECC83 (Mullard fit 2008)", "7025 (Sylvania fit)"}},
        {"7025",
         {"12AX7A (RCA fit)", "12AX7A (Sylvania fit)", "ECC83 (Mullard fit 2012)",
          "ECC83 (Mullard fit 2008)", "7025 (Sylvania fit)"}},
        {"ecc 81",
         {"12AT7 (Koren 1996)", "12AT7 (Tom Mitchell)", "12AT7WA (Mazda Belvu fit)",
          "ECC81 (Mullard fit)"}},
        {"6072", {"12AY7 (GE fit)"}},
        {"sv300", {"SV300B (Svetlana fit)"}},
        {"6c-33", {"6C33C (Koren 1996)", "6C33C (Soviet 1970 fit)"}},
        {"EL34", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Texts names;
        for (const std::size_t i : FilterTubes(tubes, c.typed)) names.push_back(tubes[i].name);
        EXPECT_EQ(names, c.names);
    }
    EXPECT_EQ(FilterTubes(tubes, "  ").size(), tubes.size());
}

}  // namespace
}  // namespace korvane
