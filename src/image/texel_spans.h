// TexelSpans: where a texture has texels that change the picture, as
// horizontal spans in bands of rows, so that a textured square can be drawn
// as a few narrower quads over those texels only. A star field is mostly
// black, and black adds nothing under additive blending; in a software
// renderer every pixel a quad covers costs a texture fetch and a blend.
// The spans are widened by a margin (in texels, wrapping around the edges as
// GL_REPEAT does) so that every texel a filtered fetch at any used mipmap
// level can reach lies inside a drawn quad: the pixels left out would have
// added exactly zero. The map is built once from the decoded pixels when the
// texture is uploaded, for both ways a square may blend it.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

// Columns [begin, end) of the texture, in texels.
struct TexelSpan {
  int begin = 0;
  int end = 0;
};

class TexelSpans {
 public:
  static constexpr int kBandRows = 32;      // texel rows per band
  static constexpr int kMergedGap = 8;      // texels; narrower gaps join their spans (a quad costs more)
  static constexpr int kMaxMipLevels = 6;   // levels 0..5 sampled; beyond, draw the whole square
  static constexpr int kGroupRows = 4;      // texel rows summarised together (a quarter of the memory of
                                            // a per-texel map; margins round up to whole groups)
  static constexpr int kMaxSide = 1 << 13;  // texels; larger textures get no map
  static constexpr int kMaxBands = kMaxSide / kBandRows;
  static constexpr float kMaxSpansShare = 0.5f;  // of the square; spans covering more cost more than the
                                                 // whole square (thin bands rasterise slower per pixel)

  // pixels: width x height texels of `channels` bytes (3: RGB, drawn with
  // alpha 1; 4: RGBA), row 0 first (texture v = 0). Records for both blend
  // modes which texels show: drawn additively, with (SRC_ALPHA, ONE), a
  // texel whose colour or alpha is 0 adds nothing; blended, only alpha 0 is
  // invisible. Keeps no map (Built() false) when a side is outside
  // 1..kMaxSide, or when in both modes more than kMaxSpansShare of the
  // texture shows: spans then never pay, and the map is not worth its memory.
  void Build(const uint8_t* pixels, int width, int height, int channels);
  bool Built() const { return width > 0; }
  int Width() const { return width; }
  int Height() const { return height; }
  int BandCount() const { return (height + kBandRows - 1) / kBandRows; }  // at most kMaxBands
  // The first texel row of a band; BandFirstRow(BandCount()) is Height().
  int BandFirstRow(int band) const { return std::min(height, band * kBandRows); }
  // The spans of band `band` (rows [band * kBandRows, +kBandRows)) widened
  // for fetches that read mipmap levels 0 .. levels - 1 (levels 1..kMaxMipLevels),
  // for a square drawn additively or blended.
  const std::vector<TexelSpan>& Spans(int band, int levels, bool additive);
  // Fills `cuts` with the columns where the edge of `span` shared with a
  // neighbouring band is cut: its own ends and the neighbour's span ends
  // inside it, ascending. Cutting both sides of a shared edge at the same
  // columns leaves no T-junction, so no pixel along it is drawn twice or
  // missed. Reuses the storage of `cuts`.
  static void EdgeCuts(const TexelSpan& span, const std::vector<TexelSpan>& neighbour, std::vector<int>* cuts);
  // Texels of margin around a visible texel for fetches from levels 0 .. levels - 1.
  static int Margin(int levels);

 private:
  static constexpr uint8_t kShowsBlended = 1;  // groupColumns bit: alpha above 0
  static constexpr uint8_t kShowsAdded = 2;    // groupColumns bit: alpha and colour above 0

  std::vector<TexelSpan> Widen(int band, int margin, uint8_t shows) const;

  int width = 0;
  int height = 0;
  int GroupCount() const { return (height + kGroupRows - 1) / kGroupRows; }

  // Per group of kGroupRows rows, width bytes: kShowsBlended and kShowsAdded
  // set where a texel of the column in those rows shows in that mode.
  std::vector<uint8_t> groupColumns;
  // Per blend mode (blended, additive) and level count - 1: one span list per
  // band, made on first use.
  std::array<std::vector<std::vector<TexelSpan>>, 2 * kMaxMipLevels> cache;
};
