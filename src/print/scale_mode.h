// The units a PrintSurface's coordinates can be in, by the numbers ScaleMode
// takes, and the page orientations by the numbers Orientation takes.
#pragma once

#include <cstdint>

namespace quillet {

// Printing sets inches; until then the printer object counts in twips.
inline constexpr std::int16_t kScaleTwips = 1;
inline constexpr std::int16_t kScaleInches = 5;

inline constexpr std::int16_t kPortrait = 1;
inline constexpr std::int16_t kLandscape = 2;

inline constexpr double kPointsPerInch = 72;
inline constexpr int kTwipsPerInch = 1440;

// How many units of `scale_mode` make an inch; any other mode than inches
// counts in twips, the default.
double UnitsPerInch(std::int16_t scale_mode);

// The character height in whole device pixels of a font of `points` on a
// device of `pixels_per_inch`, for the printer and the window alike.
int FontPixelHeight(double points, double pixels_per_inch);

}  // namespace quillet
