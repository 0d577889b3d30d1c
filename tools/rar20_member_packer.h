// The archive tool's packer for --method rar20: a MemberPacker over
// Rar20Packer. Members come out with unpack version 20, method 0x33 and the
// 1 MiB dictionary bits; a member that packing would not shrink is stored
// instead, except in a solid archive.
#pragma once

#include <memory>
#include <string>

#include "archive_writer.h"
#include "rar20_packer.h"

struct Rar20PackOptions {
  bool solid = false;                                   // --solid
  MultimediaChoice multimedia = MultimediaChoice::Auto;  // --multimedia auto|off
};

// Reads the options that may follow "--method rar20" from args[*index] on:
// "--solid" and "--multimedia auto|off", in any order; stops at the first
// other argument. False with error set on a bad --multimedia value.
bool ParseRar20Options(int argc, char** argv, int* index, Rar20PackOptions* options, std::string* error);

std::unique_ptr<MemberPacker> MakeRar20MemberPacker(const Rar20PackOptions& options);
