// Loading and saving the settings through a store: the save order, the
// 10000 sentinel, the DefGamma rule and ShowFlame.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/setting_table.h"
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

// Every loadable field as it would be stored.
std::vector<uint32_t> StoredValues(const SaverSettings& s) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i < kSettingRowCount; ++i)
    if (!kSettingRows[i].writeOnly) out.push_back(StoredSettingValue(s, kSettingRows[i]));
  return out;
}

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
      {"VSync", 1},     {"MouseExit", 1},  {"ShowFPS", 1}};
  EXPECT_EQ(store.writes, expected);
}

TEST(SettingsStore, RoundTripGivesTheSameRecord) {
  MemoryStore store;
  SaverSettings saved = Sample();
  SaveSettingsTo(store, saved);
  SaverSettings loaded;
  LoadSettingsFrom(store, loaded);
  EXPECT_EQ(StoredValues(loaded), StoredValues(saved));
}

TEST(SettingsStore, EmptyStoreLeavesEveryField) {
  MemoryStore store;
  SaverSettings s = Sample();
  LoadSettingsFrom(store, s);
  EXPECT_EQ(s.Speed, 73);
  EXPECT_EQ(s.Gamma, 80);
  EXPECT_TRUE(s.MouseExit);
}

TEST(SettingsStore, SentinelValueLeavesTheFieldAsItWas) {
  MemoryStore store;
  for (const char* name : {"Width", "Volume", "ShowFPS", "Gamma"}) store.values[name] = kUnsetStoredValue;
  store.values["Height"] = 9999;
  SaverSettings s = Sample();
  LoadSettingsFrom(store, s);
  EXPECT_EQ(s.Width, 1024);
  EXPECT_EQ(s.Volume, 12);
  EXPECT_TRUE(s.ShowFPS);
  EXPECT_EQ(s.Gamma, 80);
  EXPECT_EQ(s.Height, 9999);
}

TEST(SettingsStore, DefGammaForcesNeutralGammaAfterLoading) {
  const struct {
    uint32_t defGamma;
    uint32_t gamma;
    int32_t expected;
  } cases[] = {{1, 80, 50}, {0, 80, 80}, {7, 0, 50}, {0, 0, 0}};
  for (const auto& c : cases) {
    MemoryStore store;
    store.values["DefGamma"] = c.defGamma;
    store.values["Gamma"] = c.gamma;
    SaverSettings s;
    LoadSettingsFrom(store, s);
    EXPECT_EQ(s.Gamma, c.expected) << c.defGamma << " " << c.gamma;
  }
}

TEST(SettingsStore, StoredValuesAreTakenWithoutRangeChecks) {
  MemoryStore store;
  store.values["Width"] = 1;
  store.values["Volume"] = 500;
  store.values["Speed"] = 0xFFFFFFFFu;
  store.values["ShowClock"] = 2;    // booleans: true when not 0
  store.values["ShowFlame"] = 1;    // never read
  SaverSettings s;
  LoadSettingsFrom(store, s);
  EXPECT_EQ(s.Width, 1);
  EXPECT_EQ(s.Volume, 500);
  EXPECT_EQ(s.Speed, -1);
  EXPECT_TRUE(s.ShowClock);
  EXPECT_FALSE(s.ShowFlame);
}

}  // namespace
