#pragma once

// The exact solver as it was before its table, move ordering and symmetry skips were reworked,
// kept unchanged (with its own copy of the board model) so the benchmark can run it beside the
// current one on the same positions.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "game/Board.h"
#include "game/GameSearch.h"
#include "game/Node.h"
#include "game/SearchPosition.h"

namespace vextal::baseline {

// Boards of up to this many nodes fit the exact solver: three sets of nodes in one 64-bit key.
inline constexpr int kMaxExactNodes = 21;

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
  ExactState Map(int symmetry, const ExactState& state) const;
  // The image with the smallest key, and which symmetry gives it.
  ExactState Canonical(const ExactState& state, int& symmetry) const;

 private:
  std::uint32_t MapSet(int symmetry, std::uint32_t set) const;
  void FindSymmetries(const Board& board, const std::vector<int>& nodeAt);

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
};

struct ExactLayout::Reading {
  ExactLayout Layout;
  ExactState State;
};

}  // namespace vextal::baseline

namespace vextal::baseline {

// Solves positions of one layout exactly: the final margin (mover's score minus the opponent's)
// both sides can force, by alpha-beta with null windows on the whole rest of the game. A table of
// bounds, shared by mirror images of a position, carries what one question learnt to the next.
// Play never returns to an earlier position (a move either adds a node or an expansion, or
// neutralises, and searches of billions of positions on every fixed stage met no repetition), so
// a value from the table is the position's value whatever line reached it.
class ExactSolver {
 public:
  ExactSolver(const ExactLayout& layout, int tableSizeLog2);

  // What one Solve proved. The value lies in [Lower, Upper]; Lower == Upper once it is known.
  // `Move` (a node number, or -1) is a move proven to reach at least Lower.
  struct Result {
    int Lower = -kUnbounded;
    int Upper = kUnbounded;
    int Move = -1;
    bool Exact() const { return Lower == Upper; }
    // Win, draw or loss is settled, and `Move` keeps it (any move keeps a loss).
    bool OutcomeKnown() const {
      return (Lower > 0 && Move >= 0) || (Lower == 0 && Upper == 0 && Move >= 0) || Upper < 0;
    }
  };

  // First whether the mover wins, then draws, then the margin, until `stop` says stop; with
  // `outcomeOnly`, no further than win, draw or loss and a move that keeps it.
  Result Solve(const ExactState& state, SearchStop& stop, bool outcomeOnly = false);
  // Whether the value of `state` is at least `beta`; nothing when stopped first.
  std::optional<bool> AtLeast(const ExactState& state, int beta, SearchStop& stop);

  // Positions visited since this solver was made.
  std::int64_t Visited() const { return visited_; }

  static constexpr int kUnbounded = 127;

 private:
  struct Entry {
    std::uint64_t Key = 0;  // the canonical key plus one; 0 marks an empty slot
    std::int8_t Lower = -kUnbounded;
    std::int8_t Upper = kUnbounded;
    std::int8_t Move = -1;  // in the canonical image's numbering
    std::uint8_t Work = 0;  // log2 of the positions searched below; the larger stays
  };

  // One null-window test at the root: a move reaching `beta`, or the best upper bound.
  struct RootTest {
    bool High = false;
    int Value = 0;
    int Move = -1;
  };
  RootTest TestRoot(const ExactState& state, int beta, std::vector<int>& moves, SearchStop& stop);
  int Negamax(const ExactState& state, int alpha, int beta, SearchStop& stop);
  Entry* Probe(const ExactState& canonical);
  void Store(const ExactState& canonical, int symmetry, int value, int alpha, int beta, int move,
             std::int64_t work);
  void OrderedMoves(const ExactState& state, int first, int (&out)[kMaxExactNodes],
                    int& count) const;

  ExactLayout layout_;
  std::vector<Entry> table_;  // buckets of two: one kept for the larger work, one always replaced
  std::uint64_t mask_;
  std::int64_t visited_ = 0;
  std::array<std::int32_t, kMaxExactNodes> history_{};
};

}  // namespace vextal::baseline
