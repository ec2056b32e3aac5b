// The main window's colours over the desktop's colour scheme, the same on
// every platform: in the standard scheme a white client area, black fillers
// and white headings with black numbers; under a high-contrast scheme the
// scheme's own window colours. Every pair is kept readable, and a filler is
// never mistaken for an empty cell.
#pragma once

#include "ui/readable_colours.h"

namespace quillet {

// What the window takes from the desktop's scheme, the same colours on every
// system.
struct DesktopScheme {
  Rgb face;              // of windows and dialogs: QPalette::Window, COLOR_BTNFACE
  Rgb text;              // on it: QPalette::WindowText, COLOR_WINDOWTEXT
  Rgb box;               // inside edit boxes, the cells: QPalette::Base, COLOR_WINDOW
  Rgb highlighted_text;  // of selected items: QPalette::HighlightedText, COLOR_HIGHLIGHTTEXT
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
// face and text as far apart as black and white nearly are.
bool LooksHighContrast(Rgb face, Rgb text);

}  // namespace quillet
