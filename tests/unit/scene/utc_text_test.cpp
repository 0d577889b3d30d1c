// The --utc instant reader: the one accepted shape, and hostile texts that
// must be refused without touching the result.
#include <gtest/gtest.h>

#include "scene/utc_text.h"

TEST(UtcText, ReadsAValidInstant) {
  UtcDateTime t{};
  ASSERT_TRUE(ParseUtcText("2024-02-29T23:59", &t));
  EXPECT_EQ(2024, t.year);
  EXPECT_EQ(2, t.month);
  EXPECT_EQ(29, t.day);
  EXPECT_EQ(23, t.hour);
  EXPECT_EQ(59, t.minute);
  EXPECT_EQ(0, t.second);
}

TEST(UtcText, RefusesEverythingElse) {
  const char* const refused[] = {
      // wrong shape
      "", "2026", "2026-06-21", "2026-06-21T12", "2026-06-21 12:00", "2026-06-21T12:00:00",
      "2026-06-21T12:00Z", "2026-6-21T12:00", " 2026-06-21T12:00", "+026-06-21T12:00",
      "2026-06-21t12:00", "2026/06/21T12:00", "2026-06-2\xff" "T12:00",
      // not a real date or time
      "2026-00-10T12:00", "2026-13-10T12:00", "2026-06-00T12:00", "2026-06-31T12:00",
      "2026-02-29T12:00", "1900-02-29T12:00", "2026-06-21T24:00", "2026-06-21T12:60",
      // outside the years the solar formulas hold for
      "1899-12-31T23:59", "2101-01-01T00:00", "0000-01-01T00:00", "9999-12-31T23:59",
  };
  for (const char* text : refused) {
    UtcDateTime t{1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(ParseUtcText(text, &t)) << text;
    EXPECT_EQ(1, t.year) << text;
  }
  UtcDateTime t{};
  EXPECT_FALSE(ParseUtcText(nullptr, &t));
}
