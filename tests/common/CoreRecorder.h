#pragma once

// Test doubles for the game core, shared by every test suite that drives a Game:
// - CoreRecorder: records a game's events, and is a NetView and Dialogs too, writing each as one
//   readable line into Effects, so a test can assert on the exact order of everything reported;
// - FakeClock: a Clock whose time the test sets;
// - ScriptedRandom: a RandomSource that hands out queued values first, then seeded ones;
// - CoreRig: the four wired to one Game;
// - CoreRigTest: the base of a test class whose test functions each start from a fresh CoreRig;
// - MakeBoard: a 5 x 4 (or other) board from rows of 'X' and '-', with degrees computed.

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <random>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include "common/FakeClock.h"
#include "game/Board.h"
#include "game/Clock.h"
#include "game/Dialogs.h"
#include "game/Game.h"
#include "game/GameEvents.h"
#include "game/Random.h"
#include "net/Message.h"
#include "net/NetView.h"
#include "stages/Stages.h"

namespace vextal::testing {

inline QString BoxIconName(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::None:
      return QStringLiteral("None");
    case BoxIcon::Critical:
      return QStringLiteral("Critical");
    case BoxIcon::Question:
      return QStringLiteral("Question");
    case BoxIcon::Exclamation:
      return QStringLiteral("Exclamation");
    case BoxIcon::Information:
      return QStringLiteral("Information");
  }
  return QStringLiteral("?");
}

// One message item as text: printable ASCII as it is, anything else (a board snapshot) as its
// length, so "send:24,1,3,2" and "send:124,<183 bytes>" read naturally.
inline QString ItemText(QByteArrayView item) {
  for (const char ch : item) {
    if (ch < 0x20 || ch > 0x7E) {
      return QStringLiteral("<%1 bytes>").arg(item.size());
    }
  }
  return QString::fromLatin1(item);
}

inline QString MessageText(const Message& message) {
  QStringList items;
  for (const QByteArrayView item : message) {
    items << ItemText(item);
  }
  return items.join(QLatin1Char(','));
}

inline QString OutcomeName(MoveOutcome outcome) {
  switch (outcome) {
    case MoveOutcome::NoMove:
      return QStringLiteral("none");
    case MoveOutcome::Refused:
      return QStringLiteral("refused");
    case MoveOutcome::Claimed:
      return QStringLiteral("claimed");
    case MoveOutcome::Expanded:
      return QStringLiteral("expanded");
    case MoveOutcome::Neutralised:
      return QStringLiteral("neutralised");
  }
  return QStringLiteral("?");
}

// Records the game's events and what the network side shows, in order, as one line each:
//   the game's events: "moved:<mover>,<column>,<row>" for a move made here (",peer" for a
//   replayed one), "refused:<mover>,<column>,<row>" (",peer" / ",cpu"), "turn:<player to
//   move>|<sum 1>|<sum 2>" (sums as "nodes + links = score"), "newgame" ("newgame:end" at a game
//   end), "result:open" and "result:closed" around "ended:<score 1>/<score 2>", "newgame:shown",
//   "board" (a board replaced) and "seats" (the seat switches changed);
//   the network side's view: "draw", "log:<text>", "wave:<file>", "chat:<line>" (own lines with
//   "> ");
//   the boxes: "box:<icon>|<title>|<text>" (plus "|YesNoCancel" when asked),
//   "input:<title>|<prompt>|<default>".
// PlayWave with an empty name plays nothing, so it records nothing.
class CoreRecorder final : public NetView, public Dialogs {
 public:
  QStringList Effects;

  // Raw copies of the last events, for checks the text form leaves out.
  TurnReport LastTurn;
  MoveReport LastMove;  // Outcome NoMove until the first attempt
  GameResult LastResult;
  int GamesEnded = 0;
  int BoxCount = 0;

  // Answers for the next boxes and input boxes, used in order; afterwards Ok and DefaultInput.
  std::deque<BoxAnswer> BoxAnswers;
  std::deque<QString> InputAnswers;
  QString DefaultInput;
  // Runs while a box is "open", after it is recorded: lets a test act inside the modal box.
  std::function<void()> WhileBoxOpen;
  // Runs while a game's result is announced, after "ended" is recorded.
  std::function<void()> WhileResultShown;

  // The effects so far, leaving the record empty.
  QStringList Take() {
    QStringList taken = Effects;
    Effects.clear();
    return taken;
  }
  void Clear() { Take(); }

  // Records the game's events from now on.
  void Listen(Game& game) {
    QObject::connect(&game, &Game::MovePlayed, [this](const MoveReport& move) {
      LastMove = move;
      const QString by = move.By == MoveSource::Peer                  ? QStringLiteral(",peer")
                         : move.By == MoveSource::Cpu && !move.Made() ? QStringLiteral(",cpu")
                                                                      : QString();
      Effects << QStringLiteral("%1:%2,%3,%4%5")
                     .arg(move.Made() ? QStringLiteral("moved") : QStringLiteral("refused"))
                     .arg(move.Mover)
                     .arg(move.Column)
                     .arg(move.Row)
                     .arg(by);
    });
    QObject::connect(&game, &Game::TurnChanged, [this](const TurnReport& turn) {
      LastTurn = turn;
      const Tally& t = turn.Holdings;
      Effects << QStringLiteral("turn:%1|%2 + %3 = %4|%5 + %6 = %7")
                     .arg(turn.ToMove)
                     .arg(t.Nodes[1])
                     .arg(t.Links[1])
                     .arg(t.Score(1))
                     .arg(t.Nodes[2])
                     .arg(t.Links[2])
                     .arg(t.Score(2));
    });
    QObject::connect(&game, &Game::NewGameStarted, [this](bool atGameEnd) {
      Effects << (atGameEnd ? QStringLiteral("newgame:end") : QStringLiteral("newgame"));
    });
    QObject::connect(&game, &Game::GameEnded, [this](const GameResult& result) {
      LastResult = result;
      ++GamesEnded;
      Effects << QStringLiteral("ended:%1/%2").arg(result.Score1).arg(result.Score2);
      if (WhileResultShown) {
        WhileResultShown();
      }
    });
    QObject::connect(&game, &Game::ResultShownChanged, [this](bool showing) {
      Effects << (showing ? QStringLiteral("result:open") : QStringLiteral("result:closed"));
    });
    QObject::connect(&game, &Game::NewGameShown,
                     [this] { Effects << QStringLiteral("newgame:shown"); });
    QObject::connect(&game, &Game::BoardReplaced, [this] { Effects << QStringLiteral("board"); });
    QObject::connect(&game, &Game::SeatsChanged, [this] { Effects << QStringLiteral("seats"); });
  }

  // --- NetView -------------------------------------------------------------------------------
  void DrawBoard() override { Effects << QStringLiteral("draw"); }
  void AddLog(const QString& message) override { Effects << QStringLiteral("log:") + message; }
  void PlayWave(const QString& fileName) override {
    if (!fileName.isEmpty()) {
      Effects << QStringLiteral("wave:") + fileName;
    }
  }
  void AddChatLine(const QString& text, bool own) override {
    Effects << QStringLiteral("chat:") + (own ? QStringLiteral("> ") : QString()) + text;
  }

  // --- Dialogs -------------------------------------------------------------------------------
  BoxAnswer Message(BoxIcon icon, const QString& title, const QString& text,
                    BoxButtons buttons = BoxButtons::Ok) override {
    ++BoxCount;
    QString line = QStringLiteral("box:%1|%2|%3").arg(BoxIconName(icon), title, text);
    if (buttons == BoxButtons::YesNoCancel) {
      line += QStringLiteral("|YesNoCancel");
    }
    Effects << line;
    if (WhileBoxOpen) {
      WhileBoxOpen();
    }
    if (BoxAnswers.empty()) {
      return BoxAnswer::Ok;
    }
    const BoxAnswer answer = BoxAnswers.front();
    BoxAnswers.pop_front();
    return answer;
  }
  QString Input(const QString& title, const QString& prompt,
                const QString& defaultText = QString()) override {
    Effects << QStringLiteral("input:%1|%2|%3").arg(title, prompt, defaultText);
    if (InputAnswers.empty()) {
      return DefaultInput;
    }
    const QString answer = InputAnswers.front();
    InputAnswers.pop_front();
    return answer;
  }
};

// Queued values first, in order; once the queue is empty, a seeded generator.
class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::uint64_t seed = 12345) : engine_(seed) {}

  void Push(double value) { queue_.push_back(value); }
  void Push(std::initializer_list<double> values) {
    queue_.insert(queue_.end(), values.begin(), values.end());
  }
  std::size_t Remaining() const { return queue_.size(); }
  int Draws() const { return draws_; }

  double Uniform() override {
    ++draws_;
    if (!queue_.empty()) {
      const double value = queue_.front();
      queue_.pop_front();
      return value;
    }
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
  }

 private:
  std::deque<double> queue_;
  std::mt19937_64 engine_;
  int draws_ = 0;
};

// A board of rows.size() rows and rows[0].size() columns: 'X' puts a node at the point. Degrees
// are computed as stage setup does; nothing is owned or linked.
inline Board MakeBoard(const QStringList& rows) {
  const int h = int(rows.size());
  const int w = h > 0 ? int(rows[0].size()) : 0;
  Board board{std::uint8_t(w), std::uint8_t(h)};
  for (int r = 1; r <= h; ++r) {
    for (int c = 1; c <= w; ++c) {
      if (rows[r - 1][c - 1] == QLatin1Char('X')) {
        board(c, r).Exists = kTrue16;
      }
    }
  }
  ComputeDegrees(board);
  return board;
}

// A Game with its recorder, clock and random source. The game starts as the program does before
// its first stage: an empty board, nobody to move.
struct CoreRig {
  CoreRecorder rec;
  FakeClock clock;
  ScriptedRandom random;
  Game game{clock, random};

  CoreRig() { rec.Listen(game); }

  // Puts a board in place and makes `player` the one to move, without any effect recorded.
  void Place(const QStringList& rows, Player player = 1) { Place(MakeBoard(rows), player); }
  void Place(Board board, Player player) {
    game.LoadBoard(std::move(board), player);
    rec.Clear();
  }
  // Changes the board in place (owners, links), keeping the player to move.
  template <typename Edit>
  void EditBoard(Edit edit) {
    Board board = game.Nodes();
    edit(board);
    Place(std::move(board), game.ActPlayer());
  }
  // The three network switches, as a connection would leave them.
  void SetNet(bool mode, bool server, bool connected) {
    game.SetNetSwitches(mode, server, connected);
  }
  // Makes `player` the one to move, as a peer's move message does, and plays (column, row).
  bool PlayAs(Player player, int column, int row) {
    return game.ApplyPeerMove(player, column, row);
  }
};

// Qt Test runs init() and cleanup() around every test function, so no test sees another's game.
// A class that needs more set-up declares its own init() slot and calls CoreRigTest::init() first.
class CoreRigTest : public QObject {
  Q_OBJECT

 protected:
  std::unique_ptr<CoreRig> rig;
  Game& game() { return rig->game; }

 protected slots:
  void init() { rig = std::make_unique<CoreRig>(); }
  void cleanup() { rig.reset(); }
};

}  // namespace vextal::testing
