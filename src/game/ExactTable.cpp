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

namespace {

// Buckets a growable table begins with: 64 KiB.
constexpr std::uint64_t kFirstBuckets = 1024;

}  // namespace

ExactTable::ExactTable(int sizeLog2, bool growable)
    : bytes_(sizeof(Slot) << std::max(sizeLog2, 2)),
      fullMask_((std::uint64_t(1) << (std::max(sizeLog2, 2) - 2)) - 1),
      growable_(growable) {
  buckets_ = static_cast<Bucket*>(TakePages(bytes_));
  Reset();
}

ExactTable::~ExactTable() {
  munmap(buckets_, bytes_);
}

void ExactTable::Clear() {
  if (!growable_ || filled_.load(std::memory_order_relaxed) > 0) {
    // Zero pages are an empty table: giving the pages back is cheaper than writing zeros.
    munmap(buckets_, bytes_);
    buckets_ = static_cast<Bucket*>(TakePages(bytes_));
  }
  Reset();
}

void ExactTable::Reset() {
  const std::uint64_t mask = growable_ ? std::min(fullMask_, kFirstBuckets - 1) : fullMask_;
  mask_.store(mask, std::memory_order_relaxed);
  filled_.store(0, std::memory_order_relaxed);
  growAt_.store(mask == fullMask_ ? ~std::uint64_t(0) : (mask + 1) * 3, std::memory_order_relaxed);
  search_ = 1;
}

void ExactTable::Grow() {
  if (growing_.exchange(true, std::memory_order_acquire)) {
    return;  // another thread is growing it
  }
  if (filled_.load(std::memory_order_relaxed) < growAt_.load(std::memory_order_relaxed)) {
    growing_.store(false, std::memory_order_release);
    return;  // another thread has just grown it
  }
  const std::uint64_t oldBuckets = mask_.load(std::memory_order_relaxed) + 1;
  const std::uint64_t mask = std::min(fullMask_, oldBuckets * 4 - 1);
  // Three of the four slots of each bucket filled, on average, before it grows again.
  growAt_.store(mask == fullMask_ ? ~std::uint64_t(0) : (mask + 1) * 3, std::memory_order_relaxed);
  mask_.store(mask, std::memory_order_relaxed);
  // An entry of bucket i belongs in a bucket whose number ends in i's bits, and only i's
  // entries go there: each finds a free slot in its new bucket (unless another thread has
  // stored there meanwhile: then the entry is lost, which costs only a search).
  for (std::uint64_t i = 0; i < oldBuckets; ++i) {
    for (Slot& slot : buckets_[i].Slots) {
      const std::uint64_t packed = slot.Packed.load(std::memory_order_relaxed);
      const std::uint64_t check = slot.Check.load(std::memory_order_relaxed);
      if ((check == 0 && packed == 0) || Index(check ^ packed) == i) {
        continue;
      }
      for (Slot& free : buckets_[Index(check ^ packed)].Slots) {
        if (free.Check.load(std::memory_order_relaxed) == 0 &&
            free.Packed.load(std::memory_order_relaxed) == 0) {
          free.Packed.store(packed, std::memory_order_relaxed);
          free.Check.store(check, std::memory_order_relaxed);
          break;
        }
      }
      slot.Packed.store(0, std::memory_order_relaxed);
      slot.Check.store(0, std::memory_order_relaxed);
    }
  }
  growing_.store(false, std::memory_order_release);
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
  const bool wasEmpty = victim->Packed.load(std::memory_order_relaxed) == 0 &&
                        victim->Check.load(std::memory_order_relaxed) == 0;
  const std::uint64_t packed = Pack(merged);
  victim->Packed.store(packed, std::memory_order_relaxed);
  victim->Check.store(key ^ packed, std::memory_order_relaxed);
  if (growable_ && wasEmpty) {
    const std::uint64_t filled = filled_.load(std::memory_order_relaxed) + 1;
    filled_.store(filled, std::memory_order_relaxed);
    if (filled >= growAt_.load(std::memory_order_relaxed)) {
      Grow();
    }
  }
}

}  // namespace vextal
