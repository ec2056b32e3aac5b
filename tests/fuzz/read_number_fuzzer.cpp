// Any text as an answer in the input box: ReadNumber gives a number or an
// infinity, never NaN; the text of a number reads back as that number, also
// with blanks inside it and words after it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "calibration/number_text.h"
#include "common/ansi_text.h"
#include "fuzz_check.h"

namespace {

bool SameNumber(double a, double b) {
  return a == b;  // 0 == -0: FormatNumber writes both as "0"
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(!std::isnan(quillet::ReadNumber(quillet::FromAnsi(bytes))));
  FUZZ_CHECK(!std::isnan(quillet::ReadNumber(quillet::FromUtf8(bytes))));

  if (size >= sizeof(double)) {
    double x = 0;
    std::memcpy(&x, data, sizeof x);
    if (std::isfinite(x)) {
      const std::u16string text = quillet::FormatNumber(x);
      FUZZ_CHECK(SameNumber(quillet::ReadNumber(text), x));
      // Blanks, tabs and LFs are dropped wherever they stand; a unit word
      // after the number ends it.
      std::u16string spaced;
      for (char16_t c : text) {
        spaced += c;
        spaced += (c % 3 == 0) ? u' ' : (c % 3 == 1 ? u'\t' : u'\n');
      }
      FUZZ_CHECK(SameNumber(quillet::ReadNumber(spaced), x));
      const std::u16string rest = quillet::FromAnsi(bytes.substr(sizeof(double)));
      if (rest.empty() ||
          !(rest[0] == u'e' || rest[0] == u'E' || rest[0] == u'd' || rest[0] == u'D' ||
            rest[0] == u'.' || (rest[0] >= u'0' && rest[0] <= u'9') || rest[0] == u' ' ||
            rest[0] == u'\t' || rest[0] == u'\n')) {
        FUZZ_CHECK(SameNumber(quillet::ReadNumber(text + rest), x));
      }
    }
  }
  return 0;
}
