#include "common/text_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

bool Mentions(const std::string& message, const std::string& part) {
  return message.find(part) != std::string::npos;
}

TEST(TextFile, ReadsEveryByte) {
  TempDir dir;
  std::string bytes = "a\r\nb\0c\n";
  bytes.push_back('\0');
  bytes += std::string(200000, '\xFF');
  WriteBytes(dir / "f", bytes);
  auto read = ReadFileBytes(dir / "f");
  ASSERT_TRUE(read.ok()) << read.message();
  EXPECT_EQ(*read, bytes);
}

TEST(TextFile, FailuresNameTheFileAndTheReason) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  const auto missing = ReadFileBytes(dir / "missing.dat");
  ASSERT_FALSE(missing.ok());
  EXPECT_TRUE(Mentions(missing.message(), "missing.dat")) << missing.message();
  EXPECT_TRUE(Mentions(missing.message(), "no such file")) << missing.message();

  const auto folder = ReadFileBytes(dir / "folder");
  EXPECT_FALSE(folder.ok());

  const Status replace = ReplaceFileBytes(dir / "no-folder" / "x.dat", "x");
  EXPECT_FALSE(replace.ok());
  EXPECT_TRUE(Mentions(replace.message(), "x.dat")) << replace.message();
}

TEST(TextFile, ReplaceKeepsTheOldContentWhenItCannotWrite) {
  TempDir dir;
  WriteBytes(dir / "keep.dat", "old\r\n");
  EXPECT_TRUE(ReplaceFileBytes(dir / "keep.dat", "new\r\n").ok());
  EXPECT_EQ(ReadBytes(dir / "keep.dat"), "new\r\n");

  // A folder in the way of the name: the rename fails, nothing is left behind.
  std::filesystem::create_directory(dir / "taken");
  std::filesystem::create_directory(dir / "taken" / "inner");
  EXPECT_FALSE(ReplaceFileBytes(dir / "taken", "x").ok());
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken" / "inner"));
  int entries = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 2);  // keep.dat and taken, no temporary
}

TEST(TextFile, AppendOnAFullDiskReports) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  TempDir dir;
  std::filesystem::create_symlink("/dev/full", dir / "full.txt");
  const Status status = AppendToFile(dir / "full.txt", std::string(100000, 'x'));
  EXPECT_FALSE(status.ok());
  EXPECT_TRUE(Mentions(status.message(), "full.txt")) << status.message();
  EXPECT_TRUE(Mentions(status.message(), "no space")) << status.message();
}

TEST(TextFile, AppendCreatesAndAppends) {
  TempDir dir;
  EXPECT_TRUE(AppendToFile(dir / "list.txt", "").ok());
  EXPECT_EQ(ReadBytes(dir / "list.txt"), "");
  EXPECT_TRUE(AppendToFile(dir / "list.txt", "a\r\n").ok());
  EXPECT_TRUE(AppendToFile(dir / "list.txt", "b\r\n").ok());
  EXPECT_EQ(ReadBytes(dir / "list.txt"), "a\r\nb\r\n");

  std::filesystem::create_directory(dir / "dir.txt");
  const Status into_folder = AppendToFile(dir / "dir.txt", "x");
  EXPECT_FALSE(into_folder.ok());
  EXPECT_TRUE(Mentions(into_folder.message(), "dir.txt"));
}

}  // namespace
}  // namespace quillet
