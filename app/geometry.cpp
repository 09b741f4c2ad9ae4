#include "app/geometry.h"

#include <algorithm>
#include <cmath>

#include "io/numeric.h"

namespace korvane {

namespace {

TwipsRect Rect(double left, double top, double width, double height) {
    return TwipsRect{left, top, width, height};
}

// A panel row at fractions of the client area: the input box stands
// 0.01 SH higher than its caption and unit.
PanelRow GridRow(double sw, double sh, int i) {
    const double step = 0.08 * sh * i;
    return PanelRow{
        Rect(0.02 * sw, step + 0.06 * sh, 0.59 * sw, 0.08 * sh),
        Rect(0.62 * sw, step + 0.05 * sh, 0.25 * sw, 0.08 * sh),
        Rect(0.89 * sw, step + 0.06 * sh, 0.10 * sw, 0.08 * sh),
    };
}

}  // namespace

double WholeTwips(double twips) { return RoundHalfEven(twips); }

TwipsRect MainWindowRect(double wmax, double hmax) {
    const double wc = std::min(wmax, 12000.0);
    const double hc = std::min(hmax, 8550.0);
    const double width = 0.8 * wc;
    const double height = 0.6 * hc;
    return Rect((wmax - width) / 2, (hmax - height) / 2, width, height);
}

HomeLayout HomeLayoutFor(double w, double h) {
    const double a = RoundHalfEven(0.1 * h);
    const double b = RoundHalfEven(0.25 * w);
    HomeLayout out;
    out.endP = Rect((w - b) / 2, 0.85 * h, b, a);
    for (int i = 0; i < 3; ++i) {
        out.select1[static_cast<std::size_t>(i)] =
            Rect(0.3 * w * (i - 1) + (w - b) / 2, 0.7 * h, b, a);
    }
    const double c = RoundHalfEven(0.62 * h);
    const double d = RoundHalfEven(0.94 * w);
    out.text1 = Rect((w - d) / 2, 0.03 * h, d, c);
    return out;
}

RcPanelLayout RcPanelLayoutFor(double sw, double sh) {
    RcPanelLayout out;
    for (int i = 0; i < 10; ++i) out.rows[static_cast<std::size_t>(i)] = GridRow(sw, sh, i);
    out.calculate1 = Rect(0.05 * sw, 0.87 * sh, 0.20 * sw, 0.10 * sh);
    out.close1 = Rect(0.30 * sw, 0.87 * sh, 0.20 * sw, 0.10 * sh);
    out.check1 = Rect(0.52 * sw, 0.87 * sh, 0.47 * sw, 0.10 * sh);
    return out;
}

FeedbackPanelLayout FeedbackPanelLayoutFor(double sw, double sh) {
    FeedbackPanelLayout out;
    for (int i = 0; i < 10; ++i) out.rows[static_cast<std::size_t>(i)] = GridRow(sw, sh, i);
    out.calculate3 = Rect(0.02 * sw, 0.05 * sh, 0.20 * sw, 0.10 * sh);
    out.close3 = Rect(0.02 * sw, 0.20 * sh, 0.20 * sw, 0.10 * sh);
    out.frame4 = Rect(0.02 * sw, 0.50 * sh, 0.34 * sw, 0.27 * sh);
    out.frame5 = Rect(0.02 * sw, 0.77 * sh, 0.34 * sw, 0.20 * sh);
    return out;
}

std::array<TwipsRect, 2> ModeOptionsLayout(double fw, double fh) {
    return {Rect(0.06 * fw, 0.26 * fh, 0.90 * fw, 0.25 * fh),
            Rect(0.06 * fw, 0.59 * fh, 0.90 * fw, 0.25 * fh)};
}

std::array<TwipsRect, 3> GridDriveOptionsLayout(double fw, double fh) {
    return {Rect(0.06 * fw, 0.15 * fh, 0.90 * fw, 0.25 * fh),
            Rect(0.06 * fw, 0.39 * fh, 0.90 * fw, 0.25 * fh),
            Rect(0.06 * fw, 0.63 * fh, 0.90 * fw, 0.28 * fh)};
}

NetworkPanelLayout NetworkPanelLayoutFor(double sw, double sh) {
    NetworkPanelLayout out;
    // Rows 1 and 2 stand 0.1 SH and (0.1 SH) x 2 lower than row 0.
    const std::array<double, 3> down{0.0, 0.1 * sh, (0.1 * sh) * 2};
    for (std::size_t r = 0; r < 3; ++r) {
        out.rows[r] = PanelRow{
            Rect(sw * 0.12, down[r] + 0.06 * sh, sw * 0.59, sh * 0.08),
            Rect(sw * 0.72, down[r] + 0.05 * sh, sw * 0.15, sh * 0.08),
            Rect(sw * 0.89, down[r] + 0.06 * sh, sw * 0.1, sh * 0.08),
        };
    }
    out.cmdCalc = Rect(sw * 0.02, sh * 0.04, sw * 0.2, sh * 0.08);
    out.close2 = Rect(sw * 0.02, sh * 0.14, sw * 0.2, sh * 0.08);
    out.check2 = Rect(sw * 0.02, sh * 0.24, sw * 0.375, sh * 0.1);
    out.text16 = Rect(sw * 0.02, sh * 0.37, sw * 0.96, sh * 0.05);
    out.lstOutput = Rect(sw * 0.02, sh * 0.44, sw * 0.96, sh * 0.55);
    return out;
}

int TwipsToPixels(double twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

double PixelsToTwips(int pixels, double dpi) { return pixels * kTwipsPerInch / dpi; }

PixelRect ToPixels(const TwipsRect& r, double dpi) {
    const int x0 = TwipsToPixels(r.left, dpi);
    const int y0 = TwipsToPixels(r.top, dpi);
    const int x1 = TwipsToPixels(r.left + r.width, dpi);
    const int y1 = TwipsToPixels(r.top + r.height, dpi);
    return PixelRect{x0, y0, x1 - x0, y1 - y0};
}

}  // namespace korvane
