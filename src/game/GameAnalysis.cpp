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
  Analyser(const RecordedGame& game, const OpeningBook* book, const AnalysisSettings& settings,
           const std::atomic<bool>& cancel)
      : game_(game), book_(book), settings_(settings), cancel_(cancel), plies_(PositionsOf(game)) {
    result_.Values.resize(plies_.size());
    if (!plies_.empty() && plies_.front().Reading) {
      solver_.emplace(plies_.front().Reading->Layout, settings.TableSizeLog2);
    }
  }

  GameAnalysis Run(const std::function<void(int, int)>& progress) {
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + settings_.TotalTime;
    const int total = int(plies_.size());
    int done = 0;
    auto tell = [&] {
      if (progress) {
        progress(done, total);
      }
    };
    tell();
    // The end of the game first: the table then knows the later positions.
    std::vector<int> open;
    for (int i = total - 1; i >= 0 && !cancel_.load(); --i) {
      Settle(i, settings_.FirstPassNodes,
             std::min(end, std::chrono::steady_clock::now() + settings_.FirstPassTime));
      if (result_.Values[std::size_t(i)].Exact()) {
        ++done;
        tell();
      } else {
        open.push_back(i);
      }
    }
    // The positions still open, latest first, share the time left.
    for (std::size_t k = 0; k < open.size() && !cancel_.load(); ++k) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= end) {
        break;
      }
      const auto share = (end - now) / std::int64_t(open.size() - k);
      Settle(open[k], settings_.SecondPassNodes, now + share);
      if (result_.Values[std::size_t(open[k])].Exact()) {
        ++done;
        tell();
      }
    }
    keepingEnd_ = std::max(end, std::chrono::steady_clock::now() + settings_.KeepingTime);
    for (int i = 0; i < game_.Plies() && !cancel_.load(); ++i) {
      result_.Moves.push_back(Judge(i));
    }
    result_.Complete = !cancel_.load();
    return result_;
  }

 private:
  // Proves what the book, the rules or the solver within the budget can about position `i`.
  void Settle(int i, std::int64_t nodes, std::chrono::steady_clock::time_point deadline) {
    const Ply& ply = plies_[std::size_t(i)];
    ProvenValue& value = result_.Values[std::size_t(i)];
    if (value.Exact() || !ply.Reading || !solver_) {
      return;
    }
    const ExactLayout& layout = ply.Reading->Layout;
    if (layout.LegalMoves(ply.Reading->State) == 0) {
      const int margin = layout.Margin(ply.Reading->State);
      value = ProvenValue{margin, margin, std::nullopt};
      return;
    }
    if (book_) {
      if (const OpeningBook::Entry* entry = book_->Lookup(*ply.Reading)) {
        std::mt19937_64 pick{std::uint64_t(i)};
        std::optional<Cell> best;
        if (const auto cell = book_->Find(*ply.Reading, pick)) {
          best = Cell{ColumnOf(*cell), RowOf(*cell)};
        }
        Merge(value, entry->Lower, entry->Upper, best);
        if (value.Exact()) {
          return;
        }
      }
    }
    SearchStop stop(cancel_, deadline, nodes, kClockStride);
    const ExactSolver::Result solved = solver_->Solve(ply.Reading->State, stop);
    Merge(value, solved.Lower, solved.Upper, CellOfNode(layout, solved.Move));
  }

  MoveVerdict Judge(int i) {
    MoveVerdict verdict;
    verdict.Before = result_.Values[std::size_t(i)];
    verdict.After = result_.Values[std::size_t(i + 1)].Negated();
    if (verdict.After.Upper < verdict.Before.Lower) {
      verdict.Judgement = MoveJudgement::Lost;
    } else if (verdict.Before.Exact() && verdict.After.Exact()) {
      verdict.Judgement = MoveJudgement::Kept;  // equal: a move cannot gain
    } else if (verdict.After.Lower >= verdict.Before.Upper) {
      verdict.Judgement = MoveJudgement::Kept;
    }
    if (verdict.Judgement == MoveJudgement::Lost) {
      verdict.Refutation = result_.Values[std::size_t(i + 1)].Best;
      verdict.Keeping = KeepingMoves(i, verdict.Before.Lower, verdict.KeepingComplete);
    }
    return verdict;
  }

  // The moves of position `i` proven to give its mover at least `value`.
  std::vector<Cell> KeepingMoves(int i, int value, bool& complete) {
    std::vector<Cell> keeping;
    complete = false;
    const Ply& ply = plies_[std::size_t(i)];
    if (!ply.Reading || !solver_) {
      return keeping;
    }
    // The move that proved the value keeps it without another search.
    const std::optional<Cell> best = result_.Values[std::size_t(i)].Best;
    const ExactLayout& layout = ply.Reading->Layout;
    bool all = true;
    std::uint32_t moves = layout.LegalMoves(ply.Reading->State);
    while (moves != 0 && !cancel_.load()) {
      const int node = __builtin_ctz(moves);
      moves &= moves - 1;
      const std::optional<Cell> cell = CellOfNode(layout, node);
      const ExactState child = layout.Play(ply.Reading->State, node);
      bool keeps = false;
      if (best && cell == best) {
        keeps = true;
      } else if (layout.LegalMoves(child) == 0) {
        keeps = -layout.Margin(child) >= value;
      } else {
        // The mover keeps `value` when the opponent's value after the move stays at most -value.
        SearchStop stop(cancel_, keepingEnd_, settings_.KeepingNodes, kClockStride);
        const std::optional<bool> opponentGets = solver_->AtLeast(child, -value + 1, stop);
        all = all && opponentGets.has_value();
        keeps = opponentGets.has_value() && !*opponentGets;
      }
      if (keeps) {
        keeping.push_back(*cell);
      }
    }
    complete = all && !cancel_.load();
    return keeping;
  }

  const RecordedGame& game_;
  const OpeningBook* book_;
  const AnalysisSettings& settings_;
  const std::atomic<bool>& cancel_;
  std::vector<Ply> plies_;
  std::optional<ExactSolver> solver_;
  GameAnalysis result_;
  std::chrono::steady_clock::time_point keepingEnd_;
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
                         const std::function<void(int, int)>& progress) {
  return Analyser(game, book, settings, cancel).Run(progress);
}

}  // namespace vextal
