// The table walks of the settings load and save.
#include "settings/settings_store.h"

#include "settings/setting_table.h"

void LoadSettingsFrom(SettingsStore& store, SaverSettings& s) {
  for (size_t i = 0; i < kSettingRowCount; ++i) {
    const SettingRow& row = kSettingRows[i];
    if (row.writeOnly) continue;
    uint32_t value = kUnsetStoredValue;
    if (store.ReadValue(row.valueName, &value) && value != kUnsetStoredValue)
      SetSettingFromStored(s, row, value);
  }
  if (s.DefGamma) s.Gamma = kNeutralGamma;
}

void SaveSettingsTo(SettingsStore& store, const SaverSettings& s) {
  for (size_t i = 0; i < kSettingRowCount; ++i) {
    const SettingRow& row = kSettingRows[i];
    // Nothing sets ShowFlame; it is written as 0 whatever the record holds.
    uint32_t value = row.writeOnly ? 0u : StoredSettingValue(s, row);
    store.WriteValue(row.valueName, value);
  }
}
