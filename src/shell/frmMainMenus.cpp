// The main window's command table: every menu entry is one row here, in menu order, with its
// caption, key, handler (frmMainHandlers.cpp) and the rules for its state. docs/ARCHITECTURE.md
// ("Adding a menu command") says how to add one.
#include <QAction>
#include <QMenuBar>
#include <QTimer>

#include "shell/CommandTable.h"
#include "shell/UiLanguage.h"
#include "shell/frmMain.h"
#include "stages/Stages.h"

namespace vextal {

QString frmMain::FillPlaceholder(QString text, const QString& value) {
  return text.replace(QStringLiteral("[1]"), value);
}

QString frmMain::ReadmeCaption(const QString& language) {
  if (language == QLatin1String("en")) {
    return tr("Readme (english)");
  }
  if (language == QLatin1String("de")) {
    return tr("Readme (deutsch)");
  }
  // Any other language is named in its own tongue, as the Language menu names it.
  return tr("Readme (%1)").arg(QLocale(language).nativeLanguageName());
}

QString frmMain::ReadmeLanguage() const {
  const UiTranslation* shown = UiTranslation::Current();
  return shown ? shown->Shown() : QStringLiteral("en");
}

CommandTable& frmMain::Commands() {
  return *commands_;
}

void frmMain::RefreshCommands() {
  if (commands_) {  // the game reports its first state before the menus are built
    commands_->Refresh();
  }
}

void frmMain::FillMusicList() {
  // From here on every change of the sound model is mirrored in the menu.
  music_.SetMenuChanged([this] { RefreshCommands(); });
  music_.FillMusicList();
}

void frmMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("menuBar"));
  commands_ = std::make_unique<CommandTable>(bar, staticMetaObject.className());
  commands_->Add(CommandRows());

  // F10 opens the menu bar at its first menu, as desktop programs do.
  auto* openMenuBar = new QAction(this);
  openMenuBar->setObjectName(QStringLiteral("actOpenMenuBar"));
  openMenuBar->setShortcut(QKeySequence(Qt::Key_F10));
  addAction(openMenuBar);
  connect(openMenuBar, &QAction::triggered, this,
          [bar] { bar->setActiveAction(bar->actions().value(0)); });
  InstallLiveGameKey();

  // A closed menu hands the keys back to the board. Checked once the closing is over, as moving
  // from one menu of the bar to the next closes one and opens the other.
  for (QAction* top : bar->actions()) {
    connect(top->menu(), &QMenu::aboutToHide, this,
            [this] { QTimer::singleShot(0, this, &frmMain::ReturnKeysToBoard); });
  }
  for (QMenu* menu : findChildren<QMenu*>()) {
    menu->installEventFilter(this);
  }
}

std::vector<CommandRow> frmMain::CommandRows() {
  using K = RowKind;
  const auto net = [this](MenuItem item) {
    return [this, item] { return game_.MenuEnabled(item); };
  };
  const auto tune = [this](int i) -> const MusicMenuItem& {
    return music_.Menu().PlayMusic[std::size_t(i)];
  };

  FamilyRows tunes;  // "(none)" until the music folder is read, then one item per tune
  tunes.count = [this] { return int(music_.Menu().PlayMusic.size()); };
  tunes.caption = [tune](int i) {
    // A tune's caption is its file name; a "&" in it is shown, not taken as an access key.
    return i == 0 ? tr("(none)") : QString(tune(i).Caption).replace(u'&', QStringLiteral("&&"));
  };
  tunes.run = [this](int i) { mnuPlayMusic_Click(i); };
  tunes.enabled = [tune](int i) { return tune(i).Enabled; };
  tunes.checked = [tune](int i) { return tune(i).Checked; };
  tunes.visible = [tune](int i) { return tune(i).Visible; };

  // "System", then every language built into the program.
  const auto language = [](int i) { return i == 0 ? QString() : BuiltLanguages().value(i - 1); };
  FamilyRows languages;
  languages.count = [] { return int(BuiltLanguages().size()) + 1; };
  languages.caption = [language](int i) { return LanguageCaption(language(i)); };
  languages.run = [this, language](int i) { mnuLanguage_Click(language(i)); };
  languages.checked = [this, language](int i) { return settings_.Language() == language(i); };
  languages.exclusive = true;

  // One read-me per language built in, mnuReadmeEN, mnuReadmeDE, ...; F1 opens the one of the
  // language shown, English where there is none.
  FamilyRows readmes;
  readmes.count = [] { return int(BuiltLanguages().size()); };
  readmes.id = [](int i) { return QStringLiteral("mnuReadme") + BuiltLanguages()[i].toUpper(); };
  readmes.caption = [](int i) { return ReadmeCaption(BuiltLanguages()[i]); };
  readmes.run = [this](int i) { pages_.OpenReadme(BuiltLanguages()[i]); };
  readmes.key = [this](int i) {
    return BuiltLanguages()[i] == ReadmeLanguage() ? QKeySequence(Qt::Key_F1) : QKeySequence();
  };

  FamilyRows stages;  // the hidden template "Stage [1]", then the stages; the number is the key
  stages.count = [] { return kStageCount + 1; };
  stages.caption = [](int i) {
    const QString text = tr("Stage [1]");
    return i == 0 ? text : FillPlaceholder(text, QLatin1Char('&') + QString::number(i));
  };
  stages.run = [this](int i) { mnuSetup_Click(i); };
  stages.visible = [](int i) { return i > 0; };
  stages.checked = [this](int i) { return i > 0 && i == stageOnBoard_; };  // the one played
  stages.exclusive = true;

  return {
      {.kind = K::Menu, .id = "mnuFile", .caption = QT_TR_NOOP("File")},
      {.id = "mnuEnableAI",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Enable CPU player"),
       .run = [this] { mnuEnableAI_Click(); },
       .enabled = net(MenuItem::EnableAI),
       .checked = [this] { return game_.CpuOn(); }},
      {.id = "mnuEnableDemo",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Enable Demo player"),
       .run = [this] { mnuEnableDemo_Click(); },
       .enabled = net(MenuItem::EnableDemo),
       .checked = [this] { return game_.DemoOn(); }},
      // The strength matters exactly when the CPU may play, which is when the demo may be chosen.
      {.kind = K::Menu,
       .id = "mnuCpuStrength",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("CPU strength"),
       .enabled = net(MenuItem::EnableDemo)},
      {.kind = K::Family,
       .id = "mnuCpuLevel",
       .in = "mnuCpuStrength",
       .family = ChoiceRows(
           kCpuLevelChoices, [this] { return game_.GetCpuLevel(); },
           [this](CpuLevel level) { mnuCpuLevel_Click(level); })},
      {.kind = K::Line, .id = "mnuLineF1", .in = "mnuFile"},
      {.id = "mnuUndo",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Undo move"),
       .key = QKeySequence(Qt::CTRL | Qt::Key_Z),
       .run = [this] { mnuUndo_Click(); },
       .enabled = [this] { return game_.CanUndo(); }},
      {.id = "mnuHint",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Hint"),
       .key = QKeySequence(Qt::Key_H),
       .run = [this] { mnuHint_Click(); },
       .enabled = [this] { return game_.CanHint(); }},
      {.kind = K::Line, .id = "mnuLineF6", .in = "mnuFile"},
      {.id = "mnuGameRecord",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Game record"),
       .key = QKeySequence(Qt::CTRL | Qt::Key_R),
       .run = [this] { mnuGameRecord_Click(); }},
      {.id = "mnuOpenGame",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Open game…"),
       .key = QKeySequence(Qt::CTRL | Qt::Key_O),
       .run = [this] { mnuOpenGame_Click(); }},
      {.id = "mnuSaveGame",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Save game…"),
       .key = QKeySequence(Qt::CTRL | Qt::Key_S),
       .run = [this] { mnuSaveGame_Click(); }},
      {.kind = K::Line, .id = "mnuLineF5", .in = "mnuFile"},
      {.id = "mnuEnableSound",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Sound effects"),
       .run = [this] { mnuEnableSound_Click(); },
       .checked = [this] { return music_.Menu().EnableSoundChecked; }},
      {.kind = K::Menu,
       .id = "mnuEffectsVolume",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Effects volume")},
      {.kind = K::Family,
       .id = "mnuEffectsVolume",
       .in = "mnuEffectsVolume",
       .family = ChoiceRows(
           kVolumeChoices, [this] { return music_.EffectsVolume(); },
           [this](int percent) { mnuEffectsVolume_Click(percent); })},
      {.kind = K::Menu,
       .id = "mnuBackgroundMusic",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Background music")},
      {.kind = K::Family, .id = "mnuPlayMusic", .in = "mnuBackgroundMusic", .family = tunes},
      {.kind = K::Line, .id = "mnuLineF3", .in = "mnuBackgroundMusic"},
      {.id = "mnuStopMusic",
       .in = "mnuBackgroundMusic",
       .caption = QT_TR_NOOP("No music"),
       .run = [this] { mnuStopMusic_Click(); },
       .checked = [this] { return music_.Menu().StopMusicChecked; }},
      {.kind = K::Line, .id = "mnuLineM1", .in = "mnuBackgroundMusic"},
      {.id = "mnuRepeatMusic",
       .in = "mnuBackgroundMusic",
       .caption = QT_TR_NOOP("Repeat"),
       .run = [this] { mnuRepeatMusic_Click(); },
       .checked = [this] { return music_.Repeat(); }},
      {.kind = K::Menu,
       .id = "mnuMusicVolume",
       .in = "mnuBackgroundMusic",
       .caption = QT_TR_NOOP("Music volume")},
      {.kind = K::Family,
       .id = "mnuMusicVolume",
       .in = "mnuMusicVolume",
       .family = ChoiceRows(
           kVolumeChoices, [this] { return music_.MusicVolume(); },
           [this](int percent) { mnuMusicVolume_Click(percent); })},
      {.kind = K::Line, .id = "mnuLineF4", .in = "mnuFile"},
      {.id = "mnuMarkLastMove",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Mark last move"),
       .run = [this] { mnuMarkLastMove_Click(); },
       .checked = [this] { return settings_.MarkLastMove(); }},
      {.id = "mnuVisualCues",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Visual cues"),
       .run = [this] { mnuVisualCues_Click(); },
       .checked = [this] { return visualCues_; }},
      {.kind = K::Menu,
       .id = "mnuPlayerColors",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Player colours")},
      {.kind = K::Family,
       .id = "mnuColors",
       .in = "mnuPlayerColors",
       .family = ChoiceRows(
           kColorSchemeChoices, [this] { return scheme_; },
           [this](ColorScheme scheme) { SetPlayerColors(scheme); })},
      {.kind = K::Menu,
       .id = "mnuWindowSize",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Window size")},
      {.kind = K::Family,
       .id = "mnuSize",
       .in = "mnuWindowSize",
       .family = ChoiceRows(
           kWindowSizeChoices, [this] { return settings_.Size(); },
           [this](WindowSize size) { mnuSize_Click(size); })},
      {.kind = K::Menu, .id = "mnuLanguage", .in = "mnuFile", .caption = QT_TR_NOOP("Language")},
      {.kind = K::Family, .id = "mnuLanguage", .in = "mnuLanguage", .family = languages},
      {.kind = K::Line, .id = "mnuLineF2", .in = "mnuFile"},
      {.id = "mnuExit",
       .in = "mnuFile",
       .caption = QT_TR_NOOP("Exit"),
       .key = QKeySequence(Qt::CTRL | Qt::Key_Q),
       .run = [this] { mnuExit_Click(); }},

      {.kind = K::Menu,
       .id = "mnuReset",
       .caption = QT_TR_NOOP("Reset"),
       .enabled = net(MenuItem::Reset)},
      // Ctrl+N reaches "Clear" even while its menu is off, so it has the menu's rule.
      {.id = "mnuClear",
       .in = "mnuReset",
       .caption = QT_TR_NOOP("Clear"),
       .key = QKeySequence(Qt::CTRL | Qt::Key_N),
       .run = [this] { mnuClear_Click(); },
       .enabled = net(MenuItem::Reset)},
      {.kind = K::Line, .id = "mnuLineR1", .in = "mnuReset"},
      {.kind = K::Family, .id = "mnuSetup", .in = "mnuReset", .family = stages},

      {.kind = K::Menu, .id = "mnuNetwork", .caption = QT_TR_NOOP("Network")},
      {.id = "mnuShowChat",
       .in = "mnuNetwork",
       .caption = QT_TR_NOOP("Chat window"),
       .run = [this] { mnuShowChat_Click(); }},
      {.kind = K::Line, .id = "mnuLineN1", .in = "mnuNetwork"},
      {.id = "mnuServer",
       .in = "mnuNetwork",
       .caption = QT_TR_NOOP("Host game"),
       .run = [this] { mnuServer_Click(); },
       .enabled = net(MenuItem::Server)},
      {.id = "mnuClient",
       .in = "mnuNetwork",
       .caption = QT_TR_NOOP("Connect to Server"),
       .run = [this] { mnuClient_Click(); },
       .enabled = net(MenuItem::Client)},
      {.id = "mnuFindGames",
       .in = "mnuNetwork",
       .caption = QT_TR_NOOP("Find games on this network…"),
       .run = [this] { mnuFindGames_Click(); }},
      {.id = "mnuInternetAccount",
       .in = "mnuNetwork",
       .caption = QT_TR_NOOP("Internet account…"),
       .run = [this] { mnuInternetAccount_Click(); }},
      {.id = "mnuInvite",
       .in = "mnuNetwork",
       .caption = QT_TR_NOOP("Invite over the internet…"),
       .run = [this] { mnuInvite_Click(); },
       .enabled = net(MenuItem::Server)},
      {.kind = K::Line, .id = "mnuLineN2", .in = "mnuNetwork"},
      {.id = "mnuDisconnect",
       .in = "mnuNetwork",
       .caption = QT_TR_NOOP("Disconnect"),
       .run = [this] { mnuDisconnect_Click(); },
       .enabled = net(MenuItem::Disconnect)},
      {.kind = K::Line, .id = "mnuLineN3", .in = "mnuNetwork"},
      {.id = "mnuSynchronize",
       .in = "mnuNetwork",
       .caption = QT_TR_NOOP("Synchronize"),
       .run = [this] { mnuSynchronize_Click(); },
       .enabled = net(MenuItem::Synchronize)},

      {.kind = K::Menu, .id = "mnuHelp", .caption = QT_TR_NOOP("Help")},
      // Without a web site in this build the two entries that only exist there are off.
      {.id = "mnuWebsite",
       .in = "mnuHelp",
       .caption = QT_TR_NOOP("Vextal website"),
       .run = [this] { mnuWebsite_Click(); },
       .enabled = [this] { return pages_.HasWebsite(); },
       .offNote = QT_TR_NOOP("This build of Vextal has no web site.")},
      {.id = "mnuGuestbook",
       .in = "mnuHelp",
       .caption = QT_TR_NOOP("Guestbook"),
       .run = [this] { mnuGuestbook_Click(); },
       .enabled = [this] { return pages_.HasWebsite(); },
       .offNote = QT_TR_NOOP("This build of Vextal has no web site.")},
      {.kind = K::Line, .id = "mnuLineH3", .in = "mnuHelp"},
      {.id = "mnuUpdate",
       .in = "mnuHelp",
       .caption = QT_TR_NOOP("Web update"),
       .run = [this] { mnuUpdate_Click(); }},
      {.kind = K::Line, .id = "mnuLineH1", .in = "mnuHelp"},
      {.id = "mnuHowTo",
       .in = "mnuHelp",
       .caption = QT_TR_NOOP("How to play"),
       .run = [this] { mnuHowTo_Click(); }},
      {.kind = K::Family, .id = "mnuReadme", .in = "mnuHelp", .family = readmes},
      {.kind = K::Line, .id = "mnuLinH2", .in = "mnuHelp"},
      {.id = "mnuPayPal",
       .in = "mnuHelp",
       .caption = "PayPal",  // a name, the same in every language
       .run = [this] { mnuPayPal_Click(); }},
      {.kind = K::Line, .id = "mnuLineH4", .in = "mnuHelp"},
      {.id = "mnuAbout",
       .in = "mnuHelp",
       .caption = QT_TR_NOOP("About Vextal"),
       .run = [this] { mnuAbout_Click(); }},
  };
}

}  // namespace vextal
