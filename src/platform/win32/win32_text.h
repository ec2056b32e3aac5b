// Text as the Windows API takes it: wide strings (UTF-16, like the core's
// std::u16string) and the system's own words for an error code.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quillet {

std::wstring Wide(std::u16string_view text);
std::u16string FromWide(std::wstring_view text);
// UTF-8 messages to wide text; invalid sequences become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// The system's description of `error` as UTF-8, without the closing period
// and line break, for a message that goes on after it; "error N" when the
// system has no text for it.
std::string SystemReason(DWORD error);

}  // namespace quillet
