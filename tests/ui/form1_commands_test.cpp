// The window's wiring as both front ends use it: which operation each menu
// item and double-click runs, and what reaches the window and the user.
#include "ui/form1_commands.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <string>

#include "support/fake_program_starter.h"
#include "support/recording_message_box.h"
#include "support/scripted_input_box.h"
#include "support/scripted_printer_dialog.h"
#include "support/temp_dir.h"

namespace quillet::testing {
namespace {

class NoProgramFile : public ProgramFileQuery {
 public:
  ProgramFileFacts Query() override { return {u"C:\\QUILLET.EXE", std::nullopt, std::nullopt}; }
};

struct Window : WindowActions {
  void SetOffsetsCaption(const std::u16string& text) override { caption = text; }
  void EndProgram() override { ++ended; }
  std::u16string caption = u"as created";
  int ended = 0;
};

struct Wiring : ::testing::Test {
  TempDir folder{TempDir::kEnter};
  std::vector<std::string> printed;
  ScriptedPrinterDialog printer{printed};
  ScriptedInputBox input{{u".5", u"-.25"}};
  RecordingMessageBox messages;
  FakeProgramStarter starter;
  NoProgramFile program_file;
  LabelSheet sheet;
  Window window;
  Form1Commands commands{sheet, {printer, input, messages, starter, program_file}, window};
};

TEST_F(Wiring, EachCommandRunsItsOperation) {
  ASSERT_TRUE(commands.Load().ok());
  EXPECT_EQ(window.caption, u"&Print (Adj=0/0)");

  struct Case {
    Command command;
    int dialogs;        // printer dialogs shown
    std::size_t asked;  // input boxes shown
    std::size_t shown;  // message boxes shown
    int ended;
    const char16_t* caption;
    const char16_t* upper_r1_0;  // the sheet's first line afterwards
  };
  const Case cases[] = {
      {Command::OpenMenu, 0, 0, 0, 0, u"&Print (Adj=0/0)", u"typed"},
      {Command::AddToList, 0, 0, 0, 0, u"&Print (Adj=0/0)", u"typed"},
      {Command::Print, 1, 0, 0, 0, u"&Print (Adj=0/0)", u"typed"},
      {Command::PrintTest, 1, 0, 0, 0, u"&Print (Adj=0/0)", u""},
      {Command::EnterAdjustments, 0, 2, 0, 0, u"&Print Adj=0.5/-0.25", u"typed"},
      {Command::Clear, 0, 0, 0, 0, u"&Print (Adj=0/0)", u""},
      {Command::About, 0, 0, 1, 0, u"&Print (Adj=0/0)", u"typed"},
      {Command::Exit, 0, 0, 0, 1, u"&Print (Adj=0/0)", u"typed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.command));
    window = Window{};
    window.caption = u"&Print (Adj=0/0)";
    WriteBytes("Quillex.dat", "0\r\n0\r\n");
    sheet.SetText(1, 0, Line::Text1, u"typed");
    const int dialogs_before = printer.times_shown();
    const std::size_t asked_before = input.prompts().size();
    const std::size_t shown_before = messages.shown.size();

    commands.Run(c.command);

    EXPECT_EQ(printer.times_shown() - dialogs_before, c.dialogs);
    EXPECT_EQ(input.prompts().size() - asked_before, c.asked);
    EXPECT_EQ(messages.shown.size() - shown_before, c.shown);
    EXPECT_EQ(window.ended, c.ended);
    EXPECT_EQ(window.caption, c.caption);
    EXPECT_EQ(sheet.GetText(1, 0, Line::Text1), c.upper_r1_0);
  }
  EXPECT_EQ(ReadBytes("LabelList.txt"), "\"typed \"\r\n");
  EXPECT_EQ(messages.shown.back().title, u"About   Quillet");
}

TEST_F(Wiring, FailuresAreShownAndALoadFailureIsGivenBack) {
  std::filesystem::create_directory("Quillex.dat");  // cannot be read or created
  const Status loaded = commands.Load();
  EXPECT_FALSE(loaded.ok());
  EXPECT_TRUE(messages.shown.empty());  // the window shows it once it is up
  EXPECT_EQ(window.caption, kUnreadableCaption);

  commands.Run(Command::Print);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].error);
  EXPECT_NE(messages.shown[0].text.find("Quillex.dat"), std::string::npos);
}

TEST_F(Wiring, OnlyTheUpperLineCopiesThePreviousCell) {
  sheet.SetText(1, 0, Line::Text1, u"ABC");
  sheet.SetText(1, 0, Line::Text2, u"123");
  commands.CellDoubleClicked(1, 1, Line::Text2);
  EXPECT_TRUE(sheet.IsBlank(1, 1));
  commands.CellDoubleClicked(1, 1, Line::Text1);
  EXPECT_EQ(sheet.GetText(1, 1, Line::Text1), u"ABC");
  EXPECT_EQ(sheet.GetText(1, 1, Line::Text2), u"123");
}

// The access key of a caption: the letter after the first single "&".
char16_t AccessKey(std::u16string_view caption) {
  const std::size_t at = caption.find(u'&');
  return at + 1 < caption.size() ? caption[at + 1] : u'\0';
}

TEST(MenuTree, ParentsAndAccessKeys) {
  struct Case {
    const char* name;
    const char* parent;  // "" for the menu bar
  };
  const Case cases[] = {{"File", ""},
                        {"LabelList", "File"},
                        {"AddToList", "LabelList"},
                        {"ViewList", "LabelList"},
                        {"PAdj1", "File"},
                        {"Ptest", "PAdj1"},
                        {"PAdj", "PAdj1"},
                        {"Printit2", "File"},
                        {"Exit", "File"},
                        {"Clear", ""},
                        {"Printit", ""},
                        {"About", ""}};
  ASSERT_EQ(std::size(cases), std::size(kMenuTree));
  std::map<std::string, std::multiset<char16_t>> keys;  // per menu
  for (std::size_t at = 0; at < std::size(kMenuTree); ++at) {
    EXPECT_STREQ(kMenuTree[at].name, cases[at].name);
    const auto parent = ParentOf(at);
    EXPECT_STREQ(parent ? kMenuTree[*parent].name : "", cases[at].parent) << cases[at].name;
    keys[cases[at].parent].insert(AccessKey(kMenuTree[at].caption));
  }
  // The bar's four keys differ; under File only P is shared, by two items.
  EXPECT_EQ((std::set<char16_t>(keys[""].begin(), keys[""].end()).size()), 4u);
  EXPECT_EQ(keys["File"].count(u'P'), 2u);
  EXPECT_EQ(keys["File"].size(),
            std::set<char16_t>(keys["File"].begin(), keys["File"].end()).size() + 1);
  EXPECT_FALSE(ParentOf(std::size(kMenuTree)).has_value());
}

}  // namespace
}  // namespace quillet::testing
