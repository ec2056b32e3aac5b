// Where the system has no ANSI code page the files are in Windows-1252,
// converted here by table so that the bytes are the same on every machine.
#include <array>

#include "common/ansi_text.h"

namespace quillet {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes without a character.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToWindows1252(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    const char16_t mapped = kHighControls[i];
    // A byte without a character came in as its own value; give it back as such.
    if (mapped == c || (mapped == 0 && c == 0x80 + i)) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

Result<std::string> ToAnsi(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;  // one character outside the code page, written once
      bytes.push_back('?');
    } else {
      bytes.push_back(ToWindows1252(c));
    }
  }
  return bytes;
}

std::u16string FromAnsi(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    const char16_t mapped = (b >= 0x80 && b <= 0x9F) ? kHighControls[b - 0x80] : 0;
    text.push_back(mapped != 0 ? mapped : static_cast<char16_t>(b));
  }
  return text;
}

}  // namespace quillet
