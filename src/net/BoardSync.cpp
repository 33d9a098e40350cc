#include "net/BoardSync.h"

#include <algorithm>

#include "net/Snapshot.h"

namespace vextal {

namespace {

// An item as a whole decimal number, or nothing.
std::optional<std::int64_t> Number(const Message& message, int index) {
  if (index >= message.size()) {
    return std::nullopt;
  }
  bool ok = false;
  const qlonglong value = message[index].trimmed().toLongLong(&ok);
  return ok ? std::optional<std::int64_t>(value) : std::nullopt;
}

}  // namespace

std::uint32_t BoardDigest(const Board& board, Player actPlayer) {
  // FNV-1a over the snapshot bytes: the board exactly as the wire would carry it.
  std::uint32_t hash = 2166136261u;
  for (const char byte : GetSnapshot(board, actPlayer)) {
    hash = (hash ^ std::uint8_t(byte)) * 16777619u;
  }
  return hash;
}

void BoardSync::Reset() {
  *this = BoardSync();
}

std::optional<Message> BoardSync::BoardExchanged(const Board& board, Player actPlayer,
                                                 bool sendDigest) {
  ++epoch_;
  index_ = 0;
  own_.clear();
  return Record(BoardDigest(board, actPlayer), sendDigest && peerAnnounced_);
}

std::optional<Message> BoardSync::MoveApplied(const Board& board, Player actPlayer) {
  // Before the first board has been exchanged the two sides play on boards of their own.
  if (epoch_ == 0) {
    return std::nullopt;
  }
  ++index_;
  return Record(BoardDigest(board, actPlayer), peerAnnounced_);
}

std::optional<Message> BoardSync::Record(std::uint32_t digest, bool send) {
  own_.emplace_back(index_, digest);
  if (own_.size() > kKept) {
    own_.pop_front();
  }
  if (!send) {
    return std::nullopt;
  }
  return Message{QByteArray::number(MsgDigest), QByteArray::number(qlonglong(epoch_)),
                 QByteArray::number(qlonglong(index_)), QByteArray::number(digest)};
}

BoardSync::Verdict BoardSync::DigestReceived(const Message& message) {
  const auto epoch = Number(message, 1);
  const auto index = Number(message, 2);
  const auto digest = Number(message, 3);
  if (!epoch || !index || !digest) {
    return Verdict::Ignored;
  }
  peerEpoch_ = std::max(peerEpoch_, *epoch);
  // A digest of an older board (one replaced since) says nothing about this one.
  if (*epoch != epoch_ || epoch_ == 0) {
    return Verdict::Ignored;
  }
  const auto mine = std::find_if(own_.begin(), own_.end(),
                                 [&](const auto& entry) { return entry.first == *index; });
  bool agree = true;
  if (mine != own_.end()) {
    agree = std::int64_t(mine->second) == *digest;
  } else if (*index > index_) {
    agree = false;  // the peer applied a move this side never did
  } else {
    return Verdict::Ignored;  // too old to remember
  }
  if (agree || reportedEpoch_ == epoch_) {
    return agree ? Verdict::Agree : Verdict::Ignored;
  }
  reportedEpoch_ = epoch_;
  return Verdict::OutOfStep;
}

}  // namespace vextal
