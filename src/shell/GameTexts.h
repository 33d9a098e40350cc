#pragma once

#include <utility>

#include <QString>

#include "game/Dialogs.h"
#include "game/GameEvents.h"
#include "game/Rules.h"
#include "game/Seats.h"

namespace vextal {

// What a person reads and hears of the game's events: seat captions, the sums of the player row,
// the announcement of a result and the sound of a move. Built from the events' numbers here, in
// the shell, so every text can be translated.

// The captions of the two seats in a mode.
std::pair<QString, QString> SeatNames(Mode mode);

// "nodes + links = score", as the sum labels read.
QString SumText(std::int32_t nodes, std::int32_t links);

// How a finished game is announced: the log line, the sound, then the box.
struct ResultAnnouncement {
  QString LogLine;
  QString Sound;
  BoxIcon Icon = BoxIcon::Information;
  QString Title;
  QString Text;
};
ResultAnnouncement AnnounceResult(const GameResult& result);

// The wav a move attempt plays, or an empty name: the CPU's refusals are never heard, and the
// last move of a game is heard as the result's sound instead.
QString MoveSound(const MoveReport& move);

// The wav of a new game being shown.
QString NewGameSound();
// The log line of a new game being shown.
QString NewGameLogLine();

}  // namespace vextal
