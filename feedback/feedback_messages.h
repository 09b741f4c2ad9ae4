#pragma once
// The messages the global feedback calculation shows for a value that asks
// for help, and its explanation of the grid drive settings, which the field
// help quotes as well.

namespace korvane {

inline constexpr const char* kGainHelp =
    "The 'Gain of Driver/Inverter' is the product\r\n"
    "of the gains of all stages between the point\r\n"
    "to which feedback is returned and one of the\r\n"
    "power output tube grids.";

inline constexpr const char* kTubeDataHelp =
    "The 'Power Output', 'AC Grid Driving Voltage', and\r\n"
    "'DC Grid Bias Voltage', values can all be found\r\n"
    "in the 'Typical Operation' data in the tube\r\n"
    "manual entry for the tube you are using.";

inline constexpr const char* kLoadHelp =
    "The 'Speaker Impedance' or output impedance\r\n"
    "of the amplifier must be given.";

inline constexpr const char* kGridVoltageExplanation =
    "Perhaps you are confused about the meanings of the various grid voltage settings.  "
    "RMS grid voltage is the Root Mean Square voltage at the grid of one of the power "
    "output tubes.  This value must not exceed 0.707 times the DC Bias voltage.  "
    "The peak grid voltage is the peak voltage applied to the grid of one of the "
    "output tubes.  This value must not exceed the DC Bias voltage.  The Peak "
    "Grid-to-Grid voltage is the peak voltage between the grids of the two output "
    "tubes.  This value must not exceed twice the DC Bias voltage.";

inline constexpr const char* kFactorHelp =
    "The feedback factor, B, must be between 0 and 1.\r\n"
    "It is given by B = R2 / (R1 + R2) where R1\r\n"
    "is the series feedback resistor from the output\r\n"
    "transformer secondary to the cathode or grid of\r\n"
    "the tube receiving the fed back signal.  R2 is\r\n"
    "the resistor from cathode or grid to ground.";

}  // namespace korvane
