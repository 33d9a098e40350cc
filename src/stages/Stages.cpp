#include "stages/Stages.h"

#include <array>

#include "game/Rounding.h"

namespace vextal {

namespace {

constexpr int kStageW = 5;
constexpr int kStageH = 4;

// The fixed layouts, top row first: 'X' marks a node, '-' a point without one.
using Layout = std::array<const char*, kStageH>;
constexpr std::array<Layout, 5> kFixedLayouts = {{
    {"--XXX", "XXX-X", "X-XXX", "XXX--"},
    {"-XXX-", "-XXX-", "-XXX-", "-XXX-"},
    {"XXXXX", "X-X-X", "X-X-X", "XXXXX"},
    {"XX-XX", "XXXXX", "-X-X-", "-XXX-"},
    {"---XX", "XXXXX", "XXXXX", "XX---"},
}};

constexpr int kFullStage = 6;
constexpr float kRandomNodeChance = 0.7f;

}  // namespace

void ComputeDegrees(Board& board) {
  for (int c = 1; c <= board.NodesW(); ++c) {
    for (int r = 1; r <= board.NodesH(); ++r) {
      int degree = 0;
      degree += board(c - 1, r).Exists ? 1 : 0;
      degree += board(c, r - 1).Exists ? 1 : 0;
      degree += board(c + 1, r).Exists ? 1 : 0;
      degree += board(c, r + 1).Exists ? 1 : 0;
      board(c, r).Degree = std::uint8_t(degree);
    }
  }
}

Board BuildStage(int stage, RandomSource& random) {
  Board board(kStageW, kStageH);
  if (stage >= 1 && stage <= int(kFixedLayouts.size())) {
    const Layout& layout = kFixedLayouts[std::size_t(stage - 1)];
    for (int r = 1; r <= kStageH; ++r) {
      for (int c = 1; c <= kStageW; ++c) {
        if (layout[std::size_t(r - 1)][c - 1] == 'X') {
          board(c, r).Exists = kTrue16;
        }
      }
    }
  } else if (stage == kFullStage) {
    for (int c = 1; c <= kStageW; ++c) {
      for (int r = 1; r <= kStageH; ++r) {
        board(c, r).Exists = kTrue16;
      }
    }
  } else if (stage == kRandomStage) {
    // Column by column, top to bottom: one draw per point, in this order.
    for (int c = 1; c <= kStageW; ++c) {
      for (int r = 1; r <= kStageH; ++r) {
        if (random.UniformFloat() < kRandomNodeChance) {
          board(c, r).Exists = kTrue16;
        }
      }
    }
  }
  ComputeDegrees(board);
  return board;
}

void SetupStage(Game& game, int stage, RandomSource& random) {
  game.StartStage(BuildStage(stage, random));
}

int DrawStartupStage(RandomSource& random) {
  return int(RoundHalfEven(3.0 * random.Uniform())) + 1;
}

}  // namespace vextal
