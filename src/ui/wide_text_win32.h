// Label texts handed to the wide (W) window functions. On Windows wchar_t
// is a UTF-16 code unit, so the buffer of a std::u16string from the label
// table is a wide string as it is. Windows build only.
#pragma once

#include <string>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide window functions take UTF-16 units");

// The text as the wide window functions take it; valid while text lives.
inline const wchar_t* WideText(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
