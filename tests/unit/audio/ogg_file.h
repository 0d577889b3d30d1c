// Ogg Vorbis test files made at test time: the tone is written as a WAV
// file and encoded with `oggenc` (vorbis-tools) into the test output folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "unit/audio/tone_wav.h"

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Encodes the tone (with further oggenc options, shell-quoted); returns the
// Ogg bytes, empty when oggenc failed. The files are named after the running
// test too, because ctest runs the tests of one fixture in parallel processes.
inline std::vector<uint8_t> EncodeOgg(const ToneSpec& toneSpec, const std::string& baseName,
                                      const std::string& options = "") {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test ? baseName + "-" + test->test_suite_name() + "-" + test->name() : baseName;
  std::string dir = std::string(TERRAVA_BINARY_DIR) + "/test-output/audio";
  std::string wavPath = dir + "/" + name + ".wav";
  std::string oggPath = dir + "/" + name + ".ogg";
  std::system(("mkdir -p '" + dir + "'").c_str());
  std::vector<uint8_t> wav = ToneWav(toneSpec);
  std::ofstream(wavPath, std::ios::binary).write(reinterpret_cast<const char*>(wav.data()), wav.size());
  std::remove(oggPath.c_str());
  std::string command = "oggenc -Q -q 6 " + options + " -o '" + oggPath + "' '" + wavPath + "'";
  if (std::system(command.c_str()) != 0) return {};
  return ReadBytes(oggPath);
}
