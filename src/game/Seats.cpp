#include "game/Seats.h"

namespace vextal {

namespace {

const PersonPlayer kPerson;
const CpuPlayer kCpu;
const PeerPlayer kPeer;

template <typename Plays>
bool SeatPlays(const Seats& seats, Player toMove, Plays plays) {
  if (toMove == 1 || toMove == 2) {
    return plays(*seats.Players[toMove - 1]);
  }
  return plays(*seats.Players[0]) && plays(*seats.Players[1]);
}

}  // namespace

Seats Seats::Of(Mode mode, bool netServer) {
  switch (mode) {
    case Mode::Network:
      return netServer
                 ? Seats{{&kPerson, &kPeer}, QStringLiteral("Server"), QStringLiteral("Client")}
                 : Seats{{&kPeer, &kPerson}, QStringLiteral("Server"), QStringLiteral("Client")};
    case Mode::TwoPersons:
      return {{&kPerson, &kPerson}, QStringLiteral("Player 1"), QStringLiteral("Player 2")};
    case Mode::Demo:
      return {{&kCpu, &kCpu}, QStringLiteral("CPU 1"), QStringLiteral("CPU 2")};
    case Mode::PersonAgainstCpu:
      break;
  }
  return {{&kPerson, &kCpu}, QStringLiteral("Player"), QStringLiteral("CPU")};
}

bool Seats::ClickMayPlay(Player toMove) const {
  return SeatPlays(*this, toMove, [](const SeatPlayer& p) { return p.PlaysByClick(); });
}

bool Seats::CpuMayPlay(Player toMove) const {
  return SeatPlays(*this, toMove, [](const SeatPlayer& p) { return p.PlaysOnTick(); });
}

}  // namespace vextal
