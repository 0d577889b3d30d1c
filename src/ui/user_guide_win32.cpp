// Finding the user guide through the program's own path and the install
// folder in the registry, and opening it through the shell.
#include "ui/user_guide_win32.h"

#include <shellapi.h>

#include "ui/user_guide_path.h"
#include "ui/wide_text_win32.h"

namespace {

// Longest program or install path taken, in UTF-16 units (the long-path
// limit of the wide file functions); longer ones are not searched.
constexpr DWORD kMaxPathUnits = 32768;

std::u16string ProgramFolder() {
  std::u16string path(kMaxPathUnits, u'\0');
  DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(&path[0]), kMaxPathUnits);
  if (length == 0 || length >= kMaxPathUnits) return std::u16string();  // failed or cut short
  path.resize(length);
  return FolderOfPath(path);
}

// The installer's InstallLocation; empty when there is none or it is no text.
std::u16string InstallFolder() {
  std::u16string folder(kMaxPathUnits, u'\0');
  DWORD bytes = kMaxPathUnits * sizeof(char16_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", RRF_RT_REG_SZ, nullptr, &folder[0],
                   &bytes) != ERROR_SUCCESS)
    return std::u16string();
  folder.resize(bytes / sizeof(char16_t));
  while (!folder.empty() && folder.back() == u'\0') folder.pop_back();  // the stored terminator
  return folder;
}

bool IsFile(const std::u16string& path) {
  DWORD attributes = GetFileAttributesW(WideText(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::u16string FindUserGuide() { return FirstUserGuide({ProgramFolder(), InstallFolder()}, IsFile); }

void OpenUserGuide(HWND owner, const std::u16string& path) {
  ShellExecuteW(owner, L"open", WideText(path), nullptr, nullptr, SW_SHOWNORMAL);
}
