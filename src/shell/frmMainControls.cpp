// The main window's controls at their designed pixel positions, at the window's size.
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

#include "render/BoardPainter.h"
#include "shell/Artwork.h"
#include "shell/BoardWords.h"
#include "shell/DesignLayout.h"
#include "shell/Front.h"
#include "shell/WindowSize.h"
#include "shell/frmMain.h"

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

QLabel* MakeLabel(DesignLayout& design, QWidget* parent, const char* name, const QRect& geometry,
                  const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  design.Place(label, geometry);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

// A label drawn straight onto the board picture in its own colour.
QLabel* MakeBoardLabel(DesignLayout& design, Front* front, const char* name, const QRect& geometry,
                       const QString& text, const QColor& color) {
  // Inside the board's frame, which grows with the rest.
  QLabel* label = MakeLabel(design, front, name, geometry.translated(front->ClientOrigin()), text);
  design.SetFont(label, SmallFont(kBoardFontPx), kBoardFontPx);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  label->setAutoFillBackground(false);
  return label;
}

// One of the four lines of the sunken frame around the status line.
void MakeFrameLine(DesignLayout& design, QWidget* parent, const char* name, const QRect& geometry,
                   QPalette::ColorRole role) {
  auto* line = new QWidget(parent);
  line->setObjectName(QString::fromLatin1(name));
  design.Place(line, geometry);
  line->setBackgroundRole(role);
  line->setAutoFillBackground(true);
}

QFrame* MakeMarker(DesignLayout& design, QWidget* parent, const char* name, const QRect& geometry) {
  auto* marker = new QFrame(parent);
  marker->setObjectName(QString::fromLatin1(name));
  design.Place(marker, geometry);
  marker->setFrameStyle(QFrame::Box | QFrame::Plain);
  marker->setLineWidth(1);
  marker->setAutoFillBackground(true);
  QPalette palette = marker->palette();
  palette.setColor(QPalette::WindowText, Qt::black);  // the outline
  marker->setPalette(palette);
  return marker;
}

}  // namespace

void frmMain::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  design_.FixSize(client, QSize(kClientWidth, kClientHeight));
  design_.SetFont(client, SmallFont(kWindowFontPx), kWindowFontPx);
  setCentralWidget(client);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  BuildStatusStrip(client);

  tmrAI = new QTimer(this);
  tmrAI->setObjectName(QStringLiteral("tmrAI"));
  tmrAI->setInterval(kTimerIntervalMs);
  connect(tmrAI, &QTimer::timeout, this, &frmMain::tmrAI_Timer);

  BuildBoard(client);

  imgIcon = new QLabel(client);
  imgIcon->setObjectName(QStringLiteral("imgIcon"));
  design_.Place(imgIcon, QRect(0, 4, 32, 32));
  imgIcon->setPixmap(ProgramIconPixmap(32, devicePixelRatioF()));
  imgIcon->hide();

  picActive1 = MakeMarker(design_, client, "picActive1", QRect(4, 292, 13, 13));
  lblPlayer1 = MakeLabel(design_, client, "lblPlayer1", QRect(24, 292, 65, 13), tr("Player 1"));
  lblSum1 =
      MakeLabel(design_, client, "lblSum1", QRect(96, 292, 65, 13), QStringLiteral("0 + 0 = 0"));
  picActive2 = MakeMarker(design_, client, "picActive2", QRect(176, 292, 13, 13));
  lblPlayer2 = MakeLabel(design_, client, "lblPlayer2", QRect(196, 292, 65, 13), tr("Player 2"));
  lblSum2 =
      MakeLabel(design_, client, "lblSum2", QRect(268, 292, 65, 13), QStringLiteral("0 + 0 = 0"));
}

void frmMain::ApplyWindowSize(WindowSize size) {
  const double factor = WindowSizeFactor(size);
  // The menus, the boxes and the other windows follow the program's font, which reaches them
  // from the event loop (changeEvent).
  ApplyApplicationFontScale(factor);
  design_.SetFactor(factor);
  for (QFrame* frame : {static_cast<QFrame*>(front), picActive1, picActive2}) {
    frame->setLineWidth(ScaledPixels(1, factor));
  }
  front->SetZoom(factor);
  chat_.SetSizeFactor(factor);
  pages_.SetSizeFactor(factor);
  // The window takes its new size now rather than at the next pass of the event loop, so it can
  // be kept on its screen at once.
  layout()->activate();
  if (isVisible()) {
    KeepOnScreen();
  }
}

void frmMain::KeepOnScreen() {
  if (const QScreen* where = screen()) {
    move(KeptOnScreen(frameGeometry(), where->availableGeometry()));
  }
}

QPlainTextEdit* frmMain::LogBox() {
  if (txtLog) {
    return txtLog;
  }
  // The event log lies over the board while it is shown.
  txtLog = new QPlainTextEdit(centralWidget());
  txtLog->setObjectName(QStringLiteral("txtLog"));
  design_.Place(txtLog, QRect(4, 4, 333, 281));
  design_.SetFont(txtLog, SmallFont(kStatusFontPx), kStatusFontPx);
  txtLog->setReadOnly(true);
  txtLog->setMaximumBlockCount(kMaxLogLines);  // one block per line; the oldest go first
  txtLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtLog->hide();
  txtLog->raise();
  // Line by line, as AddLog would have appended them.
  for (const QString& line : std::as_const(logLines_)) {
    txtLog->appendPlainText(line);
  }
  logLines_ = QStringList();
  return txtLog;
}

void frmMain::BuildStatusStrip(QWidget* client) {
  // Only the strip's top 15 pixels lie inside the window.
  picStatus = new QWidget(client);
  picStatus->setObjectName(QStringLiteral("picStatus"));
  design_.Place(picStatus, QRect(0, 312, 341, 37));
  picStatus->setAutoFillBackground(true);
  MakeFrameLine(design_, picStatus, "Line2", QRect(0, 0, 340, 1), QPalette::Shadow);
  MakeFrameLine(design_, picStatus, "Line3", QRect(0, 0, 1, 14), QPalette::Shadow);
  MakeFrameLine(design_, picStatus, "Line4", QRect(0, 14, 341, 1), QPalette::Midlight);
  MakeFrameLine(design_, picStatus, "Line5", QRect(340, 0, 1, 14), QPalette::Midlight);
  lblState = MakeLabel(design_, picStatus, "lblState", QRect(2, 2, 337, 12), tr("System ready."));
  design_.SetFont(lblState, SmallFont(kStatusFontPx), kStatusFontPx);
  lblState->installEventFilter(this);
}

void frmMain::BuildBoard(QWidget* client) {
  front = new Front(client);
  front->setObjectName(QStringLiteral("Front"));
  design_.Place(front, QRect(4, 4, 331, 281));
  front->SetBackground(kFrontBackColor, Front::PicturePainter(&PaintBoardBackground));
  front->Clear();
  // Painted from the game's state whenever the picture is shown or read after a change, so the
  // picture is also painted again by itself on a screen of another density.
  front->SetPainter([this](QPainter& dc) {
    // The final position of a finished game stays on show under its result box; a position
    // of the record, when one is viewed, instead of the live game.
    PaintBoard(dc, viewed_ ? viewed_->Nodes : game_.ShownNodes(), kBoardGeometry, Look());
    PaintViewCaption(dc);
  });
  // What a screen reader reads of the board: every grid point of the shown board in words.
  front->SetAccess(
      {[this] { return QSize(game_.ShownNodes().NodesW(), game_.ShownNodes().NodesH()); },
       [this](int column, int row) {
         return CellName(game_.ShownNodes(), column, row,
                         BoardViewer::Of(game_.CurrentMode(), game_.NetServer(), game_.ActPlayer()),
                         game_.ShownLastMove());
       },
       [this](int column, int row) { Front_CellPressed(column, row); }});
  front->setAccessibleName(tr("Board"));
  connect(front, &Front::MouseDown, this, &frmMain::Front_MouseDown);
  connect(front, &Front::KeyDown, this, &frmMain::Front_KeyDown);
  connect(front, &Front::TabbedTo, this, &frmMain::Front_TabbedTo);

  lblDonate =
      MakeBoardLabel(design_, front, "lblDonate", QRect(4, 268, 125, 13),
                     QStringLiteral("PayPal Donate / PayPal Spenden"), QColor(240, 128, 160));
  lblCopyright = MakeBoardLabel(design_, front, "lblCopyright", QRect(200, 268, 125, 13),
                                tr("(c) 2026 Vextal developers"), QColor(160, 128, 240));
  lblVersion = MakeBoardLabel(design_, front, "lblVersion", QRect(4, 4, 85, 13),
                              tr("Vextal Version [1]"), QColor(160, 128, 240));
  // Clicks on the board's labels belong to the labels, not to the board below them.
  for (QLabel* label : {lblDonate, lblCopyright, lblVersion}) {
    label->installEventFilter(this);
  }
}

}  // namespace vextal
