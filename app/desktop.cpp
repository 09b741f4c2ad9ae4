#include "app/desktop.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QPixmapCache>

#include <cstdint>

#ifndef KORVANE_APP_ID
#error "KORVANE_APP_ID is the application id; the build passes it"
#endif

namespace korvane {
namespace {

struct IconPixels {
    int size;
    const std::uint32_t* pixels;
};

// The sizes a title bar and a task switcher draw, written from the icon's
// PNGs when the program is built; the icon theme holds the larger ones for
// launchers.
#include "icon_pixels.inc"

}  // namespace

QString ApplicationId() { return QStringLiteral(KORVANE_APP_ID); }

QIcon ApplicationIcon() {
    QIcon icon;
    for (const IconPixels& p : kIconPixels) {
        // The image reads the program's own pixels, which live as long as
        // the program: nothing is decoded or copied, and no image plugin
        // is looked for.
        const QImage image(reinterpret_cast<const uchar*>(p.pixels), p.size, p.size,
                           4 * p.size, QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

void KeepNoPixmapCache() { QPixmapCache::setCacheLimit(0); }

void IdentifyApplication() {
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QGuiApplication::setDesktopFileName(ApplicationId());
    QApplication::setWindowIcon(ApplicationIcon());
}

QSettings UserSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korvane"),
                     QStringLiteral("Korvane"));
}

}  // namespace korvane
