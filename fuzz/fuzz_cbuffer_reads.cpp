// Drives a cBuffer through a sequence of reads chosen by the input over content taken from the
// input. Checks the cursor rules (a failed read moves it by nothing, or by the 4 count bytes of
// a counted value; a successful read never passes the end) and that every value read, written
// to a fresh buffer, gives back exactly the bytes it was read from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "net/cBuffer.h"

using namespace vextal;

namespace {

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// The bytes between two cursor positions of a buffer.
QByteArray Consumed(const cBuffer& buffer, qint32 from) {
  return buffer.Data().sliced(from, buffer.ReadPos() - from);
}

template <typename T, typename Read, typename Write>
void ReadFixed(cBuffer& buffer, Read read, Write write) {
  const qint32 before = buffer.ReadPos();
  T value{};
  if ((buffer.*read)(value)) {
    Require(buffer.ReadPos() == before + qint32(sizeof(T)));
    cBuffer again;
    Require((again.*write)(value));
    Require(again.GetString() == Consumed(buffer, before));
  } else {
    Require(buffer.ReadPos() == before);
    Require(qint64(before) + qint64(sizeof(T)) > buffer.DataLen());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  // Byte 0: how many of the following bytes are operations; the rest is the content.
  const std::size_t opCount = std::min<std::size_t>(data[0], size - 1);
  const std::uint8_t* ops = data + 1;
  const QByteArray content(reinterpret_cast<const char*>(data + 1 + opCount),
                           qsizetype(size - 1 - opCount));

  cBuffer buffer;
  Require(buffer.SetString(content));
  Require(buffer.GetString() == content && buffer.DataLen() == content.size());

  for (std::size_t i = 0; i < opCount; ++i) {
    const qint32 before = buffer.ReadPos();
    switch (ops[i] % 11) {
      case 0:
        ReadFixed<quint8>(buffer, &cBuffer::ReadByte, &cBuffer::WriteByte);
        break;
      case 1: {
        Bool16 value = 7;
        if (buffer.ReadBool(value)) {
          Require(value == kTrue16 || value == kFalse16);
          Require(buffer.ReadPos() == before + 1);
        } else {
          Require(buffer.ReadPos() == before && value == 7);
        }
        break;
      }
      case 2:
        ReadFixed<qint16>(buffer, &cBuffer::ReadInteger, &cBuffer::WriteInteger);
        break;
      case 3:
        ReadFixed<qint32>(buffer, &cBuffer::ReadLong, &cBuffer::WriteLong);
        break;
      case 4:
        ReadFixed<float>(buffer, &cBuffer::ReadSingle, &cBuffer::WriteSingle);
        break;
      case 5:
        ReadFixed<double>(buffer, &cBuffer::ReadDate, &cBuffer::WriteDate);
        break;
      case 6: {
        QString text = QStringLiteral("unchanged");
        const bool ok = buffer.ReadString(text);
        Require(buffer.ReadPos() == before || buffer.ReadPos() >= before + 4);
        if (ok && buffer.ReadPos() > before + 4) {
          cBuffer again;
          Require(again.WriteString(text));
          Require(again.GetString() == Consumed(buffer, before));
        } else if (!ok) {
          Require(text == QStringLiteral("unchanged"));
          Require(buffer.ReadPos() == before || buffer.ReadPos() == before + 4);
        }
        break;
      }
      case 7: {
        QString text = QStringLiteral("unchanged");
        const bool ok = buffer.ReadStringU(text);
        Require(buffer.ReadPos() <= buffer.DataLen() || buffer.ReadPos() == before);
        const qint32 payload = buffer.ReadPos() - before - 4;
        if (ok && payload > 0 && payload % 2 == 0) {
          cBuffer again;
          Require(again.WriteStringU(text));
          Require(again.GetString() == Consumed(buffer, before));
        } else if (!ok) {
          Require(text == QStringLiteral("unchanged"));
          Require(buffer.ReadPos() == before || buffer.ReadPos() == before + 4);
        }
        break;
      }
      case 8: {
        QByteArray array = "unchanged";
        if (buffer.ReadArray(array)) {
          cBuffer again;
          Require(again.WriteArray(array));
          Require(again.GetString() == Consumed(buffer, before));
        } else {
          Require(array == "unchanged");
          Require(buffer.ReadPos() == before || buffer.ReadPos() == before + 4);
        }
        break;
      }
      case 9: {
        // Writes append and leave the cursor alone.
        const qint32 length = buffer.DataLen();
        Require(buffer.WriteByte(ops[i]));
        Require(buffer.DataLen() == length + 1 && buffer.ReadPos() == before);
        break;
      }
      case 10: {
        // Loading the content again keeps the cursor, which may now lie past the end.
        Require(buffer.SetString(content));
        Require(buffer.ReadPos() == before);
        break;
      }
    }
    Require(buffer.ReadPos() >= 0);
  }

  // Reads never change the content; GetString gives it back unchanged.
  cBuffer copy;
  Require(copy.SetString(buffer.GetString()));
  Require(copy.GetString() == buffer.GetString());
  return 0;
}
