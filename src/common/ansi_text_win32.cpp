// The system's ANSI code page, converted by Windows.
#include <windows.h>

#include <climits>

#include "common/ansi_text.h"
#include "common/system_error.h"

namespace quillet {
namespace {

Status ConversionFailure(unsigned code_page, const std::string& reason) {
  return Status::Failure("the text could not be converted to code page " +
                         std::to_string(code_page) + ": " + reason);
}

}  // namespace

Result<std::string> ToCodePage(std::u16string_view text, unsigned code_page) {
  const bool utf8 = code_page == CP_UTF8;
  // Settled here rather than by Windows, which gives a surrogate pair two
  // default characters: only UTF-8 holds characters beyond U+FFFF, and no
  // code page holds a lone surrogate.
  std::wstring wide;
  wide.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      if (utf8) {
        wide.push_back(static_cast<wchar_t>(c));
        wide.push_back(static_cast<wchar_t>(text[i + 1]));
      } else {
        wide.push_back(L'?');
      }
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      wide.push_back(L'?');
    } else {
      wide.push_back(static_cast<wchar_t>(c));
    }
  }
  if (wide.empty()) return std::string();
  if (wide.size() > static_cast<std::size_t>(INT_MAX)) {
    return ConversionFailure(code_page, "the text is too long");
  }
  const int length = static_cast<int>(wide.size());
  // No best fit: a label reading "A" where "\u0100" was typed is worse than a
  // visible "?". UTF-8 takes neither that flag nor a default character.
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  const char* unknown = utf8 ? nullptr : "?";
  const int size =
      WideCharToMultiByte(code_page, flags, wide.data(), length, nullptr, 0, unknown, nullptr);
  if (size <= 0) return ConversionFailure(code_page, WindowsErrorReason(GetLastError()));
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(code_page, flags, wide.data(), length, bytes.data(), size, unknown,
                          nullptr) != size) {
    return ConversionFailure(code_page, WindowsErrorReason(GetLastError()));
  }
  return bytes;
}

std::u16string FromCodePage(std::string_view bytes, unsigned code_page) {
  if (bytes.empty()) return {};
  if (bytes.size() <= static_cast<std::size_t>(INT_MAX)) {
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(code_page, 0, bytes.data(), length, nullptr, 0);
    if (size > 0) {
      std::u16string text(static_cast<std::size_t>(size), u'\0');
      if (MultiByteToWideChar(code_page, 0, bytes.data(), length,
                              reinterpret_cast<wchar_t*>(text.data()), size) == size) {
        return text;
      }
    }
  }
  // Windows could not convert them: each byte keeps its value as the code
  // unit, so the text still shows rather than vanishing.
  std::u16string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) text.push_back(static_cast<unsigned char>(byte));
  return text;
}

Result<std::string> ToAnsi(std::u16string_view text) {
  return ToCodePage(text, GetACP());
}

std::u16string FromAnsi(std::string_view bytes) {
  return FromCodePage(bytes, GetACP());
}

}  // namespace quillet
