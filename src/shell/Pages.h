#pragma once

#include <QString>

#include "game/Dialogs.h"

namespace vextal {

// How a page reaches the screen. The program asks the desktop (DesktopUrlOpener); tests put in
// fakes so that nothing real is ever launched.
class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // Shows a web address in a browser; false when no browser could be started.
  virtual bool OpenWebAddress(const QString& address) = 0;
  // Opens a local file with the program associated with its type. Whether that worked is not
  // reported: there is nothing left to fall back to.
  virtual void OpenLocalFile(const QString& path) = 0;
};

// The desktop's default browser and file associations.
class DesktopUrlOpener : public UrlOpener {
 public:
  bool OpenWebAddress(const QString& address) override;
  void OpenLocalFile(const QString& path) override;
};

// The product's web pages behind the Help menu and the donate label: each is shown from the web
// site, or, for the pages that ship with the program, from the local copy beside it.
class Pages {
 public:
  // programFolder: where the local documents are looked for, without a trailing separator.
  Pages(UrlOpener& opener, Dialogs& dialogs, QString programFolder);

  // Shows the address in a browser; true when the browser took it. Reports nothing itself.
  bool OpenBrowser(const QString& address);

  // Shows the page from the web site; failing that, its local copy; failing that, an error box
  // that names the page.
  void OpenPage(const QString& pageName);

  // One entry per command. The web site and the guest book have no local copy and fail silently.
  void OpenWebsite();        // "Vextal website"
  void OpenGuestbook();      // "Guestbook"
  void OpenUpdatePage();     // "Web update"
  void OpenReadmeEnglish();  // "Readme (english)"
  void OpenReadmeGerman();   // "Readme (deutsch)"
  void OpenPayPal();         // "PayPal"
  void OpenDonatePage();     // a click on the donate label

 private:
  UrlOpener& opener_;
  Dialogs& dialogs_;
  QString programFolder_;
};

}  // namespace vextal
