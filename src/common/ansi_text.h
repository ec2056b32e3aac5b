// Conversion between the program's UTF-16 text and the 8-bit text of its files.
//
// The files are in the system's ANSI code page. Where the platform has none
// (everything but Windows) that is Windows-1252, done by table so that the
// bytes are the same on every machine (ansi_text_posix.cpp; Windows converts in
// ansi_text_win32.cpp).
#pragma once

#include <string>
#include <string_view>

#include "common/result.h"

namespace quillet {

// Each character becomes its bytes in the code page; a character the code
// page cannot hold becomes one "?" (a surrogate pair too), and so does a lone
// surrogate. Where Windows uses UTF-8 as its ANSI code page the text is written
// as UTF-8. Only Windows' own conversion can fail; its message is a reason in
// lower case, for the caller to put after the name of the file it was writing.
Result<std::string> ToAnsi(std::u16string_view text);

// Each byte (or double-byte character) becomes its character; a byte without
// one (0x81, 0x8D, 0x8F, 0x90, 0x9D in Windows-1252) keeps its value as the
// code unit, so nothing is lost.
std::u16string FromAnsi(std::string_view bytes);

// ToAnsi and FromAnsi for a given Windows code page rather than the system's;
// only on Windows.
Result<std::string> ToCodePage(std::u16string_view text, unsigned code_page);
std::u16string FromCodePage(std::string_view bytes, unsigned code_page);

// The halves of a surrogate pair, which together make one character beyond U+FFFF.
constexpr bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// UTF-16 to UTF-8 for messages; lone surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::u16string FromUtf8(std::string_view text);

}  // namespace quillet
