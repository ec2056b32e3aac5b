#include "ui/form1_colours.h"

#include <algorithm>

namespace quillet {
namespace {

// Black on white is 21:1; the standard light schemes (a grey window, black
// text) stay below 19:1.
constexpr double kHighContrast = 20;

// What sets a filler apart from the inside of a cell beside it, as the
// guidelines ask of the parts of a control.
constexpr double kFillerAgainstCell = 3;

// The lightest grey readable on white, and as far from black.
constexpr Rgb kMidGrey{0x76, 0x76, 0x76};

// The filler: `preferred` (the scheme's text), or else black, white or grey,
// the first that is readable on the background and stands off the cells.
// Should none do both, the one that comes nearest.
Rgb FillerColour(Rgb preferred, Rgb background, Rgb box) {
  const Rgb candidates[] = {ReadableOn(preferred, background), kBlack, kWhite, kMidGrey};
  Rgb nearest = candidates[0];
  double nearest_share = 0;
  for (const Rgb candidate : candidates) {
    const double share = std::min(ContrastRatio(candidate, background) / kMinimumTextContrast,
                                  ContrastRatio(candidate, box) / kFillerAgainstCell);
    if (share >= 1) return candidate;
    if (share > nearest_share) {
      nearest = candidate;
      nearest_share = share;
    }
  }
  return nearest;
}

}  // namespace

Form1Colours ColoursFor(const DesktopScheme& scheme) {
  // The white client area is the standard scheme's; only a high-contrast
  // scheme, chosen for the user's eyes, replaces it.
  const Rgb background = scheme.high_contrast ? scheme.face : kWhite;
  // A scheme whose text is light would make the fillers vanish into a light
  // background, and the headings' numbers into theirs.
  return {background, FillerColour(scheme.text, background, scheme.box), scheme.highlighted_text,
          ReadableOn(scheme.text, scheme.highlighted_text)};
}

bool LooksHighContrast(Rgb face, Rgb text) {
  return ContrastRatio(face, text) >= kHighContrast;
}

}  // namespace quillet
