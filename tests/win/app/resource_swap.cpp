// Test helper: copies terrava.scr and replaces one of the copy's
// "CustomData" resources (in the language the original holds it) with the
// bytes of a file, so that a whole-program test can run the product with
// data that only the tests carry: a translation in the label table (114),
// a scene in the data archive (125).
//
//   resource_swap.exe SAVER COPY ID FILE
//
// Exit code 0 when the copy holds the new resource, 1 otherwise.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

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
  std::printf("resource_swap: %s\n", what);
  return 1;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc != 5) return Fail("usage: resource_swap SAVER COPY ID FILE");
  const WORD id = WORD(std::wcstoul(argv[3], nullptr, 10));
  HMODULE saver = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  WORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
  if (saver) {
    EnumResourceLanguagesW(saver, L"CUSTOMDATA", MAKEINTRESOURCEW(id), TakeLanguage,
                           reinterpret_cast<LONG_PTR>(&language));
    FreeLibrary(saver);
  }
  std::vector<char> data;
  if (!ReadFileBytes(argv[4], &data)) return Fail("cannot read the file");
  if (!CopyFileW(argv[1], argv[2], FALSE)) return Fail("cannot copy the saver");
  HANDLE update = BeginUpdateResourceW(argv[2], FALSE);
  bool ok = update && UpdateResourceW(update, L"CUSTOMDATA", MAKEINTRESOURCEW(id), language, data.data(),
                                      DWORD(data.size()));
  ok = update && EndUpdateResourceW(update, !ok) && ok;
  std::printf("resource_swap id=%u language=%04x ok=%d\n", id, language, ok ? 1 : 0);
  return ok ? 0 : 1;
}
