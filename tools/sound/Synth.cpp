#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vextal::tools {
namespace {

// Rises from 0 to 1 over the first `rise` seconds and falls back to 0 over the last `fall`
// seconds of `length`, both along a half cosine: neither end has a step or a corner.
double Envelope(double t, double length, double rise, double fall) {
  double gain = 1.0;
  if (t < rise) {
    gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * t / rise);
  }
  const double left = length - t;
  if (left < fall) {
    gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * std::max(0.0, left) / fall);
  }
  return gain;
}

}  // namespace

double NoteHz(int midiNote) {
  return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

std::vector<double>& Synth::Reach(std::size_t end) {
  if (mBuffer.size() < end) {
    mBuffer.resize(end, 0.0);
  }
  return mBuffer;
}

void Synth::Add(const Tone& tone) {
  const auto first = static_cast<std::size_t>(std::lround(tone.At * mRate));
  const auto count = static_cast<std::size_t>(std::lround(tone.Length * mRate));
  auto& buffer = Reach(first + count);
  const double endHz = tone.EndHz > 0 ? tone.EndHz : tone.StartHz;
  const double glide = std::log(endHz / tone.StartHz);
  const double length = static_cast<double>(count) / mRate;
  const double rise = std::min(tone.Attack, length / 3);
  const double fall = std::min(tone.Release, length / 3);
  double phase = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / mRate;
    const double hz = tone.StartHz * std::exp(glide * t / tone.Length);
    phase += 2.0 * std::numbers::pi * hz / mRate;
    const double gain = Envelope(t, length, rise, fall) * std::exp(-t / tone.Decay);
    buffer[first + i] += tone.Amplitude * gain * std::sin(phase);
  }
}

void Synth::Glide(double at, double length, double fromHz, double toHz, double amplitude,
                  double decay) {
  Add({.At = at,
       .Length = length,
       .StartHz = fromHz,
       .EndHz = toHz,
       .Amplitude = amplitude,
       .Attack = 0.004,
       .Decay = decay});
}

void Synth::Bell(double at, double hz, double amplitude, double decay) {
  // Overtone ratios of a small, slightly inharmonic bell; higher ones die sooner.
  static constexpr double kRatios[] = {1.0, 2.0, 3.01, 4.2};
  static constexpr double kLevels[] = {1.0, 0.35, 0.15, 0.07};
  for (std::size_t k = 0; k < std::size(kRatios); ++k) {
    Add({.At = at,
         .Length = decay * 3,
         .StartHz = hz * kRatios[k],
         .Amplitude = amplitude * kLevels[k],
         .Attack = 0.003,
         .Decay = decay / (1.0 + k)});
  }
}

void Synth::Horn(double at, double length, double hz, double amplitude) {
  for (int harmonic = 1; harmonic <= 5; ++harmonic) {
    Add({.At = at,
         .Length = length,
         .StartHz = hz * harmonic,
         .Amplitude = amplitude / (harmonic * harmonic * 0.6 + 0.4),
         .Attack = 0.025,
         .Decay = length * 0.8 / harmonic});
  }
}

void Synth::Noise(double at, double length, double amplitude, double decay, double smoothing) {
  const auto first = static_cast<std::size_t>(std::lround(at * mRate));
  const auto count = static_cast<std::size_t>(std::lround(length * mRate));
  auto& buffer = Reach(first + count);
  const double span = static_cast<double>(count) / mRate;
  double low = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    mNoiseState = mNoiseState * 1664525u + 1013904223u;  // a plain LCG: the same noise every build
    const double white = static_cast<double>(mNoiseState >> 8) / (1u << 24) * 2.0 - 1.0;
    low += (white - low) * (1.0 - smoothing);
    const double t = static_cast<double>(i) / mRate;
    const double gain = Envelope(t, span, 0.002, std::min(0.012, span / 3)) * std::exp(-t / decay);
    buffer[first + i] += amplitude * gain * low;
  }
}

std::vector<float> Synth::Finish() const {
  return {mBuffer.begin(), mBuffer.end()};
}

}  // namespace vextal::tools
