#pragma once
// Positions and sizes of the main window and its panels, in twips
// (1/1440 inch). Every rectangle is computed from the client width and
// height as the window reads them (whole twips); the products are formed in
// double precision and not rounded. No toolkit here: the window converts
// the results to pixels through the screen's logical resolution.

#include <array>

namespace korvane {

inline constexpr double kTwipsPerInch = 1440.0;

struct TwipsRect {
    double left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// A size read from the window, rounded to whole twips (halves to even).
double WholeTwips(double twips);

// Start-up: the window's outer rectangle, in screen twips, from the room a
// maximised window's client area would have. The window is centred in that
// room, 80 % as wide and 60 % as high, never above 9600 x 5130 twips.
TwipsRect MainWindowRect(double wmax, double hmax);

// The home state for a client area of w x h twips.
struct HomeLayout {
    TwipsRect endP;
    std::array<TwipsRect, 3> select1;  // by index: 0 left, 1 centre, 2 right
    TwipsRect text1;
};
HomeLayout HomeLayoutFor(double w, double h);

// One row of a panel: caption box, input box, unit box.
struct PanelRow {
    TwipsRect label, field, unit;
};

struct RcPanelLayout {
    std::array<PanelRow, 10> rows;
    TwipsRect calculate1, close1, check1;
};
RcPanelLayout RcPanelLayoutFor(double sw, double sh);

struct FeedbackPanelLayout {
    std::array<PanelRow, 10> rows;
    TwipsRect calculate3, close3, frame4, frame5;
};
FeedbackPanelLayout FeedbackPanelLayoutFor(double sw, double sh);

// The option buttons inside their frames, from the frame's width and height
// as placed (whole twips), relative to the frame.
std::array<TwipsRect, 2> ModeOptionsLayout(double fw, double fh);       // Option1, Option2
std::array<TwipsRect, 3> GridDriveOptionsLayout(double fw, double fh);  // Option3..Option5

struct NetworkPanelLayout {
    std::array<PanelRow, 3> rows;  // feedback factor, minimum, maximum total resistance
    TwipsRect cmdCalc, close2, check2, text16, lstOutput;
};
NetworkPanelLayout NetworkPanelLayoutFor(double sw, double sh);

// Conversions at a screen's logical resolution (dots per inch).
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
// Each edge is rounded to the nearest pixel, so neighbouring rectangles
// that touch in twips touch in pixels too.
PixelRect ToPixels(const TwipsRect& r, double dpi);
int TwipsToPixels(double twips, double dpi);
double PixelsToTwips(int pixels, double dpi);

}  // namespace korvane
