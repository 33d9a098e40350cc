#pragma once

#include <cstdint>
#include <vector>

namespace vextal::tools {

// A tiny additive synthesiser for the effects: tones are summed into one buffer of samples,
// then the buffer is normalised and its ends are faded so it never clicks.
class Synth {
 public:
  explicit Synth(int sampleRate) : mRate(sampleRate) {}

  int Rate() const { return mRate; }

  // One partial: a sine whose frequency glides exponentially from startHz to endHz, with a
  // linear attack and an exponential decay (decay = seconds to fall to about 37 %).
  struct Tone {
    double At = 0;  // start, seconds
    double Length = 0.1;
    double StartHz = 440;
    double EndHz = 0;  // 0: no glide
    double Amplitude = 0.5;
    double Attack = 0.005;
    double Decay = 0.1;
  };
  void Add(const Tone& tone);

  // A plain partial with a quick attack, gliding from fromHz to toHz.
  void Glide(double at, double length, double fromHz, double toHz, double amplitude, double decay);

  // A bell-like note: the fundamental plus a few quieter, faster-dying overtones.
  void Bell(double at, double hz, double amplitude, double decay);

  // A mellow brass-like note: harmonics 1..5 with soft attack.
  void Horn(double at, double length, double hz, double amplitude);

  // Deterministic noise, smoothed by a one-pole low-pass, fading out exponentially.
  void Noise(double at, double length, double amplitude, double decay, double smoothing);

  // Scales the loudest sample to peak, fades the first and last milliseconds.
  std::vector<float> Finish(double peak) const;

 private:
  std::vector<double>& Reach(std::size_t end);

  int mRate;
  std::vector<double> mBuffer;
  std::uint32_t mNoiseState = 0x1234567u;
};

// Frequency of a MIDI note number (69 = 440 Hz).
double NoteHz(int midiNote);

}  // namespace vextal::tools
