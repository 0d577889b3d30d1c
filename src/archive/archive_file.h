// ArchiveFile: an in-memory read stream over one member of the embedded data
// archive (resource "CustomData" 125) or over one raw "CustomData" resource.
// Every data file the saver reads, text or not, is read through it. The
// position may run past the end; reads there copy nothing.
#pragma once

#include <cstdint>

// Resource id of the data archive among the "CustomData" resources.
constexpr int kDataArchiveResource = 125;

class ArchiveFile {
 public:
  ArchiveFile() = default;
  virtual ~ArchiveFile();
  ArchiveFile(const ArchiveFile&) = delete;
  ArchiveFile& operator=(const ArchiveFile&) = delete;

  // Extracts the named member of the data archive (any separator, any case);
  // returns 1 on success, 0 otherwise (then data is null and size 0).
  // Releases a buffer the stream still owns first.
  int OpenMember(const char* name);
  // Borrows the bytes of "CustomData" resource id (low 16 bits); always 1,
  // with data null and size 0 when there is no such resource.
  int OpenResource(int id);
  // Frees an owned buffer; position and size become 0. Harmless twice.
  void Close();

  bool AtEnd() const { return position > size; }
  // Copies the bytes of [position, position + count) that lie inside the
  // data, advances position by count (also past size; it stops at the
  // largest value rather than wrapping) and returns the new position.
  // Bytes of destination beyond the data keep their content. Count 0 does
  // nothing and returns 0.
  uint32_t Read(void* destination, uint32_t count);
  // As Read, but does nothing once AtEnd is true.
  void ReadUnlessEnd(void* destination, uint32_t count);
  // origin 0: position = offset; 1: position += offset; 2: position =
  // size - offset. A target before the start or beyond 4 GiB puts the
  // position past the end. Other origins change nothing.
  void Seek(int32_t offset, int origin);
  // Reads one text line into buffer (at most capacity - 1 characters, the
  // rest of the line is dropped): leading spaces skipped, CR dropped, LF
  // ends the line. Returns false once a read went past the end.
  bool ReadLine(char* buffer, uint32_t capacity);

  char memberName[100] = {};        // name given to OpenMember, cut to 99 characters
  const uint8_t* data = nullptr;    // first byte of the file
  uint32_t size = 0;                // bytes
  uint32_t position = 0;            // read position in bytes; may exceed size
  uint8_t borrowed = 0;             // 1: data belongs to the module; 0: heap buffer we free
};
