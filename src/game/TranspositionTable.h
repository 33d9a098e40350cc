#pragma once

#include <cstdint>
#include <vector>

#include "game/SearchPosition.h"

namespace vextal {

// What the search learnt about a position, found again when the same position comes back by
// another order of moves or by a neutralisation that restores it.
class TranspositionTable {
 public:
  enum class Bound : std::uint8_t { None, Exact, Lower, Upper };

  struct Entry {
    std::uint64_t Key = 0;
    std::int32_t Value = 0;
    PackedCell Move = 0;
    std::int8_t Depth = -1;
    Bound Kind = Bound::None;
  };

  // 2^sizeLog2 entries.
  explicit TranspositionTable(int sizeLog2) : entries_(std::size_t(1) << sizeLog2) {}

  const Entry* Find(std::uint64_t key) const {
    const Entry& entry = entries_[Slot(key)];
    return entry.Kind != Bound::None && entry.Key == key ? &entry : nullptr;
  }

  // A deeper result for the same position, or any result for another one, takes the slot.
  void Store(std::uint64_t key, int depth, int value, Bound kind, PackedCell move) {
    Entry& entry = entries_[Slot(key)];
    if (entry.Key == key && entry.Depth > depth && entry.Kind != Bound::None) {
      return;
    }
    entry = Entry{key, value, move, std::int8_t(depth), kind};
  }

 private:
  std::size_t Slot(std::uint64_t key) const { return std::size_t(key) & (entries_.size() - 1); }

  std::vector<Entry> entries_;
};

}  // namespace vextal
