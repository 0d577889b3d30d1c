// TexelSpans: which columns of a band a billboard must still draw, so that
// every texel a filtered fetch can reach stays inside a drawn quad.
#include "image/texel_spans.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kBand = TexelSpans::kBandRows;
constexpr int kSide = 4 * kBand;  // texels

struct Texel {
  int x, y;
  uint8_t rgba[4];
};

std::vector<TexelSpan> SpansOf(const std::vector<Texel>& lit, bool additive, int band, int levels) {
  std::vector<uint8_t> rgba(kSide * kSide * 4, 0);
  for (const Texel& t : lit)
    for (int c = 0; c < 4; ++c) rgba[(t.y * kSide + t.x) * 4 + c] = t.rgba[c];
  TexelSpans spans;
  spans.Build(rgba.data(), kSide, kSide, 4);
  return spans.Spans(band, levels, additive);
}

std::vector<int> EdgeCutsOf(const TexelSpan& span, const std::vector<TexelSpan>& neighbour) {
  std::vector<int> cuts{-1};  // replaced, not appended to
  TexelSpans::EdgeCuts(span, neighbour, &cuts);
  return cuts;
}

}  // namespace

TEST(TexelSpans, CoverEveryTexelAFetchCanReach) {
  struct Case {
    const char* what;
    std::vector<Texel> lit;
    bool additive;
    int band, levels;
    std::vector<std::pair<int, int>> expected;  // [begin, end) columns
  };
  const int m1 = TexelSpans::Margin(1), m3 = TexelSpans::Margin(3);
  const Case cases[] = {
      // what                        lit texels                              add   band lv  spans
      {"black adds nothing", {{30, 5, {0, 0, 0, 255}}}, true, 0, 1, {}},
      {"a clear texel adds nothing", {{30, 5, {255, 255, 255, 0}}}, true, 0, 1, {}},
      {"a lit texel and its margin", {{30, 5, {255, 255, 255, 255}}}, true, 0, 1, {{30 - m1, 31 + m1}}},
      {"more levels reach farther", {{30, 5, {255, 255, 255, 255}}}, true, 0, 3, {{30 - m3, 31 + m3}}},
      {"the band below sees it within the margin", {{30, kBand - 1, {255, 255, 255, 255}}}, true, 1, 1,
       {{30 - m1, 31 + m1}}},
      {"a band beyond the margin does not", {{30, 5, {255, 255, 255, 255}}}, true, 2, 1, {}},
      {"the last row wraps to the first band", {{30, kSide - 1, {255, 255, 255, 255}}}, true, 0, 1,
       {{30 - m1, 31 + m1}}},
      {"columns wrap", {{0, 5, {255, 255, 255, 255}}}, true, 0, 1, {{0, 1 + m1}, {kSide - m1, kSide}}},
      {"close texels share a span", {{20, 5, {255, 255, 255, 255}}, {30, 6, {255, 255, 255, 255}}}, true, 0, 1,
       {{20 - m1, 31 + m1}}},
      {"far texels get their own", {{10, 5, {255, 255, 255, 255}}, {40, 6, {255, 255, 255, 255}}}, true, 0, 1,
       {{10 - m1, 11 + m1}, {40 - m1, 41 + m1}}},
      {"blended, black darkens", {{30, 5, {0, 0, 0, 255}}}, false, 0, 1, {{30 - m1, 31 + m1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::pair<int, int>> got;
    for (const TexelSpan& s : SpansOf(c.lit, c.additive, c.band, c.levels)) got.emplace_back(s.begin, s.end);
    EXPECT_EQ(c.expected, got);
  }
}

TEST(TexelSpans, EdgeCutsTakeTheNeighboursEndsInsideTheSpan) {
  const std::vector<TexelSpan> neighbour = {{0, 12}, {20, 30}, {50, 60}};
  EXPECT_EQ((std::vector<int>{10, 12, 20, 30, 40}), EdgeCutsOf({10, 40}, neighbour));
  EXPECT_EQ((std::vector<int>{35, 45}), EdgeCutsOf({35, 45}, neighbour));
}

TEST(TexelSpans, KeepAMapOnlyWhereSpansCanPay) {
  struct Case {
    const char* what;
    int width, channels;
    uint8_t background[4];  // every texel but (30, 5), which is opaque white
    bool built;
  };
  const Case cases[] = {
      // what                                  width          ch  background      built
      {"a star on black, RGB", kSide, 3, {0, 0, 0, 0}, true},
      {"a star on clear white, RGBA", kSide, 4, {255, 255, 255, 0}, true},
      {"opaque black still pays when added", kSide, 4, {0, 0, 0, 255}, true},
      {"grey everywhere shows either way", kSide, 3, {9, 9, 9, 0}, false},
      {"wider than any texture", TexelSpans::kMaxSide + 1, 4, {0, 0, 0, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int height = c.width > kSide ? 1 : kSide;
    std::vector<uint8_t> pixels(size_t(c.width) * size_t(height) * size_t(c.channels));
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = c.background[i % size_t(c.channels)];
    if (height > 5) std::fill_n(&pixels[size_t(5 * c.width + 30) * size_t(c.channels)], c.channels, 255);
    TexelSpans spans;
    spans.Build(pixels.data(), c.width, height, c.channels);
    ASSERT_EQ(c.built, spans.Built());
    if (!c.built) continue;
    const int m1 = TexelSpans::Margin(1);
    ASSERT_EQ(1u, spans.Spans(0, 1, true).size());
    EXPECT_EQ(30 - m1, spans.Spans(0, 1, true)[0].begin);
    EXPECT_EQ(31 + m1, spans.Spans(0, 1, true)[0].end);
  }
}
