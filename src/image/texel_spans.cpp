// TexelSpans: the visible-texel map of a texture and its spans per band,
// widened by the reach of filtered fetches and cached per mipmap level count.
#include "image/texel_spans.h"

#include <algorithm>
#include <cmath>

namespace {

// index modulo side, in 0 .. side - 1, as GL_REPEAT wraps texels.
int Wrap(int index, int side) { return (index % side + side) % side; }

}  // namespace

void TexelSpans::Build(const uint8_t* rgba, int textureWidth, int textureHeight, bool additive) {
  width = textureWidth;
  height = textureHeight;
  groupColumns.assign(size_t(GroupCount()) * size_t(width), 0);
  for (int y = 0; y < height; ++y) {
    uint8_t* columns = groupColumns.data() + size_t(y / kGroupRows) * size_t(width);
    const uint8_t* texel = rgba + size_t(y) * size_t(width) * 4;
    for (int x = 0; x < width; ++x, texel += 4) {
      const bool lit = texel[0] != 0 || texel[1] != 0 || texel[2] != 0;
      columns[x] |= uint8_t(texel[3] != 0 && (lit || !additive));
    }
  }
  for (auto& bands : cache) bands.clear();
}

// A bilinear fetch from level k reads texels up to 1.5 * 2^k texels of level
// 0 away from the sampled point; one more texel absorbs the rounding of the
// interpolated texture coordinates.
int TexelSpans::Margin(int levels) { return int(std::ceil(1.5 * double(1 << (levels - 1)))) + 1; }

const std::vector<TexelSpan>& TexelSpans::Spans(int band, int levels) {
  std::vector<std::vector<TexelSpan>>& bands = cache[size_t(levels - 1)];
  if (bands.empty()) {
    bands.resize(size_t(BandCount()));
    for (int b = 0; b < BandCount(); ++b) bands[size_t(b)] = Widen(b, Margin(levels));
  }
  return bands[size_t(band)];
}

// The columns any visible texel within `margin` of the band reaches,
// wrapping at the edges, as spans with the gaps below kMergedGap closed.
std::vector<TexelSpan> TexelSpans::Widen(int band, int margin) const {
  std::vector<uint8_t> used(size_t(width), 0);  // columns with a visible texel in reach of the band
  const int groups = GroupCount();
  // Wrapping whole groups is wrapping rows only when they fill the last group.
  const int rowMargin = margin + (height % kGroupRows != 0 ? kGroupRows : 0);
  const int firstRow = band * kBandRows - rowMargin;
  const int endRow = BandFirstRow(band + 1) + rowMargin;
  const int first = firstRow >= 0 ? firstRow / kGroupRows : -((kGroupRows - 1 - firstRow) / kGroupRows);
  const int end = (endRow + kGroupRows - 1) / kGroupRows;  // exclusive
  for (int g = first; g < end && g < first + groups; ++g) {
    const uint8_t* columns = groupColumns.data() + size_t(Wrap(g, groups)) * size_t(width);
    for (int x = 0; x < width; ++x) used[size_t(x)] |= columns[x];
  }
  std::vector<uint8_t> reached(size_t(width), 0);
  for (int x = 0; x < width; ++x)
    if (used[size_t(x)] != 0)
      for (int d = -margin; d <= margin && d < width; ++d) reached[size_t(Wrap(x + d, width))] = 1;
  std::vector<TexelSpan> spans;
  for (int x = 0; x < width; ++x) {
    if (reached[size_t(x)] == 0) continue;
    if (!spans.empty() && x - spans.back().end < kMergedGap)
      spans.back().end = x + 1;
    else
      spans.push_back(TexelSpan{x, x + 1});
  }
  return spans;
}

std::vector<int> TexelSpans::EdgeCuts(const TexelSpan& span, const std::vector<TexelSpan>& neighbour) {
  std::vector<int> cuts{span.begin};
  for (const TexelSpan& other : neighbour)
    for (int end : {other.begin, other.end})
      if (end > span.begin && end < span.end) cuts.push_back(end);
  cuts.push_back(span.end);
  return cuts;
}
