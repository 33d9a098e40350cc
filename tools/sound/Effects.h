#pragma once

#include <string>
#include <vector>

namespace vextal::tools {

struct Effect {
  std::string FileName;
  std::vector<float> Samples;
};

inline constexpr int kEffectRate = 22050;

// The seven game effects, each a short synthesised sound of its own character, all equally
// loud by momentary loudness (Loudness.h) and none peaking above about -6 dBFS.
std::vector<Effect> MakeEffects();

}  // namespace vextal::tools
