// The record of the game, built from the game's events: through undo, a game's end, a new game,
// playing on from an earlier position, and on both sides of a network game.

#include <QTest>

#include "common/CoreRecorder.h"
#include "game/GameRecord.h"
#include "game/Rules.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

const QDate kDay(2026, 12, 9);

// The first legal cell in column order, or nothing.
std::optional<Cell> FirstLegal(const Board& board, Player player) {
  for (int c = 1; c <= board.NodesW(); ++c) {
    for (int r = 1; r <= board.NodesH(); ++r) {
      if (IsLegalMove(board, c, r, player)) {
        return Cell{c, r};
      }
    }
  }
  return std::nullopt;
}

// The record replays to the game's own position, and every move's scores are the board's.
void CheckReplays(const RecordedGame& record, const Game& game) {
  const Position end = record.At(record.Plies());
  QVERIFY(end.Nodes == game.Nodes());
  QCOMPARE(end.ActPlayer, game.ActPlayer());
  for (int i = 1; i <= record.Plies(); ++i) {
    const Tally tally = CountScores(record.At(i).Nodes);
    QCOMPARE(record.Moves[std::size_t(i - 1)].Score1, tally.Score(1));
    QCOMPARE(record.Moves[std::size_t(i - 1)].Score2, tally.Score(2));
  }
}

}  // namespace

class GameRecordTest : public CoreRigTest {
  Q_OBJECT

 private slots:
  void undoLeavesTheRecordAndAGameEndKeepsIt() {
    rig->Place(MakeBoard({"XXXXX", "XXXXX", "XXXXX", "XXXXX"}), 1);
    GameRecord record(game(), [] { return kDay; });
    QVERIFY(!game().DoMove(9, 9, MoveSource::Person));  // no node: nothing recorded
    for (int i = 0; i < 4; ++i) {
      const auto cell = FirstLegal(game().Nodes(), game().ActPlayer());
      QVERIFY(game().DoMove(cell->Column, cell->Row, MoveSource::Person));
    }
    // A refused attempt (an opponent's node) is no move of the record.
    QVERIFY(!game().DoMove(1, 1, MoveSource::Person));
    QCOMPARE(record.Current().Plies(), 4);
    CheckReplays(record.Current(), game());
    QVERIFY(game().Undo());
    QCOMPARE(record.Current().Plies(), 3);
    CheckReplays(record.Current(), game());
    // Against the CPU an undo takes back the CPU's answer too.
    game().ToggleCpuPlayer();
    QVERIFY(game().Undo());
    QCOMPARE(record.Current().Plies(), 2);
    CheckReplays(record.Current(), game());
    game().ToggleCpuPlayer();
    // Played to the end: the finished game moves to the last finished one, whole.
    int made = record.Current().Plies();
    while (!record.LastFinished()) {
      const auto cell = FirstLegal(game().Nodes(), game().ActPlayer());
      QVERIFY(cell && game().DoMove(cell->Column, cell->Row, MoveSource::Person));
      ++made;
    }
    const RecordedGame finished = *record.LastFinished();
    QVERIFY(finished.Finished);
    QCOMPARE(finished.Plies(), made);
    QCOMPARE(finished.Date, kDay);
    const Position end = finished.At(finished.Plies());
    QVERIFY(!HasLegalMove(end.Nodes, end.ActPlayer));
    QCOMPARE(record.Current().Plies(), 0);
    QVERIFY(record.Current().Start == game().Nodes());
    // A new game keeps the last finished game and starts an empty record.
    QVERIFY(game().DoMove(1, 1, MoveSource::Person));
    game().NewGame();
    QCOMPARE(record.Current().Plies(), 0);
    QCOMPARE(record.LastFinished()->Moves, finished.Moves);
  }

  void bothSidesOfANetworkGameRecordTheSameMoves() {
    CoreRig host;
    CoreRig guest;
    GameRecord hostRecord(host.game);
    GameRecord guestRecord(guest.game);
    const Board stage = MakeBoard({"--XXX", "XXX-X", "X-XXX", "XXX--"});
    host.Place(stage, 1);
    guest.Place(stage, 1);
    host.SetNet(true, true, true);
    guest.SetNet(true, false, true);
    // Each side's own moves reach the other as the peer's.
    for (CoreRig* from : {&host, &guest}) {
      CoreRig* to = from == &host ? &guest : &host;
      QObject::connect(&from->game, &Game::MovePlayed, [to](const MoveReport& move) {
        if (move.By != MoveSource::Peer && move.Made()) {
          to->PlayAs(move.Mover, move.Column, move.Row);
        }
      });
    }
    for (int i = 0; i < 5; ++i) {
      CoreRig& side = host.game.ActPlayer() == 1 ? host : guest;
      const auto cell = FirstLegal(side.game.Nodes(), side.game.ActPlayer());
      QVERIFY(side.game.DoMove(cell->Column, cell->Row, MoveSource::Person));
    }
    QCOMPARE(hostRecord.Current().Plies(), 5);
    QCOMPARE(guestRecord.Current().Plies(), 5);
    for (int i = 0; i < 5; ++i) {
      const RecordedMove& a = hostRecord.Current().Moves[std::size_t(i)];
      const RecordedMove& b = guestRecord.Current().Moves[std::size_t(i)];
      QVERIFY(a.Mover == b.Mover && a.Column == b.Column && a.Row == b.Row &&
              a.Outcome == b.Outcome && a.Score1 == b.Score1 && a.Score2 == b.Score2);
      QVERIFY(a.By != b.By);  // one side's own move is the other's peer move
    }
    CheckReplays(guestRecord.Current(), guest.game);
    // The host's board again (a synchronisation) keeps the record; another board starts anew.
    guest.game.LoadBoard(host.game.Nodes(), host.game.ActPlayer());
    QCOMPARE(guestRecord.Current().Plies(), 5);
    Board other = host.game.Nodes();
    const Cell first{hostRecord.Current().Moves[0].Column, hostRecord.Current().Moves[0].Row};
    ClearPlay(other(first.Column, first.Row));
    guest.game.LoadBoard(other, 2);
    QCOMPARE(guestRecord.Current().Plies(), 0);
    QVERIFY(guestRecord.Current().Start == other);
    QCOMPARE(guestRecord.Current().FirstToMove, Player(2));
    QVERIFY(guest.PlayAs(2, first.Column, first.Row));
    CheckReplays(guestRecord.Current(), guest.game);
    // Playing on from a position is local play only.
    QVERIFY(!guestRecord.PlayFrom(guestRecord.Current(), 0));
  }

  void playFromHereBecomesUndoHistory() {
    rig->Place(MakeBoard({"XXXXX", "XXXXX", "XXXXX", "XXXXX"}), 2);
    GameRecord record(game());
    for (int i = 0; i < 6; ++i) {
      const auto cell = FirstLegal(game().Nodes(), game().ActPlayer());
      QVERIFY(game().DoMove(cell->Column, cell->Row, MoveSource::Person));
    }
    const RecordedGame six = record.Current();
    QVERIFY(record.PlayFrom(six, 4));
    QCOMPARE(record.Current().Plies(), 4);
    QVERIFY(game().Nodes() == six.At(4).Nodes);
    QCOMPARE(game().ActPlayer(), six.At(4).ActPlayer);
    QVERIFY(game().ShownLastMove() == six.At(4).LastMove);
    for (int ply = 3; ply >= 0; --ply) {
      QVERIFY(game().Undo());
      QVERIFY(game().Nodes() == six.At(ply).Nodes);
      QCOMPARE(record.Current().Plies(), ply);
    }
    QVERIFY(!game().CanUndo());
    // A finished game's last position has no move left: nobody could play on from it.
    RecordedGame over = six;
    while (HasLegalMove(over.At(over.Plies()).Nodes, over.ToMoveAt(over.Plies()))) {
      const Position at = over.At(over.Plies());
      const auto cell = FirstLegal(at.Nodes, at.ActPlayer);
      over.Moves.push_back(RecordedMove{at.ActPlayer, cell->Column, cell->Row});
    }
    const Board before = game().Nodes();
    QVERIFY(!record.PlayFrom(over, over.Plies()));
    QVERIFY(game().Nodes() == before);
    QVERIFY(record.PlayFrom(over, over.Plies() - 1));
  }
};

QTEST_GUILESS_MAIN(GameRecordTest)
#include "test_game_record.moc"
