#pragma once
// A design: a named copy of the three inputs files, kept in one text file
// with the extension ".korvane". The working inputs stay in the inputs
// files; saving a design copies them in, opening one copies them back out.
//
// The file is UTF-8, one line per line (LF, or CR LF when read):
//
//   Korvane design
//   version 1
//   Korvane_Gain.dat 11 lines
//   12AX7
//   ...                        (the file's 11 lines)
//   Korvane_Feedback.dat 16 lines
//   ...
//   Korvane_Xfmr.dat 4 lines
//   ...
//   end
//
// An inputs file's lines are its bytes cut at each CR LF. Each line is
// written in UTF-8 (its bytes read as Windows-1252), with "\" written as
// "\\", a CR or LF that stands alone as "\r" or "\n", and any other control
// byte (and the five bytes Windows-1252 leaves undefined) as "\xNN". A file
// whose last bytes are not CR LF says so on its heading line:
//   "Korvane_Xfmr.dat 4 lines, the last without a line end".
// The line counts and the closing "end" tell a design that was cut short.

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

inline constexpr const char* kDesignExtension = ".korvane";
// The format version this program writes, and the newest it reads.
inline constexpr int kDesignFormat = 1;

// The three inputs files' bytes, in Windows-1252, as they stand on disk.
struct DesignFiles {
    std::string gain;      // Korvane_Gain.dat
    std::string feedback;  // Korvane_Feedback.dat
    std::string xfmr;      // Korvane_Xfmr.dat

    // Same bytes in all three: the working inputs are those of the design.
    friend bool operator==(const DesignFiles&, const DesignFiles&) = default;
};

// The design text of three inputs files.
//   DefaultDesignFiles() -> "Korvane design\nversion 1\nKorvane_Gain.dat 11 lines\n12AX7\n..."
//   an inputs-file line  a\b<tab>x  -> the design line  a\\b\x09x
//   the byte 0xB1 (plus-minus) -> its UTF-8, the two bytes 0xC2 0xB1
std::string WriteDesign(const DesignFiles& files);

// What is wrong with a design that cannot be opened.
enum class DesignFault {
    None,
    NotADesign,   // the first line is not "Korvane design"
    CutShort,     // lines or the end line are missing
    NewerFormat,  // written in a format newer than kDesignFormat
    Damaged,      // a line stands where another belongs (edited by hand)
    CannotHold,   // a line that its inputs file cannot hold
    DoesNotLoad,  // an inputs file that its panel would not load
};

// A design read: the three files, or why not.
struct DesignRead {
    std::optional<DesignFiles> files;  // set only when nothing is wrong
    DesignFault fault = DesignFault::None;
    // What is wrong, in plain ASCII words that follow "cannot be opened: ",
    // without a full stop; empty when nothing is.
    //   "it is not a Korvane design"
    //   "it is cut short: its end line is missing"
    //   "it was made by a newer version of Korvane (format 2); this version reads format 1"
    //   "line 5 of its Korvane_Gain.dat (line 8 of the design) holds a character
    //    (U+03A9) that an inputs file cannot hold"
    //   "its Global Feedback inputs (Korvane_Feedback.dat) are not right: the panel
    //    could not load them"
    std::string why;
};

// Reads the whole text and checks it: its shape, every line, and that each
// inputs file loads (LoadGainFile, LoadFeedbackFile, LoadXfmrFile) as its
// panel would load it. Any text WriteDesign made reads back as the same
// three files.
// A byte order mark before the first line is passed over.
DesignRead ReadDesign(std::string_view utf8);

// The message for a design that could not be opened, in UTF-8.
//   ("Amp.korvane", "it is cut short: its end line is missing") ->
//   "The design \"Amp.korvane\" cannot be opened: it is cut short: its end line is
//    missing. Nothing was changed."
std::string DesignRefusalText(std::string_view fileNameUtf8, const std::string& why);

// The inputs files' default contents (New Design).
DesignFiles DefaultDesignFiles();

}  // namespace korvane
