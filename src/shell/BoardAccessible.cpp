#include "shell/BoardAccessible.h"

#include <QWidget>

#include "render/BoardGeometry.h"
#include "render/BoardPainter.h"
#include "shell/Front.h"

namespace vextal {

namespace {

// One grid point of the board: a table cell named by the board's owner, pressed as a click.
class CellAccessible final : public QAccessibleInterface,
                             public QAccessibleTableCellInterface,
                             public QAccessibleActionInterface {
 public:
  CellAccessible(Front* front, int column, int row) : front_(front), column_(column), row_(row) {}

  bool isValid() const override {
    if (!front_) {
      return false;
    }
    const QSize grid = front_->Access().GridSize ? front_->Access().GridSize() : QSize();
    return column_ <= grid.width() && row_ <= grid.height();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    return front_ && front_->window() ? front_->window()->windowHandle() : nullptr;
  }
  QAccessibleInterface* parent() const override {
    return front_ ? QAccessible::queryAccessibleInterface(front_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Description && front_) {
      return front_->AnnouncementFor(QPoint(column_, row_));
    }
    if (t != QAccessible::Name || !front_ || !front_->Access().CellName) {
      return QString();
    }
    return front_->Access().CellName(column_, row_);
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    if (!front_) {
      return QRect();
    }
    const BoxRect square = NodeSquare(kBoardGeometry, column_, row_);
    const QRect local(QPoint(square.x1, square.y1), QPoint(square.x2, square.y2));
    return local.translated(front_->mapToGlobal(front_->ClientOrigin()));
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.focusable = true;
    if (front_) {
      const auto cell = front_->FocusCell();
      s.focused = front_->hasFocus() && cell && *cell == QPoint(column_, row_);
      s.invisible = !front_->isVisible();
    }
    return s;
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TableCellInterface) {
      return static_cast<QAccessibleTableCellInterface*>(this);
    }
    if (t == QAccessible::ActionInterface) {
      return static_cast<QAccessibleActionInterface*>(this);
    }
    return nullptr;
  }

  // QAccessibleTableCellInterface
  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_ - 1; }
  int rowIndex() const override { return row_ - 1; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

  // QAccessibleActionInterface
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction() && front_ && front_->Access().Press) {
      // Played from the event loop, as a button's press is: a move that ends the game opens the
      // result box, which must not hold the reply to the screen reader's call until it closes.
      QMetaObject::invokeMethod(
          front_.data(),
          [front = front_, column = column_, row = row_] {
            if (front && front->Access().Press) {
              front->Access().Press(column, row);
            }
          },
          Qt::QueuedConnection);
    }
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    return name == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList();
  }

 private:
  QPointer<Front> front_;
  int column_;
  int row_;
};

QAccessibleInterface* MakeFrontAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String(Front::staticMetaObject.className())) {
    if (auto* front = qobject_cast<Front*>(object)) {
      return new FrontAccessible(front);
    }
  }
  return nullptr;
}

}  // namespace

FrontAccessible::FrontAccessible(Front* front) : QAccessibleWidget(front, QAccessible::Table) {}

FrontAccessible::~FrontAccessible() {
  DropCells();
}

void FrontAccessible::Install() {
  static const bool installed = [] {
    QAccessible::installFactory(&MakeFrontAccessible);
    return true;
  }();
  Q_UNUSED(installed);
}

Front* FrontAccessible::front() const {
  return static_cast<Front*>(widget());
}

void FrontAccessible::DropCells() {
  for (const MadeCell& cell : std::as_const(cells_)) {
    QAccessible::deleteAccessibleInterface(cell.Id);
  }
  cells_.clear();
}

int FrontAccessible::columnCount() const {
  return front() && front()->Access().GridSize ? front()->Access().GridSize().width() : 0;
}

int FrontAccessible::rowCount() const {
  return front() && front()->Access().GridSize ? front()->Access().GridSize().height() : 0;
}

QAccessibleInterface* FrontAccessible::CellAtIndex(int index) const {
  const int columns = columnCount();
  if (index < 0 || columns <= 0 || index >= columns * rowCount()) {
    return nullptr;
  }
  if (madeFor_ != columns) {
    const_cast<FrontAccessible*>(this)->DropCells();  // the indices mean other cells now
    madeFor_ = columns;
  }
  if (const auto made = cells_.constFind(index); made != cells_.cend()) {
    return QAccessible::accessibleInterface(made->Id);
  }
  auto* cell = new CellAccessible(front(), index % columns + 1, index / columns + 1);
  cells_.insert(index,
                {QAccessible::registerAccessibleInterface(cell), cell->text(QAccessible::Name)});
  return cell;
}

int FrontAccessible::childCount() const {
  return columnCount() * rowCount() + QAccessibleWidget::childCount();
}

QAccessibleInterface* FrontAccessible::child(int index) const {
  const int cells = columnCount() * rowCount();
  return index < cells ? CellAtIndex(index) : QAccessibleWidget::child(index - cells);
}

int FrontAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (child && child->role() == QAccessible::Cell && !child->object()) {
    const auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (cell && cell->table() == this) {
      return cell->rowIndex() * columnCount() + cell->columnIndex();
    }
    return -1;
  }
  const int other = QAccessibleWidget::indexOfChild(child);
  return other < 0 ? -1 : other + columnCount() * rowCount();
}

QAccessibleInterface* FrontAccessible::childAt(int x, int y) const {
  // The labels lie above the board's picture.
  for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
    QAccessibleInterface* label = QAccessibleWidget::child(i);
    if (label && label->rect().contains(x, y) && !label->state().invisible) {
      return label;
    }
  }
  const QPoint at = QPoint(x, y) - front()->mapToGlobal(front()->ClientOrigin());
  const int columns = columnCount();
  for (int r = 1; r <= rowCount(); ++r) {
    for (int c = 1; c <= columns; ++c) {
      const BoxRect s = NodeSquare(kBoardGeometry, c, r);
      if (QRect(QPoint(s.x1, s.y1), QPoint(s.x2, s.y2)).contains(at)) {
        return CellAtIndex((r - 1) * columns + (c - 1));
      }
    }
  }
  return nullptr;
}

QAccessibleInterface* FrontAccessible::focusChild() const {
  const auto cell = front()->FocusCell();
  if (!front()->hasFocus() || !cell) {
    return nullptr;
  }
  return cellAt(cell->y() - 1, cell->x() - 1);
}

QString FrontAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) {
    const QString name = front()->accessibleName();
    return name.isEmpty() ? Front::tr("Board") : name;
  }
  if (t == QAccessible::Description) {
    return front()->AnnouncementFor(std::nullopt);
  }
  return QAccessibleWidget::text(t);
}

void* FrontAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TableInterface) {
    return static_cast<QAccessibleTableInterface*>(this);
  }
  return QAccessibleWidget::interface_cast(t);
}

QAccessibleInterface* FrontAccessible::cellAt(int row, int column) const {
  if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) {
    return nullptr;
  }
  return CellAtIndex(row * columnCount() + column);
}

QString FrontAccessible::columnDescription(int column) const {
  return Front::tr("Column %1").arg(column + 1);
}

QString FrontAccessible::rowDescription(int row) const {
  return Front::tr("Row %1").arg(row + 1);
}

void FrontAccessible::CellsChanged() {
  const int columns = columnCount();
  const int count = columns * rowCount();
  if (madeFor_ != columns) {
    DropCells();
    madeFor_ = columns;
  }
  for (auto it = cells_.begin(); it != cells_.end();) {
    if (it.key() >= count) {
      QAccessible::deleteAccessibleInterface(it->Id);
      it = cells_.erase(it);
      continue;
    }
    QAccessibleInterface* cell = QAccessible::accessibleInterface(it->Id);
    const QString name = cell ? cell->text(QAccessible::Name) : QString();
    if (cell && name != it->Name) {
      it->Name = name;
      QAccessibleEvent event(cell, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&event);
    }
    ++it;
  }
}

void FrontAccessible::DescriptionChanged(const std::optional<QPoint>& cell) {
  QAccessibleInterface* told = cell ? cellAt(cell->y() - 1, cell->x() - 1) : this;
  if (told) {
    QAccessibleEvent event(told, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
  }
}

void FrontAccessible::FocusMoved(int column, int row) {
  if (QAccessibleInterface* cell = cellAt(row - 1, column - 1)) {
    // Sent for the board with the cell as its child, as the views of items do, so the event
    // carries the widget that has the keyboard's focus.
    QAccessibleEvent event(front(), QAccessible::Focus);
    event.setChild(indexOfChild(cell));
    QAccessible::updateAccessibility(&event);
  }
}

}  // namespace vextal
