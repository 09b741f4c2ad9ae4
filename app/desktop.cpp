#include "app/desktop.h"

#include <QApplication>
#include <QImageReader>
#include <QPixmap>

#ifndef KORVANE_APP_ID
#error "KORVANE_APP_ID is the application id; the build passes it"
#endif

// The icons are in a static library: their resource registers only when
// something calls for it. Q_INIT_RESOURCE must stand outside a namespace.
static void InitIconResource() { Q_INIT_RESOURCE(korvane_icons); }

namespace korvane {

QString ApplicationId() { return QStringLiteral(KORVANE_APP_ID); }

QIcon ApplicationIcon() {
    InitIconResource();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        // Read as PNG, which they are, by Qt's own reader: with the format
        // named and no guessing from the content, no image plugin is
        // loaded and asked whether it knows the file.
        QImageReader reader(QStringLiteral(":/korvane/icons/%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

void IdentifyApplication() {
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QGuiApplication::setDesktopFileName(ApplicationId());
    QApplication::setWindowIcon(ApplicationIcon());
}

}  // namespace korvane
