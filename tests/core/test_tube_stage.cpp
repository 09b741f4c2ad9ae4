// The common-cathode stage: worked stages against a separate calculation,
// the message for each input that makes no sense, the notes on the ratings,
// the solver at the ends of the number range, and the chart's data.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tube/stage.h"
#include "tube/tube_library.h"
#include "tube_support.h"

namespace korvane {
namespace {

using testing::Named;
using testing::SelfBias;

StageInput FixedBias(double supply, double rb, double bias, double rcf) {
    StageInput in = SelfBias(supply, rb, 0, rcf);
    in.bias = BiasKind::Fixed;
    in.gridBias = bias;
    return in;
}

// The expected values come from a separate calculation of the same
// equations: bisection for every current, central differences for rp and
// gm, the three-point formula from the currents at Vg = 0 and 2 Vg.
TEST(SolveStage, WorkedStages) {
    struct Row {
        const char* tube;
        StageInput in;
        double iaMilli, va, vg, rp, gmMilli, mu, gainBypassed, gainUnbypassed, swing, h2, watts;
    };
    const Row rows[] = {
        {"12AX7A (RCA fit)", SelfBias(250, 100e3, 1500, 470e3), 0.87854712, 160.82747, -1.3178207,
         65696.786, 1.5261704, 100.26449, 55.803304, 27.553515, 72.441605, 3.4781463, 0.14129451},
        {"12AU7 (Sylvania fit)", FixedBias(300, 22e3, -8, 220e3), 5.0867047, 188.0925, -8, 9434.2512,
         1.736716, 16.384615, 11.133027, 11.133027, 101.73409, 10.111436, 0.95677099},
        {"300B (Western Electric fit)", SelfBias(400, 5000, 1000, 100e3), 35.933958, 184.39625,
         -35.933958, 837.81166, 4.6616934, 3.9056211, 3.3212746, 1.7703568, 121.06655, 1.8909715,
         6.6260872},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.tube);
        const Tube& t = Named(r.tube);
        const StageResult out = SolveStage(t.model, t.limits, r.in);
        ASSERT_EQ(out.error, "");
        const StagePoint& p = out.point;
        const auto near = [](double got, double want) {
            EXPECT_NEAR(got, want, std::fabs(want) * 1e-6);
        };
        near(p.ia * 1e3, r.iaMilli);
        near(p.va, r.va);
        near(p.vg, r.vg);
        near(p.vk, r.in.bias == BiasKind::Fixed ? 0.0 : -r.vg);
        near(p.rp, r.rp);
        near(p.gm * 1e3, r.gmMilli);
        near(p.mu, r.mu);
        near(p.gainBypassed, r.gainBypassed);
        near(p.gainUnbypassed, r.gainUnbypassed);
        near(p.swing, r.swing);
        near(p.secondHarmonic, r.h2);
        near(p.dissipation, r.watts);
        EXPECT_EQ(p.dissipationLimit, t.limits.plateDissipation);
        EXPECT_TRUE(p.notes.empty());
    }
}

TEST(SolveStage, EachNonsenseInputIsNamed) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char* what;
        StageInput in;
        const char* message;
    };
    const Row rows[] = {
        {"B+ 0", SelfBias(0, 100e3, 1500, 470e3), "The Supply Voltage (B+) must be above 0 V: it is 0."},
        {"B+ negative", SelfBias(-250, 100e3, 1500, 470e3),
         "The Supply Voltage (B+) must be above 0 V: it is -250."},
        {"B+ infinite", SelfBias(inf, 100e3, 1500, 470e3),
         "The Supply Voltage (B+) must be a finite number: it is inf."},
        {"Rb negative", SelfBias(250, -100, 1500, 470e3),
         "The Plate Load Resistor must be above 0 ohms: it is -100."},
        {"Rb 0", SelfBias(250, 0, 1500, 470e3),
         "The Plate Load Resistor must be above 0 ohms: it is 0."},
        {"Rk 0", SelfBias(250, 100e3, 0, 470e3),
         "The Cathode Resistor must be above 0 ohms: it is 0. For a stage without one, choose a fixed "
         "grid bias."},
        {"Rk NaN", SelfBias(250, 100e3, NAN, 470e3),
         "The Cathode Resistor must be a finite number: it is nan. For a stage without one, choose a "
         "fixed grid bias."},
        {"Rcf negative", SelfBias(250, 100e3, 1500, -1),
         "The Following Stage Grid Resistor must be above 0 ohms: it is -1."},
        {"bias 0", FixedBias(250, 100e3, 0, 470e3),
         "The Fixed Grid Bias must be below 0 V: it is 0. The model has no grid current, so the grid must "
         "stay negative."},
        {"bias positive", FixedBias(250, 100e3, 1.5, 470e3),
         "The Fixed Grid Bias must be below 0 V: it is 1.5. The model has no grid current, so the grid must "
         "stay negative."},
        {"bias past cut-off", FixedBias(250, 100e3, -6, 470e3),
         "The tube does not conduct at this point: with the plate at 250 V and the grid at -6 V it draws "
         "0 A, less than 1 uA."},
        {"B+ far below the load's needs", SelfBias(1e-3, 100e3, 1500, 470e3),
         "The tube does not conduct at this point: with the plate at 0.000939431 V and the grid at "
         "-8.95114e-07 V it draws 5.96743e-10 A, less than 1 uA."},
        {"current beyond a double", SelfBias(1e300, 1e-300, 1e-300, 470e3),
         "With B+ 1e+300 V across 2e-300 ohms the current cannot be calculated: it comes out as inf A."},
    };
    const Tube& t = Named("12AX7A (RCA fit)");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(SolveStage(t.model, t.limits, r.in).error, r.message);
    }
    // The tube's own parameters come first.
    TriodeModel broken = t.model;
    broken.kg1 = -5;
    EXPECT_EQ(SolveStage(broken, t.limits, SelfBias(-1, -1, -1, -1)).error,
              "The tube's KG1 must be above 0: it is -5.");
    // A fixed-bias stage does not read the cathode resistor.
    StageInput fixed = FixedBias(250, 100e3, -1, 470e3);
    fixed.cathode = -7;
    EXPECT_EQ(SolveStage(t.model, t.limits, fixed).error, "");
}

TEST(SolveStage, NotesOnTheRatings) {
    const Tube& t = Named("12AU7 (Sylvania fit)");  // 2.75 W, 300 V
    const StageResult hot = SolveStage(t.model, t.limits, SelfBias(350, 4700, 220, 100e3));
    ASSERT_EQ(hot.error, "");
    EXPECT_EQ(hot.point.notes,
              (std::vector<std::string>{
                  "The plate dissipation, " + MessageNumber(hot.point.dissipation, 3) +
                      " W, is above the tube's limit of 2.75 W.",
                  "The Supply Voltage (B+), 350 V, is above the tube's plate voltage limit of 300 V: the "
                  "plate reaches B+ when the tube cuts off."}));
    EXPECT_GT(hot.point.dissipation, 2.75);
    // Without ratings in the library there is nothing to say.
    const StageResult free = SolveStage(t.model, TriodeLimits{}, SelfBias(350, 4700, 220, 100e3));
    EXPECT_TRUE(free.point.notes.empty());
    EXPECT_FALSE(free.point.dissipationLimit.has_value());
}

// Values at the ends of the double range: a message or a finite point,
// never a hang (each row ends in a bounded number of steps).
TEST(SolveStage, EndsOfTheNumberRange) {
    const double big = 1e300, small = 1e-300;
    const StageInput rows[] = {
        SelfBias(big, 1, 1, 1),        SelfBias(1, big, big, big), SelfBias(small, small, small, small),
        SelfBias(250, small, 1e5, 1),  FixedBias(big, big, -small, big), FixedBias(250, 1e5, -big, 1e5),
        SelfBias(1e6, 100e3, 1500, 470e3)};
    for (const Tube& t : BuiltInTubes()) {
        for (const StageInput& in : rows) {
            const StageResult out = SolveStage(t.model, t.limits, in);
            // 1 MV into 100k: far beyond any rating, yet a point.
            if (in.supply == 1e6) {
                EXPECT_EQ(out.error, "") << t.name;
            }
            if (!out.error.empty()) continue;
            const StagePoint& p = out.point;
            for (const double v : {p.ia, p.va, p.vg, p.rp, p.gm, p.mu, p.gainBypassed, p.gainUnbypassed,
                                   p.swing, p.secondHarmonic, p.dissipation}) {
                EXPECT_TRUE(std::isfinite(v)) << t.name << " B+ " << in.supply;
            }
        }
    }
}

TEST(ChartData, WorkedStage) {
    const Tube& t = Named("12AX7A (RCA fit)");
    const StageInput in = SelfBias(250, 100e3, 1500, 470e3);
    const StagePoint p = SolveStage(t.model, t.limits, in).point;
    const StageChart c = ChartData(t.model, t.limits, in, p);
    EXPECT_EQ(c.vaMax, 250);
    EXPECT_NEAR(c.iaMax, 1.25 * 250 / 101.5e3, 1e-15);
    EXPECT_EQ(c.gridStep, 0.5);
    ASSERT_EQ(c.curves.size(), 7u);
    EXPECT_EQ(c.curves.back().vg, -3);
    ASSERT_EQ(c.va.size(), 101u);
    EXPECT_EQ(c.curves[2].ia[40], PlateCurrent(t.model, 100, -1));
    // DC line from B+ to B+ / (Rb + Rk); AC line through the point at
    // slope -1 / (100k || 470k): 233.27 V where the current reaches 0.
    EXPECT_EQ(c.dcLine[0].va, 250);
    EXPECT_NEAR(c.dcLine[1].ia, 2.463054e-3, 1e-9);
    EXPECT_NEAR(c.acLine[0].va, 233.2691, 1e-3);
    EXPECT_EQ(c.acLine[0].ia, 0);
    EXPECT_EQ(c.acLine[1].va, 0);
    EXPECT_NEAR(c.acLine[1].ia, 2.829008e-3, 1e-9);
    // 1 W / iaMax is beyond B+: the limit curve misses the box.
    EXPECT_TRUE(c.dissipationCurve.empty());

    const std::string csv = ChartCsv(c);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n2.5,") + 2),
              "Va (V),Ia (mA) Vg 0 V,Ia (mA) Vg -0.5 V,Ia (mA) Vg -1 V,Ia (mA) Vg -1.5 V,Ia (mA) Vg -2 V,"
              "Ia (mA) Vg -2.5 V,Ia (mA) Vg -3 V,DC load line (mA),AC load line (mA),Dissipation limit (mA)\r\n"
              "0,0,0,0,0,0,0,0,2.46305,2.82901,\r\n");
    EXPECT_NE(csv.find("\r\n2.5,0.0353088,0.00705065,0,0,0,0,0,2.43842,2.79869,\r\n"), std::string::npos);
    // Above iaMax (3.0788 mA) a cell is empty, and so is the AC line's past
    // 233.27 V.
    EXPECT_NE(csv.find("\r\n145,3.05004,2.0251,"), std::string::npos);
    EXPECT_NE(csv.find("\r\n147.5,,2.07394,"), std::string::npos);
    EXPECT_NE(csv.find("\r\n150,,2.12311,"), std::string::npos);
    EXPECT_EQ(csv.substr(csv.rfind("\r\n250,")), "\r\n250,,,,2.12622,1.21041,0.463104,0.00247355,0,,\r\n");
}

TEST(ChartData, GridStepsAndTheLimitCurve) {
    struct Row {
        const char* tube;
        StageInput in;
        double step;
        std::size_t curves;
    };
    const Row rows[] = {
        {"300B (Western Electric fit)", SelfBias(400, 5000, 1000, 100e3), 20, 6},
        {"12AU7 (Sylvania fit)", FixedBias(300, 22e3, -8, 220e3), 2, 8},
        {"6C33C (Soviet 1970 fit)", SelfBias(200, 1000, 100, 100e3), 10, 7},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.tube);
        const Tube& t = Named(r.tube);
        const StageResult out = SolveStage(t.model, t.limits, r.in);
        ASSERT_EQ(out.error, "");
        const StageChart c = ChartData(t.model, t.limits, r.in, out.point);
        EXPECT_EQ(c.gridStep, r.step);
        EXPECT_EQ(c.curves.size(), r.curves);
    }
    // 12AU7, 2.75 W: Pa = 2.75 W from the top of the box to B+.
    const Tube& t = Named("12AU7 (Sylvania fit)");
    const StageInput in = FixedBias(300, 22e3, -8, 220e3);
    const StageChart c = ChartData(t.model, t.limits, in, SolveStage(t.model, t.limits, in).point);
    ASSERT_FALSE(c.dissipationCurve.empty());
    EXPECT_NEAR(c.dissipationCurve.front().ia, c.iaMax, 1e-12);
    EXPECT_EQ(c.dissipationCurve.back().va, 300);
    for (const ChartPoint& q : c.dissipationCurve) EXPECT_NEAR(q.va * q.ia, 2.75, 1e-12);
}

}  // namespace
}  // namespace korvane
