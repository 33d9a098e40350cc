#pragma once

#include <array>
#include <optional>

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include "game/ChoiceTable.h"

namespace vextal {

// The language of the program's texts. They are written in English; German comes from the
// translation built into the program. System follows the desktop's preferred languages.
enum class UiLanguage { System, English, German };

// The names in the settings, and the captions in the "Language" menu: "System", then each language
// in its own tongue, so that a person who cannot read the current one still finds their own.
inline constexpr ChoiceTable<UiLanguage, 3> kUiLanguageChoices = {{
    {UiLanguage::System, "System", QT_TRANSLATE_NOOP("vextal::frmMain", "System")},
    {UiLanguage::English, "English", "English"},
    {UiLanguage::German, "German", "Deutsch"},
}};

inline constexpr std::array<UiLanguage, 3> kUiLanguages = ChoiceValues(kUiLanguageChoices);

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
