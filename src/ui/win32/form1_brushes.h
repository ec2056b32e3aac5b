// The brushes the main window paints with, in the colours ui/form1_colours
// gives for the desktop's current scheme (system colours and high contrast).
#pragma once

#include <windows.h>

#include "common/win32_handles.h"

namespace quillet {

class Form1Brushes {
 public:
  Form1Brushes() { Refresh(); }

  // Reads the scheme again and remakes the brushes.
  void Refresh();

  HBRUSH background() const { return background_.get(); }
  HBRUSH filler() const { return filler_.get(); }
  HBRUSH heading() const { return heading_.get(); }
  COLORREF heading_colour() const { return heading_colour_; }
  COLORREF heading_text() const { return heading_text_; }

 private:
  COLORREF filler_colour_ = 0;
  COLORREF heading_colour_ = 0;
  COLORREF heading_text_ = 0;
  UniqueBrush background_;
  UniqueBrush filler_;
  UniqueBrush heading_;
};

}  // namespace quillet
