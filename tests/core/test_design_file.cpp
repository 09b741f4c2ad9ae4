// The design file: its text, the round trip of the three inputs files, and
// the designs that are refused; and the UTF-8 conversions it rests on.

#include <gtest/gtest.h>

#include <ostream>

#include <optional>
#include <string>
#include <vector>

#include "design/design_file.h"
#include "feedback/feedback_file.h"
#include "io/cp1252.h"
#include "network/xfmr_file.h"
#include "rcstage/gain_file.h"

namespace korvane {
namespace {

// ------------------------------------------------ UTF-8 and Windows-1252

TEST(Cp1252Utf8, EveryByteGoesThereAndBack) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = ToUtf8FromCp1252(byte);
        EXPECT_EQ(Cp1252FromUtf8(utf8), byte) << "byte " << b;
        // The same character as the UTF-16 conversion gives.
        EXPECT_EQ(static_cast<char32_t>(FromCp1252(byte)[0]), Cp1252Char(byte[0])) << "byte " << b;
    }
}

struct Utf8Case {
    const char* name;
    std::string utf8;
    std::optional<std::string> cp1252;
};
void PrintTo(const Utf8Case& c, std::ostream* os) { *os << c.name; }

class Utf8ToCp1252 : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ToCp1252, Converts) {
    const Utf8Case& c = GetParam();
    EXPECT_EQ(Cp1252FromUtf8(c.utf8), c.cp1252);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, Utf8ToCp1252,
    ::testing::Values(Utf8Case{"ascii", "12AX7", std::string("12AX7")},
                      Utf8Case{"plus-minus", "\xC2\xB1" "5", std::string("\xB1" "5")},
                      Utf8Case{"euro", "\xE2\x82\xAC", std::string("\x80")},
                      Utf8Case{"left quote", "\xE2\x80\x98", std::string("\x91")},
                      Utf8Case{"y diaeresis", "\xC5\xB8", std::string("\x9F")},
                      Utf8Case{"omega has no byte", "\xCE\xA9", std::nullopt},
                      Utf8Case{"emoji has no byte", "\xF0\x9F\x8E\xB8", std::nullopt},
                      Utf8Case{"stray continuation", "\x80", std::nullopt},
                      Utf8Case{"cut short", "a\xE2\x82", std::nullopt},
                      Utf8Case{"overlong NUL", "\xC0\x80", std::nullopt},
                      Utf8Case{"overlong three bytes", "\xE0\x80\xAF", std::nullopt},
                      Utf8Case{"surrogate", "\xED\xA0\x80", std::nullopt},
                      Utf8Case{"above U+10FFFF", "\xF4\x90\x80\x80", std::nullopt},
                      Utf8Case{"0xFF", "\xFF", std::nullopt}));

// ---------------------------------------------------------- the text

const char* const kDefaultDesign =
    "Korvane design\n"
    "version 1\n"
    "Korvane_Gain.dat 11 lines\n"
    "12AX7\n80000\n100e3\n470e3\n1800\n57\n100e3\n470e3\n10\n\n0\n"
    "Korvane_Feedback.dat 16 lines\n"
    "6 L6\n26.5\n8\n22.5\n22.5\n25\n\n20\n\n\nTrue\nFalse\nFalse\nTrue\nFalse\nFalse\n"
    "Korvane_Xfmr.dat 4 lines\n"
    "393.4e-3\n550\n1200\n1\n"
    "end\n";

TEST(DesignFile, DefaultDesignText) {
    EXPECT_EQ(WriteDesign(DefaultDesignFiles()), kDefaultDesign);
}

TEST(DesignFile, LinesAreEscapedAndInUtf8) {
    DesignFiles files = DefaultDesignFiles();
    files.gain = "C:\\tubes\t\x01\x7F|a\rb|c\nd|\xB1\x80\x81\x9D\xFF" "\r\n";
    files.xfmr = "1";
    const std::string text = WriteDesign(files);
    EXPECT_NE(text.find("Korvane_Gain.dat 1 line\n"
                        "C:\\\\tubes\\x09\\x01\\x7F|a\\rb|c\\nd|\xC2\xB1\xE2\x82\xAC\\x81\\x9D\xC3\xBF\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Korvane_Xfmr.dat 1 line, the last without a line end\n1\nend\n"),
              std::string::npos)
        << text;
}

// ---------------------------------------------------------- round trip

struct RoundTrip {
    const char* name;
    DesignFiles files;
};
void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }

DesignFiles WithGain(std::string gain) {
    DesignFiles files = DefaultDesignFiles();
    files.gain = std::move(gain);
    return files;
}
DesignFiles WithFeedback(std::string feedback) {
    DesignFiles files = DefaultDesignFiles();
    files.feedback = std::move(feedback);
    return files;
}
DesignFiles WithXfmr(std::string xfmr) {
    DesignFiles files = DefaultDesignFiles();
    files.xfmr = std::move(xfmr);
    return files;
}

std::string AllHighBytes() {
    std::string text;
    for (int b = 0x80; b <= 0xFF; ++b) text += static_cast<char>(b);
    return text;
}

class DesignRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(DesignRoundTrip, ReadsBackTheSameBytes) {
    const RoundTrip& c = GetParam();
    // Every case is a set of files the panels load, as a design holds.
    ASSERT_TRUE(LoadGainFile(c.files.gain).ok);
    ASSERT_TRUE(LoadFeedbackFile(c.files.feedback).ok);
    ASSERT_TRUE(LoadXfmrFile(c.files.xfmr).ok);

    const std::string text = WriteDesign(c.files);
    // No control byte but the line ends, and the whole text is UTF-8.
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        EXPECT_TRUE(ch == '\n' || (b >= 0x20 && b != 0x7F)) << "byte " << int{b} << " in\n" << text;
    }
    std::size_t pos = 0;
    while (pos < text.size() && NextUtf8(text, pos)) {
    }
    EXPECT_EQ(pos, text.size()) << "not UTF-8 from byte " << pos;

    const DesignRead read = ReadDesign(text);
    ASSERT_TRUE(read.files.has_value()) << read.why << "\n" << text;
    EXPECT_EQ(read.files->gain, c.files.gain);
    EXPECT_EQ(read.files->feedback, c.files.feedback);
    EXPECT_EQ(read.files->xfmr, c.files.xfmr);
    EXPECT_EQ(read.fault, DesignFault::None);
    EXPECT_EQ(read.why, "");

    // Read as an editor on Windows would save it, with CR LF.
    std::string crlf;
    for (const char ch : text) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    const DesignRead again = ReadDesign(crlf);
    ASSERT_TRUE(again.files.has_value()) << again.why;
    EXPECT_TRUE(*again.files == c.files);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignRoundTrip,
    ::testing::Values(
        RoundTrip{"defaults", DefaultDesignFiles()},
        RoundTrip{"comma and quotes in fields, written quoted",
                  WithGain(SaveGainFile({"12AX7, 1/2", "\"quoted\" rp", "100e3", "470e3", "1800",
                                         "57", "100e3", "470e3", "10", ""},
                                        1))},
        RoundTrip{"a quoted line written by hand", WithGain("\"12AX7, 1/2\"  \r\n80000\r\n100e3\r\n"
                                                            "470e3\r\n1800\r\n57\r\n100e3\r\n"
                                                            "470e3\r\n10\r\n\r\n0\r\n")},
        RoundTrip{"Roundoff texts with their spaces and the plus-minus byte",
                  WithFeedback(SaveFeedbackFile({"6 L6", "26.5", "8", "22.5", "22.5", "25",
                                                 " 393.4e-3  ", "20", "+*.***E\xB1* ",
                                                 " 6.364     "},
                                                {true, false, false, true, false}, true))},
        RoundTrip{"result in field 9", WithGain(SaveGainFile({"12AX7", "80000", "100e3", "470e3",
                                                              "1800", "57", "100e3", "470e3", "10",
                                                              " 4.939e+3  "},
                                                             0))},
        RoundTrip{"no final CR LF", WithXfmr("393.4e-3\r\n550\r\n1200\r\n1")},
        RoundTrip{"lone CR and LF ends, and CR CR LF",
                  WithXfmr("393.4e-3\r550\n1200\r\r\n1\r\n")},
        RoundTrip{"empty lines, and spaces after the last",
                  WithXfmr("\r\n\r\n\r\n 0 \r\n\r\n   ")},
        RoundTrip{"bytes 0x80 to 0xFF and backslashes",
                  WithGain(SaveGainFile({AllHighBytes(), "80000", "C:\\tubes\\", "470e3", "1800",
                                         "57", "\\x41\\n\\\\", "470e3", "10", ""},
                                        0))},
        RoundTrip{"control bytes", WithFeedback(SaveFeedbackFile(
                                       {std::string("6\tL6\x01\x1F\x7F", 7), "26.5", "8", "22.5",
                                        "22.5", "25", "", "20", "", ""},
                                       {true, false, false, true, false}, false))},
        RoundTrip{"a CR LF inside a quoted field",
                  WithGain(SaveGainFile({"line one\r\nline two", "80000", "100e3", "470e3", "1800",
                                         "57", "100e3", "470e3", "10", ""},
                                        2))},
        RoundTrip{"six-line Xfmr, E96 and 1 %",
                  WithXfmr(SaveXfmrFile("393.4e-3", "550", "1200", 0, Series::E96, Tolerance::P1))},
        RoundTrip{"six-line Xfmr, E192 and 0.1 %, lines after",
                  WithXfmr(SaveXfmrFile(".1", "1k", "2k2", 2, Series::E192, Tolerance::P0_1) +
                           "kept\r\n")},
        RoundTrip{"nothing after the 16th feedback line but spaces",
                  WithFeedback(DefaultFeedbackFile() + "  ")}));

// ---------------------------------------------------------- refusals

// The default design with `from` replaced by `to` (the first time it
// stands there).
std::string DefaultWith(const std::string& from, const std::string& to) {
    std::string text = kDefaultDesign;
    const std::size_t at = text.find(from);
    if (at == std::string::npos) return "(not found: " + from + ")";
    return text.replace(at, from.size(), to);
}

struct Refusal {
    const char* name;
    std::string text;
    DesignFault fault;
    const char* why;  // all of the reason, or the start of it when it ends in "..."
};
void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

class DesignRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(DesignRefusals, RefusedWithNoFiles) {
    const Refusal& c = GetParam();
    const DesignRead read = ReadDesign(c.text);
    EXPECT_FALSE(read.files.has_value());
    EXPECT_EQ(read.fault, c.fault);
    std::string why = c.why;
    if (why.size() > 3 && why.substr(why.size() - 3) == "...") {
        why.resize(why.size() - 3);
        EXPECT_EQ(read.why.substr(0, why.size()), why);
    } else {
        EXPECT_EQ(read.why, why);
    }
    // Plain ASCII, to follow a file name in any message.
    for (const char ch : read.why) EXPECT_TRUE(ch >= 0x20 && ch < 0x7F) << read.why;
}

const std::string kText = kDefaultDesign;

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignRefusals,
    ::testing::Values(
        Refusal{"empty", "", DesignFault::NotADesign, "it is not a Korvane design"},
        Refusal{"an inputs file", "12AX7\r\n80000\r\n", DesignFault::NotADesign,
                "it is not a Korvane design"},
        Refusal{"first line in other case", DefaultWith("Korvane design", "korvane design"),
                DesignFault::NotADesign, "it is not a Korvane design"},
        Refusal{"first line alone", "Korvane design\n", DesignFault::CutShort,
                "it is cut short: its format version is missing"},
        Refusal{"cut inside the version line", "Korvane design\nvers", DesignFault::CutShort,
                "it is cut short: its format version is missing"},
        Refusal{"format 2", DefaultWith("version 1", "version 2"), DesignFault::NewerFormat,
                "it was made by a newer version of Korvane (format 2); this version reads "
                "format 1"},
        Refusal{"format 2 of another shape", "Korvane design\nversion 2\n<design/>\n",
                DesignFault::NewerFormat, "it was made by a newer version of Korvane (format 2)..."},
        Refusal{"a format number of 12 digits", DefaultWith("version 1", "version 100000000000"),
                DesignFault::NewerFormat,
                "it was made by a newer version of Korvane; this version reads format 1"},
        Refusal{"format 0", DefaultWith("version 1", "version 0"), DesignFault::Damaged,
                "it is damaged: line 2 gives no format version"},
        Refusal{"format one", DefaultWith("version 1", "version one"), DesignFault::Damaged,
                "it is damaged: line 2 should give its format version"},
        Refusal{"no end line", kText.substr(0, kText.size() - 4), DesignFault::CutShort,
                "it is cut short: its end line is missing"},
        Refusal{"cut inside the end line", kText.substr(0, kText.size() - 2),
                DesignFault::CutShort, "it is cut short: its end line is missing"},
        Refusal{"cut after the feedback part", kText.substr(0, kText.find("Korvane_Xfmr")),
                DesignFault::CutShort, "it is cut short: its Korvane_Xfmr.dat is missing"},
        Refusal{"cut inside a heading", kText.substr(0, kText.find("Korvane_Xfmr") + 8),
                DesignFault::CutShort, "it is cut short: its Korvane_Xfmr.dat is missing"},
        Refusal{"cut inside the gain lines", kText.substr(0, kText.find("1800")),
                DesignFault::CutShort, "it is cut short: lines of its Korvane_Gain.dat are missing"},
        Refusal{"a count one short: the next heading is out of place",
                DefaultWith("Korvane_Gain.dat 11", "Korvane_Gain.dat 10"), DesignFault::Damaged,
                "it is damaged: line 14 should begin its Korvane_Feedback.dat"},
        Refusal{"a count one too many", DefaultWith("Korvane_Gain.dat 11", "Korvane_Gain.dat 12"),
                DesignFault::Damaged, "it is damaged: line 16 should begin its Korvane_Feedback.dat"},
        Refusal{"parts in another order",
                DefaultWith("Korvane_Feedback.dat 16 lines", "Korvane_Xfmr.dat 16 lines"),
                DesignFault::Damaged, "it is damaged: line 15 should begin its Korvane_Feedback.dat"},
        Refusal{"no lines with a last line unended",
                DefaultWith("Korvane_Gain.dat 11 lines", "Korvane_Gain.dat 0 lines, the last "
                                                         "without a line end"),
                DesignFault::Damaged, "it is damaged: line 3 should begin its Korvane_Gain.dat"},
        Refusal{"another last line, ended", DefaultWith("\nend\n", "\nfin\n"),
                DesignFault::Damaged, "it is damaged: line 37 should be its end line"},
        Refusal{"another heading, ended", "Korvane design\nversion 1\nhello\n",
                DesignFault::Damaged, "it is damaged: line 3 should begin its Korvane_Gain.dat"},
        Refusal{"a line after the end", kText + "\nmore\n", DesignFault::Damaged,
                "it is damaged: line 39 stands after its end line"},
        Refusal{"an end line too early", DefaultWith("393.4e-3\n550\n1200\n1\nend\n", "393.4e-3\n550\n1200\nend\n"),
                DesignFault::CutShort, "it is cut short: its end line is missing"},
        Refusal{"omega in the tube number", DefaultWith("12AX7", "12AX7 \xCE\xA9"),
                DesignFault::CannotHold,
                "line 1 of its Korvane_Gain.dat (line 4 of the design) holds a character (U+03A9) "
                "that an inputs file cannot hold"},
        Refusal{"not UTF-8", DefaultWith("6 L6", "6 L6 \xB1"), DesignFault::CannotHold,
                "line 1 of its Korvane_Feedback.dat (line 16 of the design) is not UTF-8 text"},
        Refusal{"an unknown escape", DefaultWith("1200", "1200\\t"), DesignFault::CannotHold,
                "line 3 of its Korvane_Xfmr.dat (line 35 of the design) holds a backslash..."},
        Refusal{"a hex escape with one digit", DefaultWith("1200", "\\x4"), DesignFault::CannotHold,
                "line 3 of its Korvane_Xfmr.dat (line 35 of the design) holds a backslash..."},
        Refusal{"a backslash last", DefaultWith("80000", "80000\\"), DesignFault::CannotHold,
                "line 2 of its Korvane_Gain.dat (line 5 of the design) holds a backslash..."},
        Refusal{"a check box state 7", DefaultWith("\n0\nKorvane_Feedback", "\n7\nKorvane_Feedback"),
                DesignFault::DoesNotLoad,
                "its RC Stage Gain inputs (Korvane_Gain.dat) are not right: the panel could not "
                "load them"},
        Refusal{"an option neither True nor False",
                DefaultWith("True\nFalse\nFalse\nTrue", "True\nMaybe\nFalse\nTrue"),
                DesignFault::DoesNotLoad,
                "its Global Feedback inputs (Korvane_Feedback.dat) are not right: the panel could "
                "not load them"},
        Refusal{"a comma that shifts the feedback lines", DefaultWith("6 L6", "6 L6, 6V6"),
                DesignFault::DoesNotLoad, "its Global Feedback inputs (Korvane_Feedback.dat)..."},
        Refusal{"three Xfmr lines",
                DefaultWith("Korvane_Xfmr.dat 4 lines\n393.4e-3\n550\n1200\n1\n",
                            "Korvane_Xfmr.dat 3 lines\n393.4e-3\n550\n1200\n"),
                DesignFault::DoesNotLoad,
                "its Feedback Network inputs (Korvane_Xfmr.dat) are not right: the panel could "
                "not load them"}));

// Whatever the cut, a design cut short is refused as cut short (or, inside
// its first line, as no design at all).
TEST(DesignFile, EveryCutIsRefused) {
    const std::string text = WriteDesign(WithXfmr(SaveXfmrFile("x", "1", "2", 1, Series::E96,
                                                               Tolerance::P5)));
    // Until the whole first line is there it is no design.
    const std::size_t firstLine = std::string("Korvane design").size();
    // All of it but the last line end still reads.
    for (std::size_t n = 0; n + 1 < text.size(); ++n) {
        const DesignRead read = ReadDesign(text.substr(0, n));
        EXPECT_FALSE(read.files.has_value()) << n;
        EXPECT_EQ(read.fault, n < firstLine ? DesignFault::NotADesign : DesignFault::CutShort)
            << "cut after " << n << " bytes: " << read.why;
    }
    EXPECT_TRUE(ReadDesign(text.substr(0, text.size() - 1)).files.has_value());
}

TEST(DesignFile, AcceptedVariants) {
    const struct {
        const char* name;
        std::string text;
        std::string gainLine1;
    } cases[] = {
        {"byte order mark first", "\xEF\xBB\xBF" + kText, "12AX7"},
        {"empty lines after the end", kText + "\n\r\n", "12AX7"},
        {"a hex escape for a printable byte, either case", DefaultWith("12AX7", "\\x31\\x32a\\x5c"),
         "12a\\"},
        {"the undefined byte 0x81 as its character", DefaultWith("12AX7", "\xC2\x81"), "\x81"},
    };
    for (const auto& c : cases) {
        const DesignRead read = ReadDesign(c.text);
        ASSERT_TRUE(read.files.has_value()) << c.name << ": " << read.why;
        EXPECT_EQ(read.files->gain.substr(0, read.files->gain.find("\r\n")), c.gainLine1) << c.name;
        EXPECT_EQ(read.files->feedback, DefaultFeedbackFile()) << c.name;
    }
}

TEST(DesignFile, RefusalText) {
    EXPECT_EQ(DesignRefusalText("Amp \xE2\x84\xA6.korvane", "it is cut short: its end line is missing"),
              "The design \"Amp \xE2\x84\xA6.korvane\" cannot be opened: it is cut short: its end "
              "line is missing. Nothing was changed.");
}

}  // namespace
}  // namespace korvane
