// How text that comes from a file or the clipboard is shown: in a one-line
// box, a menu caption, an input box's prompt and a message. The text itself
// is kept as it is; only what a window shows of it is bounded, so that no
// file can make a window lose its shape or cut a message short.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillet {

// CR, LF, VT, FF, NEL and the line and paragraph separators.
constexpr bool IsLineBreak(char16_t c) {
  return (c >= u'\n' && c <= u'\r') || c == u'\u0085' || c == u'\u2028' || c == u'\u2029';
}

// The text before its first line break: what a one-line box holds.
std::u16string_view FirstLine(std::u16string_view text);

// Every control character (C0, DEL, C1) and line or paragraph separator
// shown as a blank: the text stays on one line, and at its length (Windows
// ends a text at a NUL).
std::u16string OneLine(std::u16string_view text);

// The first `limit` code units and "..." when the text is longer. The cut
// never halves a surrogate pair nor, with `access_keys`, a "&&" (a "&"
// shown as itself) or a "&" and the access key it marks.
std::u16string Elided(std::u16string_view text, std::size_t limit, bool access_keys = false);

// A menu item's caption as the menu bar shows it: one line, and short enough
// that the program's menu bar stays one row at 96 dpi even in the widest
// characters.
inline constexpr std::size_t kCaptionLimit = 44;
std::u16string CaptionText(std::u16string_view caption);

// An input box's prompt as the box shows it. Its lines stay, separated by CR
// (a CR LF counts as one); everything else is OneLine. The boxes wrap a
// prompt at blanks, so a run of more than kPromptWordLimit code units without
// one is broken onto the next line; and after kPromptLimit code units the
// prompt is cut with "...".
inline constexpr std::size_t kPromptWordLimit = 24;
inline constexpr std::size_t kPromptLimit = 300;
std::u16string PromptText(std::u16string_view prompt);

}  // namespace quillet
