#include "game/Evaluation.h"

#include "game/Rules.h"

namespace vextal {

namespace {

struct Side {
  int dc;
  int dr;
  std::uint8_t Node::*linkBack;  // the neighbour's link that points back at the cell
};
constexpr Side kSides[] = {{-1, 0, &Node::LinkRight},
                           {0, -1, &Node::LinkDown},
                           {1, 0, &Node::LinkLeft},
                           {0, 1, &Node::LinkUp}};

// Per player (index 1 and 2) tallies of one scan of the board.
struct Features {
  int Score[3] = {0, 0, 0};
  int Potential[3] = {0, 0, 0};
  int Mobility[3] = {0, 0, 0};
  int Danger[3] = {0, 0, 0};
};

// An owned node: its score, what expanding it would add, and whether the opponent can bring it
// down with one expansion (its hostile links plus the opponent's unexpanded neighbours reach
// what neutralises it).
void AddOwnedNode(const Board& board, int c, int r, Features& f) {
  const Node& node = board(c, r);
  const Player owner = node.Owner;
  int hostileLinks = 0;
  int attackers = 0;
  for (const Side& s : kSides) {
    const Node& n = board(c + s.dc, r + s.dr);
    if (n.Owner == 0 || n.Owner == owner) {
      continue;
    }
    if (n.*s.linkBack != 0) {
      ++hostileLinks;
    } else if (!n.Expanded) {
      ++attackers;
    }
  }
  const int worth =
      1 + (node.LinkUp != 0) + (node.LinkLeft != 0) + (node.LinkRight != 0) + (node.LinkDown != 0);
  f.Score[owner] += worth;
  if (!node.Expanded) {
    f.Potential[owner] += node.Degree;
    ++f.Mobility[owner];
  }
  const int fallsAt = node.Degree < 2 ? node.Degree : 2;
  if (attackers > 0 && hostileLinks + 1 >= fallsAt) {
    f.Danger[owner] += worth + (node.Expanded ? 0 : node.Degree);
  }
}

Features Scan(const Board& board) {
  Features f;
  for (int c = 1; c <= board.NodesW(); ++c) {
    for (int r = 1; r <= board.NodesH(); ++r) {
      const Node& node = board(c, r);
      if (!node.Exists) {
        continue;
      }
      if (node.Owner == 1 || node.Owner == 2) {
        AddOwnedNode(board, c, r, f);
      } else if (node.Owner == 0) {
        f.Mobility[1] += IsBlocked(board, c, r, 1) ? 0 : 1;
        f.Mobility[2] += IsBlocked(board, c, r, 2) ? 0 : 1;
      }
    }
  }
  return f;
}

}  // namespace

int GameOverValue(const SearchPosition& position, int ply) {
  const Tally tally = CountScores(position.Nodes());
  const int margin = tally.Score(position.ToMove()) - tally.Score(position.Opponent());
  if (margin > 0) {
    return kWinValue - ply;
  }
  if (margin < 0) {
    return -kWinValue + ply;
  }
  return 0;
}

int Evaluate(const SearchPosition& position, const EvalWeights& w) {
  const Features f = Scan(position.Nodes());
  const Player me = position.ToMove();
  const Player them = position.Opponent();
  return w.Score * (f.Score[me] - f.Score[them]) +
         w.Potential * (f.Potential[me] - f.Potential[them]) +
         w.Mobility * (f.Mobility[me] - f.Mobility[them]) -
         w.Danger * (f.Danger[me] - f.Danger[them]);
}

}  // namespace vextal
