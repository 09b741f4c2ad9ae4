// Korvane_Feedback.dat: loading any bytes, saving what was loaded, and
// setting the option states read onto the panel's.
//
// Input: the whole input is the file's content. The same input cut at every
// NUL byte also gives the ten field texts of a save (missing ones empty);
// the bits of the first byte (0 for an empty input) give the Booleans of
// that save, Option1 to Option5 from bit 0 up and AB2 from bit 5, and the
// option states before the ones read are set (Option1-2 from bit 6, Option3-5
// from the first byte modulo 3).
//
// A load reads the first 10 items as the fields, the next 5 as the options
// and the 16th as AB2, each a Boolean (io/items.h ToBoolean). Saved texts
// read back as io/items.h promises (ReadBack), Booleans as themselves.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "feedback/feedback_file.h"
#include "fuzz/fuzz_support.h"
#include "io/items.h"

namespace korvane::fuzz {
namespace {

void CheckSavedLoadsBack(const std::array<std::string, 10>& fields,
                         const std::array<bool, 5>& options, bool ab2) {
    const std::string saved = SaveFeedbackFile(fields, options, ab2);
    const FeedbackFileLoad again = LoadFeedbackFile(saved);
    KORVANE_REQUIRE(again.ok);
    KORVANE_REQUIRE(again.ab2 == ab2);
    KORVANE_REQUIRE(again.options == std::vector<bool>(options.begin(), options.end()));
    RequireLoadedBack(fields, again.fields);
}

std::size_t GroupOf(std::size_t option) { return option < 2 ? 0 : 1; }

// Setting the states read, one by one: a True selects its option and
// clears the others of its group, a False clears its own option only.
// So when each group had at most one option selected before, it has at most
// one after; an option read False ends clear; the last option read True in
// a group ends selected; and a group with no option read True keeps the
// states of the options not read.
void CheckOptionsApplied(const std::array<bool, 5>& before, const std::vector<bool>& read) {
    const std::array<bool, 5> after = ApplyOptionsRead(before, read);
    const std::size_t n = std::min<std::size_t>(read.size(), 5);
    for (std::size_t group = 0; group < 2; ++group) {
        std::size_t selectedBefore = 0, selectedAfter = 0;
        std::optional<std::size_t> lastTrue;
        for (std::size_t i = 0; i < 5; ++i) {
            if (GroupOf(i) != group) continue;
            selectedBefore += before[i] ? 1 : 0;
            selectedAfter += after[i] ? 1 : 0;
            if (i < n && read[i]) lastTrue = i;
        }
        if (selectedBefore <= 1) KORVANE_REQUIRE(selectedAfter <= 1);
        if (lastTrue) KORVANE_REQUIRE(after[*lastTrue]);
        for (std::size_t i = 0; i < 5; ++i) {
            if (GroupOf(i) != group) continue;
            if (i < n && !read[i]) KORVANE_REQUIRE(!after[i]);
            if (!lastTrue && i >= n) KORVANE_REQUIRE(after[i] == before[i]);
        }
    }
}

}  // namespace
}  // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    const std::string bytes(Bytes(data, size));
    const unsigned flags = size > 0 ? data[0] : 0u;

    const FeedbackFileLoad load = LoadFeedbackFile(bytes);
    const std::vector<std::string> items = ReadItems(bytes);
    RequireLeadingItems(load.fields, items, 10);
    // The options are the Booleans read in a row from item 11 on, up to 5,
    // stopping at the first item that is none; AB2 the 16th item's.
    std::vector<bool> options;
    for (std::size_t i = 10; i < std::min<std::size_t>(15, items.size()); ++i) {
        const std::optional<bool> b = ToBoolean(items[i]);
        if (!b) break;
        options.push_back(*b);
    }
    KORVANE_REQUIRE(load.options == options);
    if (options.size() == 5 && items.size() >= 16) {
        KORVANE_REQUIRE(load.ab2 == ToBoolean(items[15]));
    } else {
        KORVANE_REQUIRE(!load.ab2);
    }
    KORVANE_REQUIRE(load.ok == load.ab2.has_value());

    if (load.ok) {
        std::array<std::string, 10> fields;
        std::array<bool, 5> selected{};
        for (std::size_t i = 0; i < 10; ++i) fields[i] = load.fields[i];
        for (std::size_t i = 0; i < 5; ++i) selected[i] = load.options[i];
        CheckSavedLoadsBack(fields, selected, *load.ab2);
    }

    std::array<bool, 5> before{};
    before[(flags & 0x40u) ? 1 : 0] = true;
    before[2 + flags % 3u] = true;
    CheckOptionsApplied(before, load.options);

    const std::vector<std::string> parts = SplitAtNul(bytes);
    std::array<std::string, 10> fields;
    std::array<bool, 5> selected{};
    for (std::size_t i = 0; i < 10; ++i) fields[i] = Part(parts, i);
    for (std::size_t i = 0; i < 5; ++i) selected[i] = (flags >> i) & 1u;
    CheckSavedLoadsBack(fields, selected, (flags >> 5) & 1u);
    return 0;
}
