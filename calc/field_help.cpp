#include "calc/field_help.h"

namespace korvane {

std::string FieldHelp::full() const {
    if (message.empty()) return brief;
    return brief + "\r\n\r\n" + message;
}

const std::string& HelpOnZeroText() {
    static const std::string text =
        "Help on a value\r\n"
        "Enter a value as 0, or leave its field empty, and press Calculate: instead of a "
        "result, the calculator shows a message that explains where the value comes from.  "
        "Where a field says so, 0 means something else (take the value from above).";
    return text;
}

const std::string& NotationHelpText() {
    static const std::string text =
        "Engineering notation\r\n"
        "A field is read as the number its text begins with: \"100e3\" is 100000, and "
        "\"100k\" is 100.  With Settings > Engineering notation on, values can be typed "
        "as component values are printed, with SI prefixes and RKM codes: \"100k\" is "
        "100000, \"2k2\" 2200, \"4M7\" 4700000, \"4R7\" 4.7, \"470n\" 0.00000047.  A field "
        "whose text is read otherwise than it looks says so in its tint and tool tip.";
    return text;
}

std::string HelpPage(std::string_view title, std::string_view purpose,
                     const std::vector<HelpEntry>& entries) {
    std::string page(title);
    page += "\r\n\r\n";
    page += purpose;
    page += "\r\n\r\n";
    for (const HelpEntry& entry : entries) {
        page += entry.caption;
        page += "\r\n";
        const std::string text = entry.help.full();
        std::size_t from = 0;
        while (from <= text.size()) {
            std::size_t end = text.find("\r\n", from);
            if (end == std::string::npos) end = text.size();
            if (end > from) page += "    " + text.substr(from, end - from);
            page += "\r\n";
            from = end + 2;
        }
        page += "\r\n";
    }
    page += HelpOnZeroText();
    page += "\r\n\r\n";
    page += NotationHelpText();
    page += "\r\n";
    return page;
}

}  // namespace korvane
