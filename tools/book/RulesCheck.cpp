#include "RulesCheck.h"

#include <cstdio>
#include <random>

#include "game/ExactBoard.h"
#include "game/Random.h"
#include "game/Rules.h"
#include "stages/Stages.h"

namespace vextal::book {

namespace {

// Legal moves by the rules, as node numbers of the layout.
std::uint32_t RulesLegalMoves(const Board& board, const ExactLayout& layout, Player player) {
  std::uint32_t legal = 0;
  for (int n = 0; n < layout.Count(); ++n) {
    const PackedCell cell = layout.CellOf(n);
    if (IsLegalMove(board, ColumnOf(cell), RowOf(cell), player)) {
      legal |= 1u << n;
    }
  }
  return legal;
}

}  // namespace

int CheckRules(int games, std::uint64_t seed) {
  std::mt19937_64 engine(seed);
  int differences = 0;
  long long positions = 0;
  for (int g = 0; g < games; ++g) {
    SeededRandom stageRandom(engine());
    const int stage = 1 + g % kStageCount;
    Board board = BuildStage(stage, stageRandom);
    Player toMove = Player(1 + engine() % 2);
    auto reading = ExactLayout::Read(board, toMove);
    if (!reading) {
      ++differences;
      continue;
    }
    const ExactLayout& layout = reading->Layout;
    ExactState state = reading->State;
    for (;;) {
      ++positions;
      const auto again = ExactLayout::Read(board, toMove);
      const std::uint32_t legal = layout.LegalMoves(state);
      if (!again || !(again->State == state) || legal != RulesLegalMoves(board, layout, toMove)) {
        if (++differences <= 5) {
          std::printf("game %d stage %d: position or legal moves differ\n", g, stage);
        }
        break;
      }
      if (legal == 0) {
        const Tally tally = CountScores(board);
        if (layout.Margin(state) != tally.Score(toMove) - tally.Score(Player(3 - toMove))) {
          if (++differences <= 5) {
            std::printf("game %d stage %d: final margin differs\n", g, stage);
          }
        }
        break;
      }
      std::vector<int> nodes;
      for (std::uint32_t set = legal; set != 0; set &= set - 1) {
        nodes.push_back(std::countr_zero(set));
      }
      const int node = nodes[engine() % nodes.size()];
      const PackedCell cell = layout.CellOf(node);
      ApplyMove(board, ColumnOf(cell), RowOf(cell), toMove);
      state = layout.Play(state, node);
      toMove = Player(3 - toMove);
    }
  }
  std::printf("%d games, %lld positions compared, %d differences\n", games, positions, differences);
  return differences;
}

}  // namespace vextal::book
