// The run modes of the program and the parsing of the command line that
// the screensaver machinery gives it (/c, /p HWND, /s, /t). Portable: it
// works on the command-line text alone.
#pragma once

#include <cstdint>

enum class RunMode : int {
  Config = 0,   // /c with or without a window handle, or no switch at all
  Preview = 1,  // /p followed by a window handle
  Saver = 2,    // any other switch letter, normally /s
  Test = 3,     // /t: a saver run like Saver
};

// Largest window handle the parser yields; longer numbers are held here,
// as the C runtime's atol does.
constexpr uint32_t kMaxParentWindow = 0x7FFFFFFF;

// Parses the full command line, program name included (GetCommandLineA).
// Skips the program name (quoted or up to the first space), takes the first
// '/' or '-' as the switch and the letter after it; for C and P the first
// decimal number after the letter is the parent window. Sets *parentWindow
// (0 when there is none) and returns the mode.
RunMode ParseCommandLine(const char* commandLine, uint32_t* parentWindow);
