#include "BaselineExactSolver.h"

#include <algorithm>
#include <bit>
#include <climits>

namespace vextal::baseline {

namespace {

// Neighbours in the order the rules check them for neutralisation: left, up, right, down.
constexpr int kDc[4] = {-1, 0, 1, 0};
constexpr int kDr[4] = {0, -1, 0, 1};

bool HasLinks(const Node& node) {
  return node.LinkLeft != 0 || node.LinkUp != 0 || node.LinkRight != 0 || node.LinkDown != 0;
}

// An expanded node links toward exactly its existing neighbours; any other node has no link.
bool LinksAsPlayed(const Board& board, int column, int row) {
  const Node& node = board(column, row);
  if (node.Expanded == 0) {
    return !HasLinks(node);
  }
  const std::uint8_t links[4] = {node.LinkLeft, node.LinkUp, node.LinkRight, node.LinkDown};
  for (int k = 0; k < 4; ++k) {
    if ((links[k] != 0) != (board(column + kDc[k], row + kDr[k]).Exists != 0)) {
      return false;
    }
  }
  return true;
}

bool IsBlank(const Node& node) {
  return node.Owner == 0 && node.Expanded == 0 && !HasLinks(node);
}

}  // namespace

std::optional<ExactLayout::Reading> ExactLayout::Read(const Board& board, Player toMove) {
  if (toMove != 1 && toMove != 2) {
    return std::nullopt;
  }
  const int w = board.NodesW();
  const int h = board.NodesH();
  Reading reading;
  ExactLayout& layout = reading.Layout;
  layout.width_ = w;
  layout.height_ = h;
  std::vector<int> nodeAt(std::size_t(w + 2) * std::size_t(h + 2), -1);
  const auto index = [h](int c, int r) { return std::size_t(c) * std::size_t(h + 2) + r; };
  for (int c = 0; c <= w + 1; ++c) {
    for (int r = 0; r <= h + 1; ++r) {
      const Node& node = board(c, r);
      const bool playable = c >= 1 && r >= 1 && c <= w && r <= h;
      if (!playable || node.Exists == 0) {
        if (!IsBlank(node) || (!playable && node.Exists != 0)) {
          return std::nullopt;
        }
        continue;
      }
      if (layout.count_ == kMaxExactNodes || node.Owner > 2 ||
          (node.Expanded != 0 && node.Owner == 0) || !LinksAsPlayed(board, c, r)) {
        return std::nullopt;
      }
      const int n = layout.count_++;
      nodeAt[index(c, r)] = n;
      layout.cells_[std::size_t(n)] = PackCell(c, r);
      layout.threshold_[std::size_t(n)] = std::min<std::uint8_t>(node.Degree, 2);
      const std::uint32_t bit = 1u << n;
      if (node.Owner != 0) {
        (node.Owner == toMove ? reading.State.Mine : reading.State.Theirs) |= bit;
      }
      if (node.Expanded != 0) {
        reading.State.Expanded |= bit;
      }
    }
  }
  for (int n = 0; n < layout.count_; ++n) {
    const int c = ColumnOf(layout.cells_[std::size_t(n)]);
    const int r = RowOf(layout.cells_[std::size_t(n)]);
    for (int k = 0; k < 4; ++k) {
      const int neighbour = nodeAt[index(c + kDc[k], r + kDr[k])];
      layout.order_[std::size_t(n)][std::size_t(k)] = std::int8_t(neighbour);
      if (neighbour >= 0) {
        layout.neighbours_[std::size_t(n)] |= 1u << neighbour;
      }
    }
    layout.links_[std::size_t(n)] = std::uint8_t(std::popcount(layout.neighbours_[std::size_t(n)]));
  }
  layout.FindSymmetries(board, nodeAt);
  return reading;
}

void ExactLayout::FindSymmetries(const Board& board, const std::vector<int>& nodeAt) {
  for (int n = 0; n < count_; ++n) {
    map_[0][std::size_t(n)] = std::int8_t(n);
  }
  // With a Degree that differs from the neighbours a node has, the order of the neutralisation
  // checks can matter, and a mirror image would check them in another order.
  for (int n = 0; n < count_; ++n) {
    if (threshold_[std::size_t(n)] != std::min<int>(links_[std::size_t(n)], 2)) {
      return;
    }
  }
  const int w = board.NodesW();
  const int h = board.NodesH();
  const auto at = [&nodeAt, h](int c, int r) {
    return nodeAt[std::size_t(c) * std::size_t(h + 2) + r];
  };
  const bool flips[3][2] = {{true, false}, {false, true}, {true, true}};
  for (const auto& flip : flips) {
    auto& map = map_[std::size_t(symmetries_)];
    bool fits = true;
    for (int n = 0; n < count_ && fits; ++n) {
      const int c = ColumnOf(cells_[std::size_t(n)]);
      const int r = RowOf(cells_[std::size_t(n)]);
      const int image = at(flip[0] ? w + 1 - c : c, flip[1] ? h + 1 - r : r);
      fits = image >= 0;
      map[std::size_t(n)] = std::int8_t(image);
    }
    if (fits) {
      ++symmetries_;
    }
  }
}

std::uint32_t ExactLayout::GridCells() const {
  if (width_ * height_ > 32) {
    return 0;
  }
  std::uint32_t cells = 0;
  for (int n = 0; n < count_; ++n) {
    cells |= 1u << ((ColumnOf(cells_[std::size_t(n)]) - 1) * height_ +
                    RowOf(cells_[std::size_t(n)]) - 1);
  }
  return cells;
}

std::uint32_t ExactLayout::LegalMoves(const ExactState& state) const {
  std::uint32_t attacked = 0;
  for (std::uint32_t links = state.Theirs & state.Expanded; links != 0; links &= links - 1) {
    attacked |= neighbours_[std::size_t(std::countr_zero(links))];
  }
  const std::uint32_t all = (1u << count_) - 1;
  const std::uint32_t free = all & ~(state.Mine | state.Theirs);
  return (state.Mine & ~state.Expanded) | (free & ~attacked);
}

ExactState ExactLayout::Play(const ExactState& state, int node) const {
  const std::uint32_t bit = 1u << node;
  if ((state.Mine & bit) == 0) {
    return ExactState{state.Theirs, state.Mine | bit, state.Expanded};
  }
  std::uint32_t mine = state.Mine;
  std::uint32_t theirs = state.Theirs;
  std::uint32_t expanded = state.Expanded | bit;
  for (const std::int8_t neighbour : order_[std::size_t(node)]) {
    if (neighbour < 0) {
      continue;
    }
    const std::uint32_t nb = 1u << neighbour;
    const std::uint32_t hostile = (theirs & nb) != 0 ? mine : (mine & nb) != 0 ? theirs : 0;
    if (hostile != 0 && std::popcount(neighbours_[std::size_t(neighbour)] & hostile & expanded) >=
                            threshold_[std::size_t(neighbour)]) {
      mine &= ~nb;
      theirs &= ~nb;
      expanded &= ~nb;
    }
  }
  return ExactState{theirs, mine, expanded};
}

int ExactLayout::Margin(const ExactState& state) const {
  int margin = std::popcount(state.Mine) - std::popcount(state.Theirs);
  for (std::uint32_t set = state.Expanded; set != 0; set &= set - 1) {
    const int n = std::countr_zero(set);
    margin += (state.Mine >> n & 1u) != 0 ? links_[std::size_t(n)] : -links_[std::size_t(n)];
  }
  return margin;
}

std::uint32_t ExactLayout::MapSet(int symmetry, std::uint32_t set) const {
  std::uint32_t image = 0;
  for (; set != 0; set &= set - 1) {
    image |= 1u << MapNode(symmetry, std::countr_zero(set));
  }
  return image;
}

ExactState ExactLayout::Map(int symmetry, const ExactState& state) const {
  if (symmetry == 0) {
    return state;
  }
  return ExactState{MapSet(symmetry, state.Mine), MapSet(symmetry, state.Theirs),
                    MapSet(symmetry, state.Expanded)};
}

ExactState ExactLayout::Canonical(const ExactState& state, int& symmetry) const {
  ExactState best = state;
  symmetry = 0;
  for (int s = 1; s < symmetries_; ++s) {
    const ExactState image = Map(s, state);
    if (image.Key() < best.Key()) {
      best = image;
      symmetry = s;
    }
  }
  return best;
}

}  // namespace vextal::baseline

namespace vextal::baseline {

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

}  // namespace vextal::baseline
