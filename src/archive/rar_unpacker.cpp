// Placeholder until the RAR 2.0 decompressor lands: produces no output, so a
// packed member fails its CRC check (an empty one still extracts).
#include "archive/rar_unpacker.h"

void RarUnpacker::Unpack(PackedInput&, uint8_t*, const UnpackTarget&) {}
