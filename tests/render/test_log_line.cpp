#include <QTest>

#include "render/LogLine.h"

using namespace vextal;

class TestLogLine : public QObject {
  Q_OBJECT

 private slots:
  void stampInLocale_data();
  void stampInLocale();
  void everyLocaleGivesCleanStamp();
};

// 14:05:09: no time zone nor the brackets and commas around it, the locale's separator where its
// format has words between the fields, the AM/PM marker where the locale puts it.
void TestLogLine::stampInLocale_data() {
  QTest::addColumn<QString>("stamp");
  QTest::newRow("C") << "14:05:09";
  QTest::newRow("en_US") << "2:05:09 PM";
  QTest::newRow("da_DK") << "14.05.09";
  QTest::newRow("zh_TW") << "下午2:05:09";  // "Bh:mm:ss [t]"
  QTest::newRow("yue_HK") << "下午2:05:09";
  QTest::newRow("be_BY") << "14:05:09";  // "HH:mm:ss, t"
  QTest::newRow("sq_AL") << "2:05:09 E PASDITES";
  QTest::newRow("ko_KR") << "오후 2:05:09";  // "AP h시 m분 s초 t"
  QTest::newRow("fr_BE") << "14:05:09";      // "H 'h' mm 'min' ss 's' t"
}

void TestLogLine::stampInLocale() {
  QFETCH(QString, stamp);
  const QLocale locale(QString::fromLatin1(QTest::currentDataTag()));
  QCOMPARE(FormatLogLine(QTime(14, 5, 9), QStringLiteral("m"), locale), "[" + stamp + "] m");
}

// Every locale, morning and afternoon: three numbers (hours, minutes, seconds) joined by spacing,
// ":" or ".", and the locale's AM/PM text where it has one, which then makes 14 o'clock a 2.
void TestLogLine::everyLocaleGivesCleanStamp() {
  const QList<QLocale> locales =
      QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
  QVERIFY(locales.size() > 100);
  for (const QLocale& locale : locales) {
    for (const QTime& time : {QTime(14, 5, 9), QTime(9, 5, 7)}) {
      const QString stamp = FormatTimeOfDay(time, locale);
      const QString what = locale.name() + QStringLiteral(": ") + stamp;
      const QString marker = time.hour() < 12 ? locale.amText() : locale.pmText();
      const bool twelveHour = !marker.isEmpty() && stamp.contains(marker, Qt::CaseInsensitive);
      QList<int> numbers;
      bool inNumber = false;
      for (const char32_t c : QString(stamp).remove(marker, Qt::CaseInsensitive).toUcs4()) {
        const bool digit = QChar::isDigit(c);
        if (digit) {
          numbers.append(inNumber ? numbers.takeLast() * 10 + QChar::digitValue(c)
                                  : QChar::digitValue(c));
        }
        const bool separator =
            c <= 0xFFFF && QStringLiteral(" :.\u00A0\u202F").contains(QChar(char16_t(c)));
        QVERIFY2(digit || separator, qPrintable(what));
        inNumber = digit;
      }
      const int hour = twelveHour ? (time.hour() + 11) % 12 + 1 : time.hour();
      QVERIFY2((numbers == QList<int>{hour, time.minute(), time.second()}), qPrintable(what));
      QVERIFY2(stamp == stamp.trimmed(), qPrintable(what));
    }
  }
}

QTEST_MAIN(TestLogLine)
#include "test_log_line.moc"
