#include "print/device_print_surface.h"

#include <utility>

namespace quillet {
namespace {

Status NotStarted(const std::string& device, const std::string& reason) {
  return Status::Failure("Could not start printing on " + device + ": " + reason +
                         ". Nothing was printed.");
}

}  // namespace

void DevicePrintSurface::Orientation(std::int16_t orientation) {
  if (orientation == kPortrait || orientation == kLandscape) SetOrientation(orientation);
}

Status DevicePrintSurface::Print(const std::u16string& text) {
  const Resolution dpi = DeviceResolution();
  if (!(dpi.x > 0 && dpi.y > 0)) return NotStarted(DeviceName(), "it does not tell its resolution");
  const Result<double> line_height = LineHeight(font_);
  if (!line_height) return NotStarted(DeviceName(), line_height.message());

  const double units = UnitsPerInch(scale_mode_);
  page_.push_back(
      {(current_x_ - scale_left_) / units, (current_y_ - scale_top_) / units, font_, text});
  current_x_ = scale_left_;
  current_y_ += *line_height / dpi.y * units;
  return Status::Ok();
}

Status DevicePrintSurface::EndDoc() {
  if (ended_) return Status::Ok();
  ended_ = true;
  const std::vector<PlacedText> page = std::exchange(page_, {});
  const Result<JobStart> started = StartJob();
  if (!started) return NotStarted(DeviceName(), started.message());
  if (*started == JobStart::kCancelledByUser) return Status::Ok();
  for (const PlacedText& line : page) {
    if (Status placed = PlaceText(line); !placed) return Cancelled(placed);
  }
  if (Status sent = EndJob(); !sent) return Cancelled(sent);
  sent_ = true;
  return Status::Ok();
}

Status DevicePrintSurface::Cancelled(const Status& reason) {
  AbortJob();
  return Status::Failure("Printing on " + DeviceName() + " failed before the page was done: " +
                         reason.message() + ". The job was cancelled, so nothing was printed.");
}

}  // namespace quillet
