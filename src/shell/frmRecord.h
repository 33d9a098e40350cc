#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QWidget>

#include "game/Dialogs.h"
#include "game/Game.h"
#include "game/GameAnalyser.h"
#include "game/GameRecord.h"

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace vextal {

class ValueChart;

// The "Game record" window: the moves of the current game, the last finished one or a game
// opened from a file, listed with their numbers and kept up to date. Selecting a move shows that
// position on the main board, read-only (Escape goes back to the live game); the game can be
// played on from there, analysed exactly off the user-interface thread, and a lost position tried
// again against Perfect.
class frmRecord final : public QWidget {
  Q_OBJECT

 public:
  // What the window asks of the main window.
  struct Hooks {
    // Shows a recorded position on the board with a caption saying so; nothing: the live game.
    std::function<void(const std::optional<Position>&, const QString&)> ShowView;
    // Turns the CPU on at the Perfect level, the person playing player 1.
    std::function<void()> PlayAgainstPerfect;
    std::function<void(const QString&)> Log;
  };

  frmRecord(Game& game, GameRecord& record, Dialogs& dialogs, Hooks hooks,
            QWidget* parent = nullptr);
  ~frmRecord() override;

  // Shows a game read from a file (already checked), named by its file.
  void ShowOpened(const RecordedGame& game, const QString& name);
  // About to be shown: right after a game ended, with the next one no further than its first
  // move, the finished game is what the player comes to look at.
  void PreferFinishedGame();
  // The game the window shows, as Save writes it.
  const RecordedGame& Shown() const;
  // Back to the live game on the board; the list keeps its place.
  void ShowLive();
  bool Viewing() const { return viewPly_ >= 0; }

  // A cell as the record names it: the column's letter, the row's number ("c2").
  static QString CellName(int column, int row);
  // "a win by 3", "a draw", "a loss by 1".
  static QString ValueText(int value);
  // A proven value, or "not proven (between … and …)".
  static QString ProvenText(const ProvenValue& value);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  enum class Source { Current, Last, Opened };

  void BuildControls();
  // Whether "Opened game" can be chosen: only once a game was opened.
  void OfferOpened(bool offered);
  static QString LiveGameText();
  void Refresh();
  void SelectPly(int ply);
  void ShowPly(int ply);
  void ShowVerdict();
  void UpdateButtons();
  void UpdateChart();
  // The verdict of move `index` of the shown game, if the analysis covers it.
  const MoveVerdict* VerdictOf(int index) const;
  QString MoveLine(int index) const;
  QString PlayerName(Player player) const;
  static QString LevelName(CpuLevel level);

  void PlayFromHere();
  void StartAnalysis();
  // Shows what the analysis has proven so far in the list, the chart and the verdict.
  void ShowAnalysed();
  void ShowRefutation();
  void TryAgain();
  void CheckTryAgain(const MoveReport& move);

  Game& game_;
  GameRecord& record_;
  Dialogs& dialogs_;
  Hooks hooks_;
  Source source_ = Source::Current;
  std::optional<RecordedGame> opened_;
  QString openedName_;
  int viewPly_ = -1;  // the position shown on the board, or -1 for the live game
  bool refreshing_ = false;

  // Threads of the analysis's solver. A helper thread sharing the table made it slower on a
  // busy 2-core machine (docs/STRENGTH.md), so there is none.
  static constexpr int kAnalysisThreads = 1;
  GameAnalyser analyser_;
  bool jumpToLoss_ = false;  // the analysis shows its first lost move until a move is chosen
  bool jumping_ = false;
  std::optional<GameAnalysis> analysis_;
  RecordedGame analysed_;  // the moves the analysis is of

  // A lost position being tried again: where, the moves that keep its value, and that value.
  struct Trial {
    int Ply = 0;
    std::vector<Cell> Keeping;
    int Value = 0;
    bool KeepingComplete = false;  // every other move was proven not to keep it
    bool Exact = true;             // Value is the position's value, not only a bound of it
  };
  std::optional<Trial> trial_;
  QString trialText_;  // the last message of a try again, shown while the live game is

  QComboBox* cmbSource = nullptr;
  QListWidget* lstMoves = nullptr;
  QLabel* lblVerdict = nullptr;
  QLabel* lblView = nullptr;
  ValueChart* chart = nullptr;
  QProgressBar* prgAnalysis = nullptr;
  QPushButton* cmdFirst = nullptr;
  QPushButton* cmdBack = nullptr;
  QPushButton* cmdForward = nullptr;
  QPushButton* cmdLast = nullptr;
  QPushButton* cmdLive = nullptr;
  QPushButton* cmdPlayFrom = nullptr;
  QPushButton* cmdAnalyse = nullptr;
  QPushButton* cmdRefutation = nullptr;
  QPushButton* cmdTryAgain = nullptr;
};

}  // namespace vextal
