#include "shell/UiLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace vextal {

bool ShowsGerman(UiLanguage choice, const QStringList& systemLanguages) {
  if (choice != UiLanguage::System) {
    return choice == UiLanguage::German;
  }
  for (const QString& tag : systemLanguages) {
    // "de", "de-DE", "de-AT", ...; QLocale gives "C" for the C locale.
    const QLocale::Language language = QLocale(tag).language();
    if (language == QLocale::German) {
      return true;
    }
    if (language == QLocale::English || language == QLocale::C) {
      return false;
    }
  }
  return false;
}

UiTranslation::UiTranslation(UiLanguage choice, const QStringList& systemLanguages)
    : german_(ShowsGerman(choice, systemLanguages)) {
  if (!german_) {
    return;
  }
  if (program_.load(QStringLiteral(":/i18n/vextal_de.qm"))) {
    QCoreApplication::installTranslator(&program_);
  }
  // Debian ships these in qt6-translations-l10n; without them Qt's own buttons stay English.
  if (qt_.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(&qt_);
  }
}

UiTranslation::~UiTranslation() {
  QCoreApplication::removeTranslator(&qt_);
  QCoreApplication::removeTranslator(&program_);
}

}  // namespace vextal
