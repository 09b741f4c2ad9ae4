#include "rcstage/rc_layout.h"

namespace korvane {

RcPanelLayout RcPanelLayoutFor(double sw, double sh) {
    RcPanelLayout out;
    for (int i = 0; i < 10; ++i) out.rows[static_cast<std::size_t>(i)] = TenRowGridRow(sw, sh, i);
    out.calculate1 = TwipsRect{0.05 * sw, 0.87 * sh, 0.20 * sw, 0.10 * sh};
    out.close1 = TwipsRect{0.30 * sw, 0.87 * sh, 0.20 * sw, 0.10 * sh};
    out.check1 = TwipsRect{0.52 * sw, 0.87 * sh, 0.47 * sw, 0.10 * sh};
    out.fromTube = TwipsRect{0.02 * sw, 0.05 * sh, 0.24 * sw, 0.08 * sh};
    return out;
}

}  // namespace korvane
