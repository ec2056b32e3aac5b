#include "platform/win32/win32_program_file_query.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

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

TEST(FileFactsAt, ReadsTheLocalModificationTimeAndSize) {
  struct Case {
    std::uint64_t size;
    SYSTEMTIME local;  // year, month, day of week, day, hour, minute, second, ms
  };
  const Case cases[] = {
      {90112, {2002, 5, 0, 2, 15, 2, 41, 0}},
      {0, {2026, 1, 0, 1, 0, 5, 0, 0}},
      {3, {1999, 12, 0, 31, 23, 59, 59, 0}},
      {5'000'000'000, {2024, 7, 0, 14, 12, 30, 0, 0}},  // past 32 bits
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    const auto file = dir / "QUILLET.EXE";
    MakeFile(file, c.size, c.local);
    const ProgramFileFacts facts = FileFactsAt(file.u16string());
    EXPECT_EQ(facts.path, file.u16string());
    ASSERT_TRUE(facts.modified.has_value());
    EXPECT_EQ(facts.modified->year, c.local.wYear);
    EXPECT_EQ(facts.modified->month, c.local.wMonth);
    EXPECT_EQ(facts.modified->day, c.local.wDay);
    EXPECT_EQ(facts.modified->hour, c.local.wHour);
    EXPECT_EQ(facts.modified->minute, c.local.wMinute);
    ASSERT_TRUE(facts.size.has_value());
    EXPECT_EQ(*facts.size, c.size);
  }
}

TEST(FileFactsAt, MissingFileHasNoDateAndNoSize) {
  TempDir dir;
  for (const auto& path : {dir / "QUILLET.EXE", dir / "no" / "such" / "QUILLET.EXE"}) {
    const ProgramFileFacts facts = FileFactsAt(path.u16string());
    EXPECT_EQ(facts.path, path.u16string());
    EXPECT_FALSE(facts.modified.has_value());
    EXPECT_FALSE(facts.size.has_value());
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
