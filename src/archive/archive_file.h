// ArchiveFile: an in-memory read stream over one member of the embedded data
// archive (resource "CustomData" 125) or over one raw "CustomData" resource.
// Every data file the saver reads, text or not, is read through it.
#pragma once

#include <cstdint>

class ArchiveFile {
 public:
  ArchiveFile() = default;
  virtual ~ArchiveFile();
  ArchiveFile(const ArchiveFile&) = delete;
  ArchiveFile& operator=(const ArchiveFile&) = delete;

  // Extracts the named member of the data archive; returns 1 on success, 0
  // otherwise (then data is null and size 0).
  int OpenMember(const char* name);
  // Borrows the bytes of "CustomData" resource id (low 16 bits); always 1.
  int OpenResource(int id);
  void Close();

  bool AtEnd() const { return position > size; }
  // Copies the bytes of [position, position + count) that lie inside the
  // data, advances position by count (also past size); returns the new
  // position. Count 0 does nothing and returns 0.
  uint32_t Read(void* destination, uint32_t count);
  void ReadUnlessEnd(void* destination, uint32_t count);
  // origin 0: from the start; 1: from position; 2: backwards from the end.
  void Seek(int32_t offset, int origin);
  // Reads one text line into buffer (at most capacity - 1 characters);
  // returns false once the end has been passed.
  bool ReadLine(char* buffer, uint32_t capacity);

  char memberName[100] = {};
  uint8_t* data = nullptr;
  uint32_t size = 0;
  uint32_t position = 0;
  uint8_t borrowed = 0;  // 1: data belongs to the module; 0: heap buffer we free
};
