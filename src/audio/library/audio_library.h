// The audio library's public contract: the nine functions the saver looks up
// by name in terrava_audio.dll, their argument conventions, and the error
// codes that BASS_ErrorGetCode reports. The DLL exports them undecorated
// with the stdcall convention (audio_library.def). Types are fixed-width
// integers and void* for window handles, so this header needs no
// <windows.h> and the portable engine shares its constants.
//
// Conventions:
//  - Every function records an error code for the calling process:
//    kAudioOk after success, one of the codes below after failure.
//  - Failure values: BOOL functions return 0, handle functions return 0,
//    BASS_GetVolume returns kAudioBadVolume (0xFFFFFFFF).
//  - Devices: 0 = no sound (everything works, nothing is heard),
//    1 or -1 = the system's default output, n >= 2 = waveOut device n - 2.
//  - The output volume (0..100) belongs to the loaded library: it is read
//    and set before and after BASS_Init alike, starts at 100, and scales
//    everything the library plays. It never changes the system's volume.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define AUDIO_CALL __stdcall
#else
#define AUDIO_CALL
#endif

// Error codes (BASS_ErrorGetCode).
enum AudioError : int32_t {
  kAudioOk = 0,
  kAudioErrorMemory = 1,           // out of memory
  kAudioErrorDriver = 3,           // the output device could not be opened
  kAudioErrorHandle = 5,           // unknown sample handle
  kAudioErrorInit = 8,             // BASS_Init has not succeeded (or BASS_Free came since)
  kAudioErrorAlready = 14,         // BASS_Init called twice without BASS_Free
  kAudioErrorNoChannel = 18,       // every playback slot of the sample is busy
  kAudioErrorIllegalParameter = 20,  // null pointer, zero length, value out of range
  kAudioErrorDevice = 23,          // no such output device
  kAudioErrorNotAvailable = 37,    // a feature this library does not have (loading from a file)
  kAudioErrorFileFormat = 41,      // data that is neither Ogg Vorbis nor PCM WAV, or is corrupt
  kAudioErrorTooLong = 42,         // decoded sound longer than the library holds
};

constexpr uint32_t kAudioBadVolume = 0xFFFFFFFFu;  // BASS_GetVolume's failure value

// BASS_SampleLoad flags. Any other bit is an illegal parameter.
// When all `maxPlaybacks` playbacks of a sample are busy, a new one replaces
// the playback that has played longest instead of failing.
constexpr uint32_t kSampleOverridePosition = 0x20000;

// BASS_SamplePlayEx "use the sample's default" values.
constexpr int32_t kDefaultFrequency = -1;  // the sample's own rate
constexpr int32_t kDefaultVolume = -1;     // 100
constexpr int32_t kDefaultPan = -101;      // centre

extern "C" {
// The code of the last call's outcome (kAudioOk or an AudioError).
int32_t AUDIO_CALL BASS_ErrorGetCode();
// Opens output `device` at `frequency` Hz (8000..192000), 16-bit stereo, and
// starts it. flags must be 0; window (HWND) and guid are accepted and unused.
int32_t AUDIO_CALL BASS_Init(int32_t device, uint32_t frequency, uint32_t flags, void* window,
                             const void* guid);
// Stops output, releases every sample and closes the device.
int32_t AUDIO_CALL BASS_Free();
// Decodes Ogg Vorbis or PCM WAV (8/16/24/32-bit integer, 32-bit float, 1 or 2
// channels) from memory: fromMemory must be 1, data/length the bytes, offset
// the start within them. maxPlaybacks 1..64. Returns a sample handle or 0.
uint32_t AUDIO_CALL BASS_SampleLoad(int32_t fromMemory, const void* data, uint32_t offset,
                                    uint32_t length, uint32_t maxPlaybacks, uint32_t flags);
// Starts a playback of a sample at frame `start`, at `frequency` Hz
// (100..192000 or kDefaultFrequency), `volume` 0..100 (or kDefaultVolume),
// `pan` -100 (left) .. 100 (right) (or kDefaultPan); loop != 0 repeats it
// without a gap. Returns a channel handle or 0.
uint32_t AUDIO_CALL BASS_SamplePlayEx(uint32_t sample, uint32_t start, int32_t frequency,
                                      int32_t volume, int32_t pan, int32_t loop);
// Sets the output volume, 0..100.
int32_t AUDIO_CALL BASS_SetVolume(uint32_t volume);
// Resumes output paused by BASS_Stop (output starts running at BASS_Init).
int32_t AUDIO_CALL BASS_Start();
// Pauses output; playbacks keep their positions.
int32_t AUDIO_CALL BASS_Stop();
// The output volume, 0..100.
uint32_t AUDIO_CALL BASS_GetVolume();
}

// Function pointer types for callers that look the functions up by name.
using AudioErrorGetCodeFn = int32_t(AUDIO_CALL*)();
using AudioInitFn = int32_t(AUDIO_CALL*)(int32_t, uint32_t, uint32_t, void*, const void*);
using AudioFreeFn = int32_t(AUDIO_CALL*)();
using AudioSampleLoadFn = uint32_t(AUDIO_CALL*)(int32_t, const void*, uint32_t, uint32_t, uint32_t,
                                                uint32_t);
using AudioSamplePlayExFn = uint32_t(AUDIO_CALL*)(uint32_t, uint32_t, int32_t, int32_t, int32_t,
                                                  int32_t);
using AudioSetVolumeFn = int32_t(AUDIO_CALL*)(uint32_t);
using AudioStartFn = int32_t(AUDIO_CALL*)();
using AudioStopFn = int32_t(AUDIO_CALL*)();
using AudioGetVolumeFn = uint32_t(AUDIO_CALL*)();
