#include "net/Snapshot.h"

namespace vextal {

QByteArray GetSnapshot(const Board& board, Player actPlayer) {
  QByteArray out;
  out.reserve(3 + 9 * board.NodesW() * board.NodesH());
  out.append(char(board.NodesW()));
  out.append(char(board.NodesH()));
  for (int c = 1; c <= board.NodesW(); ++c) {
    for (int r = 1; r <= board.NodesH(); ++r) {
      const Node& n = board(c, r);
      const char record[] = {char(n.Exists ? 1 : 0), char(n.Kind),      char(n.LinkUp),
                             char(n.LinkLeft),       char(n.LinkRight), char(n.LinkDown),
                             char(n.Degree),         char(n.Owner),     char(n.Expanded ? 1 : 0)};
      out.append(record, sizeof record);
    }
  }
  out.append(char(actPlayer));
  return out;
}

std::optional<Snapshot> ParseSnapshot(const QByteArray& data) {
  if (data.size() < 2) {
    return std::nullopt;
  }
  const auto byteAt = [&data](qsizetype i) { return std::uint8_t(data[i]); };
  const int w = byteAt(0);
  const int h = byteAt(1);
  if (data.size() < 3 + 9 * qsizetype(w) * h) {
    return std::nullopt;
  }
  Snapshot snapshot{Board(std::uint8_t(w), std::uint8_t(h)), 0};
  qsizetype pos = 2;
  for (int c = 1; c <= w; ++c) {
    for (int r = 1; r <= h; ++r) {
      Node& n = snapshot.Nodes(c, r);
      n.Exists = byteAt(pos++) ? kTrue16 : kFalse16;
      n.Kind = byteAt(pos++);
      n.LinkUp = byteAt(pos++);
      n.LinkLeft = byteAt(pos++);
      n.LinkRight = byteAt(pos++);
      n.LinkDown = byteAt(pos++);
      n.Degree = byteAt(pos++);
      n.Owner = byteAt(pos++);
      n.Expanded = byteAt(pos++) ? kTrue16 : kFalse16;
      if (n.Owner > 2) {
        return std::nullopt;
      }
    }
  }
  snapshot.ActPlayer = byteAt(pos);
  if (snapshot.ActPlayer > 2) {
    return std::nullopt;
  }
  return snapshot;
}

}  // namespace vextal
