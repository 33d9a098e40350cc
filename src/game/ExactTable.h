#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace vextal {

// The exact solver's table of bounds: buckets of four 16-byte entries, one cache line each, in
// memory taken straight from the system (zero pages, on huge pages where the system grants
// them), so a large table costs nothing until it is used. Several threads may read and write it
// at once without locks: an entry holds its key mixed with its data, so an entry half written by
// another thread reads as absent rather than as another position's bounds.
class ExactTable {
 public:
  // What the table knows of a position.
  struct Data {
    int Lower = 0;
    int Upper = 0;
    int Move = -1;   // the best move found, in the position's own numbering
    int Work = 0;    // log2 of the positions searched below it
    int Search = 0;  // the search that stored it
  };

  // Room for 2^sizeLog2 entries. A `growable` table uses a small part of it at first and four
  // times as much whenever that fills up, so a small solve touches (and the system zeroes) few
  // pages. Threads may go on using the table while it grows: an entry not yet moved to its new
  // bucket, or stored by the old numbering, is only missed, never misread.
  explicit ExactTable(int sizeLog2, bool growable = false);
  ~ExactTable();
  ExactTable(const ExactTable&) = delete;
  ExactTable& operator=(const ExactTable&) = delete;

  // Where `key` (non-zero) would be: prefetching it hides the memory's latency.
  const void* BucketOf(std::uint64_t key) const { return &buckets_[Index(key)]; }
  bool Find(std::uint64_t key, Data& data) const;
  // Adds what a search found to what the table knew of the position; a new position takes the
  // slot of the entry least worth keeping: one of an earlier search first, then the one that
  // cost least to find.
  void Store(std::uint64_t key, const Data& data);

  // A new search begins: entries of earlier ones stay, but give way first.
  void NextSearch() { search_ = (search_ + 1) & 0xFF; }
  int CurrentSearch() const { return search_; }
  // Empties the table (the memory is given back to the system and taken again when touched).
  void Clear();

 private:
  struct Slot {
    std::atomic<std::uint64_t> Check;  // the key XOR Packed
    std::atomic<std::uint64_t> Packed;
  };
  struct alignas(64) Bucket {
    Slot Slots[4];
  };
  static std::uint64_t Pack(const Data& data) {
    return std::uint64_t(std::uint8_t(data.Lower)) | std::uint64_t(std::uint8_t(data.Upper)) << 8 |
           std::uint64_t(std::uint8_t(data.Move)) << 16 | std::uint64_t(data.Work & 0xFF) << 24 |
           std::uint64_t(data.Search & 0xFF) << 32;
  }
  static Data Unpack(std::uint64_t packed) {
    return Data{std::int8_t(packed & 0xFF), std::int8_t(packed >> 8 & 0xFF),
                std::int8_t(packed >> 16 & 0xFF), int(packed >> 24 & 0xFF),
                int(packed >> 32 & 0xFF)};
  }
  std::size_t Index(std::uint64_t key) const {
    key ^= key >> 31;
    key *= 0x9E3779B97F4A7C15ULL;
    return std::size_t((key ^ (key >> 29)) & mask_.load(std::memory_order_relaxed));
  }

  void Reset();
  void Grow();

  Bucket* buckets_ = nullptr;
  std::size_t bytes_ = 0;
  std::atomic<std::uint64_t> mask_{0};  // of the buckets in use
  std::uint64_t fullMask_ = 0;
  bool growable_ = false;
  // Slots in use, counted without a locked instruction: with several threads a few counts are
  // lost, and the table grows a little later.
  std::atomic<std::uint64_t> filled_{0};
  std::atomic<std::uint64_t> growAt_{0};
  std::atomic<bool> growing_{false};
  int search_ = 1;
};

// Looked up at nearly every position of a search: inline.
inline bool ExactTable::Find(std::uint64_t key, Data& data) const {
  const Bucket& bucket = buckets_[Index(key)];
  for (const Slot& slot : bucket.Slots) {
    const std::uint64_t packed = slot.Packed.load(std::memory_order_relaxed);
    if ((slot.Check.load(std::memory_order_relaxed) ^ packed) == key) {
      data = Unpack(packed);
      return true;
    }
  }
  return false;
}

}  // namespace vextal
