#pragma once

#include <QImage>
#include <QString>

namespace vextal {

// The pictures of the "How to play" page, painted by the board painter from small positions
// of their own: "claim", "expansion", "block" and "neutralisation", each the position before a
// move, an arrow, and the position after it. The page names them as "board:<name>"; an unknown
// name gives a null image.
QImage HowToPicture(const QString& name);

}  // namespace vextal
