#include "common/text_file.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <iterator>
#include <memory>
#include <thread>

#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

bool Mentions(const std::string& message, const std::string& part) {
  return message.find(part) != std::string::npos;
}

std::ptrdiff_t Entries(const std::filesystem::path& folder) {
  return std::distance(std::filesystem::directory_iterator(folder),
                       std::filesystem::directory_iterator());
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

// Holds the lock an append takes, as another program would, until it goes.
#ifdef _WIN32
struct LockHolder {
  explicit LockHolder(const std::filesystem::path& file)
      : handle(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr)) {
    OVERLAPPED whole_file{};
    EXPECT_TRUE(LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole_file));
  }
  ~LockHolder() { CloseHandle(handle); }
  HANDLE handle;
};
#else
struct LockHolder {
  explicit LockHolder(const std::filesystem::path& file) : fd(open(file.c_str(), O_RDONLY)) {
    EXPECT_EQ(flock(fd, LOCK_EX), 0);
  }
  ~LockHolder() { close(fd); }
  int fd;
};
#endif

TEST(TextFile, AnAppendWaitsForAnotherProgramsLockACoupleOfSecondsAtMost) {
  TempDir dir;
  const auto file = dir / "LabelList.txt";
  WriteBytes(file, "old\r\n");
  auto holder = std::make_unique<LockHolder>(file);
  const auto start = std::chrono::steady_clock::now();
  const Status refused = AppendToFile(file, "new\r\n");
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(Mentions(refused.message(), "LabelList.txt\": it is in use by another program."))
      << refused.message();
  EXPECT_TRUE(waited > std::chrono::milliseconds(1500) && waited < std::chrono::seconds(4));
  // A holder that lets go while the append waits.
  std::thread release([&holder] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    holder.reset();
  });
  EXPECT_TRUE(AppendToFile(file, "new\r\n").ok());
  release.join();
  EXPECT_EQ(ReadBytes(file), "old\r\nnew\r\n");
}

TEST(TextFile, EveryUseWorksInAWorkingFolderNearThePathLimit) {
  TempDir dir(TempDir::kEnter);
  // 254 characters, near the most a working folder may have on Windows (258).
  std::filesystem::path folder = dir.path();
  while (folder.native().size() < 232) folder /= std::string(20, 'f');
  folder /= std::string(253 - folder.native().size(), 'g');
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  EXPECT_TRUE(CreateFileIfMissing("Quillex.dat", "0\r\n").ok());
  EXPECT_TRUE(ReplaceFileBytes("Quillex.dat", "1\r\n2\r\n").ok());
  EXPECT_TRUE(AppendToFile("LabelList.txt", "a\r\n").ok());
  const auto calibration = ReadFileBytes("Quillex.dat");
  const auto list = ReadFileBytes("LabelList.txt");
  std::filesystem::current_path(dir.path());
  EXPECT_TRUE(calibration.ok() && *calibration == "1\r\n2\r\n") << calibration.message();
  EXPECT_TRUE(list.ok() && *list == "a\r\n") << list.message();
}

#ifdef _WIN32
TEST(TextFile, ReplaceKeepsTheHiddenAndSystemAttributes) {
  TempDir dir;
  const auto file = dir / "Quillex.dat";
  WriteBytes(file, "0\r\n0\r\n");
  constexpr DWORD kMarks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), kMarks));
  ASSERT_TRUE(ReplaceFileBytes(file, "1\r\n2\r\n").ok());
  EXPECT_EQ(GetFileAttributesW(file.c_str()) & kMarks, kMarks);
  EXPECT_EQ(ReadBytes(file), "1\r\n2\r\n");
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Run by wine_in_place_test.sh on a folder that holds Quillex.dat ("0\r\n0\r\n")
// and takes no new file.
TEST(TextFile, ReplaceWritesInPlaceInAFolderThatTakesNoNewFile) {
  const wchar_t* folder = _wgetenv(L"QUILLET_FOLDER_TAKING_NO_FILE");
  if (folder == nullptr) GTEST_SKIP() << "run by wine_in_place_test.sh";
  const auto file = std::filesystem::path(folder) / "Quillex.dat";
  const Status replaced = ReplaceFileBytes(file, "1\r\n2\r\n");
  EXPECT_TRUE(replaced.ok()) << replaced.message();
  EXPECT_EQ(ReadBytes(file), "1\r\n2\r\n");
  EXPECT_EQ(Entries(folder), 1);
}
#endif

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
  EXPECT_EQ(Entries(dir.path()), 2);  // keep.dat and taken, no temporary
}

TEST(TextFile, AppendToADeviceIsRefused) {
  // A device is no list; a full disk is covered by the fault tests.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  TempDir dir;
  std::filesystem::create_symlink("/dev/full", dir / "full.txt");
  const Status status = AppendToFile(dir / "full.txt", std::string(100000, 'x'));
  EXPECT_FALSE(status.ok());
  EXPECT_TRUE(Mentions(status.message(), "full.txt")) << status.message();
  EXPECT_TRUE(Mentions(status.message(), "is not a plain file")) << status.message();
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

TEST(TextFile, ReadsUpToTheCapAndNoMore) {
  TempDir dir;
  WriteBytes(dir / "cap.dat", std::string(kMaxReadBytes, '7'));
  WriteBytes(dir / "over.dat", std::string(kMaxReadBytes + 1, '7'));
  const auto cap = ReadFileBytes(dir / "cap.dat");
  ASSERT_TRUE(cap.ok()) << cap.message();
  EXPECT_EQ(cap->size(), kMaxReadBytes);
  const auto over = ReadFileBytes(dir / "over.dat");
  ASSERT_FALSE(over.ok());
  EXPECT_TRUE(Mentions(over.message(), "over.dat\"")) << over.message();
  EXPECT_TRUE(Mentions(over.message(), "too long")) << over.message();
}

#ifndef _WIN32
// Names taken by what is not a plain file. A pipe would block an ordinary
// open and /dev/zero would never end, so each case runs under an alarm that
// ends the test instead of letting it hang.
struct NotAFile {
  const char* name;
  void (*make)(const std::filesystem::path& at);
  const char* reason;
};

const NotAFile kNotFiles[] = {
    {"pipe", [](const std::filesystem::path& at) { ASSERT_EQ(mkfifo(at.c_str(), 0666), 0); },
     "is not a plain file"},
    {"folder", [](const std::filesystem::path& at) { std::filesystem::create_directory(at); },
     "is not a plain file"},
    {"link to /dev/zero",
     [](const std::filesystem::path& at) { std::filesystem::create_symlink("/dev/zero", at); },
     "is not a plain file"},
    {"link to itself",
     [](const std::filesystem::path& at) { std::filesystem::create_symlink(at.filename(), at); },
     "too many levels of symbolic links"},
};

class AlarmGuard {
 public:
  AlarmGuard() { alarm(10); }
  ~AlarmGuard() { alarm(0); }
};

TEST(TextFile, WhatIsNotAPlainFileIsRefusedByEveryUse) {
  struct Use {
    const char* name;
    Status (*run)(const std::filesystem::path& file);
  };
  const Use uses[] = {
      {"read", [](const std::filesystem::path& f) { return ReadFileBytes(f).status(); }},
      {"replace", [](const std::filesystem::path& f) { return ReplaceFileBytes(f, "1\r\n"); }},
      {"append", [](const std::filesystem::path& f) { return AppendToFile(f, "1\r\n"); }},
  };
  AlarmGuard guard;
  for (const NotAFile& thing : kNotFiles) {
    for (const Use& use : uses) {
      TempDir dir;
      const auto file = dir / "Quillex.dat";
      thing.make(file);
      const auto type = std::filesystem::symlink_status(file).type();
      const Status status = use.run(file);
      ASSERT_FALSE(status.ok()) << thing.name << ", " << use.name;
      EXPECT_TRUE(Mentions(status.message(), "Quillex.dat\"")) << status.message();
      EXPECT_TRUE(Mentions(status.message(), thing.reason)) << status.message();
      EXPECT_EQ(std::filesystem::symlink_status(file).type(), type) << thing.name;
      EXPECT_EQ(Entries(dir.path()), 1)
          << thing.name << ", " << use.name << ": something was left behind";
    }
  }
}

TEST(TextFile, CreateIfMissingNeverReplacesAFile) {
  struct Case {
    const char* name;
    void (*arrange)(const TempDir& dir);
    const char* file;     // what is asked for
    const char* created;  // the file that must hold the new bytes, or null
  };
  const Case cases[] = {
      {"missing", [](const TempDir&) {}, "Quillex.dat", "Quillex.dat"},
      {"present", [](const TempDir& dir) { WriteBytes(dir / "Quillex.dat", "theirs"); },
       "Quillex.dat", nullptr},
      {"present and empty", [](const TempDir& dir) { WriteBytes(dir / "Quillex.dat", ""); },
       "Quillex.dat", nullptr},
      {"dangling link: its target is made",
       [](const TempDir& dir) {
         std::filesystem::create_directory(dir / "shared");
         std::filesystem::create_symlink("shared/real.dat", dir / "Quillex.dat");
       },
       "Quillex.dat", "shared/real.dat"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    c.arrange(dir);
    const bool existed = std::filesystem::exists(dir / c.file);
    const std::string before = existed ? ReadBytes(dir / c.file) : "";
    struct stat old {};
    stat((dir / c.file).c_str(), &old);
    const Status status = CreateFileIfMissing(dir / c.file, "0\r\n0\r\n");
    ASSERT_TRUE(status.ok()) << c.name << ": " << status.message();
    if (c.created != nullptr) {
      EXPECT_EQ(ReadBytes(dir / c.created), "0\r\n0\r\n") << c.name;
    } else {
      struct stat now {};
      stat((dir / c.file).c_str(), &now);
      EXPECT_EQ(now.st_ino, old.st_ino) << c.name;
      EXPECT_EQ(ReadBytes(dir / c.file), before) << c.name;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
      EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    }
  }

  TempDir dir;
  const Status nowhere = CreateFileIfMissing(dir / "no-folder" / "x.dat", "x");
  ASSERT_FALSE(nowhere.ok());
  EXPECT_TRUE(Mentions(nowhere.message(), "x.dat")) << nowhere.message();
  EXPECT_TRUE(Mentions(nowhere.message(), "no such file")) << nowhere.message();
}

TEST(TextFile, AppendThroughALinkGoesToItsTarget) {
  TempDir dir;
  std::filesystem::create_directory(dir / "lists");
  std::filesystem::create_symlink("lists/all.txt", dir / "list.txt");
  ASSERT_TRUE(AppendToFile(dir / "list.txt", "a\r\n").ok());  // creates the target
  ASSERT_TRUE(AppendToFile(dir / "list.txt", "b\r\n").ok());
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "list.txt"));
  EXPECT_EQ(ReadBytes(dir / "lists" / "all.txt"), "a\r\nb\r\n");
}
#endif

}  // namespace
}  // namespace quillet
