// Entry point of terrava.scr. For now it proves that the program can read
// its own data archive: it opens a member through ArchiveFile and exits with
// 0 when that worked, 1 otherwise.
#include <windows.h>

#include "archive/archive_file.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ArchiveFile file;
  return file.OpenMember("texture.txt") ? 0 : 1;
}
