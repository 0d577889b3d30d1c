// Hiding the cursor for a saver run and showing it again.
#include "app/cursor_hiding_win32.h"

#include <windows.h>

namespace {

bool cursorHidden = false;  // HideCursor ran and RestoreCursor did not yet

}  // namespace

void HideCursor() {
  ShowCursor(FALSE);
  cursorHidden = true;
}

void RestoreCursor() {
  if (!cursorHidden) return;
  ShowCursor(TRUE);
  cursorHidden = false;
}
