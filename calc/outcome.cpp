#include "calc/outcome.h"

#include <utility>

namespace korvane {

void Outcome::setField(int index, std::string text) {
    effects.push_back({Effect::Kind::SetField, index, std::move(text)});
}

void Outcome::setLabel(int index, std::string text) {
    effects.push_back({Effect::Kind::SetLabel, index, std::move(text)});
}

void Outcome::message(std::string text) {
    effects.push_back({Effect::Kind::Message, 0, std::move(text)});
}

void Outcome::focus(int index) { effects.push_back({Effect::Kind::Focus, index, {}}); }

void Outcome::clearList() { effects.push_back({Effect::Kind::ClearList, 0, {}}); }

void Outcome::addLine(std::string text) {
    effects.push_back({Effect::Kind::AddLine, 0, std::move(text)});
}

void Outcome::faulted(std::string text) {
    fault = true;
    message(std::move(text));
}

namespace {

std::optional<std::string> LastText(const std::vector<Effect>& effects, Effect::Kind kind, int index) {
    std::optional<std::string> text;
    for (const auto& e : effects) {
        if (e.kind == kind && e.index == index) text = e.text;
    }
    return text;
}

}  // namespace

std::optional<std::string> Outcome::field(int index) const {
    return LastText(effects, Effect::Kind::SetField, index);
}

std::optional<std::string> Outcome::label(int index) const {
    return LastText(effects, Effect::Kind::SetLabel, index);
}

std::vector<std::string> Outcome::messages() const {
    std::vector<std::string> texts;
    for (const auto& e : effects) {
        if (e.kind == Effect::Kind::Message) texts.push_back(e.text);
    }
    return texts;
}

int Outcome::fieldWrites() const {
    int n = 0;
    for (const auto& e : effects) n += e.kind == Effect::Kind::SetField ? 1 : 0;
    return n;
}

bool Outcome::clearsList() const {
    for (const auto& e : effects) {
        if (e.kind == Effect::Kind::ClearList) return true;
    }
    return false;
}

std::vector<std::string> Outcome::listLines() const {
    std::vector<std::string> lines;
    for (const auto& e : effects) {
        if (e.kind == Effect::Kind::AddLine) lines.push_back(e.text);
    }
    return lines;
}

}  // namespace korvane
