// Korvane_Gain.dat: loading any bytes, and saving what was loaded.
//
// Input: the whole input is the file's content. The same input cut at every
// NUL byte also gives the ten field texts of a save (missing ones empty),
// with the first byte modulo 3 (0 for an empty input) as its check box
// state.
//
// A load reads the first 10 items as the fields and the 11th as the check
// box state. Saved texts read back as io/items.h promises (ReadBack), and a
// state 0, 1 or 2 reads back as itself.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "io/items.h"
#include "rcstage/gain_file.h"

namespace korvane::fuzz {
namespace {

void CheckSavedLoadsBack(const std::array<std::string, 10>& fields, int check) {
    const std::string saved = SaveGainFile(fields, check);
    const GainFileLoad again = LoadGainFile(saved);
    KORVANE_REQUIRE(again.ok);
    KORVANE_REQUIRE(again.check == check);
    RequireLoadedBack(fields, again.fields);
}

}  // namespace
}  // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    const std::string bytes(Bytes(data, size));

    const GainFileLoad load = LoadGainFile(bytes);
    const std::vector<std::string> items = ReadItems(bytes);
    RequireLeadingItems(load.fields, items, 10);
    if (items.size() >= 11) {
        KORVANE_REQUIRE(load.check == CheckBoxValue(items[10]));
    } else {
        KORVANE_REQUIRE(!load.check);
    }
    KORVANE_REQUIRE(load.ok == load.check.has_value());
    if (load.ok) {
        std::array<std::string, 10> fields;
        for (std::size_t i = 0; i < 10; ++i) fields[i] = load.fields[i];
        CheckSavedLoadsBack(fields, *load.check);
    }

    const std::vector<std::string> parts = SplitAtNul(bytes);
    std::array<std::string, 10> fields;
    for (std::size_t i = 0; i < 10; ++i) fields[i] = Part(parts, i);
    CheckSavedLoadsBack(fields, size > 0 ? data[0] % 3 : 0);

    return 0;
}
