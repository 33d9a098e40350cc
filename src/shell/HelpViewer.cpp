#include "shell/HelpViewer.h"

#include <QFileInfo>
#include <QPalette>

namespace vextal {

namespace {

// The documents' own colours, so that a page reads the same where its stylesheet is only partly
// understood.
const QColor kPageBackground(0x1e, 0x0a, 0x2e);
const QColor kPageText(0xe6, 0xe0, 0xff);
const QColor kPageLink(0x5f, 0xb8, 0xff);
constexpr int kPageMargin = 16;  // pixels around the text

}  // namespace

HelpViewer::HelpViewer(UrlOpener& opener) : QTextBrowser(nullptr), opener_(opener) {
  setObjectName(QStringLiteral("HelpViewer"));
  // The main window alone decides when the program ends.
  setAttribute(Qt::WA_QuitOnClose, false);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, kPageBackground);
  colours.setColor(QPalette::Text, kPageText);
  colours.setColor(QPalette::Link, kPageLink);
  colours.setColor(QPalette::LinkVisited, kPageLink);
  setPalette(colours);
  document()->setDocumentMargin(kPageMargin);
  resize(760, 640);

  // Every link comes here first: QTextBrowser on its own would try to load web addresses as
  // local resources and show an empty page.
  setOpenLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &HelpViewer::FollowLink);
  connect(this, &QTextBrowser::sourceChanged, this, &HelpViewer::TakeTitle);
}

void HelpViewer::ShowDocument(const QString& path) {
  setSource(QUrl::fromLocalFile(path));
  TakeTitle();
  show();
  raise();
  activateWindow();
}

void HelpViewer::FollowLink(const QUrl& link) {
  const QUrl target = source().resolved(link);
  if (target.isLocalFile()) {
    // Another document beside this one, or a place in this one. A link to a file that is not
    // there leaves the page as it is.
    if (QFileInfo(target.toLocalFile()).isFile()) {
      setSource(target);
    }
    return;
  }
  const QString scheme = target.scheme();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
      scheme == QLatin1String("mailto")) {
    opener_.OpenWebAddress(target.toString());
  }
}

void HelpViewer::TakeTitle() {
  const QString title = documentTitle();
  setWindowTitle(title.isEmpty() ? QFileInfo(source().toLocalFile()).fileName() : title);
}

}  // namespace vextal
