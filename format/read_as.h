#pragma once
// What an input field's text is read as, for the note beside a field whose
// text is not one number. The calculations read a field with the numeric
// parse, which stops at the first character that cannot continue the
// number, so "100k" reads as 100 unless Engineering notation is on: the
// note says so while the user types.

#include <optional>
#include <string>
#include <string_view>

#include "io/engineering.h"

namespace korvane {

// The note for a text the notation does not read whole, giving the value
// used; nothing for a text that is one number with blanks around it, for an
// empty or blank text, and for the texts results are written as
// (Roundoff's, out-of-range mask included, and the number text).
//
// Plain: a text the numeric parse stops in. When Engineering notation would
// read it whole to another value, the note says so, with the text trimmed:
//   "100k"   -> "Read as 100 (100k is 100000 with Engineering notation on)"
//   "2k2"    -> "Read as 2 (2k2 is 2200 with Engineering notation on)"
//   "4,7"    -> "Read as 4"       "abc" -> "Read as 0"    "12 AX7" -> "Read as 12"
//   "47R"    -> "Read as 47"      (the same value either way)
//   "1e"     -> "Read as 1"       ".5.5" -> "Read as .5"
//   "1e999x" -> "Read as a number too large"
//   "1e308k" -> "Read as 1E+308 (1e308k is a number too large with Engineering notation on)"
//   "" , "  ", " 4.939e+3  ", " .3934", "1 000", " 0.000     " -> nothing
// Engineering: nothing for a text read whole with or without a prefix;
// any other text is read by the numeric parse, and the note says as what.
//   "100k", "2k2", "100e3" -> nothing
//   "100k ohms" -> "Read as 100"   "2 k2" -> "Read as 2"
std::optional<std::string> ReadAsNote(std::string_view text, Notation notation = Notation::Plain);

}  // namespace korvane
