// RenderFrame: the drawing of one frame of the saver run. Win32 only.
#pragma once

// Clears the frame, refreshes the one-second frame-rate window and draws
// the current world with its overlay. Called by the frame loop only.
void RenderFrame();
