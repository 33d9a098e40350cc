#include "record/RecordFile.h"

#include <map>
#include <set>

#include <QCoreApplication>

#include "game/Rules.h"
#include "stages/Stages.h"

namespace vextal {

namespace {

constexpr int kMaxSide = 8;                // columns or rows a saved board may have
constexpr qsizetype kMaxValueBytes = 512;  // one property value
constexpr int kMaxNameChars = 64;

// Fixed stages never draw a random number; this one stands in for the program's source.
class NoRandom final : public RandomSource {
 public:
  double Uniform() override { return 0.0; }
};

bool SameLayout(const Board& a, const Board& b) {
  if (a.NodesW() != b.NodesW() || a.NodesH() != b.NodesH()) {
    return false;
  }
  for (int c = 1; c <= a.NodesW(); ++c) {
    for (int r = 1; r <= a.NodesH(); ++r) {
      if (bool(a(c, r).Exists) != bool(b(c, r).Exists)) {
        return false;
      }
    }
  }
  return true;
}

QByteArray Point(int column, int row) {
  return QByteArray(1, char('a' + column - 1)) + char('a' + row - 1);
}

QByteArray Escaped(const QString& text) {
  QByteArray out;
  for (const char ch : text.toUtf8()) {
    if (ch == ']' || ch == '\\') {
      out += '\\';
    }
    out += ch;
  }
  return out;
}

QByteArray Colour(Player player) {
  return player == 1 ? "B" : "W";
}

// --- Reading ---------------------------------------------------------------------------------

struct Property {
  QByteArray Id;
  std::vector<QByteArray> Values;
  int Line = 0;
};
using SgfNode = std::vector<Property>;

// Splits the text into nodes of properties, refusing anything but one sequence of nodes.
class Parser {
 public:
  explicit Parser(const QByteArray& text) : text_(text) {}

  bool Parse(std::vector<SgfNode>& nodes, QString& error) {
    SkipSpace();
    if (!Take('(')) {
      return Fail(error, QCoreApplication::translate(
                             "RecordFile", "not a saved game (it does not begin with \"(;\")"));
    }
    SkipSpace();
    while (At(';')) {
      ++pos_;
      SgfNode node;
      if (!ParseNode(node, error)) {
        return false;
      }
      nodes.push_back(std::move(node));
      SkipSpace();
    }
    if (At('(')) {
      return Fail(error, QCoreApplication::translate("RecordFile", "variations are not supported"));
    }
    if (!Take(')')) {
      return Fail(error, QCoreApplication::translate("RecordFile", "unexpected character"));
    }
    SkipSpace();
    if (pos_ != text_.size()) {
      return Fail(error,
                  QCoreApplication::translate("RecordFile", "text after the end of the game"));
    }
    if (nodes.empty()) {
      return Fail(error, QCoreApplication::translate("RecordFile", "the game has no root node"));
    }
    return true;
  }

 private:
  bool ParseNode(SgfNode& node, QString& error) {
    std::set<QByteArray> seen;
    SkipSpace();
    while (pos_ < text_.size() && text_[pos_] >= 'A' && text_[pos_] <= 'Z') {
      Property property;
      property.Line = line_;
      while (pos_ < text_.size() && text_[pos_] >= 'A' && text_[pos_] <= 'Z') {
        property.Id += text_[pos_++];
        if (property.Id.size() > 2) {
          return Fail(error, QCoreApplication::translate("RecordFile", "unknown property"));
        }
      }
      if (!seen.insert(property.Id).second) {
        return Fail(error, QCoreApplication::translate("RecordFile", "property %1 given twice")
                               .arg(QString::fromLatin1(property.Id)));
      }
      SkipSpace();
      if (!At('[')) {
        return Fail(error, QCoreApplication::translate("RecordFile", "property %1 has no value")
                               .arg(QString::fromLatin1(property.Id)));
      }
      while (At('[')) {
        ++pos_;
        QByteArray value;
        if (!ParseValue(value, error)) {
          return false;
        }
        if (property.Values.size() >= 64) {
          return Fail(error, QCoreApplication::translate("RecordFile", "too many values"));
        }
        property.Values.push_back(std::move(value));
        SkipSpace();
      }
      node.push_back(std::move(property));
    }
    return true;
  }

  bool ParseValue(QByteArray& value, QString& error) {
    const int opened = line_;
    while (pos_ < text_.size()) {
      char ch = text_[pos_++];
      if (ch == ']') {
        return true;
      }
      if (ch == '\\') {
        if (pos_ == text_.size()) {
          break;
        }
        ch = text_[pos_++];
        if (ch == '\n') {
          ++line_;
          continue;  // a soft line break
        }
      }
      if (ch == '\n') {
        ++line_;
      }
      if (value.size() >= kMaxValueBytes) {
        return Fail(error, QCoreApplication::translate("RecordFile", "a value is too long"));
      }
      value += ch;
    }
    line_ = opened;  // where the value that runs to the end began
    return Fail(error, QCoreApplication::translate("RecordFile", "a value is not closed"));
  }

  void SkipSpace() {
    while (pos_ < text_.size() && QChar::isSpace(uchar(text_[pos_]))) {
      if (text_[pos_] == '\n') {
        ++line_;
      }
      ++pos_;
    }
  }
  bool At(char ch) const { return pos_ < text_.size() && text_[pos_] == ch; }
  bool Take(char ch) {
    if (!At(ch)) {
      return false;
    }
    ++pos_;
    return true;
  }
  bool Fail(QString& error, const QString& why) const {
    error = QCoreApplication::translate("RecordFile", "Line %1: %2").arg(line_).arg(why);
    return false;
  }

  const QByteArray& text_;
  qsizetype pos_ = 0;
  int line_ = 1;
};

// Turns the nodes into a game, checking every property.
class Reader {
 public:
  std::optional<RecordFileRead> Read(const std::vector<SgfNode>& nodes, QString& error) {
    if (!ReadRoot(nodes.front(), error)) {
      return std::nullopt;
    }
    Position at{read_.Game.Start, read_.Game.FirstToMove, std::nullopt};
    for (std::size_t i = 1; i < nodes.size(); ++i) {
      if (!ReadMove(nodes[i], at, error)) {
        return std::nullopt;
      }
    }
    read_.Game.Finished = !read_.Game.Moves.empty() && !HasLegalMove(at.Nodes, at.ActPlayer);
    if (result_ && !CheckResult(error)) {
      return std::nullopt;
    }
    return read_;
  }

 private:
  bool Fail(QString& error, int line, const QString& why) {
    error = QCoreApplication::translate("RecordFile", "Line %1: %2").arg(line).arg(why);
    return false;
  }

  static const Property* Find(const SgfNode& node, const char* id) {
    for (const Property& property : node) {
      if (property.Id == id) {
        return &property;
      }
    }
    return nullptr;
  }

  bool Single(const Property& property, QByteArray& value, QString& error) {
    if (property.Values.size() != 1) {
      return Fail(error, property.Line,
                  QCoreApplication::translate("RecordFile", "property %1 takes one value")
                      .arg(QString::fromLatin1(property.Id)));
    }
    value = property.Values.front();
    return true;
  }

  bool ParsePoint(const Property& property, const QByteArray& value, Cell& cell, QString& error) {
    const Board& board = read_.Game.Start;
    if (value.size() != 2 || value[0] < 'a' || value[1] < 'a' || value[0] - 'a' >= board.NodesW() ||
        value[1] - 'a' >= board.NodesH()) {
      return Fail(error, property.Line,
                  QCoreApplication::translate("RecordFile", "\"%1\" is not a point of the board")
                      .arg(QString::fromUtf8(value)));
    }
    cell = Cell{value[0] - 'a' + 1, value[1] - 'a' + 1};
    return true;
  }

  bool PointList(const SgfNode& root, const char* id, std::vector<Cell>& cells, QString& error) {
    const Property* property = Find(root, id);
    if (!property) {
      return true;
    }
    std::set<std::pair<int, int>> seen;
    for (const QByteArray& value : property->Values) {
      Cell cell;
      if (!ParsePoint(*property, value, cell, error)) {
        return false;
      }
      if (!seen.insert({cell.Column, cell.Row}).second) {
        return Fail(error, property->Line,
                    QCoreApplication::translate("RecordFile", "a point is listed twice"));
      }
      cells.push_back(cell);
    }
    return true;
  }

  bool ReadRoot(const SgfNode& root, QString& error) {
    static const std::set<QByteArray> kKnown = {"FF", "CA", "GM", "AP", "SZ", "XS", "XN", "AB",
                                                "AW", "XE", "PB", "PW", "DT", "RE", "PL", "GN",
                                                "C",  "EV", "PC", "US", "AN", "SO", "CP"};
    for (const Property& property : root) {
      if (!kKnown.count(property.Id)) {
        return Fail(error, property.Line,
                    QCoreApplication::translate("RecordFile", "unknown property %1")
                        .arg(QString::fromLatin1(property.Id)));
      }
    }
    QByteArray value;
    const Property* gm = Find(root, "GM");
    if (!gm || !Single(*gm, value, error) || value != "Vextal") {
      return Fail(error, gm ? gm->Line : 1,
                  QCoreApplication::translate("RecordFile",
                                              "not a saved game of this program (GM[Vextal])"));
    }
    const Property* ff = Find(root, "FF");
    if (!ff || !Single(*ff, value, error) || value != "4") {
      return Fail(error, ff ? ff->Line : 1,
                  QCoreApplication::translate("RecordFile", "only file format 4 is read (FF[4])"));
    }
    if (const Property* ca = Find(root, "CA")) {
      if (!Single(*ca, value, error) || value.toUpper() != "UTF-8") {
        return Fail(
            error, ca->Line,
            QCoreApplication::translate("RecordFile", "only the character set UTF-8 is read"));
      }
    }
    if (!ReadBoard(root, error)) {
      return false;
    }
    for (const char* id : {"PB", "PW"}) {
      if (const Property* name = Find(root, id)) {
        if (!Single(*name, value, error)) {
          return false;
        }
        QString text = QString::fromUtf8(value).simplified();
        if (text.size() > kMaxNameChars) {
          return Fail(error, name->Line,
                      QCoreApplication::translate("RecordFile", "a player's name is too long"));
        }
        read_.Game.Names[id[1] == 'B' ? 1 : 2] = text;
      }
    }
    if (const Property* dt = Find(root, "DT")) {
      if (!Single(*dt, value, error)) {
        return false;
      }
      read_.Game.Date = QDate::fromString(QString::fromLatin1(value.left(10)), Qt::ISODate);
      if (!read_.Game.Date.isValid()) {
        return Fail(
            error, dt->Line,
            QCoreApplication::translate("RecordFile", "the date is not a date (YYYY-MM-DD)"));
      }
    }
    read_.Game.FirstToMove = 1;
    if (const Property* pl = Find(root, "PL")) {
      if (!Single(*pl, value, error) || (value != "B" && value != "W")) {
        return Fail(error, pl->Line,
                    QCoreApplication::translate("RecordFile", "the first player must be B or W"));
      }
      read_.Game.FirstToMove = value == "B" ? 1 : 2;
    }
    if (const Property* re = Find(root, "RE")) {
      if (!Single(*re, value, error)) {
        return false;
      }
      result_ = value;
      resultLine_ = re->Line;
    }
    return true;
  }

  bool ReadBoard(const SgfNode& root, QString& error) {
    QByteArray value;
    const Property* sz = Find(root, "SZ");
    if (!sz || !Single(*sz, value, error)) {
      return Fail(error, sz ? sz->Line : 1,
                  QCoreApplication::translate("RecordFile", "the board size (SZ) is missing"));
    }
    const QList<QByteArray> sides = value.split(':');
    bool okW = false;
    bool okH = false;
    const int w = sides.size() == 2 ? sides[0].toInt(&okW) : 0;
    const int h = sides.size() == 2 ? sides[1].toInt(&okH) : 0;
    if (!okW || !okH || w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) {
      return Fail(error, sz->Line,
                  QCoreApplication::translate("RecordFile",
                                              "the board size must be columns:rows up to 8:8"));
    }
    const Property* xs = Find(root, "XS");
    bool okStage = false;
    const int stage = xs && Single(*xs, value, error) ? value.toInt(&okStage) : 0;
    if (!okStage || stage < 1 || stage > kStageCount) {
      return Fail(error, xs ? xs->Line : 1,
                  QCoreApplication::translate("RecordFile", "the stage (XS) must be 1 to 7"));
    }
    read_.Stage = stage;
    Board& board = read_.Game.Start;
    board = Board(std::uint8_t(w), std::uint8_t(h));
    std::vector<Cell> nodes;
    if (!PointList(root, "XN", nodes, error)) {
      return false;
    }
    for (const Cell& cell : nodes) {
      board(cell.Column, cell.Row).Exists = kTrue16;
    }
    const Property* xn = Find(root, "XN");
    if (stage != kRandomStage) {
      NoRandom none;
      const Board fixed = BuildStage(stage, none);
      if (xn ? !SameLayout(board, fixed) : (fixed.NodesW() != w || fixed.NodesH() != h)) {
        return Fail(
            error, xn ? xn->Line : sz->Line,
            QCoreApplication::translate("RecordFile", "the board is not the stage's layout"));
      }
      board = fixed;
    } else if (!xn) {
      return Fail(error, xs->Line,
                  QCoreApplication::translate("RecordFile", "a random stage needs its nodes (XN)"));
    }
    ComputeDegrees(board);
    return ReadSetup(root, error);
  }

  // Owners and expansions of a start position that is not an empty board.
  bool ReadSetup(const SgfNode& root, QString& error) {
    Board& board = read_.Game.Start;
    std::set<std::pair<int, int>> owned;
    for (const Player player : {Player(1), Player(2)}) {
      std::vector<Cell> cells;
      if (!PointList(root, player == 1 ? "AB" : "AW", cells, error)) {
        return false;
      }
      for (const Cell& cell : cells) {
        const Property* property = Find(root, player == 1 ? "AB" : "AW");
        if (!board(cell.Column, cell.Row).Exists || !owned.insert({cell.Column, cell.Row}).second) {
          return Fail(error, property->Line,
                      QCoreApplication::translate(
                          "RecordFile", "an owner is set on a point without a free node"));
        }
        board(cell.Column, cell.Row).Owner = player;
      }
    }
    std::vector<Cell> expanded;
    if (!PointList(root, "XE", expanded, error)) {
      return false;
    }
    for (const Cell& cell : expanded) {
      Node& node = board(cell.Column, cell.Row);
      if (node.Owner == 0) {
        return Fail(error, Find(root, "XE")->Line,
                    QCoreApplication::translate("RecordFile", "an expanded point has no owner"));
      }
      node.Expanded = kTrue16;
      node.LinkUp = board(cell.Column, cell.Row - 1).Exists ? 1 : 0;
      node.LinkLeft = board(cell.Column - 1, cell.Row).Exists ? 1 : 0;
      node.LinkRight = board(cell.Column + 1, cell.Row).Exists ? 1 : 0;
      node.LinkDown = board(cell.Column, cell.Row + 1).Exists ? 1 : 0;
    }
    // A start position must be one the rules could reach: no node left standing that its
    // opponent's links neutralise.
    for (int c = 1; c <= board.NodesW(); ++c) {
      for (int r = 1; r <= board.NodesH(); ++r) {
        Board probe = board;
        if (board(c, r).Owner != 0 && CheckNeutralise(probe, c, r)) {
          const Property* property = Find(root, "XE");
          return Fail(error, property ? property->Line : 1,
                      QCoreApplication::translate(
                          "RecordFile", "the start position could not come about by the rules"));
        }
      }
    }
    return true;
  }

  bool ReadMove(const SgfNode& node, Position& at, QString& error) {
    const Property* move = nullptr;
    for (const Property& property : node) {
      if (property.Id == "B" || property.Id == "W") {
        if (move) {
          return Fail(error, property.Line,
                      QCoreApplication::translate("RecordFile", "a move node holds one move"));
        }
        move = &property;
      } else if (property.Id != "C") {
        return Fail(error, property.Line,
                    QCoreApplication::translate("RecordFile", "unknown property %1 in a move")
                        .arg(QString::fromLatin1(property.Id)));
      }
    }
    if (!move) {
      return Fail(error, node.empty() ? 1 : node.front().Line,
                  QCoreApplication::translate("RecordFile", "a node without a move"));
    }
    if (read_.Game.Moves.size() >= RecordedGame::kMaxMoves) {
      return Fail(error, move->Line, QCoreApplication::translate("RecordFile", "too many moves"));
    }
    QByteArray value;
    Cell cell;
    if (!Single(*move, value, error) || !ParsePoint(*move, value, cell, error)) {
      return false;
    }
    const Player mover = move->Id == "B" ? 1 : 2;
    const QString text = QString::fromLatin1(move->Id) + '[' + QString::fromUtf8(value) + ']';
    if (mover != at.ActPlayer) {
      return Fail(
          error, move->Line,
          QCoreApplication::translate("RecordFile", "the move %1 is made out of turn").arg(text));
    }
    const MoveOutcome outcome = ApplyMove(at.Nodes, cell.Column, cell.Row, mover);
    if (!MoveMade(outcome)) {
      return Fail(
          error, move->Line,
          QCoreApplication::translate("RecordFile", "the move %1 is not legal here").arg(text));
    }
    at.ActPlayer = mover == 1 ? 2 : 1;
    at.LastMove = cell;
    const Tally tally = CountScores(at.Nodes);
    read_.Game.Moves.push_back(RecordedMove{mover, cell.Column, cell.Row, outcome,
                                            MoveSource::Person, tally.Score(1), tally.Score(2)});
    return true;
  }

  bool CheckResult(QString& error) {
    if (*result_ == "Void" || *result_ == "?") {
      return true;
    }
    if (!read_.Game.Finished) {
      return Fail(
          error, resultLine_,
          QCoreApplication::translate("RecordFile", "a result is given, but the game is not over"));
    }
    const int margin = read_.Game.FinalScore(1) - read_.Game.FinalScore(2);
    const QByteArray expected =
        margin == 0 ? QByteArray("0")
                    : (margin > 0 ? "B+" : "W+") + QByteArray::number(std::abs(margin));
    if (*result_ != expected && !(margin == 0 && *result_ == "Draw")) {
      return Fail(
          error, resultLine_,
          QCoreApplication::translate("RecordFile", "the result %1 does not match the final scores")
              .arg(QString::fromUtf8(*result_)));
    }
    return true;
  }

  RecordFileRead read_;
  std::optional<QByteArray> result_;
  int resultLine_ = 1;
};

}  // namespace

int StageOfLayout(const Board& board) {
  NoRandom none;
  for (int stage = 1; stage < kRandomStage; ++stage) {
    if (SameLayout(board, BuildStage(stage, none))) {
      return stage;
    }
  }
  return kRandomStage;
}

QString SeatName(const RecordedGame& game, Player player) {
  if (!game.Names[player].isEmpty()) {
    return game.Names[player];
  }
  const QString cpu = QStringLiteral("CPU %1").arg(CpuLevelName(game.Level));
  switch (game.Seats) {
    case Mode::Network:
      return player == 1 ? QStringLiteral("Host") : QStringLiteral("Guest");
    case Mode::Demo:
      return cpu;
    case Mode::PersonAgainstCpu:
      return player == 1 ? QStringLiteral("Person") : cpu;
    case Mode::CpuAgainstPerson:
      return player == 2 ? QStringLiteral("Person") : cpu;
    case Mode::TwoPersons:
      break;
  }
  return QStringLiteral("Person %1").arg(player);
}

QByteArray WriteRecordFile(const RecordedGame& game) {
  const Board& board = game.Start;
  const int stage = StageOfLayout(board);
  QByteArray out = "(;FF[4]CA[UTF-8]GM[Vextal]AP[Vextal]\n";
  out += "SZ[" + QByteArray::number(board.NodesW()) + ':' + QByteArray::number(board.NodesH()) +
         "]XS[" + QByteArray::number(stage) + "]\n";
  QByteArray nodes;
  QByteArray owners[3];
  QByteArray expanded;
  for (int r = 1; r <= board.NodesH(); ++r) {
    for (int c = 1; c <= board.NodesW(); ++c) {
      const Node& node = board(c, r);
      if (!node.Exists) {
        continue;
      }
      const QByteArray point = '[' + Point(c, r) + ']';
      nodes += point;
      if (node.Owner == 1 || node.Owner == 2) {
        owners[node.Owner] += point;
        if (node.Expanded) {
          expanded += point;
        }
      }
    }
  }
  if (stage == kRandomStage && !nodes.isEmpty()) {
    out += "XN" + nodes + '\n';
  }
  if (!owners[1].isEmpty()) {
    out += "AB" + owners[1] + '\n';
  }
  if (!owners[2].isEmpty()) {
    out += "AW" + owners[2] + '\n';
  }
  if (!expanded.isEmpty()) {
    out += "XE" + expanded + '\n';
  }
  out += "PB[" + Escaped(SeatName(game, 1)) + "]PW[" + Escaped(SeatName(game, 2)) + "]\n";
  if (game.Date.isValid()) {
    out += "DT[" + game.Date.toString(Qt::ISODate).toLatin1() + ']';
  }
  out += "PL[" + Colour(game.FirstToMove == 2 ? 2 : 1) + ']';
  if (game.Finished) {
    const int margin = game.FinalScore(1) - game.FinalScore(2);
    out += "RE[" +
           (margin == 0 ? QByteArray("0")
                        : (margin > 0 ? "B+" : "W+") + QByteArray::number(std::abs(margin))) +
           ']';
  }
  out += '\n';
  for (std::size_t i = 0; i < game.Moves.size(); ++i) {
    const RecordedMove& move = game.Moves[i];
    out += ';' + Colour(move.Mover) + '[' + Point(move.Column, move.Row) + ']';
    out += (i % 10 == 9 || i + 1 == game.Moves.size()) ? "\n" : "";
  }
  out += ")\n";
  return out;
}

std::optional<RecordFileRead> ReadRecordFile(const QByteArray& bytes, QString& error) {
  if (bytes.size() > kMaxRecordFileBytes) {
    error = QCoreApplication::translate("RecordFile", "the file is larger than %1 KiB")
                .arg(kMaxRecordFileBytes / 1024);
    return std::nullopt;
  }
  if (bytes.contains('\0')) {
    error = QCoreApplication::translate("RecordFile", "the file is not text");
    return std::nullopt;
  }
  std::vector<SgfNode> nodes;
  if (!Parser(bytes).Parse(nodes, error)) {
    return std::nullopt;
  }
  return Reader().Read(nodes, error);
}

}  // namespace vextal
