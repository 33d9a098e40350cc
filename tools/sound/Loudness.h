#pragma once

#include <vector>

namespace vextal::tools {

// The loudness of a short sound in LUFS: the K-weighted mean square of ITU-R BS.1770 over
// blocks overlapping by three quarters, without the blocks more than 10 LU below the mean of
// all blocks. The blocks last 100 ms instead of the recommendation's 400 ms, as the effects
// last only 0.1 to 1.2 s; a sound shorter than a block is one block. Silence, or no samples,
// reads as kSilence.
inline constexpr double kSilence = -200.0;
double Loudness(const std::vector<float>& samples, int sampleRate);

}  // namespace vextal::tools
