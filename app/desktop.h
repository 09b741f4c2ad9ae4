#pragma once
// What the desktop knows the program by: its application id, which names
// its desktop entry, its icon and its AppStream metainfo alike, and its
// icon; and the program-wide choice of keeping no pixmap cache.

#include <QIcon>
#include <QSettings>
#include <QString>

namespace korvane {

// The reverse-DNS application id ("org.korvane.Korvane").
QString ApplicationId();

// The application icon from 16 to 64 pixels, the sizes a title bar and a
// task switcher draw (the larger installed sizes are the icon theme's, for
// launchers). Its pixels are built into the program, so nothing is decoded
// and no image plugin is looked for.
QIcon ApplicationIcon();

// Keeps no pixmap cache: Qt's style would otherwise keep a picture of each
// button, box and combo face it draws, in each state and size (about
// 180 KB once every panel has been open). Drawing them again costs about
// half a millisecond a repaint of the whole window. Call once, after the
// QApplication is made.
void KeepNoPixmapCache();

// Names the application ("Korvane", which also names its application
// data folder), and gives it its desktop entry and its window icon. Call
// once, after the QApplication is made.
void IdentifyApplication();

// The user's own settings (Engineering notation, the last design and the
// recent ones): ~/.config/Korvane/Korvane.ini ($XDG_CONFIG_HOME/Korvane/
// when that is set), never beside the program, whoever runs it.
QSettings UserSettings();

}  // namespace korvane
