#pragma once

#include <cstring>
#include <initializer_list>
#include <iterator>
#include <span>
#include <utility>

#include <QByteArray>
#include <QByteArrayView>
#include <QMetaType>
#include <QtGlobal>

namespace vextal {

class FrameDecoder;

// A message between the two copies of the program: 1 to 255 items of bytes. Item 0 is the message
// type as decimal text; numbers in the other items are decimal text too.
//
// The items live in one block: a table of where each item ends (32-bit offsets), then the bytes of
// all items back to back. A block of up to kInlineBytes (a move, a board request, a short chat
// line) is kept inside the object, so such a message costs no heap at all; a larger one is a single
// implicitly shared QByteArray, so copying a board snapshot is cheap. Items are read as views into
// the block. A view is valid while its message lives unchanged: moving a small message moves its
// bytes too, so whatever outlives the message keeps a copy of it (or toByteArray() of the item).
class Message {
 public:
  static constexpr qsizetype kInlineBytes = 32;

  // Walks the items in order; each is a view, as from operator[].
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = QByteArrayView;
    using difference_type = qsizetype;
    using pointer = void;
    using reference = QByteArrayView;

    const_iterator() = default;
    QByteArrayView operator*() const { return (*message_)[index_]; }
    const_iterator& operator++() {
      ++index_;
      return *this;
    }
    const_iterator operator++(int) {
      const const_iterator before = *this;
      ++index_;
      return before;
    }
    friend bool operator==(const const_iterator&, const const_iterator&) = default;

   private:
    friend class Message;
    const_iterator(const Message* message, qsizetype index) : message_(message), index_(index) {}
    const Message* message_ = nullptr;
    qsizetype index_ = 0;
  };

  Message() = default;
  Message(const Message&) = default;
  Message& operator=(const Message&) = default;
  // A moved-from message is empty.
  Message(Message&& other) noexcept
      : heap_(std::move(other.heap_)),
        count_(std::exchange(other.count_, 0)),
        itemBytes_(std::exchange(other.itemBytes_, 0)) {
    std::memcpy(inline_, other.inline_, sizeof inline_);
  }
  Message& operator=(Message&& other) noexcept {
    if (this != &other) {
      heap_ = std::move(other.heap_);
      count_ = std::exchange(other.count_, 0);
      itemBytes_ = std::exchange(other.itemBytes_, 0);
      std::memcpy(inline_, other.inline_, sizeof inline_);
    }
    return *this;
  }
  Message(std::initializer_list<QByteArrayView> items)
      : Message(std::span<const QByteArrayView>(items.begin(), items.size())) {}
  explicit Message(std::span<const QByteArrayView> items);
  // count items, each a copy of item.
  explicit Message(qsizetype count, QByteArrayView item);

  qsizetype size() const { return count_; }
  bool isEmpty() const { return count_ == 0; }
  // The bytes of all items together.
  qsizetype itemBytes() const { return itemBytes_; }

  // Item i, 0 <= i < size().
  QByteArrayView operator[](qsizetype i) const {
    Q_ASSERT(i >= 0 && i < count_);
    const char* block = Block();
    const quint32 start = i == 0 ? 0 : End(block, i - 1);
    return QByteArrayView(block + TableBytes() + start, qsizetype(End(block, i) - start));
  }
  QByteArrayView at(qsizetype i) const { return (*this)[i]; }
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, count_); }

  // Adds item at the end.
  void append(QByteArrayView item);
  // Makes room for itemBytes bytes of items in total, so that filling them up to that size
  // allocates nothing more.
  void reserve(qsizetype itemBytes);
  void clear() { *this = Message(); }

  friend bool operator==(const Message& a, const Message& b) noexcept;

 private:
  // The decoder builds small messages straight from the received bytes, inside the object, and
  // fills larger ones piece by piece.
  friend class FrameDecoder;

  // Adds bytes at the end of item i, the items after it being still empty.
  void FillItem(qsizetype i, QByteArrayView bytes) {
    if (bytes.isEmpty()) {
      return;
    }
    const qsizetype blockBytes = BlockBytes();
    char* block = ResizeBlock(blockBytes + bytes.size());
    std::memcpy(block + blockBytes, bytes.data(), std::size_t(bytes.size()));
    itemBytes_ += quint32(bytes.size());
    for (qsizetype j = i; j < count_; ++j) {
      SetEnd(block, j, itemBytes_);
    }
  }
  // Room for item bytes without another allocation.
  qsizetype ItemRoom() const {
    return (heap_.isNull() ? kInlineBytes : heap_.size()) - TableBytes();
  }

  qsizetype TableBytes() const { return qsizetype(sizeof(quint32)) * count_; }
  qsizetype BlockBytes() const { return TableBytes() + itemBytes_; }
  const char* Block() const { return heap_.isNull() ? inline_ : heap_.constData(); }
  static quint32 End(const char* block, qsizetype i) {
    quint32 end;
    std::memcpy(&end, block + qsizetype(sizeof(quint32)) * i, sizeof end);
    return end;
  }
  static void SetEnd(char* block, qsizetype i, quint32 end) {
    std::memcpy(block + qsizetype(sizeof(quint32)) * i, &end, sizeof end);
  }
  // Most items are a few characters: copied by moves of a known size instead of a call.
  static void CopyBytes(char* out, const char* in, qsizetype n) {
    switch (n) {
      case 0:
        break;
      case 1:
        *out = *in;
        break;
      case 2:
        std::memcpy(out, in, 2);
        break;
      case 3:
        std::memcpy(out, in, 3);
        break;
      case 4:
        std::memcpy(out, in, 4);
        break;
      default:
        std::memcpy(out, in, std::size_t(n));
    }
  }
  // The block with room for blockBytes, its content kept, ready for writing.
  char* ResizeBlock(qsizetype blockBytes) {
    if (heap_.isNull() ? blockBytes <= kInlineBytes : blockBytes <= heap_.size()) {
      return heap_.isNull() ? inline_ : heap_.data();
    }
    return GrowBlock(blockBytes);
  }
  // Moves the block to a larger one on the heap: exactly blockBytes when it leaves the object,
  // then at least twice its room.
  char* GrowBlock(qsizetype blockBytes);
  // Gives the block exactly room bytes on the heap, more than it has now.
  void SetRoom(qsizetype room);
  // Builds the block of a new message from count items of itemBytes in all, itemAt(i) giving
  // item i.
  template <typename ItemAt>
  void Fill(qsizetype count, qsizetype itemBytes, ItemAt itemAt);
  bool Holds(QByteArrayView bytes) const;

  // The block when it does not fit inside, null otherwise. Its size is the room it has; the block
  // itself takes BlockBytes() of it.
  QByteArray heap_;
  qint32 count_ = 0;
  quint32 itemBytes_ = 0;
  alignas(quint32) char inline_[kInlineBytes] = {};
};

}  // namespace vextal

Q_DECLARE_TYPEINFO(vextal::Message, Q_RELOCATABLE_TYPE);
Q_DECLARE_METATYPE(vextal::Message)

namespace vextal {

enum MessageType : int {
  MsgMove = 24,          // mover, column, row
  MsgChat = 36,          // one chat line
  MsgSyncRequest = 120,  // the connecting side asks for the host's board
  MsgSnapshot = 124,     // the whole board and the player to move
  // Beyond the protocol, between two copies of this program only (BoardSync.h).
  MsgHello = 200,   // revision: this side understands digests
  MsgDigest = 201,  // epoch, index, hash: this side's board after a move
};

}  // namespace vextal
