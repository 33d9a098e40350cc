#include "game/ExactBoard.h"

#include <bit>

namespace vextal {

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
    layout.links_[std::size_t(n)] = std::uint8_t(NodeCount(layout.neighbours_[std::size_t(n)]));
  }
  layout.FindSymmetries(board, nodeAt);
  layout.FillChunkImages();
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

int ExactLayout::Margin(const ExactState& state) const {
  int margin = NodeCount(state.Mine) - NodeCount(state.Theirs);
  for (std::uint32_t set = state.Expanded; set != 0; set &= set - 1) {
    const int n = std::countr_zero(set);
    margin += (state.Mine >> n & 1u) != 0 ? links_[std::size_t(n)] : -links_[std::size_t(n)];
  }
  return margin;
}

void ExactLayout::FillChunkImages() {
  for (int s = 0; s < symmetries_; ++s) {
    for (int chunk = 0; chunk < kChunks; ++chunk) {
      for (std::uint32_t bits = 0; bits < (1u << kChunkBits); ++bits) {
        std::uint32_t image = 0;
        for (int b = 0; b < kChunkBits; ++b) {
          const int node = chunk * kChunkBits + b;
          if ((bits >> b & 1u) != 0 && node < count_) {
            image |= 1u << MapNode(s, node);
          }
        }
        chunkImages_[std::size_t(s)][std::size_t(chunk)][bits] = image;
      }
    }
  }
}

ExactState ExactLayout::Canonical(const ExactState& state, int& symmetry) const {
  unsigned fixing = 0;
  return Canonical(state, symmetry, fixing);
}

}  // namespace vextal
