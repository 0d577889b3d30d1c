// The window-choice rule: XSCREENSAVER_WINDOW, then -window-id, then
// -root, then a window of its own; only the own window ends on input.
#include "x11/window_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowChoice, FollowsXscreensaverOrder) {
  SaverOptions all;
  all.windowId = 0x42;
  all.root = true;
  all.fullscreen = true;
  SaverOptions rootAndFullscreen;
  rootAndFullscreen.root = true;
  rootAndFullscreen.fullscreen = true;
  SaverOptions fullscreen;
  fullscreen.fullscreen = true;
  struct Row {
    const SaverOptions options;
    const char* environment;  // XSCREENSAVER_WINDOW, nullptr: unset
    WindowKind kind;
    uint64_t id;
    bool endsOnInput;
  };
  const Row rows[] = {
      // options          environment  kind                      id     endsOnInput
      {all,               "0x2a00007", WindowKind::kExisting,    0x2a00007, false},
      {all,               "12345",     WindowKind::kExisting,    12345, false},
      {all,               "garbage",   WindowKind::kExisting,    0x42,  false},
      {all,               "",          WindowKind::kExisting,    0x42,  false},
      {all,               nullptr,     WindowKind::kExisting,    0x42,  false},
      {rootAndFullscreen, nullptr,     WindowKind::kRoot,        0,     false},
      {fullscreen,        nullptr,     WindowKind::kFullscreen,  0,     true},
      {SaverOptions{},    nullptr,     WindowKind::kOwnWindow,   0,     true},
      {SaverOptions{},    "0",         WindowKind::kOwnWindow,   0,     true},
  };
  for (const Row& row : rows) {
    WindowChoice choice = ChooseWindow(row.options, row.environment);
    SCOPED_TRACE(row.environment ? row.environment : "(unset)");
    EXPECT_EQ(choice.kind, row.kind);
    if (row.kind == WindowKind::kExisting) {
      EXPECT_EQ(choice.id, row.id);
    }
    EXPECT_EQ(choice.endsOnInput, row.endsOnInput);
  }
}

}  // namespace
