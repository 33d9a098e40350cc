#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

#include "game/Board.h"
#include "game/Node.h"
#include "game/SearchPosition.h"

namespace vextal {

// Boards of up to this many nodes fit the exact solver: three sets of nodes in one 64-bit key.
inline constexpr int kMaxExactNodes = 21;

// The nodes in a set. Inline bit arithmetic: without an instruction set that has a population
// count, NodeCount becomes a library call, and the solver counts sets at every position.
constexpr int NodeCount(std::uint32_t set) {
  set = set - ((set >> 1) & 0x55555555u);
  set = (set & 0x33333333u) + ((set >> 2) & 0x33333333u);
  return int((((set + (set >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
}

// A position as three sets of node numbers, seen from the player to move. An expanded node always
// has its links toward every existing neighbour, so the links need no bits of their own.
struct ExactState {
  std::uint32_t Mine = 0;
  std::uint32_t Theirs = 0;
  std::uint32_t Expanded = 0;  // a subset of Mine | Theirs

  // Distinct for distinct positions of one layout.
  std::uint64_t Key() const {
    return std::uint64_t(Mine) | (std::uint64_t(Theirs) << 21) | (std::uint64_t(Expanded) << 42);
  }
  static ExactState FromKey(std::uint64_t key) {
    return ExactState{std::uint32_t(key & 0x1FFFFF), std::uint32_t(key >> 21 & 0x1FFFFF),
                      std::uint32_t(key >> 42 & 0x1FFFFF)};
  }
  bool operator==(const ExactState&) const = default;
};

// The fixed part of a board for the exact solver: which cells hold nodes, who neighbours whom,
// how many hostile links neutralise each node, and the mirror images that map the layout onto
// itself. Moves played here agree with Rules.h on every board it accepts.
class ExactLayout {
 public:
  // The layout and the position of `board` with `toMove` to play, or nothing when the board has
  // more than kMaxExactNodes nodes or carries play the rules could not have made (links that do
  // not match the expanded mark, owners on cells without a node, ...).
  struct Reading;
  static std::optional<Reading> Read(const Board& board, Player toMove);

  int Count() const { return count_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The grid points holding a node, bit (column - 1) * Height + (row - 1); 0 on a grid of more
  // than 32 points.
  std::uint32_t GridCells() const;
  PackedCell CellOf(int node) const { return cells_[std::size_t(node)]; }

  // The nodes the player to move may play.
  std::uint32_t LegalMoves(const ExactState& state) const;
  // Plays `node` for the player to move; the result is seen from the opponent, who moves next.
  ExactState Play(const ExactState& state, int node) const;
  // The mover's score minus the opponent's: the result once the player to move has no move.
  int Margin(const ExactState& state) const;

  // Symmetries: 0 is the identity; the others are the flips and the half turn of the grid that
  // map this layout onto itself, used only when they cannot change what any move does.
  int SymmetryCount() const { return symmetries_; }
  int MapNode(int symmetry, int node) const {
    return map_[std::size_t(symmetry)][std::size_t(node)];
  }
  ExactState Map(int symmetry, const ExactState& state) const {
    return symmetry == 0 ? state
                         : ExactState{MapSet(symmetry, state.Mine), MapSet(symmetry, state.Theirs),
                                      MapSet(symmetry, state.Expanded)};
  }
  // The image with the smallest key, and which symmetry gives it.
  ExactState Canonical(const ExactState& state, int& symmetry) const;
  // The same, and in `fixing` the symmetries (bit s for symmetry s, never the identity) that map
  // the position onto itself: under those, a move and its image lead to mirror positions.
  ExactState Canonical(const ExactState& state, int& symmetry, unsigned& fixing) const;

  // Plies the game can still last without a neutralisation: a free node can be claimed and then
  // expanded, an unexpanded owned node expanded. Each move takes one off; a neutralisation adds.
  int Horizon(const ExactState& state) const {
    const std::uint32_t owned = state.Mine | state.Theirs;
    return 2 * (count_ - NodeCount(owned)) + NodeCount(owned & ~state.Expanded);
  }

 private:
  // Sets are mapped seven nodes at a time through tables.
  static constexpr int kChunkBits = 7;
  static constexpr int kChunks = (kMaxExactNodes + kChunkBits - 1) / kChunkBits;
  std::uint32_t MapSet(int symmetry, std::uint32_t set) const {
    const auto& table = chunkImages_[std::size_t(symmetry)];
    return table[0][set & 127u] | table[1][set >> 7 & 127u] | table[2][set >> 14 & 127u];
  }
  void FindSymmetries(const Board& board, const std::vector<int>& nodeAt);
  void FillChunkImages();

  int width_ = 0;
  int height_ = 0;
  int count_ = 0;
  std::array<PackedCell, kMaxExactNodes> cells_{};
  std::array<std::uint32_t, kMaxExactNodes> neighbours_{};
  std::array<std::array<std::int8_t, 4>, kMaxExactNodes> order_{};  // left, up, right, down
  std::array<std::uint8_t, kMaxExactNodes> threshold_{};            // hostile links that neutralise
  std::array<std::uint8_t, kMaxExactNodes> links_{};                // links an expansion gives
  int symmetries_ = 1;
  std::array<std::array<std::int8_t, kMaxExactNodes>, 4> map_{};
  std::array<std::array<std::array<std::uint32_t, 1u << kChunkBits>, kChunks>, 4> chunkImages_{};
};

struct ExactLayout::Reading {
  ExactLayout Layout;
  ExactState State;
};

// The two operations of the solver's inner loop, inline.
inline std::uint32_t ExactLayout::LegalMoves(const ExactState& state) const {
  std::uint32_t attacked = 0;
  for (std::uint32_t links = state.Theirs & state.Expanded; links != 0; links &= links - 1) {
    attacked |= neighbours_[std::size_t(std::countr_zero(links))];
  }
  const std::uint32_t all = (1u << count_) - 1;
  const std::uint32_t free = all & ~(state.Mine | state.Theirs);
  return (state.Mine & ~state.Expanded) | (free & ~attacked);
}

inline ExactState ExactLayout::Play(const ExactState& state, int node) const {
  const std::uint32_t bit = 1u << node;
  if ((state.Mine & bit) == 0) {
    return ExactState{state.Theirs, state.Mine | bit, state.Expanded};
  }
  std::uint32_t mine = state.Mine;
  std::uint32_t theirs = state.Theirs;
  std::uint32_t expanded = state.Expanded | bit;
  for (const std::int8_t neighbour : order_[std::size_t(node)]) {
    if (neighbour < 0) {
      continue;
    }
    const std::uint32_t nb = 1u << neighbour;
    const std::uint32_t hostile = (theirs & nb) != 0 ? mine : (mine & nb) != 0 ? theirs : 0;
    if (hostile != 0 && NodeCount(neighbours_[std::size_t(neighbour)] & hostile & expanded) >=
                            threshold_[std::size_t(neighbour)]) {
      mine &= ~nb;
      theirs &= ~nb;
      expanded &= ~nb;
    }
  }
  return ExactState{theirs, mine, expanded};
}

// Asked at nearly every position of a search: inline.
inline ExactState ExactLayout::Canonical(const ExactState& state, int& symmetry,
                                         unsigned& fixing) const {
  // Keys order positions by their expanded nodes first: most images are told apart by mapping
  // that one set, and only the others are mapped whole.
  ExactState best = state;
  symmetry = 0;
  fixing = 0;
  for (int s = 1; s < symmetries_; ++s) {
    const std::uint32_t expanded = MapSet(s, state.Expanded);
    if (expanded > best.Expanded && expanded != state.Expanded) {
      continue;
    }
    const ExactState image{MapSet(s, state.Mine), MapSet(s, state.Theirs), expanded};
    if (image.Key() < best.Key()) {
      best = image;
      symmetry = s;
    } else if (image == state) {
      fixing |= 1u << s;
    }
  }
  return best;
}

}  // namespace vextal
