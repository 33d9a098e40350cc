#include "shell/WindowSize.h"

#include <QByteArray>
#include <QCoreApplication>

namespace vextal {

double WindowSizeFactor(WindowSize size) {
  switch (size) {
    case WindowSize::Normal:
      return 1.0;
    case WindowSize::Large:
      return 1.5;
    case WindowSize::Huge:
      break;
  }
  return 2.0;
}

void ApplyWindowSizeBeforeStart(WindowSize size) {
  if (size == WindowSize::Normal) {
    return;
  }
  // Qt's own scaling draws text, icons and the board at the finer resolution instead of
  // enlarging a finished picture, so everything stays sharp.
  bool valid = false;
  double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&valid);
  if (!valid || !(factor > 0.0)) {
    factor = 1.0;
  }
  qputenv("QT_SCALE_FACTOR", QByteArray::number(factor * WindowSizeFactor(size)));
}

}  // namespace vextal
