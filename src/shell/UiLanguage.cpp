#include "shell/UiLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

#include "shell/ShellPaths.h"

namespace vextal {

namespace {

const QString kEnglish = QStringLiteral("en");
const QString kTranslations = QStringLiteral(":/i18n");

UiTranslation* current = nullptr;

QLocale::Language LanguageOf(const QString& code) {
  return QLocale(code).language();
}

}  // namespace

const QStringList& BuiltLanguages() {
  static const QStringList languages = [] {
    QStringList codes{kEnglish};
    const QStringList files =
        EntriesNamed(QDir(kTranslations), u"vextal_", u".qm", QDir::Files, QDir::Name);
    for (const QString& file : files) {
      const QString code = file.mid(7, file.size() - 7 - 3);  // "vextal_" ... ".qm"
      if (!code.isEmpty() && code != kEnglish) {
        codes << code;
      }
    }
    return codes;
  }();
  return languages;
}

QString LanguageCaption(const QString& code) {
  if (code.isEmpty()) {
    return QCoreApplication::translate("vextal::frmMain", "System");
  }
  if (code == kEnglish) {
    return QStringLiteral("English");  // not "American English"
  }
  QString name = QLocale(code).nativeLanguageName();
  if (!name.isEmpty()) {
    name[0] = name[0].toUpper();  // "français" stands in a menu as "Français"
  }
  return name.isEmpty() ? code : name;
}

QString LanguageSettingsName(const QString& code) {
  return code.isEmpty() ? QStringLiteral("System") : QLocale::languageToString(LanguageOf(code));
}

QString LanguageFromSettingsName(const QString& name) {
  for (const QString& code : BuiltLanguages()) {
    if (LanguageSettingsName(code) == name) {
      return code;
    }
  }
  return QString();
}

QString ShownLanguage(const QString& choice, const QStringList& systemLanguages) {
  if (!choice.isEmpty()) {
    return BuiltLanguages().contains(choice) ? choice : kEnglish;
  }
  for (const QString& tag : systemLanguages) {
    // "de", "de-DE", "fr-CA", ...; QLocale gives "C" for the C locale.
    const QLocale::Language language = QLocale(tag).language();
    if (language == QLocale::English || language == QLocale::C) {
      return kEnglish;
    }
    for (const QString& code : BuiltLanguages()) {
      if (LanguageOf(code) == language) {
        return code;
      }
    }
  }
  return kEnglish;
}

UiTranslation::UiTranslation(const QString& choice, const QStringList& systemLanguages)
    : previous_(current) {
  current = this;
  Apply(choice, systemLanguages);
}

UiTranslation::~UiTranslation() {
  Remove();
  if (current == this) {
    current = previous_;
  }
}

UiTranslation* UiTranslation::Current() {
  return current;
}

void UiTranslation::Remove() {
  QCoreApplication::removeTranslator(&qt_);
  QCoreApplication::removeTranslator(&program_);
}

void UiTranslation::Apply(const QString& choice, const QStringList& systemLanguages) {
  Remove();
  shown_ = ShownLanguage(choice, systemLanguages);
  if (shown_ == kEnglish) {
    return;
  }
  const QLocale locale(shown_);
  if (program_.load(locale, QStringLiteral("vextal"), QStringLiteral("_"), kTranslations)) {
    QCoreApplication::installTranslator(&program_);
  }
  // Debian ships these in qt6-translations-l10n; without them Qt's own buttons stay English.
  if (qt_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(&qt_);
  }
}

}  // namespace vextal
