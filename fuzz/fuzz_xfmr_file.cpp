// Korvane_Xfmr.dat: loading any bytes, and saving what was loaded.
//
// Input: the whole input is the file's content. The same input cut at every
// NUL byte also gives the three texts of a save (TxtAr, TxtRtMin, TxtRtMax;
// missing ones empty), with the first byte modulo 3 (0 for an empty input)
// as Check2's value, the second byte's as the series and tolerance.
//
// A load reads the first 3 items as the texts and the 4th as Check2's
// value, then the series and the tolerance when items 5 and 6 name one
// (the defaults otherwise). Saved texts read back as io/items.h promises
// (ReadBack), a value 0, 1 or 2, written in the numeric print form, reads
// back as itself, and so do the series and the tolerance.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "io/items.h"
#include "network/xfmr_file.h"

namespace korvane::fuzz {
namespace {

void CheckSavedLoadsBack(const std::vector<std::string>& texts, int check2, Series series,
                         Tolerance tolerance) {
    const std::string saved =
        SaveXfmrFile(texts[0], texts[1], texts[2], check2, series, tolerance);
    const XfmrFileLoad again = LoadXfmrFile(saved);
    KORVANE_REQUIRE(again.ok);
    KORVANE_REQUIRE(again.check2 == check2);
    KORVANE_REQUIRE(again.series == series);
    KORVANE_REQUIRE(again.tolerance == tolerance);
    RequireLoadedBack(texts, again.fields);
}

}  // namespace
}  // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    const std::string bytes(Bytes(data, size));

    const XfmrFileLoad load = LoadXfmrFile(bytes);
    const std::vector<std::string> items = ReadItems(bytes);
    RequireLeadingItems(load.fields, items, 3);
    if (items.size() >= 4) {
        KORVANE_REQUIRE(load.check2 == CheckBoxValue(items[3]));
    } else {
        KORVANE_REQUIRE(!load.check2);
    }
    KORVANE_REQUIRE(load.ok == load.check2.has_value());
    if (load.ok) {
        const Series series =
            items.size() >= 5 ? SeriesFromName(items[4]).value_or(kDefaultSeries) : kDefaultSeries;
        const Tolerance tolerance = items.size() >= 6
                                        ? ToleranceFromText(items[5]).value_or(kDefaultTolerance)
                                        : kDefaultTolerance;
        KORVANE_REQUIRE(load.series == series);
        KORVANE_REQUIRE(load.tolerance == tolerance);
        CheckSavedLoadsBack(load.fields, *load.check2, load.series, load.tolerance);
    }

    const std::vector<std::string> parts = SplitAtNul(bytes);
    const int choice = size > 1 ? data[1] : 0;
    CheckSavedLoadsBack({Part(parts, 0), Part(parts, 1), Part(parts, 2)}, size > 0 ? data[0] % 3 : 0,
                        SeriesAt(static_cast<std::size_t>(choice) % kSeriesCount),
                        ToleranceAt(static_cast<std::size_t>(choice / 8) % kToleranceCount));
    return 0;
}
