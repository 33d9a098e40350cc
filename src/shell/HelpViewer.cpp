#include "shell/HelpViewer.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPalette>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace vextal {

namespace {

// The documents' own colours, so that a page reads the same where its stylesheet is only partly
// understood.
const QColor kPageBackground(0x1e, 0x0a, 0x2e);
const QColor kPageText(0xe6, 0xe0, 0xff);
const QColor kPageLink(0x5f, 0xb8, 0xff);
constexpr int kPageMargin = 16;  // pixels around the text
// Room left around the window for its frame and title bar, which it cannot measure before it
// is first shown.
constexpr int kFrameAllowance = 48;

// Every length a page or its stylesheet gives in pixels, at a factor.
QString ScaledPixelLengths(const QString& text, double factor) {
  static const QRegularExpression length(QStringLiteral("(\\d+(?:\\.\\d+)?)px\\b"));
  QString scaled;
  qsizetype done = 0;
  for (const QRegularExpressionMatch& m : length.globalMatch(text)) {
    scaled += QStringView(text).mid(done, m.capturedStart() - done);
    scaled += QString::number(m.captured(1).toDouble() * factor, 'g', 6) + QStringLiteral("px");
    done = m.capturedEnd();
  }
  scaled += QStringView(text).mid(done);
  return scaled;
}

// A browser that asks the viewer for the pictures painted at run time, and shows the pages at
// the window size's factor: the pages give their fonts and spaces in pixels.
class PageBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;
  std::function<QImage(const QString&)> pictureOf;
  double factor = 1.0;

  QVariant loadResource(int type, const QUrl& name) override {
    if (type == QTextDocument::ImageResource && name.scheme() == QLatin1String("board")) {
      if (!pictureOf) {
        return QVariant();
      }
      const QImage picture = pictureOf(name.path());
      return factor == 1.0 ? picture
                           : picture.scaled((QSizeF(picture.size()) * factor).toSize(),
                                            Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QVariant resource = QTextBrowser::loadResource(type, name);
    if (factor != 1.0 &&
        (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)) {
      const QString text = resource.typeId() == QMetaType::QByteArray
                               ? QString::fromUtf8(resource.toByteArray())
                               : resource.toString();
      resource = ScaledPixelLengths(text, factor);
    }
    return resource;
  }
};

QToolButton* AddButton(QWidget* parent, QLayout* row, const QString& name, const QString& caption,
                       QStyle::StandardPixmap icon, const QKeySequence& keys) {
  auto* action = new QAction(parent->style()->standardIcon(icon), caption, parent);
  action->setShortcut(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setToolTip(
      QStringLiteral("%1 (%2)").arg(caption, keys.toString(QKeySequence::NativeText)));
  parent->addAction(action);
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setDefaultAction(action);
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  row->addWidget(button);
  return button;
}

}  // namespace

HelpViewer::HelpViewer(UrlOpener& opener, QSize size)
    : QWidget(nullptr), opener_(opener), browser_(new PageBrowser(this)) {
  setObjectName(QStringLiteral("HelpViewer"));
  // The main window alone decides when the program ends.
  setAttribute(Qt::WA_QuitOnClose, false);

  auto* row = new QHBoxLayout;
  back_ = AddButton(this, row, QStringLiteral("btnBack"),
                    QCoreApplication::translate("HelpViewer", "Back"), QStyle::SP_ArrowBack,
                    QKeySequence(Qt::ALT | Qt::Key_Left));
  forward_ = AddButton(this, row, QStringLiteral("btnForward"),
                       QCoreApplication::translate("HelpViewer", "Forward"),
                       QStyle::SP_ArrowForward, QKeySequence(Qt::ALT | Qt::Key_Right));
  home_ = AddButton(this, row, QStringLiteral("btnHome"),
                    QCoreApplication::translate("HelpViewer", "Home"), QStyle::SP_DirHomeIcon,
                    QKeySequence(Qt::ALT | Qt::Key_Home));
  row->addStretch();
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->addLayout(row);
  column->addWidget(browser_);

  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  QPalette colours = browser_->palette();
  colours.setColor(QPalette::Base, kPageBackground);
  colours.setColor(QPalette::Text, kPageText);
  colours.setColor(QPalette::Link, kPageLink);
  colours.setColor(QPalette::LinkVisited, kPageLink);
  browser_->setPalette(colours);
  browser_->document()->setDocumentMargin(kPageMargin);
  resize(size.isValid() && !size.isEmpty() ? size : DesignedSize());

  // Every link comes here first: QTextBrowser on its own would try to load web addresses as
  // local resources and show an empty page.
  browser_->setOpenLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this, &HelpViewer::FollowLink);
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpViewer::TakeTitle);
  connect(back_->defaultAction(), &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward_->defaultAction(), &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(home_->defaultAction(), &QAction::triggered, this, &HelpViewer::GoHome);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
  back_->setEnabled(false);
  forward_->setEnabled(false);

  // Escape and Ctrl+W close it, as they close other desktop windows.
  auto* closeKeys = new QAction(this);
  closeKeys->setObjectName(QStringLiteral("actClose"));
  closeKeys->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
  addAction(closeKeys);
  connect(closeKeys, &QAction::triggered, this, &QWidget::close);
}

void HelpViewer::ShowDocument(const QString& path) {
  homePage_ = QUrl::fromLocalFile(path);
  browser_->setSource(homePage_);
  TakeTitle();
  if (!isVisible()) {
    FitScreen();
  }
  show();
  raise();
  activateWindow();
}

void HelpViewer::SetSizeFactor(double factor) {
  auto* browser = static_cast<PageBrowser*>(browser_);
  if (factor == browser->factor) {
    return;
  }
  browser->factor = factor;
  if (!browser_->source().isEmpty()) {
    browser_->reload();
  }
}

void HelpViewer::SetPictures(std::function<QImage(const QString&)> pictureOf) {
  static_cast<PageBrowser*>(browser_)->pictureOf = std::move(pictureOf);
}

void HelpViewer::FitScreen() {
  const QScreen* where = screen();
  if (!where) {
    return;
  }
  // Available geometry is in the same scaled units as the window, whatever the window size.
  const QRect free = where->availableGeometry();
  resize(size().boundedTo(free.size() - QSize(kFrameAllowance, kFrameAllowance)));
  move(free.center() - rect().center());
}

void HelpViewer::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) {
    TakeTitle();
  }
}

void HelpViewer::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (sizeChanged_) {
    sizeChanged_(size());
  }
}

void HelpViewer::GoHome() {
  if (homePage_.isValid() && browser_->source() != homePage_) {
    browser_->setSource(homePage_);
  }
}

void HelpViewer::FollowLink(const QUrl& link) {
  const QUrl target = browser_->source().resolved(link);
  if (target.isLocalFile()) {
    // Another document beside this one, or a place in this one. A link to a file that is not
    // there leaves the page as it is.
    if (QFileInfo(target.toLocalFile()).isFile()) {
      browser_->setSource(target);
    }
    return;
  }
  const QString scheme = target.scheme();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
      scheme == QLatin1String("mailto")) {
    opener_.OpenWebAddress(target.toString());
  }
}

void HelpViewer::TakeTitle() {
  // A page written in two languages is titled in the one shown, where the title is known.
  QString title =
      titleOf_ ? titleOf_(QFileInfo(browser_->source().toLocalFile()).fileName()) : QString();
  if (title.isEmpty()) {
    title = browser_->documentTitle();
  }
  setWindowTitle(title.isEmpty() ? QFileInfo(browser_->source().toLocalFile()).fileName() : title);
}

}  // namespace vextal
