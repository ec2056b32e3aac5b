// The PrintSurface on a Windows printer (or any GDI device context), drawn
// with GDI when the document ends.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/win32_handles.h"
#include "print/device_print_surface.h"

namespace quillet {

class GdiPrintSurface : public DevicePrintSurface {
 public:
  // A printer DC as the printer dialog made it, with the DEVMODE it was made
  // from; `printer` names it in messages. EndDoc sends the page as one job.
  GdiPrintSurface(UniqueDc printer_dc, std::u16string printer, std::vector<std::byte> devmode);
  // A DC that has no documents (a metafile or memory DC), owned by the caller:
  // EndDoc draws the page onto it. `devmode` takes the page settings asked for.
  explicit GdiPrintSurface(HDC target, std::vector<std::byte> devmode = {});
  // Without EndDoc nothing reaches the printer.
  ~GdiPrintSurface() override = default;

  HDC dc() const { return dc_; }
  // The DEVMODE the job is printed with; null when the DC came without one.
  const DEVMODEW* devmode() const;

 private:
  Resolution DeviceResolution() override;
  Result<double> LineHeight(const PrintFont& font) override;
  // Landscape goes into the DEVMODE, which the DC is reset to before the job starts.
  void SetOrientation(std::int16_t orientation) override;
  // ResetDC when the DEVMODE changed, StartDoc, StartPage. A Save-as box
  // cancelled in StartDoc (ERROR_CANCELLED) is the user's cancel.
  Result<JobStart> StartJob() override;
  Status PlaceText(const PlacedText& line) override;
  // EndPage, EndDoc.
  Status EndJob() override;
  void AbortJob() override;
  std::string DeviceName() const override;

  // StartDocW on the DC, where a printer that prints into a file asks for its
  // name. Tests put their own in its place (a cancelled Save-as box, a file
  // named in the job).
  virtual int StartDocument(const DOCINFOW& document) { return StartDocW(dc_, &document); }

  // Selects `font` into the DC, unless it is selected already.
  bool Select(const PrintFont& font);

  UniqueDc owned_dc_;  // null when the caller owns the DC and there is no job
  HDC dc_;
  std::u16string printer_;
  std::vector<std::byte> devmode_;
  bool devmode_changed_ = false;

  // The font the lines are being drawn in; the selection goes before the font.
  std::optional<PrintFont> selected_font_;
  UniqueFont font_;
  std::optional<SelectedObject> selection_;
};

}  // namespace quillet
