#pragma once

#include <vector>

namespace vextal::tools {

// Silence, or no samples, reads as this many LUFS.
inline constexpr double kSilence = -200.0;

// The momentary loudness of BS.1770 / EBU R 128 in LUFS: the K-weighted mean square over the
// loudest 400 ms. A sound shorter than that is heard with the silence after it, as a listener's
// ear (and a loudness meter) takes it. Silence reads as kSilence.
double MomentaryLoudness(const std::vector<float>& samples, int sampleRate);

// The samples through a second-order Butterworth high-pass at cutoffHz: roughly what a small
// laptop or phone speaker leaves of a sound.
std::vector<float> HighPass(const std::vector<float>& samples, int sampleRate, double cutoffHz);

}  // namespace vextal::tools
