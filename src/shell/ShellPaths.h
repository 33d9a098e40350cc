#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace vextal {

// The folder the program runs from, without a trailing separator. The sound and music folders
// and the HTML documents are looked up beside the program.
QString ProgramFolder();

// The entries of a folder whose names begin with `prefix` and end with `suffix`, letter case
// ignored, in the order `sort` gives. Compared as text rather than by a wildcard filter, which
// would compile a regular expression (and map its library) at start-up for two short lists.
QStringList EntriesNamed(const QDir& folder, QStringView prefix, QStringView suffix,
                         QDir::Filters filters, QDir::SortFlags sort);

}  // namespace vextal
