// Prints a sheet of known labels on the default printer through the GDI
// surface, the way the printer dialog's DC would, with the calibration file
// in the working folder. Writes to standard output the printable area's
// top-left on the landscape page ("area X Y", in points from the page's
// top-left), the ascent of the font the lines are drawn in ("ascent A", in
// points) and each printed line ("group index line text"), for
// wine_print_test.sh to find on the printed page. With a file name as its
// argument the job goes into that file instead of to the printer's queue.
#include <cstdio>
#include <string>

#include "calibration/calibrated_print.h"
#include "common/ansi_text.h"
#include "platform/win32/win32_font.h"
#include "platform/win32/win32_printer_dialog.h"

namespace {

using quillet::Line;

class DefaultPrinter : public quillet::PrinterDialog {
 public:
  explicit DefaultPrinter(std::u16string output_file) : output_file_(std::move(output_file)) {}
  quillet::PrinterChoice ShowPrinter() override {
    auto surface = quillet::SurfaceOnDefaultPrinter();
    if (!surface) return surface.status();
    surface.value()->SetOutputFile(output_file_);
    return quillet::PrinterChoice(std::move(surface).value());
  }

 private:
  std::u16string output_file_;
};

struct Label {
  int group, index;
  const char16_t* line1;
  const char16_t* line2;
};

// Every length the field centres differently, and one longer than a label.
constexpr Label kLabels[] = {
    {1, 0, u"A", u"L0"},       {1, 8, u"BB", u"L1"},         {5, 4, u"CCC", u"L2"},
    {9, 0, u"DDDD", u"L3"},    {9, 8, u"EEEEE", u"L4"},      {3, 2, u"FFFFFF", u"L5"},
    {7, 6, u"GGGGGGG", u"L6"}, {2, 5, u"HHHHHHHHHH", u"L7"},
};

// Where the printable area starts on the landscape page, and how far the
// top of a line lies above its baseline, in points.
bool ReportPage() {
  auto surface = quillet::SurfaceOnDefaultPrinter();
  if (!surface) return false;
  quillet::GdiPrintSurface& page = **surface;
  page.Orientation(2);
  const HDC dc = page.dc();
  if (ResetDCW(dc, page.devmode()) == nullptr) return false;
  const double dpi_x = GetDeviceCaps(dc, LOGPIXELSX), dpi_y = GetDeviceCaps(dc, LOGPIXELSY);
  std::printf("area %.4f %.4f\n", GetDeviceCaps(dc, PHYSICALOFFSETX) * 72 / dpi_x,
              GetDeviceCaps(dc, PHYSICALOFFSETY) * 72 / dpi_y);
  const quillet::UniqueFont font =
      quillet::MakeFont(quillet::kDefaultTypeface, quillet::kDefaultPointSize,
                        static_cast<int>(dpi_y), quillet::FontPitch::kAny);
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
  quillet::LabelSheet sheet;
  for (const Label& label : kLabels) {
    sheet.SetText(label.group, label.index, Line::Text1, label.line1);
    sheet.SetText(label.group, label.index, Line::Text2, label.line2);
  }
  DefaultPrinter printer(argc > 1 ? quillet::FromUtf8(argv[1]) : u"");
  const auto printed = quillet::PrintCalibrated(sheet, printer);
  if (!printed) {
    std::fprintf(stderr, "%s\n", printed.message().c_str());
    return 1;
  }
  for (const Label& label : kLabels) {
    for (Line line : {Line::Text1, Line::Text2}) {
      std::printf("%d %d %d %s\n", label.group, label.index, line == Line::Text1 ? 1 : 2,
                  quillet::ToUtf8(sheet.GetText(label.group, label.index, line)).c_str());
    }
  }
  return 0;
}
