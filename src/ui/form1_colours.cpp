#include "ui/form1_colours.h"

namespace quillet {
namespace {

// Black on white is 21:1; the standard light schemes (a grey window, black
// text) stay below 19:1.
constexpr double kHighContrast = 20;

}  // namespace

Form1Colours ColoursFor(const DesktopScheme& scheme) {
  // The white client area is the standard scheme's; only a high-contrast
  // scheme, chosen for the user's eyes, replaces it.
  const Rgb background = scheme.high_contrast ? scheme.face : kWhite;
  // A scheme whose text is light would make the fillers vanish into a light
  // background, and the headings' numbers into theirs.
  return {background, ReadableOn(scheme.text, background), scheme.highlighted_text,
          ReadableOn(scheme.text, scheme.highlighted_text)};
}

bool LooksHighContrast(Rgb face, Rgb text) {
  return ContrastRatio(face, text) >= kHighContrast;
}

}  // namespace quillet
