// One Calculate press of the RC stage panel.
//
// Input: the first byte modulo 3 is the check box state (0 clear, 1 set,
// 2 grayed; printable seeds start with "0", "1" or "2"); the rest, cut at
// every NUL byte, gives the texts of fields 0 to 9 (missing ones empty).
//
// The press must not crash; its effects come in the documented order
// (rcstage/rc_calc.h); no text it writes says "inf" or "nan"; the
// substituted fields 6 and 7 hold number texts; the result in field 8 or 9
// is a Roundoff text (10 or 11 characters) unless it is the "0" of "Add No
// Additional Resistor".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "io/numeric.h"
#include "rcstage/rc_calc.h"

namespace korvane::fuzz {
namespace {

void CheckRoundoffText(const std::string& text) {
    RoundoffParts parts;
    KORVANE_REQUIRE_SHOW(ParseRoundoff(text, parts), Shown(text));
}

// A text as NumberText writes it: NumberText of its own value.
void CheckNumberText(const std::string& text) {
    KORVANE_REQUIRE_SHOW(NumberText(NumericValue(text)) == text, Shown(text));
}

}  // namespace
}  // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    if (size == 0) return 0;
    RcStageInput input;
    input.check = data[0] % 3;
    const std::vector<std::string> parts = SplitAtNul(Bytes(data + 1, size - 1));
    for (std::size_t i = 0; i < 10; ++i) input.fields[i] = Part(parts, i);

    const Outcome out = RcStageCalculate(input);
    const std::vector<Effect>& effects = out.effects;

    for (const Effect& e : effects) KORVANE_REQUIRE_SHOW(!HoldsInfOrNan(e.text), Shown(e.text));

    // Substitutions of fields 6 and 7 first, each once at most, in order.
    std::size_t k = 0;
    for (const int row : {6, 7}) {
        if (k < effects.size() && effects[k].kind == Effect::Kind::SetField && effects[k].index == row) {
            CheckNumberText(effects[k].text);
            // Only an empty or zero field is substituted.
            KORVANE_REQUIRE(NumericValue(input.fields[static_cast<std::size_t>(row)]) == 0);
            ++k;
        }
    }
    // Then one message, or the result.
    KORVANE_REQUIRE(k < effects.size());
    const Effect& last = effects[k];
    if (last.kind == Effect::Kind::Message) {
        KORVANE_REQUIRE(k + 1 == effects.size());
        return 0;
    }
    KORVANE_REQUIRE(!out.fault);
    KORVANE_REQUIRE(last.kind == Effect::Kind::SetField);
    if (input.check == kCheckSet) {
        KORVANE_REQUIRE(last.index == 8 && k + 1 == effects.size());
        CheckRoundoffText(last.text);
        return 0;
    }
    KORVANE_REQUIRE(last.index == 9 && k + 2 == effects.size());
    const Effect& label = effects[k + 1];
    KORVANE_REQUIRE(label.kind == Effect::Kind::SetLabel && label.index == 9);
    if (label.text == "Add No Additional Resistor") {
        KORVANE_REQUIRE(last.text == "0");
    } else {
        KORVANE_REQUIRE_SHOW(label.text == "Add in AC SERIES with Rk" ||
                                 label.text == "Add in AC PARALLEL with Rk",
                             Shown(label.text));
        CheckRoundoffText(last.text);
    }
    return 0;
}
