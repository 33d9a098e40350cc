#include "shell/GameTexts.h"

#include <QCoreApplication>

namespace vextal {

namespace {

QString Tr(const char* text) {
  return QCoreApplication::translate("GameTexts", text);
}

}  // namespace

std::pair<QString, QString> SeatNames(Mode mode) {
  switch (mode) {
    case Mode::Network:
      return {Tr("Server"), Tr("Client")};
    case Mode::TwoPersons:
      return {Tr("Player 1"), Tr("Player 2")};
    case Mode::Demo:
      return {Tr("CPU 1"), Tr("CPU 2")};
    case Mode::PersonAgainstCpu:
      break;
  }
  return {Tr("Player"), Tr("CPU")};
}

QString SumText(std::int32_t nodes, std::int32_t links) {
  return Tr("%1 + %2 = %3").arg(nodes).arg(links).arg(nodes + links);
}

ResultAnnouncement AnnounceResult(const GameResult& result) {
  const std::int32_t s1 = result.Score1;
  const std::int32_t s2 = result.Score2;
  ResultAnnouncement a;
  a.Title = Tr("Game Over");
  if (result.Winner() == 0) {
    a.LogLine = Tr("Game Over: Draw (%1/%2)").arg(s1).arg(s2);
    a.Sound = QStringLiteral("over2.wav");
    a.Icon = BoxIcon::Exclamation;
    a.Text = Tr("Draw - both have %1 points!").arg(s1);
    return a;
  }
  const auto [name1, name2] = SeatNames(result.Seats);
  const QString& winner = result.Winner() == 1 ? name1 : name2;
  a.LogLine = Tr("%1 wins (%2/%3)").arg(winner).arg(s1).arg(s2);
  a.Sound = QStringLiteral("over1.wav");
  if (result.Seats == Mode::PersonAgainstCpu) {
    a.Text = result.Winner() == 1 ? Tr("You win! %1 to %2 points.").arg(s1).arg(s2)
                                  : Tr("You lose... %1 to %2 points.").arg(s1).arg(s2);
  } else {
    a.Text = Tr("%1 wins! %2 to %3 points.").arg(winner).arg(s1).arg(s2);
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
  return Tr("New game started.");
}

}  // namespace vextal
