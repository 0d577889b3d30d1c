// The settings table: one row per setting, naming its registry value, its
// key in the factory defaults text and its member in SaverSettings. The
// defaults pass, the registry load and the registry save all walk this one
// table; nothing is written out per setting.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/saver_settings.h"

struct SettingRow {
  const char* valueName;            // registry value name; stored as a 4-byte DWORD
  const char* defaultsKey;          // key in def_settings.txt; nullptr: no factory default
  bool SaverSettings::*flag;        // the member of a boolean setting, else nullptr
  int32_t SaverSettings::*number;   // the member of an integer setting, else nullptr
  int32_t defaultsBias;             // added to the defaults value (GammControl is Gamma + 50)
  int8_t defaultsStep;              // 0..12: place in the defaults pass; -1: no defaults key
  bool writeOnly;                   // saved but never loaded (ShowFlame)
};

// The rows in the order in which the settings are saved.
extern const SettingRow kSettingRows[];
extern const size_t kSettingRowCount;

// The value as stored: booleans 0 or 1, integers as they are.
uint32_t StoredSettingValue(const SaverSettings& s, const SettingRow& row);
// Sets the member from a stored value: booleans are true when not 0,
// integers take the bits as they are (no range check: stored values are
// used unchanged).
void SetSettingFromStored(SaverSettings& s, const SettingRow& row, uint32_t value);
