#include "app/about.h"

#include <QApplication>
#include <QMessageBox>

#include "app/desktop.h"

#if !defined(KORVANE_VERSION) || !defined(KORVANE_LICENCE_FILE)
#error "KORVANE_VERSION and KORVANE_LICENCE_FILE come from the build"
#endif

namespace korvane {

QString ProgramVersion() { return QStringLiteral(KORVANE_VERSION); }

QString LicenceFile() { return QStringLiteral(KORVANE_LICENCE_FILE); }

QString AboutText() {
    return QStringLiteral(
               "Korvane %1\n"
               "A calculator for valve (vacuum-tube) amplifier designers.\n\n"
               "Licence: GPL-3.0-or-later. Korvane is free software: you may share and "
               "change it under the terms of the GNU General Public License, version 3 or "
               "any later version. It comes with no warranty.\n"
               "Read the licence in %2 or at https://www.gnu.org/licenses/gpl-3.0.html\n\n"
               "Application id: %3")
        .arg(ProgramVersion(), LicenceFile(), ApplicationId());
}

void ShowAbout(QWidget* parent) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("About Korvane"), AboutText(),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("AboutBox"));
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
    box.exec();
}

}  // namespace korvane
