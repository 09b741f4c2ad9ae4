#include "feedback/feedback_layout.h"

namespace korvane {

FeedbackPanelLayout FeedbackPanelLayoutFor(double sw, double sh) {
    FeedbackPanelLayout out;
    for (int i = 0; i < 10; ++i) out.rows[static_cast<std::size_t>(i)] = TenRowGridRow(sw, sh, i);
    out.calculate3 = TwipsRect{0.02 * sw, 0.05 * sh, 0.20 * sw, 0.10 * sh};
    out.close3 = TwipsRect{0.02 * sw, 0.20 * sh, 0.20 * sw, 0.10 * sh};
    out.frame4 = TwipsRect{0.02 * sw, 0.50 * sh, 0.34 * sw, 0.27 * sh};
    out.frame5 = TwipsRect{0.02 * sw, 0.77 * sh, 0.34 * sw, 0.20 * sh};
    return out;
}

std::array<TwipsRect, 2> ModeOptionsLayout(double fw, double fh) {
    return {TwipsRect{0.06 * fw, 0.26 * fh, 0.90 * fw, 0.25 * fh},
            TwipsRect{0.06 * fw, 0.59 * fh, 0.90 * fw, 0.25 * fh}};
}

std::array<TwipsRect, 3> GridDriveOptionsLayout(double fw, double fh) {
    return {TwipsRect{0.06 * fw, 0.15 * fh, 0.90 * fw, 0.25 * fh},
            TwipsRect{0.06 * fw, 0.39 * fh, 0.90 * fw, 0.25 * fh},
            TwipsRect{0.06 * fw, 0.63 * fh, 0.90 * fw, 0.28 * fh}};
}

}  // namespace korvane
