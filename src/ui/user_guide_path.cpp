// Joining the user guide's file name to candidate folders and picking the
// first folder that holds it.
#include "ui/user_guide_path.h"

namespace {

bool IsSeparator(char16_t unit) { return unit == u'\\' || unit == u'/'; }

}  // namespace

std::u16string FolderOfPath(const std::u16string& path) {
  size_t last = path.find_last_of(u"\\/");
  return last == std::u16string::npos ? std::u16string() : path.substr(0, last + 1);
}

std::u16string UserGuidePathIn(const std::u16string& folder) {
  if (folder.empty()) return std::u16string();
  std::u16string path = folder;
  if (!IsSeparator(path.back())) path += u'\\';
  return path + kUserGuideFileName;
}

std::u16string FirstUserGuide(std::initializer_list<std::u16string> folders,
                              bool (*exists)(const std::u16string& path)) {
  for (const std::u16string& folder : folders) {
    std::u16string path = UserGuidePathIn(folder);
    if (!path.empty() && exists(path)) return path;
  }
  return std::u16string();
}
