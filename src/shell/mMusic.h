#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

#include "game/ChoiceTable.h"
#include "shell/AudioDevice.h"

struct SDL_RWops;
struct _Mix_Music;

namespace vextal {

class Dialogs;

// The steps the menus offer for the effects and the music volume, in percent of full. The
// captions read the same in every language.
inline constexpr ChoiceTable<int, 4> kVolumeChoices = {
    {{100, "100", "100 %"}, {75, "75", "75 %"}, {50, "50", "50 %"}, {25, "25", "25 %"}}};

// One entry of the tune list under "Background music" (mnuPlayMusic).
struct MusicMenuItem {
  QString Caption;  // the file name without its last four characters
  QString Tag;      // the file name, extension included
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
};

// The state of the three places where the user controls sound. A window mirrors it in its
// menus: after FillMusicList it creates one action per entry of PlayMusic, and on every change
// notification it copies the check marks and the enabled and visible states.
struct MusicMenu {
  std::vector<MusicMenuItem> PlayMusic;  // index 0 is the placeholder "(none)"
  bool StopMusicChecked = true;          // "No music"
  bool EnableSoundChecked = true;        // "Sound effects"
};

// The game's sound: short wav effects from the "sound" folder and one MIDI tune at a time from
// the "music" folder, both beside the program, with the menu logic that switches them.
//
// The audio device is opened on the first effect or tune, never before. An effect that needs it
// opened is started from the event loop once every shown window has been drawn, so neither its
// caller nor the program's first picture waits for the sound libraries to load (start-up plays
// "reset.wav" before the window is shown); a tune, whose command needs the answer, opens the
// device at once. Failures
// are told through the Dialogs seam: a tune that cannot be started gives the MIDI message; an
// audio device that cannot be opened for an effect gives the device message once and turns the
// effects off (the "Sound effects" check mark is left as it was).
//
// Only one instance should exist at a time: the mixer and its music stream are process-wide.
class mMusic {
 public:
  Q_DECLARE_TR_FUNCTIONS(mMusic)

 public:
  // In the language of the run, so asked for when shown.
  static QString MidiFailedText() {
    return tr("Could not play MIDI music! Check your sound settings.");
  }
  static QString DeviceFailedText() {
    return tr("Sound device not available. Sound will be disabled");
  }
  static inline const QString kTitle = QStringLiteral("Vextal");

  // Folders beside the program: ProgramFolder() + "/sound/" and + "/music/".
  explicit mMusic(Dialogs& dialogs);
  // Folders given in full, each ending in a separator.
  mMusic(Dialogs& dialogs, QString soundPath, QString musicPath);
  // Stops the tune and closes the audio device.
  ~mMusic();
  mMusic(const mMusic&) = delete;
  mMusic& operator=(const mMusic&) = delete;

  const QString& SoundPath() const { return soundPath_; }
  const QString& MusicPath() const { return musicPath_; }
  void SetSoundPath(const QString& path) { soundPath_ = path; }
  void SetMusicPath(const QString& path) { musicPath_ = path; }
  // True: effects are not played.
  bool SoundOff() const { return soundOff_; }
  // True after a tune was started, false after a stop; a tune that ends by itself leaves it true.
  bool MusicPlaying() const { return musicPlaying_; }

  // Plays SoundPath + fileName in the background, from the event loop's next pass when the
  // device is closed. An empty name, a missing file or effects switched off play nothing; while
  // an earlier effect still sounds or waits for the device the new one is dropped.
  void PlayWave(const QString& fileName);
  // Starts MusicPath + fileName once, stopping any tune before. False, without a message, when
  // the file does not exist; false with the MIDI message when it cannot be opened or started.
  bool PlayMusic(const QString& fileName);
  // Stops and frees the tune, if any. Never reports anything.
  void StopMusic();
  // Starts the tune of entry index (1 and up) as its menu item would, but from the event loop
  // once the window has been drawn, and without a box when it cannot play: the marks go back to
  // "No music" and the callback of SetTuneDropped is told. For a tune kept from an earlier run,
  // which the program starts before its window is shown. Marks and MusicPlaying show the tune
  // at once.
  void ResumeTune(int index);
  void SetTuneDropped(std::function<void()> onDropped) { onTuneDropped_ = std::move(onDropped); }

  // "Repeat": a tune that ends starts again from its beginning, until it is stopped or Repeat is
  // turned off (the tune then ends where it is). Off by default: a tune plays once.
  bool Repeat() const { return repeat_; }
  void SetRepeat(bool on);
  // How many times the tune playing has started, its first start included; 0 without a tune.
  int TunePlays() const { return tunePlays_; }

  // Loudness of the effects and of the tunes, in percent of full (0 to 100; full by default).
  static constexpr int kFullVolume = 100;
  int EffectsVolume() const { return effectsVolume_; }
  void SetEffectsVolume(int percent);
  int MusicVolume() const { return musicVolume_; }
  void SetMusicVolume(int percent);

  // Fills the tune list from the "*.mid" entries of MusicPath, in name order (case ignored).
  // Like the directory listing it comes from, it also lists sub-folders whose names end in
  // ".mid"; choosing one gives the MIDI message.
  void FillMusicList();

  // The menu commands.
  void mnuEnableSound_Click();
  void mnuPlayMusic_Click(int index);
  void mnuStopMusic_Click();

  const MusicMenu& Menu() const { return menu_; }
  // Called after FillMusicList and after every menu command, whether or not a mark changed, so a
  // window whose actions toggle themselves on a click is always put back to the model.
  void SetMenuChanged(std::function<void()> onChanged) { onMenuChanged_ = std::move(onChanged); }

  // The file name of the effect still sounding or waiting for the device, or empty.
  QString SoundingEffect() const;
  bool DeviceOpen() const { return device_.IsOpen(); }

  // How long the device stays open once nothing sounds. An open device keeps the sound system
  // busy mixing silence and holds SDL in memory, so a game left alone closes it; the next sound
  // opens it again, in milliseconds. Three seconds keep it open through quick exchanges of moves
  // and let the start-up sound's device go soon after the window has appeared.
  static constexpr int kCloseAfterSilenceMs = 3000;
  void SetCloseAfterSilence(int ms) { silenceTimer_.setInterval(ms); }

 private:
  void PlayWaiting();
  void DropTune();
  // Opens the device for the effects, or with the mixer for a tune.
  bool OpenDevice(bool forTune);
  void ApplyVolumes();
  void TuneFinished();
  static void OnMixerTuneFinished();  // on the audio thread
  void StartEffect(const QString& fileName);
  std::shared_ptr<const EffectSamples> Chunk(const QString& path);
  bool StartTune(const QString& path);
  void FreeChunks();
  void ReleaseTune();
  void CloseWhenSilent();
  void MenuChanged();

  Dialogs& dialogs_;
  QString soundPath_;
  QString musicPath_;
  bool soundOff_ = false;
  bool musicPlaying_ = false;

  AudioDevice device_;
  QHash<QString, std::shared_ptr<const EffectSamples>> chunks_;  // decoded effects by full path
  QString soundingEffect_;
  QString waitingEffect_;  // requested while the device was closed
  QString waitingTune_;    // resumed, to start once the window has been drawn
  QTimer openTimer_;       // opens the device and plays waitingEffect_ and waitingTune_
  int openWaits_ = 0;      // passes of openTimer_ spent waiting for a window to be drawn
  static constexpr int kOpenWaitStepMs = 2;
  static constexpr int kOpenWaitLimitMs = 500;
  _Mix_Music* tune_ = nullptr;
  SDL_RWops* tuneSource_ = nullptr;
  QByteArray tuneBytes_;  // the tune's file, read through tuneSource_
  QTimer silenceTimer_;
  QObject tuneEvents_;  // receives the mixer's "tune finished" from its audio thread
  bool repeat_ = false;
  int tunePlays_ = 0;
  int effectsVolume_ = kFullVolume;
  int musicVolume_ = kFullVolume;

  MusicMenu menu_;
  std::function<void()> onMenuChanged_;
  std::function<void()> onTuneDropped_;
};

}  // namespace vextal
