#pragma once
// Where the feedback network panel's controls stand, in twips: Calculate,
// Close and the check box at the left, the three input rows to their right,
// and the heading and the result list across the lower half.

#include <array>

#include "layout/twips.h"

namespace korvane {

struct NetworkPanelLayout {
    std::array<PanelRow, 3> rows;  // feedback factor, minimum, maximum total resistance
    TwipsRect cmdCalc, close2, check2, text16, lstOutput;
    // The resistor series and the tolerance: to the right of Calculate and
    // Close, over the empty left part of the first two caption boxes.
    TwipsRect series, tolerance;
};
// For a client area of sw x sh whole twips.
//   9000 x 6000: lstOutput {180, 2640, 8640, 3300}, rows[0].field {6480, 300, 1350, 480}
NetworkPanelLayout NetworkPanelLayoutFor(double sw, double sh);

}  // namespace korvane
