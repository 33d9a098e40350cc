#include "net/ChatText.h"

#include "net/cBuffer.h"

namespace vextal {

Message ChatMessage(const QString& line, int peerRevision) {
  if (peerRevision >= kChatTextRevision) {
    return {QByteArray::number(MsgChatText), line.toUtf8()};
  }
  return {QByteArray::number(MsgChat), TextToBytes(line)};
}

QString ChatAsReceived(const QString& line, int peerRevision) {
  return peerRevision >= kChatTextRevision ? line : BytesToText(TextToBytes(line));
}

QString ChatTextOf(QByteArrayView item) {
  return QString::fromUtf8(item);
}

}  // namespace vextal
