#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace vextal::tools {
namespace {

// RIFF is little-endian whatever the host is, so every field is written byte by byte.
void PutU16(std::vector<char>& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void PutU32(std::vector<char>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<char>((value >> shift) & 0xFF));
  }
}

void PutTag(std::vector<char>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

}  // namespace

bool WriteWav(const std::string& path, const std::vector<float>& samples, int sampleRate) {
  constexpr std::uint16_t kChannels = 1;
  constexpr std::uint16_t kBitsPerSample = 16;
  constexpr std::uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBlockAlign);

  std::vector<char> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  PutU32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutU32(out, 16);  // size of the PCM format block
  PutU16(out, 1);   // PCM
  PutU16(out, kChannels);
  PutU32(out, static_cast<std::uint32_t>(sampleRate));
  PutU32(out, static_cast<std::uint32_t>(sampleRate) * kBlockAlign);
  PutU16(out, kBlockAlign);
  PutU16(out, kBitsPerSample);
  PutTag(out, "data");
  PutU32(out, dataBytes);
  for (float sample : samples) {
    const float clamped = std::clamp(sample, -1.0F, 1.0F);
    const auto value = static_cast<std::int16_t>(std::lround(clamped * 32767.0F));
    PutU16(out, static_cast<std::uint16_t>(value));
  }

  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}

}  // namespace vextal::tools
