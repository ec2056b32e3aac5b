#include "platform/win32/win32_font.h"

#include <algorithm>

namespace quillet {

int FontHeight(double points, int pixels_per_inch) {
  return -FontPixelHeight(points, pixels_per_inch);
}

UniqueFont MakeFont(std::u16string_view face, double points, int pixels_per_inch, FontPitch pitch) {
  LOGFONTW font{};
  font.lfHeight = FontHeight(points, pixels_per_inch);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = pitch == FontPitch::kFixed ? ANSI_CHARSET : DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  switch (pitch) {
    case FontPitch::kFixed:
      font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      break;
    case FontPitch::kVariable:
      font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
      break;
  }
  const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::copy_n(face.begin(), length, font.lfFaceName);
  return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace quillet
