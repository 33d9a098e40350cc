#pragma once

#include <functional>
#include <memory>

#include <QSize>

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include "game/CpuLevel.h"
#include "shell/UiLanguage.h"
#include "shell/WindowSize.h"

class QSettings;

namespace vextal {

// What the program keeps between runs: "Sound effects", the tune playing (by file name) or "No
// music", "Enable CPU player", the CPU strength, "Mark last move", the window size, the language,
// the server address typed last and the size of the Help viewer. Every value is written as soon as
// it is set. Nothing else is kept: the demo and the stage start afresh with every run.
//
// Every value has a default, the state of a first start. A store that is missing, cannot be
// read or does not parse, and a value that is not one this program writes, read as the default.
class ShellSettings {
 public:
  // Remembers nothing between runs: a value set is read back while the store lives, and a new
  // store gives the defaults.
  ShellSettings();
  // The user's own store in the desktop's usual place (~/.config/Vextal/Vextal.conf on Linux).
  static ShellSettings ForUser();
  // A store in one INI file, created when the first value is written.
  explicit ShellSettings(const QString& iniFile);
  ShellSettings(ShellSettings&&) noexcept;
  ShellSettings& operator=(ShellSettings&&) noexcept;
  ~ShellSettings();

  static inline const QString kOrganization = QStringLiteral("Vextal");
  static inline const QString kApplication = QStringLiteral("Vextal");

  bool SoundEffects() const;  // true
  void SetSoundEffects(bool on);
  QString Tune() const;  // empty: "No music"
  void SetTune(const QString& fileName);
  bool CpuPlayer() const;  // false
  void SetCpuPlayer(bool on);
  CpuLevel CpuStrength() const;  // Classic
  void SetCpuStrength(CpuLevel level);
  bool MarkLastMove() const;  // true
  void SetMarkLastMove(bool on);
  WindowSize Size() const;  // Normal
  void SetSize(WindowSize size);
  QString Language() const;  // a code of BuiltLanguages(), or empty for System
  void SetLanguage(const QString& language);
  QString LastServerAddress() const;  // empty
  void SetLastServerAddress(const QString& address);

  QSize HelpViewerSize() const;  // empty: the viewer's designed size
  void SetHelpViewerSize(QSize size);

  // Called with the file's path the first time a value cannot be written to it (a folder in its
  // place, a read-only file or folder); the store keeps the value for this run and says nothing
  // more about later failures.
  void SetWriteFailed(std::function<void(const QString& path)> report);

  // The file the values live in; empty for a store that remembers nothing.
  QString FileName() const;

 private:
  explicit ShellSettings(std::unique_ptr<QSettings> store);
  QVariant Read(const QString& key) const;
  bool ReadBool(const QString& key, bool otherwise) const;
  QString ReadText(const QString& key) const;
  void Write(const QString& key, const QVariant& value);

  std::unique_ptr<QSettings> store_;
  QVariantMap memory_;  // the values of a store without a file
  bool readable_ = false;
  bool failureReported_ = false;
  std::function<void(const QString&)> writeFailed_;
};

}  // namespace vextal
