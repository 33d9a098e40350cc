#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include <QString>
#include <QtGlobal>

namespace vextal {

// One value of a one-of-many choice (a CPU level, a window size, ...): its name in the settings
// file, never translated, and its caption in the menu as the English source text. A caption that
// is translated is marked QT_TRANSLATE_NOOP("vextal::frmMain", ...), the context of the main
// window's menus, so that the translations collect it; an unmarked one (a language's own name)
// reads the same in every language.
template <typename T>
struct Choice {
  using Value = T;
  T value;
  const char* name;
  const char* caption;
};

// The values of one choice, in the order the menu lists them.
template <typename T, std::size_t N>
using ChoiceTable = std::array<Choice<T>, N>;

// The context the choices' captions are translated in.
inline constexpr const char* kChoiceCaptionContext = "vextal::frmMain";

template <typename T, std::size_t N>
constexpr std::array<T, N> ChoiceValues(const ChoiceTable<T, N>& table) {
  std::array<T, N> values{};
  for (std::size_t i = 0; i < N; ++i) {
    values[i] = table[i].value;
  }
  return values;
}

// The position of a value in its table; -1 for a value the table does not hold.
template <typename T, std::size_t N>
constexpr int ChoiceIndex(const ChoiceTable<T, N>& table, T value) {
  for (std::size_t i = 0; i < N; ++i) {
    if (table[i].value == value) {
      return int(i);
    }
  }
  return -1;
}

template <typename T, std::size_t N>
QString ChoiceName(const ChoiceTable<T, N>& table, T value) {
  const int index = ChoiceIndex(table, value);
  return index < 0 ? QString() : QString::fromLatin1(table[std::size_t(index)].name);
}

// The value of a name as ChoiceName gives it, or nothing for any other text.
template <typename T, std::size_t N>
std::optional<T> ChoiceFromName(const ChoiceTable<T, N>& table, const QString& name) {
  for (const Choice<T>& choice : table) {
    if (name == QLatin1String(choice.name)) {
      return choice.value;
    }
  }
  return std::nullopt;
}

}  // namespace vextal
