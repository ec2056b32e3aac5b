// GDI fonts by face and point size, for the window and the printer alike.
#pragma once

#include <windows.h>

#include <string_view>

#include "common/win32_handles.h"
#include "print/scale_mode.h"

namespace quillet {

enum class FontPitch {
  // A monospaced face in the ANSI character set: where the face asked for is
  // missing, the system gives another monospaced one, never a proportional one.
  kFixed,
  kVariable,
};

// lfHeight of a font of `points` on a device of `pixels_per_inch`: the
// character height in whole pixels (FontPixelHeight), negated.
int FontHeight(double points, int pixels_per_inch);

// A regular-weight font of `face` at `points` for a device of `pixels_per_inch`.
UniqueFont MakeFont(std::u16string_view face, double points, int pixels_per_inch, FontPitch pitch);

}  // namespace quillet
