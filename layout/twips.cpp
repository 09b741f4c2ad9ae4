#include "layout/twips.h"

#include <algorithm>
#include <cmath>

#include "io/numeric.h"

namespace korvane {

double WholeTwips(double twips) { return RoundHalfEven(twips); }

PanelRow TenRowGridRow(double sw, double sh, int i) {
    const double step = 0.08 * sh * i;
    return PanelRow{
        TwipsRect{0.02 * sw, step + 0.06 * sh, 0.59 * sw, 0.08 * sh},
        TwipsRect{0.62 * sw, step + 0.05 * sh, 0.25 * sw, 0.08 * sh},
        TwipsRect{0.89 * sw, step + 0.06 * sh, 0.10 * sw, 0.08 * sh},
    };
}

TwipsRect UncoveredPart(const TwipsRect& box, std::initializer_list<TwipsRect> covers) {
    // Edges that meet only up to rounding (0.2 + 0.1 against 0.3) touch.
    const auto overlap = [](double a0, double a1, double b0, double b1) {
        const double slack = 1e-9 * (std::fabs(a1) + std::fabs(b1) + 1);
        return std::min(a1, b1) - std::max(a0, b0) > slack;
    };
    const double right = box.left + box.width;
    double left = box.left;
    for (const TwipsRect& c : covers) {
        if (overlap(box.left, right, c.left, c.left + c.width) &&
            overlap(box.top, box.top + box.height, c.top, c.top + c.height)) {
            left = std::max(left, std::min(right, c.left + c.width));
        }
    }
    return TwipsRect{left, box.top, right - left, box.height};
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
