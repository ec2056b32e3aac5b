// The colours the main window paints with: system colours by their numbers
// (caption text 9 for the background, window text 8 for the fillers,
// highlighted text 14 behind the headings), each kept readable against what
// it stands on whatever scheme, high contrast included, the desktop uses.
#pragma once

#include <windows.h>

#include "common/win32_handles.h"

namespace quillet {

class Form1Colours {
 public:
  Form1Colours() { Refresh(); }

  // Reads the system colours again and remakes the brushes.
  void Refresh();

  HBRUSH background() const { return background_.get(); }
  COLORREF background_colour() const { return background_colour_; }
  HBRUSH filler() const { return filler_.get(); }
  COLORREF filler_colour() const { return filler_colour_; }
  HBRUSH heading() const { return heading_.get(); }
  COLORREF heading_colour() const { return heading_colour_; }
  COLORREF heading_text() const { return heading_text_; }

 private:
  COLORREF background_colour_ = 0;
  COLORREF filler_colour_ = 0;
  COLORREF heading_colour_ = 0;
  COLORREF heading_text_ = 0;
  UniqueBrush background_;
  UniqueBrush filler_;
  UniqueBrush heading_;
};

}  // namespace quillet
