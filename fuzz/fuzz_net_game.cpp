// Plays arbitrary bytes from a peer into a game: the stream is decoded into messages and each is
// handled as the program handles a peer's message (moves, chat, board requests, snapshots), sent
// over a pair of links in memory when the peer is connected.
// Whatever arrives, the board must stay well formed: owners 0 to 2, the player to move 0 to 2,
// links only on expanded nodes, and the border ring empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/NullView.h"
#include "game/Game.h"
#include "net/Framing.h"
#include "net/MemoryLink.h"
#include "net/NetGame.h"
#include "stages/Stages.h"

using namespace vextal;
using vextal::testing::NullView;

namespace {

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// The peer's end of the link: what the game sends it goes nowhere.
class Sink final : public LinkEvents {
 public:
  void LinkWaiting(PeerLink&) override {}
  void LinkOpened(PeerLink&, LinkRole) override {}
  void LinkReceived(PeerLink&, const Message&) override {}
  void LinkClosed(PeerLink&, qint32) override {}
  void LinkWritten(PeerLink&) override {}
};

class FixedClock final : public Clock {
 public:
  std::int64_t NowMs() const override { return 1000; }
};

void CheckBoard(const Game& game) {
  const Board& b = game.Nodes();
  Require(game.ActPlayer() <= 2);
  for (int c = 0; c <= b.NodesW() + 1; ++c) {
    for (int r = 0; r <= b.NodesH() + 1; ++r) {
      const Node& n = b(c, r);
      const bool border = c == 0 || r == 0 || c == b.NodesW() + 1 || r == b.NodesH() + 1;
      Require(!border || n == Node{});
      Require(n.Owner <= 2);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  NullView view;
  FixedClock clock;
  SeededRandom random(size);
  cSocket socket;
  Game game(clock, random);
  NetGame net(game, view, view, socket);
  SetupStage(game, int(size % 8), random);
  Sink sink;
  MemoryLink here(net.Events());
  MemoryLink peer(sink);
  here.SetSliceClock([] { return qint64(0); });
  // The first byte picks which side this is and whether a peer is connected.
  bool connected = false;
  if (size > 0) {
    const bool server = (data[0] & 1) != 0;
    connected = (data[0] & 2) != 0;
    if (connected) {
      server ? MemoryLink::Join(here, peer) : MemoryLink::Join(peer, here);
    } else {
      game.SetNetSwitches(true, server, false);
    }
    ++data;
    --size;
  }
  FrameDecoder decoder;
  const FrameDecoder::Result result =
      decoder.Feed(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
  for (const Message& message : result.Messages) {
    if (connected && peer.Connected()) {
      peer.Send(message);
      here.DeliverNow();
    } else {
      net.Events().LinkReceived(here, message);
    }
    CheckBoard(game);
  }
  return 0;
}
