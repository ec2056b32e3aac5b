#include "ui/win32/form1_brushes.h"

#include "ui/form1_colours.h"

namespace quillet {
namespace {

Rgb SystemColour(int index) {
  const COLORREF colour = GetSysColor(index);
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

COLORREF ToColorRef(Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

bool HighContrastOn() {
  HIGHCONTRASTW high_contrast{};
  high_contrast.cbSize = sizeof high_contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof high_contrast, &high_contrast, 0) &&
         (high_contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

void Form1Brushes::Refresh() {
  const Form1Colours colours =
      ColoursFor({SystemColour(COLOR_BTNFACE), SystemColour(COLOR_WINDOWTEXT),
                  SystemColour(COLOR_WINDOW), SystemColour(COLOR_HIGHLIGHTTEXT), HighContrastOn()});
  filler_colour_ = ToColorRef(colours.filler);
  heading_colour_ = ToColorRef(colours.heading_background);
  heading_text_ = ToColorRef(colours.heading_text);
  background_.reset(CreateSolidBrush(ToColorRef(colours.background)));
  filler_.reset(CreateSolidBrush(filler_colour_));
  heading_.reset(CreateSolidBrush(heading_colour_));
}

}  // namespace quillet
