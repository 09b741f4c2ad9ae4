#pragma once
// Positions and sizes in twips (1/1440 inch), the unit every layout of the
// program is computed in, and their conversion to pixels. A layout works
// from the client width and height as the window reads them (whole twips);
// its products are formed in double precision and not rounded. No toolkit
// here: the window converts the results through the screen's logical
// resolution.

#include <initializer_list>

namespace korvane {

inline constexpr double kTwipsPerInch = 1440.0;

struct TwipsRect {
    double left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// A size read from the window, rounded to whole twips (halves to even).
//   2.5 -> 2   3.5 -> 4   512.5 -> 512
double WholeTwips(double twips);

// One row of a panel: caption box, input box, unit box.
struct PanelRow {
    TwipsRect label, field, unit;
};

// Row i of the ten-row grid the RC stage and global feedback panels share,
// for a client area of sw x sh twips: rows 0.08 SH apart, the caption from
// 0.02 SW, the input box from 0.62 SW standing 0.01 SH higher than its
// caption and unit, the unit from 0.89 SW.
PanelRow TenRowGridRow(double sw, double sh, int i);

// The part of `box` that none of `covers` hides, for covers that stand over
// its left part (a panel's buttons and frames over its right-aligned
// captions): its left edge moves to the rightmost right edge among the
// covers that overlap it, up to its own right edge. Covers that only touch
// it hide nothing.
//   box {10, 0, 50, 10}, covers {{0, 5, 20, 10}} -> {20, 0, 40, 10}
TwipsRect UncoveredPart(const TwipsRect& box, std::initializer_list<TwipsRect> covers);

// Conversions at a screen's logical resolution (dots per inch).
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
// Each edge is rounded to the nearest pixel, so neighbouring rectangles
// that touch in twips touch in pixels too.
//   {0, 0, 1000, 1000} at 96 dpi -> {0, 0, 67, 67}
//   {1000, 0, 1000, 1000}        -> {67, 0, 66, 67}
PixelRect ToPixels(const TwipsRect& r, double dpi);
int TwipsToPixels(double twips, double dpi);
double PixelsToTwips(int pixels, double dpi);

}  // namespace korvane
