#pragma once

#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QtGlobal>

#include "net/Message.h"

namespace vextal {

// How messages travel on the TCP stream. A message is a count byte (1..255 items), then each
// item back to back: while 255 or more bytes remain, a byte FF and the next 254 bytes; then one
// length byte 0..254 and the rest. No header, checksum or total length.

inline constexpr int kMaxMessageItems = 255;
// Most bytes one message may take on the wire, count and length bytes included. The largest
// message the game sends is the snapshot of a 255 x 255 board (3 + 9 * 255 * 255 bytes in one
// item, about 574 KiB framed); anything past this bound comes from a broken or hostile peer.
inline constexpr qsizetype kMaxMessageBytes = 1024 * 1024;

// The bytes of one message, or nothing for 0 or more than 255 items, or a message that would
// exceed kMaxMessageBytes (the peer would refuse it).
std::optional<QByteArray> EncodeMessage(const Message& iData);

enum class FrameError {
  None,
  EmptyMessage,  // a count byte of 0
  TooLarge,      // a message past the decoder's bound (kMaxMessageBytes)
};

// Reassembles messages from the received bytes, however the stream was split. Holds the receive
// state between calls: the bytes of an unfinished message wait for the next Feed.
class FrameDecoder {
 public:
  struct Result {
    QList<Message> Messages;  // completed messages, in arrival order
    FrameError Error = FrameError::None;
    bool Failed() const { return Error != FrameError::None; }
  };

  // maxMessageBytes bounds one message on the wire; the program uses kMaxMessageBytes, tests
  // and fuzzers a smaller bound to reach it quickly.
  explicit FrameDecoder(qsizetype maxMessageBytes = kMaxMessageBytes)
      : maxMessageBytes_(maxMessageBytes) {}

  // Decodes iBytes. On an error the messages completed before the bad byte are still returned;
  // the rest of iBytes is dropped and the decoder starts over, expecting a count byte.
  Result Feed(QByteArrayView iBytes);
  // Forgets any unfinished message: the next byte is a count byte.
  void ResetReceive();

  // Items of the message being received; -1 while waiting for its count byte.
  qint16 ItemCount() const { return itemCount_; }
  // The last length byte: -1 while waiting for one; 255 when 254 bytes and another length byte
  // follow; 0..254 when that many bytes end the item.
  qint16 PieceLen() const { return pieceLen_; }
  // The item being filled; -1 before the first item.
  qint16 ItemIndex() const { return itemIndex_; }
  const Message& Items() const { return items_; }

 private:
  // Takes whole short messages from pos in one step; returns where the receive state goes on.
  static qsizetype TakeShortMessages(QByteArrayView bytes, qsizetype pos, qsizetype maxMessageBytes,
                                     QList<Message>& messages);
  // Appends one piece of the item being received.
  void AppendPiece(QByteArrayView piece);

  qint16 itemCount_ = -1;
  qint16 pieceLen_ = -1;
  qint16 itemIndex_ = -1;
  Message items_;
  qsizetype maxMessageBytes_;
  qsizetype pieceLeft_ = 0;     // bytes of the current piece still to come
  qsizetype messageBytes_ = 0;  // wire bytes of the current message so far
};

}  // namespace vextal
