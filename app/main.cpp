// Korvane: the valve-amplifier designer's calculator.

#include <QApplication>

#include "ui/files.h"
#include "app/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    korvane::MainWindow window(korvane::ProgramPath(QCoreApplication::applicationDirPath()));
    return app.exec();
}
