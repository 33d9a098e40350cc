#pragma once

#include <QString>

namespace vextal {

// The product's web site, named when the program is built (the CMake cache entry VEXTAL_WEBSITE):
// an absolute address ending in "/", under which the pages live, or empty for a build that has
// no web site, whose Help pages then come from the documents beside the program alone.
QString WebsiteBase();

// The home page: the base address without its final "/"; empty for an empty base.
QString WebsiteHome(const QString& base);

}  // namespace vextal
