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

void TestLogLine::stampInLocale_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<QString>("line");
  // 14:05:09 in each locale: the time zone and all that surrounds it is gone, words between
  // the clock fields become the locale's separator, the AM/PM marker stays where it was.
  QTest::newRow("C") << "C"
                     << "[14:05:09] New game started.";
  QTest::newRow("de_DE") << "de_DE"
                         << "[14:05:09] New game started.";
  QTest::newRow("en_US") << "en_US"
                         << "[2:05:09 PM] New game started.";
  QTest::newRow("da_DK dots") << "da_DK"
                              << "[14.05.09] New game started.";
  QTest::newRow("zh_TW day period, [t]") << "zh_TW"
                                         << "[下午2:05:09] New game started.";
  QTest::newRow("yue_HK [t]") << "yue_HK"
                              << "[下午2:05:09] New game started.";
  QTest::newRow("zh_HK zone first") << "zh_HK"
                                    << "[下午2:05:09] New game started.";
  QTest::newRow("be_BY , t") << "be_BY"
                             << "[14:05:09] New game started.";
  QTest::newRow("sq_AL AP, t") << "sq_AL"
                               << "[2:05:09 E PASDITES] New game started.";
  QTest::newRow("eu_ES (t)") << "eu_ES"
                             << "[14:05:09] New game started.";
  QTest::newRow("ko_KR words") << "ko_KR"
                               << "[오후 2:05:09] New game started.";
  QTest::newRow("fr_BE quoted words") << "fr_BE"
                                      << "[14:05:09] New game started.";
  QTest::newRow("eo minutes unpadded") << "eo"
                                       << "[14:05:09] New game started.";
}

void TestLogLine::stampInLocale() {
  QFETCH(QString, locale);
  QFETCH(QString, line);
  QCOMPARE(FormatLogLine(QTime(14, 5, 9), QStringLiteral("New game started."), QLocale(locale)),
           line);
}

// Every locale Qt knows, morning and afternoon: the stamp is three numbers (hours, minutes,
// seconds) joined by spacing, ":" or ".", plus the locale's AM/PM text where it has one, which
// then also turns the afternoon hour into 2.
void TestLogLine::everyLocaleGivesCleanStamp() {
  const QList<QLocale> locales =
      QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
  QVERIFY(locales.size() > 100);
  for (const QLocale& locale : locales) {
    for (const QTime& time : {QTime(14, 5, 9), QTime(9, 5, 7)}) {
      const QString stamp = FormatTimeOfDay(time, locale);
      const QString what = locale.name() + QStringLiteral(": \"") + stamp + QLatin1Char('"');
      QString rest = stamp;
      const QString marker = time.hour() < 12 ? locale.amText() : locale.pmText();
      const bool twelveHour = !marker.isEmpty() && rest.contains(marker, Qt::CaseInsensitive);
      rest.remove(marker, Qt::CaseInsensitive);
      rest = rest.trimmed();
      QVERIFY2(stamp == stamp.trimmed(), qPrintable(what));

      QList<int> numbers;
      bool inNumber = false;
      for (const char32_t c : rest.toUcs4()) {
        if (QChar::isDigit(c)) {
          if (!inNumber) {
            numbers.append(0);
          }
          numbers.last() = numbers.last() * 10 + QChar::digitValue(c);
          inNumber = true;
          continue;
        }
        inNumber = false;
        QVERIFY2(c == U' ' || c == U':' || c == U'.' || c == U'\u00A0' || c == U'\u202F',
                 qPrintable(what));
      }
      const int hour = twelveHour && time.hour() > 12 ? time.hour() - 12 : time.hour();
      QVERIFY2((numbers == QList<int>{hour, time.minute(), time.second()}), qPrintable(what));
    }
  }
}

QTEST_MAIN(TestLogLine)
#include "test_log_line.moc"
