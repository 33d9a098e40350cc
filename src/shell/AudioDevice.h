#pragma once

#include <memory>
#include <vector>

#include <QByteArray>
#include <QString>

struct Mix_Chunk;

namespace vextal {

struct SdlLibrary;
struct SoundLibrary;

// An effect decoded into the samples of the device's output, in the format it was opened with.
struct EffectSamples {
  std::vector<unsigned char> Bytes;
  int Frequency = 0;
  unsigned Format = 0;
  int Channels = 0;
};

// The audio output shared by the effects and the tunes. Opened on first use, so a run that never
// makes a sound never touches the sound system, and a machine without sound starts at once.
//
// It opens one of two ways. For effects alone, SDL's audio device with a callback of its own
// that plays one effect at a time, as the mixer's one channel did: SDL is all that is loaded
// (SdlLibrary). For a tune, SDL's mixer on top, with FluidSynth for MIDI and a General MIDI
// soundfont (SoundLibrary), loaded by the first tune; the effects then go through the mixer's
// channel. Once the mixer is loaded it stays for the run (see SoundLibrary), and every later
// opening uses it; until then closing the device lets SDL go (SdlLibrary::Release).
class AudioDevice {
 public:
  // The one mixer channel the effects share; an effect never interrupts another.
  static constexpr int kEffectChannel = 0;
  // Full loudness, as the mixer counts it.
  static constexpr int kFullVolume = 128;

  AudioDevice() = default;
  ~AudioDevice();
  AudioDevice(const AudioDevice&) = delete;
  AudioDevice& operator=(const AudioDevice&) = delete;

  // Opens the device unless it is open already, with the mixer when `withMixer` or when it is
  // loaded anyway. A device open without the mixer is opened again with it when `withMixer`;
  // the effect sounding then goes on from where it was. False when the libraries cannot be
  // loaded or there is no usable audio output; the device is then closed, and a later call
  // tries again.
  bool Open(bool withMixer);
  void Close();
  bool IsOpen() const { return open_; }
  // The mixer's functions while the device is open with it, otherwise null.
  const SoundLibrary* Mixer() const { return open_ ? mixer_ : nullptr; }

  // Decodes a wav file into the device's output format; null when it is not one. Only while
  // open. `Fits` tells whether samples decoded earlier still suit the device as open now.
  std::shared_ptr<const EffectSamples> Decode(const QByteArray& wav) const;
  bool Fits(const EffectSamples& samples) const;
  // Starts an effect on the effects' channel; false when closed, when an effect still sounds or
  // when the samples do not fit.
  bool PlayEffect(std::shared_ptr<const EffectSamples> samples);
  bool EffectPlaying() const;
  void HaltEffect();
  // Loudness of the effects, 0 to kFullVolume; kept across openings.
  void SetEffectVolume(int volume);
  int EffectVolume() const { return effectVolume_; }

  // The soundfont FluidSynth plays the tunes with, or empty when none is installed.
  static QString SoundFont();

 private:
  bool OpenSdl();
  bool OpenMixer();
  static void Fill(void* device, unsigned char* stream, int length);  // on the audio thread
  void FreeQuickChunk();

  bool open_ = false;
  const SdlLibrary* sdl_ = nullptr;
  const SoundLibrary* mixer_ = nullptr;  // set while open with the mixer
  unsigned device_ = 0;                  // SDL's device while open without the mixer
  int frequency_ = 0;
  unsigned format_ = 0;
  int channels_ = 0;
  unsigned char silence_ = 0;
  int effectVolume_ = kFullVolume;

  // The effect playing, and how far (bytes); read by Fill under the device's lock.
  std::shared_ptr<const EffectSamples> effect_;
  std::size_t played_ = 0;
  Mix_Chunk* quickChunk_ = nullptr;  // the mixer's view of effect_'s bytes, with the mixer
};

}  // namespace vextal
