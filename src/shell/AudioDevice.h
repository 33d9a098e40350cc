#pragma once

#include <QString>

namespace vextal {

struct SoundLibrary;

// The audio output shared by the effects and the tunes: SDL's audio subsystem with the mixer on
// top, and FluidSynth for MIDI with a General MIDI soundfont. Opened on first use, so a run that
// never makes a sound never touches the sound system, and a machine without sound starts at once.
// The libraries themselves are loaded by the first Open (SoundLibrary).
class AudioDevice {
 public:
  // The one mixer channel the effects share; an effect never interrupts another.
  static constexpr int kEffectChannel = 0;

  AudioDevice() = default;
  ~AudioDevice();
  AudioDevice(const AudioDevice&) = delete;
  AudioDevice& operator=(const AudioDevice&) = delete;

  // Opens the device unless it is open already. False when the sound libraries cannot be
  // loaded or there is no usable audio output; a later call tries again.
  bool Open();
  void Close();
  bool IsOpen() const { return open_; }
  // The functions to play with while the device is open; null before the first Open succeeded.
  const SoundLibrary* Sdl() const { return sdl_; }

  // The soundfont FluidSynth plays the tunes with, or empty when none is installed.
  static QString SoundFont();

 private:
  bool open_ = false;
  const SoundLibrary* sdl_ = nullptr;
};

}  // namespace vextal
