#pragma once
// Where the global feedback panel's controls stand, in twips: the ten rows
// of the shared grid, Calculate and Close at the left, the two option
// groups below them, and the option buttons inside their groups.

#include <array>

#include "layout/twips.h"

namespace korvane {

struct FeedbackPanelLayout {
    std::array<PanelRow, 10> rows;
    TwipsRect calculate3, close3, frame4, frame5;
};
// For a client area of sw x sh whole twips.
//   9000 x 6000: frame4 {180, 3000, 3060, 1620}, frame5 {180, 4620, 3060, 1200}
FeedbackPanelLayout FeedbackPanelLayoutFor(double sw, double sh);

// The option buttons inside their frames, from the frame's width and height
// as placed (whole twips), relative to the frame.
//   ModeOptionsLayout(3060, 1200)[1]      -> {183.6, 708, 2754, 300}
//   GridDriveOptionsLayout(3060, 1620)[2] -> {183.6, 1020.6, 2754, 453.6}
std::array<TwipsRect, 2> ModeOptionsLayout(double fw, double fh);       // Option1, Option2
std::array<TwipsRect, 3> GridDriveOptionsLayout(double fw, double fh);  // Option3..Option5

}  // namespace korvane
