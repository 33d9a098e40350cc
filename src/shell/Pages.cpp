#include "shell/Pages.h"

#include <utility>

#include <QFileInfo>

#include "shell/HelpViewer.h"
#include "shell/Website.h"

namespace vextal {

Pages::Pages(UrlOpener& opener, Dialogs& dialogs, QString programFolder)
    : opener_(opener), dialogs_(dialogs), programFolder_(std::move(programFolder)) {}

Pages::~Pages() = default;

bool Pages::OpenBrowser(const QString& address) {
  return opener_.OpenWebAddress(address);
}

void Pages::OpenPage(const QString& pageName) {
  if (OpenBrowser(kWebsiteBase + pageName)) {
    return;
  }
  const QString localPath = programFolder_ + QLatin1Char('/') + pageName;
  if (QFileInfo::exists(localPath)) {
    if (!opener_.OpenLocalFile(localPath)) {
      if (!viewer_) {
        viewer_ = std::make_unique<HelpViewer>(opener_);
      }
      viewer_->ShowDocument(localPath);
    }
    return;
  }
  dialogs_.Message(
      BoxIcon::Critical, tr("Error"),
      tr("Could not open default browser!\r\n\r\nLocal version of %1 also isn't available!")
          .arg(pageName));
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
