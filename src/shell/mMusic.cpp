#include "shell/mMusic.h"

#include <algorithm>
#include <atomic>
#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWindow>

#include "game/Dialogs.h"
#include "shell/MusicFileCheck.h"
#include "shell/ShellPaths.h"
#include "shell/SoundLibrary.h"

namespace vextal {
namespace {

// Files beyond these sizes are not effects or tunes of this game; they are not read into memory.
constexpr qint64 kMaxEffectBytes = 16 * 1024 * 1024;
constexpr qint64 kMaxTuneBytes = 4 * 1024 * 1024;

// Reads a whole file, or nothing when it cannot be opened (a folder, no permission) or is too big.
QByteArray ReadSmallFile(const QString& path, qint64 limit) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > limit) {
    return {};
  }
  return file.readAll();
}

// True while a window that was shown has not been exposed yet. On X11 a window is drawn while its
// first expose is handled; until then the sound waits, so that loading the sound libraries
// never holds back the program's first picture.
bool WindowAwaitsFirstFrame() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return false;
  }
  const QWindowList windows = QGuiApplication::topLevelWindows();
  return std::any_of(windows.begin(), windows.end(), [](const QWindow* window) {
    return window->isVisible() && !window->isExposed();
  });
}

// The one instance whose tune the mixer reports the end of; the mixer's hook takes no argument.
std::atomic<mMusic*> gTuneOwner{nullptr};

// Percent of full to the mixer's scale.
int MixerVolume(int percent) {
  return (std::clamp(percent, 0, mMusic::kFullVolume) * MIX_MAX_VOLUME + 50) / mMusic::kFullVolume;
}

}  // namespace

mMusic::mMusic(Dialogs& dialogs)
    : mMusic(dialogs, ProgramFolder() + QStringLiteral("/sound/"),
             ProgramFolder() + QStringLiteral("/music/")) {}

mMusic::mMusic(Dialogs& dialogs, QString soundPath, QString musicPath)
    : dialogs_(dialogs), soundPath_(std::move(soundPath)), musicPath_(std::move(musicPath)) {
  menu_.PlayMusic.push_back({tr("(none)"), QString(), false, false, true});
  silenceTimer_.setSingleShot(true);
  silenceTimer_.setInterval(kCloseAfterSilenceMs);
  silenceTimer_.callOnTimeout([this] { CloseWhenSilent(); });
  openTimer_.setSingleShot(true);
  openTimer_.callOnTimeout([this] { PlayWaiting(); });
}

mMusic::~mMusic() {
  StopMusic();
  FreeChunks();
  device_.Close();
}

void mMusic::PlayWave(const QString& fileName) {
  if (soundOff_ || fileName.isEmpty() || !QFileInfo::exists(soundPath_ + fileName) ||
      !waitingEffect_.isEmpty()) {
    return;  // an effect waiting for the device counts as sounding: the new one is dropped
  }
  if (!device_.IsOpen()) {
    // Opening takes milliseconds, and the first time loads the sound libraries: never inside the
    // caller. The start-up sound then begins just after the window has appeared instead of
    // holding it back.
    waitingEffect_ = fileName;
    if (!openTimer_.isActive()) {
      openWaits_ = 0;
      openTimer_.start(0);
    }
    return;
  }
  StartEffect(fileName);
}

void mMusic::PlayWaiting() {
  // A window that never gets exposed (shown minimised, say) holds the sound back only briefly.
  if (WindowAwaitsFirstFrame() && openWaits_ < kOpenWaitLimitMs / kOpenWaitStepMs) {
    ++openWaits_;
    openTimer_.start(kOpenWaitStepMs);
    return;
  }
  const QString fileName = std::exchange(waitingEffect_, QString());
  if (!soundOff_ && !fileName.isEmpty()) {
    if (OpenDevice(false)) {
      StartEffect(fileName);
    } else {
      // Effects go off before the box: while it is up, further effects must not stack more
      // boxes.
      soundOff_ = true;
      dialogs_.Message(BoxIcon::Critical, kTitle, DeviceFailedText());
    }
  }
  // Taken only now: a tune chosen while the box was up has replaced the resumed one.
  const QString tune = std::exchange(waitingTune_, QString());
  if (!tune.isEmpty() && !StartTune(musicPath_ + tune)) {
    DropTune();
  }
}

void mMusic::StartEffect(const QString& fileName) {
  if (device_.EffectPlaying()) {
    return;  // the sounding effect is never cut short
  }
  std::shared_ptr<const EffectSamples> samples = Chunk(soundPath_ + fileName);
  if (samples != nullptr && device_.PlayEffect(std::move(samples))) {
    soundingEffect_ = fileName;
  }
  silenceTimer_.start();
}

std::shared_ptr<const EffectSamples> mMusic::Chunk(const QString& path) {
  if (const auto cached = chunks_.constFind(path);
      cached != chunks_.cend() && device_.Fits(**cached)) {
    return *cached;
  }
  const QByteArray bytes = ReadSmallFile(path, kMaxEffectBytes);
  if (bytes.isEmpty()) {
    return nullptr;
  }
  // Decoded into samples of the device's output, so the bytes are not needed afterwards. A file
  // that does not decode is not cached: it is read again next time, as an effect is rare and
  // small.
  std::shared_ptr<const EffectSamples> samples = device_.Decode(bytes);
  if (samples != nullptr) {
    chunks_.insert(path, samples);
  }
  return samples;
}

void mMusic::FreeChunks() {
  device_.HaltEffect();
  chunks_.clear();
  soundingEffect_.clear();
}

QString mMusic::SoundingEffect() const {
  if (!waitingEffect_.isEmpty()) {
    return waitingEffect_;
  }
  if (!device_.EffectPlaying()) {
    return {};
  }
  return soundingEffect_;
}

bool mMusic::PlayMusic(const QString& fileName) {
  // An empty name would name the music folder itself, which is not a tune.
  if (fileName.isEmpty() || !QFileInfo::exists(musicPath_ + fileName)) {
    return false;
  }
  if (musicPlaying_) {
    StopMusic();
  }
  if (!StartTune(musicPath_ + fileName)) {
    dialogs_.Message(BoxIcon::Critical, kTitle, MidiFailedText());
    return false;
  }
  musicPlaying_ = true;
  return true;
}

bool mMusic::StartTune(const QString& path) {
  QByteArray bytes = ReadSmallFile(path, kMaxTuneBytes);
  if (!InspectMidiFile(bytes).Valid || !OpenDevice(true)) {
    return false;
  }
  // The bytes and their source stay with the tune until it is freed, as a decoder may read
  // while it plays.
  const SoundLibrary& sdl = *device_.Mixer();
  SDL_RWops* source = sdl.SDL_RWFromConstMem(bytes.constData(), static_cast<int>(bytes.size()));
  _Mix_Music* tune = sdl.Mix_LoadMUSType_RW(source, MUS_MID, 0);
  if (tune == nullptr) {
    sdl.SDL_RWclose(source);
    return false;
  }
  if (sdl.Mix_PlayMusic(tune, 0) != 0) {  // 0: once, not repeated
    // Released at once: a tune that was loaded but would not start never lingers to block the
    // next one.
    sdl.Mix_FreeMusic(tune);
    sdl.SDL_RWclose(source);
    return false;
  }
  tune_ = tune;
  tuneSource_ = source;
  tuneBytes_ = std::move(bytes);
  tunePlays_ = 1;
  gTuneOwner = this;
  sdl.Mix_HookMusicFinished(&mMusic::OnMixerTuneFinished);
  silenceTimer_.start();
  return true;
}

void mMusic::OnMixerTuneFinished() {
  // Called with the mixer's lock held, which ReleaseTune takes to unhook: the owner is alive.
  if (mMusic* owner = gTuneOwner.load()) {
    QMetaObject::invokeMethod(
        &owner->tuneEvents_, [owner] { owner->TuneFinished(); }, Qt::QueuedConnection);
  }
}

void mMusic::TuneFinished() {
  if (tune_ == nullptr || !repeat_ || device_.Mixer() == nullptr) {
    return;
  }
  const SoundLibrary& sdl = *device_.Mixer();
  if (!sdl.Mix_PlayingMusic() && sdl.Mix_PlayMusic(tune_, 0) == 0) {
    ++tunePlays_;
    silenceTimer_.start();
  }
}

bool mMusic::OpenDevice(bool forTune) {
  const bool hadMixer = device_.Mixer() != nullptr;
  const bool wasOpen = device_.IsOpen();
  if (!device_.Open(forTune)) {
    return false;
  }
  if (!wasOpen || hadMixer != (device_.Mixer() != nullptr)) {
    ApplyVolumes();
  }
  return true;
}

void mMusic::ApplyVolumes() {
  device_.SetEffectVolume(MixerVolume(effectsVolume_));
  if (const SoundLibrary* mixer = device_.Mixer()) {
    mixer->Mix_VolumeMusic(MixerVolume(musicVolume_));
  }
}

void mMusic::SetRepeat(bool on) {
  repeat_ = on;
  MenuChanged();
}

void mMusic::SetEffectsVolume(int percent) {
  effectsVolume_ = std::clamp(percent, 0, kFullVolume);
  ApplyVolumes();
  MenuChanged();
}

void mMusic::SetMusicVolume(int percent) {
  musicVolume_ = std::clamp(percent, 0, kFullVolume);
  ApplyVolumes();
  MenuChanged();
}

void mMusic::ResumeTune(int index) {
  if (index < 1 || index >= static_cast<int>(menu_.PlayMusic.size())) {
    return;
  }
  const QString tag = menu_.PlayMusic[static_cast<std::size_t>(index)].Tag;
  if (!QFileInfo::exists(musicPath_ + tag)) {
    return;
  }
  StopMusic();
  for (std::size_t i = 0; i < menu_.PlayMusic.size(); ++i) {
    menu_.PlayMusic[i].Checked = static_cast<int>(i) == index;
  }
  menu_.StopMusicChecked = false;
  musicPlaying_ = true;
  waitingTune_ = tag;
  if (!openTimer_.isActive()) {
    openWaits_ = 0;
    openTimer_.start(0);
  }
  MenuChanged();
}

void mMusic::DropTune() {
  for (MusicMenuItem& item : menu_.PlayMusic) {
    item.Checked = false;
  }
  menu_.StopMusicChecked = true;
  musicPlaying_ = false;
  MenuChanged();
  if (onTuneDropped_) {
    onTuneDropped_();
  }
}

void mMusic::StopMusic() {
  waitingTune_.clear();
  ReleaseTune();
  musicPlaying_ = false;
}

void mMusic::ReleaseTune() {
  if (tune_ != nullptr) {
    const SoundLibrary& sdl = *SoundLibrary::Load();  // loaded with the tune, kept for the run
    sdl.Mix_HookMusicFinished(nullptr);               // before the halt, which reports a finish too
    gTuneOwner = nullptr;
    tunePlays_ = 0;
    sdl.Mix_HaltMusic();
    sdl.Mix_FreeMusic(tune_);
    sdl.SDL_RWclose(tuneSource_);
    tune_ = nullptr;
    tuneSource_ = nullptr;
    tuneBytes_.clear();
  }
}

void mMusic::CloseWhenSilent() {
  if (!device_.IsOpen()) {
    return;
  }
  if (device_.EffectPlaying() || (tune_ != nullptr && device_.Mixer()->Mix_PlayingMusic())) {
    silenceTimer_.start();
    return;
  }
  // A tune that ended by itself is let go; MusicPlaying still tells that one was started.
  ReleaseTune();
  FreeChunks();
  device_.Close();
}

void mMusic::FillMusicList() {
  menu_.PlayMusic.resize(1);
  MusicMenuItem& none = menu_.PlayMusic.front();
  none.Enabled = false;
  none.Visible = true;
  if (!musicPath_.isEmpty()) {  // an empty QDir path would list the working folder
    const QStringList names =
        EntriesNamed(QDir(musicPath_), u"", u".mid",
                     QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                     QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
      menu_.PlayMusic.front().Visible = false;
      menu_.PlayMusic.push_back({name.left(name.size() - 4), name, false, true, true});
    }
  }
  MenuChanged();
}

void mMusic::mnuEnableSound_Click() {
  menu_.EnableSoundChecked = !menu_.EnableSoundChecked;
  soundOff_ = !menu_.EnableSoundChecked;
  MenuChanged();
}

void mMusic::mnuPlayMusic_Click(int index) {
  if (index >= 0 && index < static_cast<int>(menu_.PlayMusic.size()) &&
      PlayMusic(menu_.PlayMusic[static_cast<std::size_t>(index)].Tag)) {
    for (std::size_t i = 0; i < menu_.PlayMusic.size(); ++i) {
      menu_.PlayMusic[i].Checked = static_cast<int>(i) == index;
    }
    menu_.StopMusicChecked = false;
  }
  MenuChanged();
}

void mMusic::mnuStopMusic_Click() {
  for (MusicMenuItem& item : menu_.PlayMusic) {
    item.Checked = false;
  }
  menu_.StopMusicChecked = true;
  StopMusic();
  MenuChanged();
}

void mMusic::MenuChanged() {
  if (onMenuChanged_) {
    onMenuChanged_();
  }
}

}  // namespace vextal
