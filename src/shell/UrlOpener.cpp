#include "shell/UrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace vextal {

bool DesktopUrlOpener::OpenWebAddress(const QString& address) {
  const QUrl url(address, QUrl::StrictMode);
  return url.isValid() && QDesktopServices::openUrl(url);
}

bool DesktopUrlOpener::OpenLocalFile(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace vextal
