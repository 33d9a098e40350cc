// The game record in the window: the list follows the game, a selected move shows its position
// read-only until Escape, a game is saved and opened again, a damaged file changes nothing.

#include <algorithm>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>

#include "game/GameAnalysis.h"
#include "game/Rules.h"
#include "shell/Front.h"
#include "shell/ShellSettings.h"
#include "shell/WindowFakes.h"
#include "shell/frmRecord.h"
#include "stages/Stages.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

void PlayFirstLegal(Game& game) {
  for (int c = 1; c <= game.NodesW(); ++c) {
    for (int r = 1; r <= game.NodesH(); ++r) {
      if (game.IsLegalMove(c, r, game.ActPlayer())) {
        game.PlayCell(c, r);
        return;
      }
    }
  }
}

// Stage 1 with `opening` moves played as the start, then played on to its end, each side
// taking the last legal node: a whole game the analysis proves in a moment.
RecordedGame LateGame(int opening) {
  SeededRandom random{1};
  RecordedGame game;
  Board board = BuildStage(1, random);
  Player toMove = 1;
  for (int ply = 0; HasLegalMove(board, toMove); ++ply) {
    if (ply == opening) {
      game.Start = board;
      game.FirstToMove = toMove;
    }
    Cell cell{};
    for (int c = 1; c <= board.NodesW(); ++c) {
      for (int r = 1; r <= board.NodesH(); ++r) {
        if (IsLegalMove(board, c, r, toMove)) {
          cell = Cell{c, r};
        }
      }
    }
    const MoveOutcome outcome = ApplyMove(board, cell.Column, cell.Row, toMove);
    if (ply >= opening) {
      const Tally tally = CountScores(board);
      game.Moves.push_back(RecordedMove{toMove, cell.Column, cell.Row, outcome, MoveSource::Person,
                                        tally.Score(1), tally.Score(2)});
    }
    toMove = Player(3 - toMove);
  }
  game.Finished = true;
  return game;
}

}  // namespace

class WindowRecordTest : public QObject {
  Q_OBJECT

 private slots:
  void theListFollowsAndAViewIsReadOnly() {
    WindowRig rig;
    Game& game = rig.window->game();
    rig.window->mnuSetup_Click(1);
    for (int i = 0; i < 3; ++i) {
      PlayFirstLegal(game);
    }
    rig.Item("mnuGameRecord")->trigger();
    frmRecord* record = rig.window->RecordWindow();
    QVERIFY(record && record->isVisible());
    auto* moves = record->findChild<QListWidget*>(QStringLiteral("lstMoves"));
    QCOMPARE(moves->count(), 4);  // the start and three moves
    PlayFirstLegal(game);
    QCOMPARE(moves->count(), 5);
    QVERIFY(moves->item(4)->text().startsWith(QStringLiteral("4. Player")));

    moves->setCurrentRow(1);
    QVERIFY(rig.window->ViewedPosition().has_value());
    auto* version = rig.Find<QLabel>("lblVersion");
    QVERIFY(version->isHidden());  // the banner across the top is not to be read through it
    QVERIFY(rig.window->ViewedPosition()->Nodes == rig.window->record().Current().At(1).Nodes);
    // A click on the board while an earlier position is shown plays nothing.
    const Board live = game.Nodes();
    for (int c = 1; c <= 5; ++c) {
      for (int r = 1; r <= 4; ++r) {
        rig.window->Front_MouseDown(Qt::LeftButton, 50 * c + 5, 50 * r + 5);
      }
    }
    QVERIFY(game.Nodes() == live);
    record->findChild<QPushButton*>(QStringLiteral("cmdForward"))->click();
    QVERIFY(rig.window->ViewedPosition()->Nodes == rig.window->record().Current().At(2).Nodes);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(record, &escape);
    QVERIFY(!rig.window->ViewedPosition().has_value());
    QVERIFY(!version->isHidden());

    // Play from here: the position of move 2 becomes the game, the record follows.
    moves->setCurrentRow(2);
    record->findChild<QPushButton*>(QStringLiteral("cmdPlayFrom"))->click();
    QVERIFY(!rig.window->ViewedPosition().has_value());
    QCOMPARE(rig.window->record().Current().Plies(), 2);
    QVERIFY(game.CanUndo());

    // Played to its end, the game stays in the window as the finished game.
    for (int i = 0; i < 40 && !rig.window->record().LastFinished(); ++i) {
      PlayFirstLegal(game);
    }
    QVERIFY(rig.window->record().LastFinished().has_value());
    auto* source = record->findChild<QComboBox*>(QStringLiteral("cmbSource"));
    QCOMPARE(source->currentIndex(), 1);
    QCOMPARE(moves->count(), rig.window->record().LastFinished()->Plies() + 1);

    // Opened again just after a game that ended out of its sight, it shows that game, not the
    // next one's first move; once the next game is under way, the live game.
    source->setCurrentIndex(0);
    record->hide();
    rig.Item("mnuGameRecord")->trigger();
    QCOMPARE(source->currentIndex(), 1);
    source->setCurrentIndex(0);
    record->hide();
    PlayFirstLegal(game);
    PlayFirstLegal(game);
    rig.Item("mnuGameRecord")->trigger();
    QCOMPARE(source->currentIndex(), 0);
  }

  void savedGamesOpenAgainAndDamagedOnesChangeNothing() {
    WindowRig rig;
    Game& game = rig.window->game();
    rig.window->mnuSetup_Click(2);
    for (int i = 0; i < 5; ++i) {
      PlayFirstLegal(game);
    }
    const RecordedGame played = rig.window->record().Current();
    rig.dialogs.fileAnswer = rig.folder.filePath(QStringLiteral("game"));
    rig.Item("mnuSaveGame")->trigger();
    const QString saved = rig.folder.filePath(QStringLiteral("game.vextal"));
    QVERIFY(QFile::exists(saved));
    // The next dialog opens in the folder the game went to.
    rig.dialogs.fileAnswer.clear();
    rig.Item("mnuOpenGame")->trigger();
    QCOMPARE(QDir(rig.dialogs.fileOffered), QDir(rig.folder.path()));

    QFile broken(rig.folder.filePath(QStringLiteral("broken.vextal")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    QFile good(saved);
    QVERIFY(good.open(QIODevice::ReadOnly));
    broken.write(good.readAll().replace(";W[", ";B["));
    broken.close();
    const Board live = game.Nodes();
    QVERIFY(!rig.window->OpenGameFile(broken.fileName()));
    QCOMPARE(rig.dialogs.boxes.size(), 1);
    QVERIFY(rig.dialogs.boxes[0].text.contains(QStringLiteral("Line ")));
    QVERIFY(game.Nodes() == live);
    QCOMPARE(rig.window->record().Current().Moves, played.Moves);

    rig.dialogs.fileAnswer = saved;
    rig.Item("mnuOpenGame")->trigger();
    frmRecord* record = rig.window->RecordWindow();
    QVERIFY(record && record->isVisible());
    QCOMPARE(record->Shown().Plies(), 5);
    QVERIFY(record->Shown().At(5).Nodes == played.At(5).Nodes);
    QVERIFY(game.Nodes() == live);  // opening only shows the game
  }

  // Try again from the move the analysis shows first: the window says what is to be kept in
  // the words the value needs (a win, a draw, a loss held to its least), then whether the
  // person's move kept it.
  void tryAgainSaysWhetherTheMoveKeepsTheValue() {
    const RecordedGame late = LateGame(12);
    const std::atomic<bool> never{false};
    AnalysisSettings unclocked;
    unclocked.TotalTime = unclocked.KeepingTime = unclocked.OutcomeTime = std::chrono::hours(1);
    const GameAnalysis truth = AnalyseGame(late, nullptr, unclocked, never);
    // The window goes to the first move that lost the win or the draw, or else the first that
    // lost part of a margin.
    auto lost = std::find_if(truth.Moves.begin(), truth.Moves.end(), [](const MoveVerdict& m) {
      return m.Judgement == MoveJudgement::Lost && ((m.Before.Lower > 0 && m.After.Upper <= 0) ||
                                                    (m.Before.Lower == 0 && m.After.Upper < 0));
    });
    if (lost == truth.Moves.end()) {
      lost = std::find_if(truth.Moves.begin(), truth.Moves.end(),
                          [](const MoveVerdict& m) { return m.Judgement == MoveJudgement::Lost; });
    }
    QVERIFY(lost != truth.Moves.end());
    QVERIFY(lost->KeepingComplete && !lost->Keeping.empty());
    const int index = int(lost - truth.Moves.begin());
    const int value = lost->Before.Lower;

    WindowRig rig;
    Game& game = rig.window->game();
    rig.Item("mnuGameRecord")->trigger();
    frmRecord* record = rig.window->RecordWindow();
    // "Opened game" is offered once there is one.
    const auto* sources =
        qobject_cast<QStandardItemModel*>(record->findChild<QComboBox*>("cmbSource")->model());
    QVERIFY(!sources->item(2)->isEnabled());
    record->ShowOpened(late, QStringLiteral("late.vextal"));
    QVERIFY(sources->item(2)->isEnabled());
    record->findChild<QPushButton*>(QStringLiteral("cmdAnalyse"))->click();
    auto* tryAgain = record->findChild<QPushButton*>(QStringLiteral("cmdTryAgain"));
    // What is proven shows as it comes; once all is, the window is at the first move that lost.
    QTRY_VERIFY_WITH_TIMEOUT(
        !record->findChild<QProgressBar*>(QStringLiteral("prgAnalysis"))->isVisible(), 60'000);
    QVERIFY(tryAgain->isEnabled());
    const QListWidget* moves = record->findChild<QListWidget*>(QStringLiteral("lstMoves"));
    QCOMPARE(moves->currentRow(), index + 1);
    // Proven to the margin, a lost win or draw is still called so in the list.
    if (lost->Before.Exact() && lost->After.Exact() && lost->Before.Lower >= 0 &&
        lost->After.Upper < (lost->Before.Lower > 0 ? 1 : 0)) {
      QVERIFY2(moves->item(index + 1)->text().endsWith(lost->Before.Lower > 0
                                                           ? QStringLiteral("lost the win")
                                                           : QStringLiteral("lost the draw")),
               qPrintable(moves->item(index + 1)->text()));
    }
    tryAgain->click();
    auto* verdict = record->findChild<QLabel*>(QStringLiteral("lblVerdict"));
    const QString goal = value > 0    ? QStringLiteral("keeps your win by %1").arg(value)
                         : value == 0 ? QStringLiteral("keeps the draw")
                                      : QStringLiteral("loses by no more than %1").arg(-value);
    QVERIFY2(verdict->text().contains(goal), qPrintable(verdict->text()));
    QCOMPARE(game.ActPlayer(), Player(1));  // the person plays player 1 against Perfect
    QVERIFY(game.CpuOn());
    QCOMPARE(game.GetCpuLevel(), CpuLevel::Perfect);
    {  // for this trial only: the saved opponent is still the default one
      const ShellSettings saved(rig.folder.filePath(QStringLiteral("Vextal.conf")));
      QVERIFY(!saved.CpuPlayer());
      QCOMPARE(saved.CpuStrength(), CpuLevel::Classic);
    }

    // A move that does not keep it, taken back; then one that does.
    std::optional<Cell> wrong;
    for (int c = 1; c <= game.NodesW(); ++c) {
      for (int r = 1; r <= game.NodesH(); ++r) {
        if (game.IsLegalMove(c, r, 1) && std::find(lost->Keeping.begin(), lost->Keeping.end(),
                                                   Cell{c, r}) == lost->Keeping.end()) {
          wrong = Cell{c, r};
        }
      }
    }
    if (wrong) {
      game.PlayCell(wrong->Column, wrong->Row);
      QVERIFY2(verdict->text().contains(value < 0 ? QStringLiteral("loses by more than")
                                                  : QStringLiteral("does not keep")),
               qPrintable(verdict->text()));
      QVERIFY(game.Undo());
    }
    game.PlayCell(lost->Keeping[0].Column, lost->Keeping[0].Row);
    QVERIFY2(verdict->text().startsWith(QStringLiteral("Found it: ")), qPrintable(verdict->text()));
  }
};

QTEST_MAIN(WindowRecordTest)
#include "test_window_record.moc"
