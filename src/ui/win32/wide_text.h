// The core's UTF-16 text as the wide-character Windows API takes it: on
// Windows wchar_t is a UTF-16 code unit, so the same buffer serves.
#pragma once

#include <string>

namespace quillet {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t holds UTF-16 on Windows");

inline const wchar_t* WideView(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}
inline const wchar_t* WideView(const std::u16string& text) {
  return WideView(text.c_str());
}
inline std::u16string FromWideView(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

}  // namespace quillet
