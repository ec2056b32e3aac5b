// Any bytes as the calibration file: the two lines come out without a CR, are
// exactly the bytes before the first and second line end, and survive being
// written back in the program's own form.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calibration/calibration_file.h"
#include "common/ansi_text.h"
#include "fuzz_check.h"
#include "ui/window_text.h"

namespace {

// The bytes of the line that starts at `start`, and where the next one starts.
std::string_view LineAt(std::string_view bytes, std::size_t& start) {
  if (start >= bytes.size()) return {};
  const std::size_t cr = bytes.find('\r', start);
  const std::size_t end = cr == std::string_view::npos ? bytes.size() : cr;
  const std::string_view line = bytes.substr(start, end - start);
  start = end == bytes.size() ? end : end + 1;
  if (end < bytes.size() && start < bytes.size() && bytes[start] == '\n') ++start;
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const quillet::CalibrationOffsets offsets = quillet::ParseCalibration(bytes);

  FUZZ_CHECK(offsets.LeftRight.find(u'\r') == std::u16string::npos);
  FUZZ_CHECK(offsets.UpDown.find(u'\r') == std::u16string::npos);
  FUZZ_CHECK(offsets.LeftRight.size() + offsets.UpDown.size() <= size);

  // One character per byte, and back to the very same bytes.
  std::size_t start = 0;
  const std::string_view first = LineAt(bytes, start);
  const std::string_view second = LineAt(bytes, start);
  const quillet::Result<std::string> left_right = quillet::ToAnsi(offsets.LeftRight);
  const quillet::Result<std::string> up_down = quillet::ToAnsi(offsets.UpDown);
  FUZZ_CHECK(left_right.ok() && left_right.value() == first);
  FUZZ_CHECK(up_down.ok() && up_down.value() == second);
  FUZZ_CHECK(offsets.LeftRight.size() == first.size());
  FUZZ_CHECK(offsets.UpDown.size() == second.size());

  // Written back as two CR LF lines, the file reads as the same two lines.
  const std::string rewritten = std::string(first) + "\r\n" + std::string(second) + "\r\n";
  const quillet::CalibrationOffsets again = quillet::ParseCalibration(rewritten);
  FUZZ_CHECK(again.LeftRight == offsets.LeftRight);
  FUZZ_CHECK(again.UpDown == offsets.UpDown);

  // The start-up caption holds both lines, every "&" doubled and nothing lost.
  const std::u16string caption = quillet::StartCaption(offsets);
  FUZZ_CHECK(caption.size() >= offsets.LeftRight.size() + offsets.UpDown.size() + 14);
  return 0;
}
