// The feedback divider search, its texts, and the Calculate press.

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "io/numeric.h"
#include "network/network_search.h"
#include "format/roundoff.h"
#include "format/cohms.h"
#include "network/series.h"

namespace korvane {
namespace {

// The one message a press shows, if any.
std::optional<std::string> MessageOf(const Outcome& out) {
    const std::vector<std::string> messages = out.messages();
    EXPECT_LE(messages.size(), 1u);
    if (messages.empty()) return std::nullopt;
    return messages.front();
}

// ---------------------------------------------------------------- COhms

struct OhmsCase {
    double r;
    const char* text;
};
// Names the case in test listings.
void PrintTo(const OhmsCase& c, std::ostream* os) { *os << c.r; }

class COhmsExamples : public ::testing::TestWithParam<OhmsCase> {};

TEST_P(COhmsExamples, Formats) {
    const OhmsCase& c = GetParam();
    const double r = c.r;
    EXPECT_EQ(COhms(r), c.text) << "R = " << c.r;
    EXPECT_EQ(r, c.r);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, COhmsExamples,
    ::testing::Values(OhmsCase{550, "550   "}, OhmsCase{132, "132   "},
                      OhmsCase{1010, "1.01 k"}, OhmsCase{90.099, "90.1  "},
                      OhmsCase{9570, "9.57 k"}, OhmsCase{47000, "47.0 k"},
                      OhmsCase{100000, "100 k "}, OhmsCase{2200000, "2.20 M"},
                      OhmsCase{12000000, "12.0 M"}, OhmsCase{10, "10.0  "},
                      OhmsCase{4.7, "4.70  "}, OhmsCase{99.95, "100   "},
                      OhmsCase{9995, "10.0 k"}, OhmsCase{999500, "1.00 M"},
                      OhmsCase{9995000, "10 M  "},   // the lower row's top: no ".0"
                      OhmsCase{9995001, "10.0 M"},
                      OhmsCase{0, "0.00  "}, OhmsCase{1000, "1.00 k"},
                      OhmsCase{1.5, "1.50  "}, OhmsCase{999499, "999 k "}));

// COhms by its rule as first written: the rounded value through the general
// number text, its decimals completed, the sign position cut.
std::string PlainCOhms(double r) {
    double x = 0;
    int decimals = 0;
    const char* suffix = " ";
    if (r > 9995000.0) {
        x = std::floor(r / 100000.0 + 0.5) / 10.0, decimals = 1, suffix = " M";
    } else if (r >= 999500.0) {
        x = std::floor(r / 10000.0 + 0.5) / 100.0, decimals = 2, suffix = " M";
    } else if (r >= 99950.0) {
        x = std::floor(r / 1000.0 + 0.5), suffix = " k";
    } else if (r >= 9995.0) {
        x = std::floor(r / 100.0 + 0.5) / 10.0, decimals = 1, suffix = " k";
    } else if (r >= 999.5) {
        x = std::floor(r / 10.0 + 0.5) / 100.0, decimals = 2, suffix = " k";
    } else if (r >= 99.95) {
        x = std::floor(r + 0.5);
    } else if (r >= 9.995) {
        x = std::floor(r * 10.0 + 0.5) / 10.0, decimals = 1;
    } else {
        x = std::floor(r * 100.0 + 0.5) / 100.0, decimals = 2;
    }
    std::string s = NumberText(x);
    if (decimals == 1 && s.size() == 3) s += ".0";
    if (decimals == 2) {
        if (s.size() == 2) s += ".00";
        if (s.size() == 4) s += "0";
    }
    s = s.substr(1) + suffix;
    if (s.size() < 6) s.append(6 - s.size(), ' ');
    return s;
}

TEST(COhms, AgreesWithThePlainRule) {
    std::vector<double> probes;
    for (double edge : {9.995, 99.95, 999.5, 9995.0, 99950.0, 999500.0, 9995000.0}) {
        double below = edge, above = edge;
        for (int k = 0; k < 4; ++k) {
            probes.push_back(below = std::nextafter(below, 0.0));
            probes.push_back(above = std::nextafter(above, 1e300));
        }
        probes.push_back(edge);
    }
    std::mt19937_64 gen(99);
    std::uniform_real_distribution<double> exponent(-3.0, 12.0);
    for (int n = 0; n < 100000; ++n) probes.push_back(std::pow(10.0, exponent(gen)));
    for (double p : {0.0, -0.004, -1.5, -2e6, 1e15, 3e17, 1e300}) probes.push_back(p);
    for (double p : probes) ASSERT_EQ(COhms(p), PlainCOhms(p)) << "R = " << p;
}

// A listed line by its rule as first written: each field through the
// general number texts and PlainCOhms, then one space, then spaces to its
// column.
std::string PlainLine(const NetworkRow& row, bool bounds) {
    std::string line;
    const auto padTo = [&](std::size_t column) {
        line += ' ';
        if (line.size() < column) line.append(column - line.size(), ' ');
    };
    const auto field = [&](const std::string& text, std::size_t column) {
        line += text;
        padTo(column);
    };
    field(std::string(row.r1Text), 7);
    field(std::string(row.r2Text), 14);
    field(NumberText(std::floor(row.b * 1000.0 + 0.5) / 1000.0), 21);
    std::string error = NumberText(std::floor(row.error * 100.0 + 0.5) / 100.0);
    if (std::fabs(NumericValue(error)) < 1.0) error.insert(1, "0");
    field(error, 28);
    line += "  " + PlainCOhms(row.rin) + "  " + PlainCOhms(row.ro);
    padTo(42);
    field(Roundoff(row.current), 49);
    field(Roundoff(row.pr1), 56);
    field(Roundoff(row.pr2), 49);
    if (bounds) {
        field(Roundoff(row.bLow), 49);
        field(Roundoff(row.bHigh), 49);
    }
    return line;
}

TEST(NetworkSearch, EveryLineAgreesWithThePlainRule) {
    std::mt19937_64 gen(2024);
    std::uniform_real_distribution<double> logBw(-4.0, -0.0005);
    std::uniform_real_distribution<double> logRt(0.0, 7.5);
    std::uniform_real_distribution<double> logSpan(0.004, 2.0);
    std::uniform_real_distribution<double> logVout(-2.0, 3.0);
    std::size_t lines = 0;
    for (int n = 0; n < 150; ++n) {
        const double bw = std::pow(10.0, logBw(gen));
        const double rtMin = std::pow(10.0, logRt(gen));
        const double rtMax = rtMin * std::pow(10.0, logSpan(gen));
        const double vout = std::pow(10.0, logVout(gen));
        for (std::size_t s = 0; s < kSeriesCount; ++s) {
            for (std::size_t t = 0; t < kToleranceCount; ++t) {
                const NetworkSearchResult res =
                    NetworkSearch(bw, rtMin, rtMax, vout, SeriesAt(s), ToleranceAt(t));
                if (res.fault) continue;
                ASSERT_EQ(res.lines.size(), res.rows.size());
                for (std::size_t i = 0; i < res.rows.size(); ++i) {
                    ASSERT_EQ(res.lines[i], PlainLine(res.rows[i], t != 0))
                        << "bw " << bw << " rt " << rtMin << ".." << rtMax << " series " << s
                        << " tolerance " << t << " row " << i;
                }
                lines += res.rows.size();
            }
        }
    }
    EXPECT_GT(lines, 10000u) << "the searches listed rows";
}

// ------------------------------------------------------- the worked example

constexpr double kBw = 0.3934;
const double kVout = std::sqrt(212.0);

TEST(NetworkSearch, WorkedExampleListsNinePairs) {
    const NetworkSearchResult res = NetworkSearch(kBw, 550, 1200, kVout);
    ASSERT_FALSE(res.fault.has_value());
    const std::vector<std::pair<double, double>> pairs = {
        {330, 220}, {360, 240}, {390, 240}, {430, 270}, {470, 300},
        {510, 330}, {560, 360}, {620, 390}, {680, 430}};
    ASSERT_EQ(res.rows.size(), pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        EXPECT_DOUBLE_EQ(res.rows[i].r1, pairs[i].first) << "row " << i + 1;
        EXPECT_DOUBLE_EQ(res.rows[i].r2, pairs[i].second) << "row " << i + 1;
        EXPECT_EQ(res.lines[i].size(), 81u) << "row " << i + 1;
    }
    EXPECT_EQ(res.lines.size(), pairs.size());
}

TEST(NetworkSearch, WorkedExampleFirstRowFields) {
    const NetworkSearchResult res = NetworkSearch(kBw, 550, 1200, kVout);
    ASSERT_FALSE(res.rows.empty());
    const NetworkRow& row = res.rows[0];
    EXPECT_EQ(row.r1Text, "330 ");
    EXPECT_EQ(row.r2Text, "220 ");
    EXPECT_DOUBLE_EQ(row.b, 0.4);
    EXPECT_DOUBLE_EQ(row.rin, 550);
    EXPECT_DOUBLE_EQ(row.ro, 132);
    // Each field at its column, with the padding between them.
    const std::string expected = std::string("330    ")  // R1 from column 0
                                 + "220    "             // R2 from 7
                                 + " .4    "             // B from 14
                                 + " 1.68  "             // error from 21
                                 + "  550   "            // Rin from 30
                                 + "  132   "            // Ro from 38
                                 + " "                   //
                                 + " 26.47e-3  " + " "   // current from 45
                                 + " 231.3e-3  " + " "   // P in R1 from 57
                                 + " 154.2e-3  " + " ";  // P in R2 from 69
    EXPECT_EQ(res.lines[0], expected);
    EXPECT_EQ(res.lines[0].substr(30, 6), "550   ");
    EXPECT_EQ(res.lines[0].substr(38, 6), "132   ");
    EXPECT_EQ(res.lines[0].substr(45, 11), " 26.47e-3  ");
    EXPECT_EQ(res.lines[0].substr(57, 11), " 231.3e-3  ");
    EXPECT_EQ(res.lines[0].substr(69, 11), " 154.2e-3  ");
}

struct RowField {
    std::size_t row;     // from 1
    std::size_t column;  // where the field starts in the line
    const char* text;
};
// Names the case in test listings.
void PrintTo(const RowField& c, std::ostream* os) { *os << "row " << c.row << " column " << c.column; }

class WorkedExampleFields : public ::testing::TestWithParam<RowField> {};

TEST_P(WorkedExampleFields, StandsAtItsColumn) {
    const RowField& f = GetParam();
    const NetworkSearchResult res = NetworkSearch(kBw, 550, 1200, kVout);
    ASSERT_GE(res.rows.size(), f.row);
    const std::string_view line = res.lines[f.row - 1];
    const std::string text = f.text;
    EXPECT_EQ(line.substr(f.column, text.size()), text) << "row " << f.row << ": " << line;
}

INSTANTIATE_TEST_SUITE_P(
    Worked, WorkedExampleFields,
    ::testing::Values(RowField{5, 0, "470    300    "}, RowField{5, 21, "-0.96  "},
                      RowField{6, 0, "510    330    "}, RowField{6, 21, "-0.14  "},
                      RowField{8, 0, "620    390    "}, RowField{8, 30, "1.01 k"},
                      RowField{9, 0, "680    430    "}));

// ------------------------------------------------------------ single rows

TEST(NetworkSearch, FirstRowListedEvenAboveTheRange) {
    // R1lo = 900 snaps to 910, above R1hi = 909: one row, then the walk stops.
    const NetworkSearchResult res = NetworkSearch(0.1, 1000, 1010, kVout);
    ASSERT_FALSE(res.fault.has_value());
    ASSERT_EQ(res.rows.size(), 1u);
    const std::string_view line = res.lines[0];
    EXPECT_EQ(line.substr(0, 44), std::string("910    ") + "100    " + " .099  " + "-0.99  " +
                                      "  1.01 k" + "  90.1  ");
    EXPECT_EQ(line.size(), 81u);
}

TEST(NetworkSearch, TinyFactorSnapsR2ToZero) {
    const NetworkSearchResult res = NetworkSearch(0.0001, 1000, 1100, kVout);
    ASSERT_FALSE(res.fault.has_value());
    ASSERT_EQ(res.rows.size(), 1u);
    const NetworkRow& row = res.rows[0];
    EXPECT_EQ(row.r1Text, "1 k");
    EXPECT_EQ(row.r2Text, "0 ");
    EXPECT_EQ(row.r2, 0.0);
    EXPECT_EQ(res.lines[0].substr(0, 44), std::string("1 k    ") + "0      " + " 0     " + "-100   " +
                                          "  1.00 k" + "  0.00  ");
    EXPECT_EQ(res.lines[0].substr(69, 11), " 0.000     ");
    EXPECT_EQ(res.lines[0].size(), 81u);
}

// The %Error column: half up to two decimals, a "0" before the point below 1.
struct ErrorCase {
    double bw;
    double rtMin;
    const char* errorText;  // in columns 21 to 27
};
// Names the case in test listings.
void PrintTo(const ErrorCase& c, std::ostream* os) { *os << "B " << c.bw << " RtMin " << c.rtMin; }

class ErrorColumn : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorColumn, Shows) {
    const ErrorCase& c = GetParam();
    const NetworkSearchResult res = NetworkSearch(c.bw, c.rtMin, c.rtMin * 1.01, kVout);
    ASSERT_FALSE(res.rows.empty());
    EXPECT_EQ(res.lines[0].substr(21, 7), c.errorText) << res.lines[0];
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ErrorColumn,
    ::testing::Values(ErrorCase{0.5, 200, " 00    "},         // 100 / 100: no error
                      ErrorCase{0.4, 550, " 00    "},         // 330 / 220 gives .4 exactly
                      ErrorCase{0.3934, 550, " 1.68  "},      // no "0" put in
                      ErrorCase{0.4 / 1.005, 550, " 0.5   "}, // below 1: "0" put in
                      ErrorCase{0.4 / 0.9975, 550, "-0.25  "},
                      ErrorCase{0.395, 550, " 1.27  "}));

// ------------------------------------------------------------ the endless walk

TEST(NetworkSearch, WidestRangeVisitsEveryStandardValueOnce) {
    const auto& table = SeriesTable(Series::E24);
    const NetworkSearchResult res = NetworkSearch(0.5, 2, 20000000, kVout);
    ASSERT_FALSE(res.fault.has_value());
    ASSERT_EQ(res.rows.size(), 169u);
    for (std::size_t i = 0; i < res.rows.size(); ++i) {
        EXPECT_EQ(res.rows[i].r1, table[i + 1]) << "row " << i + 1;
    }
    EXPECT_EQ(res.rows.back().r1Text, "10 M");
}

struct WalkCase {
    double rtMin, rtMax;
    std::size_t rows;
};
// Names the case in test listings.
void PrintTo(const WalkCase& c, std::ostream* os) { *os << "RtMin " << c.rtMin << " RtMax " << c.rtMax; }

class TenMegohmTop : public ::testing::TestWithParam<WalkCase> {};

TEST_P(TenMegohmTop, ListsTheTopOnceAndStops) {
    const WalkCase& c = GetParam();
    const NetworkSearchResult res = NetworkSearch(0.5, c.rtMin, c.rtMax, kVout);
    ASSERT_FALSE(res.fault.has_value());
    ASSERT_EQ(res.rows.size(), c.rows);
    EXPECT_EQ(res.rows.back().r1, 10000000.0);
    EXPECT_EQ(res.lines[res.rows.size() - 1].substr(0, 7), "10 M   ");
}

INSTANTIATE_TEST_SUITE_P(
    Walk, TenMegohmTop,
    ::testing::Values(WalkCase{2, 1e12, 169},       // R1hi far above the table
                      WalkCase{1e7, 2e7, 8},        // 5 M: 5.1, 5.6, ... 9.1, 10 M
                      WalkCase{3e7, 4e7, 1}));      // R1lo already above 10 M

// ------------------------------------------------------------ faults

struct SearchFault {
    const char* name;
    double bw, rtMin, rtMax, vout;
    const char* mentions;  // the message names the values
};
// Names the case in test listings.
void PrintTo(const SearchFault& c, std::ostream* os) { *os << c.name; }

class SearchFaults : public ::testing::TestWithParam<SearchFault> {};

TEST_P(SearchFaults, ListNoRowAndSayWhy) {
    const SearchFault& c = GetParam();
    const NetworkSearchResult res = NetworkSearch(c.bw, c.rtMin, c.rtMax, c.vout);
    ASSERT_TRUE(res.fault.has_value()) << c.name;
    EXPECT_TRUE(res.rows.empty()) << c.name;
    EXPECT_NE(res.fault->find(c.mentions), std::string::npos) << c.name << ": " << *res.fault;
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, SearchFaults,
    ::testing::Values(
        // (1 - Bw) / Bw is 0: R2 would be 0 / 0.
        SearchFault{"factor 1", 1.0, 550, 1200, 14.56,
                    "A feedback factor of exactly 1 needs no series resistor R1"},
        // R1lo = 0.1 snaps R1 to 0: B would be 0 / 0.
        SearchFault{"R1 below half an ohm", 0.9999, 1000, 10000, 14.56,
                    "feedback factor of .9999 and a minimum total resistance of 1000 ohms"},
        SearchFault{"R1lo exactly half an ohm", 0.5, 1, 3, 14.56, "the smallest R1 is .5 ohms"},
        // (1 - Bw) / Bw overflows; R1 / infinity would come out a finite 0.
        SearchFault{"factor too small", 1e-320, 1000, 1100, 14.56, "is too small"},
        // The current squared overflows.
        SearchFault{"huge output voltage", 0.5, 550, 1200, 1e200,
                    "An output voltage of 1E+200 volts is too large"},
        SearchFault{"infinite maximum", 0.5, 550, INFINITY, 14.56, "maximum total resistance"},
        SearchFault{"infinite minimum", 0.5, -INFINITY, 1200, 14.56,
                    "minimum total resistance"}));

TEST(NetworkSearch, FaultMessageForFactorOneIsWhole) {
    const NetworkSearchResult res = NetworkSearch(1.0, 550, 1200, kVout);
    ASSERT_TRUE(res.fault.has_value());
    EXPECT_EQ(*res.fault,
              "A feedback factor of exactly 1 needs no series resistor R1: no divider can be "
              "listed.");
}

TEST(NetworkSearch, LargeButFiniteVoltageStillLists) {
    // Big enough to mask the current, not to overflow anything.
    const NetworkSearchResult res = NetworkSearch(kBw, 550, 1200, 1e100);
    ASSERT_FALSE(res.fault.has_value());
    ASSERT_EQ(res.rows.size(), 9u);
    EXPECT_EQ(res.lines[0].substr(45, 10), "+*.***E\xB1* ");
}

// ------------------------------------------------------------ Calculate

// The feedback file as start-up writes it: 26.5 W into 8 ohms, line 7 empty.
const std::string kDefaultFeedback =
    "6 L6\r\n26.5\r\n8\r\n22.5\r\n22.5\r\n25\r\n\r\n20\r\n\r\n\r\n"
    "True\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\nFalse\r\n";
const char* const kPath = "C:\\Korvane\\Korvane_Feedback.dat";

NetworkInput Press(std::string ar, std::string rtMin, std::string rtMax, int check2,
                   std::optional<std::string> feedback = kDefaultFeedback) {
    NetworkInput in;
    in.txtAr = std::move(ar);
    in.txtRtMin = std::move(rtMin);
    in.txtRtMax = std::move(rtMax);
    in.check2 = check2;
    in.feedbackFile = std::move(feedback);
    in.feedbackFileName = kPath;
    return in;
}

// A feedback file whose lines 2, 3 and 7 are the given texts.
std::string FeedbackWith(const std::string& power, const std::string& impedance,
                         const std::string& factor) {
    return "6 L6\r\n" + power + "\r\n" + impedance + "\r\n22.5\r\n22.5\r\n25\r\n" + factor +
           "\r\n20\r\n\r\n\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\nFalse\r\n";
}

std::vector<std::string> SearchLines(double bw, double rtMin, double rtMax, double vout) {
    std::vector<std::string> lines;
    const NetworkSearchResult res = NetworkSearch(bw, rtMin, rtMax, vout);
    for (std::size_t i = 0; i < res.rows.size(); ++i) lines.emplace_back(res.lines[i]);
    return lines;
}

TEST(NetworkCalculate, WorkedExampleListsTheSearchRows) {
    const NetworkOutcome out = NetworkCalculate(Press("393.4e-3", "550", "1200", 0));
    EXPECT_TRUE(out.clearsList());
    EXPECT_FALSE(MessageOf(out).has_value());
    EXPECT_FALSE(out.fault);
    EXPECT_FALSE(out.field(0).has_value());  // Check2 clear: the field keeps its text
    ASSERT_EQ(out.listLines().size(), 9u);
    EXPECT_EQ(out.listLines(), SearchLines(kBw, 550, 1200, kVout));
    EXPECT_EQ(out.listLines()[0].substr(45, 11), " 26.47e-3  ");  // Vout = sqrt(26.5 x 8)
}

// With Engineering notation the fields and the saved power and impedance
// read "1k2" as 1200; read plainly the same texts give another press.
TEST(NetworkCalculate, EngineeringNotationReadsPrefixesEverywhere) {
    const NetworkOutcome plain = NetworkCalculate(Press("393.4e-3", "550", "1200", 0));
    const struct {
        const char *ar, *rtMin, *rtMax, *power;
    } cases[] = {
        {"393.4m", "550", "1200", "26.5"},
        {"393.4e-3", "550R", "1k2", "26.5"},
        {"393.4e-3", "0.55k", "1.2 k", "26500m"},
    };
    for (const auto& c : cases) {
        NetworkInput in = Press(c.ar, c.rtMin, c.rtMax, 0, FeedbackWith(c.power, "8", ""));
        EXPECT_NE(NetworkCalculate(in).effects, plain.effects) << c.ar << " " << c.rtMax;
        in.notation = Notation::Engineering;
        EXPECT_EQ(NetworkCalculate(in).effects, plain.effects) << c.ar << " " << c.rtMax;
    }
}

TEST(NetworkCalculate, CheckedCopiesTheSavedFactor) {
    // Line 7 as the Global Feedback panel saves a result; leading blanks are
    // not part of the item.
    const NetworkOutcome out =
        NetworkCalculate(Press("", "550", "1200", 1, FeedbackWith("26.5", "8", " 393.4e-3  ")));
    ASSERT_TRUE(out.field(0).has_value());
    EXPECT_EQ(*out.field(0), "393.4e-3  ");
    EXPECT_FALSE(MessageOf(out).has_value());
    EXPECT_EQ(out.listLines(), SearchLines(kBw, 550, 1200, kVout));
}

TEST(NetworkCalculate, GreyCheckBoxDoesNotCopy) {
    const NetworkOutcome out =
        NetworkCalculate(Press("393.4e-3", "550", "1200", 2, FeedbackWith("26.5", "8", ".9")));
    EXPECT_FALSE(out.field(0).has_value());
    EXPECT_EQ(out.listLines().size(), 9u);
}

struct Validation {
    const char* ar;
    const char* rtMin;
    const char* rtMax;
    int check2;
    const char* message;
};
// Names the case in test listings.
void PrintTo(const Validation& c, std::ostream* os) { *os << "factor \"" << c.ar << "\" RtMin \"" << c.rtMin << "\" RtMax \"" << c.rtMax << "\" Check2 " << c.check2; }

class NetworkValidation : public ::testing::TestWithParam<Validation> {};

TEST_P(NetworkValidation, ShowsItsMessageAndListsNothing) {
    const Validation& v = GetParam();
    const NetworkOutcome out = NetworkCalculate(Press(v.ar, v.rtMin, v.rtMax, v.check2));
    EXPECT_TRUE(out.clearsList());
    EXPECT_TRUE(out.listLines().empty());
    EXPECT_FALSE(out.fault);
    ASSERT_TRUE(MessageOf(out).has_value());
    EXPECT_EQ(*MessageOf(out), v.message);
}

const char* const kFactorHelp =
    "The feedback factor is the ratio of the output voltage to the input voltage of resistor "
    "network.  It's value can be anything between 0 and 1 but never 0.";

INSTANTIATE_TEST_SUITE_P(
    Messages, NetworkValidation,
    ::testing::Values(
        Validation{"1.5", "550", "1200", 0, "The Feedback Factor can't be greater than 1."},
        Validation{"0", "550", "1200", 0, kFactorHelp},
        Validation{"abc", "550", "1200", 0, kFactorHelp},
        Validation{"-0.3", "550", "1200", 0, kFactorHelp},
        // Check2 set with the start-up feedback file: line 7 is empty.
        Validation{"393.4e-3", "550", "1200", 1, kFactorHelp},
        Validation{"393.4e-3", "0", "1200", 0, "Rt min and Rt max MUST NOT be zero."},
        Validation{"393.4e-3", "550", "", 0, "Rt min and Rt max MUST NOT be zero."},
        Validation{"393.4e-3", "1000", "1000", 0, "Rt min MUST be less than Rt max."},
        Validation{"393.4e-3", "1200", "550", 0, "Rt min MUST be less than Rt max."},
        // The first failing test wins.
        Validation{"2", "0", "0", 0, "The Feedback Factor can't be greater than 1."}));

TEST(NetworkCalculate, CheckedWithDefaultFileEmptiesTheField) {
    const NetworkOutcome out = NetworkCalculate(Press("393.4e-3", "550", "1200", 1));
    ASSERT_TRUE(out.field(0).has_value());
    EXPECT_EQ(*out.field(0), "");
}

struct FileCase {
    const char* name;
    std::optional<std::string> bytes;
};
// Names the case in test listings.
void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class FeedbackFileMissing : public ::testing::TestWithParam<FileCase> {};

TEST_P(FeedbackFileMissing, NamesTheFileAndHowToGetItBack) {
    const FileCase& c = GetParam();
    const NetworkOutcome out = NetworkCalculate(Press("393.4e-3", "550", "1200", 1, c.bytes));
    EXPECT_TRUE(out.clearsList()) << c.name;
    EXPECT_TRUE(out.listLines().empty()) << c.name;
    EXPECT_TRUE(out.fault) << c.name;
    EXPECT_FALSE(out.field(0).has_value()) << c.name;
    ASSERT_TRUE(MessageOf(out).has_value()) << c.name;
    EXPECT_EQ(*MessageOf(out),
              "The Global Feedback inputs file could not be read, or it holds fewer than 7 "
              "lines:\r\nC:\\Korvane\\Korvane_Feedback.dat\r\nThe output voltage comes from "
              "its power output and speaker impedance.  Open the Global Feedback panel and "
              "close it again: closing the panel writes this file.")
        << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, FeedbackFileMissing,
    ::testing::Values(FileCase{"missing", std::nullopt}, FileCase{"empty", std::string()},
                      FileCase{"six lines", std::string("6 L6\r\n26.5\r\n8\r\n1\r\n2\r\n3\r\n")}));

TEST(NetworkCalculate, SevenItemsAreEnough) {
    const NetworkOutcome out = NetworkCalculate(
        Press("", "550", "1200", 1, std::string("6 L6\r\n26.5\r\n8\r\n1\r\n2\r\n3\r\n.3934\r\n")));
    EXPECT_FALSE(MessageOf(out).has_value());
    EXPECT_EQ(out.listLines().size(), 9u);
}

struct CalcFault {
    const char* name;
    const char* ar;
    const char* rtMin;
    const char* rtMax;
    std::string feedback;
    const char* mentions;
};
// Names the case in test listings.
void PrintTo(const CalcFault& c, std::ostream* os) { *os << c.name; }

class NetworkCalculateFaults : public ::testing::TestWithParam<CalcFault> {};

TEST_P(NetworkCalculateFaults, ClearTheListAndSayWhich) {
    const CalcFault& c = GetParam();
    const NetworkOutcome out = NetworkCalculate(Press(c.ar, c.rtMin, c.rtMax, 0, c.feedback));
    EXPECT_TRUE(out.fault) << c.name;
    EXPECT_TRUE(out.clearsList()) << c.name;
    EXPECT_TRUE(out.listLines().empty()) << c.name;
    ASSERT_TRUE(MessageOf(out).has_value()) << c.name;
    EXPECT_NE(MessageOf(out)->find(c.mentions), std::string::npos) << c.name << ": " << *MessageOf(out);
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, NetworkCalculateFaults,
    ::testing::Values(
        CalcFault{"P x Z negative", "393.4e-3", "550", "1200", FeedbackWith("-26.5", "8", ""),
                  "The power output (\"-26.5\" W) and the speaker impedance (\"8\" ohms) saved "
                  "by the Global Feedback panel multiply to a negative number"},
        CalcFault{"P x Z overflows", "393.4e-3", "550", "1200",
                  FeedbackWith("1e200", "1e200", ""),
                  "(\"1e200\" W) and the speaker impedance (\"1e200\" ohms)"},
        CalcFault{"P beyond a double", "393.4e-3", "550", "1200", FeedbackWith("1e999", "8", ""),
                  "(\"1e999\" W)"},
        CalcFault{"factor exactly 1", "1", "550", "1200", kDefaultFeedback,
                  "A feedback factor of exactly 1"},
        CalcFault{"R1 below half an ohm", ".9999", "1000", "10000", kDefaultFeedback,
                  "the smallest R1 is .1 ohms"},
        CalcFault{"factor too small", "1e-320", "1000", "1100", kDefaultFeedback,
                  "is too small"},
        CalcFault{"maximum beyond a double", "393.4e-3", "550", "1e999", kDefaultFeedback,
                  "maximum total resistance"},
        CalcFault{"minimum beyond a double", "393.4e-3", "-1e999", "1200", kDefaultFeedback,
                  "minimum total resistance"}));

TEST(NetworkCalculate, NegativeResistancesPassValidation) {
    // R1lo is negative and snaps to 1 ohm; nothing divides by zero.
    const NetworkOutcome out = NetworkCalculate(Press("393.4e-3", "-100", "5", 0));
    EXPECT_FALSE(MessageOf(out).has_value());
    ASSERT_EQ(out.listLines().size(), 12u);  // 1 ohm to 3 ohm; R1hi is 3.03
    EXPECT_EQ(out.listLines()[0].substr(0, 7), "1      ");
}

TEST(NetworkCalculate, AVeryNegativeMinimumStillStartsAtOneOhm) {
    // R1lo is about -6e16, far below where the relative errors of its
    // neighbours stop telling them apart.
    const NetworkOutcome out = NetworkCalculate(Press("393.4e-3", "-1e17", "5", 0));
    EXPECT_FALSE(MessageOf(out).has_value());
    ASSERT_EQ(out.listLines().size(), 12u);
    EXPECT_EQ(out.listLines()[0].substr(0, 7), "1      ");
}

}  // namespace
}  // namespace korvane

// ------------------------------------------------ other series, tolerance

namespace korvane {
namespace {

// The worked example's inputs in E96, checked by hand: R1lo 333.63 snaps to
// 332 (340 is further), R2 = 332 x .3934 / .6066 = 215.3 snaps to 215,
// B = 215 / 547 = .39305, error -0.088 %; then every E96 value up to
// R1hi 727.92, the last 715 (R2 464).
TEST(NetworkSearch, E96WorkedExample) {
    const NetworkSearchResult res =
        NetworkSearch(kBw, 550, 1200, kVout, Series::E96, Tolerance::None);
    ASSERT_FALSE(res.fault.has_value());
    ASSERT_EQ(res.rows.size(), 33u);
    const struct {
        std::size_t row;
        const char *r1, *r2, *b, *error, *rin, *ro;
    } cases[] = {
        {0, "332 ", "215 ", " .393", "-0.09", "547   ", "130   "},
        {1, "340 ", "221 ", " .394", " 0.14", "561   ", "134   "},
        {2, "348 ", "226 ", " .394", " 0.08", "574   ", "137   "},
        {32, "715 ", "464 ", " .394", " 0.04", "1.18 k", "281   "},
    };
    for (const auto& c : cases) {
        const std::string_view line = res.lines[c.row];
        SCOPED_TRACE(line);
        ASSERT_EQ(line.size(), 81u);
        EXPECT_EQ(line.substr(0, 7), std::string(c.r1) + std::string(7 - strlen(c.r1), ' '));
        EXPECT_EQ(line.substr(7, strlen(c.r2)), c.r2);
        EXPECT_EQ(line.substr(14, strlen(c.b)), c.b);
        EXPECT_EQ(line.substr(21, strlen(c.error)), c.error);
        EXPECT_EQ(line.substr(30, 6), c.rin);
        EXPECT_EQ(line.substr(38, 6), c.ro);
    }
    // Every R1 is the next E96 value after the one before.
    const auto& table = SeriesTable(Series::E96);
    for (std::size_t i = 1; i < res.rows.size(); ++i) {
        const auto at = std::find(table.begin(), table.end(), res.rows[i - 1].r1);
        ASSERT_NE(at, table.end());
        EXPECT_EQ(res.rows[i].r1, *(at + 1));
    }
}

TEST(NetworkSearch, ThreeDigitValueTexts) {
    const struct {
        double bw, rtMin, rtMax;
        Series series;
        const char* r1;
    } cases[] = {
        {0.5, 9000, 9001, Series::E96, "4.53 k "},
        {0.5, 2.04e6, 2.041e6, Series::E96, "1.02 M "},
        {0.5, 99.8, 99.9, Series::E96, "49.9   "},
        {0.5, 97.4, 97.5, Series::E48, "48.7   "},
        {0.5, 214000, 214001, Series::E96, "107 k  "},
        {0.5, 9400, 9401, Series::E24, "4.7 k  "},
    };
    for (const auto& c : cases) {
        const NetworkSearchResult res =
            NetworkSearch(c.bw, c.rtMin, c.rtMax, kVout, c.series, Tolerance::None);
        ASSERT_EQ(res.rows.size(), 1u) << c.r1;
        EXPECT_EQ(res.lines[0].substr(0, 7), c.r1);
        EXPECT_EQ(res.lines[0].substr(7, 7), c.r1) << "R2 = R1 at a factor of .5";
    }
}

// From 1 ohm to 10 MOhm: every value of the series once, then the top.
TEST(NetworkSearch, WidestRangeInEverySeries) {
    for (std::size_t s = 0; s < kSeriesCount; ++s) {
        const Series series = SeriesAt(s);
        const NetworkSearchResult res =
            NetworkSearch(0.5, 2, 20e6, kVout, series, Tolerance::None);
        ASSERT_FALSE(res.fault.has_value()) << SeriesName(series);
        EXPECT_EQ(res.rows.size(), SeriesTable(series).size() - 1) << SeriesName(series);
        EXPECT_EQ(res.rows.back().r1, 10e6) << SeriesName(series);
    }
}

TEST(NetworkSearch, ToleranceAddsTheFactorsBoundsInTheirColumns) {
    const NetworkSearchResult plain = NetworkSearch(kBw, 550, 1200, kVout);
    const NetworkSearchResult res =
        NetworkSearch(kBw, 550, 1200, kVout, Series::E24, Tolerance::P1);
    ASSERT_EQ(res.rows.size(), 9u);
    const std::string& heading = NetworkHeading(Tolerance::P1);
    EXPECT_EQ(heading.substr(0, NetworkHeading().size()), NetworkHeading());
    // Each heading stands two characters in from its column, as "P in R2"
    // does over the power column at 69.
    EXPECT_EQ(NetworkHeading().find("P in R2"), 71u);
    EXPECT_EQ(heading.find("B low"), 83u);
    EXPECT_EQ(heading.find("B high"), 95u);
    for (std::size_t i = 0; i < res.rows.size(); ++i) {
        const NetworkRow& row = res.rows[i];
        const FactorBounds b = FactorWithinTolerance(row.r1, row.r2, 0.01);
        EXPECT_EQ(row.bLow, b.low);
        EXPECT_EQ(row.bHigh, b.high);
        EXPECT_LT(row.bLow, row.b);
        EXPECT_GT(row.bHigh, row.b);
        ASSERT_EQ(res.lines[i].size(), 105u);
        EXPECT_EQ(res.lines[i].substr(0, 81), plain.lines[i]) << "the rest is as without";
        EXPECT_EQ(res.lines[i].substr(81, 12), Roundoff(b.low) + " ");
        EXPECT_EQ(res.lines[i].substr(93, 12), Roundoff(b.high) + " ");
    }
    // 330 and 220 at 1 %: .3952 to .4048.
    EXPECT_EQ(res.lines[0].substr(81, 11), " 395.2e-3  ");
    EXPECT_EQ(res.lines[0].substr(93, 11), " 404.8e-3  ");
}

TEST(NetworkCalculate, PassesTheChoicesOnAndKeepsTheRows) {
    NetworkInput input = Press("393.4e-3", "550", "1200", 0);
    input.series = Series::E96;
    input.tolerance = Tolerance::P2;
    const NetworkOutcome out = NetworkCalculate(input);
    ASSERT_EQ(out.rows.size(), 33u);
    ASSERT_EQ(out.listLines().size(), 33u);
    for (std::size_t i = 0; i < out.rows.size(); ++i) {
        // Each line is its own row's: it starts with that row's R1.
        EXPECT_EQ(out.listLines()[i].substr(0, out.rows[i].r1Text.size()), out.rows[i].r1Text) << i;
    }
    EXPECT_EQ(out.listLines()[0].size(), 105u);
    EXPECT_EQ(out.rows[0].r1, 332.0);
}

}  // namespace
}  // namespace korvane
