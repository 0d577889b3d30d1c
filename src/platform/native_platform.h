// Controls of the native platform implementation, for tests and tools: the
// resource table they fill, the messages the core showed, the loading-step
// count and the clocks. Native builds only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

struct RecordedMessage {
  std::string text;
  std::string caption;
};

namespace native_platform {

// Registers a resource; the bytes are copied and kept until ResetAll.
void AddResource(const char* type, int id, const void* data, uint32_t size);
// Registers a resource from a file; false when it cannot be read.
bool AddResourceFile(const char* type, int id, const char* path);

const std::vector<RecordedMessage>& Messages();
int LoadingSteps();
// Called on every loading step, after the count is raised (may be empty).
void SetLoadingCallback(std::function<void()> callback);
void SetLocalTime(LocalClockTime time);
void SetUtcTime(UtcDateTime time);

// Empties the resource table, the message record and the step count, sets
// the local clock back to 00:00:00 and the UTC clock to 2000-01-01 12:00:00.
void ResetAll();

}  // namespace native_platform
