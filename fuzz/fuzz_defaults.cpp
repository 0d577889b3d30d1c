// Fuzz target for the factory defaults: any bytes, as resource 115, parse
// into at most kMaxDefaultsEntries entries of printable ASCII without reading
// past the resource; the defaults pass then fills a settings record from
// them and every lookup answers without fault, whatever the values hold
// (signs, overlong numbers, repeated or missing keys).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "archive/archive_file.h"
#include "platform/native_platform.h"
#include "settings/defaults_table.h"
#include "settings/saver_settings.h"

namespace {

// Inputs beyond 64 KiB add nothing a shorter table cannot show.
constexpr size_t kMaxInput = 1u << 16;

bool Printable(const std::string& text) {
  for (char c : text)
    if (static_cast<signed char>(c) <= 32 || c == ';') return false;
  return true;
}

void CheckTable() {
  if (defaultsTable.entries.size() > kMaxDefaultsEntries) std::abort();
  for (const DefaultsEntry& entry : defaultsTable.entries)
    if (!Printable(entry.key) || !Printable(entry.value)) std::abort();  // "=5" has an empty key
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  ResetSettings();
  native_platform::ResetAll();
  native_platform::AddResource(kDataResourceType, kDefaultsResourceId, data, uint32_t(size));
  LoadDefaultsTable();
  CheckTable();
  SaverSettings record;
  ApplyDefaults(record);
  LookupDefault("ShowFlame");
  DefaultValue("MusicVolume");
  return 0;
}
