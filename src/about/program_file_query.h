// The facts of the running program file that the About box shows, found by
// each platform in its own way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

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

// The program file's path as Windows shows it: folder + "\" (unless it ends
// in "\" already) + name + ".EXE".
std::u16string WindowsProgramPath(std::u16string_view folder, std::u16string_view name);

class ProgramFileQuery {
 public:
  virtual ~ProgramFileQuery() = default;
  virtual ProgramFileFacts Query() = 0;
};

}  // namespace quillet
