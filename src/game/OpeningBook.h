#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include <QByteArray>
#include <QString>

#include "game/ExactBoard.h"

namespace vextal {

// Best moves for the early positions of the fixed stages, solved offline (tools/book), where a
// search within one move's time could not settle them. Keyed by the layout of the board and the
// position's image with the smallest key under the layout's mirror images, so one entry serves a
// position, its mirror images and either player's colour.
//
// The file is text: a header line, then per layout a line "layout W H CELLS" (CELLS: the grid
// points holding a node, bit (column - 1) * H + (row - 1), in hex) followed by its entries
// "KEY MOVE LOWER UPPER" (the ExactState key in hex, the move's node number, the proven bounds of
// the value), and last a line "end COUNT CHECKSUM" (the entries, and FNV-1a of every byte before
// that line), so a cut or damaged file is refused whole.
class OpeningBook {
 public:
  struct Entry {
    std::int8_t Move = -1;  // node number in the key's image
    std::int8_t Lower = 0;
    std::int8_t Upper = 0;
  };

  // Parses a whole file's bytes; nothing (with the reason on `error`) when anything is wrong.
  static std::optional<OpeningBook> Parse(const QByteArray& bytes, QString& error);
  // Reads and parses the file at `path`.
  static std::optional<OpeningBook> Load(const QString& path, QString& error);

  // The book's move for the player to move, mapped back onto this board, or nothing when the
  // position is not in the book. Where several mirror images give the same key, `random` picks
  // one of them, so the book does not always play on the same side of a symmetric board.
  std::optional<PackedCell> Find(const ExactLayout::Reading& position,
                                 std::mt19937_64& random) const;
  // The entry for a position, if any.
  const Entry* Lookup(const ExactLayout::Reading& position) const;

  // Writing a book: the header, then each layout's entries, then the closing line.
  static QByteArray NewText();
  static void AppendLayout(QByteArray& out, const ExactLayout& layout,
                           const std::vector<std::pair<std::uint64_t, Entry>>& entries);
  static void FinishText(QByteArray& out, std::size_t entryCount);

  std::size_t Size() const;
  // Every entry of the layout, by key.
  std::vector<std::pair<std::uint64_t, Entry>> EntriesFor(const ExactLayout& layout) const;

 private:
  struct LayoutBook {
    int Width = 0;
    int Height = 0;
    std::uint32_t Cells = 0;
    std::vector<std::pair<std::uint64_t, Entry>> Entries;  // by key
  };
  const LayoutBook* LayoutFor(const ExactLayout& layout) const;

  std::vector<LayoutBook> layouts_;
};

}  // namespace vextal
