// Files that go away, fill up or are not files while the program runs: the
// calibration file deleted behind its back; either file's name taken by a
// pipe, folder or device, or the calibration far too long; and a disk with
// no space left for either file or for a PDF printed into a file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QPrinter>
#include <filesystem>
#include <set>
#include <string>

#include "calibration/calibrated_print.h"
#include "calibration/calibration_entry.h"
#include "calibration/calibration_file.h"
#include "calibration/test_page.h"
#include "common/text_file.h"
#include "faults/window_doubles.h"
#include "labellist/label_list.h"
#include "platform/qt/qt_print_surface.h"
#include "support/scripted_printer_dialog.h"

namespace quillet::testing {
namespace {

namespace fs = std::filesystem;

void ExpectNames(const std::string& message, const char* file, const char* reason) {
  EXPECT_TRUE(Contains(message, QuotedFullName(file))) << message;
  EXPECT_TRUE(Contains(message, reason)) << message;
}

void ExpectFailure(const Status& status, const char* file, const char* reason) {
  EXPECT_FALSE(status.ok());
  ExpectNames(status.message(), file, reason);
}

void FillSheet(LabelSheet& sheet) {
  for (const CellAddress& cell : ReadingOrder()) {
    sheet.SetText(cell, Line::Text1, u"LONGER THAN SEVEN");
    sheet.SetText(cell, Line::Text2, u"x");
  }
}

bool SheetIsAsFilled(const LabelSheet& sheet) {
  for (const CellAddress& cell : ReadingOrder()) {
    if (sheet.GetText(cell, Line::Text1) != u"LONGER THAN SEVEN") return false;
    if (sheet.GetText(cell, Line::Text2) != u"x") return false;
  }
  return true;
}

TEST(CalibrationDeletedWhileRunning, PrintingSaysItIsMissingAndEnterAdjustmentsMakesANewOne) {
  TempDir folder(TempDir::kEnter);
  WindowDoubles doubles;
  auto window = doubles.Open();
  ASSERT_TRUE(FileExists("Quillex.dat"));
  fs::remove("Quillex.dat");
  FillSheet(SheetOf(*window));

  for (const char* item : {"Printit", "Printit2", "Ptest"}) {
    SCOPED_TRACE(item);
    const std::string message = doubles.Trigger(*window, item);
    ExpectNames(message, "Quillex.dat", "is missing");
    EXPECT_TRUE(Contains(message, "Enter Adjustments makes a new one")) << message;
    EXPECT_TRUE(SheetIsAsFilled(SheetOf(*window)));  // not cut, no test pattern, not cleared
    EXPECT_EQ(CellBox(*window, 4, 4, Line::Text1)->text(), "LONGER THAN SEVEN");
  }
  EXPECT_EQ(doubles.printer.times_shown(), 0);
  EXPECT_FALSE(FileExists("Quillex.dat"));  // printing makes none

  doubles.input = ScriptedInputBox({u"1", u"2"});
  EXPECT_EQ(doubles.Trigger(*window, "PAdj"), "");
  EXPECT_EQ(ReadBytes("Quillex.dat"), "1\r\n2\r\n");
  EXPECT_EQ(MenuItem(*window, "Printit")->text(), "&Print Adj=1/2");
}

// A name taken by something the program may not read or add to: a pipe
// blocks an ordinary open, a device never ends (or is always full), a folder
// holds no lines. Over the cap only reading is refused; the list grows on.
struct Blocker {
  const char* name;
  void (*make)(const fs::path& file);
  const char* reason;
  bool blocks_the_list;
};

const Blocker kBlockers[] = {
    {"Pipe", [](const fs::path& file) { ASSERT_EQ(mkfifo(file.c_str(), 0666), 0); },
     "is not a plain file", true},
    {"Folder", [](const fs::path& file) { fs::create_directory(file); }, "is not a plain file",
     true},
    {"LinkToDevZero", [](const fs::path& file) { fs::create_symlink("/dev/zero", file); },
     "is not a plain file", true},
    {"LinkToDevFull", [](const fs::path& file) { fs::create_symlink("/dev/full", file); },
     "is not a plain file", true},
    {"OverTheCap",
     [](const fs::path& file) { WriteBytes(file, "0\r\n0\r\n" + std::string(kMaxReadBytes, ' ')); },
     "too long", false},
};

void PrintTo(const Blocker& value, std::ostream* out) {
  *out << value.name;
}

class NameBlocked : public ::testing::TestWithParam<Blocker> {};

TEST_P(NameBlocked, TheWindowComesUpAndEveryUserOfTheFilesSaysWhy) {
  const Blocker& blocker = GetParam();
  TempDir folder(TempDir::kEnter);
  blocker.make("Quillex.dat");
  if (blocker.blocks_the_list) blocker.make("LabelList.txt");
  const auto calibration_type = fs::symlink_status("Quillex.dat").type();
  const auto list_type = fs::symlink_status("LabelList.txt").type();
  // A reader that blocks or reads without end, or an append that waits for
  // a pipe's reader, fails here instead of hanging.
  alarm(10);

  ExpectFailure(ReadCalibration().status(), "Quillex.dat", blocker.reason);
  ExpectFailure(LoadCalibrationAtStart().status(), "Quillex.dat", blocker.reason);
  LabelSheet sheet;
  FillSheet(sheet);
  if (blocker.blocks_the_list) {
    ExpectFailure(AddToLabelList(sheet), "LabelList.txt", blocker.reason);
  }

  WindowDoubles doubles;
  auto window = doubles.Open();
  ASSERT_EQ(doubles.messages.shown.size(), 1u);
  UserSaw(doubles.LastMessage());
  ExpectNames(doubles.LastMessage(), "Quillex.dat", blocker.reason);
  FillSheet(SheetOf(*window));
  for (const char* item : {"Printit", "Printit2", "Ptest", "PAdj"}) {
    SCOPED_TRACE(item);
    ExpectNames(doubles.Trigger(*window, item), "Quillex.dat", blocker.reason);
  }
  if (blocker.blocks_the_list) {
    ExpectNames(doubles.Trigger(*window, "AddToList"), "LabelList.txt", blocker.reason);
  }
  alarm(0);
  EXPECT_TRUE(SheetIsAsFilled(SheetOf(*window)));
  EXPECT_EQ(doubles.printer.times_shown(), 0);
  EXPECT_TRUE(doubles.input.prompts().empty());
  EXPECT_EQ(fs::symlink_status("Quillex.dat").type(), calibration_type);
  EXPECT_EQ(fs::symlink_status("LabelList.txt").type(), list_type);
  for (const char* name : {"Quillex.dat", "LabelList.txt"}) {
    if (fs::is_directory(name)) {
      EXPECT_TRUE(fs::is_empty(name)) << name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, NameBlocked, ::testing::ValuesIn(kBlockers),
                         [](const auto& info) { return std::string(info.param.name); });

// A tmpfs of a few pages, full but for what the test puts there first.
class DiskFull : public ::testing::Test {
 protected:
  void SetUp() override {
    disk_ = folder_ / "disk";
    if (auto why = TinyDisk::Mount(disk_, 64 * 1024)) GTEST_SKIP() << *why;
    mounted_ = true;
  }
  void TearDown() override {
    if (!previous_.empty()) fs::current_path(previous_);
    if (mounted_) TinyDisk::Unmount(disk_);
  }
  // Puts the files there, fills the rest, and makes it the working directory.
  void Arrange(std::initializer_list<std::pair<const char*, std::string>> files) {
    for (const auto& [name, bytes] : files) WriteBytes(disk_ / name, bytes);
    TinyDisk::Fill(disk_);
    previous_ = fs::current_path();
    fs::current_path(disk_);
  }
  static void ExpectOnlyThese(std::initializer_list<const char*> names) {
    std::set<std::string> expected(names.begin(), names.end());
    expected.insert("filler");
    for (const auto& entry : fs::directory_iterator(".")) {
      EXPECT_TRUE(expected.count(entry.path().filename().string())) << entry.path();
    }
  }

  TempDir folder_;
  fs::path disk_;
  fs::path previous_;
  bool mounted_ = false;
};

constexpr char kCalibration[] = "0.25\r\n-.5\r\n";

TEST_F(DiskFull, EnteringAdjustmentsKeepsTheOldCalibration) {
  Arrange({{"Quillex.dat", kCalibration}});
  ScriptedInputBox input({u"1", u"2"});
  ExpectFailure(EnterAdjustments(input).status(), "Quillex.dat", "o space left");
  EXPECT_EQ(ReadBytes("Quillex.dat"), kCalibration);

  WindowDoubles doubles;
  auto window = doubles.Open();
  doubles.input = ScriptedInputBox({u".125", u"-3"});
  ExpectNames(doubles.Trigger(*window, "PAdj"), "Quillex.dat", "o space left");
  EXPECT_EQ(MenuItem(*window, "Printit")->text(), "&Print (Adj=0.25/-.5)");
  EXPECT_EQ(ReadBytes("Quillex.dat"), kCalibration);
  ExpectOnlyThese({"Quillex.dat"});
}

TEST_F(DiskFull, FirstStartCreatesNoEmptyCalibrationFile) {
  Arrange({});
  ExpectFailure(LoadCalibrationAtStart().status(), "Quillex.dat", "o space left");
  EXPECT_FALSE(FileExists("Quillex.dat"));

  WindowDoubles doubles;
  auto window = doubles.Open();
  ASSERT_EQ(doubles.messages.shown.size(), 1u);
  UserSaw(doubles.LastMessage());
  ExpectNames(doubles.LastMessage(), "Quillex.dat", "o space left");
  ExpectOnlyThese({});
}

TEST_F(DiskFull, AddingALongBatchCutsTheListBackToItsOldBytes) {
  // The list's last page has room for part of the batch, not for all of it.
  const std::string old_list = "\"old \"\r\n";
  Arrange({{"LabelList.txt", old_list}});
  LabelSheet sheet;
  sheet.SetText(1, 0, Line::Text1, std::u16string(100000, u'A'));
  ExpectFailure(AddToLabelList(sheet), "LabelList.txt", "o space left");
  EXPECT_EQ(ReadBytes("LabelList.txt"), old_list);

  WindowDoubles doubles;
  auto window = doubles.Open();  // no calibration file can be made here
  doubles.messages.shown.clear();
  CellBox(*window, 5, 5, Line::Text2)->setText(QString(50000, QChar(u'B')));
  ExpectNames(doubles.Trigger(*window, "AddToList"), "LabelList.txt", "o space left");
  EXPECT_EQ(ReadBytes("LabelList.txt"), old_list);
  EXPECT_EQ(SheetOf(*window).GetText(5, 5, Line::Text2).size(), 50000u);
}

TEST_F(DiskFull, PrintingIntoAPdfFileSaysSoAndLeavesNoBrokenFile) {
  Arrange({{"old.pdf", "the user's old file"}});
  for (const char* name : {"new.pdf", "old.pdf"}) {
    auto printer = std::make_unique<QPrinter>();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString((fs::current_path() / name).string()));
    QtPrintSurface surface(std::move(printer));
    ASSERT_TRUE(surface.Print(u"label").ok());
    const Status printed = surface.EndDoc();
    UserSaw(printed.message());
    EXPECT_EQ(printed.message(), "Could not write the file \"" + (disk_ / name).string() +
                                     "\": no space left on device. Nothing was printed.");
  }
  EXPECT_EQ(ReadBytes("old.pdf"), "the user's old file");
  ExpectOnlyThese({"old.pdf"});
}

}  // namespace
}  // namespace quillet::testing
