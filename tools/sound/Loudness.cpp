#include "Loudness.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vextal::tools {
namespace {

// A second-order section, direct form II transposed.
class Biquad {
 public:
  Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
      : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}

  double Run(double x) {
    const double y = b0_ * x + z1_;
    z1_ = b1_ * x - a1_ * y + z2_;
    z2_ = b2_ * x - a2_ * y;
    return y;
  }

 private:
  double b0_, b1_, b2_, a1_, a2_;
  double z1_ = 0, z2_ = 0;
};

// The two stages of the K-weighting, designed for any sample rate by the bilinear transform so
// that at 48 kHz they are the recommendation's coefficients: a shelf of +4 dB above about 1.7 kHz
// (the head), then a high-pass at about 38 Hz.
std::vector<double> KWeighted(const std::vector<float>& samples, int rate) {
  double k = std::tan(std::numbers::pi * 1681.974450955533 / rate);
  double q = 0.7071752369554196;
  const double high = std::pow(10.0, 3.999843853973347 / 20);
  const double middle = std::pow(high, 0.4996667741545416);
  Biquad shelf(high + middle * k / q + k * k, 2 * (k * k - high), high - middle * k / q + k * k,
               1 + k / q + k * k, 2 * (k * k - 1), 1 - k / q + k * k);
  k = std::tan(std::numbers::pi * 38.13547087602444 / rate);
  q = 0.5003270373238773;
  const double norm = 1 + k / q + k * k;  // the numerator is not normalised in this stage
  Biquad pass(norm, -2 * norm, norm, norm, 2 * (k * k - 1), 1 - k / q + k * k);
  std::vector<double> out(samples.size());
  std::transform(samples.begin(), samples.end(), out.begin(),
                 [&](float x) { return pass.Run(shelf.Run(x)); });
  return out;
}

double ToLufs(double meanSquare) {
  return meanSquare > 0 ? -0.691 + 10 * std::log10(meanSquare) : kSilence;
}

}  // namespace

double MomentaryLoudness(const std::vector<float>& samples, int sampleRate) {
  if (samples.empty() || sampleRate < 1000) {
    return kSilence;
  }
  const auto window = static_cast<std::size_t>(sampleRate * 4 / 10);
  std::vector<double> k = KWeighted(samples, sampleRate);
  k.resize(std::max(k.size(), window), 0.0);
  // A running sum over the window, sample by sample.
  double sum = 0;
  for (std::size_t i = 0; i < window; ++i) {
    sum += k[i] * k[i];
  }
  double loudest = sum;
  for (std::size_t i = window; i < k.size(); ++i) {
    sum += k[i] * k[i] - k[i - window] * k[i - window];
    loudest = std::max(loudest, sum);
  }
  return ToLufs(loudest / window);
}

std::vector<float> HighPass(const std::vector<float>& samples, int sampleRate, double cutoffHz) {
  const double k = std::tan(std::numbers::pi * cutoffHz / sampleRate);
  const double q = std::numbers::sqrt2 / 2;
  const double norm = 1 + k / q + k * k;
  Biquad pass(1, -2, 1, norm, 2 * (k * k - 1), 1 - k / q + k * k);
  std::vector<float> out(samples.size());
  std::transform(samples.begin(), samples.end(), out.begin(),
                 [&](float x) { return static_cast<float>(pass.Run(x)); });
  return out;
}

}  // namespace vextal::tools
