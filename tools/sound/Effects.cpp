#include "Effects.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Loudness.h"
#include "Synth.h"

namespace vextal::tools {
namespace {

// The highest peak of an effect, about -6 dBFS. An effect is heard over a tune, and the tunes
// keep below about -7.5 dBFS (Tunes.cpp), so the two together stay clear of full scale.
constexpr double kCeiling = 0.5;

// A new game: a quick rising bell arpeggio, C E G C.
std::vector<float> NewGame() {
  Synth s(kEffectRate);
  const int notes[] = {72, 76, 79, 84};
  for (int i = 0; i < 4; ++i) {
    s.Bell(0.07 * i, NoteHz(notes[i]), 0.6, 0.12);
  }
  return s.Finish();
}

// A claimed node: one pluck, with a tail long enough to carry as far as the longer effects.
std::vector<float> Claim() {
  Synth s(kEffectRate);
  s.Bell(0.0, NoteHz(79), 0.8, 0.09);
  return s.Finish();
}

// A refused move: two dull knocks with a hollow (odd-harmonic) colour. The knock is pitched and
// coloured so that most of its energy lies above 300 Hz, where small speakers still play: with
// sound the only sign of a refusal, it must not vanish on a laptop.
std::vector<float> Refused() {
  Synth s(kEffectRate);
  for (double at : {0.0, 0.11}) {
    s.Glide(at, 0.1, 340, 290, 0.6, 0.05);
    s.Glide(at, 0.1, 1020, 870, 0.45, 0.035);
    s.Glide(at, 0.1, 1700, 1450, 0.15, 0.02);
  }
  return s.Finish();
}

// An expanded node: an upward glide of an octave with its fifth, ending in a small sparkle.
std::vector<float> Expand() {
  Synth s(kEffectRate);
  s.Glide(0, 0.18, 520, 1040, 0.6, 0.14);
  s.Glide(0, 0.18, 780, 1560, 0.25, 0.1);
  s.Bell(0.15, NoteHz(96), 0.2, 0.04);
  return s.Finish();
}

// A neutralised node: a falling "zap" with a breath of noise.
std::vector<float> Neutralise() {
  Synth s(kEffectRate);
  s.Glide(0, 0.24, 1200, 260, 0.7, 0.12);
  s.Noise(0, 0.2, 0.35, 0.06, 0.6);
  return s.Finish();
}

// A won game or a peer who joined: a short horn fanfare, C E G and a held C major chord.
std::vector<float> Win() {
  Synth s(kEffectRate);
  const int run[] = {72, 76, 79};
  for (int i = 0; i < 3; ++i) {
    s.Horn(0.1 * i, 0.12, NoteHz(run[i]), 0.5);
  }
  for (int note : {72, 76, 79, 84}) {
    s.Horn(0.3, 0.7, NoteHz(note), 0.35);
  }
  return s.Finish();
}

// A draw or a closed connection: two mellow bells falling a fifth, G to C.
std::vector<float> Draw() {
  Synth s(kEffectRate);
  s.Bell(0.0, NoteHz(79), 0.6, 0.2);
  s.Bell(0.25, NoteHz(72), 0.6, 0.3);
  return s.Finish();
}

// Brings every effect to one loudness, the highest at which none peaks above the ceiling: the
// effect with the most peak for its loudness sets it.
void Level(std::vector<Effect>& effects) {
  std::vector<double> loudness;
  double common = std::numeric_limits<double>::max();
  for (const Effect& effect : effects) {
    float peak = 0;
    for (float sample : effect.Samples) {
      peak = std::max(peak, std::abs(sample));
    }
    loudness.push_back(MomentaryLoudness(effect.Samples, kEffectRate));
    common = std::min(common, loudness.back() + 20 * std::log10(kCeiling / peak));
  }
  for (std::size_t e = 0; e < effects.size(); ++e) {
    const auto gain = static_cast<float>(std::pow(10.0, (common - loudness[e]) / 20));
    for (float& sample : effects[e].Samples) {
      sample *= gain;
    }
  }
}

}  // namespace

std::vector<Effect> MakeEffects() {
  std::vector<Effect> effects{
      {"reset.wav", NewGame()}, {"beep1.wav", Claim()},      {"beep2.wav", Refused()},
      {"beep3.wav", Expand()},  {"beep4.wav", Neutralise()}, {"over1.wav", Win()},
      {"over2.wav", Draw()},
  };
  Level(effects);
  return effects;
}

}  // namespace vextal::tools
