// Message boxes about the factory defaults text, in the order the problems
// were met.
#include "settings/defaults_problems.h"

#include <string>
#include <vector>

#include "platform/platform.h"
#include "settings/defaults_table.h"

const char kMalformedDefaultsLineText[] = "неправильный формат файла def_settings.txt";
const char kMissingDefaultsKeyText[] = "Не найден параметр в файле def_settings.txt";

void LoadDefaultsTableShowingProblems() {
  const uint32_t malformedBefore = defaultsTable.malformedLines;
  LoadDefaultsTable();
  for (uint32_t i = malformedBefore; i < defaultsTable.malformedLines; ++i)
    PlatformShowMessage(kMalformedDefaultsLineText, "");
}

void ApplyDefaultsShowingProblems(SaverSettings& s) {
  std::vector<std::string> missing;
  ApplyDefaults(s, &missing);
  for (const std::string& key : missing) PlatformShowMessage(kMissingDefaultsKeyText, key.c_str());
}
