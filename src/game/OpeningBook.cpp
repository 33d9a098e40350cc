#include "game/OpeningBook.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>

#include <QCoreApplication>
#include <QFile>

#include "game/ExactSolver.h"

namespace vextal {

namespace {

constexpr char kHeader[] = "vextal-book 1";
constexpr qint64 kMaxBookBytes = 16 * 1024 * 1024;

std::uint64_t Fnv1a(QByteArrayView bytes) {
  std::uint64_t hash = 0xCBF29CE484222325ULL;
  for (const char byte : bytes) {
    hash = (hash ^ std::uint8_t(byte)) * 0x100000001B3ULL;
  }
  return hash;
}

template <typename T>
bool ParseField(QByteArrayView text, T& value, int base = 10) {
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value, base);
  return ec == std::errc() && stop == end && !text.isEmpty();
}

// Splits a line at single spaces into at most `fields.size()` pieces; the number of pieces, one
// more than the room when there are too many.
int SplitFields(QByteArrayView line, std::array<QByteArrayView, 4>& fields) {
  int count = 0;
  for (qsizetype at = 0;; ++count) {
    const qsizetype space = line.indexOf(' ', at);
    if (count == int(fields.size())) {
      return count + 1;
    }
    fields[std::size_t(count)] = line.sliced(at, (space < 0 ? line.size() : space) - at);
    if (space < 0) {
      return count + 1;
    }
    at = space + 1;
  }
}

// Sorted by key for the lookups; where a key comes twice, the later line holds, as it always has.
void SortKeepingLast(std::vector<std::pair<std::uint64_t, OpeningBook::Entry>>& entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  auto kept = entries.begin();
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (std::next(it) == entries.end() || std::next(it)->first != it->first) {
      *kept++ = *it;
    }
  }
  entries.erase(kept, entries.end());
  entries.shrink_to_fit();
}

QString Damaged(qsizetype line) {
  return QCoreApplication::translate("OpeningBook", "damaged at line %1").arg(line);
}

}  // namespace

std::optional<OpeningBook> OpeningBook::Parse(const QByteArray& bytes, QString& error) {
  // The text ends with "end COUNT CHECKSUM" and a line break.
  const QByteArrayView text(bytes);
  const qsizetype endStart = text.size() < 2 ? -1 : text.lastIndexOf('\n', text.size() - 2) + 1;
  if (endStart <= 0 || !text.endsWith('\n') || !text.startsWith(kHeader) ||
      text[sizeof(kHeader) - 1] != '\n') {
    error = QCoreApplication::translate("OpeningBook", "not a book");
    return std::nullopt;
  }
  std::array<QByteArrayView, 4> fields;
  std::size_t count = 0;
  std::uint64_t checksum = 0;
  if (SplitFields(text.sliced(endStart, text.size() - endStart - 1), fields) != 3 ||
      fields[0] != "end" || !ParseField(fields[1], count) || !ParseField(fields[2], checksum, 16) ||
      checksum != Fnv1a(text.first(endStart))) {
    error = QCoreApplication::translate("OpeningBook", "cut short or damaged");
    return std::nullopt;
  }
  OpeningBook book;
  std::size_t entries = 0;
  qsizetype lineNumber = 1;
  for (qsizetype at = sizeof(kHeader); at < endStart;) {
    const qsizetype lineEnd = text.indexOf('\n', at);
    const QByteArrayView line = text.sliced(at, lineEnd - at);
    at = lineEnd + 1;
    ++lineNumber;
    const int fieldCount = SplitFields(line, fields);
    if (fieldCount == 4 && fields[0] == "layout") {
      LayoutBook layout;
      if (!ParseField(fields[1], layout.Width) || !ParseField(fields[2], layout.Height) ||
          !ParseField(fields[3], layout.Cells, 16) || layout.Width < 1 || layout.Height < 1 ||
          layout.Width * layout.Height > 32 || std::popcount(layout.Cells) > kMaxExactNodes) {
        error = Damaged(lineNumber);
        return std::nullopt;
      }
      book.layouts_.push_back(std::move(layout));
      continue;
    }
    std::uint64_t key = 0;
    int move = 0;
    int lower = 0;
    int upper = 0;
    if (fieldCount != 4 || book.layouts_.empty() || !ParseField(fields[0], key, 16) ||
        !ParseField(fields[1], move) || !ParseField(fields[2], lower) ||
        !ParseField(fields[3], upper)) {
      error = Damaged(lineNumber);
      return std::nullopt;
    }
    LayoutBook& layout = book.layouts_.back();
    const int nodes = std::popcount(layout.Cells);
    const std::uint32_t all = (1u << nodes) - 1;
    const ExactState state = ExactState::FromKey(key);
    const std::uint32_t mine = state.Mine;
    const std::uint32_t theirs = state.Theirs;
    const std::uint32_t expanded = state.Expanded;
    // The position must be one the nodes of this layout can hold, and the move one of its nodes.
    if (state.Key() != key || (mine & theirs) != 0 || ((mine | theirs) & ~all) != 0 ||
        (expanded & ~(mine | theirs)) != 0 || move < 0 || move >= nodes || lower > upper ||
        lower < -ExactSolver::kUnbounded || upper > ExactSolver::kUnbounded) {
      error = Damaged(lineNumber);
      return std::nullopt;
    }
    layout.Entries.emplace_back(key,
                                Entry{std::int8_t(move), std::int8_t(lower), std::int8_t(upper)});
    ++entries;
  }
  if (entries != count) {
    error = QCoreApplication::translate("OpeningBook", "cut short or damaged");
    return std::nullopt;
  }
  for (LayoutBook& layout : book.layouts_) {
    SortKeepingLast(layout.Entries);
  }
  return book;
}

std::optional<OpeningBook> OpeningBook::Load(const QString& path, QString& error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = QCoreApplication::translate("OpeningBook", "cannot be read");
    return std::nullopt;
  }
  if (file.size() > kMaxBookBytes) {
    error = QCoreApplication::translate("OpeningBook", "too large");
    return std::nullopt;
  }
  return Parse(file.read(kMaxBookBytes), error);
}

const OpeningBook::LayoutBook* OpeningBook::LayoutFor(const ExactLayout& layout) const {
  const std::uint32_t cells = layout.GridCells();
  for (const LayoutBook& book : layouts_) {
    if (book.Width == layout.Width() && book.Height == layout.Height() && book.Cells == cells &&
        cells != 0) {
      return &book;
    }
  }
  return nullptr;
}

const OpeningBook::Entry* OpeningBook::Lookup(const ExactLayout::Reading& position) const {
  const LayoutBook* book = LayoutFor(position.Layout);
  if (book == nullptr) {
    return nullptr;
  }
  int symmetry = 0;
  const ExactState canonical = position.Layout.Canonical(position.State, symmetry);
  const std::uint64_t key = canonical.Key();
  const auto found =
      std::lower_bound(book->Entries.begin(), book->Entries.end(), key,
                       [](const auto& entry, std::uint64_t k) { return entry.first < k; });
  return found == book->Entries.end() || found->first != key ? nullptr : &found->second;
}

std::optional<PackedCell> OpeningBook::Find(const ExactLayout::Reading& position,
                                            std::mt19937_64& random) const {
  const Entry* entry = Lookup(position);
  if (entry == nullptr) {
    return std::nullopt;
  }
  const ExactLayout& layout = position.Layout;
  int symmetry = 0;
  const ExactState canonical = layout.Canonical(position.State, symmetry);
  std::vector<int> images;
  for (int s = 0; s < layout.SymmetryCount(); ++s) {
    if (layout.Map(s, position.State) == canonical) {
      images.push_back(s);
    }
  }
  symmetry = images[std::uniform_int_distribution<std::size_t>(0, images.size() - 1)(random)];
  // Every symmetry is a flip or the half turn, each its own inverse.
  const int node = layout.MapNode(symmetry, entry->Move);
  if ((layout.LegalMoves(position.State) >> node & 1u) == 0) {
    return std::nullopt;
  }
  return layout.CellOf(node);
}

std::vector<std::pair<std::uint64_t, OpeningBook::Entry>> OpeningBook::EntriesFor(
    const ExactLayout& layout) const {
  const LayoutBook* book = LayoutFor(layout);
  if (book == nullptr) {
    return {};
  }
  return book->Entries;
}

std::size_t OpeningBook::Size() const {
  std::size_t size = 0;
  for (const LayoutBook& book : layouts_) {
    size += book.Entries.size();
  }
  return size;
}

QByteArray OpeningBook::NewText() {
  return QByteArray(kHeader) + '\n';
}

void OpeningBook::AppendLayout(QByteArray& out, const ExactLayout& layout,
                               const std::vector<std::pair<std::uint64_t, Entry>>& entries) {
  out += QStringLiteral("layout %1 %2 %3\n")
             .arg(layout.Width())
             .arg(layout.Height())
             .arg(layout.GridCells(), 0, 16)
             .toLatin1();
  for (const auto& [key, entry] : entries) {
    out += QStringLiteral("%1 %2 %3 %4\n")
               .arg(key, 0, 16)
               .arg(entry.Move)
               .arg(entry.Lower)
               .arg(entry.Upper)
               .toLatin1();
  }
}

void OpeningBook::FinishText(QByteArray& out, std::size_t entryCount) {
  out += QStringLiteral("end %1 %2\n").arg(entryCount).arg(Fnv1a(out), 0, 16).toLatin1();
}

}  // namespace vextal
