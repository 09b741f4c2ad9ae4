// The items of an inputs file: reading, writing, and the Boolean and check
// box conversions of an item.
//
// Input: the whole input is read as the bytes of a file. The same input cut
// at every NUL byte gives the texts that are written with WriteLines and
// read back. The first byte (if any), modulo 16, is how many items
// ItemReader::readTexts is asked for.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "io/items.h"
#include "io/numeric.h"

namespace korvane::fuzz {
namespace {

std::string Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return std::string(s);
}

std::string Lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

// An item is a Boolean when, blanks around it aside, it is "true" or
// "false" in any case, or a whole decimal number: strtod takes all of it
// and it holds nothing but digits, signs, points and exponent letters (so
// no "inf", "nan" or hexadecimal number, which strtod would take too), and
// its value fits a double.
void CheckBoolean(const std::string& item) {
    const std::optional<bool> value = ToBoolean(item);
    const std::string t = Trimmed(item);
    if (Lower(t) == "true" || Lower(t) == "false") {
        KORVANE_REQUIRE_SHOW(value == (Lower(t) == "true"), Shown(item));
        return;
    }
    bool number = !t.empty() && t.find_first_not_of("0123456789+-.eE") == std::string::npos &&
                  t.find('\0') == std::string::npos;
    if (number) {
        char* end = nullptr;
        const double v = std::strtod(t.c_str(), &end);
        number = end == t.c_str() + t.size();
        if (number) {
            // A number beyond a double is no Boolean.
            if (std::isinf(v)) {
                KORVANE_REQUIRE_SHOW(!value, Shown(item));
            } else {
                KORVANE_REQUIRE_SHOW(value == (v != 0), Shown(item));
            }
            return;
        }
    }
    KORVANE_REQUIRE_SHOW(!value, Shown(item));
}

// A check box state is the numeric value rounded to the nearest whole
// number, halves to the even one, valid only when that is 0, 1 or 2: so
// exactly the values from -0.5 to 2.5 are valid.
void CheckCheckBox(const std::string& item) {
    const std::optional<int> state = CheckBoxValue(item);
    const double v = NumericValue(item);
    KORVANE_REQUIRE_SHOW(state.has_value() == (v >= -0.5 && v <= 2.5), Shown(item));
    if (!state) return;
    KORVANE_REQUIRE(*state == 0 || *state == 1 || *state == 2);
    const double off = std::fabs(v - *state);
    KORVANE_REQUIRE_SHOW(off < 0.5 || (off == 0.5 && *state % 2 == 0), Shown(item));
}

}  // namespace
}  // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    const std::string_view bytes = Bytes(data, size);

    // Any bytes read as a file.
    const std::vector<std::string> items = ReadItems(bytes);
    KORVANE_REQUIRE(items.size() <= size);  // every item but the last ends at a byte of its own
    for (const std::string& item : items) {
        CheckBoolean(item);
        CheckCheckBox(item);
    }
    if (size > 0) {
        const std::size_t n = data[0] % 16u;
        ItemReader reader(bytes);
        std::vector<std::string> some = {"kept"};
        const bool all = reader.readTexts(n, some);
        KORVANE_REQUIRE(all == (items.size() >= n));
        KORVANE_REQUIRE(some.size() == 1 + std::min(n, items.size()));
        KORVANE_REQUIRE(some[0] == "kept");
        for (std::size_t i = 1; i < some.size(); ++i) KORVANE_REQUIRE(some[i] == items[i - 1]);
    }

    // Texts written and read back.
    const std::vector<std::string> texts = SplitAtNul(bytes);
    for (const std::string& text : texts) {
        const std::string line = ItemLine(text);
        if (WrittenQuoted(text)) {
            KORVANE_REQUIRE_SHOW(line.size() == text.size() + 2 && line.front() == '"' &&
                                     line.back() == '"' &&
                                     line.substr(1, text.size()) == ReadBack(text),
                                 Shown(text) + " -> " + Shown(line));
        } else {
            KORVANE_REQUIRE_SHOW(line == text, Shown(text) + " -> " + Shown(line));
        }
        CheckBoolean(text);
        CheckCheckBox(text);
    }
    const std::string file = WriteLines(texts);
    const std::vector<std::string> back = ReadItems(file);
    KORVANE_REQUIRE(back.size() == texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        KORVANE_REQUIRE_SHOW(back[i] == ReadBack(texts[i]),
                             Shown(texts[i]) + " read back as " + Shown(back[i]));
    }
    return 0;
}
