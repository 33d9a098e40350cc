#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

namespace vextal {

// The time of day in the user's regional format with hours, minutes and seconds (14:05:09,
// 2:05:09 PM, 下午2:05:09): the clock fields and AM/PM marker of the locale's long time format
// in its order, without the time zone that long format carries and without the brackets, commas
// and words around it; words between the clock fields give way to the locale's separator.
QString FormatTimeOfDay(const QTime& time, const QLocale& locale = QLocale::system());

// One line of the event log: "[" + time of day + "] " + message.
QString FormatLogLine(const QTime& time, const QString& message,
                      const QLocale& locale = QLocale::system());

}  // namespace vextal
