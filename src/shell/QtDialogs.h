#pragma once

#include <memory>
#include <optional>

#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QWidget>

#include "game/Dialogs.h"

class QMessageBox;

namespace vextal {

// The program's modal message boxes and input box, shown over the main window.
class QtDialogs final : public Dialogs {
  Q_DECLARE_TR_FUNCTIONS(QtDialogs)

 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

  // The window the boxes are centred on; set once the main window exists.
  void SetParentWidget(QWidget* parent) { parent_ = parent; }

  BoxAnswer Message(BoxIcon icon, const QString& title, const QString& text,
                    BoxButtons buttons = BoxButtons::Ok) override;
  BoxAnswer Announce(BoxIcon icon, const QString& title, const QString& text,
                     const KeepInView& keep) override;
  void Dismiss(BoxButtons buttons) override;
  QString Input(const QString& title, const QString& prompt,
                const QString& defaultText = QString()) override;
  QString SaveFileName(const QString& title, const QString& suggested,
                       const QString& filter) override;
  QString OpenFileName(const QString& title, const QString& folder, const QString& filter) override;

  // The box Message shows, built but not yet shown. With `keep`, the box goes beside what it
  // names once its size is known (as Announce shows it).
  static std::unique_ptr<QMessageBox> BuildMessageBox(
      BoxIcon icon, const QString& title, const QString& text, BoxButtons buttons, QWidget* parent,
      const std::optional<KeepInView>& keep = std::nullopt);

 private:
  BoxAnswer Run(QMessageBox& box, BoxButtons buttons);

  QPointer<QWidget> parent_;
  // The boxes open now, the innermost last.
  QList<std::pair<QPointer<QMessageBox>, BoxButtons>> open_;
};

}  // namespace vextal
