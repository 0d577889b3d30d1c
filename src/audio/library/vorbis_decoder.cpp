// DecodeVorbis: Ogg Vorbis from memory through stb_vorbis's pull API,
// straight into 16-bit interleaved frames. stb_vorbis takes all its memory
// from one workspace we allocate and free, so a hostile header can neither
// ask for more than the workspace nor leak on an error path; the header
// fields that stb_vorbis trusts are checked first (vorbis_header_guard.h).
#include <climits>
#include <cstddef>
#include <memory>
#include <new>

#include "audio/library/sound_decoder.h"
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

// Decodes until the stream ends or the sound is full; returns the frames read.
uint32_t DecodeFrames(stb_vorbis* stream, PcmSound* sound) {
  uint32_t done = 0;
  while (done < sound->frameCount) {
    uint64_t room = uint64_t(sound->frameCount - done) * sound->channels;
    int request = room > INT_MAX ? INT_MAX - 1 : int(room);
    int got = stb_vorbis_get_samples_short_interleaved(
        stream, int(sound->channels), sound->samples + size_t(done) * sound->channels, request);
    if (got <= 0) break;
    done += uint32_t(got);
  }
  return done;
}

}  // namespace

AudioError DecodeVorbis(const uint8_t* data, uint32_t size, PcmSound* out) {
  out->Release();
  if (!data || size == 0) return kAudioErrorFileFormat;
  if (size > kMaxVorbisBytes) return kAudioErrorTooLong;
  uint32_t commentBytes = 0;
  if (!CheckVorbisHeaders(data, size, &commentBytes)) return kAudioErrorFileFormat;
  int workspaceBytes = int(kVorbisSetupBytes + commentBytes);
  std::unique_ptr<char[]> workspace(new (std::nothrow) char[workspaceBytes]);
  if (!workspace) return kAudioErrorMemory;
  stb_vorbis_alloc alloc = {workspace.get(), workspaceBytes};
  int error = 0;
  stb_vorbis* stream = stb_vorbis_open_memory(data, int(size), &error, &alloc);
  if (!stream) return kAudioErrorFileFormat;
  stb_vorbis_info info = stb_vorbis_get_info(stream);
  // The length comes from the last page's granule position: 0 when unknown.
  uint32_t frames = stb_vorbis_stream_length_in_samples(stream);
  uint32_t channels = info.channels >= 2 ? 2 : 1;
  AudioError result = out->Allocate(frames, channels, info.sample_rate);
  if (result == kAudioOk) {
    uint32_t decoded = DecodeFrames(stream, out);
    if (decoded == 0) {
      out->Release();
      result = kAudioErrorFileFormat;
    }
    out->Truncate(decoded);
  }
  stb_vorbis_close(stream);
  return result;
}
