// The tube library's CSV: any bytes as a user's tubes file.
//
// Reading never throws and reports each line at most once, with a line
// number inside the text; every tube it gives passes CheckModel and has a
// name; written out and read again, the tubes come back equal with no
// problem; the filter's indices are in range and in order.

#include <cstdint>
#include <set>
#include <string>

#include "fuzz/fuzz_support.h"
#include "tube/tube_library.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    const std::string_view text = Bytes(data, size);
    const TubeTable table = ReadTubeTable(text);

    int lines = 1;
    for (const char c : text) lines += c == '\n' || c == '\r' ? 1 : 0;
    std::set<int> seen;
    for (const TableProblem& p : table.problems) {
        KORVANE_REQUIRE(p.line >= 1 && p.line <= lines);
        KORVANE_REQUIRE_SHOW(seen.insert(p.line).second, "line " + std::to_string(p.line) + " twice");
        KORVANE_REQUIRE(!p.why.empty());
    }
    for (const Tube& t : table.tubes) {
        KORVANE_REQUIRE(!t.name.empty() && !t.group.empty());
        KORVANE_REQUIRE_SHOW(CheckModel(t.model).empty(), Shown(t.name));
    }

    const std::string written = WriteTubeTable(table.tubes);
    const TubeTable back = ReadTubeTable(written);
    KORVANE_REQUIRE_SHOW(back.problems.empty(), Shown(back.problems.front().why));
    KORVANE_REQUIRE_SHOW(back.tubes == table.tubes, Shown(written.substr(0, 400)));

    const std::string typed(text.substr(0, std::min<std::size_t>(text.size(), 8)));
    std::size_t last = 0;
    bool first = true;
    for (const std::size_t i : FilterTubes(table.tubes, typed)) {
        KORVANE_REQUIRE(i < table.tubes.size() && (first || i > last));
        last = i;
        first = false;
    }
    return 0;
}
