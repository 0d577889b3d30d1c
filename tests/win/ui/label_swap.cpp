// Test helper: copies terrava.scr and replaces the copy's label table
// (resource "CustomData" 114, in the language the original holds it) with
// another UTF-8 table, so that a whole-program test can run the product in
// a translation that only the tests carry.
//
//   label_swap.exe SAVER COPY LABELS
//
// Exit code 0 when the copy holds the new table, 1 otherwise.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int kLabelResourceId = 114;

BOOL CALLBACK TakeLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  *reinterpret_cast<WORD*>(found) = language;
  return FALSE;
}

bool ReadFileBytes(const wchar_t* path, std::vector<char>* bytes) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD size = GetFileSize(file, nullptr);
  bytes->resize(size);
  DWORD read = 0;
  bool ok = size != INVALID_FILE_SIZE && ReadFile(file, bytes->data(), size, &read, nullptr) && read == size;
  CloseHandle(file);
  return ok;
}

int Fail(const char* what) {
  std::printf("label_swap: %s\n", what);
  return 1;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc != 4) return Fail("usage: label_swap SAVER COPY LABELS");
  HMODULE saver = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  WORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
  if (saver) {
    EnumResourceLanguagesW(saver, L"CUSTOMDATA", MAKEINTRESOURCEW(kLabelResourceId), TakeLanguage,
                           reinterpret_cast<LONG_PTR>(&language));
    FreeLibrary(saver);
  }
  std::vector<char> labels;
  if (!ReadFileBytes(argv[3], &labels)) return Fail("cannot read the labels");
  if (!CopyFileW(argv[1], argv[2], FALSE)) return Fail("cannot copy the saver");
  HANDLE update = BeginUpdateResourceW(argv[2], FALSE);
  bool ok = update && UpdateResourceW(update, L"CUSTOMDATA", MAKEINTRESOURCEW(kLabelResourceId), language,
                                      labels.data(), DWORD(labels.size()));
  ok = update && EndUpdateResourceW(update, !ok) && ok;
  std::printf("label_swap language=%04x ok=%d\n", language, ok ? 1 : 0);
  return ok ? 0 : 1;
}
