#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

namespace vextal {

// The languages of the program's texts, named by their codes ("en", "de", ...). The texts are
// written in English; every other language is a translation built into the program from
// translations/vextal_<code>.ts (":/i18n/vextal_<code>.qm"), so a language is added by adding its
// file. The choice in the "Language" menu is a code, or empty for System: the desktop's preferred
// languages decide.

// "en", then the code of each translation built in, in the order of their codes.
const QStringList& BuiltLanguages();

// The caption in the "Language" menu: "System" (translated), then each language in its own tongue
// ("English", "Deutsch", ...), so that a person who cannot read the current one finds their own.
QString LanguageCaption(const QString& code);
// The name in the settings: "System", or the language's English name ("English", "German").
QString LanguageSettingsName(const QString& code);
// The code of a built language named as LanguageSettingsName names it; empty (System) for any
// other text.
QString LanguageFromSettingsName(const QString& name);

// The language shown for a choice: the chosen one, or for System the first of the system's
// preferred languages (QLocale::uiLanguages(), best first) that the program has; English and the
// C locale stop the search, and none of them means English.
QString ShownLanguage(const QString& choice, const QStringList& systemLanguages);

// Puts the texts of a language in place while it lives: the program's own and those of Qt's
// standard dialogs and buttons (where the system has them). Made once after the application
// object and before the first window; Apply changes the language of every open window at once
// (each gets Qt's LanguageChange event).
class UiTranslation {
 public:
  explicit UiTranslation(const QString& choice,
                         const QStringList& systemLanguages = QLocale::system().uiLanguages());
  ~UiTranslation();
  UiTranslation(const UiTranslation&) = delete;
  UiTranslation& operator=(const UiTranslation&) = delete;

  void Apply(const QString& choice,
             const QStringList& systemLanguages = QLocale::system().uiLanguages());
  // The code of the language shown.
  QString Shown() const { return shown_; }

  // The translation made last that still lives, or null.
  static UiTranslation* Current();

 private:
  void Remove();

  QTranslator program_;
  QTranslator qt_;
  QString shown_ = QStringLiteral("en");
  UiTranslation* previous_ = nullptr;
};

}  // namespace vextal
