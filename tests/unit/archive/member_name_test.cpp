// Stored member names to UTF-8 (tools/member_name.cpp): the OEM code page,
// the packed UTF-16 form behind the Unicode flag, names that are UTF-8
// already, and damaged packed forms that must stop at the end of their bytes.
#include "member_name.h"

#include <gtest/gtest.h>

#include <string>

#include "archive/rar_format.h"

namespace {

constexpr uint16_t kUnicode = rar::kFileUnicodeName;
constexpr uint8_t kDos = 0;
constexpr uint8_t kWin32 = rar::kHostWin32;
constexpr uint8_t kUnix = rar::kHostUnix;

TEST(MemberName, StoredNamesBecomeUtf8) {
  struct Case {
    const char* what;
    std::string stored;  // the file header's name bytes
    uint16_t flags;
    uint8_t host;
    const char* codePage;
    const char* utf8;
  };
  using namespace std::string_literals;
  const Case cases[] = {
      // what                          stored                                        flags     host    code page  UTF-8
      {"ASCII",                        "textures\\ocean.jpg",                        0,        kDos,   "CP437",   "textures\\ocean.jpg"},
      {"Russian OEM name",             "\xe2\xa5\xe1\xe2.txt",                       0,        kWin32, "CP866",   "тест.txt"},
      {"same bytes, US code page",     "\xe2\xa5\xe1\xe2.txt",                       0,        kWin32, "CP437",   "ΓÑßΓ.txt"},
      {"Japanese OEM name",            "\x82\xa0.txt",                               0,        kDos,   "CP932",   "あ.txt"},
      {"undefined OEM byte",           "a\x82.txt",                                  0,        kDos,   "CP932",   "a_.txt"},
      // Sharpcompress's Rar2.rar: "????" in OEM, the name as UTF-16 with the high byte 0x04.
      {"packed UTF-16",                "????.txt\0\x04UB5AB\xc0\x02"s,               kUnicode, kWin32, "CP437",   "тест.txt"},
      // Its Rar.none.rar: two units with the high byte, then a corrected run over the OEM bytes.
      {"packed, corrected run",        "\xe2\xa5\xe1\xe2.txt\0\x04_B5\x80`\x02"s,    kUnicode, kWin32, "CP437",   "тест.txt"},
      {"Unicode flag, UTF-8 name",     "\xd1\x82.txt",                               kUnicode, kWin32, "CP437",   "т.txt"},
      {"Unix host, UTF-8 name",        "\xd1\x82.txt",                               0,        kUnix,  "CP437",   "т.txt"},
      {"Unix host, not UTF-8",         "\xff.txt",                                   0,        kUnix,  "CP437",   "\u00a0.txt"},
      {"surrogate pair",               "x\0\x00\xa0\x3d\xd8\x00\xde"s,               kUnicode, kWin32, "CP437",   "\U0001F600"},
      {"lone surrogate",               "x\0\x00\x80\x00\xd8"s,                       kUnicode, kWin32, "CP437",   "\uFFFD"},
      {"packed form cut after flags",  "ab\0\x04\x40"s,                              kUnicode, kWin32, "CP437",   "ab"},
      {"run longer than the OEM name", "ab\0\x00\xc0\x7f"s,                          kUnicode, kWin32, "CP437",   "ab"},
      {"correction byte missing",      "ab\0\x00\xc0\x80"s,                          kUnicode, kWin32, "CP437",   "ab"},
      {"zero unit ends the name",      "ab\0\x00\x10\x61\x00\x62"s,                  kUnicode, kWin32, "CP437",   "a"},
      {"zero inside an OEM name",      "ab\0cd"s,                                    0,        kDos,   "CP437",   "ab"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MemberNameToUtf8(c.stored, c.flags, c.host, c.codePage), c.utf8) << c.what;
}

TEST(MemberName, OnlyKnownCodePagesAreAccepted) {
  EXPECT_TRUE(IsKnownCodePage(kDefaultOemCodePage));
  EXPECT_TRUE(IsKnownCodePage("CP866"));
  EXPECT_FALSE(IsKnownCodePage("CP-NO-SUCH-PAGE"));
}

}  // namespace
