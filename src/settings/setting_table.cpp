// The rows of the settings table and the conversion between a member and
// its stored DWORD.
#include "settings/setting_table.h"

namespace {
using S = SaverSettings;
}  // namespace

// The defaults pass (ApplyDefaults) sets the fields in the order of the
// defaultsStep column, so that on a defaults text lacking keys the
// "missing key" messages come in a fixed order: Width, Height, Depth,
// EnableMusic, Volume, ShowClock, TimeFormat, Gamma, DefGamma, MouseExit,
// ShowFPS, UseDesktop, Speed. The registry load reads in table order; the
// reads are independent of one another, so only the save order shows.
const SettingRow kSettingRows[] = {
    // value name    defaults key       flag            number      bias step writeOnly
    {"ShowClock",   "ShowTime",        &S::ShowClock,   nullptr,    0,   5,   false},
    {"TimeFormat",  "DigClock_24H",    &S::TimeFormat,  nullptr,    0,   6,   false},
    {"EnableMusic", "Music",           &S::EnableMusic, nullptr,    0,   3,   false},
    {"UseDesktop",  "UseDktpSet",      &S::UseDesktop,  nullptr,    0,   11,  false},
    {"ShowFlame",   nullptr,           &S::ShowFlame,   nullptr,    0,   -1,  true},
    {"DefGamma",    "DefGamma",        &S::DefGamma,    nullptr,    0,   8,   false},
    {"Width",       "MW",              nullptr,         &S::Width,  0,   0,   false},
    {"Height",      "MH",              nullptr,         &S::Height, 0,   1,   false},
    {"Depth",       "MBitCount",       nullptr,         &S::Depth,  0,   2,   false},
    {"Volume",      "MusicVolume",     nullptr,         &S::Volume, 0,   4,   false},
    {"Speed",       "CameraSpeed",     nullptr,         &S::Speed,  0,   12,  false},
    {"Gamma",       "GammControl",     nullptr,         &S::Gamma,  -50, 7,   false},
    {"VSync",       nullptr,           &S::VSync,       nullptr,    0,   -1,  false},
    {"MouseExit",   "ExitOnMouseMove", &S::MouseExit,   nullptr,    0,   9,   false},
    {"ShowFPS",     "ShowFPS",         &S::ShowFPS,     nullptr,    0,   10,  false},
};
const size_t kSettingRowCount = sizeof kSettingRows / sizeof kSettingRows[0];

uint32_t StoredSettingValue(const SaverSettings& s, const SettingRow& row) {
  if (row.flag) return s.*row.flag ? 1u : 0u;
  return static_cast<uint32_t>(s.*row.number);
}

void SetSettingFromStored(SaverSettings& s, const SettingRow& row, uint32_t value) {
  if (row.flag)
    s.*row.flag = value != 0;
  else
    s.*row.number = static_cast<int32_t>(value);
}
