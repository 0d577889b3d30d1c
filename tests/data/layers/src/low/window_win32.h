// A Win32-only header.
#pragma once

#include <windows.h>
