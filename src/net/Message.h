#pragma once

#include <QByteArray>
#include <QList>

namespace vextal {

// A message between the two copies of the program: 1 to 255 items of bytes. Item 0 is the message
// type as decimal text; numbers in the other items are decimal text too.
using Message = QList<QByteArray>;

enum MessageType : int {
  MsgMove = 24,          // mover, column, row
  MsgChat = 36,          // one chat line
  MsgSyncRequest = 120,  // the connecting side asks for the host's board
  MsgSnapshot = 124,     // the whole board and the player to move
};

}  // namespace vextal
