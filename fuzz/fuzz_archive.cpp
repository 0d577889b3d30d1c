// Fuzz target for the data archive. Any bytes, read as an archive, either
// yield the member "texture.txt" with its exact unpacked size and CRC-32 or
// fail with a null buffer and size 0; the same bytes then serve as resource
// 125 (opened through ArchiveFile::OpenMember) and as a raw resource, both
// read to the end line by line. Sanitizers catch any stray read or write.
// Seeds (corpus/fuzz_archive): small real archives from tests/data/rar (see
// its PROVENANCE.md) and trees packed by `terrava-tool archive pack`.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "archive/archive_file.h"
#include "archive/rar_reader.h"
#include "platform/native_platform.h"

namespace {

const char kMember[] = "texture.txt";
constexpr int kRawResource = 115;
// Inputs beyond 1 MiB add nothing a smaller archive cannot show.
constexpr size_t kMaxInput = 1u << 20;

void CheckExtraction(const uint8_t* data, size_t size) {
  MemoryArchive archive{data, uint32_t(size), 0};
  uint8_t* out = reinterpret_cast<uint8_t*>(1);
  uint32_t outSize = 12345;
  const bool extracted = rarReader.ExtractMember(&out, &outSize, kMember, archive);
  if (!extracted && (out != nullptr || outSize != 0)) std::abort();
  if (extracted) {
    Crc32Table crc;
    crc.Build();
    if (outSize != rarReader.fileHeader.unpackedSize || crc.Checksum(out, outSize) != rarReader.fileHeader.fileCrc)
      std::abort();
  }
  delete[] out;
}

// Every call consumes at least one byte, so a stream of n bytes gives at
// most n + 1 lines.
void ReadAllLines(ArchiveFile& file) {
  char line[128];
  for (uint32_t calls = 0;; ++calls) {
    bool more = file.ReadLine(line, sizeof line);
    if (std::strlen(line) >= sizeof line || calls > file.size) std::abort();
    if (!more) return;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  CheckExtraction(data, size);
  native_platform::ResetAll();
  native_platform::AddResource(kDataResourceType, kDataArchiveResource, data, uint32_t(size));
  native_platform::AddResource(kDataResourceType, kRawResource, data, uint32_t(size));
  ArchiveFile member;
  if (member.OpenMember(kMember)) ReadAllLines(member);
  ArchiveFile raw;
  raw.OpenResource(kRawResource);
  ReadAllLines(raw);
  return 0;
}
