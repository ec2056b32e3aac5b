// The window's behaviour as both front ends use it, on a view double: the
// load, what each menu item and double-click does, and the boxes mirroring
// the sheet.
#include "ui/form1_presenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "support/temp_dir.h"
#include "support/window_services.h"
#include "ui/form1_controls.h"
#include "ui/menu_tree.h"
#include "ui/window_text.h"

namespace quillet::testing {
namespace {

// Boxes and captions as a toolkit would hold them.
struct View : Form1View {
  std::u16string BoxText(std::size_t control) const override {
    const auto found = boxes.find(control);
    return found == boxes.end() ? u"" : found->second;
  }
  void SetBoxText(std::size_t control, const std::u16string& text) override {
    boxes[control] = text;
    ++sets;
  }
  void SetMenuCaption(std::size_t entry, const std::u16string& text) override {
    captions[entry] = text;
  }
  void EndProgram(int status) override {
    ++ended;
    exit_status = status;
  }

  std::map<std::size_t, std::u16string> boxes;
  std::map<std::size_t, std::u16string> captions;
  int sets = 0;
  int ended = 0;
  int exit_status = -1;
};

std::size_t Entry(std::string_view name) {
  for (std::size_t at = 0; at < kMenuEntryCount; ++at) {
    if (kMenuTree[at].name == name) return at;
  }
  ADD_FAILURE() << "no menu item " << name;
  return kMenuEntryCount;
}

struct Presenter : ::testing::Test, WindowServices {
  std::u16string Caption() { return view.captions[kOffsetsEntry]; }

  TempDir folder{TempDir::kEnter};
  View view;
  Form1Presenter presenter{ForWindow(), view};
  LabelSheet& sheet = presenter.sheet();
};

TEST_F(Presenter, EachMenuItemRunsItsOperation) {
  presenter.Load();
  ASSERT_EQ(Caption(), u"&Print (Adj=0/0)");
  const std::u16string long_text = u"LONGER THAN SEVEN";
  struct Case {
    const char* item;
    int dialogs;        // printer dialogs shown
    std::size_t asked;  // input boxes shown
    std::size_t shown;  // message boxes shown
    std::size_t editors;
    int ended;
    const char16_t* caption;
    const char16_t* upper_r1_0;  // the sheet's first line afterwards, as its box shows it
  };
  const Case cases[] = {
      {"File", 0, 0, 0, 0, 0, u"&Print (Adj=0/0)", u"LONGER THAN SEVEN"},
      {"LabelList", 0, 0, 0, 0, 0, u"&Print (Adj=0/0)", u"LONGER THAN SEVEN"},
      {"PAdj1", 0, 0, 0, 0, 0, u"&Print (Adj=0/0)", u"LONGER THAN SEVEN"},
      {"AddToList", 0, 0, 0, 0, 0, u"&Print (Adj=0/0)", u"LONGER THAN SEVEN"},
      {"ViewList", 0, 0, 0, 1, 0, u"&Print (Adj=0/0)", u"LONGER THAN SEVEN"},
      {"Printit", 1, 0, 0, 0, 0, u"&Print (Adj=0/0)", u"LONGER "},
      {"Printit2", 1, 0, 0, 0, 0, u"&Print (Adj=0/0)", u"LONGER "},
      {"Ptest", 1, 0, 0, 0, 0, u"&Print (Adj=0/0)", u"LONGER THAN SEVEN"},
      {"PAdj", 0, 2, 0, 0, 0, u"&Print Adj=0.5/-0.25", u"LONGER THAN SEVEN"},
      {"Clear", 0, 0, 0, 0, 0, u"&Print (Adj=0/0)", u""},
      {"About", 0, 0, 1, 0, 0, u"&Print (Adj=0/0)", u"LONGER THAN SEVEN"},
      {"Exit", 0, 0, 0, 0, 1, u"&Print (Adj=0/0)", u"LONGER THAN SEVEN"},
  };
  ASSERT_EQ(std::size(cases), kMenuEntryCount);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    view.captions[kOffsetsEntry] = u"&Print (Adj=0/0)";
    view.ended = 0;
    WriteBytes("Quillex.dat", "0\r\n0\r\n");
    input = ScriptedInputBox({u".5", u"-.25"});
    sheet.SetText(1, 0, Line::Text1, long_text);
    const int dialogs_before = printer.times_shown();
    const std::size_t shown_before = messages.shown.size();
    const std::size_t editors_before = starter.opened().size();

    presenter.MenuChosen(Entry(c.item));

    EXPECT_EQ(printer.times_shown() - dialogs_before, c.dialogs);
    EXPECT_EQ(input.prompts().size(), c.asked);
    EXPECT_EQ(messages.shown.size() - shown_before, c.shown);
    EXPECT_EQ(starter.opened().size() - editors_before, c.editors);
    EXPECT_EQ(view.ended, c.ended);
    EXPECT_EQ(Caption(), c.caption);
    EXPECT_EQ(sheet.GetText(1, 0, Line::Text1), c.upper_r1_0);
    EXPECT_EQ(view.BoxText(CellBoxControl(1, 0, Line::Text1)), c.upper_r1_0);
  }
  EXPECT_EQ(ReadBytes("LabelList.txt"), "\"LONGER THAN SEVEN \"\r\n");
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(messages.shown.back().title, u"About   Quillet");
  EXPECT_NE(messages.shown.back().information.find(u"  05/02/02 3:02 PM 90,112 bytes\n\n"),
            std::u16string::npos);
  EXPECT_EQ(view.exit_status, 0);
  presenter.MenuChosen(kMenuEntryCount);  // no such item: nothing
  EXPECT_EQ(printer.times_shown(), 3);
}

TEST_F(Presenter, FailuresAreShownInAMessageNamingTheFile) {
  presenter.Load();
  struct Case {
    const char* item;
    const char* calibration;
    const char* named;
  };
  const Case cases[] = {
      {"Printit", "x\r\n0\r\n", "Quillex.dat"},
      {"Ptest", "0\r\n1e39\r\n", "Quillex.dat"},
      {"PAdj", "0\r\n0\r\n", "Quillex.dat"},  // an answer beyond single precision
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    WriteBytes("Quillex.dat", c.calibration);
    input = ScriptedInputBox({u"4e38", u"0"});
    sheet.SetText(2, 2, Line::Text1, u"LONGER THAN SEVEN");
    const std::size_t before = messages.shown.size();
    presenter.MenuChosen(Entry(c.item));
    ASSERT_EQ(messages.shown.size(), before + 1);
    EXPECT_TRUE(messages.shown.back().error);
    EXPECT_NE(messages.shown.back().text.find(c.named), std::string::npos)
        << messages.shown.back().text;
    EXPECT_EQ(sheet.GetText(2, 2, Line::Text1), u"LONGER THAN SEVEN");  // nothing cut
    EXPECT_EQ(ReadBytes("Quillex.dat"), c.calibration);
  }
  EXPECT_TRUE(printed.empty());
  starter.AnswerWith(Status::Failure("Could not open \"LabelList.txt\"."));
  presenter.MenuChosen(Entry("ViewList"));
  EXPECT_EQ(messages.shown.back().text, "Could not open \"LabelList.txt\".");
}

TEST_F(Presenter, LoadShowsTheOffsetsOrSaysWhyNotOnceTheWindowIsUp) {
  struct Case {
    const char* name;
    const char* bytes;  // null: no file; "dir": a folder in its place
    const char16_t* caption;
    bool says_why;
  };
  const Case cases[] = {
      {"first start", nullptr, u"&Print (Adj=0/0)", false},
      {"kept verbatim", "0.25\r\n-.5 & more\r\nthird\r\n", u"&Print (Adj=0.25/-.5 && more)", false},
      {"line feeds shown as blanks", "0.25\n0.5\n", u"&Print (Adj=0.25 0.5 /)", false},
      {"a long line cut", "123456789 123456789 123456789 123456789\r\n0\r\n",
       u"&Print (Adj=123456789 123456789 123456789 12...", false},
      {"unreadable", "dir", kUnreadableCaption, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all("Quillex.dat");
    const bool folder_in_place = c.bytes != nullptr && c.bytes == std::string_view("dir");
    if (folder_in_place) {
      std::filesystem::create_directory("Quillex.dat");
    } else if (c.bytes != nullptr) {
      WriteBytes("Quillex.dat", c.bytes);
    }
    const std::size_t before = messages.shown.size();
    presenter.Load();
    EXPECT_EQ(Caption(), c.caption);
    EXPECT_EQ(messages.shown.size(), before);  // not before the window is up
    presenter.WindowShown();
    presenter.WindowShown();  // once only
    ASSERT_EQ(messages.shown.size(), before + (c.says_why ? 1 : 0));
    if (c.says_why) {
      EXPECT_NE(messages.shown.back().text.find("Quillex.dat"), std::string::npos);
    } else {  // the file as it was, or as the first start made it
      EXPECT_EQ(ReadBytes("Quillex.dat"), c.bytes != nullptr ? c.bytes : "0\r\n0\r\n");
    }
  }
}

TEST_F(Presenter, CancelledAdjustmentsKeepTheirOffsetsAndTheCaption) {
  presenter.Load();
  struct Case {
    std::optional<std::u16string> left_right, up_down;
    const char* bytes;
    const char16_t* caption;
  };
  // In this order, on the one window that loaded "0" and "0".
  const Case cases[] = {
      {kCancel, kCancel, "0.25\r\n-.5\r\n", u"&Print (Adj=0/0)"},  // file and caption stand
      {kCancel, u"1", "0.25\r\n1\r\n", u"&Print Adj=0.25/1"},
      {u"", kCancel, "0\r\n-0.5\r\n", u"&Print Adj=0/-0.5"},
      {kCancel, kCancel, "0.25\r\n-.5\r\n", u"&Print Adj=0/-0.5"},
  };
  for (const Case& c : cases) {
    WriteBytes("Quillex.dat", "0.25\r\n-.5\r\n");
    input = ScriptedInputBox({c.left_right, c.up_down});
    presenter.MenuChosen(Entry("PAdj"));
    EXPECT_EQ(input.prompts().size(), 2u);
    EXPECT_EQ(ReadBytes("Quillex.dat"), c.bytes);
    EXPECT_EQ(Caption(), c.caption);
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Presenter, AddingLabelsThatTheListCannotHoldAsksFirst) {
  sheet.SetText(3, 5, Line::Text1, u"\u03A9mega");
  for (bool yes : {false, true}) {
    messages.answers = {yes};
    presenter.MenuChosen(Entry("AddToList"));
    EXPECT_EQ(messages.asked, yes ? 2 : 1);
    EXPECT_NE(messages.shown.back().text.find("row 3, column 7"), std::string::npos);
    // No writes nothing; Yes adds the batch as it always reads, "?" and all.
    EXPECT_EQ(std::filesystem::exists("LabelList.txt"), yes);
  }
  EXPECT_EQ(ReadBytes("LabelList.txt"), "\"?mega \"\r\n");
}

// A box set by an operation shows it at once; a typed or pasted line goes to
// the sheet up to its first line break, and the box is written back only
// when that cut it.
TEST_F(Presenter, BoxesAndTheSheetMirrorEachOther) {
  sheet.SetText(9, 8, Line::Text1, u"\u00c4 & <b>");
  EXPECT_EQ(view.boxes[CellBoxControl(9, 8, Line::Text1)], u"\u00c4 & <b>");
  EXPECT_EQ(view.sets, 1);  // that box alone
  const struct {
    Line line;
    const char16_t* before;  // the box and its line
    const char16_t* edited;  // the box after typing or a paste
    const char16_t* after;
  } cases[] = {
      {Line::Text2, u"", u"typed", u"typed"},  {Line::Text1, u"", u"L1\r\nL2", u"L1"},
      {Line::Text1, u"ab", u"aX\nYb", u"aXb"}, {Line::Text1, u"ab", u"aX\u2028Y\rZb", u"aXb"},
      {Line::Text1, u"ab", u"ab\r", u"ab"},    {Line::Text1, u"", u"\rB", u""},
      {Line::Text1, u"a", u"ab", u"ab"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    const std::size_t box = CellBoxControl(3, 5, c.line);
    sheet.SetText(3, 5, c.line, c.before);
    const int sets = view.sets;
    view.boxes[box] = c.edited;
    presenter.BoxEdited(box, c.edited);
    EXPECT_EQ(sheet.GetText(3, 5, c.line), c.after);
    EXPECT_EQ(view.boxes[box], c.after);
    EXPECT_EQ(view.sets - sets, c.after == std::u16string_view(c.edited) ? 0 : 1);
  }
  // Fillers, headings and numbers past the list hold no line.
  for (std::size_t other : {kCellBoxCount, kControlCount - 1, kControlCount}) {
    presenter.BoxEdited(other, u"x");
    presenter.BoxDoubleClicked(other, MouseButton::kPrimary);
  }
  for (const CellAddress& cell : ReadingOrder()) {
    if (cell.group != 3 && cell.group != 9) {
      EXPECT_TRUE(sheet.IsBlank(cell));
    }
  }
}

TEST_F(Presenter, ADoubleClickOnAnUpperLineCopiesThePreviousCell) {
  sheet.SetText(1, 0, Line::Text1, u"ABC");
  sheet.SetText(1, 0, Line::Text2, u"123");
  sheet.SetText(1, 8, Line::Text1, u"END");
  struct Case {
    int group, index;
    Line line;
    const char16_t *upper, *lower;  // the cell afterwards
    MouseButton button = MouseButton::kPrimary;
  };
  const Case cases[] = {
      {1, 1, Line::Text2, u"", u""},                       // the lower line does nothing
      {1, 1, Line::Text1, u"", u"", MouseButton::kOther},  // nor does the middle button
      {1, 1, Line::Text1, u"ABC", u"123"},
      {1, 2, Line::Text1, u"ABC", u"123"},
      {2, 0, Line::Text1, u"END", u""},     // across the end of a row
      {1, 0, Line::Text1, u"ABC", u"123"},  // the first cell has none before it
  };
  for (const Case& c : cases) {
    presenter.BoxDoubleClicked(CellBoxControl(c.group, c.index, c.line), c.button);
    EXPECT_EQ(sheet.GetText(c.group, c.index, Line::Text1), c.upper) << c.group << c.index;
    EXPECT_EQ(sheet.GetText(c.group, c.index, Line::Text2), c.lower) << c.group << c.index;
  }
}

}  // namespace
}  // namespace quillet::testing
