// The Visit button opens the address that the factory defaults name under
// "main_web_site_url"; the shipped defaults must hold it, or the click
// would show the missing-key message instead.
#include <gtest/gtest.h>

#include "platform/native_platform.h"
#include "settings/defaults_table.h"

TEST(ShippedDefaults, NameTheWebSiteThatVisitOpens) {
  native_platform::ResetAll();
  ResetSettings();
  ASSERT_TRUE(native_platform::AddResourceFile("CustomData", kDefaultsResourceId,
                                               TERRAVA_SOURCE_DIR "/resources/def_settings.txt"));
  LoadDefaultsTable();
  EXPECT_EQ(LookupDefault("main_web_site_url").rfind("https://", 0), 0u);
  EXPECT_TRUE(native_platform::Messages().empty());  // neither malformed nor missing
  ResetSettings();
  native_platform::ResetAll();
}
