#include "shell/QtDialogs.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "shell/WindowPlacement.h"

namespace vextal {

namespace {

QMessageBox::Icon ToQtIcon(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Critical:
      return QMessageBox::Critical;
    case BoxIcon::Question:
      return QMessageBox::Question;
    case BoxIcon::Exclamation:
      return QMessageBox::Warning;
    case BoxIcon::Information:
      return QMessageBox::Information;
    case BoxIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// A message box that is moved beside the main window once it has taken its size, which it does
// only as it is shown.
class PlacedMessageBox final : public QMessageBox {
 public:
  PlacedMessageBox(QWidget* parent, const std::optional<KeepInView>& keep)
      : QMessageBox(parent), keep_(keep) {}

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);  // sizes the box and centres it over its parent
    if (!keep_) {
      return;
    }
    const QScreen* screen = QGuiApplication::screenAt(keep_->board.center());
    if (screen == nullptr) {
      screen = this->screen();
    }
    // The frame is not known before the window manager draws it: taken as the parent's.
    const QSize frame = parentWidget() ? FrameSizeLike(*this, *parentWidget()) : size();
    move(PlaceBeside(frame, screen->availableGeometry(), keep_->window, keep_->board));
  }

 private:
  std::optional<KeepInView> keep_;
};

}  // namespace

std::unique_ptr<QMessageBox> QtDialogs::BuildMessageBox(BoxIcon icon, const QString& title,
                                                        const QString& text, BoxButtons buttons,
                                                        QWidget* parent,
                                                        const std::optional<KeepInView>& keep) {
  std::unique_ptr<QMessageBox> box = std::make_unique<PlacedMessageBox>(parent, keep);
  box->setIcon(ToQtIcon(icon));
  box->setWindowTitle(title);
  // Texts carry Windows line ends; a label wants plain line feeds. Plain text, so a name
  // with markup characters is shown as typed.
  box->setTextFormat(Qt::PlainText);
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box->setText(shown);
  if (buttons == BoxButtons::YesNoCancel) {
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::Cancel);
  } else if (buttons == BoxButtons::AcceptDecline) {
    QPushButton* accept = box->addButton(QtDialogs::tr("Accept"), QMessageBox::AcceptRole);
    QPushButton* decline = box->addButton(QtDialogs::tr("Decline"), QMessageBox::RejectRole);
    box->setDefaultButton(accept);
    box->setEscapeButton(decline);
  } else {
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
    box->setEscapeButton(QMessageBox::Ok);
  }
  return box;
}

BoxAnswer QtDialogs::Message(BoxIcon icon, const QString& title, const QString& text,
                             BoxButtons buttons) {
  const auto box = BuildMessageBox(icon, title, text, buttons, parent_);
  return Run(*box, buttons);
}

BoxAnswer QtDialogs::Announce(BoxIcon icon, const QString& title, const QString& text,
                              const KeepInView& keep) {
  const auto box = BuildMessageBox(icon, title, text, BoxButtons::Ok, parent_, keep);
  return Run(*box, BoxButtons::Ok);
}

void QtDialogs::Dismiss(BoxButtons buttons) {
  for (qsizetype i = open_.size() - 1; i >= 0; --i) {
    if (open_[i].second == buttons && open_[i].first) {
      open_[i].first->reject();  // as Escape: the escape button's answer
      return;
    }
  }
}

BoxAnswer QtDialogs::Run(QMessageBox& box, BoxButtons buttons) {
  open_.append({QPointer<QMessageBox>(&box), buttons});
  const int shown = box.exec();
  open_.removeIf([&box](const auto& entry) { return entry.first == &box || !entry.first; });
  if (buttons == BoxButtons::AcceptDecline) {
    return box.clickedButton() != nullptr &&
                   box.buttonRole(box.clickedButton()) == QMessageBox::AcceptRole
               ? BoxAnswer::Yes
               : BoxAnswer::No;
  }
  switch (shown) {
    case QMessageBox::Yes:
      return BoxAnswer::Yes;
    case QMessageBox::No:
      return BoxAnswer::No;
    case QMessageBox::Cancel:
      return BoxAnswer::Cancel;
    default:
      return buttons == BoxButtons::YesNoCancel ? BoxAnswer::Cancel : BoxAnswer::Ok;
  }
}

QString QtDialogs::Input(const QString& title, const QString& prompt, const QString& defaultText) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, defaultText, &ok);
  return ok ? text : QString();
}

QString QtDialogs::SaveFileName(const QString& title, const QString& suggested,
                                const QString& filter) {
  return QFileDialog::getSaveFileName(parent_, title, suggested, filter);
}

QString QtDialogs::OpenFileName(const QString& title, const QString& folder,
                                const QString& filter) {
  return QFileDialog::getOpenFileName(parent_, title, folder, filter);
}

}  // namespace vextal
