#include "common/ansi_text.h"

#include <array>
#include <climits>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillet {
namespace {

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

#ifdef _WIN32

// A system error in plain words, without the line end Windows puts after them.
std::string SystemReason(DWORD error) {
  const std::string number = "error " + std::to_string(error);
  wchar_t* words = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
  std::u16string text;
  if (words != nullptr) text.assign(reinterpret_cast<const char16_t*>(words), length);
  LocalFree(words);
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ' ||
                           text.back() == u'.')) {
    text.pop_back();
  }
  if (text.empty()) return number;
  if (text[0] >= u'A' && text[0] <= u'Z') text[0] = static_cast<char16_t>(text[0] - u'A' + u'a');
  return ToUtf8(text) + " (" + number + ")";
}

Status ConversionFailure(unsigned code_page, const std::string& reason) {
  return Status::Failure("the text could not be converted to code page " +
                         std::to_string(code_page) + ": " + reason);
}

#else

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

#endif

}  // namespace

#ifdef _WIN32

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
  if (size <= 0) return ConversionFailure(code_page, SystemReason(GetLastError()));
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(code_page, flags, wide.data(), length, bytes.data(), size, unknown,
                          nullptr) != size) {
    return ConversionFailure(code_page, SystemReason(GetLastError()));
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

#else

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

#endif

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::string MessageExcerpt(std::u16string_view text, std::size_t limit) {
  if (text.size() <= limit) return ToUtf8(text);
  std::size_t cut = limit;
  if (cut > 0 && IsHighSurrogate(text[cut - 1])) --cut;  // keep a pair whole
  return ToUtf8(text.substr(0, cut)) + "...";
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80           ? 0
                      : (lead >> 5) == 0x6  ? 1
                      : (lead >> 4) == 0xE  ? 2
                      : (lead >> 3) == 0x1E ? 3
                                            : -1;
    char32_t c = lead & (0x7F >> (extra > 0 ? extra + 1 : 0));
    bool valid = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    if (!valid || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

}  // namespace quillet
