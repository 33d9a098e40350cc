#pragma once

#include <functional>
#include <memory>

#include <QCoreApplication>
#include <QSize>
#include <QString>

#include "game/Dialogs.h"
#include "shell/UrlOpener.h"
#include "shell/Website.h"

namespace vextal {

class HelpViewer;

// The product's web pages behind the Help menu and the donate label: each is shown from the web
// site, or, for the pages that ship with the program, from the local copy beside it: through the
// desktop, or, where the desktop cannot open it either, in the program's own viewer. A build
// without a web site shows the local copies in the viewer at once, and its web site and guest
// book lead nowhere.
class Pages {
  Q_DECLARE_TR_FUNCTIONS(Pages)

 public:
  // programFolder: where the local documents are looked for, without a trailing separator.
  // websiteBase: the site's address ending in "/", or empty for none.
  Pages(UrlOpener& opener, Dialogs& dialogs, QString programFolder,
        QString websiteBase = WebsiteBase());
  ~Pages();
  Pages(const Pages&) = delete;
  Pages& operator=(const Pages&) = delete;

  bool HasWebsite() const { return !websiteBase_.isEmpty(); }
  // The home page's address, empty without a web site.
  QString HomeAddress() const { return WebsiteHome(websiteBase_); }

  // Shows the address in a browser; true when the browser took it. Reports nothing itself.
  bool OpenBrowser(const QString& address);

  // Shows the page from the web site; failing that, its local copy, through the desktop or in
  // the viewer; failing that, an error box that names the page.
  void OpenPage(const QString& pageName);

  // One entry per command. The web site and the guest book have no local copy and fail silently.
  void OpenWebsite();        // "Vextal website"
  void OpenGuestbook();      // "Guestbook"
  void OpenUpdatePage();     // "Web update"
  void OpenReadmeEnglish();  // "Readme (english)"
  void OpenReadmeGerman();   // "Readme (deutsch)"
  // The read-me of a language by its code (readme_<code>.html), English where it has none.
  void OpenReadme(const QString& language);
  // "How to play" in a language by its code (howto_<code>.html), English where it has none,
  // always in the program's own viewer, which paints its pictures.
  void OpenHowTo(const QString& language);
  void OpenPayPal();      // "PayPal"
  void OpenDonatePage();  // a click on the donate label

  // The viewer's title of a page written in every language, in the one shown; empty for others.
  static QString ViewerTitle(const QString& fileName);

  // The program's own document window, or null until a page first needed it.
  HelpViewer* Viewer() const { return viewer_.get(); }
  // The window size's factor, for the viewer now and when it is made.
  void SetSizeFactor(double factor);

  // Closes the viewer if it is open, as the program ends.
  void CloseViewer();

  // Where the viewer keeps its size between runs; without one it opens at its designed size.
  void SetViewerSizeStore(std::function<QSize()> load, std::function<void(QSize)> save);

 private:
  void ShowInViewer(const QString& path);

  UrlOpener& opener_;
  Dialogs& dialogs_;
  QString programFolder_;
  QString websiteBase_;
  std::function<QSize()> loadViewerSize_;
  std::function<void(QSize)> saveViewerSize_;
  std::unique_ptr<HelpViewer> viewer_;
  double sizeFactor_ = 1.0;
};

}  // namespace vextal
