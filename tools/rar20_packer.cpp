// Segments, trials and solid state of the RAR 2.0 packer.
#include "rar20_packer.h"

#include <algorithm>

using namespace rar20;

namespace {

// Bytes per segment. Each segment gets its own tables and its own choice of
// mode: small enough to follow changing content, large enough that a block
// header (some 60 to 200 bytes) costs little.
constexpr uint32_t kSegmentSize = 256 * 1024;

// Fitting a member's last block: the lowest length limit tried (tables
// with more symbols than it can code keep the least that fits), and the
// symbols tried, one after the other, as extra codes.
constexpr uint32_t kLowestFitLimit = 8;
constexpr uint32_t kFitAttempts = 64;

// Hash-chain candidates per position in the quick parse, which mainly
// gathers statistics for the thorough one.
constexpr uint32_t kQuickChain = 4;

// The thorough LZ parse is skipped when multimedia blocks take less than
// this percentage of the quick parse's bits: it gains a few percent at most.
constexpr uint32_t kRefineThreshold = 85;

// Percent of the LZ block's bits that multimedia blocks must save.
constexpr uint32_t kMultimediaGain = 2;

}  // namespace

bool Rar20Packer::PackMember(const uint8_t* data, uint32_t size, std::vector<uint8_t>* packed,
                             bool* continuesSolid) {
  packed->clear();
  if (size == 0) return PackEmptyMember(continuesSolid);
  bool solid = solidArchive && solidStarted;
  Rar20StreamState state = solid ? solidState : Rar20StreamState();
  buffer.clear();
  if (solid) buffer = windowTail;
  uint32_t begin = uint32_t(buffer.size());
  buffer.insert(buffer.end(), data, data + size);
  finder.Reset(buffer.data(), uint32_t(buffer.size()));
  finder.InsertUpTo(begin);

  Rar20BitWriter writer(packed);
  usedMultimedia = false;
  uint32_t end = uint32_t(buffer.size());
  for (uint32_t at = begin; at < end; at += kSegmentSize)
    PackSegment(at, std::min(end, at + kSegmentSize), end, &state, writer);
  writer.PadToByte();
  if (!solidArchive && packed->size() >= size) {
    packed->clear();
    return false;
  }
  *continuesSolid = solid;
  if (solidArchive) {
    solidStarted = !usedMultimedia;
    solidState = state;
    size_t keep = std::min<size_t>(buffer.size(), kWindowSize);
    windowTail.assign(buffer.end() - keep, buffer.end());
  }
  return true;
}

// unar neither continues a solid stream across a stored member nor across
// an empty one: it starts the member after either afresh. So in a solid
// archive an empty member is packed without data, and the next member
// starts a new solid run with its own tables (every unpacker accepts that).
bool Rar20Packer::PackEmptyMember(bool* continuesSolid) {
  if (!solidArchive) return false;
  *continuesSolid = solidStarted;
  solidStarted = false;
  return true;
}

// Tries the segment as a quick LZ parse and as multimedia blocks, then
// parses it thoroughly, priced with the quick parse's code lengths, unless
// the data looks random or multimedia is clearly ahead. Multimedia has to
// save kMultimediaGain to be chosen: it decodes at half the speed of LZ, and
// in a solid archive the next member cannot continue after it.
void Rar20Packer::PackSegment(uint32_t begin, uint32_t end, uint32_t memberEnd, Rar20StreamState* state,
                              Rar20BitWriter& writer) {
  Rar20MatchFinder::Snapshot start;
  finder.Save(&start);
  LzSearchLimits quickSearch = limits;
  quickSearch.maxChain = std::min(limits.maxChain, kQuickChain);
  Trial lz = TryLz(begin, end, LzCosts::Initial(), quickSearch, *state);
  Trial audio;
  bool haveAudio = multimedia == MultimediaChoice::Auto;
  for (uint32_t channels = 1; haveAudio && channels <= kMaxChannels; ++channels) {
    Trial t = TryMultimedia(begin, end, channels, *state);
    if (channels == 1 || t.plan.bits < audio.plan.bits) audio = std::move(t);
  }
  bool compressible = lz.plan.bits < uint64_t(end - begin) * 8;
  bool audioFarAhead = haveAudio && audio.plan.bits * 100 < lz.plan.bits * kRefineThreshold;
  if (compressible && !audioFarAhead) {
    finder.Restore(start);
    Trial refined = TryLz(begin, end, LzCosts::FromLengths(lz.block.lengths.data()), limits, *state);
    if (refined.plan.bits < lz.plan.bits) lz = std::move(refined);
  }
  Trial* best = haveAudio && audio.plan.bits * 100 < lz.plan.bits * (100 - kMultimediaGain) ? &audio : &lz;
  if (end == memberEnd) FitLastBlock(best, *state, writer.BitCount());
  usedMultimedia |= best->block.multimedia;
  WriteBlock(best->block, best->plan, *state, writer);
  *state = best->after;
}

// Finds a plan for the member's last block that leaves room after the
// start of its last code (see PlanLastBlock): first among header variants
// of the block as it is, then with lower length limits, which shorten the
// longest codes, and last with codes for symbols the block does not use,
// which move its bits more (a member of a few bytes may need that).
void Rar20Packer::FitLastBlock(Trial* t, const Rar20StreamState& before, uint64_t startBit) const {
  if (PlanLastBlock(t->block, before, startBit, &t->plan)) return;
  std::vector<uint8_t> lengths = t->block.lengths;
  for (uint32_t limit = kMaxCodeLength - 1; limit >= kLowestFitLimit; --limit) {
    BuildBlockLengths(&t->block, UINT32_MAX, limit);
    if (PlanLastBlock(t->block, before, startBit, &t->plan)) {
      AdoptBlockTables(t->block, &t->after);
      return;
    }
  }
  for (uint32_t extra = 0; extra < kFitAttempts; ++extra) {
    BuildBlockLengths(&t->block, extra, kLowestFitLimit);
    if (PlanLastBlock(t->block, before, startBit, &t->plan)) {
      AdoptBlockTables(t->block, &t->after);
      return;
    }
  }
  // Every unpacker but unar decodes the member all the same. Not seen in
  // practice.
  t->block.lengths = lengths;
  t->plan = PlanBlock(t->block, before);
}

// One LZ parse of the segment under the cost model; leaves the segment's
// positions in the match finder.
Rar20Packer::Trial Rar20Packer::TryLz(uint32_t begin, uint32_t end, const LzCosts& costs,
                                      const LzSearchLimits& search, const Rar20StreamState& before) {
  Trial t;
  t.after = before;
  Rar20LzParser(finder, buffer.data(), search).Parse(begin, end, costs, &t.after.history, &t.block.lzSymbols);
  finder.InsertUpTo(end);
  BuildBlockLengths(&t.block);
  AdoptBlockTables(t.block, &t.after);
  t.plan = PlanBlock(t.block, before);
  return t;
}

// Runs the unpacker's predictor over the segment and codes each byte as its
// prediction error, exactly as the unpacker will undo it.
Rar20Packer::Trial Rar20Packer::TryMultimedia(uint32_t begin, uint32_t end, uint32_t channels,
                                              const Rar20StreamState& before) const {
  Trial t;
  t.after = before;
  Rar20StreamState& s = t.after;
  if (s.channel >= channels) s.channel = 0;  // as the unpacker does on reading the header
  t.block.multimedia = true;
  t.block.channels = channels;
  t.block.firstChannel = s.channel;
  t.block.audioErrors.reserve(end - begin);
  for (uint32_t i = begin; i < end; ++i) {
    AudioChannelState& a = s.audio[s.channel];
    int prediction = PredictAudioByte(a, s.channelDelta);
    uint32_t error = uint32_t(prediction - buffer[i]) & 0xFF;
    AdaptAudioState(a, s.channelDelta, error, prediction - int(error));
    t.block.audioErrors.push_back(uint8_t(error));
    if (++s.channel >= channels) s.channel = 0;
  }
  BuildBlockLengths(&t.block);
  AdoptBlockTables(t.block, &t.after);
  t.plan = PlanBlock(t.block, before);
  return t;
}
