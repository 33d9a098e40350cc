#include "net/Framing.h"

#include <algorithm>

#include "net/cBuffer.h"

namespace vextal {

namespace {

constexpr quint8 kChainByte = 0xFF;  // 254 bytes follow, then another length byte
constexpr qsizetype kChainPiece = 254;

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
      StartItemPiece(quint8(iBytes[pos++]));
      ++messageBytes_;
      // Refuse as soon as the announced piece would pass the bound, before its bytes arrive.
      if (messageBytes_ + pieceLeft_ > maxMessageBytes_) {
        return fail(FrameError::TooLarge);
      }
    } else {
      const qsizetype take = std::min(pieceLeft_, iBytes.size() - pos);
      items_[itemIndex_].append(iBytes.data() + pos, take);
      pos += take;
      pieceLeft_ -= take;
      messageBytes_ += take;
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
