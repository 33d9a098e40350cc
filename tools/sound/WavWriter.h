#pragma once

#include <string>
#include <vector>

namespace vextal::tools {

// Writes samples in -1..1 as a 16-bit PCM mono RIFF/WAVE file. Returns false when the file
// cannot be written.
bool WriteWav(const std::string& path, const std::vector<float>& samples, int sampleRate);

}  // namespace vextal::tools
