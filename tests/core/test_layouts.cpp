// The window and panel layouts in twips, and their conversion to pixels.

#include <gtest/gtest.h>

#include "app/home_layout.h"
#include "feedback/feedback_layout.h"
#include "layout/twips.h"
#include "network/network_layout.h"
#include "rcstage/rc_layout.h"

namespace korvane {
namespace {

void ExpectRect(const TwipsRect& r, double left, double top, double width, double height) {
    EXPECT_NEAR(r.left, left, 1e-9);
    EXPECT_NEAR(r.top, top, 1e-9);
    EXPECT_NEAR(r.width, width, 1e-9);
    EXPECT_NEAR(r.height, height, 1e-9);
}

struct WindowCase {
    double wmax, hmax;
    TwipsRect window;
};

TEST(MainWindowRect, CentredAndClamped) {
    const WindowCase cases[] = {
        {15360, 10710, {2880, 2790, 9600, 5130}},  // larger than the clamps
        {9000, 6000, {900, 1200, 7200, 3600}},     // smaller than the clamps
        {12000, 8550, {1200, 1710, 9600, 5130}},   // exactly at the clamps
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.wmax << " x " << c.hmax);
        const TwipsRect& w = c.window;
        ExpectRect(MainWindowRect(c.wmax, c.hmax), w.left, w.top, w.width, w.height);
    }
}

TEST(HomeLayout, ButtonsAndIntroduction) {
    // W 9600, H 5130: a = 513, b = 2400, c = 3181 (3180.6), d = 9024.
    const HomeLayout home = HomeLayoutFor(9600, 5130);
    ExpectRect(home.endP, 3600, 0.85 * 5130, 2400, 513);
    ExpectRect(home.select1[0], 720, 0.7 * 5130, 2400, 513);
    ExpectRect(home.select1[1], 3600, 0.7 * 5130, 2400, 513);
    ExpectRect(home.select1[2], 6480, 0.7 * 5130, 2400, 513);
    ExpectRect(home.text1, 288, 0.03 * 5130, 9024, 3181);
}

TEST(HomeLayout, SizesRoundHalvesToEven) {
    // 0.1 x 5125 = 512.5 -> 512; 0.25 x 9010 = 2252.5 -> 2252.
    const HomeLayout home = HomeLayoutFor(9010, 5125);
    EXPECT_EQ(home.endP.height, 512);
    EXPECT_EQ(home.endP.width, 2252);
    EXPECT_EQ(home.endP.left, (9010 - 2252) / 2.0);
    EXPECT_EQ(WholeTwips(2.5), 2);
    EXPECT_EQ(WholeTwips(3.5), 4);
}

TEST(PanelLayouts, NineThousandBySixThousand) {
    const NetworkPanelLayout net = NetworkPanelLayoutFor(9000, 6000);
    ExpectRect(net.lstOutput, 180, 2640, 8640, 3300);
    ExpectRect(net.text16, 180, 2220, 8640, 300);
    ExpectRect(net.rows[0].field, 6480, 300, 1350, 480);
    ExpectRect(net.rows[2].label, 1080, 1560, 5310, 480);  // (0.1 SH) x 2 + 0.06 SH

    const RcPanelLayout rc = RcPanelLayoutFor(9000, 6000);
    ExpectRect(rc.rows[9].field, 5580, 0.08 * 6000 * 9 + 0.05 * 6000, 2250, 480);
    ExpectRect(rc.rows[9].label, 180, 0.08 * 6000 * 9 + 0.06 * 6000, 5310, 480);
    ExpectRect(rc.check1, 4680, 5220, 4230, 600);
    ExpectRect(rc.fromTube, 180, 300, 2160, 480);  // level with field 0

    const FeedbackPanelLayout fb = FeedbackPanelLayoutFor(9000, 6000);
    ExpectRect(fb.frame4, 180, 3000, 3060, 1620);
    ExpectRect(fb.frame5, 180, 4620, 3060, 1200);
    // Options inside Frame5 of 3060 x 1200 and Frame4 of 3060 x 1620.
    ExpectRect(ModeOptionsLayout(3060, 1200)[1], 183.6, 708, 2754, 300);
    ExpectRect(GridDriveOptionsLayout(3060, 1620)[2], 183.6, 1020.6, 2754, 453.6);
}

TEST(UncoveredPart, TheCaptionRightOfWhatStandsOverIt) {
    const TwipsRect box{10, 0, 50, 10};
    const struct {
        const char* name;
        std::initializer_list<TwipsRect> covers;
        double left, width;
    } cases[] = {
        {"nothing over it", {}, 10, 50},
        {"a button over its left part", {{0, 5, 20, 10}}, 20, 40},
        {"the rightmost of two", {{0, 5, 20, 10}, {0, -5, 35, 6}}, 35, 25},
        {"above it, touching", {{0, -10, 40, 10}}, 10, 50},
        {"beside it, touching", {{60, 0, 10, 10}}, 10, 50},
        {"over all of it", {{0, 0, 100, 10}}, 60, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectRect(UncoveredPart(box, c.covers), c.left, 0, c.width, 10);
    }
    // The global feedback panel: the grid-drive frame covers row 5's
    // caption up to 0.36 of the width, the buttons row 1's up to 0.22.
    const FeedbackPanelLayout fb = FeedbackPanelLayoutFor(1, 1);
    const auto room = [&](int i) {
        return UncoveredPart(fb.rows[static_cast<std::size_t>(i)].label,
                             {fb.calculate3, fb.close3, fb.frame4, fb.frame5});
    };
    EXPECT_NEAR(room(1).width, 0.61 - 0.22, 1e-12);
    EXPECT_NEAR(room(3).width, 0.59, 1e-12);
    EXPECT_NEAR(room(5).width, 0.61 - 0.36, 1e-12);
    // The RC stage panel: "From Tube Model..." covers the tube number's
    // caption up to 0.26 of the width, and no other row's.
    const RcPanelLayout rc = RcPanelLayoutFor(1, 1);
    EXPECT_NEAR(UncoveredPart(rc.rows[0].label, {rc.fromTube}).width, 0.61 - 0.26, 1e-12);
    EXPECT_NEAR(UncoveredPart(rc.rows[1].label, {rc.fromTube}).width, 0.59, 1e-12);
}

TEST(Pixels, EdgesRoundSoNeighboursTouch) {
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(TwipsToPixels(1440, 192), 192);
    EXPECT_DOUBLE_EQ(PixelsToTwips(640, 96), 9600);
    // 0..1000 and 1000..2000 twips at 96 dpi: 66.67 px is the shared edge.
    const PixelRect a = ToPixels({0, 0, 1000, 1000}, 96);
    const PixelRect b = ToPixels({1000, 0, 1000, 1000}, 96);
    EXPECT_EQ(a.x + a.width, b.x);
    EXPECT_EQ((PixelRect{0, 0, 67, 67}), a);
    EXPECT_EQ((PixelRect{67, 0, 66, 67}), b);
}

}  // namespace
}  // namespace korvane
