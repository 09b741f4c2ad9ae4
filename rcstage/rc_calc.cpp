#include "rcstage/rc_calc.h"

#include <cmath>
#include <string>

#include "format/roundoff.h"
#include "calc/arith.h"
#include "io/engineering.h"
#include "io/numeric.h"
#include "rcstage/rc_messages.h"

namespace korvane {
namespace {

// Texts of the presses that the values make impossible to calculate.
constexpr const char* kTableParallelZero =
    "The table's 'Plate Load Resistor' and 'Following Stage Grid Resistor' add up to "
    "zero (or their parallel resistance comes out as zero), so the stage's load cannot "
    "be calculated.  Check the signs of these two values.";
constexpr const char* kYourParallelZero =
    "Your 'Plate Load Resistor' and 'Following Stage Grid Resistor' add up to zero (or "
    "their parallel resistance comes out as zero), so your stage's load cannot be "
    "calculated.  Check the signs of these two values.";
constexpr const char* kGainDenominatorZero =
    "With these values the gain cannot be calculated: (mu + 1) x 'Cathode Resistor' + "
    "'Plate resistance' + the load of your resistors comes out as zero.  Check the "
    "signs of the values.";
constexpr const char* kMuMinusOne =
    "With these values the tube's amplification factor (mu) comes out as -1, so no "
    "cathode resistance can be calculated for the 'Wanted Gain'.  Check the 'Plate "
    "resistance', the table's resistors and the table's gain.";
constexpr const char* kRkNeedZero =
    "The 'Wanted Gain' needs a total cathode resistance of zero, so no resistor in "
    "parallel with the 'Cathode Resistor' can give it.  Short the cathode resistor "
    "with a bypass capacitor instead, or ask for a lower gain.";
constexpr const char* kReciprocalsEqual =
    "The cathode resistance that the 'Wanted Gain' needs is so close to the 'Cathode "
    "Resistor' that the resistor to add in parallel cannot be calculated.";

// Results beyond the range of the arithmetic, by the stage of the
// calculation they come from.
constexpr const char* kTableRange =
    "The table's values ('Plate resistance', the table's resistors and its gain) give a "
    "result beyond the range of numbers the program can work with.  Check them for a "
    "misplaced exponent.";
constexpr const char* kYourRange =
    "Your 'Plate Load Resistor' and 'Following Stage Grid Resistor' give a result beyond "
    "the range of numbers the program can work with.  Check them for a misplaced exponent.";
constexpr const char* kGainRange =
    "The gain with no bypass capacitor comes out beyond the range of numbers the program "
    "can work with.  Check the 'Cathode Resistor' and the other values for a misplaced "
    "exponent.";
constexpr const char* kAddRange =
    "The resistor to add for the 'Wanted Gain' comes out beyond the range of numbers the "
    "program can work with.  Check the 'Wanted Gain', the 'Cathode Resistor' and the other "
    "values for a misplaced exponent.";

// The rows whose values the calculation reads, for a value too large to
// calculate with.
std::string TooLarge(int row) {
    return "The value of '" + RcStageLabels()[static_cast<std::size_t>(row)] +
           "' is too large a number to calculate with.";
}

}  // namespace

const std::array<std::string, 10>& RcStageLabels() {
    static const std::array<std::string, 10> labels = {
        "Tube Number (reference only)",
        "Plate resistance (Tube Data)",
        "Plate Load Resistor (RC Amp Data)",
        "Following Stage Grid Resistor (RC Amp Data)",
        "Cathode Resistor (RC Amp Data)",
        "Gain From RC Amplifier Table",
        "Plate Load Resistor (Your Value)",
        "Following Stage Grid Resistor (Your Value)",
        "Wanted Gain",
        "Add to Rk",
    };
    return labels;
}

const std::array<std::string, 10>& RcStageUnits() {
    static const std::array<std::string, 10> units = {
        "", "Ohms", "Ohms", "Ohms", "Ohms", "", "Ohms", "Ohms", "", "Ohms",
    };
    return units;
}

RcModeView RcModeSwitch(int check) {
    RcModeView view;
    if (check == kCheckSet) {
        view.label8 = "Gain with no bypass capacitor";
        view.field9Enabled = false;
        return view;
    }
    const auto& labels = RcStageLabels();
    view.label5 = labels[5];
    view.label6 = labels[6];
    view.unit6 = "Ohms";
    view.label7 = labels[7];
    view.unit7 = "Ohms";
    view.label8 = labels[8];
    view.label9 = labels[9];
    view.unit9 = "Ohms";
    view.field9Enabled = true;
    return view;
}

Outcome RcStageCalculate(const RcStageInput& input) {
    Outcome out;
    auto value = [&](int row) {
        return ReadNumber(input.fields[static_cast<std::size_t>(row)], input.notation);
    };

    const double rp = value(1);
    if (rp == 0) {
        out.message(kPlateResistanceHelp);
        return out;
    }
    const double rb = value(2);
    const double rcf = value(3);
    const double rk = value(4);
    const double avRC = value(5);
    double rbY = value(6);
    double rcfY = value(7);
    if (rb == 0 || rcf == 0 || rk == 0 || avRC == 0) {
        out.message(kTableValuesHelp);
        return out;
    }
    const double read[] = {rp, rb, rcf, rk, avRC, rbY, rcfY};
    for (int row = 1; row <= 7; ++row) {
        if (!std::isfinite(read[row - 1])) {
            out.faulted(TooLarge(row));
            return out;
        }
    }

    // Your resistors default to the table's; the substituted values are
    // written back so that the user sees what was used.
    if (rbY == 0) {
        rbY = rb;
        out.setField(6, NumberText(rb));
    }
    if (rcfY == 0) {
        rcfY = rcf;
        out.setField(7, NumberText(rcf));
    }

    // Each operation is its own statement so that the first fault is the
    // one that happens first.
    Checked c;
    c.stage(kTableRange);
    const double rbRcf = c.mul(rcf, rb);
    const double rac = c.div(rbRcf, c.add(rcf, rb), kTableParallelZero);
    const double rpRac = c.add(rp, rac);
    const double mu = c.div(c.mul(rpRac, avRC), rac, kTableParallelZero);
    c.stage(kYourRange);
    const double rbRcfY = c.mul(rbY, rcfY);
    const double racY = c.div(rbRcfY, c.add(rbY, rcfY), kYourParallelZero);
    if (c.failed()) {
        out.faulted(c.why());
        return out;
    }

    if (input.check == kCheckSet) {
        c.stage(kGainRange);
        const double muRacY = c.mul(mu, racY);
        const double muRk = c.mul(c.add(mu, 1.0), rk);
        const double rpRacY = c.add(rp, racY);
        const double av = c.div(muRacY, c.add(muRk, rpRacY), kGainDenominatorZero);
        if (c.failed()) {
            out.faulted(c.why());
            return out;
        }
        out.setField(8, Roundoff(av));
        return out;
    }

    const double avWant = value(8);
    if (!std::isfinite(avWant)) {
        out.faulted(TooLarge(8));
        return out;
    }
    if (!(avWant > 0) || avWant >= avRC) {
        out.message(kWantedGainMessage);
        return out;
    }

    c.stage(kAddRange);
    const double muRacY = c.mul(mu, racY);
    const double loss = c.mul(c.add(rp, racY), avWant);
    const double numerator = c.sub(muRacY, loss);
    const double rkNeed = c.div(numerator, c.mul(c.add(mu, 1.0), avWant), kMuMinusOne);
    if (c.failed()) {
        out.faulted(c.why());
        return out;
    }

    if (rkNeed == rk) {
        out.setField(9, "0");
        out.setLabel(9, "Add No Additional Resistor");
        return out;
    }
    const bool series = rkNeed > rk;
    double rAdd = 0;
    if (series) {
        rAdd = c.sub(rkNeed, rk);
    } else {
        const double gNeed = c.div(1.0, rkNeed, kRkNeedZero);
        const double gK = c.div(1.0, rk, kReciprocalsEqual);
        rAdd = c.div(1.0, c.sub(gNeed, gK), kReciprocalsEqual);
    }
    if (c.failed()) {
        out.faulted(c.why());
        return out;
    }
    out.setField(9, Roundoff(rAdd));
    out.setLabel(9, series ? "Add in AC SERIES with Rk" : "Add in AC PARALLEL with Rk");
    return out;
}

}  // namespace korvane
