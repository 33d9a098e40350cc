#include "game/GameAnalysis.h"

#include <algorithm>
#include <random>

#include "game/ExactBoard.h"
#include "game/Rules.h"

namespace vextal {

namespace {

constexpr int kClockStride = 2048;

// The positions of the game with the player whose value is wanted at each: the mover of the
// next move, and after the last move the mover's opponent.
struct Ply {
  Board Nodes;
  Player ToMove = 0;
  std::optional<ExactLayout::Reading> Reading;
};

std::vector<Ply> PositionsOf(const RecordedGame& game) {
  std::vector<Ply> plies;
  Board board = game.Start;
  for (int i = 0; i <= game.Plies(); ++i) {
    Ply ply;
    ply.Nodes = board;
    ply.ToMove = i < game.Plies() ? game.Moves[std::size_t(i)].Mover : game.ToMoveAt(i);
    ply.Reading = ExactLayout::Read(board, ply.ToMove);
    plies.push_back(std::move(ply));
    if (i < game.Plies()) {
      const RecordedMove& move = game.Moves[std::size_t(i)];
      ApplyMove(board, move.Column, move.Row, move.Mover);
    }
  }
  return plies;
}

std::optional<Cell> CellOfNode(const ExactLayout& layout, int node) {
  if (node < 0 || node >= layout.Count()) {
    return std::nullopt;
  }
  const PackedCell cell = layout.CellOf(node);
  return Cell{ColumnOf(cell), RowOf(cell)};
}

// Narrows `value` by what is proven elsewhere, keeping a best move that reaches the new Lower.
void Merge(ProvenValue& value, int lower, int upper, std::optional<Cell> best) {
  if (lower > value.Lower) {
    value.Lower = lower;
    value.Best = best;
  } else if (!value.Best && lower == value.Lower) {
    value.Best = best;
  }
  value.Upper = std::min(value.Upper, upper);
}

class Analyser {
 public:
  using Clock = std::chrono::steady_clock;

  Analyser(const RecordedGame& game, const OpeningBook* book, const AnalysisSettings& settings,
           const std::atomic<bool>& cancel)
      : game_(game), book_(book), settings_(settings), cancel_(cancel), plies_(PositionsOf(game)) {
    result_.Values.resize(plies_.size());
    result_.Moves.resize(std::size_t(game.Plies()));
    keepingTried_.resize(std::size_t(game.Plies()));
    if (!plies_.empty() && plies_.front().Reading) {
      solver_.emplace(plies_.front().Reading->Layout, settings.TableSizeLog2,
                      std::max(1, settings.Threads));
    }
  }

  GameAnalysis Run(const AnalysisProgress& progress) {
    progress_ = &progress;
    const auto start = Clock::now();
    const auto outcomeEnd = start + settings_.OutcomeTime;
    const auto end = start + settings_.TotalTime;
    const int total = int(plies_.size());
    Tell();
    // The end of the game first: the table then knows the later positions.
    for (int i = total - 1; i >= 0 && !Cancelled(); --i) {
      Settle(i, false, settings_.FirstPassNodes,
             std::min(outcomeEnd, Clock::now() + settings_.FirstPassTime));
    }
    // What would have kept the value of each move proven to lose some by now (a person's moves
    // first), then win, draw or loss of the positions still open, latest first, and what would
    // have kept the value of the moves that shows to lose.
    const auto keepingEnd = Clock::now() + settings_.KeepingTime;
    for (const int i : LostMoves()) {
      FindKeeping(i, keepingEnd);
    }
    std::vector<int> open;
    for (int i = total - 1; i >= 0; --i) {
      open.push_back(i);
    }
    Share(open, outcomeEnd, true);
    const auto moreKeepingEnd = std::max(outcomeEnd, Clock::now()) + settings_.KeepingTime;
    for (const int i : LostMoves()) {
      FindKeeping(i, moreKeepingEnd);
    }
    // The margins: the positions on either side of those moves first, then the rest.
    std::vector<int> margins;
    for (const int i : LostMoves()) {
      margins.push_back(i);
      margins.push_back(i + 1);
    }
    for (int i = total - 1; i >= 0; --i) {
      if (std::find(margins.begin(), margins.end(), i) == margins.end()) {
        margins.push_back(i);
      }
    }
    Share(margins, end, false);
    // A value found larger than the one its keeping moves were tested for: tested again.
    const auto againEnd = std::max(end, Clock::now()) + settings_.KeepingTime / 2;
    for (const int i : LostMoves()) {
      FindKeeping(i, againEnd);
    }
    result_.Complete = !Cancelled();
    return result_;
  }

 private:
  bool Cancelled() const { return cancel_.load(); }

  // Settles the positions of `order` in turn (only their outcome, or their value), each with
  // an equal share of the time left until `until`.
  void Share(const std::vector<int>& order, Clock::time_point until, bool outcomeOnly) {
    auto settled = [&](int i) {
      const ProvenValue& value = result_.Values[std::size_t(i)];
      return outcomeOnly ? value.OutcomeKnown() : value.Exact();
    };
    for (std::size_t k = 0; k < order.size() && !Cancelled(); ++k) {
      if (settled(order[k])) {
        continue;
      }
      const auto now = Clock::now();
      if (now >= until) {
        break;
      }
      const auto left = std::count_if(order.begin() + std::ptrdiff_t(k), order.end(),
                                      [&](int i) { return !settled(i); });
      Settle(order[k], outcomeOnly, settings_.SecondPassNodes, now + (until - now) / left);
    }
  }

  // Proves what the book, the rules or the solver within the budget can about position `i`.
  void Settle(int i, bool outcomeOnly, std::int64_t nodes, Clock::time_point deadline) {
    const Ply& ply = plies_[std::size_t(i)];
    ProvenValue& value = result_.Values[std::size_t(i)];
    if (value.Exact() || (outcomeOnly && value.OutcomeKnown()) || !ply.Reading || !solver_) {
      return;
    }
    const ProvenValue before = value;
    const ExactLayout& layout = ply.Reading->Layout;
    if (layout.LegalMoves(ply.Reading->State) == 0) {
      const int margin = layout.Margin(ply.Reading->State);
      value = ProvenValue{margin, margin, std::nullopt};
    } else {
      if (book_) {
        if (const OpeningBook::Entry* entry = book_->Lookup(*ply.Reading)) {
          std::mt19937_64 pick{std::uint64_t(i)};
          std::optional<Cell> best;
          if (const auto cell = book_->Find(*ply.Reading, pick)) {
            best = Cell{ColumnOf(*cell), RowOf(*cell)};
          }
          Merge(value, entry->Lower, entry->Upper, best);
        }
      }
      if (!value.Exact() && !(outcomeOnly && value.OutcomeKnown())) {
        SearchStop stop(cancel_, deadline, nodes, kClockStride);
        const ExactSolver::Result solved = solver_->Solve(ply.Reading->State, stop, outcomeOnly);
        Merge(value, solved.Lower, solved.Upper, CellOfNode(layout, solved.Move));
      }
    }
    Propagate(i);
    if (value.Lower != before.Lower || value.Upper != before.Upper) {
      Tell();
    }
  }

  // A move played from position `i` gives its mover at most the value of `i`, and the value of
  // `i` is at least what the move played reached: each bound of one side limits the other.
  void Propagate(int i) {
    for (const int at : {i - 1, i}) {
      if (at < 0 || at + 1 >= int(plies_.size()) ||
          plies_[std::size_t(at + 1)].ToMove == plies_[std::size_t(at)].ToMove) {
        continue;
      }
      ProvenValue& before = result_.Values[std::size_t(at)];
      ProvenValue& after = result_.Values[std::size_t(at + 1)];
      const RecordedMove& move = game_.Moves[std::size_t(at)];
      if (after.Upper < ExactSolver::kUnbounded) {
        Merge(before, -after.Upper, before.Upper, Cell{move.Column, move.Row});
      }
      if (before.Upper < ExactSolver::kUnbounded && -before.Upper > after.Lower) {
        Merge(after, -before.Upper, after.Upper, std::nullopt);
      }
    }
  }

  // The moves proven to lose value, a person's before the others', each in the order played.
  std::vector<int> LostMoves() const {
    std::vector<int> lost;
    for (const bool person : {true, false}) {
      for (int i = 0; i < game_.Plies(); ++i) {
        if ((game_.Moves[std::size_t(i)].By == MoveSource::Person) == person &&
            result_.Moves[std::size_t(i)].Judgement == MoveJudgement::Lost) {
          lost.push_back(i);
        }
      }
    }
    return lost;
  }

  // Every verdict from the values proven so far; moves found to keep a value stay found.
  void Judge() {
    for (int i = 0; i < game_.Plies(); ++i) {
      MoveVerdict& verdict = result_.Moves[std::size_t(i)];
      verdict.Before = result_.Values[std::size_t(i)];
      verdict.After = result_.Values[std::size_t(i + 1)].Negated();
      if (verdict.After.Upper < verdict.Before.Lower) {
        verdict.Judgement = MoveJudgement::Lost;
        verdict.Refutation = result_.Values[std::size_t(i + 1)].Best;
      } else if ((verdict.Before.Exact() && verdict.After.Exact()) ||
                 verdict.After.Lower >= verdict.Before.Upper) {
        verdict.Judgement = MoveJudgement::Kept;  // equal: a move cannot gain
      } else {
        verdict.Judgement = MoveJudgement::Unknown;
      }
    }
  }

  void Tell() {
    Judge();
    if (progress_ && *progress_) {
      int done = 0;
      for (const ProvenValue& value : result_.Values) {
        done += (value.OutcomeKnown() ? 1 : 0) + (value.Exact() ? 1 : 0);
      }
      (*progress_)(result_, done, 2 * int(result_.Values.size()));
    }
  }

  // The moves of lost move `i`'s position proven to keep the value proven before it, unless
  // they were tested already for that value.
  void FindKeeping(int i, Clock::time_point deadline) {
    MoveVerdict& verdict = result_.Moves[std::size_t(i)];
    const int value = verdict.Before.Lower;
    if (Cancelled() || Clock::now() >= deadline ||
        (keepingTried_[std::size_t(i)] && verdict.KeepingValue >= value)) {
      return;
    }
    bool complete = false;
    std::vector<Cell> keeping = KeepingMoves(i, value, deadline, complete);
    if (Cancelled()) {
      return;
    }
    // What a stopped test found for a larger value replaces a whole answer for a smaller one
    // only when it found something.
    if (!keepingTried_[std::size_t(i)] || complete || !keeping.empty() ||
        !verdict.KeepingComplete) {
      verdict.Keeping = std::move(keeping);
      verdict.KeepingValue = value;
      verdict.KeepingComplete = complete;
      verdict.KeepingTested = true;
    }
    keepingTried_[std::size_t(i)] = 1;
    Tell();
  }

  // The moves of position `i` proven to give its mover at least `value`.
  std::vector<Cell> KeepingMoves(int i, int value, Clock::time_point deadline, bool& complete) {
    std::vector<Cell> keeping;
    complete = false;
    const Ply& ply = plies_[std::size_t(i)];
    if (!ply.Reading || !solver_) {
      return keeping;
    }
    // The move that proved the value keeps it without another search, and the move played is
    // proven not to.
    const ProvenValue& before = result_.Values[std::size_t(i)];
    const Cell best = before.Lower >= value && before.Best ? *before.Best : Cell{0, 0};
    const RecordedMove& played = game_.Moves[std::size_t(i)];
    const ExactLayout& layout = ply.Reading->Layout;
    ExactLayout::Reading next{layout, {}};  // a child, as the book is asked about it
    bool all = true;
    std::uint32_t moves = layout.LegalMoves(ply.Reading->State);
    while (moves != 0 && !Cancelled()) {
      const int node = __builtin_ctz(moves);
      moves &= moves - 1;
      const std::optional<Cell> cell = CellOfNode(layout, node);
      const ExactState child = layout.Play(ply.Reading->State, node);
      bool keeps = false;
      if (cell && *cell == best) {
        keeps = true;
      } else if (cell == Cell{played.Column, played.Row} &&
                 result_.Moves[std::size_t(i)].After.Upper < value) {
        keeps = false;
      } else if (layout.LegalMoves(child) == 0) {
        keeps = -layout.Margin(child) >= value;
      } else if (const OpeningBook::Entry* entry = book_ ? BookEntry(next, child) : nullptr;
                 entry && (-entry->Upper >= value || -entry->Lower < value)) {
        keeps = -entry->Upper >= value;  // the mover's value after it lies in [-Upper, -Lower]
      } else {
        // The mover keeps `value` when the opponent's value after the move stays at most -value.
        SearchStop stop(cancel_, deadline, settings_.KeepingNodes, kClockStride);
        const std::optional<bool> opponentGets = solver_->AtLeast(child, -value + 1, stop);
        all = all && opponentGets.has_value();
        keeps = opponentGets.has_value() && !*opponentGets;
      }
      if (keeps) {
        keeping.push_back(*cell);
      }
    }
    complete = all && !Cancelled();
    return keeping;
  }

  const OpeningBook::Entry* BookEntry(ExactLayout::Reading& reading,
                                      const ExactState& state) const {
    reading.State = state;
    return book_->Lookup(reading);
  }

  const RecordedGame& game_;
  const OpeningBook* book_;
  const AnalysisSettings& settings_;
  const std::atomic<bool>& cancel_;
  std::vector<Ply> plies_;
  std::optional<ExactSolver> solver_;
  GameAnalysis result_;
  std::vector<char> keepingTried_;
  const AnalysisProgress* progress_ = nullptr;
};

}  // namespace

ProvenValue GameAnalysis::ForPlayer1(const RecordedGame& game, int ply) const {
  if (ply < 0 || ply >= int(Values.size())) {
    return {};
  }
  const Player toMove =
      ply < game.Plies() ? game.Moves[std::size_t(ply)].Mover : game.ToMoveAt(ply);
  const ProvenValue& value = Values[std::size_t(ply)];
  return toMove == 1 ? value : value.Negated();
}

GameAnalysis AnalyseGame(const RecordedGame& game, const OpeningBook* book,
                         const AnalysisSettings& settings, const std::atomic<bool>& cancel,
                         const AnalysisProgress& progress) {
  return Analyser(game, book, settings, cancel).Run(progress);
}

}  // namespace vextal
