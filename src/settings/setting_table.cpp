// The rows of the settings table and the conversion between a member and
// its stored DWORD.
#include "settings/setting_table.h"

#include <algorithm>

namespace {
using S = SaverSettings;
// Sizes and depths come from the display's mode list; any positive int32
// is held, and the run decides whether the display takes it.
constexpr uint32_t kMaxSide = 0x7FFFFFFF;
// No display refreshes faster; a higher stored limit would only mean none.
constexpr uint32_t kMaxFrameLimit = 1000;  // frames per second
}  // namespace

// The defaults pass (ApplyDefaults) sets the fields in the order of the
// defaultsStep column, so that on a defaults text lacking keys the
// "missing key" messages come in a fixed order: Width, Height, Depth,
// EnableMusic, Volume, ShowClock, TimeFormat, Gamma, DefGamma, MouseExit,
// ShowFPS, UseDesktop, Speed, RealDayNight. The registry load reads in
// table order; the reads are independent of one another, so only the save
// order shows.
const SettingRow kSettingRows[] = {
    // value name    defaults key       flag            number      bias step writeOnly range
    {"ShowClock",   "ShowTime",        &S::ShowClock,   nullptr,    0,   5,   false,    0, 1},
    {"TimeFormat",  "DigClock_24H",    &S::TimeFormat,  nullptr,    0,   6,   false,    0, 1},
    {"EnableMusic", "Music",           &S::EnableMusic, nullptr,    0,   3,   false,    0, 1},
    {"UseDesktop",  "UseDktpSet",      &S::UseDesktop,  nullptr,    0,   11,  false,    0, 1},
    {"ShowFlame",   nullptr,           &S::ShowFlame,   nullptr,    0,   -1,  true,     0, 1},
    {"DefGamma",    "DefGamma",        &S::DefGamma,    nullptr,    0,   8,   false,    0, 1},
    {"Width",       "MW",              nullptr,         &S::Width,  0,   0,   false,    0, kMaxSide},
    {"Height",      "MH",              nullptr,         &S::Height, 0,   1,   false,    0, kMaxSide},
    {"Depth",       "MBitCount",       nullptr,         &S::Depth,  0,   2,   false,    0, kMaxSide},
    {"Volume",      "MusicVolume",     nullptr,         &S::Volume, 0,   4,   false,    0, 100},
    {"Speed",       "CameraSpeed",     nullptr,         &S::Speed,  0,   12,  false,    0, 100},
    {"Gamma",       "GammControl",     nullptr,         &S::Gamma,  -50, 7,   false,    0, 100},
    {"VSync",       nullptr,           &S::VSync,       nullptr,    0,   -1,  false,    0, 1},
    {"MouseExit",   "ExitOnMouseMove", &S::MouseExit,   nullptr,    0,   9,   false,    0, 1},
    {"ShowFPS",     "ShowFPS",         &S::ShowFPS,     nullptr,    0,   10,  false,    0, 1},
    {"FrameLimit",  nullptr,           nullptr,         &S::FrameLimit, 0, -1,  false,    0, kMaxFrameLimit},
    {"RealDayNight", "RealDayNight",   &S::RealDayNight, nullptr,   0,   13,  false,    0, 1},
};
const size_t kSettingRowCount = sizeof kSettingRows / sizeof kSettingRows[0];

uint32_t StoredSettingValue(const SaverSettings& s, const SettingRow& row) {
  if (row.flag) return s.*row.flag ? 1u : 0u;
  return static_cast<uint32_t>(s.*row.number);
}

void SetSettingInRange(SaverSettings& s, const SettingRow& row, int64_t value) {
  int64_t held = std::min(std::max(value, int64_t(row.minimum)), int64_t(row.maximum));
  if (row.flag)
    s.*row.flag = held != 0;
  else
    s.*row.number = static_cast<int32_t>(held);
}

void SetSettingFromStored(SaverSettings& s, const SettingRow& row, uint32_t value) {
  SetSettingInRange(s, row, int64_t(value));
}
