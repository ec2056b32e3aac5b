#include "common/quoted_text.h"

#include "common/ansi_text.h"

namespace quillet {

std::u16string OneLine(std::u16string_view text) {
  std::u16string line(text);
  for (char16_t& c : line) {
    if (IsShownAsBlank(c)) c = u' ';
  }
  return line;
}

std::u16string Elided(std::u16string_view text, std::size_t limit, KeptWithNext kept_with_next) {
  if (text.size() <= limit) return std::u16string(text);
  std::size_t cut = 0;
  while (cut < text.size()) {
    std::size_t next = cut + 1;
    if (kept_with_next != nullptr && kept_with_next(text[cut]) && next < text.size()) ++next;
    if (IsHighSurrogate(text[next - 1]) && next < text.size() && IsLowSurrogate(text[next])) ++next;
    if (next > limit) break;
    cut = next;
  }
  return std::u16string(text.substr(0, cut)) + u"...";
}

std::string MessageExcerpt(std::u16string_view text, std::size_t limit) {
  return ToUtf8(OneLine(Elided(text, limit)));
}

}  // namespace quillet
