#include "shell/ShellPaths.h"

#include <QCoreApplication>

namespace vextal {

QString ProgramFolder() {
  return QCoreApplication::applicationDirPath();
}

}  // namespace vextal
