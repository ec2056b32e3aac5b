#include "calibration/calibration_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "calibration/number_text.h"
#include "common/ansi_text.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

TEST(ReadCalibration, SplitsTheFirstTwoLinesAtCarriageReturnsAndLeavesTheFile) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string left_right, up_down;
  };
  const Case cases[] = {
      {"default file", "0\r\n0\r\n", u"0", u"0"},
      {"numbers kept as text", "0.25\r\n-.5\r\n", u"0.25", u"-.5"},
      {"blanks and letters verbatim", " 1/8\r\n0\r\n", u" 1/8", u"0"},
      {"trailing blanks kept", "1  \r\n\t2\r\n", u"1  ", u"\t2"},
      {"third line ignored", "1\r\n2\r\n3\r\n", u"1", u"2"},
      {"numbers and a third line", "0.25\r\n-.5\r\nextra\r\n", u"0.25", u"-.5"},
      {"last line without end", "1\r\n2", u"1", u"2"},
      {"CR-only lines", "1\r2\r", u"1", u"2"},
      {"CR-only, no final end", "1\r2", u"1", u"2"},
      {"LF-only lines are one line", "1\n2\n", u"1\n2\n", u""},
      {"lone LF kept inside a line", "1\n\r\n2\r\n", u"1\n", u"2"},
      {"LF after CR LF starts line 2", "1\r\n\n2\r\n", u"1", u"\n2"},
      {"CR CR LF: empty line 2", "1\r\r\n2\r\n", u"1", u""},
      {"empty file", "", u"", u""},
      {"one line only", "5\r\n", u"5", u""},
      {"one line without end", "5", u"5", u""},
      {"two empty lines", "\r\n\r\n", u"", u""},
      {"Windows-1252 bytes", "\xe4\x80\r\n\xdf\r\n", u"\u00e4\u20ac", u"\u00df"},
      {"ampersand", "A&B\r\n&\r\n", u"A&B", u"&"},
  };
  TempDir dir;
  const auto file = dir / "Quillex.dat";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(file, c.bytes);
    const Result<CalibrationOffsets> read = ReadCalibration(file);
    ASSERT_TRUE(read.ok()) << read.message();
    for (const CalibrationOffsets& offsets : {ParseCalibration(c.bytes), read.value()}) {
      EXPECT_EQ(offsets.LeftRight, c.left_right);
      EXPECT_EQ(offsets.UpDown, c.up_down);
    }
    EXPECT_EQ(ReadBytes(file), c.bytes);
  }
}

// Whatever stands in the way, the failure names the file and leaves it be.
TEST(CalibrationFile, FailuresNameTheFileAndLeaveWhatIsThere) {
  using Use = Status (*)(const std::filesystem::path&);
  const Use read = [](const std::filesystem::path& f) { return ReadCalibration(f).status(); };
  const Use write = [](const std::filesystem::path& f) { return WriteCalibration(1, 2, f); };
  const Use load = [](const std::filesystem::path& f) {
    return LoadCalibrationAtStart(f).status();
  };
  enum Folder { kNone, kEmpty, kWithAFile };  // what stands where the file should be
  struct Case {
    const char* name;
    Use use;
    const char* file;
    Folder folder;
  };
  const Case cases[] = {
      {"read, missing: never created", read, "Quillex.dat", kNone},
      {"read, a folder", read, "Quillex.dat", kEmpty},
      {"write, no such folder", write, "no such folder/Quillex.dat", kNone},
      {"write, a folder", write, "Quillex.dat", kWithAFile},
      {"load, a folder: reported, not replaced", load, "Quillex.dat", kWithAFile},
      {"load, no such folder", load, "missing folder/Quillex.dat", kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const auto file = dir / c.file;
    if (c.folder != kNone) std::filesystem::create_directory(file);
    if (c.folder == kWithAFile) WriteBytes(file / "inside", "keep me");
    const Status status = c.use(file);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("Quillex.dat"), std::string::npos) << status.message();
    EXPECT_EQ(FolderEntries(dir.path()).size(), c.folder == kNone ? 0u : 1u);
    EXPECT_EQ(std::filesystem::is_directory(file), c.folder != kNone);
    if (c.folder == kWithAFile) {
      EXPECT_EQ(ReadBytes(file / "inside"), "keep me");
    }
  }
}

TEST(WriteCalibration, WritesTwoDecimalLinesEndedByCrLf) {
  struct Case {
    double left_right, up_down;
    std::string bytes;
  };
  const Case cases[] = {
      {0.0, 0.0, "0\r\n0\r\n"},
      {-0.0, -0.0, "0\r\n0\r\n"},
      {0.25, -0.125, "0.25\r\n-0.125\r\n"},
      {1.0, 15.0, "1\r\n15\r\n"},
      {-0.5, 0.1, "-0.5\r\n0.1\r\n"},
      {1234567.5, -2.0, "1234567.5\r\n-2\r\n"},
      {1e300, -1e-300, "1e+300\r\n-1e-300\r\n"},
      {0.0005, 100000.0, "0.0005\r\n100000\r\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const auto file = dir / "Quillex.dat";
    WriteBytes(file, "old longer content that must go\r\n1\r\n2\r\n");
    const Status written = WriteCalibration(c.left_right, c.up_down, file);
    ASSERT_TRUE(written.ok()) << written.message();
    EXPECT_EQ(ReadBytes(file), c.bytes);
    EXPECT_EQ(FolderEntries(dir.path()).size(), 1u) << "a temporary file was left behind";
  }
}

#ifndef _WIN32
constexpr char kOld[] = "0.25\r\n-.5\r\n";

struct stat StatOf(const std::filesystem::path& file) {
  struct stat info {};
  EXPECT_EQ(stat(file.c_str(), &info), 0) << file;
  return info;
}

template <unsigned kMode>
std::filesystem::path PlainFileWithMode(const TempDir& dir) {
  WriteBytes(dir / "Quillex.dat", kOld);
  std::filesystem::permissions(dir / "Quillex.dat", std::filesystem::perms(kMode));
  return dir / "Quillex.dat";
}

// The file the user calls "Quillex.dat" stays the same file, with the same
// owner, group, mode and names, after new offsets are written.
TEST(WriteCalibration, TheFileKeepsWhatItIs) {
  struct Case {
    const char* name;
    bool needs_root;  // only root may give files to other users
    // Makes the folder; gives the file that must get the new bytes.
    std::filesystem::path (*arrange)(const TempDir& dir);
    bool same_inode;  // rewritten in place (other names share it)
  };
  namespace fs = std::filesystem;
  const Case cases[] = {
      {"link into another folder", false,
       [](const TempDir& dir) {
         fs::create_directory(dir / "shared");
         WriteBytes(dir / "shared" / "q.dat", kOld);
         fs::create_symlink("shared/q.dat", dir / "Quillex.dat");
         return dir / "shared" / "q.dat";
       },
       false},
      {"chain of two links", false,
       [](const TempDir& dir) {
         fs::create_directory(dir / "a");
         WriteBytes(dir / "a" / "real.dat", kOld);
         fs::create_symlink(dir / "a" / "real.dat", dir / "middle");
         fs::create_symlink("middle", dir / "Quillex.dat");
         return dir / "a" / "real.dat";
       },
       false},
      {"dangling link: target created", false,
       [](const TempDir& dir) {
         fs::create_directory(dir / "shared");
         fs::create_symlink("shared/new.dat", dir / "Quillex.dat");
         return dir / "shared" / "new.dat";
       },
       false},
      {"mode 0600", false, PlainFileWithMode<0600>, false},
      {"mode 0660", false, PlainFileWithMode<0660>, false},
      {"another owner and group", true,
       [](const TempDir& dir) {
         WriteBytes(dir / "Quillex.dat", kOld);
         EXPECT_EQ(chown((dir / "Quillex.dat").c_str(), 4321, 4322), 0);
         fs::permissions(dir / "Quillex.dat", fs::perms(0640));
         return dir / "Quillex.dat";
       },
       false},
      {"second hard link", false,
       [](const TempDir& dir) {
         WriteBytes(dir / "Quillex.dat", kOld);
         fs::create_directory(dir / "other");
         fs::create_hard_link(dir / "Quillex.dat", dir / "other" / "copy.dat");
         return dir / "other" / "copy.dat";
       },
       true},
  };
  for (const Case& c : cases) {
    if (c.needs_root && geteuid() != 0) continue;
    TempDir dir;
    const fs::path target = c.arrange(dir);
    const bool is_link = fs::is_symlink(dir / "Quillex.dat");
    const fs::path link = is_link ? fs::read_symlink(dir / "Quillex.dat") : fs::path();
    struct stat old {};
    if (fs::exists(target)) old = StatOf(target);

    const Status written = WriteCalibration(1, -2, dir / "Quillex.dat");
    ASSERT_TRUE(written.ok()) << c.name << ": " << written.message();
    EXPECT_EQ(ReadBytes(target), "1\r\n-2\r\n") << c.name;
    EXPECT_EQ(fs::is_symlink(dir / "Quillex.dat"), is_link) << c.name;
    if (is_link) {
      EXPECT_EQ(fs::read_symlink(dir / "Quillex.dat"), link) << c.name;
    }
    const struct stat now = StatOf(target);
    if (old.st_ino != 0) {
      EXPECT_EQ(now.st_mode, old.st_mode) << c.name;
      EXPECT_EQ(now.st_uid, old.st_uid) << c.name;
      EXPECT_EQ(now.st_gid, old.st_gid) << c.name;
      EXPECT_EQ(now.st_ino == old.st_ino, c.same_inode) << c.name;
    }
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
      EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    }
  }
}

#endif

TEST(LoadCalibrationAtStart, FirstStartCreatesTheDefaultFile) {
  TempDir dir(TempDir::kEnter);
  const Result<CalibrationOffsets> start = LoadCalibrationAtStart();  // the bare name, here
  ASSERT_TRUE(start.ok()) << start.message();
  EXPECT_EQ(ReadBytes(dir / "Quillex.dat"), std::string("\x30\x0d\x0a\x30\x0d\x0a", 6));
  EXPECT_EQ(start->LeftRight, u"0");
  EXPECT_EQ(start->UpDown, u"0");
}

TEST(LoadCalibrationAtStart, AnExistingFileIsShownVerbatimAndNeverRewritten) {
  struct Case {
    std::string bytes;
    std::u16string left_right, up_down;
  };
  const Case cases[] = {
      {"0.25\r\n-.5\r\n", u"0.25", u"-.5"},
      {" 1/8\r\n0\r\n", u" 1/8", u"0"},
      {"abc\r\nxyz", u"abc", u"xyz"},
      {"1\r\n2\r\n3\r\n4\r\n", u"1", u"2"},
      {"1\r2\r", u"1", u"2"},
      {"1\n2\n", u"1\n2\n", u""},
      {"", u"", u""},
      {"7\r\n", u"7", u""},
      {"A&B\r\n&\r\n", u"A&B", u"&"},
      {"\xe4\r\n0\r\n", u"\u00e4", u"0"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const auto file = dir / "Quillex.dat";
    WriteBytes(file, c.bytes);
    const Result<CalibrationOffsets> start = LoadCalibrationAtStart(file);
    ASSERT_TRUE(start.ok()) << start.message();
    EXPECT_EQ(start->LeftRight, c.left_right) << c.bytes;
    EXPECT_EQ(start->UpDown, c.up_down) << c.bytes;
    EXPECT_EQ(ReadBytes(file), c.bytes);
  }
}

}  // namespace
}  // namespace quillet
