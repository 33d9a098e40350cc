#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vextal::tools {

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
  double phase = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / mRate;
    const double hz = tone.StartHz * std::exp(glide * t / tone.Length);
    phase += 2.0 * std::numbers::pi * hz / mRate;
    const double attack = tone.Attack > 0 ? std::min(1.0, t / tone.Attack) : 1.0;
    const double decay = std::exp(-t / tone.Decay);
    buffer[first + i] += tone.Amplitude * attack * decay * std::sin(phase);
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
  double low = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    mNoiseState = mNoiseState * 1664525u + 1013904223u;  // a plain LCG: the same noise every build
    const double white = static_cast<double>(mNoiseState >> 8) / (1u << 24) * 2.0 - 1.0;
    low += (white - low) * (1.0 - smoothing);
    const double t = static_cast<double>(i) / mRate;
    buffer[first + i] += amplitude * std::exp(-t / decay) * low;
  }
}

std::vector<float> Synth::Finish(double peak) const {
  double loudest = 0.0;
  for (double sample : mBuffer) {
    loudest = std::max(loudest, std::abs(sample));
  }
  const double scale = loudest > 0 ? peak / loudest : 0.0;
  const std::size_t fade = static_cast<std::size_t>(mRate / 200);  // 5 ms
  std::vector<float> out(mBuffer.size());
  for (std::size_t i = 0; i < mBuffer.size(); ++i) {
    double gain = scale;
    if (i < fade) {
      gain *= static_cast<double>(i) / fade;
    }
    const std::size_t fromEnd = mBuffer.size() - 1 - i;
    if (fromEnd < fade) {
      gain *= static_cast<double>(fromEnd) / fade;
    }
    out[i] = static_cast<float>(mBuffer[i] * gain);
  }
  return out;
}

}  // namespace vextal::tools
