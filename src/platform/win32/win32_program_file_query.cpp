#include "platform/win32/win32_program_file_query.h"

#include <windows.h>

#include "platform/win32/win32_text.h"

namespace quillet {

std::u16string RunningProgramPath() {
  // GetModuleFileNameW cuts the path to the buffer and says so only by
  // filling it; paths past MAX_PATH are possible.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::u16string();
    if (length < path.size()) {
      path.resize(length);
      return FromWide(path);
    }
    path.resize(path.size() * 2);
  }
}

ProgramFileFacts FileFactsAt(const std::u16string& path) {
  ProgramFileFacts facts;
  facts.path = path;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return facts;
  facts.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  // The local time of that moment, with the daylight saving time then in force.
  SYSTEMTIME universal{};
  SYSTEMTIME local{};
  if (FileTimeToSystemTime(&data.ftLastWriteTime, &universal) &&
      SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
    facts.modified =
        FileTimestamp{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute};
  }
  return facts;
}

ProgramFileFacts Win32ProgramFileQuery::Query() {
  const std::u16string module = RunningProgramPath();
  const std::size_t slash = module.find_last_of(u"\\/");
  const std::u16string folder = slash == std::u16string::npos ? u"" : module.substr(0, slash);
  std::u16string name = slash == std::u16string::npos ? module : module.substr(slash + 1);
  if (const std::size_t dot = name.find_last_of(u'.'); dot != std::u16string::npos) {
    name.resize(dot);
  }
  // The About box shows the name with ".EXE" in capitals, whatever its case; file
  // names on Windows ignore case, so the file is still found.
  return FileFactsAt(WindowsProgramPath(folder, name));
}

}  // namespace quillet
