#pragma once
// What a Calculate press does to its panel, in the order it does it: the
// three calculations are pure functions that return one of these, and the
// panel replays the effects on its fields, captions and result list and
// shows the messages.

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
        ClearList, // empty the panel's result list
        AddLine,   // add `text` at the end of the result list
    };
    Kind kind;
    int index = 0;     // for SetField, SetLabel and Focus
    std::string text;  // for SetField, SetLabel, Message and AddLine

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
    void clearList();
    void addLine(std::string text);
    void faulted(std::string text);

    // The last text written to field / label `index`, if any.
    std::optional<std::string> field(int index) const;
    std::optional<std::string> label(int index) const;
    // The message texts, in the order they are shown.
    std::vector<std::string> messages() const;
    int fieldWrites() const;
    // Whether the list is cleared, and the lines added to it, in order.
    bool clearsList() const;
    std::vector<std::string> listLines() const;
};

}  // namespace korvane
