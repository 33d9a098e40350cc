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
      return netServer ? Seats{{&kPerson, &kPeer}} : Seats{{&kPeer, &kPerson}};
    case Mode::TwoPersons:
      return {{&kPerson, &kPerson}};
    case Mode::Demo:
      return {{&kCpu, &kCpu}};
    case Mode::CpuAgainstPerson:
      return {{&kCpu, &kPerson}};
    case Mode::PersonAgainstCpu:
      break;
  }
  return {{&kPerson, &kCpu}};
}

bool Seats::ClickMayPlay(Player toMove) const {
  return SeatPlays(*this, toMove, [](const SeatPlayer& p) { return p.PlaysByClick(); });
}

bool Seats::CpuMayPlay(Player toMove) const {
  return SeatPlays(*this, toMove, [](const SeatPlayer& p) { return p.PlaysOnTick(); });
}

}  // namespace vextal
