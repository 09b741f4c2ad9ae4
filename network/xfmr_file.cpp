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
    if (!load.ok) return load;
    if (const auto series = reader.next()) {
        load.series = SeriesFromName(*series).value_or(kDefaultSeries);
        if (const auto tolerance = reader.next()) {
            load.tolerance = ToleranceFromText(*tolerance).value_or(kDefaultTolerance);
        }
    }
    return load;
}

std::string SaveXfmrFile(const std::string& txtAr, const std::string& txtRtMin,
                         const std::string& txtRtMax, int check2, Series series,
                         Tolerance tolerance) {
    // The check box value in the numeric print form: sign position, the
    // number, and a space after it.
    std::vector<std::string> lines = {txtAr, txtRtMin, txtRtMax, NumberText(check2) + " "};
    if (series != kDefaultSeries || tolerance != kDefaultTolerance) {
        lines.emplace_back(SeriesName(series));
        lines.emplace_back(ToleranceText(tolerance));
    }
    return WriteLines(lines);
}

std::string DefaultXfmrFile() {
    return WriteLines({"393.4e-3", "550", "1200", "1"});
}

}  // namespace korvane
