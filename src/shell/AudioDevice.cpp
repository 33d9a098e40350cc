#include "shell/AudioDevice.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include <QFileInfo>

#include "shell/SoundLibrary.h"

namespace vextal {
namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 1024;  // about 23 ms: effects start promptly after a click
// As the mixer opens its device: the output's rate and channels are taken as they come, the
// samples are converted to them.
constexpr int kAllowedChanges = SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE;

// Mix_Init and Mix_Quit act on the whole process; count the devices open with the mixer so that
// the MIDI decoder is only unloaded when the last one closes.
int gMixerDevices = 0;

// Leaves SDL entirely once nothing of it is in use, so that its hints, error texts and thread
// data are released too, and then lets the library go.
void QuitAudio(const SdlLibrary& sdl) {
  sdl.SDL_QuitSubSystem(SDL_INIT_AUDIO);
  if (sdl.SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
    sdl.SDL_Quit();
  }
  SdlLibrary::Release();
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

bool AudioDevice::Open(bool withMixer) {
  const bool useMixer = withMixer || SoundLibrary::Loaded();
  if (!open_) {
    const SdlLibrary* sdl = SdlLibrary::Load();
    if (sdl == nullptr || !SoundLibrary::Installed(*sdl)) {
      SdlLibrary::Release();
      return false;
    }
    sdl_ = sdl;
    // The program owns its signals and main(); SDL only provides the sound output here.
    sdl->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sdl->SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Vextal");
    sdl->SDL_SetMainReady();
    if (sdl->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || !(useMixer ? OpenMixer() : OpenSdl())) {
      QuitAudio(*sdl);
      return false;
    }
    open_ = true;
    return true;
  }
  if (mixer_ != nullptr || !useMixer) {
    return true;
  }
  // From SDL alone to the mixer: the effect sounding goes on through the mixer's channel. The
  // mixer is loaded first, so that a machine without it keeps its effects.
  if (SoundLibrary::Load() == nullptr) {
    return false;
  }
  sdl_->SDL_CloseAudioDevice(device_);  // waits for the callback: effect_ and played_ are ours
  device_ = 0;
  std::shared_ptr<const EffectSamples> sounding = std::exchange(effect_, nullptr);
  const std::size_t played = std::exchange(played_, 0);
  if (!OpenMixer()) {
    if (OpenSdl()) {
      if (sounding != nullptr && Fits(*sounding)) {
        effect_ = std::move(sounding);
        played_ = played;
      }
    } else {
      open_ = false;
      QuitAudio(*sdl_);
    }
    return false;
  }
  if (sounding != nullptr && Fits(*sounding) && played < sounding->Bytes.size()) {
    quickChunk_ = mixer_->Mix_QuickLoad_RAW(const_cast<Uint8*>(sounding->Bytes.data()) + played,
                                            Uint32(sounding->Bytes.size() - played));
    if (quickChunk_ != nullptr &&
        mixer_->Mix_PlayChannelTimed(kEffectChannel, quickChunk_, 0, -1) >= 0) {
      effect_ = std::move(sounding);
    } else {
      FreeQuickChunk();
    }
  }
  return true;
}

bool AudioDevice::OpenSdl() {
  SDL_AudioSpec wanted{};
  wanted.freq = kRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = kChannels;
  wanted.samples = kBufferFrames;
  wanted.callback = &AudioDevice::Fill;
  wanted.userdata = this;
  SDL_AudioSpec obtained{};
  device_ = sdl_->SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, kAllowedChanges);
  if (device_ == 0) {
    return false;
  }
  frequency_ = obtained.freq;
  format_ = obtained.format;
  channels_ = obtained.channels;
  silence_ = obtained.silence;
  sdl_->SDL_PauseAudioDevice(device_, 0);
  return true;
}

bool AudioDevice::OpenMixer() {
  const SoundLibrary* mixer = SoundLibrary::Load();
  if (mixer == nullptr) {
    return false;
  }
  // Without a MIDI decoder the device still plays effects; a tune then fails when loaded.
  mixer->Mix_Init(MIX_INIT_MID);
  const QByteArray soundFont = SoundFont().toLocal8Bit();
  if (!soundFont.isEmpty()) {
    mixer->Mix_SetSoundFonts(soundFont.constData());
  }
  if (mixer->Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kBufferFrames) != 0) {
    if (gMixerDevices == 0) {
      mixer->Mix_Quit();
    }
    return false;
  }
  mixer->Mix_AllocateChannels(kEffectChannel + 1);
  Uint16 format = 0;
  mixer->Mix_QuerySpec(&frequency_, &format, &channels_);
  format_ = format;
  mixer->Mix_Volume(kEffectChannel, effectVolume_);
  ++gMixerDevices;
  mixer_ = mixer;
  return true;
}

void AudioDevice::Close() {
  if (!open_) {
    return;
  }
  open_ = false;
  if (mixer_ != nullptr) {
    FreeQuickChunk();
    mixer_->Mix_CloseAudio();
    if (--gMixerDevices == 0) {
      mixer_->Mix_Quit();
    }
    mixer_ = nullptr;
  } else {
    sdl_->SDL_CloseAudioDevice(device_);
    device_ = 0;
  }
  effect_.reset();
  played_ = 0;
  QuitAudio(*sdl_);
}

void AudioDevice::Fill(void* device, unsigned char* stream, int length) {
  auto* self = static_cast<AudioDevice*>(device);
  std::memset(stream, self->silence_, static_cast<std::size_t>(length));
  const EffectSamples* effect = self->effect_.get();
  if (effect != nullptr && self->played_ < effect->Bytes.size()) {
    // As the mixer adds its channel: the effect's samples at its volume, clipped.
    const std::size_t bytes =
        std::min(static_cast<std::size_t>(length), effect->Bytes.size() - self->played_);
    self->sdl_->SDL_MixAudioFormat(stream, effect->Bytes.data() + self->played_,
                                   static_cast<SDL_AudioFormat>(self->format_), Uint32(bytes),
                                   self->effectVolume_);
    self->played_ += bytes;
  }
}

std::shared_ptr<const EffectSamples> AudioDevice::Decode(const QByteArray& wav) const {
  if (!open_ || wav.isEmpty()) {
    return nullptr;
  }
  SDL_RWops* source = sdl_->SDL_RWFromConstMem(wav.constData(), static_cast<int>(wav.size()));
  SDL_AudioSpec wavFormat{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  const bool loaded = source != nullptr &&
                      sdl_->SDL_LoadWAV_RW(source, 0, &wavFormat, &samples, &length) != nullptr;
  if (source != nullptr) {
    sdl_->SDL_RWclose(source);
  }
  if (!loaded) {
    return nullptr;
  }
  auto out = std::make_shared<EffectSamples>();
  out->Frequency = frequency_;
  out->Format = format_;
  out->Channels = channels_;
  bool converted = true;
  if (wavFormat.format != format_ || wavFormat.channels != channels_ ||
      wavFormat.freq != frequency_) {
    // The mixer's conversion of a loaded wav, step by step: whole frames, SDL's converter.
    SDL_AudioCVT cvt{};
    converted = sdl_->SDL_BuildAudioCVT(&cvt, wavFormat.format, wavFormat.channels, wavFormat.freq,
                                        static_cast<SDL_AudioFormat>(format_),
                                        static_cast<Uint8>(channels_), frequency_) >= 0;
    if (converted) {
      const Uint32 frameBytes = ((wavFormat.format & 0xFF) / 8) * wavFormat.channels;
      cvt.len = static_cast<int>(length & ~(frameBytes - 1));
      out->Bytes.assign(static_cast<std::size_t>(cvt.len) * std::size_t(cvt.len_mult), 0);
      std::memcpy(out->Bytes.data(), samples, static_cast<std::size_t>(cvt.len));
      cvt.buf = out->Bytes.data();
      converted = sdl_->SDL_ConvertAudio(&cvt) >= 0;
      out->Bytes.resize(static_cast<std::size_t>(cvt.len_cvt));
    }
  } else {
    out->Bytes.assign(samples, samples + length);
  }
  sdl_->SDL_FreeWAV(samples);
  return converted ? std::move(out) : nullptr;
}

bool AudioDevice::Fits(const EffectSamples& samples) const {
  return samples.Frequency == frequency_ && samples.Format == format_ &&
         samples.Channels == channels_;
}

bool AudioDevice::PlayEffect(std::shared_ptr<const EffectSamples> samples) {
  if (!open_ || samples == nullptr || !Fits(*samples) || EffectPlaying()) {
    return false;
  }
  if (mixer_ != nullptr) {
    FreeQuickChunk();
    effect_.reset();
    quickChunk_ = mixer_->Mix_QuickLoad_RAW(const_cast<Uint8*>(samples->Bytes.data()),
                                            Uint32(samples->Bytes.size()));
    if (quickChunk_ == nullptr ||
        mixer_->Mix_PlayChannelTimed(kEffectChannel, quickChunk_, 0, -1) < 0) {
      FreeQuickChunk();
      return false;
    }
    effect_ = std::move(samples);
    return true;
  }
  sdl_->SDL_LockAudioDevice(device_);
  effect_ = std::move(samples);
  played_ = 0;
  sdl_->SDL_UnlockAudioDevice(device_);
  return true;
}

bool AudioDevice::EffectPlaying() const {
  if (!open_) {
    return false;
  }
  if (mixer_ != nullptr) {
    return mixer_->Mix_Playing(kEffectChannel) != 0;
  }
  sdl_->SDL_LockAudioDevice(device_);
  const bool playing = effect_ != nullptr && played_ < effect_->Bytes.size();
  sdl_->SDL_UnlockAudioDevice(device_);
  return playing;
}

void AudioDevice::HaltEffect() {
  if (!open_) {
    return;
  }
  if (mixer_ != nullptr) {
    mixer_->Mix_HaltChannel(-1);
    FreeQuickChunk();
    effect_.reset();
    return;
  }
  sdl_->SDL_LockAudioDevice(device_);
  std::shared_ptr<const EffectSamples> halted = std::exchange(effect_, nullptr);
  played_ = 0;
  sdl_->SDL_UnlockAudioDevice(device_);
}

void AudioDevice::SetEffectVolume(int volume) {
  volume = std::clamp(volume, 0, kFullVolume);
  if (!open_) {
    effectVolume_ = volume;
  } else if (mixer_ != nullptr) {
    effectVolume_ = volume;
    mixer_->Mix_Volume(kEffectChannel, volume);
  } else {
    sdl_->SDL_LockAudioDevice(device_);
    effectVolume_ = volume;
    sdl_->SDL_UnlockAudioDevice(device_);
  }
}

void AudioDevice::FreeQuickChunk() {
  if (quickChunk_ != nullptr) {
    mixer_->Mix_FreeChunk(quickChunk_);  // halts the channel if it still plays it
    quickChunk_ = nullptr;
  }
}

}  // namespace vextal
