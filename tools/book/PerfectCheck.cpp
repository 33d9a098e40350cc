#include "PerfectCheck.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <random>

#include "StageSolve.h"
#include "game/CpuStrategy.h"
#include "game/PerfectStrategy.h"
#include "game/Random.h"
#include "game/Rules.h"
#include "game/SearchPosition.h"
#include "stages/Stages.h"

namespace vextal::book {

namespace {

// Whether playing `cell` keeps the exact value of `position`.
bool KeepsValue(ExactSolver& judge, const ExactLayout::Reading& position, Cell cell) {
  const std::atomic<bool> never{false};
  SearchStop unlimited(never, std::chrono::steady_clock::time_point::max(), std::int64_t(1) << 62,
                       1 << 20);
  const ExactSolver::Result value = judge.Solve(position.State, unlimited);
  const std::uint32_t keeping =
      judge.KeepingMoves(position.State, value.Lower, unlimited).value_or(0);
  for (std::uint32_t set = keeping; set != 0; set &= set - 1) {
    if (position.Layout.CellOf(std::countr_zero(set)) == PackCell(cell.Column, cell.Row)) {
      return true;
    }
  }
  return false;
}

}  // namespace

PerfectCheck CheckPerfect(int stage, int games, std::shared_ptr<const OpeningBook> book,
                          std::uint64_t seed) {
  PerfectCheck check;
  std::mt19937_64 engine(seed);
  ExactSolver judge(StageStart(stage).Layout, 22);
  const auto memory = std::make_shared<PerfectMemory>();
  const std::atomic<bool> never{false};
  for (int g = 0; g < games; ++g) {
    SeededRandom unused(1);  // fixed stages draw nothing
    Board board = BuildStage(stage, unused);
    NewPerfectGame(*memory);
    PerfectStrategy perfect(book, engine(), PerfectSettings{}, memory);
    const Player perfectSide = g % 2 == 0 ? 1 : 2;
    Player toMove = 1;
    for (int ply = 0;; ++ply, toMove = Player(3 - toMove)) {
      const auto position = ExactLayout::Read(board, toMove);
      const std::uint32_t legal = position ? position->Layout.LegalMoves(position->State) : 0;
      if (legal == 0) {
        break;
      }
      Cell cell;
      if (toMove == perfectSide) {
        const auto began = std::chrono::steady_clock::now();
        const std::optional<Cell> chosen = perfect.Choose(board, toMove, never);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - began;
        check.SlowestMs = std::max(check.SlowestMs, took.count());
        cell = chosen.value_or(Cell{});
        switch (perfect.LastSource()) {
          case PerfectStrategy::Source::Book:
            ++check.FromBook;
            check.DeepestBookPly = std::max(check.DeepestBookPly, ply);
            break;
          case PerfectStrategy::Source::Exact:
            ++check.FromSearch;
            break;
          default:
            ++check.FromMaster;
            ++check.MasterAt[ply];
            break;
        }
        if (perfect.LastSource() != PerfectStrategy::Source::Book &&
            !KeepsValue(judge, *position, cell)) {
          ++check.ValueLost;
          ++check.LostAt[ply];
        }
      } else {
        const PackedCell packed = position->Layout.CellOf(RandomNode(legal, engine));
        cell = Cell{ColumnOf(packed), RowOf(packed)};
      }
      if (!MoveMade(ApplyMove(board, cell.Column, cell.Row, toMove))) {
        break;  // Perfect found no move: counted as lost value above
      }
    }
  }
  return check;
}

}  // namespace vextal::book
