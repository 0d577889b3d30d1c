#include <gtest/gtest.h>

#include "platform/native_platform.h"

TEST(NativePlatform, FindsResourcesByCaseInsensitiveTypeAndId) {
  native_platform::ResetAll();
  const char bytes[] = "abc";
  native_platform::AddResource("CustomData", 115, bytes, 3);
  ResourceBytes found;
  ASSERT_TRUE(PlatformFindResource("CUSTOMDATA", 115, &found));
  EXPECT_EQ(found.size, 3u);
  EXPECT_EQ(0, memcmp(found.data, "abc", 3));
  EXPECT_FALSE(PlatformFindResource("CustomData", 116, &found));
  EXPECT_EQ(found.data, nullptr);
  EXPECT_EQ(found.size, 0u);
}

TEST(NativePlatform, RecordsMessagesStepsAndClockUntilReset) {
  native_platform::ResetAll();
  int calls = 0;
  native_platform::SetLoadingCallback([&] { ++calls; });
  PlatformLoadingProgress();
  PlatformLoadingProgress();
  PlatformShowMessage("Unsupported image depth.", "TGA");
  native_platform::SetLocalTime({13, 7, 2});
  EXPECT_EQ(native_platform::LoadingSteps(), 2);
  EXPECT_EQ(calls, 2);
  ASSERT_EQ(native_platform::Messages().size(), 1u);
  EXPECT_EQ(native_platform::Messages()[0].caption, "TGA");
  EXPECT_EQ(PlatformLocalTime().hour, 13);
  native_platform::ResetAll();
  EXPECT_EQ(native_platform::LoadingSteps(), 0);
  EXPECT_TRUE(native_platform::Messages().empty());
  EXPECT_EQ(PlatformLocalTime().second, 0);
}
