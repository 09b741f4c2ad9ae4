#pragma once
// Numbers typed the way component values are printed: with an SI prefix
// ("100k", "470n") or as an RKM code ("2k2", "4R7"). Read this way only
// when the user turns Engineering notation on; otherwise every field is read
// with the numeric parse of io/numeric.h. Texts are Windows-1252 bytes.

#include <string_view>

namespace korvane {

// How a field's text is read: Plain is the numeric parse, Engineering adds
// the prefixes and RKM codes below.
enum class Notation { Plain, Engineering };

// The value of a text read with prefixes and RKM codes. Blanks, tabs and line
// feeds around the text are ignored, and the whole text must be one of:
//
//  - a number as the numeric parse reads it (sign, digits, ".", exponent;
//    blanks inside, as that parse allows), then exactly one prefix letter,
//    which may stand after a blank:
//      p 1e-12   n 1e-9   u or µ 1e-6   m 1e-3   R 1   k or K 1e3
//      M 1e6     G 1e9    T 1e12
//    ("µ" is the single byte 0xB5; "E" is no prefix, it starts an exponent);
//  - an RKM code: an optional sign, digits, one prefix letter standing for
//    the decimal point and scaling the number, digits; at least one digit,
//    no point, no exponent, no blanks inside.
//
// The value is the double nearest the decimal number the text stands for
// ("470n" is exactly the double 4.7e-7, "100k" exactly what "100e3" reads
// as). Any other text reads as NumericValue reads it, so every text the
// numeric parse reads whole keeps its value, and a text that is neither
// still reads as its leading number. Out of range: +/-infinity or zero,
// as NumericValue.
//   "100k" -> 100000     "2k2" -> 2200        "4M7" -> 4.7e6
//   "4R7"  -> 4.7        "470n" -> 4.7e-7     "1.5m" -> 0.0015
//   "10u", "10\xB5" -> 1e-5                  "22p" -> 2.2e-11
//   "R47"  -> 0.47       "1n5" -> 1.5e-9      "47R" -> 47
//   "-2k2" -> -2200      " 100k\t" -> 100000  "4.7 k" -> 4700
//   "1e3k" -> 1e6        "1 000k" -> 1e6      "2G" -> 2e9     "1T" -> 1e12
//   "100e3" -> 100000    " 4.939e+3  " -> 4939 (the numeric parse's forms)
//   "100k ohms" -> 100   "2 k2" -> 2   "1E" -> 1   "2kk" -> 2   "k" -> 0
//   "1.5k2" -> 1.5       "100 kk" -> 100   (not whole: the numeric parse)
double EngineeringValue(std::string_view text);

// True when EngineeringValue reads the text whole with a prefix letter or as
// an RKM code: the texts whose value can differ from the numeric parse's.
//   "100k", "2k2", " 4R7 ", "47R" -> true
//   "100e3", "", "abc", "100k ohms", "1E" -> false
bool ReadsWholeAsEngineering(std::string_view text);

// A field's value in the notation chosen: NumericValue for Plain,
// EngineeringValue for Engineering.
//   ("100k", Plain) -> 100    ("100k", Engineering) -> 100000
double ReadNumber(std::string_view text, Notation notation);

}  // namespace korvane
