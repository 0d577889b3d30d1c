// Fuzz target for the label table: any bytes parse into at most 200 lines
// without reading past the input, every lookup stays inside the table, and
// the about split never yields more than seven lines.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/label_table.h"

namespace {

LabelTable table;  // large; one instance for the whole run

const char* const kKeys[] = {"about_window_text", "show_fps", "camera", "ok", "", "master_volume:", "#"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  table.Parse(data, static_cast<uint32_t>(size));
  if (table.count < 0 || table.count > kMaxLabelLines) std::abort();
  for (const char* key : kKeys) {
    std::u16string text = table.Find(key);
    FillAboutLines(text);
  }
  // Keys taken from the input itself exercise matches of every length.
  for (int i = 0; i < table.count && i < 8; ++i) {
    std::string key;
    for (char16_t unit : table.lines[i]) key += static_cast<char>(unit & 0x7F ? unit & 0x7F : 'x');
    table.Find(key.c_str());
  }
  return 0;
}
