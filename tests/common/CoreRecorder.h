#pragma once

// Test doubles for the game core, shared by every test suite that drives a Game:
// - CoreRecorder: a GameView and Dialogs in one, writing each effect as one readable line into
//   Effects, so a test can assert on the exact order of everything the rules did;
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
#include "game/GameView.h"
#include "game/Random.h"
#include "net/Message.h"
#include "stages/Stages.h"

namespace vextal::testing {

inline QString MenuItemName(MenuItem item) {
  switch (item) {
    case MenuItem::EnableAI:
      return QStringLiteral("EnableAI");
    case MenuItem::EnableDemo:
      return QStringLiteral("EnableDemo");
    case MenuItem::Reset:
      return QStringLiteral("Reset");
    case MenuItem::Server:
      return QStringLiteral("Server");
    case MenuItem::Client:
      return QStringLiteral("Client");
    case MenuItem::Disconnect:
      return QStringLiteral("Disconnect");
    case MenuItem::Synchronize:
      return QStringLiteral("Synchronize");
  }
  return QStringLiteral("?");
}

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

// Records every effect of the core, in order, as one line each:
//   "draw", "log:<text>", "wave:<file>", "panel:<bold player>|<sum 1>|<sum 2>",
//   "names:<name 1>|<name 2>", "menu:<item>=0/1", "check:<item>=0/1", "chat:<line>" (own lines
//   with "> "), "box:<icon>|<title>|<text>" (plus "|YesNoCancel" when asked),
//   "input:<title>|<prompt>|<default>", and the game's events: "moved:<mover>,<column>,<row>"
//   (",peer" for a replayed move), "newgame" ("newgame:end" at a game end), "result:open" and
//   "result:closed" around the result box.
// PlayWave with an empty name plays nothing, so it records nothing.
class CoreRecorder final : public GameView, public Dialogs {
 public:
  QStringList Effects;

  // Raw copies for checks the text form leaves out.
  PlayerPanel LastPanel;
  std::map<MenuItem, bool> Enabled;
  std::map<MenuItem, bool> Checked;
  int BoxCount = 0;

  // Answers for the next boxes and input boxes, used in order; afterwards Ok and DefaultInput.
  std::deque<BoxAnswer> BoxAnswers;
  std::deque<QString> InputAnswers;
  QString DefaultInput;
  // Runs while a box is "open", after it is recorded: lets a test act inside the modal box.
  std::function<void()> WhileBoxOpen;

  // The effects so far, leaving the record empty.
  QStringList Take() {
    QStringList taken = Effects;
    Effects.clear();
    return taken;
  }
  void Clear() { Take(); }

  // --- GameView ------------------------------------------------------------------------------
  void DrawBoard() override { Effects << QStringLiteral("draw"); }
  void AddLog(const QString& message) override { Effects << QStringLiteral("log:") + message; }
  void PlayWave(const QString& fileName) override {
    if (!fileName.isEmpty()) {
      Effects << QStringLiteral("wave:") + fileName;
    }
  }
  void MoveMade(Player mover, int column, int row, bool local) override {
    Effects << QStringLiteral("moved:%1,%2,%3%4")
                   .arg(mover)
                   .arg(column)
                   .arg(row)
                   .arg(local ? QString() : QStringLiteral(",peer"));
  }
  void NewGameStarted(bool atGameEnd) override {
    Effects << (atGameEnd ? QStringLiteral("newgame:end") : QStringLiteral("newgame"));
  }
  void ResultBoxOpen(bool open) override {
    Effects << (open ? QStringLiteral("result:open") : QStringLiteral("result:closed"));
  }
  void ShowPlayerPanel(const PlayerPanel& panel) override {
    LastPanel = panel;
    const int bold = panel.Bold1 ? 1 : panel.Bold2 ? 2 : 0;
    Effects << QStringLiteral("panel:%1|%2|%3").arg(bold).arg(panel.Sum1, panel.Sum2);
  }
  void ShowPlayerNames(const QString& name1, const QString& name2) override {
    Effects << QStringLiteral("names:%1|%2").arg(name1, name2);
  }
  void SetMenuEnabled(MenuItem item, bool enabled) override {
    Enabled[item] = enabled;
    Effects << QStringLiteral("menu:%1=%2").arg(MenuItemName(item)).arg(enabled ? 1 : 0);
  }
  void SetMenuChecked(MenuItem item, bool checked) override {
    Checked[item] = checked;
    Effects << QStringLiteral("check:%1=%2").arg(MenuItemName(item)).arg(checked ? 1 : 0);
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
  Game game{rec, rec, clock, random};

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
  // The pixel at the centre of grid point (column, row) on the board picture.
  static int PixelOf(int index) { return 50 * index + 15; }
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
