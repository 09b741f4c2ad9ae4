#pragma once
// The tube library: rows of Koren model parameters with their names,
// aliases, ratings and sources. The built-in rows are the text of
// data/tubes/triodes.csv, compiled into the program; a designer's own tubes
// are a CSV file of the same columns in their application data folder.
//
// The CSV: fields separated by commas, one row a line (CR LF, LF or CR);
// blank lines are passed over. A field that begins with a double quote
// (after any spaces) runs to the closing one, holds commas, and "" in it is
// one double quote; a quoted field does not go on past its line. Spaces
// around a field that is not quoted are dropped, and so is a UTF-8 byte
// order mark at the start.
//
// The first line that is not blank names the columns (any order, any case):
//   tube        the group, e.g. 12AX7 (the name when empty or missing)
//   name        the row's label, unique in the file          (needed)
//   aliases     other type numbers, "|" between them
//   MU EX KG1 KP KVB                                          (needed)
//   VCT         0 when empty or missing
//   pa_max_w, va_max_v   ratings, empty when unknown
//   default     1 for the group's suggested row, 0 or empty otherwise
//   source, ratings_source   where the numbers come from
// Other columns are passed over.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tube/triode.h"

namespace korvane {

struct Tube {
    std::string group;
    std::string name;
    std::vector<std::string> aliases;
    TriodeModel model;
    TriodeLimits limits;
    bool isDefault = false;
    std::string source;
    std::string ratingsSource;

    friend bool operator==(const Tube&, const Tube&) = default;
};

// A line of a file that was skipped, and why (one per line).
struct TableProblem {
    int line = 0;  // 1 for the first line
    std::string why;

    friend bool operator==(const TableProblem&, const TableProblem&) = default;
};

// The fields of each line of a CSV text, with its line number.
struct CsvRow {
    int line = 0;
    std::vector<std::string> fields;
};
struct CsvText {
    std::vector<CsvRow> rows;
    std::vector<TableProblem> problems;
};

// Never throws; a line it cannot read is a problem, and the rest is read.
//   "a, b ,\"c,d\"\n"   -> line 1: a | b | c,d
//   "\"say \"\"hi\"\"\"" -> line 1: say "hi"
//   "\"open\nx\n"        -> problem {1, "A double quote is not closed on this line."}, line 2: x
//   "\"a\" b\n"         -> problem {1, "Field 1 has text after its closing double quote."}
CsvText ReadCsv(std::string_view text);

struct TubeTable {
    std::vector<Tube> tubes;
    std::vector<TableProblem> problems;
};

// The tubes of a CSV text; each line that cannot be a tube is a problem and
// skipped, e.g.
//   {4, "MU must be a number: it is \"abc\"."}
//   {5, "KG1 must be above 0: it is -2."}
//   {6, "The line has 13 fields, where the first line names 14."}
//   {7, "The name \"My 12AX7\" is already on line 3."}
//   {1, "The first line names no column \"KP\": no tube can be read."}
TubeTable ReadTubeTable(std::string_view text);

// A CSV text of the tubes in all the columns above, in that order, lines
// ended by CR LF; ReadTubeTable gives them back equal. Numbers are the
// shortest text that reads back to the same double; a line break in a text
// is written as a space.
std::string WriteTubeTable(const std::vector<Tube>& tubes);

// The indices of the tubes whose name, group or an alias holds `typed`,
// in order; case, spaces and hyphens do not count; an empty text keeps
// them all.
//   "ECC83" -> the 12AX7 group's rows and the 7025 row
//   "7025"  -> the 12AX7A and ECC83 rows and the 7025 row
//   "ecc 81" -> the 12AT7 rows
std::vector<std::size_t> FilterTubes(const std::vector<Tube>& tubes, std::string_view typed);

// The text of data/tubes/triodes.csv (generated at build time).
std::string_view BuiltInTubeText();

// The built-in rows, read from BuiltInTubeText the first time they are
// asked for.
const std::vector<Tube>& BuiltInTubes();

}  // namespace korvane
