#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace vextal {

// Help → "About Vextal": the version, the licence and the credits, with "About Qt" beside Close.
// It is shown without blocking the main window (tests reach it at once), and the one box is
// reused by the next command.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  // version: as the main window shows it, "1.3+37".
  AboutBox(const QString& version, QWidget* parent);

  QLabel* Text() const { return text_; }
  QPushButton* AboutQtButton() const { return aboutQt_; }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void TakeTexts();

  QString version_;
  QLabel* text_;
  QPushButton* aboutQt_;
  QPushButton* close_;
};

}  // namespace vextal
