#pragma once
// What the program sets up before its window comes: the application's name
// (which names the user's data folder and every message box), and where the
// inputs files are kept. The program and its start-up benchmark share it.

#include <QString>

namespace korvane {

// Call once, after the QApplication is made.
void ConfigureApplication();

// The folder of the inputs files for this run, with its separator.
QString StartupPath();

}  // namespace korvane
