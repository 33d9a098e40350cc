#pragma once

#include <QString>

namespace vextal {

// The product's web site. Pages live under the base address; the home page is the site itself.
inline const QString kWebsiteBase = QStringLiteral("https://vextal.example.org/");
inline const QString kWebsiteHome = QStringLiteral("https://vextal.example.org");

}  // namespace vextal
