#pragma once

#include <functional>

#include <QImage>
#include <QUrl>
#include <QWidget>

#include "shell/UrlOpener.h"

class QTextBrowser;
class QToolButton;

namespace vextal {

// The program's own window for the Help documents. It shows one document at a time, titled
// after it; a link to another document beside it opens here, a web or mail link goes to the
// desktop. Back, Forward and Home (the document the Help menu opened) are buttons and the usual
// keys (Alt+Left, Alt+Right, Alt+Home). It never blocks the main window, never opens larger than
// the screen's free area, and closing it only hides it, so the next Help command reuses it.
class HelpViewer : public QWidget {
  Q_OBJECT

 public:
  // size: the size to open at, the designed one when empty; either is cut to fit the screen.
  explicit HelpViewer(UrlOpener& opener, QSize size = QSize());

  // Loads the local document, makes it the Home page and brings the window up.
  void ShowDocument(const QString& path);

  // Called with the window's size whenever it is hidden, so the next run opens it as it was.
  void SetSizeChanged(std::function<void(QSize)> changed) { sizeChanged_ = std::move(changed); }

  // The window's title for a document by its file name, in the language shown; an empty answer
  // leaves the document's own title.
  void SetTitles(std::function<QString(const QString&)> titleOf) { titleOf_ = std::move(titleOf); }

  // The designed size, before it is cut to fit a screen.
  static QSize DesignedSize() { return {760, 640}; }

  // The window size's factor (WindowSize.h): the pages are shown at it, the open one at once.
  void SetSizeFactor(double factor);

  // Paints the pictures a page names as "board:<name>"; without it they stay empty.
  void SetPictures(std::function<QImage(const QString&)> pictureOf);

  QTextBrowser* Browser() const { return browser_; }
  QToolButton* BackButton() const { return back_; }
  QToolButton* ForwardButton() const { return forward_; }
  QToolButton* HomeButton() const { return home_; }

 protected:
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FollowLink(const QUrl& link);
  void GoHome();
  void TakeTitle();
  void FitScreen();

  UrlOpener& opener_;
  QTextBrowser* browser_;
  QToolButton* back_;
  QToolButton* forward_;
  QToolButton* home_;
  QUrl homePage_;
  std::function<void(QSize)> sizeChanged_;
  std::function<QString(const QString&)> titleOf_;
};

}  // namespace vextal
