#include "print/scale_mode.h"

#include <cmath>

namespace quillet {

double UnitsPerInch(std::int16_t scale_mode, double device_pixels_per_inch) {
  switch (scale_mode) {
    case kScalePoints:
      return kPointsPerInch;
    case kScalePixels:
      return device_pixels_per_inch;
    case kScaleInches:
      return 1;
    case kScaleMillimetres:
      return 25.4;
    case kScaleCentimetres:
      return 2.54;
    default:
      return kTwipsPerInch;
  }
}

int FontPixelHeight(double points, double pixels_per_inch) {
  return static_cast<int>(std::lround(points * pixels_per_inch / kPointsPerInch));
}

}  // namespace quillet
