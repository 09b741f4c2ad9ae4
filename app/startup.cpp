#include "app/startup.h"

#include <QCoreApplication>

#include "ui/files.h"

namespace korvane {

QString StartupPath() { return ProgramPath(QCoreApplication::applicationDirPath()); }

}  // namespace korvane
