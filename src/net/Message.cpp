#include "net/Message.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace vextal {

namespace {

// Item offsets are 32 bits; a message near that size is never built (the wire bounds it at 1 MiB).
void CheckItemBytes(qsizetype bytes) {
  Q_ASSERT(bytes >= 0 && bytes <= qsizetype(std::numeric_limits<quint32>::max()));
  Q_UNUSED(bytes);
}

qsizetype SumOfSizes(std::span<const QByteArrayView> items) {
  qsizetype total = 0;
  for (const QByteArrayView item : items) {
    total += item.size();
  }
  return total;
}

}  // namespace

template <typename ItemAt>
void Message::Fill(qsizetype count, qsizetype itemBytes, ItemAt itemAt) {
  Q_ASSERT(count >= 0 && count_ == 0);
  CheckItemBytes(itemBytes);
  const qsizetype blockBytes = qsizetype(sizeof(quint32)) * count + itemBytes;
  char* block = blockBytes <= kInlineBytes ? inline_ : ResizeBlock(blockBytes);
  char* out = block + qsizetype(sizeof(quint32)) * count;
  quint32 end = 0;
  for (qsizetype i = 0; i < count; ++i) {
    const QByteArrayView item = itemAt(i);
    CopyBytes(out + end, item.data(), item.size());
    end += quint32(item.size());
    SetEnd(block, i, end);
  }
  Q_ASSERT(end == itemBytes);
  count_ = qint32(count);
  itemBytes_ = end;
}

Message::Message(std::span<const QByteArrayView> items) {
  Fill(qsizetype(items.size()), SumOfSizes(items),
       [items](qsizetype i) { return items[std::size_t(i)]; });
}

Message::Message(qsizetype count, QByteArrayView item) {
  Fill(count, count * item.size(), [item](qsizetype) { return item; });
}

bool Message::Holds(QByteArrayView bytes) const {
  const char* block = Block();
  return !bytes.isEmpty() && std::greater_equal<const char*>()(bytes.data(), block) &&
         std::less<const char*>()(bytes.data(), block + BlockBytes());
}

char* Message::GrowBlock(qsizetype blockBytes) {
  SetRoom(heap_.isNull() ? blockBytes : std::max(blockBytes, 2 * heap_.size()));
  return heap_.data();
}

void Message::SetRoom(qsizetype room) {
  if (heap_.isNull()) {
    QByteArray heap(room, Qt::Uninitialized);
    std::memcpy(heap.data(), inline_, std::size_t(BlockBytes()));
    heap_ = std::move(heap);
  } else {
    // Grows in place when the allocator can; a block shared with a copy is copied here instead.
    heap_.reserve(room);
    heap_.resize(room);
  }
}

void Message::append(QByteArrayView item) {
  if (Holds(item)) {
    append(item.toByteArray());  // the block is about to move under the view
    return;
  }
  CheckItemBytes(itemBytes_ + item.size());
  const qsizetype table = TableBytes();
  char* block = ResizeBlock(BlockBytes() + qsizetype(sizeof(quint32)) + item.size());
  // The table grows by one offset: the item bytes move up to make room for it.
  std::memmove(block + table + sizeof(quint32), block + table, itemBytes_);
  if (!item.isEmpty()) {
    std::memcpy(block + table + sizeof(quint32) + itemBytes_, item.data(),
                std::size_t(item.size()));
  }
  itemBytes_ += quint32(item.size());
  SetEnd(block, count_, itemBytes_);
  ++count_;
}

void Message::reserve(qsizetype itemBytes) {
  const qsizetype room = TableBytes() + itemBytes;
  if (room > (heap_.isNull() ? kInlineBytes : heap_.size())) {
    SetRoom(room);
  }
}

bool operator==(const Message& a, const Message& b) noexcept {
  return a.count_ == b.count_ && a.itemBytes_ == b.itemBytes_ &&
         std::memcmp(a.Block(), b.Block(), std::size_t(a.BlockBytes())) == 0;
}

}  // namespace vextal
