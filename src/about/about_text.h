// The text of the About box, built from fixed maker details and the facts of
// the running program file.
#pragma once

#include <cstdint>
#include <string>

#include "about/program_file_query.h"

namespace quillet {

inline constexpr char16_t kAboutTitle[] = u"About   Quillet";

struct MakerDetails {
  std::u16string first_line;  // the year and the maker's name
  std::u16string street;
  std::u16string city;
  std::u16string telephone;
  std::u16string email;
  std::u16string web;
};

// This program's maker.
const MakerDetails& QuilletMaker();

std::u16string FormatDate(const FileTimestamp& moment);  // "mm/dd/yy"
std::u16string FormatTime(const FileTimestamp& moment);  // "h:mm AM/PM"
std::u16string FormatSize(std::uint64_t bytes);          // "##,###", 0 gives ""

// Lines separated by LF alone; the program lines only when the date is known.
std::u16string AboutText(const MakerDetails& maker, const ProgramFileFacts& program);

}  // namespace quillet
