// The main window's colours over the desktop's colour scheme, the same on
// every platform: in the standard scheme a white client area, black fillers
// and white headings with black numbers; under a high-contrast scheme the
// scheme's own window colours. Every pair is kept readable.
#pragma once

#include "ui/readable_colours.h"

namespace quillet {

// What the window takes from the desktop's scheme.
struct DesktopScheme {
  Rgb window;            // the background of windows
  Rgb window_text;       // their text
  Rgb highlighted_text;  // the text of selected items
  bool high_contrast = false;
};

struct Form1Colours {
  Rgb background;  // the client area
  Rgb filler;
  Rgb heading_background;
  Rgb heading_text;
  friend bool operator==(const Form1Colours&, const Form1Colours&) = default;
};

Form1Colours ColoursFor(const DesktopScheme& scheme);

// For toolkits that do not say whether their scheme is a high-contrast one:
// window and text as far apart as black and white nearly are.
bool LooksHighContrast(Rgb window, Rgb window_text);

}  // namespace quillet
