// The main window's side of the game record: its menu entries, the record window, saved games
// and the board showing a recorded position instead of the live game.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QStandardPaths>

#include "record/RecordFile.h"
#include "shell/Front.h"
#include "shell/frmMain.h"
#include "shell/frmRecord.h"

namespace vextal {

namespace {

QString FileFilter() {
  return frmMain::tr("Saved games (*.%1)").arg(QString::fromLatin1(kRecordFileSuffix));
}

// The file dialogs open where the player last saved or opened a game, at first in the documents
// folder, never in whatever folder the program happened to be started from.
QString FolderForGames(const ShellSettings& settings) {
  const QString last = settings.RecordFolder();
  if (!last.isEmpty() && QFileInfo(last).isDir()) {
    return last;
  }
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

}  // namespace

void frmMain::InstallLiveGameKey() {
  // Escape puts the live game back on the board when a recorded position is shown.
  auto* live = new QAction(this);
  live->setObjectName(QStringLiteral("actLiveGame"));
  live->setShortcut(QKeySequence(Qt::Key_Escape));
  addAction(live);
  connect(live, &QAction::triggered, this, [this] {
    if (recordWindow_) {
      recordWindow_->ShowLive();
    } else {
      ShowRecordedPosition(std::nullopt, QString());
    }
  });
}

frmRecord* frmMain::RecordWindow() const {
  return recordWindow_.data();
}

frmRecord& frmMain::EnsureRecordWindow() {
  if (!recordWindow_) {
    frmRecord::Hooks hooks{[this](const std::optional<Position>& position, const QString& caption) {
                             ShowRecordedPosition(position, caption);
                           },
                           [this] { PlayAgainstPerfect(); },
                           [this](const QString& line) { AddLog(line); }};
    recordWindow_ = new frmRecord(game_, record_, dialogs_, std::move(hooks), this);
    // Ctrl+S and Ctrl+O save and open from the record window as from the main window.
    for (const char* id : {"mnuSaveGame", "mnuOpenGame"}) {
      if (QAction* action = Commands().Action(QLatin1String(id))) {
        recordWindow_->addAction(action);
      }
    }
    // Beside the main window, so the board stays in sight while moves are looked through.
    recordWindow_->move(frameGeometry().topRight() + QPoint(8, 0));
  }
  return *recordWindow_;
}

void frmMain::mnuGameRecord_Click() {
  frmRecord& window = EnsureRecordWindow();
  if (!window.isVisible()) {
    window.PreferFinishedGame();
  }
  window.show();
  window.raise();
  window.activateWindow();
}

void frmMain::ShowRecordedPosition(const std::optional<Position>& position,
                                   const QString& caption) {
  viewed_ = position;
  viewCaption_ = caption;
  lblVersion->setVisible(!viewed_);  // the banner takes its place at the top of the board
  front->Invalidate();
  ShowMoveMarker();
}

// A recorded position is marked as such across the top of the board, so it is never taken for
// the game in play.
void frmMain::PaintViewCaption(QPainter& dc) const {
  if (!viewed_) {
    return;
  }
  const QRect band(0, 0, front->contentsRect().width(), 18);
  dc.fillRect(band, QColor(255, 236, 150, 230));
  dc.setPen(QColor(80, 60, 0));
  QFont font = dc.font();
  font.setPixelSize(11);
  font.setBold(true);
  dc.setFont(font);
  dc.drawText(band.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
              tr("Earlier position (Esc: back to the game)"));
}

void frmMain::PlayAgainstPerfect() {
  // A trial changes the opponent for this run only: the player's saved choice of CPU player and
  // level stays as it was for the next start.
  if (game_.DemoOn()) {
    mnuEnableDemo_Click();
  }
  if (!game_.CpuOn()) {
    game_.ToggleCpuPlayer();
  }
  game_.SetCpuLevel(CpuLevel::Perfect);
}

void frmMain::mnuSaveGame_Click() {
  const RecordedGame* game = nullptr;
  if (recordWindow_ && recordWindow_->isVisible()) {
    game = &recordWindow_->Shown();
  } else if (record_.Current().Plies() > 0 || !record_.LastFinished()) {
    game = &record_.Current();
  } else {
    game = &*record_.LastFinished();
  }
  if (game->Plies() == 0) {
    dialogs_.Message(BoxIcon::Information, tr("Save game"), tr("There are no moves to save yet."));
    return;
  }
  // A game opened from a file without a date stays undated: named without one, saved without one.
  const QString suffix = QString::fromLatin1(kRecordFileSuffix);
  const QString suggested = game->Date.isValid()
                                ? tr("Game %1.%2").arg(game->Date.toString(Qt::ISODate), suffix)
                                : tr("Game.%1").arg(suffix);
  QString path = dialogs_.SaveFileName(
      tr("Save game"), QDir(FolderForGames(settings_)).filePath(suggested), FileFilter());
  if (path.isEmpty()) {
    return;
  }
  if (QFileInfo(path).suffix().isEmpty()) {
    path += QLatin1Char('.') + QString::fromLatin1(kRecordFileSuffix);
  }
  QFile file(path);
  const QByteArray text = WriteRecordFile(*game);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
      !file.flush()) {
    dialogs_.Message(BoxIcon::Critical, tr("Error"),
                     tr("The game could not be saved to %1: %2").arg(path, file.errorString()));
    return;
  }
  settings_.SetRecordFolder(QFileInfo(path).absolutePath());
  AddLog(tr("Game saved to %1.").arg(path));
}

void frmMain::mnuOpenGame_Click() {
  const QString path =
      dialogs_.OpenFileName(tr("Open game"), FolderForGames(settings_), FileFilter());
  if (!path.isEmpty()) {
    OpenGameFile(path);
  }
}

bool frmMain::OpenGameFile(const QString& path) {
  QFile file(path);
  QString error;
  std::optional<RecordFileRead> read;
  if (!file.open(QIODevice::ReadOnly)) {
    error = file.errorString();
  } else {
    // One byte more than a file may hold tells a file that is too large.
    read = ReadRecordFile(file.read(kMaxRecordFileBytes + 1), error);
  }
  if (!read) {
    dialogs_.Message(BoxIcon::Critical, tr("Error"),
                     tr("The game %1 cannot be opened: %2").arg(path, error));
    return false;
  }
  frmRecord& window = EnsureRecordWindow();
  window.ShowOpened(read->Game, QFileInfo(path).fileName());
  window.show();
  window.raise();
  settings_.SetRecordFolder(QFileInfo(path).absolutePath());
  AddLog(tr("Game opened from %1.").arg(path));
  return true;
}

}  // namespace vextal
