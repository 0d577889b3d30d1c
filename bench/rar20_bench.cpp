// Decode throughput of RAR 2.0 members next to other decoders of the method,
// on a 24 MB text-like and a 24 MB audio-like member (bytes per second =
// unpacked bytes):
//   BM_ExtractRar20    RarReader::ExtractMember as the saver calls it
//                      (unpacking, CRC-32, output buffer)
//   BM_UnpackRar20     RarUnpacker alone
//   BM_ExtractStored   the same bytes stored, for the archive build choice
//   BM_Unarr           libunarr 1.0.1 (Debian's libunarr-dev), in process,
//                      when the build found it
//   BM_UnarProcess     unar 1.10.1 extracting the member in a process of its
//                      own, timed by that process's CPU time (it also
//                      writes the file); BM_UnarStartup is unar on a one-byte
//                      member, to subtract
// libarchive 3.6 (bsdtar) reads RAR 2.x headers but cannot unpack the RAR
// 2.0 method ("Prefix found"), so it has no row. The counter "packed" is
// the packed size over the unpacked size. Compare the CPU column: the
// machine may be shared.
//
// The members are generated (seeded, so every run decodes the same bytes)
// and packed by the archive tool's own packer at the start of the run (some
// 20 seconds); the archives are written beside the binary for unar.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "archive/rar_reader.h"
#include "archive_writer.h"
#include "rar20_member_packer.h"
#ifdef TERRAVA_HAVE_UNARR
#include <unarr.h>
#endif

namespace {

constexpr uint32_t kMemberSize = 24000000;  // bytes per member
constexpr char kMemberName[] = "member.bin";

// A fixed linear congruential generator, so the data never depends on the
// C library.
struct Random {
  uint32_t state;
  uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
  double Fraction() { return Next() / double(1u << 24); }
};

// Lines of words drawn with Zipf frequencies from 20000 invented words.
std::vector<uint8_t> TextLike() {
  Random r{11};
  const char* letters = "eeeeeeetttttaaaaoooiiinnnsssrrrhhlldcumfpgwybvkxjqz";
  std::vector<std::string> words(20000);
  std::vector<double> cumulative(words.size());
  double total = 0;
  for (size_t i = 0; i < words.size(); ++i) {
    for (uint32_t n = 1 + r.Next() % 9; n > 0; --n) words[i] += letters[r.Next() % std::strlen(letters)];
    total += 1.0 / double(i + 1);
    cumulative[i] = total;
  }
  std::vector<uint8_t> text;
  while (text.size() < kMemberSize) {
    for (uint32_t n = 4 + r.Next() % 12; n > 0; --n) {
      double pick = r.Fraction() * total;
      size_t w = size_t(std::lower_bound(cumulative.begin(), cumulative.end(), pick) - cumulative.begin());
      text.insert(text.end(), words[w].begin(), words[w].end());
      text.push_back(n > 1 ? ' ' : '.');
    }
    text.push_back('\n');
  }
  text.resize(kMemberSize);
  return text;
}

// 16-bit stereo PCM: a few slowly beating tones and a little noise.
std::vector<uint8_t> AudioLike() {
  Random r{29};
  std::vector<uint8_t> pcm;
  pcm.reserve(kMemberSize);
  const double tones[4] = {0.013, 0.021, 0.0071, 0.031};  // radians per sample
  for (uint32_t i = 0; pcm.size() < kMemberSize; ++i) {
    double beat = 0.6 + 0.4 * std::sin(i * 0.00003);
    double left = beat * (3000 * std::sin(i * tones[0]) + 2000 * std::sin(i * tones[1]));
    double right = beat * (2500 * std::sin(i * tones[2]) + 2200 * std::sin(i * tones[3]));
    for (double v : {left, right}) {
      int16_t sample = int16_t(v + (int(r.Next() % 121) - 60));
      pcm.push_back(uint8_t(sample));
      pcm.push_back(uint8_t(uint16_t(sample) >> 8));
    }
  }
  pcm.resize(kMemberSize);
  return pcm;
}

bool WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

std::vector<uint8_t> PackArchive(const std::vector<uint8_t>& content, bool rar20) {
  std::vector<ArchiveEntry> entries(1);
  entries[0].name = kMemberName;
  entries[0].content = content;
  std::unique_ptr<MemberPacker> packer = rar20 ? MakeRar20MemberPacker(Rar20PackOptions()) : MakeMemberPacker("stored");
  std::vector<uint8_t> archive;
  std::string error;
  if (!WriteRarArchive(entries, *packer, &archive, &error)) archive.clear();
  return archive;
}

struct Sample {
  std::string path;            // the RAR 2.0 archive on disk
  std::vector<uint8_t> packed;  // its bytes
  std::vector<uint8_t> stored;  // the stored archive of the same member
  uint32_t packSize = 0;        // bytes of packed member data
};

Sample MakeSample(const char* name, std::vector<uint8_t> (*generate)()) {
  Sample s;
  s.path = std::string(RAR20_BENCH_DIR) + "/rar20-bench-" + name + ".rar";
  std::vector<uint8_t> content = generate();
  s.packed = PackArchive(content, true);
  WriteAll(s.path, s.packed);
  s.stored = PackArchive(content, false);
  MemoryArchive view{s.packed.data(), uint32_t(s.packed.size()), 0};
  if (rarReader.ReadArchiveStart(view) && rarReader.FindNextFileHeader(view))
    s.packSize = rarReader.fileHeader.packSize;
  return s;
}

const Sample& SampleFor(int which) {
  static const Sample text = MakeSample("text", TextLike);
  static const Sample audio = MakeSample("audio", AudioLike);
  return which == 0 ? text : audio;
}

void Label(benchmark::State& state, const Sample& s) {
  state.SetLabel(state.range(0) == 0 ? "text-like" : "audio-like");
  state.SetBytesProcessed(int64_t(state.iterations()) * kMemberSize);
  state.counters["packed"] = double(s.packSize) / kMemberSize;
}

void Extract(benchmark::State& state, const std::vector<uint8_t>& archive) {
  for (auto _ : state) {
    MemoryArchive view{archive.data(), uint32_t(archive.size()), 0};
    uint8_t* out = nullptr;
    uint32_t size = 0;
    if (!rarReader.ExtractMember(&out, &size, kMemberName, view)) state.SkipWithError(rarReader.failure);
    benchmark::DoNotOptimize(out);
    delete[] out;
  }
}

void BM_ExtractRar20(benchmark::State& state) {
  const Sample& s = SampleFor(int(state.range(0)));
  Extract(state, s.packed);
  Label(state, s);
}
BENCHMARK(BM_ExtractRar20)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ExtractStored(benchmark::State& state) {
  const Sample& s = SampleFor(int(state.range(0)));
  Extract(state, s.stored);
  Label(state, s);
  state.counters["packed"] = 1;
}
BENCHMARK(BM_ExtractStored)->Arg(0)->Unit(benchmark::kMillisecond);

class ArchiveInput : public PackedInput {
 public:
  ArchiveInput(const uint8_t* data, uint32_t size) : data(data), left(size) {}
  uint32_t ReadPacked(uint8_t* destination, uint32_t count) override {
    if (count > left) count = left;
    std::memcpy(destination, data, count);
    data += count;
    left -= count;
    return count;
  }

 private:
  const uint8_t* data;
  uint32_t left;
};

void BM_UnpackRar20(benchmark::State& state) {
  const Sample& s = SampleFor(int(state.range(0)));
  const uint8_t* data = s.packed.data() + s.packed.size() - s.packSize;  // the only member's data ends the archive
  std::vector<uint8_t> window(rar20::kWindowSize), out(kMemberSize);
  RarUnpacker unpacker;
  for (auto _ : state) {
    ArchiveInput input(data, s.packSize);
    uint32_t written = 0;
    unpacker.Reset();
    unpacker.Unpack(input, window.data(), UnpackTarget{out.data(), &written, kMemberSize, false});
    if (written != kMemberSize) state.SkipWithError("member did not unpack");
  }
  Label(state, s);
}
BENCHMARK(BM_UnpackRar20)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

#ifdef TERRAVA_HAVE_UNARR
void BM_Unarr(benchmark::State& state) {
  const Sample& s = SampleFor(int(state.range(0)));
  std::vector<uint8_t> out(kMemberSize);
  for (auto _ : state) {
    ar_stream* stream = ar_open_memory(s.packed.data(), s.packed.size());
    ar_archive* archive = stream ? ar_open_rar_archive(stream) : nullptr;
    bool ok = archive && ar_parse_entry(archive) && ar_entry_uncompress(archive, out.data(), kMemberSize);
    if (archive) ar_close_archive(archive);
    if (stream) ar_close(stream);
    if (!ok) state.SkipWithError("libunarr failed");
  }
  Label(state, s);
}
BENCHMARK(BM_Unarr)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
#endif

// CPU seconds of finished child processes so far.
double ChildCpuSeconds() {
  rusage u;
  getrusage(RUSAGE_CHILDREN, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

void RunUnar(benchmark::State& state, const std::string& archive) {
  std::string dir = std::string(RAR20_BENCH_DIR) + "/rar20-bench-unar";
  std::string command = "unar -q -f -o " + dir + " " + archive + " >/dev/null 2>&1";
  for (auto _ : state) {
    double before = ChildCpuSeconds();
    if (std::system(command.c_str()) != 0) state.SkipWithError("unar failed");
    state.SetIterationTime(ChildCpuSeconds() - before);
  }
}

void BM_UnarProcess(benchmark::State& state) {
  const Sample& s = SampleFor(int(state.range(0)));
  RunUnar(state, s.path);
  Label(state, s);
}
BENCHMARK(BM_UnarProcess)->Arg(0)->Arg(1)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_UnarStartup(benchmark::State& state) {
  std::string path = std::string(RAR20_BENCH_DIR) + "/rar20-bench-tiny.rar";
  WriteAll(path, PackArchive(std::vector<uint8_t>(1, 'x'), false));
  RunUnar(state, path);
}
BENCHMARK(BM_UnarStartup)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
