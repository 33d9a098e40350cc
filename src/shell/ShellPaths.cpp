#include "shell/ShellPaths.h"

#include <QCoreApplication>

namespace vextal {

QString ProgramFolder() {
  return QCoreApplication::applicationDirPath();
}

QStringList EntriesNamed(const QDir& folder, QStringView prefix, QStringView suffix,
                         QDir::Filters filters, QDir::SortFlags sort) {
  QStringList names = folder.entryList(filters, sort);
  names.removeIf([&](const QString& name) {
    return name.size() < prefix.size() + suffix.size() ||
           !name.startsWith(prefix, Qt::CaseInsensitive) ||
           !name.endsWith(suffix, Qt::CaseInsensitive);
  });
  return names;
}

}  // namespace vextal
