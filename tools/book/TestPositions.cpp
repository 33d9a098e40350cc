#include "TestPositions.h"

#include <cstdio>
#include <random>
#include <vector>

#include "StageSolve.h"
#include "game/Random.h"
#include "stages/Stages.h"

namespace vextal::book {

namespace {

std::optional<int> ExactValue(const ExactLayout& layout, const ExactState& state,
                              std::int64_t budget) {
  const std::atomic<bool> never{false};
  ExactSolver solver(layout, 16);
  SearchStop stop(never, std::chrono::steady_clock::time_point::max(), budget, 1 << 20);
  const ExactSolver::Result result = solver.Solve(state, stop);
  if (!result.Exact()) {
    return std::nullopt;
  }
  return result.Lower;
}

}  // namespace

bool WriteTestPositions(const std::string& path, int count, std::int64_t budget,
                        std::uint64_t seed) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  if (out == nullptr) {
    return false;
  }
  std::mt19937_64 engine(seed);
  int written = 0;
  int wins = 0;
  int draws = 0;
  int losses = 0;
  while (written < count) {
    const int stage = 1 + int(engine() % 6);
    const ExactLayout::Reading start = StageStart(stage);
    const ExactLayout& layout = start.Layout;
    ExactState state = start.State;
    const int plies = 4 + int(engine() % 16);
    std::string moves;
    bool ended = false;
    for (int p = 0; p < plies && !ended; ++p) {
      std::vector<int> legal;
      for (std::uint32_t set = layout.LegalMoves(state); set != 0; set &= set - 1) {
        legal.push_back(std::countr_zero(set));
      }
      if (legal.size() < 2) {
        ended = true;
        break;
      }
      const int node = legal[engine() % legal.size()];
      const PackedCell cell = layout.CellOf(node);
      moves.append(" ").append(std::to_string(ColumnOf(cell)));
      moves.append(",").append(std::to_string(RowOf(cell)));
      state = layout.Play(state, node);
    }
    if (ended) {
      continue;
    }
    const auto value = ExactValue(layout, state, budget);
    if (!value) {
      continue;
    }
    // Only positions where a careless move changes the value: the test must be able to fail.
    bool someMoveLoses = false;
    for (std::uint32_t set = layout.LegalMoves(state); set != 0 && !someMoveLoses; set &= set - 1) {
      const auto after = ExactValue(layout, layout.Play(state, std::countr_zero(set)), budget);
      someMoveLoses = after && -*after != *value;
    }
    // Keep the three results about evenly represented.
    int& kind = *value > 0 ? wins : *value < 0 ? losses : draws;
    if (!someMoveLoses || kind > count / 3 + 1) {
      continue;
    }
    ++kind;
    std::fprintf(out, "%d %d%s\n", stage, *value, moves.c_str());
    ++written;
  }
  std::fclose(out);
  std::printf("%d positions: %d won, %d drawn, %d lost for the player to move\n", written, wins,
              draws, losses);
  return true;
}

}  // namespace vextal::book
