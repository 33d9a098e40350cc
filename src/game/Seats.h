#pragma once

#include <array>

#include "game/Node.h"

namespace vextal {

// Who sits in the two seats, decided from the switches (the first that applies wins). The
// captions of the seats follow from the mode; the shell words them.
enum class Mode {
  Network,           // the host is player 1, the connecting side player 2
  TwoPersons,        // two people at one machine
  Demo,              // the CPU plays both seats
  PersonAgainstCpu,  // the person is player 1, the CPU player 2
  // The CPU is player 1, the person player 2: a person who played the connecting side of a
  // network game keeps that seat when the game falls back to local play.
  CpuAgainstPerson,
};

// One seat's player: a person at this machine plays by clicks (and keys), the CPU on the timer's
// ticks, the peer over the network by its move messages.
class SeatPlayer {
 public:
  virtual ~SeatPlayer() = default;
  virtual bool PlaysByClick() const { return false; }
  virtual bool PlaysOnTick() const { return false; }
};

class PersonPlayer final : public SeatPlayer {
 public:
  bool PlaysByClick() const override { return true; }
};

// How it chooses its moves is the game's CPU level (CpuStrategy).
class CpuPlayer final : public SeatPlayer {
 public:
  bool PlaysOnTick() const override { return true; }
};

class PeerPlayer final : public SeatPlayer {};

// The two seats of a mode.
struct Seats {
  std::array<const SeatPlayer*, 2> Players{};

  // The seats of a mode; in a network game this side (host or not) is the person.
  static Seats Of(Mode mode, bool netServer);

  // The player of seat 1 or 2. Before the first game nobody is to move (0): a seat plays then
  // only if both seats play the same way.
  bool ClickMayPlay(Player toMove) const;
  bool CpuMayPlay(Player toMove) const;
};

}  // namespace vextal
