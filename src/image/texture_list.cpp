// Reading the texture list file: one texture name per line, as the first
// word of the line, up to the end marker "END_TEXT".
#include <cstring>

#include "archive/archive_file.h"
#include "image/texture_manager.h"
#include "platform/platform.h"

namespace {

// Text line buffer of the list reader; the longest line shipped is 51 characters.
constexpr int kListLineBytes = 128;

// Copies the first word of line (delimited by spaces or tabs) into word,
// which holds kListLineBytes; false when the line has no word.
bool FirstWord(const char* line, char* word) {
  while (*line == ' ' || *line == '\t') ++line;
  int n = 0;
  while (line[n] != '\0' && line[n] != ' ' && line[n] != '\t' && n + 1 < kListLineBytes) {
    word[n] = line[n];
    ++n;
  }
  word[n] = '\0';
  return n > 0;
}

void LoadListedTexture(TextureManager& manager, const char* name, bool reportProgress) {
  Texture* texture = new Texture;
  texture->Load(name);
  if (reportProgress) PlatformLoadingProgress();
  manager.Append(texture);
}

}  // namespace

void LoadTextureList(TextureManager& manager, const char* listName, bool reportProgress) {
  ArchiveFile list;
  if (!list.OpenMember(listName)) return;
  char line[kListLineBytes];
  char name[kListLineBytes];
  for (;;) {
    const bool more = list.ReadLine(line, sizeof line);
    if (std::strncmp(line, "END_TEXT", 8) == 0) break;
    if (FirstWord(line, name)) LoadListedTexture(manager, name, reportProgress);
    if (!more) break;
  }
  list.Close();
}
