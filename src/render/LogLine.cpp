#include "render/LogLine.h"

#include <QRegularExpression>

namespace vextal {

QString FormatTimeOfDay(const QTime& time, const QLocale& locale) {
  QString format = locale.timeFormat(QLocale::LongFormat);
  // Drop the time-zone field ("t", "tt", ...) and the spacing or brackets left around it.
  static const QRegularExpression zone(QStringLiteral("\\s*\\(?t+\\)?\\s*"));
  format.remove(zone);
  if (!format.contains(QLatin1Char('s'))) {
    format = QStringLiteral("HH:mm:ss");
  }
  return locale.toString(time, format.trimmed());
}

QString FormatLogLine(const QTime& time, const QString& message, const QLocale& locale) {
  return QStringLiteral("[") + FormatTimeOfDay(time, locale) + QStringLiteral("] ") + message;
}

}  // namespace vextal
