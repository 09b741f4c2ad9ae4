#pragma once
// Korvane_Gain.dat: the RC stage panel's inputs, 11 lines - the texts of
// fields 0 to 9, then the check box state as a whole number.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

inline constexpr const char* kGainFileName = "Korvane_Gain.dat";

struct GainFileLoad {
    std::vector<std::string> fields;  // the items read, in order (0 to 10 of them)
    std::optional<int> check;         // set when the 11th item was a valid state
    bool ok = false;                  // all 11 items read and valid
};

// `bytes` is the file's content, or nothing when it could not be opened.
GainFileLoad LoadGainFile(const std::optional<std::string>& bytes);

std::string SaveGainFile(const std::array<std::string, 10>& fields, int check);

std::string DefaultGainFile();

}  // namespace korvane
