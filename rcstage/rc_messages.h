#pragma once
// The messages the RC stage calculation shows for a value that asks for
// help, which its field help quotes as well.

namespace korvane {

// The messages Calculate shows for a plate resistance of 0, for a table
// value of 0, and for a wanted gain out of its range.
inline constexpr const char* kPlateResistanceHelp =
    "The plate resistance is not a physical resistor but a parameter of the tube.  "
    "You find it by looking up the tube in the tube manual.  There may be two or more "
    "values given for different values of plate current and voltage.  Try to match the "
    "conditions found in the 'resistance coupled amplifier' table as closely as possible.";

inline constexpr const char* kTableValuesHelp =
    "The values of the 'Plate Load Resistor', 'Following Stage Grid Resistor', "
    "'Cathode Resistor', and 'Gain', can all be found in 'Resistance Coupled Amplifier' "
    "tables in the back of most tube manuals."
    "\r\n\r\n"
    "The values of 'Plate Load Resistor (Your Value)' and 'Following Stage Grid Resistor "
    "(Your Value)' may be the same as those above but they don't have to be.  If you enter "
    "zero for one or both the value from above will be substituted.";

inline constexpr const char* kWantedGainMessage =
    "When the check box is unchecked you must state a value for the 'Wanted Gain'.  "
    "This value must be less than the gain given in the Resistance Coupled Amplifier "
    "Tables and greater than zero.";

}  // namespace korvane
