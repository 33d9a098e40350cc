#include "shell/BoardWords.h"

#include <QCoreApplication>
#include <QStringList>

#include "game/Rules.h"
#include "shell/GameTexts.h"

namespace vextal {

namespace {

// The context of these texts in the translations.
struct BoardWords {
  Q_DECLARE_TR_FUNCTIONS(BoardWords)
};

QString SeatName(Mode seats, Player player) {
  const auto [name1, name2] = SeatNames(seats);
  return player == 1 ? name1 : name2;
}

Player Opponent(Player player) {
  return player == 1 ? 2 : 1;
}

int LinkCount(const Node& node) {
  int links = 0;
  for (const std::uint8_t link : {node.LinkUp, node.LinkLeft, node.LinkRight, node.LinkDown}) {
    links += link != 0 ? 1 : 0;
  }
  return links;
}

// Who a node belongs to, or for whom a free node is blocked, as seen from the viewer.
QString OwnerWords(const BoardViewer& viewer, Player owner) {
  if (owner == viewer.You) {
    return BoardWords::tr("yours");
  }
  return BoardWords::tr("owned by %1").arg(SeatName(viewer.Seats, owner));
}

QString BlockedWords(const Board& board, int column, int row, const BoardViewer& viewer) {
  // The player here first: it is his move that is refused there.
  const Player first = viewer.You != 0 ? viewer.You : 1;
  const bool forFirst = IsBlocked(board, column, row, first);
  const bool forSecond = IsBlocked(board, column, row, Opponent(first));
  if (forFirst && forSecond) {
    return BoardWords::tr("blocked for both");
  }
  if (!forFirst && !forSecond) {
    return QString();
  }
  const Player blocked = forFirst ? first : Opponent(first);
  return blocked == viewer.You
             ? BoardWords::tr("blocked for you")
             : BoardWords::tr("blocked for %1").arg(SeatName(viewer.Seats, blocked));
}

}  // namespace

BoardViewer BoardViewer::Of(Mode mode, bool netServer, Player toMove) {
  switch (mode) {
    case Mode::PersonAgainstCpu:
      return {mode, 1};
    case Mode::Network:
      return {mode, Player(netServer ? 1 : 2)};
    case Mode::TwoPersons:
      return {mode, toMove};
    case Mode::Demo:
      break;
  }
  return {mode, 0};
}

QString CellName(const Board& board, int column, int row, const BoardViewer& viewer,
                 const std::optional<Cell>& lastMove) {
  const bool inside = column >= 1 && row >= 1 && column <= board.NodesW() && row <= board.NodesH();
  if (!inside || !board(column, row).Exists) {
    return BoardWords::tr("Column %1, row %2: no node").arg(column).arg(row);
  }
  const Node& node = board(column, row);
  QStringList state;
  if (node.Owner == 1 || node.Owner == 2) {
    state << OwnerWords(viewer, node.Owner);
    if (node.Expanded) {
      state << BoardWords::tr("expanded");
    }
    if (const int links = LinkCount(node); links > 0) {
      state << (links == 1 ? BoardWords::tr("1 link") : BoardWords::tr("%1 links").arg(links));
    }
  } else {
    state << BoardWords::tr("free");
    if (const QString blocked = BlockedWords(board, column, row, viewer); !blocked.isEmpty()) {
      state << blocked;
    }
  }
  if (lastMove && lastMove->Column == column && lastMove->Row == row) {
    state << BoardWords::tr("played last");
  }
  return BoardWords::tr("Column %1, row %2: %3")
      .arg(column)
      .arg(row)
      .arg(state.join(BoardWords::tr(", ")));
}

QString MoveAnnouncement(const MoveReport& move, Mode seats) {
  const QString who = SeatName(seats, move.Mover);
  switch (move.Outcome) {
    case MoveOutcome::Claimed:
      return BoardWords::tr("%1 claims column %2, row %3.").arg(who).arg(move.Column).arg(move.Row);
    case MoveOutcome::Expanded:
      return BoardWords::tr("%1 expands column %2, row %3.")
          .arg(who)
          .arg(move.Column)
          .arg(move.Row);
    case MoveOutcome::Neutralised:
      return BoardWords::tr("%1 expands column %2, row %3 and neutralises nodes next to it.")
          .arg(who)
          .arg(move.Column)
          .arg(move.Row);
    case MoveOutcome::Refused:
    case MoveOutcome::NoMove:
      break;
  }
  return QString();
}

QString RefusalText(const MoveReport& move) {
  switch (move.Why) {
    case Refusal::Blocked:
      return BoardWords::tr("Refused: column %1, row %2 is blocked for you.")
          .arg(move.Column)
          .arg(move.Row);
    case Refusal::OpponentNode:
      return BoardWords::tr("Refused: column %1, row %2 belongs to your opponent.")
          .arg(move.Column)
          .arg(move.Row);
    case Refusal::ExpandedNode:
      return BoardWords::tr("Refused: column %1, row %2 is already expanded.")
          .arg(move.Column)
          .arg(move.Row);
    case Refusal::None:
      break;
  }
  return BoardWords::tr("Refused: column %1, row %2.").arg(move.Column).arg(move.Row);
}

QString ScoreName(const QString& seat, std::int32_t nodes, std::int32_t links) {
  return BoardWords::tr("%1: %2 nodes, %3 links, %4 points")
      .arg(seat)
      .arg(nodes)
      .arg(links)
      .arg(nodes + links);
}

}  // namespace vextal
