// The two process-wide settings records and their reset.
#include "settings/saver_settings.h"

#include "settings/defaults_table.h"

SaverSettings settings;
SaverSettings defaultSettings;

void ResetSettings() {
  settings = SaverSettings{};
  defaultSettings = SaverSettings{};
  defaultsTable = DefaultsTable{};
}
