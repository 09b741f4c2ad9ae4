#pragma once
// The messages the network calculation shows for a feedback factor or a
// range of total resistance it cannot work with, which the field help
// quotes as well.

namespace korvane {

inline constexpr const char* kNetworkFactorAboveOne =
    "The Feedback Factor can't be greater than 1.";

// One line, two spaces after "network.".
inline constexpr const char* kNetworkFactorHelp =
    "The feedback factor is the ratio of the output voltage to the input voltage of "
    "resistor network.  It's value can be anything between 0 and 1 but never 0.";

inline constexpr const char* kNetworkRangeZero = "Rt min and Rt max MUST NOT be zero.";

inline constexpr const char* kNetworkRangeOrder = "Rt min MUST be less than Rt max.";

}  // namespace korvane
