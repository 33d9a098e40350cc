#pragma once

#include <QString>

namespace vextal {

// The folder the program runs from, without a trailing separator. The sound and music folders
// and the HTML documents are looked up beside the program.
QString ProgramFolder();

}  // namespace vextal
