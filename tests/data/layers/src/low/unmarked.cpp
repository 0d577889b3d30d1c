// A portable file that reaches for the Windows API.
#include <windows.h>
#include "low/window_win32.h"
