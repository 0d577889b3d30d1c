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
  int8_t defaultsStep;              // 0..13: place in the defaults pass; -1: no defaults key
  bool writeOnly;                   // saved but never loaded (ShowFlame)
  uint32_t minimum;                 // lowest value the dialog can store
  uint32_t maximum;                 // highest value the dialog can store
};

// The rows in the order in which the settings are saved.
extern const SettingRow kSettingRows[];
extern const size_t kSettingRowCount;

// The value as stored: booleans 0 or 1, integers as they are.
uint32_t StoredSettingValue(const SaverSettings& s, const SettingRow& row);
// Sets the member from a value held to the row's range, so that no stored
// or factory value gives a picture or a sound the dialog never could: a
// value below minimum or above maximum takes that bound, and a boolean is
// true when the held value is 1.
void SetSettingInRange(SaverSettings& s, const SettingRow& row, int64_t value);
// The same for a stored DWORD, taken unsigned (4294967295 is above every
// maximum, not -1).
void SetSettingFromStored(SaverSettings& s, const SettingRow& row, uint32_t value);
