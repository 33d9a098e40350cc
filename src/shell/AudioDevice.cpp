#include "shell/AudioDevice.h"

#include <QFileInfo>

#include "shell/SoundLibrary.h"

namespace vextal {
namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 1024;  // about 23 ms: effects start promptly after a click

// Mix_Init and Mix_Quit act on the whole process; count the open devices so that the MIDI
// decoder is only unloaded when the last one closes.
int gOpenDevices = 0;

// Leaves SDL entirely once nothing of it is in use, so that its hints, error texts and thread
// data are released too.
void QuitAudio(const SoundLibrary& sdl) {
  sdl.SDL_QuitSubSystem(SDL_INIT_AUDIO);
  if (sdl.SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
    sdl.SDL_Quit();
  }
}

}  // namespace

AudioDevice::~AudioDevice() {
  Close();
}

QString AudioDevice::SoundFont() {
  static const char* const kCandidates[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2",
                                            "/usr/share/sounds/sf2/default-GM.sf2"};
  for (const char* candidate : kCandidates) {
    if (QFileInfo(QString::fromLatin1(candidate)).isFile()) {
      return QString::fromLatin1(candidate);
    }
  }
  return {};
}

bool AudioDevice::Open() {
  if (open_) {
    return true;
  }
  const SoundLibrary* sdl = SoundLibrary::Load();
  if (sdl == nullptr) {
    return false;
  }
  sdl_ = sdl;
  // The program owns its signals and main(); SDL only provides the sound output here.
  sdl->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  sdl->SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Vextal");
  sdl->SDL_SetMainReady();
  if (sdl->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    QuitAudio(*sdl);
    return false;
  }
  // Without a MIDI decoder the device still plays effects; a tune then fails when loaded.
  sdl->Mix_Init(MIX_INIT_MID);
  const QByteArray soundFont = SoundFont().toLocal8Bit();
  if (!soundFont.isEmpty()) {
    sdl->Mix_SetSoundFonts(soundFont.constData());
  }
  if (sdl->Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kBufferFrames) != 0) {
    if (gOpenDevices == 0) {
      sdl->Mix_Quit();
    }
    QuitAudio(*sdl);
    return false;
  }
  sdl->Mix_AllocateChannels(kEffectChannel + 1);
  ++gOpenDevices;
  open_ = true;
  return true;
}

void AudioDevice::Close() {
  if (!open_) {
    return;
  }
  open_ = false;
  sdl_->Mix_CloseAudio();
  if (--gOpenDevices == 0) {
    sdl_->Mix_Quit();
  }
  QuitAudio(*sdl_);
}

}  // namespace vextal
