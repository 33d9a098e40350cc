#include "shell/Pages.h"

#include <utility>

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "shell/Website.h"

namespace vextal {

bool DesktopUrlOpener::OpenWebAddress(const QString& address) {
  const QUrl url(address, QUrl::StrictMode);
  return url.isValid() && QDesktopServices::openUrl(url);
}

void DesktopUrlOpener::OpenLocalFile(const QString& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

Pages::Pages(UrlOpener& opener, Dialogs& dialogs, QString programFolder)
    : opener_(opener), dialogs_(dialogs), programFolder_(std::move(programFolder)) {}

bool Pages::OpenBrowser(const QString& address) {
  return opener_.OpenWebAddress(address);
}

void Pages::OpenPage(const QString& pageName) {
  if (OpenBrowser(kWebsiteBase + pageName)) {
    return;
  }
  const QString localPath = programFolder_ + QLatin1Char('/') + pageName;
  if (QFileInfo::exists(localPath)) {
    opener_.OpenLocalFile(localPath);
    return;
  }
  dialogs_.Message(BoxIcon::Critical, QStringLiteral("Error"),
                   QStringLiteral("Could not open default browser!\r\n\r\nLocal version of ") +
                       pageName + QStringLiteral(" also isn't available!"));
}

void Pages::OpenWebsite() {
  OpenBrowser(kWebsiteHome);
}
void Pages::OpenGuestbook() {
  OpenBrowser(kWebsiteBase + QStringLiteral("gb"));
}
void Pages::OpenUpdatePage() {
  OpenPage(QStringLiteral("update.html"));
}
void Pages::OpenReadmeEnglish() {
  OpenPage(QStringLiteral("readme_en.html"));
}
void Pages::OpenReadmeGerman() {
  OpenPage(QStringLiteral("readme_de.html"));
}
void Pages::OpenPayPal() {
  OpenPage(QStringLiteral("paypal.html"));
}
void Pages::OpenDonatePage() {
  OpenPage(QStringLiteral("paypal.html"));
}

}  // namespace vextal
