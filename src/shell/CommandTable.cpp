#include "shell/CommandTable.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include "game/ChoiceTable.h"
#include "shell/Mnemonics.h"

namespace vextal {

struct CommandTable::Entry {
  CommandRow row;
  QMenu* menu = nullptr;      // Menu rows: the menu itself
  QMenu* parent = nullptr;    // the menu the entry stands in; null on the menu bar
  QAction* action = nullptr;  // the item, or a menu's entry on its parent
  QList<QAction*> members;    // Family rows
  QActionGroup* group = nullptr;
};

QString ChoiceCaption(const char* source) {
  return QCoreApplication::translate(kChoiceCaptionContext, source);
}

CommandTable::CommandTable(QMenuBar* bar, const char* context) : bar_(bar), context_(context) {}

CommandTable::~CommandTable() = default;

QString CommandTable::Caption(const char* source) const {
  return source ? QCoreApplication::translate(context_, source) : QString();
}

CommandTable::Entry* CommandTable::Find(const QString& id) const {
  for (const auto& entry : entries_) {
    if (id == QLatin1String(entry->row.id)) {
      return entry.get();
    }
  }
  return nullptr;
}

QAction* CommandTable::Action(const QString& id) const {
  if (const Entry* entry = Find(id)) {
    return entry->action;
  }
  for (const auto& entry : entries_) {
    for (QAction* member : entry->members) {
      if (member->objectName() == id) {
        return member;
      }
    }
  }
  return nullptr;
}

QMenu* CommandTable::Menu(const QString& id) const {
  for (const auto& entry : entries_) {
    if (entry->menu && id == QLatin1String(entry->row.id)) {
      return entry->menu;
    }
  }
  return nullptr;
}

void CommandTable::Add(CommandRow row) {
  Add(std::vector<CommandRow>{std::move(row)});
}

void CommandTable::Add(std::vector<CommandRow> rows) {
  std::vector<Entry*> built;
  for (CommandRow& row : rows) {
    if (Entry* entry = Build(std::move(row))) {
      built.push_back(entry);
    }
  }
  Refresh();
  for (Entry* e : built) {
    if (keysAssigned_ && e->action) {
      AssignMnemonics(e->parent ? e->parent->actions() : bar_->actions());
    }
  }
}

CommandTable::Entry* CommandTable::Build(CommandRow row) {
  auto entry = std::make_unique<Entry>();
  entry->row = std::move(row);
  Entry& e = *entry;
  const QString id = QString::fromLatin1(e.row.id);
  if (e.row.in) {
    e.parent = Menu(QString::fromLatin1(e.row.in));
    Q_ASSERT_X(e.parent, e.row.id, "the menu a row stands in is added before it");
    if (!e.parent) {
      return nullptr;
    }
  }
  switch (e.row.kind) {
    case RowKind::Menu:
      e.menu = e.parent ? e.parent->addMenu(Caption(e.row.caption))
                        : bar_->addMenu(Caption(e.row.caption));
      e.menu->setObjectName(id);
      e.action = e.menu->menuAction();
      break;
    case RowKind::Line:
      e.action = e.parent->addSeparator();
      break;
    case RowKind::Command:
      e.action = e.parent->addAction(Caption(e.row.caption));
      e.action->setShortcut(e.row.key);
      e.action->setCheckable(bool(e.row.checked));
      QObject::connect(e.action, &QAction::triggered, e.action, [this, &e] {
        // A shortcut reaches an item whose menu is closed or off: the rule decides here too.
        if (!e.row.enabled || e.row.enabled()) {
          if (e.row.run) {
            e.row.run();
          }
        }
        Refresh();
      });
      break;
    case RowKind::Family:
      if (e.row.family.exclusive) {
        e.group = new QActionGroup(e.parent);
      }
      break;
  }
  if (e.action) {
    e.action->setObjectName(id);
  }
  entries_.push_back(std::move(entry));
  return &e;
}

void CommandTable::GrowFamily(Entry& entry) {
  const FamilyRows& family = entry.row.family;
  const int count = family.count ? family.count() : 0;
  if (entry.members.size() >= count) {
    return;
  }
  // New members go after the last one, or where the family's row stands when it has none yet:
  // before the first item of a later row in the same menu.
  QAction* before = nullptr;
  bool after = false;
  for (const auto& other : entries_) {
    if (other.get() == &entry) {
      after = true;
    } else if (after && other->parent == entry.parent) {
      before = other->action ? other->action : other->members.value(0);
      if (before) {
        break;
      }
    }
  }
  for (int i = int(entry.members.size()); i < count; ++i) {
    auto* item = new QAction(family.caption ? family.caption(i) : QString(), entry.parent);
    item->setObjectName(family.id ? family.id(i)
                                  : QStringLiteral("%1%2").arg(QLatin1String(entry.row.id)).arg(i));
    item->setCheckable(bool(family.checked));
    if (entry.group) {
      entry.group->addAction(item);
    }
    entry.parent->insertAction(before, item);
    Entry* e = &entry;
    QObject::connect(item, &QAction::triggered, item, [this, e, i] {
      const FamilyRows& rows = e->row.family;
      if (!rows.enabled || rows.enabled(i)) {
        if (rows.run) {
          rows.run(i);
        }
      }
      Refresh();
    });
    entry.members.append(item);
  }
  if (keysAssigned_) {
    AssignMnemonics(entry.parent->actions());  // the new items need access keys of their own
  }
}

void CommandTable::Refresh() {
  for (const auto& entry : entries_) {
    const CommandRow& row = entry->row;
    if (row.kind == RowKind::Family) {
      GrowFamily(*entry);
      const FamilyRows& family = row.family;
      bool shownChanged = false;
      for (int i = 0; i < entry->members.size(); ++i) {
        QAction* item = entry->members[i];
        const bool visible = !family.visible || family.visible(i);
        shownChanged = shownChanged || item->isVisible() != visible;
        item->setVisible(visible);
        item->setEnabled(!family.enabled || family.enabled(i));
        if (family.checked) {
          item->setChecked(family.checked(i));
        }
        if (family.key) {
          const QKeySequence key = family.key(i);
          if (item->shortcut() != key) {
            item->setShortcut(key);
          }
        }
      }
      if (shownChanged && keysAssigned_) {
        AssignMnemonics(entry->parent->actions());  // an item shown now has no key yet
      }
      continue;
    }
    QAction* action = entry->action;
    const bool enabled = !row.enabled || row.enabled();
    action->setEnabled(enabled);
    if (row.visible) {
      action->setVisible(row.visible());
    }
    if (row.checked) {
      action->setChecked(row.checked());
    }
    if (row.offNote) {
      action->setToolTip(enabled ? QString() : Caption(row.offNote));
      if (!enabled) {
        entry->parent->setToolTipsVisible(true);
      }
    }
  }
}

void CommandTable::Retranslate() {
  for (const auto& entry : entries_) {
    const CommandRow& row = entry->row;
    if (row.kind == RowKind::Family) {
      for (int i = 0; i < entry->members.size(); ++i) {
        entry->members[i]->setText(row.family.caption ? row.family.caption(i) : QString());
      }
    } else if (row.kind != RowKind::Line) {
      entry->action->setText(Caption(row.caption));
    }
  }
  Refresh();
  AssignKeys();  // captions in another language need access keys of their own
}

void CommandTable::AssignKeys() {
  keysAssigned_ = true;
  AssignMnemonics(bar_->actions());
  for (const auto& entry : entries_) {
    if (entry->menu) {
      AssignMnemonics(entry->menu->actions());
    }
  }
}

}  // namespace vextal
