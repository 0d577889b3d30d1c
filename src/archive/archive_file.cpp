// ArchiveFile: member and resource streams over bytes in memory, with the
// line reader the text-file loaders use.
#include "archive/archive_file.h"

#include <cstdio>
#include <cstring>

#include "archive/rar_reader.h"
#include "platform/platform.h"

namespace {

// position + delta in 64 bits; anything outside 0..4 GiB - 1 becomes the
// largest position, which lies past the end of every stream.
uint32_t ClampPosition(int64_t position) {
  return (position < 0 || position > int64_t(UINT32_MAX)) ? UINT32_MAX : uint32_t(position);
}

}  // namespace

ArchiveFile::~ArchiveFile() { Close(); }

bool ArchiveFile::OpenMember(const char* name) {
  Close();
  borrowed = 0;
  std::snprintf(memberName, sizeof memberName, "%s", name ? name : "");
  ResourceBytes resource;
  if (!PlatformFindResource(kDataResourceType, kDataArchiveResource, &resource)) {
    failure = "no data archive";
    return false;
  }
  MemoryArchive archive{resource.data, resource.size, 0};
  uint8_t* extracted = nullptr;
  const bool extractedMember = rarReader.ExtractMember(&extracted, &size, name ? name : "", archive);
  data = extracted;
  failure = extractedMember ? nullptr : rarReader.failure;
  return extractedMember;
}

bool ArchiveFile::OpenResource(int id) {
  Close();
  borrowed = 1;
  ResourceBytes resource;
  const bool found = PlatformFindResource(kDataResourceType, id & 0xFFFF, &resource);
  data = resource.data;
  size = resource.size;
  failure = found ? nullptr : "no such resource";
  return found;
}

void ArchiveFile::Close() {
  if (data && !borrowed) delete[] data;
  data = nullptr;
  position = 0;
  size = 0;
}

uint32_t ArchiveFile::Read(void* destination, uint32_t count) {
  if (count == 0) return 0;
  if (position < size) std::memcpy(destination, data + position, count < size - position ? count : size - position);
  position = ClampPosition(int64_t(position) + count);
  return position;
}

void ArchiveFile::ReadUnlessEnd(void* destination, uint32_t count) {
  if (!AtEnd()) Read(destination, count);
}

bool ArchiveFile::Seek(int32_t offset, SeekOrigin origin) {
  switch (origin) {
    case SeekOrigin::kStart: position = ClampPosition(offset); break;
    case SeekOrigin::kCurrent: position = ClampPosition(int64_t(position) + offset); break;
    case SeekOrigin::kEnd: position = ClampPosition(int64_t(size) - offset); break;
  }
  return !AtEnd();
}

bool ArchiveFile::ReadLine(char* buffer, uint32_t capacity) {
  uint32_t length = 0;
  uint8_t c = 0;  // stays 0 when the first read is already past the end
  Read(&c, 1);
  while (c == ' ' && !AtEnd()) Read(&c, 1);
  while (c != '\n' && !AtEnd()) {
    if (c != '\r' && length + 1 < capacity) buffer[length++] = char(c);
    Read(&c, 1);
  }
  if (capacity > 0) buffer[length] = '\0';
  return !AtEnd();
}
