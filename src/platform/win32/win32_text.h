// Text as the Windows API takes it: wide strings (UTF-16, like the core's
// std::u16string).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quillet {

std::wstring Wide(std::u16string_view text);
std::u16string FromWide(std::wstring_view text);
// UTF-8 messages to wide text; invalid sequences become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);

}  // namespace quillet
