#include "app/home_layout.h"

#include <algorithm>

#include "io/numeric.h"

namespace korvane {

TwipsRect MainWindowRect(double wmax, double hmax) {
    const double wc = std::min(wmax, 12000.0);
    const double hc = std::min(hmax, 8550.0);
    const double width = 0.8 * wc;
    const double height = 0.6 * hc;
    return TwipsRect{(wmax - width) / 2, (hmax - height) / 2, width, height};
}

HomeLayout HomeLayoutFor(double w, double h) {
    const double a = RoundHalfEven(0.1 * h);
    const double b = RoundHalfEven(0.25 * w);
    HomeLayout out;
    out.endP = TwipsRect{(w - b) / 2, 0.85 * h, b, a};
    for (int i = 0; i < 3; ++i) {
        out.select1[static_cast<std::size_t>(i)] =
            TwipsRect{0.3 * w * (i - 1) + (w - b) / 2, 0.7 * h, b, a};
    }
    const double c = RoundHalfEven(0.62 * h);
    const double d = RoundHalfEven(0.94 * w);
    out.text1 = TwipsRect{(w - d) / 2, 0.03 * h, d, c};
    return out;
}

}  // namespace korvane
