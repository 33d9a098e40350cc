#include "shell/QtDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

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

}  // namespace

std::unique_ptr<QMessageBox> QtDialogs::BuildMessageBox(BoxIcon icon, const QString& title,
                                                        const QString& text, BoxButtons buttons,
                                                        QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
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
  switch (box->exec()) {
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

QString QtDialogs::OpenFileName(const QString& title, const QString& filter) {
  return QFileDialog::getOpenFileName(parent_, title, QString(), filter);
}

}  // namespace vextal
