#pragma once
// Where this run keeps its inputs files. The program and its start-up
// benchmark share it.

#include <QString>

namespace korvane {

// The folder of the inputs files for this run, with its separator.
QString StartupPath();

}  // namespace korvane
