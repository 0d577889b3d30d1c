// Rar20BitInput: the unpacker's view of a member's packed bytes, an 8 KiB
// buffer read most significant bit first. Its refill rules are part of the
// format's behaviour: the first fill reads a whole buffer, every later one
// keeps the last 32 bytes (the reader may still stand in them) and reads the
// rest behind them, and the read top it leaves decides whether a member ends
// with a look-ahead symbol. The buffer also tracks where the real data ends,
// so the unpacker can stop a member whose bit stream runs past it.
#pragma once

#include <cstdint>
#include <vector>

class PackedInput;  // rar_unpacker.h

// A read position in the input buffer. The unpacker's main loop works on
// a copy of the input's cursor, which the compiler can keep in registers.
struct Rar20BitCursor {
  const uint8_t* data = nullptr;
  uint32_t position = 0;  // bits: byte address * 8 + bit offset

  // The next 16 bits, the first of them in bit 15.
  uint32_t Peek16() const {
    const uint8_t* p = data + (position >> 3);
    uint32_t word = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
    return (word >> (16 - (position & 7))) & 0xFFFF;
  }
  void Consume(uint32_t bits) { position += bits; }
  // The next count bits (0 to 16) as a number, first bit most significant.
  uint32_t ReadBits(uint32_t count) {
    uint32_t value = Peek16() >> (16 - count);
    Consume(count);
    return value;
  }
  uint32_t Address() const { return position >> 3; }  // byte of the next unread bit
};

class Rar20BitInput {
 public:
  static constexpr uint32_t kBufferSize = 8192;  // bytes
  static constexpr uint32_t kKeptBytes = 32;     // bytes moved to the front by a refill
  // A peek reads 4 bytes from the byte address; the callers' refill points
  // keep the address below 8191, so 4 spare zero bytes bound every read.
  static constexpr uint32_t kPadding = 4;

  Rar20BitInput() : buffer(kBufferSize + kPadding, 0) { cursor.data = buffer.data(); }
  Rar20BitInput(const Rar20BitInput&) = delete;
  Rar20BitInput& operator=(const Rar20BitInput&) = delete;

  // Reads up to a whole buffer and starts at its first bit.
  void FillFirst(PackedInput& source);
  // Moves the last 32 bytes to the front, keeps the address modulo 32 and
  // reads up to 8160 bytes behind them.
  void Refill(PackedInput& source);

  uint32_t Peek16() const { return cursor.Peek16(); }
  void Consume(uint32_t bits) { cursor.Consume(bits); }
  uint32_t ReadBits(uint32_t count) { return cursor.ReadBits(count); }
  uint32_t Address() const { return cursor.Address(); }

  // True when at least count bytes lie between the byte address and the read top.
  bool HasBytesLeft(uint32_t count) const { return readTop >= Address() + count; }
  // Bits of delivered data in the buffer; consuming more means the stream
  // ran past the end of the data.
  uint32_t DataEndBits() const { return dataEnd * 8; }
  bool PastEndOfData() const { return cursor.position > DataEndBits(); }

  Rar20BitCursor cursor;  // points into buffer

 private:
  void ClearAfter(uint32_t end);

  std::vector<uint8_t> buffer;  // kBufferSize bytes + kPadding zero bytes
  uint32_t readTop = 0;         // bytes; as the format defines it (see Refill)
  uint32_t dataEnd = 0;         // bytes of the buffer that hold delivered data
};
