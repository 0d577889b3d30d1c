// The registry as the settings store.
#include "settings/settings_registry_win32.h"

#include <windows.h>

#include "settings/saver_settings.h"
#include "settings/settings_store.h"

namespace {

// An open settings key; null when it could not be opened, and then every
// read fails and every write is dropped.
class RegistryStore : public SettingsStore {
 public:
  explicit RegistryStore(REGSAM access) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~RegistryStore() override {
    if (key_) RegCloseKey(key_);
  }
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // A value is read when it holds exactly 4 bytes; shorter or longer data
  // counts as unreadable and leaves the field alone.
  bool ReadValue(const char* name, uint32_t* value) override {
    if (!key_) return false;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExA(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        size != sizeof data)
      return false;
    *value = data;
    return true;
  }
  void WriteValue(const char* name, uint32_t value) override {
    if (!key_) return;
    DWORD data = value;
    RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

void LoadSettings() {
  RegistryStore store(KEY_READ);
  LoadSettingsFrom(store, settings);
}

void SaveSettings() {
  RegistryStore store(KEY_WRITE);
  SaveSettingsTo(store, settings);
}
