#pragma once

#include <QTextBrowser>

#include "shell/UrlOpener.h"

namespace vextal {

// The program's own window for the Help documents, for a desktop that has no program to show
// them. It shows one document at a time, titled after it; a link to another document beside it
// opens here, a web or mail link goes to the desktop. It never blocks the main window, and
// closing it only hides it, so the next Help command reuses it.
class HelpViewer : public QTextBrowser {
  Q_OBJECT

 public:
  explicit HelpViewer(UrlOpener& opener);

  // Loads the local document and brings the window up.
  void ShowDocument(const QString& path);

 private:
  void FollowLink(const QUrl& link);
  void TakeTitle();

  UrlOpener& opener_;
};

}  // namespace vextal
