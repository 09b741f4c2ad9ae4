#pragma once
// The window side of the start-up benchmark. A probe program builds its
// window as the real program would and, at the window's first paint, writes
// one byte to the file descriptor named by KORVANE_PROBE_FD (when set); then
// it quits ("shown"), or first works the window as a user would and then
// quits ("exercised", for the peak memory).

#include <QWidget>
#include <functional>

namespace korvane::bench {

int RunProbe(int argc, char* argv[], const std::function<void()>& configure,
             const std::function<QWidget*()>& make, const std::function<void(QWidget*)>& exercise);

}  // namespace korvane::bench
