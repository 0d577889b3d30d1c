// Controls of the POSIX implementation of the platform seam, used by the
// native program: the resources linked into the executable, and the
// function that shows a loading step. Messages go to standard error and
// the clock is the local time of the C library.
#pragma once

#include <cstdint>

// One resource linked into the executable ("CustomData" type).
struct LinkedResource {
  int id;
  const uint8_t* data;
  uint32_t size;  // bytes
};

// The table PlatformFindResource searches; count entries, kept (not
// copied) for the life of the process.
void PosixSetLinkedResources(const LinkedResource* table, unsigned count);

// Called for every loading step (nullptr, the default: nothing).
void PosixSetLoadingCallback(void (*callback)());
