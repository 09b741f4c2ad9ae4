// One Calculate press of the Global Feedback panel, and NudgeUp.
//
// Input: the first byte holds the panel's states - bit 0 set: dB mode
// (Option1), else factor mode; bits 1-2: the grid drive, 0 (or 3) RMS,
// 1 peak of one grid (Option4), 2 peak grid-to-grid (Option5); bit 3: AB2
// before the press; bit 4: the answer to the grid-current question (set:
// Yes). The rest, cut at every NUL byte, gives the texts of fields 0 to 9
// (missing ones empty); field 0, which the press never reads, also goes to
// NudgeUp.
//
// The press must not crash; it asks at most once, and only when AB2 was
// not accepted already; AB2 ends True only when it was or the answer was
// Yes; no text it writes or asks says "inf" or "nan"; the results come
// together (the mode's result field, then 8 and 9), 8 and 9 and the dB
// mode's feedback factor as Roundoff texts, the factor mode's dB as a
// number text.

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "feedback/feedback_calc.h"
#include "fuzz/fuzz_support.h"
#include "io/numeric.h"

namespace korvane::fuzz {
namespace {

void CheckRoundoffText(const std::string& text) {
    RoundoffParts parts;
    KORVANE_REQUIRE_SHOW(ParseRoundoff(text, parts), Shown(text));
}

// NudgeUp raises a value in [1, 10) by 0.001 and one in [10, 100) by 0.01,
// written as a number text; any other text comes back as it is.
void CheckNudgeUp(const std::string& text) {
    const std::string nudged = NudgeUp(text);
    const double v = NumericValue(text);
    if (v >= 1 && v < 100) {
        const double step = v < 10 ? 0.001 : 0.01;
        const double w = NumericValue(nudged);
        KORVANE_REQUIRE_SHOW(NumberText(w) == nudged, Shown(text) + " -> " + Shown(nudged));
        KORVANE_REQUIRE_SHOW(w > v && std::fabs(w - (v + step)) <= 1e-13 * w,
                             Shown(text) + " -> " + Shown(nudged));
    } else {
        KORVANE_REQUIRE_SHOW(nudged == text, Shown(text) + " -> " + Shown(nudged));
    }
}

}  // namespace
}  // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    if (size == 0) return 0;
    const unsigned flags = data[0];
    FeedbackInput input;
    input.option1 = (flags & 1u) != 0;
    const unsigned drive = (flags >> 1) & 3u;
    input.option4 = drive == 1;
    input.option5 = drive == 2;
    input.ab2 = (flags & 8u) != 0;
    const bool yes = (flags & 16u) != 0;
    const std::vector<std::string> parts = SplitAtNul(Bytes(data + 1, size - 1));
    for (std::size_t i = 0; i < 10; ++i) input.fields[i] = Part(parts, i);

    CheckNudgeUp(input.fields[0]);

    int asked = 0;
    const FeedbackOutcome out = FeedbackCalculate(input, [&](const std::string& question) {
        ++asked;
        KORVANE_REQUIRE(!HoldsInfOrNan(question));
        return yes;
    });
    KORVANE_REQUIRE(asked <= 1);
    if (asked) KORVANE_REQUIRE(!input.ab2);
    if (out.ab2) KORVANE_REQUIRE(input.ab2 || (asked && yes));

    const std::vector<Effect>& effects = out.effects;
    KORVANE_REQUIRE(!effects.empty());
    if (out.fault) KORVANE_REQUIRE(effects.back().kind == Effect::Kind::Message);

    std::vector<int> written;
    int messages = 0;
    for (std::size_t k = 0; k < effects.size(); ++k) {
        const Effect& e = effects[k];
        KORVANE_REQUIRE_SHOW(!HoldsInfOrNan(e.text), Shown(e.text));
        switch (e.kind) {
            case Effect::Kind::SetField:
                written.push_back(e.index);
                if (e.index == 7 && !input.option1) {
                    KORVANE_REQUIRE_SHOW(NumberText(NumericValue(e.text)) == e.text, Shown(e.text));
                } else {
                    CheckRoundoffText(e.text);
                }
                break;
            case Effect::Kind::Message:
                ++messages;
                break;
            case Effect::Kind::Focus:
                // Only the most-feedback message moves the focus, to the
                // driver gain, and nothing follows.
                KORVANE_REQUIRE(e.index == 5 && k + 1 == effects.size() && k > 0 &&
                                effects[k - 1].kind == Effect::Kind::Message);
                break;
            case Effect::Kind::SetLabel:
                Broken("the press sets no caption", __FILE__, __LINE__);
            case Effect::Kind::ClearList:
            case Effect::Kind::AddLine:
                Broken("the panel has no list", __FILE__, __LINE__);
        }
    }
    KORVANE_REQUIRE(messages <= 2);
    if (!written.empty()) {
        const int resultField = input.option1 ? 6 : 7;
        KORVANE_REQUIRE((written == std::vector<int>{resultField, 8, 9}));
        KORVANE_REQUIRE(!out.fault);
        // The results are the last effects.
        KORVANE_REQUIRE(effects[effects.size() - 3].kind == Effect::Kind::SetField);
    }
    return 0;
}
