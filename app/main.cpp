// Korvane: the valve-amplifier designer's calculator.

#include <QApplication>

#include "app/design_document.h"
#include "app/desktop.h"
#include "app/main_window.h"
#include "app/startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    korvane::IdentifyApplication();
    korvane::KeepNoPixmapCache();
    korvane::MainWindow window(korvane::StartupPath());
    // "korvane FILE.korvane", as a file manager starts it, opens that design.
    window.design().openFromCommandLine(QCoreApplication::arguments());
    return app.exec();
}
