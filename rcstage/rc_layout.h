#pragma once
// Where the RC stage panel's controls stand, in twips, for a client area of
// sw x sh whole twips: the ten rows of the shared grid, and Calculate, Close
// and the check box in one row along the bottom. "From Tube Model..." stands
// in the first row, over the left part of the tube number's caption.

#include <array>

#include "layout/twips.h"

namespace korvane {

struct RcPanelLayout {
    std::array<PanelRow, 10> rows;
    TwipsRect calculate1, close1, check1;
    TwipsRect fromTube;
};
//   9000 x 6000: check1 {4680, 5220, 4230, 600}, fromTube {180, 300, 2160, 480}
RcPanelLayout RcPanelLayoutFor(double sw, double sh);

}  // namespace korvane
