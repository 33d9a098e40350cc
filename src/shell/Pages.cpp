#include "shell/Pages.h"

#include <utility>

#include <QFileInfo>

#include "shell/HelpViewer.h"
#include "shell/HowToPictures.h"

namespace vextal {

Pages::Pages(UrlOpener& opener, Dialogs& dialogs, QString programFolder, QString websiteBase)
    : opener_(opener),
      dialogs_(dialogs),
      programFolder_(std::move(programFolder)),
      websiteBase_(std::move(websiteBase)) {}

Pages::~Pages() = default;

void Pages::SetViewerSizeStore(std::function<QSize()> load, std::function<void(QSize)> save) {
  loadViewerSize_ = std::move(load);
  saveViewerSize_ = std::move(save);
}

void Pages::CloseViewer() {
  if (viewer_) {
    viewer_->close();
  }
}

bool Pages::OpenBrowser(const QString& address) {
  return opener_.OpenWebAddress(address);
}

void Pages::OpenPage(const QString& pageName) {
  // Without a web site the desktop is not asked either: a browser launcher that "succeeds" at
  // showing a file it cannot render would leave the user with nothing.
  if (HasWebsite() && OpenBrowser(websiteBase_ + pageName)) {
    return;
  }
  const QString localPath = programFolder_ + QLatin1Char('/') + pageName;
  if (QFileInfo::exists(localPath)) {
    if (!HasWebsite() || !opener_.OpenLocalFile(localPath)) {
      ShowInViewer(localPath);
    }
    return;
  }
  dialogs_.Message(
      BoxIcon::Critical, tr("Error"),
      tr("Could not open default browser!\r\n\r\nLocal version of %1 also isn't available!")
          .arg(pageName));
}

void Pages::ShowInViewer(const QString& path) {
  if (!viewer_) {
    viewer_ = std::make_unique<HelpViewer>(opener_, loadViewerSize_ ? loadViewerSize_() : QSize());
    if (saveViewerSize_) {
      viewer_->SetSizeChanged(saveViewerSize_);
    }
    viewer_->SetTitles(&Pages::ViewerTitle);
    viewer_->SetPictures(&HowToPicture);
    viewer_->SetSizeFactor(sizeFactor_);
  }
  viewer_->ShowDocument(path);
}

void Pages::OpenWebsite() {
  if (HasWebsite()) {
    OpenBrowser(HomeAddress());
  }
}
void Pages::OpenGuestbook() {
  if (HasWebsite()) {
    OpenBrowser(websiteBase_ + QStringLiteral("gb"));
  }
}
void Pages::OpenUpdatePage() {
  OpenPage(QStringLiteral("update.html"));
}
void Pages::OpenReadmeEnglish() {
  OpenReadme(QStringLiteral("en"));
}
void Pages::OpenReadmeGerman() {
  OpenReadme(QStringLiteral("de"));
}
void Pages::OpenReadme(const QString& language) {
  const QString page = QStringLiteral("readme_%1.html").arg(language);
  // A language whose read-me is not beside the program falls back to the English one.
  const bool here = QFileInfo::exists(programFolder_ + QLatin1Char('/') + page);
  OpenPage(here || HasWebsite() ? page : QStringLiteral("readme_en.html"));
}

void Pages::OpenHowTo(const QString& language) {
  // Its pictures are painted by this program, so neither a browser nor the web site shows it.
  QString path = programFolder_ + QStringLiteral("/howto_%1.html").arg(language);
  if (!QFileInfo::exists(path)) {
    path = programFolder_ + QStringLiteral("/howto_en.html");
  }
  if (!QFileInfo::exists(path)) {
    dialogs_.Message(
        BoxIcon::Critical, tr("Error"),
        tr("Could not open default browser!\r\n\r\nLocal version of %1 also isn't available!")
            .arg(QFileInfo(path).fileName()));
    return;
  }
  ShowInViewer(path);
}

QString Pages::ViewerTitle(const QString& fileName) {
  // These pages hold every language, under an English title of their own.
  if (fileName == QLatin1String("update.html")) {
    return tr("Vextal - Updates");
  }
  if (fileName == QLatin1String("paypal.html")) {
    return tr("Vextal - Donate");
  }
  return QString();
}
void Pages::SetSizeFactor(double factor) {
  sizeFactor_ = factor;
  if (viewer_) {
    viewer_->SetSizeFactor(factor);
  }
}

void Pages::OpenPayPal() {
  OpenPage(QStringLiteral("paypal.html"));
}
void Pages::OpenDonatePage() {
  OpenPage(QStringLiteral("paypal.html"));
}

}  // namespace vextal
