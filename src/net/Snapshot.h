#pragma once

#include <optional>

#include <QByteArray>
#include <QByteArrayView>

#include "game/Board.h"

namespace vextal {

// The board snapshot: NodesW, NodesH, one 9-byte record per playable point (columns outer, rows
// inner, fields in Node order, booleans as one byte 1/0), then the player to move. 183 bytes for
// a 5 x 4 board.
QByteArray GetSnapshot(const Board& board, Player actPlayer);

struct Snapshot {
  Board Nodes;
  Player ActPlayer = 0;
};

// Reads a snapshot into a fresh board. Returns nothing when the data is broken: too short, an
// owner other than 0, 1 or 2, or a player to move other than 0, 1 or 2. Bytes after the player
// to move are ignored.
std::optional<Snapshot> ParseSnapshot(QByteArrayView data);

}  // namespace vextal
