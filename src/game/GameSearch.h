#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "game/Evaluation.h"
#include "game/SearchPosition.h"
#include "game/TranspositionTable.h"

namespace vextal {

// When a search must give up: the caller cancelled, the time is up or enough positions were
// visited. Once it has said stop it keeps saying so.
class SearchStop {
 public:
  SearchStop(const std::atomic<bool>& cancel, std::chrono::steady_clock::time_point deadline,
             std::int64_t nodeBudget, int clockStride)
      : cancel_(cancel), deadline_(deadline), nodeBudget_(nodeBudget), clockStride_(clockStride) {}

  // Counts one visited position and tells whether to stop.
  bool Visit();
  // Counts `count` positions at once (a search that counts in batches) and tells whether to stop.
  bool Visit(std::int64_t count);
  bool Stopped() const { return stopped_; }
  std::int64_t Nodes() const { return nodes_; }

 private:
  const std::atomic<bool>& cancel_;
  std::chrono::steady_clock::time_point deadline_;
  std::int64_t nodeBudget_;
  int clockStride_;
  std::int64_t nodes_ = 0;
  bool stopped_ = false;
};

// Alpha-beta search (negamax) of the game on the search's own position. A position that comes
// back on the line being searched counts as a draw: play could go round in that circle forever.
class GameSearch {
 public:
  GameSearch(SearchPosition& position, TranspositionTable& table, const EvalWeights& weights,
             SearchStop& stop);

  // Searches each root move `depth` plies deep, in the given order. Values[i] is exact for the
  // moves within `tolerance` of the best and an upper bound for the others. When the search
  // stops early, only the moves searched to the end are in Values; `Complete` tells whether all
  // were.
  struct RootResult {
    std::size_t Best = 0;
    int Value = 0;
    std::vector<int> Values;
    bool Complete = false;
  };
  RootResult SearchRoot(const std::vector<PackedCell>& moves, int depth, int tolerance);

 private:
  static constexpr int kMaxPly = 96;
  static constexpr int kMaxQuiescePlies = 8;

  int Negamax(int depth, int alpha, int beta, int ply);
  // Beyond the horizon, follows only the moves that neutralise, so that a position is not
  // judged in the middle of an exchange.
  // `left` counts the neutralisations still allowed on this line.
  int Quiesce(int alpha, int beta, int ply, int left);
  int QuiesceChild(int alpha, int beta, int ply, int left);
  // True when the table settles the position at this depth and window; `move` is the best move
  // the table remembers either way.
  bool ProbeTable(int depth, int alpha, int beta, int ply, int& value, PackedCell& move) const;
  int SearchChild(bool first, int depth, int alpha, int beta, int ply);
  void NoteCutoff(PackedCell move, int depth, int ply);
  bool RepeatsOnPath(int ply) const;
  void OrderMoves(std::vector<PackedCell>& moves, PackedCell first, int ply) const;
  int& History(PackedCell cell);

  SearchPosition& position_;
  TranspositionTable& table_;
  const EvalWeights& weights_;
  SearchStop& stop_;
  std::vector<std::vector<PackedCell>> moves_;      // the move list of each ply
  std::vector<std::uint64_t> path_;                 // the key of each position on the line
  std::vector<std::array<PackedCell, 2>> killers_;  // recent cut-off moves of each ply
  std::vector<int> history_;                        // how often a cell caused a cut-off, by depth
  int historyStride_;
};

}  // namespace vextal
