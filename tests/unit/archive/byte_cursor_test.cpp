// ByteCursor: little-endian fields, all-or-nothing reads at the end of the
// data, the clamped variants and positions past the end.
#include "archive/byte_cursor.h"

#include <gtest/gtest.h>

TEST(ByteCursor, ReadsLittleEndianFieldsUntilTooFewBytesRemain) {
  const uint8_t bytes[] = {0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0x00, 0x00, 0x80, 0x3F, 0xAA};
  ByteCursor in{bytes, sizeof bytes, 0};
  uint8_t u8 = 0;
  uint16_t u16 = 0;
  uint32_t u32 = 0;
  float f32 = 0.0f;
  ASSERT_TRUE(in.ReadU8(&u8) && in.ReadU16(&u16) && in.ReadU32(&u32) && in.ReadF32(&f32));
  EXPECT_EQ(u8, 0x01);
  EXPECT_EQ(u16, 0x1234);
  EXPECT_EQ(u32, 0x12345678u);
  EXPECT_EQ(f32, 1.0f);
  // One byte left: a wider read fails and changes neither value nor position.
  u16 = 7;
  EXPECT_FALSE(in.ReadU16(&u16));
  EXPECT_FALSE(in.ReadU32(&u32));
  EXPECT_FALSE(in.Skip(2));
  EXPECT_EQ(u16, 7);
  EXPECT_EQ(in.pos, 11u);
  EXPECT_TRUE(in.ReadU8(&u8));
  EXPECT_EQ(u8, 0xAA);
  EXPECT_EQ(in.Remaining(), 0u);
}

TEST(ByteCursor, ClampedReadsStopAtTheEndAndHugeCountsNeverWrap) {
  const uint8_t bytes[] = {1, 2, 3};
  uint8_t out[4] = {9, 9, 9, 9};
  ByteCursor in{bytes, sizeof bytes, 1};
  EXPECT_EQ(in.TakeAtMost(out, 4), 2u);
  EXPECT_EQ(out[0], 2);
  EXPECT_EQ(out[2], 9);  // beyond the data the destination keeps its bytes
  in.pos = 0;
  in.SkipAtMost(SIZE_MAX);
  EXPECT_EQ(in.pos, 3u);
  in.pos = SIZE_MAX - 1;  // a position past the end leaves nothing to read
  EXPECT_EQ(in.Remaining(), 0u);
  EXPECT_FALSE(in.Take(out, 2));
  EXPECT_FALSE(in.Skip(SIZE_MAX));
  EXPECT_EQ(in.TakeAtMost(out, SIZE_MAX), 0u);
}
