#include "platform/win32/win32_text.h"

#include "common/ansi_text.h"

namespace quillet {

std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

std::u16string FromWide(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

std::wstring WideFromUtf8(std::string_view text) {
  return Wide(FromUtf8(text));
}

}  // namespace quillet
