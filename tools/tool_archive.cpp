// terrava-tool archive: packs a folder tree into a RAR 2.x archive, and
// lists or extracts any RAR 1.5-2.x archive through the saver's own
// RarReader, so that what the tool reports is what the saver would get:
//   archive pack [--method stored] DIR OUT
//   archive list [--oem-codepage NAME] ARCHIVE
//   archive extract [--oem-codepage NAME] ARCHIVE DIR
// Names are listed and written as UTF-8 (member_name.h).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "archive/rar_reader.h"
#include "archive_tree.h"
#include "archive_writer.h"
#include "member_name.h"
#include "rar20_member_packer.h"
#include "tool_commands.h"

namespace {

// A file header as the walk found it.
struct ListedMember {
  RarBlockHeader header;
  std::string stored;  // the stored name bytes, cut to 259; the saver matches up to the first zero
  std::string name;    // as UTF-8
  bool directory() const { return (header.flags & rar::kDirectoryMask) == rar::kDirectoryMask; }
};

// The outcome of extracting one member by its name.
struct Extracted {
  bool result = false;
  const char* failure = nullptr;
  uint8_t* data = nullptr;
  uint32_t size = 0;
  ~Extracted() { delete[] data; }
};

int Usage() {
  std::fprintf(stderr, "usage: terrava-tool archive pack [--method %s|rar20 [--solid] [--multimedia auto|off]] DIR OUT\n",
               MemberPackerNames().c_str());
  std::fprintf(stderr, "       terrava-tool archive list [--oem-codepage NAME] ARCHIVE\n");
  std::fprintf(stderr, "       terrava-tool archive extract [--oem-codepage NAME] ARCHIVE DIR\n");
  std::fprintf(stderr, "Names stored without their Unicode form are read in the OEM code page NAME (default %s;\n"
                       "CP866 for Russian, CP850 for Western European DOS and Windows).\n",
               kDefaultOemCodePage);
  std::fprintf(stderr, "Exit code: 0 done (every member ok), 1 a member failed or a file could not be read or\n"
                       "written, 2 usage error.\n");
  return 2;
}

int Error(const std::string& text) {
  std::fprintf(stderr, "terrava-tool archive: %s\n", text.c_str());
  return 1;
}

// Walks every file header from the start; *end receives why the walk stopped.
bool WalkMembers(const std::vector<uint8_t>& bytes, const char* codePage, std::vector<ListedMember>* members,
                 const char** end) {
  MemoryArchive archive{bytes.data(), uint32_t(bytes.size()), 0};
  if (!rarReader.ReadArchiveStart(archive)) {
    *end = rarReader.failure;
    return false;
  }
  for (; rarReader.FindNextFileHeader(archive); archive.offset = rarReader.nextBlock) {
    const RarBlockHeader& h = rarReader.fileHeader;
    std::string stored(rarReader.memberName, std::min<uint32_t>(h.nameSize, rar::kMaxNameLength));
    std::string name = MemberNameToUtf8(stored, h.flags, h.hostSystem, codePage);
    members->push_back(ListedMember{h, stored, name});
  }
  *end = rarReader.failure;
  return true;
}

void ExtractByName(const std::vector<uint8_t>& bytes, const std::string& stored, Extracted* out) {
  MemoryArchive archive{bytes.data(), uint32_t(bytes.size()), 0};
  out->result = rarReader.ExtractMember(&out->data, &out->size, stored.c_str(), archive);
  out->failure = rarReader.failure;
}

// The UTF-8 name with control characters written as \xNN.
std::string Printable(const std::string& name) {
  std::string s;
  for (unsigned char c : name) {
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    s += (c < 0x20 || c == 0x7F) ? std::string(hex) : std::string(1, char(c));
  }
  return s;
}

void PrintTableHead() { std::printf("    packed   unpacked  method  ver  crc       result  name\n"); }

void PrintMember(const ListedMember& m, const char* result, const char* why) {
  std::printf("%10u %10u  0x%02X  %4u  %08X  %-6s  %s%s", m.header.packSize, m.header.unpackedSize,
              m.header.method, m.header.unpackVersion, m.header.fileCrc, result, Printable(m.name).c_str(),
              m.directory() ? "\\" : "");
  if (why) std::printf("  (%s)", why);
  std::printf("\n");
}

// Takes a leading "--oem-codepage NAME" off argv; false for an unknown code page.
bool TakeCodePage(int* argc, char*** argv, const char** codePage) {
  *codePage = kDefaultOemCodePage;
  if (*argc < 2 || std::strcmp((*argv)[0], "--oem-codepage") != 0) return true;
  *codePage = (*argv)[1];
  *argc -= 2;
  *argv += 2;
  if (IsKnownCodePage(*codePage)) return true;
  Error(std::string("unknown code page ") + *codePage + " (see iconv --list)");
  return false;
}

// An archive file read and walked, as list and extract see it.
struct WalkedArchive {
  std::vector<uint8_t> bytes;
  std::vector<ListedMember> members;
  const char* end = nullptr;  // why the walk stopped
};

// Reads and walks the archive a command names: argv holds an optional
// "--oem-codepage NAME", then exactly words words, the archive's path first.
// Prints the archive line and the table head. 0 when walked, else the exit
// code (2 usage error, 1 after a message when it is no archive).
int WalkCommandArchive(int* argc, char*** argv, int words, WalkedArchive* archive) {
  const char* codePage = nullptr;
  if (!TakeCodePage(argc, argv, &codePage)) return 2;
  if (*argc != words) return Usage();
  const char* path = (*argv)[0];
  if (!ReadFileBytes(path, &archive->bytes)) return Error(std::string("cannot read ") + path);
  if (!WalkMembers(archive->bytes, codePage, &archive->members, &archive->end))
    return Error(std::string(path) + ": " + archive->end);
  std::printf("%s: %zu bytes%s\n", path, archive->bytes.size(), rarReader.solid ? ", solid" : "");
  PrintTableHead();
  return 0;
}

// Prints one row per member with what act made of it (true when it went
// well, with the reason it gives in *why either way), then the summary line.
// Exit code 0 when every member went well, else 1.
int ReportMembers(const WalkedArchive& archive, const std::function<bool(const ListedMember&, const char**)>& act) {
  int failed = 0;
  for (const ListedMember& m : archive.members) {
    const char* why = nullptr;
    const bool ok = act(m, &why);
    failed += !ok;
    PrintMember(m, ok ? "ok" : "FAILED", why);
  }
  const size_t count = archive.members.size();
  std::printf("%zu members, %zu ok, %d failed", count, count - size_t(failed), failed);
  if (std::strcmp(archive.end, "no further block header") != 0) std::printf("; walk stopped: %s", archive.end);
  std::printf("\n");
  return failed ? 1 : 0;
}

int List(int argc, char** argv) {
  WalkedArchive archive;
  if (int code = WalkCommandArchive(&argc, &argv, 1, &archive)) return code;
  return ReportMembers(archive, [&](const ListedMember& m, const char** why) {
    Extracted e;
    ExtractByName(archive.bytes, m.stored, &e);
    *why = e.failure;
    return e.result;
  });
}

// Extracts one member below dir; returns the failure text or null.
const char* ExtractTo(const std::vector<uint8_t>& bytes, const ListedMember& m, const std::string& dir) {
  std::string path;
  if (!MemberOutputPath(dir, m.name.c_str(), &path)) return "unsafe name refused";
  Extracted e;
  ExtractByName(bytes, m.stored, &e);
  if (!e.result) return e.failure;
  if (m.directory()) return MakeFolders(path) ? nullptr : "cannot create folder";
  return WriteFileBytes(path, e.data, e.size) ? nullptr : "cannot write file";
}

int Extract(int argc, char** argv) {
  WalkedArchive archive;
  if (int code = WalkCommandArchive(&argc, &argv, 2, &archive)) return code;
  if (!MakeFolders(argv[1])) return Error(std::string("cannot create ") + argv[1]);
  return ReportMembers(archive, [&](const ListedMember& m, const char** why) {
    *why = ExtractTo(archive.bytes, m, argv[1]);
    return *why == nullptr;
  });
}

int Pack(int argc, char** argv) {
  std::string method = "stored";
  int used = 0;
  Rar20PackOptions rar20;
  std::string optionError;
  if (argc >= 4 && std::strcmp(argv[0], "--method") == 0) {
    method = argv[1];
    used = 2;
    if (method == "rar20" && !ParseRar20Options(argc, argv, &used, &rar20, &optionError)) return Error(optionError);
  }
  argc -= used;
  argv += used;
  if (argc != 2) return Usage();
  std::unique_ptr<MemberPacker> packer = method == "rar20" ? MakeRar20MemberPacker(rar20) : MakeMemberPacker(method);
  if (!packer) return Error("unknown method " + method + " (known: " + MemberPackerNames() + ")");
  std::vector<ArchiveEntry> entries;
  std::vector<uint8_t> archive;
  std::string error;
  if (!CollectTree(argv[0], &entries, &error) || !WriteRarArchive(entries, *packer, &archive, &error))
    return Error(error);
  if (!WriteFileBytes(argv[1], archive.data(), uint32_t(archive.size())))
    return Error(std::string("cannot write ") + argv[1]);
  std::printf("%s: %zu members, %zu bytes\n", argv[1], entries.size(), archive.size());
  return 0;
}

const struct {
  const char* name;
  int (*run)(int argc, char** argv);
} kSubcommands[] = {
    {"pack", Pack},
    {"list", List},
    {"extract", Extract},
};

}  // namespace

int RunArchiveCommand(int argc, char** argv) {
  if (argc < 1) return Usage();
  for (const auto& s : kSubcommands)
    if (std::strcmp(argv[0], s.name) == 0) return s.run(argc - 1, argv + 1);
  return Usage();
}
