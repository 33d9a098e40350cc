#pragma once

#include <cstdint>
#include <random>

namespace vextal {

// The program's one random source: uniform numbers in [0, 1).
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual double Uniform() = 0;
  // The same draw as a 32-bit float, still in [0, 1).
  float UniformFloat() {
    float u = float(Uniform());
    return u < 1.0f ? u : 0.99999994f;  // a double just below 1 may round up to 1.0f
  }
};

// A seeded Mersenne twister; the program seeds it once at start-up.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
  double Uniform() override { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

 private:
  std::mt19937_64 engine_;
};

}  // namespace vextal
