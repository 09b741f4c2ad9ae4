#include "io/items.h"

#include <cmath>
#include <string>

#include "io/numeric.h"

namespace korvane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
// Reading skips spaces before an item, and only spaces: a tab is part of it.
bool IsSkippedBeforeItem(char c) { return c == ' '; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// True when all of `s` is one decimal number: sign, digits with an optional
// point, optional exponent with digits.
bool IsWholeNumber(std::string_view s) {
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t from = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return i - from;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t mantissa = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == s.size();
}

}  // namespace

std::optional<std::string> ItemReader::next() {
    if (pos_ >= data_.size()) return std::nullopt;
    while (pos_ < data_.size() && IsSkippedBeforeItem(data_[pos_])) ++pos_;

    std::string item;
    if (pos_ < data_.size() && data_[pos_] == '"') {
        const std::size_t close = data_.find('"', pos_ + 1);
        if (close == std::string_view::npos) {
            item.assign(data_.substr(pos_ + 1));
            pos_ = data_.size();
            return item;
        }
        item.assign(data_.substr(pos_ + 1, close - pos_ - 1));
        pos_ = close + 1;
        // Whatever follows the closing quote on its line, up to a comma, is
        // not part of any item.
        while (pos_ < data_.size() && data_[pos_] != ',' && !IsLineEnd(data_[pos_])) ++pos_;
    } else {
        const std::size_t from = pos_;
        while (pos_ < data_.size() && data_[pos_] != ',' && !IsLineEnd(data_[pos_])) ++pos_;
        item.assign(data_.substr(from, pos_ - from));
    }

    if (pos_ < data_.size()) {
        if (data_[pos_] == ',') {
            ++pos_;
        } else if (data_[pos_] == '\r') {
            ++pos_;
            if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
        } else {
            ++pos_;  // a lone LF
        }
    }
    return item;
}

bool ItemReader::readTexts(std::size_t n, std::vector<std::string>& out) {
    for (std::size_t i = 0; i < n; ++i) {
        auto item = next();
        if (!item) return false;
        out.push_back(std::move(*item));
    }
    return true;
}

std::vector<std::string> ReadItems(std::string_view bytes) {
    std::vector<std::string> items;
    ItemReader reader(bytes);
    while (auto item = reader.next()) items.push_back(std::move(*item));
    return items;
}

std::string ItemLine(std::string_view text) {
    bool quote = false;
    for (char c : text) {
        if (c == ',' || IsLineEnd(c)) quote = true;
    }
    std::size_t first = 0;
    while (first < text.size() && IsSkippedBeforeItem(text[first])) ++first;
    if (first < text.size() && text[first] == '"') quote = true;
    if (!quote) return std::string(text);

    std::string line;
    line.reserve(text.size() + 2);
    line.push_back('"');
    for (char c : text) line.push_back(c == '"' ? '\'' : c);
    line.push_back('"');
    return line;
}

std::string WriteLines(const std::vector<std::string>& texts) {
    std::string out;
    for (const auto& text : texts) {
        out += ItemLine(text);
        out += "\r\n";
    }
    return out;
}

std::optional<bool> ToBoolean(std::string_view item) {
    const std::string_view t = Trim(item);
    if (EqualsNoCase(t, "True")) return true;
    if (EqualsNoCase(t, "False")) return false;
    if (!IsWholeNumber(t)) return std::nullopt;
    // A number too large for a double is no Boolean, as it is no check box
    // state.
    const double value = NumericValue(t);
    if (!std::isfinite(value)) return std::nullopt;
    return value != 0;
}

std::string BooleanText(bool value) { return value ? "True" : "False"; }

std::optional<int> CheckBoxValue(std::string_view item) {
    const double v = RoundHalfEven(NumericValue(item));
    if (!std::isfinite(v) || v < -32768 || v > 32767) return std::nullopt;
    if (v != 0 && v != 1 && v != 2) return std::nullopt;
    return static_cast<int>(v);
}

}  // namespace korvane
