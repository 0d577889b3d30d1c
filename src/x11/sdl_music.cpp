// Playing the saver's music through SDL2 audio with the shared engine.
#include "x11/sdl_music.h"

#include <cstdio>

namespace {

constexpr int kOutputRate = 44100;         // frames per second, as on Windows
constexpr Uint16 kBufferFrames = 2048;     // per SDL callback: 46 ms at 44.1 kHz
constexpr const char* kMusicMember = "music.ogg";

}  // namespace

SdlMusic::~SdlMusic() { Stop(); }

bool SdlMusic::Start(uint32_t volume) {
  if (!track_.OpenMember(kMusicMember) || track_.size == 0) {
    std::fprintf(stderr, "terrava: no music track in the data archive; running silently\n");
    return false;
  }
  // The track is decoded before the device opens: a device that is open
  // but paused still plays (silence), for as long as decoding takes.
  if (!PlayTrack(volume) || !OpenDevice()) {
    Stop();
    return false;
  }
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

bool SdlMusic::OpenDevice() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "terrava: no sound (%s); running silently\n", SDL_GetError());
    return false;
  }
  audioStarted_ = true;
  SDL_AudioSpec wanted = {};
  wanted.freq = kOutputRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = kBufferFrames;
  wanted.callback = FillBuffer;
  wanted.userdata = this;
  SDL_AudioSpec obtained = {};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);  // SDL converts to the device's format
  if (device_ == 0) {
    std::fprintf(stderr, "terrava: no sound device (%s); running silently\n", SDL_GetError());
    return false;
  }
  return true;
}

// The calls the Windows music player makes through the audio library:
// the output volume, then the track at the same volume, looping.
bool SdlMusic::PlayTrack(uint32_t volume) {
  uint32_t sample = 0, channel = 0;
  bool playing = engine_.Open(kOutputRate) == kAudioOk && engine_.SetVolume(volume) == kAudioOk &&
                 engine_.LoadSample(track_.data, track_.size, 1, kSampleOverridePosition, &sample) == kAudioOk &&
                 engine_.PlaySample(sample, 0, kDefaultFrequency, int32_t(volume), kDefaultPan, true, &channel) ==
                     kAudioOk;
  if (!playing) std::fprintf(stderr, "terrava: the music track cannot be played; running silently\n");
  return playing;
}

// On SDL's audio thread, which starts once the engine is set up, so Mix
// never overlaps a change.
void SdlMusic::FillBuffer(void* self, Uint8* stream, int bytes) {
  static_cast<SdlMusic*>(self)->engine_.Mix(reinterpret_cast<int16_t*>(stream), uint32_t(bytes) / 4);
}

void SdlMusic::Stop() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);  // waits for the callback to return
  device_ = 0;
  if (engine_.IsOpen()) engine_.Close();
  if (audioStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audioStarted_ = false;
  track_.Close();
}
