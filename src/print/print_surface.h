// The printer page as printing sees it, under the printer object's own names.
//
// Printing reaches the printer only through this, so a recording surface can
// stand in for it. Coordinates are in the unit ScaleMode chose (5 = inches).
#pragma once

#include <cstdint>
#include <string>

#include "common/result.h"

namespace quillet {

// The font a surface starts with; FontName changes only its face.
inline constexpr double kDefaultPointSize = 8;
inline constexpr char16_t kDefaultTypeface[] = u"Courier New";

struct PrintFont {
  std::u16string face = kDefaultTypeface;
  double points = kDefaultPointSize;
  bool operator==(const PrintFont&) const = default;
};

class PrintSurface {
 public:
  virtual ~PrintSurface() = default;

  virtual void ScaleMode(std::int16_t mode) = 0;
  // The page orientation: 1 portrait, 2 landscape.
  virtual void Orientation(std::int16_t orientation) = 0;
  // Coordinates that the left and top edges of the printable area are to have.
  virtual void ScaleLeft(float x) = 0;
  virtual void ScaleTop(float y) = 0;
  // Left end and top of the next printed line.
  virtual void CurrentX(float x) = 0;
  virtual void CurrentY(float y) = 0;
  // Typeface of all later text (Font.Name); size and style stay as they are.
  virtual void FontName(const std::u16string& name) = 0;
  // Draws the text with the top-left corner of its line at (CurrentX, CurrentY),
  // then moves the print position to the start of the next line.
  virtual Status Print(const std::u16string& text) = 0;
  // Sends everything printed since the document began to the printer as one job.
  virtual Status EndDoc() = 0;
  // True when nothing reached the printer after all: the user cancelled the
  // job as it started (the Save-as box of a printer that prints into a file),
  // or the printer refused it or failed and the job was taken back. False for
  // a surface that prints each line as it comes.
  virtual bool PrintedNothing() const { return false; }
};

}  // namespace quillet
