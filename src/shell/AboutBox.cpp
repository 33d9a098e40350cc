#include "shell/AboutBox.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vextal {

AboutBox::AboutBox(const QString& version, QWidget* parent)
    : QDialog(parent),
      version_(version),
      text_(new QLabel(this)),
      aboutQt_(new QPushButton(this)),
      close_(new QPushButton(this)) {
  setObjectName(QStringLiteral("frmAbout"));
  text_->setObjectName(QStringLiteral("lblAbout"));
  aboutQt_->setObjectName(QStringLiteral("btnAboutQt"));
  close_->setObjectName(QStringLiteral("btnClose"));
  text_->setTextFormat(Qt::RichText);
  text_->setWordWrap(true);
  text_->setOpenExternalLinks(false);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  close_->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(aboutQt_);
  buttons->addStretch();
  buttons->addWidget(close_);
  auto* column = new QVBoxLayout(this);
  column->addWidget(text_);
  column->addLayout(buttons);

  connect(aboutQt_, &QPushButton::clicked, this, [] { QApplication::aboutQt(); });
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  TakeTexts();
}

void AboutBox::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) {
    TakeTexts();
  }
}

void AboutBox::TakeTexts() {
  setWindowTitle(tr("About Vextal"));
  aboutQt_->setText(tr("About Qt"));
  close_->setText(tr("Close"));
  text_->setText(
      QStringLiteral("<h2>Vextal</h2><p>%1</p><p>%2</p><p>%3</p><p>%4</p>")
          .arg(tr("Version %1").arg(version_.toHtmlEscaped()),
               tr("A game of nodes and links for two players."),
               tr("Licensed under the GNU General Public License, version 3 or (at your option) "
                  "any later version (GPL-3.0-or-later). It comes with no warranty."),
               tr("Copyright 2026 the Vextal developers: game, pictures, sounds and music. "
                  "Built with Qt, SDL2_mixer and FluidSynth.")));
}

}  // namespace vextal
