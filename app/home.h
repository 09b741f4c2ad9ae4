#pragma once
// The home state of the main window: its introduction text and the inputs
// files that start-up writes when they are missing.

#include <string>
#include <utility>
#include <vector>

namespace korvane {

// The introduction shown in Text1 (lines separated by CR LF).
const std::string& IntroText();

// "Help on This Calculator" with no calculator open: what each calculator
// does and where its values come from, how a zero asks for help, and what
// Engineering notation reads (lines separated by CR LF).
std::string HomeHelpText();

// The inputs files with their default content, in the order start-up
// writes them: Korvane_Feedback.dat, Korvane_Gain.dat, Korvane_Xfmr.dat.
std::vector<std::pair<std::string, std::string>> DefaultFiles();

}  // namespace korvane
