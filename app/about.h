#pragma once
// About Korvane: the program's name and version, what it is for, its
// licence and where to read it, and its application id.

#include <QString>

class QWidget;

namespace korvane {

// The version this program was built as ("0.1.0").
QString ProgramVersion();

// Where the installed program's licence can be read: its copyright file
// ("/usr/share/doc/korvane/copyright" for an install into /usr), which
// carries the GPL-3.0 text by reference.
QString LicenceFile();

// The About box's text, plain, its lines separated by "\n":
//   "Korvane 0.1.0\n"
//   "A calculator for valve (vacuum-tube) amplifier designers.\n\n"
//   "Licence: GPL-3.0-or-later ... /usr/share/doc/korvane/copyright ...
//    https://www.gnu.org/licenses/gpl-3.0.html\n\n"
//   "Application id: org.korvane.Korvane"
QString AboutText();

// The About box over `parent`, with the application's icon; returns when
// it is closed.
void ShowAbout(QWidget* parent);

}  // namespace korvane
