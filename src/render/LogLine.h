#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

namespace vextal {

// The time of day in the user's regional format with hours, minutes and seconds (14:05:09),
// without the time zone that some long formats carry.
QString FormatTimeOfDay(const QTime& time, const QLocale& locale = QLocale::system());

// One line of the event log: "[" + time of day + "] " + message.
QString FormatLogLine(const QTime& time, const QString& message,
                      const QLocale& locale = QLocale::system());

}  // namespace vextal
