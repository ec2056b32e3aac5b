#include "print/print_label.h"

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "print/scale_mode.h"

namespace quillet {
namespace {

// The page layout in inches, before the calibration offsets.
constexpr float kScaleLeft = -5.49f;
constexpr float kScaleTop = -4.6875f;
constexpr double kColumn0X = -5;
constexpr double kColumnPitch = 0.5625;  // 9/16 in
constexpr double kRow1Y = 0;
constexpr double kRowPitch = 0.375;  // 3/8 in
constexpr double kLineGap = 0.125;   // line 2 lies 1/8 in below line 1

// The first and last position of each axis; a sum rounds monotonically, so
// when these stay finite every line's position does.
constexpr double kExtremeTerms[] = {
    kColumn0X,
    (CellsPerGroup - 1) * kColumnPitch + kColumn0X,
    kRow1Y,
    (GroupCount - 1) * kRowPitch + (kRow1Y + kLineGap),
};

struct CutLine {
  int group, index;
  Line line;
  std::u16string text;  // as it was before the cut
};

// Cuts every line longer than the field to its first 7 code units, in the sheet
// itself, so the window shows what goes on paper. Lines that fit are not
// written. Gives the lines it cut, to put back when the job is cancelled.
std::vector<CutLine> TruncateLines(LabelSheet& sheet) {
  std::vector<CutLine> cut;
  for (int index = 0; index < CellsPerGroup; ++index) {
    for (Line line : {Line::Text1, Line::Text2}) {
      for (int group = 1; group <= GroupCount; ++group) {
        const std::u16string& text = sheet.GetText(group, index, line);
        if (text.size() > kFieldWidth) {
          cut.push_back({group, index, line, text});
          sheet.SetText(group, index, line, text.substr(0, kFieldWidth));
        }
      }
    }
  }
  return cut;
}

// The page set-up, the 162 lines column by column, and the end of the
// document; the first failure ends it.
Status PrintPage(PrintSurface& surface, const LabelSheet& sheet, OffsetInches offsets) {
  surface.ScaleMode(kScaleInches);
  surface.Orientation(kLandscape);
  surface.ScaleLeft(kScaleLeft);
  surface.ScaleTop(kScaleTop);
  surface.FontName(kDefaultTypeface);

  for (int index = 0; index < CellsPerGroup; ++index) {
    // Terms and sums in double, rounded to float only when set.
    const auto x = static_cast<float>(offsets.left_right + (index * kColumnPitch + kColumn0X));
    for (int row = 0; row < GroupCount; ++row) {
      const int group = row + 1;
      surface.CurrentY(static_cast<float>(offsets.up_down + (row * kRowPitch + kRow1Y)));
      surface.CurrentX(x);
      if (Status printed = surface.Print(Ctr(sheet.GetText(group, index, Line::Text1))); !printed)
        return printed;
      surface.CurrentY(
          static_cast<float>(offsets.up_down + (row * kRowPitch + (kRow1Y + kLineGap))));
      surface.CurrentX(x);
      if (Status printed = surface.Print(Ctr(sheet.GetText(group, index, Line::Text2))); !printed)
        return printed;
    }
  }
  return surface.EndDoc();
}

}  // namespace

std::u16string Ctr(const std::u16string& text) {
  const double n = 7.0 / 2 - static_cast<double>(text.size()) / 2;
  // nearbyint in the default rounding mode rounds halves to even, as wanted.
  const double spaces = std::nearbyint(n);
  return std::u16string(spaces > 0 ? static_cast<std::size_t>(spaces) : 0, u' ') + text;
}

bool IsUsableOffset(double inches) {
  for (const double term : kExtremeTerms) {
    if (!std::isfinite(static_cast<float>(inches + term))) return false;
  }
  return true;
}

Result<PrintOutcome> PrintLabel(LabelSheet& sheet, PrinterDialog& dialog, OffsetInches offsets) {
  // Checked before the dialog so that they neither cut the user's texts nor
  // start a job that would print at an infinite position.
  if (!IsUsableOffset(offsets.left_right) || !IsUsableOffset(offsets.up_down)) {
    return Status::Failure("The offsets do not give a position on the page. Nothing was printed.");
  }

  PrinterChoice chosen = dialog.ShowPrinter();
  if (!chosen) return chosen.status();
  std::unique_ptr<PrintSurface> surface = std::move(chosen).value();
  if (!surface) return PrintOutcome::kDismissed;

  std::vector<CutLine> cut = TruncateLines(sheet);
  const Status printed = PrintPage(*surface, sheet, offsets);
  // Texts cut for a page that never came out (the user cancelled the job as
  // it started, or the printer refused it) go back as they were.
  if (surface->PrintedNothing()) {
    for (CutLine& line : cut)
      sheet.SetText(line.group, line.index, line.line, std::move(line.text));
  }
  if (!printed) return printed;
  return surface->PrintedNothing() ? PrintOutcome::kDismissed : PrintOutcome::kPrinted;
}

}  // namespace quillet
