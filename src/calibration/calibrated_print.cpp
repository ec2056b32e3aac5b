#include "calibration/calibrated_print.h"

#include "calibration/number_text.h"
#include "common/ansi_text.h"
#include "common/quoted_text.h"
#include "common/text_file.h"

namespace quillet {
namespace {

std::string Unusable(const std::filesystem::path& file, const char* which,
                     const std::u16string& text, const char* reason) {
  // A file written with line feeds alone (a Linux editor's) is one long line.
  const bool line_feeds = text.find(u'\n') != std::u16string::npos;
  return "The calibration file \"" + DisplayName(file) + "\" has \"" + MessageExcerpt(text) +
         "\" in its " + which + " line, which " + reason + "." +
         (line_feeds ? " Its lines end with a line feed alone; each must end with CR LF." : "") +
         " Nothing was printed. Enter the offsets again with Printer Calibration > Enter "
         "Adjustments.";
}

// The offset in one calibration line, or the failure that says why it is none.
Result<double> LineOffset(const std::filesystem::path& file, const char* which,
                          const std::u16string& text) {
  const std::optional<double> value = ParseOffset(text);
  if (!value) return Status::Failure(Unusable(file, which, text, "is not a number of inches"));
  if (!IsUsableOffset(*value)) {
    return Status::Failure(
        Unusable(file, which, text, "is too large to be a position on the page"));
  }
  return *value;
}

}  // namespace

Result<OffsetInches> OffsetsInInches(const CalibrationOffsets& offsets,
                                     const std::filesystem::path& file) {
  const Result<double> left_right = LineOffset(file, "first", offsets.LeftRight);
  if (!left_right) return left_right.status();
  const Result<double> up_down = LineOffset(file, "second", offsets.UpDown);
  if (!up_down) return up_down.status();
  return OffsetInches{*left_right, *up_down};
}

Result<CalibrationOffsets> ReadCalibrationToPrint(const std::filesystem::path& file) {
  if (!FileExists(file)) {
    const std::string missing =
        "The calibration file \"" + DisplayName(file) + "\" is missing. Nothing was printed. ";
    if (!FolderTakesNewFiles(file)) {
      std::error_code error;
      const std::filesystem::path folder = std::filesystem::absolute(file, error).parent_path();
      return Status::Failure(missing + "The folder \"" + DisplayName(folder) +
                             "\" takes no new file, so none can be made there: start Quillet "
                             "in a folder you may write to, or put a Quillex.dat into this one.");
    }
    return Status::Failure(missing + "Printer Calibration > Enter Adjustments makes a new one.");
  }
  return ReadCalibration(file);
}

Result<OffsetInches> ReadOffsetsInInches(const std::filesystem::path& file) {
  Result<CalibrationOffsets> offsets = ReadCalibrationToPrint(file);
  if (!offsets) return offsets.status();
  return OffsetsInInches(*offsets, file);
}

Result<PrintOutcome> PrintCalibrated(LabelSheet& sheet, PrinterDialog& dialog,
                                     const std::filesystem::path& file) {
  const Result<OffsetInches> offsets = ReadOffsetsInInches(file);
  if (!offsets) return offsets.status();
  return PrintLabel(sheet, dialog, *offsets);
}

}  // namespace quillet
