// Prints a sheet of known labels on the default printer through the GDI
// surface, the way the printer dialog's DC would, with the calibration file
// in the working folder. Writes to standard output the printable area's
// top-left on the landscape page ("area X Y", in points from the page's
// top-left), the ascent of the font the lines are drawn in ("ascent A", in
// points) and each printed line ("group index line text"), for
// wine_print_test.sh to find on the printed page. With a file name as its
// argument the job goes into that file instead of to the printer's queue.
#include <cstdio>
#include <memory>
#include <string>

#include "common/ansi_text.h"
#include "platform/win32/default_printer.h"
#include "platform/win32/gdi_print_surface.h"
#include "platform/win32/win32_font.h"
#include "support/known_sheet.h"

namespace {

using quillet::testing::FindDefaultPrinter;

// The job goes into the file named in it (DOCINFO's output), not to the queue.
class IntoFile : public quillet::GdiPrintSurface {
 public:
  IntoFile(quillet::testing::DefaultPrinter printer, std::wstring file)
      : GdiPrintSurface(std::move(printer.dc), std::move(printer.name), std::move(printer.devmode)),
        file_(std::move(file)) {}

 private:
  int StartDocument(const DOCINFOW& document) override {
    DOCINFOW into_file = document;
    into_file.lpszOutput = file_.c_str();
    return StartDocW(dc(), &into_file);
  }
  std::wstring file_;
};

// The default printer, as the dialog gives it when Print is pressed at once.
class DefaultPrinterDialog : public quillet::PrinterDialog {
 public:
  explicit DefaultPrinterDialog(std::wstring output_file) : output_file_(std::move(output_file)) {}
  quillet::PrinterChoice ShowPrinter() override {
    auto printer = FindDefaultPrinter();
    if (!printer) return quillet::Status::Failure("no default printer");
    if (output_file_.empty()) {
      return quillet::PrinterChoice(std::make_unique<quillet::GdiPrintSurface>(
          std::move(printer->dc), std::move(printer->name), std::move(printer->devmode)));
    }
    return quillet::PrinterChoice(std::make_unique<IntoFile>(std::move(*printer), output_file_));
  }

 private:
  std::wstring output_file_;
};

// Where the printable area starts on the landscape page, and how far the
// top of a line lies above its baseline, in points.
bool ReportPage() {
  auto printer = FindDefaultPrinter();
  if (!printer) return false;
  quillet::GdiPrintSurface page(std::move(printer->dc), std::move(printer->name),
                                std::move(printer->devmode));
  page.Orientation(2);
  const HDC dc = page.dc();
  if (ResetDCW(dc, page.devmode()) == nullptr) return false;
  const double dpi_x = GetDeviceCaps(dc, LOGPIXELSX), dpi_y = GetDeviceCaps(dc, LOGPIXELSY);
  std::printf("area %.4f %.4f\n", GetDeviceCaps(dc, PHYSICALOFFSETX) * 72 / dpi_x,
              GetDeviceCaps(dc, PHYSICALOFFSETY) * 72 / dpi_y);
  const quillet::UniqueFont font =
      quillet::MakeFont(quillet::kDefaultTypeface, quillet::kDefaultPointSize,
                        static_cast<int>(dpi_y), quillet::FontPitch::kFixed);
  const HGDIOBJ before = SelectObject(dc, font.get());
  TEXTMETRICW metrics{};
  const bool measured = GetTextMetricsW(dc, &metrics);
  SelectObject(dc, before);
  if (!measured) return false;
  std::printf("ascent %.4f\n", metrics.tmAscent * 72 / dpi_y);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (!ReportPage()) {
    std::fprintf(stderr, "no default printer to print on\n");
    return 1;
  }
  DefaultPrinterDialog printer(argc > 1 ? quillet::Wide(quillet::FromUtf8(argv[1])) : L"");
  return quillet::testing::PrintKnownSheet(printer);
}
