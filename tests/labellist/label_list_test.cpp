#include "labellist/label_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#endif

#include "support/fake_program_starter.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::FakeProgramStarter;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct Fill {
  int group;
  int index;
  std::u16string text1;
  std::u16string text2;
};

LabelSheet SheetWith(const std::vector<Fill>& fills) {
  LabelSheet sheet;
  for (const Fill& fill : fills) {
    sheet.SetText(fill.group, fill.index, Line::Text1, fill.text1);
    sheet.SetText(fill.group, fill.index, Line::Text2, fill.text2);
  }
  return sheet;
}

std::string Bytes(std::initializer_list<unsigned char> values) {
  return std::string(values.begin(), values.end());
}

// The batch's bytes, or the failure's message, so that a failure shows in a comparison.
std::string Batch(const LabelSheet& sheet) {
  const Result<std::string> batch = LabelListBatch(sheet);
  return batch ? batch.value() : "failed: " + batch.message();
}

struct BatchCase {
  const char* name;
  std::vector<Fill> fills;
  std::string expected;
};

TEST(LabelListBatch, RecordsAreQuotedTextsJoinedByOneBlank) {
  const BatchCase cases[] = {
      {"empty sheet", {}, ""},
      {"only Text2", {{5, 5, u"", u"X"}}, Bytes({0x22, 0x20, 0x58, 0x22, 0x0D, 0x0A})},
      {"only Text1",
       {{2, 7, u"ABC", u""}},
       Bytes({0x22, 0x41, 0x42, 0x43, 0x20, 0x22, 0x0D, 0x0A})},
      {"Text1 one blank", {{1, 0, u" ", u""}}, Bytes({0x22, 0x20, 0x20, 0x22, 0x0D, 0x0A})},
      {"both lines",
       {{9, 8, u"ABC", u"12"}},
       Bytes({0x22, 0x41, 0x42, 0x43, 0x20, 0x31, 0x32, 0x22, 0x0D, 0x0A})},
      {"blanks kept, not trimmed", {{3, 3, u"  a ", u" b  "}}, "\"  a   b  \"\r\n"},
      {"longer than seven written whole",
       {{4, 1, u"ABCDEFGHIJKLMNOP", u"0123456789"}},
       "\"ABCDEFGHIJKLMNOP 0123456789\"\r\n"},
      {"quote inside not escaped", {{6, 2, u"say \"hi\"", u"\""}}, "\"say \"hi\" \"\"\r\n"},
      {"Windows-1252 characters",
       {{7, 4, u"A\u00e4\u00df\u20ac\u201c", u""}},
       Bytes({0x22, 0x41, 0xE4, 0xDF, 0x80, 0x93, 0x20, 0x22, 0x0D, 0x0A})},
      {"outside Windows-1252 is one question mark each",
       {{8, 0, u"\u4e2d", u"\U0001F600x"}},
       "\"? ?x\"\r\n"},
  };
  for (const BatchCase& c : cases) {
    EXPECT_EQ(Batch(SheetWith(c.fills)), c.expected) << c.name;
  }
}

TEST(LabelListBatch, CellsComeInReadingOrder) {
  // Filled out of order on purpose; R1 must come first, each group in index order.
  const LabelSheet sheet = SheetWith({{9, 8, u"R9", u"8"},
                                      {1, 5, u"R1", u"5"},
                                      {9, 0, u"R9", u"0"},
                                      {1, 0, u"R1", u"0"},
                                      {1, 8, u"", u"R1-8"}});
  EXPECT_EQ(Batch(sheet), "\"R1 0\"\r\n\"R1 5\"\r\n\" R1-8\"\r\n\"R9 0\"\r\n\"R9 8\"\r\n");
}

TEST(LabelListBatch, EveryCellFilledGivesEightyOneRecords) {
  LabelSheet sheet;
  std::string expected;
  for (const CellAddress& cell : ReadingOrder()) {
    const std::u16string text1(1, static_cast<char16_t>(u'0' + cell.group));
    const std::u16string text2(1, static_cast<char16_t>(u'0' + cell.index));
    sheet.SetText(cell, Line::Text1, text1);
    sheet.SetText(cell, Line::Text2, text2);
    expected += "\"" + std::string(1, static_cast<char>('0' + cell.group)) + " " +
                std::string(1, static_cast<char>('0' + cell.index)) + "\"\r\n";
  }
  EXPECT_EQ(Batch(sheet), expected);
}

TEST(FindUnwritableLabels, CountsWhatWouldBecomeAQuestionMark) {
  struct Case {
    const char* name;
    std::vector<Fill> fills;
    std::optional<CellAddress> first;
    std::size_t characters;
  };
  const Case cases[] = {
      {"Windows-1252 only", {{1, 0, u"\u00c4\u20ac\u201c ?", u"x"}}, std::nullopt, 0},
      {"one in a lower line", {{4, 2, u"A", u"\u0151"}}, CellAddress{4, 2}, 1},
      {"an emoji is one", {{1, 3, u"\U0001F600", u""}}, CellAddress{1, 3}, 1},
      {"a lone surrogate", {{1, 3, u"\xD800", u""}}, CellAddress{1, 3}, 1},
      {"first in reading order, all counted",
       {{9, 8, u"\u4E2D", u"\u03A9\u03A9"}, {2, 7, u"?\u03A9?", u"ok"}, {1, 0, u"fine", u""}},
       CellAddress{2, 7},
       4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LabelSheet sheet = SheetWith(c.fills);
    const std::optional<UnwritableLabels> found = FindUnwritableLabels(sheet);
    ASSERT_EQ(found.has_value(), c.first.has_value());
    if (!found) continue;
    EXPECT_EQ(found->first, *c.first);
    EXPECT_EQ(found->characters, c.characters);
  }
}

TEST(UnwritableQuestion, NamesTheLabelTheCountAndTheFile) {
  const LabelSheet sheet = SheetWith({{3, 5, u"\u03A9mega", u"12"}});
  const std::string full = (std::filesystem::current_path() / "LabelList.txt").string();
  EXPECT_EQ(UnwritableQuestion(sheet, {{3, 5}, 1}, "LabelList.txt"),
            "The label in row 3, column 7 (\"\u03A9mega 12\") holds characters that the file \"" +
                full +
                "\" cannot hold. In all labels, 1 character would be written as "
                "\"?\".\n\nAdd the labels anyway?");
}

TEST(AddToLabelList, AppendsToTheFileInTheWorkingDirectory) {
  struct Case {
    const char* name;
    bool file_exists;
    std::string old_bytes;
    std::vector<Fill> fills;
    int appends;
    std::string expected;
  };
  const std::string abc = "\"ABC 12\"\r\n";
  const Case cases[] = {
      {"empty sheet, no file: created empty", false, "", {}, 1, ""},
      {"empty sheet, existing file unchanged", true, "\"OLD \"\r\n", {}, 1, "\"OLD \"\r\n"},
      {"empty existing file stays empty", true, "", {}, 1, ""},
      {"new file", false, "", {{1, 1, u"ABC", u"12"}}, 1, abc},
      {"after the last byte, no separator", true, "x", {{1, 1, u"ABC", u"12"}}, 1, "x" + abc},
      {"two appends give the batch twice", false, "", {{1, 1, u"ABC", u"12"}}, 2, abc + abc},
      {"long texts whole, the sheet uncut",
       false,
       "",
       {{2, 3, u"ABCDEFGHIJ", u" "}, {7, 0, u"", u"z"}},
       1,
       "\"ABCDEFGHIJ  \"\r\n\" z\"\r\n"},
  };
  for (const Case& c : cases) {
    TempDir dir(TempDir::kEnter);
    if (c.file_exists) WriteBytes(dir / "LabelList.txt", c.old_bytes);
    LabelSheet sheet = SheetWith(c.fills);
    int changes = 0;
    sheet.OnLineChanged([&](int, int, Line) { ++changes; });
    for (int i = 0; i < c.appends; ++i) {
      const Status status = AddToLabelList(sheet);
      EXPECT_TRUE(status.ok()) << c.name << ": " << status.message();
    }
    ASSERT_TRUE(std::filesystem::is_regular_file(dir / "LabelList.txt")) << c.name;
    EXPECT_EQ(ReadBytes(dir / "LabelList.txt"), c.expected) << c.name;
    EXPECT_EQ(changes, 0) << c.name;
    for (const Fill& fill : c.fills) {
      EXPECT_EQ(sheet.GetText(fill.group, fill.index, Line::Text1), fill.text1) << c.name;
      EXPECT_EQ(sheet.GetText(fill.group, fill.index, Line::Text2), fill.text2) << c.name;
    }
  }
}

TEST(AddToLabelList, FailureNamesTheFile) {
  struct Case {
    const char* name;
    std::filesystem::path file;
    std::string named;
  };
  TempDir dir(TempDir::kEnter);
  std::filesystem::create_directory("LabelList.txt");
  // By its full path, so the user can find it.
  const auto full = [](const char* name) {
    return "\"" + (std::filesystem::current_path() / name).make_preferred().string() + "\"";
  };
  const Case cases[] = {
      {"a folder of that name", "LabelList.txt", full("LabelList.txt")},
      {"inside a missing folder", "missing/LabelList.txt", full("missing/LabelList.txt")},
  };
  const LabelSheet sheet = SheetWith({{1, 0, u"A", u"B"}});
  for (const Case& c : cases) {
    const Status status = AddToLabelList(sheet, c.file);
    ASSERT_FALSE(status.ok()) << c.name;
    EXPECT_NE(status.message().find(c.named), std::string::npos) << status.message();
  }
  EXPECT_TRUE(std::filesystem::is_directory("LabelList.txt"));
  EXPECT_FALSE(std::filesystem::exists("missing"));
}

#ifndef _WIN32
// Caps the size of files this process may write, so a write fails part way
// for real (root ignores permissions, but not this limit).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_limit_);
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_limit_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_limit_);
    std::signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit old_limit_{};
  void (*old_handler_)(int) = SIG_DFL;
};

TEST(AddToLabelList, AWriteFailingPartWayLeavesNoHalfRecord) {
  TempDir dir;
  const auto file = dir / "LabelList.txt";
  const std::string old_bytes = "\"OLD ONE\"\r\n";
  WriteBytes(file, old_bytes);
  // Room for the old bytes and a little more, not for the whole batch.
  const LabelSheet sheet = SheetWith({{1, 0, u"FIRST", u"ROW"}, {2, 0, u"SECOND", u"ROW"}});
  Status status = Status::Ok();
  {
    FileSizeLimit limit(old_bytes.size() + 8);
    status = AddToLabelList(sheet, file);
  }
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.message().find("LabelList.txt"), std::string::npos) << status.message();
  EXPECT_EQ(ReadBytes(file), old_bytes);
}

// Every cell filled with `letter`, so that each copy's batch (about 81 KB and
// of its own length) is told apart from the other's and from a torn one.
LabelSheet SheetOf(char16_t letter, std::size_t length) {
  LabelSheet sheet;
  for (const CellAddress& cell : ReadingOrder()) {
    sheet.SetText(cell, Line::Text1, std::u16string(length, letter));
    sheet.SetText(cell, Line::Text2, u"2");
  }
  return sheet;
}

TEST(AddToLabelList, BatchesOfTwoCopiesAddingAtOnceStandWhole) {
  constexpr int kBatchesEach = 40;
  TempDir dir;
  const auto file = dir / "LabelList.txt";
  const LabelSheet sheets[] = {SheetOf(u'a', 1000), SheetOf(u'b', 1100)};
  // Both copies wait on the pipe and start together when it closes.
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  pid_t children[2];
  for (int copy = 0; copy < 2; ++copy) {
    children[copy] = fork();
    ASSERT_GE(children[copy], 0);
    if (children[copy] == 0) {
      close(gate[1]);
      char ignored;
      (void)!read(gate[0], &ignored, 1);
      bool ok = true;
      for (int i = 0; i < kBatchesEach; ++i) ok = AddToLabelList(sheets[copy], file).ok() && ok;
      _exit(ok ? 0 : 1);
    }
  }
  close(gate[0]);
  close(gate[1]);
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  const std::string batches[] = {LabelListBatch(sheets[0]).value(),
                                 LabelListBatch(sheets[1]).value()};
  const std::string list = ReadBytes(file);
  int counts[2] = {0, 0};
  for (std::size_t at = 0; at < list.size();) {
    const int copy = list.compare(at, batches[0].size(), batches[0]) == 0   ? 0
                     : list.compare(at, batches[1].size(), batches[1]) == 0 ? 1
                                                                            : -1;
    ASSERT_NE(copy, -1) << "a torn batch at byte " << at;
    ++counts[copy];
    at += batches[copy].size();
  }
  EXPECT_EQ(counts[0], kBatchesEach);
  EXPECT_EQ(counts[1], kBatchesEach);
}
#endif

TEST(ViewLabelList, OpensTheListAndMakesAMissingOneOnlyForAnEditorThatCannot) {
  struct Case {
    const char* name;
    bool editor_creates_missing_files;  // as Notepad does
    bool file_exists;
    std::string old_bytes;
  };
  const Case cases[] = {
      {"Notepad, missing file", true, false, ""},
      {"Notepad, existing file", true, true, "\"A B\"\r\n"},
      {"desktop editor, missing file", false, false, ""},
      {"desktop editor, existing file", false, true, "\"A B\"\r\n"},
      {"desktop editor, existing empty file", false, true, ""},
  };
  for (const Case& c : cases) {
    TempDir dir(TempDir::kEnter);
    if (c.file_exists) WriteBytes("LabelList.txt", c.old_bytes);
    FakeProgramStarter starter(c.editor_creates_missing_files);
    const Status status = ViewLabelList(starter);
    EXPECT_TRUE(status.ok()) << c.name << ": " << status.message();
    EXPECT_EQ(starter.opened(), std::vector<std::filesystem::path>{"LabelList.txt"}) << c.name;
    const bool made = c.file_exists || !c.editor_creates_missing_files;
    ASSERT_EQ(std::filesystem::is_regular_file("LabelList.txt"), made) << c.name;
    if (made) {
      EXPECT_EQ(ReadBytes("LabelList.txt"), c.old_bytes) << c.name;
    }
  }
}

TEST(ViewLabelList, StarterFailureIsReturned) {
  TempDir dir(TempDir::kEnter);
  WriteBytes("LabelList.txt", "\"A B\"\r\n");
  FakeProgramStarter starter;
  starter.AnswerWith(Status::Failure("Could not start notepad.exe: not there."));
  const Status status = ViewLabelList(starter);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.message(), "Could not start notepad.exe: not there.");
  EXPECT_EQ(starter.opened().size(), 1u);
  EXPECT_EQ(ReadBytes("LabelList.txt"), "\"A B\"\r\n");
}

TEST(ViewLabelList, AListThatCannotBeCreatedIsNotOpened) {
  TempDir dir;
  FakeProgramStarter starter;
  const auto file = dir / "missing" / "LabelList.txt";
  const Status status = ViewLabelList(starter, file);
  ASSERT_FALSE(status.ok());
  // It says what it tried: to create the list, not to add to it.
  EXPECT_EQ(status.message().rfind("Could not create the file \"" + file.string() + "\": ", 0), 0u)
      << status.message();
  EXPECT_TRUE(starter.opened().empty());
}

}  // namespace
}  // namespace quillet
