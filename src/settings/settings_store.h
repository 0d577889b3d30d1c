// Loading and saving the settings through a store of named 4-byte values:
// the registry key "Software\Korvane\Terrava" on Windows (settings_registry_win32.cpp), a map in
// the tests. The walk over the settings table, the 10000 sentinel and the
// DefGamma rule live here so that every store behaves alike.
#pragma once

#include <cstdint>

#include "settings/saver_settings.h"

// A stored value of exactly this is taken as "not set": the field keeps
// the value it had (the factory default or the desktop mode).
constexpr uint32_t kUnsetStoredValue = 10000;
static_assert(uint32_t(kFrameLimitOfDisplay) == kUnsetStoredValue, "a saved FrameLimit default must load as unset");

// The brightness that DefGamma forces: neutral.
constexpr int32_t kNeutralGamma = 50;

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // Reads a 4-byte value; false when it is missing or cannot be read as one.
  virtual bool ReadValue(const char* name, uint32_t* value) = 0;
  // Writes a 4-byte value; failures are not reported.
  virtual void WriteValue(const char* name, uint32_t value) = 0;
};

// Reads every loadable setting that the store holds into s (values of
// kUnsetStoredValue are skipped); then, when DefGamma is true, sets Gamma
// to kNeutralGamma.
void LoadSettingsFrom(SettingsStore& store, SaverSettings& s);
// Writes every setting in table order, booleans as 0 or 1 and ShowFlame
// always as 0.
void SaveSettingsTo(SettingsStore& store, const SaverSettings& s);
