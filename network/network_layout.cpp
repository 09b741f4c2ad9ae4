#include "network/network_layout.h"

namespace korvane {

NetworkPanelLayout NetworkPanelLayoutFor(double sw, double sh) {
    NetworkPanelLayout out;
    // Rows 1 and 2 stand 0.1 SH and (0.1 SH) x 2 lower than row 0.
    const std::array<double, 3> down{0.0, 0.1 * sh, (0.1 * sh) * 2};
    for (std::size_t r = 0; r < 3; ++r) {
        out.rows[r] = PanelRow{
            TwipsRect{sw * 0.12, down[r] + 0.06 * sh, sw * 0.59, sh * 0.08},
            TwipsRect{sw * 0.72, down[r] + 0.05 * sh, sw * 0.15, sh * 0.08},
            TwipsRect{sw * 0.89, down[r] + 0.06 * sh, sw * 0.1, sh * 0.08},
        };
    }
    out.cmdCalc = TwipsRect{sw * 0.02, sh * 0.04, sw * 0.2, sh * 0.08};
    out.close2 = TwipsRect{sw * 0.02, sh * 0.14, sw * 0.2, sh * 0.08};
    out.check2 = TwipsRect{sw * 0.02, sh * 0.24, sw * 0.375, sh * 0.1};
    out.text16 = TwipsRect{sw * 0.02, sh * 0.37, sw * 0.96, sh * 0.05};
    out.lstOutput = TwipsRect{sw * 0.02, sh * 0.44, sw * 0.96, sh * 0.55};
    out.series = TwipsRect{sw * 0.24, sh * 0.06, sw * 0.2, sh * 0.08};
    out.tolerance = TwipsRect{sw * 0.24, 0.1 * sh + 0.06 * sh, sw * 0.2, sh * 0.08};
    return out;
}

}  // namespace korvane
