// The printer object's state over a real device: the scale, the print
// position, the font, the page held until EndDoc, and the job's messages. A
// toolkit's surface adds only its device's own calls (PrintDevice), so every
// surface places a line at the same spot and fails with the same words.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/result.h"
#include "print/print_surface.h"
#include "print/scale_mode.h"

namespace quillet {

// One printed line: the top-left corner of its cell, leading blanks included,
// in inches from the top-left corner of the printable area.
struct PlacedText {
  double x_inches = 0;
  double y_inches = 0;
  PrintFont font;
  std::u16string text;
};

// What a device does for the surface. Reasons are plain words that finish a
// sentence about the device, without a full stop ("it cannot be reached").
class PrintDevice {
 public:
  struct Resolution {
    double x = 0, y = 0;  // device pixels per inch; 0 when the device cannot tell
  };
  // A job that did not fail to start: started, or cancelled by the user on the
  // way (the Save-as box of a printer that prints into a file).
  enum class JobStart { kStarted, kCancelledByUser };

  virtual ~PrintDevice() = default;

  virtual Resolution DeviceResolution() = 0;
  // Device pixels from the top of one line in `font` to the top of the next,
  // or the reason the font cannot be used.
  virtual Result<double> LineHeight(const PrintFont& font) = 0;
  // kPortrait or kLandscape, for the job that starts later.
  virtual void SetOrientation(std::int16_t orientation) = 0;
  // Starts the job and its one page; a failure or a cancel leaves nothing started.
  virtual Result<JobStart> StartJob() = 0;
  virtual Status PlaceText(const PlacedText& line) = 0;
  // Ends the page and sends the job.
  virtual Status EndJob() = 0;
  // Cancels a started job, so that nothing of it is printed.
  virtual void AbortJob() = 0;
  // The device as a message names it, such as: the printer "Office".
  virtual std::string DeviceName() const = 0;
};

class DevicePrintSurface : public PrintSurface, protected PrintDevice {
 public:
  void ScaleMode(std::int16_t mode) override { scale_mode_ = mode; }
  // Other numbers than portrait and landscape leave the page as it is.
  void Orientation(std::int16_t orientation) override;
  void ScaleLeft(float x) override { scale_left_ = x; }
  void ScaleTop(float y) override { scale_top_ = y; }
  void CurrentX(float x) override { current_x_ = x; }
  void CurrentY(float y) override { current_y_ = y; }
  void FontName(const std::u16string& name) override { font_.face = name; }
  // Keeps the line for EndDoc and moves the position to the left edge, one
  // line of the current font lower.
  Status Print(const std::u16string& text) override;
  // Starts the job, places every kept line and ends it; a failure on the way
  // cancels the job. Only the first call prints; without one nothing does.
  // A job the user cancelled as it started is no failure: nothing is printed.
  Status EndDoc() override;
  // The page is held until EndDoc, so until the job has ended well nothing is printed.
  bool PrintedNothing() const override { return !sent_; }

 protected:
  // For a device whose last step comes after the job (a file written whole),
  // when that step failed.
  void TakeBackPage() { sent_ = false; }

 private:
  Status Cancelled(const Status& reason);

  std::int16_t scale_mode_ = kScaleTwips;
  double scale_left_ = 0;
  double scale_top_ = 0;
  double current_x_ = 0;
  double current_y_ = 0;
  PrintFont font_;
  std::vector<PlacedText> page_;
  bool ended_ = false;
  bool sent_ = false;
};

}  // namespace quillet
