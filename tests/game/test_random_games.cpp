// Thousands of random games between two persons on random stages: after every attempt the board
// must still be a board the rules can produce, the scores must be nodes plus links, and every
// game must end with the game-over box within a bounded number of moves.

#include <algorithm>
#include <random>
#include <vector>

#include <QTest>

#include "common/CoreRecorder.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

constexpr int kGames = 2500;
constexpr int kMaxAttemptsPerGame = 20000;
// Random games on these boards end within a few dozen moves; the bound is there to catch a game
// that would go round in circles.
constexpr int kMaxMovesPerGame = 200;

struct Side {
  int dc;
  int dr;
  std::uint8_t Node::*link;
};
constexpr Side kSides[] = {{-1, 0, &Node::LinkLeft},
                           {0, -1, &Node::LinkUp},
                           {1, 0, &Node::LinkRight},
                           {0, 1, &Node::LinkDown}};

// Empty when the board and scores hold every rule of the board model, otherwise what is wrong.
QString Violation(const Game& game, const Board& layout) {
  const Board& b = game.Nodes();
  if (b.NodesW() != layout.NodesW() || b.NodesH() != layout.NodesH()) {
    return QStringLiteral("board size changed");
  }
  int nodes[3] = {0, 0, 0};
  int links[3] = {0, 0, 0};
  for (int c = 0; c <= b.NodesW() + 1; ++c) {
    for (int r = 0; r <= b.NodesH() + 1; ++r) {
      const Node& n = b(c, r);
      const auto at = [c, r] { return QStringLiteral(" at (%1,%2)").arg(c).arg(r); };
      const bool border = c == 0 || r == 0 || c == b.NodesW() + 1 || r == b.NodesH() + 1;
      if (border) {
        if (!(n == Node{})) {
          return QStringLiteral("border cell not empty") + at();
        }
        continue;
      }
      const Node& fixed = layout(c, r);
      if (n.Exists != fixed.Exists || n.Kind != fixed.Kind || n.Degree != fixed.Degree) {
        return QStringLiteral("Exists, Kind or Degree changed") + at();
      }
      if (n.Owner > 2) {
        return QStringLiteral("owner %1").arg(n.Owner) + at();
      }
      if (!n.Exists && (n.Owner != 0 || n.Expanded)) {
        return QStringLiteral("play on a point without a node") + at();
      }
      if (n.Expanded && n.Owner == 0) {
        return QStringLiteral("expanded node without an owner") + at();
      }
      for (const Side& side : kSides) {
        const std::uint8_t link = n.*side.link;
        const bool toward = b(c + side.dc, r + side.dr).Exists != 0;
        const std::uint8_t expected = n.Expanded && toward ? 1 : 0;
        if (link != expected) {
          return QStringLiteral("link %1 where %2 expected").arg(link).arg(expected) + at();
        }
        links[n.Owner] += link;
      }
      nodes[n.Owner] += 1;
    }
  }
  if (game.Score1() != nodes[1] + links[1] || game.Score2() != nodes[2] + links[2]) {
    return QStringLiteral("scores %1/%2, board says %3/%4")
        .arg(game.Score1())
        .arg(game.Score2())
        .arg(nodes[1] + links[1])
        .arg(nodes[2] + links[2]);
  }
  if (game.ActPlayer() != 1 && game.ActPlayer() != 2) {
    return QStringLiteral("player to move %1").arg(game.ActPlayer());
  }
  return QString();
}

}  // namespace

class RandomGamesTest : public QObject {
  Q_OBJECT

 private slots:
  void randomGamesKeepTheBoardValidAndEnd() {
    CoreRig rig;
    Game& game = rig.game;
    std::mt19937 rng(20240611);
    const auto pick = [&rng](int lo, int hi) {  // inclusive
      return std::uniform_int_distribution<int>(lo, hi)(rng);
    };

    int played = 0;
    int endedByBox = 0;
    int longest = 0;
    long attempts = 0;
    for (int g = 0; g < kGames; ++g) {
      SetupStage(game, pick(1, 7), rig.random);
      const Board layout = game.Nodes();
      rig.rec.Clear();
      if (game.CheckGameOver(game.ActPlayer())) {
        continue;  // a random stage without any node: nobody can move, the game never starts
      }
      ++played;
      const int boxesBefore = rig.rec.GamesEnded;
      int moves = 0;
      for (int attempt = 0; attempt < kMaxAttemptsPerGame && rig.rec.GamesEnded == boxesBefore;
           ++attempt) {
        const Player mover = game.ActPlayer();
        const int kind = pick(0, 9);
        if (kind < 4) {
          std::vector<std::pair<int, int>> legal;
          for (int c = 1; c <= game.NodesW(); ++c) {
            for (int r = 1; r <= game.NodesH(); ++r) {
              if (game.IsLegalMove(c, r, mover)) {
                legal.emplace_back(c, r);
              }
            }
          }
          QVERIFY(!legal.empty());  // otherwise the last move should have ended the game
          const auto [c, r] = legal[std::size_t(pick(0, int(legal.size()) - 1))];
          QVERIFY(game.DoMove(c, r, pick(0, 1) == 1 ? MoveSource::Person : MoveSource::Peer));
        } else if (kind < 7) {
          game.PlayCell(pick(-1, game.NodesW() + 2), pick(-1, game.NodesH() + 2));
        } else {
          game.DoMove(pick(-1, game.NodesW() + 2), pick(-1, game.NodesH() + 2), MoveSource::Peer);
        }

        const bool ended = rig.rec.GamesEnded != boxesBefore;
        if (ended || game.ActPlayer() != mover) {
          ++moves;
        }
        if (ended) {
          QCOMPARE(game.ActPlayer(), mover);  // the next game starts with the mover
          QCOMPARE(game.Score1() + game.Score2(), 0);
        }
        const QString violation = Violation(game, layout);
        if (!violation.isEmpty()) {
          QFAIL(qPrintable(
              QStringLiteral("game %1, attempt %2: %3").arg(g).arg(attempt).arg(violation)));
        }
        rig.rec.Clear();
        ++attempts;
      }
      QVERIFY2(rig.rec.GamesEnded == boxesBefore + 1,
               qPrintable(QStringLiteral("game %1 did not end").arg(g)));
      ++endedByBox;
      longest = std::max(longest, moves);
      QVERIFY2(moves <= kMaxMovesPerGame, qPrintable(QStringLiteral("%1 moves").arg(moves)));
    }
    QCOMPARE(endedByBox, played);
    QVERIFY(played > kGames * 9 / 10);
    qInfo("%d games played to the end in %ld attempts, the longest in %d moves", played, attempts,
          longest);
  }
};

QTEST_GUILESS_MAIN(RandomGamesTest)
#include "test_random_games.moc"
