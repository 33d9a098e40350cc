#include "game/SearchPosition.h"

namespace vextal {

namespace {

// The played cell and its four neighbours: all a move can change.
constexpr int kTouchedDc[5] = {0, -1, 0, 1, 0};
constexpr int kTouchedDr[5] = {0, 0, -1, 0, 1};

constexpr std::uint64_t kSecondPlayerKey = 0x9E3779B97F4A7C15ULL;

std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

// Everything play can change on a node, in seven bits; 0 for a free node without links.
std::uint64_t PlayState(const Node& node) {
  const std::uint64_t owner = node.Owner <= 2 ? node.Owner : 3;
  const std::uint64_t links = (node.LinkUp != 0 ? 1 : 0) | (node.LinkLeft != 0 ? 2 : 0) |
                              (node.LinkRight != 0 ? 4 : 0) | (node.LinkDown != 0 ? 8 : 0);
  return owner | (node.Expanded != 0 ? 4 : 0) | (links << 3);
}

int Worth(const Node& node) {
  return 1 + (node.LinkUp != 0) + (node.LinkLeft != 0) + (node.LinkRight != 0) +
         (node.LinkDown != 0);
}

}  // namespace

SearchPosition::SearchPosition(const Board& board, Player toMove)
    : board_(board), toMove_(toMove == 2 ? 2 : 1) {
  for (int c = 1; c <= board_.NodesW(); ++c) {
    for (int r = 1; r <= board_.NodesH(); ++r) {
      key_ ^= CellKey(c, r);
    }
  }
  if (toMove_ == 2) {
    key_ ^= kSecondPlayerKey;
  }
}

std::uint64_t SearchPosition::CellKey(int column, int row) const {
  const std::uint64_t state = PlayState(board_(column, row));
  if (state == 0) {
    return 0;
  }
  return Mix((std::uint64_t(PackCell(column, row)) << 7) | state);
}

void SearchPosition::LegalMoves(std::vector<PackedCell>& out) const {
  out.clear();
  for (int c = 1; c <= board_.NodesW(); ++c) {
    for (int r = 1; r <= board_.NodesH(); ++r) {
      if (IsLegalMove(board_, c, r, toMove_)) {
        out.push_back(PackCell(c, r));
      }
    }
  }
}

void SearchPosition::Play(PackedCell cell, Undo& undo) {
  const int column = ColumnOf(cell);
  const int row = RowOf(cell);
  undo.Played = cell;
  undo.Key = key_;
  for (int i = 0; i < 5; ++i) {
    const int c = column + kTouchedDc[i];
    const int r = row + kTouchedDr[i];
    undo.Saved[std::size_t(i)] = board_(c, r);
    if (IsPlayable(board_, c, r)) {
      key_ ^= CellKey(c, r);
    }
  }
  undo.Outcome = ApplyMove(board_, column, row, toMove_);
  for (int i = 0; i < 5; ++i) {
    const int c = column + kTouchedDc[i];
    const int r = row + kTouchedDr[i];
    if (IsPlayable(board_, c, r)) {
      key_ ^= CellKey(c, r);
    }
  }
  key_ ^= kSecondPlayerKey;
  toMove_ = Opponent();
}

void SearchPosition::TakeBack(const Undo& undo) {
  const int column = ColumnOf(undo.Played);
  const int row = RowOf(undo.Played);
  for (int i = 0; i < 5; ++i) {
    board_(column + kTouchedDc[i], row + kTouchedDr[i]) = undo.Saved[std::size_t(i)];
  }
  key_ = undo.Key;
  toMove_ = Opponent();
}

int SearchPosition::ScoreGain(const Undo& undo) const {
  const Player mover = Opponent();
  const int column = ColumnOf(undo.Played);
  const int row = RowOf(undo.Played);
  int gain = 0;
  for (int i = 0; i < 5; ++i) {
    const Node& before = undo.Saved[std::size_t(i)];
    const Node& after = board_(column + kTouchedDc[i], row + kTouchedDr[i]);
    const auto signedWorth = [mover](const Node& node) {
      return node.Owner == 0 ? 0 : node.Owner == mover ? Worth(node) : -Worth(node);
    };
    gain += signedWorth(after) - signedWorth(before);
  }
  return gain;
}

}  // namespace vextal
