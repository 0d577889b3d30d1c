// Reading the committed content of the source tree (resources/...) in the
// tests of the shipped world.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Bytes of a file given relative to the source tree; empty when unreadable.
std::vector<uint8_t> ReadShippedFile(const std::string& relative);

// The lines of a text file (CR LF or LF ends removed).
std::vector<std::string> ReadShippedLines(const std::string& relative);

// Files below a folder of the source tree, as paths relative to that folder
// with '/' separators, sorted.
std::vector<std::string> ListShippedTree(const std::string& folder);

// Files directly in a folder whose names end in extension (any case), as
// paths relative to the source tree, sorted.
std::vector<std::string> ShippedFilesWithExtension(const std::string& folder, const std::string& extension);

// Lower-case copy of an ASCII text: archive member names ignore case.
std::string Lower(std::string text);
