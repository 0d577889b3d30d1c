// TexelSpans: the visible-texel map of a texture and its spans per band,
// widened by the reach of filtered fetches and cached per blend mode and
// mipmap level count.
#include "image/texel_spans.h"

#include <algorithm>
#include <cmath>

namespace {

// index modulo side, in 0 .. side - 1, as GL_REPEAT wraps texels.
int Wrap(int index, int side) { return (index % side + side) % side; }

// Sets, per texel of a row, the blended bit (alpha above 0) and the added
// bit (alpha and colour above 0) of its column; without a branch, so that
// the pass over every texture at load stays cheap.
template <int kChannels>
void MarkRow(const uint8_t* texel, int width, uint8_t blended, uint8_t added, uint8_t* columns) {
  for (int x = 0; x < width; ++x, texel += kChannels) {
    const uint8_t opaque = kChannels == 4 ? uint8_t(texel[3] != 0) : uint8_t(1);
    const uint8_t lit = uint8_t((texel[0] | texel[1] | texel[2]) != 0);
    columns[x] |= uint8_t(opaque * (blended | lit * added));
  }
}

// The columns of a group whose `shows` bit is set.
double ShownColumns(const uint8_t* columns, int width, uint8_t shows) {
  return double(std::count_if(columns, columns + width, [shows](uint8_t c) { return (c & shows) != 0; }));
}

}  // namespace

void TexelSpans::Build(const uint8_t* pixels, int textureWidth, int textureHeight, int channels) {
  *this = TexelSpans();
  if (textureWidth < 1 || textureHeight < 1 || textureWidth > kMaxSide || textureHeight > kMaxSide) return;
  width = textureWidth;
  height = textureHeight;
  groupColumns.assign(size_t(GroupCount()) * size_t(width), 0);
  // Texels of the groups marked so far that show in each mode (a group's
  // shown columns times its rows: no spans cover less, since a band's spans
  // take in every column that shows in any of its groups). The shares only
  // grow, so once both pass kMaxSpansShare the map is dropped unread on.
  const double texels = double(width) * double(height);
  double shownBlended = 0.0, shownAdded = 0.0;
  for (int g = 0; g < GroupCount(); ++g) {
    uint8_t* columns = groupColumns.data() + size_t(g) * size_t(width);
    const int firstRow = g * kGroupRows, rows = std::min(kGroupRows, height - firstRow);
    for (int y = firstRow; y < firstRow + rows; ++y) {
      const uint8_t* row = pixels + size_t(y) * size_t(width) * size_t(channels);
      if (channels == 4)
        MarkRow<4>(row, width, kShowsBlended, kShowsAdded, columns);
      else
        MarkRow<3>(row, width, kShowsBlended, kShowsAdded, columns);
    }
    shownBlended += double(rows) * ShownColumns(columns, width, kShowsBlended);
    shownAdded += double(rows) * ShownColumns(columns, width, kShowsAdded);
    if (float(shownBlended / texels) > kMaxSpansShare && float(shownAdded / texels) > kMaxSpansShare) {
      *this = TexelSpans();
      return;
    }
  }
}

// A bilinear fetch from level k reads texels up to 1.5 * 2^k texels of level
// 0 away from the sampled point; one more texel absorbs the rounding of the
// interpolated texture coordinates.
int TexelSpans::Margin(int levels) { return int(std::ceil(1.5 * double(1 << (levels - 1)))) + 1; }

const std::vector<TexelSpan>& TexelSpans::Spans(int band, int levels, bool additive) {
  std::vector<std::vector<TexelSpan>>& bands = cache[size_t((additive ? kMaxMipLevels : 0) + levels - 1)];
  if (bands.empty()) {
    bands.resize(size_t(BandCount()));
    for (int b = 0; b < BandCount(); ++b)
      bands[size_t(b)] = Widen(b, Margin(levels), additive ? kShowsAdded : kShowsBlended);
  }
  return bands[size_t(band)];
}

// The columns any texel showing (`shows` bit) within `margin` of the band
// reaches, wrapping at the edges, as spans with the gaps below kMergedGap closed.
std::vector<TexelSpan> TexelSpans::Widen(int band, int margin, uint8_t shows) const {
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
    for (int x = 0; x < width; ++x) used[size_t(x)] |= columns[x] & shows;
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

void TexelSpans::EdgeCuts(const TexelSpan& span, const std::vector<TexelSpan>& neighbour, std::vector<int>* cuts) {
  cuts->assign(1, span.begin);
  for (const TexelSpan& other : neighbour)
    for (int end : {other.begin, other.end})
      if (end > span.begin && end < span.end) cuts->push_back(end);
  cuts->push_back(span.end);
}
