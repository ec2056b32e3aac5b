#include "print/scale_mode.h"

namespace quillet {

double UnitsPerInch(std::int16_t scale_mode, double device_pixels_per_inch) {
  switch (scale_mode) {
    case kScalePoints:
      return 72;
    case kScalePixels:
      return device_pixels_per_inch;
    case kScaleInches:
      return 1;
    case kScaleMillimetres:
      return 25.4;
    case kScaleCentimetres:
      return 2.54;
    default:
      return 1440;
  }
}

}  // namespace quillet
