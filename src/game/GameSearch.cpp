#include "game/GameSearch.h"

#include <algorithm>

namespace vextal {

namespace {

constexpr int kInfinity = kWinValue + 1;

// Known results carry their distance from the root; the table keeps it from the position.
int ToTable(int value, int ply) {
  return value > kDecidedValue ? value + ply : value < -kDecidedValue ? value - ply : value;
}
int FromTable(int value, int ply) {
  return value > kDecidedValue ? value - ply : value < -kDecidedValue ? value + ply : value;
}

}  // namespace

bool SearchStop::Visit() {
  if (stopped_) {
    return true;
  }
  ++nodes_;
  if (nodes_ >= nodeBudget_ || cancel_.load(std::memory_order_relaxed)) {
    stopped_ = true;
  } else if (nodes_ % clockStride_ == 0 && std::chrono::steady_clock::now() >= deadline_) {
    stopped_ = true;
  }
  return stopped_;
}

bool SearchStop::Visit(std::int64_t count) {
  if (stopped_) {
    return true;
  }
  const std::int64_t before = nodes_;
  nodes_ += count;
  if (nodes_ >= nodeBudget_ || cancel_.load(std::memory_order_relaxed)) {
    stopped_ = true;
  } else if (nodes_ / clockStride_ != before / clockStride_ &&
             std::chrono::steady_clock::now() >= deadline_) {
    stopped_ = true;
  }
  return stopped_;
}

GameSearch::GameSearch(SearchPosition& position, TranspositionTable& table,
                       const EvalWeights& weights, SearchStop& stop)
    : position_(position),
      table_(table),
      weights_(weights),
      stop_(stop),
      moves_(kMaxPly + 1),
      path_(kMaxPly + 1),
      killers_(kMaxPly + 1, {0, 0}),
      historyStride_(position.Nodes().NodesH() + 2) {
  history_.assign(std::size_t(position.Nodes().NodesW() + 2) * std::size_t(historyStride_), 0);
}

int& GameSearch::History(PackedCell cell) {
  return history_[std::size_t(ColumnOf(cell) * historyStride_ + RowOf(cell))];
}

GameSearch::RootResult GameSearch::SearchRoot(const std::vector<PackedCell>& moves, int depth,
                                              int tolerance) {
  RootResult result;
  result.Value = -kInfinity;
  path_[0] = position_.Key();
  SearchPosition::Undo undo;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    // Only whether a move falls short of the best by more than the tolerance matters.
    const int floor = i == 0 ? -kInfinity : result.Value - tolerance - 1;
    position_.Play(moves[i], undo);
    const int value = -Negamax(depth - 1, -kInfinity, -floor, 1);
    position_.TakeBack(undo);
    if (stop_.Stopped()) {
      return result;
    }
    result.Values.push_back(value);
    if (value > result.Value) {
      result.Value = value;
      result.Best = i;
    }
  }
  result.Complete = true;
  return result;
}

bool GameSearch::RepeatsOnPath(int ply) const {
  for (int earlier = ply - 2; earlier >= 0; earlier -= 2) {
    if (path_[std::size_t(earlier)] == path_[std::size_t(ply)]) {
      return true;
    }
  }
  return false;
}

void GameSearch::OrderMoves(std::vector<PackedCell>& moves, PackedCell first, int ply) const {
  const std::array<PackedCell, 2>& killers = killers_[std::size_t(ply)];
  const auto score = [this, first, &killers](PackedCell cell) {
    if (cell == first) {
      return 1 << 30;
    }
    if (cell == killers[0] || cell == killers[1]) {
      return (cell == killers[0] ? 1 << 29 : 1 << 28);
    }
    const int expansion = position_.Nodes()(ColumnOf(cell), RowOf(cell)).Owner != 0 ? 1 << 27 : 0;
    return expansion + history_[std::size_t(ColumnOf(cell) * historyStride_ + RowOf(cell))];
  };
  std::stable_sort(moves.begin(), moves.end(),
                   [&score](PackedCell a, PackedCell b) { return score(a) > score(b); });
}

int GameSearch::Quiesce(int alpha, int beta, int ply, int left) {
  const int standPat = Evaluate(position_, weights_);
  if (standPat >= beta || ply >= kMaxPly || left <= 0) {
    return standPat;
  }
  int best = standPat;
  alpha = std::max(alpha, standPat);
  std::vector<PackedCell>& moves = moves_[std::size_t(ply)];
  SearchPosition::Undo undo;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    const PackedCell move = moves[i];
    if (position_.Nodes()(ColumnOf(move), RowOf(move)).Owner != position_.ToMove()) {
      continue;  // a claim never neutralises
    }
    position_.Play(move, undo);
    int value = best;
    if (undo.Outcome == MoveOutcome::Neutralised) {
      value = -QuiesceChild(-beta, -alpha, ply + 1, left - 1);
    }
    position_.TakeBack(undo);
    if (stop_.Stopped()) {
      return 0;
    }
    best = std::max(best, value);
    alpha = std::max(alpha, value);
    if (alpha >= beta) {
      break;
    }
  }
  return best;
}

int GameSearch::QuiesceChild(int alpha, int beta, int ply, int left) {
  if (stop_.Visit()) {
    return 0;
  }
  std::vector<PackedCell>& moves = moves_[std::size_t(ply)];
  position_.LegalMoves(moves);
  if (moves.empty()) {
    return GameOverValue(position_, ply);
  }
  return Quiesce(alpha, beta, ply, left);
}

bool GameSearch::ProbeTable(int depth, int alpha, int beta, int ply, int& value,
                            PackedCell& move) const {
  const TranspositionTable::Entry* entry = table_.Find(position_.Key());
  if (entry == nullptr) {
    return false;
  }
  using Bound = TranspositionTable::Bound;
  move = entry->Move;
  value = FromTable(entry->Value, ply);
  return entry->Depth >= depth &&
         (entry->Kind == Bound::Exact || (entry->Kind == Bound::Lower && value >= beta) ||
          (entry->Kind == Bound::Upper && value <= alpha));
}

int GameSearch::SearchChild(bool first, int depth, int alpha, int beta, int ply) {
  if (first) {
    return -Negamax(depth - 1, -beta, -alpha, ply + 1);
  }
  // The first move is usually the best: the others only have to be shown worse, which a window
  // of width one does cheaply; one that is not is searched again in full.
  const int value = -Negamax(depth - 1, -alpha - 1, -alpha, ply + 1);
  if (value > alpha && value < beta && !stop_.Stopped()) {
    return -Negamax(depth - 1, -beta, -alpha, ply + 1);
  }
  return value;
}

void GameSearch::NoteCutoff(PackedCell move, int depth, int ply) {
  History(move) += depth * depth;
  std::array<PackedCell, 2>& killers = killers_[std::size_t(ply)];
  if (killers[0] != move) {
    killers[1] = killers[0];
    killers[0] = move;
  }
}

int GameSearch::Negamax(int depth, int alpha, int beta, int ply) {
  if (stop_.Visit()) {
    return 0;
  }
  path_[std::size_t(ply)] = position_.Key();
  if (RepeatsOnPath(ply)) {
    return 0;
  }
  std::vector<PackedCell>& moves = moves_[std::size_t(ply)];
  position_.LegalMoves(moves);
  if (moves.empty()) {
    return GameOverValue(position_, ply);
  }
  if (depth <= 0 || ply >= kMaxPly) {
    return Quiesce(alpha, beta, ply, kMaxQuiescePlies);
  }
  int stored = 0;
  PackedCell tableMove = 0;
  if (ProbeTable(depth, alpha, beta, ply, stored, tableMove)) {
    return stored;
  }
  OrderMoves(moves, tableMove, ply);
  const int alphaAtEntry = alpha;
  int best = -kInfinity;
  PackedCell bestMove = moves.front();
  SearchPosition::Undo undo;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    const PackedCell move = moves[i];  // the list of the next ply is another vector
    position_.Play(move, undo);
    const int value = SearchChild(i == 0, depth, alpha, beta, ply);
    position_.TakeBack(undo);
    if (stop_.Stopped()) {
      return 0;
    }
    if (value > best) {
      best = value;
      bestMove = move;
    }
    alpha = std::max(alpha, value);
    if (alpha >= beta) {
      NoteCutoff(move, depth, ply);
      break;
    }
  }
  using Bound = TranspositionTable::Bound;
  const Bound kind = best >= beta          ? Bound::Lower
                     : best > alphaAtEntry ? Bound::Exact
                                           : Bound::Upper;
  table_.Store(position_.Key(), depth, ToTable(best, ply), kind, bestMove);
  return best;
}

}  // namespace vextal
