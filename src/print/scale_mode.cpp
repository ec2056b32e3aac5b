#include "print/scale_mode.h"

#include <cmath>

namespace quillet {

double UnitsPerInch(std::int16_t scale_mode) {
  return scale_mode == kScaleInches ? 1 : kTwipsPerInch;
}

int FontPixelHeight(double points, double pixels_per_inch) {
  return static_cast<int>(std::lround(points * pixels_per_inch / kPointsPerInch));
}

}  // namespace quillet
