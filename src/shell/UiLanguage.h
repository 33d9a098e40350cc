#pragma once

#include <array>
#include <optional>

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

namespace vextal {

// The language of the program's texts. They are written in English; German comes from the
// translation built into the program. System follows the desktop's preferred languages.
enum class UiLanguage { System, English, German };

inline constexpr std::array<UiLanguage, 3> kUiLanguages = {UiLanguage::System, UiLanguage::English,
                                                           UiLanguage::German};

// The caption in the "Language" menu: "System", then each language in its own tongue ("English",
// "Deutsch"), so that a person who cannot read the current one still finds their own.
QString UiLanguageCaption(UiLanguage language);
// The name in the settings: "System", "English", "German".
QString UiLanguageName(UiLanguage language);
// The language of a name as UiLanguageName gives it, or nothing for any other text.
std::optional<UiLanguage> UiLanguageFromName(const QString& name);

// Whether the texts are shown in German: for German, and for System when German comes before
// English among the system's preferred languages (QLocale::uiLanguages(), best first). Any
// language the program has no texts for is passed over; none of the two means English.
bool ShowsGerman(UiLanguage choice, const QStringList& systemLanguages);

// Puts the German texts in place while it lives: the program's own and those of Qt's standard
// dialogs and buttons (where the system has them). Made once after the application object and
// before the first window, since a window takes its texts when it is built.
class UiTranslation {
 public:
  explicit UiTranslation(UiLanguage choice,
                         const QStringList& systemLanguages = QLocale::system().uiLanguages());
  ~UiTranslation();
  UiTranslation(const UiTranslation&) = delete;
  UiTranslation& operator=(const UiTranslation&) = delete;

  bool German() const { return german_; }

 private:
  QTranslator program_;
  QTranslator qt_;
  bool german_ = false;
};

}  // namespace vextal
