#include "ui/win32/form1_colours.h"

#include "ui/readable_colours.h"

namespace quillet {
namespace {

Rgb ToRgb(COLORREF colour) {
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

COLORREF ToColorRef(Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

}  // namespace

void Form1Colours::Refresh() {
  background_colour_ = GetSysColor(COLOR_CAPTIONTEXT);
  const Rgb window_text = ToRgb(GetSysColor(COLOR_WINDOWTEXT));
  // The fillers are dark bars on the background; a scheme whose window text
  // is light would make them vanish into a light background.
  filler_colour_ = ToColorRef(ReadableOn(window_text, ToRgb(background_colour_)));
  heading_colour_ = GetSysColor(COLOR_HIGHLIGHTTEXT);
  heading_text_ = ToColorRef(ReadableOn(window_text, ToRgb(heading_colour_)));
  background_.reset(CreateSolidBrush(background_colour_));
  filler_.reset(CreateSolidBrush(filler_colour_));
  heading_.reset(CreateSolidBrush(heading_colour_));
}

}  // namespace quillet
