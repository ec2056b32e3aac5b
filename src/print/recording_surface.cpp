#include "print/recording_surface.h"

#include <charconv>

#include "common/ansi_text.h"

namespace quillet {
namespace {

std::string Number(float value) {
  if (value == 0) return "0";  // also for -0, which would only confuse a reader
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, error == std::errc() ? end : buffer);
}

std::string Quoted(std::u16string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::u16string escaped;
  for (char16_t c : text) {
    if (c == u'"' || c == u'\\') {
      escaped += u'\\';
      escaped += c;
    } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
      escaped += u"\\u";
      for (int shift = 12; shift >= 0; shift -= 4)
        escaped += static_cast<char16_t>(kHex[(c >> shift) & 0xF]);
    } else {
      escaped += c;
    }
  }
  return "\"" + ToUtf8(escaped) + "\"";
}

}  // namespace

void RecordingSurface::ScaleMode(std::int16_t mode) {
  log_.push_back("ScaleMode " + std::to_string(mode));
}

void RecordingSurface::Orientation(std::int16_t orientation) {
  log_.push_back("Orientation " + std::to_string(orientation));
}

void RecordingSurface::ScaleLeft(float x) {
  log_.push_back("ScaleLeft " + Number(x));
}
void RecordingSurface::ScaleTop(float y) {
  log_.push_back("ScaleTop " + Number(y));
}
void RecordingSurface::CurrentX(float x) {
  log_.push_back("CurrentX " + Number(x));
}
void RecordingSurface::CurrentY(float y) {
  log_.push_back("CurrentY " + Number(y));
}

void RecordingSurface::FontName(const std::u16string& name) {
  log_.push_back("FontName " + ToUtf8(name));
}

Status RecordingSurface::Print(const std::u16string& text) {
  ++prints_;
  if (prints_ == fail_at_print_) {
    return Status::Failure("The printer stopped at line " + std::to_string(prints_) +
                           " of the page.");
  }
  log_.push_back("Print " + Quoted(text));
  return Status::Ok();
}

Status RecordingSurface::EndDoc() {
  log_.push_back("EndDoc");
  return Status::Ok();
}

}  // namespace quillet
