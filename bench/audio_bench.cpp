// Cost of the audio library's work. BM_MixMusic mixes the looping music
// voice the way the playback thread does (2048-frame buffers, Volume 70 as
// both playback and output volume); its counter music_seconds_per_second is
// how much faster than real time that runs, so the share of one core that
// playback takes is 100 / music_seconds_per_second percent. BM_DecodeTrack decodes the
// generated test track (1 s of Ogg Vorbis), the work done once at load time.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "audio/library/audio_engine.h"
#include "audio/library/sound_decoder.h"

namespace {

constexpr uint32_t kRate = 44100;
constexpr uint32_t kBufferFrames = 2048;  // one waveOut buffer of the library

std::vector<uint8_t> ReadTrack() {
  std::ifstream in(std::string(TERRAVA_SOURCE_DIR) + "/tests/data/audio/music_archive/music.ogg", std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void BM_MixMusic(benchmark::State& state) {
  std::vector<uint8_t> track = ReadTrack();
  static AudioEngine engine;  // large; outlives the benchmark's repetitions
  engine.Open(kRate);
  uint32_t sample = 0, channel = 0;
  engine.LoadSample(track.data(), uint32_t(track.size()), 1, kSampleOverridePosition, &sample);
  engine.SetVolume(70);
  engine.PlaySample(sample, 0, kDefaultFrequency, 70, kDefaultPan, true, &channel);
  if (!channel) state.SkipWithError("the test track did not load");
  std::vector<int16_t> buffer(kBufferFrames * 2);
  for (auto _ : state) {
    engine.Mix(buffer.data(), kBufferFrames);
    benchmark::DoNotOptimize(buffer.data());
  }
  engine.Close();
  state.counters["music_seconds_per_second"] =
      benchmark::Counter(double(state.iterations()) * kBufferFrames / kRate, benchmark::Counter::kIsRate);
}

void BM_DecodeTrack(benchmark::State& state) {
  std::vector<uint8_t> track = ReadTrack();
  for (auto _ : state) {
    PcmSound sound;
    if (DecodeSound(track.data(), uint32_t(track.size()), &sound) != kAudioOk) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(sound.samples);
  }
}

}  // namespace

BENCHMARK(BM_MixMusic);
BENCHMARK(BM_DecodeTrack)->Unit(benchmark::kMillisecond);
