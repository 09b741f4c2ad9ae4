#include "app/startup.h"

#include <QApplication>

#include "ui/files.h"

namespace korvane {

void ConfigureApplication() { QApplication::setApplicationName(QStringLiteral("Korvane")); }

QString StartupPath() { return ProgramPath(QCoreApplication::applicationDirPath()); }

}  // namespace korvane
