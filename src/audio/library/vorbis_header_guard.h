// A check of the Vorbis headers before stb_vorbis sees a stream, for the
// fields stb_vorbis trusts:
//  - the comment header: a vendor length, comment count or comment length
//    beyond the packet makes it allocate a truncated size, write past it, or
//    dereference a null list on its error path;
//  - the codebooks of the setup header: entry and dimension counts whose
//    product overflows its int arithmetic and allocation sizes.
// The guard walks the Ogg pages the way stb_vorbis does (the one 30-byte
// identification packet on the first page, the comment packet from the
// second page on, the setup packet right after it), reads the same fields
// with the same bit order, and accepts the stream only when every comment
// length fits inside its packet and every codebook stays within
// kMaxCodebookValues. It also says how much of stb_vorbis's workspace the
// comments will take, so that the workspace can be made large enough for
// those allocations never to fail.
#pragma once

#include <cstdint>

// Largest comment header accepted, as stb_vorbis stores it: cover pictures
// embedded in comments run to a few MiB; text comments take a few hundred bytes.
constexpr uint32_t kMaxVorbisCommentBytes = 16u * 1024 * 1024;
// Largest entries x dimensions of one codebook. Encoders use a few thousand
// (libvorbis's largest books have 6561 entries of up to 8 dimensions).
constexpr uint32_t kMaxCodebookValues = 1u << 20;

// True when the headers are safe to hand to stb_vorbis; then
// *commentWorkspaceBytes is what stb_vorbis will allocate for the vendor
// string and the comments.
bool CheckVorbisHeaders(const uint8_t* data, uint32_t size, uint32_t* commentWorkspaceBytes);
