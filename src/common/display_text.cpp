#include "common/display_text.h"

#include "common/ansi_text.h"

namespace quillet {
namespace {

constexpr bool IsShownAsBlank(char16_t c) {
  return c < u' ' || (c >= u'\u007F' && c <= u'\u009F') || c == u'\u2028' || c == u'\u2029';
}

}  // namespace

std::u16string_view FirstLine(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLineBreak(text[i])) return text.substr(0, i);
  }
  return text;
}

std::u16string OneLine(std::u16string_view text) {
  std::u16string line(text);
  for (char16_t& c : line) {
    if (IsShownAsBlank(c)) c = u' ';
  }
  return line;
}

std::u16string Elided(std::u16string_view text, std::size_t limit, bool access_keys) {
  if (text.size() <= limit) return std::u16string(text);
  std::size_t cut = 0;
  while (cut < text.size()) {
    std::size_t next = cut + 1;
    if (access_keys && text[cut] == u'&' && next < text.size()) ++next;
    if (IsHighSurrogate(text[next - 1]) && next < text.size() && IsLowSurrogate(text[next])) ++next;
    if (next > limit) break;
    cut = next;
  }
  return std::u16string(text.substr(0, cut)) + u"...";
}

std::u16string CaptionText(std::u16string_view caption) {
  return OneLine(Elided(caption, kCaptionLimit, true));
}

std::u16string PromptText(std::u16string_view prompt) {
  std::u16string shown;
  std::size_t word = 0;  // code units since the last blank or line break
  // A little past the limit is enough for Elided to see that it must cut.
  for (std::size_t i = 0; i < prompt.size() && shown.size() <= kPromptLimit; ++i) {
    char16_t c = prompt[i];
    if (c == u'\r') {
      if (i + 1 < prompt.size() && prompt[i + 1] == u'\n') ++i;
      shown += c;
      word = 0;
      continue;
    }
    if (IsShownAsBlank(c)) c = u' ';
    if (c == u' ') {
      word = 0;
    } else {
      if (word >= kPromptWordLimit && !IsLowSurrogate(c)) {
        shown += u'\r';
        word = 0;
      }
      ++word;
    }
    shown += c;
  }
  return Elided(shown, kPromptLimit);
}

}  // namespace quillet
