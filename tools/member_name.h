// The name a RAR member is listed and extracted under: its stored name as
// UTF-8. A RAR 1.5-2.x file header holds the name in the OEM code page of the
// system that made the archive. With the Unicode flag the header adds the
// name's UTF-16 form after a zero byte, packed against the OEM bytes, or, when
// no zero byte follows, holds the name as UTF-8 alone. An archive made on
// Unix holds whatever bytes its file system had, normally UTF-8.
#pragma once

#include <cstdint>
#include <string>

// The OEM code page of English DOS and Windows, assumed when the user names
// none; an archive made on a Russian system needs "CP866", for instance.
constexpr const char kDefaultOemCodePage[] = "CP437";

// True when iconv knows the code page, so a misspelt name is refused up
// front instead of turning every name into underscores.
bool IsKnownCodePage(const char* oemCodePage);

// The member name as UTF-8. stored holds the file header's name bytes (cut
// to the reader's 259); flags and hostSystem come from the same header. The
// result always is valid UTF-8 and ends at the name's first zero; a byte the
// code page does not define becomes '_', a broken UTF-16 unit U+FFFD.
std::string MemberNameToUtf8(const std::string& stored, uint16_t flags, uint8_t hostSystem,
                             const char* oemCodePage);
