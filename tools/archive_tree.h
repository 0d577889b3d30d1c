// The file-system side of terrava-tool's archive command: reading a folder
// tree into archive entries, and turning member names into safe paths below
// an output folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive_writer.h"

// Every file and folder below root (not root itself), named relative to it
// with backslash separators and sorted byte by byte, so that the same tree
// always yields the same entries. Fails on unreadable files, entries that
// are neither file nor folder, and names longer than 259 characters.
bool CollectTree(const std::string& root, std::vector<ArchiveEntry>* entries, std::string* error);

// The path below dir where a member goes, for a UTF-8 name: backslash and
// slash separate folders, control characters become '_'. False for names that
// are empty, absolute (leading separator or drive letter) or hold a ".."
// component.
bool MemberOutputPath(const std::string& dir, const char* name, std::string* path);

// Creates path and every missing folder above it.
bool MakeFolders(const std::string& path);
// Creates the folders above path and writes bytes to it.
bool WriteFileBytes(const std::string& path, const uint8_t* bytes, uint32_t size);
// Reads a whole file; false (bytes empty or partial) when it cannot be
// read, is a folder, or exceeds 4 GiB.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* bytes);
