#pragma once
// The items of an inputs file. A file is one item per line, every line
// ended by CR LF, in Windows-1252.
//
// Reading: leading spaces are skipped (a tab is part of the item); an item ends at a comma or at the
// end of its line (CR LF, CR or LF); an item that begins with a double
// quote runs to the closing double quote (which is dropped), and whatever
// stands after it up to the next comma or line end is passed over.
//
// Writing: a text is written as it stands, unless reading it back would
// change it or split it - a text that holds a comma, a CR or LF, or whose
// first character after any spaces is a double quote - which is written inside
// double quotes (any double quote inside it becomes a single quote, as a
// quoted item cannot hold one).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class ItemReader {
public:
    explicit ItemReader(std::string_view bytes) : data_(bytes) {}

    // The next item, or nothing when the data has ended (reading past the
    // end is a read failure for every caller).
    std::optional<std::string> next();

    // Reads up to `n` items onto the end of `out`; false when the data
    // ended first (the items read so far stay in `out`).
    bool readTexts(std::size_t n, std::vector<std::string>& out);

private:
    std::string_view data_;
    std::size_t pos_ = 0;
};

// All items of the data, in order.
std::vector<std::string> ReadItems(std::string_view bytes);

// One line of a file for the given text, without its line end.
//   "12AX7"          -> 12AX7
//   "12AX7, 1/2"     -> "12AX7, 1/2"    (quoted: it holds a comma)
std::string ItemLine(std::string_view text);

// The whole file: each text through ItemLine, each line ended by CR LF.
std::string WriteLines(const std::vector<std::string>& texts);

// The Boolean conversion of an item: "True" / "False" (any case, blanks
// around ignored), or a number (the whole item): zero is False, any other
// number True. Anything else, the empty text and a number too large for a
// double included, is no Boolean.
//   "True" -> true   " false " -> false   "0" -> false   "-2.5" -> true
//   "1e400" -> none  "yes" -> none        "" -> none
std::optional<bool> ToBoolean(std::string_view item);

// "True" or "False".
std::string BooleanText(bool value);

// A check box state read from a file: the numeric value of the item,
// rounded halves to even; valid only when it is 0, 1 or 2 (a value outside
// the 16-bit range is invalid too).
//   "1" -> 1   "0.5" -> 0   "1.5" -> 2   "" -> 0   "7" -> invalid
std::optional<int> CheckBoxValue(std::string_view item);

}  // namespace korvane
