// Loading and saving the settings through a store: the save order (which
// Wine's registry, sorting value names, does not show), ShowFlame, and
// stored values held to the dialog's ranges. The registry round trip, the 10000
// sentinel and DefGamma are tested on the real registry (tests/win/app).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/settings_store.h"

namespace {

// A store in memory that remembers the order of the writes.
class MemoryStore : public SettingsStore {
 public:
  bool ReadValue(const char* name, uint32_t* value) override {
    auto it = values.find(name);
    if (it == values.end()) return false;
    *value = it->second;
    return true;
  }
  void WriteValue(const char* name, uint32_t value) override {
    values[name] = value;
    writes.emplace_back(name, value);
  }
  std::map<std::string, uint32_t> values;
  std::vector<std::pair<std::string, uint32_t>> writes;
};

SaverSettings Sample() {
  SaverSettings s;
  s.EnableMusic = true;
  s.ShowClock = false;
  s.ShowFPS = true;
  s.VSync = true;
  s.UseDesktop = false;
  s.MouseExit = true;
  s.DefGamma = false;
  s.TimeFormat = true;
  s.RealDayNight = true;
  s.Speed = 73;
  s.Volume = 12;
  s.Gamma = 80;
  s.Width = 1024;
  s.Height = 768;
  s.Depth = 16;
  return s;
}

TEST(SettingsStore, SavesEveryValueInTheFixedOrder) {
  MemoryStore store;
  SaverSettings s = Sample();
  s.ShowFlame = true;  // never saved as set
  SaveSettingsTo(store, s);
  const std::vector<std::pair<std::string, uint32_t>> expected = {
      {"ShowClock", 0}, {"TimeFormat", 1}, {"EnableMusic", 1}, {"UseDesktop", 0},
      {"ShowFlame", 0}, {"DefGamma", 0},   {"Width", 1024},    {"Height", 768},
      {"Depth", 16},    {"Volume", 12},    {"Speed", 73},      {"Gamma", 80},
      {"VSync", 1},     {"MouseExit", 1},  {"ShowFPS", 1},     {"FrameLimit", 10000},  // its default: unset
      {"RealDayNight", 1}};
  EXPECT_EQ(store.writes, expected);
}

TEST(SettingsStore, StoredValuesAreHeldToTheDialogsRangesExceptTheSentinel) {
  MemoryStore store;
  store.values["Height"] = kUnsetStoredValue;
  store.values["Width"] = 0xFFFFFFFFu;  // unsigned: above the range, not -1
  store.values["Volume"] = 500;
  store.values["Speed"] = 0xFFFFFFFFu;
  store.values["Gamma"] = 101;
  store.values["Depth"] = 16;
  store.values["ShowClock"] = 2;    // booleans: true when not 0
  store.values["ShowFlame"] = 1;    // never read
  store.values["FrameLimit"] = 0xFFFFFFFFu;
  SaverSettings s;
  LoadSettingsFrom(store, s);
  EXPECT_EQ(s.Width, 0x7FFFFFFF);
  EXPECT_EQ(s.Volume, 100);
  EXPECT_EQ(s.Speed, 100);
  EXPECT_EQ(s.Gamma, 100);
  EXPECT_EQ(s.Depth, 16);
  EXPECT_TRUE(s.ShowClock);
  EXPECT_FALSE(s.ShowFlame);
  EXPECT_EQ(s.Height, 0);
  EXPECT_EQ(s.FrameLimit, 1000);
}

}  // namespace
