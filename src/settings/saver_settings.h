// SaverSettings: the record of every user setting, and its two process-wide
// instances. `settings` is filled at start-up (the initial values below,
// then the factory defaults, then the stored values), edited by the
// configuration dialog and only read by everything else: the saver run, the
// scene, the overlay and the music. `defaultSettings` holds the factory defaults that the dialog's
// "Restore Defaults" copies back. Field names are those of the registry
// values (see setting_table.h for the full list of names and keys).
#pragma once

#include <cstdint>

// FrameLimit's default: the primary display's refresh rate. It equals the
// stored "not set" value (settings_store.h), so that a saved default loads
// back as the default.
constexpr int32_t kFrameLimitOfDisplay = 10000;

struct SaverSettings {
  bool EnableMusic = false;  // play the music during the saver run
  bool ShowClock = false;    // draw the clock
  bool ShowFlame = false;    // read by nothing; always saved as 0
  bool ShowFPS = false;      // draw the frame rate
  bool VSync = false;        // swap interval 1 instead of 0
  bool UseDesktop = false;   // run in the desktop's mode instead of Width x Height x Depth
  bool MouseExit = false;    // mouse movement ends the saver
  bool DefGamma = false;     // leave the gamma ramp alone; Gamma is then forced to 50
  bool TimeFormat = false;   // true: 12-hour clock with AM/PM mark; false: 24-hour clock
  bool RealDayNight = false; // light the Earth as it is lit now (UTC) instead of letting it spin
  int32_t Speed = 0;         // camera speed, 0..100 (loads are held to that range)
  int32_t Volume = 0;        // music volume, 0..100 (1..100 in the dialog)
  int32_t Gamma = 0;         // brightness, 0..100 as the slider, 50 neutral
  int32_t Width = 0;         // display width, pixels
  int32_t Height = 0;        // display height, pixels
  int32_t Depth = 0;         // display depth, bits per pixel
  int32_t FrameLimit = kFrameLimitOfDisplay;  // frames per second without VSync; 0: no limit
};

// The settings in effect; the initial values until start-up fills them.
extern SaverSettings settings;
// The factory defaults (plus the current ShowFlame, VSync and FrameLimit),
// for the dialog's "Restore Defaults".
extern SaverSettings defaultSettings;

// Back to the state at process start: both records at their initial values
// and the defaults table empty, so that tests in one process do not leak
// state.
void ResetSettings();
