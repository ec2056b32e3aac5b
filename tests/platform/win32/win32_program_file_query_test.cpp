#include "platform/win32/win32_program_file_query.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>

#include "common/win32_handles.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::TempDir;

// Makes `file` `size` bytes long (sparse where the system allows) and last
// changed at `local`, a local time.
void MakeFile(const std::filesystem::path& file, std::uint64_t size, const SYSTEMTIME& local) {
  const UniqueFileHandle handle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(handle);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  ASSERT_TRUE(SetFilePointerEx(handle.get(), end, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(handle.get()));
  SYSTEMTIME universal;
  FILETIME moment;
  ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal));
  ASSERT_TRUE(SystemTimeToFileTime(&universal, &moment));
  ASSERT_TRUE(SetFileTime(handle.get(), nullptr, nullptr, &moment));
}

TEST(FileFactsAt, ReadsTheLocalModificationTimeAndSizeAndNothingOfAMissingFile) {
  struct Case {
    const char* file;                   // in the test's folder
    std::optional<std::uint64_t> size;  // nothing: no such file
    SYSTEMTIME local;                   // year, month, day of week, day, hour, minute, second, ms
  };
  const Case cases[] = {
      {"QUILLET.EXE", std::nullopt, {}},
      {"no/such/QUILLET.EXE", std::nullopt, {}},
      {"QUILLET.EXE", 90112, {2002, 5, 0, 2, 15, 2, 41, 0}},
      {"QUILLET.EXE", 0, {2026, 1, 0, 1, 0, 5, 0, 0}},
      {"QUILLET.EXE", 3, {1999, 12, 0, 31, 23, 59, 59, 0}},
      {"QUILLET.EXE", 5'000'000'000, {2024, 7, 0, 14, 12, 30, 0, 0}},  // past 32 bits
  };
  TempDir dir;
  for (const Case& c : cases) {
    const auto file = (dir / c.file).make_preferred();
    SCOPED_TRACE(file.string() + " " + std::to_string(c.size.value_or(0)));
    if (c.size) MakeFile(file, *c.size, c.local);
    const ProgramFileFacts facts = FileFactsAt(file.u16string());
    EXPECT_EQ(facts.path, file.u16string());
    EXPECT_EQ(facts.size, c.size);
    ASSERT_EQ(facts.modified.has_value(), c.size.has_value());
    if (!c.size) continue;
    const FileTimestamp& m = *facts.modified;
    EXPECT_EQ(std::tie(m.year, m.month, m.day, m.hour, m.minute),
              std::make_tuple(int{c.local.wYear}, int{c.local.wMonth}, int{c.local.wDay},
                              int{c.local.wHour}, int{c.local.wMinute}));
  }
}

TEST(Win32ProgramFileQuery, NamesTheRunningFileWithExeInCapitalsAndFindsIt) {
  const std::filesystem::path running(RunningProgramPath());
  ASSERT_TRUE(running.is_absolute()) << running;
  const ProgramFileFacts facts = Win32ProgramFileQuery().Query();
  EXPECT_EQ(facts.path, (running.parent_path() / running.stem()).u16string() + u".EXE");
  EXPECT_TRUE(facts.modified.has_value());
  ASSERT_TRUE(facts.size.has_value());
  EXPECT_EQ(*facts.size, std::filesystem::file_size(running));
}

}  // namespace
}  // namespace quillet
