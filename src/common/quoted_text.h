// How the program quotes a text that may hold anything (a line of the
// calibration file, a pasted label, a typed answer) where it shows it: on one
// line, bounded, and never cutting a character in two. The text itself is
// kept as it is; only what is shown of it is bounded, so that no file can
// make a window lose its shape or cut a message short.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillet {

// Control characters (C0, DEL, C1) and line and paragraph separators.
constexpr bool IsShownAsBlank(char16_t c) {
  return c < u' ' || (c >= u'\u007F' && c <= u'\u009F') || c == u'\u2028' || c == u'\u2029';
}

// Each character IsShownAsBlank as a blank: the text stays on one line, and at
// its length (Windows ends a text at a NUL).
std::u16string OneLine(std::u16string_view text);

// Whether the unit at the end of a kept run must stay with the next one.
using KeptWithNext = bool (*)(char16_t unit);

// The first `limit` code units and "..." when the text is longer. The cut
// never halves a surrogate pair, nor parts a unit for which `kept_with_next`
// says so from the one after it.
std::u16string Elided(std::u16string_view text, std::size_t limit,
                      KeptWithNext kept_with_next = nullptr);

// A text quoted in a message, as UTF-8: cut after `limit` code units with "..."
// so that a megabyte of bad input does not become a megabyte of message box,
// and on one line.
std::string MessageExcerpt(std::u16string_view text, std::size_t limit = 40);

}  // namespace quillet
