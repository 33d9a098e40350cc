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
// With several threads, positions with more moves than this to come are marked while a thread
// searches them, and the other threads put them off: each searches a different part of the tree.
constexpr int kSharedMoves = 7;
// Positions each move at the root may search in the first round of a test (see TestRoot).
constexpr std::int64_t kFirstRootBudget = std::int64_t(1) << 17;
constexpr int kRootBudgetGrowth = 4;

int MovesLeft(const ExactLayout& layout, const ExactState& state) {
  const std::uint32_t owned = state.Mine | state.Theirs;
  return layout.Count() - NodeCount(owned) + NodeCount(owned & ~state.Expanded);
}

}  // namespace

// The positions threads are searching now, by key: a few hundred at most (one line of play per
// thread), so a small array of slots does, and a position that finds its slot taken goes
// unmarked.
struct ExactSolver::Busy {
  static constexpr int kBits = 11;
  std::array<std::atomic<std::uint64_t>, std::size_t(1) << kBits> Keys{};

  std::atomic<std::uint64_t>& SlotOf(std::uint64_t key) {
    return Keys[std::size_t((key * 0x9E3779B97F4A7C15ULL) >> (64 - kBits))];
  }
  bool Enter(std::uint64_t key) {
    std::uint64_t empty = 0;
    return SlotOf(key).compare_exchange_strong(empty, key, std::memory_order_relaxed);
  }
  void Leave(std::uint64_t key) { SlotOf(key).store(0, std::memory_order_relaxed); }
  // Play never returns to a position, so a marked child is being searched by another thread.
  bool Has(std::uint64_t key) { return SlotOf(key).load(std::memory_order_relaxed) == key; }
};

// One thread's search: its own counters and move history, the solver's layout and table.
class ExactSolver::Worker {
 public:
  Worker(const ExactLayout& layout, ExactTable& table, Busy* busy)
      : layout_(layout), table_(table), busy_(busy) {}

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
  // Searches from now on stop (as if told to) after about `positions` more; an unlimited
  // search with a negative number. Whether the last limit was reached, and the search stopped
  // for it alone, is OverLimit; setting a new limit forgets it.
  void Limit(std::int64_t positions) {
    if (overLimit_) {
      overLimit_ = false;
      stopped_ = stop_->Stopped();
    }
    limit_ = positions < 0 ? INT64_MAX : visited_ + positions;
  }
  bool OverLimit() const { return overLimit_; }

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
    if (!stopped_ && visited_ >= limit_) {
      stopped_ = true;
      overLimit_ = true;
    }
    return stopped_;
  }
  int SearchSmall(const ExactState& state, std::uint32_t legal, int alpha, int beta);
  int OrderOf(const ExactState& state, const ExactState& child, std::uint32_t replies, int move,
              int side) const;
  void NoteCutoff(int side, int move, int movesLeft) {
    // A refutation far from the end saves far more than one near it: the credit doubles with
    // each move still to come.
    std::int32_t& h = history_[std::size_t(side)][std::size_t(move)];
    h += (1 << std::min(movesLeft, 18)) / 64;
    if (h > (1 << 18)) {
      for (auto& s : history_) {
        for (auto& v : s) {
          v >>= 1;
        }
      }
    }
  }

  const ExactLayout& layout_;
  ExactTable& table_;
  Busy* busy_;  // with several threads only
  SearchStop* stop_ = nullptr;
  bool stopped_ = false;
  int countdown_ = kVisitBatch;
  std::int64_t visited_ = 0;
  std::int64_t limit_ = INT64_MAX;
  bool overLimit_ = false;
  // How often a move refuted, per side (the root's player and the other).
  std::array<std::array<std::int32_t, kMaxExactNodes>, 2> history_{};
};

// The threads that search beside the caller's, and the positions they are in.
struct ExactSolver::Helpers {
  std::vector<std::unique_ptr<Worker>> Workers;
  Busy Marks;
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

  // Marked while this thread searches it, so another thread puts it off (see kSharedMoves).
  struct Mark {
    Busy* busy;
    std::uint64_t key;
    ~Mark() {
      if (busy != nullptr) {
        busy->Leave(key);
      }
    }
  } mark{busy_ != nullptr && movesLeft > kSharedMoves && busy_->Enter(key) ? busy_ : nullptr, key};

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
  // Searches child i; true when it refutes (or the search stops).
  const auto search = [&](Child& child) {
    const int floor = std::max(alpha, best);
    // A move that cannot raise the value keeps only its bound (fail-soft: still a true one).
    int value = child.Ceiling;
    if (value > floor) {
      // With the facts found at the look-ahead, the child's search begins at once.
      const int childMoves = MovesLeft(layout_, child.State);
      if (lookAhead && childMoves > kUntabledMoves && child.Known.Legal != 0) {
        value = CountVisit()
                    ? 0
                    : -SearchTabled(child.State, child.Known, childMoves, -beta, -floor, side ^ 1);
      } else {
        value = -Negamax(child.State, -beta, -floor, side ^ 1);
      }
    }
    if (stopped_) {
      return true;
    }
    if (value > best) {
      best = value;
      bestMove = child.Move;
      if (best >= beta) {
        NoteCutoff(side, bestMove, movesLeft);
        return true;
      }
    }
    return false;
  };
  // With other threads, a child one of them is searching is put off until the others are done
  // (the first is searched whatever happens: it usually refutes); by then the table mostly
  // holds its value.
  const bool share = busy_ != nullptr && lookAhead && movesLeft - 1 > kSharedMoves;
  int putOff[kMaxExactNodes];
  int later = 0;
  bool done = false;
  for (int i = 0; i < count && !done; ++i) {
    if (share && (i > 0 || first >= 0) && busy_->Has(children[i].Known.Key)) {
      putOff[later++] = i;
      continue;
    }
    done = search(children[i]);
  }
  for (int i = 0; i < later && !done; ++i) {
    done = search(children[putOff[i]]);
  }
  if (stopped_) {
    return 0;
  }
  store();
  return best;
}

ExactSolver::ExactSolver(const ExactLayout& layout, int tableSizeLog2, int threads)
    : layout_(layout),
      table_(tableSizeLog2 + 1, true),
      helpers_(std::make_unique<Helpers>()),
      threads_(std::max(threads, 1)) {
  Clear();
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
  Busy* marks = threads_ > 1 ? &helpers_->Marks : nullptr;
  main_ = std::make_unique<Worker>(layout_, table_, marks);
  helpers_->Workers.clear();
  for (int t = 1; t < threads_; ++t) {
    helpers_->Workers.push_back(std::make_unique<Worker>(layout_, table_, marks));
  }
}

template <typename Test>
auto ExactSolver::WithHelpers(const ExactState& state, int alpha, int beta, Test test) {
  if (helpers_->Workers.empty()) {
    return test(*main_);
  }
  // The helpers search the same question and fill the shared table, each putting off what
  // another thread is searching; only the caller's answer counts, and it is exact, so the
  // values found do not depend on how the threads meet.
  std::atomic<bool> done{false};
  std::vector<std::thread> threads;
  for (std::size_t h = 0; h < helpers_->Workers.size(); ++h) {
    threads.emplace_back([&, h] {
      Worker& helper = *helpers_->Workers[h];
      SearchStop stop(done, std::chrono::steady_clock::time_point::max(), std::int64_t(1) << 62,
                      1 << 20);
      helper.Begin(stop);
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
  // With helpers, a move one of them is searching is put off to the end, as below the root.
  std::vector<std::size_t> open;
  std::vector<std::size_t> putOff;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    int symmetry = 0;
    unsigned fixing = 0;
    const std::uint64_t key =
        layout_.Canonical(layout_.Play(state, moves[i]), symmetry, fixing).Key() + 1;
    (i > 0 && threads_ > 1 && helpers_->Marks.Has(key) ? putOff : open).push_back(i);
  }
  open.insert(open.end(), putOff.begin(), putOff.end());
  // A move that does not reach beta is proven so only by searching every reply, and one that
  // does may be far cheaper to prove: each move gets a small number of positions first, and
  // kRootBudgetGrowth times as many at each round, until one reaches beta or every other is proven
  // short of it (the last one open searches unlimited). What a cut-short search finished below it
  // stays in the table.
  std::int64_t budget = rootRounds_ ? kFirstRootBudget : -1;
  while (!open.empty()) {
    std::vector<std::size_t> still;
    for (std::size_t k = 0; k < open.size(); ++k) {
      const std::size_t i = open[k];
      worker.Limit(open.size() - k + still.size() == 1 ? -1 : budget);
      const int value = -worker.Negamax(layout_.Play(state, moves[i]), -beta, -beta + 1, 1);
      if (worker.OverLimit()) {
        still.push_back(i);
        continue;
      }
      if (worker.Stopped()) {
        worker.Limit(-1);
        return test;
      }
      if (value >= beta) {
        worker.Limit(-1);
        // The proven move goes first for the next test.
        std::rotate(moves.begin(), moves.begin() + std::ptrdiff_t(i),
                    moves.begin() + std::ptrdiff_t(i) + 1);
        return RootTest{true, value, moves.front()};
      }
      test.Value = std::max(test.Value, value);
    }
    open = std::move(still);
    budget *= kRootBudgetGrowth;  // unlimited (negative) searches end in the first round
  }
  worker.Limit(-1);
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

std::optional<std::uint32_t> ExactSolver::KeepingMoves(const ExactState& state, int value,
                                                       SearchStop& stop) {
  table_.NextSearch();
  int symmetry = 0;
  unsigned fixing = 0;
  layout_.Canonical(state, symmetry, fixing);
  // Under a symmetry that fixes the position, a move and its image keep or lose alike: only
  // the image with the lowest number is tested.
  std::vector<int> tested;
  const std::uint32_t legal = layout_.LegalMoves(state);
  for (std::uint32_t set = legal; set != 0; set &= set - 1) {
    const int node = std::countr_zero(set);
    bool image = false;
    for (unsigned f = fixing; f != 0 && !image; f &= f - 1) {
      image = layout_.MapNode(std::countr_zero(f), node) < node;
    }
    if (!image) {
      tested.push_back(node);
    }
  }
  std::vector<std::atomic<int>> keeps(tested.size());  // 1 keeps, 0 does not, -1 not tested
  for (auto& k : keeps) {
    k.store(-1, std::memory_order_relaxed);
  }
  std::atomic<std::size_t> next{0};
  std::atomic<bool> done{false};
  const auto testMoves = [&](Worker& worker) {
    for (std::size_t i = next++; i < tested.size() && !worker.Stopped(); i = next++) {
      const int reply = worker.Negamax(layout_.Play(state, tested[i]), -value, -value + 1, 1);
      if (!worker.Stopped()) {
        keeps[i].store(reply <= -value ? 1 : 0, std::memory_order_relaxed);
      }
    }
  };
  main_->Begin(stop);
  std::vector<std::thread> threads;
  for (auto& helper : helpers_->Workers) {
    threads.emplace_back([&, worker = helper.get()] {
      SearchStop helperStop(done, std::chrono::steady_clock::time_point::max(),
                            std::int64_t(1) << 62, 1 << 20);
      worker->Begin(helperStop);
      testMoves(*worker);
    });
  }
  testMoves(*main_);
  if (main_->Stopped()) {
    done = true;
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  std::uint32_t kept = 0;
  for (std::size_t i = 0; i < tested.size(); ++i) {
    const int k = keeps[i].load(std::memory_order_relaxed);
    if (k < 0) {
      return std::nullopt;
    }
    if (k == 0) {
      continue;
    }
    kept |= 1u << tested[i];
    for (unsigned f = fixing; f != 0; f &= f - 1) {
      kept |= 1u << layout_.MapNode(std::countr_zero(f), tested[i]);
    }
  }
  return kept & legal;
}

}  // namespace vextal
