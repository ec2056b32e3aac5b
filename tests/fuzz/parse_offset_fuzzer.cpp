// Any text as a calibration line: ParseOffset never crashes, gives only finite
// numbers, and what it gives survives FormatNumber and ParseOffset unchanged.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "calibration/number_text.h"
#include "common/ansi_text.h"
#include "fuzz_check.h"

namespace {

bool SameNumber(double a, double b) {
  return a == b;  // -0 is written as "0", the same offset on paper
}

void CheckLine(std::u16string_view line) {
  const std::optional<double> value = quillet::ParseOffset(line);
  if (!value) return;
  FUZZ_CHECK(std::isfinite(*value));
  const std::u16string text = quillet::FormatNumber(*value);
  const std::optional<double> again = quillet::ParseOffset(text);
  FUZZ_CHECK(again.has_value());
  FUZZ_CHECK(SameNumber(*again, *value));
  FUZZ_CHECK(quillet::FormatNumber(*again) == text);
  // What is printed as a line of the file is plain ASCII.
  for (char16_t c : text) FUZZ_CHECK(c < 0x80 && c != u'\r' && c != u'\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The line as the file gives it (one character per byte) and as UTF-8 text.
  CheckLine(quillet::FromAnsi(bytes));
  CheckLine(quillet::FromUtf8(bytes));
  // Eight bytes as a double: every finite number reads back from its text.
  if (size >= sizeof(double)) {
    double x = 0;
    std::memcpy(&x, data, sizeof x);
    if (std::isfinite(x)) {
      const std::u16string text = quillet::FormatNumber(x);
      const std::optional<double> back = quillet::ParseOffset(text);
      FUZZ_CHECK(back.has_value());
      FUZZ_CHECK(SameNumber(*back, x));
      // An exponent only outside the range written in plain digits.
      const bool plain = std::fabs(x) >= 1e-6 && std::fabs(x) < 1e21;
      FUZZ_CHECK((text.find(u'e') == std::u16string::npos) == (plain || x == 0));
    }
  }
  return 0;
}
