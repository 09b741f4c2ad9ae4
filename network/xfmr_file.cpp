#include "network/xfmr_file.h"

#include "io/items.h"
#include "io/numeric.h"

namespace korvane {

XfmrFileLoad LoadXfmrFile(const std::optional<std::string>& bytes) {
    XfmrFileLoad load;
    if (!bytes) return load;
    ItemReader reader(*bytes);
    if (!reader.readTexts(3, load.fields)) return load;
    const auto item = reader.next();
    if (!item) return load;
    load.check2 = CheckBoxValue(*item);
    load.ok = load.check2.has_value();
    return load;
}

std::string SaveXfmrFile(const std::string& txtAr, const std::string& txtRtMin,
                         const std::string& txtRtMax, int check2) {
    // The check box value in the numeric print form: sign position, the
    // number, and a space after it.
    return WriteLines({txtAr, txtRtMin, txtRtMax, NumberText(check2) + " "});
}

std::string DefaultXfmrFile() {
    return WriteLines({"393.4e-3", "550", "1200", "1"});
}

}  // namespace korvane
