#include "game/ExactSolver.h"

#include <algorithm>
#include <bit>
#include <climits>

namespace vextal {

namespace {

constexpr int kUntabledMoves = 3;

std::uint64_t Slot(std::uint64_t key) {
  key ^= key >> 31;
  key *= 0x9E3779B97F4A7C15ULL;
  return key ^ (key >> 29);
}

}  // namespace

ExactSolver::ExactSolver(const ExactLayout& layout, int tableSizeLog2)
    : layout_(layout),
      table_(std::size_t(2) << tableSizeLog2),
      mask_((std::uint64_t(1) << tableSizeLog2) - 1) {}

ExactSolver::Entry* ExactSolver::Probe(const ExactState& canonical) {
  const std::uint64_t key = canonical.Key() + 1;
  Entry* bucket = &table_[std::size_t(Slot(key) & mask_) * 2];
  return bucket[0].Key == key ? &bucket[0] : bucket[1].Key == key ? &bucket[1] : nullptr;
}

void ExactSolver::Store(const ExactState& canonical, int symmetry, int value, int alpha, int beta,
                        int move, std::int64_t work) {
  const std::uint64_t key = canonical.Key() + 1;
  Entry* bucket = &table_[std::size_t(Slot(key) & mask_) * 2];
  const auto log2Work =
      std::uint8_t(std::bit_width(std::uint64_t(std::max<std::int64_t>(work, 1))));
  Entry* entry = bucket[0].Key == key         ? &bucket[0]
                 : bucket[1].Key == key       ? &bucket[1]
                 : log2Work >= bucket[0].Work ? &bucket[0]
                                              : &bucket[1];
  if (entry->Key != key) {
    *entry = Entry{key};
  }
  // Fail-soft bounds on one exact value: each search narrows what the table knew.
  if (value > alpha) {
    entry->Lower = std::int8_t(std::max<int>(entry->Lower, value));
    entry->Move = std::int8_t(layout_.MapNode(symmetry, move));
  }
  if (value < beta) {
    entry->Upper = std::int8_t(std::min<int>(entry->Upper, value));
  }
  if (entry->Move < 0) {
    entry->Move = std::int8_t(layout_.MapNode(symmetry, move));
  }
  entry->Work = std::max(entry->Work, log2Work);
}

void ExactSolver::OrderedMoves(const ExactState& state, int first, int (&out)[kMaxExactNodes],
                               int& count) const {
  // The remembered best move first, then expansions (they score links and may neutralise), then
  // claims; within each, the moves that cut off most often before.
  int keys[kMaxExactNodes];
  count = 0;
  for (std::uint32_t legal = layout_.LegalMoves(state); legal != 0; legal &= legal - 1) {
    const int node = std::countr_zero(legal);
    const bool expansion = (state.Mine >> node & 1u) != 0;
    const int key =
        node == first ? INT_MAX : (expansion ? 1 << 28 : 0) + history_[std::size_t(node)];
    int i = count++;
    for (; i > 0 && keys[i - 1] < key; --i) {
      keys[i] = keys[i - 1];
      out[i] = out[i - 1];
    }
    keys[i] = key;
    out[i] = node;
  }
}

int ExactSolver::Negamax(const ExactState& state, int alpha, int beta, SearchStop& stop) {
  if (stop.Visit()) {
    return 0;
  }
  ++visited_;
  if (layout_.LegalMoves(state) == 0) {
    return layout_.Margin(state);
  }
  // Near the end of the game a position is searched again faster than it is found in a large
  // table: only positions with several moves still to come use the table.
  const std::uint32_t all = (1u << layout_.Count()) - 1;
  const int movesLeft = std::popcount(all & ~state.Mine & ~state.Theirs) +
                        std::popcount((state.Mine | state.Theirs) & ~state.Expanded);
  const bool tabled = movesLeft > kUntabledMoves;
  int symmetry = 0;
  const ExactState canonical = tabled ? layout_.Canonical(state, symmetry) : state;
  int first = -1;
  if (const Entry* entry = tabled ? Probe(canonical) : nullptr) {
    if (entry->Lower >= beta || entry->Lower == entry->Upper) {
      return entry->Lower;
    }
    if (entry->Upper <= alpha) {
      return entry->Upper;
    }
    alpha = std::max<int>(alpha, entry->Lower);
    beta = std::min<int>(beta, entry->Upper);
    // Every symmetry is a flip or the half turn, each its own inverse.
    first = entry->Move >= 0 ? layout_.MapNode(symmetry, entry->Move) : -1;
  }
  int moves[kMaxExactNodes];
  int count = 0;
  OrderedMoves(state, first, moves, count);
  const std::int64_t before = visited_;
  int best = INT_MIN;
  int bestMove = moves[0];
  for (int i = 0; i < count; ++i) {
    const int value = -Negamax(layout_.Play(state, moves[i]), -beta, -std::max(alpha, best), stop);
    if (stop.Stopped()) {
      return 0;
    }
    if (value > best) {
      best = value;
      bestMove = moves[i];
      if (best >= beta) {
        history_[std::size_t(moves[i])] += 1;
        break;
      }
    }
  }
  if (tabled) {
    Store(canonical, symmetry, best, alpha, beta, bestMove, visited_ - before);
  }
  return best;
}

ExactSolver::RootTest ExactSolver::TestRoot(const ExactState& state, int beta,
                                            std::vector<int>& moves, SearchStop& stop) {
  RootTest test;
  test.Value = INT_MIN;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    const int value = -Negamax(layout_.Play(state, moves[i]), -beta, -beta + 1, stop);
    if (stop.Stopped()) {
      return test;
    }
    if (value >= beta) {
      // The proven move goes first for the next test.
      std::rotate(moves.begin(), moves.begin() + std::ptrdiff_t(i),
                  moves.begin() + std::ptrdiff_t(i) + 1);
      return RootTest{true, value, moves.front()};
    }
    test.Value = std::max(test.Value, value);
  }
  return test;
}

ExactSolver::Result ExactSolver::Solve(const ExactState& state, SearchStop& stop,
                                       bool outcomeOnly) {
  Result result;
  int ordered[kMaxExactNodes];
  int count = 0;
  OrderedMoves(state, -1, ordered, count);
  if (count == 0) {
    result.Lower = result.Upper = layout_.Margin(state);
    return result;
  }
  std::vector<int> moves(ordered, ordered + count);
  // Winning is settled first (a test at 1), then drawing (at 0), then the margin step by step:
  // tests near the value are the cheap ones.
  int beta = 1;
  while (result.Lower < result.Upper && !(outcomeOnly && result.OutcomeKnown())) {
    beta = std::clamp(beta, result.Lower + 1, result.Upper);
    const RootTest test = TestRoot(state, beta, moves, stop);
    if (stop.Stopped()) {
      break;
    }
    if (test.High) {
      result.Lower = std::min(test.Value, result.Upper);
      result.Move = test.Move;
      beta = result.Lower + 1;
    } else {
      result.Upper = std::max(test.Value, result.Lower);
      beta = result.Upper;
    }
  }
  return result;
}

std::optional<bool> ExactSolver::AtLeast(const ExactState& state, int beta, SearchStop& stop) {
  const int value = Negamax(state, beta - 1, beta, stop);
  if (stop.Stopped()) {
    return std::nullopt;
  }
  return value >= beta;
}

}  // namespace vextal
