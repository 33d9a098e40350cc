#pragma once

#include <cstdint>

namespace vextal {

// A 24-bit colour as red + 256 * green + 65536 * blue: red in the lowest byte.
using Rgb = std::uint32_t;

constexpr Rgb RGB(int red, int green, int blue) {
  return Rgb(red & 0xFF) | (Rgb(green & 0xFF) << 8) | (Rgb(blue & 0xFF) << 16);
}
constexpr int RedOf(Rgb c) {
  return int(c & 0xFF);
}
constexpr int GreenOf(Rgb c) {
  return int((c >> 8) & 0xFF);
}
constexpr int BlueOf(Rgb c) {
  return int((c >> 16) & 0xFF);
}

}  // namespace vextal
