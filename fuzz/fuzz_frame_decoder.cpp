// Feeds arbitrary bytes to the frame decoder, once whole and once in pieces the input chooses.
// However the stream is split, the same messages and the same error must come out; every
// message must be well formed and survive a round trip through the encoder; an unfinished
// message never holds more than the decoder's bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "net/Framing.h"

using namespace vextal;

namespace {

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

qsizetype HeldBytes(const FrameDecoder& decoder) {
  qsizetype held = 0;
  for (const QByteArrayView item : decoder.Items()) {
    held += item.size();
  }
  return held;
}

void CheckResult(const FrameDecoder::Result& result, qsizetype bound) {
  for (const Message& message : result.Messages) {
    Require(!message.isEmpty() && message.size() <= kMaxMessageItems);
    const std::optional<QByteArray> bytes = EncodeMessage(message);
    Require(bytes.has_value());
    Require(bytes->size() <= bound);
    FrameDecoder again(bound);
    const FrameDecoder::Result back = again.Feed(*bytes);
    Require(!back.Failed() && back.Messages.size() == 1 && back.Messages.first() == message);
    Require(again.ItemCount() == -1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  // Byte 0 picks the bound: a small one reaches the oversize path with small inputs.
  const qsizetype bound = data[0] == 0 ? kMaxMessageBytes : 8 * qsizetype(data[0]);
  // Byte 1 seeds the split sizes.
  std::uint32_t split = data[1];
  const QByteArrayView stream(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));

  FrameDecoder whole(bound);
  const FrameDecoder::Result all = whole.Feed(stream);
  CheckResult(all, bound);
  Require(HeldBytes(whole) <= bound);

  FrameDecoder pieces(bound);
  QList<Message> messages;
  FrameError error = FrameError::None;
  qsizetype pos = 0;
  while (pos < stream.size() && error == FrameError::None) {
    split = split * 1103515245u + 12345u;
    const qsizetype n = std::min<qsizetype>(stream.size() - pos, 1 + (split >> 16) % 300);
    const FrameDecoder::Result step = pieces.Feed(stream.sliced(pos, n));
    CheckResult(step, bound);
    Require(HeldBytes(pieces) <= bound);
    messages += step.Messages;
    error = step.Error;
    pos += n;
  }

  Require(messages == all.Messages);
  Require(error == all.Error);
  if (error == FrameError::None) {
    Require(pieces.ItemCount() == whole.ItemCount());
    Require(pieces.ItemIndex() == whole.ItemIndex());
    Require(pieces.PieceLen() == whole.PieceLen());
    Require(pieces.Items() == whole.Items());
  } else {
    Require(whole.ItemCount() == -1 && pieces.ItemCount() == -1);
  }
  return 0;
}
