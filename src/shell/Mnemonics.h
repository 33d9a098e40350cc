#pragma once

#include <QChar>
#include <QList>
#include <QString>

class QAction;
class QWidget;

namespace vextal {

// Access keys for menus: a caption keeps its visible text, and one of its letters is underlined
// for Alt (on the menu bar) or a plain key (in an open menu). Assigned at run time, so that every
// language's captions get distinct keys without the texts themselves carrying them.

// The access key of a caption ("E&xit" gives 'x'), lower case; a null QChar when it has none.
// "&&" is a literal ampersand, not an access key.
QChar MnemonicOf(const QString& caption);
// The caption as shown: the access key's "&" removed and "&&" read as one "&".
QString StripMnemonic(const QString& caption);
// Gives every visible item of one menu (or of the menu bar) that has none an access key not yet
// taken there: the first letter of a word if one is free, else any free letter or digit.
void AssignMnemonics(const QList<QAction*>& items);
// The same for the menu bar of `window` and each of its menus.
void AssignMenuMnemonics(QWidget* window);

}  // namespace vextal
