// Reading the texture list file: one texture name per line, as the first
// word of the line, up to the end marker "END_TEXT". The listed textures
// decode on a worker thread and upload here, in list order, so texture
// names and the picture are those of a load one by one.
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "archive/archive_file.h"
#include "image/decoded_texture.h"
#include "image/texture_list_decoder.h"
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

// The names of the list, in order: the first word of each line, up to the
// end marker.
std::vector<std::string> ReadListedNames(const char* listName) {
  std::vector<std::string> names;
  ArchiveFile list;
  if (!list.OpenMember(listName)) return names;
  char line[kListLineBytes];
  char name[kListLineBytes];
  for (;;) {
    const bool more = list.ReadLine(line, sizeof line);
    if (std::strncmp(line, "END_TEXT", 8) == 0) break;
    if (FirstWord(line, name)) names.emplace_back(name);
    if (!more) break;
  }
  return names;
}

}  // namespace

void LoadTextureList(TextureManager& manager, const char* listName, bool reportProgress) {
  std::vector<std::unique_ptr<Texture>> textures;
  std::vector<TextureDecodeJob> jobs;
  for (const std::string& name : ReadListedNames(listName)) {
    textures.emplace_back(new Texture);
    textures.back()->SetPath(name.c_str());
    jobs.push_back(TextureDecodeJob{TextureKindOf(name.c_str()), textures.back()->path});
  }
  if (textures.empty()) return;
  TextureListDecoder decoder(std::move(jobs));
  for (size_t i = 0; i < textures.size(); ++i) {
    textures[i]->Upload(decoder.Take(i).get());
    if (reportProgress) PlatformLoadingProgress();
    manager.Append(textures[i].release());
  }
}
