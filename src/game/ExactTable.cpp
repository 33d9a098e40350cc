#include "game/ExactTable.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <new>

namespace vextal {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

void* TakePages(std::size_t bytes) {
  // Huge pages are granted only to whole aligned 2 MiB ranges: take a little more and trim.
  const std::size_t slack = bytes >= kHugePage ? kHugePage : 0;
  void* memory =
      mmap(nullptr, bytes + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) {
    throw std::bad_alloc();
  }
  if (slack == 0) {
    return memory;
  }
  const auto start = reinterpret_cast<std::uintptr_t>(memory);
  const std::uintptr_t aligned = (start + kHugePage - 1) & ~std::uintptr_t(kHugePage - 1);
  if (aligned > start) {
    munmap(memory, aligned - start);
  }
  if (const std::size_t tail = start + slack - aligned; tail > 0) {
    munmap(reinterpret_cast<void*>(aligned + bytes), tail);
  }
  // Most probes miss every cache; on 4 KiB pages they would miss the TLB too.
  madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(aligned);
}

}  // namespace

ExactTable::ExactTable(int sizeLog2)
    : bytes_(sizeof(Slot) << std::max(sizeLog2, 2)),
      mask_((std::uint64_t(1) << (std::max(sizeLog2, 2) - 2)) - 1) {
  buckets_ = static_cast<Bucket*>(TakePages(bytes_));
}

ExactTable::~ExactTable() {
  munmap(buckets_, bytes_);
}

void ExactTable::Clear() {
  // Zero pages are an empty table: giving the pages back is cheaper than writing zeros.
  munmap(buckets_, bytes_);
  buckets_ = static_cast<Bucket*>(TakePages(bytes_));
  search_ = 1;
}

void ExactTable::Store(std::uint64_t key, const Data& found) {
  Bucket& bucket = buckets_[Index(key)];
  Slot* victim = nullptr;
  int victimWorth = 1 << 30;
  Data merged = found;
  for (Slot& slot : bucket.Slots) {
    const std::uint64_t packed = slot.Packed.load(std::memory_order_relaxed);
    const std::uint64_t check = slot.Check.load(std::memory_order_relaxed);
    if ((check ^ packed) == key) {
      // Both are true bounds of one value: keep the narrower of each.
      const Data known = Unpack(packed);
      merged.Lower = std::max(known.Lower, found.Lower);
      merged.Upper = std::min(known.Upper, found.Upper);
      if (found.Move < 0 || found.Lower <= known.Lower) {
        merged.Move = known.Move >= 0 ? known.Move : found.Move;
      }
      merged.Work = std::max(known.Work, found.Work);
      victim = &slot;
      break;
    }
    // An empty slot is worth nothing; an entry of an earlier search less than any of this one.
    const int work = int(packed >> 24 & 0xFF);
    const int worth = check == 0 && packed == 0             ? -1
                      : int(packed >> 32 & 0xFF) == search_ ? 256 + work
                                                            : work;
    if (worth < victimWorth) {
      victimWorth = worth;
      victim = &slot;
    }
  }
  merged.Search = search_;
  const std::uint64_t packed = Pack(merged);
  victim->Packed.store(packed, std::memory_order_relaxed);
  victim->Check.store(key ^ packed, std::memory_order_relaxed);
}

}  // namespace vextal
