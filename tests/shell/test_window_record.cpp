// The game record in the window: the list follows the game, a selected move shows its position
// read-only until Escape, a game is saved and opened again, a damaged file changes nothing.

#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "game/Rules.h"
#include "shell/Front.h"
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

    // Play from here: the position of move 2 becomes the game, the record follows.
    moves->setCurrentRow(2);
    record->findChild<QPushButton*>(QStringLiteral("cmdPlayFrom"))->click();
    QVERIFY(!rig.window->ViewedPosition().has_value());
    QCOMPARE(rig.window->record().Current().Plies(), 2);
    QVERIFY(game.CanUndo());
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
};

QTEST_MAIN(WindowRecordTest)
#include "test_window_record.moc"
