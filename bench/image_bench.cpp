// Decode throughput of the texture decoders on a 1024 x 512 picture (the
// size of the saver's largest textures): the JPEG glue over libjpeg, and the
// TGA decoder on raw and run-length 32-bit files. For comparison, djpeg
// decodes the same JPEG file in a process of its own per iteration, timed by
// the CPU time of that process; djpeg on an 8 x 8 file measures the process
// start-up, which the comparison removes: djpeg decode time =
// BM_DjpegProcess - BM_DjpegProcessStartup, to be set against the CPU time of
// BM_DecodeJpeg. Pixels per second are reported as items per second.
//
// The pictures are made once per run with ImageMagick's convert (a seeded
// plasma, so every run decodes the same files) and cjpeg.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/jpeg_image.h"
#include "image/tga_image.h"

namespace {

constexpr int kWidth = 1024;  // pixels
constexpr int kHeight = 512;  // pixels

bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The test pictures, in a temporary directory removed at exit.
class BenchFiles {
 public:
  BenchFiles() {
    char pattern[] = "/tmp/terrava-image-bench-XXXXXX";
    if (!mkdtemp(pattern)) return;
    dir = pattern;
    const std::string size = std::to_string(kWidth) + "x" + std::to_string(kHeight);
    ready = Run("convert -seed 7 -size " + size + " plasma:fractal -blur 0x1 -alpha set -channel A -fx 'i/w' +channel " +
                Path("picture.png")) &&
            Run("convert " + Path("picture.png") + " -alpha off " + Path("picture.ppm")) &&
            Run("cjpeg -quality 90 -outfile " + Path("picture.jpg") + " " + Path("picture.ppm")) &&
            Run("convert " + Path("picture.ppm") + " -resize 8x8! " + Path("tiny.ppm")) &&
            Run("cjpeg -outfile " + Path("tiny.jpg") + " " + Path("tiny.ppm")) &&
            Run("convert " + Path("picture.png") + " -flip -compress None " + Path("picture.tga")) &&
            Run("convert " + Path("picture.png") + " -flip -compress RLE " + Path("picture-rle.tga"));
    jpeg = ReadAll(Path("picture.jpg"));
    tga = ReadAll(Path("picture.tga"));
    tgaRle = ReadAll(Path("picture-rle.tga"));
    ready = ready && !jpeg.empty() && !tga.empty() && !tgaRle.empty();
  }
  ~BenchFiles() {
    if (!dir.empty()) Run("rm -rf " + dir);
  }
  BenchFiles(const BenchFiles&) = delete;
  BenchFiles& operator=(const BenchFiles&) = delete;

  std::string Path(const char* name) const { return dir + "/" + name; }

  std::string dir;
  std::vector<uint8_t> jpeg, tga, tgaRle;
  bool ready = false;
};

const BenchFiles& Files() {
  static const BenchFiles files;
  return files;
}

bool Require(benchmark::State& state) {
  if (Files().ready) return true;
  state.SkipWithError("could not make the test pictures (convert and cjpeg are needed)");
  return false;
}

void Count(benchmark::State& state, size_t fileBytes) {
  state.SetItemsProcessed(int64_t(state.iterations()) * kWidth * kHeight);
  state.counters["file_bytes"] = double(fileBytes);
}

void BM_DecodeJpeg(benchmark::State& state) {
  if (!Require(state)) return;
  const std::vector<uint8_t>& file = Files().jpeg;
  for (auto _ : state) {
    JpegImage image;
    if (!DecodeJpegImage(file.data(), uint32_t(file.size()), &image)) state.SkipWithError(image.failure);
    benchmark::DoNotOptimize(image.pixels);
    FreeJpegImage(&image);
  }
  Count(state, file.size());
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond);

void DecodeTga(benchmark::State& state, const std::vector<uint8_t>& file) {
  for (auto _ : state) {
    TgaImage image;
    if (!DecodeTgaImage(file.data(), uint32_t(file.size()), &image)) state.SkipWithError(image.failure);
    benchmark::DoNotOptimize(image.pixels);
    FreeTgaImage(&image);
  }
  Count(state, file.size());
}

void BM_DecodeTga32(benchmark::State& state) {
  if (Require(state)) DecodeTga(state, Files().tga);
}
BENCHMARK(BM_DecodeTga32)->Unit(benchmark::kMillisecond);

void BM_DecodeTga32RunLength(benchmark::State& state) {
  if (Require(state)) DecodeTga(state, Files().tgaRle);
}
BENCHMARK(BM_DecodeTga32RunLength)->Unit(benchmark::kMillisecond);

// CPU seconds (user and system) used so far by finished child processes.
double ChildCpuSeconds() {
  rusage usage;
  getrusage(RUSAGE_CHILDREN, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// Each iteration's time is the CPU time of the shell and djpeg processes, so
// that other load on the machine does not count (as CPU time does for the
// in-process decoders).
void RunDjpeg(benchmark::State& state, const std::string& file) {
  const std::string command = "djpeg -outfile /dev/null " + file;
  for (auto _ : state) {
    const double before = ChildCpuSeconds();
    if (!Run(command)) state.SkipWithError("djpeg failed");
    state.SetIterationTime(ChildCpuSeconds() - before);
  }
}

void BM_DjpegProcess(benchmark::State& state) {
  if (!Require(state)) return;
  RunDjpeg(state, Files().Path("picture.jpg"));
  Count(state, Files().jpeg.size());
}
BENCHMARK(BM_DjpegProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_DjpegProcessStartup(benchmark::State& state) {
  if (Require(state)) RunDjpeg(state, Files().Path("tiny.jpg"));
}
BENCHMARK(BM_DjpegProcessStartup)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
