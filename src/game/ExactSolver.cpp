#include "game/ExactSolver.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <climits>
#include <thread>

namespace vextal {

namespace {

// Near the end of the game a position is searched again faster than it is found in a large
// table: only positions with more moves than this still to come use the table.
constexpr int kUntabledMoves = 3;
// With more moves than this to come, the children are looked up before any is searched: one of
// them may already be known to refute, and the look-ups bring their table lines into the cache.
constexpr int kLookAheadMoves = 6;
// Positions are counted in batches of this many: the stop is asked once per batch.
constexpr int kVisitBatch = 1024;

int MovesLeft(const ExactLayout& layout, const ExactState& state) {
  const std::uint32_t owned = state.Mine | state.Theirs;
  return layout.Count() - NodeCount(owned) + NodeCount(owned & ~state.Expanded);
}

}  // namespace

// One thread's search: its own counters and move history, the solver's layout and table.
class ExactSolver::Worker {
 public:
  Worker(const ExactLayout& layout, ExactTable& table) : layout_(layout), table_(table) {}

  // The next search answers to `stop`.
  void Begin(SearchStop& stop) {
    stop_ = &stop;
    stopped_ = stop.Stopped();
    // Old successes still say something about the moves, but less than new ones.
    for (auto& side : history_) {
      for (auto& h : side) {
        h >>= 2;
      }
    }
  }
  bool Stopped() const { return stopped_; }
  std::int64_t Visited() const { return visited_ + (kVisitBatch - countdown_); }
  void Clear() { history_ = {}; }

  int Negamax(const ExactState& state, int alpha, int beta, int side);
  // The legal moves of `state` worth searching, best first: under a symmetry that maps the
  // position onto itself, a move and its image lead to mirror positions of one value, and only
  // the image with the lower number is kept.
  int OrderedMoves(const ExactState& state, unsigned fixing, int first, int side,
                   int (&out)[kMaxExactNodes]) const;

 private:
  // What a position's search needs first, found once: at its parent where the parent looks
  // ahead, otherwise when the search begins.
  struct Facts {
    std::uint32_t Legal;
    std::uint64_t Key;  // of the canonical image, plus one
    int Symmetry;
    unsigned Fixing;
  };
  void FindFacts(const ExactState& state, std::uint32_t legal, Facts& facts) const {
    facts.Legal = legal;
    const ExactState canonical = layout_.Canonical(state, facts.Symmetry, facts.Fixing);
    facts.Key = canonical.Key() + 1;
  }
  // Negamax on a position with more moves to come than the untabled ones.
  int SearchTabled(const ExactState& state, const Facts& facts, int movesLeft, int alpha, int beta,
                   int side);

  struct Child {
    // Set as each child is made: the array is not initialised.
    ExactState State;
    int Move;
    int Order;
    int Ceiling;  // what the table proves this move reaches at most
    Facts Known;  // with the look-ahead only
  };

  bool CountVisit() {
    if (--countdown_ > 0) {
      return false;
    }
    countdown_ = kVisitBatch;
    visited_ += kVisitBatch;
    stopped_ = stop_->Visit(kVisitBatch);
    return stopped_;
  }
  int SearchSmall(const ExactState& state, std::uint32_t legal, int alpha, int beta);
  int OrderOf(const ExactState& state, const ExactState& child, std::uint32_t replies, int move,
              int side) const;
  void NoteCutoff(int side, int move, int movesLeft) {
    std::int32_t& h = history_[std::size_t(side)][std::size_t(move)];
    h += movesLeft * movesLeft;
    if (h > (1 << 15)) {
      for (auto& s : history_) {
        for (auto& v : s) {
          v >>= 1;
        }
      }
    }
  }

  const ExactLayout& layout_;
  ExactTable& table_;
  SearchStop* stop_ = nullptr;
  bool stopped_ = false;
  int countdown_ = kVisitBatch;
  std::int64_t visited_ = 0;
  // How often a move refuted, per side (the root's player and the other).
  std::array<std::array<std::int32_t, kMaxExactNodes>, 2> history_{};
};

// The threads that search beside the caller's.
struct ExactSolver::Helpers {
  std::vector<std::unique_ptr<Worker>> Workers;
};

int ExactSolver::Worker::OrderOf(const ExactState& state, const ExactState& child,
                                 std::uint32_t replySet, int move, int side) const {
  // Neutralisations first, then the move that leaves the opponent fewest replies, then
  // expansions (they score their links), then the moves that refuted most often before.
  const int ownedBefore = NodeCount(state.Mine | state.Theirs);
  const int ownedAfter = NodeCount(child.Mine | child.Theirs);
  const bool expansion = (state.Mine >> move & 1u) != 0;
  const int neutralised = expansion ? ownedBefore - ownedAfter : 0;
  const int replies = NodeCount(replySet);
  const int hist = std::min(history_[std::size_t(side)][std::size_t(move)], (1 << 19) - 1);
  return (neutralised << 26) + ((kMaxExactNodes - replies) << 20) + (expansion ? 1 << 19 : 0) +
         hist;
}

int ExactSolver::Worker::OrderedMoves(const ExactState& state, unsigned fixing, int first, int side,
                                      int (&out)[kMaxExactNodes]) const {
  int keys[kMaxExactNodes];
  int count = 0;
  for (std::uint32_t legal = layout_.LegalMoves(state); legal != 0; legal &= legal - 1) {
    const int node = std::countr_zero(legal);
    bool image = false;
    for (unsigned f = fixing; f != 0 && !image; f &= f - 1) {
      image = layout_.MapNode(std::countr_zero(f), node) < node;
    }
    if (image) {
      continue;
    }
    const ExactState child = layout_.Play(state, node);
    const int key =
        node == first ? INT_MAX : OrderOf(state, child, layout_.LegalMoves(child), node, side);
    int i = count++;
    for (; i > 0 && keys[i - 1] < key; --i) {
      keys[i] = keys[i - 1];
      out[i] = out[i - 1];
    }
    keys[i] = key;
    out[i] = node;
  }
  return count;
}

int ExactSolver::Worker::SearchSmall(const ExactState& state, std::uint32_t legal, int alpha,
                                     int beta) {
  // Expansions first: they score links and may neutralise.
  int best = INT_MIN;
  for (const std::uint32_t part : {legal & state.Mine, legal & ~state.Mine}) {
    for (std::uint32_t set = part; set != 0; set &= set - 1) {
      const ExactState child = layout_.Play(state, std::countr_zero(set));
      int value;
      if (CountVisit()) {
        return 0;
      }
      const std::uint32_t replies = layout_.LegalMoves(child);
      if (replies == 0) {
        value = -layout_.Margin(child);
      } else {
        value = -SearchSmall(child, replies, -beta, -std::max(alpha, best));
        if (stopped_) {
          return 0;
        }
      }
      if (value > best) {
        best = value;
        if (best >= beta) {
          return best;
        }
      }
    }
  }
  return best;
}

int ExactSolver::Worker::Negamax(const ExactState& state, int alpha, int beta, int side) {
  if (CountVisit()) {
    return 0;
  }
  const std::uint32_t legal = layout_.LegalMoves(state);
  if (legal == 0) {
    return layout_.Margin(state);
  }
  const int movesLeft = MovesLeft(layout_, state);
  if (movesLeft <= kUntabledMoves) {
    return SearchSmall(state, legal, alpha, beta);
  }
  Facts facts;
  FindFacts(state, legal, facts);
  return SearchTabled(state, facts, movesLeft, alpha, beta, side);
}

int ExactSolver::Worker::SearchTabled(const ExactState& state, const Facts& facts, int movesLeft,
                                      int alpha, int beta, int side) {
  const std::uint32_t legal = facts.Legal;
  const std::uint64_t key = facts.Key;
  const int symmetry = facts.Symmetry;
  const unsigned fixing = facts.Fixing;
  int first = -1;
  ExactTable::Data known;
  if (table_.Find(key, known)) {
    if (known.Lower >= beta || known.Lower == known.Upper) {
      return known.Lower;
    }
    if (known.Upper <= alpha) {
      return known.Upper;
    }
    alpha = std::max(alpha, known.Lower);
    beta = std::min(beta, known.Upper);
    // Every symmetry is a flip or the half turn, each its own inverse. Of the remembered move's
    // mirror images, the one with the lowest number is the one searched.
    if (known.Move >= 0) {
      const int move = layout_.MapNode(symmetry, known.Move);
      first = move;
      for (unsigned f = fixing; f != 0; f &= f - 1) {
        first = std::min(first, layout_.MapNode(std::countr_zero(f), move));
      }
      if ((legal >> first & 1u) == 0) {
        first = -1;
      }
    }
  }

  const std::int64_t before = Visited();
  int best = INT_MIN;
  int bestMove = -1;
  const auto store = [&] {
    const std::int64_t work = std::max<std::int64_t>(Visited() - before, 1);
    table_.Store(
        key, ExactTable::Data{best > alpha ? best : -kUnbounded, best < beta ? best : kUnbounded,
                              layout_.MapNode(symmetry, bestMove),
                              int(std::bit_width(std::uint64_t(work))), 0});
  };
  // The remembered move usually refutes again: it is searched before the others are made.
  if (first >= 0) {
    best = -Negamax(layout_.Play(state, first), -beta, -alpha, side ^ 1);
    if (stopped_) {
      return 0;
    }
    bestMove = first;
    if (best >= beta) {
      NoteCutoff(side, bestMove, movesLeft);
      store();
      return best;
    }
  }

  Child children[kMaxExactNodes];
  int count = 0;
  const bool lookAhead = movesLeft > kLookAheadMoves;
  for (std::uint32_t set = legal & ~(first >= 0 ? 1u << first : 0u); set != 0; set &= set - 1) {
    const int node = std::countr_zero(set);
    bool image = false;
    for (unsigned f = fixing; f != 0 && !image; f &= f - 1) {
      image = layout_.MapNode(std::countr_zero(f), node) < node;
    }
    if (image) {
      continue;
    }
    Child& child = children[count];
    child.State = layout_.Play(state, node);
    child.Move = node;
    child.Ceiling = kUnbounded;
    child.Known.Legal = layout_.LegalMoves(child.State);
    if (lookAhead) {
      FindFacts(child.State, child.Known.Legal, child.Known);
      __builtin_prefetch(table_.BucketOf(child.Known.Key));
    }
    ++count;
  }
  for (int i = 0; i < count; ++i) {
    Child& child = children[i];
    child.Order = OrderOf(state, child.State, child.Known.Legal, child.Move, side);
    ExactTable::Data reply;
    if (lookAhead && table_.Find(child.Known.Key, reply)) {
      // A reply already known to hold the opponent below -beta refutes without a search.
      if (-reply.Upper >= beta) {
        best = -reply.Upper;
        bestMove = child.Move;
        store();
        return best;
      }
      // One known to be good for us is tried early; one known not to raise alpha is not
      // searched at all.
      if (reply.Upper < kUnbounded) {
        child.Order += std::clamp(-reply.Upper - alpha + 1, 0, 7) << 27;
      }
      child.Ceiling = -reply.Lower;
    }
  }
  // Insertion sort, best first: the lists are short.
  for (int i = 1; i < count; ++i) {
    const Child moving = children[i];
    int j = i;
    for (; j > 0 && children[j - 1].Order < moving.Order; --j) {
      children[j] = children[j - 1];
    }
    children[j] = moving;
  }

  if (bestMove < 0) {
    bestMove = children[0].Move;
  }
  for (int i = 0; i < count; ++i) {
    const int floor = std::max(alpha, best);
    // A move that cannot raise the value keeps only its bound (fail-soft: still a true one).
    int value = children[i].Ceiling;
    if (value > floor) {
      // With the facts found at the look-ahead, the child's search begins at once.
      const int childMoves = MovesLeft(layout_, children[i].State);
      if (lookAhead && childMoves > kUntabledMoves && children[i].Known.Legal != 0) {
        value = CountVisit() ? 0
                             : -SearchTabled(children[i].State, children[i].Known, childMoves,
                                             -beta, -floor, side ^ 1);
      } else {
        value = -Negamax(children[i].State, -beta, -floor, side ^ 1);
      }
    }
    if (stopped_) {
      return 0;
    }
    if (value > best) {
      best = value;
      bestMove = children[i].Move;
      if (best >= beta) {
        NoteCutoff(side, bestMove, movesLeft);
        break;
      }
    }
  }
  store();
  return best;
}

ExactSolver::ExactSolver(const ExactLayout& layout, int tableSizeLog2, int threads)
    : layout_(layout),
      table_(tableSizeLog2 + 1, threads <= 1),
      main_(std::make_unique<Worker>(layout_, table_)),
      helpers_(std::make_unique<Helpers>()) {
  for (int t = 1; t < threads; ++t) {
    helpers_->Workers.push_back(std::make_unique<Worker>(layout_, table_));
  }
}

ExactSolver::~ExactSolver() = default;

std::int64_t ExactSolver::Visited() const {
  std::int64_t visited = main_->Visited();
  for (const auto& helper : helpers_->Workers) {
    visited += helper->Visited();
  }
  return visited;
}

void ExactSolver::Clear() {
  table_.Clear();
  main_ = std::make_unique<Worker>(layout_, table_);
  for (auto& helper : helpers_->Workers) {
    helper = std::make_unique<Worker>(layout_, table_);
  }
}

template <typename Test>
auto ExactSolver::WithHelpers(const ExactState& state, int alpha, int beta, Test test) {
  if (helpers_->Workers.empty()) {
    return test(*main_);
  }
  // The helpers search the same question and fill the shared table; only the caller's answer
  // counts, so the values found do not depend on how the threads meet.
  std::atomic<bool> done{false};
  std::vector<std::thread> threads;
  for (std::size_t h = 0; h < helpers_->Workers.size(); ++h) {
    threads.emplace_back([&, h] {
      Worker& helper = *helpers_->Workers[h];
      SearchStop stop(done, std::chrono::steady_clock::time_point::max(), std::int64_t(1) << 62,
                      1 << 20);
      helper.Begin(stop);
      // A different first move for each helper, so they do not walk in step.
      int moves[kMaxExactNodes];
      const int count = helper.OrderedMoves(state, 0, -1, 0, moves);
      for (int i = 0; i < count && !done.load(std::memory_order_relaxed); ++i) {
        const int move = moves[(i + int(h) + 1) % count];
        helper.Negamax(layout_.Play(state, move), -beta, -alpha, 1);
      }
      helper.Negamax(state, alpha, beta, 0);
    });
  }
  auto answer = test(*main_);
  done = true;
  for (std::thread& thread : threads) {
    thread.join();
  }
  return answer;
}

ExactSolver::RootTest ExactSolver::TestRoot(Worker& worker, const ExactState& state, int beta,
                                            std::vector<int>& moves) {
  RootTest test;
  test.Value = INT_MIN;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    const int value = -worker.Negamax(layout_.Play(state, moves[i]), -beta, -beta + 1, 1);
    if (worker.Stopped()) {
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
  table_.NextSearch();
  main_->Begin(stop);
  int symmetry = 0;
  unsigned fixing = 0;
  layout_.Canonical(state, symmetry, fixing);
  int ordered[kMaxExactNodes];
  const int count = main_->OrderedMoves(state, fixing, -1, 0, ordered);
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
    const RootTest test = WithHelpers(state, beta - 1, beta, [&](Worker& worker) {
      return TestRoot(worker, state, beta, moves);
    });
    if (main_->Stopped()) {
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
  table_.NextSearch();
  main_->Begin(stop);
  const int value = WithHelpers(state, beta - 1, beta, [&](Worker& worker) {
    return worker.Negamax(state, beta - 1, beta, 0);
  });
  if (main_->Stopped()) {
    return std::nullopt;
  }
  return value >= beta;
}

}  // namespace vextal
