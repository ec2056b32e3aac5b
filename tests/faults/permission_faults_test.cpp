// Files and folders the program may not touch: a working directory without
// write access, an unreadable calibration file, a calibration file the user
// may not write (read-only, or another user's), a read-only label list. And
// files the user may write that must stay what they are: another user's
// calibration file, which must stay theirs, and one in a folder that takes
// no new file, which is written in place. These run as
// an unprivileged user, since root may read and write everything.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "calibration/calibration_entry.h"
#include "calibration/calibration_file.h"
#include "common/text_file.h"
#include "faults/window_doubles.h"
#include "labellist/label_list.h"
#include "print/print_label.h"

namespace quillet::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kCalibration[] = "0.25\r\n-.5\r\n";
constexpr char kList[] = "\"old \"\r\n";

struct PermissionCase {
  const char* name;
  // Arranges the folder as its owner, before the unprivileged part.
  std::function<void(const fs::path&)> arrange;
  // Runs unprivileged, in the folder.
  std::function<void()> act;
  // The files and their bytes afterwards; a missing name must not exist.
  std::vector<std::pair<std::string, std::optional<std::string>>> files_after;
  // The file must belong to someone other than the unprivileged user.
  bool other_owner = false;
};

void ExpectFailureNaming(const std::string& message, const char* file, const char* reason) {
  UserSaw(message);
  EXPECT_TRUE(Contains(message, QuotedFullName(file))) << message;
  EXPECT_TRUE(Contains(message, reason)) << message;
}

void ExpectFailureNaming(const Status& status, const char* file, const char* reason) {
  EXPECT_FALSE(status.ok());
  ExpectFailureNaming(status.message(), file, reason);
}

void FillOneCell(LabelSheet& sheet) {
  sheet.SetText(2, 3, Line::Text1, u"LONGER THAN 7");
  sheet.SetText(2, 3, Line::Text2, u"x");
}

void ExpectSheetUntouched(LabelSheet& sheet) {
  EXPECT_EQ(sheet.GetText(2, 3, Line::Text1), u"LONGER THAN 7");
  EXPECT_EQ(sheet.GetText(2, 3, Line::Text2), u"x");
  EXPECT_TRUE(sheet.IsBlank(1, 0));
}

// The start can neither read nor make the calibration file: the window comes
// up with the one message that says so, and a cell is filled.
std::unique_ptr<Form1> OpenRefusedAtStart(WindowDoubles& doubles) {
  ExpectFailureNaming(LoadCalibrationAtStart().status(), "Quillex.dat", "ermission denied");
  auto window = doubles.Open();
  EXPECT_EQ(doubles.messages.shown.size(), 1u);
  ExpectFailureNaming(doubles.LastMessage(), "Quillex.dat", "ermission denied");
  FillOneCell(SheetOf(*window));
  return window;
}

struct stat StatOf(const char* file) {
  struct stat info {};
  EXPECT_EQ(stat(file, &info), 0) << file;
  return info;
}

// The entry asks, then says it may not write, and the file stays the same
// file with the same bytes.
void EntryIsRefusedAndTheFileKept() {
  const struct stat before = StatOf("Quillex.dat");
  ScriptedInputBox input({u"1", u"2"});
  ExpectFailureNaming(EnterAdjustments(input).status(), "Quillex.dat", "ermission denied");
  EXPECT_EQ(input.prompts().size(), 2u);

  WindowDoubles doubles;
  auto window = doubles.Open();
  EXPECT_TRUE(doubles.messages.shown.empty());
  doubles.input = ScriptedInputBox({u"1", u"2"});
  ExpectFailureNaming(doubles.Trigger(*window, "PAdj"), "Quillex.dat", "ermission denied");
  EXPECT_EQ(MenuItem(*window, "Printit")->text(), "&Print (Adj=0.25/-.5)");
  const struct stat after = StatOf("Quillex.dat");
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mode, before.st_mode);
}

const PermissionCase kCases[] = {
    {"StartInAFolderWithoutWriteAccess",
     [](const fs::path& folder) { fs::permissions(folder, fs::perms(0555)); },
     [] {
       WindowDoubles doubles;
       auto window = OpenRefusedAtStart(doubles);
       const std::string missing = doubles.Trigger(*window, "Printit");
       ExpectFailureNaming(missing, "Quillex.dat", "is missing");
       // Advice that can be followed: the folder, which takes no new file, is named.
       EXPECT_TRUE(Contains(missing, "\"" + fs::current_path().string() + "\" takes no new file"))
           << missing;
       EXPECT_EQ(doubles.printer.times_shown(), 0);
       ExpectFailureNaming(doubles.Trigger(*window, "AddToList"), "LabelList.txt",
                           "ermission denied");
       const std::string viewed = doubles.Trigger(*window, "ViewList");
       ExpectFailureNaming(viewed, "LabelList.txt", "ermission denied");
       EXPECT_EQ(viewed.rfind("Could not create the file ", 0), 0u) << viewed;
       EXPECT_TRUE(doubles.starter.opened().empty());
       ExpectSheetUntouched(SheetOf(*window));
     },
     {{"Quillex.dat", std::nullopt}, {"LabelList.txt", std::nullopt}}},

    {"UnreadableCalibrationFile",
     [](const fs::path& folder) {
       WriteBytes(folder / "Quillex.dat", kCalibration);
       fs::permissions(folder / "Quillex.dat", fs::perms::none);
       fs::permissions(folder, fs::perms(0777));  // replacing it would be possible
     },
     [] {
       WindowDoubles doubles;
       auto window = OpenRefusedAtStart(doubles);
       for (const char* item : {"Printit", "Printit2", "Ptest", "PAdj"}) {
         ExpectFailureNaming(doubles.Trigger(*window, item), "Quillex.dat", "ermission denied");
       }
       EXPECT_EQ(doubles.printer.times_shown(), 0);
       EXPECT_TRUE(doubles.input.prompts().empty());
       ExpectSheetUntouched(SheetOf(*window));
     },
     {{"Quillex.dat", kCalibration}}},

    {"WritableCalibrationInAFolderWhereNoTemporaryFileCanBeMade",
     [](const fs::path& folder) {
       WriteBytes(folder / "Quillex.dat", kCalibration);
       fs::permissions(folder / "Quillex.dat", fs::perms(0666));  // the file itself is writable
       Unprivileged::GiveToChild(folder / "Quillex.dat");         // and the user's own
       fs::permissions(folder, fs::perms(0555));
     },
     [] {
       // Written in place: the same file, with its mode.
       const struct stat before = StatOf("Quillex.dat");
       ScriptedInputBox input({u"1", u"2"});
       auto entered = EnterAdjustments(input);
       ASSERT_TRUE(entered.ok()) << entered.message();
       EXPECT_EQ(ReadBytes("Quillex.dat"), "1\r\n2\r\n");

       WindowDoubles doubles;
       auto window = doubles.Open();
       EXPECT_TRUE(doubles.messages.shown.empty());
       doubles.input = ScriptedInputBox({u"3", u"4"});
       EXPECT_EQ(doubles.Trigger(*window, "PAdj"), "");
       EXPECT_EQ(MenuItem(*window, "Printit")->text(), "&Print Adj=3/4");
       const struct stat after = StatOf("Quillex.dat");
       EXPECT_EQ(after.st_ino, before.st_ino);
       EXPECT_EQ(after.st_mode, before.st_mode);
     },
     {{"Quillex.dat", "3\r\n4\r\n"}}},

    {"ReadOnlyCalibrationFile",
     [](const fs::path& folder) {
       WriteBytes(folder / "Quillex.dat", kCalibration);
       fs::permissions(folder / "Quillex.dat", fs::perms(0444));
       Unprivileged::GiveToChild(folder / "Quillex.dat");
       fs::permissions(folder, fs::perms(0777));  // replacing it would be possible
     },
     EntryIsRefusedAndTheFileKept,
     {{"Quillex.dat", kCalibration}}},

    {"AnotherUsersCalibrationFile",
     [](const fs::path& folder) {
       WriteBytes(folder / "Quillex.dat", kCalibration);
       fs::permissions(folder / "Quillex.dat", fs::perms(0644));
       fs::permissions(folder, fs::perms(0777));
     },
     EntryIsRefusedAndTheFileKept,
     {{"Quillex.dat", kCalibration}},
     true},

    {"AnotherUsersGroupWritableCalibrationFile",
     [](const fs::path& folder) {
       WriteBytes(folder / "Quillex.dat", kCalibration);
       Unprivileged::GiveToChild(folder / "Quillex.dat", Unprivileged::kGroupOnly);
       fs::permissions(folder / "Quillex.dat", fs::perms(0660));
       fs::permissions(folder, fs::perms(0777));
     },
     [] {
       // Written, and still the owner's file with its mode and group.
       const struct stat before = StatOf("Quillex.dat");
       ScriptedInputBox input({u"1", u"2"});
       auto entered = EnterAdjustments(input);
       ASSERT_TRUE(entered.ok()) << entered.message();
       const struct stat after = StatOf("Quillex.dat");
       EXPECT_EQ(after.st_ino, before.st_ino);
       EXPECT_EQ(after.st_uid, before.st_uid);
       EXPECT_NE(after.st_uid, geteuid());
       EXPECT_EQ(after.st_gid, before.st_gid);
       EXPECT_EQ(after.st_mode, before.st_mode);
     },
     {{"Quillex.dat", "1\r\n2\r\n"}},
     true},

    {"ReadOnlyLabelList",
     [](const fs::path& folder) {
       WriteBytes(folder / "LabelList.txt", kList);
       fs::permissions(folder / "LabelList.txt", fs::perms(0444));
       fs::permissions(folder, fs::perms(0777));
     },
     [] {
       LabelSheet sheet;
       FillOneCell(sheet);
       ExpectFailureNaming(AddToLabelList(sheet), "LabelList.txt", "ermission denied");

       WindowDoubles doubles;
       auto window = doubles.Open();
       FillOneCell(SheetOf(*window));
       ExpectFailureNaming(doubles.Trigger(*window, "AddToList"), "LabelList.txt",
                           "ermission denied");
       ExpectSheetUntouched(SheetOf(*window));
       // Viewing a list that cannot be written is still possible.
       EXPECT_EQ(doubles.Trigger(*window, "ViewList"), "");
       EXPECT_EQ(doubles.starter.opened().size(), 1u);
     },
     // The window's load made the calibration file in the writable folder.
     {{"LabelList.txt", kList}, {"Quillex.dat", "0\r\n0\r\n"}}},
};

void PrintTo(const PermissionCase& fault, std::ostream* out) {
  *out << fault.name;
}

class PermissionFaults : public ::testing::TestWithParam<PermissionCase> {};

TEST_P(PermissionFaults, FailsWithAMessageAndKeepsEveryFile) {
  const PermissionCase& fault = GetParam();
  if (Unprivileged::InChild()) {
    Unprivileged::Run(Unprivileged::ChildFolder(), fault.act);
    return;
  }
  if (auto why = Unprivileged::WhyNotPossible()) GTEST_SKIP() << *why;
  if (fault.other_owner && !Unprivileged::CanHaveOtherOwners()) {
    GTEST_SKIP() << "only root can give a file to another user";
  }
  TempDir folder;
  fault.arrange(folder.path());
  Unprivileged::Run(folder.path(), fault.act);

  fs::permissions(folder.path(), fs::perms::owner_all, fs::perm_options::add);
  std::set<std::string> expected;
  for (const auto& [name, bytes] : fault.files_after) {
    if (!bytes) {
      EXPECT_FALSE(FileExists(folder / name)) << name;
      continue;
    }
    expected.insert(name);
    fs::permissions(folder / name, fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(ReadBytes(folder / name), *bytes) << name;
  }
  // Nothing else, no temporary file either, was left behind.
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    EXPECT_TRUE(expected.count(entry.path().filename().string())) << entry.path();
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, PermissionFaults, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet::testing
