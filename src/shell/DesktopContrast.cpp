#include "shell/DesktopContrast.h"

#include <QIcon>
#include <QString>

namespace vextal {

bool DesktopPrefersHighContrast() {
  const auto highContrast = [](const QString& theme) {
    return theme.contains(QLatin1String("contrast"), Qt::CaseInsensitive);
  };
  return highContrast(QIcon::themeName()) || highContrast(qEnvironmentVariable("GTK_THEME"));
}

}  // namespace vextal
