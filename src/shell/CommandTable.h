#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QMenuBar;

namespace vextal {

// What a row of the command table puts into the menus.
enum class RowKind {
  Menu,     // a menu: on the menu bar (no `in`) or a submenu of the menu `in`
  Command,  // one item that runs `run`
  Line,     // a separator
  Family,   // a numbered family of items: id0, id1, ... (see FamilyRows)
};

// The items of a Family row, addressed by their index. The count may grow while the program runs
// (a tune list); items are added, never taken away.
struct FamilyRows {
  std::function<int()> count;
  // The caption of item i as it is shown (already translated; "&&" for a literal "&").
  std::function<QString(int)> caption;
  std::function<void(int)> run;
  std::function<bool(int)> enabled;  // empty: always
  std::function<bool(int)> checked;  // set: check items with this mark
  std::function<bool(int)> visible;  // empty: always
  bool exclusive = false;            // one checked at a time, as a radio group
  // The object name of item i; empty: the row's id followed by i.
  std::function<QString(int)> id;
  // The shortcut of item i, where one of them has one; empty: none.
  std::function<QKeySequence(int)> key;
};

// One entry of the menus, registered once: where it stands, what it says, its key, what it does
// and the rules for its state. The rules read the state from its owner (the game, the settings,
// the network side), never from a widget; the table applies them to the items at every Refresh,
// which also puts back a check mark Qt toggled by itself on a click.
struct CommandRow {
  RowKind kind = RowKind::Command;
  const char* id = "";       // the object name, by which code and tests find the item
  const char* in = nullptr;  // the id of the Menu row the entry stands in, in row order
  // The English source text, translated in the table's context (QT_TR_NOOP in a member function
  // of the window marks it for the translations; an unmarked text reads the same everywhere).
  const char* caption = nullptr;
  QKeySequence key = {};
  std::function<void()> run = {};
  std::function<bool()> enabled = {};  // empty: always enabled
  std::function<bool()> checked = {};  // set: a check item whose mark is this rule
  std::function<bool()> visible = {};  // empty: always visible
  // Shown as the item's tool tip while `enabled` keeps it off: why it is off.
  const char* offNote = nullptr;
  FamilyRows family = {};  // RowKind::Family
};

// A choice's caption (game/ChoiceTable.h) in the language shown now.
QString ChoiceCaption(const char* source);

// A radio family made from a table of choices (game/ChoiceTable.h): one check item per value,
// captioned by the table, checked where `current` is, and `choose` given the value picked.
template <typename Table, typename Value = typename Table::value_type::Value>
FamilyRows ChoiceRows(const Table& table, std::type_identity_t<std::function<Value()>> current,
                      std::type_identity_t<std::function<void(Value)>> choose);

// The menus of one window, built from its rows. Rows are added in menu order: a Menu row before
// the entries in it, each entry after the ones it follows.
class CommandTable {
 public:
  // The captions are translated in `context`, the class name of the window that words them.
  CommandTable(QMenuBar* bar, const char* context);
  ~CommandTable();
  CommandTable(const CommandTable&) = delete;
  CommandTable& operator=(const CommandTable&) = delete;

  // Builds the row's menu or items at the end of its menu, with its state applied.
  void Add(CommandRow row);
  // The same for rows in menu order, their state applied once at the end (a window's menus:
  // applying every rule after each row would cost the start a square of the rows).
  void Add(std::vector<CommandRow> rows);
  // Applies every row's rules to its items; new family members are built first.
  void Refresh();
  // Every caption again from its source text, for a change of the language.
  void Retranslate();
  // Gives every visible item an access key (Mnemonics.h), once the menus are complete; from then
  // on items added or shown later get theirs as they come.
  void AssignKeys();

  // The item of a Command or Line row or of a family member ("mnuSetup3"), or the entry of a
  // Menu row on its parent; null for an id no row has.
  QAction* Action(const QString& id) const;
  QMenu* Menu(const QString& id) const;

 private:
  struct Entry;
  Entry* Find(const QString& id) const;
  // Builds a row's menu or items, its state not applied yet; null where it cannot stand.
  Entry* Build(CommandRow row);
  void GrowFamily(Entry& entry);
  QString Caption(const char* source) const;

  QMenuBar* bar_;
  const char* context_;
  std::vector<std::unique_ptr<Entry>> entries_;
  bool keysAssigned_ = false;
};

template <typename Table, typename Value>
FamilyRows ChoiceRows(const Table& table, std::type_identity_t<std::function<Value()>> current,
                      std::type_identity_t<std::function<void(Value)>> choose) {
  FamilyRows rows;
  rows.count = [&table] { return int(table.size()); };
  rows.caption = [&table](int i) { return ChoiceCaption(table[std::size_t(i)].caption); };
  rows.run = [&table, choose](int i) { choose(table[std::size_t(i)].value); };
  rows.checked = [&table, current](int i) { return table[std::size_t(i)].value == current(); };
  rows.exclusive = true;
  return rows;
}

}  // namespace vextal
