#include "render/LogLine.h"

#include <optional>
#include <vector>

namespace vextal {

namespace {

// One piece of a locale's time format: a field the stamp keeps, or literal text between fields.
// Fields the stamp leaves out (time zone, milliseconds, unknown letters) become nothing at all,
// so the brackets, commas and words around them never reach the stamp.
struct Piece {
  enum Kind { Literal, Hour, Minute, Second, DayPeriod, Dropped } kind;
  QString text;  // the field as the format spells it, or the literal text
};

Piece ReadField(const QString& format, qsizetype& at) {
  const QChar letter = format.at(at);
  qsizetype end = at + 1;
  if (letter.toLower() == QLatin1Char('a')) {
    // "AP", "ap", "Ap", "aP", "A" or "a": the AM/PM marker in the spelling the locale chose.
    if (end < format.size() && format.at(end).toLower() == QLatin1Char('p')) {
      ++end;
    }
    const QString field = format.mid(at, end - at);
    at = end;
    return {Piece::DayPeriod, field};
  }
  while (end < format.size() && format.at(end) == letter) {
    ++end;
  }
  const qsizetype run = end - at;
  at = end;
  switch (letter.unicode()) {
    case 'h':
    case 'H':
      return {Piece::Hour, QString(run > 1 ? 2 : 1, letter)};
    case 'm':
      return {Piece::Minute, QStringLiteral("mm")};
    case 's':
      return {Piece::Second, QStringLiteral("ss")};
    case 'B':
    case 'b':
      // A day period ("in the afternoon") that Qt does not render itself; its nearest Qt field
      // is the AM/PM marker, which also turns "h" into a 12-hour clock as the locale meant.
      return {Piece::DayPeriod, QStringLiteral("AP")};
    default:
      return {Piece::Dropped, {}};
  }
}

// Reads text in single quotes from just after the opening quote; "''" inside stands for a quote.
QString ReadQuoted(const QString& format, qsizetype& at) {
  QString text;
  while (at < format.size()) {
    const QChar c = format.at(at++);
    if (c != QLatin1Char('\'')) {
      text += c;
    } else if (at < format.size() && format.at(at) == QLatin1Char('\'')) {
      text += c;
      ++at;
    } else {
      break;
    }
  }
  return text;
}

std::vector<Piece> SplitFormat(const QString& format) {
  std::vector<Piece> pieces;
  qsizetype at = 0;
  while (at < format.size()) {
    const QChar c = format.at(at);
    Piece piece{Piece::Literal, {}};
    if (c == QLatin1Char('\'')) {
      ++at;
      piece.text = at < format.size() && format.at(at) == QLatin1Char('\'')
                       ? QString(format.at(at++))
                       : ReadQuoted(format, at);
    } else if (c.isLetter() && c.unicode() < 128) {
      piece = ReadField(format, at);
    } else {
      piece.text = c;
      ++at;
    }
    if (piece.kind == Piece::Literal && !pieces.empty() && pieces.back().kind == Piece::Literal) {
      pieces.back().text += piece.text;
    } else {
      pieces.push_back(piece);
    }
  }
  return pieces;
}

// Text that may stand between two fields of the stamp: spacing and plain punctuation such as ":"
// or ".", but no words, digits, brackets, quotes or commas.
bool IsPlainSeparator(const QString& text) {
  for (const char32_t c : text.toUcs4()) {
    if (QChar::isLetterOrNumber(c) || QChar::isMark(c) || c == U',' || c == U'\'' || c == U'"' ||
        c == U'\u060C' /* Arabic comma */ || c == U'\u3001' /* ideographic comma */) {
      return false;
    }
    switch (QChar::category(c)) {
      case QChar::Punctuation_Open:
      case QChar::Punctuation_Close:
      case QChar::Punctuation_InitialQuote:
      case QChar::Punctuation_FinalQuote:
        return false;
      default:
        break;
    }
  }
  return true;
}

QString Quoted(const QString& literal) {
  if (literal.isEmpty()) {
    return {};
  }
  QString escaped = literal;
  escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
  return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

// A field of the stamp with the literal text the format puts between it and the previous field.
struct Kept {
  Piece::Kind kind;
  QString field;
  QString before;
};

std::optional<QString> StampFormat(const QString& localeFormat) {
  std::vector<Kept> kept;
  QString between;
  for (const Piece& piece : SplitFormat(localeFormat)) {
    if (piece.kind == Piece::Literal) {
      between += piece.text;
      continue;
    }
    if (piece.kind == Piece::Dropped) {
      continue;
    }
    bool repeated = false;
    for (const Kept& k : kept) {
      repeated = repeated || k.kind == piece.kind;
    }
    if (!repeated) {
      kept.push_back({piece.kind, piece.text, kept.empty() ? QString() : between});
    }
    between.clear();
  }

  // The separator the locale puts between clock fields, for where it uses words instead.
  std::optional<QString> clockSeparator;
  int clockFields = 0;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const bool clock = kept[i].kind != Piece::DayPeriod;
    clockFields += clock ? 1 : 0;
    if (!clockSeparator && i > 0 && clock && kept[i - 1].kind != Piece::DayPeriod &&
        IsPlainSeparator(kept[i].before) && !kept[i].before.isEmpty()) {
      clockSeparator = kept[i].before;
    }
  }
  if (clockFields != 3) {
    return std::nullopt;
  }

  QString format;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const bool nextToMarker =
        kept[i].kind == Piece::DayPeriod || (i > 0 && kept[i - 1].kind == Piece::DayPeriod);
    QString separator = kept[i].before;
    if (i > 0 && (!IsPlainSeparator(separator) || (separator.isEmpty() && !nextToMarker))) {
      separator = nextToMarker ? QStringLiteral(" ") : clockSeparator.value_or(QStringLiteral(":"));
    }
    format += Quoted(separator) + kept[i].field;
  }
  return format;
}

}  // namespace

QString FormatTimeOfDay(const QTime& time, const QLocale& locale) {
  const std::optional<QString> format = StampFormat(locale.timeFormat(QLocale::LongFormat));
  return locale.toString(time, format.value_or(QStringLiteral("HH:mm:ss")));
}

QString FormatLogLine(const QTime& time, const QString& message, const QLocale& locale) {
  return QStringLiteral("[") + FormatTimeOfDay(time, locale) + QStringLiteral("] ") + message;
}

}  // namespace vextal
