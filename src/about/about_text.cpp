#include "about/about_text.h"

#include <string>

namespace quillet {
namespace {

constexpr std::u16string_view kIndent = u"                        ";  // 24 spaces
constexpr std::u16string_view kWebHeading = u"World Wide Web Homepage URL:";
constexpr std::u16string_view kVersionLine = u"Program:  Version 1.0000";

std::u16string Ascii(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

// At least `width` digits, with leading zeros.
std::u16string Padded(long long value, std::size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return Ascii(digits);
}

}  // namespace

const MakerDetails& QuilletMaker() {
  static const MakerDetails kMaker = {
      u"(C) 2026 Quillet Labelworks", u"1200 Gummed Paper Lane", u"Labelton, ZZ 00000",
      u"Tel. (555) 555-0142",         u"info@quillet.example",   u"https://www.quillet.example/",
  };
  return kMaker;
}

// The separators are fixed rather than taken from the user's locale, so the
// box reads the same on every machine.
std::u16string FormatDate(const FileTimestamp& moment) {
  const int year = ((moment.year % 100) + 100) % 100;  // also sound for years before 0
  return Padded(moment.month, 2) + u"/" + Padded(moment.day, 2) + u"/" + Padded(year, 2);
}

std::u16string FormatTime(const FileTimestamp& moment) {
  const int hour = ((moment.hour % 24) + 24) % 24;
  const int twelve = hour % 12 == 0 ? 12 : hour % 12;
  return Padded(twelve, 1) + u":" + Padded(moment.minute, 2) + (hour < 12 ? u" AM" : u" PM");
}

std::u16string FormatSize(std::uint64_t bytes) {
  if (bytes == 0) return std::u16string();  // "##,###" shows no digit for zero
  const std::string digits = std::to_string(bytes);
  std::u16string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += u',';
    grouped += static_cast<char16_t>(digits[i]);
  }
  return grouped;
}

std::u16string AboutText(const MakerDetails& maker, const ProgramFileFacts& program) {
  std::u16string text;
  text += maker.first_line + u"\n";
  for (const std::u16string* line : {&maker.street, &maker.city, &maker.telephone}) {
    text += kIndent;
    text += *line + u"\n";
  }
  text += kIndent;
  text += u"E-mail: " + maker.email + u"\n";
  text += u"\n";
  text += kWebHeading;
  text += u"\n" + maker.web + u"\n";
  text += u"\n";

  // Without a readable date the program lines are left out as a whole.
  if (!program.modified) return text;
  text += kVersionLine;
  text += u"\n  " + program.path + u"\n";
  text += u"  " + FormatDate(*program.modified) + u" " + FormatTime(*program.modified);
  if (program.size) text += u" " + FormatSize(*program.size) + u" bytes\n\n";
  return text;
}

}  // namespace quillet
