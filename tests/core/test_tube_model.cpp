// The triode model: the check points of data/tubes/README.md, the slopes
// against differences of the current, the model's edges and the parameter
// faults.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tube/triode.h"
#include "tube/tube_library.h"
#include "tube_support.h"

namespace korvane {
namespace {

using testing::Named;
using testing::SelfBias;

// The "model" columns of the check-point table: exact model values rounded
// to the digits shown, so they hold to well within 0.5 %.
TEST(PlateCurrent, CheckPointsOfTheTable) {
    struct Row {
        const char* name;
        double va, vg, iaMilli, rp, gmMilli, mu;
    };
    const Row rows[] = {
        {"12AX7 (Koren 1996)", 250, -2.0, 0.952, 53688, 1.670, 89.66},
        {"12AX7 (Koren _OLD set)", 250, -2.0, 0.840, 50822, 1.830, 93.00},
        {"12AX7A (RCA fit)", 250, -2.0, 1.210, 59704, 1.681, 100.34},
        {"12AX7A (Sylvania fit)", 250, -2.0, 1.201, 62815, 1.474, 92.59},
        {"ECC83 (Mullard fit 2012)", 250, -2.0, 1.252, 59008, 1.638, 96.64},
        {"ECC83 (Mullard fit 2008)", 250, -2.0, 1.261, 57832, 1.659, 95.92},
        {"7025 (Sylvania fit)", 250, -2.0, 1.170, 60640, 1.651, 100.09},
        {"12BH7A (GE fit)", 250, -10.5, 9.837, 5842, 2.831, 16.54},
        {"6SN7GTB (Sylvania fit)", 250, -8.0, 9.130, 7163, 2.874, 20.59},
        {"6SN7 (Sylvania Technical Manual fit)", 250, -8.0, 8.899, 7405, 2.736, 20.26},
        {"300B (Koren 1996)", 300, -61.0, 58.379, 758, 5.162, 3.91},
        {"300B (Western Electric fit)", 300, -61.0, 59.299, 714, 5.447, 3.89},
        {"SV300B (Svetlana fit)", 300, -61.0, 77.043, 619, 6.322, 3.91},
        {"2A3 (Koren 1996)", 250, -45.0, 57.731, 785, 5.307, 4.17},
        {"2A3 (Tung-Sol fit)", 250, -45.0, 55.670, 765, 5.261, 4.03},
        {"2A3 (JJ fit)", 250, -45.0, 48.328, 865, 4.434, 3.84},
        {"12AT7 (Koren 1996)", 250, -2.415, 10.000, 8599, 6.481, 55.73},
        {"12AT7 (Tom Mitchell)", 250, -2.164, 10.000, 10488, 5.337, 55.98},
        {"12AT7WA (Mazda Belvu fit)", 250, -2.134, 10.000, 10535, 5.677, 59.80},
        {"ECC81 (Mullard fit)", 250, -1.996, 10.000, 11758, 5.282, 62.10},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const TriodeModel& m = Named(r.name).model;
        const PlateSlopes s = PlateCurrentSlopes(m, r.va, r.vg);
        EXPECT_NEAR(PlateCurrent(m, r.va, r.vg) * 1e3, r.iaMilli, r.iaMilli * 0.005);
        EXPECT_NEAR(s.ia * 1e3, r.iaMilli, r.iaMilli * 0.005);
        EXPECT_NEAR(1 / s.dIaDVa, r.rp, r.rp * 0.005);
        EXPECT_NEAR(s.dIaDVg * 1e3, r.gmMilli, r.gmMilli * 0.005);
        EXPECT_NEAR(s.dIaDVg / s.dIaDVa, r.mu, r.mu * 0.005);
    }
}

// The slopes are derivatives written out by hand: every built-in row, over
// the plate and grid voltages a stage uses, against central differences.
TEST(PlateCurrentSlopes, MatchDifferencesOfTheCurrent) {
    for (const Tube& t : BuiltInTubes()) {
        const TriodeModel& m = t.model;
        for (const double va : {20.0, 90.0, 250.0, 400.0}) {
            // From the grid at 0 V down to where the current is a few
            // hundredths of a milliampere.
            const double cut = va / m.mu;
            for (const double share : {0.0, 0.25, 0.5, 0.75}) {
                const double vg = -share * cut;
                SCOPED_TRACE(t.name + " Va " + std::to_string(va) + " Vg " + std::to_string(vg));
                const double hv = va * 1e-6, hg = cut * 1e-6;
                const double ia = PlateCurrent(m, va, vg);
                if (ia < 1e-5) continue;
                const PlateSlopes s = PlateCurrentSlopes(m, va, vg);
                const double dva =
                    (PlateCurrent(m, va + hv, vg) - PlateCurrent(m, va - hv, vg)) / (2 * hv);
                const double dvg =
                    (PlateCurrent(m, va, vg + hg) - PlateCurrent(m, va, vg - hg)) / (2 * hg);
                EXPECT_DOUBLE_EQ(s.ia, ia);
                EXPECT_NEAR(s.dIaDVa, dva, std::fabs(dva) * 1e-5);
                EXPECT_NEAR(s.dIaDVg, dvg, std::fabs(dvg) * 1e-5);
            }
        }
    }
}

TEST(PlateCurrent, Edges) {
    const TriodeModel sharp = Named("12AX7A (RCA fit)").model;  // KP 17950.75
    const TriodeModel noKvb = Named("12AX7 (Koren _OLD set)").model;
    // No current at or below 0 V on the plate, nor slopes; no 0/0 for KVB 0.
    for (const double va : {0.0, -1.0, -1e300}) {
        EXPECT_EQ(PlateCurrent(noKvb, va, -1), 0.0);
        EXPECT_EQ(PlateCurrentSlopes(sharp, va, -1).dIaDVg, 0.0);
    }
    EXPECT_GT(PlateCurrent(noKvb, 1e-9, 0), 0.0);
    // KP * x far above exp's range: the ramp is x itself, no overflow.
    const double high = PlateCurrent(sharp, 250, 10);
    EXPECT_TRUE(std::isfinite(high));
    const double e1 = 250 * (1 / sharp.mu + (10 + sharp.vct) / std::sqrt(sharp.kvb + 250.0 * 250.0));
    EXPECT_NEAR(high, 2 * std::pow(e1, sharp.ex) / sharp.kg1, high * 1e-12);
    // Deep cut-off underflows to 0, never NaN; the slopes too.
    const PlateSlopes cut = PlateCurrentSlopes(sharp, 250, -20);
    EXPECT_EQ(PlateCurrent(sharp, 250, -20), 0.0);
    EXPECT_EQ(cut.dIaDVa, 0.0);
    EXPECT_EQ(cut.dIaDVg, 0.0);
}

TEST(CheckModel, NamesTheParameterAndWhy) {
    const TriodeModel good{100.26, 1.394, 1651.8, 17950.75, 524.4, 0.5};
    EXPECT_EQ(CheckModel(good), "");
    struct Case {
        double TriodeModel::*field;
        double value;
        const char* message;
    };
    const Case cases[] = {
        {&TriodeModel::mu, 0, "The tube's MU must be above 0: it is 0."},
        {&TriodeModel::ex, -1.4, "The tube's EX must be above 0: it is -1.4."},
        {&TriodeModel::kg1, HUGE_VAL, "The tube's KG1 must be a finite number: it is inf."},
        {&TriodeModel::kp, NAN, "The tube's KP must be a finite number: it is nan."},
        {&TriodeModel::kvb, -1, "The tube's KVB must be 0 or above: it is -1."},
        {&TriodeModel::kvb, 0, ""},
        {&TriodeModel::vct, -0.5, ""},
        {&TriodeModel::vct, -HUGE_VAL, "The tube's VCT must be a finite number: it is -inf."},
    };
    for (const Case& c : cases) {
        TriodeModel m = good;
        m.*c.field = c.value;
        EXPECT_EQ(CheckModel(m), c.message);
    }
}

}  // namespace
}  // namespace korvane
