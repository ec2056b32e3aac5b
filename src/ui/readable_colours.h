// Text colours that stay readable on a given background, whatever colour
// scheme the desktop hands out: the contrast measure of the web's
// accessibility guidelines (WCAG 2) and a choice that keeps it.
#pragma once

#include <cstdint>

namespace quillet {

struct Rgb {
  std::uint8_t red, green, blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// The least contrast at which normal-sized text counts as readable.
inline constexpr double kMinimumTextContrast = 4.5;

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(Rgb colour);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(Rgb a, Rgb b);

// `preferred` when it keeps at least kMinimumTextContrast against
// `background`, otherwise black or white, whichever contrasts more.
Rgb ReadableOn(Rgb preferred, Rgb background);

}  // namespace quillet
