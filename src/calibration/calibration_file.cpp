#include "calibration/calibration_file.h"

#include "calibration/number_text.h"
#include "common/ansi_text.h"
#include "common/text_file.h"

namespace quillet {
namespace {

// The bytes of the file the start-up creates: "0" CR LF "0" CR LF.
constexpr std::string_view kDefaultFile = "0\r\n0\r\n";

// Takes one line off the front of `bytes`: everything up to the next CR, with
// an LF right after that CR counted as part of the line end.
std::string_view TakeLine(std::string_view& bytes) {
  const std::size_t cr = bytes.find('\r');
  if (cr == std::string_view::npos) {
    const std::string_view line = bytes;
    bytes = {};
    return line;
  }
  const std::string_view line = bytes.substr(0, cr);
  std::size_t next = cr + 1;
  if (next < bytes.size() && bytes[next] == '\n') ++next;
  bytes.remove_prefix(next);
  return line;
}

}  // namespace

CalibrationOffsets ParseCalibration(std::string_view bytes) {
  CalibrationOffsets offsets;
  offsets.LeftRight = FromAnsi(TakeLine(bytes));
  offsets.UpDown = FromAnsi(TakeLine(bytes));
  return offsets;
}

Result<CalibrationOffsets> ReadCalibration(const std::filesystem::path& file) {
  Result<std::string> bytes = ReadFileBytes(file);
  if (!bytes) return bytes.status();
  return ParseCalibration(bytes.value());
}

Status WriteCalibration(double left_right, double up_down, const std::filesystem::path& file) {
  const std::u16string text = FormatNumber(left_right) + u"\r\n" + FormatNumber(up_down) + u"\r\n";
  const Result<std::string> bytes = ToAnsi(text);
  if (!bytes) {
    return Status::Failure("Could not write the file \"" + DisplayName(file) +
                           "\": " + bytes.message() + ".");
  }
  return ReplaceFileBytes(file, bytes.value());
}

Result<CalibrationOffsets> LoadCalibrationAtStart(const std::filesystem::path& file) {
  // Only a missing file gets the defaults: one that exists but cannot be read
  // may still hold the user's calibration, so it is reported, never replaced.
  // Nor is one that another copy of the program makes at the same moment.
  if (Status created = CreateFileIfMissing(file, kDefaultFile); !created) return created;
  return ReadCalibration(file);
}

}  // namespace quillet
