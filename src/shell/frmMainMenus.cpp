// The main window's menu bar: built once, the stage items and the tune list filled at start-up.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "shell/Mnemonics.h"

#include "shell/frmMain.h"
#include "stages/Stages.h"

namespace vextal {

namespace {

QAction* AddItem(QMenu* menu, const QString& name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

QAction* AddCheckItem(QMenu* menu, const QString& name, const QString& caption, bool checked) {
  QAction* action = AddItem(menu, name, caption);
  action->setCheckable(true);
  action->setChecked(checked);
  return action;
}

QAction* AddLine(QMenu* menu, const QString& name) {
  QAction* line = menu->addSeparator();
  line->setObjectName(name);
  return line;
}

QMenu* AddMenu(QMenuBar* bar, const QString& name, const QString& caption) {
  QMenu* menu = bar->addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

QMenu* AddSubMenu(QMenu* parent, const QString& name, const QString& caption) {
  QMenu* menu = parent->addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

// The caption in the "CPU strength" menu; the settings keep the level's English name.
QString CpuLevelCaption(CpuLevel level) {
  switch (level) {
    case CpuLevel::Classic:
      return frmMain::tr("Classic");
    case CpuLevel::Good:
      return frmMain::tr("Good");
    case CpuLevel::Strong:
      return frmMain::tr("Strong");
    case CpuLevel::Master:
      return frmMain::tr("Master");
    case CpuLevel::Perfect:
      break;
  }
  return frmMain::tr("Perfect");
}

}  // namespace

QString frmMain::FillPlaceholder(QString text, const QString& value) {
  return text.replace(QStringLiteral("[1]"), value);
}

void frmMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("menuBar"));
  BuildFileMenu(AddMenu(bar, "mnuFile", tr("File")));
  BuildResetMenu(AddMenu(bar, "mnuReset", tr("Reset")));
  BuildNetworkMenu(AddMenu(bar, "mnuNetwork", tr("Network")));
  BuildHelpMenu(AddMenu(bar, "mnuHelp", tr("Help")));

  // F10 opens the menu bar at its first menu, as desktop programs do.
  auto* openMenuBar = new QAction(this);
  openMenuBar->setObjectName(QStringLiteral("actOpenMenuBar"));
  openMenuBar->setShortcut(QKeySequence(Qt::Key_F10));
  addAction(openMenuBar);
  connect(openMenuBar, &QAction::triggered, this,
          [bar] { bar->setActiveAction(bar->actions().value(0)); });
}

void frmMain::BuildFileMenu(QMenu* menu) {
  mnuFile = menu;
  mnuEnableAI = AddCheckItem(mnuFile, "mnuEnableAI", tr("Enable CPU player"), false);
  mnuEnableDemo = AddCheckItem(mnuFile, "mnuEnableDemo", tr("Enable Demo player"), false);
  mnuEnableDemo->setEnabled(false);
  BuildCpuStrengthMenu();
  AddLine(mnuFile, "mnuLineF1");
  mnuUndo = AddItem(mnuFile, "mnuUndo", tr("Undo move"));
  mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  mnuHint = AddItem(mnuFile, "mnuHint", tr("Hint"));
  mnuHint->setShortcut(QKeySequence(Qt::Key_H));
  BuildRecordItems(mnuFile);
  AddLine(mnuFile, "mnuLineF5");
  mnuEnableSound = AddCheckItem(mnuFile, "mnuEnableSound", tr("Sound effects"), true);
  mnuBackgroundMusic = AddSubMenu(mnuFile, "mnuBackgroundMusic", tr("Background music"));
  QAction* none = AddCheckItem(mnuBackgroundMusic, "mnuPlayMusic0", tr("(none)"), false);
  mnuPlayMusic.append(none);
  mnuLineF3 = AddLine(mnuBackgroundMusic, "mnuLineF3");
  mnuStopMusic = AddCheckItem(mnuBackgroundMusic, "mnuStopMusic", tr("No music"), true);
  AddLine(mnuFile, "mnuLineF4");
  mnuMarkLastMove = AddCheckItem(mnuFile, "mnuMarkLastMove", tr("Mark last move"), true);
  BuildWindowSizeMenu();
  BuildLanguageMenu();
  AddLine(mnuFile, "mnuLineF2");
  mnuExit = AddItem(mnuFile, "mnuExit", tr("Exit"));
  mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  connect(mnuEnableAI, &QAction::triggered, this, &frmMain::mnuEnableAI_Click);
  connect(mnuEnableDemo, &QAction::triggered, this, &frmMain::mnuEnableDemo_Click);
  connect(mnuUndo, &QAction::triggered, this, &frmMain::mnuUndo_Click);
  connect(mnuHint, &QAction::triggered, this, &frmMain::mnuHint_Click);
  connect(mnuMarkLastMove, &QAction::triggered, this, &frmMain::mnuMarkLastMove_Click);
  connect(mnuEnableSound, &QAction::triggered, this, &frmMain::mnuEnableSound_Click);
  connect(none, &QAction::triggered, this, [this] { mnuPlayMusic_Click(0); });
  connect(mnuStopMusic, &QAction::triggered, this, &frmMain::mnuStopMusic_Click);
  connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
}

void frmMain::BuildCpuStrengthMenu() {
  mnuCpuStrength = AddSubMenu(mnuFile, "mnuCpuStrength", tr("CPU strength"));
  mnuCpuStrength->menuAction()->setEnabled(false);  // follows "Enable Demo player"
  auto* levels = new QActionGroup(mnuCpuStrength);  // one checked at a time
  for (const CpuLevel level : kCpuLevels) {
    const int index = int(mnuCpuLevel.size());
    QAction* item = AddCheckItem(mnuCpuStrength, QStringLiteral("mnuCpuLevel%1").arg(index),
                                 CpuLevelCaption(level), level == CpuLevel::Classic);
    levels->addAction(item);
    connect(item, &QAction::triggered, this, [this, index] { mnuCpuLevel_Click(index); });
    mnuCpuLevel.append(item);
  }
}

void frmMain::BuildWindowSizeMenu() {
  mnuWindowSize = AddSubMenu(mnuFile, "mnuWindowSize", tr("Window size"));
  auto* sizes = new QActionGroup(mnuWindowSize);
  for (const WindowSize size : kWindowSizes) {
    const int index = int(mnuSize.size());
    QAction* item = AddCheckItem(mnuWindowSize, QStringLiteral("mnuSize%1").arg(index),
                                 WindowSizeCaption(size), size == WindowSize::Normal);
    sizes->addAction(item);
    connect(item, &QAction::triggered, this, [this, index] { mnuSize_Click(index); });
    mnuSize.append(item);
  }
  AddLine(mnuWindowSize, "mnuLineW1");
  // Every window of a run is drawn at one scale, chosen before the first one opens.
  AddItem(mnuWindowSize, "mnuSizeNote", tr("Takes effect at the next start"))->setEnabled(false);
}

void frmMain::BuildLanguageMenu() {
  mnuLanguage = AddSubMenu(mnuFile, "mnuLanguage", tr("Language"));
  auto* languages = new QActionGroup(mnuLanguage);
  for (const UiLanguage language : kUiLanguages) {
    const int index = int(mnuLanguageItem.size());
    QAction* item = AddCheckItem(mnuLanguage, QStringLiteral("mnuLanguage%1").arg(index),
                                 UiLanguageCaption(language), language == UiLanguage::System);
    languages->addAction(item);
    connect(item, &QAction::triggered, this, [this, index] { mnuLanguage_Click(index); });
    mnuLanguageItem.append(item);
  }
  AddLine(mnuLanguage, "mnuLineL1");
  // The texts of every window are taken when it is built.
  AddItem(mnuLanguage, "mnuLanguageNote", tr("Takes effect at the next start"))->setEnabled(false);
}

void frmMain::BuildResetMenu(QMenu* menu) {
  mnuReset = menu;
  mnuClear = AddItem(mnuReset, "mnuClear", tr("Clear"));
  mnuClear->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  AddLine(mnuReset, "mnuLineR1");
  QAction* stageTemplate = AddItem(mnuReset, "mnuSetup0", tr("Stage [1]"));
  stageTemplate->setVisible(false);
  mnuSetup.append(stageTemplate);

  connect(mnuClear, &QAction::triggered, this, &frmMain::mnuClear_Click);
  connect(stageTemplate, &QAction::triggered, this, [this] { mnuSetup_Click(0); });
}

void frmMain::BuildNetworkMenu(QMenu* menu) {
  mnuNetwork = menu;
  mnuShowChat = AddItem(mnuNetwork, "mnuShowChat", tr("Chat window"));
  AddLine(mnuNetwork, "mnuLineN1");
  mnuServer = AddItem(mnuNetwork, "mnuServer", tr("Host game"));
  mnuClient = AddItem(mnuNetwork, "mnuClient", tr("Connect to Server"));
  mnuFindGames = AddItem(mnuNetwork, "mnuFindGames", tr("Find games on this network…"));
  AddLine(mnuNetwork, "mnuLineN2");
  mnuDisconnect = AddItem(mnuNetwork, "mnuDisconnect", tr("Disconnect"));
  AddLine(mnuNetwork, "mnuLineN3");
  mnuSynchronize = AddItem(mnuNetwork, "mnuSynchronize", tr("Synchronize"));

  connect(mnuShowChat, &QAction::triggered, this, &frmMain::mnuShowChat_Click);
  connect(mnuServer, &QAction::triggered, this, &frmMain::mnuServer_Click);
  connect(mnuClient, &QAction::triggered, this, &frmMain::mnuClient_Click);
  connect(mnuFindGames, &QAction::triggered, this, &frmMain::mnuFindGames_Click);
  connect(mnuDisconnect, &QAction::triggered, this, &frmMain::mnuDisconnect_Click);
  connect(mnuSynchronize, &QAction::triggered, this, &frmMain::mnuSynchronize_Click);
}

void frmMain::BuildHelpMenu(QMenu* menu) {
  mnuHelp = menu;
  mnuWebsite = AddItem(mnuHelp, "mnuWebsite", tr("Vextal website"));
  mnuGuestbook = AddItem(mnuHelp, "mnuGuestbook", tr("Guestbook"));
  AddLine(mnuHelp, "mnuLineH3");
  mnuUpdate = AddItem(mnuHelp, "mnuUpdate", tr("Web update"));
  AddLine(mnuHelp, "mnuLineH1");
  mnuReadmeEN = AddItem(mnuHelp, "mnuReadmeEN", tr("Readme (english)"));
  mnuReadmeEN->setShortcut(QKeySequence(Qt::Key_F1));
  mnuReadmeDE = AddItem(mnuHelp, "mnuReadmeDE", tr("Readme (deutsch)"));
  AddLine(mnuHelp, "mnuLinH2");
  mnuPayPal = AddItem(mnuHelp, "mnuPayPal", QStringLiteral("PayPal"));
  if (!pages_.HasWebsite()) {
    // This build names no web site: the two entries that only exist there say so.
    const QString none = tr("This build of Vextal has no web site.");
    mnuHelp->setToolTipsVisible(true);
    for (QAction* item : {mnuWebsite, mnuGuestbook}) {
      item->setEnabled(false);
      item->setToolTip(none);
    }
  }

  connect(mnuWebsite, &QAction::triggered, this, &frmMain::mnuWebsite_Click);
  connect(mnuGuestbook, &QAction::triggered, this, &frmMain::mnuGuestbook_Click);
  connect(mnuUpdate, &QAction::triggered, this, &frmMain::mnuUpdate_Click);
  connect(mnuReadmeEN, &QAction::triggered, this, &frmMain::mnuReadmeEN_Click);
  connect(mnuReadmeDE, &QAction::triggered, this, &frmMain::mnuReadmeDE_Click);
  connect(mnuPayPal, &QAction::triggered, this, &frmMain::mnuPayPal_Click);
}

void frmMain::BuildStageItems() {
  const QAction* stageTemplate = mnuSetup.value(0);
  for (int i = 1; i <= kStageCount; ++i) {
    // The stage's number is its access key.
    auto* item = new QAction(
        FillPlaceholder(stageTemplate->text(), QLatin1Char('&') + QString::number(i)), mnuReset);
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
  AssignMnemonics(mnuBackgroundMusic->actions());  // the tunes and "(none)" as they show now
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

}  // namespace vextal
