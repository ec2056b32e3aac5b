#include "ui/window_text.h"

#include "common/quoted_text.h"
#include "ui/access_keys.h"

namespace quillet {

std::u16string_view FirstLine(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLineBreak(text[i])) return text.substr(0, i);
  }
  return text;
}

// The offsets are shown as they stand: a "&" of theirs is no access key.
std::u16string StartCaption(const CalibrationOffsets& offsets) {
  return u"&Print (Adj=" + EscapeAccessKeys(offsets.LeftRight) + u"/" +
         EscapeAccessKeys(offsets.UpDown) + u")";
}

std::u16string EnteredCaption(const CalibrationOffsets& offsets) {
  return u"&Print Adj=" + EscapeAccessKeys(offsets.LeftRight) + u"/" +
         EscapeAccessKeys(offsets.UpDown);
}

std::u16string CaptionText(std::u16string_view caption) {
  return OneLine(Elided(caption, kCaptionLimit, &MarksAccessKey));
}

}  // namespace quillet
