// VorbisStream: opening through the header guard, the decode window and
// its moves forward and back to the start.
#include "audio/library/vorbis_stream.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "audio/library/pcm_sound.h"
#include "audio/library/vorbis_header_guard.h"

#define STB_VORBIS_HEADER_ONLY
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

namespace {

// stb_vorbis's setup and decode memory besides the comments. A stereo stream
// from libvorbis needs about 220 KiB at any quality; streams of up to eight
// channels fit too.
constexpr uint32_t kVorbisSetupBytes = 2u * 1024 * 1024;
// Largest Ogg Vorbis input: ten minutes (kMaxSoundFrames) at 500 kbit/s, the
// top of libvorbis's quality range, take 38 MiB.
constexpr uint32_t kMaxVorbisBytes = 64u * 1024 * 1024;

}  // namespace

AudioError VorbisStream::Open(const uint8_t* data, uint32_t size) {
  Close();
  AudioError result = OpenDecoder(data, size);
  if (result != kAudioOk) {
    Close();
    return result;
  }
  Advance();
  std::memcpy(firstFrame, window.get(), channels * sizeof(int16_t));
  return kAudioOk;
}

AudioError VorbisStream::OpenDecoder(const uint8_t* data, uint32_t size) {
  if (!data || size == 0) return kAudioErrorFileFormat;
  if (size > kMaxVorbisBytes) return kAudioErrorTooLong;
  uint32_t commentBytes = 0;
  if (!CheckVorbisHeaders(data, size, &commentBytes)) return kAudioErrorFileFormat;
  const int workspaceBytes = int(kVorbisSetupBytes + commentBytes);
  workspace.reset(new (std::nothrow) char[workspaceBytes]);
  window.reset(new (std::nothrow) int16_t[kWindowFrames * 2]);
  if (!workspace || !window) return kAudioErrorMemory;
  stb_vorbis_alloc alloc = {workspace.get(), workspaceBytes};
  int error = 0;
  decoder = stb_vorbis_open_memory(data, int(size), &error, &alloc);
  if (!decoder) return kAudioErrorFileFormat;
  const stb_vorbis_info info = stb_vorbis_get_info(decoder);
  const uint32_t length = stb_vorbis_stream_length_in_samples(decoder);  // 0 when unknown
  if (length > kMaxSoundFrames) return kAudioErrorTooLong;
  if (length == 0 || info.channels < 1 || info.sample_rate < kMinSoundRate || info.sample_rate > kMaxSoundRate)
    return kAudioErrorFileFormat;
  frameCount = length;
  channels = info.channels >= 2 ? 2 : 1;
  rate = info.sample_rate;
  return kAudioOk;
}

void VorbisStream::Close() {
  if (decoder) stb_vorbis_close(decoder);
  decoder = nullptr;
  workspace.reset();
  window.reset();
  windowStart = windowFrames = 0;
  frameCount = channels = rate = 0;
}

const int16_t* VorbisStream::Frame(uint32_t index) {
  if (index == 0 || index >= frameCount) return firstFrame;
  if (index < windowStart) Restart();
  while (index >= windowStart + windowFrames) Advance();
  return window.get() + size_t(index - windowStart) * channels;
}

void VorbisStream::Restart() {
  stb_vorbis_seek_start(decoder);
  windowStart = windowFrames = 0;
}

// Decodes the frames after the window into it. The window's last frame
// stays as its first, so that a playback slower than the track's rate,
// which reads a frame and the one after it, never steps back out of it.
// Frames the stream fails to deliver before frameCount are zeros, so the
// window always moves on by at least one frame.
void VorbisStream::Advance() {
  const uint32_t keep = windowFrames > 0 ? 1 : 0;
  const uint32_t end = windowStart + windowFrames;  // first frame not held
  int16_t* values = window.get();
  if (keep) std::memmove(values, values + size_t(windowFrames - 1) * channels, channels * sizeof(int16_t));
  const uint32_t room = kWindowFrames - keep;
  int got = stb_vorbis_get_samples_short_interleaved(decoder, int(channels), values + keep * channels,
                                                     int(room * channels));
  const uint32_t decoded = got > 0 ? uint32_t(got) : 0;
  const uint32_t owed = std::min(room, frameCount > end ? frameCount - end : 0u);
  if (decoded < owed)
    std::memset(values + (keep + decoded) * channels, 0, (owed - decoded) * channels * sizeof(int16_t));
  windowStart = end - keep;
  windowFrames = keep + std::max(decoded, owed);
}
