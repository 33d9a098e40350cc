// Solves the fixed stages offline: checks the solver's model of the rules against the rules,
// prints each stage's value for the player who moves first, and writes the opening book the
// Perfect level reads. A measuring and generating tool, never run by the build.
//
//   vextal_book check-rules GAMES
//   vextal_book values [STAGE...]
//   vextal_book book FILE [--seconds S] [--starts-only] [--budget POSITIONS] [--max-ply N]
//                    [--resume BOOK] [STAGE...]
//   vextal_book merge FILE BOOK...
//   vextal_book positions FILE COUNT BUDGET
//   vextal_book reach STAGE GAMES
//   vextal_book timing STAGE PLY COUNT [SECONDS] [--result-only]
//   vextal_book first-moves STAGE [COLUMN,ROW...]
//   vextal_book check-perfect BOOK STAGE GAMES

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include <QFile>

#include "PerfectCheck.h"
#include "RulesCheck.h"
#include "StageSolve.h"
#include "TestPositions.h"

using namespace vextal;
using namespace vextal::book;

namespace {

// 2^(n+1) entries of 16 bytes; 25 (1 GiB) unless VEXTAL_BOOK_TABLE says otherwise.
int TableSizeLog2() {
  const char* text = std::getenv("VEXTAL_BOOK_TABLE");
  const int n = text != nullptr ? std::atoi(text) : 0;
  return n >= 16 && n <= 30 ? n : 25;
}
const int kTableSizeLog2 = TableSizeLog2();
// Threads searching each question; 1 unless VEXTAL_BOOK_THREADS says otherwise. The book is the
// same with any number: its moves do not depend on the order the threads meet.
int Threads() {
  const char* text = std::getenv("VEXTAL_BOOK_THREADS");
  const int n = text != nullptr ? std::atoi(text) : 1;
  return std::clamp(n, 1, 8);
}
const int kThreads = Threads();
constexpr const char* kUsage =
    "usage: vextal_book check-rules GAMES\n"
    "       vextal_book values [STAGE...]\n"
    "       vextal_book book FILE [--seconds S] [--starts-only] [--budget POSITIONS]\n"
    "                        [--max-ply N] [--resume BOOK] [STAGE...]\n"
    "       vextal_book merge FILE BOOK...\n"
    "       vextal_book positions FILE COUNT BUDGET\n"
    "       vextal_book reach STAGE GAMES\n"
    "       vextal_book timing STAGE PLY COUNT [SECONDS] [--result-only]\n"
    "       vextal_book first-moves STAGE [COLUMN,ROW...]\n"
    "       vextal_book check-perfect BOOK STAGE GAMES\n";

std::vector<int> Stages(const std::vector<std::string>& args, std::size_t from) {
  std::vector<int> stages;
  for (std::size_t i = from; i < args.size(); ++i) {
    const int stage = std::atoi(args[i].c_str());
    if (stage >= 1 && stage <= 6) {
      stages.push_back(stage);
    }
  }
  if (stages.empty()) {
    stages = {1, 2, 3, 4, 5};
  }
  return stages;
}

std::string Cells(const std::vector<PackedCell>& cells) {
  std::string text;
  for (const PackedCell cell : cells) {
    text.append(text.empty() ? "(" : ", (").append(std::to_string(ColumnOf(cell)));
    text.append(",").append(std::to_string(RowOf(cell))).append(")");
  }
  return text;
}

int PrintValues(const std::vector<int>& stages) {
  std::printf("| Stage | Value for the first mover | Best first moves | Seconds | Positions |\n");
  std::printf("| ---: | --- | --- | ---: | ---: |\n");
  for (const int stage : stages) {
    ExactSolver solver(StageStart(stage).Layout, kTableSizeLog2, kThreads);
    const StageValue v = SolveStage(stage, solver);
    std::printf("| %d | %d | %s | %.1f | %lld |\n", stage, v.Value.Lower,
                Cells(v.BestFirstMoves).c_str(), v.Seconds, static_cast<long long>(v.Positions));
    std::fflush(stdout);
  }
  return 0;
}

bool WriteFile(const std::string& path, const QByteArray& text) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

// By default the book takes every position that Perfect's search does not settle within a
// quarter of its budget. In the game the search also runs against a clock: a position that needs
// nearly the whole budget settles on a quiet machine and not on a slow or busy one, and there
// Perfect would play it as Master. The headroom keeps the book's stages exact where the clock
// runs out first. `--budget` names another bound (0: the default).
PerfectSettings BookHeadroom(std::int64_t budget) {
  PerfectSettings settings;
  settings.ExactBudget = budget > 0 ? budget : settings.ExactBudget / 4;
  return settings;
}

int WriteBook(const std::string& path, const std::string& resume, BookWalk walk,
              std::int64_t budget, const std::vector<int>& stages) {
  std::optional<OpeningBook> earlier;
  if (!resume.empty()) {
    QString error;
    earlier = OpeningBook::Load(QString::fromStdString(resume), error);
    if (!earlier) {
      std::fprintf(stderr, "%s: %s\n", resume.c_str(), qPrintable(error));
      return 1;
    }
    walk.Earlier = &*earlier;
  }
  walk.CheckThreads = kThreads;
  QByteArray text = OpeningBook::NewText();
  std::size_t total = 0;
  for (const int stage : stages) {
    ExactSolver solver(StageStart(stage).Layout, kTableSizeLog2, kThreads);
    if (!walk.StartsOnly && !earlier) {
      // The stage's value first: the book's searches then find most of what they need in the
      // table.
      const StageValue v = SolveStage(stage, solver);
      std::printf("stage %d: value %d, best first moves %s, %.1f s, %lld positions\n", stage,
                  v.Value.Lower, Cells(v.BestFirstMoves).c_str(), v.Seconds,
                  static_cast<long long>(v.Positions));
    }
    // What is done so far stays in the file meanwhile, as a book to carry on from.
    walk.Progress = [&](const BookWalk::Entries& entries) {
      QByteArray partial = text;
      OpeningBook::AppendLayout(partial, StageStart(stage).Layout, entries);
      OpeningBook::FinishText(partial, total + entries.size());
      WriteFile(path, partial);
    };
    const BookStats stats = AppendStageBook(text, stage, solver, BookHeadroom(budget), walk);
    std::printf(
        "stage %d: %zu entries (deepest ply %d, %zu margins unsettled) from %zu positions, "
        "%.0f s\n",
        stage, stats.Entries, stats.DeepestPly, stats.Unsettled, stats.Checked, stats.Seconds);
    std::fflush(stdout);
    total += stats.Entries;
  }
  OpeningBook::FinishText(text, total);
  return WriteFile(path, text) ? 0 : 1;
}

// Books written for some stages each (one run per stage spreads the work over the cores) joined
// into one: every input is checked whole, then its layouts and entries are copied in order.
int MergeBooks(const std::string& path, const std::vector<std::string>& inputs) {
  QByteArray text = OpeningBook::NewText();
  std::size_t total = 0;
  for (const std::string& input : inputs) {
    QString error;
    const QString name = QString::fromStdString(input);
    const auto book = OpeningBook::Load(name, error);
    QFile file(name);
    if (!book || !file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "%s: %s\n", input.c_str(), qPrintable(error));
      return 1;
    }
    const QByteArray bytes = file.readAll();
    // Everything between the header line and the closing line.
    const qsizetype from = bytes.indexOf('\n') + 1;
    const qsizetype to = bytes.lastIndexOf("\nend ") + 1;
    text += bytes.mid(from, to - from);
    total += book->Size();
  }
  OpeningBook::FinishText(text, total);
  std::printf("%zu entries\n", total);
  return WriteFile(path, text) ? 0 : 1;
}

// Random positions `ply` moves into a stage, each solved to the margin (or only to the result)
// from scratch: how long a solve takes there, to estimate the whole stage's and to see from which
// ply every position solves within SECONDS.
int PrintTimings(int stage, int ply, int count, double seconds, bool resultOnly) {
  const std::vector<TimedSolve> solves =
      TimeSolves(stage, ply, count, seconds, resultOnly, kTableSizeLog2, 1);
  if (solves.empty()) {
    std::fprintf(stderr, "stage %d: no game lasts %d plies\n", stage, ply);
    return 1;
  }
  std::vector<double> cpu;
  std::vector<double> positions;
  int solved = 0;
  for (const TimedSolve& s : solves) {
    std::printf("stage %d ply %d: [%d, %d] %.3f s, %.3f s CPU, %lld positions\n", stage, ply,
                s.Value.Lower, s.Value.Upper, s.Seconds, s.CpuSeconds,
                static_cast<long long>(s.Positions));
    cpu.push_back(s.CpuSeconds);
    positions.push_back(double(s.Positions));
    solved += (resultOnly ? s.Value.OutcomeKnown() : s.Value.Exact()) ? 1 : 0;
  }
  std::sort(cpu.begin(), cpu.end());
  std::sort(positions.begin(), positions.end());
  double mean = 0;
  for (const double p : positions) {
    mean += p / double(positions.size());
  }
  std::printf(
      "stage %d ply %d: %d of %zu solved; CPU s median %.3f, max %.3f; positions median %.0f, "
      "mean %.0f, max %.0f\n",
      stage, ply, solved, solves.size(), cpu[cpu.size() / 2], cpu.back(),
      positions[positions.size() / 2], mean, positions.back());
  return 0;
}

// Each first move of a stage solved to its exact value for the player who made it, one mirror
// image of each (or only the cells named), printed as each is done: the margins a stage's start
// solve does not give, since it proves only the best value and which moves keep it.
int PrintFirstMoves(int stage, const std::vector<std::string>& cells) {
  const ExactLayout::Reading start = StageStart(stage);
  const ExactLayout& layout = start.Layout;
  ExactSolver solver(layout, kTableSizeLog2, kThreads);
  const std::atomic<bool> never{false};
  std::unordered_set<std::uint64_t> seen;
  for (std::uint32_t legal = layout.LegalMoves(start.State); legal != 0; legal &= legal - 1) {
    const int node = std::countr_zero(legal);
    const PackedCell packed = layout.CellOf(node);
    const std::string cell =
        std::to_string(ColumnOf(packed)).append(",").append(std::to_string(RowOf(packed)));
    int symmetry = 0;
    const ExactState child = layout.Canonical(layout.Play(start.State, node), symmetry);
    const bool named = std::find(cells.begin(), cells.end(), cell) != cells.end();
    if (!seen.insert(child.Key()).second || (!cells.empty() && !named)) {
      continue;
    }
    const auto began = std::chrono::steady_clock::now();
    const std::int64_t before = solver.Visited();
    SearchStop unlimited(never, std::chrono::steady_clock::time_point::max(), std::int64_t(1) << 62,
                         1 << 20);
    const ExactSolver::Result value = solver.Solve(child, unlimited);
    std::printf("stage %d first move (%s): value %d for its player, %.1f s, %lld positions\n",
                stage, cell.c_str(), -value.Upper,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count(),
                static_cast<long long>(solver.Visited() - before));
    std::fflush(stdout);
  }
  return 0;
}

std::string PliesText(const std::map<int, int>& byPly) {
  std::string text;
  for (const auto& [ply, count] : byPly) {
    text += (text.empty() ? "" : ", ") + std::to_string(count) + " at ply " + std::to_string(ply);
  }
  return text.empty() ? "none" : text;
}

// Every answer Perfect does not take from the book is proven apart, so only the stages the solver
// finishes in seconds from early plies can be checked.
int PrintPerfectCheck(const std::string& bookPath, int stage, int games) {
  if (stage < 1 || stage > 5) {
    std::fprintf(stderr, "check-perfect takes stages 1 to 5\n");
    return 1;
  }
  QString error;
  auto book = OpeningBook::Load(QString::fromStdString(bookPath), error);
  if (!book) {
    std::fprintf(stderr, "%s: %s\n", bookPath.c_str(), qPrintable(error));
    return 1;
  }
  const PerfectCheck check = CheckPerfect(
      stage, games, std::make_shared<const OpeningBook>(std::move(*book)), std::uint64_t(stage));
  std::printf(
      "stage %d, %d games against random moves: %lld answers from the book (to ply %d), %lld "
      "from a settled search, %lld as Master (%s); %lld gave value away (%s); slowest %.0f ms\n",
      stage, games, static_cast<long long>(check.FromBook), check.DeepestBookPly,
      static_cast<long long>(check.FromSearch), static_cast<long long>(check.FromMaster),
      PliesText(check.MasterAt).c_str(), static_cast<long long>(check.ValueLost),
      PliesText(check.LostAt).c_str(), check.SlowestMs);
  return check.ValueLost == 0 ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() >= 2 && args[0] == "check-rules") {
    return CheckRules(std::max(1, std::atoi(args[1].c_str())), 1) == 0 ? 0 : 1;
  }
  if (!args.empty() && args[0] == "values") {
    return PrintValues(Stages(args, 1));
  }
  if (args.size() >= 2 && args[0] == "book") {
    BookWalk walk;
    std::string resume;
    std::int64_t budget = 0;
    std::size_t from = 2;
    for (; from < args.size() && args[from].starts_with("--"); ++from) {
      if (args[from] == "--starts-only") {
        walk.StartsOnly = true;
      } else if (args[from] == "--seconds" && from + 1 < args.size()) {
        walk.SecondsPerPosition = std::atof(args[++from].c_str());
      } else if (args[from] == "--budget" && from + 1 < args.size()) {
        budget = std::max<std::int64_t>(0, std::atoll(args[++from].c_str()));
      } else if (args[from] == "--max-ply" && from + 1 < args.size()) {
        walk.MaxPly = std::max(0, std::atoi(args[++from].c_str()));
      } else if (args[from] == "--resume" && from + 1 < args.size()) {
        resume = args[++from];
      }
    }
    return WriteBook(args[1], resume, walk, budget, Stages(args, from));
  }
  if (args.size() == 4 && args[0] == "check-perfect") {
    return PrintPerfectCheck(args[1], std::atoi(args[2].c_str()),
                             std::max(1, std::atoi(args[3].c_str())));
  }
  if (args.size() >= 3 && args[0] == "merge") {
    return MergeBooks(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
  }
  if (args.size() == 3 && args[0] == "reach") {
    SettlePlies plies = PliesToSettle(
        std::atoi(args[1].c_str()), std::max(1, std::atoi(args[2].c_str())), PerfectSettings{}, 1);
    for (auto [what, list] : {std::pair{"result", &plies.Result}, {"margin", &plies.Margin}}) {
      std::sort(list->begin(), list->end());
      std::printf(
          "stage %s: Perfect's budget settles the %s of random lines from ply %d "
          "(median), %d to %d\n",
          args[1].c_str(), what, (*list)[list->size() / 2], list->front(), list->back());
    }
    return 0;
  }
  if (args.size() >= 4 && args[0] == "timing" &&
      Stages(args, 1).front() == std::atoi(args[1].c_str())) {
    const bool resultOnly = args.back() == "--result-only";
    const std::size_t given = args.size() - (resultOnly ? 1 : 0);
    return PrintTimings(std::atoi(args[1].c_str()), std::max(0, std::atoi(args[2].c_str())),
                        std::max(1, std::atoi(args[3].c_str())),
                        given >= 5 ? std::atof(args[4].c_str()) : 0, resultOnly);
  }
  if (args.size() >= 2 && args[0] == "first-moves" &&
      Stages(args, 1).front() == std::atoi(args[1].c_str())) {
    return PrintFirstMoves(std::atoi(args[1].c_str()),
                           std::vector<std::string>(args.begin() + 2, args.end()));
  }
  if (args.size() == 4 && args[0] == "positions") {
    return WriteTestPositions(args[1], std::atoi(args[2].c_str()), std::atoll(args[3].c_str()), 1)
               ? 0
               : 1;
  }
  std::fprintf(stderr, "%s", kUsage);
  return 2;
}
