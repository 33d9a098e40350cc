#include "shell/Website.h"

namespace vextal {

QString WebsiteBase() {
  // CMake has checked the form of the address; only this file is built with it.
  return QStringLiteral(VEXTAL_WEBSITE);
}

QString WebsiteHome(const QString& base) {
  return base.endsWith(QLatin1Char('/')) ? base.chopped(1) : base;
}

}  // namespace vextal
