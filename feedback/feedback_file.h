#pragma once
// Korvane_Feedback.dat: the Global Feedback panel's inputs, 16 lines - the
// texts of fields 0 to 9, the selected states of Option1 to Option5 and the
// grid-current flag AB2, each Boolean as "True" or "False".

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

inline constexpr const char* kFeedbackFileName = "Korvane_Feedback.dat";

struct FeedbackFileLoad {
    std::vector<std::string> fields;  // items read into fields 0..9, in order
    std::vector<bool> options;        // Option1..Option5 values read, in order
    std::optional<bool> ab2;
    bool ok = false;
};

// `bytes` is the file's content, or nothing when it could not be opened.
FeedbackFileLoad LoadFeedbackFile(const std::optional<std::string>& bytes);

std::string SaveFeedbackFile(const std::array<std::string, 10>& fields,
                             const std::array<bool, 5>& options, bool ab2);

std::string DefaultFeedbackFile();

// The option states after the values read have been set one by one, in
// order, onto `before`: setting an option True selects it and clears the
// other options of its group (Option1-2, Option3-5); setting it False
// clears that option only.
std::array<bool, 5> ApplyOptionsRead(std::array<bool, 5> before,
                                     const std::vector<bool>& read);

}  // namespace korvane
