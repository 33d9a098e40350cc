#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "game/RecordedGame.h"

namespace vextal {

// Saved games: SGF (FF[4]) text with the game named in GM, described in docs/RECORD_FORMAT.md.
// The root node carries the board (SZ, the stage XS, the nodes XN of a layout that is not a fixed
// stage, a start position's owners AB/AW and expansions XE), the players, the date, the result and
// the first player to move; then one node per move. A file is untrusted: it is read whole into a
// fresh game or refused with a reason naming its line, never half taken.

inline constexpr qsizetype kMaxRecordFileBytes = 256 * 1024;
inline constexpr const char* kRecordFileSuffix = "vextal";
inline constexpr const char* kRecordMimeType = "application/x-vextal-game";

// The stage whose layout `board` has (1 to 6), or the random stage (7) for any other layout.
int StageOfLayout(const Board& board);

// The names written for the seats of a game played here (a file's own names win).
QString SeatName(const RecordedGame& game, Player player);

QByteArray WriteRecordFile(const RecordedGame& game);

struct RecordFileRead {
  RecordedGame Game;
  int Stage = 0;
};
// The game in `bytes`, or nothing with the reason in `error` ("Line 3: ...").
std::optional<RecordFileRead> ReadRecordFile(const QByteArray& bytes, QString& error);

}  // namespace vextal
