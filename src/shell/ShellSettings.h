#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QSize>

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include "game/CpuLevel.h"
#include "render/ColorSchemes.h"
#include "shell/UiLanguage.h"
#include "shell/WindowSize.h"

class QSettings;

namespace vextal {

// What the program keeps between runs: "Sound effects", the tune playing (by file name) or "No
// music", "Repeat" and the two volumes, "Enable CPU player", the CPU strength, "Mark last move",
// "Visual cues", the players' colours, the window size, the language, the server address typed
// last and the size of the Help viewer. Every value is written as soon as it is set. Nothing else
// is kept: the demo and the stage start afresh with every run.
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
  bool RepeatTune() const;  // false: a tune plays once
  void SetRepeatTune(bool on);
  int EffectsVolume() const;  // 100, in percent of full
  void SetEffectsVolume(int percent);
  int MusicVolume() const;  // 100
  void SetMusicVolume(int percent);
  bool CpuPlayer() const;  // false
  void SetCpuPlayer(bool on);
  CpuLevel CpuStrength() const;  // Classic
  void SetCpuStrength(CpuLevel level);
  bool MarkLastMove() const;  // true
  // False until the first start has shown where to find "How to play".
  bool WelcomeShown() const;
  void SetWelcomeShown();
  void SetMarkLastMove(bool on);
  bool VisualCues() const;  // false
  void SetVisualCues(bool on);
  // The players' colours once chosen; nothing until then (the desktop's choice decides).
  std::optional<ColorScheme> PlayerColors() const;
  void SetPlayerColors(ColorScheme scheme);
  WindowSize Size() const;  // Normal
  void SetSize(WindowSize size);
  QString Language() const;  // a code of BuiltLanguages(), or empty for System
  void SetLanguage(const QString& language);
  QString LastServerAddress() const;  // empty
  void SetLastServerAddress(const QString& address);
  QString RecordFolder() const;  // where a game was last saved or opened; empty
  void SetRecordFolder(const QString& folder);
  // The internet account (its password is kept in the desktop's keyring, never here).
  QString InternetAddress() const;  // empty
  void SetInternetAddress(const QString& address);
  bool InternetAutoLogIn() const;  // false
  void SetInternetAutoLogIn(bool on);
  QString InternetFriend() const;  // the address invited last; empty
  void SetInternetFriend(const QString& address);
  QString InternetLobbyRoom() const;  // room@service; empty: the server's own chat service
  void SetInternetLobbyRoom(const QString& room);
  QString InternetLobbyName() const;  // the nickname there; empty: the address's name part
  void SetInternetLobbyName(const QString& name);

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
  int ReadPercent(const QString& key, int otherwise) const;
  void Write(const QString& key, const QVariant& value);

  std::unique_ptr<QSettings> store_;
  QVariantMap memory_;  // the values of a store without a file
  bool readable_ = false;
  bool failureReported_ = false;
  std::function<void(const QString&)> writeFailed_;
};

}  // namespace vextal
