#include "app/desktop.h"

#include <QApplication>

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
        icon.addFile(QStringLiteral(":/korvane/icons/%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

void IdentifyApplication() {
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QGuiApplication::setDesktopFileName(ApplicationId());
    QApplication::setWindowIcon(ApplicationIcon());
}

}  // namespace korvane
