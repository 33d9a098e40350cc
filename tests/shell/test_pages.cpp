#include <QDir>
#include <QFile>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "shell/HelpViewer.h"
#include "shell/Pages.h"
#include "shell/ShellPaths.h"
#include "shell/UiLanguage.h"
#include "shell/WindowFakes.h"

using namespace vextal;
using vextal::testing::RecordingDialogs;

namespace {

// A browser that either takes every address or cannot be started, and a desktop that either
// opens local files or cannot; both record what they were asked. Nothing real is ever launched.
class FakeOpener : public UrlOpener {
 public:
  explicit FakeOpener(bool browserWorks, bool filesOpen = true)
      : browserWorks_(browserWorks), filesOpen_(filesOpen) {}
  bool OpenWebAddress(const QString& address) override {
    addresses.append(address);
    return browserWorks_;
  }
  bool OpenLocalFile(const QString& path) override {
    localFiles.append(path);
    return filesOpen_;
  }

  QStringList addresses;
  QStringList localFiles;

 private:
  bool browserWorks_;
  bool filesOpen_;
};

using Command = void (Pages::*)();

// The web site these tests configure; the test build itself names none.
const QString kSite = QStringLiteral("https://vextal.example.org/");

void Touch(const QString& path) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
}

const QStringList kDocuments = {QStringLiteral("update.html"), QStringLiteral("readme_en.html"),
                                QStringLiteral("readme_de.html"), QStringLiteral("paypal.html")};

}  // namespace

Q_DECLARE_METATYPE(Command)

class TestPages : public QObject {
  Q_OBJECT

 private slots:
  void workingBrowserGetsEveryAddressAndNoLocalFile();
  void failingBrowserHandsLocalCopyToShell();
  void desktopFailingTooShowsViewer();
  void neitherShowsErrorNamingPage_data();
  void neitherShowsErrorNamingPage();
  void websiteAndGuestbookFailSilently();
  void noWebsiteShowsLocalCopiesInViewer();
  void viewerFitsScreenAndKeepsItsSize();
  void shippedDocumentsLieBesideProgram();
  void readmeOfTheLanguageAndTitlesInIt();
};

// A language without a read-me beside the program gets the English one; the pages written in
// every language are titled in the language shown, and change title with it.
void TestPages::readmeOfTheLanguageAndTitlesInIt() {
  QTemporaryDir folder;
  for (const QString& document : kDocuments) {
    Touch(folder.filePath(document));
  }
  FakeOpener opener(false);
  RecordingDialogs dialogs;
  Pages pages(opener, dialogs, folder.path(), QString());
  pages.OpenReadme(QStringLiteral("de"));
  QCOMPARE(pages.Viewer()->Browser()->source(),
           QUrl::fromLocalFile(folder.filePath("readme_de.html")));
  pages.OpenReadme(QStringLiteral("fr"));
  QCOMPARE(pages.Viewer()->Browser()->source(),
           QUrl::fromLocalFile(folder.filePath("readme_en.html")));
  QVERIFY(dialogs.boxes.isEmpty());

  pages.OpenPayPal();
  QCOMPARE(pages.Viewer()->windowTitle(), QStringLiteral("Vextal - Donate"));
  UiTranslation german(QStringLiteral("de"));
  QTRY_COMPARE(pages.Viewer()->windowTitle(), QStringLiteral("Vextal - Spenden"));
  pages.OpenUpdatePage();
  QCOMPARE(pages.Viewer()->windowTitle(), QStringLiteral("Vextal - Aktualisierungen"));
}

void TestPages::workingBrowserGetsEveryAddressAndNoLocalFile() {
  QTemporaryDir folder;
  for (const QString& document : kDocuments) {
    Touch(folder.filePath(document));
  }
  FakeOpener opener(true);
  RecordingDialogs dialogs;
  Pages pages(opener, dialogs, folder.path(), kSite);

  pages.OpenWebsite();
  pages.OpenGuestbook();
  pages.OpenUpdatePage();
  pages.OpenReadmeEnglish();
  pages.OpenReadmeGerman();
  pages.OpenPayPal();
  pages.OpenDonatePage();

  const QStringList expected = {
      "https://vextal.example.org",
      "https://vextal.example.org/gb",
      "https://vextal.example.org/update.html",
      "https://vextal.example.org/readme_en.html",
      "https://vextal.example.org/readme_de.html",
      "https://vextal.example.org/paypal.html",
      "https://vextal.example.org/paypal.html",
  };
  QCOMPARE(opener.addresses, expected);
  QVERIFY(opener.localFiles.isEmpty());
  QVERIFY(dialogs.boxes.isEmpty());
  QVERIFY(pages.OpenBrowser(QStringLiteral("https://vextal.example.org/x")));
}

void TestPages::failingBrowserHandsLocalCopyToShell() {
  QTemporaryDir folder;
  Touch(folder.filePath("readme_de.html"));
  FakeOpener opener(false);
  RecordingDialogs dialogs;
  Pages pages(opener, dialogs, folder.path(), kSite);

  pages.OpenReadmeGerman();

  QCOMPARE(opener.addresses, QStringList{"https://vextal.example.org/readme_de.html"});
  QCOMPARE(opener.localFiles, QStringList{folder.path() + "/readme_de.html"});
  QVERIFY(pages.Viewer() == nullptr);
  QVERIFY(dialogs.boxes.isEmpty());
  QVERIFY(!pages.OpenBrowser(QStringLiteral("https://vextal.example.org")));
}

void TestPages::desktopFailingTooShowsViewer() {
  FakeOpener opener(false, false);
  RecordingDialogs dialogs;
  Pages pages(opener, dialogs, ProgramFolder(), kSite);

  pages.OpenReadmeEnglish();
  QPointer<HelpViewer> viewer = pages.Viewer();
  QVERIFY(viewer && viewer->isVisible() && !viewer->isModal());
  QVERIFY(!viewer->BackButton()->isEnabled() && !viewer->ForwardButton()->isEnabled());
  QCOMPARE(viewer->windowTitle(), QStringLiteral("Vextal - Read me"));
  QCOMPARE(opener.localFiles, QStringList{ProgramFolder() + "/readme_en.html"});
  QVERIFY(dialogs.boxes.isEmpty());

  // What a click on each link does: the other read-me opens here, web and mail addresses go to
  // the desktop, a missing file or another scheme leaves the page as it is.
  for (const char* link : {"readme_de.html", "https://vextal.example.org/x", "mailto:a@example.org",
                           "missing.html", "javascript:alert(1)"}) {
    emit viewer->Browser()->anchorClicked(QUrl(link));
  }
  QCOMPARE(viewer->windowTitle(), QStringLiteral("Vextal - Liesmich"));
  QCOMPARE(opener.addresses.mid(1),
           (QStringList{"https://vextal.example.org/x", "mailto:a@example.org"}));

  // Back, Forward and Home walk the pages seen, by button and by key.
  viewer->BackButton()->click();
  QCOMPARE(viewer->windowTitle(), QStringLiteral("Vextal - Read me"));
  QVERIFY(QTest::qWaitForWindowActive(viewer));
  QTest::keyClick(viewer, Qt::Key_Right, Qt::AltModifier);
  QCOMPARE(viewer->windowTitle(), QStringLiteral("Vextal - Liesmich"));
  QVERIFY(viewer->BackButton()->isEnabled() && !viewer->ForwardButton()->isEnabled());
  viewer->HomeButton()->click();
  QCOMPARE(viewer->windowTitle(), QStringLiteral("Vextal - Read me"));

  viewer->close();
  pages.OpenReadmeEnglish();
  QCOMPARE(pages.Viewer(), viewer.data());
  QVERIFY(viewer->isVisible());
  QCOMPARE(viewer->windowTitle(), QStringLiteral("Vextal - Read me"));

  // Escape and Ctrl+W close it.
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
    QVERIFY(QTest::qWaitForWindowActive(viewer));
    QTest::keySequence(viewer, keys);
    QVERIFY(!viewer->isVisible());
    pages.OpenReadmeEnglish();
  }
}

void TestPages::neitherShowsErrorNamingPage_data() {
  QTest::addColumn<Command>("command");
  QTest::addColumn<QString>("page");
  QTest::newRow("Web update") << Command(&Pages::OpenUpdatePage) << "update.html";
  QTest::newRow("Readme (english)") << Command(&Pages::OpenReadmeEnglish) << "readme_en.html";
  QTest::newRow("Readme (deutsch)") << Command(&Pages::OpenReadmeGerman) << "readme_de.html";
  QTest::newRow("PayPal") << Command(&Pages::OpenPayPal) << "paypal.html";
  QTest::newRow("donate label") << Command(&Pages::OpenDonatePage) << "paypal.html";
}

void TestPages::neitherShowsErrorNamingPage() {
  QFETCH(Command, command);
  QFETCH(QString, page);

  QTemporaryDir folder;
  // Another document is there, but not the one asked for.
  Touch(folder.filePath(page == "update.html" ? "paypal.html" : "update.html"));
  FakeOpener opener(false, false);
  RecordingDialogs dialogs;
  Pages pages(opener, dialogs, folder.path(), kSite);

  (pages.*command)();

  QCOMPARE(opener.addresses, QStringList{"https://vextal.example.org/" + page});
  QVERIFY(opener.localFiles.isEmpty());
  QVERIFY(pages.Viewer() == nullptr);
  QCOMPARE(dialogs.boxes.size(), 1);
  const RecordingDialogs::Box& box = dialogs.boxes.first();
  QCOMPARE(box.icon, BoxIcon::Critical);
  QCOMPARE(box.title, QStringLiteral("Error"));
  QCOMPARE(box.text, "Could not open default browser!\r\n\r\nLocal version of " + page +
                         " also isn't available!");
}

void TestPages::websiteAndGuestbookFailSilently() {
  QTemporaryDir folder;
  Touch(folder.filePath("gb"));  // a local file of that name is never looked at
  FakeOpener opener(false);
  RecordingDialogs dialogs;
  Pages pages(opener, dialogs, folder.path(), kSite);

  pages.OpenWebsite();
  pages.OpenGuestbook();

  QCOMPARE(opener.addresses,
           (QStringList{"https://vextal.example.org", "https://vextal.example.org/gb"}));
  QVERIFY(opener.localFiles.isEmpty());
  QVERIFY(dialogs.boxes.isEmpty());
}

void TestPages::noWebsiteShowsLocalCopiesInViewer() {
  // A working browser and desktop are never asked: without a site they would only show a dead
  // address, or hand the file to a launcher that claims success and shows nothing.
  QTemporaryDir folder;
  Touch(folder.filePath("readme_en.html"));
  FakeOpener opener(true, true);
  RecordingDialogs dialogs;
  Pages pages(opener, dialogs, folder.path(), QString());

  QVERIFY(!pages.HasWebsite() && pages.HomeAddress().isEmpty());
  pages.OpenWebsite();
  pages.OpenGuestbook();
  QVERIFY(pages.Viewer() == nullptr);
  pages.OpenReadmeEnglish();
  QVERIFY(pages.Viewer() && pages.Viewer()->isVisible());
  QCOMPARE(pages.Viewer()->Browser()->source(),
           QUrl::fromLocalFile(folder.filePath("readme_en.html")));
  pages.OpenPayPal();
  QVERIFY(opener.addresses.isEmpty() && opener.localFiles.isEmpty());
  QCOMPARE(dialogs.boxes.size(), 1);
  QVERIFY(
      dialogs.boxes.first().text.endsWith("Local version of paypal.html also isn't available!"));
}

void TestPages::viewerFitsScreenAndKeepsItsSize() {
  // A remembered size larger than the screen (as the designed one is at "Huge" on a small
  // screen) opens cut to the free area; closing hands the size to the store.
  FakeOpener opener(false, false);
  RecordingDialogs dialogs;
  Pages pages(opener, dialogs, ProgramFolder(), QString());
  QList<QSize> saved;
  pages.SetViewerSizeStore([] { return QSize(5000, 4000); },
                           [&](QSize size) { saved.append(size); });
  pages.OpenReadmeEnglish();
  HelpViewer* viewer = pages.Viewer();
  const QRect free = viewer->screen()->availableGeometry();
  QVERIFY2(free.contains(viewer->geometry()),
           qPrintable(QStringLiteral("%1x%2").arg(viewer->width()).arg(viewer->height())));
  pages.CloseViewer();
  QCOMPARE(saved, QList<QSize>{viewer->size()});
}

void TestPages::shippedDocumentsLieBesideProgram() {
  // The build lays the documents out beside every binary, this test's included, so with no
  // browser and no desktop each Help page shows its local copy in the viewer, under its title.
  FakeOpener opener(false, false);
  RecordingDialogs dialogs;
  Pages pages(opener, dialogs, ProgramFolder(), kSite);
  for (Command command : {&Pages::OpenUpdatePage, &Pages::OpenReadmeEnglish,
                          &Pages::OpenReadmeGerman, &Pages::OpenPayPal}) {
    (pages.*command)();
    QVERIFY2(pages.Viewer()->windowTitle().startsWith("Vextal - "),
             qPrintable(pages.Viewer()->windowTitle()));
  }
  QVERIFY(dialogs.boxes.isEmpty());
  QCOMPARE(opener.localFiles.size(), kDocuments.size());

  for (const QString& document : kDocuments) {
    QFile file(QDir(ProgramFolder()).filePath(document));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(document));
    const QByteArray html = file.readAll();
    QVERIFY(html.startsWith("<!DOCTYPE html>"));
    QVERIFY(html.contains("<meta charset=\"utf-8\">"));
    QVERIFY(html.trimmed().endsWith("</html>"));
  }
}

QTEST_MAIN(TestPages)
#include "test_pages.moc"
