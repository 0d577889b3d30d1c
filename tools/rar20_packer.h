// Rar20Packer: the RAR 2.0 compressor of terrava-tool. Each member is cut
// into segments; every segment is coded as the smallest of an LZ block
// (hash-chain matches, two parses so the second can use the first's code
// lengths) and, unless multimedia mode is off, multimedia blocks with one to
// four interleaved channels. In a solid archive the packer keeps what the
// unpacker keeps (window, tables, match history, predictor state) from one
// packed member to the next.
#pragma once

#include <cstdint>
#include <vector>

#include "rar20_block_writer.h"
#include "rar20_lz_parser.h"

enum class MultimediaChoice {
  Auto,  // try multimedia blocks and keep them where they are smaller
  Off,   // LZ blocks only
};

class Rar20Packer {
 public:
  Rar20Packer(bool solidArchive, MultimediaChoice multimedia, LzSearchLimits limits = LzSearchLimits())
      : solidArchive(solidArchive), multimedia(multimedia), limits(limits) {}

  // Packs one member into packed. In an archive that is not solid, returns
  // false when packing would not make the member smaller (empty members
  // included): the caller then stores it. A solid archive packs every
  // member (unar cannot continue a solid stream across a stored one). On
  // true, *continuesSolid says whether the member's file header needs the
  // solid flag (0x10).
  bool PackMember(const uint8_t* data, uint32_t size, std::vector<uint8_t>* packed, bool* continuesSolid);

 private:
  struct Trial {
    Rar20Block block;
    Rar20StreamState after;
    BlockPlan plan;
  };
  bool PackEmptyMember(bool* continuesSolid);
  void PackSegment(uint32_t begin, uint32_t end, uint32_t memberEnd, Rar20StreamState* state,
                   Rar20BitWriter& writer);
  void FitLastBlock(Trial* t, const Rar20StreamState& before, uint64_t startBit) const;
  Trial TryLz(uint32_t begin, uint32_t end, const LzCosts& costs, const LzSearchLimits& search,
              const Rar20StreamState& before);
  Trial TryMultimedia(uint32_t begin, uint32_t end, uint32_t channels, const Rar20StreamState& before) const;

  bool solidArchive;
  MultimediaChoice multimedia;
  LzSearchLimits limits;

  // During PackMember: the unpacker's window contents (the solid history,
  // then the member) and the match finder over them.
  std::vector<uint8_t> buffer;
  Rar20MatchFinder finder;

  bool usedMultimedia = false;  // the current member has a multimedia block

  // Between members of a solid archive. libunarr does not carry the
  // multimedia state (channel, predictors) from one member to the next, so
  // a member after one with multimedia blocks starts a new solid run.
  bool solidStarted = false;       // the next member may continue the run
  Rar20StreamState solidState;     // the unpacker's state after it
  std::vector<uint8_t> windowTail; // the last bytes (at most the window) the unpacker produced
};
