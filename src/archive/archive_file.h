// ArchiveFile: an in-memory read stream over one member of the embedded data
// archive (resource "CustomData" 125) or over one raw "CustomData" resource.
// Every data file the saver reads, text or not, is read through it. The
// position may run past the end; reads there copy nothing.
#pragma once

#include <cstdint>

// Resource id of the data archive among the "CustomData" resources.
constexpr int kDataArchiveResource = 125;

// Where ArchiveFile::Seek counts its offset from.
enum class SeekOrigin { kStart, kCurrent, kEnd };

class ArchiveFile {
 public:
  ArchiveFile() = default;
  virtual ~ArchiveFile();
  ArchiveFile(const ArchiveFile&) = delete;
  ArchiveFile& operator=(const ArchiveFile&) = delete;

  // Extracts the named member of the data archive (any separator, any case).
  // False, with data null, size 0 and failure set, when there is no archive
  // or the member is missing or damaged. Releases a buffer the stream still
  // owns first.
  bool OpenMember(const char* name);
  // Borrows the bytes of "CustomData" resource id (low 16 bits). False, with
  // data null, size 0 and failure set, when there is no such resource; the
  // stream then reads as an empty file.
  bool OpenResource(int id);
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
  // kStart: position = offset; kCurrent: position += offset; kEnd:
  // position = size - offset. A target before the start or beyond 4 GiB
  // puts the position past the end. Returns !AtEnd().
  bool Seek(int32_t offset, SeekOrigin origin);
  // Reads one text line into buffer (at most capacity - 1 characters, the
  // rest of the line is dropped): leading spaces skipped, CR dropped, LF
  // ends the line. Returns false once a read went past the end.
  bool ReadLine(char* buffer, uint32_t capacity);

  char memberName[100] = {};        // name given to OpenMember, cut to 99 characters
  const uint8_t* data = nullptr;    // first byte of the file
  uint32_t size = 0;                // bytes
  uint32_t position = 0;            // read position in bytes; may exceed size
  uint8_t borrowed = 0;             // 1: data belongs to the module; 0: heap buffer we free
  const char* failure = nullptr;    // why the last Open failed; null after success
};
