#include "platform/win32/gdi_print_surface.h"

#include <cmath>
#include <optional>

#include "common/ansi_text.h"
#include "common/system_error.h"
#include "platform/win32/win32_font.h"
#include "platform/win32/win32_text.h"

namespace quillet {
namespace {

constexpr wchar_t kDocumentName[] = L"Quillet labels";

// Why a step failed, in plain words: the common failures (a full disk, a
// folder refused) as every message words them, a queue that rejects the job
// (which Windows reports as an invalid handle) as such, and anything else in
// the step's own words `step_words` rather than the system's text.
std::string Reason(DWORD error, const char* step_words) {
  switch (error) {
    case ERROR_SUCCESS:
      return step_words;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_PRINTER_NAME:
    case ERROR_PRINTER_DELETED:
      return "it did not accept the job";
    case ERROR_OUT_OF_PAPER:
      return "it is out of paper";
    case ERROR_PRINTQ_FULL:
      return "its queue is full";
    default:
      return WindowsErrorReason(error, step_words);
  }
}

// The call that `step` makes, which gives false on failure: nothing when it
// succeeded, else its error code (ERROR_SUCCESS when it set none).
template <typename Step>
std::optional<DWORD> ErrorOf(Step step) {
  SetLastError(ERROR_SUCCESS);
  if (step()) return std::nullopt;
  return GetLastError();
}

template <typename Step>
Status Failed(Step step, const char* step_words) {
  const std::optional<DWORD> error = ErrorOf(step);
  return error ? Status::Failure(Reason(*error, step_words)) : Status::Ok();
}

std::string FontReason(const PrintFont& font) {
  return "the font \"" + ToUtf8(font.face) + "\" could not be set up";
}

}  // namespace

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

PrintDevice::Resolution GdiPrintSurface::DeviceResolution() {
  return {static_cast<double>(GetDeviceCaps(dc_, LOGPIXELSX)),
          static_cast<double>(GetDeviceCaps(dc_, LOGPIXELSY))};
}

Result<double> GdiPrintSurface::LineHeight(const PrintFont& font) {
  const UniqueFont measured =
      MakeFont(font.face, font.points, GetDeviceCaps(dc_, LOGPIXELSY), FontPitch::kFixed);
  const SelectedObject selected(dc_, measured.get());
  TEXTMETRICW metrics{};
  if (!measured || !selected.ok() || !GetTextMetricsW(dc_, &metrics)) {
    return Status::Failure(FontReason(font));
  }
  return static_cast<double>(metrics.tmHeight + metrics.tmExternalLeading);
}

void GdiPrintSurface::SetOrientation(std::int16_t orientation) {
  if (devmode() == nullptr) return;  // a DC without settings keeps its page
  auto* settings = reinterpret_cast<DEVMODEW*>(devmode_.data());
  settings->dmOrientation = orientation == kLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  settings->dmFields |= DM_ORIENTATION;
  devmode_changed_ = true;
}

Result<PrintDevice::JobStart> GdiPrintSurface::StartJob() {
  if (owned_dc_) {
    if (devmode_changed_) {
      const auto* settings = reinterpret_cast<const DEVMODEW*>(devmode_.data());
      if (Status reset = Failed([&] { return ResetDCW(dc_, settings) != nullptr; },
                                "it did not take the page settings (landscape)");
          !reset) {
        return reset;
      }
    }
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = kDocumentName;
    if (const std::optional<DWORD> error = ErrorOf([&] { return StartDocument(document) > 0; })) {
      // The Save-as box of a printer that prints into a file was cancelled.
      if (*error == ERROR_CANCELLED) return JobStart::kCancelledByUser;
      return Status::Failure(Reason(*error, "it did not accept the job"));
    }
    if (Status paged = Failed([&] { return StartPage(dc_) > 0; }, "it refused a new page");
        !paged) {
      AbortDoc(dc_);
      return paged;
    }
  }
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, RGB(0, 0, 0));
  // The top-left corner of the line's cell at the point given, leading blanks included.
  SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
  return JobStart::kStarted;
}

bool GdiPrintSurface::Select(const PrintFont& font) {
  if (selected_font_ == font) return true;
  selection_.reset();
  selected_font_.reset();
  font_ = MakeFont(font.face, font.points, GetDeviceCaps(dc_, LOGPIXELSY), FontPitch::kFixed);
  if (!font_) return false;
  selection_.emplace(dc_, font_.get());
  if (!selection_->ok()) return false;
  selected_font_ = font;
  return true;
}

Status GdiPrintSurface::PlaceText(const PlacedText& line) {
  if (!Select(line.font)) return Status::Failure(FontReason(line.font));
  const std::wstring text = Wide(line.text);
  const int x = static_cast<int>(std::lround(line.x_inches * GetDeviceCaps(dc_, LOGPIXELSX)));
  const int y = static_cast<int>(std::lround(line.y_inches * GetDeviceCaps(dc_, LOGPIXELSY)));
  return Failed([&] { return TextOutW(dc_, x, y, text.data(), static_cast<int>(text.size())); },
                "a line could not be drawn");
}

Status GdiPrintSurface::EndJob() {
  selection_.reset();
  selected_font_.reset();
  if (!owned_dc_) return Status::Ok();
  if (Status paged = Failed([&] { return EndPage(dc_) > 0; }, "it refused the page"); !paged) {
    return paged;
  }
  return Failed([&] { return ::EndDoc(dc_) > 0; }, "it refused the end of the job");
}

void GdiPrintSurface::AbortJob() {
  selection_.reset();
  selected_font_.reset();
  if (owned_dc_) AbortDoc(dc_);
}

std::string GdiPrintSurface::DeviceName() const {
  if (!owned_dc_) return "the drawing surface";
  return "the printer \"" + ToUtf8(printer_) + "\"";
}

}  // namespace quillet
