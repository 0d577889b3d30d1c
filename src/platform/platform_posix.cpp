// POSIX implementation of the platform seam for the native program:
// resources from a table of bytes linked into the executable, messages on
// standard error, loading steps through a callback, the C library's local
// and UTC time.
#include "platform/posix_platform.h"

#include <strings.h>

#include <cstdio>
#include <ctime>

#include "platform/platform.h"

namespace {

const LinkedResource* linkedResources = nullptr;
unsigned linkedResourceCount = 0;
void (*loadingCallback)() = nullptr;

}  // namespace

void PosixSetLinkedResources(const LinkedResource* table, unsigned count) {
  linkedResources = table;
  linkedResourceCount = count;
}

void PosixSetLoadingCallback(void (*callback)()) { loadingCallback = callback; }

bool PlatformFindResource(const char* type, int id, ResourceBytes* out) {
  *out = ResourceBytes{};
  if (type == nullptr || strcasecmp(type, kDataResourceType) != 0) return false;
  for (unsigned i = 0; i < linkedResourceCount; ++i) {
    if (linkedResources[i].id != id) continue;
    out->data = linkedResources[i].data;
    out->size = linkedResources[i].size;
    return true;
  }
  return false;
}

void PlatformShowMessage(const char* text, const char* caption) {
  std::fprintf(stderr, "terrava: %s: %s\n", caption ? caption : "", text ? text : "");
}

void PlatformLoadingProgress() {
  if (loadingCallback != nullptr) loadingCallback();
}

LocalClockTime PlatformLocalTime() {
  std::time_t now = std::time(nullptr);
  std::tm local = {};
  if (localtime_r(&now, &local) == nullptr) return LocalClockTime{0, 0, 0};
  return LocalClockTime{local.tm_hour, local.tm_min, local.tm_sec % 60};  // a leap second shows as 00
}

UtcDateTime PlatformUtcTime() {
  std::time_t now = std::time(nullptr);
  std::tm utc = {};
  if (gmtime_r(&now, &utc) == nullptr) return UtcDateTime{2000, 1, 1, 12, 0, 0};
  return UtcDateTime{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min,
                     utc.tm_sec % 60};  // a leap second shows as 00
}
