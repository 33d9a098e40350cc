#include "net/Framing.h"

#include <algorithm>
#include <cstring>

namespace vextal {

namespace {

constexpr quint8 kChainByte = 0xFF;  // 254 bytes follow, then another length byte
constexpr qsizetype kChainPiece = 254;

// A message whose items grow past this is the snapshot of a large board. Rather than grow step by
// step, copying all it holds at each step, it reserves at once the room for everything it may
// still bring. That room is bounded by the message's budget (at most kMaxMessageBytes), which the
// decoder accepts from a peer anyway, and it goes with the message.
constexpr qsizetype kLargeItemBytes = 16 * 1024;

// Messages of at most this many items, small enough to lie inside the message object, are taken
// in one step when they are whole in the bytes at hand: moves, requests, short chat lines.
constexpr qsizetype kShortMessageItems = 4;

qsizetype EncodedItemSize(qsizetype n) {
  return n == 0 ? 1 : n + 1 + (n - 1) / kChainPiece;
}

}  // namespace

std::optional<QByteArray> EncodeMessage(const Message& iData) {
  if (iData.isEmpty() || iData.size() > kMaxMessageItems) {
    return std::nullopt;
  }
  qsizetype total = 1;
  for (const QByteArrayView item : iData) {
    total += EncodedItemSize(item.size());
    if (total > kMaxMessageBytes) {
      return std::nullopt;
    }
  }

  QByteArray out;
  out.reserve(total);
  out.append(char(iData.size()));
  for (const QByteArrayView item : iData) {
    qsizetype pos = 0;
    qsizetype left = item.size();
    while (left >= 255) {
      out.append(char(kChainByte));
      out.append(item.data() + pos, kChainPiece);
      pos += kChainPiece;
      left -= kChainPiece;
    }
    out.append(char(left));
    out.append(item.data() + pos, left);
  }
  return out;
}

// Takes the short messages that lie whole in bytes from pos, one after another, as moves,
// requests and chat lines come: each is built at once inside its message object, instead of byte
// by byte through the receive state. Returns where it stopped: at the end, or at a message it
// leaves to the receive state (a larger one, or one not all here yet), which then decodes it the
// same way or reports its error.
qsizetype FrameDecoder::TakeShortMessages(QByteArrayView bytes, qsizetype pos,
                                          qsizetype maxMessageBytes, QList<Message>& messages) {
  const char* const end = bytes.data() + bytes.size();
  const char* next = bytes.data() + pos;
  while (next != end) {
    const qsizetype count = quint8(*next);
    if (count == 0 || count > kShortMessageItems) {
      break;
    }
    Message& message = messages.emplaceBack();
    char* const block = message.inline_;
    const qsizetype table = qsizetype(sizeof(quint32)) * count;
    quint32 itemBytes = 0;
    // Each length byte's place depends on the one before: adding the length to where the item
    // starts finds the next one a single step after the load.
    const char* lengthByte = next + 1;
    qsizetype i = 0;
    for (; i < count && lengthByte != end; ++i) {
      const qsizetype length = quint8(*lengthByte);
      const char* const item = lengthByte + 1;
      // A chain byte (255) never fits inside either.
      if (length > end - item || table + itemBytes + length > Message::kInlineBytes) {
        break;
      }
      char* const out = block + table + itemBytes;
      if (length <= 4 && end - item >= 4 && out + 4 <= block + Message::kInlineBytes) {
        std::memcpy(out, item, 4);  // whatever follows the item is written over or unused
      } else {
        Message::CopyBytes(out, item, length);
      }
      itemBytes += quint32(length);
      Message::SetEnd(block, i, itemBytes);
      lengthByte = item + length;
    }
    if (i < count || lengthByte - next > maxMessageBytes) {
      messages.removeLast();
      break;
    }
    message.count_ = qint32(count);
    message.itemBytes_ = itemBytes;
    next = lengthByte;
  }
  return next - bytes.data();
}

// Until the message passes kLargeItemBytes its block grows with the pieces, starting from exactly
// the first ones: most messages are a few characters and never grow.
void FrameDecoder::AppendPiece(QByteArrayView piece) {
  const qsizetype needed = items_.itemBytes() + piece.size();
  if (needed > items_.ItemRoom() && needed > kLargeItemBytes) {
    // What the message may still take on the wire bounds what its items may still bring.
    const qsizetype budget = maxMessageBytes_ - messageBytes_;
    items_.reserve(items_.itemBytes() + std::min(budget, kMaxMessageBytes));
  }
  items_.FillItem(itemIndex_, piece);
}

void FrameDecoder::ResetReceive() {
  itemCount_ = -1;
  pieceLen_ = -1;
  itemIndex_ = -1;
  items_.clear();
  pieceLeft_ = 0;
  messageBytes_ = 0;
}

FrameDecoder::Result FrameDecoder::Feed(QByteArrayView iBytes) {
  Result result;
  const auto fail = [&](FrameError error) {
    result.Error = error;
    ResetReceive();
    return result;
  };

  qsizetype pos = 0;
  // Takes the length byte at pos. False when the piece it announces would pass the bound: that is
  // refused at once, before the piece's bytes arrive.
  const auto takeLengthByte = [&] {
    const quint8 lengthByte = quint8(iBytes[pos++]);
    pieceLen_ = lengthByte;
    pieceLeft_ = lengthByte == kChainByte ? kChainPiece : lengthByte;
    ++messageBytes_;
    return messageBytes_ + pieceLeft_ <= maxMessageBytes_;
  };

  while (pos < iBytes.size()) {
    if (itemCount_ < 0) {
      pos = TakeShortMessages(iBytes, pos, maxMessageBytes_, result.Messages);
      if (pos == iBytes.size()) {
        break;
      }
      // A new message: its count byte.
      const quint8 count = quint8(iBytes[pos++]);
      if (count == 0) {
        return fail(FrameError::EmptyMessage);
      }
      itemCount_ = count;
      items_ = Message(count, {});
      pieceLen_ = -1;
      itemIndex_ = -1;
      messageBytes_ = 1;
      continue;
    }

    const bool itemStarts = pieceLen_ == -1;
    const bool chainGoesOn = pieceLen_ == kChainByte && pieceLeft_ == 0;
    if (itemStarts || chainGoesOn) {
      if (itemStarts) {
        ++itemIndex_;
      }
      if (!takeLengthByte()) {
        return fail(FrameError::TooLarge);
      }
    } else {
      // The bytes of the piece, then of the chain pieces that follow while they are at hand, so
      // a large item is copied in one run instead of two passes of the outer loop per piece.
      for (;;) {
        const qsizetype take = std::min(pieceLeft_, iBytes.size() - pos);
        AppendPiece(iBytes.sliced(pos, take));
        pos += take;
        pieceLeft_ -= take;
        messageBytes_ += take;
        if (pieceLeft_ != 0 || pieceLen_ != kChainByte || pos == iBytes.size()) {
          break;
        }
        if (!takeLengthByte()) {
          return fail(FrameError::TooLarge);
        }
        if (pieceLeft_ == 0 || pos == iBytes.size()) {
          break;  // an empty last piece ends the item; or the rest comes with the next feed
        }
      }
    }

    const bool itemEnds = pieceLen_ >= 0 && pieceLen_ != kChainByte && pieceLeft_ == 0;
    if (itemEnds) {
      if (itemIndex_ == itemCount_ - 1) {
        result.Messages.append(std::move(items_));
        ResetReceive();
      } else {
        pieceLen_ = -1;
      }
    }
  }
  return result;
}

}  // namespace vextal
