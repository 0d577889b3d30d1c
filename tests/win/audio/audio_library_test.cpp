// The audio library DLL as the saver meets it: loaded by file name, its
// nine functions looked up by their undecorated names, and called in every
// wrong order and with every kind of bad argument. Each call must return its
// failure value and leave a non-zero error code, and nothing may crash.
// The library's state is process-wide, so every test leaves it freed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/library/audio_library.h"
#include "unit/audio/tone_wav.h"

namespace {

struct Library {
  HMODULE module = nullptr;
  AudioErrorGetCodeFn errorGetCode = nullptr;
  AudioInitFn init = nullptr;
  AudioFreeFn free = nullptr;
  AudioSampleLoadFn sampleLoad = nullptr;
  AudioSamplePlayExFn samplePlayEx = nullptr;
  AudioSetVolumeFn setVolume = nullptr;
  AudioStartFn start = nullptr;
  AudioStopFn stop = nullptr;
  AudioGetVolumeFn getVolume = nullptr;
};

template <typename Fn>
void LookUp(HMODULE module, const char* name, Fn* out) {
  *out = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

Library Load() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, n);
  dir = dir.substr(0, dir.find_last_of("\\/") + 1);
  Library lib;
  lib.module = LoadLibraryA((dir + "terrava_audio.dll").c_str());
  if (!lib.module) return lib;
  LookUp(lib.module, "BASS_ErrorGetCode", &lib.errorGetCode);
  LookUp(lib.module, "BASS_Init", &lib.init);
  LookUp(lib.module, "BASS_Free", &lib.free);
  LookUp(lib.module, "BASS_SampleLoad", &lib.sampleLoad);
  LookUp(lib.module, "BASS_SamplePlayEx", &lib.samplePlayEx);
  LookUp(lib.module, "BASS_SetVolume", &lib.setVolume);
  LookUp(lib.module, "BASS_Start", &lib.start);
  LookUp(lib.module, "BASS_Stop", &lib.stop);
  LookUp(lib.module, "BASS_GetVolume", &lib.getVolume);
  return lib;
}

class AudioLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    lib = Load();
    ASSERT_NE(lib.module, nullptr);
    ASSERT_TRUE(lib.errorGetCode && lib.init && lib.free && lib.sampleLoad && lib.samplePlayEx &&
                lib.setVolume && lib.start && lib.stop && lib.getVolume);
    ToneSpec toneSpec;
    wav = ToneWav(toneSpec);
  }
  void TearDown() override {
    if (lib.module) FreeLibrary(lib.module);
  }
  // Expects the call's result to be `failure` and the error code `code`.
  template <typename T>
  void ExpectFailure(T result, T failure, int32_t code, const char* what) {
    EXPECT_EQ(result, failure) << what;
    EXPECT_EQ(lib.errorGetCode(), code) << what;
  }
  uint32_t LoadWav() { return lib.sampleLoad(1, wav.data(), 0, uint32_t(wav.size()), 1, kSampleOverridePosition); }

  Library lib;
  std::vector<uint8_t> wav;
};

TEST_F(AudioLibrary, EverySessionCallBeforeInitFailsWithTheInitCode) {
  ExpectFailure(LoadWav(), 0u, kAudioErrorInit, "SampleLoad");
  ExpectFailure(lib.samplePlayEx(0x101, 0, -1, 100, -101, 1), 0u, kAudioErrorInit, "SamplePlayEx");
  ExpectFailure(lib.start(), 0, kAudioErrorInit, "Start");
  ExpectFailure(lib.stop(), 0, kAudioErrorInit, "Stop");
  ExpectFailure(lib.free(), 0, kAudioErrorInit, "Free");
}

TEST_F(AudioLibrary, OutputVolumeIsReadAndSetInAnyStateWithinZeroToHundred) {
  uint32_t saved = lib.getVolume();
  EXPECT_EQ(lib.errorGetCode(), kAudioOk);
  EXPECT_EQ(saved, 100u);
  ExpectFailure(lib.setVolume(101), 0, kAudioErrorIllegalParameter, "SetVolume 101");
  ExpectFailure(lib.setVolume(0xFFFFFFFFu), 0, kAudioErrorIllegalParameter, "SetVolume -1");
  ASSERT_EQ(lib.setVolume(100), 1);
  ASSERT_EQ(lib.init(0, 44100, 0, nullptr, nullptr), 1);
  ASSERT_EQ(lib.setVolume(37), 1);
  ASSERT_EQ(lib.free(), 1);
  EXPECT_EQ(lib.getVolume(), 37u);  // restored by the caller, not by Free
  ASSERT_EQ(lib.setVolume(saved), 1);
  EXPECT_EQ(lib.getVolume(), saved);
}

TEST_F(AudioLibrary, InitRejectsBadDevicesRatesAndFlags) {
  struct Case {
    const char* what;
    int32_t device;
    uint32_t frequency, flags;
    int32_t code;
  } cases[] = {
      {"device 99", 99, 44100, 0, kAudioErrorDevice},
      {"device -2", -2, 44100, 0, kAudioErrorDevice},
      {"frequency 0", 0, 0, 0, kAudioErrorIllegalParameter},
      {"frequency 400000", 0, 400000, 0, kAudioErrorIllegalParameter},
      {"unknown flag", 0, 44100, 0x8, kAudioErrorIllegalParameter},
  };
  for (const Case& c : cases) ExpectFailure(lib.init(c.device, c.frequency, c.flags, nullptr, nullptr), 0, c.code, c.what);
  ExpectFailure(lib.free(), 0, kAudioErrorInit, "Free after failed Init");
}

TEST_F(AudioLibrary, SessionCallsCheckEveryArgument) {
  ASSERT_EQ(lib.init(0, 44100, 0, nullptr, nullptr), 1);
  ExpectFailure(lib.init(0, 44100, 0, nullptr, nullptr), 0, kAudioErrorAlready, "second Init");
  std::vector<uint8_t> junk(1000, 0x33);
  const uint8_t* data = wav.data();
  uint32_t size = uint32_t(wav.size());
  ExpectFailure(lib.sampleLoad(0, "music.ogg", 0, 0, 1, 0), 0u, kAudioErrorNotAvailable, "from a file");
  ExpectFailure(lib.sampleLoad(1, nullptr, 0, size, 1, 0), 0u, kAudioErrorIllegalParameter, "null data");
  ExpectFailure(lib.sampleLoad(1, data, 0, 0, 1, 0), 0u, kAudioErrorIllegalParameter, "zero length");
  ExpectFailure(lib.sampleLoad(1, data, 0, size, 0, 0), 0u, kAudioErrorIllegalParameter, "no playbacks");
  ExpectFailure(lib.sampleLoad(1, data, 0, size, 1, 0x40000), 0u, kAudioErrorIllegalParameter, "bad flag");
  ExpectFailure(lib.sampleLoad(1, junk.data(), 0, 1000, 1, 0), 0u, kAudioErrorFileFormat, "unreadable data");
  ExpectFailure(lib.sampleLoad(1, data, 44, size - 44, 1, 0), 0u, kAudioErrorFileFormat, "headerless PCM");

  uint32_t sample = LoadWav();
  ASSERT_NE(sample, 0u);
  EXPECT_EQ(lib.errorGetCode(), kAudioOk);
  ExpectFailure(lib.samplePlayEx(0, 0, -1, 100, -101, 1), 0u, kAudioErrorHandle, "handle 0");
  ExpectFailure(lib.samplePlayEx(sample ^ 0x100, 0, -1, 100, -101, 1), 0u, kAudioErrorHandle, "stale handle");
  ExpectFailure(lib.samplePlayEx(sample, 0, 50, 100, -101, 1), 0u, kAudioErrorIllegalParameter, "frequency 50");
  ExpectFailure(lib.samplePlayEx(sample, 0, -1, 101, -101, 1), 0u, kAudioErrorIllegalParameter, "volume 101");
  ExpectFailure(lib.samplePlayEx(sample, 0, -1, 100, 300, 1), 0u, kAudioErrorIllegalParameter, "pan 300");
  ExpectFailure(lib.samplePlayEx(sample, 1u << 30, -1, 100, -101, 1), 0u, kAudioErrorIllegalParameter, "start");

  EXPECT_NE(lib.samplePlayEx(sample, 0, -1, 100, -101, 1), 0u);
  EXPECT_EQ(lib.errorGetCode(), kAudioOk);
  EXPECT_EQ(lib.stop(), 1);
  EXPECT_EQ(lib.start(), 1);
  EXPECT_EQ(lib.free(), 1);
  ExpectFailure(lib.samplePlayEx(sample, 0, -1, 100, -101, 1), 0u, kAudioErrorInit, "after Free");
  ExpectFailure(lib.free(), 0, kAudioErrorInit, "second Free");
}

// The default output: plays a looping tone for a moment when a device is
// there; without one, Init fails with a device code and nothing else breaks.
TEST_F(AudioLibrary, PlaysOnTheDefaultDeviceOrReportsThatThereIsNone) {
  if (!lib.init(1, 44100, 0, nullptr, nullptr)) {
    int32_t code = lib.errorGetCode();
    EXPECT_TRUE(code == kAudioErrorDevice || code == kAudioErrorDriver) << code;
    ExpectFailure(LoadWav(), 0u, kAudioErrorInit, "SampleLoad without a device");
    return;
  }
  uint32_t sample = LoadWav();
  ASSERT_NE(sample, 0u);
  ASSERT_NE(lib.samplePlayEx(sample, 0, -1, 50, -101, 1), 0u);
  Sleep(300);
  EXPECT_EQ(lib.stop(), 1);
  Sleep(100);
  EXPECT_EQ(lib.start(), 1);
  Sleep(100);
  EXPECT_EQ(lib.free(), 1);
}

}  // namespace
