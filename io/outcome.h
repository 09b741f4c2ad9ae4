#pragma once
// What a Calculate press does to its panel, in the order it does it. The
// calculations are pure functions that return one of these; the panel
// replays the effects on its widgets and shows the messages.

#include <optional>
#include <string>
#include <vector>

namespace korvane {

struct Effect {
    enum class Kind {
        SetField,  // text of input field `index`
        SetLabel,  // text of caption box `index`
        Message,   // a message box with an OK button
        Focus,     // move the keyboard focus to input field `index`
    };
    Kind kind;
    int index = 0;     // unused for Message
    std::string text;  // unused for Focus

    friend bool operator==(const Effect&, const Effect&) = default;
};

struct Outcome {
    std::vector<Effect> effects;
    // True when the press stopped on an arithmetic fault: the values cannot
    // be calculated with. The last effect is then the message that says why.
    bool fault = false;

    void setField(int index, std::string text);
    void setLabel(int index, std::string text);
    void message(std::string text);
    void focus(int index);
    void faulted(std::string text);

    // The last text written to field / label `index`, if any.
    std::optional<std::string> field(int index) const;
    std::optional<std::string> label(int index) const;
    // The message texts, in the order they are shown.
    std::vector<std::string> messages() const;
    // The field the focus is moved to, if any.
    std::optional<int> focusedField() const;
    int fieldWrites() const;
};

}  // namespace korvane
