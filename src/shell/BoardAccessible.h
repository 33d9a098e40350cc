#pragma once

#include <optional>

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace vextal {

class Front;

// The board as assistive technology sees it: a table with one cell per grid point, each named in
// words by the board's owner (Front::BoardAccess), the keyboard's cell as the focused one, and a
// press action that plays the cell as a click does. The labels painted on the board follow the
// cells as further children.
//
// Cells are made when asked for and kept, registered with Qt's accessibility cache, until the
// board changes size or the widget goes; what a cell says is asked of the board every time.
class FrontAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit FrontAccessible(Front* front);
  ~FrontAccessible() override;

  // Makes Qt build this interface for every Front; done once per program.
  static void Install();

  // QAccessibleInterface
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text t) const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  // QAccessibleTableInterface
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override;
  int rowCount() const override;
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

  // The board changed: cells made so far that now say something else tell it, and cells of a
  // board that shrank go.
  void CellsChanged();
  // The keyboard's frame moved to the cell at (column, row), 1-based: reported as focused.
  void FocusMoved(int column, int row);
  // The description of the cell at (column, row), or of the board for nullopt, changed.
  void DescriptionChanged(const std::optional<QPoint>& cell);

 private:
  Front* front() const;
  QAccessibleInterface* CellAtIndex(int index) const;
  void DropCells();

  // By index (row-major, 0-based) the cells made so far, with what each said last.
  struct MadeCell {
    QAccessible::Id Id = 0;
    QString Name;
  };
  mutable QHash<int, MadeCell> cells_;
  mutable int madeFor_ = 0;  // the column count the cells were made for
};

}  // namespace vextal
