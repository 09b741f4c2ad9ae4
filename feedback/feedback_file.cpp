#include "feedback/feedback_file.h"


#include "io/items.h"

namespace korvane {

FeedbackFileLoad LoadFeedbackFile(const std::optional<std::string>& bytes) {
    FeedbackFileLoad load;
    if (!bytes) return load;
    ItemReader reader(*bytes);
    if (!reader.readTexts(10, load.fields)) return load;
    for (int i = 0; i < 5; ++i) {
        const auto item = reader.next();
        if (!item) return load;
        const auto selected = ToBoolean(*item);
        if (!selected) return load;
        load.options.push_back(*selected);
    }
    const auto item = reader.next();
    if (!item) return load;
    load.ab2 = ToBoolean(*item);
    load.ok = load.ab2.has_value();
    return load;
}

std::string SaveFeedbackFile(const std::array<std::string, 10>& fields,
                             const std::array<bool, 5>& options, bool ab2) {
    std::vector<std::string> lines(fields.begin(), fields.end());
    for (bool selected : options) lines.push_back(BooleanText(selected));
    lines.push_back(BooleanText(ab2));
    return WriteLines(lines);
}

std::string DefaultFeedbackFile() {
    return SaveFeedbackFile({"6 L6", "26.5", "8", "22.5", "22.5", "25", "", "20", "", ""},
                            {true, false, false, true, false}, false);
}

std::array<bool, 5> ApplyOptionsRead(std::array<bool, 5> before, const std::vector<bool>& read) {
    // Option1-2 choose the feedback mode, Option3-5 the grid drive.
    auto groupOf = [](std::size_t i) { return i < 2 ? 0 : 1; };
    for (std::size_t i = 0; i < read.size() && i < before.size(); ++i) {
        if (read[i]) {
            for (std::size_t j = 0; j < before.size(); ++j) {
                if (groupOf(j) == groupOf(i)) before[j] = false;
            }
        }
        before[i] = read[i];
    }
    return before;
}

}  // namespace korvane
