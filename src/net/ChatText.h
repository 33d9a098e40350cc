#pragma once

#include <QByteArray>
#include <QString>

#include "net/Message.h"

namespace vextal {

// A chat line between two copies of this program carries any character: a message type the
// protocol does not list, sent only to a peer whose hello (200) announced a revision that takes
// it. A peer that knows only the listed messages gets the listed chat line (36), one byte per
// character, where a character beyond those bytes arrives as "?".
//   202 "chat text", the line in UTF-8.
enum ChatTextType : int {
  MsgChatText = 202,
};

// The revision this side announces in its hello: 1 takes digests, 2 chat text as well.
inline constexpr int kHelloRevision = 2;
inline constexpr int kChatTextRevision = 2;

// The message that carries line to a peer that announced peerRevision (0: no hello).
Message ChatMessage(const QString& line, int peerRevision);

// The line as that peer shows it.
QString ChatAsReceived(const QString& line, int peerRevision);

// The text of a received chat text message's item; bytes that are not UTF-8 show as the
// replacement character.
QString ChatTextOf(QByteArrayView item);

}  // namespace vextal
