// The PrintSurface on a Windows printer (or any GDI device context), drawn
// with GDI when the document ends.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "common/win32_handles.h"
#include "print/print_surface.h"
#include "print/scale_mode.h"

namespace quillet {

class GdiPrintSurface : public PrintSurface {
 public:
  // A printer DC as the printer dialog made it, with the DEVMODE it was made
  // from; `printer` names it in messages. EndDoc sends the page as one job.
  GdiPrintSurface(UniqueDc printer_dc, std::u16string printer, std::vector<std::byte> devmode);
  // A DC that has no documents (a metafile or memory DC), owned by the caller:
  // EndDoc draws the page onto it. `devmode` takes the page settings asked for.
  explicit GdiPrintSurface(HDC target, std::vector<std::byte> devmode = {});
  // Without EndDoc nothing reaches the printer.
  ~GdiPrintSurface() override = default;

  // Sends the job to this file (DOCINFO.lpszOutput) rather than the printer's port.
  void SetOutputFile(std::u16string path) { output_file_ = std::move(path); }

  void ScaleMode(std::int16_t mode) override;
  // 2 asks the printer for landscape through the DEVMODE, applied before the job starts.
  void Orientation(std::int16_t orientation) override;
  void ScaleLeft(float x) override;
  void ScaleTop(float y) override;
  void CurrentX(float x) override;
  void CurrentY(float y) override;
  void FontName(const std::u16string& name) override;
  Status Print(const std::u16string& text) override;
  // Resets the DC to the DEVMODE when it changed, then StartDoc, StartPage, the
  // lines, EndPage, EndDoc; a failure aborts the job, so no half page is sent.
  Status EndDoc() override;

  HDC dc() const { return dc_; }
  // The DEVMODE the job is printed with; null when the DC came without one.
  const DEVMODEW* devmode() const;

  // The font size that printing leaves as it is.
  static constexpr double kDefaultPointSize = 8;

 private:
  struct PlacedText {
    double x_inches, y_inches;  // from the printable area's top-left
    std::u16string face;
    double points;
    std::u16string text;
  };

  double UnitsPerInch(int pixels_per_inch) const;
  // Draws the kept lines onto `target`, converting inches to its device pixels.
  bool DrawPage(HDC target) const;
  std::string Describe() const;
  // Ends a job that failed half way, so nothing of it is printed.
  Status Abandon(const std::string& message);

  UniqueDc owned_dc_;  // null when the caller owns the DC and there is no job
  HDC dc_;
  std::u16string printer_;
  std::vector<std::byte> devmode_;
  bool devmode_changed_ = false;
  std::u16string output_file_;

  std::int16_t scale_mode_ = kScaleTwips;
  double scale_left_ = 0;
  double scale_top_ = 0;
  double current_x_ = 0;
  double current_y_ = 0;
  std::u16string face_ = u"Courier New";
  double points_ = kDefaultPointSize;
  // Kept until EndDoc so that a failure on the way sends nothing.
  std::vector<PlacedText> page_;
  bool ended_ = false;
};

// The font the surface draws `face` at `points` with, on a device of
// `pixels_per_inch`: a fractional size keeps its fraction down to the pixel.
UniqueFont GdiFont(const std::u16string& face, double points, int pixels_per_inch);

}  // namespace quillet
