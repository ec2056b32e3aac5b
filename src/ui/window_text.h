// What the window shows of texts that come from outside: the one line a cell
// box holds of a paste, and the Print item's caption with the calibration
// file's offsets, bounded so that the menu bar stays one row.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "calibration/calibration_file.h"

namespace quillet {

// CR, LF, VT, FF, NEL and the line and paragraph separators.
constexpr bool IsLineBreak(char16_t c) {
  return (c >= u'\n' && c <= u'\r') || c == u'\u0085' || c == u'\u2028' || c == u'\u2029';
}

// The text before its first line break: what a one-line box holds.
std::u16string_view FirstLine(std::u16string_view text);

// The Print item's caption from the load on: "&Print (Adj=" LeftRight "/"
// UpDown ")", the offsets as the file holds them.
std::u16string StartCaption(const CalibrationOffsets& offsets);

// Its caption once new offsets are entered: "&Print Adj=" LeftRight "/" UpDown.
std::u16string EnteredCaption(const CalibrationOffsets& offsets);

// Its caption when the file could not be read at the load: printing still
// reads the file again, but there are no offsets to show.
inline constexpr char16_t kUnreadableCaption[] = u"&Print (offsets unreadable)";

// A menu item's caption as the menu bar shows it: one line, and short enough
// that the program's menu bar stays one row at 96 dpi even in the widest
// characters.
inline constexpr std::size_t kCaptionLimit = 44;
std::u16string CaptionText(std::u16string_view caption);

}  // namespace quillet
