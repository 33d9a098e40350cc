#include "shell/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTime>
#include <QTimer>

#include "game/Rounding.h"
#include "render/LogLine.h"
#include "render/mPaint.h"
#include "shell/Artwork.h"
#include "shell/Front.h"
#include "shell/ShellPaths.h"
#include "shell/Website.h"
#include "stages/Stages.h"

namespace vextal {

namespace {

// The layout was designed for a bitmap font of 6 to 7 points that does not exist here.
// DejaVu Sans Condensed (fonts-dejavu-extra), falling back to DejaVu Sans (fonts-dejavu-core),
// stays legible at these pixel sizes and keeps the longest captions inside their labels.
QFont SmallFont(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixelSize);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

constexpr int kStatusFontPx = 9;   // status line and event log (6.75 pt at 96 dpi)
constexpr int kBoardFontPx = 8;    // the three labels on the board (6 pt)
constexpr int kWindowFontPx = 10;  // the player row: "20 + 62 = 82" fits its 65 pixels

const QColor kFrontBackColor(128, 128, 128);

// Text with every "[1]" replaced, as the captions with a placeholder are filled in.
QString FillPlaceholder(QString text, const QString& value) {
  return text.replace(QStringLiteral("[1]"), value);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

// A label drawn straight onto the board picture in its own colour.
QLabel* MakeBoardLabel(Front* front, const char* name, const QRect& geometry, const QString& text,
                       const QColor& color) {
  QLabel* label = MakeLabel(front, name, geometry.translated(front->ClientOrigin()), text);
  label->setFont(SmallFont(kBoardFontPx));
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  label->setAutoFillBackground(false);
  return label;
}

// One of the four lines of the sunken frame around the status line.
void MakeFrameLine(QWidget* parent, const char* name, const QRect& geometry,
                   QPalette::ColorRole role) {
  auto* line = new QWidget(parent);
  line->setObjectName(QString::fromLatin1(name));
  line->setGeometry(geometry);
  line->setBackgroundRole(role);
  line->setAutoFillBackground(true);
}

QFrame* MakeMarker(QWidget* parent, const char* name, const QRect& geometry) {
  auto* marker = new QFrame(parent);
  marker->setObjectName(QString::fromLatin1(name));
  marker->setGeometry(geometry);
  marker->setFrameStyle(QFrame::Box | QFrame::Plain);
  marker->setLineWidth(1);
  marker->setAutoFillBackground(true);
  QPalette palette = marker->palette();
  palette.setColor(QPalette::WindowText, Qt::black);  // the outline
  marker->setPalette(palette);
  return marker;
}

void SetBackColor(QWidget* widget, Rgb color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  widget->setPalette(palette);
}

void SetBold(QLabel* label, bool bold) {
  QFont font = label->font();
  font.setBold(bold);
  label->setFont(font);
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

QAction* AddCheckItem(QMenu* menu, const char* name, const QString& caption, bool checked) {
  QAction* action = AddItem(menu, name, caption);
  action->setCheckable(true);
  action->setChecked(checked);
  return action;
}

QAction* AddLine(QMenu* menu, const char* name) {
  QAction* line = menu->addSeparator();
  line->setObjectName(QString::fromLatin1(name));
  return line;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption) {
  QMenu* menu = bar->addMenu(caption);
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  return menu;
}

QMenu* AddSubMenu(QMenu* parent, const char* name, const QString& caption) {
  QMenu* menu = parent->addMenu(caption);
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  return menu;
}

QString FarewellText() {
  const QString crlf = QStringLiteral("\r\n");
  return QStringLiteral("Thanks for your support!") + QString(30, QLatin1Char(' ')) + crlf + crlf +
         QStringLiteral("- Forward it to your friends") + crlf +
         QStringLiteral("- Sign the guestbook") + crlf + QStringLiteral("- Donate via PayPal") +
         crlf + crlf + QStringLiteral("Murvo") + crlf + kWebsiteHome;
}

}  // namespace

frmMain::frmMain(const Clock& clock, RandomSource& random, Dialogs& dialogs,
                 const QString& programFolder, QWidget* parent)
    : QMainWindow(parent),
      clock_(clock),
      random_(random),
      dialogs_(dialogs),
      game_(*this, dialogs, clock, random),
      music_(dialogs),
      programFolder_(programFolder.isEmpty() ? ProgramFolder() : programFolder) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Vextal"));
  // Fixed size, no maximize box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  BuildControls();
  BuildMenus();
  StartUp();
}

frmMain::~frmMain() = default;

// ---------------------------------------------------------------------------------------------
// Layout

void frmMain::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(kClientWidth, kClientHeight);
  client->setFont(SmallFont(kWindowFontPx));
  setCentralWidget(client);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  // The status strip; only its top 15 pixels lie inside the window.
  picStatus = new QWidget(client);
  picStatus->setObjectName(QStringLiteral("picStatus"));
  picStatus->setGeometry(0, 312, 341, 37);
  picStatus->setAutoFillBackground(true);
  MakeFrameLine(picStatus, "Line2", QRect(0, 0, 340, 1), QPalette::Shadow);
  MakeFrameLine(picStatus, "Line3", QRect(0, 0, 1, 14), QPalette::Shadow);
  MakeFrameLine(picStatus, "Line4", QRect(0, 14, 341, 1), QPalette::Midlight);
  MakeFrameLine(picStatus, "Line5", QRect(340, 0, 1, 14), QPalette::Midlight);
  lblState =
      MakeLabel(picStatus, "lblState", QRect(2, 2, 337, 12), QStringLiteral("System ready."));
  lblState->setFont(SmallFont(kStatusFontPx));
  lblState->installEventFilter(this);

  tmrAI = new QTimer(this);
  tmrAI->setObjectName(QStringLiteral("tmrAI"));
  tmrAI->setInterval(kTimerIntervalMs);
  connect(tmrAI, &QTimer::timeout, this, &frmMain::tmrAI_Timer);

  front = new Front(client);
  front->setObjectName(QStringLiteral("Front"));
  front->setGeometry(4, 4, 331, 281);
  front->SetBackground(kFrontBackColor, Front::PictureSource(&BoardBackground));
  front->Clear();
  connect(front, &Front::MouseDown, this, &frmMain::Front_MouseDown);
  // On a screen of another density the board is painted again at that density.
  connect(front, &Front::DevicePixelRatioChanged, this, &frmMain::DrawBoard);

  lblDonate =
      MakeBoardLabel(front, "lblDonate", QRect(4, 268, 125, 13),
                     QStringLiteral("PayPal Donate / PayPal Spenden"), QColor(240, 128, 160));
  lblCopyright =
      MakeBoardLabel(front, "lblCopyright", QRect(200, 268, 125, 13),
                     QStringLiteral("(c) 2026 Vextal developers"), QColor(160, 128, 240));
  lblVersion = MakeBoardLabel(front, "lblVersion", QRect(4, 4, 85, 13),
                              QStringLiteral("Vextal Version [1]"), QColor(160, 128, 240));
  // Clicks on the board's labels belong to the labels, not to the board below them.
  for (QLabel* label : {lblDonate, lblCopyright, lblVersion}) {
    label->installEventFilter(this);
  }

  // The event log lies over the board while it is shown.
  txtLog = new QPlainTextEdit(client);
  txtLog->setObjectName(QStringLiteral("txtLog"));
  txtLog->setGeometry(4, 4, 333, 281);
  txtLog->setFont(SmallFont(kStatusFontPx));
  txtLog->setReadOnly(true);
  txtLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtLog->hide();
  txtLog->raise();

  imgIcon = new QLabel(client);
  imgIcon->setObjectName(QStringLiteral("imgIcon"));
  imgIcon->setGeometry(0, 4, 32, 32);
  imgIcon->setPixmap(ProgramIconPixmap(32, devicePixelRatioF()));
  imgIcon->hide();

  picActive1 = MakeMarker(client, "picActive1", QRect(4, 292, 13, 13));
  lblPlayer1 = MakeLabel(client, "lblPlayer1", QRect(24, 292, 65, 13), QStringLiteral("Player 1"));
  lblSum1 = MakeLabel(client, "lblSum1", QRect(96, 292, 65, 13), QStringLiteral("0 + 0 = 0"));
  picActive2 = MakeMarker(client, "picActive2", QRect(176, 292, 13, 13));
  lblPlayer2 = MakeLabel(client, "lblPlayer2", QRect(196, 292, 65, 13), QStringLiteral("Player 2"));
  lblSum2 = MakeLabel(client, "lblSum2", QRect(268, 292, 65, 13), QStringLiteral("0 + 0 = 0"));
}

void frmMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("menuBar"));

  mnuFile = AddMenu(bar, "mnuFile", QStringLiteral("File"));
  mnuEnableAI = AddCheckItem(mnuFile, "mnuEnableAI", QStringLiteral("Enable CPU player"), false);
  mnuEnableDemo =
      AddCheckItem(mnuFile, "mnuEnableDemo", QStringLiteral("Enable Demo player"), false);
  mnuEnableDemo->setEnabled(false);
  AddLine(mnuFile, "mnuLineF1");
  mnuEnableSound = AddCheckItem(mnuFile, "mnuEnableSound", QStringLiteral("Sound effects"), true);
  mnuBackgroundMusic =
      AddSubMenu(mnuFile, "mnuBackgroundMusic", QStringLiteral("Background music"));
  QAction* none =
      AddCheckItem(mnuBackgroundMusic, "mnuPlayMusic0", QStringLiteral("(none)"), false);
  mnuPlayMusic.append(none);
  mnuLineF3 = AddLine(mnuBackgroundMusic, "mnuLineF3");
  mnuStopMusic = AddCheckItem(mnuBackgroundMusic, "mnuStopMusic", QStringLiteral("No music"), true);
  AddLine(mnuFile, "mnuLineF2");
  mnuExit = AddItem(mnuFile, "mnuExit", QStringLiteral("Exit"));

  mnuReset = AddMenu(bar, "mnuReset", QStringLiteral("Reset"));
  mnuClear = AddItem(mnuReset, "mnuClear", QStringLiteral("Clear"));
  AddLine(mnuReset, "mnuLineR1");
  QAction* stageTemplate = AddItem(mnuReset, "mnuSetup0", QStringLiteral("Stage [1]"));
  stageTemplate->setVisible(false);
  mnuSetup.append(stageTemplate);

  mnuNetwork = AddMenu(bar, "mnuNetwork", QStringLiteral("Network"));
  mnuShowChat = AddItem(mnuNetwork, "mnuShowChat", QStringLiteral("Chat window"));
  AddLine(mnuNetwork, "mnuLineN1");
  mnuServer = AddItem(mnuNetwork, "mnuServer", QStringLiteral("Host game"));
  mnuClient = AddItem(mnuNetwork, "mnuClient", QStringLiteral("Connect to Server"));
  AddLine(mnuNetwork, "mnuLineN2");
  mnuDisconnect = AddItem(mnuNetwork, "mnuDisconnect", QStringLiteral("Disconnect"));
  AddLine(mnuNetwork, "mnuLineN3");
  mnuSynchronize = AddItem(mnuNetwork, "mnuSynchronize", QStringLiteral("Synchronize"));

  mnuHelp = AddMenu(bar, "mnuHelp", QStringLiteral("Help"));
  mnuWebsite = AddItem(mnuHelp, "mnuWebsite", QStringLiteral("Vextal website"));
  mnuGuestbook = AddItem(mnuHelp, "mnuGuestbook", QStringLiteral("Guestbook"));
  AddLine(mnuHelp, "mnuLineH3");
  mnuUpdate = AddItem(mnuHelp, "mnuUpdate", QStringLiteral("Web update"));
  AddLine(mnuHelp, "mnuLineH1");
  mnuReadmeEN = AddItem(mnuHelp, "mnuReadmeEN", QStringLiteral("Readme (english)"));
  mnuReadmeDE = AddItem(mnuHelp, "mnuReadmeDE", QStringLiteral("Readme (deutsch)"));
  AddLine(mnuHelp, "mnuLinH2");
  mnuPayPal = AddItem(mnuHelp, "mnuPayPal", QStringLiteral("PayPal"));

  connect(mnuEnableAI, &QAction::triggered, this, &frmMain::mnuEnableAI_Click);
  connect(mnuEnableDemo, &QAction::triggered, this, &frmMain::mnuEnableDemo_Click);
  connect(mnuEnableSound, &QAction::triggered, this, &frmMain::mnuEnableSound_Click);
  connect(none, &QAction::triggered, this, [this] { mnuPlayMusic_Click(0); });
  connect(mnuStopMusic, &QAction::triggered, this, &frmMain::mnuStopMusic_Click);
  connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
  connect(mnuClear, &QAction::triggered, this, &frmMain::mnuClear_Click);
  connect(stageTemplate, &QAction::triggered, this, [this] { mnuSetup_Click(0); });
  connect(mnuShowChat, &QAction::triggered, this, &frmMain::mnuShowChat_Click);
  connect(mnuServer, &QAction::triggered, this, &frmMain::mnuServer_Click);
  connect(mnuClient, &QAction::triggered, this, &frmMain::mnuClient_Click);
  connect(mnuDisconnect, &QAction::triggered, this, &frmMain::mnuDisconnect_Click);
  connect(mnuSynchronize, &QAction::triggered, this, &frmMain::mnuSynchronize_Click);
  connect(mnuWebsite, &QAction::triggered, this, &frmMain::mnuWebsite_Click);
  connect(mnuGuestbook, &QAction::triggered, this, &frmMain::mnuGuestbook_Click);
  connect(mnuUpdate, &QAction::triggered, this, &frmMain::mnuUpdate_Click);
  connect(mnuReadmeEN, &QAction::triggered, this, &frmMain::mnuReadmeEN_Click);
  connect(mnuReadmeDE, &QAction::triggered, this, &frmMain::mnuReadmeDE_Click);
  connect(mnuPayPal, &QAction::triggered, this, &frmMain::mnuPayPal_Click);
}

// ---------------------------------------------------------------------------------------------
// Start-up and shut-down

void frmMain::StartUp() {
  // The random source arrives seeded from the clock; it is the only generator of the run.
  setWindowIcon(ProgramIcon());

  // The length of the run is measured on the monotonic clock, so a run across midnight or a
  // change of the wall clock cannot distort it.
  StartTime = clock_.NowMs();

  music_.SetSoundPath(programFolder_ + QStringLiteral("/sound/"));
  music_.SetMusicPath(programFolder_ + QStringLiteral("/music/"));

  BuildStageItems();
  FillMusicList();

  lblVersion->setText(FillPlaceholder(lblVersion->text(), QStringLiteral("%1.%2+%3")
                                                              .arg(VEXTAL_VERSION_MAJOR)
                                                              .arg(VEXTAL_VERSION_MINOR)
                                                              .arg(VEXTAL_VERSION_PATCH)));

  tmrAI->start();
  SetupStage(game_, DrawStartupStage(random_), random_);

  // Open centred on the screen.
  adjustSize();
  if (const QScreen* where = screen()) {
    move(where->availableGeometry().center() - rect().center());
  }
}

void frmMain::BuildStageItems() {
  const QAction* stageTemplate = mnuSetup.value(0);
  for (int i = 1; i <= kStageCount; ++i) {
    auto* item = new QAction(FillPlaceholder(stageTemplate->text(), QString::number(i)), mnuReset);
    item->setObjectName(QStringLiteral("mnuSetup%1").arg(i));
    item->setEnabled(true);
    item->setVisible(true);
    mnuReset->addAction(item);
    connect(item, &QAction::triggered, this, [this, i] { mnuSetup_Click(i); });
    mnuSetup.append(item);
  }
}

void frmMain::FillMusicList() {
  // From here on every change of the sound model is mirrored in the menu, which also puts back
  // a check mark that Qt toggled by itself on the click.
  music_.SetMenuChanged([this] { ShowMusicMenu(); });
  music_.FillMusicList();
}

void frmMain::ShowMusicMenu() {
  const MusicMenu& model = music_.Menu();
  for (std::size_t i = 0; i < model.PlayMusic.size(); ++i) {
    const MusicMenuItem& entry = model.PlayMusic[i];
    const int index = int(i);
    if (index >= mnuPlayMusic.size()) {
      // A tune's caption is its file name; a "&" in it is shown, not taken as an access key.
      QString caption = entry.Caption;
      caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
      auto* item = new QAction(caption, mnuBackgroundMusic);
      item->setObjectName(QStringLiteral("mnuPlayMusic%1").arg(index));
      item->setCheckable(true);
      mnuBackgroundMusic->insertAction(mnuLineF3, item);
      connect(item, &QAction::triggered, this, [this, index] { mnuPlayMusic_Click(index); });
      mnuPlayMusic.append(item);
    }
    QAction* item = mnuPlayMusic[index];
    item->setChecked(entry.Checked);
    item->setEnabled(entry.Enabled);
    item->setVisible(entry.Visible);
  }
  mnuStopMusic->setChecked(model.StopMusicChecked);
  mnuEnableSound->setChecked(model.EnableSoundChecked);
}

std::int64_t frmMain::RunSeconds() const {
  return std::int64_t(RoundHalfEven(double(clock_.NowMs() - StartTime) / 1000.0));
}

void frmMain::ShutDown() {
  if (shutDown_) {
    return;
  }
  shutDown_ = true;
  // Nothing may move once the program is closing, not even behind the farewell box.
  tmrAI->stop();
  music_.StopMusic();
  if (RunSeconds() > kFarewellAfterSeconds) {
    dialogs_.Message(BoxIcon::Information, QStringLiteral("Support Vextal"), FarewellText());
  }
  chat_.UnloadChat();
  QCoreApplication::quit();
}

void frmMain::closeEvent(QCloseEvent* event) {
  ShutDown();
  event->accept();
}

// ---------------------------------------------------------------------------------------------
// What the game reports

void frmMain::DrawBoard() {
  front->Clear();
  {
    QPainter dc(&front->Image());
    PaintBoard(dc, game_.Nodes(), kBoardGeometry, kColorP1, kColorP2);
  }
  front->update();
}

void frmMain::AddLog(const QString& message) {
  const QString line = FormatLogLine(QTime::currentTime(), message);
  lblState->setText(line);
  txtLog->appendPlainText(line);
  txtLog->verticalScrollBar()->setValue(txtLog->verticalScrollBar()->maximum());
  // Show the new status at once, without running the event loop here.
  lblState->repaint();
}

void frmMain::PlayWave(const QString& fileName) {
  music_.PlayWave(fileName);
}

void frmMain::MoveMade(Player mover, int column, int row, bool local) {
  net_.MoveMade(mover, column, row, local);
}

void frmMain::NewGameStarted(bool atGameEnd) {
  net_.NewGameStarted(atGameEnd);
}

void frmMain::ResultBoxOpen(bool open) {
  net_.ResultBoxOpen(open);
}

void frmMain::ShowPlayerPanel(const PlayerPanel& panel) {
  SetBackColor(picActive1, panel.Marker1);
  SetBackColor(picActive2, panel.Marker2);
  SetBold(lblPlayer1, panel.Bold1);
  SetBold(lblPlayer2, panel.Bold2);
  lblSum1->setText(panel.Sum1);
  lblSum2->setText(panel.Sum2);
}

void frmMain::ShowPlayerNames(const QString& name1, const QString& name2) {
  lblPlayer1->setText(name1);
  lblPlayer2->setText(name2);
}

QAction* frmMain::ActionFor(MenuItem item) const {
  switch (item) {
    case MenuItem::EnableAI:
      return mnuEnableAI;
    case MenuItem::EnableDemo:
      return mnuEnableDemo;
    case MenuItem::Reset:
      return mnuReset->menuAction();
    case MenuItem::Server:
      return mnuServer;
    case MenuItem::Client:
      return mnuClient;
    case MenuItem::Disconnect:
      return mnuDisconnect;
    case MenuItem::Synchronize:
      break;
  }
  return mnuSynchronize;
}

void frmMain::SetMenuEnabled(MenuItem item, bool enabled) {
  ActionFor(item)->setEnabled(enabled);
}

void frmMain::SetMenuChecked(MenuItem item, bool checked) {
  ActionFor(item)->setChecked(checked);
}

void frmMain::AddChatLine(const QString& text, bool own) {
  chat_.AddChatLine(text, own);
}

// ---------------------------------------------------------------------------------------------
// Events of the controls

void frmMain::Front_MouseDown(Qt::MouseButton /*button*/, int x, int y) {
  game_.BoardClick(x, y);
}

void frmMain::tmrAI_Timer() {
  game_.CpuTick();
}

void frmMain::lblState_DblClick() {
  txtLog->setVisible(!txtLog->isVisible());
  if (txtLog->isVisible()) {
    txtLog->verticalScrollBar()->setValue(txtLog->verticalScrollBar()->maximum());
  }
}

void frmMain::lblDonate_Click() {
  pages_.OpenDonatePage();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lblState && event->type() == QEvent::MouseButtonDblClick) {
    lblState_DblClick();
    return true;
  }
  if (watched == lblDonate || watched == lblCopyright || watched == lblVersion) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        return true;
      case QEvent::MouseButtonRelease:
        if (watched == lblDonate &&
            lblDonate->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
          lblDonate_Click();
        }
        return true;
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Menu commands

void frmMain::mnuEnableAI_Click() {
  game_.ToggleCpuPlayer();
}

void frmMain::mnuEnableDemo_Click() {
  game_.ToggleDemoPlayer();
}

void frmMain::mnuEnableSound_Click() {
  music_.mnuEnableSound_Click();
}

void frmMain::mnuPlayMusic_Click(int index) {
  music_.mnuPlayMusic_Click(index);
}

void frmMain::mnuStopMusic_Click() {
  music_.mnuStopMusic_Click();
}

void frmMain::mnuExit_Click() {
  close();
}

void frmMain::mnuClear_Click() {
  game_.NewGame();
}

void frmMain::mnuSetup_Click(int index) {
  SetupStage(game_, index, random_);
}

void frmMain::mnuShowChat_Click() {
  chat_.ShowChat();
}
void frmMain::mnuServer_Click() {
  net_.HostGame();
}
void frmMain::mnuClient_Click() {
  net_.ConnectToServer();
}
void frmMain::mnuDisconnect_Click() {
  net_.Disconnect();
}
void frmMain::mnuSynchronize_Click() {
  net_.Synchronize();
}
void frmMain::mnuWebsite_Click() {
  pages_.OpenWebsite();
}
void frmMain::mnuGuestbook_Click() {
  pages_.OpenGuestbook();
}
void frmMain::mnuUpdate_Click() {
  pages_.OpenUpdatePage();
}
void frmMain::mnuReadmeEN_Click() {
  pages_.OpenReadmeEnglish();
}
void frmMain::mnuReadmeDE_Click() {
  pages_.OpenReadmeGerman();
}
void frmMain::mnuPayPal_Click() {
  pages_.OpenPayPal();
}

}  // namespace vextal
