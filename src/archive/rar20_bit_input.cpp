// The refill rules of the RAR 2.0 bit input.
#include "archive/rar20_bit_input.h"

#include <cstring>

#include "archive/rar_unpacker.h"

void Rar20BitInput::FillFirst(PackedInput& source) {
  uint32_t got = source.ReadPacked(buffer.data(), kBufferSize);
  cursor.position = 0;
  readTop = got;
  dataEnd = got;
  ClearAfter(got);
}

void Rar20BitInput::Refill(PackedInput& source) {
  const uint32_t moved = kBufferSize - kKeptBytes;  // 8160: the distance bytes move
  std::memmove(buffer.data(), buffer.data() + moved, kKeptBytes);
  cursor.position = (Address() & (kKeptBytes - 1)) * 8 + (cursor.position & 7);
  uint32_t got = source.ReadPacked(buffer.data() + kKeptBytes, moved);
  // The format sets the read top to the address when nothing arrives, even
  // if kept bytes lie beyond it; dataEnd follows the data itself.
  uint32_t keptData = dataEnd > moved ? dataEnd - moved : 0;
  if (got > 0) {
    readTop = got + kKeptBytes;
    dataEnd = got + kKeptBytes;
  } else {
    readTop = Address();
    dataEnd = keptData;
  }
  ClearAfter(dataEnd > kKeptBytes ? dataEnd : kKeptBytes);
}

// Bytes past the delivered data read as zeros, so a stream that runs past its
// end decodes the same way every time.
void Rar20BitInput::ClearAfter(uint32_t end) {
  std::memset(buffer.data() + end, 0, kBufferSize - end);
}
