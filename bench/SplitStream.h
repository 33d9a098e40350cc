#pragma once

// Received bytes as TCP hands them over: the same stream cut at random points. The pieces are
// views into the one buffer, so splitting costs nothing while a benchmark runs.

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>

namespace vextal::bench {

// Up to two Ethernet segments per read: small enough that the per-read cost of a decoder shows,
// and far smaller than the 64 KiB the socket wrapper reads at most.
inline constexpr int kMaxPiece = 2 * 1460;

inline std::vector<QByteArrayView> SplitAtRandom(const QByteArray& bytes, std::uint32_t seed,
                                                 int maxPiece = kMaxPiece) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> length(1, maxPiece);
  std::vector<QByteArrayView> pieces;
  qsizetype pos = 0;
  while (pos < bytes.size()) {
    const qsizetype take = std::min<qsizetype>(length(rng), bytes.size() - pos);
    pieces.emplace_back(bytes.constData() + pos, take);
    pos += take;
  }
  return pieces;
}

}  // namespace vextal::bench
