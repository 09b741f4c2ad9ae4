#include "format/read_as.h"

#include <cmath>

#include "format/roundoff.h"
#include "io/engineering.h"
#include "io/numeric.h"

namespace korvane {
namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsNumericBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsNumericBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Roundoff's text for a result beyond its range, either sign: the
// program's own, though no number.
bool IsOutOfRangeMask(std::string_view text) {
    static const std::string plus(TrimBlanks(Roundoff(1e300)));
    static const std::string minus(TrimBlanks(Roundoff(-1e300)));
    const std::string_view t = TrimBlanks(text);
    return t == plus || t == minus;
}

// A value as the note writes it: the number text without its sign
// position, but with its "-".
std::string ValueText(double value) {
    if (!std::isfinite(value)) return "a number too large";
    return value < 0 ? NumberText(value) : CutNumberText(value);
}

}  // namespace

std::optional<std::string> ReadAsNote(std::string_view text, Notation notation) {
    const std::string_view rest = TrimBlanks(text.substr(NumericEnd(text)));
    if (rest.empty() || IsOutOfRangeMask(text)) return std::nullopt;
    const bool engineering = ReadsWholeAsEngineering(text);
    if (engineering && notation == Notation::Engineering) return std::nullopt;
    const double value = NumericValue(text);
    std::string note = "Read as " + ValueText(value);
    if (engineering) {
        const double withPrefix = EngineeringValue(text);
        if (withPrefix != value) {
            note += " (" + std::string(TrimBlanks(text)) + " is " + ValueText(withPrefix) +
                    " with Engineering notation on)";
        }
    }
    return note;
}

}  // namespace korvane
