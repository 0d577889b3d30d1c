// Native implementation of the platform seam: everything lives in memory so
// that tests can set it up and read it back.
#include "platform/native_platform.h"

#include <strings.h>

#include <fstream>
#include <iterator>
#include <map>
#include <utility>

namespace {

struct ResourceKey {
  std::string type;  // upper-cased
  int id;
  bool operator<(const ResourceKey& o) const { return type != o.type ? type < o.type : id < o.id; }
};

std::string UpperCase(const char* s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return r;
}

std::map<ResourceKey, std::vector<uint8_t>> resources;
std::vector<RecordedMessage> messages;
int loadingSteps = 0;
std::function<void()> loadingCallback;
LocalClockTime localTime{0, 0, 0};
constexpr UtcDateTime kStartUtcTime{2000, 1, 1, 12, 0, 0};
UtcDateTime utcTime = kStartUtcTime;

}  // namespace

bool PlatformFindResource(const char* type, int id, ResourceBytes* out) {
  *out = ResourceBytes{};
  auto it = resources.find(ResourceKey{UpperCase(type), id});
  if (it == resources.end()) return false;
  out->data = it->second.data();
  out->size = uint32_t(it->second.size());
  return true;
}

void PlatformShowMessage(const char* text, const char* caption) {
  messages.push_back(RecordedMessage{text ? text : "", caption ? caption : ""});
}

void PlatformLoadingProgress() {
  ++loadingSteps;
  if (loadingCallback) loadingCallback();
}

LocalClockTime PlatformLocalTime() { return localTime; }

UtcDateTime PlatformUtcTime() { return utcTime; }

namespace native_platform {

void AddResource(const char* type, int id, const void* data, uint32_t size) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  resources[ResourceKey{UpperCase(type), id}] = std::vector<uint8_t>(bytes, bytes + size);
}

bool AddResourceFile(const char* type, int id, const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  resources[ResourceKey{UpperCase(type), id}] = std::move(bytes);
  return true;
}

const std::vector<RecordedMessage>& Messages() { return messages; }
int LoadingSteps() { return loadingSteps; }
void SetLoadingCallback(std::function<void()> callback) { loadingCallback = std::move(callback); }
void SetLocalTime(LocalClockTime time) { localTime = time; }
void SetUtcTime(UtcDateTime time) { utcTime = time; }

void ResetAll() {
  resources.clear();
  messages.clear();
  loadingSteps = 0;
  loadingCallback = nullptr;
  localTime = LocalClockTime{0, 0, 0};
  utcTime = kStartUtcTime;
}

}  // namespace native_platform
