#include "rcstage/gain_file.h"


#include "io/items.h"

namespace korvane {

GainFileLoad LoadGainFile(const std::optional<std::string>& bytes) {
    GainFileLoad load;
    if (!bytes) return load;
    ItemReader reader(*bytes);
    if (!reader.readTexts(10, load.fields)) return load;
    const auto item = reader.next();
    if (!item) return load;
    load.check = CheckBoxValue(*item);
    load.ok = load.check.has_value();
    return load;
}

std::string SaveGainFile(const std::array<std::string, 10>& fields, int check) {
    std::vector<std::string> lines(fields.begin(), fields.end());
    lines.push_back(std::to_string(check));
    return WriteLines(lines);
}

std::string DefaultGainFile() {
    return SaveGainFile({"12AX7", "80000", "100e3", "470e3", "1800", "57", "100e3", "470e3",
                         "10", ""},
                        0);
}

}  // namespace korvane
