#pragma once
// What an input field's text is read as, for the note beside a field whose
// text is not one number. The calculations read a field with the numeric
// parse, which stops at the first character that cannot continue the
// number, so "100k" reads as 100: the note says so while the user types.

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// The note for a text whose numeric parse stops at a character that is not
// a blank; nothing for a text that is one number with blanks around it, for
// an empty or blank text, and for the texts results are written as
// (Roundoff's, out-of-range mask included, and the number text).
//   "100k"   -> "Read as 100"     "2k2" -> "Read as 2"    "4,7" -> "Read as 4"
//   "abc"    -> "Read as 0"       "12 AX7" -> "Read as 12"  "1e" -> "Read as 1"
//   ".5.5"   -> "Read as .5"      "1e999x" -> "Read as a number too large"
//   "" , "  ", " 4.939e+3  ", " .3934", "1 000", " 0.000     " -> nothing
std::optional<std::string> ReadAsNote(std::string_view text);

}  // namespace korvane
