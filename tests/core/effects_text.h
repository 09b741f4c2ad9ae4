#pragma once
// Effects of a calculation as short readable lines, so that a whole press
// can be compared at once and a failure shows what happened.

#include <string>
#include <vector>

#include "calc/outcome.h"

namespace korvane::testing {

inline std::vector<std::string> EffectLines(const Outcome& out) {
    std::vector<std::string> lines;
    for (const auto& e : out.effects) {
        switch (e.kind) {
        case Effect::Kind::SetField:
            lines.push_back("field " + std::to_string(e.index) + " = [" + e.text + "]");
            break;
        case Effect::Kind::SetLabel:
            lines.push_back("label " + std::to_string(e.index) + " = [" + e.text + "]");
            break;
        case Effect::Kind::Message:
            lines.push_back("message [" + e.text + "]");
            break;
        case Effect::Kind::Focus:
            lines.push_back("focus " + std::to_string(e.index));
            break;
        case Effect::Kind::ClearList:
            lines.push_back("clear list");
            break;
        case Effect::Kind::AddLine:
            lines.push_back("line [" + e.text + "]");
            break;
        }
    }
    return lines;
}

inline std::string Field(int index, const std::string& text) {
    return "field " + std::to_string(index) + " = [" + text + "]";
}
inline std::string Label(int index, const std::string& text) {
    return "label " + std::to_string(index) + " = [" + text + "]";
}
inline std::string Message(const std::string& text) { return "message [" + text + "]"; }
inline std::string Focus(int index) { return "focus " + std::to_string(index); }

}  // namespace korvane::testing
