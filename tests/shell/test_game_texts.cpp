// What a person reads and hears of the game's events: seat captions, the player row's sums, the
// announcement of a result, and the sound of each kind of move attempt.

#include <QTest>

#include "shell/GameTexts.h"

using namespace vextal;

Q_DECLARE_METATYPE(vextal::Mode)
Q_DECLARE_METATYPE(vextal::MoveOutcome)
Q_DECLARE_METATYPE(vextal::MoveSource)

class GameTextsTest : public QObject {
  Q_OBJECT

 private slots:
  void seatNames_data() {
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QString>("names");
    QTest::newRow("two persons") << Mode::TwoPersons << "Player 1|Player 2";
    QTest::newRow("against the CPU") << Mode::PersonAgainstCpu << "Player|CPU";
    QTest::newRow("the CPU against") << Mode::CpuAgainstPerson << "CPU|Player";
    QTest::newRow("demo") << Mode::Demo << "CPU 1|CPU 2";
    QTest::newRow("network") << Mode::Network << "Server|Client";
  }
  void seatNames() {
    QFETCH(Mode, mode);
    QFETCH(QString, names);
    const auto [name1, name2] = SeatNames(mode);
    QCOMPARE(name1 + QLatin1Char('|') + name2, names);
  }

  void sums() {
    QCOMPARE(SumText(0, 0), QStringLiteral("0 + 0 = 0"));
    QCOMPARE(SumText(2, 13), QStringLiteral("2 + 13 = 15"));
  }

  // The log line, then the sound, then the box, as the window shows them.
  void resultAnnouncement_data() {
    QTest::addColumn<Mode>("seats");
    QTest::addColumn<int>("score1");
    QTest::addColumn<int>("score2");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("draw") << Mode::TwoPersons << 9 << 9
                          << QStringList{"log:Game Over: Draw (9/9)", "wave:over2.wav",
                                         "box:Exclamation|Game Over|Draw - both have 9 points!"};
    QTest::newRow("draw against the CPU")
        << Mode::PersonAgainstCpu << 9 << 9
        << QStringList{"log:Game Over: Draw (9/9)", "wave:over2.wav",
                       "box:Exclamation|Game Over|Draw - both have 9 points!"};
    QTest::newRow("person loses to the CPU")
        << Mode::PersonAgainstCpu << 6 << 11
        << QStringList{"log:CPU wins (6/11)", "wave:over1.wav",
                       "box:Information|Game Over|You lose... 6 to 11 points."};
    QTest::newRow("person beats the CPU")
        << Mode::PersonAgainstCpu << 11 << 6
        << QStringList{"log:Player wins (11/6)", "wave:over1.wav",
                       "box:Information|Game Over|You win! 11 to 6 points."};
    QTest::newRow("person in seat 2 beats the CPU")
        << Mode::CpuAgainstPerson << 6 << 11
        << QStringList{"log:Player wins (6/11)", "wave:over1.wav",
                       "box:Information|Game Over|You win! 6 to 11 points."};
    QTest::newRow("two persons") << Mode::TwoPersons << 7 << 12
                                 << QStringList{"log:Player 2 wins (7/12)", "wave:over1.wav",
                                                "box:Information|Game Over|Player 2 wins! 7 "
                                                "to 12 points."};
    QTest::newRow("player 1") << Mode::TwoPersons << 12 << 7
                              << QStringList{"log:Player 1 wins (12/7)", "wave:over1.wav",
                                             "box:Information|Game Over|Player 1 wins! 12 to 7 "
                                             "points."};
    QTest::newRow("demo") << Mode::Demo << 4 << 10
                          << QStringList{"log:CPU 2 wins (4/10)", "wave:over1.wav",
                                         "box:Information|Game Over|CPU 2 wins! 4 to 10 points."};
    QTest::newRow("network") << Mode::Network << 3 << 5
                             << QStringList{"log:Client wins (3/5)", "wave:over1.wav",
                                            "box:Information|Game Over|Client wins! 3 to 5 "
                                            "points."};
  }
  void resultAnnouncement() {
    QFETCH(Mode, seats);
    QFETCH(int, score1);
    QFETCH(int, score2);
    QFETCH(QStringList, expected);
    const ResultAnnouncement a = AnnounceResult(GameResult{seats, score1, score2});
    const QString icon = a.Icon == BoxIcon::Exclamation   ? QStringLiteral("Exclamation")
                         : a.Icon == BoxIcon::Information ? QStringLiteral("Information")
                                                          : QStringLiteral("other");
    QCOMPARE(QStringList({"log:" + a.LogLine, "wave:" + a.Sound,
                          QStringLiteral("box:%1|%2|%3").arg(icon, a.Title, a.Text)}),
             expected);
  }

  // A person hears every attempt, the peer's too; the CPU's refusals are never heard, and the
  // last move of a game is heard as the result.
  void moveSound_data() {
    QTest::addColumn<MoveOutcome>("outcome");
    QTest::addColumn<MoveSource>("by");
    QTest::addColumn<bool>("endedGame");
    QTest::addColumn<QString>("wave");
    QTest::newRow("claim") << MoveOutcome::Claimed << MoveSource::Person << false << "beep1.wav";
    QTest::newRow("refusal") << MoveOutcome::Refused << MoveSource::Person << false << "beep2.wav";
    QTest::newRow("expansion") << MoveOutcome::Expanded << MoveSource::Cpu << false << "beep3.wav";
    QTest::newRow("neutralisation")
        << MoveOutcome::Neutralised << MoveSource::Peer << false << "beep4.wav";
    QTest::newRow("the peer's refusal")
        << MoveOutcome::Refused << MoveSource::Peer << false << "beep2.wav";
    QTest::newRow("the CPU's refusal") << MoveOutcome::Refused << MoveSource::Cpu << false << "";
    QTest::newRow("the last move") << MoveOutcome::Expanded << MoveSource::Person << true << "";
  }
  void moveSound() {
    QFETCH(MoveOutcome, outcome);
    QFETCH(MoveSource, by);
    QFETCH(bool, endedGame);
    QFETCH(QString, wave);
    MoveReport move;
    move.Outcome = outcome;
    move.By = by;
    move.EndedGame = endedGame;
    QCOMPARE(MoveSound(move), wave);
  }
};

QTEST_GUILESS_MAIN(GameTextsTest)
#include "test_game_texts.moc"
