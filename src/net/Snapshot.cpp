#include "net/Snapshot.h"

#include "net/cBuffer.h"

namespace vextal {

QByteArray GetSnapshot(const Board& board, Player actPlayer) {
  cBuffer buffer;
  buffer.WriteByte(board.NodesW());
  buffer.WriteByte(board.NodesH());
  for (int c = 1; c <= board.NodesW(); ++c) {
    for (int r = 1; r <= board.NodesH(); ++r) {
      const Node& n = board(c, r);
      buffer.WriteBool(n.Exists);
      buffer.WriteByte(n.Kind);
      buffer.WriteByte(n.LinkUp);
      buffer.WriteByte(n.LinkLeft);
      buffer.WriteByte(n.LinkRight);
      buffer.WriteByte(n.LinkDown);
      buffer.WriteByte(n.Degree);
      buffer.WriteByte(n.Owner);
      buffer.WriteBool(n.Expanded);
    }
  }
  buffer.WriteByte(actPlayer);
  return buffer.GetString();
}

namespace {

bool ReadNode(cBuffer& buffer, Node& n) {
  return buffer.ReadBool(n.Exists) && buffer.ReadByte(n.Kind) && buffer.ReadByte(n.LinkUp) &&
         buffer.ReadByte(n.LinkLeft) && buffer.ReadByte(n.LinkRight) &&
         buffer.ReadByte(n.LinkDown) && buffer.ReadByte(n.Degree) && buffer.ReadByte(n.Owner) &&
         buffer.ReadBool(n.Expanded);
}

}  // namespace

std::optional<Snapshot> ParseSnapshot(QByteArrayView data) {
  cBuffer buffer;
  quint8 w = 0;
  quint8 h = 0;
  // The buffer only reads, and only while data is there: it can share the bytes.
  if (!buffer.SetString(QByteArray::fromRawData(data.data(), data.size())) || !buffer.ReadByte(w) ||
      !buffer.ReadByte(h)) {
    return std::nullopt;
  }
  // The whole size is known from the first two bytes: refuse short data before building a board.
  if (buffer.DataLen() < 3 + 9 * qint64(w) * h) {
    return std::nullopt;
  }
  Snapshot snapshot{Board(w, h), 0};
  for (int c = 1; c <= w; ++c) {
    for (int r = 1; r <= h; ++r) {
      Node& n = snapshot.Nodes(c, r);
      if (!ReadNode(buffer, n) || n.Owner > 2) {
        return std::nullopt;
      }
    }
  }
  if (!buffer.ReadByte(snapshot.ActPlayer) || snapshot.ActPlayer > 2) {
    return std::nullopt;
  }
  return snapshot;
}

}  // namespace vextal
