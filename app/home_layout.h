#pragma once
// The main window's own geometry, in twips: its place on the screen at
// start-up, and the home controls for its client area.

#include <array>

#include "layout/twips.h"

namespace korvane {

// Start-up: the window's outer rectangle, in screen twips, from the room a
// maximised window's client area would have. The window is centred in that
// room, 80 % as wide and 60 % as high, never above 9600 x 5130 twips.
//   15360 x 10710 -> {2880, 2790, 9600, 5130}
//    9000 x  6000 -> {900, 1200, 7200, 3600}
TwipsRect MainWindowRect(double wmax, double hmax);

// The home state for a client area of w x h twips.
struct HomeLayout {
    TwipsRect endP;
    std::array<TwipsRect, 3> select1;  // by index: 0 left, 1 centre, 2 right
    TwipsRect text1;
};
//   9600 x 5130: endP {3600, 4360.5, 2400, 513}, select1[0] {720, 3591, 2400, 513}
HomeLayout HomeLayoutFor(double w, double h);

}  // namespace korvane
