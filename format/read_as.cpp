#include "format/read_as.h"

#include <cmath>

#include "format/roundoff.h"
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

}  // namespace

std::optional<std::string> ReadAsNote(std::string_view text) {
    const std::string_view rest = TrimBlanks(text.substr(NumericEnd(text)));
    if (rest.empty() || IsOutOfRangeMask(text)) return std::nullopt;
    const double value = NumericValue(text);
    if (!std::isfinite(value)) return "Read as a number too large";
    // The number text without its sign position, but with its "-".
    return "Read as " + (value < 0 ? NumberText(value) : CutNumberText(value));
}

}  // namespace korvane
