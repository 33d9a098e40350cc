#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include "game/Clock.h"
#include "game/Dialogs.h"
#include "game/Game.h"
#include "game/GameRecord.h"
#include "game/Random.h"
#include "net/GameDiscovery.h"
#include "net/NetGame.h"
#include "net/NetView.h"
#include "net/cSocket.h"
#include "net/xmpp/XmppGameLink.h"
#include "render/BoardPainter.h"
#include "shell/BoardCursor.h"
#include "shell/ChatLog.h"
#include "shell/CommandTable.h"
#include "shell/DesignLayout.h"
#include "shell/InternetAccount.h"
#include "shell/Pages.h"
#include "shell/PasswordStore.h"
#include "shell/ShellPaths.h"
#include "shell/ShellSettings.h"
#include "shell/UiLanguage.h"
#include "shell/mMusic.h"

class QFrame;
class QLabel;
class QPainter;
class QPlainTextEdit;
class QTimer;

namespace vextal {

class AboutBox;
class Front;
class frmAccount;
class frmFindGames;
class frmRecord;

// The program's main window: the board, the player row, the status line with its event log,
// and every menu command. It owns the game and shows what the game's events report: the log line,
// the sound and the result box of each, the player row, the captions and the menus.
//
// The collaborators are handed in and must outlive the window: the monotonic clock (move
// timing and the length of the run), the program's one random source, already seeded, and the
// modal boxes. The program passes SteadyClock, SeededRandom and QtDialogs; tests pass fakes.
// programFolder is where the "sound" and "music" folders are looked for; empty means the
// folder the program runs from; the Help pages' local copies are looked for there too, and reach
// the desktop through urlOpener (the desktop's own when none is handed in). settings is where the
// window keeps its choices between runs (read at start-up, written at every change); without it
// nothing is kept, so a test never reaches the user's own settings. Construction runs the whole
// start-up, up to and including the first game; the caller shows the window.
//
// The code is split by job: frmMain.cpp brings the window up and down, frmMainControls.cpp builds
// the controls, frmMainMenus.cpp holds the command table every menu entry is a row of,
// frmMainView.cpp shows what the game and the network side report, frmMainHandlers.cpp holds the
// event handlers and menu commands.
class frmMain final : public QMainWindow, public NetView {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 341;
  static constexpr int kClientHeight = 327;
  static constexpr int kTimerIntervalMs = 1000;
  static constexpr int kFarewellAfterSeconds = 120;  // a longer run ends with the farewell box

  frmMain(const Clock& clock, RandomSource& random, Dialogs& dialogs,
          const QString& programFolder = QString(), QWidget* parent = nullptr);
  frmMain(const Clock& clock, RandomSource& random, Dialogs& dialogs, ShellSettings& settings,
          const QString& programFolder = QString(), QWidget* parent = nullptr);
  // With the way the Help pages reach the desktop handed in as well (tests see the addresses).
  frmMain(const Clock& clock, RandomSource& random, Dialogs& dialogs, UrlOpener& urlOpener,
          const QString& programFolder = QString(), QWidget* parent = nullptr);
  ~frmMain() override;

  vextal::Game& game() { return game_; }
  const vextal::Game& game() const { return game_; }
  vextal::mMusic& music() { return music_; }
  // The network side: commands, connection events and the peer's messages.
  NetGame& net() { return net_; }
  cSocket& socket() { return NetSocket; }
  // Finding games on the local network, and announcing the one hosted here.
  GameDiscovery& discovery() { return discovery_; }
  // The list of games found on the network while it is open, else null.
  frmFindGames* FindGamesWindow() const;
  // Help → "About Vextal", null until it was first asked for.
  AboutBox* AboutWindow() const;
  // The version as the window shows it, "1.3+37".
  static QString VersionText();
  // The internet account, made at its first use; its window while it exists.
  InternetAccount& Account();
  frmAccount* AccountWindow() const;
  // The link of a game over the internet, made with the account.
  XmppGameLink& InternetGame();
  // Where the account's password is kept; the desktop's keyring unless a test hands in its own
  // before the account's first use.
  void SetPasswordStore(PasswordStore& store) { passwords_ = &store; }
  ChatLog& chat() { return chat_; }
  // The menus: every entry is a row of this table (frmMainMenus.cpp), found by its id.
  CommandTable& Commands();
  // The moves of the current and the last finished game, and their window (null until opened).
  GameRecord& record() { return record_; }
  frmRecord* RecordWindow() const;
  // Reads a saved game and shows it in the record window; a file that cannot be read is said
  // in a box and changes nothing. False when it was not shown.
  bool OpenGameFile(const QString& path);
  // A recorded position shown on the board instead of the live game, read-only, or nothing.
  const std::optional<Position>& ViewedPosition() const { return viewed_; }

  // The run so far in whole seconds, on the monotonic clock.
  std::int64_t RunSeconds() const;
  // The event log keeps its newest lines, so a peer that makes the program log again and again
  // cannot grow it without end; the status line always shows the newest.
  static constexpr int kMaxLogLines = 1000;
  // The event log, one line per message, oldest first, as its box shows it.
  QString LogText() const;

  // "Visual cues": a refused move is shown on the board even with sound, and free nodes blocked
  // for the player to move are marked. Kept in the settings.
  bool VisualCues() const { return visualCues_; }
  void SetVisualCues(bool on);
  // The players' colours, kept in the settings; on a first start the desktop's high-contrast
  // setting picks the high-contrast scheme.
  ColorScheme PlayerColors() const { return scheme_; }
  void SetPlayerColors(ColorScheme scheme);

  // --- NetView ---------------------------------------------------------------------------
  // The repaint after every message from the peer. One that changed nothing the game reports
  // (a chat line, a type this side does not know) only asks for the picture again, so a flood of
  // them costs no menu, frame or accessibility work.
  void DrawBoard() override;
  void AddLog(const QString& message) override;
  void PlayWave(const QString& fileName) override;
  void AddChatLine(const QString& text, bool own) override;

 public slots:
  // Events of the controls.
  void Front_MouseDown(Qt::MouseButton button, int x, int y);
  // An arrow key moves the keyboard's frame over the nodes; Space or Enter plays the framed one.
  void Front_KeyDown(int key);
  // Tab brought the keyboard to the board: its frame shows where the keys act.
  void Front_TabbedTo();
  // Assistive technology pressed the cell at (column, row): played as a click on it is.
  void Front_CellPressed(int column, int row);
  void tmrAI_Timer();
  void lblState_DblClick();
  void lblDonate_Click();

  // Menu commands.
  void mnuEnableAI_Click();
  void mnuEnableDemo_Click();
  void mnuCpuLevel_Click(CpuLevel level);
  void mnuUndo_Click();
  void mnuHint_Click();
  void mnuMarkLastMove_Click();
  void mnuVisualCues_Click();
  void mnuEnableSound_Click();
  void mnuPlayMusic_Click(int index);
  void mnuStopMusic_Click();
  void mnuRepeatMusic_Click();
  void mnuEffectsVolume_Click(int percent);
  void mnuMusicVolume_Click(int percent);
  void mnuSize_Click(WindowSize size);
  void mnuLanguage_Click(const QString& language);  // a code of BuiltLanguages(), or System
  void mnuExit_Click();
  void mnuClear_Click();
  void mnuSetup_Click(int index);
  void mnuShowChat_Click();
  void mnuServer_Click();
  void mnuClient_Click();
  void mnuFindGames_Click();
  void mnuInternetAccount_Click();
  void mnuInvite_Click();
  void mnuDisconnect_Click();
  void mnuSynchronize_Click();
  void mnuWebsite_Click();
  void mnuGuestbook_Click();
  void mnuUpdate_Click();
  void mnuPayPal_Click();
  void mnuHowTo_Click();
  void mnuAbout_Click();
  void mnuGameRecord_Click();
  void mnuSaveGame_Click();
  void mnuOpenGame_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A change of the language: every text the window shows is taken again.
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Layout (frmMainControls.cpp) and menus (frmMainMenus.cpp).
  void BuildControls();
  void BuildStatusStrip(QWidget* client);
  void BuildBoard(QWidget* client);
  // The event log's box, built when it is first needed: most runs never show it.
  QPlainTextEdit* LogBox();
  // Lays the window out at a size at once: the controls, the board and the fonts; the window
  // takes its new size and stays on its screen.
  void ApplyWindowSize(WindowSize size);
  void KeepOnScreen();
  void BuildMenus();
  // The rows of the menus, in menu order.
  std::vector<CommandRow> CommandRows();
  // Every menu entry's state again from its rules.
  void RefreshCommands();
  static QString ReadmeCaption(const QString& language);
  // The language whose read-me F1 opens: the one shown.
  QString ReadmeLanguage() const;
  void Retranslate();
  void ShowVersion();
  void FillMusicList();
  // Text with every "[1]" replaced, as the captions with a placeholder are filled in.
  static QString FillPlaceholder(QString text, const QString& value);

  // Start-up and shut-down (frmMain.cpp).
  frmMain(const Clock& clock, RandomSource& random, Dialogs& dialogs, ShellSettings* settings,
          UrlOpener* urlOpener, const QString& programFolder, QWidget* parent);
  void StartUp();
  void ApplySettings();
  void ApplyTune(const QString& fileName);
  void ApplyPlayerColors(ColorScheme scheme);
  void ShutDown();

  // The game's events (frmMainView.cpp).
  void ConnectGameEvents();
  // The board with everything that follows the position: picture, frames, menus, cells.
  void DrawPosition();
  void ShowMove(const MoveReport& move);
  void ShowTurn(const TurnReport& turn);
  void ShowResult(const GameResult& result);
  void ShowNewGame();
  // Captions, menu states and check marks, all from the switches as they are now.
  void ShowSeats();
  void ShowMoveTakenBack();

  // Handlers (frmMainHandlers.cpp).
  void RememberTune();
  void ShowFocusFrame();
  // After a menu closed: the board takes the keys again, framed if the menu was left by a key.
  void ReturnKeysToBoard();
  // Sets up a stage and tells the announcement of a hosted game about it.
  void PlayStage(int stage);
  // Joins a game chosen from those found on the network, as "Connect to Server" would.
  void JoinFoundGame(const FoundGame& found);
  // The frame around the node played last, while "Mark last move" is on.
  void ShowMoveMarker();
  // The record's window and the view of a recorded position (frmMainRecord.cpp); Escape
  // returns from a recorded position to the live game.
  void InstallLiveGameKey();
  frmRecord& EnsureRecordWindow();
  void ShowRecordedPosition(const std::optional<Position>& position, const QString& caption);
  void PaintViewCaption(QPainter& dc) const;
  void PlayAgainstPerfect();
  // How the board is painted now: the scheme, and the blocked marks under "Visual cues".
  BoardLook Look() const;
  // Tells assistive technology what happened through the status line's accessible name and
  // description, without changing what it shows.
  void Announce(const QString& text);
  // A refused move of the person here: a mark and the reason where no sound tells it.
  void ShowRefusal(const MoveReport& move);
  // An invitation over the internet (frmMainInternet.cpp): Accept or Decline, asked from the
  // event loop; declined at once while a game is under way or another invitation is asked.
  void InvitationReceived(const QString& from, const QString& sessionId);
  // The invitation being asked about was withdrawn: its box closes.
  void InvitationWithdrawn(const QString& sessionId);
  // The lobby (frmMainInternet.cpp): a joiner of the game hosted here takes the place of the
  // TCP client it waits for; a game chosen from the list is joined.
  bool LobbyJoinAsked(const QString& nick, const QString& address, const QString& sessionId);
  void JoinLobbyGame(const QString& nick);
  // The game hosted here is announced in the lobby while it waits and the account exists.
  void AnnounceInLobby();

  const Clock& clock_;
  RandomSource& random_;
  Dialogs& dialogs_;
  ShellSettings forgetful_;  // the store of a window that remembers nothing
  ShellSettings& settings_;
  vextal::Game game_;
  GameRecord record_{game_};
  // Outlives the connection below, whose last events withdraw the announcement.
  GameDiscovery discovery_;
  // The program's one connection, and the game's side of it.
  cSocket NetSocket;
  NetGame net_{game_, *this, dialogs_, NetSocket};
  vextal::mMusic music_;
  QString programFolder_;
  // The chat transcript with its window, and the Help pages.
  ChatLog chat_{ChatLink{[this] { return game_.NetConnected(); },
                         [this](const QString& line) { net_.SendChat(line); },
                         [this](const QString& line) { return net_.ChatAsReceived(line); }},
                this};
  DesktopUrlOpener desktop_;
  UrlOpener& urlOpener_;
  Pages pages_{urlOpener_, dialogs_, programFolder_};

  std::int64_t StartTime = 0;  // monotonic milliseconds at start-up
  bool shutDown_ = false;
  int stage_ = 0;  // the stage set up last on this side, as announced when hosting
  // The stage on the board, marked in the Reset menu; 0 once the peer's board replaced it.
  int stageOnBoard_ = 0;
  bool settingUpStage_ = false;
  QPointer<frmFindGames> findGames_;
  QPointer<AboutBox> about_;
  QPointer<frmRecord> recordWindow_;
  std::optional<Position> viewed_;  // see ViewedPosition
  QString viewCaption_;
  KeyringPasswordStore keyring_;
  PasswordStore* passwords_ = &keyring_;
  std::unique_ptr<InternetAccount> account_;
  QPointer<frmAccount> accountWindow_;
  // Goes before the account, whose client it uses.
  std::unique_ptr<XmppGameLink> internetGame_;
  bool invitationAsked_ = false;
  QString invitationShown_;  // the session id of the invitation whose box is open
  bool invitationWithdrawn_ = false;
  bool hostingWaits_ = false;     // "Host game" waits for its client
  BoardCursor cursor_;            // the keyboard's frame on the board
  bool hintFramed_ = false;       // the frame shows a hint, which the next change of the board ends
  bool gameReported_ = true;      // the game reported an event since DrawPosition last ran
  bool menuClosedByKey_ = false;  // the last input to an open menu was a key
  bool visualCues_ = false;
  ColorScheme scheme_ = ColorScheme::Original;

  // Controls, named as the window lays them out.
  QWidget* picStatus = nullptr;
  QLabel* lblState = nullptr;
  QTimer* tmrAI = nullptr;
  QPlainTextEdit* txtLog = nullptr;  // see LogBox
  QStringList logLines_;             // the log's lines until txtLog is built
  Front* front = nullptr;
  QLabel* lblDonate = nullptr;
  QLabel* lblCopyright = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* imgIcon = nullptr;
  QFrame* picActive1 = nullptr;
  QFrame* picActive2 = nullptr;
  QLabel* lblPlayer1 = nullptr;
  QLabel* lblSum1 = nullptr;
  QLabel* lblPlayer2 = nullptr;
  QLabel* lblSum2 = nullptr;

  DesignLayout design_;  // the controls' designed places, at the window's size
  std::unique_ptr<CommandTable> commands_;
  // The texts chosen in the menu where no translation was put in place before the window.
  std::unique_ptr<UiTranslation> translation_;
};

}  // namespace vextal
