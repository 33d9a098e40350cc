// The main window's menus: the tree, the states the rules set, and the commands.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

#include "shell/AboutBox.h"
#include "shell/HelpViewer.h"
#include "shell/Mnemonics.h"
#include "shell/QtDialogs.h"
#include "shell/ShellPaths.h"
#include "shell/UiLanguage.h"
#include "shell/Website.h"
#include "shell/WindowFakes.h"
#include "shell/frmMain.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

using Rig = WindowRig;

// The visible items of a menu, "-" for a separator.
QStringList Captions(const QMenu* menu) {
  QStringList captions;
  for (const QAction* action : menu->actions()) {
    if (action->isVisible()) {
      captions << (action->isSeparator() ? QStringLiteral("-") : StripMnemonic(action->text()));
    }
  }
  return captions;
}

// Every caption under the menu, drawn as the user reads it: without the access key's '&'.
void CollectCaptions(const QMenu* menu, QStringList& into) {
  for (const QAction* action : menu->actions()) {
    if (action->isVisible() && !action->isSeparator()) {
      into << StripMnemonic(action->text());
      if (action->menu()) {
        CollectCaptions(action->menu(), into);
      }
    }
  }
}

// A desktop without a browser that opens every local file; it records what it was asked.
class RecordingOpener final : public UrlOpener {
 public:
  bool OpenWebAddress(const QString& address) override {
    asked << address;
    return false;
  }
  bool OpenLocalFile(const QString& path) override {
    asked << path;
    return true;
  }
  QStringList asked;
};

}  // namespace

class TestWindowMenus : public QObject {
  Q_OBJECT

 private slots:
  void menuTree() {
    Rig rig;
    const QMenuBar* bar = rig.window->menuBar();
    QStringList top;
    for (const QAction* action : bar->actions()) {
      top << StripMnemonic(action->text());
    }
    QCOMPARE(top, (QStringList{"File", "Reset", "Network", "Help"}));
    QCOMPARE(Captions(rig.Find<QMenu>("mnuFile")), (QStringList{"Enable CPU player",
                                                                "Enable Demo player",
                                                                "CPU strength",
                                                                "-",
                                                                "Undo move",
                                                                "Hint",
                                                                "-",
                                                                "Game record",
                                                                "Open game…",
                                                                "Save game…",
                                                                "-",
                                                                "Sound effects",
                                                                "Effects volume",
                                                                "Background music",
                                                                "-",
                                                                "Mark last move",
                                                                "Visual cues",
                                                                "Player colours",
                                                                "Window size",
                                                                "Language",
                                                                "-",
                                                                "Exit"}));
    QCOMPARE(Captions(rig.Find<QMenu>("mnuCpuStrength")),
             (QStringList{"Classic", "Good", "Strong", "Master", "Perfect"}));
    QCOMPARE(Captions(rig.Find<QMenu>("mnuBackgroundMusic")),
             (QStringList{"(none)", "-", "No music", "-", "Repeat", "Music volume"}));
    QCOMPARE(Captions(rig.Find<QMenu>("mnuMusicVolume")),
             (QStringList{"100 %", "75 %", "50 %", "25 %"}));
    QCOMPARE(Captions(rig.Find<QMenu>("mnuWindowSize")),
             (QStringList{"Normal", "Large (150 %)", "Huge (200 %)", "-",
                          "Takes effect at the next start"}));
    QCOMPARE(Captions(rig.Find<QMenu>("mnuLanguage")),
             (QStringList{"System", "English", "Deutsch", "Fran\u00e7ais"}));
    QCOMPARE(Captions(rig.Find<QMenu>("mnuReset")),
             (QStringList{"Clear", "-", "Stage 1", "Stage 2", "Stage 3", "Stage 4", "Stage 5",
                          "Stage 6", "Stage 7"}));
    QCOMPARE(Captions(rig.Find<QMenu>("mnuNetwork")),
             (QStringList{"Chat window", "-", "Host game", "Connect to Server",
                          "Find games on this network…", "Internet account…",
                          "Invite over the internet…", "-", "Disconnect", "-", "Synchronize"}));
    QCOMPARE(Captions(rig.Find<QMenu>("mnuHelp")),
             (QStringList{"Vextal website", "Guestbook", "-", "Web update", "-", "How to play",
                          "Readme (english)", "Readme (deutsch)", "Readme (fran\u00e7ais)", "-",
                          "PayPal", "-", "About Vextal"}));

    // The stage template stays in the menu, hidden, right before the seven stages.
    const QAction* stageTemplate = rig.Item("mnuSetup0");
    QCOMPARE(stageTemplate->text(), QStringLiteral("Stage [1]"));
    QVERIFY(!stageTemplate->isVisible());
    QCOMPARE(rig.Find<QMenu>("mnuReset")->actions().indexOf(stageTemplate), 2);
    for (int i = 1; i <= 7; ++i) {
      const QAction* stage = rig.window->findChild<QAction*>(QStringLiteral("mnuSetup%1").arg(i));
      QVERIFY(stage);
      QCOMPARE(stage->text(), QStringLiteral("Stage &%1").arg(i));
    }
    // The stage being played is marked, and only that one.
    for (const int played : {3, 6}) {
      rig.Item(qPrintable(QStringLiteral("mnuSetup%1").arg(played)))->trigger();
      for (int i = 1; i <= 7; ++i) {
        QCOMPARE(rig.Item(qPrintable(QStringLiteral("mnuSetup%1").arg(i)))->isChecked(),
                 i == played);
      }
    }
    // Every window carries the game's icon.
    rig.Item("mnuShowChat")->trigger();
    const QIcon icon = rig.window->windowIcon();
    QVERIFY(!icon.isNull());
    for (const QWidget* other : QApplication::topLevelWidgets()) {
      QCOMPARE(other->windowIcon().cacheKey(), icon.cacheKey());
    }
  }

  // Every visible entry has an access key of its own in its menu; Alt with a letter and F10 open
  // the menus; Ctrl+N starts a new game, Ctrl+Q shuts down with the farewell box.
  void keys() {
    Rig rig;
    QList<QWidget*> menus = {rig.window->menuBar()};
    for (QMenu* menu : rig.window->findChildren<QMenu*>()) {
      menus << menu;
    }
    for (const QWidget* menu : menus) {
      QSet<QChar> keys;
      for (const QAction* item : menu->actions()) {
        if (item->isVisible() && !item->isSeparator()) {
          const QChar key = MnemonicOf(item->text());
          QVERIFY2(!key.isNull() && !keys.contains(key), qPrintable(item->text()));
          keys.insert(key);
        }
      }
    }
    QCOMPARE(MnemonicOf(QStringLiteral("R&&B &x")), QChar(u'x'));
    QCOMPARE(StripMnemonic(QStringLiteral("R&&B &x")), QStringLiteral("R&B x"));

    rig.window->show();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    auto* file = rig.Find<QMenu>("mnuFile");
    QTest::keyClick(rig.window.get(), Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(file->isVisible());
    file->close();
    QTRY_VERIFY(!file->isVisible());
    QTest::keyClick(rig.window.get(), Qt::Key_F10);
    QTRY_VERIFY(file->isVisible());
    file->close();

    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    QTest::keyClick(rig.window.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(rig.LogLines().size(), 2);
    rig.clock.Advance(121'000);
    QTest::keyClick(rig.window.get(), Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(rig.dialogs.boxes.size(), 1);
    QCOMPARE(rig.dialogs.boxes.first().title, QStringLiteral("Support Vextal"));
  }

  // The language chosen in the menu, or the system's when it is System, decides the texts of the
  // windows built afterwards, Qt's own buttons included; anything but German is the English.
  void captionsFollowTheLanguage_data() {
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QStringList>("systemLanguages");
    QTest::addColumn<bool>("german");
    QTest::newRow("C locale") << QString() << QStringList{"C"} << false;
    QTest::newRow("English system") << QString() << QStringList{"en-US", "de-DE"} << false;
    QTest::newRow("German system") << QString() << QStringList{"de-DE", "de"} << true;
    QTest::newRow("no texts, then German") << QString() << QStringList{"ja-JP", "de-AT"} << true;
    QTest::newRow("English chosen") << "en" << QStringList{"de-DE"} << false;
    QTest::newRow("Deutsch chosen") << "de" << QStringList{"C"} << true;
  }

  void captionsFollowTheLanguage() {
    QFETCH(QString, choice);
    QFETCH(QStringList, systemLanguages);
    QFETCH(bool, german);
    const UiTranslation translation(choice, systemLanguages);
    QCOMPARE(translation.Shown() == "de", german);
    Rig rig;
    QStringList top;
    for (const QAction* action : rig.window->menuBar()->actions()) {
      top << StripMnemonic(action->text());
    }
    const auto box = QtDialogs::BuildMessageBox(BoxIcon::None, QString(), QString(),
                                                BoxButtons::YesNoCancel, nullptr);
    if (german) {
      QCOMPARE(top, (QStringList{"Datei", "Zur\u00fccksetzen", "Netzwerk", "Hilfe"}));
      QCOMPARE(Captions(rig.Find<QMenu>("mnuLanguage")).first(), QStringLiteral("System"));
      QCOMPARE(StripMnemonic(rig.Item("mnuEnableAI")->text()),
               QStringLiteral("CPU-Spieler einschalten"));
      QCOMPARE(StripMnemonic(rig.Item("mnuSetup3")->text()), QStringLiteral("Stufe 3"));
      QCOMPARE(box->button(QMessageBox::No)->text(), QStringLiteral("&Nein"));
      QCOMPARE(rig.Find<QLabel>("lblPlayer1")->text(), QStringLiteral("Spieler 1"));
      QVERIFY(rig.Find<QLabel>("lblState")->text().endsWith("] Neues Spiel gestartet."));
    } else {
      QCOMPARE(top, (QStringList{"File", "Reset", "Network", "Help"}));
      QCOMPARE(StripMnemonic(rig.Item("mnuEnableAI")->text()), QStringLiteral("Enable CPU player"));
      QCOMPARE(StripMnemonic(rig.Item("mnuSetup3")->text()), QStringLiteral("Stage 3"));
      QCOMPARE(box->button(QMessageBox::No)->text(), QStringLiteral("&No"));
      QCOMPARE(rig.Find<QLabel>("lblPlayer1")->text(), QStringLiteral("Player 1"));
      QVERIFY(rig.Find<QLabel>("lblState")->text().endsWith("] New game started."));
    }
  }

  // Choosing a language changes the open windows at once, mid-game: captions, access keys and F1
  // follow; the board, the log and the chat stay as they were.
  void languageChangesAtOnce() {
    Rig rig;
    Game& game = rig.window->game();
    game.PlayCell(1, 1);
    game.PlayCell(3, 2);
    const Board board = game.Nodes();
    rig.window->chat().AddChatLine(QStringLiteral("hello"), false);
    rig.window->chat().ShowChat();
    const QString log = rig.window->LogText();
    rig.Item("mnuLanguage2")->trigger();
    QTRY_COMPARE(StripMnemonic(rig.Item("mnuFile")->text()), QStringLiteral("Datei"));
    QCOMPARE(StripMnemonic(rig.Item("mnuEnableAI")->text()),
             QStringLiteral("CPU-Spieler einschalten"));
    QCOMPARE(StripMnemonic(rig.Item("mnuSetup3")->text()), QStringLiteral("Stufe 3"));
    QCOMPARE(rig.Text("lblPlayer1"), QStringLiteral("Spieler 1"));
    QVERIFY(rig.Item("mnuLanguage2")->isChecked());
    QCOMPARE(rig.Item("mnuReadmeDE")->shortcut(), QKeySequence(Qt::Key_F1));
    QVERIFY(rig.Item("mnuReadmeEN")->shortcut().isEmpty());
    QVERIFY(game.Nodes() == board);
    QCOMPARE(rig.window->LogText(), log);
    QVERIFY(rig.window->chat().Text().contains(QStringLiteral("hello")));
    rig.Item("mnuLanguage1")->trigger();
    QTRY_COMPARE(StripMnemonic(rig.Item("mnuFile")->text()), QStringLiteral("File"));
    QCOMPARE(rig.Item("mnuReadmeEN")->shortcut(), QKeySequence(Qt::Key_F1));
    QVERIFY(game.Nodes() == board);
  }

  void readMeNamesEveryMenuEntry() {
    // The English read-me beside the program, as text, names every entry the window offers.
    Rig rig;
    QFile file(ProgramFolder() + QStringLiteral("/readme_en.html"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTextDocument page;
    page.setHtml(QString::fromUtf8(file.readAll()));
    const QString text = page.toPlainText().simplified();
    QStringList captions;
    for (const QAction* menu : rig.window->menuBar()->actions()) {
      captions << StripMnemonic(menu->text());
      CollectCaptions(menu->menu(), captions);
    }
    QVERIFY(captions.size() > 30);
    for (const QString& caption : captions) {
      QVERIFY2(text.contains(caption), qPrintable("not in readme_en.html: " + caption));
    }
  }

  void initialMenuStates() {
    Rig rig;
    struct State {
      const char* name;
      bool enabled;
      bool checked;
    };
    const State states[] = {
        {"mnuEnableAI", true, false},     {"mnuEnableDemo", false, false},
        {"mnuCpuStrength", false, false}, {"mnuCpuLevel0", true, true},
        {"mnuCpuLevel3", true, false},    {"mnuSize0", true, true},
        {"mnuSize2", true, false},        {"mnuSizeNote", false, false},
        {"mnuLanguage0", true, true},     {"mnuEnableSound", true, true},
        {"mnuPlayMusic0", false, false},  {"mnuStopMusic", true, true},
        {"mnuExit", true, false},         {"mnuReset", true, false},
        {"mnuClear", true, false},        {"mnuUndo", false, false},
        {"mnuHint", true, false},         {"mnuMarkLastMove", true, true},
        {"mnuShowChat", true, false},     {"mnuServer", true, false},
        {"mnuClient", true, false},       {"mnuFindGames", true, false},
        {"mnuDisconnect", false, false},  {"mnuSynchronize", false, false},
        {"mnuWebsite", false, false},     {"mnuGuestbook", false, false},
        {"mnuPayPal", true, false},
    };
    for (const State& s : states) {
      const QAction* item = rig.Item(s.name);
      QVERIFY2(item, s.name);
      QVERIFY2(item->isEnabled() == s.enabled, s.name);
      QVERIFY2(item->isChecked() == s.checked, s.name);
    }
    // The test build names no web site: its two entries say why they are off.
    QCOMPARE(rig.Item("mnuGuestbook")->toolTip(),
             QStringLiteral("This build of Vextal has no web site."));
  }

  void menuStatesFollowTheGame() {
    // The connecting side of a network game: every entry the rules switch changes.
    Rig rig;
    Game& game = rig.window->game();
    game.SetNetSwitches(true, false, false);
    QVERIFY(!rig.Item("mnuEnableAI")->isEnabled());
    QVERIFY(!rig.Item("mnuEnableDemo")->isEnabled());
    QVERIFY(!rig.Item("mnuCpuStrength")->isEnabled());
    QVERIFY(!rig.Find<QMenu>("mnuReset")->menuAction()->isEnabled());
    QVERIFY(!rig.Item("mnuServer")->isEnabled());
    QVERIFY(!rig.Item("mnuClient")->isEnabled());
    QVERIFY(rig.Item("mnuDisconnect")->isEnabled());
    QVERIFY(!rig.Item("mnuSynchronize")->isEnabled());
    game.SetNetSwitches(true, true, false);
    QVERIFY(rig.Find<QMenu>("mnuReset")->menuAction()->isEnabled());
    QVERIFY(rig.Item("mnuSynchronize")->isEnabled());
  }

  // Each Help entry shows its own page. The test build names no web site, so the desktop is never
  // asked: the local copy opens in the program's viewer, and the web-only entries are off.
  void helpEntriesOpenTheirOwnPages_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("page");  // "" for an entry with no local copy
    QTest::newRow("website") << "mnuWebsite"
                             << "";
    QTest::newRow("guestbook") << "mnuGuestbook"
                               << "";
    QTest::newRow("update") << "mnuUpdate"
                            << "update.html";
    QTest::newRow("readme english") << "mnuReadmeEN"
                                    << "readme_en.html";
    QTest::newRow("readme german") << "mnuReadmeDE"
                                   << "readme_de.html";
    QTest::newRow("paypal") << "mnuPayPal"
                            << "paypal.html";
    QTest::newRow("how to play") << "mnuHowTo"
                                 << "howto_en.html";
  }
  void helpEntriesOpenTheirOwnPages() {
    QFETCH(QString, item);
    QFETCH(QString, page);
    QTemporaryDir folder;
    for (const char* document :
         {"update.html", "readme_en.html", "readme_de.html", "paypal.html", "howto_en.html"}) {
      QFile copy(folder.filePath(document));
      QVERIFY(copy.open(QIODevice::WriteOnly));
    }
    FakeClock clock{kWindowClockStartMs};
    SeededRandom random{1};
    RecordingDialogs dialogs;
    RecordingOpener opener;
    frmMain window(clock, random, dialogs, opener, folder.path());
    QAction* entry = window.findChild<QAction*>(item);
    QCOMPARE(entry->isEnabled(), !page.isEmpty());
    entry->trigger();
    QVERIFY(opener.asked.isEmpty());
    const HelpViewer* viewer = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      viewer = viewer ? viewer : qobject_cast<HelpViewer*>(widget);
    }
    QCOMPARE(viewer ? viewer->Browser()->source() : QUrl(),
             page.isEmpty() ? QUrl() : QUrl::fromLocalFile(folder.filePath(page)));
    QVERIFY(dialogs.boxes.isEmpty());
  }

  // The About box opens without blocking and names the version and the licence; the first start
  // says once where the rules are, a later one with the same settings does not.
  void aboutBoxAndFirstStartNote() {
    QTemporaryDir folder;
    ShellSettings settings(folder.filePath("v.conf"));
    FakeClock clock{kWindowClockStartMs};
    SeededRandom random{1};
    RecordingDialogs dialogs;
    const QString note = QStringLiteral("Help → How to play");
    {
      frmMain window(clock, random, dialogs, settings);
      QVERIFY(window.findChild<QLabel*>("lblState")->text().contains(note));
      QVERIFY(window.AboutWindow() == nullptr);
      window.findChild<QAction*>("mnuAbout")->trigger();
      AboutBox* about = window.AboutWindow();
      QVERIFY(about && about->isVisible() && !about->isModal());
      QVERIFY(about->Text()->text().contains(frmMain::VersionText()));
      QVERIFY(about->Text()->text().contains("GPL-3.0-or-later"));
      QCOMPARE(about->AboutQtButton()->text(), QStringLiteral("About Qt"));
    }
    frmMain again(clock, random, dialogs, settings);
    QVERIFY(!again.findChild<QLabel*>("lblState")->text().contains(note));
    QVERIFY(dialogs.boxes.isEmpty());
  }

  // An entry added as one row stands in its menu with its caption and key; its rules set its
  // state at every refresh, a click or key runs it only while enabled, and the mark is the rule's.
  void commandRowAddedInATest() {
    Rig rig;
    bool allowed = true;
    bool marked = false;
    int runs = 0;
    rig.window->Commands().Add({.id = "mnuTestEntry",
                                .in = "mnuNetwork",
                                .caption = "Test entry",
                                .key = QKeySequence(Qt::CTRL | Qt::Key_T),
                                .run = [&] { ++runs; },
                                .enabled = [&] { return allowed; },
                                .checked = [&] { return marked; }});
    QAction* entry = rig.Item("mnuTestEntry");
    QVERIFY(entry);
    QCOMPARE(rig.Find<QMenu>("mnuNetwork")->actions().last(), entry);
    QCOMPARE(StripMnemonic(entry->text()), QStringLiteral("Test entry"));
    QVERIFY(!MnemonicOf(entry->text()).isNull());
    QCOMPARE(entry->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    QVERIFY(entry->isEnabled() && entry->isCheckable() && !entry->isChecked());
    entry->trigger();
    QCOMPARE(runs, 1);
    QVERIFY(!entry->isChecked());  // Qt's own toggle is put back: the rule says unmarked
    marked = true;
    allowed = false;
    rig.window->game().SetNetSwitches(true, true, false);  // any change of the seats refreshes
    QVERIFY(!entry->isEnabled() && entry->isChecked());
    entry->trigger();  // as a shortcut reaching it would
    QCOMPARE(runs, 1);
  }

  // A table of choices becomes one radio family: captions from the table, the mark where the
  // owner's value is, and the value picked handed over.
  void choiceTableBecomesARadioFamily() {
    enum class Shade { Light, Dark };
    static constexpr ChoiceTable<Shade, 2> kShades = {{
        {Shade::Light, "Light", "Light shade"},
        {Shade::Dark, "Dark", "Dark shade"},
    }};
    Rig rig;
    Shade shade = Shade::Dark;
    rig.window->Commands().Add(
        {.kind = RowKind::Menu, .id = "mnuShade", .in = "mnuFile", .caption = "Shade"});
    rig.window->Commands().Add({.kind = RowKind::Family,
                                .id = "mnuShadeItem",
                                .in = "mnuShade",
                                .family = ChoiceRows(
                                    kShades, [&] { return shade; }, [&](Shade s) { shade = s; })});
    QCOMPARE(Captions(rig.Find<QMenu>("mnuShade")), (QStringList{"Light shade", "Dark shade"}));
    QAction* light = rig.Item("mnuShadeItem0");
    QVERIFY(!light->isChecked() && rig.Item("mnuShadeItem1")->isChecked());
    light->trigger();
    QCOMPARE(shade, Shade::Light);
    QVERIFY(light->isChecked() && !rig.Item("mnuShadeItem1")->isChecked());
    QCOMPARE(ChoiceFromName(kShades, QStringLiteral("Dark")), std::optional(Shade::Dark));
    QCOMPARE(ChoiceFromName(kShades, QStringLiteral("dark")), std::nullopt);
  }

  void cpuAndDemoSwitches() {
    Rig rig;
    QAction* ai = rig.Item("mnuEnableAI");
    QAction* demo = rig.Item("mnuEnableDemo");
    const QAction* strength = rig.Item("mnuCpuStrength");
    const Game& game = rig.window->game();

    ai->trigger();
    QVERIFY(ai->isChecked() && game.CpuOn());
    QVERIFY(demo->isEnabled() && !demo->isChecked());
    QVERIFY(strength->isEnabled());
    // One strength at a time, and the game plays at the one chosen.
    rig.Item("mnuCpuLevel2")->trigger();
    QCOMPARE(game.GetCpuLevel(), CpuLevel::Strong);
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(rig.window->findChild<QAction*>(QStringLiteral("mnuCpuLevel%1").arg(i))->isChecked(),
               i == 2);
    }
    QCOMPARE(rig.Text("lblPlayer1"), QStringLiteral("Player"));
    QCOMPARE(rig.Text("lblPlayer2"), QStringLiteral("CPU"));

    demo->trigger();
    QVERIFY(demo->isChecked() && game.DemoOn());
    QCOMPARE(rig.Text("lblPlayer1"), QStringLiteral("CPU 1"));
    QCOMPARE(rig.Text("lblPlayer2"), QStringLiteral("CPU 2"));

    ai->trigger();
    QVERIFY(!ai->isChecked() && !game.CpuOn());
    QVERIFY(!demo->isEnabled() && !strength->isEnabled());
    QVERIFY(demo->isChecked() && game.DemoOn());  // stays checked while disabled
    QCOMPARE(rig.Text("lblPlayer1"), QStringLiteral("Player 1"));
    QCOMPARE(rig.Text("lblPlayer2"), QStringLiteral("Player 2"));

    ai->trigger();
    QCOMPARE(rig.Text("lblPlayer1"), QStringLiteral("CPU 1"));
    QCOMPARE(rig.Text("lblPlayer2"), QStringLiteral("CPU 2"));
    // The switches do not touch the game in progress.
    QCOMPARE(rig.LogLines().size(), 1);
  }

  void stageItemsAndClear() {
    Rig rig;
    const Game& game = rig.window->game();
    rig.Item("mnuSetup6")->trigger();
    int nodes = 0;
    for (int c = 1; c <= 5; ++c) {
      for (int r = 1; r <= 4; ++r) {
        nodes += game.Nodes()(c, r).Exists ? 1 : 0;
      }
    }
    QCOMPARE(nodes, 20);
    QCOMPARE(game.ActPlayer(), Player(2));  // every new game hands the move over
    rig.Item("mnuClear")->trigger();
    QCOMPARE(game.ActPlayer(), Player(1));
    QCOMPARE(rig.LogLines().size(), 3);
    QVERIFY(rig.LogLines().last().endsWith(QStringLiteral("] New game started.")));
  }

  void soundMenus() {
    Rig rig;
    QAction* sound = rig.Item("mnuEnableSound");
    sound->trigger();
    QVERIFY(!sound->isChecked());
    QVERIFY(rig.window->music().SoundOff());
    sound->trigger();
    QVERIFY(sound->isChecked());
    QVERIFY(!rig.window->music().SoundOff());

    // "No music" stays checked when chosen again.
    QAction* noMusic = rig.Item("mnuStopMusic");
    noMusic->trigger();
    QVERIFY(noMusic->isChecked());
    QVERIFY(!rig.window->music().MusicPlaying());
  }

  void tuneListFromTheMusicFolder() {
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("music")));
    for (const char* name : {"my song.mid", "alpha.mid", "notes.txt"}) {
      QFile file(folder.path() + QStringLiteral("/music/") + QString::fromLatin1(name));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("not a tune");
    }
    FakeClock clock{kWindowClockStartMs};
    SeededRandom random(5);
    RecordingDialogs dialogs;
    frmMain w(clock, random, dialogs, folder.path());
    const QMenu* music = w.findChild<QMenu*>(QStringLiteral("mnuBackgroundMusic"));
    QCOMPARE(Captions(music),
             (QStringList{"alpha", "my song", "-", "No music", "-", "Repeat", "Music volume"}));
    QVERIFY(!w.findChild<QAction*>(QStringLiteral("mnuPlayMusic0"))->isVisible());
    QAction* tune = w.findChild<QAction*>(QStringLiteral("mnuPlayMusic2"));
    QCOMPARE(StripMnemonic(tune->text()), QStringLiteral("my song"));
    QVERIFY(tune->isEnabled());

    // A tune that cannot be played is told, and the marks stay as they were.
    tune->trigger();
    QCOMPARE(dialogs.boxes.size(), 1);
    QCOMPARE(dialogs.boxes.first().text, mMusic::MidiFailedText());
    QVERIFY(!tune->isChecked());
    QVERIFY(w.findChild<QAction*>(QStringLiteral("mnuStopMusic"))->isChecked());
  }
};

QTEST_MAIN(TestWindowMenus)
#include "test_window_menus.moc"
