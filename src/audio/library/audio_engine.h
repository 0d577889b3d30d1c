// AudioEngine: the portable heart of the audio library. It owns the loaded
// samples and their playbacks (voices), checks every argument the exported
// functions receive, hands out handles, and mixes the voices into 16-bit
// stereo output at the output rate. It knows nothing of devices or threads:
// the Windows layer (audio_library_win32.cpp) serialises calls with a lock and
// pulls output through Mix from its playback thread.
//
// An Ogg Vorbis sample stays compressed (a copy of its bytes) and each of
// its playbacks decodes it as it plays through a VorbisStream of its own;
// other samples are decoded whole when loaded.
//
// Threading contract: Mix reads samples only through the voices that play
// them. LoadSample fills a free sample slot, which no voice refers to, so it
// may run while another thread mixes; PlaySample, SetVolume, Open and Close
// change what Mix reads and must not overlap with it.
#pragma once

#include <cstdint>
#include <memory>

#include "audio/library/audio_library.h"
#include "audio/library/pcm_sound.h"
#include "audio/library/voice.h"

// Output rates BASS_Init accepts, in frames per second.
constexpr uint32_t kMinOutputRate = 8000;
constexpr uint32_t kMaxOutputRate = 192000;
// Playback rates BASS_SamplePlayEx accepts, in frames per second.
constexpr int32_t kMinPlaybackRate = 100;
constexpr int32_t kMaxPlaybackRate = 192000;
// Loaded samples at a time: the saver loads one music track.
constexpr uint32_t kMaxSamples = 16;
// Simultaneous playbacks of all samples together.
constexpr uint32_t kMaxVoices = 64;

class AudioEngine {
 public:
  // Starts a session at `outputRate`; kAudioErrorAlready while one is open.
  AudioError Open(uint32_t outputRate);
  // Ends the session: every sample and playback is released.
  AudioError Close();
  bool IsOpen() const { return outputRate != 0; }

  // Loads `length` bytes at `data` as a new sample (decoded, or checked and
  // copied for Ogg Vorbis); see BASS_SampleLoad.
  AudioError LoadSample(const uint8_t* data, uint32_t length, uint32_t maxPlaybacks, uint32_t flags,
                        uint32_t* sampleHandle);
  // Starts a playback of a loaded sample; see BASS_SamplePlayEx.
  AudioError PlaySample(uint32_t sampleHandle, uint32_t startFrame, int32_t frequency,
                        int32_t volume, int32_t pan, bool loop, uint32_t* channelHandle);

  // The output volume (0..100) outlives sessions.
  AudioError SetVolume(uint32_t volume);
  uint32_t Volume() const { return masterVolume; }

  // Writes `frames` stereo frames (left, right interleaved) of every active
  // voice mixed together; silence when nothing plays or no session is open.
  void Mix(int16_t* out, uint32_t frames);

  // Number of voices playing now.
  uint32_t ActiveVoices() const;

 private:
  struct Sample {
    PcmSound sound;                       // the frames of a decoded sample
    std::unique_ptr<uint8_t[]> vorbis;    // or the bytes of an Ogg Vorbis one
    uint32_t vorbisBytes = 0;
    uint32_t frameCount = 0;              // either way
    uint32_t rate = 0;                    // frames per second
    uint32_t handle = 0;  // 0 while the slot is free
    uint32_t maxPlaybacks = 0;
    uint32_t flags = 0;

    // Empties the slot.
    void Release();
  };
  // Frames mixed per pass into the accumulator.
  static constexpr uint32_t kMixChunk = 1024;

  AudioError LoadVorbis(const uint8_t* data, uint32_t length, Sample* sample);
  AudioError LoadDecoded(const uint8_t* data, uint32_t length, Sample* sample);
  AudioError StartSource(const Sample& sample, Voice* voice);
  Sample* FindSample(uint32_t handle);
  Voice* VoiceFor(const Sample& sample, AudioError* error);
  static uint32_t NextHandle(uint32_t* serial, uint32_t slot);

  uint32_t outputRate = 0;  // 0 while no session is open
  uint32_t masterVolume = 100;
  uint32_t sampleSerial = 0;
  uint32_t channelSerial = 0;
  Sample samples[kMaxSamples];
  Voice voices[kMaxVoices];
  VorbisStream streams[kMaxVoices];  // streams[i] is voices[i]'s when it plays Ogg Vorbis
  int32_t accumulator[kMixChunk * 2] = {};
};
