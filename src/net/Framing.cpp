#include "net/Framing.h"

#include <algorithm>
#include <cstring>

#include "net/cBuffer.h"

namespace vextal {

namespace {

constexpr quint8 kChainByte = 0xFF;  // 254 bytes follow, then another length byte
constexpr qsizetype kChainPiece = 254;

// An item that grows past this is the snapshot of a large board. Rather than grow step by step,
// copying all it holds at each step, it reserves at once the room for everything its message may
// still bring. That room is bounded by the message's budget (at most kMaxMessageBytes), which the
// decoder accepts from a peer anyway, and it goes with the message.
constexpr qsizetype kLargeItemBytes = 16 * 1024;

// Appends one piece of an item; budget is what the message may still take on the wire, so the
// rest of the item never exceeds it. A first piece gets a block of exactly its size: most items
// are a few characters and never grow.
void AppendPiece(QByteArray& item, QByteArrayView piece, qsizetype budget) {
  if (item.isEmpty()) {
    item = piece.toByteArray();
    return;
  }
  const qsizetype old = item.size();
  const qsizetype needed = old + piece.size();
  if (needed > item.capacity() && needed > kLargeItemBytes) {
    item.reserve(old + std::min(budget, kMaxMessageBytes));
  }
  item.resize(needed);  // without reserved room this grows geometrically
  std::memcpy(item.data() + old, piece.data(), size_t(piece.size()));
}

qsizetype EncodedItemSize(qsizetype n) {
  return n == 0 ? 1 : n + 1 + (n - 1) / kChainPiece;
}

}  // namespace

std::optional<QByteArray> EncodeMessage(const Message& iData) {
  if (iData.isEmpty() || iData.size() > kMaxMessageItems) {
    return std::nullopt;
  }
  qsizetype total = 1;
  for (const QByteArray& item : iData) {
    total += EncodedItemSize(item.size());
    if (total > kMaxMessageBytes) {
      return std::nullopt;
    }
  }

  QByteArray out;
  out.reserve(total);
  out.append(char(iData.size()));
  for (const QByteArray& item : iData) {
    qsizetype pos = 0;
    qsizetype left = item.size();
    while (left >= 255) {
      out.append(char(kChainByte));
      out.append(item.constData() + pos, kChainPiece);
      pos += kChainPiece;
      left -= kChainPiece;
    }
    out.append(char(left));
    out.append(item.constData() + pos, left);
  }
  return out;
}

QByteArray ItemFromValue(const QVariant& iValue) {
  if (iValue.typeId() == QMetaType::QByteArray) {
    return iValue.toByteArray();
  }
  return TextToBytes(iValue.toString());
}

Message MessageFromValues(const QVariantList& iValues) {
  Message items;
  items.reserve(iValues.size());
  for (const QVariant& value : iValues) {
    items.append(ItemFromValue(value));
  }
  return items;
}

void FrameDecoder::ResetReceive() {
  itemCount_ = -1;
  pieceLen_ = -1;
  itemIndex_ = -1;
  items_.clear();
  pieceLeft_ = 0;
  messageBytes_ = 0;
}

void FrameDecoder::StartItemPiece(quint8 lengthByte) {
  pieceLen_ = lengthByte;
  pieceLeft_ = lengthByte == kChainByte ? kChainPiece : lengthByte;
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
    StartItemPiece(quint8(iBytes[pos++]));
    ++messageBytes_;
    return messageBytes_ + pieceLeft_ <= maxMessageBytes_;
  };

  while (pos < iBytes.size()) {
    if (itemCount_ < 0) {
      // A new message: its count byte.
      const quint8 count = quint8(iBytes[pos++]);
      if (count == 0) {
        return fail(FrameError::EmptyMessage);
      }
      itemCount_ = count;
      items_ = Message(count);
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
      QByteArray& item = items_[itemIndex_];
      for (;;) {
        const qsizetype take = std::min(pieceLeft_, iBytes.size() - pos);
        AppendPiece(item, iBytes.sliced(pos, take), maxMessageBytes_ - messageBytes_);
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
