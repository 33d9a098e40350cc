// Decoding received bytes into messages, in MB/s, against memcpy of the same bytes cut at the
// same points, and against the decoder of messages as lists of byte arrays (ListFrameDecoder.h).
// Two kinds of traffic: one large message (the board snapshot of a square board whose side is
// the argument; 255 is the largest board a snapshot can carry) and a stream of move messages
// (4096 messages times the argument).

#include <cstring>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include <QByteArray>

#include "ListFrameDecoder.h"
#include "SplitStream.h"
#include "game/Board.h"
#include "net/Framing.h"
#include "net/Message.h"
#include "net/Snapshot.h"

using namespace vextal;
using namespace vextal::bench;

namespace {

constexpr int kMovesPerUnit = 4096;

// A framed snapshot message of a side x side board in the middle of a game: every point holds
// a node, some owned, some expanded.
QByteArray FramedSnapshot(int side) {
  Board board{std::uint8_t(side), std::uint8_t(side)};
  std::mt19937 rng(7);
  for (int c = 1; c <= side; ++c) {
    for (int r = 1; r <= side; ++r) {
      Node& n = board(c, r);
      n.Exists = kTrue16;
      n.Degree = 4;
      n.Owner = std::uint8_t(rng() % 3);
      if (n.Owner != 0 && rng() % 2 == 0) {
        n.Expanded = kTrue16;
        n.LinkLeft = n.LinkUp = n.LinkRight = n.LinkDown = 1;
      }
    }
  }
  return *EncodeMessage({QByteArray::number(MsgSnapshot), GetSnapshot(board, 1)});
}

// count move messages "24, mover, column, row" back to back, 10 bytes each.
QByteArray FramedMoves(int count) {
  std::mt19937 rng(11);
  QByteArray stream;
  for (int i = 0; i < count; ++i) {
    stream += *EncodeMessage({QByteArray::number(MsgMove), QByteArray::number(1 + i % 2),
                              QByteArray::number(1 + int(rng() % 5)),
                              QByteArray::number(1 + int(rng() % 4))});
  }
  return stream;
}

template <typename Decoder>
void Decode(benchmark::State& state, const QByteArray& stream, qsizetype expectedMessages) {
  const std::vector<QByteArrayView> pieces = SplitAtRandom(stream, 2024);
  qsizetype decoded = 0;
  for (auto _ : state) {
    Decoder decoder;
    decoded = 0;
    for (const QByteArrayView piece : pieces) {
      const typename Decoder::Result result = decoder.Feed(piece);
      decoded += result.Messages.size();
      benchmark::DoNotOptimize(result.Messages.constData());
    }
  }
  if (decoded != expectedMessages) {
    state.SkipWithError("the decoder lost or invented messages");
  }
  state.SetBytesProcessed(state.iterations() * stream.size());
  state.counters["bytes"] = double(stream.size());
  state.counters["pieces"] = double(pieces.size());
}

// The floor: copying every piece once into a buffer that holds the whole stream.
void Copy(benchmark::State& state, const QByteArray& stream) {
  const std::vector<QByteArrayView> pieces = SplitAtRandom(stream, 2024);
  std::vector<char> target(std::size_t(stream.size()));
  for (auto _ : state) {
    char* out = target.data();
    for (const QByteArrayView piece : pieces) {
      std::memcpy(out, piece.data(), std::size_t(piece.size()));
      out += piece.size();
    }
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * stream.size());
  state.counters["bytes"] = double(stream.size());
}

void BM_DecodeSnapshot(benchmark::State& state) {
  Decode<FrameDecoder>(state, FramedSnapshot(int(state.range(0))), 1);
}
void BM_DecodeSnapshotList(benchmark::State& state) {
  Decode<ListFrameDecoder>(state, FramedSnapshot(int(state.range(0))), 1);
}
void BM_MemcpySnapshot(benchmark::State& state) {
  Copy(state, FramedSnapshot(int(state.range(0))));
}
void BM_DecodeMoves(benchmark::State& state) {
  const int count = kMovesPerUnit * int(state.range(0));
  Decode<FrameDecoder>(state, FramedMoves(count), count);
}
void BM_DecodeMovesList(benchmark::State& state) {
  const int count = kMovesPerUnit * int(state.range(0));
  Decode<ListFrameDecoder>(state, FramedMoves(count), count);
}
void BM_MemcpyMoves(benchmark::State& state) {
  Copy(state, FramedMoves(kMovesPerUnit * int(state.range(0))));
}

// Board sides 64, 128 and 255 give snapshots of about 1x, 4x and 16x the smallest.
BENCHMARK(BM_DecodeSnapshot)->Arg(64)->Arg(128)->Arg(255);
BENCHMARK(BM_DecodeSnapshotList)->Arg(64)->Arg(128)->Arg(255);
BENCHMARK(BM_MemcpySnapshot)->Arg(64)->Arg(128)->Arg(255);
BENCHMARK(BM_DecodeMoves)->Arg(1)->Arg(4)->Arg(16);
BENCHMARK(BM_DecodeMovesList)->Arg(1)->Arg(4)->Arg(16);
BENCHMARK(BM_MemcpyMoves)->Arg(1)->Arg(4)->Arg(16);

}  // namespace

BENCHMARK_MAIN();
