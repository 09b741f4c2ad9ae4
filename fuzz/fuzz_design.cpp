// Designs: reading any text, and writing any three inputs files.
//
// Input: the whole input is a design's text. The same input cut at every
// NUL byte also gives three texts: taken as the three inputs files' bytes
// (Korvane_Gain.dat, Korvane_Feedback.dat, Korvane_Xfmr.dat; missing ones
// empty), and as the first field of each of the three files as its panel
// saves them (the other fields their defaults).
//
// A text read is either refused, with a reason in plain ASCII and no files,
// or gives three files that their panels load, that are written and read
// back as the same bytes, and whose sheet shows each calculator's results
// or the one line on why not. Any three files are written and read back as
// the same bytes when their panels load them, and refused as not loading
// otherwise.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "design/design_file.h"
#include "design/design_sheet.h"
#include "feedback/feedback_file.h"
#include "fuzz/fuzz_support.h"
#include "network/xfmr_file.h"
#include "rcstage/gain_file.h"

namespace korvane::fuzz {
namespace {

bool AllLoad(const DesignFiles& files) {
    return LoadGainFile(files.gain).ok && LoadFeedbackFile(files.feedback).ok &&
           LoadXfmrFile(files.xfmr).ok;
}

void RequireSameFiles(const DesignFiles& a, const DesignFiles& b) {
    KORVANE_REQUIRE_SHOW(a.gain == b.gain, Shown(a.gain) + " came back as " + Shown(b.gain));
    KORVANE_REQUIRE_SHOW(a.feedback == b.feedback,
                         Shown(a.feedback) + " came back as " + Shown(b.feedback));
    KORVANE_REQUIRE_SHOW(a.xfmr == b.xfmr, Shown(a.xfmr) + " came back as " + Shown(b.xfmr));
}

void RequireSection(const SheetSection& section) {
    const bool shown = !section.results.empty() || !section.listLines.empty();
    KORVANE_REQUIRE(section.notCalculated.has_value() != shown);
    KORVANE_REQUIRE(section.listLines.empty() || !section.listHeading.empty());
}

// Written, then read: the same files, or refused as not loading.
void CheckWrittenReadsBack(const DesignFiles& files) {
    const std::string text = WriteDesign(files);
    const DesignRead read = ReadDesign(text);
    if (AllLoad(files)) {
        KORVANE_REQUIRE_SHOW(read.files.has_value(), read.why);
        RequireSameFiles(files, *read.files);
    } else {
        KORVANE_REQUIRE(!read.files.has_value());
        KORVANE_REQUIRE_SHOW(read.fault == DesignFault::DoesNotLoad, read.why);
    }
}

}  // namespace
}  // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    const std::string_view bytes = Bytes(data, size);

    const DesignRead read = ReadDesign(bytes);
    if (read.files) {
        KORVANE_REQUIRE(read.fault == DesignFault::None && read.why.empty());
        KORVANE_REQUIRE(AllLoad(*read.files));
        const DesignRead again = ReadDesign(WriteDesign(*read.files));
        KORVANE_REQUIRE_SHOW(again.files.has_value(), again.why);
        RequireSameFiles(*read.files, *again.files);
        const DesignSheet sheet = MakeDesignSheet(*read.files, "name", "date", "version");
        RequireSection(sheet.rcStage);
        RequireSection(sheet.feedback);
        RequireSection(sheet.network);
    } else {
        KORVANE_REQUIRE(read.fault != DesignFault::None && !read.why.empty());
        for (const char ch : read.why) KORVANE_REQUIRE_SHOW(ch >= 0x20 && ch < 0x7F, read.why);
    }

    const std::vector<std::string> parts = SplitAtNul(bytes);
    CheckWrittenReadsBack({Part(parts, 0), Part(parts, 1), Part(parts, 2)});
    CheckWrittenReadsBack(
        {SaveGainFile({Part(parts, 0), "80000", "100e3", "470e3", "1800", "57", "100e3", "470e3",
                       "10", ""},
                      0),
         SaveFeedbackFile({Part(parts, 1), "26.5", "8", "22.5", "22.5", "25", "", "20", "", ""},
                          {true, false, false, true, false}, false),
         SaveXfmrFile(Part(parts, 2), "550", "1200", 1)});
    return 0;
}
