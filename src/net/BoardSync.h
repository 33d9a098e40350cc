#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <utility>

#include <QByteArray>

#include "game/Board.h"
#include "net/Message.h"

namespace vextal {

// Two copies of this program keep each other honest with two message types the protocol does
// not list (a peer that knows only the four listed types ignores them; it gets only the hello,
// sent to every peer when the connection opens):
//   200 "hello", revision: this side understands digests;
//   201 "digest", epoch, index, hash: this side's board and player to move after its index-th
//       move of that epoch.
// An epoch is the time between two boards the host sends (124): the host counts the boards it
// sends, the connecting side the boards it loads, so both count the same ones. Within an epoch
// both sides apply the same moves in the same order, so the n-th digest each receives describes
// the position after the same move as its own n-th. After loading a board the connecting side
// sends the digest of index 0, which also tells the host that every move it sends from then on
// was made on that board. Whichever side finds a difference gets the host's board: the host
// sends it, the connecting side asks for it (120).
inline constexpr int kDigestRevision = 1;

// A short fingerprint of a board and the player to move.
std::uint32_t BoardDigest(const Board& board, Player actPlayer);

// The bookkeeping of the digests on one side of a connection. Pure logic: NetGame sends what it
// returns and acts on what it reports.
class BoardSync {
 public:
  enum class Verdict { Agree, Ignored, OutOfStep };

  // A new connection: nothing known of the peer, no board exchanged yet.
  void Reset();
  void PeerAnnounced() { peerAnnounced_ = true; }
  bool PeerKnowsDigests() const { return peerAnnounced_; }

  // This side sent its board (host) or loaded the peer's (connecting side): a new epoch begins.
  // Returns the digest to send, when the peer wants one (only the connecting side sends it).
  std::optional<Message> BoardExchanged(const Board& board, Player actPlayer, bool sendDigest);
  // A move was applied here (made here or replayed). Returns the digest to send, if any.
  std::optional<Message> MoveApplied(const Board& board, Player actPlayer);
  // A digest arrived. OutOfStep is reported once per epoch: the boards differ.
  Verdict DigestReceived(const Message& message);

  // The host's view: the peer has not loaded the last board sent, so a move from it now was
  // made on an older board.
  bool PeerBehind() const { return peerAnnounced_ && peerEpoch_ < epoch_; }

 private:
  std::optional<Message> Record(std::uint32_t digest, bool send);

  static constexpr std::size_t kKept = 64;  // digests remembered per epoch

  bool peerAnnounced_ = false;
  std::int64_t epoch_ = 0;
  std::int64_t index_ = 0;
  std::int64_t peerEpoch_ = 0;
  std::int64_t reportedEpoch_ = -1;
  std::deque<std::pair<std::int64_t, std::uint32_t>> own_;  // (index, digest), oldest first
};

}  // namespace vextal
