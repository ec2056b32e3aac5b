// The text of the About box, built from fixed maker details and the facts of
// the running program file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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

// A file's last-modification moment, local time.
struct FileTimestamp {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;
  int hour = 0;  // 0..23
  int minute = 0;
};

struct ProgramFileFacts {
  std::u16string path;
  std::optional<FileTimestamp> modified;  // none when it cannot be read
  std::optional<std::uint64_t> size;      // none when it cannot be read
};

// Finds the facts of the running program file (platform side).
class ProgramFileQuery {
 public:
  virtual ~ProgramFileQuery() = default;
  virtual ProgramFileFacts Query() = 0;
};

// folder + "\" (unless it ends in "\" already) + name + ".EXE".
std::u16string WindowsProgramPath(std::u16string_view folder, std::u16string_view name);

std::u16string FormatDate(const FileTimestamp& moment);  // "mm/dd/yy"
std::u16string FormatTime(const FileTimestamp& moment);  // "h:mm AM/PM"
std::u16string FormatSize(std::uint64_t bytes);          // "##,###", 0 gives ""

// Lines separated by LF alone; the program lines only when the date is known.
std::u16string AboutText(const MakerDetails& maker, const ProgramFileFacts& program);

}  // namespace quillet
