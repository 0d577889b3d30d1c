// Where the Visit... button looks for the user guide: the HTML page
// (kUserGuideFileName) that the release folder holds beside terrava.scr and
// that the installer copies into its install folder. The candidate folders
// come from the shell; this part only joins paths and picks the first
// folder that holds the page. Portable: no window-system code here.
#pragma once

#include <initializer_list>
#include <string>

// File name of the user guide, in the release folder and the install folder.
constexpr char16_t kUserGuideFileName[] = u"terrava-guide.html";

// The folder of a file path: everything up to and including its last '\'
// or '/'; empty when the path has neither.
std::u16string FolderOfPath(const std::u16string& path);

// The guide's path inside folder: the folder, a '\' unless it already ends
// with '\' or '/', and the file name. Empty when folder is empty.
std::u16string UserGuidePathIn(const std::u16string& folder);

// The guide in the first of folders that holds it (exists answers for one
// candidate path); empty when none does. Empty folders are skipped.
std::u16string FirstUserGuide(std::initializer_list<std::u16string> folders,
                              bool (*exists)(const std::u16string& path));
