// The table of resources linked into the native program (built from
// resources/linked_resources.S.in).
#pragma once

#include "platform/posix_platform.h"

extern "C" const LinkedResource terrava_linked_resources[];
extern "C" const unsigned terrava_linked_resource_count;
