#pragma once

// The baseline for the decoder: the frame decoder as it was while a message was a list of byte
// arrays (one QList and one QByteArray per item, so five heap blocks for a move). The same code,
// without its comments and the accessors of its state, so that every run times the two side by
// side.

#include <algorithm>
#include <cstring>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include "net/Framing.h"

namespace vextal::bench {

using ListMessage = QList<QByteArray>;

class ListFrameDecoder {
 public:
  struct Result {
    QList<ListMessage> Messages;
    FrameError Error = FrameError::None;
  };

  Result Feed(QByteArrayView iBytes) {
    Result result;
    const auto fail = [&](FrameError error) {
      result.Error = error;
      ResetReceive();
      return result;
    };
    qsizetype pos = 0;
    const auto takeLengthByte = [&] {
      StartItemPiece(quint8(iBytes[pos++]));
      ++messageBytes_;
      return messageBytes_ + pieceLeft_ <= maxMessageBytes_;
    };

    while (pos < iBytes.size()) {
      if (itemCount_ < 0) {
        const quint8 count = quint8(iBytes[pos++]);
        if (count == 0) {
          return fail(FrameError::EmptyMessage);
        }
        itemCount_ = count;
        items_ = ListMessage(count);
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
            break;
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

 private:
  static constexpr quint8 kChainByte = 0xFF;
  static constexpr qsizetype kChainPiece = 254;
  static constexpr qsizetype kLargeItemBytes = 16 * 1024;

  static void AppendPiece(QByteArray& item, QByteArrayView piece, qsizetype budget) {
    if (item.isEmpty()) {
      item = piece.toByteArray();
      return;
    }
    const qsizetype old = item.size();
    const qsizetype needed = old + piece.size();
    if (needed > item.capacity() && needed > kLargeItemBytes) {
      item.reserve(old + std::min(budget, kMaxMessageBytes));
    }
    item.resize(needed);
    std::memcpy(item.data() + old, piece.data(), size_t(piece.size()));
  }

  void ResetReceive() {
    itemCount_ = -1;
    pieceLen_ = -1;
    itemIndex_ = -1;
    items_.clear();
    pieceLeft_ = 0;
    messageBytes_ = 0;
  }
  void StartItemPiece(quint8 lengthByte) {
    pieceLen_ = lengthByte;
    pieceLeft_ = lengthByte == kChainByte ? kChainPiece : lengthByte;
  }

  qint16 itemCount_ = -1;
  qint16 pieceLen_ = -1;
  qint16 itemIndex_ = -1;
  ListMessage items_;
  qsizetype maxMessageBytes_ = kMaxMessageBytes;
  qsizetype pieceLeft_ = 0;
  qsizetype messageBytes_ = 0;
};

}  // namespace vextal::bench
