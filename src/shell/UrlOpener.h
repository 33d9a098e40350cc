#pragma once

#include <QString>

namespace vextal {

// How a page reaches the screen. The program asks the desktop (DesktopUrlOpener); tests put in
// fakes so that nothing real is ever launched.
class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // Shows a web address (or a mail address) in the desktop's program for it; false when none
  // could be started.
  virtual bool OpenWebAddress(const QString& address) = 0;
  // Opens a local file with the program associated with its type; false when the desktop has
  // no way to open it.
  virtual bool OpenLocalFile(const QString& path) = 0;
};

// The desktop's default browser and file associations.
class DesktopUrlOpener : public UrlOpener {
 public:
  bool OpenWebAddress(const QString& address) override;
  bool OpenLocalFile(const QString& path) override;
};

}  // namespace vextal
