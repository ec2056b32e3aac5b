#include "platform/win32/gdi_print_surface.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <optional>

#include "common/ansi_text.h"
#include "common/system_error.h"
#include "platform/win32/win32_text.h"
#include "print/scale_mode.h"

namespace quillet {
namespace {

constexpr double kPointsPerInch = 72;
constexpr wchar_t kDocumentName[] = L"Quillet labels";

// The system's reason for the failure of the call that `step` made, or
// `fallback` when it gave none.
template <typename Step>
std::optional<std::string> Failed(Step step, const char* fallback) {
  SetLastError(ERROR_SUCCESS);
  if (step()) return std::nullopt;
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? WindowsErrorReason(error) : fallback;
}

}  // namespace

UniqueFont GdiFont(const std::u16string& face, double points, int pixels_per_inch) {
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(points * pixels_per_inch / kPointsPerInch));
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::memcpy(font.lfFaceName, face.data(), length * sizeof(wchar_t));
  return UniqueFont(CreateFontIndirectW(&font));
}

GdiPrintSurface::GdiPrintSurface(UniqueDc printer_dc, std::u16string printer,
                                 std::vector<std::byte> devmode)
    : owned_dc_(std::move(printer_dc)),
      dc_(owned_dc_.get()),
      printer_(std::move(printer)),
      devmode_(std::move(devmode)) {}

GdiPrintSurface::GdiPrintSurface(HDC target, std::vector<std::byte> devmode)
    : dc_(target), devmode_(std::move(devmode)) {}

const DEVMODEW* GdiPrintSurface::devmode() const {
  // Older drivers give shorter DEVMODEs, but all with the orientation.
  if (devmode_.size() < offsetof(DEVMODEW, dmOrientation) + sizeof(short)) return nullptr;
  return reinterpret_cast<const DEVMODEW*>(devmode_.data());
}

void GdiPrintSurface::ScaleMode(std::int16_t mode) {
  scale_mode_ = mode;
}

void GdiPrintSurface::Orientation(std::int16_t orientation) {
  if (orientation != kPortrait && orientation != kLandscape) return;
  if (devmode() == nullptr) return;  // a DC without settings keeps its page
  auto* settings = reinterpret_cast<DEVMODEW*>(devmode_.data());
  settings->dmOrientation = orientation == kLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  settings->dmFields |= DM_ORIENTATION;
  devmode_changed_ = true;
}

void GdiPrintSurface::ScaleLeft(float x) {
  scale_left_ = x;
}
void GdiPrintSurface::ScaleTop(float y) {
  scale_top_ = y;
}
void GdiPrintSurface::CurrentX(float x) {
  current_x_ = x;
}
void GdiPrintSurface::CurrentY(float y) {
  current_y_ = y;
}

void GdiPrintSurface::FontName(const std::u16string& name) {
  face_ = name;
}

double GdiPrintSurface::UnitsPerInch(int pixels_per_inch) const {
  return quillet::UnitsPerInch(scale_mode_, pixels_per_inch);
}

Status GdiPrintSurface::Print(const std::u16string& text) {
  const int dpi_x = GetDeviceCaps(dc_, LOGPIXELSX);
  const int dpi_y = GetDeviceCaps(dc_, LOGPIXELSY);
  if (dpi_x <= 0 || dpi_y <= 0) {
    return Status::Failure("Could not print on " + Describe() +
                           ": it does not tell its resolution. Nothing was printed.");
  }
  // The line's height decides where the next line starts.
  const UniqueFont font = GdiFont(face_, points_, dpi_y);
  TEXTMETRICW metrics{};
  {
    const SelectedObject selected(dc_, font.get());
    if (!font || !selected.ok() || !GetTextMetricsW(dc_, &metrics)) {
      return Status::Failure("Could not set up the font \"" + ToUtf8(face_) + "\" on " +
                             Describe() + ". Nothing was printed.");
    }
  }
  page_.push_back({(current_x_ - scale_left_) / UnitsPerInch(dpi_x),
                   (current_y_ - scale_top_) / UnitsPerInch(dpi_y), face_, points_, text});
  current_x_ = scale_left_;
  const double line_pixels = metrics.tmHeight + metrics.tmExternalLeading;
  current_y_ += line_pixels / dpi_y * UnitsPerInch(dpi_y);
  return Status::Ok();
}

// The one place that turns inches into device pixels.
bool GdiPrintSurface::DrawPage(HDC target) const {
  const int dpi_x = GetDeviceCaps(target, LOGPIXELSX);
  const int dpi_y = GetDeviceCaps(target, LOGPIXELSY);
  SetBkMode(target, TRANSPARENT);
  SetTextColor(target, RGB(0, 0, 0));
  // The top-left corner of the line's cell at the point given, leading blanks included.
  SetTextAlign(target, TA_TOP | TA_LEFT | TA_NOUPDATECP);

  UniqueFont font;
  std::optional<SelectedObject> selected;  // goes before the font it holds
  const std::u16string* face = nullptr;
  double points = 0;
  for (const PlacedText& line : page_) {
    if (face == nullptr || *face != line.face || points != line.points) {
      selected.reset();
      font = GdiFont(line.face, line.points, dpi_y);
      if (!font) return false;
      selected.emplace(target, font.get());
      if (!selected->ok()) return false;
      face = &line.face;
      points = line.points;
    }
    const std::wstring text = Wide(line.text);
    if (!TextOutW(target, static_cast<int>(std::lround(line.x_inches * dpi_x)),
                  static_cast<int>(std::lround(line.y_inches * dpi_y)), text.data(),
                  static_cast<int>(text.size()))) {
      return false;
    }
  }
  return true;
}

std::string GdiPrintSurface::Describe() const {
  if (!owned_dc_) return "the drawing surface";
  std::string name = "the printer \"" + ToUtf8(printer_) + "\"";
  if (!output_file_.empty()) name += " (into the file \"" + ToUtf8(output_file_) + "\")";
  return name;
}

Status GdiPrintSurface::Abandon(const std::string& message) {
  AbortDoc(dc_);
  return Status::Failure(message);
}

Status GdiPrintSurface::EndDoc() {
  if (ended_) return Status::Ok();
  ended_ = true;
  if (!owned_dc_) {
    const bool drawn = DrawPage(dc_);
    page_.clear();
    if (!drawn) return Status::Failure("Could not draw the page on " + Describe() + ".");
    return Status::Ok();
  }

  const std::string start_failed = "Could not start printing on " + Describe() + ": ";
  const std::string nothing = ". Nothing was printed.";
  if (devmode_changed_) {
    const auto* settings = reinterpret_cast<const DEVMODEW*>(devmode_.data());
    if (auto reason = Failed([&] { return ResetDCW(dc_, settings) != nullptr; },
                             "it did not take the page settings (landscape)")) {
      return Status::Failure(start_failed + *reason + nothing);
    }
  }
  const std::wstring output = Wide(output_file_);
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = kDocumentName;
  document.lpszOutput = output.empty() ? nullptr : output.c_str();
  if (auto reason =
          Failed([&] { return StartDocW(dc_, &document) > 0; }, "it did not accept the job")) {
    return Status::Failure(start_failed + *reason + nothing);
  }

  const std::string failed = "Printing on " + Describe() + " failed before the page was done: ";
  const std::string cancelled = ". The job was cancelled, so nothing was printed.";
  if (auto reason = Failed([&] { return StartPage(dc_) > 0; }, "it refused a new page")) {
    return Abandon(failed + *reason + cancelled);
  }
  const auto not_drawn = Failed([&] { return DrawPage(dc_); }, "a line could not be drawn");
  page_.clear();
  if (not_drawn) return Abandon(failed + *not_drawn + cancelled);
  if (auto reason = Failed([&] { return EndPage(dc_) > 0; }, "it refused the page")) {
    return Abandon(failed + *reason + cancelled);
  }
  if (auto reason = Failed([&] { return ::EndDoc(dc_) > 0; }, "it refused the end of the job")) {
    return Abandon(failed + *reason + cancelled);
  }
  return Status::Ok();
}

}  // namespace quillet
