// VorbisStream: an Ogg Vorbis track kept compressed and decoded as it plays,
// a window of frames at a time, so that a looping music track holds a few
// KiB of 16-bit frames instead of all of them (a three-minute stereo track
// decodes to 30 MiB). stb_vorbis takes all its memory from one workspace the
// stream allocates and frees, and the header fields stb_vorbis trusts are
// checked first (vorbis_header_guard.h); input is untrusted.
#pragma once

#include <cstdint>
#include <memory>

#include "audio/library/audio_library.h"

struct stb_vorbis;

class VorbisStream {
 public:
  VorbisStream() = default;
  ~VorbisStream() { Close(); }
  VorbisStream(const VorbisStream&) = delete;
  VorbisStream& operator=(const VorbisStream&) = delete;

  // Opens the stream over `size` bytes at `data`, which the caller keeps
  // unchanged until Close, and decodes its first window. The length comes
  // from the last page's granule position; streams of more than two
  // channels are mixed down to stereo. Fails (and stays closed) with
  // kAudioErrorFileFormat for data that is not Ogg Vorbis, is damaged in
  // its headers, states no length or a rate or channel count out of range,
  // kAudioErrorTooLong beyond kMaxSoundFrames or the largest input, and
  // kAudioErrorMemory when an allocation fails.
  AudioError Open(const uint8_t* data, uint32_t size);
  void Close();
  bool IsOpen() const { return decoder != nullptr; }

  // Frame `index` (below frameCount; frame 0 for any other): `channels`
  // values, valid until the next call. Going forward decodes on; going back restarts the stream,
  // except for frame 0, which is kept, so that a loop's last frame can
  // blend into its first without a restart. Frames a damaged stream does
  // not deliver before its stated length are silence.
  const int16_t* Frame(uint32_t index);

  uint32_t frameCount = 0;
  uint32_t channels = 0;  // 1 or 2
  uint32_t rate = 0;      // frames per second

 private:
  // Frames decoded at a time.
  static constexpr uint32_t kWindowFrames = 2048;

  AudioError OpenDecoder(const uint8_t* data, uint32_t size);
  void Restart();
  void Advance();

  stb_vorbis* decoder = nullptr;
  std::unique_ptr<char[]> workspace;   // stb_vorbis's memory
  std::unique_ptr<int16_t[]> window;   // kWindowFrames frames
  uint32_t windowStart = 0;            // track frame of window[0]
  uint32_t windowFrames = 0;           // frames held
  int16_t firstFrame[2] = {};          // frame 0
};
