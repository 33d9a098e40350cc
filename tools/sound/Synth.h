#pragma once

#include <cstdint>
#include <vector>

namespace vextal::tools {

// A tiny additive synthesiser for the effects: tones are summed into one buffer of samples.
// Every tone and noise burst rises and falls smoothly to silence on its own, so a sound that
// stops while another still rings never clicks.
class Synth {
 public:
  explicit Synth(int sampleRate) : mRate(sampleRate) {}

  int Rate() const { return mRate; }

  // One partial: a sine whose frequency glides exponentially from startHz to endHz, with an
  // exponential decay (decay = seconds to fall to about 37 %) between a raised-cosine attack and
  // a raised-cosine release that ends the tone at zero.
  struct Tone {
    double At = 0;  // start, seconds
    double Length = 0.1;
    double StartHz = 440;
    double EndHz = 0;  // 0: no glide
    double Amplitude = 0.5;
    double Attack = 0.005;
    double Decay = 0.1;
    double Release = 0.012;  // at most a third of the length
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

  // The summed samples, unscaled: the effects are levelled together afterwards.
  std::vector<float> Finish() const;

 private:
  std::vector<double>& Reach(std::size_t end);

  int mRate;
  std::vector<double> mBuffer;
  std::uint32_t mNoiseState = 0x1234567u;
};

// Frequency of a MIDI note number (69 = 440 Hz).
double NoteHz(int midiNote);

}  // namespace vextal::tools
