// The Triode Load Line window's texts: the results and
// the chart's summary of worked stages (the 12AX7A and 300B stages of
// test_tube_stage.cpp; the 12AU7 stage's values from a separate bisection
// and central differences of the same equations), the RC Stage Gain fields (read back
// exactly, and calculated by the RC stage to the model's own gain), the
// tube a typed text chooses, and a designer's tube from its editor.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "format/roundoff.h"
#include "io/numeric.h"
#include "rcstage/rc_calc.h"
#include "tube/load_line.h"
#include "tube_support.h"

namespace korvane {
namespace {

using testing::Named;
using testing::SelfBias;

struct Solved {
    StageInput in;
    StagePoint point;
    StageChart chart;
};

Solved Solve(const std::string& tube, const StageInput& in) {
    const Tube& t = Named(tube);
    const StageResult r = SolveStage(t.model, t.limits, in);
    EXPECT_EQ(r.error, "") << tube;
    return {in, r.point, ChartData(t.model, t.limits, in, r.point)};
}

TEST(LoadLineResults, WorkedStagesInTheWindowsOrder) {
    const struct {
        const char* tube;
        StageInput in;
        std::array<const char*, kLoadLineResults> texts;
        const char* summary;
    } rows[] = {
        {"12AX7A (RCA fit)", SelfBias(250, 100e3, 1500, 470e3),
         {" 160.8     ", " 878.5e-6  ", "-1.318     ", " 65.70e+3  ", " 1.526e-3  ", " 100.3     ",
          " 55.80     ", " 27.55     ", " 72.44     ", " 3.478     ", " 141.3e-3  "},
         "12AX7A (RCA fit): operating point 160.8 V, 0.8785 mA, grid -1.318 V; gain 55.8 with Rk "
         "bypassed, 27.55 unbypassed. Plate curves from 0 V to -3 V in steps of 0.5 V, the DC and "
         "AC load lines; the plate dissipation limit of 1 W lies above the chart."},
        {"300B (Western Electric fit)", SelfBias(400, 5000, 1000, 100e3),
         {" 184.4     ", " 35.93e-3  ", "-35.93     ", " 837.8     ", " 4.662e-3  ", " 3.906     ",
          " 3.321     ", " 1.770     ", " 121.1     ", " 1.891     ", " 6.626     "},
         "300B (Western Electric fit): operating point 184.4 V, 35.93 mA, grid -35.93 V; gain 3.321 "
         "with Rk bypassed, 1.77 unbypassed. Plate curves from 0 V to -100 V in steps of 20 V, the "
         "DC and AC load lines; the plate dissipation limit of 40 W lies above the chart."},
        {"12AU7 (Sylvania fit)", SelfBias(300, 22e3, 820, 220e3),
         {" 153.4     ", " 6.425e-3  ", "-5.269     ", " 7.988e+3  ", " 2.194e-3  ", " 17.53     ",
          " 12.53     ", " 8.119     ", " 72.12     ", " 5.371     ", " 985.5e-3  "},
         "12AU7 (Sylvania fit): operating point 153.4 V, 6.425 mA, grid -5.269 V; gain 12.53 with Rk "
         "bypassed, 8.119 unbypassed. Plate curves from 0 V to -14 V in steps of 2 V, the DC and AC "
         "load lines, and the plate dissipation limit of 2.75 W."},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.tube);
        const Solved s = Solve(r.tube, r.in);
        const auto texts = LoadLineResultTexts(s.point);
        for (std::size_t i = 0; i < kLoadLineResults; ++i) {
            EXPECT_EQ(texts[i], r.texts[i]) << LoadLineResultRows()[i].caption;
        }
        EXPECT_EQ(LoadLineSummary(r.tube, s.point, s.chart), r.summary);
    }
    // The 6SN7 row has no rating: its summary names no limit.
    const Solved s = Solve("6SN7 (Sylvania Technical Manual fit)", SelfBias(300, 47e3, 1000, 220e3));
    const std::string summary = LoadLineSummary("6SN7", s.point, s.chart);
    EXPECT_EQ(summary.find("dissipation"), std::string::npos) << summary;
    const std::string tail = "the DC and AC load lines.";
    ASSERT_GT(summary.size(), tail.size());
    EXPECT_EQ(summary.substr(summary.size() - tail.size()), tail);
}

TEST(RoundTripText, ShortestAndReadBackExactly) {
    const struct {
        double value;
        const char* text;
    } rows[] = {
        {100000, "100000"},
        {-1500, "-1500"},
        {0, "0"},
        {0.1 + 0.2, "0.30000000000000004"},
        {65696.78601234566, "65696.78601234566"},
        {1e20, "1e+20"},
        {1.5e-7, "1.5e-07"},
        {1e-4, "0.0001"},
        {999999999999999.9, "999999999999999.9"},
        {1e15, "1e+15"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(RoundTripText(r.value), r.text);
        EXPECT_EQ(NumericValue(RoundTripText(r.value)), r.value) << r.text;
    }
    // Doubles spread over the whole range, of every sign: each text reads
    // back as the same bits.
    std::uint64_t bits = 0x9E3779B97F4A7C15u;
    for (int i = 0; i < 20000; ++i) {
        bits ^= bits << 13;
        bits ^= bits >> 7;
        bits ^= bits << 17;
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        const std::string text = RoundTripText(value);
        const double back = NumericValue(text);
        ASSERT_EQ(std::memcmp(&back, &value, sizeof value) == 0 || (back == 0 && value == 0), true)
            << text;
    }
}

TEST(RcStageFieldsFor, TheTableRowTheRcStageReadsToTheModelsGain) {
    const struct {
        const char* tube;
        StageInput in;
    } rows[] = {
        {"12AX7A (RCA fit)", SelfBias(250, 100e3, 1500, 470e3)},
        {"12AU7 (Sylvania fit)", SelfBias(300, 22e3, 820, 220e3)},
        {"300B (Western Electric fit)", SelfBias(400, 5000, 1000, 100e3)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.tube);
        const Solved s = Solve(r.tube, r.in);
        const auto fields = RcStageFieldsFor(r.tube, r.in, s.point);
        EXPECT_EQ(fields[0], r.tube);
        const double expected[] = {s.point.rp, r.in.plateLoad, r.in.followingGrid, r.in.cathode,
                                   s.point.gainBypassed};
        for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(NumericValue(fields[i + 1]), expected[i]);

        // The RC stage, in gain mode with the table's own resistors, gives
        // the model's gain with Rk unbypassed: the amplification factor it
        // finds from the table row is the model's.
        RcStageInput rc;
        for (std::size_t i = 0; i < 6; ++i) rc.fields[i] = fields[i];
        rc.fields[6] = fields[2];
        rc.fields[7] = fields[3];
        rc.check = kCheckSet;
        const Outcome out = RcStageCalculate(rc);
        EXPECT_TRUE(out.messages().empty());
        EXPECT_EQ(out.field(8), Roundoff(s.point.gainUnbypassed));
    }
    const Solved s = Solve("12AX7A (RCA fit)", SelfBias(250, 100e3, 1500, 470e3));
    EXPECT_EQ(RcStageFieldsFor("12AX7A (RCA fit)", s.in, s.point)[2], "100000");
    EXPECT_EQ(RcStageFieldsFor("My \"hot\" 12AX7, 2", s.in, s.point)[0], "My hot 12AX7  2");
}

TEST(ChosenTube, TheRowATypedTextChooses) {
    std::vector<Tube> tubes = BuiltInTubes();
    Tube mine = Named("12AX7A (RCA fit)");
    mine.name = mine.group = "My ECC83";
    mine.isDefault = false;
    tubes.push_back(mine);
    const struct {
        const char* typed;
        const char* chosen;  // nullptr: nothing
    } rows[] = {
        {"ECC83", "12AX7A (RCA fit)"},
        {"12AX7", "12AX7A (RCA fit)"},
        {"7025", "7025 (Sylvania fit)"},
        {"ECC82", "12AU7 (Sylvania fit)"},
        {"ecc 81", "12AT7WA (Mazda Belvu fit)"},
        {"12ax7a (sylvania fit)", "12AX7A (Sylvania fit)"},
        {"my-ecc83", "My ECC83"},
        {"my ", "My ECC83"},
        {"", "12AX7A (RCA fit)"},
        {"zzz", nullptr},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.typed);
        const auto chosen = ChosenTube(tubes, FilterTubes(tubes, r.typed), r.typed);
        if (!r.chosen) {
            EXPECT_FALSE(chosen.has_value());
        } else {
            ASSERT_TRUE(chosen.has_value());
            EXPECT_EQ(tubes[*chosen].name, r.chosen);
        }
    }
}

TEST(SkippedLinesText, EachLineWithItsNumberAndNoEndlessList) {
    EXPECT_EQ(SkippedLinesText({{4, "MU is empty."}, {7, "KG1 must be above 0: it is -2."}}),
              "Line 4: MU is empty.\r\nLine 7: KG1 must be above 0: it is -2.");
    std::vector<TableProblem> many;
    for (int i = 1; i <= 25; ++i) many.push_back({i + 1, "The name is empty."});
    const std::string text = SkippedLinesText(many);
    EXPECT_NE(text.find("Line 21: The name is empty.\r\n... and 5 more lines."), std::string::npos);
    EXPECT_EQ(text.find("Line 22:"), std::string::npos);
}

TEST(TubeFromEditorTexts, ATubeOrWhyNot) {
    using Texts = std::array<std::string, kTubeEditorFields>;
    const Texts good = {" My 12AX7 ", "ECC83 | 7025, B339", "100", "1.4", "1060", "600", "300", "",
                        "1", "", "measured 2024"};
    const std::vector<std::string> taken = {"12AX7A (RCA fit)", "Old one"};
    const auto with = [&](std::size_t field, const char* text) {
        Texts t = good;
        t[field] = text;
        return t;
    };
    const struct {
        const char* name;
        Texts texts;
        Notation notation;
        const char* error;
    } rows[] = {
        {"empty name", with(0, "  "), Notation::Plain, "The tube needs a name."},
        {"a built-in name", with(0, "12AX7A (RCA fit)"), Notation::Plain,
         "The name \"12AX7A (RCA fit)\" is already in use."},
        {"not a number", with(2, "abc"), Notation::Plain, "MU must be a number: it is \"abc\"."},
        {"a number and more", with(4, "1060 x"), Notation::Plain,
         "KG1 must be a number: it is \"1060 x\"."},
        {"a prefix, plain", with(4, "1.06k"), Notation::Plain,
         "KG1 must be a number: it is \"1.06k\"."},
        {"needed and empty", with(6, ""), Notation::Plain, "KVB is empty."},
        {"the model's check", with(2, "0"), Notation::Plain, "The tube's MU must be above 0: it is 0."},
        {"a rating at 0", with(8, "0"), Notation::Plain,
         "Max Plate Dissipation must be above 0 W: it is 0."},
        {"a rating not a number", with(9, "300V"), Notation::Plain,
         "Max Plate Voltage must be a number: it is \"300V\"."},
        {"too large", with(3, "1e999"), Notation::Plain, "EX must be a finite number: it is \"1e999\"."},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(TubeFromEditorTexts(r.texts, r.notation, taken).error, r.error);
    }

    const EditedTube made = TubeFromEditorTexts(good, Notation::Plain, taken);
    ASSERT_EQ(made.error, "");
    const Tube& t = made.tube;
    EXPECT_EQ(t.name, "My 12AX7");
    EXPECT_EQ(t.group, "My 12AX7");
    EXPECT_EQ(t.aliases, (std::vector<std::string>{"ECC83", "7025", "B339"}));
    EXPECT_EQ(t.model, (TriodeModel{100, 1.4, 1060, 600, 300, 0}));
    EXPECT_EQ(t.limits, (TriodeLimits{1.0, std::nullopt}));
    EXPECT_FALSE(t.isDefault);
    EXPECT_EQ(t.source, "measured 2024");
    // With Engineering notation a prefix reads whole.
    EXPECT_EQ(TubeFromEditorTexts(with(4, "1.06k"), Notation::Engineering, taken).tube.model.kg1,
              1060);

    // What the editor shows of a tube reads back as that tube, and so does
    // the file it is saved in.
    Tube odd = t;
    odd.name = odd.group = "Odd, \"quoted\"";
    odd.model = {0.1 + 0.2, 1.3999999999999999, 1e-20, 17950.75, 0, -0.5};
    odd.limits = {std::nullopt, 450};
    for (const Tube& tube : {t, odd}) {
        SCOPED_TRACE(tube.name);
        const EditedTube back = TubeFromEditorTexts(TubeEditorTexts(tube), Notation::Plain, {});
        ASSERT_EQ(back.error, "");
        EXPECT_EQ(back.tube, tube);
        const TubeTable file = ReadTubeTable(WriteTubeTable({back.tube}));
        ASSERT_EQ(file.tubes.size(), 1u);
        EXPECT_EQ(file.tubes[0], tube);
    }
}

}  // namespace
}  // namespace korvane
