#include "shell/GameTexts.h"

#include <QCoreApplication>

namespace vextal {

namespace {

// The context of these texts in the translations. The texts are written out at each call, where
// lupdate finds them.
struct GameTexts {
  Q_DECLARE_TR_FUNCTIONS(GameTexts)
};

}  // namespace

std::pair<QString, QString> SeatNames(Mode mode) {
  switch (mode) {
    case Mode::Network:
      return {GameTexts::tr("Server"), GameTexts::tr("Client")};
    case Mode::TwoPersons:
      return {GameTexts::tr("Player 1"), GameTexts::tr("Player 2")};
    case Mode::Demo:
      return {GameTexts::tr("CPU 1"), GameTexts::tr("CPU 2")};
    case Mode::CpuAgainstPerson:
      return {GameTexts::tr("CPU"), GameTexts::tr("Player")};
    case Mode::PersonAgainstCpu:
      break;
  }
  return {GameTexts::tr("Player"), GameTexts::tr("CPU")};
}

QString SumText(std::int32_t nodes, std::int32_t links) {
  return GameTexts::tr("%1 + %2 = %3").arg(nodes).arg(links).arg(nodes + links);
}

ResultAnnouncement AnnounceResult(const GameResult& result) {
  const std::int32_t s1 = result.Score1;
  const std::int32_t s2 = result.Score2;
  ResultAnnouncement a;
  a.Title = GameTexts::tr("Game Over");
  if (result.Winner() == 0) {
    a.LogLine = GameTexts::tr("Game Over: Draw (%1/%2)").arg(s1).arg(s2);
    a.Sound = QStringLiteral("over2.wav");
    a.Icon = BoxIcon::Exclamation;
    a.Text = GameTexts::tr("Draw - both have %1 points!").arg(s1);
    return a;
  }
  const auto [name1, name2] = SeatNames(result.Seats);
  const QString& winner = result.Winner() == 1 ? name1 : name2;
  a.LogLine = GameTexts::tr("%1 wins (%2/%3)").arg(winner).arg(s1).arg(s2);
  a.Sound = QStringLiteral("over1.wav");
  if (result.Seats == Mode::PersonAgainstCpu || result.Seats == Mode::CpuAgainstPerson) {
    const Player person = result.Seats == Mode::PersonAgainstCpu ? 1 : 2;
    a.Text = result.Winner() == person
                 ? GameTexts::tr("You win! %1 to %2 points.").arg(s1).arg(s2)
                 : GameTexts::tr("You lose... %1 to %2 points.").arg(s1).arg(s2);
  } else {
    a.Text = GameTexts::tr("%1 wins! %2 to %3 points.").arg(winner).arg(s1).arg(s2);
  }
  return a;
}

QString MoveSound(const MoveReport& move) {
  if (move.EndedGame || (move.By == MoveSource::Cpu && !move.Made())) {
    return QString();
  }
  switch (move.Outcome) {
    case MoveOutcome::Refused:
      return QStringLiteral("beep2.wav");
    case MoveOutcome::Claimed:
      return QStringLiteral("beep1.wav");
    case MoveOutcome::Expanded:
      return QStringLiteral("beep3.wav");
    case MoveOutcome::Neutralised:
      return QStringLiteral("beep4.wav");
    case MoveOutcome::NoMove:
      break;
  }
  return QString();
}

QString NewGameSound() {
  return QStringLiteral("reset.wav");
}

QString NewGameLogLine() {
  return GameTexts::tr("New game started.");
}

}  // namespace vextal
