#include "game/SearchStrategy.h"

#include <algorithm>
#include <vector>

namespace vextal {

namespace {

using namespace std::chrono_literals;

// Orders the root moves: shuffled first, so that among moves the search finds equal the one it
// meets first is a random one, then by what each gains at once, best first.
void OrderRootMoves(SearchPosition& position, std::vector<PackedCell>& moves,
                    std::mt19937_64& random) {
  std::shuffle(moves.begin(), moves.end(), random);
  std::vector<std::pair<int, PackedCell>> gains;
  gains.reserve(moves.size());
  SearchPosition::Undo undo;
  for (const PackedCell move : moves) {
    position.Play(move, undo);
    gains.emplace_back(position.ScoreGain(undo), move);
    position.TakeBack(undo);
  }
  std::stable_sort(gains.begin(), gains.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  for (std::size_t i = 0; i < moves.size(); ++i) {
    moves[i] = gains[i].second;
  }
}

// Checking the clock every position costs little next to one position of a large board.
int ClockStride(const SearchPosition& position) {
  return position.PlayableCells() > 64 ? 1 : 256;
}

}  // namespace

SearchSettings SearchSettingsFor(CpuLevel level) {
  SearchSettings s;
  switch (level) {
    case CpuLevel::Classic:
    case CpuLevel::Good:
      // Three plies, and anything within 0.6 of a point of the best will do.
      s.MaxDepth = 3;
      s.Tolerance = 60;
      s.NodeBudget = 20'000;
      s.TimeBudget = 100ms;
      s.TableSizeLog2 = 12;
      break;
    case CpuLevel::Strong:
      s.MaxDepth = 4;
      s.NodeBudget = 100'000;
      s.TimeBudget = 200ms;
      s.TableSizeLog2 = 15;
      break;
    case CpuLevel::Master:
    case CpuLevel::Perfect:  // where it does not solve a position, Perfect plays as Master
      // As deep as 200 000 positions reach: about ten plies at the start of a
      // game, the whole rest of it a few moves later.
      s.MaxDepth = 60;
      s.NodeBudget = 200'000;
      s.TimeBudget = 300ms;
      s.TableSizeLog2 = 17;
      break;
  }
  return s;
}

SearchStrategy::SearchStrategy(const SearchSettings& settings, std::uint64_t seed)
    : settings_(settings), random_(seed), table_(settings.TableSizeLog2) {}

std::optional<Cell> SearchStrategy::Choose(const Board& board, Player player,
                                           const std::atomic<bool>& cancel) {
  const auto deadline = std::chrono::steady_clock::now() + settings_.TimeBudget;
  report_ = Report{};
  if (player != 1 && player != 2) {
    return std::nullopt;
  }
  SearchPosition position(board, player);
  std::vector<PackedCell> moves;
  position.LegalMoves(moves);
  if (moves.empty()) {
    return std::nullopt;
  }
  OrderRootMoves(position, moves, random_);
  PackedCell chosen = moves.front();
  if (moves.size() > 1 && position.PlayableCells() <= kMaxSearchedCells) {
    SearchStop stop(cancel, deadline, settings_.NodeBudget, ClockStride(position));
    chosen = Deepen(position, moves, stop);
    report_.Nodes = stop.Nodes();
  }
  return Cell{ColumnOf(chosen), RowOf(chosen)};
}

PackedCell SearchStrategy::Deepen(SearchPosition& position, std::vector<PackedCell>& moves,
                                  SearchStop& stop) {
  GameSearch search(position, table_, settings_.Weights, stop);
  std::vector<PackedCell> lastMoves;  // the order the last finished iteration searched
  GameSearch::RootResult last;
  for (int depth = 1; depth <= settings_.MaxDepth; ++depth) {
    GameSearch::RootResult result = search.SearchRoot(moves, depth, settings_.Tolerance);
    if (!result.Complete) {
      // A stopped iteration still counts for the moves it finished: the previous best came
      // first, so a move it prefers has been shown to be better.
      if (result.Best > 0) {
        report_.Value = result.Value;
        return moves[result.Best];
      }
      break;
    }
    report_.Depth = depth;
    report_.Value = result.Value;
    lastMoves = moves;
    last = std::move(result);
    std::rotate(moves.begin(), moves.begin() + std::ptrdiff_t(last.Best),
                moves.begin() + std::ptrdiff_t(last.Best) + 1);
    if (last.Value > kDecidedValue || last.Value < -kDecidedValue) {
      break;
    }
  }
  return lastMoves.empty() ? moves.front() : PickWithinTolerance(lastMoves, last);
}

PackedCell SearchStrategy::PickWithinTolerance(const std::vector<PackedCell>& moves,
                                               const GameSearch::RootResult& result) {
  // A known result is never traded for a guess: only the best move then.
  if (settings_.Tolerance <= 0 || result.Value > kDecidedValue || result.Value < -kDecidedValue) {
    return moves[result.Best];
  }
  std::vector<PackedCell> near;
  for (std::size_t i = 0; i < result.Values.size(); ++i) {
    if (result.Values[i] >= result.Value - settings_.Tolerance) {
      near.push_back(moves[i]);
    }
  }
  return near[std::uniform_int_distribution<std::size_t>(0, near.size() - 1)(random_)];
}

}  // namespace vextal
